// The stable sort of indexes that the list and tree controls sort with: equal items keep their
// order, and a comparison that contradicts itself still leaves every index exactly once.
#include "platform/core/StableSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

std::vector<std::size_t> Indexes(std::size_t n)
{
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    return order;
}

TEST(CoreStableSort, EqualKeysKeepTheirOrder)
{
    // Keys with many ties, at sizes around the powers of two the passes double through.
    for (std::size_t n : { 0u, 1u, 2u, 3u, 7u, 8u, 9u, 100u }) {
        std::vector<int> keys(n);
        for (std::size_t i = 0; i < n; ++i)
            keys[i] = static_cast<int>((i * 7) % 5);
        std::vector<std::size_t> order = Indexes(n);
        platform::StableMergeSort(order, [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

        std::vector<std::size_t> expected = Indexes(n);
        std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
        EXPECT_EQ(order, expected) << n << " items";
    }
}

TEST(CoreStableSort, AContradictoryComparisonKeepsEveryIndexOnce)
{
    std::mt19937 random(20261210);
    std::vector<std::size_t> order = Indexes(257);
    platform::StableMergeSort(order, [&](std::size_t, std::size_t) { return random() % 2 == 0; });
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, Indexes(257));
}

} // namespace
