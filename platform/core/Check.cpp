#include "platform/core/Check.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {
std::atomic<CheckReportHook> g_reportHook { nullptr };
} // namespace

void CheckFailed(const char* file, int line, const char* condition)
{
    char text[512];
    std::snprintf(text, sizeof text, "%s:%d: check failed: %s", file, line, condition);
    std::fprintf(stderr, "%s\n", text);
    std::fflush(stderr);
    if (CheckReportHook hook = g_reportHook.load())
        hook(text);
    std::abort();
}

void SetCheckReportHook(CheckReportHook hook) { g_reportHook.store(hook); }

bool IsUserInterfaceThread()
{
    // The main thread's kernel id is the process id.
    return static_cast<pid_t>(::syscall(SYS_gettid)) == ::getpid();
}

} // namespace platform
