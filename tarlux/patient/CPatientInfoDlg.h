// CPatientInfoDlg: the child dialog at the top right of the review form that shows the chosen
// patient and the patient's study history, where the user chooses a study (the review context's
// SelectStudy). Today it holds its place in the form only; the patient's fields and the history
// join it later.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

namespace tarlux {

class CPatientInfoDlg : public CDialog
{
public:
    CPatientInfoDlg();
    BOOL Create(CWnd* pParentWnd);
    // Shows the context's current patient again (WM_PATIENT_CHANGED, WM_PATIENT_INFO_REFRESH).
    void Reload() {}
};

} // namespace tarlux
