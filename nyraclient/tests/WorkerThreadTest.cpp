// The common worker-thread pattern: created suspended with its owner, stopped by its flag, and
// its end waited for safely although the thread object deletes itself.
#include "nyraclient/thread/NyraWorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace {

constexpr int kTestExitCode = 0x1D7F;

// What the test's owner sees of its worker.
struct TestOwner
{
    std::atomic<int> passes { 0 };
    std::atomic<int> destroyed { 0 };
    std::atomic<bool> ownerSeenBeforeFirstPass { false };
    CEvent firstPass { FALSE, TRUE };
};

class CTestWorker : public NyraWorkerThread<TestOwner>
{
public:
    ~CTestWorker() override
    {
        if (TestOwner* owner = GetOwner())
            owner->destroyed.fetch_add(1);
    }

    int Run() override
    {
        TestOwner* owner = GetOwner();
        owner->ownerSeenBeforeFirstPass = owner != nullptr;
        while (IsRunning()) {
            owner->passes.fetch_add(1);
            owner->firstPass.SetEvent();
            Sleep(0);
        }
        return kTestExitCode;
    }
};

// A worker that cannot start ends at once and deletes itself before anybody stops it.
class CFailingWorker : public CTestWorker
{
public:
    BOOL InitInstance() override { return FALSE; }
};

TEST(WorkerThread, RunsWithItsOwnerUntilStoppedAndIsGoneWhenStopReturns)
{
    TestOwner owner;
    NyraWorkerControl<CTestWorker> control;
    ASSERT_TRUE(control.Start(&owner));
    ASSERT_NE(control.Get(), nullptr);
    platform::WaitHandle end(control.Get()->m_hThread);
    EXPECT_FALSE(control.Start(&owner)); // one worker per control

    ASSERT_EQ(WaitForSingleObject(owner.firstPass, 10000), WAIT_OBJECT_0);
    control.Stop();
    EXPECT_TRUE(owner.ownerSeenBeforeFirstPass);
    EXPECT_EQ(owner.destroyed, 1);
    EXPECT_EQ(control.Get(), nullptr);

    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeThread(end, &exitCode));
    EXPECT_EQ(exitCode, DWORD(kTestExitCode));

    control.Stop(); // stopping a stopped worker does nothing
}

// Stop right after Start, many times: whether the thread has begun its loop or not, Stop
// returns only after the object is deleted, and never hangs.
TEST(WorkerThread, StopRightAfterStartAlwaysWaitsForTheDeletedObject)
{
    for (int i = 0; i < 200; ++i) {
        TestOwner owner;
        {
            NyraWorkerControl<CTestWorker> control;
            ASSERT_TRUE(control.Start(&owner));
            if (i % 2 == 0)
                control.Stop(); // else the control's destructor stops it
        }
        ASSERT_EQ(owner.destroyed, 1) << "round " << i;
    }
}

TEST(WorkerThread, StopWithoutWaitingLetsTheWorkerEndOnItsOwn)
{
    TestOwner owner;
    NyraWorkerControl<CTestWorker> control;
    ASSERT_TRUE(control.Start(&owner));
    platform::WaitHandle end(control.Get()->m_hThread);
    control.StopWithoutWaiting();
    EXPECT_EQ(control.Get(), nullptr);
    ASSERT_EQ(end.Wait(10000), WAIT_OBJECT_0);
    EXPECT_EQ(owner.destroyed, 1);
}

TEST(WorkerThread, StoppingAWorkerThatEndedOnItsOwnTouchesNothing)
{
    TestOwner owner;
    NyraWorkerControl<CFailingWorker> control;
    ASSERT_TRUE(control.Start(&owner));
    while (!control.HasEnded())
        Sleep(0);
    EXPECT_EQ(owner.destroyed, 1);
    control.Stop();
    EXPECT_EQ(owner.passes, 0);
}

// A worker that sleeps until it has work: each pass waits with a deadline of 1000 ms on the tick
// clock and no real-time limit.
class CWaitingWorker : public NyraWorkerThread<TestOwner>
{
public:
    int Run() override
    {
        TestOwner* owner = GetOwner();
        while (IsRunning()) {
            owner->passes.fetch_add(1);
            owner->firstPass.SetEvent();
            WaitForWork(1000);
        }
        return kTestExitCode;
    }
};

TEST(WorkerThread, AWaitingWorkerWakesForWorkForTheTestClockAndForItsStop)
{
    platform::ScopedTestClock clock;
    TestOwner owner;
    NyraWorkerControl<CWaitingWorker> control;
    ASSERT_TRUE(control.Start(&owner));
    const auto passesAfter = [&](auto&& act) {
        owner.firstPass.ResetEvent();
        const int before = owner.passes.load();
        act();
        EXPECT_EQ(WaitForSingleObject(owner.firstPass, 10000), WAIT_OBJECT_0);
        return owner.passes.load() - before;
    };
    ASSERT_EQ(WaitForSingleObject(owner.firstPass, 10000), WAIT_OBJECT_0);
    Sleep(30);
    EXPECT_EQ(owner.passes, 1) << "under a test clock the deadline waits for the clock";
    EXPECT_GE(passesAfter([&] { control.Get()->Wake(); }), 1);
    EXPECT_GE(passesAfter([&] { clock.Advance(1000); }), 1);

    // Asleep without a real-time limit, it still ends at once when stopped.
    Sleep(30);
    const auto start = std::chrono::steady_clock::now();
    control.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

} // namespace
