// The review settings sheet: its colour presets, the colour palette's texts, saving only its keys
// into a settings file another writer changed meanwhile, and the trend flags that act at once and
// last until the program ends.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/res/TarluxResources.h"

#include "platform/ui/controls/Button.h"
#include "platform/ui/dialogs/FileDialog.h"
#include "tarlux/settings/CColorSettingPage.h"
#include "tarlux/settings/CDisplaySettingPage.h"
#include "tarlux/settings/CEnvironmentSettingDlg.h"

#include "ktctrl/res/KTCtrlStrings.h"
#include "ktutil/KTGF.h"
#include "nrdata/config/NyraConfig.h"
#include "testkit/ControlParent.h"
#include "testkit/DialogLayout.h"
#include "testkit/Golden.h"
#include "testkit/ScriptedDialogs.h"

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

// The palette's "Default" and "More Colours..." cells and its colour names come from the control
// library's table, which is searched after the station's own: no text of the station may hide one.
TEST(SettingsSheetColours, ThePaletteShowsTheControlLibrarysTexts)
{
    for (const platform::StringEntry& entry : ktctrl::StringTable())
        EXPECT_EQ(KTGF::GetString(entry.id), entry.text) << "string " << entry.id;
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

// Unchecking FHR1 hides it at once and needs no Save; the flag lasts until the program ends and
// is never written to the settings file, not even by Save, so the next start shows FHR1 again.
TEST_F(SettingsSheet, UncheckingFHR1HidesItUntilTheProgramEnds)
{
    m_sheet.ShowWindow(SW_SHOW);
    ReviewStation::Pump();
    ASSERT_EQ(tarlux::ReviewConfig().DisplayFlag[kFHR1Flag], 1);
    const auto clickItem = [](CWnd& dialog, int id) {
        CRect box;
        dialog.GetDlgItem(id)->GetWindowRect(&box);
        testkit::ClickPumped(CPoint(box.left + 6, box.CenterPoint().y));
    };
    clickItem(Display(), CDisplaySettingPage::kTrendChecks[kFHR1Flag - 1]);
    EXPECT_EQ(tarlux::ReviewConfig().DisplayFlag[kFHR1Flag], 0);
    EXPECT_EQ(tarlux::ReviewConfig().IsVisible(11), 0); // the FHR1 trend
    EXPECT_EQ(SettingsChangedPosts(), 1);
    clickItem(m_sheet, tarlux::IDC_SETTING_SAVE);
    EXPECT_EQ(SettingsChangedPosts(), 1);
    m_sheet.DestroyWindow();
    EXPECT_EQ(tarlux::ReviewConfig().DisplayFlag[kFHR1Flag], 0);
    EXPECT_EQ(testkit::ReadText(std::string(Ini())).find("Trend Visible"), std::string::npos);

    // The next start of the program, on the same settings file.
    tarlux::ReviewConfig().Default();
    ReviewStation restarted;
    ASSERT_TRUE(restarted.Started());
    for (int flag = 1; flag <= 16; ++flag)
        EXPECT_EQ(tarlux::ReviewConfig().DisplayFlag[flag], 1) << flag;
}

// The program picker of the system page offers the files the user may run, then every file; the
// chosen program becomes the copy's "EMR Program Path".
TEST_F(SettingsSheet, TheProgramPickerOffersProgramsAndAllFiles)
{
    testkit::ScriptedDialogs dialogs;
    m_sheet.ShowWindow(SW_SHOW);
    m_sheet.SelectPage(CEnvironmentSettingDlg::kSystemPage);
    ReviewStation::Pump();
    platform::msg::CommonDialogAnswer chosen;
    chosen.accepted = true;
    chosen.paths = { "/opt/emr/viewer" };
    dialogs.AnswerDialog(chosen);
    CRect browse;
    m_sheet.GetPage(CEnvironmentSettingDlg::kSystemPage)->GetDlgItem(1479)->GetWindowRect(&browse);
    testkit::ClickPumped(browse.CenterPoint());

    const auto requests = dialogs.Dialogs();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, platform::msg::CommonDialogKind::OpenFile);
    EXPECT_EQ(requests[0].filter, CString("Programs|") + kProgramFilesPattern + "|All Files (*.*)|*.*||");
    EXPECT_EQ(m_sheet.GetConfigCopy().EMRProgramPath, "/opt/emr/viewer");
}

// The sheet and its pages as laid out on the screen (the colour pickers at their own 21 pixels):
// no control crosses a group frame, overlaps another or reaches out of its page.
TEST_F(SettingsSheet, NoControlCrossesAFrameOrAnotherControl)
{
    m_sheet.ShowWindow(SW_SHOW);
    EXPECT_EQ(testkit::LayoutFaults(m_sheet), std::vector<std::string>{}) << "the sheet";
    for (int page = 0; page < CEnvironmentSettingDlg::kPageCount; ++page) {
        m_sheet.SelectPage(page);
        ReviewStation::Pump();
        EXPECT_EQ(testkit::LayoutFaults(*m_sheet.GetPage(page)), std::vector<std::string>{}) << "page " << page;
    }
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
