// The gtk host on a real X display: each test starts its own Xvfb on a free display number,
// lets the host start on it, and checks what a user would see and do: a window with child
// controls, painted by the user-interface thread and by a worker thread through a window DC,
// appears on the screen exactly as its backing surface holds it; clicks, a double click, the
// wheel and typed text sent with xdotool reach the window's handlers as the classic messages.
//
// Waits are bounded: every wait for the display or for messages ends at a deadline, and a test
// skips only when Xvfb itself is missing.
#include "platform/gdi/CDC.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/host/gtk/GtkHost.h"
#include "platform/msg/CommonDialogService.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Clipboard.h"
#include "platform/ui/controls/Static.h"
#include "testkit/Pump.h"
#include "testkit/TempFolder.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

using platform::host::GtkHost;
using testkit::RecordingWnd;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = std::chrono::seconds(20);

std::string FindProgram(const char* name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

pid_t Spawn(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

// Waits for the process to end, at most until the deadline (then it is killed); its exit code,
// or -1.
int WaitForExit(pid_t pid, std::chrono::milliseconds limit)
{
    int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidfd >= 0) {
        pollfd p { pidfd, POLLIN, 0 };
        int ready = ::poll(&p, 1, static_cast<int>(limit.count()));
        ::close(pidfd);
        if (ready <= 0)
            ::kill(pid, SIGKILL);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunTool(const std::vector<std::string>& args) { return WaitForExit(Spawn(args), std::chrono::seconds(15)); }

// An Xvfb of the test's own, on the display number it picks itself.
class Xvfb
{
public:
    // Empty when it could not start; `missing` tells whether the program is not installed.
    bool Start(bool& missing)
    {
        std::string program = FindProgram("Xvfb");
        missing = program.empty();
        if (missing)
            return false;
        int fds[2];
        if (::pipe(fds) != 0)
            return false;
        // Forked by hand, so that the server ends with the test even when the test is killed.
        m_pid = ::fork();
        if (m_pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            ::execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        std::string number;
        auto end = Clock::now() + kDeadline;
        while (m_pid > 0 && Clock::now() < end) {
            pollfd p { fds[0], POLLIN, 0 };
            if (::poll(&p, 1, 1000) <= 0)
                continue;
            char c;
            if (::read(fds[0], &c, 1) != 1)
                break;
            if (c == '\n')
                break;
            number += c;
        }
        ::close(fds[0]);
        if (number.empty())
            return false;
        m_display = ":" + number;
        return true;
    }
    ~Xvfb()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            WaitForExit(m_pid, std::chrono::seconds(10));
        }
    }
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid { -1 };
    std::string m_display;
};

// Pumps the thread's messages (the host's GLib loop with them) until `done` or the deadline.
bool PumpUntil(const std::function<bool()>& done)
{
    // The waits run in the GLib loop; a thread timer wakes them now and then, so the deadline
    // is looked at.
    UINT_PTR heartbeat = SetTimer(nullptr, 0, 25, nullptr);
    bool ok = testkit::PumpUntil(done, kDeadline, [] { WaitMessage(); });
    KillTimer(nullptr, heartbeat);
    return ok;
}

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
class GtkHostOnXvfb : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_xvfb = new Xvfb;
        // The server ends after the last test and after gtest's report, when nothing of GTK
        // runs any more; ending it earlier would end the process through GTK's display error.
        std::atexit([] { delete s_xvfb; });
        s_started = s_xvfb->Start(s_missing);
        if (s_started) {
            ::setenv("DISPLAY", s_xvfb->Display().c_str(), 1);
            ::setenv("PLATFORM_HOST", "gtk", 1);
            // No desktop session here: settings in memory, no accessibility bus.
            ::setenv("GSETTINGS_BACKEND", "memory", 1);
            ::setenv("NO_AT_BRIDGE", "1", 1);
            ::unsetenv("WAYLAND_DISPLAY");
        }
    }
    void SetUp() override
    {
        if (s_missing)
            GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
        ASSERT_TRUE(s_started) << "Xvfb did not start";

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
        ASSERT_TRUE(GtkHost::IsRunning()) << "the gtk host did not start on " << s_xvfb->Display();

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

    static inline Xvfb* s_xvfb { nullptr };
    static inline bool s_started { false };
    static inline bool s_missing { false };
    RecordingWnd frame, pane, workerPane;
    CButton button;
    CStatic label;
};

// The client area of the frame as the X server shows it.
platform::Image Screenshot(const CRect& onScreen, const std::string& path)
{
    std::string geometry = std::to_string(onScreen.Width()) + "x" + std::to_string(onScreen.Height()) + "+" +
                           std::to_string(onScreen.left) + "+" + std::to_string(onScreen.top);
    platform::Image shot;
    if (RunTool({ "import", "-window", "root", "-crop", geometry, "+repage", "png:" + path }) == 0)
        shot.LoadPng(path.c_str());
    return shot;
}

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
    ASSERT_TRUE(PumpUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd) && !GetUpdateRect(frame.m_hWnd, nullptr, FALSE); }));

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
    bool matched = PumpUntil([&] {
        GtkHost::PresentNow();
        shot = Screenshot(CRect(clientOnScreen, client.Size()), path);
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
    ASSERT_TRUE(PumpUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd); }));
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
    ASSERT_TRUE(PumpUntil([&] { return pane.Count(WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(pane.Sequence(kButtons), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP }));
    EXPECT_EQ(GetFocus(), pane.m_hWnd);

    // A double click somewhere else (so it cannot pair with the first click).
    pane.log.clear();
    auto p2 = at(120, 100);
    ASSERT_EQ(xdotool({ "mousemove", "--sync", p2[0], p2[1], "click", "--repeat", "2", "--delay", "60", "1" }), 0);
    ASSERT_TRUE(PumpUntil([&] { return pane.Count(WM_LBUTTONUP) == 2; }));
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
    ASSERT_TRUE(PumpUntil([&] { return pane.Count(WM_MOUSEWHEEL) == 3; }));
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
    ASSERT_TRUE(PumpUntil([&] {
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
    ASSERT_TRUE(PumpUntil([&] { return GtkHost::IsOnDisplay(frame.m_hWnd); }));
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

TEST_F(GtkHostOnXvfb, ScreenIsTheDisplaysAndACaptionlessWindowCoveringItShowsFullScreen)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);

    RecordingWnd station;
    station.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) { return FillOnPaint(station, message, kWorkerColour); };
    ASSERT_TRUE(station.CreateTop(CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(PumpUntil([&] { return GtkHost::IsOnDisplay(station.m_hWnd); }));

    testkit::TempFolder temp;
    platform::Image shot;
    EXPECT_TRUE(PumpUntil([&] {
        GtkHost::PresentNow();
        shot = Screenshot(CRect(1000, 740, 1024, 768), temp / "corner.png");
        return !shot.IsNull() && (shot.Pixel(23, 27) & 0xFFFFFF) == 0xC82828u;
    })) << "the bottom-right corner of the screen does not show the window";
    station.DestroyWindow();
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
    ASSERT_TRUE(PumpUntil([&] { return GtkHost::IsOnDisplay(list.m_hWnd) && !GetUpdateRect(list.m_hWnd, nullptr, FALSE); }));

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
    EXPECT_TRUE(PumpUntil([&] {
        GtkHost::PresentNow();
        shot = Screenshot(shown, temp / "list.png");
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
        return PumpUntil([&] {
            GtkHost::PresentNow();
            platform::Image shot = Screenshot(CRect(800, 200, 810, 210), temp / "overlap.png");
            return !shot.IsNull() && (shot.Pixel(5, 5) & 0xFFFFFF) == rgb;
        });
    };
    ASSERT_TRUE(overlapShows(0xC82828u)) << "the window shown last is not on top";

    back.SetActiveWindow();
    EXPECT_TRUE(overlapShows(0x1E5AC8u)) << "the activated window was not raised";
    back.DestroyWindow();
    front.DestroyWindow();
}

} // namespace
