// Termination requests: SIGTERM and SIGINT reach the handler on the thread that set it, when it
// pumps, and null gives the signals back their previous dispositions.
#include "platform/sys/TerminationRequest.h"

#include "platform/host/null/NullHost.h"
#include "testkit/SerialFarEnd.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(TerminationRequest, SignalsBecomeACallOnTheWatchingThread)
{
    int calls = 0;
    ASSERT_TRUE(platform::SetTerminationHandler([&] { ++calls; }));
    for (int signal : {SIGTERM, SIGINT}) {
        const int before = calls;
        ASSERT_EQ(std::raise(signal), 0);
        // Nothing runs inside the signal handler itself.
        EXPECT_EQ(calls, before);
        EXPECT_TRUE(testkit::PumpUntil([&] { return calls == before + 1; }));
    }

    // Null restores the previous disposition: an ignored SIGTERM stays ignored.
    ASSERT_TRUE(platform::SetTerminationHandler(nullptr));
    std::signal(SIGTERM, SIG_IGN);
    ASSERT_TRUE(platform::SetTerminationHandler([&] { ++calls; }));
    ASSERT_TRUE(platform::SetTerminationHandler(nullptr));
    const int before = calls;
    ASSERT_EQ(std::raise(SIGTERM), 0);
    platform::host::NullHost::PumpPending();
    EXPECT_EQ(calls, before); // still running, nothing called
    std::signal(SIGTERM, SIG_DFL);
}

} // namespace
