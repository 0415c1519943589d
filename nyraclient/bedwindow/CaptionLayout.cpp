// The caption bar's layout, its elapsed recording time and its caption text.
#include "nyraclient/bedwindow/CaptionLayout.h"

#include "nyraclient/client/ClientMessages.h"
#include "nyraclient/res/NyraClientBitmaps.h"

namespace {

using namespace nyraclient;

constexpr int kButtonWidth = 20;
constexpr int kButtonStep = 22;
constexpr int kCaptionInsetX = 5;
constexpr int kCaptionInsetY = 2;
constexpr int kCaptionBottom = 20;
constexpr int kCaptionGap = 2;
constexpr int kElapsedWidth = 100;

bool Always(const CaptionState&) { return true; }
bool SoundOn(const CaptionState& s) { return s.soundOn; }
bool SoundOff(const CaptionState& s) { return !s.soundOn; }
bool Recording(const CaptionState& s) { return s.admitted && s.recording; }
bool NotRecording(const CaptionState& s) { return s.admitted && !s.recording; }

// The command buttons from the right: each one shown takes the next place to the left.
struct ButtonRule
{
    int slot;
    int command;
    int icon;
    bool (*shown)(const CaptionState&);
};

constexpr ButtonRule kRightToLeft[] = {
    { 11, NYRACMD_CLOSE, ICON_CLOSE, Always },
    { 10, NYRACMD_SETTING, ICON_SETTING, Always },
    { 6, NYRACMD_TREND_PRINT, ICON_TREND_PRINT, Always },
    { 7, NYRACMD_CAPTURE, ICON_CAPTURE, Always },
    { 5, NYRACMD_SOUND_OFF, ICON_SOUND_OFF, SoundOn },
    { 4, NYRACMD_SOUND_ON, ICON_SOUND_ON, SoundOff },
    { 8, NYRACMD_ADMIT, ICON_ADMIT, Always },
    { 3, NYRACMD_RECORD_STOP, ICON_RECORD_STOP, Recording },
    { 2, NYRACMD_RECORD_START, ICON_RECORD_START, NotRecording },
};

constexpr char kNoText[] = "-----------";

} // namespace

CaptionLayout MapCaptionCommands(CRect client, const CaptionState& state)
{
    CaptionLayout layout;
    CRect& caption = layout.caption;
    caption.SetRect(client.left + kCaptionInsetX, client.top + kCaptionInsetY, client.right - kCaptionInsetX,
                    client.top + kCaptionBottom);

    CaptionButton& number = layout.buttons[kNumberButtonSlot];
    number.rect.SetRect(caption.left, caption.top, caption.left + kButtonWidth, caption.bottom);
    number.command = NYRACMD_BED_NUMBER;

    if (state.mode != DISPMODE_1CH) {
        int right = caption.right;
        for (const ButtonRule& rule : kRightToLeft) {
            if (!rule.shown(state))
                continue;
            CaptionButton& button = layout.buttons[size_t(rule.slot)];
            button.rect.SetRect(right - kButtonWidth, caption.top, right, caption.bottom);
            button.icon = rule.icon;
            button.command = rule.command;
            caption.right = button.rect.left - kCaptionGap;
            right -= kButtonStep;
        }
        const CRect& stop = layout.buttons[size_t(3)].rect;
        if (!stop.IsRectEmpty())
            layout.elapsed.SetRect(stop.left - kCaptionGap - kElapsedWidth, stop.top + kCaptionInsetY,
                                   stop.left - kCaptionGap, stop.bottom);
    }
    caption.left = number.rect.right + kCaptionGap;
    return layout;
}

CString FormatElapsedRecordTime(double seconds)
{
    if (!(seconds > 0))
        seconds = 0;
    const long long hours = static_cast<long long>(seconds / 3600);
    const long long minutes = static_cast<long long>((seconds - 3600.0 * double(hours)) / 60);
    const long long rest = static_cast<long long>(seconds - 3600.0 * double(hours) - 60.0 * double(minutes));
    CString text;
    text.Format("%02lldh:%02lldm:%02llds", hours, minutes, rest);
    return text;
}

CString MakeCaptionText(CString id, CString firstName, CString lastName)
{
    firstName.Trim();
    lastName.Trim();
    const CString name = firstName.IsEmpty() && lastName.IsEmpty() ? CString(kNoText) : firstName + " " + lastName;
    CString text;
    text.Format("%s, %s", id.IsEmpty() ? kNoText : static_cast<LPCTSTR>(id), static_cast<LPCTSTR>(name));
    return text;
}
