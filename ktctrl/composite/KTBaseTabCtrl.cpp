// The base of painted tab controls.
#include "ktctrl/composite/KTBaseTabCtrl.h"

#include "platform/gdi/SysColors.h"

KTBaseTabCtrl::KTBaseTabCtrl(int mode) { EnableDraw(mode); }

BOOL KTBaseTabCtrl::EnableDraw(int mode)
{
    if (mode < DRAW_PLATFORM || mode > DRAW_ALL)
        return FALSE;
    m_nDrawMode = mode;
    if (GetSafeHwnd()) {
        if (mode == DRAW_PLATFORM)
            ModifyStyle(TCS_OWNERDRAWFIXED, 0);
        else
            ModifyStyle(0, TCS_OWNERDRAWFIXED);
        Invalidate();
    }
    return TRUE;
}

void KTBaseTabCtrl::SetBkgndColor(COLORREF colour)
{
    m_crBack = colour;
    if (GetSafeHwnd())
        Invalidate();
}

void KTBaseTabCtrl::PreSubclassWindow()
{
    CTabCtrl::PreSubclassWindow();
    if (m_nDrawMode != DRAW_PLATFORM)
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

void KTBaseTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
void KTBaseTabCtrl::DrawMainBorder(LPDRAWITEMSTRUCT) {}
void KTBaseTabCtrl::DrawItemBorder(LPDRAWITEMSTRUCT) {}
COLORREF KTBaseTabCtrl::GetTabColor(int) { return GetSysColor(COLOR_BTNFACE); }
COLORREF KTBaseTabCtrl::GetTabTextColor(int) { return GetSysColor(COLOR_WINDOWTEXT); }

BOOL KTBaseTabCtrl::OnEraseBkgnd(CDC* dc)
{
    Default();
    CRect tabs(0, 0, 0, 0);
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect item;
        GetItemRect(i, &item);
        tabs.UnionRect(&tabs, &item);
    }
    CRect client;
    GetClientRect(&client);
    const COLORREF back = m_crBack == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNFACE) : m_crBack;
    dc->FillSolidRect(client.left, client.top, client.Width(), tabs.top - client.top, back);
    dc->FillSolidRect(client.left, client.top, 2, tabs.Height() + 2, back);
    const int right = client.left + tabs.Width() + 2;
    dc->FillSolidRect(right, client.top, client.right - right, tabs.Height() + 2, back);
    return TRUE;
}

void KTBaseTabCtrl::OnPaint()
{
    if (m_nDrawMode != DRAW_ALL) {
        Default();
        return;
    }
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HFONT oldFont = font ? dc->SelectObject(font) : nullptr;

    DRAWITEMSTRUCT dis {};
    dis.CtlType = ODT_TAB;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.hwndItem = m_hWnd;
    dis.hDC = dc->GetSafeHdc();
    dis.itemAction = ODA_DRAWENTIRE;

    CRect display;
    GetClientRect(&display);
    AdjustRect(FALSE, &display);
    display.top -= 2;
    dis.rcItem = display;
    DrawMainBorder(&dis);

    const int current = GetCurSel();
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        if (i == current)
            continue;
        dis.itemID = static_cast<UINT>(i);
        dis.itemState = 0;
        CRect item;
        GetItemRect(i, &item);
        item.bottom -= 2;
        dis.rcItem = item;
        DrawItem(&dis);
        DrawItemBorder(&dis);
    }
    if (current >= 0) {
        dis.itemID = static_cast<UINT>(current);
        dis.itemState = ODS_SELECTED;
        CRect item;
        GetItemRect(current, &item);
        item.InflateRect(0, 2);
        dis.rcItem = item;
        DrawItem(&dis);
        DrawItemBorder(&dis);
    }
    if (oldFont)
        dc->SelectObject(oldFont);
    EndPaint(&ps);
}

const platform::MessageMap* KTBaseTabCtrl::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_ERASEBKGND, &KTBaseTabCtrl::OnEraseBkgnd>(),
        Message<WM_PAINT, &KTBaseTabCtrl::OnPaint>(),
    };
    static constexpr platform::MessageMap kMap { &CTabCtrl::GetThisMessageMap, kEntries };
    return &kMap;
}
