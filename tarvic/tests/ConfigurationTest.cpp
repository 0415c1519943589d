// The configuration sheet on a running station: nothing reaches the settings or the ini file
// before "Save Configuration.", each save writes and applies, Enter and Escape do nothing. The
// pages: lists without a selection leave their settings alone, the initial data defaults, the
// colour pickers' text colour and their palette's texts, the two colour schemes and the
// "default" colour, the serial ports, the folder and program pickers, the typed program path and
// the data folder that stays in use until the next start.
#include "support/StationFixture.h"

#include "tarvic/dialogs/CColorSettingPage.h"
#include "tarvic/dialogs/CConfigurationDlg.h"
#include "tarvic/dialogs/CInitialDataPage.h"
#include "tarvic/dialogs/CSystemSettingPage.h"
#include "tarvic/res/ConfigDialogIds.h"

#include "ktctrl/res/KTCtrlStrings.h"
#include "ktutil/KTGF.h"

#include "platform/host/null/NullHost.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "testkit/DialogLayout.h"
#include "testkit/Golden.h"
#include "testkit/Pump.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace stationtest;
using namespace tarvic::config;
using platform::host::NullHost;

namespace {

enum Tab { kInitial = 0, kColour = 1, kSystem = 2 };

constexpr int IDC_PERIOD = 1423;
constexpr int IDC_SOUND_ON = 1426;
constexpr int IDC_SOUND_OFF = 1427;
constexpr int IDC_DEFAULT = 1204;
constexpr int IDC_PRESET = 1433;
constexpr int IDC_PICKER_FHR1 = 1437;
constexpr int IDC_PICKER_BACKGROUND = 1435;
constexpr int IDC_LANGUAGE = 1098;
constexpr int IDC_EMR_PROGRAM = 1107;
constexpr int IDC_DATA_PATH = 1108;
constexpr int IDC_BROWSE_EMR_DATA = 1478;
constexpr int IDC_BROWSE_PROGRAM = 1479;
constexpr int IDC_BROWSE_DATA = 1413;

class Configuration : public StationTest
{
protected:
    // The sheet, modeless on the view, on the tab `tab`.
    std::unique_ptr<CConfigurationDlg> Open(Tab tab = kInitial)
    {
        auto sheet = std::make_unique<CConfigurationDlg>(view);
        sheet->SetView(view);
        EXPECT_TRUE(sheet->Create(IDD_CONFIGURATION, view));
        sheet->ShowWindow(SW_SHOW);
        sheet->SelectTab(tab);
        testkit::Pump();
        return sheet;
    }

    static CWnd& Page(CConfigurationDlg& sheet, Tab tab) { return *sheet.GetPage(tab); }

    // Chooses the entry holding `value` in list `id` of `page` as a user does.
    static void Choose(CWnd& page, int id, long value)
    {
        const auto count = static_cast<int>(page.SendDlgItemMessage(id, CB_GETCOUNT));
        int index = -1;
        for (int i = 0; i < count && index < 0; ++i)
            if (static_cast<long>(page.SendDlgItemMessage(id, CB_GETITEMDATA, WPARAM(i))) == value)
                index = i;
        ASSERT_GE(index, 0) << "list " << id << " has no entry " << value;
        page.SendDlgItemMessage(id, CB_SETCURSEL, WPARAM(index));
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(page.GetDlgItem(id)->GetSafeHwnd()));
    }
    static void Click(CWnd& page, int id) { page.SendDlgItemMessage(id, BM_CLICK); }
    static int Selection(CWnd& page, int id) { return static_cast<int>(page.SendDlgItemMessage(id, CB_GETCURSEL)); }
    static CString Text(CWnd& page, int id)
    {
        CString text;
        page.GetDlgItemText(id, text);
        return text;
    }
    std::string Ini() const { return folder.Read("TarvicII.ini"); }
    // A common dialog that ends with OK on `path`.
    static platform::msg::CommonDialogAnswer Chosen(const CString& path)
    {
        platform::msg::CommonDialogAnswer answer;
        answer.accepted = true;
        answer.paths = {path};
        return answer;
    }

    testkit::ScriptedDialogs boxes;
};

// ---- the sheet -----------------------------------------------------------------------------------

TEST_F(Configuration, ClosingWithoutSaveLeavesTheSettingsAndTheIniFileAsTheyWere)
{
    StartStation();
    const std::string before = Ini();
    const int fhr1 = g_Config.GraphFHR1;
    {
        auto sheet = Open(kColour);
        Page(*sheet, kColour).GetDlgItem(IDC_PICKER_FHR1)->SendMessage(CPM_SELENDOK, 0x123456, IDC_PICKER_FHR1);
        EXPECT_EQ(sheet->GetConfigCopy().GraphFHR1, 0x123456);
        Choose(Page(*sheet, kInitial), IDC_PERIOD, 45);
        sheet->DestroyWindow();
    }
    EXPECT_EQ(Ini(), before);
    EXPECT_EQ(g_Config.GraphFHR1, fhr1);
    auto again = Open(kColour);
    auto* picker = static_cast<CColorSettingPage&>(Page(*again, kColour)).GetPicker(IDC_PICKER_FHR1);
    EXPECT_EQ(picker->GetColour(), COLORREF(fhr1)) << "the old colour is shown again";
}

TEST_F(Configuration, EachSaveWritesTheIniFileAndAppliesToTheBeds)
{
    StartStation();
    auto sheet = Open(kInitial);
    Choose(Page(*sheet, kInitial), IDC_PERIOD, 45);
    Click(*sheet, IDC_SAVE_CONFIGURATION);
    EXPECT_NE(Ini().find("Record Limit=45"), std::string::npos);
    EXPECT_EQ(g_Config.RecordLimit, 45);
    EXPECT_EQ(Manager().GetConfig().RecordLimit, 45);
    EXPECT_TRUE(::IsWindowVisible(sheet->GetSafeHwnd())) << "the sheet stays open after saving";

    // A second save writes again (even a file deleted meanwhile) and applies again.
    std::filesystem::remove(folder / "TarvicII.ini");
    Choose(Page(*sheet, kInitial), IDC_PERIOD, 60);
    Click(*sheet, IDC_SAVE_CONFIGURATION);
    EXPECT_NE(Ini().find("Record Limit=60"), std::string::npos);
    EXPECT_EQ(Manager().GetConfig().RecordLimit, 60);
}

TEST_F(Configuration, EnterAndEscapeDoNothingOnAnyPage)
{
    StartStation();
    const std::string before = Ini();
    auto sheet = Open(kInitial);
    const int focusOn[] = {IDC_PERIOD, IDC_PRESET, IDC_LANGUAGE};
    for (int tab = kInitial; tab <= kSystem; ++tab) {
        sheet->SelectTab(tab);
        Page(*sheet, Tab(tab)).GetDlgItem(focusOn[tab])->SetFocus();
        NullHost::PressKey(VK_RETURN);
        NullHost::PressKey(VK_ESCAPE);
        testkit::Pump();
        EXPECT_TRUE(::IsWindowVisible(sheet->GetSafeHwnd())) << "tab " << tab;
        EXPECT_EQ(sheet->GetCurrentTab(), tab);
    }
    sheet->SetFocus();
    NullHost::PressKey(VK_RETURN);
    NullHost::PressKey(VK_ESCAPE);
    testkit::Pump();
    EXPECT_TRUE(::IsWindowVisible(sheet->GetSafeHwnd()));
    EXPECT_EQ(Ini(), before);
}

TEST_F(Configuration, AnIniFileThatCannotBeWrittenIsToldAndTheSettingsStillApply)
{
    StartStation();
    auto sheet = Open(kInitial);
    Choose(Page(*sheet, kInitial), IDC_PERIOD, 30);
    // A folder where the file should be: nothing can write it.
    std::filesystem::remove(folder / "TarvicII.ini");
    folder.MakeDir("TarvicII.ini");
    boxes.Reset();
    Click(*sheet, IDC_SAVE_CONFIGURATION);
    // The file layer tells the system's error first ("Is a directory"), then the sheet says
    // what it means.
    const auto shown = boxes.BoxTexts();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], "The settings could not be written to the settings file.\nThey apply until the central station is closed.");
    EXPECT_EQ(g_Config.RecordLimit, 30);
    EXPECT_EQ(Manager().GetConfig().RecordLimit, 30);
}

// ---- lists without a selection -------------------------------------------------------------------

TEST_F(Configuration, AListWithoutASelectionLeavesItsSettingAsItIs)
{
    StartStation({.serialPort = 61, .extraDefault = "Record Limit=7\nLanguage=5\n"});
    auto sheet = Open(kInitial);
    CWnd& initial = Page(*sheet, kInitial);
    EXPECT_EQ(Selection(initial, IDC_PERIOD), -1) << "7 minutes is not a period of the list";
    Click(initial, IDC_SOUND_OFF);
    EXPECT_EQ(sheet->GetConfigCopy().AllAlarmSound, 0);
    EXPECT_EQ(sheet->GetConfigCopy().RecordLimit, 7);

    // Start-up puts a language whose module does not load back to English; the copy can hold it.
    sheet->GetConfigCopy().Language = 5;
    sheet->SelectTab(kSystem);
    CWnd& system = Page(*sheet, kSystem);
    EXPECT_EQ(Selection(system, CSystemSettingPage::kPortIds[0]), -1) << "there is no COM61 in the list";
    EXPECT_EQ(Selection(system, IDC_LANGUAGE), -1);
    Choose(system, CSystemSettingPage::kPortIds[1], 2);
    EXPECT_EQ(sheet->GetConfigCopy().SerialName[1], 2);
    EXPECT_EQ(sheet->GetConfigCopy().SerialName[0], 61);
    EXPECT_EQ(sheet->GetConfigCopy().Language, 5);
}

// ---- the initial data page -----------------------------------------------------------------------

TEST_F(Configuration, InitialDataStoresEveryChoiceAndDefaultPutsTheDefaultsBack)
{
    StartStation({.extraDefault = "All Alarm Sound=0\nRecord Limit=45\nTemp Unit=2\nTop Graph=4\n"});
    auto sheet = Open(kInitial);
    CWnd& page = Page(*sheet, kInitial);
    EXPECT_EQ(Text(page, IDC_PERIOD), "45 (min)");
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_SOUND_OFF), BST_CHECKED);
    Choose(page, 1420, 1); // trend speed
    EXPECT_EQ(sheet->GetConfigCopy().TrendSpeed, 1);
    EXPECT_EQ(sheet->GetConfigCopy().TempUnit, 2);

    // Switching tabs shows the copy, not the file.
    sheet->SelectTab(kColour);
    sheet->SelectTab(kInitial);
    EXPECT_EQ(Selection(page, 1420), 0);

    Click(page, IDC_DEFAULT);
    const NyraConfig& copy = sheet->GetConfigCopy();
    EXPECT_EQ(copy.RecordLimit, 0);
    EXPECT_EQ(copy.AllAlarmSound, 1);
    EXPECT_EQ(copy.TrendSpeed, 3);
    EXPECT_EQ(copy.TempUnit, 1);
    EXPECT_EQ(copy.TopGraph, 1);
    EXPECT_EQ(Text(page, IDC_PERIOD), "Off");
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_SOUND_ON), BST_CHECKED);
}

// ---- the colour page -----------------------------------------------------------------------------

TEST(ConfigurationColours, PickerTextIsWhiteUpToAnAverageOf100AndBlackAbove)
{
    struct Case
    {
        COLORREF colour;
        COLORREF text;
    };
    const Case cases[] = {
        {0x404000, 0xFFFFFF}, {0xC0C0C0, 0x000000}, {0x646464, 0xFFFFFF},
        {0x656565, 0x000000}, {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CColorSettingPage::TextColourFor(c.colour), c.text) << std::hex << c.colour;
}

// The palette's "Default" and "More Colours..." cells and its colour names come from the control
// library's table, which is searched after the station's own: no text of the station may hide one.
TEST(ConfigurationColours, ThePaletteShowsTheControlLibrarysTexts)
{
    for (const platform::StringEntry& entry : ktctrl::StringTable())
        EXPECT_EQ(KTGF::GetString(entry.id), entry.text) << "string " << entry.id;
}

TEST_F(Configuration, ThePaperSchemeIsSavedWithItsGridStyles)
{
    StartStation();
    auto sheet = Open(kColour);
    auto& page = static_cast<CColorSettingPage&>(Page(*sheet, kColour));
    Choose(page, IDC_PRESET, 1);
    EXPECT_EQ(page.GetPicker(IDC_PICKER_FHR1)->GetColour(), COLORREF(0xFF0000));
    EXPECT_EQ(page.GetPicker(IDC_PICKER_FHR1)->GetTextColour(), COLORREF(0xFFFFFF)) << "blue: white text";
    EXPECT_EQ(page.GetPicker(IDC_PICKER_BACKGROUND)->GetTextColour(), COLORREF(0x000000)) << "white: black text";
    Click(*sheet, IDC_SAVE_CONFIGURATION);
    const std::string ini = Ini();
    for (const char* line : {"Graph FHR1=16711680", "Graph Text=7451452", "Grid Outer=10276977",
                             "Grid Inner=14672855", "Grid Outer Style=0", "Grid Inner Style=2",
                             "Grid Center Style=2"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;

    // Shown again, the chooser has no selection.
    sheet->SelectTab(kInitial);
    sheet->SelectTab(kColour);
    EXPECT_EQ(Selection(page, IDC_PRESET), -1);
}

TEST_F(Configuration, ThePickersDefaultColourStoresThatSettingsDefaultValue)
{
    StartStation();
    auto sheet = Open(kColour);
    auto& page = static_cast<CColorSettingPage&>(Page(*sheet, kColour));
    page.GetPicker(IDC_PICKER_FHR1)->SendMessage(CPM_SELENDOK, 0x00FF00, IDC_PICKER_FHR1);
    EXPECT_EQ(sheet->GetConfigCopy().GraphFHR1, 0x00FF00);
    page.GetPicker(IDC_PICKER_FHR1)->SendMessage(CPM_SELENDOK, CLR_DEFAULT, IDC_PICKER_FHR1);
    EXPECT_EQ(sheet->GetConfigCopy().GraphFHR1, 0x00008B);
    EXPECT_EQ(page.GetPicker(IDC_PICKER_FHR1)->GetColour(), COLORREF(0x00008B));
}

TEST_F(Configuration, AStationWithoutColourSettingsStartsWithTheDefaultScheme)
{
    StartStation();
    EXPECT_EQ(Ini().find("CENTRAL_COLOR"), std::string::npos);
    EXPECT_EQ(g_Config.GraphBackground, 0xFFFFFF);
    EXPECT_EQ(g_Config.GraphFHR1, 0x00008B);
    EXPECT_EQ(g_Config.GridInnerStyle, 2);
}

// ---- the system page -----------------------------------------------------------------------------

TEST_F(Configuration, SerialPortsShowTheirNumberAndNotUseStoresZero)
{
    StartStation({.serialPort = 3});
    auto sheet = Open(kSystem);
    CWnd& page = Page(*sheet, kSystem);
    EXPECT_EQ(Text(page, CSystemSettingPage::kPortIds[0]), "COM3");
    EXPECT_EQ(Text(page, CSystemSettingPage::kPortIds[1]), "Not use");
    EXPECT_EQ(page.SendDlgItemMessage(CSystemSettingPage::kPortIds[0], CB_GETCOUNT), 61);
    Choose(page, CSystemSettingPage::kPortIds[0], 0);
    EXPECT_EQ(sheet->GetConfigCopy().SerialName[0], 0);
    Choose(page, IDC_LANGUAGE, 13);
    EXPECT_EQ(sheet->GetConfigCopy().Language, 13);
    EXPECT_EQ(page.SendDlgItemMessage(1477, CB_GETCOUNT), 1) << "JPG only";
    EXPECT_EQ(Text(page, 1414), "1.1.2 Lite");
}

TEST_F(Configuration, FoldersAndTheProgramComeFromTheirPickersAndACancelKeepsThePath)
{
    StartStation();
    auto sheet = Open(kSystem);
    CWnd& page = Page(*sheet, kSystem);
    const CString dataPath = g_Config.DataPath;

    boxes.AnswerDialog(platform::msg::CommonDialogAnswer{}); // cancelled
    Click(page, IDC_BROWSE_DATA);
    EXPECT_EQ(sheet->GetConfigCopy().DataPath, dataPath);

    const CString newData = folder.MakeDir("NewData");
    boxes.AnswerDialog(Chosen(newData));
    Click(page, IDC_BROWSE_DATA);
    EXPECT_EQ(sheet->GetConfigCopy().DataPath, newData);
    EXPECT_EQ(Text(page, IDC_DATA_PATH), newData);

    boxes.AnswerDialog(Chosen("/srv/emr/images"));
    Click(page, IDC_BROWSE_EMR_DATA);
    EXPECT_EQ(sheet->GetConfigCopy().EMRDataPath, "/srv/emr/images");

    boxes.AnswerDialog(Chosen("/opt/emr/bin/emr.exe"));
    Click(page, IDC_BROWSE_PROGRAM);
    EXPECT_EQ(sheet->GetConfigCopy().EMRProgramPath, "/opt/emr/bin/emr.exe");
    const auto requests = boxes.Dialogs();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].kind, platform::msg::CommonDialogKind::Folder);
    EXPECT_EQ(requests[0].title, "Select data directory");
    EXPECT_EQ(requests[3].kind, platform::msg::CommonDialogKind::OpenFile);
    EXPECT_EQ(requests[3].filter, "Programs|<programs>|All Files (*.*)|*.*||");

    // The new data folder is written, but recordings stay in the folder opened at start-up.
    Click(*sheet, IDC_SAVE_CONFIGURATION);
    EXPECT_NE(Ini().find(std::string("Data Path=") + newData.GetString()), std::string::npos);
    EXPECT_EQ(tarvic::DataFolder(), dataPath);
}

TEST_F(Configuration, TheTypedProgramPathIsStoredAsTypedWithTheCaretAtItsEnd)
{
    StartStation();
    auto sheet = Open(kSystem);
    CWnd& page = Page(*sheet, kSystem);
    page.SetDlgItemText(IDC_EMR_PROGRAM, "");
    page.GetDlgItem(IDC_EMR_PROGRAM)->SetFocus();
    const std::string typed = "/opt/emr/start-emr";
    NullHost::TypeText(typed);
    testkit::Pump();
    EXPECT_EQ(Text(page, IDC_EMR_PROGRAM), typed.c_str());
    EXPECT_EQ(sheet->GetConfigCopy().EMRProgramPath, typed.c_str());
    DWORD start = 0;
    DWORD end = 0;
    page.SendDlgItemMessage(IDC_EMR_PROGRAM, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, typed.size());
    EXPECT_EQ(end, typed.size());
}

// The sheet and its pages as laid out on the screen (the colour pickers at their own 21 pixels):
// no control crosses a group frame, overlaps another or reaches out of its page.
TEST_F(Configuration, NoControlCrossesAFrameOrAnotherControl)
{
    StartStation();
    auto sheet = Open(kInitial);
    EXPECT_EQ(testkit::LayoutFaults(*sheet), std::vector<std::string>{}) << "the sheet";
    for (int tab = kInitial; tab <= kSystem; ++tab) {
        sheet->SelectTab(tab);
        testkit::Pump();
        EXPECT_EQ(testkit::LayoutFaults(Page(*sheet, Tab(tab))), std::vector<std::string>{}) << "page " << tab;
    }
}

// ---- pictures --------------------------------------------------------------------------------------

TEST_F(Configuration, PicturesOfThePages)
{
    StartStation({.serialPort = 3});
    auto sheet = Open(kInitial);
    // Paths of a ward, not of the test's folder, so that the picture stays the same.
    sheet->GetConfigCopy().DataPath = "/var/lib/ward/Data";
    sheet->GetConfigCopy().EMRDataPath = "/srv/emr/images";
    sheet->GetConfigCopy().EMRProgramPath = "/opt/emr/bin/emr-viewer";
    const char* names[] = {"ConfigInitialData", "ConfigColor", "ConfigSystem"};
    for (int tab = kInitial; tab <= kSystem; ++tab) {
        sheet->SelectTab(tab);
        testkit::Pump();
        const platform::Image picture = testkit::Capture(sheet->GetSafeHwnd());
        testkit::SaveForReview(picture, std::string("tarvic_") + names[tab]);
        testkit::ExpectMatchesGolden(picture, std::string("tarvic/tests/golden/") + names[tab] + ".png", {48, 0.01});
    }
}

} // namespace
