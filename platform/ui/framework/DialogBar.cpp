// The dialog bar.
#include "platform/ui/framework/DialogBar.h"

#include "platform/msg/WindowApi.h"
#include "platform/ui/dialogs/DialogFunctions.h"
#include "platform/ui/framework/FrameWnd.h"

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    const platform::DialogTemplate* tmpl = platform::FindDialogTemplate(nIDTemplate);
    return tmpl ? CreateIndirect(pParentWnd, *tmpl, nStyle, nID) : FALSE;
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    const platform::DialogTemplate* tmpl = platform::FindDialogTemplate(lpszTemplateName);
    return tmpl ? CreateIndirect(pParentWnd, *tmpl, nStyle, nID) : FALSE;
}

BOOL CDialogBar::CreateIndirect(CWnd* pParentWnd, const platform::DialogTemplate& dialogTemplate, UINT nStyle, UINT nID)
{
    if (m_hWnd || !pParentWnd)
        return FALSE;
    m_dwStyle = nStyle & CBRS_ALL;
    // The bar is always a visible child of its frame, whatever the template says.
    platform::DialogTemplate tmpl = dialogTemplate;
    tmpl.style = (tmpl.style & ~(WS_POPUP | WS_CAPTION | DS_MODALFRAME)) | WS_CHILD;
    HWND bar = platform::ui::CreateDialogFromTemplate(tmpl, pParentWnd->GetSafeHwnd(), this);
    if (!bar)
        return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = CSize(rect.Width(), rect.Height());
    if (nStyle & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return m_sizeDefault;
    return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        if (id <= 0 || id == 0xFFFF)
            continue;
        CCmdUI state;
        state.m_nID = static_cast<UINT>(id);
        state.m_pOther = CWnd::FromHandle(child);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
        if (state.m_bEnableChanged)
            ::EnableWindow(child, state.m_bEnabled);
    }
}

BOOL CDialogBar::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    return platform::ui::RunDataExchange(dx, [this](CDataExchange* pDX) { DoDataExchange(pDX); }) ? TRUE : FALSE;
}
