// The record managers' shared behaviour.
#include "tarvic/dialogs/CRecordManagerDlg.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/RecordLists.h"
#include "tarvic/res/UserDialogIds.h"

#include "platform/msg/MessageMap.h"

namespace tarvic::records {

void CRecordManagerDlg::EnableEditDelete(BOOL edit, BOOL del)
{
    if (CWnd* button = GetDlgItem(IDC_EDIT))
        button->EnableWindow(edit);
    if (CWnd* button = GetDlgItem(IDC_DELETE))
        button->EnableWindow(del);
}

void CRecordManagerDlg::EnableForSelection()
{
    const BOOL selected = SelectedFocusedRow(m_List) >= 0;
    EnableEditDelete(selected, selected);
}

void CRecordManagerDlg::OnAdd()
{
    if (openRecord)
        openRecord(this, CString());
    else
        OpenRecordDialog(CString());
    OnClear();
    OnSearch();
}

void CRecordManagerDlg::OnEdit()
{
    const int row = SelectedFocusedRow(m_List);
    if (row < 0)
        return;
    const CString id = m_List.GetItemText(row, 0);
    if ((openRecord ? openRecord(this, id) : OpenRecordDialog(id)) != IDOK)
        return;
    OnSearch();
    if (row < m_List.GetItemCount()) {
        SelectRowExclusively(m_List, row);
        EnableForSelection();
    }
}

void CRecordManagerDlg::FinishDelete(int remembered, const std::vector<int>& removed, bool failed)
{
    RemoveRows(m_List, removed);
    if (failed)
        StationMessageBox(IDS_DATABASE_ERROR, MB_OK | MB_ICONSTOP);
    if (SelectNearestRow(m_List, remembered))
        EnableForSelection();
    else
        EnableEditDelete(FALSE, FALSE);
}

void CRecordManagerDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    if ((change->uNewState & both) == both)
        EnableEditDelete(TRUE, TRUE);
    else if (CWnd* edit = GetDlgItem(IDC_EDIT))
        edit->EnableWindow(FALSE);
}

void CRecordManagerDlg::SortList(int column, CSortList::EDataType kind)
{
    CSortList(&m_List, column).Sort(m_bSortAscending, kind);
    m_bSortAscending = !m_bSortAscending;
}

const platform::MessageMap* CRecordManagerDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CRecordManagerDlg::OnSearch>(IDC_SEARCH), Command<&CRecordManagerDlg::OnClear>(IDC_CLEAR),
        Command<&CRecordManagerDlg::OnAdd>(IDC_ADD),       Command<&CRecordManagerDlg::OnEdit>(IDC_EDIT),
        Command<&CRecordManagerDlg::OnDelete>(IDC_DELETE),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::records
