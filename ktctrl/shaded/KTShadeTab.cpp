// The shaded tab control.
#include "ktctrl/shaded/KTShadeTab.h"

#include "platform/gdi/CImageList.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/SystemParameters.h"
#include "platform/msg/WindowApi.h"

#include <algorithm>

KTShadeTab::KTShadeTab()
{
    UseHighlight(0);
    SetShade(SHADE_STREAKS, 20, 10, 20, 0);
}

// ---- tabs ----------------------------------------------------------------------------------------------

LONG KTShadeTab::AfterInsert(LONG index, int isDialog)
{
    if (index < 0)
        return index;
    // The control appends an index past the end; the flags follow it to where it went.
    size_t at = std::min<size_t>(static_cast<size_t>(index), m_enabled.size());
    m_enabled.insert(m_enabled.begin() + at, 1);
    m_isDialog.insert(m_isDialog.begin() + at, isDialog);
    return index;
}

LONG KTShadeTab::InsertItem(int index, TCITEM* item) { return AfterInsert(CTabCtrl::InsertItem(index, item), 0); }
LONG KTShadeTab::InsertItem(int index, LPCTSTR text) { return AfterInsert(CTabCtrl::InsertItem(index, text), 0); }
LONG KTShadeTab::InsertItem(int index, LPCTSTR text, int image)
{
    return AfterInsert(CTabCtrl::InsertItem(index, text, image), 0);
}
LONG KTShadeTab::InsertItem(UINT mask, int index, LPCTSTR text, int image, LPARAM lParam)
{
    return AfterInsert(CTabCtrl::InsertItem(mask, index, text, image, lParam), 0);
}
LONG KTShadeTab::InsertItem(UINT mask, int index, LPCTSTR text, int image, LPARAM lParam, DWORD state, DWORD stateMask)
{
    TCITEM item {};
    item.mask = mask;
    item.pszText = const_cast<LPSTR>(text);
    item.iImage = image;
    item.lParam = lParam;
    item.dwState = state;
    item.dwStateMask = stateMask;
    return AfterInsert(CTabCtrl::InsertItem(index, &item), 0);
}

LONG KTShadeTab::InsertDialog(int index, CDialog* dialog, LPCTSTR text, int image)
{
    LONG at = AfterInsert(CTabCtrl::InsertItem(TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM, index, text, image,
                                               reinterpret_cast<LPARAM>(dialog)),
                          1);
    if (at < 0 || !dialog || !::IsWindow(dialog->m_hWnd))
        return at;
    dialog->SetWindowPos(nullptr, m_ptTopLeft.x, m_ptTopLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    dialog->ShowWindow(at == 0 ? SW_SHOW : SW_HIDE);
    return at;
}

LONG KTShadeTab::InsertShadeDialog(int index, KTShadeDialog* dialog, LPCTSTR text, int image, int copyShade)
{
    if (dialog)
        dialog->DoNotInitialize();
    LONG at = InsertDialog(index, dialog, text, image);
    if (at >= 0 && dialog && copyShade && ::IsWindow(dialog->m_hWnd)) {
        CRect client;
        GetClientRect(&client);
        CreateShade(client.Width(), client.Height());
        CRect piece;
        dialog->GetClientRect(&piece);
        piece.OffsetRect(m_ptTopLeft);
        dialog->CopyShade(*this, &piece);
    }
    return at;
}

void KTShadeTab::EnableTab(int index, int enable)
{
    if (index < 0 || index >= static_cast<int>(m_enabled.size()) || m_enabled[index] == enable)
        return;
    m_enabled[index] = enable;
    RepaintTab(index);
}

BOOL KTShadeTab::IsTabEnabled(int index) const
{
    return index >= 0 && index < static_cast<int>(m_enabled.size()) && m_enabled[index];
}

BOOL KTShadeTab::SelectTab(int index)
{
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    int current = GetCurSel();
    if (index == current)
        return TRUE;
    if (!IsTabEnabled(index))
        return FALSE;
    ShowDialogOf(current, false);
    SetCurSel(index);
    ShowDialogOf(index, true);
    return TRUE;
}

BOOL KTShadeTab::DeleteTab(int index)
{
    if (index < 0 || index >= static_cast<int>(m_enabled.size()))
        return FALSE;
    if (!CTabCtrl::DeleteItem(index))
        return FALSE;
    m_enabled.erase(m_enabled.begin() + index);
    m_isDialog.erase(m_isDialog.begin() + index);
    return TRUE;
}

void KTShadeTab::DeleteAllTabs()
{
    CTabCtrl::DeleteAllItems();
    m_enabled.clear();
    m_isDialog.clear();
}

void KTShadeTab::SetSelectedColor(int use, COLORREF colour) { m_selected = { use, use ? colour : m_selected.colour }; }
void KTShadeTab::SetDisabledColor(int use, COLORREF colour) { m_disabled = { use, use ? colour : m_disabled.colour }; }
void KTShadeTab::SetNormalColor(int use, COLORREF colour) { m_normal = { use, use ? colour : m_normal.colour }; }
void KTShadeTab::SetMouseOverColor(int use, COLORREF colour) { m_mouseOver = { use, use ? colour : m_mouseOver.colour }; }

CWnd* KTShadeTab::DialogOf(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_isDialog.size()) || !m_isDialog[index])
        return nullptr;
    TCITEM item {};
    item.mask = TCIF_PARAM;
    if (!GetItem(index, &item))
        return nullptr;
    auto* dialog = reinterpret_cast<CWnd*>(item.lParam);
    return dialog && ::IsWindow(dialog->m_hWnd) ? dialog : nullptr;
}

void KTShadeTab::ShowDialogOf(int index, bool show)
{
    if (CWnd* dialog = DialogOf(index))
        dialog->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void KTShadeTab::RepaintTab(int index)
{
    CRect rect;
    if (::IsWindow(m_hWnd) && GetItemRect(index, &rect))
        InvalidateRect(&rect);
}

int KTShadeTab::TabAt(CPoint point) const
{
    TCHITTESTINFO hit {};
    hit.pt = point;
    return HitTest(&hit);
}

// ---- window ----------------------------------------------------------------------------------------------

void KTShadeTab::PreSubclassWindow()
{
    ModifyStyle(0, TCS_OWNERDRAWFIXED);
    CTabCtrl::PreSubclassWindow();
}

int KTShadeTab::OnCreate(LPCREATESTRUCT)
{
    int result = static_cast<int>(Default());
    ModifyStyle(0, TCS_OWNERDRAWFIXED);
    return result;
}

BOOL KTShadeTab::OnEraseBkgnd(CDC* pDC)
{
    return EraseWithShade(*this, *this, pDC);
}

void KTShadeTab::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    int index = static_cast<int>(lpDIS->itemID);
    if (index < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect = lpDIS->rcItem;
    int edge = ::GetSystemMetrics(SM_CYEDGE);
    rect.top += edge;

    char text[64] {};
    TCITEM item {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = 63;
    GetItem(index, &item);
    int saved = pDC->SaveDC();

    POINT cursor {};
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (rect.PtInRect(cursor))
        m_nHotTab = index;

    // The tab shows the piece of the control's shade beneath it.
    KTShade piece;
    piece.UseHighlight(0);
    CRect under = rect;
    under.NormalizeRect();
    if (piece.CopyShade(*this, &under))
        piece.DrawShade(pDC, &under);

    CImageList* images = GetImageList();
    if (images && item.iImage >= 0) {
        int blank = pDC->GetTextExtent(" ").cx;
        rect.left += blank;
        int cx = 0, cy = 0;
        images->GetIconSize(&cx, &cy);
        images->Draw(pDC, item.iImage, CPoint(rect.left, rect.top + (rect.Height() - cy) / 2), ILD_TRANSPARENT);
        rect.left += cx;
    }

    COLORREF colour;
    bool selected = index == GetCurSel();
    if (!IsTabEnabled(index))
        colour = m_disabled.use ? m_disabled.colour : ::GetSysColor(COLOR_GRAYTEXT);
    else if (selected)
        colour = m_selected.use ? m_selected.colour : ::GetSysColor(COLOR_BTNTEXT);
    else if (m_mouseOver.use && index == m_nHotTab)
        colour = m_mouseOver.colour;
    else
        colour = m_normal.use ? m_normal.colour : ::GetSysColor(COLOR_BTNTEXT);

    rect.top -= edge;
    pDC->SetTextColor(colour);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    pDC->RestoreDC(saved);
}

// ---- selection --------------------------------------------------------------------------------------------

BOOL KTShadeTab::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    m_nPrevSel = GetCurSel();
    POINT cursor {};
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    int target = TabAt(cursor);
    *pResult = (target >= 0 && !IsTabEnabled(target)) ? 1 : 0;
    return *pResult != 0; // a refused change is not passed on
}

BOOL KTShadeTab::OnSelChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    int now = GetCurSel();
    if (!IsTabEnabled(now)) {
        // The keyboard moved onto a disabled tab: it stays where it was.
        SetCurSel(m_nPrevSel);
        return TRUE;
    }
    ShowDialogOf(m_nPrevSel, false);
    ShowDialogOf(now, true);
    return FALSE;
}

// ---- mouse over ---------------------------------------------------------------------------------------------

void KTShadeTab::OnMouseMove(UINT, CPoint point)
{
    Default();
    if (!m_mouseOver.use)
        return;
    SetTimer(kHoverTimer, 10, nullptr);
    int under = TabAt(point);
    if (m_nHotTab >= 0 && under != m_nHotTab) {
        int old = m_nHotTab;
        m_nHotTab = -1;
        RepaintTab(old);
    }
    if (!m_bTracking) {
        m_bTracking = 1;
        if (under >= 0 && IsTabEnabled(under))
            RepaintTab(under);
    }
}

void KTShadeTab::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer) {
        Default();
        return;
    }
    POINT cursor {};
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect hot;
    if (m_nHotTab >= 0 && GetItemRect(m_nHotTab, &hot) && hot.PtInRect(cursor))
        return;
    KillTimer(kHoverTimer);
    m_bTracking = 0;
    int old = m_nHotTab;
    m_nHotTab = -1;
    if (old >= 0)
        RepaintTab(old);
}

const platform::MessageMap* KTShadeTab::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &KTShadeTab::OnCreate>(),
        Message<WM_ERASEBKGND, &KTShadeTab::OnEraseBkgnd>(),
        Message<WM_MOUSEMOVE, &KTShadeTab::OnMouseMove>(),
        Message<WM_TIMER, &KTShadeTab::OnTimer>(),
        ReflectNotify<&KTShadeTab::OnSelChanging>(TCN_SELCHANGING),
        ReflectNotify<&KTShadeTab::OnSelChange>(TCN_SELCHANGE),
    };
    static constexpr platform::MessageMap kMap { &CTabCtrl::GetThisMessageMap, kEntries };
    return &kMap;
}
