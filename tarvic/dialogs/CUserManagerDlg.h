// CUserManagerDlg: the station's users. It searches them by id, name and level, adds and edits
// them through the add user dialog and deletes them.
#pragma once

#include "tarvic/dialogs/CRecordManagerDlg.h"

namespace tarvic::records {

class CUserManagerDlg : public CRecordManagerDlg
{
public:
    static constexpr int kColumnCount = 5;

    explicit CUserManagerDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    void OnSearch() override;
    void OnClear() override;
    void OnDelete() override;
    void SortByColumn(int column);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    INT_PTR OpenRecordDialog(const CString& userId) override;

private:
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKillFocus(NMHDR* pNMHDR, LRESULT* pResult);
};

// The user manager, run modally over `pParent` (the system settings open it).
void OpenUserManager(CWnd* pParent);

} // namespace tarvic::records
