// CUserManagerDlg: the station's users. It searches them by id, name and level, adds and edits
// them through the add user dialog and deletes them.
#pragma once

#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

#include <functional>

namespace tarvic::records {

class CUserManagerDlg : public CDialog
{
public:
    static constexpr int kColumnCount = 5;

    explicit CUserManagerDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Enter searches (the default button); nothing closes the dialog but Close.
    void OnOK() override {}

    void OnSearch();
    void OnClear();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void SortByColumn(int column);

    CListCtrl& List() { return m_List; }
    // Opens the add user dialog for `userId` (empty: a new user); tests put their own in.
    std::function<INT_PTR(CWnd* parent, const CString& userId)> openUser;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKillFocus(NMHDR* pNMHDR, LRESULT* pResult);
    void EnableEditDelete(BOOL edit, BOOL del);
    void EnableForSelection();
    INT_PTR OpenUser(const CString& userId);

    bool m_bSortAscending { true };
    CListCtrl m_List;
};

// The user manager, run modally over `pParent` (the system settings open it).
void OpenUserManager(CWnd* pParent);

} // namespace tarvic::records
