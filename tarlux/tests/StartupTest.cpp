// Starting the review station: the language the settings choose, the database copied from the
// empty template when the data folder lacks it (and the message when the template is missing
// too), one running copy (a second start brings the first to the front and ends), and the main
// window: its title, its bars, its smallest size and its Exit button.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"
#include "platform/core/ResourceModule.h"
#include "platform/sys/SingleInstance.h"
#include "testkit/BuildFolders.h"
#include "testkit/ChildProcess.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using namespace reviewtest;

namespace {

std::string Title(ReviewStation& station)
{
    CString title;
    station.Frame()->GetWindowText(title);
    return title.str();
}

// ---- language --------------------------------------------------------------------------------------------

TEST(ReviewStartup, TheLanguageOfTheSettingsOrEnglish)
{
    const struct
    {
        const char* language;
        bool libraryBesideTheProgram;
        const char* title;
        int languageAfter;
    } cases[] = {
        { "13", true, "타룩스 II", 13 },
        { "3", true, "Tarlux II", 3 },
        { "0", true, "Tarlux II", 3 },
        { "15", true, "Tarlux II", 3 },
        { "13", false, "Tarlux II", 3 }, // the library is missing
        { "5", true, "Tarlux II", 3 },   // no German library
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("Language=") + c.language + (c.libraryBesideTheProgram ? "" : ", no library"));
        ReviewFolders::Options options;
        options.centralDefault = std::string("Language=") + c.language + "\n";
        ReviewFolders folders(options);
        if (c.libraryBesideTheProgram)
            std::filesystem::copy_file(testkit::TestModuleFolder("tarlux") + "/LANG_KOR.so",
                                       folders.Root() / "program/LANG_KOR.so");
        const std::string ini = folders.Root().Read("program/TarvicII.ini");
        ReviewStation station;
        ASSERT_TRUE(station.Started());
        EXPECT_EQ(Title(station), c.title);
        EXPECT_EQ(tarlux::ReviewConfig().Language, c.languageAfter);
        EXPECT_EQ(station.App().GetLanguageModule() != nullptr, c.languageAfter == 13);
        // The settings are never written at start-up.
        EXPECT_EQ(folders.Root().Read("program/TarvicII.ini"), ini);
    }
}

// ---- the database ----------------------------------------------------------------------------------------

TEST(ReviewStartup, AMissingDatabaseIsCopiedFromTheEmptyTemplateBesideTheProgram)
{
    ReviewFolders folders;
    ASSERT_FALSE(folders.Root().Exists("data/TarvicII.mdb"));
    ReviewStation station;
    ASSERT_TRUE(station.Started());
    EXPECT_TRUE(station.Boxes().empty());
    EXPECT_TRUE(folders.Root().Exists("data/TarvicII.mdb"));
    EXPECT_EQ(tarlux::ReviewDatabase().IsConnected(), 1);
}

TEST(ReviewStartup, WithoutTheTemplateTooTheStationSaysSoAndGoesOn)
{
    ReviewFolders::Options options;
    options.templateDatabase = false;
    ReviewFolders folders(options);
    ReviewStation station;
    ASSERT_TRUE(station.Started()) << "the program goes on";
    const auto boxes = station.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Database is not Found !! \nCheck Database path...");
    EXPECT_EQ(boxes[0].caption, "TarluxII");
    EXPECT_EQ(boxes[0].Icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(tarlux::ReviewDatabase().IsConnected(), 0);
    EXPECT_FALSE(folders.Root().Exists("data/TarvicII.mdb"));
    ASSERT_NE(station.View(), nullptr);
    EXPECT_TRUE(station.Frame()->IsWindowVisible());
}

// ---- one running copy ---------------------------------------------------------------------------------

// The first copy runs in a child process: it starts, minimises its window and waits until a
// second start has brought it back.
constexpr char kSharedName[] = "TarluxerII-second-start";

const int s_firstCopy = testkit::RunChildRole("first-copy", [](const std::string& root) {
    std::filesystem::create_directories(root + "/first");
    ReviewFolders folders;
    // The claim goes to the runtime folder the two copies share.
    ::setenv("XDG_RUNTIME_DIR", (root + "/runtime").c_str(), 1);
    tarlux::ReviewStartupSettings().instanceName = kSharedName;
    ReviewStation station;
    if (!station.Started())
        return 2;
    station.Frame()->ShowWindow(SW_MINIMIZE);
    testkit::WriteText(root + "/first/ready", "1");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (station.Frame()->IsIconic()) {
        if (std::chrono::steady_clock::now() > deadline)
            return 3;
        ReviewStation::Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return 0;
});

TEST(ReviewStartup, ASecondStartBringsTheFirstToTheFrontAndEnds)
{
    testkit::TempFolder shared;
    const CString runtime = shared.MakeDir("runtime");
    ::setenv("XDG_RUNTIME_DIR", runtime, 1);
    const pid_t first = testkit::StartChild("first-copy", shared.Dir());
    ASSERT_GT(first, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!shared.Exists("first/ready") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(shared.Exists("first/ready"));

    {
        ReviewFolders folders;
        // The first copy's claim lies in the shared runtime folder.
        ::setenv("XDG_RUNTIME_DIR", runtime, 1);
        tarlux::ReviewStartupSettings().instanceName = kSharedName;
        testing::internal::CaptureStderr();
        ReviewStation second;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(second.Started());
        EXPECT_EQ(second.App().m_pMainWnd, nullptr) << "no window of its own";
        EXPECT_TRUE(second.Boxes().empty()) << "and no message box";
        EXPECT_NE(said.find("another review station is running"), std::string::npos)
            << "but a line on standard error";
    }
    const int status = testkit::WaitForChild(first);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the first copy was brought back";
}

// ---- the main window --------------------------------------------------------------------------------

class MainWindow : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(station.Started()); }
    ReviewFolders folders;
    ReviewStation station;
};

TEST_F(MainWindow, TitleBarsAndTheSmallestSize)
{
    tarlux::CMainFrame& frame = *station.Frame();
    EXPECT_EQ(Title(station), "Tarlux II");
    EXPECT_TRUE(frame.IsWindowVisible());
    MINMAXINFO limits {};
    frame.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 1280);
    EXPECT_EQ(limits.ptMinTrackSize.y, 768);
    CRect window;
    frame.GetWindowRect(&window);
    EXPECT_GE(window.Width(), 1280);
    EXPECT_GE(window.Height(), 768);
    // Centred on the screen.
    const SIZE screen = platform::host::NullHost::ScreenSize();
    EXPECT_NEAR(window.CenterPoint().x, screen.cx / 2, 1);
    EXPECT_FALSE(frame.GetStatusBar().IsWindowVisible());
    EXPECT_TRUE(frame.GetReBar().IsWindowVisible());

    // Nine buttons; the spacers have no handler and show disabled, so do the commands whose
    // dialogs are not there yet; Exit works.
    CMainToolBar& bar = frame.GetToolBar();
    ASSERT_EQ(bar.GetCount(), 9);
    const UINT expected[] = { 42780, 42777, 42776, 42781, 42773, 42782, 42775, 42783, 42774 };
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(bar.GetItemID(i), expected[i]) << i;
    EXPECT_EQ(bar.GetButtonTip(8), "Exit Program");
    EXPECT_EQ(bar.GetButtonTip(1), "Preview");
    station.App().OnIdle(0);
    EXPECT_TRUE(bar.GetToolBarCtrl().IsButtonEnabled(tarlux::ID_REVIEW_EXIT));
    EXPECT_FALSE(bar.GetToolBarCtrl().IsButtonEnabled(tarlux::ID_REVIEW_SPACER1));
    EXPECT_FALSE(bar.GetToolBarCtrl().IsButtonEnabled(tarlux::ID_REVIEW_SPACER4));
}

TEST_F(MainWindow, ExitClosesTheProgramWithoutAQuestion)
{
    tarlux::CMainFrame& frame = *station.Frame();
    const HWND hwnd = frame.GetSafeHwnd();
    CMainToolBar& bar = frame.GetToolBar();
    CRect button;
    bar.GetItemRect(bar.CommandToIndex(tarlux::ID_REVIEW_EXIT), &button);
    bar.ClientToScreen(&button);
    station.App().OnIdle(0);
    testkit::ClickPumped(button.CenterPoint());
    ReviewStation::Pump();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_TRUE(station.Boxes().empty());
    EXPECT_FALSE(tarlux::CReviewContext::HasInstance()) << "the view took the review context with it";
}

} // namespace
