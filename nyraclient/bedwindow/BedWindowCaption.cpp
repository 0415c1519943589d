// NyraControl: the caption bar (who is in the bed, the monitor number, the command buttons, the
// elapsed recording time), the hit test, and the left mouse button, whose clicks send per-bed
// commands to the station.
//
// Clicks and double clicks: a release sends its button's command only when the press began on
// that same button. A double click comes as press, release, double click, release; the second
// release sends only the command the first one sent, so a double click on a button that
// toggles (record, sound) does not undo itself, while any other button sends twice.
#include "nyraclient/bedwindow/NyraControl.h"

#include "nyraclient/bedwindow/BedArtwork.h"
#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "ktutil/KTGF.h"

#include "platform/msg/MessageBoxService.h"

namespace {

// Monitor numbers that have an icon of their own; any other number shows icon 0.
constexpr int kFirstMonitorNumber = 1;
constexpr int kLastMonitorNumber = 16;
// The caption text keeps this far from the caption rectangle's left and top edges.
constexpr int kTextInsetX = 5;
constexpr int kTextInsetY = 2;
// The elapsed time's background is restored this much wider than its text.
constexpr int kElapsedMargin = 10;

} // namespace

// ==== layout =====================================================================================

CaptionState NyraControl::GetCaptionState() const
{
    CaptionState state;
    state.mode = GetDisplayMode();
    if (m_pClient != nullptr) {
        state.admitted = m_pClient->IsAdmitted() != 0;
        state.recording = m_pClient->IsRecording() != 0;
        state.soundOn = m_pClient->IsEnableAlarm() != 0;
    }
    return state;
}

void NyraControl::CommandMapping()
{
    CRect client(0, 0, 0, 0);
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&client);
    const CaptionLayout layout = MapCaptionCommands(client, GetCaptionState());
    std::lock_guard lock(m_CaptionLock);
    m_Caption = layout;
}

CaptionLayout NyraControl::GetCaptionLayout() const
{
    std::lock_guard lock(m_CaptionLock);
    return m_Caption;
}

// ==== drawing ====================================================================================

void NyraControl::DrawCaptionBar(CDC* dc, int drawText, int drawButtons)
{
    if (GetSafeHwnd() == nullptr || m_BackBitmap.GetSafeHandle() == nullptr)
        return;
    const int saved = dc->SaveDC();
    // Buttons are laid out first, so that the text goes where the buttons leave room today.
    if (drawButtons)
        CommandMapping();
    const CaptionLayout layout = GetCaptionLayout();
    CRect client;
    GetClientRect(&client);
    // Restore what is drawn anew: the whole bar when the buttons are drawn (a button that changed
    // must not show through the new one), else the text's place.
    CopyFromBackground(dc, drawButtons ? CRect(0, 0, client.Width(), kCaptionHeight) : layout.caption);
    dc->SetBkMode(TRANSPARENT);
    dc->SelectObject(&m_CaptionFont);
    if (drawText)
        DrawCaptionText(dc);
    if (drawButtons)
        DrawCaptionButtons(dc);
    if (m_pClient != nullptr && m_pClient->IsRecording())
        DrawElapsedTime(dc);
    dc->RestoreDC(saved);
}

void NyraControl::DrawCaptionText(CDC* dc)
{
    CRect area = GetCaptionLayout().caption;
    area.left += kTextInsetX;
    area.top += kTextInsetY;
    CString text = MakeCaptionText("", "", "");
    if (m_pClient != nullptr && m_pClient->IsAdmitted()) {
        const TBLPatientRow patient = m_pClient->CopyAdmittedPatient();
        text = MakeCaptionText(patient.P_ID, patient.P_FIRST_NAME, patient.P_LAST_NAME);
    }
    dc->SetTextColor(kCaptionTextColor);
    // A name is shown as it is written: an "&" in it is no mnemonic.
    dc->DrawText(text, &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

void NyraControl::DrawCaptionButtons(CDC* dc)
{
    const CaptionLayout layout = GetCaptionLayout();
    BedArtwork& artwork = BedArtwork::Shared();
    const bool highlighted = IsHighlighted();
    for (int slot = 0; slot < kCaptionButtonSlots; ++slot) {
        const CaptionButton& button = layout.buttons[size_t(slot)];
        if (button.rect.IsRectEmpty())
            continue;
        const CPoint at(button.rect.left, 0);
        if (slot == kNumberButtonSlot) {
            const int number = m_pClient != nullptr ? m_pClient->GetMonitorPacket().GetMonitorNumber() : 0;
            const int icon = number >= kFirstMonitorNumber && number <= kLastMonitorNumber ? number : 0;
            artwork.Numbers(highlighted).Draw(dc, icon, at, ILD_TRANSPARENT);
        } else {
            artwork.Buttons(highlighted).Draw(dc, button.icon, at, ILD_TRANSPARENT);
        }
    }
}

void NyraControl::DrawElapsedTime(CDC* dc)
{
    if (m_pClient == nullptr)
        return;
    const CRect elapsed = GetCaptionLayout().elapsed;
    if (elapsed.IsRectEmpty())
        return;
    const COleDateTimeSpan span = COleDateTime::GetCurrentTime() - m_pClient->GetRecordStartTime();
    const CString text = FormatElapsedRecordTime(span.GetTotalSeconds());
    dc->SelectObject(&m_CaptionFont);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kCaptionTextColor);
    const int width = dc->GetTextExtent(text).cx + kElapsedMargin;
    if (!CopyFromBackground(dc, CRect(elapsed.right - width, elapsed.top, elapsed.right, elapsed.bottom)))
        return;
    CRect area = elapsed;
    dc->DrawText(text, &area, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
}

// ==== hit test ===================================================================================

int NyraControl::HitTest(int x, int y, int& value) const
{
    const CPoint point(x, y);
    const CaptionLayout layout = GetCaptionLayout();
    if (layout.caption.PtInRect(point))
        return HIT_CAPTION;
    for (const CaptionButton& button : layout.buttons) {
        if (!button.rect.IsRectEmpty() && button.rect.PtInRect(point)) {
            value = button.command;
            return HIT_BUTTON;
        }
    }
    if (GetTrendRectAll().PtInRect(point))
        return HIT_TREND;
    if (GetGraphRectAll().PtInRect(point)) {
        const BYTE monitorLayout = MonitorLayout();
        for (GRAPHITEM item : { GRAPH_TOP, GRAPH_BOTTOM }) {
            if (m_Layout.GetItemRect(item, monitorLayout).PtInRect(point)) {
                value = item;
                return HIT_GRAPH;
            }
        }
    }
    if (m_Layout.GetParamRectAll().PtInRect(point))
        return HIT_PARAMETER;
    return HIT_NONE;
}

int NyraControl::ButtonSlotAt(CPoint point) const
{
    const CaptionLayout layout = GetCaptionLayout();
    for (int slot = 0; slot < kCaptionButtonSlots; ++slot) {
        const CRect& rect = layout.buttons[size_t(slot)].rect;
        if (!rect.IsRectEmpty() && rect.PtInRect(point))
            return slot;
    }
    return -1;
}

// ==== the left mouse button ======================================================================

void NyraControl::SendCommand(int command)
{
    if (m_pClient != nullptr)
        m_pClient->SendMsgToParent(CLIENT_NOTIFY_COMMAND, DWORD(command));
}

void NyraControl::OnLButtonDown(UINT, CPoint point)
{
    nyraclient::NotifyScope scope;
    SetFocus();
    m_nPressedSlot = ButtonSlotAt(point);
    m_bPressIsDoubleClick = false;
    m_nLastSentCommand = -1;
    int value = 0;
    if (HitTest(point.x, point.y, value) == HIT_TREND)
        BeginTrendDrag(point);
    Default();
}

void NyraControl::OnLButtonUp(UINT, CPoint point)
{
    // The station's answer to a command may remove this bed: the window is then deleted only
    // once this handler has returned.
    nyraclient::NotifyScope scope;
    Default();
    int value = 0;
    const bool onPressedButton = HitTest(point.x, point.y, value) == HIT_BUTTON && ButtonSlotAt(point) == m_nPressedSlot;
    const bool sends = onPressedButton && (!m_bPressIsDoubleClick || value == m_nLastSentCommand);
    if (sends)
        SendCommand(value);
    m_nLastSentCommand = sends ? value : -1;
    m_nPressedSlot = -1;
    EndTrendDrag();
}

void NyraControl::OnLButtonDblClk(UINT, CPoint point)
{
    nyraclient::NotifyScope scope;
    Default();
    m_nPressedSlot = ButtonSlotAt(point);
    m_bPressIsDoubleClick = true;
    int value = 0;
    switch (HitTest(point.x, point.y, value)) {
    case HIT_CAPTION:
    case HIT_PARAMETER:
        SendCommand(NYRACMD_EXPAND);
        break;
    case HIT_TREND:
        if (m_pClient != nullptr)
            m_pClient->SendMsgToParent(CLIENT_NOTIFY_TREND_SETTING, 0);
        break;
    case HIT_GRAPH:
        if (m_pClient != nullptr && m_pClient->IsEnableWaveSave()) {
            const HWND self = GetSafeHwnd();
            const int answer = AfxMessageBox(KTGF::GetString(nyraclient::IDS_SAVE_WAVEFORM), MB_YESNO);
            // The bed may have gone while the question was up.
            if (answer == IDYES && ::IsWindow(self))
                m_pClient->SetWaveSaveFlag();
        }
        break;
    default:
        break;
    }
}
