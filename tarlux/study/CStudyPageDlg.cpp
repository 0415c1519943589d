// The pages of the study information.
#include "tarlux/study/CStudyPageDlg.h"

using namespace platform::msgmap;

namespace tarlux {

CStudyPageDlg::CStudyPageDlg(UINT nIDTemplate) : CDialog(nIDTemplate), m_nTemplate(nIDTemplate) {}

const platform::MessageMap* CStudyPageDlg::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SIZE, &CStudyPageDlg::OnSize>(),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CStudyPageDlg::Create(CWnd* pParentWnd) { return CDialog::Create(m_nTemplate, pParentWnd); }

// Enter would press a default button the page does not have; the key goes nowhere.
BOOL CStudyPageDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CStudyPageDlg::PlaceView()
{
    CWnd& view = ViewControl();
    if (!::IsWindow(view.m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(1, 1);
    view.MoveWindow(&client);
    view.Invalidate();
    ResetViewControl();
}

void CStudyPageDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    PlaceView();
}

void CStudyPageDlg::Refresh()
{
    if (::IsWindow(ViewControl().m_hWnd))
        ResetViewControl();
}

} // namespace tarlux
