// CWaitMessageDlg: the small box without caption that says what the station waits for while a
// bed's monitor is asked to acknowledge settings or an admission. Enter and Escape do not close
// it: only its creator hides and destroys it.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

namespace tarvic::bed {

class CWaitMessageDlg : public CDialog
{
public:
    explicit CWaitMessageDlg(CWnd* pParent = nullptr);
    ~CWaitMessageDlg() override;

    // Creates the box over `pParent`, centres it there, shows it and sets its text.
    BOOL Open(CWnd* pParent, const CString& text);
    void Close();
    void SetText(const CString& text);

    void OnOK() override {}
    void OnCancel() override {}
};

} // namespace tarvic::bed
