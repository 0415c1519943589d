// A real X display for tests of the gtk host: an Xvfb of the test program's own (one for the
// whole program, since the host starts once per process on the display that is there when the
// first window appears), a light window manager on it for tests that need real stacking,
// transient dialogs and frame close boxes, the helper programs a test drives it with (xdotool,
// xprop, import), and a pump of the user-interface thread's messages, with GTK's events among
// them, until a condition holds. Every wait is bounded; a test skips only when Xvfb itself is
// missing.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"
#include "platform/gdi/Image.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace testkit {

// The bound of every wait for the display or for messages.
constexpr auto kDisplayDeadline = std::chrono::seconds(20);

// The program's path on PATH, or empty.
std::string FindProgram(const char* name);
// Starts a program; -1 when it cannot.
pid_t Spawn(const std::vector<std::string>& args);
// Waits for the process to end, at most `limit` (then it is killed); its exit code, or -1.
int WaitForExit(pid_t pid, std::chrono::milliseconds limit);
// Runs a helper program to its end (at most 15 s); its exit code, or -1.
int RunTool(const std::vector<std::string>& args);
// The same, with what it wrote to its standard output in `output`.
int RunTool(const std::vector<std::string>& args, std::string& output);

// Starts the program's Xvfb on first use and points the gtk host at it (DISPLAY,
// PLATFORM_HOST=gtk, no desktop session). False when it is not running; `missing` tells whether
// Xvfb is not installed. The server ends when the program does.
bool StartXvfbDisplay(bool& missing);

// Starts the window manager (openbox) on the program's display once and waits until it
// manages the screen. False when it is not running; `missing` tells whether openbox is not
// installed. It ends when the program does.
bool StartWindowManager(bool& missing);

// A test on the program's display: its SetUp skips the test when Xvfb is not installed and fails
// it when the server does not start. A fixture's own SetUp calls it first and returns when
// IsSkipped() or HasFatalFailure().
class XvfbTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_started = StartXvfbDisplay(s_missing); }
    void SetUp() override
    {
        if (s_missing)
            GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
        ASSERT_TRUE(s_started) << "Xvfb did not start";
    }

private:
    static inline bool s_started { false };
    static inline bool s_missing { false };
};

// A test on the program's display with the window manager running: it fails (it does not skip)
// when Xvfb is there but openbox is not, since scripts/setup installs both.
class XvfbWindowManagerTest : public XvfbTest
{
protected:
    static void SetUpTestSuite()
    {
        XvfbTest::SetUpTestSuite();
        bool xvfbMissing = false;
        if (StartXvfbDisplay(xvfbMissing))
            s_managed = StartWindowManager(s_managerMissing);
    }
    void SetUp() override
    {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(s_managed) << (s_managerMissing ? "openbox is not installed (scripts/setup installs it)"
                                                    : "the window manager did not start");
    }

private:
    static inline bool s_managed { false };
    static inline bool s_managerMissing { false };
};

// Pumps the calling thread's messages (the host's GLib loop with them) until `done` or the
// deadline; whether `done` held.
bool PumpDisplayUntil(const std::function<bool()>& done);

// The gtk host as the tests of the libraries above the platform see it: whether it runs, whether
// a top-level window is shown on the display, and drawing what is pending now.
bool DisplayHostRunning();
bool IsOnDisplay(HWND topLevel);
void PresentNow();
// The cursor shape the host shows over the program's windows ("default", "pointer" ...).
std::string ShownCursorName();

// A part of the screen as the X server shows it (through a file at `path`); null when it
// could not be taken.
platform::Image ScreenShot(const CRect& onScreen, const std::string& path);

// ---- another program's windows, as the X server and the window manager see them ----------------

// An X window id.
using XWindow = unsigned long;

// The bound of a wait for another program's window: it may be starting on a loaded machine.
constexpr auto kWindowDeadline = std::chrono::seconds(60);

// The last shown window whose title matches `titlePattern` (an extended regular expression, as
// xdotool takes it: "^Add User$"), polled until there is one; 0 when none showed in time.
XWindow WaitForWindow(const std::string& titlePattern, std::chrono::milliseconds limit = kWindowDeadline);
// The last shown window of the process `pid` (a window without a title included), polled until
// there is one; 0 when none showed in time.
XWindow WaitForWindowOf(pid_t pid, std::chrono::milliseconds limit = kWindowDeadline);
// Polls until no shown window's title matches; false when one is still there at the deadline.
bool WaitForNoWindow(const std::string& titlePattern, std::chrono::milliseconds limit = kWindowDeadline);
// Where the window's content (inside any frame the manager draws) is on the screen; empty when
// the window is gone.
CRect WindowOnScreen(XWindow window);
// The window with the frame the window manager draws around it (its title bar and close box);
// the content alone when it has no frame.
CRect FrameOnScreen(XWindow window);
// The managed windows from the bottom to the top, as the window manager stacks them.
std::vector<XWindow> StackingOrder();
// The window `window` is transient for (its owner), 0 when none.
XWindow TransientFor(XWindow window);
// The window manager's states of the window ("_NET_WM_STATE_MODAL", "_NET_WM_STATE_FULLSCREEN" ...).
std::vector<std::string> WindowStates(XWindow window);

// Real input through the X server, as a user gives it.
bool ClickAt(POINT screen);
// Presses at `from`, moves in steps to `to` and releases there.
bool DragFromTo(POINT from, POINT to);
bool TypeText(const std::string& text);
// Key names as xdotool takes them: "Return", "Escape", "ctrl+a", "Left".
bool PressKeys(const std::vector<std::string>& keys);

} // namespace testkit
