// The pool of bed keys: lowest free key first, a fixed number of keys, and keys that go back
// only through the bed they were given to.
#include "nyraclient/key/CClientKeyPool.h"

#include <gtest/gtest.h>

namespace {

class KeyPoolOfTwo : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(m_pool.Init(2), 1); }
    CClientKeyPool m_pool;
};

TEST_F(KeyPoolOfTwo, GivesOneThenTwoThenRefusesAndLeavesTheCallersKey)
{
    int key = 0;
    ASSERT_EQ(m_pool.Alloc(key), 1);
    EXPECT_EQ(key, 1);
    ASSERT_EQ(m_pool.Alloc(key), 1);
    EXPECT_EQ(key, 2);

    key = 77;
    EXPECT_EQ(m_pool.Alloc(key), 0);
    EXPECT_EQ(key, 77);
    EXPECT_EQ(m_pool.GetUsedCount(), 2);
    EXPECT_EQ(m_pool.GetFreeCount(), 0);
}

TEST_F(KeyPoolOfTwo, AReleasedKeyIsTheNextOneGivenOut)
{
    int first = 0, second = 0, again = 0;
    m_pool.Alloc(first);
    m_pool.Alloc(second);
    m_pool.Release(first);
    EXPECT_EQ(m_pool.GetFreeCount(), 1);
    ASSERT_EQ(m_pool.Alloc(again), 1);
    EXPECT_EQ(again, 1);
}

TEST_F(KeyPoolOfTwo, KeysOutsideThePoolChangeNothing)
{
    int key = 0;
    m_pool.Alloc(key);
    m_pool.Alloc(key);
    for (int foreign : { 0, -1, 3, 255 }) {
        SCOPED_TRACE(foreign);
        EXPECT_FALSE(m_pool.IsValidKey(foreign));
        m_pool.Release(foreign);
        EXPECT_EQ(m_pool.GetUsedCount(), 2);
    }
    EXPECT_TRUE(m_pool.IsValidKey(1));
    EXPECT_TRUE(m_pool.IsValidKey(2));
}

TEST_F(KeyPoolOfTwo, InitAgainFreesEveryKey)
{
    int key = 0;
    m_pool.Alloc(key);
    m_pool.Alloc(key);
    ASSERT_EQ(m_pool.Init(2), 1);
    EXPECT_EQ(m_pool.GetUsedCount(), 0);
    EXPECT_EQ(m_pool.GetFreeCount(), 2);
    ASSERT_EQ(m_pool.Alloc(key), 1);
    EXPECT_EQ(key, 1);
}

// A bed that brought its own key 1 (a bed added by the viewing side) is removed while a monitor
// bed holds key 1 from the pool: the monitor bed keeps its key, and the next bed does not get 1.
TEST_F(KeyPoolOfTwo, AForeignKeyNeverFreesTheKeyOfAnotherBed)
{
    int monitorBed = 0, foreignBed = 0, key = 0;
    ASSERT_EQ(m_pool.Alloc(key, &monitorBed), 1);
    ASSERT_EQ(key, 1);

    m_pool.Release(1, &foreignBed);
    m_pool.Release(1); // nor a release that names no bed
    EXPECT_EQ(m_pool.GetUsedCount(), 1);
    ASSERT_EQ(m_pool.Alloc(key), 1);
    EXPECT_EQ(key, 2);

    m_pool.Release(1, &monitorBed);
    EXPECT_EQ(m_pool.GetUsedCount(), 1);
    ASSERT_EQ(m_pool.Alloc(key), 1);
    EXPECT_EQ(key, 1);
}

TEST(KeyPool, ANewPoolAndAFreedPoolHaveNoKeys)
{
    CClientKeyPool pool;
    int key = 5;
    EXPECT_EQ(pool.Alloc(key), 0);
    EXPECT_EQ(key, 5);
    EXPECT_EQ(pool.GetFreeCount(), 0);

    pool.Init(2);
    pool.Free();
    EXPECT_EQ(pool.GetFreeCount(), 0);
    EXPECT_FALSE(pool.IsValidKey(1));
}

} // namespace
