#include "platform/core/WinThread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Owner
{
    std::atomic<int> destroyed { 0 };
};

// A worker in the system's pattern: an owner pointer and a stop flag set through plain setters,
// an end event that the destructor signals, a loop that runs until stopped.
class StoppableWorker : public CWinThread
{
public:
    static constexpr int kExitCode = 0x1D06;

    ~StoppableWorker() override
    {
        if (m_owner)
            ++m_owner->destroyed;
        m_endEvent.SetEvent();
    }
    void SetOwner(Owner* owner) { m_owner = owner; }
    void SetStop(int stop) { m_stop.store(stop); }
    BOOL InitInstance() override { return TRUE; }
    int Run() override
    {
        while (m_stop.load() == 0)
            Sleep(0);
        return kExitCode;
    }

    CEvent m_endEvent;

private:
    Owner* m_owner { nullptr };
    std::atomic<int> m_stop { 0 };
};

TEST(Thread, OwnerStopsASelfDeletingThreadAndWaitsSafelyAfterItIsGone)
{
    for (int i = 0; i < 300; ++i) {
        Owner owner;
        auto* thread = AfxBeginThread<StoppableWorker>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(thread, nullptr);
        thread->SetOwner(&owner);
        platform::WaitHandle endEvent(thread->m_endEvent);
        platform::WaitHandle threadEnd(thread->m_hThread);
        EXPECT_EQ(thread->ResumeThread(), 1u);
        thread->SetStop(1);
        // From here the object may already have deleted itself: only the shares are used.
        ASSERT_EQ(WaitForSingleObject(endEvent, INFINITE), WAIT_OBJECT_0);
        ASSERT_EQ(WaitForSingleObject(threadEnd, INFINITE), WAIT_OBJECT_0);
        EXPECT_EQ(owner.destroyed.load(), 1);
        DWORD exitCode = 0;
        EXPECT_TRUE(GetExitCodeThread(threadEnd, &exitCode));
        EXPECT_EQ(exitCode, static_cast<DWORD>(StoppableWorker::kExitCode));
    }
}

// A worker whose loop ends by itself, so the owner's wait may come long after the object is gone.
class ShortWorker : public StoppableWorker
{
public:
    int Run() override { return 5; }
};

TEST(Thread, WaitOnTheEndEventWorksWhenTheThreadEndedBeforeTheOwnerWaits)
{
    for (int i = 0; i < 300; ++i) {
        Owner owner;
        auto* thread = AfxBeginThread<ShortWorker>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        thread->SetOwner(&owner);
        platform::WaitHandle endEvent(thread->m_endEvent);
        platform::WaitHandle threadEnd(thread->m_hThread);
        thread->ResumeThread();
        ASSERT_EQ(threadEnd.Wait(), WAIT_OBJECT_0);
        EXPECT_EQ(owner.destroyed.load(), 1) << "the end is signalled only after the object is deleted";
        EXPECT_EQ(endEvent.Wait(0), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        GetExitCodeThread(threadEnd, &exitCode);
        EXPECT_EQ(exitCode, 5u);
    }
}

class GatedWorker : public CWinThread
{
public:
    int Run() override
    {
        m_gate.Lock();
        return 77;
    }
    CEvent m_gate;
};

TEST(Thread, ExitCodeIsStillActiveUntilRunReturnsAndAKeptObjectStaysValid)
{
    auto* thread = AfxBeginThread<GatedWorker>(THREAD_PRIORITY_HIGHEST, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &exitCode));
    EXPECT_EQ(exitCode, STILL_ACTIVE);
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &exitCode));
    EXPECT_EQ(exitCode, STILL_ACTIVE);
    thread->m_gate.SetEvent();
    EXPECT_EQ(WaitForSingleObject(*thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &exitCode));
    EXPECT_EQ(exitCode, 77u);
    EXPECT_EQ(thread->ResumeThread(), 0u) << "a running or ended thread has no suspend count";
    EXPECT_EQ(thread->GetThreadPriority(), THREAD_PRIORITY_HIGHEST);
    HANDLE handle = thread->m_hThread;
    delete thread;
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_FAILED) << "the object closed its handle";
}

struct ProcSeen
{
    CWinThread* self { nullptr };
    DWORD id { 0 };
};

UINT RecordThreadIdentity(LPVOID param)
{
    auto* seen = static_cast<ProcSeen*>(param);
    seen->self = AfxGetThread();
    seen->id = GetCurrentThreadId();
    return 42;
}

TEST(Thread, FunctionThreadKnowsItsObjectAndIdAndReturnsItsExitCode)
{
    ProcSeen seen;
    CWinThread* thread = AfxBeginThread(RecordThreadIdentity, &seen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(seen.self, thread);
    EXPECT_EQ(seen.id, thread->m_nThreadID) << "known from creation, while still suspended";
    EXPECT_NE(seen.id, GetCurrentThreadId());
    EXPECT_EQ(AfxGetThread(), nullptr) << "the test's own thread has no CWinThread";
    DWORD exitCode = 0;
    GetExitCodeThread(thread->m_hThread, &exitCode);
    EXPECT_EQ(exitCode, 42u);
    delete thread;

    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
}

UINT SignalAndEnd(LPVOID param)
{
    static_cast<CEvent*>(param)->SetEvent();
    return 0;
}

TEST(Thread, ThreadBegunWithoutSuspensionRunsAtOnce)
{
    CEvent done;
    ASSERT_NE(AfxBeginThread(SignalAndEnd, &done), nullptr);
    EXPECT_TRUE(done.Lock(INFINITE));
}

class FailingInit : public CWinThread
{
public:
    BOOL InitInstance() override { return FALSE; }
    int Run() override
    {
        m_ran = true;
        return 1;
    }
    int ExitInstance() override { return 9; }
    bool m_ran { false };
};

TEST(Thread, FailedInitInstanceEndsWithExitInstanceAndSkipsRun)
{
    auto* thread = AfxBeginThread<FailingInit>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    WaitForSingleObject(thread->m_hThread, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeThread(thread->m_hThread, &exitCode);
    EXPECT_EQ(exitCode, 9u);
    EXPECT_FALSE(thread->m_ran);
    delete thread;
}

TEST(Thread, DiscardedSuspendedThreadNeverRunsAndNoWaiterHangs)
{
    Owner owner;
    auto* thread = AfxBeginThread<StoppableWorker>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    thread->SetOwner(&owner);
    platform::WaitHandle threadEnd(thread->m_hThread);
    delete thread;
    EXPECT_EQ(owner.destroyed.load(), 1);
    EXPECT_EQ(threadEnd.Wait(), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeThread(threadEnd, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

class DefaultRunThread : public CWinThread
{
public:
    int ExitInstance() override { return 3; }
};

TEST(Thread, DefaultRunIsTheInstalledMessageLoopOrElseExitInstance)
{
    auto runToEnd = [] {
        auto* thread = AfxBeginThread<DefaultRunThread>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        platform::WaitHandle end(thread->m_hThread);
        thread->ResumeThread();
        end.Wait();
        DWORD exitCode = 0;
        GetExitCodeThread(end, &exitCode);
        return exitCode;
    };
    // The window layer installs its loop when the library loads; put it back afterwards.
    const platform::ThreadMessageLoop installed = platform::GetThreadMessageLoop();
    platform::SetThreadMessageLoop([](CWinThread& thread) {
        EXPECT_EQ(AfxGetThread(), &thread);
        return thread.ExitInstance() + 100;
    });
    EXPECT_EQ(runToEnd(), 103u);
    platform::SetThreadMessageLoop(nullptr);
    EXPECT_EQ(runToEnd(), 3u);
    platform::SetThreadMessageLoop(installed);
}

TEST(Thread, RegisteredThreadObjectIsTheCurrentThreadsObject)
{
    CWinThread appLike;
    platform::SetCurrentThreadObject(&appLike);
    EXPECT_EQ(AfxGetThread(), &appLike);
    platform::SetCurrentThreadObject(nullptr);
    EXPECT_EQ(AfxGetThread(), nullptr);
    EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
}

} // namespace
