// The patient information dialog.
#include "tarlux/patient/CPatientInfoDlg.h"

#include "tarlux/res/TarluxResources.h"

namespace tarlux {

CPatientInfoDlg::CPatientInfoDlg() : CDialog(IDD_PATIENT_INFO) {}

BOOL CPatientInfoDlg::Create(CWnd* pParentWnd) { return CDialog::Create(IDD_PATIENT_INFO, pParentWnd); }

} // namespace tarlux
