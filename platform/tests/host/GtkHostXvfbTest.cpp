// The gtk host on a real X display (the test program's own Xvfb, testkit/Xvfb.h): the host starts
// on it, and the tests check what a user would see and do: a window with child
// controls, painted by the user-interface thread and by a worker thread through a window DC,
// appears on the screen exactly as its backing surface holds it; clicks, a double click, the
// wheel and typed text sent with xdotool reach the window's handlers as the classic messages.
//
// Waits are bounded: every wait for the display or for messages ends at a deadline, and a test
// skips only when Xvfb itself is missing.
#include "platform/gdi/CDC.h"
#include "platform/gdi/Cursor.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/host/gtk/GtkHost.h"
#include "platform/msg/CommonDialogService.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Clipboard.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialogs/FileDialog.h"
#include "testkit/Golden.h"
#include "testkit/Pump.h"
#include "testkit/TempFolder.h"
#include "testkit/TestWindow.h"
#include "testkit/Xvfb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

using platform::host::GtkHost;
using testkit::RecordingWnd;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = testkit::kDisplayDeadline;
using testkit::PumpDisplayUntil;
using testkit::RunTool;
using testkit::Spawn;
using testkit::WaitForExit;

constexpr COLORREF kFrameColour = RGB(240, 240, 240);
constexpr COLORREF kUiPaneColour = RGB(30, 90, 200);
constexpr COLORREF kWorkerColour = RGB(200, 40, 40);

// Answers WM_PAINT by filling the client area with `colour`; false for other messages.
bool FillOnPaint(RecordingWnd& wnd, UINT message, COLORREF colour)
{
    if (message != WM_PAINT)
        return false;
    CPaintDC dc(&wnd);
    CRect client;
    wnd.GetClientRect(&client);
    dc.FillSolidRect(&client, colour);
    return true;
}

// One server for the whole test program: the host starts once per process, on the display
// that is there when the first window appears, and keeps its connection.
class GtkHostOnXvfb : public testkit::XvfbTest
{
protected:
    void SetUp() override
    {
        testkit::XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;

        frame.onMessage = [this](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message != WM_PAINT)
                return false;
            CPaintDC dc(&frame);
            CRect client;
            frame.GetClientRect(&client);
            dc.FillSolidRect(&client, kFrameColour);
            dc.TextOut(10, 10, CString("Bed 3 - CTG"));
            return true;
        };
        ASSERT_TRUE(frame.CreateTop(CRect(40, 50, 460, 350), WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, nullptr, "Ward"));
        ASSERT_TRUE(GtkHost::IsRunning()) << "the gtk host did not start on " << std::getenv("DISPLAY");

        pane.onMessage = [this](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message == WM_LBUTTONDOWN)
                pane.SetFocus();
            return FillOnPaint(pane, message, kUiPaneColour);
        };
        ASSERT_TRUE(pane.CreateChild(&frame, CRect(10, 40, 210, 190), 100, WS_VISIBLE, testkit::TestClass("GtkTestPane", CS_DBLCLKS)));
        ASSERT_TRUE(workerPane.CreateChild(&frame, CRect(220, 40, 400, 190), 101, WS_VISIBLE, testkit::TestClass("GtkTestPlain", 0)));
        ASSERT_TRUE(button.Create("Acknowledge", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 200, 130, 230), &frame, 102));
        ASSERT_TRUE(label.Create("Uterine activity", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(140, 205, 400, 225), &frame, 103));
    }

    RecordingWnd frame, pane, workerPane;
    CButton button;
    CStatic label;
};

// How many pixels of the screenshot differ from the surface's pixels of the same area.
int DifferingPixels(const platform::Image& shot, const platform::Surface& surface, POINT originInSurface)
{
    std::lock_guard lock(surface.Mutex());
    int differing = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if ((shot.Pixel(x, y) & 0xFFFFFF) != (surface.Row(originInSurface.y + y)[originInSurface.x + x] & 0xFFFFFF))
                ++differing;
    return differing;
}

TEST_F(GtkHostOnXvfb, WindowPaintedByTheUiAndAWorkerThreadShowsItsSurfaceOnTheScreen)
{
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd) && !GetUpdateRect(frame.m_hWnd, nullptr, FALSE); }));

    // A worker draws into its pane through a window DC while the user-interface thread runs.
    HWND target = workerPane.m_hWnd;
    std::thread worker([target] {
        HDC dc = ::GetDC(target);
        CDC* cdc = CDC::FromHandle(dc);
        cdc->FillSolidRect(0, 0, 180, 150, kWorkerColour);
        cdc->TextOut(8, 8, CString("FHR 142"));
        ::ReleaseDC(target, dc);
    });
    worker.join();

    auto surface = platform::WindowSurface(frame.m_hWnd);
    ASSERT_TRUE(surface);
    CRect client;
    frame.GetClientRect(&client);
    CPoint clientOnScreen(0, 0);
    frame.ClientToScreen(&clientOnScreen);
    CRect windowRect;
    frame.GetWindowRect(&windowRect);
    POINT clientInSurface { clientOnScreen.x - windowRect.left, clientOnScreen.y - windowRect.top };

    // The worker's pixels are in the surface, and the surface is what the screen shows.
    CPoint workerInSurface(0, 0);
    workerPane.ClientToScreen(&workerInSurface);
    EXPECT_EQ(surface->Row(workerInSurface.y - windowRect.top + 100)[workerInSurface.x - windowRect.left + 100] & 0xFFFFFF,
              0xC82828u);

    testkit::TempFolder temp;
    std::string path = temp / "screen.png";
    int differing = -1;
    platform::Image shot;
    bool matched = PumpDisplayUntil([&] {
        GtkHost::PresentNow();
        shot = testkit::ScreenShot(CRect(clientOnScreen, client.Size()), path);
        if (shot.Width() != client.Width() || shot.Height() != client.Height())
            return false;
        differing = DifferingPixels(shot, *surface, clientInSurface);
        return differing == 0;
    });
    ASSERT_TRUE(matched) << differing << " pixels of the screen differ from the window's surface";
    // What matched is the painted window: the frame, the user-interface thread's pane and the
    // worker's pane in their colours.
    auto onShot = [&](CWnd& wnd, int x, int y) {
        CPoint p(x, y);
        wnd.ClientToScreen(&p);
        return shot.Pixel(p.x - clientOnScreen.x, p.y - clientOnScreen.y) & 0xFFFFFF;
    };
    EXPECT_EQ(onShot(frame, 5, 300 - 60), 0xF0F0F0u);
    EXPECT_EQ(onShot(pane, 100, 100), 0x1E5AC8u);
    EXPECT_EQ(onShot(workerPane, 100, 100), 0xC82828u);
}

TEST_F(GtkHostOnXvfb, XdotoolInputArrivesAsTheClassicMessages)
{
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd); }));
    auto at = [&](int x, int y) {
        CPoint p(x, y);
        pane.ClientToScreen(&p);
        return std::vector<std::string> { std::to_string(p.x), std::to_string(p.y) };
    };
    auto xdotool = [](std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        return RunTool(args);
    };
    const std::initializer_list<UINT> kButtons = { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK };

    // A click.
    auto p1 = at(20, 20);
    ASSERT_EQ(xdotool({ "mousemove", "--sync", p1[0], p1[1], "click", "1" }), 0);
    ASSERT_TRUE(PumpDisplayUntil([&] { return pane.Count(WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(pane.Sequence(kButtons), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP }));
    EXPECT_EQ(GetFocus(), pane.m_hWnd);

    // A double click somewhere else (so it cannot pair with the first click).
    pane.log.clear();
    auto p2 = at(120, 100);
    ASSERT_EQ(xdotool({ "mousemove", "--sync", p2[0], p2[1], "click", "--repeat", "2", "--delay", "60", "1" }), 0);
    ASSERT_TRUE(PumpDisplayUntil([&] { return pane.Count(WM_LBUTTONUP) == 2; }));
    EXPECT_EQ(pane.Sequence(kButtons), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP }));
    for (auto& e : pane.log) {
        if (e.message == WM_LBUTTONDBLCLK) {
            EXPECT_EQ(e.lParam, MAKELPARAM(120, 100));
        }
    }

    // The wheel: one notch away from the user, then two towards.
    pane.log.clear();
    ASSERT_EQ(xdotool({ "click", "4" }), 0);
    ASSERT_EQ(xdotool({ "click", "--repeat", "2", "5" }), 0);
    ASSERT_TRUE(PumpDisplayUntil([&] { return pane.Count(WM_MOUSEWHEEL) == 3; }));
    std::vector<int> deltas;
    for (auto& e : pane.log)
        if (e.message == WM_MOUSEWHEEL)
            deltas.push_back(static_cast<short>(HIWORD(e.wParam)));
    EXPECT_EQ(deltas, (std::vector<int> { 120, -120, -120 }));

    // Typed text: key presses that the layer translates into characters, and characters the
    // classic keyboard has no key for ("[" and "]") as WM_CHAR alone, in their place.
    pane.log.clear();
    const std::string text = "Hi [5]!";
    ASSERT_EQ(xdotool({ "type", "--delay", "30", text }), 0);
    std::string typed;
    ASSERT_TRUE(PumpDisplayUntil([&] {
        typed.clear();
        for (auto& e : pane.log)
            if (e.message == WM_CHAR)
                typed += static_cast<char>(e.wParam);
        return typed.size() >= text.size();
    })) << "typed so far: \"" << typed << "\"";
    EXPECT_EQ(typed, text);
    EXPECT_GE(pane.Count(WM_KEYDOWN), 5);
}

// Ends a dialog that nobody answers: WM_QUIT cancels it, so the test fails instead of hanging.
void QuitWhenLate(HWND, UINT, UINT_PTR, DWORD)
{
    static const auto end = Clock::now() + kDeadline;
    if (Clock::now() > end)
        PostQuitMessage(1);
}

TEST_F(GtkHostOnXvfb, FileDialogAnswersWithTheChosenFileWhileTheOwnersTimersKeepFiring)
{
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd); }));
    testkit::TempFolder temp;
    std::string file = temp / "trace.ctg";
    std::ofstream(file) << "FHR";

    // A user types the file's path into the dialog once it is shown (focus goes only to a mapped
    // window) and presses Enter.
    // The user waits a moment for the dialog to take the typed path before pressing Enter, and
    // presses it again while the dialog is still there.
    const std::string script =
        "xdotool search --sync --onlyvisible --name 'Open Recording' windowfocus --sync key ctrl+l type --delay 20 '" + file + "' || exit 1; "
        "for i in 1 2 3 4 5 6 7 8 9 10; do xdotool sleep 0.5; "
        "xdotool search --onlyvisible --name 'Open Recording' windowfocus --sync key Return || exit 0; done";
    pid_t user = Spawn({ "sh", "-c", script });
    ASSERT_GT(user, 0);
    UINT_PTR guard = SetTimer(nullptr, 0, 100, QuitWhenLate);
    ASSERT_NE(SetTimer(frame.m_hWnd, 7, 30, nullptr), 0u);
    bool ownerDisabled = false;
    frame.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_TIMER)
            ownerDisabled = !frame.IsWindowEnabled();
        return false;
    };

    platform::msg::CommonDialogRequest request;
    request.kind = platform::msg::CommonDialogKind::OpenFile;
    request.owner = frame.m_hWnd;
    request.title = "Open Recording";
    request.initialFolder = temp.Dir().c_str();
    request.filter = "Recordings (*.ctg)|*.ctg|All files (*.*)|*.*||";
    platform::msg::CommonDialogAnswer answer = platform::msg::RunCommonDialog(request);
    KillTimer(nullptr, guard);
    KillTimer(frame.m_hWnd, 7);
    EXPECT_EQ(WaitForExit(user, std::chrono::seconds(10)), 0);

    ASSERT_TRUE(answer.accepted);
    ASSERT_EQ(answer.paths.size(), 1u);
    EXPECT_STREQ(answer.paths[0], file.c_str());
    EXPECT_EQ(answer.filterIndex, 1);
    EXPECT_GT(frame.Count(WM_TIMER), 0) << "the owner's timer stopped while the dialog was open";
    EXPECT_TRUE(ownerDisabled) << "the owner was not disabled under the dialog";
    EXPECT_TRUE(frame.IsWindowEnabled());
}

// Programs carry no extension here: the programs pattern lists the files the user may run, so
// the first file of the folder a user walks to with the keyboard is the program, not the notes
// beside it.
TEST_F(GtkHostOnXvfb, FileDialogProgramsPatternListsOnlyFilesTheUserMayRun)
{
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd); }));
    testkit::TempFolder temp;
    const std::string notes = temp / "a-notes.txt";
    const std::string program = temp / "b-viewer";
    std::ofstream(notes) << "notes";
    std::ofstream(program) << "#!/bin/sh\n";
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);

    const std::string script =
        "xdotool search --sync --onlyvisible --name 'Choose Program' windowfocus --sync sleep 0.5 key Down || exit 1; "
        "for i in 1 2 3 4 5 6 7 8 9 10; do xdotool sleep 0.5; "
        "xdotool search --onlyvisible --name 'Choose Program' windowfocus --sync key Return || exit 0; done";
    pid_t user = Spawn({ "sh", "-c", script });
    ASSERT_GT(user, 0);
    UINT_PTR guard = SetTimer(nullptr, 0, 100, QuitWhenLate);
    platform::msg::CommonDialogRequest request;
    request.kind = platform::msg::CommonDialogKind::OpenFile;
    request.owner = frame.m_hWnd;
    request.title = "Choose Program";
    request.initialFolder = temp.Dir().c_str();
    request.filter = (std::string("Programs|") + kProgramFilesPattern + "|All files (*.*)|*.*||").c_str();
    platform::msg::CommonDialogAnswer answer = platform::msg::RunCommonDialog(request);
    KillTimer(nullptr, guard);
    EXPECT_EQ(WaitForExit(user, std::chrono::seconds(10)), 0);

    ASSERT_TRUE(answer.accepted);
    ASSERT_EQ(answer.paths.size(), 1u);
    EXPECT_STREQ(answer.paths[0], program.c_str());
    EXPECT_EQ(answer.filterIndex, 1);
}

// The print dialog offers no Preview of its own: the programs' previews are their own, and a
// button there would only print or do nothing. A user who presses its key (Alt+V) and then
// Escape has printed nothing.
TEST_F(GtkHostOnXvfb, PrintDialogOffersNoPreviewOfItsOwn)
{
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd); }));
    testkit::TempFolder temp;
    const std::string shot = temp / "print-dialog.png";
    const std::string script =
        "xdotool search --sync --onlyvisible --name '^Print$' windowfocus --sync sleep 1 || exit 1; "
        "import -window root png:'" + shot + "'; "
        "xdotool key alt+v sleep 1; "
        "for i in 1 2 3 4 5 6 7 8 9 10; do "
        "xdotool search --onlyvisible --name '^Print$' windowfocus --sync key Escape sleep 0.5 || exit 0; done";
    pid_t user = Spawn({ "sh", "-c", script });
    ASSERT_GT(user, 0);
    UINT_PTR guard = SetTimer(nullptr, 0, 100, QuitWhenLate);
    platform::msg::CommonDialogRequest request;
    request.kind = platform::msg::CommonDialogKind::Print;
    request.owner = frame.m_hWnd;
    platform::msg::CommonDialogAnswer answer = platform::msg::RunCommonDialog(request);
    KillTimer(nullptr, guard);
    EXPECT_EQ(WaitForExit(user, std::chrono::seconds(20)), 0);
    EXPECT_FALSE(answer.accepted) << "printer '" << answer.printer.GetString() << "' file '" << answer.outputFile.GetString() << "'";
    platform::Image picture;
    ASSERT_TRUE(picture.LoadPng(shot.c_str()));
    testkit::SaveForReview(picture, "platform_print_dialog");
}

// The titles of the display's top-level windows from the top of the stack down, as the X
// server keeps them (no window manager here: the order is the server's own).
std::vector<std::string> TitlesFromTheTop()
{
    std::string out;
    testkit::RunTool({ "xwininfo", "-root", "-children" }, out);
    std::vector<std::string> titles;
    size_t at = 0;
    while ((at = out.find("\n     0x", at)) != std::string::npos) {
        size_t open = out.find('"', at);
        size_t end = out.find('\n', at + 1);
        if (open != std::string::npos && open < end)
            titles.push_back(out.substr(open + 1, out.find('"', open + 1) - open - 1));
        at = end;
    }
    return titles;
}

// The classic order that hid the print dialog of the full-screen station: a dialog ends and
// activates the station again, and the station opens a desktop dialog at once. The station is
// not raised over the dialog, not even without a window manager to keep the dialog on top.
TEST_F(GtkHostOnXvfb, ADesktopDialogOpenedAsItsFullScreenOwnerIsActivatedStaysAboveIt)
{
    RecordingWnd station, range;
    station.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) { return FillOnPaint(station, message, kWorkerColour); };
    ASSERT_TRUE(station.CreateTop(CRect(0, 0, 1024, 768), WS_POPUP | WS_VISIBLE, nullptr, nullptr, "Full Station"));
    ASSERT_TRUE(range.CreateTop(CRect(300, 300, 500, 400), WS_POPUP | WS_CAPTION | WS_VISIBLE, station.m_hWnd, nullptr, "Range"));
    range.SetActiveWindow();
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(range.m_hWnd) && GtkHost::IsOnDisplay(station.m_hWnd); }));
    range.DestroyWindow(); // the station is active again ...

    // ... and, a few frames after the dialog is shown (or at the deadline), what the screen
    // stacks is looked at.
    static std::vector<std::string> s_titles;
    static int s_shownTicks;
    static Clock::time_point s_end;
    s_titles.clear();
    s_shownTicks = 0;
    s_end = Clock::now() + kDeadline;
    UINT_PTR look = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        s_titles = TitlesFromTheTop();
        bool shown = std::find(s_titles.begin(), s_titles.end(), "Export Trend") != s_titles.end();
        if ((shown && ++s_shownTicks > 6) || Clock::now() > s_end)
            PostQuitMessage(0); // cancels the dialog
    });
    platform::msg::CommonDialogRequest request;
    request.kind = platform::msg::CommonDialogKind::SaveFile;
    request.owner = station.m_hWnd;
    request.title = "Export Trend";
    platform::msg::RunCommonDialog(request);
    KillTimer(nullptr, look);
    MSG quit;
    while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }

    auto at = [](const char* title) { return std::find(s_titles.begin(), s_titles.end(), title) - s_titles.begin(); };
    ASSERT_LT(at("Export Trend"), std::ptrdiff_t(s_titles.size())) << "the dialog did not show";
    EXPECT_LT(at("Export Trend"), at("Full Station")) << "the station was raised over its dialog";
    EXPECT_TRUE(station.IsWindowEnabled());
    station.DestroyWindow();
}

TEST_F(GtkHostOnXvfb, ScreenIsTheDisplaysAndACaptionlessWindowCoveringItShowsFullScreen)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);

    RecordingWnd station;
    station.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) { return FillOnPaint(station, message, kWorkerColour); };
    ASSERT_TRUE(station.CreateTop(CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(station.m_hWnd); }));

    testkit::TempFolder temp;
    platform::Image shot;
    EXPECT_TRUE(PumpDisplayUntil([&] {
        GtkHost::PresentNow();
        shot = testkit::ScreenShot(CRect(1000, 740, 1024, 768), temp / "corner.png");
        return !shot.IsNull() && (shot.Pixel(23, 27) & 0xFFFFFF) == 0xC82828u;
    })) << "the bottom-right corner of the screen does not show the window";
    station.DestroyWindow();
}

// What another thread asks of the host (here the cursor it sets) is done by the host thread when
// it next runs its loop, never by the asking thread, even while the host thread is outside the
// loop: GTK belongs to the host thread alone.
TEST_F(GtkHostOnXvfb, ACursorSetByAWorkerThreadIsShownByTheHostThread)
{
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd); }));
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    ASSERT_TRUE(PumpDisplayUntil([&] { return std::string(GtkHost::ShownCursorName()) == "default"; }));

    // The user-interface thread waits for the worker outside its loop.
    std::thread worker([] { ::SetCursor(::LoadCursor(nullptr, IDC_HAND)); });
    worker.join();
    EXPECT_STREQ(GtkHost::ShownCursorName(), "default") << "the worker thread did the host's work itself";
    EXPECT_TRUE(PumpDisplayUntil([&] { return std::string(GtkHost::ShownCursorName()) == "pointer"; }));
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(GtkHostOnXvfb, ClipboardTextGoesThroughTheDisplaysClipboard)
{
    platform::ui::SetClipboardText(CString("Bed 4: FHR 138 bpm \xE2\x80\x94 ok"));
    // The desktop's clipboard now holds it: asking it (not the process) gives the text back.
    EXPECT_TRUE(platform::ui::ClipboardHasText());
    EXPECT_STREQ(platform::ui::GetClipboardText(), "Bed 4: FHR 138 bpm \xE2\x80\x94 ok");
}

TEST_F(GtkHostOnXvfb, DecoratedWindowShowsItsScrollBarBesideTheClientArea)
{
    RecordingWnd list;
    ASSERT_TRUE(list.CreateTop(CRect(500, 400, 800, 600), WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE));
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 40, 0 };
    list.SetScrollInfo(SB_VERT, &info);
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(list.m_hWnd) && !GetUpdateRect(list.m_hWnd, nullptr, FALSE); }));

    CRect client, windowRect;
    list.GetClientRect(&client);
    list.GetWindowRect(&windowRect);
    CPoint clientOnScreen(0, 0);
    list.ClientToScreen(&clientOnScreen);
    CRect shown(clientOnScreen, CSize(client.Width() + GetSystemMetrics(SM_CXVSCROLL), client.Height()));
    auto surface = platform::WindowSurface(list.m_hWnd);
    ASSERT_TRUE(surface);
    testkit::TempFolder temp;
    int differing = -1;
    platform::Image shot;
    EXPECT_TRUE(PumpDisplayUntil([&] {
        GtkHost::PresentNow();
        shot = testkit::ScreenShot(shown, temp / "list.png");
        if (shot.Width() != shown.Width() || shot.Height() != shown.Height())
            return false;
        differing = DifferingPixels(shot, *surface, POINT { shown.left - windowRect.left, shown.top - windowRect.top });
        return differing == 0;
    })) << differing << " pixels of the client area and scroll bar differ from the surface";
    // The scroll bar's up arrow is drawn (a fresh surface is black).
    ASSERT_FALSE(shot.IsNull());
    EXPECT_NE(shot.Pixel(client.Width() + 3, 3) & 0xFFFFFF, 0u);
    list.DestroyWindow();
}

TEST_F(GtkHostOnXvfb, ActivatingAWindowRaisesItOnTheScreen)
{
    auto paintedIn = [](RecordingWnd& wnd, COLORREF colour) {
        wnd.onMessage = [&wnd, colour](UINT message, WPARAM, LPARAM, LRESULT&) { return FillOnPaint(wnd, message, colour); };
    };
    RecordingWnd back, front;
    paintedIn(back, kUiPaneColour);
    paintedIn(front, kWorkerColour);
    ASSERT_TRUE(back.CreateTop(CRect(600, 100, 900, 300), WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(front.CreateTop(CRect(700, 150, 1000, 350), WS_POPUP | WS_VISIBLE));
    testkit::TempFolder temp;
    auto overlapShows = [&](std::uint32_t rgb) {
        return PumpDisplayUntil([&] {
            GtkHost::PresentNow();
            platform::Image shot = testkit::ScreenShot(CRect(800, 200, 810, 210), temp / "overlap.png");
            return !shot.IsNull() && (shot.Pixel(5, 5) & 0xFFFFFF) == rgb;
        });
    };
    ASSERT_TRUE(overlapShows(0xC82828u)) << "the window shown last is not on top";

    back.SetActiveWindow();
    EXPECT_TRUE(overlapShows(0x1E5AC8u)) << "the activated window was not raised";
    back.DestroyWindow();
    front.DestroyWindow();
}

// A pop-up that holds the mouse capture (a colour palette, a drop-down list) is told of a click
// outside every window of the program too, as the classic system tells it, so that it can close:
// the host grabs the pointer for it while it holds the capture, and lets go with the capture.
TEST_F(GtkHostOnXvfb, APopupHoldingTheCaptureHearsAClickOnTheDesktop)
{
    RecordingWnd popup;
    popup.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) { return FillOnPaint(popup, message, kWorkerColour); };
    ASSERT_TRUE(popup.CreateTop(CRect(600, 100, 700, 200), WS_POPUP | WS_VISIBLE, frame.m_hWnd));
    ASSERT_TRUE(PumpDisplayUntil([&] { return GtkHost::IsOnDisplay(popup.m_hWnd); }));
    popup.SetCapture();
    // The grab follows the capture from the next frame on.
    const auto settled = Clock::now() + std::chrono::milliseconds(200);
    PumpDisplayUntil([&] { return Clock::now() > settled; });

    const std::initializer_list<UINT> kButtons = { WM_LBUTTONDOWN, WM_LBUTTONUP };
    ASSERT_EQ(RunTool({ "xdotool", "mousemove", "--sync", "900", "600", "click", "1" }), 0);
    ASSERT_TRUE(PumpDisplayUntil([&] { return popup.Count(WM_LBUTTONUP) == 1; })) << "the click on the desktop was lost";
    EXPECT_EQ(popup.Sequence(kButtons), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP }));
    for (auto& e : popup.log) {
        if (e.message == WM_LBUTTONUP) {
            EXPECT_EQ(e.lParam, MAKELPARAM(300, 500)) << "at its place, in the pop-up's client coordinates";
        }
    }

    // Without the capture the desktop's clicks are the desktop's again.
    ReleaseCapture();
    const auto released = Clock::now() + std::chrono::milliseconds(200);
    PumpDisplayUntil([&] { return Clock::now() > released; });
    popup.log.clear();
    ASSERT_EQ(RunTool({ "xdotool", "mousemove", "--sync", "900", "650", "click", "1" }), 0);
    const auto after = Clock::now() + std::chrono::milliseconds(300);
    PumpDisplayUntil([&] { return Clock::now() > after; });
    EXPECT_EQ(popup.Count(WM_LBUTTONUP), 0);
    popup.DestroyWindow();
}

} // namespace
