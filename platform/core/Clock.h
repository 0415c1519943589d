// One monotonic millisecond clock for the whole process. Tests install a test clock that only
// moves when they advance it, so timers and time-outs are tested without sleeping.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <functional>

namespace platform {

// Milliseconds since the clock's origin (process start, or the test clock's start value).
std::uint64_t MonotonicMs();

// Is a test clock installed?
bool IsTestClock();

// Replaces the real clock by a test clock that starts at `startMs`.
void InstallTestClock(std::uint64_t startMs = 0);
// Moves the test clock on; every registered listener is told (message queues wake their
// threads so that due timers fire). No effect without a test clock.
void AdvanceTestClock(std::uint64_t ms);
// Puts the real clock back.
void UninstallTestClock();

// Listeners run after each advance of the test clock, on the advancing thread.
int AddClockListener(std::function<void()> listener);
void RemoveClockListener(int cookie);

// RAII installation for tests.
class ScopedTestClock
{
public:
    explicit ScopedTestClock(std::uint64_t startMs = 0) { InstallTestClock(startMs); }
    ~ScopedTestClock() { UninstallTestClock(); }
    ScopedTestClock(const ScopedTestClock&) = delete;
    ScopedTestClock& operator=(const ScopedTestClock&) = delete;
    void Advance(std::uint64_t ms) { AdvanceTestClock(ms); }
};

} // namespace platform

// The classic 32-bit tick count: wraps after 49.7 days, so callers compare with unsigned
// subtraction.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
