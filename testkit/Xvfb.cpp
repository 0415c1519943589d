#include "testkit/Xvfb.h"

#include "platform/host/gtk/GtkHost.h"
#include "platform/msg/WindowApi.h"

#include <csignal>
#include <cstdlib>
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

// The server, forked by hand so that it ends with the test program even when that is killed.
class XvfbServer
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
    ~XvfbServer()
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

} // namespace testkit
