#include "testkit/Xvfb.h"

#include "platform/host/gtk/GtkHost.h"
#include "platform/msg/WindowApi.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testkit {

namespace {

using Clock = std::chrono::steady_clock;

// Forks a server of the display, tied to the test program: it is killed when the program ends,
// even when the program is killed. `unusedInChild` is a descriptor the server does not need.
pid_t StartTied(const std::vector<std::string>& args, int unusedInChild = -1)
{
    // Everything the child needs is made before the fork: it only execs.
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (unusedInChild >= 0)
            ::close(unusedInChild);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

// A helper of the display started with StartTied; asked to end when the object goes.
class TiedProcess
{
public:
    TiedProcess() = default;
    TiedProcess(const TiedProcess&) = delete;
    TiedProcess& operator=(const TiedProcess&) = delete;
    ~TiedProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            WaitForExit(m_pid, std::chrono::seconds(10));
        }
    }

protected:
    pid_t m_pid { -1 };
};

// The server, forked by hand so that it ends with the test program even when that is killed.
class XvfbServer : public TiedProcess
{
public:
    bool Start(bool& missing)
    {
        std::string program = FindProgram("Xvfb");
        missing = program.empty();
        if (missing)
            return false;
        int fds[2];
        if (::pipe(fds) != 0)
            return false;
        m_pid = StartTied({ program, "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp" },
                          fds[0]);
        ::close(fds[1]);
        // The server writes the display number it picked, then a line feed.
        std::string number;
        auto end = Clock::now() + kDisplayDeadline;
        while (m_pid > 0 && Clock::now() < end) {
            pollfd p { fds[0], POLLIN, 0 };
            if (::poll(&p, 1, 1000) <= 0)
                continue;
            char c;
            if (::read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number += c;
        }
        ::close(fds[0]);
        if (number.empty())
            return false;
        m_display = ":" + number;
        return true;
    }
    const std::string& Display() const { return m_display; }

private:
    std::string m_display;
};

// The window manager of the display, tied to the test program like the server.
class WindowManager : public TiedProcess
{
public:
    bool Start(bool& missing)
    {
        std::string program = FindProgram("openbox");
        missing = program.empty();
        if (missing)
            return false;
        // The system's configuration, not the configuration of whoever runs the tests.
        std::vector<std::string> args { program, "--sm-disable" };
        if (::access("/etc/xdg/openbox/rc.xml", R_OK) == 0)
            args.insert(args.end(), { "--config-file", "/etc/xdg/openbox/rc.xml" });
        // It manages the screen once it has put its check window on the root window; one that
        // ended before it did is started again.
        auto end = Clock::now() + kWindowDeadline;
        while (Clock::now() < end) {
            if (m_pid <= 0 || ::waitpid(m_pid, nullptr, WNOHANG) == m_pid)
                m_pid = StartTied(args);
            std::string out;
            if (RunTool({ "xprop", "-root", "_NET_SUPPORTING_WM_CHECK" }, out) == 0 && out.find("window id") != std::string::npos)
                return true;
            ::usleep(50'000);
        }
        return false;
    }
};

// The words of a tool's output, split at white space.
std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// The window ids that xprop lists after the '#' of a WINDOW property ("... # 0x400003, 0x4000c9").
std::vector<XWindow> WindowIds(const std::string& xpropLine)
{
    std::vector<XWindow> ids;
    size_t hash = xpropLine.find('#');
    if (hash == std::string::npos)
        return ids;
    for (std::string word : Words(xpropLine.substr(hash + 1))) {
        if (!word.empty() && word.back() == ',')
            word.pop_back();
        char* end = nullptr;
        XWindow id = std::strtoul(word.c_str(), &end, 16);
        if (end && *end == '\0' && id != 0)
            ids.push_back(id);
    }
    return ids;
}

std::string Hex(XWindow window)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

// Polls `probe` until it holds or `limit` passes.
bool PollFor(const std::function<bool()>& probe, std::chrono::milliseconds limit)
{
    auto end = Clock::now() + limit;
    for (;;) {
        if (probe())
            return true;
        if (Clock::now() > end)
            return false;
        ::usleep(100'000);
    }
}

} // namespace

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

int WaitForExit(pid_t pid, std::chrono::milliseconds limit)
{
    if (pid <= 0)
        return -1;
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

int RunTool(const std::vector<std::string>& args, std::string& output)
{
    constexpr auto kLimit = std::chrono::seconds(15);
    output.clear();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    bool started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (!started) {
        ::close(fds[0]);
        return -1;
    }
    auto end = Clock::now() + kLimit;
    char buffer[4096];
    while (Clock::now() < end) {
        pollfd p { fds[0], POLLIN, 0 };
        if (::poll(&p, 1, 200) <= 0)
            continue;
        ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break; // the end of its output
        output.append(buffer, static_cast<size_t>(got));
    }
    ::close(fds[0]);
    return WaitForExit(pid, std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::max(Clock::duration::zero(), end - Clock::now())));
}

bool StartXvfbDisplay(bool& missing)
{
    static XvfbServer* s_server = nullptr;
    static bool s_missing = false;
    static const bool s_started = [] {
        s_server = new XvfbServer;
        // The server ends after the last test and after gtest's report, when nothing of GTK
        // runs any more; ending it earlier would end the process through GTK's display error.
        std::atexit([] { delete s_server; });
        if (!s_server->Start(s_missing))
            return false;
        ::setenv("DISPLAY", s_server->Display().c_str(), 1);
        ::setenv("PLATFORM_HOST", "gtk", 1);
        // No desktop session here: settings in memory, no accessibility bus.
        ::setenv("GSETTINGS_BACKEND", "memory", 1);
        ::setenv("NO_AT_BRIDGE", "1", 1);
        ::unsetenv("WAYLAND_DISPLAY");
        return true;
    }();
    missing = s_missing;
    return s_started;
}

bool StartWindowManager(bool& missing)
{
    static WindowManager* s_manager = nullptr;
    static bool s_missing = false;
    static const bool s_started = [] {
        bool xvfbMissing = false;
        if (!StartXvfbDisplay(xvfbMissing))
            return false;
        s_manager = new WindowManager;
        // Registered after the server's end, so it runs before it: the manager goes first.
        std::atexit([] { delete s_manager; });
        return s_manager->Start(s_missing);
    }();
    missing = s_missing;
    return s_started;
}

bool PumpDisplayUntil(const std::function<bool()>& done)
{
    // A thread timer wakes the wait now and then, so the deadline is looked at.
    UINT_PTR heartbeat = SetTimer(nullptr, 0, 25, nullptr);
    auto end = Clock::now() + kDisplayDeadline;
    bool ok = false;
    for (;;) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (done()) {
            ok = true;
            break;
        }
        if (Clock::now() > end)
            break;
        WaitMessage();
    }
    KillTimer(nullptr, heartbeat);
    return ok;
}

platform::Image ScreenShot(const CRect& onScreen, const std::string& path)
{
    std::string geometry = std::to_string(onScreen.Width()) + "x" + std::to_string(onScreen.Height()) + "+" +
                           std::to_string(onScreen.left) + "+" + std::to_string(onScreen.top);
    platform::Image shot;
    if (RunTool({ "import", "-window", "root", "-crop", geometry, "+repage", "png:" + path }) == 0)
        shot.LoadPng(path.c_str());
    return shot;
}

bool DisplayHostRunning() { return platform::host::GtkHost::IsRunning(); }

bool IsOnDisplay(HWND topLevel) { return platform::host::GtkHost::IsOnDisplay(topLevel); }

void PresentNow() { platform::host::GtkHost::PresentNow(); }

std::string ShownCursorName() { return platform::host::GtkHost::ShownCursorName(); }

// ---- another program's windows ------------------------------------------------------------------

namespace {

// The last shown window that `xdotool search` finds with `criteria`, polled until there is one.
XWindow WaitForSearch(const std::vector<std::string>& criteria, std::chrono::milliseconds limit)
{
    std::vector<std::string> command { "xdotool", "search", "--onlyvisible" };
    command.insert(command.end(), criteria.begin(), criteria.end());
    XWindow found = 0;
    PollFor(
        [&] {
            std::string out;
            RunTool(command, out);
            std::vector<std::string> ids = Words(out);
            found = ids.empty() ? 0 : std::strtoul(ids.back().c_str(), nullptr, 10);
            return found != 0;
        },
        limit);
    return found;
}

} // namespace

XWindow WaitForWindow(const std::string& titlePattern, std::chrono::milliseconds limit)
{
    return WaitForSearch({ "--name", titlePattern }, limit);
}

XWindow WaitForWindowOf(pid_t pid, std::chrono::milliseconds limit)
{
    return WaitForSearch({ "--pid", std::to_string(pid) }, limit);
}

bool WaitForNoWindow(const std::string& titlePattern, std::chrono::milliseconds limit)
{
    return PollFor(
        [&] {
            std::string out;
            RunTool({ "xdotool", "search", "--onlyvisible", "--name", titlePattern }, out);
            return Words(out).empty();
        },
        limit);
}

CRect WindowOnScreen(XWindow window)
{
    // xwininfo, not xdotool: xdotool counts the manager's frame twice for a reparented window.
    std::string out;
    if (RunTool({ "xwininfo", "-id", Hex(window) }, out) != 0)
        return CRect();
    int x = 0, y = 0, width = 0, height = 0;
    std::istringstream lines(out);
    std::string line;
    const auto valueOf = [&](const char* label, int& value) {
        size_t at = line.find(label);
        if (at != std::string::npos)
            value = std::atoi(line.c_str() + at + std::strlen(label));
    };
    while (std::getline(lines, line)) {
        valueOf("Absolute upper-left X:", x);
        valueOf("Absolute upper-left Y:", y);
        valueOf("Width:", width);
        valueOf("Height:", height);
    }
    return CRect(x, y, x + width, y + height);
}

CRect FrameOnScreen(XWindow window)
{
    CRect frame = WindowOnScreen(window);
    std::string out;
    RunTool({ "xprop", "-id", Hex(window), "_NET_FRAME_EXTENTS" }, out);
    size_t equals = out.find('=');
    if (equals == std::string::npos)
        return frame;
    std::string values = out.substr(equals + 1);
    std::replace(values.begin(), values.end(), ',', ' ');
    std::vector<std::string> extents = Words(values); // left, right, top, bottom
    if (extents.size() == 4) {
        frame.left -= std::atoi(extents[0].c_str());
        frame.right += std::atoi(extents[1].c_str());
        frame.top -= std::atoi(extents[2].c_str());
        frame.bottom += std::atoi(extents[3].c_str());
    }
    return frame;
}

std::vector<XWindow> StackingOrder()
{
    std::string out;
    RunTool({ "xprop", "-root", "_NET_CLIENT_LIST_STACKING" }, out);
    return WindowIds(out);
}

XWindow TransientFor(XWindow window)
{
    std::string out;
    RunTool({ "xprop", "-id", Hex(window), "WM_TRANSIENT_FOR" }, out);
    std::vector<XWindow> ids = WindowIds(out);
    return ids.empty() ? 0 : ids.front();
}

std::vector<std::string> WindowStates(XWindow window)
{
    std::string out;
    RunTool({ "xprop", "-id", Hex(window), "_NET_WM_STATE" }, out);
    std::vector<std::string> states;
    size_t equals = out.find('=');
    if (equals == std::string::npos)
        return states;
    for (std::string word : Words(out.substr(equals + 1))) {
        if (!word.empty() && word.back() == ',')
            word.pop_back();
        states.push_back(word);
    }
    return states;
}

bool ClickAt(POINT screen)
{
    return RunTool({ "xdotool", "mousemove", "--sync", std::to_string(screen.x), std::to_string(screen.y), "click", "1" }) == 0;
}

bool DragFromTo(POINT from, POINT to)
{
    std::vector<std::string> args { "xdotool", "mousemove", "--sync", std::to_string(from.x), std::to_string(from.y), "mousedown", "1" };
    constexpr int kSteps = 8;
    for (int step = 1; step <= kSteps; ++step) {
        args.insert(args.end(), { "mousemove", "--sync", std::to_string(from.x + (to.x - from.x) * step / kSteps),
                                  std::to_string(from.y + (to.y - from.y) * step / kSteps) });
    }
    args.insert(args.end(), { "mouseup", "1" });
    return RunTool(args) == 0;
}

bool TypeText(const std::string& text) { return RunTool({ "xdotool", "type", "--delay", "40", text }) == 0; }

bool PressKeys(const std::vector<std::string>& keys)
{
    std::vector<std::string> args { "xdotool", "key", "--delay", "40" };
    args.insert(args.end(), keys.begin(), keys.end());
    return RunTool(args) == 0;
}

} // namespace testkit
