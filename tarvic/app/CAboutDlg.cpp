// The About box: the template holds its texts; the icon is the program's.
#include "tarvic/app/CAboutDlg.h"

#include "tarvic/res/TarvicResourceIds.h"

#include "platform/gdi/Icon.h"
#include "platform/ui/controls/Static.h"

CAboutDlg::CAboutDlg() : CDialog(tarvic::IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg()
{
    if (m_hIcon != nullptr)
        DestroyIcon(m_hIcon);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_hIcon == nullptr)
        m_hIcon = LoadIcon(nullptr, tarvic::IDR_MAINFRAME);
    // The first child is the icon's place.
    if (CWnd* place = GetWindow(GW_CHILD))
        place->SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(m_hIcon));
    return TRUE;
}
