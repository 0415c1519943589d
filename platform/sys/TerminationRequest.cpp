// Termination requests: a self-pipe written by the signal handler and watched by the message
// queue of the thread that asked for them.
#include "platform/sys/TerminationRequest.h"

#include "platform/msg/FdWatch.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

// Written by the signal handler; read on the watching thread. Made once and kept for the
// process's life, so a late signal never writes to a closed descriptor.
int s_pipe[2] = {-1, -1};
struct sigaction s_previous[kSignalCount];
bool s_installed = false;
int s_watch = 0;

void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a request: nothing is lost by dropping this byte.
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[1], &byte, 1);
    errno = saved;
}

bool EnsurePipe()
{
    if (s_pipe[0] >= 0)
        return true;
    return ::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) == 0;
}

void Uninstall()
{
    if (s_watch != 0) {
        msg::UnwatchFd(s_watch);
        s_watch = 0;
    }
    if (!s_installed)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &s_previous[i], nullptr);
    s_installed = false;
}

} // namespace

bool SetTerminationHandler(std::function<void()> handler)
{
    Uninstall();
    if (!handler)
        return true;
    if (!EnsurePipe())
        return false;
    s_watch = msg::WatchFd(s_pipe[0], POLLIN, [handler = std::move(handler)](int fd, short) {
        char bytes[64];
        bool requested = false;
        while (::read(fd, bytes, sizeof bytes) > 0)
            requested = true;
        if (requested)
            handler();
    });
    struct sigaction action
    {
    };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &action, &s_previous[i]);
    s_installed = true;
    return true;
}

} // namespace platform
