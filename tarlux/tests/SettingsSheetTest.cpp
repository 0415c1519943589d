// The review settings sheet: its colour presets, saving only its keys into a settings file
// another writer changed meanwhile, and the trend flags that act at once and last.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/res/TarluxResources.h"

#include "platform/ui/controls/Button.h"
#include "tarlux/settings/CColorSettingPage.h"
#include "tarlux/settings/CDisplaySettingPage.h"
#include "tarlux/settings/CEnvironmentSettingDlg.h"
#include "tarlux/settings/TrendVisibility.h"

#include "nrdata/config/NyraConfig.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"

#include <gtest/gtest.h>

using namespace reviewtest;
using tarlux::CColorSettingPage;
using tarlux::CDisplaySettingPage;
using tarlux::CEnvironmentSettingDlg;

namespace {

constexpr int kFHR1Flag = 9;

// Counts the sheet's WM_SETTINGS_CHANGED.
class NotifyWnd : public CWnd
{
public:
    int posts { 0 };
    BOOL CreateTop() { return CreateEx(0, nullptr, "notify", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == tarlux::WM_SETTINGS_CHANGED)
            ++posts;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The sheet opened modeless over a window of its own (the view runs it modally).
class SettingsSheet : public testing::Test
{
protected:
    SettingsSheet()
    {
        m_parent.CreateTop(800, 600);
        m_notify.CreateTop();
        m_sheet.SetNotifyWnd(m_notify.m_hWnd);
        EXPECT_TRUE(m_sheet.Create(tarlux::IDD_ENVIRONMENT_SETTING, &m_parent));
        ReviewStation::Pump();
    }
    ~SettingsSheet() override
    {
        m_sheet.DestroyWindow();
        m_notify.DestroyWindow();
        m_parent.DestroyWindow();
    }
    CColorSettingPage& Colours() { return *static_cast<CColorSettingPage*>(m_sheet.GetPage(CEnvironmentSettingDlg::kColorPage)); }
    CDisplaySettingPage& Display()
    {
        return *static_cast<CDisplaySettingPage*>(m_sheet.GetPage(CEnvironmentSettingDlg::kDisplayPage));
    }
    int SettingsChangedPosts()
    {
        ReviewStation::Pump();
        const int posts = m_notify.posts;
        m_notify.posts = 0;
        return posts;
    }
    CString Ini() const { return tarlux::ReviewStartupSettings().iniPath; }

    ReviewFolders m_folders;
    testkit::ParentWnd m_parent;
    NotifyWnd m_notify;
    CEnvironmentSettingDlg m_sheet;
};

// "Paper Color" changes every picker and the copy at once; the style combos show the preset,
// whose styles reach the copy only when a style is picked. Dark colours get white text.
TEST_F(SettingsSheet, AColourPresetChangesEveryPickerAtOnce)
{
    m_sheet.SelectPage(CEnvironmentSettingDlg::kColorPage);
    NyraConfig& copy = m_sheet.GetConfigCopy();
    copy.GridInnerStyle = 4;
    Colours().ApplyPreset(CColorSettingPage::kPaperColor);
    EXPECT_EQ(Colours().Picker(1).GetColour(), 0x71B33Cu); // "Graph Text"
    EXPECT_EQ(copy.GraphText, 0x71B33C);
    EXPECT_EQ(copy.GraphFHR1, 0xFF0000);
    EXPECT_EQ(copy.GridOuter, 0x9CD071);
    EXPECT_EQ(Colours().LineCombo(1).GetCurSel(), 2);
    EXPECT_EQ(copy.GridInnerStyle, 4);
    Colours().ApplyPreset(CColorSettingPage::kDefaultColor);
    EXPECT_EQ(copy.GraphFHR1, 0x00008B);
    // The program's own settings change only on Save.
    EXPECT_NE(tarlux::ReviewConfig().GraphFHR1, 0x00008B);

    tarlux::SetPickerColour(Colours().Picker(0), RGB(100, 100, 100));
    EXPECT_EQ(Colours().Picker(0).GetTextColour(), RGB(255, 255, 255));
    tarlux::SetPickerColour(Colours().Picker(0), RGB(101, 101, 101));
    EXPECT_EQ(Colours().Picker(0).GetTextColour(), RGB(0, 0, 0));
}

// Save writes the sheet's keys into the file as it is now: what the central station wrote after
// the review station started stays.
TEST_F(SettingsSheet, SaveKeepsWhatAnotherWriterChangedMeanwhile)
{
    Colours().ApplyPreset(CColorSettingPage::kDefaultColor);
    m_sheet.GetConfigCopy().ReviewSweepSpeed = 4;

    NyraConfig central;
    ASSERT_EQ(central.Open(Ini()), 1);
    central.SweepSpeed = 1;
    central.AutoRecordStop = 2;
    ASSERT_EQ(central.Save(Ini()), 1);

    m_sheet.SendMessage(WM_COMMAND, MAKEWPARAM(tarlux::IDC_SETTING_SAVE, BN_CLICKED));
    EXPECT_EQ(SettingsChangedPosts(), 1);
    NyraConfig after;
    ASSERT_EQ(after.Open(Ini()), 1);
    EXPECT_EQ(after.ReviewSweepSpeed, 4);
    EXPECT_EQ(after.GraphFHR1, 0x00008B);
    EXPECT_EQ(after.SweepSpeed, 1);
    EXPECT_EQ(after.AutoRecordStop, 2);
    EXPECT_EQ(tarlux::ReviewConfig().ReviewSweepSpeed, 4);
}

// Unchecking FHR1 hides it at once, keeps it hidden after a restart, and needs no Save.
TEST_F(SettingsSheet, UncheckingFHR1HidesItAndItStaysHiddenAfterARestart)
{
    ASSERT_EQ(tarlux::ReviewConfig().DisplayFlag[kFHR1Flag], 1);
    const int check = CDisplaySettingPage::kTrendChecks[kFHR1Flag - 1];
    Display().CheckDlgButton(check, BST_UNCHECKED);
    Display().SendMessage(WM_COMMAND, MAKEWPARAM(check, BN_CLICKED), 0);
    EXPECT_EQ(tarlux::ReviewConfig().DisplayFlag[kFHR1Flag], 0);
    EXPECT_EQ(tarlux::ReviewConfig().IsVisible(11), 0); // the FHR1 trend
    EXPECT_EQ(SettingsChangedPosts(), 1);
    m_sheet.DestroyWindow();

    NyraConfig restarted;
    ASSERT_EQ(restarted.Open(Ini()), 1);
    tarlux::LoadTrendVisibility(restarted, Ini());
    EXPECT_EQ(restarted.DisplayFlag[kFHR1Flag], 0);
    EXPECT_EQ(restarted.DisplayFlag[kFHR1Flag + 1], 1);
}

// The three pages as a nurse sees them, with the "Paper Color" settings of the tests' ini file.
TEST_F(SettingsSheet, PicturesOfThePages)
{
    m_sheet.ShowWindow(SW_SHOW);
    // Folders of the picture's own, not of the machine.
    m_sheet.GetConfigCopy().DataPath = "/var/lib/ward/Data";
    m_sheet.GetConfigCopy().EMRDataPath = "/var/lib/ward/EMR";
    m_sheet.GetConfigCopy().EMRProgramPath = "/opt/emr/viewer";
    const struct
    {
        int page;
        const char* golden;
    } pages[] = { { CEnvironmentSettingDlg::kDisplayPage, "SettingsDisplayPage" },
                  { CEnvironmentSettingDlg::kColorPage, "SettingsColorPage" },
                  { CEnvironmentSettingDlg::kSystemPage, "SettingsSystemPage" } };
    for (const auto& page : pages) {
        m_sheet.SelectPage(page.page);
        ReviewStation::Pump();
        const platform::Image picture = testkit::Capture(m_sheet.GetSafeHwnd());
        testkit::SaveForReview(picture, std::string("tarlux_") + page.golden);
        testkit::ExpectMatchesGolden(picture, std::string("tarlux/tests/golden/") + page.golden + ".png", { 64, 1.0 / 400 });
    }
}

} // namespace
