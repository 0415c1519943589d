// KTMem: lock counting, freeing, copies and checked reads and writes.
#include "ktutil/KTMem.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(KTMem, FreeWithoutForceReleasesOneLockAtATime)
{
    KTMem mem;
    ASSERT_EQ(mem.Alloc(16), 1);
    void* first = mem.Lock();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(mem.Lock(), first);
    EXPECT_EQ(mem.GetLockCount(), 2);

    EXPECT_EQ(mem.Free(FALSE), 0); // one lock released, the block stays
    EXPECT_TRUE(mem.IsAvailable());
    EXPECT_EQ(mem.GetLockCount(), 1);
    EXPECT_EQ(mem.Unlock(), 0);
    EXPECT_EQ(mem.Free(FALSE), 1);
    EXPECT_FALSE(mem.IsAvailable());
    EXPECT_EQ(mem.GetSize(), 0);
    EXPECT_EQ(mem.Free(FALSE), 1); // nothing to free
}

TEST(KTMem, ForceAndLockForLifeFreeAtOnce)
{
    KTMem mem;
    ASSERT_EQ(mem.Alloc(8), 1);
    mem.Lock();
    mem.Lock();
    EXPECT_EQ(mem.Free(TRUE), 1);
    EXPECT_FALSE(mem.IsAvailable());

    ASSERT_EQ(mem.Alloc(8, TRUE), 1);
    EXPECT_EQ(mem.GetLockCount(), 1);
    void* kept = mem.Lock();
    EXPECT_EQ(mem.Lock(), kept); // no new lock
    EXPECT_EQ(mem.GetLockCount(), 1);
    EXPECT_EQ(mem.Unlock(), 0);  // the life lock stays
    EXPECT_EQ(mem.GetLockCount(), 1);
    EXPECT_EQ(mem.Free(FALSE), 1);
    EXPECT_FALSE(mem.IsAvailable());

    EXPECT_EQ(mem.Lock(), nullptr);
    EXPECT_EQ(mem.Alloc(0), 0);
}

TEST(KTMem, ReadsAndWritesMustFitTheBlock)
{
    KTMem mem;
    const char data[] = "0123456789";
    char buffer[16] = {};
    EXPECT_EQ(mem.Write(data, 4), 0); // no block
    ASSERT_EQ(mem.Alloc(10), 1);
    EXPECT_EQ(mem.Read(0, buffer, 10), 1);
    EXPECT_EQ(std::memcmp(buffer, "\0\0\0\0\0\0\0\0\0\0", 10), 0); // zero-filled

    EXPECT_EQ(mem.Write(data, 10), 1);
    EXPECT_EQ(mem.Write(6, "abcd", 4), 1);
    EXPECT_EQ(mem.Write(7, "abcd", 4), 0);  // one byte beyond the end
    EXPECT_EQ(mem.Write(-1, "a", 1), 0);
    EXPECT_EQ(mem.Write(0, nullptr, 3), 0);
    EXPECT_EQ(mem.Read(0, buffer, 10), 1);
    EXPECT_EQ(std::string(buffer, 10), "012345abcd");
    EXPECT_EQ(mem.Read(8, buffer, 3), 0);
    EXPECT_EQ(mem.Read(0x7FFFFFFF, buffer, 2), 0); // no wrap-around

    EXPECT_EQ(mem.Fill('x'), 1);
    EXPECT_EQ(mem.Read(9, buffer, 1), 1);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(mem.FillZero(), 1);
}

TEST(KTMem, CopyDuplicatesAndSnatchMovesTheBlock)
{
    KTMem source, copy, thief;
    EXPECT_EQ(copy.Copy(source), 0);
    EXPECT_EQ(thief.Snatch(source), 0);

    ASSERT_EQ(source.Alloc(4, TRUE), 1);
    source.Write("wxyz", 4);
    ASSERT_EQ(copy.Copy(source), 1);
    EXPECT_EQ(copy.GetSize(), 4);
    EXPECT_EQ(copy.GetLockCount(), 1); // the same lock mode
    EXPECT_NE(copy.Lock(), source.Lock());
    char buffer[4];
    copy.Read(buffer, 4);
    EXPECT_EQ(std::string(buffer, 4), "wxyz");

    void* address = source.Lock();
    ASSERT_EQ(thief.Snatch(source), 1);
    EXPECT_FALSE(source.IsAvailable());
    EXPECT_EQ(source.GetLockCount(), 0);
    EXPECT_EQ(thief.Lock(), address);
    EXPECT_EQ(thief.GetSize(), 4);
}
