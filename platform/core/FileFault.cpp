// The injected file faults: one fault for the process, armed by a test or by the environment.
#include "platform/core/FileFault.h"
#include "platform/core/FileFaultInternal.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace platform {
namespace {

constexpr char kVariable[] = "PLATFORM_FILE_FAULT";

struct NamedError
{
    const char* name;
    int error;
};
constexpr NamedError kErrors[] = {{"ENOSPC", ENOSPC}, {"EIO", EIO}, {"EFBIG", EFBIG}};

// Guards the fault and its count; a leaf lock, taken only while a fault is armed.
std::mutex s_lock;
std::optional<FileWriteFault> s_fault;
unsigned long long s_writes = 0;
// Whether a fault is armed: the one thing an ordinary write looks at.
std::atomic<bool> s_armed{false};
std::once_flag s_environment;

void Arm(std::optional<FileWriteFault> fault)
{
    std::lock_guard lock(s_lock);
    s_fault = std::move(fault);
    s_writes = 0;
    s_armed.store(s_fault.has_value());
}

void ReadEnvironment()
{
    const char* text = std::getenv(kVariable);
    if (text == nullptr || *text == '\0')
        return;
    if (auto fault = ParseFileWriteFault(text))
        Arm(std::move(fault));
    else
        std::fprintf(stderr, "%s=%s: not a fault (<ENOSPC|EIO|EFBIG|KILL>:<n>[:<path part>]); ignored\n",
                     kVariable, text);
}

[[noreturn]] void KillHalfWay(int fd, const void* data, UINT count)
{
    // What a crash in the middle of the write leaves: the first half on disk, the rest never.
    if (const UINT half = count / 2; half > 0) {
        [[maybe_unused]] const ssize_t written = ::write(fd, data, half);
    }
    ::kill(::getpid(), SIGKILL);
    std::_Exit(137); // not reached
}

} // namespace

std::optional<FileWriteFault> ParseFileWriteFault(const std::string& text)
{
    const size_t first = text.find(':');
    if (first == std::string::npos)
        return std::nullopt;
    const size_t second = text.find(':', first + 1);
    const std::string name = text.substr(0, first);
    const std::string count =
        text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    FileWriteFault fault;
    if (name == "KILL") {
        fault.action = FileWriteFault::Action::Kill;
    } else {
        const NamedError* known = nullptr;
        for (const NamedError& entry : kErrors)
            if (name == entry.name)
                known = &entry;
        if (known == nullptr)
            return std::nullopt;
        fault.error = known->error;
    }
    if (count.empty() || count.find_first_not_of("0123456789") != std::string::npos || count.size() > 18)
        return std::nullopt;
    fault.atWrite = std::stoull(count);
    if (fault.atWrite == 0)
        return std::nullopt;
    if (second != std::string::npos)
        fault.pathPart = text.substr(second + 1);
    return fault;
}

void SetFileWriteFault(std::optional<FileWriteFault> fault)
{
    // Once a test has spoken, the environment has nothing more to say.
    std::call_once(s_environment, [] {});
    Arm(std::move(fault));
}

namespace detail {

int WriteFaultFor(const char* path, int fd, const void* data, UINT count)
{
    std::call_once(s_environment, ReadEnvironment);
    if (!s_armed.load(std::memory_order_relaxed))
        return 0;
    std::unique_lock lock(s_lock);
    if (!s_fault ||
        (!s_fault->pathPart.empty() && (path == nullptr || !std::strstr(path, s_fault->pathPart.c_str()))))
        return 0;
    if (++s_writes < s_fault->atWrite)
        return 0;
    if (s_fault->action == FileWriteFault::Action::Kill)
        KillHalfWay(fd, data, count);
    return s_fault->error;
}

} // namespace detail
} // namespace platform
