// CRecordManagerDlg: what the patient manager and the user manager share: a list of records
// found by a search, Add and Edit through the record's own dialog, Delete of the selected rows,
// Edit and Delete enabled only with a selected and focused row, and a sort direction that flips
// at every column click.
#pragma once

#include "nrdata/list/CSortList.h"

#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

#include <functional>
#include <vector>

namespace tarvic::records {

class CRecordManagerDlg : public CDialog
{
public:
    // The dialog has no OK button: Enter searches (the default button), nothing closes it.
    void OnOK() override {}

    virtual void OnSearch() = 0;
    virtual void OnClear() = 0;
    virtual void OnDelete() = 0;
    // The record dialog for a new record, then a fresh search.
    void OnAdd();
    // The record dialog for the selected and focused row; after OK a fresh search with the same
    // position selected.
    void OnEdit();

    CListCtrl& List() { return m_List; }
    // Opens the record dialog for `id` (empty: a new record); tests put their own in.
    std::function<INT_PTR(CWnd* parent, const CString& id)> openRecord;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    using CDialog::CDialog;

    // The record's own dialog, modal.
    virtual INT_PTR OpenRecordDialog(const CString& id) = 0;

    void EnableEditDelete(BOOL edit, BOOL del);
    void EnableForSelection();
    // After a delete: removes the rows that went, says once that some stayed, and selects the
    // row nearest to `remembered`.
    void FinishDelete(int remembered, const std::vector<int>& removed, bool failed);
    void SortList(int column, CSortList::EDataType kind);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);

    CListCtrl m_List;

private:
    bool m_bSortAscending { true };
};

} // namespace tarvic::records
