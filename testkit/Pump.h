// Running the calling thread's messages from a test: what is waiting now, until a condition
// holds, or while a test clock moves on.
#pragma once

#include "platform/core/Clock.h"
#include "platform/host/null/NullHost.h"
#include "platform/msg/MessageQueue.h"
#include "platform/msg/WindowApi.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>

namespace testkit {

// Handles what waits in the queue, each message offered to PreTranslateMessage first, as a
// program's message loop does.
inline void Pump() { platform::host::NullHost::PumpPending(); }

// Translates and dispatches what waits in the queue, without the PreTranslateMessage walk.
inline void DispatchPending()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// Runs the calling thread's messages until `done` holds; false when it still does not after
// `limit`, a bound that only a failing test reaches. Between looks it calls `wait`; by default
// a short wait on the queue's wake-up, so a posted message is seen at once and conditions that
// no message announces (a port's status) are looked at every few milliseconds.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10),
                      const std::function<void()>& wait = {})
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        DispatchPending();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (wait)
            wait();
        else
            platform::msg::MessageQueue::Current()->WaitForWake(5);
    }
}

// Moves the test clock on by `ms` in steps of at most `stepMs`, as time passes, handling what
// became due (timers, their messages) after each step.
inline void AdvancePumped(platform::ScopedTestClock& clock, std::uint64_t ms, std::uint64_t stepMs = 1000)
{
    while (ms > 0) {
        const std::uint64_t step = std::min(ms, stepMs);
        clock.Advance(step);
        ms -= step;
        DispatchPending();
    }
}

} // namespace testkit
