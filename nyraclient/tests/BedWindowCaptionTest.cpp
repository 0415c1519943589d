// The caption bar of a bed window: the button table for each state of the bed, the caption text
// and the elapsed recording time, the hit test, and what clicks and double clicks send.
#include "support/BedWindowHarness.h"

#include "nyraclient/res/NyraClientBitmaps.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <map>

using namespace bedtest;
using platform::host::NullHost;

namespace {

// ---- the button table ------------------------------------------------------------------------------

// A shown button: its slot's left and right edge (all are 2 to 20 high), icon and command.
struct Shown
{
    int left, right, icon, command;
    bool operator==(const Shown&) const = default;
};

struct MappingCase
{
    const char* name;
    CaptionState state;
    std::map<int, Shown> buttons;
    CRect caption;
    CRect elapsed;
};

std::map<int, Shown> ShownButtons(const CaptionLayout& layout)
{
    std::map<int, Shown> shown;
    for (int slot = 0; slot < kCaptionButtonSlots; ++slot) {
        const CaptionButton& b = layout.buttons[size_t(slot)];
        if (b.rect.IsRectEmpty())
            continue;
        EXPECT_EQ(b.rect.top, 2) << "slot " << slot;
        EXPECT_EQ(b.rect.bottom, 20) << "slot " << slot;
        shown[slot] = { b.rect.left, b.rect.right, b.icon, b.command };
    }
    return shown;
}

using namespace nyraclient;

const Shown kNumber { 5, 25, 0, NYRACMD_BED_NUMBER };
const Shown kClose { 575, 595, ICON_CLOSE, NYRACMD_CLOSE };
const Shown kSetting { 553, 573, ICON_SETTING, NYRACMD_SETTING };
const Shown kPrint { 531, 551, ICON_TREND_PRINT, NYRACMD_TREND_PRINT };
const Shown kCapture { 509, 529, ICON_CAPTURE, NYRACMD_CAPTURE };

const MappingCase kMappingCases[] = {
    { "AdmittedRecordingSoundOn", { DISPMODE_4CH, true, true, true },
      { { 12, kNumber }, { 11, kClose }, { 10, kSetting }, { 6, kPrint }, { 7, kCapture },
        { 5, { 487, 507, ICON_SOUND_OFF, NYRACMD_SOUND_OFF } }, { 8, { 465, 485, ICON_ADMIT, NYRACMD_ADMIT } },
        { 3, { 443, 463, ICON_RECORD_STOP, NYRACMD_RECORD_STOP } } },
      { 27, 2, 441, 20 }, { 341, 4, 441, 20 } },
    { "NotAdmitted", { DISPMODE_4CH, false, true, true },
      { { 12, kNumber }, { 11, kClose }, { 10, kSetting }, { 6, kPrint }, { 7, kCapture },
        { 5, { 487, 507, ICON_SOUND_OFF, NYRACMD_SOUND_OFF } }, { 8, { 465, 485, ICON_ADMIT, NYRACMD_ADMIT } } },
      { 27, 2, 463, 20 }, { 0, 0, 0, 0 } },
    { "AdmittedNotRecording", { DISPMODE_4CH, true, false, true },
      { { 12, kNumber }, { 11, kClose }, { 10, kSetting }, { 6, kPrint }, { 7, kCapture },
        { 5, { 487, 507, ICON_SOUND_OFF, NYRACMD_SOUND_OFF } }, { 8, { 465, 485, ICON_ADMIT, NYRACMD_ADMIT } },
        { 2, { 443, 463, ICON_RECORD_START, NYRACMD_RECORD_START } } },
      { 27, 2, 441, 20 }, { 0, 0, 0, 0 } },
    { "SoundOff", { DISPMODE_4CH, true, true, false },
      { { 12, kNumber }, { 11, kClose }, { 10, kSetting }, { 6, kPrint }, { 7, kCapture },
        { 4, { 487, 507, ICON_SOUND_ON, NYRACMD_SOUND_ON } }, { 8, { 465, 485, ICON_ADMIT, NYRACMD_ADMIT } },
        { 3, { 443, 463, ICON_RECORD_STOP, NYRACMD_RECORD_STOP } } },
      { 27, 2, 441, 20 }, { 341, 4, 441, 20 } },
    { "PanelOnlyTile", { DISPMODE_1CH, true, true, true }, { { 12, kNumber } }, { 27, 2, 595, 20 }, { 0, 0, 0, 0 } },
};

TEST(BedWindowCaption, ButtonsCaptionAndElapsedTimeOfA600By400WindowFollowTheBedsState)
{
    for (const MappingCase& c : kMappingCases) {
        SCOPED_TRACE(c.name);
        const CaptionLayout layout = MapCaptionCommands(CRect(0, 0, 600, 400), c.state);
        EXPECT_EQ(ShownButtons(layout), c.buttons);
        EXPECT_EQ(layout.caption, c.caption);
        EXPECT_EQ(layout.elapsed, c.elapsed);
    }
}

TEST(BedWindowCaption, CaptionTextAndElapsedTime)
{
    EXPECT_EQ(MakeCaptionText("", "", ""), CString("-----------, -----------"));
    EXPECT_EQ(MakeCaptionText("A1", "  Mary ", ""), CString("A1, Mary "));
    EXPECT_EQ(MakeCaptionText("", "", "Roe"), CString("-----------,  Roe"));
    EXPECT_EQ(MakeCaptionText("7", "Ann & Lee", "Roe"), CString("7, Ann & Lee Roe"));

    EXPECT_EQ(FormatElapsedRecordTime(3725), CString("01h:02m:05s"));
    EXPECT_EQ(FormatElapsedRecordTime(3725.9), CString("01h:02m:05s"));
    EXPECT_EQ(FormatElapsedRecordTime(360000), CString("100h:00m:00s"));
    // The clock was set back after the recording started.
    EXPECT_EQ(FormatElapsedRecordTime(-30), CString("00h:00m:00s"));
}

// ---- on a window ---------------------------------------------------------------------------------------

CPoint Centre(const CRect& r) { return r.CenterPoint(); }

TEST(BedWindowCaption, HitTestFindsEachAreaInItsOrder)
{
    BedStation station(CSize(600, 400), DISPMODE_ENLARGE);
    NyraControl& bed = *station.Tile();
    const CaptionLayout layout = bed.GetCaptionLayout();
    const CRect graph = bed.GetGraphRectAll();
    ASSERT_FALSE(graph.IsRectEmpty());
    struct Case
    {
        const char* name;
        CPoint point;
        int hit;
        int value;
    };
    const Case cases[] = {
        { "close button", Centre(layout.buttons[11].rect), NyraControl::HIT_BUTTON, NYRACMD_CLOSE },
        { "number button", Centre(layout.buttons[kNumberButtonSlot].rect), NyraControl::HIT_BUTTON, NYRACMD_BED_NUMBER },
        { "caption", Centre(layout.caption), NyraControl::HIT_CAPTION, -1 },
        { "gap before the buttons", { layout.caption.right, 10 }, NyraControl::HIT_NONE, -1 },
        { "trend area", Centre(bed.GetTrendRectAll()), NyraControl::HIT_TREND, -1 },
        { "top wave strip", { graph.left + 5, graph.top + 2 }, NyraControl::HIT_GRAPH, GRAPH_TOP },
        { "bottom wave strip", { graph.left + 5, graph.bottom - 2 }, NyraControl::HIT_GRAPH, GRAPH_BOTTOM },
        { "parameter panel", Centre(bed.GetParamRectAll()), NyraControl::HIT_PARAMETER, -1 },
        { "frame", { 0, 399 }, NyraControl::HIT_NONE, -1 },
    };
    for (const Case& c : cases) {
        int value = -1;
        EXPECT_EQ(bed.HitTest(c.point.x, c.point.y, value), c.hit) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
}

TEST(BedWindowCaption, AnAmpersandInTheNameStaysVisible)
{
    // The caption's ink reaches further right with "A&B" than with "AB": the "&" is drawn, not
    // taken as a mnemonic.
    auto inkRight = [](const char* id) {
        BedStation station(CSize(600, 400), DISPMODE_4CH);
        station.Admit(id, "", "");
        Pump();
        const platform::Image picture = testkit::Capture(station.Tile()->GetSafeHwnd());
        const CRect caption = station.Tile()->GetCaptionRect();
        int right = 0;
        for (int y = caption.top; y < caption.bottom; ++y)
            for (int x = caption.left; x < caption.right; ++x)
                if (picture.Pixel(x, y) == ImagePixel(NyraControl::kCaptionTextColor))
                    right = std::max(right, x);
        return right;
    };
    EXPECT_GT(inkRight("A&B"), inkRight("AB") + 4);
}

// ---- clicks --------------------------------------------------------------------------------------------

// A station that plays its part for the toggling commands: it starts and stops recordings and
// switches the bed's alarm sound, as the central station does.
class ClickStation : public BedStation
{
public:
    ClickStation()
    {
        Admit("P-7", "Eva", "Lind");
        parent.onNotice = [this](const Notice& n) {
            if (n.code != CLIENT_NOTIFY_COMMAND)
                return;
            switch (n.value) {
            case NYRACMD_RECORD_START: {
                TBLStudy study;
                study.S_ID = "P-7";
                study.SetStartTime(COleDateTime::GetCurrentTime(), 1);
                client->RecordStart(m_data.Dir().c_str(), study);
                break;
            }
            case NYRACMD_RECORD_STOP: client->RecordStop(); break;
            case NYRACMD_SOUND_ON: client->EnableAlarm(1); break;
            case NYRACMD_SOUND_OFF: client->EnableAlarm(0); break;
            default: break;
            }
        };
    }

    CPoint ButtonOnScreen(int slot) const { return Screen(Centre(Tile()->GetCaptionLayout().buttons[size_t(slot)].rect)); }

    std::vector<DWORD> Commands() const
    {
        std::vector<DWORD> values;
        for (const Notice& n : parent.notices)
            if (n.code == CLIENT_NOTIFY_COMMAND)
                values.push_back(n.value);
        return values;
    }

private:
    testkit::TempFolder m_data;
};

TEST(BedWindowCaption, ADoubleClickSendsEachButtonTwiceButNeverUndoesAToggle)
{
    struct Case
    {
        const char* name;
        int slot;
        bool recording;
        bool soundOn;
        std::vector<DWORD> sent;
    };
    const Case cases[] = {
        { "record start", 2, false, true, { NYRACMD_RECORD_START } },
        { "record stop", 3, true, true, { NYRACMD_RECORD_STOP } },
        { "sound off", 5, false, true, { NYRACMD_SOUND_OFF } },
        { "sound on", 4, false, false, { NYRACMD_SOUND_ON } },
        { "trend print", 6, false, true, { NYRACMD_TREND_PRINT, NYRACMD_TREND_PRINT } },
        { "capture", 7, false, true, { NYRACMD_CAPTURE, NYRACMD_CAPTURE } },
        { "admit", 8, false, true, { NYRACMD_ADMIT, NYRACMD_ADMIT } },
        { "setting", 10, false, true, { NYRACMD_SETTING, NYRACMD_SETTING } },
        { "close", 11, false, true, { NYRACMD_CLOSE, NYRACMD_CLOSE } },
        { "monitor number", kNumberButtonSlot, false, true, { NYRACMD_BED_NUMBER, NYRACMD_BED_NUMBER } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClickStation station;
        station.client->EnableAlarm(c.soundOn ? 1 : 0);
        if (c.recording)
            station.parent.onNotice({ station.client, CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START });
        ASSERT_EQ(station.client->IsRecording(), c.recording ? 1 : 0);
        station.parent.notices.clear();

        const CPoint at = station.ButtonOnScreen(c.slot);
        NullHost::DoubleClick(at.x, at.y);
        Pump();
        EXPECT_EQ(station.Commands(), c.sent);
        station.client->RecordStop();
    }
}

TEST(BedWindowCaption, AReleaseSendsOnlyOnTheButtonItsPressBeganOn)
{
    ClickStation station;
    const CaptionLayout layout = station.Tile()->GetCaptionLayout();
    const CPoint close = Centre(layout.buttons[11].rect);
    const CPoint capture = Centre(layout.buttons[7].rect);
    const CPoint trend = Centre(station.Tile()->GetTrendRectAll());

    station.PressMoveRelease(trend, close);
    station.PressMoveRelease(capture, close);
    station.PressMoveRelease(close, trend);
    EXPECT_TRUE(station.Commands().empty());

    station.PressMoveRelease(close, close);
    EXPECT_EQ(station.Commands(), std::vector<DWORD> { NYRACMD_CLOSE });
}

TEST(BedWindowCaption, DoubleClicksOnTheCaptionPanelAndTrendAskTheStation)
{
    ClickStation station;
    NyraControl& bed = *station.Tile();
    for (const CPoint client : { Centre(bed.GetCaptionRect()), Centre(bed.GetParamRectAll()), Centre(bed.GetTrendRectAll()) }) {
        const CPoint at = station.Screen(client);
        NullHost::DoubleClick(at.x, at.y);
        Pump();
        station.clock.Advance(1000);
    }
    const std::vector<Notice> expected = {
        { station.client, CLIENT_NOTIFY_COMMAND, NYRACMD_EXPAND },
        { station.client, CLIENT_NOTIFY_COMMAND, NYRACMD_EXPAND },
        { station.client, CLIENT_NOTIFY_TREND_SETTING, 0 },
    };
    EXPECT_EQ(station.parent.notices, expected);
}

} // namespace
