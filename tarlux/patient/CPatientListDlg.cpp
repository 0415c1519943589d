// The patient list dialog.
#include "tarlux/patient/CPatientListDlg.h"

#include "tarlux/res/TarluxResources.h"

namespace tarlux {

CPatientListDlg::CPatientListDlg() : CDialog(IDD_PATIENT_LIST) {}

BOOL CPatientListDlg::Create(CWnd* pParentWnd) { return CDialog::Create(IDD_PATIENT_LIST, pParentWnd); }

} // namespace tarlux
