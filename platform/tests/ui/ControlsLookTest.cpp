// The classic light look of every standard control at once, laid out by a dialog template and
// compared with a reviewed golden picture (platform/tests/golden/ui_controls.png).
#include "platform/core/ResourceModule.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/DateTimeCtrl.h"
#include "platform/ui/dialogs/Dialog.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/ProgressCtrl.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/SliderCtrl.h"
#include "platform/ui/controls/SpinButtonCtrl.h"
#include "platform/ui/controls/Static.h"
#include "testkit/Golden.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT IDD_LOOK = 520;
enum : int
{
    IDC_EDIT = 1000, IDC_READONLY, IDC_DISABLED, IDC_DROPLIST, IDC_DROPDOWN, IDC_LIST, IDC_CHECK, IDC_3STATE, IDC_RADIO1,
    IDC_RADIO2, IDC_PUSH, IDC_GRAYED, IDC_HSCROLL, IDC_TRACK, IDC_SPINEDIT, IDC_SPIN, IDC_PROGRESS, IDC_DATE
};

const platform::DialogItem kLookItems[] = {
    { "Static", "&Patient :", IDC_STATIC, SS_RIGHT, 4, 6, 36, 8 },
    { "Edit", "Kim Min-ji", IDC_EDIT, ES_AUTOHSCROLL | WS_TABSTOP, 42, 4, 70, 12, WS_EX_CLIENTEDGE },
    { "Edit", "Read only", IDC_READONLY, ES_READONLY | ES_AUTOHSCROLL, 42, 18, 70, 12, WS_EX_CLIENTEDGE },
    { "Edit", "Disabled", IDC_DISABLED, ES_AUTOHSCROLL | WS_DISABLED, 42, 32, 70, 12, WS_EX_CLIENTEDGE },
    { "ComboBox", "", IDC_DROPLIST, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 120, 4, 70, 60 },
    { "ComboBox", "", IDC_DROPDOWN, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 120, 20, 70, 60 },
    { "ListBox", "", IDC_LIST, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, 196, 4, 60, 44, WS_EX_CLIENTEDGE },
    { "Button", "Options", IDC_STATIC, BS_GROUPBOX, 4, 48, 108, 52 },
    { "Button", "&Alarm on", IDC_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, 10, 58, 60, 10 },
    { "Button", "Sound", IDC_3STATE, BS_AUTO3STATE | WS_TABSTOP, 10, 70, 60, 10 },
    { "Button", "kg", IDC_RADIO1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 84, 30, 10 },
    { "Button", "lb", IDC_RADIO2, BS_AUTORADIOBUTTON, 44, 84, 30, 10 },
    { "ScrollBar", "", IDC_HSCROLL, SBS_HORZ, 120, 38, 70, 10 },
    { "msctls_trackbar32", "", IDC_TRACK, TBS_AUTOTICKS | WS_TABSTOP, 118, 52, 74, 18 },
    { "Edit", "5", IDC_SPINEDIT, ES_AUTOHSCROLL | WS_TABSTOP, 196, 52, 40, 12, WS_EX_CLIENTEDGE },
    { "msctls_updown32", "", IDC_SPIN, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, 0, 0, 10, 12 },
    { "msctls_progress32", "", IDC_PROGRESS, 0, 120, 74, 70, 10 },
    { "SysDateTimePick32", "", IDC_DATE, DTS_SHOWNONE | WS_TABSTOP, 190, 70, 68, 14 },
    { "Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 120, 104, 44, 14 },
    { "Button", "&Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 168, 104, 44, 14 },
    { "Button", "Off", IDC_GRAYED, BS_PUSHBUTTON | WS_DISABLED, 216, 104, 40, 14 },
};

const platform::DialogTemplate kDialogs[] = {
    { IDD_LOOK, nullptr, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 262, 124, "Controls", "MS Sans Serif", 8,
      kLookItems },
};
const platform::DialogTemplateTable kDialogTable { kDialogs };
platform::ResourceModuleRegistration s_dialogs("UiControlsLookTest", { .dialogs = &kDialogTable });

class LookDialog : public CDialog
{
public:
    LookDialog() : CDialog(IDD_LOOK) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        for (int id : { IDC_DROPLIST, IDC_DROPDOWN })
            for (const char* level : { "Low", "Moderate", "High" })
                ::SendDlgItemMessage(m_hWnd, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(level));
        ::SendDlgItemMessage(m_hWnd, IDC_DROPLIST, CB_SETCURSEL, 1, 0);
        ::SendDlgItemMessage(m_hWnd, IDC_DROPDOWN, CB_SETCURSEL, 2, 0);
        for (const char* bed : { "Bed 1", "Bed 2", "Bed 3", "Bed 4", "Bed 5", "Bed 6" })
            ::SendDlgItemMessage(m_hWnd, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(bed));
        ::SendDlgItemMessage(m_hWnd, IDC_LIST, LB_SETCURSEL, 1, 0);
        CheckDlgButton(IDC_CHECK, BST_CHECKED);
        CheckDlgButton(IDC_3STATE, BST_INDETERMINATE);
        CheckRadioButton(IDC_RADIO1, IDC_RADIO2, IDC_RADIO1);
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        info.nMax = 99;
        info.nPage = 25;
        info.nPos = 30;
        ::SetScrollInfo(::GetDlgItem(m_hWnd, IDC_HSCROLL), SB_CTL, &info, TRUE);
        ::SendDlgItemMessage(m_hWnd, IDC_TRACK, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        ::SendDlgItemMessage(m_hWnd, IDC_TRACK, TBM_SETPOS, TRUE, 4);
        ::SendDlgItemMessage(m_hWnd, IDC_SPIN, UDM_SETRANGE32, 0, 10);
        ::SendDlgItemMessage(m_hWnd, IDC_SPIN, UDM_SETPOS32, 0, 5);
        ::SendDlgItemMessage(m_hWnd, IDC_PROGRESS, PBM_SETPOS, 60, 0);
        SYSTEMTIME st;
        st.wYear = 2024, st.wMonth = 2, st.wDay = 28;
        ::SendDlgItemMessage(m_hWnd, IDC_DATE, DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>("yyyy-MM-dd"));
        ::SendDlgItemMessage(m_hWnd, IDC_DATE, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        return TRUE;
    }
};

TEST(UiControlsLook, EveryControlInTheClassicLightLook)
{
    LookDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_LOOK));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetActiveWindow();
    testkit::Pump();
    testkit::ExpectMatchesGolden(testkit::Capture(dlg), "platform/tests/golden/ui_controls.png");
    dlg.DestroyWindow();
}

} // namespace
