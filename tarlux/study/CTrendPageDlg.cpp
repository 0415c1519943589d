// The trend page dialog.
#include "tarlux/study/CTrendPageDlg.h"

#include "tarlux/res/TarluxResources.h"

using namespace platform::msgmap;

namespace tarlux {

CTrendPageDlg::CTrendPageDlg() : CDialog(IDD_TREND_PAGE) {}

const platform::MessageMap* CTrendPageDlg::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SIZE, &CTrendPageDlg::OnSize>(),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CTrendPageDlg::Create(CWnd* pParentWnd) { return CDialog::Create(IDD_TREND_PAGE, pParentWnd); }

void CTrendPageDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TREND_VIEW, m_trendView);
}

// Enter would press a default button the page does not have; the key goes nowhere.
BOOL CTrendPageDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CTrendPageDlg::PlaceTrendView()
{
    if (!::IsWindow(m_trendView.m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(1, 1);
    m_trendView.MoveWindow(&client);
    m_trendView.Invalidate();
    m_trendView.ResetView();
}

void CTrendPageDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    PlaceTrendView();
}

void CTrendPageDlg::Refresh()
{
    if (::IsWindow(m_trendView.m_hWnd))
        m_trendView.ResetView();
}

} // namespace tarlux
