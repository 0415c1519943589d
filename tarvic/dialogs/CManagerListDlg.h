// CManagerListDlg: picks one doctor (doctor mode) or one nurse from the stored users.
#pragma once

#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

namespace tarvic::records {

class CManagerListDlg : public CDialog
{
public:
    static constexpr int kColumnCount = 5;

    explicit CManagerListDlg(CWnd* pParent = nullptr);

    // Before the dialog opens: 1 picks a doctor, 0 a nurse.
    void SetDoctorMode(BOOL doctorMode) { m_bDoctorMode = doctorMode; }
    // The id chosen with OK: the doctor's in doctor mode, the nurse's otherwise.
    const CString& GetDoctorId() const { return m_strDoctorId; }
    const CString& GetNurseId() const { return m_strNurseId; }

    BOOL OnInitDialog() override;
    // Takes the selected user; without one it says what to do and stays open.
    void OnOK() override;

    CListCtrl& List() { return m_List; }

private:
    BOOL m_bDoctorMode { TRUE };
    CString m_strDoctorId;
    CString m_strNurseId;
    CListCtrl m_List;
};

} // namespace tarvic::records
