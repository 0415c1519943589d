// The user list that picks a doctor or a nurse, and the station's pickers built on it.
#include "tarvic/dialogs/CManagerListDlg.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/RecordLists.h"
#include "tarvic/dialogs/UserLists.h"
#include "tarvic/res/UserDialogIds.h"

namespace tarvic::records {
namespace {

constexpr ListColumn kColumns[CManagerListDlg::kColumnCount] = {
    {IDS_ID, 100}, {IDS_NAME, 150}, {IDS_REGISTRATION_DATE, 150}, {IDS_LEVEL, 100}, {IDS_EDIT_DATE, 60},
};

} // namespace

CManagerListDlg::CManagerListDlg(CWnd* pParent) : CDialog(IDD_MANAGER_LIST, pParent) {}

BOOL CManagerListDlg::OnInitDialog()
{
    SetWindowText(tarvic::bed::LoadText(IDS_USER_LIST));
    SetDlgItemText(IDC_PROMPT, tarvic::bed::LoadText(m_bDoctorMode ? IDS_SELECT_DOCTOR : IDS_SELECT_NURSE));
    m_List.SubclassDlgItem(IDC_USER_LIST, this);
    SetUpReportList(m_List, kColumns);
    const CString clause = BuildUserSearchClause("", "", m_bDoctorMode ? kLevelDoctor : kLevelNurse);
    FillUserList(m_List, clause, UserColumns::Picker);
    return TRUE;
}

void CManagerListDlg::OnOK()
{
    const int row = SelectedFocusedRow(m_List);
    if (row < 0) {
        StationMessageBox(m_bDoctorMode ? IDS_SELECT_DOCTOR_OK : IDS_SELECT_NURSE_OK, MB_OK | MB_ICONSTOP);
        return;
    }
    (m_bDoctorMode ? m_strDoctorId : m_strNurseId) = m_List.GetItemText(row, 0);
    EndDialog(IDOK);
}

} // namespace tarvic::records
