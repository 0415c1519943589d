// CAddUserDlg: enters a new user (empty user id) or changes a stored one: name, level and
// password. It ends with IDOK only when the row was written.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

namespace tarvic::records {

class CAddUserDlg : public CDialog
{
public:
    explicit CAddUserDlg(CWnd* pParent = nullptr);

    // Before the dialog opens: the user to edit, or empty for a new one.
    void SetUserId(const CString& userId) { m_strUserId = userId; }
    BOOL IsAddMode() const { return m_bAddMode; }

    BOOL OnInitDialog() override;
    // Save: asks, checks, writes; refusals keep the dialog open.
    void OnOK() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void Load();
    void OnIdKillFocus();
    void OnNameKillFocus();

    CString m_strUserId;
    BOOL m_bAddMode { TRUE };
};

} // namespace tarvic::records
