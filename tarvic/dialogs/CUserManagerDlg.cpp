// The user manager.
#include "tarvic/dialogs/CUserManagerDlg.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CAddUserDlg.h"
#include "tarvic/dialogs/RecordLists.h"
#include "tarvic/dialogs/UserLists.h"
#include "tarvic/res/UserDialogIds.h"

#include "nrdata/table/TBLUser.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Edit.h"

namespace tarvic::records {
namespace {

using tarvic::bed::LabelText;

constexpr LabelText kLabels[] = {
    {1255, IDS_CONDITION, false}, {1250, IDS_ID, true},        {1548, IDS_NAME, true},
    {1549, IDS_LEVEL, true},      {IDC_SEARCH, IDS_SEARCH, false}, {IDC_CLEAR, IDS_CLEAR, false},
    {IDC_ADD, IDS_ADD, false},    {IDC_EDIT, IDS_EDIT, false}, {IDC_DELETE, IDS_DELETE, false},
    {IDCANCEL, IDS_CLOSE, false},
};

constexpr ListColumn kColumns[CUserManagerDlg::kColumnCount] = {
    {IDS_ID, 100}, {IDS_NAME, 150}, {IDS_LEVEL, 100}, {IDS_REGISTRATION_DATE, 150}, {IDS_EDIT_DATE, 60},
};

constexpr int kSearchLimit = 50;

} // namespace

CUserManagerDlg::CUserManagerDlg(CWnd* pParent) : CRecordManagerDlg(IDD_USER_MANAGER, pParent) {}

BOOL CUserManagerDlg::OnInitDialog()
{
    SetWindowText(tarvic::bed::LoadText(IDS_USER_MANAGER));
    SetLabelTexts(*this, kLabels);
    for (long level : {kLevelSystem, kLevelNurse, kLevelDoctor})
        tarvic::bed::AddListEntry(*this, IDC_LEVEL, UserLevelText(level), level);
    tarvic::bed::AddListEntry(*this, IDC_LEVEL, tarvic::bed::LoadText(IDS_ALL), kLevelAll);
    m_List.SubclassDlgItem(IDC_USER_LIST, this);
    SetUpReportList(m_List, kColumns);
    for (int id : {IDC_ID, IDC_USER_NAME})
        SendDlgItemMessage(id, EM_LIMITTEXT, kSearchLimit);
    EnableEditDelete(FALSE, FALSE);
    OnClear();
    OnSearch();
    return TRUE;
}

void CUserManagerDlg::OnClear()
{
    SetDlgItemText(IDC_ID, "");
    SetDlgItemText(IDC_USER_NAME, "");
    tarvic::bed::SelectListValue(*this, IDC_LEVEL, kLevelAll);
}

void CUserManagerDlg::OnSearch()
{
    CString id;
    CString name;
    GetDlgItemText(IDC_ID, id);
    GetDlgItemText(IDC_USER_NAME, name);
    const CString clause =
        BuildUserSearchClause(id, name, tarvic::bed::SelectedListValue(*this, IDC_LEVEL, kLevelAll));
    FillUserList(m_List, clause.IsEmpty() ? nullptr : clause.GetString(), UserColumns::Manager);
    EnableForSelection();
}

INT_PTR CUserManagerDlg::OpenRecordDialog(const CString& userId)
{
    CAddUserDlg dialog(this);
    dialog.SetUserId(userId);
    return dialog.DoModal();
}

void CUserManagerDlg::OnDelete()
{
    const int remembered = SelectedFocusedRow(m_List);
    if (StationMessageBox(IDS_ASK_DELETE_USER, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    std::vector<int> removed;
    bool failed = false;
    for (const ChosenRow& row : SelectedRows(m_List)) {
        TBLUser user(&g_Database);
        user.M_ID = row.id;
        if (user.Delete() == 1)
            removed.push_back(row.position);
        else
            failed = true;
    }
    FinishDelete(remembered, removed, failed);
}

void CUserManagerDlg::SortByColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    SortList(column, CSortList::SORT_TEXT);
}

void CUserManagerDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

void CUserManagerDlg::OnListKillFocus(NMHDR*, LRESULT* pResult) { *pResult = 0; }

const platform::MessageMap* CUserManagerDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Notify<&CUserManagerDlg::OnItemChanged>(LVN_ITEMCHANGED, IDC_USER_LIST),
        Notify<&CUserManagerDlg::OnColumnClick>(LVN_COLUMNCLICK, IDC_USER_LIST),
        Notify<&CUserManagerDlg::OnListKillFocus>(NM_KILLFOCUS, IDC_USER_LIST),
    };
    static constexpr platform::MessageMap kMap{&CRecordManagerDlg::GetThisMessageMap, kEntries};
    return &kMap;
}

void OpenUserManager(CWnd* pParent)
{
    CUserManagerDlg dialog(pParent);
    dialog.DoModal();
}

} // namespace tarvic::records
