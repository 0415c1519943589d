// The wait box.
#include "tarvic/dialogs/CWaitMessageDlg.h"

#include "tarvic/res/BedDialogIds.h"

namespace tarvic::bed {

CWaitMessageDlg::CWaitMessageDlg(CWnd* pParent) : CDialog(IDD_WAIT_MESSAGE, pParent) {}

CWaitMessageDlg::~CWaitMessageDlg() { Close(); }

BOOL CWaitMessageDlg::Open(CWnd* pParent, const CString& text)
{
    if (!Create(IDD_WAIT_MESSAGE, pParent))
        return FALSE;
    CenterWindow(pParent);
    ShowWindow(SW_SHOW);
    SetText(text);
    return TRUE;
}

void CWaitMessageDlg::Close()
{
    if (GetSafeHwnd() == nullptr || !::IsWindow(GetSafeHwnd()))
        return;
    ShowWindow(SW_HIDE);
    DestroyWindow();
}

void CWaitMessageDlg::SetText(const CString& text)
{
    if (GetSafeHwnd() != nullptr)
        SetDlgItemText(IDC_WAIT_TEXT, text);
}

} // namespace tarvic::bed
