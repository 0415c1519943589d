// A real X display for tests of the gtk host: an Xvfb of the test program's own (one for the
// whole program, since the host starts once per process on the display that is there when the
// first window appears), the helper programs a test drives it with (xdotool, import), and a
// pump of the user-interface thread's messages, with GTK's events among them, until a
// condition holds. Every wait is bounded; a test skips only when Xvfb itself is missing.
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

// Starts the program's Xvfb on first use and points the gtk host at it (DISPLAY,
// PLATFORM_HOST=gtk, no desktop session). False when it is not running; `missing` tells whether
// Xvfb is not installed. The server ends when the program does.
bool StartXvfbDisplay(bool& missing);

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

} // namespace testkit
