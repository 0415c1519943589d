// WARD_CHECK: stays on in every build, reports where a rule broke and aborts.
#include "platform/core/Check.h"
#include "platform/core/CheckedMutex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <thread>

namespace {

void WriteToStdErr(const char* line) { std::fprintf(stderr, "hook: %s\n", line); }

} // namespace

TEST(CheckDeathTest, AFailedCheckNamesFileLineAndConditionThenAborts)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int held = 0;
    EXPECT_DEATH(WARD_CHECK(held == 1), "CheckTest\\.cpp:[0-9]+: check failed: held == 1");
    // The report hook gets the same line (the station's run log).
    EXPECT_DEATH(
        {
            platform::SetCheckReportHook(&WriteToStdErr);
            WARD_CHECK(held == 1);
        },
        "hook: .*CheckTest\\.cpp:[0-9]+: check failed: held == 1");
}

TEST(Check, APassingCheckDoesNothing)
{
    int evaluated = 0;
    WARD_CHECK(++evaluated == 1);
    EXPECT_EQ(evaluated, 1) << "the condition is evaluated once, also in release builds";
}

TEST(Check, TheUserInterfaceThreadIsTheMainThread)
{
    EXPECT_TRUE(platform::IsUserInterfaceThread());
    bool worker = true;
    std::thread([&] { worker = platform::IsUserInterfaceThread(); }).join();
    EXPECT_FALSE(worker);
    WARD_CHECK_UI_THREAD();
}

TEST(Check, ACheckedMutexKnowsItsHolder)
{
    platform::CheckedMutex lock;
    EXPECT_FALSE(lock.IsHeldByThisThread());
    {
        std::lock_guard guard(lock);
        EXPECT_TRUE(lock.IsHeldByThisThread());
        bool heldElsewhere = true, taken = true;
        std::thread([&] {
            heldElsewhere = lock.IsHeldByThisThread();
            taken = lock.try_lock();
        }).join();
        EXPECT_FALSE(heldElsewhere);
        EXPECT_FALSE(taken);
    }
    EXPECT_FALSE(lock.IsHeldByThisThread());
}

TEST(Check, ARecursiveCheckedMutexIsHeldUntilItsLastRelease)
{
    platform::CheckedRecursiveMutex lock;
    lock.lock();
    lock.lock();
    lock.unlock();
    EXPECT_TRUE(lock.IsHeldByThisThread()) << "taken twice, released once";
    bool taken = true;
    std::thread([&] { taken = lock.try_lock(); }).join();
    EXPECT_FALSE(taken);
    lock.unlock();
    EXPECT_FALSE(lock.IsHeldByThisThread());
}
