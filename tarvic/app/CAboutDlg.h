// CAboutDlg: the program's name, version and icon, with one button.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
    ~CAboutDlg() override;
    BOOL OnInitDialog() override;

private:
    HICON m_hIcon{nullptr};
};
