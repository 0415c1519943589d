// CPatientListDlg: the child dialog in the left column of the review form where the user
// searches patients and chooses one (the review context's SelectPatient). Today it holds its
// place in the form only; the search and the list join it later.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

namespace tarlux {

class CPatientListDlg : public CDialog
{
public:
    CPatientListDlg();
    BOOL Create(CWnd* pParentWnd);
    // Runs the search again (the view's answer to WM_PATIENT_LIST_REFRESH).
    void Search() {}
};

} // namespace tarlux
