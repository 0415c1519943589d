// Dialogs from templates: layout in dialog units (compared with a reviewed golden picture), modal
// runs ended by Enter, Escape and EndDialog from another thread, the same object shown again,
// tab order and radio groups, mnemonics, data exchange both ways with validation, child
// dialogs placed on a parent, and controls of a custom registered class.
#include "platform/core/ResourceModule.h"
#include "platform/msg/MessageBoxService.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/dialogs/Dialog.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Static.h"
#include "testkit/Golden.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT IDD_PATIENT = 500;
constexpr UINT IDD_PAGE = 501;
constexpr UINT IDD_HOST = 502;
constexpr UINT IDD_SHEET = 503;
constexpr UINT IDD_NOTE = 504;
constexpr int IDC_NAME = 101, IDC_AGE = 102, IDC_MALE = 103, IDC_FEMALE = 104, IDC_DISCHARGED = 105, IDC_GRAPH = 106;
constexpr int IDC_PAGE_EDIT = 201, IDC_PAGE_CHECK = 202, IDC_TABS = 301, IDC_NOTE = 401;

LRESULT GraphProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProc(hwnd, message, wParam, lParam); }

// A library's own window class, registered before its dialogs are made.
const bool kGraphClass = [] {
    WNDCLASS wc;
    wc.lpfnWndProc = GraphProc;
    wc.lpszClassName = "TestTrendGraph";
    RegisterClass(&wc);
    return true;
}();

const platform::DialogItem kPatientItems[] = {
    { "Static", "&Name :", IDC_STATIC, SS_RIGHT, 7, 10, 40, 8 },
    { "Edit", "", IDC_NAME, ES_AUTOHSCROLL | WS_TABSTOP, 50, 8, 80, 12, WS_EX_CLIENTEDGE },
    { "Static", "&Age :", IDC_STATIC, SS_RIGHT, 7, 26, 40, 8 },
    { "Edit", "", IDC_AGE, ES_AUTOHSCROLL | ES_RIGHT | WS_TABSTOP, 50, 24, 30, 12, WS_EX_CLIENTEDGE },
    { "Button", "Gender", IDC_STATIC, BS_GROUPBOX, 7, 40, 125, 28 },
    { "Button", "&Male", IDC_MALE, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 14, 52, 45, 10 },
    { "Button", "&Female", IDC_FEMALE, BS_AUTORADIOBUTTON, 62, 52, 50, 10 },
    { "Button", "&Discharged", IDC_DISCHARGED, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 7, 74, 80, 10 },
    { "TestTrendGraph", "", IDC_GRAPH, 0, 140, 8, 53, 60 },
    { "Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 88, 94, 50, 14 },
    { "Button", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 143, 94, 50, 14 },
};

const platform::DialogItem kPageItems[] = {
    { "Edit", "", IDC_PAGE_EDIT, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 4, 4, 60, 12 },
    { "Button", "Alarm", IDC_PAGE_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, 4, 20, 60, 10 },
};

const platform::DialogItem kHostItems[] = {
    { "Edit", "", IDC_NAME, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 4, 4, 60, 12 },
    { "Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 4, 80, 50, 14 },
};

// A sheet: its pages sit on the tab control, not on the dialog.
const platform::DialogItem kSheetItems[] = {
    { "SysTabControl32", "", IDC_TABS, WS_TABSTOP, 4, 4, 112, 70 },
    { "Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 4, 80, 50, 14 },
};

// A comment field that takes Enter, between a name and OK.
const platform::DialogItem kNoteItems[] = {
    { "Edit", "", IDC_NAME, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 4, 4, 60, 12 },
    { "Edit", "", IDC_NOTE, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP | WS_BORDER, 4, 20, 100, 40 },
    { "Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 4, 66, 50, 14 },
};

const platform::DialogTemplate kDialogs[] = {
    { IDD_PATIENT, "PATIENT", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 200, 115, "Patient", "MS Sans Serif", 8,
      kPatientItems },
    { IDD_PAGE, nullptr, DS_CONTROL | WS_CHILD, 0, 10, 20, 80, 40, nullptr, "MS Sans Serif", 8, kPageItems },
    { IDD_HOST, nullptr, DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 120, 100, "Host", "MS Sans Serif", 8, kHostItems },
    { IDD_SHEET, nullptr, DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 120, 100, "Sheet", "MS Sans Serif", 8, kSheetItems },
    { IDD_NOTE, nullptr, DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 110, 86, "Note", "MS Sans Serif", 8, kNoteItems },
};
const platform::DialogTemplateTable kDialogTable { kDialogs };
platform::ResourceModuleRegistration s_dialogs("UiDialogTest", { .dialogs = &kDialogTable });

class CPatientDlg : public CDialog
{
public:
    CPatientDlg() : CDialog(IDD_PATIENT) {}

    CString m_name { "Lee" };
    int m_age { 31 };
    int m_gender { 0 };
    int m_discharged { 0 };
    std::function<void(CPatientDlg&)> onInit;
    // Runs inside the modal loop, once the dialog is shown and has the focus.
    std::function<void(CPatientDlg&)> inLoop;
    int initCount { 0 };

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 20);
        DDX_Text(pDX, IDC_AGE, m_age);
        DDV_MinMaxInt(pDX, m_age, 0, 120);
        DDX_Radio(pDX, IDC_MALE, m_gender);
        DDX_Check(pDX, IDC_DISCHARGED, m_discharged);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ++initCount;
        if (onInit)
            onInit(*this);
        if (inLoop)
            PostMessage(kInLoop);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kInLoop) {
            inLoop(*this);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

    static constexpr UINT kInLoop = WM_APP + 1;
};

int FocusId() { return GetDlgCtrlID(GetFocus()); }

TEST(UiDialog, TemplateIsLaidOutInDialogUnits)
{
    CPatientDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PATIENT));
    dlg.ShowWindow(SW_SHOW);
    Pump();
    CRect expected(50, 8, 130, 20);
    dlg.MapDialogRect(&expected);
    CRect actual;
    dlg.GetDlgItem(IDC_NAME)->GetWindowRect(&actual);
    dlg.ScreenToClient(&actual);
    EXPECT_EQ(actual, expected);
    CRect client, size(0, 0, 200, 115);
    dlg.GetClientRect(&client);
    dlg.MapDialogRect(&size);
    EXPECT_EQ(client.Size(), size.Size());
    // The custom class made by name, the template font set on every control.
    ASSERT_NE(dlg.GetDlgItem(IDC_GRAPH), nullptr);
    char className[32] {};
    GetClassName(dlg.GetDlgItem(IDC_GRAPH)->m_hWnd, className, sizeof(className));
    EXPECT_STREQ(className, "TestTrendGraph");
    EXPECT_EQ(dlg.GetDlgItem(IDC_AGE)->SendMessage(WM_GETFONT), dlg.SendMessage(WM_GETFONT));
    EXPECT_EQ(LOWORD(dlg.GetDefID()), IDOK);
    testkit::ExpectMatchesGolden(testkit::Capture(dlg), "platform/tests/golden/ui_dialog_template.png");
    dlg.DestroyWindow();
}

TEST(UiDialog, EnterSavesAndEndsWithOk)
{
    CPatientDlg dlg;
    dlg.inLoop = [](CPatientDlg& d) {
        EXPECT_EQ(FocusId(), IDC_NAME); // the first tab stop
        d.SetDlgItemText(IDC_NAME, "Park");
        d.SetDlgItemText(IDC_AGE, "44");
        d.CheckRadioButton(IDC_MALE, IDC_FEMALE, IDC_FEMALE);
        NullHost::PressKey(VK_RETURN);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_name, "Park");
    EXPECT_EQ(dlg.m_age, 44);
    EXPECT_EQ(dlg.m_gender, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(UiDialog, EscapeCancelsAndKeepsTheMembers)
{
    CPatientDlg dlg;
    dlg.inLoop = [](CPatientDlg& d) {
        EXPECT_EQ(d.GetDlgItemInt(IDC_AGE), 31u); // loaded from the member
        d.SetDlgItemText(IDC_NAME, "Changed");
        NullHost::PressKey(VK_ESCAPE);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_name, "Lee");
}

TEST(UiDialog, EndDialogFromAnotherThreadAndTheSameObjectShownAgain)
{
    CPatientDlg dlg;
    std::thread outside;
    dlg.onInit = [&](CPatientDlg& d) {
        HWND hwnd = d.m_hWnd;
        outside = std::thread([hwnd] { EndDialog(hwnd, 42); });
    };
    EXPECT_EQ(dlg.DoModal(), 42);
    outside.join();
    dlg.onInit = [](CPatientDlg& d) { d.EndDialog(IDCANCEL); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.initCount, 2);
}

TEST(UiDialog, ModalDisablesTheOwnerWhileItRuns)
{
    testkit::ParentWnd owner;
    ASSERT_TRUE(owner.CreateTop());
    struct ProbeDlg : CPatientDlg
    {
        HWND ownerHwnd { nullptr };
        bool ownerEnabledInLoop { true };
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_APP) { // handled inside the modal loop
                ownerEnabledInLoop = ::IsWindowEnabled(ownerHwnd) != FALSE;
                EndDialog(IDOK);
                return 0;
            }
            return CPatientDlg::WindowProc(message, wParam, lParam);
        }
    } dlg;
    dlg.m_pParentWnd = &owner;
    dlg.ownerHwnd = owner.m_hWnd;
    dlg.onInit = [](CPatientDlg& d) { d.PostMessage(WM_APP); };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.ownerEnabledInLoop);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

class UiDialogNavigation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create(IDD_PATIENT));
        dlg.ShowWindow(SW_SHOW);
        dlg.SetActiveWindow();
        Pump();
        dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_NAME));
        dlg.owner.clear();
    }
    void TearDown() override { dlg.DestroyWindow(); }

    static void Press(int key)
    {
        NullHost::PressKey(key);
        Pump();
    }

    struct RecordingDlg : CPatientDlg
    {
        std::vector<std::pair<int, int>> owner; // (id, code) of WM_COMMAND
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
        {
            owner.emplace_back(LOWORD(wParam), HIWORD(wParam));
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                return TRUE; // stays open for the test
            return CPatientDlg::OnCommand(wParam, lParam);
        }
    } dlg;
};

TEST_F(UiDialogNavigation, TabWalksTheTabStopsInOrderAndWraps)
{
    std::vector<int> order;
    for (int i = 0; i < 6; ++i) {
        Press(VK_TAB);
        order.push_back(FocusId());
    }
    // The radio group is one stop (its checked button); the custom control is not a stop.
    EXPECT_EQ(order, (std::vector<int> { IDC_AGE, IDC_MALE, IDC_DISCHARGED, IDOK, IDCANCEL, IDC_NAME }));
    NullHost::KeyDown(VK_SHIFT);
    NullHost::PressKey(VK_TAB);
    NullHost::KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(FocusId(), IDCANCEL);
}

TEST_F(UiDialogNavigation, ArrowsMoveWithinTheRadioGroupAndCheck)
{
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_MALE));
    Press(VK_RIGHT);
    EXPECT_EQ(FocusId(), IDC_FEMALE);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FEMALE), 1u);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MALE), 0u);
    Press(VK_DOWN); // wraps within the group
    EXPECT_EQ(FocusId(), IDC_MALE);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MALE), 1u);
    // Tab now stops at the checked radio button only.
    Press(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_DISCHARGED);
    EXPECT_NE(std::find(dlg.owner.begin(), dlg.owner.end(), std::pair<int, int>(IDC_FEMALE, BN_CLICKED)), dlg.owner.end());
}

TEST_F(UiDialogNavigation, EnterPressesTheFocusedOrDefaultButtonAndSpaceClicks)
{
    Press(VK_RETURN);
    ASSERT_FALSE(dlg.owner.empty());
    EXPECT_EQ(dlg.owner.back(), std::make_pair(IDOK, static_cast<int>(BN_CLICKED)));
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDCANCEL));
    Press(VK_RETURN);
    EXPECT_EQ(dlg.owner.back(), std::make_pair(IDCANCEL, static_cast<int>(BN_CLICKED)));
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_DISCHARGED));
    Press(VK_SPACE);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_DISCHARGED), 1u);
}

TEST_F(UiDialogNavigation, MnemonicsFocusTheControlAfterALabelAndClickButtons)
{
    NullHost::PressKeyWith('A', { VK_MENU });
    Pump();
    EXPECT_EQ(FocusId(), IDC_AGE);
    NullHost::PressKeyWith('D', { VK_MENU });
    Pump();
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_DISCHARGED), 1u);
    EXPECT_EQ(FocusId(), IDC_DISCHARGED);
}

// The centre of a control on the screen, where a user clicks it.
CPoint CentreOf(CWnd* control)
{
    CRect rect;
    control->GetWindowRect(&rect);
    return rect.CenterPoint();
}

TEST_F(UiDialogNavigation, AClickInsideAGroupBoxReachesTheControlBeneathIt)
{
    // The group box "Gender" was made before its radio buttons and lies above them.
    CPoint female = CentreOf(dlg.GetDlgItem(IDC_FEMALE));
    NullHost::Click(female.x, female.y);
    Pump();
    EXPECT_EQ(FocusId(), IDC_FEMALE);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FEMALE), 1u);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MALE), 0u);

    // A disabled or hidden control is passed over: the click reaches neither it nor the box.
    dlg.GetDlgItem(IDC_MALE)->EnableWindow(FALSE);
    dlg.owner.clear();
    CPoint male = CentreOf(dlg.GetDlgItem(IDC_MALE));
    NullHost::Click(male.x, male.y);
    dlg.GetDlgItem(IDC_DISCHARGED)->ShowWindow(SW_HIDE);
    CPoint discharged = CentreOf(dlg.GetDlgItem(IDC_DISCHARGED));
    NullHost::Click(discharged.x, discharged.y);
    Pump();
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MALE), 0u);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_DISCHARGED), 0u);
    EXPECT_TRUE(dlg.owner.empty());
    EXPECT_EQ(::WindowFromPoint(male), dlg.m_hWnd);
}

TEST(UiDialogKeys, AMultiLineFieldTakesEnterButTabAndEscapeLeaveIt)
{
    CDialog note(IDD_NOTE);
    ASSERT_TRUE(note.Create(IDD_NOTE));
    note.ShowWindow(SW_SHOW);
    note.GotoDlgCtrl(note.GetDlgItem(IDC_NOTE));
    NullHost::TypeText("one\rtwo");
    Pump();
    CString text;
    note.GetDlgItemText(IDC_NOTE, text);
    EXPECT_EQ(text, "one\r\ntwo");
    EXPECT_TRUE(note.IsWindowVisible()) << "Enter in the field does not press OK";
    NullHost::PressKey(VK_TAB);
    Pump();
    EXPECT_EQ(FocusId(), IDOK);
    NullHost::PressKeyWith(VK_TAB, { VK_SHIFT });
    Pump();
    EXPECT_EQ(FocusId(), IDC_NOTE);
    NullHost::PressKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(note.IsWindowVisible()) << "Escape cancels the dialog";
    note.DestroyWindow();
}

TEST(UiDialogExchange, RefusedValueShowsAMessageAndReturnsTheFocus)
{
    platform::msg::ResetMessageBoxScript();
    CPatientDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PATIENT));
    dlg.SetDlgItemText(IDC_AGE, "12x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Please enter an integer.");
    EXPECT_EQ(FocusId(), IDC_AGE);
    EXPECT_EQ(dlg.m_age, 31);
    dlg.SetDlgItemText(IDC_AGE, "130");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Please enter an integer between 0 and 120.");
    dlg.SetDlgItemText(IDC_AGE, " 77 ");
    dlg.CheckDlgButton(IDC_DISCHARGED, BST_CHECKED);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_age, 77);
    EXPECT_EQ(dlg.m_discharged, 1);
    dlg.DestroyWindow();
}

TEST(UiDialogExchange, DoublesAndControlSubclassing)
{
    struct RealDlg : CDialog
    {
        RealDlg() : CDialog(IDD_HOST) {}
        double value { 36.5 };
        CEdit edit;
        void DoDataExchange(CDataExchange* pDX) override
        {
            DDX_Control(pDX, IDC_NAME, edit);
            DDX_Text(pDX, IDC_NAME, value);
            DDV_MinMaxDouble(pDX, value, 30.0, 45.0);
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(IDD_HOST));
    ASSERT_EQ(dlg.edit.m_hWnd, dlg.GetDlgItem(IDC_NAME)->m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.edit.m_hWnd), &dlg.edit);
    CString text;
    dlg.edit.GetWindowText(text);
    EXPECT_EQ(text, "36.5");
    dlg.edit.SetWindowText("38.25");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_DOUBLE_EQ(dlg.value, 38.25);
    platform::msg::ResetMessageBoxScript();
    dlg.edit.SetWindowText("1e999");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_DOUBLE_EQ(dlg.value, 38.25);
    dlg.DestroyWindow();
}

// A page that saves and reloads its data whenever an edit changes, as the stations' settings
// pages do: loading leaves an edit whose text is already right alone, so the reload neither
// changes the edit again (which would recurse without end) nor moves the caret.
TEST(UiDialogExchange, ReloadFromTheChangeHandlerLeavesAnUnchangedEditAlone)
{
    struct ReloadingDlg : CDialog
    {
        ReloadingDlg() : CDialog(IDD_HOST) {}
        CString name;
        int changes { 0 };
        int depth { 0 };
        int deepest { 0 };
        void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NAME, name); }
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
        {
            if (LOWORD(wParam) != IDC_NAME || HIWORD(wParam) != EN_CHANGE)
                return CDialog::OnCommand(wParam, lParam);
            ++changes;
            deepest = std::max(deepest, ++depth);
            if (depth < 10) { // a recursing exchange stops here instead of overflowing the stack
                UpdateData(TRUE);
                name.MakeUpper();
                UpdateData(FALSE);
            }
            --depth;
            return TRUE;
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(IDD_HOST));
    dlg.ShowWindow(SW_SHOW);
    HWND edit = dlg.GetDlgItem(IDC_NAME)->m_hWnd;
    SetFocus(edit);
    Pump();
    dlg.changes = 0;

    NullHost::TypeText("AB");
    Pump();
    EXPECT_EQ(dlg.changes, 2);
    EXPECT_EQ(dlg.deepest, 1);
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 2u);

    // A text the reload does change is written once, and that write's own change settles it.
    dlg.changes = 0;
    NullHost::TypeText("c");
    Pump();
    char text[16] {};
    GetWindowText(edit, text, sizeof(text));
    EXPECT_STREQ(text, "ABC");
    EXPECT_EQ(dlg.changes, 2);
    EXPECT_EQ(dlg.deepest, 2);
    dlg.DestroyWindow();
}

TEST(UiChildDialog, PlacedOnItsParentAndReachedByTab)
{
    CDialog host(IDD_HOST);
    ASSERT_TRUE(host.Create(IDD_HOST));
    host.ShowWindow(SW_SHOW);
    host.SetActiveWindow();
    CDialog page;
    ASSERT_TRUE(page.Create(IDD_PAGE, &host));
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    EXPECT_EQ(page.GetParent(), &host);
    page.ShowWindow(SW_SHOW); // a page shows when its holder shows it
    CRect placed, expected(10, 20, 90, 60);
    page.GetWindowRect(&placed);
    host.ScreenToClient(&placed);
    host.MapDialogRect(&expected);
    EXPECT_EQ(placed.TopLeft(), expected.TopLeft());
    // Its controls take their place in the host's tab order (the page was made last).
    host.GotoDlgCtrl(host.GetDlgItem(IDOK));
    NullHost::PressKey(VK_TAB);
    Pump();
    EXPECT_EQ(FocusId(), IDC_PAGE_EDIT);
    NullHost::PressKey(VK_TAB);
    Pump();
    EXPECT_EQ(FocusId(), IDC_PAGE_CHECK);
    NullHost::PressKey(VK_TAB);
    Pump();
    EXPECT_EQ(FocusId(), IDC_NAME);
    page.DestroyWindow();
    host.DestroyWindow();
}

TEST(UiChildDialog, APageOnATabControlIsWalkedAfterTheTabsAndKeepsItsOwnGroups)
{
    CDialog sheet(IDD_SHEET);
    ASSERT_TRUE(sheet.Create(IDD_SHEET));
    sheet.ShowWindow(SW_SHOW);
    sheet.SetActiveWindow();
    CDialog page;
    ASSERT_TRUE(page.Create(IDD_PAGE, sheet.GetDlgItem(IDC_TABS)));
    page.ShowWindow(SW_SHOW);
    Pump();
    sheet.GotoDlgCtrl(sheet.GetDlgItem(IDC_TABS));
    std::vector<int> order;
    for (int i = 0; i < 4; ++i) {
        NullHost::PressKey(VK_TAB);
        Pump();
        order.push_back(FocusId());
    }
    EXPECT_EQ(order, (std::vector<int> { IDC_PAGE_EDIT, IDC_PAGE_CHECK, IDOK, IDC_TABS }));
    // The arrows move within the page's group and never out of the page.
    page.GotoDlgCtrl(page.GetDlgItem(IDC_PAGE_CHECK));
    NullHost::PressKey(VK_DOWN);
    Pump();
    EXPECT_EQ(FocusId(), IDC_PAGE_EDIT);
    // A click on the page's check box, which lies on the tab control, reaches it.
    CPoint check = CentreOf(page.GetDlgItem(IDC_PAGE_CHECK));
    NullHost::Click(check.x, check.y);
    Pump();
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_PAGE_CHECK), 1u);
    page.DestroyWindow();
    sheet.DestroyWindow();
}

} // namespace
