#include "platform/core/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, TestClockMovesOnlyWhenAdvancedAndTellsListeners)
{
    int told = 0;
    int cookie = platform::AddClockListener([&] { ++told; });
    {
        platform::ScopedTestClock clock(1000);
        EXPECT_EQ(platform::MonotonicMs(), 1000u);
        EXPECT_EQ(GetTickCount(), 1000u);
        clock.Advance(14999);
        EXPECT_EQ(platform::MonotonicMs(), 15999u);
    }
    platform::RemoveClockListener(cookie);
    EXPECT_EQ(told, 3); // install, advance, uninstall
    EXPECT_FALSE(platform::IsTestClock());
}

TEST(Clock, TickCountWrapsLikeA32BitCounter)
{
    platform::ScopedTestClock clock(0xFFFFFFF0ull);
    DWORD before = GetTickCount();
    clock.Advance(0x20);
    DWORD after = GetTickCount();
    EXPECT_LT(after, before);
    EXPECT_EQ(static_cast<DWORD>(after - before), 0x20u);
    EXPECT_EQ(GetTickCount64(), 0x100000010ull);
}
