// CDialog.
#include "platform/ui/dialogs/Dialog.h"

#include "platform/msg/MessageQueue.h"
#include "platform/ui/controls/Button.h"

const platform::MessageMap* CDialog::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CDialog::OnOKCommand>(IDOK),
        Command<&CDialog::OnCancelCommand>(IDCANCEL),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

const platform::DialogTemplate* CDialog::FindTemplate() const
{
    if (m_indirect)
        return m_indirect;
    if (m_lpszTemplateName)
        return platform::FindDialogTemplate(m_lpszTemplateName);
    return platform::FindDialogTemplate(m_nIDTemplate);
}

INT_PTR CDialog::DoModal()
{
    const platform::DialogTemplate* dialogTemplate = FindTemplate();
    if (!dialogTemplate || m_hWnd)
        return -1;
    // The owner is the top-level window of the parent, else the window the user works in; the
    // dialog shows above it and disables it while it runs.
    HWND owner = CWnd::GetSafeOwnerHwnd(m_pParentWnd);
    m_modal = true;
    HWND dialog = platform::ui::CreateDialogFromTemplate(*dialogTemplate, owner, this);
    if (!dialog) {
        m_modal = false;
        return -1;
    }
    INT_PTR result = platform::msg::RunModal(dialog);
    if (IsWindow(dialog))
        DestroyWindow();
    m_modal = false;
    return result;
}

BOOL CDialog::CreateFrom(const platform::DialogTemplate* dialogTemplate, CWnd* pParentWnd)
{
    if (!dialogTemplate || m_hWnd)
        return FALSE;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    m_modal = false;
    HWND dialog = platform::ui::CreateDialogFromTemplate(*dialogTemplate, parent, this);
    if (!dialog)
        return FALSE;
    if ((dialogTemplate->style & WS_VISIBLE) && !(dialogTemplate->style & WS_CHILD))
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_lpszTemplateName = nullptr;
    return CreateFrom(platform::FindDialogTemplate(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    return CreateFrom(platform::FindDialogTemplate(lpszTemplateName), pParentWnd);
}

BOOL CDialog::CreateIndirect(const platform::DialogTemplate& dialogTemplate, CWnd* pParentWnd)
{
    return CreateFrom(&dialogTemplate, pParentWnd);
}

BOOL CDialog::InitModalIndirect(const platform::DialogTemplate& dialogTemplate, CWnd* pParentWnd)
{
    m_indirect = &dialogTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // Handlers in a message map come first, as the framework's own do.
        LRESULT result = 0;
        if (OnWndMsg(message, wParam, lParam, &result))
            return result;
        return OnInitDialog();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult)
{
    if (!m_hWnd)
        return;
    if (m_modal)
        ::EndDialog(m_hWnd, nResult);
    else
        ShowWindow(SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    return platform::ui::RunDataExchange(dx, [this](CDataExchange* pDX) { DoDataExchange(pDX); }) ? TRUE : FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // A child dialog leaves navigation to the dialog it sits in, which walks into it.
    if (!m_hWnd || (GetStyle() & WS_CHILD))
        return FALSE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}
void CDialog::SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

