// Large buffers: zero-filled memory of the size asked, usable end to end, moved rather than
// copied, and given back on reset.
#include "platform/core/LargeBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>

namespace {

TEST(LargeBuffer, GivesZeroFilledMemoryOfTheSizeAsked)
{
    for (std::size_t size : { std::size_t(1), std::size_t(4096), std::size_t(28'000'000), std::size_t(2) << 20 }) {
        platform::LargeBuffer buffer(size);
        ASSERT_TRUE(buffer) << size;
        EXPECT_EQ(buffer.Size(), size);
        EXPECT_EQ(buffer.Data()[0], 0);
        EXPECT_EQ(buffer.Data()[size - 1], 0);
        std::memset(buffer.Data(), 0xA5, size);
        EXPECT_EQ(buffer.Data()[size / 2], 0xA5);
    }
}

TEST(LargeBuffer, EmptyWhenNothingIsAskedOrNothingCanBeHad)
{
    EXPECT_FALSE(platform::LargeBuffer(0));
    EXPECT_FALSE(platform::LargeBuffer(SIZE_MAX));
    EXPECT_EQ(platform::LargeBuffer(SIZE_MAX).Data(), nullptr);
}

TEST(LargeBuffer, MovesItsMemoryAndGivesItBack)
{
    platform::LargeBuffer first(100000);
    first.Data()[99999] = 7;
    platform::LargeBuffer second(std::move(first));
    EXPECT_FALSE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(second.Data()[99999], 7);
    platform::LargeBuffer third;
    third = std::move(second);
    EXPECT_EQ(third.Size(), 100000u);
    third.Reset();
    EXPECT_FALSE(third);
    EXPECT_EQ(third.Size(), 0u);
}

} // namespace
