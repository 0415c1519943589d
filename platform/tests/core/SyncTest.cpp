#include "platform/core/Sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct EventCase
{
    const char* name;
    BOOL manualReset;
    BOOL initiallySet;
    bool firstWait;  // a wait right after construction succeeds
    bool secondWait; // and the next one too
};

TEST(Sync, EventResetRulesByKindAndInitialState)
{
    const EventCase cases[] = {
        { "auto, initially set: one wait takes it", FALSE, TRUE, true, false },
        { "auto, not set", FALSE, FALSE, false, false },
        { "manual, initially set: stays set", TRUE, TRUE, true, true },
        { "manual, not set", TRUE, FALSE, false, false },
    };
    for (const auto& c : cases) {
        CEvent event(c.initiallySet, c.manualReset);
        EXPECT_EQ(event.Lock(0) != FALSE, c.firstWait) << c.name;
        EXPECT_EQ(event.Lock(0) != FALSE, c.secondWait) << c.name;
    }
}

TEST(Sync, ManualResetEventStaysSetUntilResetAndAutoResetReleasesOneWait)
{
    CEvent manual(FALSE, TRUE);
    manual.SetEvent();
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    manual.ResetEvent();
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

    CEvent automatic;
    automatic.SetEvent();
    automatic.SetEvent(); // setting a set event does not count twice
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
}

TEST(Sync, WaitWithTimeOutReturnsTimeoutWhenNothingSignals)
{
    CEvent event;
    EXPECT_EQ(WaitForSingleObject(event, 5), WAIT_TIMEOUT);
    EXPECT_FALSE(event.Lock(5));
}

TEST(Sync, EventSetOnAnotherThreadWakesAnInfiniteWait)
{
    CEvent ready;
    CEvent answer;
    std::thread other([&] {
        ready.Lock();
        answer.SetEvent();
    });
    ready.SetEvent();
    EXPECT_EQ(WaitForSingleObject(answer, INFINITE), WAIT_OBJECT_0);
    other.join();
}

TEST(Sync, WaitForAnyReturnsTheFirstSignalledInArrayOrder)
{
    CEvent a, b(FALSE, TRUE), c;
    b.SetEvent();
    c.SetEvent();
    HANDLE handles[] = { a, b, c };
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 1);
    b.ResetEvent();
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 2);
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_TIMEOUT) << "c was auto-reset";
}

TEST(Sync, WaitForAllTakesAutoResetEventsTogetherOrNotAtAll)
{
    CEvent a, b;
    a.SetEvent();
    HANDLE handles[] = { a, b };
    EXPECT_EQ(WaitForMultipleObjects(2, handles, TRUE, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0) << "a failed wait-all must not take a";

    a.SetEvent();
    std::thread setter([&] { b.SetEvent(); });
    EXPECT_EQ(WaitForMultipleObjects(2, handles, TRUE, INFINITE), WAIT_OBJECT_0);
    setter.join();
    EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_TIMEOUT);
}

TEST(Sync, PulseReleasesTheWaitingThreadsAndLeavesTheEventReset)
{
    CEvent event(FALSE, TRUE);
    event.PulseEvent(); // nobody waits: nothing remains set
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);

    std::atomic<int> released { 0 };
    std::vector<std::thread> waiters;
    for (int i = 0; i < 2; ++i)
        waiters.emplace_back([&] {
            if (WaitForSingleObject(event, INFINITE) == WAIT_OBJECT_0)
                ++released;
        });
    // A pulse only reaches threads already waiting, so pulse until both have been released.
    while (released.load() < 2) {
        event.PulseEvent();
        std::this_thread::yield();
    }
    for (auto& waiter : waiters)
        waiter.join();
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
}

TEST(Sync, ClosedAndUnknownHandlesFailInsteadOfReadingFreedState)
{
    HANDLE event = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetEvent(event));
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    HANDLE none[] = { nullptr };
    EXPECT_EQ(WaitForMultipleObjects(0, none, FALSE, 0), WAIT_FAILED);
}

TEST(Sync, SharedHandleKeepsAnEventWaitableAfterItsOwnerIsDestroyed)
{
    auto owner = std::make_unique<CEvent>();
    platform::WaitHandle share(*owner);
    HANDLE ownersHandle = *owner;
    owner->SetEvent();
    owner.reset();
    EXPECT_EQ(WaitForSingleObject(ownersHandle, 0), WAIT_FAILED);
    EXPECT_EQ(share.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(share.Wait(0), WAIT_TIMEOUT) << "still an auto-reset event";

    platform::WaitHandle copy = share;
    share.reset();
    EXPECT_FALSE(copy.empty());
    EXPECT_EQ(copy.Wait(0), WAIT_TIMEOUT);
    EXPECT_TRUE(platform::WaitHandle(nullptr).empty());
}

TEST(Sync, SignalListenerHearsSetAndPulseUntilRemoved)
{
    CEvent event;
    int heard = 0;
    int cookie = platform::AddSignalListener(event, [&] { ++heard; });
    ASSERT_NE(cookie, 0);
    event.SetEvent();
    event.PulseEvent();
    platform::RemoveSignalListener(event, cookie);
    event.SetEvent();
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(platform::AddSignalListener(nullptr, [] {}), 0);
}

TEST(Sync, CriticalSectionIsReentrantAndExcludesOtherThreads)
{
    CCriticalSection lock;
    auto otherThreadGetsIt = [&] {
        bool got = false;
        std::thread([&] {
            got = lock.Lock(0) != FALSE;
            if (got)
                lock.Unlock();
        }).join();
        return got;
    };
    auto otherThreadHoldsIt = [&] {
        bool held = true;
        std::thread([&] { held = lock.IsHeldByThisThread(); }).join();
        return held;
    };
    EXPECT_FALSE(lock.IsHeldByThisThread());
    lock.Lock();
    lock.Lock();
    EXPECT_TRUE(lock.IsHeldByThisThread());
    EXPECT_FALSE(otherThreadHoldsIt()) << "held is asked per thread";
    EXPECT_FALSE(otherThreadGetsIt());
    bool strangerReleased = true;
    std::thread([&] { strangerReleased = lock.Unlock() != FALSE; }).join();
    EXPECT_FALSE(strangerReleased) << "only the holder releases";
    lock.Unlock();
    EXPECT_TRUE(lock.IsHeldByThisThread()) << "taken twice, released once";
    EXPECT_FALSE(otherThreadGetsIt()) << "taken twice, released once";
    lock.Unlock();
    EXPECT_FALSE(lock.IsHeldByThisThread());
    EXPECT_TRUE(otherThreadGetsIt());
}

TEST(Sync, SingleLockReleasesAtScopeEndAndCountsUnderContention)
{
    CCriticalSection lock;
    long counter = 0; // guarded by lock
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                CSingleLock guard(&lock, TRUE);
                EXPECT_TRUE(guard.IsLocked());
                ++counter;
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(counter, 80000);

    {
        CSingleLock guard(&lock);
        EXPECT_FALSE(guard.IsLocked());
        guard.Lock();
        EXPECT_TRUE(guard.IsLocked());
        guard.Unlock();
        EXPECT_FALSE(guard.IsLocked());
        guard.Lock();
    }
    EXPECT_TRUE(lock.Lock(0));
    lock.Unlock();
}

TEST(Sync, SingleLockOnAnEventWaitsForIt)
{
    CEvent event(TRUE, FALSE);
    CSingleLock first(&event);
    EXPECT_TRUE(first.Lock(0));
    CSingleLock second(&event);
    EXPECT_FALSE(second.Lock(0));
}

} // namespace
