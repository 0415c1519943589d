// The process clock: steady_clock, or a test clock that moves only when advanced.
#include "platform/core/Clock.h"

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>

namespace platform {
namespace {

const auto s_origin = std::chrono::steady_clock::now();
std::atomic<bool> s_testClock { false };
std::atomic<std::uint64_t> s_testNow { 0 };

// Guards the listener table; never held while a listener runs.
std::mutex s_listenerLock;
std::map<int, std::function<void()>> s_listeners;
int s_nextCookie = 1;

void NotifyListeners()
{
    std::map<int, std::function<void()>> copy;
    {
        std::lock_guard lock(s_listenerLock);
        copy = s_listeners;
    }
    for (auto& [cookie, listener] : copy)
        listener();
}

} // namespace

std::uint64_t MonotonicMs()
{
    if (s_testClock.load(std::memory_order_acquire))
        return s_testNow.load(std::memory_order_acquire);
    auto elapsed = std::chrono::steady_clock::now() - s_origin;
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

bool IsTestClock() { return s_testClock.load(std::memory_order_acquire); }

void InstallTestClock(std::uint64_t startMs)
{
    s_testNow.store(startMs, std::memory_order_release);
    s_testClock.store(true, std::memory_order_release);
    NotifyListeners();
}

void AdvanceTestClock(std::uint64_t ms)
{
    if (!IsTestClock())
        return;
    s_testNow.fetch_add(ms, std::memory_order_acq_rel);
    NotifyListeners();
}

void UninstallTestClock()
{
    s_testClock.store(false, std::memory_order_release);
    NotifyListeners();
}

int AddClockListener(std::function<void()> listener)
{
    std::lock_guard lock(s_listenerLock);
    int cookie = s_nextCookie++;
    s_listeners.emplace(cookie, std::move(listener));
    return cookie;
}

void RemoveClockListener(int cookie)
{
    std::lock_guard lock(s_listenerLock);
    s_listeners.erase(cookie);
}

} // namespace platform

DWORD GetTickCount() { return static_cast<DWORD>(platform::MonotonicMs()); }
ULONGLONG GetTickCount64() { return platform::MonotonicMs(); }
