// The wave page dialog.
#include "tarlux/study/CWavePageDlg.h"

#include "tarlux/res/TarluxResources.h"

namespace tarlux {

CWavePageDlg::CWavePageDlg() : CStudyPageDlg(IDD_WAVE_PAGE) {}

void CWavePageDlg::DoDataExchange(CDataExchange* pDX)
{
    CStudyPageDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WAVE_VIEW, m_waveView);
}

} // namespace tarlux
