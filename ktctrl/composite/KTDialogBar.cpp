// The coloured dialog bar with its own command-state list.
#include "ktctrl/composite/KTDialogBar.h"

#include "platform/gdi/SysColors.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/framework/FrameWnd.h"

#include <algorithm>
#include <cstring>

// ---- command state -----------------------------------------------------------------------------

HWND KTDialogBarCmdUI::Control() const
{
    return m_pOther ? ::GetDlgItem(m_pOther->GetSafeHwnd(), static_cast<int>(m_nID)) : nullptr;
}

void KTDialogBarCmdUI::Enable(BOOL bOn)
{
    CCmdUI::Enable(bOn);
    if (HWND control = Control())
        ::EnableWindow(control, bOn);
}

void KTDialogBarCmdUI::SetCheck(int nCheck)
{
    CCmdUI::SetCheck(nCheck);
    m_bEnableChanged = TRUE;
    HWND control = Control();
    if (control && ::SendMessage(control, BM_GETCHECK, 0, 0) != nCheck)
        ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

void KTDialogBarCmdUI::SetText(LPCTSTR lpszText)
{
    m_bEnableChanged = TRUE;
    HWND control = Control();
    if (!control)
        return;
    const char* text = lpszText ? lpszText : "";
    char shown[512] = {};
    ::GetWindowText(control, shown, sizeof shown);
    if (std::strcmp(shown, text) != 0)
        ::SetWindowText(control, text);
}

// ---- the bar ---------------------------------------------------------------------------------------

KTDialogBar::KTDialogBar() : m_crBk(GetSysColor(COLOR_BTNFACE)), m_crText(GetSysColor(COLOR_WINDOWTEXT))
{
    m_brush.CreateSolidBrush(m_crBk);
}

void KTDialogBar::SetBkColor(COLORREF colour)
{
    m_crBk = colour;
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(colour);
    if (GetSafeHwnd())
        Invalidate();
}

void KTDialogBar::AddUpdateCmdID(UINT id)
{
    if (std::find(m_updateIds.begin(), m_updateIds.end(), id) == m_updateIds.end())
        m_updateIds.push_back(id);
}

void KTDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    if (m_updateIds.empty())
        return;
    KTDialogBarCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_updateIds.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_updateIds[state.m_nIndex];
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

void KTDialogBar::DrawBorder(CDC* dc)
{
    constexpr COLORREF kShadow = RGB(0x80, 0x80, 0x80);
    constexpr COLORREF kLight = RGB(0xFF, 0xFF, 0xFF);
    CRect r;
    GetClientRect(&r);
    if (m_dwBorder & KTDB_BORDER_LEFT) {
        CRect edge(r.left, r.top, r.left + 2, r.bottom);
        dc->Draw3dRect(&edge, kShadow, kLight);
    }
    if (m_dwBorder & KTDB_BORDER_TOP) {
        r.right += 1;
        CRect edge(r.left, r.top, r.right, r.top + 2);
        dc->Draw3dRect(&edge, kShadow, kLight);
    }
    if (m_dwBorder & KTDB_BORDER_RIGHT) {
        r.OffsetRect(-1, -1);
        CRect edge(r.right - 2, r.top, r.right, r.bottom);
        dc->Draw3dRect(&edge, kShadow, kLight);
    }
    if (m_dwBorder & KTDB_BORDER_BOTTOM) {
        r.right += 1;
        CRect edge(r.left, r.bottom - 2, r.right, r.bottom);
        dc->Draw3dRect(&edge, kShadow, kLight);
    }
}

int KTDialogBar::OnCreate(LPCREATESTRUCT)
{
    if (Default() == -1)
        return -1;
    PostMessage(WM_INITDIALOGBAR);
    return 0;
}

BOOL KTDialogBar::OnEraseBkgnd(CDC* dc)
{
    // Erasing is the window class's own; the coloured background comes from the control colours.
    return static_cast<BOOL>(CWnd::DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc->GetSafeHdc()), 0));
}

HBRUSH KTDialogBar::OnCtlColor(CDC* dc, CWnd*, UINT kind)
{
    LRESULT result = Default();
    if (kind == CTLCOLOR_DLG || kind == CTLCOLOR_STATIC) {
        dc->SetTextColor(m_crText);
        dc->SetBkColor(m_crBk);
        return static_cast<HBRUSH>(m_brush);
    }
    return reinterpret_cast<HBRUSH>(result);
}

LRESULT KTDialogBar::OnInitDialogBarMessage(WPARAM, LPARAM)
{
    UpdateData(FALSE);
    OnInitDialogBar();
    return 0;
}

const platform::MessageMap* KTDialogBar::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &KTDialogBar::OnCreate>(),
        Message<WM_ERASEBKGND, &KTDialogBar::OnEraseBkgnd>(),
        CtlColor<&KTDialogBar::OnCtlColor>(),
        Message<WM_INITDIALOGBAR, &KTDialogBar::OnInitDialogBarMessage>(),
    };
    static constexpr platform::MessageMap kMap { &CControlBar::GetThisMessageMap, kEntries };
    return &kMap;
}
