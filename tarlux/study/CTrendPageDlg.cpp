// The trend page dialog.
#include "tarlux/study/CTrendPageDlg.h"

#include "tarlux/res/TarluxResources.h"

namespace tarlux {

CTrendPageDlg::CTrendPageDlg() : CStudyPageDlg(IDD_TREND_PAGE) {}

void CTrendPageDlg::DoDataExchange(CDataExchange* pDX)
{
    CStudyPageDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TREND_VIEW, m_trendView);
}

} // namespace tarlux
