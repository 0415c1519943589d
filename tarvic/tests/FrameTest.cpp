// The central station started headless in a program folder of its own: the main window with its
// title and picture toolbar (one more button in demo mode), the clock, the empty grid over the background
// picture, full screen in window mode 0 and F12 switching it, the smallest window, F11, and Exit
// asking before it closes the station. The frame's picture is a reviewed golden.
#include "support/StationFixture.h"

#include "tarvic/app/CAboutDlg.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "platform/host/null/NullHost.h"
#include "testkit/Golden.h"

#include <vector>

using namespace stationtest;
using platform::host::NullHost;

namespace {

// Dec. 11, 2026 08:30:15 AM: what the clock shows in every picture.
COleDateTime FixedNow()
{
    return COleDateTime(2026, 12, 11, 8, 30, 15);
}

std::vector<UINT> ButtonIds(CToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

class StationFrame : public StationTest
{
protected:
    void SetUp() override
    {
        NullHost::SetScreenSize(1280, 800);
        tarvic::SetStationClock(FixedNow);
    }
    void TearDown() override
    {
        StationTest::TearDown();
        NullHost::SetScreenSize(1920, 1080);
    }
};

TEST_F(StationFrame, FullScreenFrameWithToolbarClockAndEmptyGrid)
{
    StartStation({.windowMode = 0});
    // In English the window carries no title; the database was copied into the data folder.
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, "");
    EXPECT_TRUE(folder.Exists("Data/TarvicII.mdb"));
    EXPECT_TRUE(g_Database.IsConnected());
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());

    // Full screen: the whole screen, without caption or sizing border.
    EXPECT_TRUE(frame->IsFullScreen());
    CRect window;
    frame->GetWindowRect(&window);
    EXPECT_EQ(window, CRect(0, 0, 1280, 800));
    EXPECT_FALSE(frame->GetStyle() & WS_CAPTION);

    using namespace tarvic;
    EXPECT_EQ(ButtonIds(frame->GetToolBar()),
              (std::vector<UINT>{ID_PICTURE_LOGO, ID_PAGE_PREV, ID_PAGE_NEXT, ID_PICTURE_PAGES,
                                 ID_DISPLAY_1CH, ID_DISPLAY_2CH, ID_DISPLAY_4CH, ID_DISPLAY_8CH,
                                 ID_DISPLAY_16CH, ID_PICTURE_LAYOUTS, ID_PATIENT_MANAGER, ID_CONFIGURATION,
                                 ID_PICTURE_RECORDS, ID_REVIEW_PROGRAM, ID_PICTURE_REVIEW, ID_APP_EXIT}));
    EXPECT_EQ(frame->GetToolBar().CalcFixedLayout(FALSE, TRUE).cy, CMainFrame::kToolBarHeight);
    EXPECT_FALSE(frame->GetStatusBar().IsWindowVisible());

    // Command state after idle: no pages to move to, the layout in use pressed, pictures inert.
    app->OnIdle(0);
    CToolBarCtrl& buttons = frame->GetToolBar().GetToolBarCtrl();
    EXPECT_FALSE(buttons.IsButtonEnabled(ID_PAGE_PREV));
    EXPECT_FALSE(buttons.IsButtonEnabled(ID_PAGE_NEXT));
    EXPECT_FALSE(buttons.IsButtonEnabled(ID_PICTURE_LOGO));
    EXPECT_TRUE(buttons.IsButtonChecked(ID_DISPLAY_1CH));
    EXPECT_FALSE(buttons.IsButtonChecked(ID_DISPLAY_4CH));
    EXPECT_TRUE(buttons.IsButtonEnabled(ID_PATIENT_MANAGER));
    EXPECT_TRUE(buttons.IsButtonEnabled(ID_APP_EXIT));
    EXPECT_EQ(frame->GetToolBar().GetButtonTip(frame->GetToolBar().CommandToIndex(ID_REVIEW_PROGRAM)),
              "Run \"Review Program\"");

    // A layout command presses its own button.
    frame->SendMessage(WM_COMMAND, ID_DISPLAY_4CH);
    app->OnIdle(0);
    EXPECT_EQ(Manager().GetDisplayMode(), 2);
    EXPECT_TRUE(buttons.IsButtonChecked(ID_DISPLAY_4CH));
    EXPECT_FALSE(buttons.IsButtonChecked(ID_DISPLAY_1CH));
    frame->SendMessage(WM_COMMAND, ID_DISPLAY_1CH);
    app->OnIdle(0);

    // The first clock tick: the date and the time over the band, then the picture.
    platform::ScopedTestClock clock;
    clock.Advance(CTarvicIIView::kClockPeriodMs);
    PumpUntil([] { return true; });
    const platform::Image picture = testkit::Capture(frame->GetSafeHwnd());
    testkit::SaveForReview(picture, "tarvic_frame");
    testkit::ExpectMatchesGolden(picture, "tarvic/tests/golden/StationFrame.png", {48, 0.01});

    // The band painted again, with no tick of the clock: the clock is back on it at once.
    frame->GetReBar().RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    frame->GetToolBar().RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpUntil([] { return true; });
    const platform::Image again = testkit::Capture(frame->GetSafeHwnd());
    ASSERT_EQ(again.Width(), picture.Width());
    CRect client;
    frame->GetClientRect(&client);
    int changed = 0;
    for (int y = client.top; y < client.top + CTarvicIIView::kClockHeight; ++y)
        for (int x = client.right - CTarvicIIView::kClockWidth; x < client.right; ++x)
            changed += again.Pixel(x, y) != picture.Pixel(x, y) ? 1 : 0;
    EXPECT_EQ(changed, 0);
}

// The title is the string table's own (none in English), without a document name, also after
// the idle updates of a running station.
TEST_F(StationFrame, TheTitleIsTheStringTablesMainTitleWithoutADocumentName)
{
    struct Case
    {
        int language;
        const char* title;
    };
    const Case cases[] = { { 3, "" }, { 5, "Zentrale Überwachung" } };
    std::filesystem::copy_file(std::filesystem::path(testkit::TestModuleFolder("tarvic")) / "LANG_GER.so",
                               folder / "LANG_GER.so");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        StartStation({.extraDefault = "Language=" + std::to_string(c.language) + "\n"});
        for (int i = 0; i < 3; ++i) {
            app->OnIdle(i);
            PumpUntil([] { return true; });
        }
        CString title;
        frame->GetWindowText(title);
        EXPECT_EQ(title, c.title);
        StopStation();
        AfxSetResourceHandle(nullptr);
    }
}

TEST_F(StationFrame, DemoModeAddsTheDemoBedButtonAtTheRightEnd)
{
    StartStation({.windowMode = 1, .demoMode = 1});
    const std::vector<UINT> ids = ButtonIds(frame->GetToolBar());
    ASSERT_EQ(ids.size(), 17u);
    EXPECT_EQ(ids.front(), tarvic::ID_PICTURE_LOGO_DEMO);
    EXPECT_EQ(ids.back(), tarvic::ID_DEMO_BED);
    EXPECT_EQ(frame->GetToolBar().GetButtonTip(16), "Demo");
    // The command adds a demo bed.
    frame->SendMessage(WM_COMMAND, tarvic::ID_DEMO_BED);
    EXPECT_EQ(BedCount(), 1);
}

TEST_F(StationFrame, F12SwitchesFullScreenAndBackToTheWindowItWas)
{
    StartStation({.windowMode = 1});
    EXPECT_FALSE(frame->IsFullScreen());
    frame->MoveWindow(100, 50, 1300, 780);
    CRect before;
    frame->GetWindowRect(&before);
    view->SetFocus();

    NullHost::PressKey(VK_F12);
    NullHost::PumpPending();
    EXPECT_TRUE(frame->IsFullScreen());
    CRect full;
    frame->GetWindowRect(&full);
    EXPECT_EQ(full, CRect(0, 0, 1280, 800));

    NullHost::PressKey(VK_F12);
    NullHost::PumpPending();
    EXPECT_FALSE(frame->IsFullScreen());
    CRect after;
    frame->GetWindowRect(&after);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(frame->GetStyle() & WS_CAPTION);

    // The full-screen command does the same as F12.
    frame->SendMessage(WM_COMMAND, tarvic::ID_FULL_SCREEN);
    EXPECT_TRUE(frame->IsFullScreen());

    // F11 minimises the station.
    view->SetFocus();
    NullHost::PressKey(VK_F11);
    NullHost::PumpPending();
    EXPECT_TRUE(frame->IsIconic());
}

TEST_F(StationFrame, ANormalWindowIsNeverSmallerThan1280By768)
{
    StartStation({.windowMode = 1});
    MINMAXINFO info{};
    frame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, CMainFrame::kMinWidth);
    EXPECT_EQ(info.ptMinTrackSize.y, CMainFrame::kMinHeight);
    CRect window;
    frame->GetWindowRect(&window);
    EXPECT_GE(window.Width(), 1280);
    EXPECT_GE(window.Height(), 768);
    // In full screen the screen is also the largest size.
    frame->SetFullScreen(1);
    MINMAXINFO full{};
    frame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&full));
    EXPECT_EQ(full.ptMaxTrackSize.x, 1280);
    EXPECT_EQ(full.ptMaxTrackSize.y, 800);
}

TEST_F(StationFrame, ExitAsksAndOnlyYesClosesTheStation)
{
    StartStation({.windowMode = 1});
    platform::msg::ScriptMessageBoxAnswer(IDNO);
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    Drain();
    auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Exit Program?");
    EXPECT_EQ(shown[0].caption, "Tarvic II");
    EXPECT_EQ(shown[0].Buttons(), UINT(MB_YESNO));
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONQUESTION));
    EXPECT_TRUE(MainWindowAlive());

    platform::msg::ScriptMessageBoxAnswer(IDYES);
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    Drain();
    EXPECT_FALSE(MainWindowAlive());
    EXPECT_EQ(app->ExitInstance(), 0);
    EXPECT_FALSE(g_Database.IsConnected());
}

TEST_F(StationFrame, WithoutADatabaseTheStationSaysSoAndRunsOn)
{
    StartStation({.windowMode = 1, .emptyDatabase = false});
    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Database is not Found !! \nCheck Database path...");
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONERROR));
    EXPECT_TRUE(MainWindowAlive());
    EXPECT_FALSE(g_Database.IsConnected());
    EXPECT_TRUE(app->IsStartUpComplete());
}

TEST_F(StationFrame, AboutShowsTheProgramsIconNameAndVersion)
{
    StartStation({.windowMode = 1});
    // Shown modeless here, so that the test can look at it while it is open.
    CAboutDlg about;
    ASSERT_TRUE(about.Create(tarvic::IDD_ABOUTBOX, frame));
    about.ShowWindow(SW_SHOW);
    PumpUntil([] { return true; });
    const platform::Image picture = testkit::Capture(about.GetSafeHwnd());
    testkit::SaveForReview(picture, "tarvic_about");
    CString text;
    about.GetDlgItem(IDOK)->GetWindowText(text);
    EXPECT_EQ(text, "Ok");
    // The icon's red heart stands in the icon static.
    CRect icon;
    about.GetWindow(GW_CHILD)->GetWindowRect(&icon);
    CRect box;
    about.GetWindowRect(&box);
    bool red = false;
    for (int y = icon.top - box.top; y < icon.top - box.top + 32 && !red; ++y)
        for (int x = icon.left - box.left; x < icon.left - box.left + 32 && !red; ++x)
            red = (picture.Pixel(x, y) & 0xFF0000) > 0xB00000 && (picture.Pixel(x, y) & 0xFF00) < 0x6000;
    EXPECT_TRUE(red);
    about.DestroyWindow();
}

} // namespace
