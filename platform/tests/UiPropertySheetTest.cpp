// Property sheets: pages made from templates when first shown, tab changes that a page may
// refuse, Apply enabled by a page's changes, OK and Cancel reaching only the pages that were
// made, Enter and Escape, the sheet without Apply, and the start page and page list at run time.
#include "platform/core/Clock.h"
#include "platform/core/ResourceModule.h"
#include "platform/msg/MessageBoxService.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Static.h"
#include "support/UiTestParent.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using platform::host::NullHost;
using uitest::Pump;

namespace {

constexpr UINT IDD_GENERAL = 600;
constexpr UINT IDD_ALARMS = 601;
constexpr int IDC_NAME = 101, IDC_DEMO = 102, IDC_LIMIT = 201;

const platform::DialogItem kGeneralItems[] = {
    { "Static", "&Name :", IDC_STATIC, SS_RIGHT, 7, 9, 40, 8 },
    { "Edit", "", IDC_NAME, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 50, 7, 90, 12 },
    { "Button", "&Demo bed", IDC_DEMO, BS_AUTOCHECKBOX | WS_TABSTOP, 50, 25, 80, 10 },
};

const platform::DialogItem kAlarmItems[] = {
    { "Static", "&Limit :", IDC_STATIC, SS_RIGHT, 7, 9, 40, 8 },
    { "Edit", "", IDC_LIMIT, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 50, 7, 40, 12 },
};

// The alarm page is the larger one: the sheet takes its size.
const platform::DialogTemplate kDialogs[] = {
    { IDD_GENERAL, nullptr, DS_CONTROL | WS_CHILD, 0, 0, 0, 160, 60, "General", "MS Sans Serif", 8, kGeneralItems },
    { IDD_ALARMS, nullptr, DS_CONTROL | WS_CHILD, 0, 0, 0, 180, 90, "Alarms", "MS Sans Serif", 8, kAlarmItems },
};
const platform::DialogTemplateTable kDialogTable { kDialogs };
platform::ResourceModuleRegistration s_dialogs("UiPropertySheetTest", { .dialogs = &kDialogTable });

// What the pages were asked, in order: "set General", "kill Alarms", "apply General", ...
std::vector<std::string> g_calls;

class RecordingPage : public CPropertyPage
{
public:
    RecordingPage(UINT id, std::string name) : CPropertyPage(id), m_name(std::move(name)) {}

    BOOL OnSetActive() override
    {
        g_calls.push_back("set " + m_name);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        g_calls.push_back("kill " + m_name);
        return refuseLeave ? FALSE : CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        g_calls.push_back("apply " + m_name);
        return refuseApply ? FALSE : CPropertyPage::OnApply();
    }
    void OnOK() override { g_calls.push_back("ok " + m_name); }
    void OnCancel() override { g_calls.push_back("cancel " + m_name); }

    bool refuseLeave { false };
    bool refuseApply { false };

private:
    std::string m_name;
};

class GeneralPage : public RecordingPage
{
public:
    GeneralPage() : RecordingPage(IDD_GENERAL, "General") {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_bedName);
        DDX_Check(pDX, IDC_DEMO, m_demo);
    }
    CString m_bedName { "Bed 1" };
    int m_demo { 0 };
};

class AlarmPage : public RecordingPage
{
public:
    AlarmPage() : RecordingPage(IDD_ALARMS, "Alarms") {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_LIMIT, m_limit);
        DDV_MinMaxInt(pDX, m_limit, 50, 240);
    }
    int m_limit { 160 };
};

// A sheet that runs a test's script inside its modal loop, once it is shown.
class ScriptedSheet : public CPropertySheet
{
public:
    ScriptedSheet() : CPropertySheet("Bed settings") {}

    std::function<void(ScriptedSheet&)> inLoop;

    BOOL OnInitDialog() override
    {
        BOOL result = CPropertySheet::OnInitDialog();
        if (inLoop)
            PostMessage(kInLoop);
        return result;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kInLoop) {
            inLoop(*this);
            // A script stopped by a failed assertion must not leave the modal loop running.
            if (::testing::Test::HasFatalFailure())
                EndDialog(IDABORT);
            return 0;
        }
        return CPropertySheet::WindowProc(message, wParam, lParam);
    }

    // Clicks far enough apart in time that two on the same tab are not a double click.
    void ClickTab(int index)
    {
        platform::AdvanceTestClock(1000);
        CRect r;
        ASSERT_TRUE(GetTabControl()->GetItemRect(index, &r));
        uitest::ClickPumped(uitest::ScreenPoint(GetTabControl()->m_hWnd, r.CenterPoint().x, r.CenterPoint().y));
    }

    void ClickButton(int id)
    {
        HWND button = ::GetDlgItem(m_hWnd, id);
        ASSERT_NE(button, nullptr);
        CRect r;
        ::GetClientRect(button, &r);
        uitest::ClickPumped(uitest::ScreenPoint(button, r.CenterPoint().x, r.CenterPoint().y));
    }

    CRect ChildRect(HWND child)
    {
        CRect r;
        ::GetWindowRect(child, &r);
        ScreenToClient(&r);
        return r;
    }

    bool ApplyEnabled() const { return ::IsWindowEnabled(::GetDlgItem(m_hWnd, static_cast<int>(ID_APPLY_NOW))) != FALSE; }

    static constexpr UINT kInLoop = WM_APP + 7;
};

class UiPropertySheet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_calls.clear();
        platform::msg::ResetMessageBoxScript();
        sheet.AddPage(&general);
        sheet.AddPage(&alarms);
    }

    platform::ScopedTestClock clock;
    GeneralPage general;
    AlarmPage alarms;
    ScriptedSheet sheet;
};

using Calls = std::vector<std::string>;

TEST_F(UiPropertySheet, TabsSwitchPagesMadeWhenFirstShownInsideTheClassicLayout)
{
    sheet.inLoop = [this](ScriptedSheet& s) {
        CString caption;
        s.GetWindowText(caption);
        EXPECT_EQ(caption, "Bed settings");
        CTabCtrl* tabs = s.GetTabControl();
        ASSERT_EQ(tabs->GetItemCount(), 2);
        char text[32] {};
        TCITEM item;
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        tabs->GetItem(1, &item);
        EXPECT_STREQ(text, "Alarms");
        EXPECT_EQ(s.GetActiveIndex(), 0);
        EXPECT_EQ(s.GetActivePage(), &general);
        EXPECT_TRUE(general.IsWindowVisible());
        EXPECT_EQ(alarms.m_hWnd, nullptr); // not made until shown
        EXPECT_EQ(general.GetDlgItemInt(IDC_NAME), 0u);
        CString name;
        general.GetDlgItemText(IDC_NAME, name);
        EXPECT_EQ(name, "Bed 1");

        // Layout: the page in the tab control's display area, sized for the larger page; the
        // buttons OK, Cancel, Apply in a row under the tab control, the last one flush right.
        CRect display = s.ChildRect(tabs->m_hWnd);
        tabs->AdjustRect(FALSE, &display);
        CRect largest(0, 0, 180, 90);
        s.MapDialogRect(&largest);
        EXPECT_EQ(display.Size(), largest.Size());
        EXPECT_EQ(s.ChildRect(general.m_hWnd), display);
        CRect ok = s.ChildRect(::GetDlgItem(s.m_hWnd, IDOK));
        CRect cancel = s.ChildRect(::GetDlgItem(s.m_hWnd, IDCANCEL));
        CRect apply = s.ChildRect(::GetDlgItem(s.m_hWnd, static_cast<int>(ID_APPLY_NOW)));
        EXPECT_LT(ok.right, cancel.left);
        EXPECT_LT(cancel.right, apply.left);
        EXPECT_EQ(ok.top, apply.top);
        EXPECT_GT(ok.top, s.ChildRect(tabs->m_hWnd).bottom);
        EXPECT_EQ(apply.right, s.ChildRect(tabs->m_hWnd).right);
        CRect client;
        s.GetClientRect(&client);
        EXPECT_GT(client.bottom, apply.bottom);

        g_calls.clear();
        s.ClickTab(1);
        EXPECT_EQ(g_calls, (Calls { "kill General", "set Alarms" }));
        EXPECT_EQ(s.GetActiveIndex(), 1);
        EXPECT_EQ(tabs->GetCurSel(), 1);
        ASSERT_NE(alarms.m_hWnd, nullptr);
        EXPECT_TRUE(alarms.IsWindowVisible());
        EXPECT_FALSE(general.IsWindowVisible());
        EXPECT_EQ(s.ChildRect(alarms.m_hWnd), display);
        EXPECT_EQ(alarms.GetDlgItemInt(IDC_LIMIT), 160u);

        // Back again: the page is shown, not made again, and reloads from its members.
        HWND generalWindow = general.m_hWnd;
        general.SetDlgItemText(IDC_NAME, "Bed 7"); // saved on leaving below
        s.ClickTab(0);
        s.ClickTab(1);
        general.m_bedName = "Bed 9";
        s.ClickTab(0);
        EXPECT_EQ(general.m_hWnd, generalWindow);
        general.GetDlgItemText(IDC_NAME, name);
        EXPECT_EQ(name, "Bed 9");
        s.ClickButton(IDCANCEL);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(alarms.m_hWnd, nullptr);
}

TEST_F(UiPropertySheet, APageThatRefusesToBeLeftKeepsItsTab)
{
    sheet.inLoop = [this](ScriptedSheet& s) {
        // Refused by the page itself.
        general.refuseLeave = true;
        s.ClickTab(1);
        EXPECT_EQ(s.GetActiveIndex(), 0);
        EXPECT_EQ(s.GetTabControl()->GetCurSel(), 0);
        EXPECT_EQ(alarms.m_hWnd, nullptr);
        EXPECT_FALSE(s.SetActivePage(1));
        general.refuseLeave = false;

        // Refused by data exchange: the value out of range is reported and keeps the page.
        s.ClickTab(1);
        alarms.SetDlgItemText(IDC_LIMIT, "999");
        s.ClickTab(0);
        EXPECT_EQ(s.GetActiveIndex(), 1);
        EXPECT_TRUE(alarms.IsWindowVisible());
        EXPECT_FALSE(general.IsWindowVisible());
        auto shown = platform::msg::TakeShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "Please enter an integer between 50 and 240.");
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_LIMIT);

        alarms.SetDlgItemText(IDC_LIMIT, "120");
        s.ClickTab(0);
        EXPECT_EQ(s.GetActiveIndex(), 0);
        EXPECT_EQ(alarms.m_limit, 120);

        // The arrow keys on the focused tabs ask the page the same way.
        s.GetTabControl()->SetFocus();
        general.refuseLeave = true;
        NullHost::PressKey(VK_RIGHT);
        Pump();
        EXPECT_EQ(s.GetActiveIndex(), 0);
        general.refuseLeave = false;
        NullHost::PressKey(VK_RIGHT);
        Pump();
        EXPECT_EQ(s.GetActiveIndex(), 1);
        EXPECT_TRUE(alarms.IsWindowVisible());
        s.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(UiPropertySheet, ApplyIsEnabledByAChangeAndAppliesThePagesMadeSoFar)
{
    sheet.inLoop = [this](ScriptedSheet& s) {
        EXPECT_FALSE(s.ApplyEnabled());
        general.SetModified();
        EXPECT_TRUE(s.ApplyEnabled());
        general.SetModified(FALSE);
        EXPECT_FALSE(s.ApplyEnabled());

        general.SetDlgItemText(IDC_NAME, "Bed 4");
        general.CheckDlgButton(IDC_DEMO, BST_CHECKED);
        general.SetModified();
        g_calls.clear();
        s.ClickButton(static_cast<int>(ID_APPLY_NOW));
        // The current page saves first; the alarm page was never made and hears nothing.
        EXPECT_EQ(g_calls, (Calls { "kill General", "apply General", "ok General" }));
        EXPECT_EQ(general.m_bedName, "Bed 4");
        EXPECT_EQ(general.m_demo, 1);
        EXPECT_FALSE(s.ApplyEnabled());
        EXPECT_NE(s.m_hWnd, nullptr); // Apply leaves the sheet open
        EXPECT_FALSE(general.IsModified());

        // A page whose apply fails is shown and the sheet keeps its changes pending.
        s.ClickTab(1);
        alarms.refuseApply = true;
        alarms.SetModified();
        s.ClickTab(0);
        g_calls.clear();
        s.ClickButton(static_cast<int>(ID_APPLY_NOW));
        EXPECT_EQ(g_calls, (Calls { "kill General", "apply General", "ok General", "apply Alarms", "set Alarms" }));
        EXPECT_EQ(s.GetActiveIndex(), 1);
        EXPECT_TRUE(s.ApplyEnabled());
        s.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(UiPropertySheet, EnterIsOkSavingTheCurrentPageAndApplyingOnlyThePagesMade)
{
    sheet.inLoop = [this](ScriptedSheet& s) {
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_NAME); // the page's first control
        general.SetDlgItemText(IDC_NAME, "Bed 12");
        g_calls.clear();
        NullHost::PressKey(VK_RETURN);
        Pump();
        EXPECT_EQ(g_calls, (Calls { "kill General", "apply General", "ok General" }));
        (void)s;
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(general.m_bedName, "Bed 12");
}

TEST_F(UiPropertySheet, OkRefusedByTheCurrentPageKeepsTheSheetOpen)
{
    sheet.inLoop = [this](ScriptedSheet& s) {
        s.ClickTab(1);
        alarms.SetDlgItemText(IDC_LIMIT, "20");
        g_calls.clear();
        s.ClickButton(IDOK);
        EXPECT_EQ(g_calls, (Calls { "kill Alarms" }));
        EXPECT_EQ(platform::msg::TakeShownMessageBoxes().size(), 1u);
        EXPECT_NE(s.m_hWnd, nullptr);
        alarms.SetDlgItemText(IDC_LIMIT, "90");
        g_calls.clear();
        s.ClickButton(IDOK);
        EXPECT_EQ(g_calls, (Calls { "kill Alarms", "apply General", "ok General", "apply Alarms", "ok Alarms" }));
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(alarms.m_limit, 90);
}

TEST_F(UiPropertySheet, EscapeCancelsEveryPageMadeAndKeepsTheMembers)
{
    sheet.inLoop = [this](ScriptedSheet& s) {
        s.ClickTab(1);
        alarms.SetDlgItemText(IDC_LIMIT, "100");
        alarms.GotoDlgCtrl(alarms.GetDlgItem(IDC_LIMIT));
        g_calls.clear();
        NullHost::PressKey(VK_ESCAPE);
        Pump();
        EXPECT_EQ(g_calls, (Calls { "cancel General", "cancel Alarms" }));
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(alarms.m_limit, 160);
    EXPECT_EQ(general.m_bedName, "Bed 1");

    // The close box is Cancel too.
    sheet.inLoop = [](ScriptedSheet& s) {
        g_calls.clear();
        s.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        Pump();
        EXPECT_EQ(g_calls, (Calls { "cancel General" }));
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(UiPropertySheet, NoApplyNowLeavesOkAndCancelFlushRight)
{
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.inLoop = [](ScriptedSheet& s) {
        EXPECT_EQ(::GetDlgItem(s.m_hWnd, static_cast<int>(ID_APPLY_NOW)), nullptr);
        CRect tabs = s.ChildRect(s.GetTabControl()->m_hWnd);
        CRect cancel = s.ChildRect(::GetDlgItem(s.m_hWnd, IDCANCEL));
        EXPECT_EQ(cancel.right, tabs.right);
        s.GetActivePage()->SetModified(); // nothing to enable, nothing breaks
        s.ClickButton(IDOK);
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(UiPropertySheet, StartPageAndPagesAddedOrRemovedWhileOpen)
{
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_TRUE(sheet.SetActivePage(&alarms));
    EXPECT_EQ(sheet.GetActivePage(), &alarms);
    EXPECT_FALSE(sheet.SetActivePage(5));
    GeneralPage extra;
    sheet.inLoop = [&](ScriptedSheet& s) {
        EXPECT_EQ(general.m_hWnd, nullptr); // only the start page was made
        EXPECT_EQ(s.GetActiveIndex(), 1);
        s.AddPage(&extra);
        EXPECT_EQ(s.GetTabControl()->GetItemCount(), 3);
        EXPECT_TRUE(s.SetActivePage(2));
        EXPECT_TRUE(extra.IsWindowVisible());
        EXPECT_EQ(s.GetTabControl()->GetCurSel(), 2);
        // Removing the shown page destroys its window and shows its neighbour.
        s.RemovePage(&extra);
        EXPECT_EQ(extra.m_hWnd, nullptr);
        EXPECT_EQ(s.GetPageCount(), 2);
        EXPECT_EQ(s.GetTabControl()->GetItemCount(), 2);
        EXPECT_EQ(s.GetActivePage(), &alarms);
        EXPECT_TRUE(alarms.IsWindowVisible());
        s.RemovePage(0);
        EXPECT_EQ(s.GetActiveIndex(), 0);
        EXPECT_EQ(s.GetPage(0), &alarms);
        s.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(UiPropertySheet, APageWithoutATemplateIsNeverShown)
{
    RecordingPage missing(999, "Missing");
    sheet.AddPage(&missing);
    sheet.inLoop = [&](ScriptedSheet& s) {
        s.ClickTab(2);
        EXPECT_EQ(s.GetActiveIndex(), 0);
        EXPECT_EQ(s.GetTabControl()->GetCurSel(), 0);
        EXPECT_TRUE(general.IsWindowVisible());
        EXPECT_FALSE(s.SetActivePage(2));
        s.ClickButton(IDOK);
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(UiPropertySheet, TheSameSheetRunsAgainWithItsPagesMadeAfresh)
{
    sheet.inLoop = [](ScriptedSheet& s) { s.ClickButton(IDOK); };
    EXPECT_EQ(sheet.DoModal(), IDOK);
    g_calls.clear();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(g_calls, (Calls { "set General", "kill General", "apply General", "ok General" }));
}

} // namespace
