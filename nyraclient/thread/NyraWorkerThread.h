// The worker threads of the client library (alarm sound, alarm caption, parameter and wave
// painters, file writer, demo generator) are driven one way:
//  1. the owner creates the thread suspended (default priority and stack), gives it its owner
//     and resumes it;
//  2. the thread's loop runs while its stop flag is 0 and returns the class's fixed exit code;
//     the object deletes itself when the thread ends;
//  3. the owner stops it by setting the stop flag and waiting without limit for its end.
// NyraWorkerThread holds the owner pointer and the stop flag; NyraWorkerControl is the owner's
// side of steps 1 and 3.
//
// Once the thread runs, the object may delete itself at any time (a worker whose InitInstance
// fails ends at once), so the control never touches it after resuming it:
//  - the stop flag lives in a small block that the thread object and its control share, so
//    setting it is safe whether the thread still runs or not;
//  - the end the owner waits for is the thread's own end (m_hThread), of which the control takes
//    a share before resuming the thread. It is signalled only after the object has been
//    deleted, so a destructor's last work (a file being finished) is done when Stop returns.
//    It stands for the end event that a worker's destructor used to signal.
//
// A worker that waits for work rather than polling sleeps in WaitForWork: its wake event is
// set by Wake() (whoever hands it work), by the control's stop, and by every move of the test
// clock, so a worker never sleeps through a stop, and a deadline on the tick clock is seen
// when a test moves the clock. The control keeps its own share of the wake event, like the
// stop flag, so a stop may set it after the object is gone.
#pragma once

#include "platform/core/Clock.h"
#include "platform/core/Sync.h"
#include "platform/core/WinThread.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>

template <typename Owner>
class NyraWorkerThread : public CWinThread
{
public:
    using StopFlag = std::shared_ptr<std::atomic<int>>;

    // Only store the value; the thread reads them on its own time.
    void SetOwner(Owner* owner) { m_pOwner.store(owner); }
    void SetStopFlag(int stop) { m_pStopFlag->store(stop); }

    Owner* GetOwner() const { return m_pOwner.load(); }
    int GetStopFlag() const { return m_pStopFlag->load(); }
    // The shared stop flag, for the control to keep before the thread runs.
    const StopFlag& GetSharedStopFlag() const { return m_pStopFlag; }
    // The wake event, for the control to take its share of before the thread runs.
    HANDLE GetWakeHandle() const { return m_Wake.get(); }

    // Any thread: there is work; a worker in WaitForWork goes round its loop at once.
    void Wake() { ::SetEvent(m_Wake.get()); }

protected:
    NyraWorkerThread() : m_Wake(NewWakeEvent()) {}
    ~NyraWorkerThread() override
    {
        if (m_nClockListener != 0)
            platform::RemoveClockListener(m_nClockListener);
    }

    // The loop's condition: run while no stop was asked.
    bool IsRunning() const { return m_pStopFlag->load() == 0; }

    // Sleeps until Wake(), a stop or a move of the test clock, but no longer than `tickMs` on
    // the tick clock (a deadline: the first limit a test clock ignores, since only its moves,
    // which wake the worker anyway, bring the deadline closer) and no longer than `realMs` of
    // real time (a pacing or a look now and then). INFINITE: no such limit. Returns at once
    // when a stop was asked. The worker checks its deadlines itself after every return.
    void WaitForWork(DWORD tickMs, DWORD realMs = INFINITE)
    {
        if (!IsRunning())
            return;
        if (m_nClockListener == 0) {
            // A share of the event of its own: the listener may run once more after removal.
            m_nClockListener = platform::AddClockListener([wake = m_Wake] { ::SetEvent(wake.get()); });
        }
        const DWORD limit = platform::IsTestClock() ? realMs : std::min(tickMs, realMs);
        ::WaitForSingleObject(m_Wake.get(), limit);
    }

    // A pause of `realMs` of real time that a stop ends early (a wake does not).
    void PauseFor(DWORD realMs)
    {
        using namespace std::chrono;
        const auto end = steady_clock::now() + milliseconds(realMs);
        for (auto now = steady_clock::now(); IsRunning() && now < end; now = steady_clock::now())
            ::WaitForSingleObject(m_Wake.get(), static_cast<DWORD>(ceil<milliseconds>(end - now).count()));
    }

    std::atomic<Owner*> m_pOwner { nullptr };

private:
    static platform::WaitHandle NewWakeEvent()
    {
        HANDLE event = ::CreateEvent(nullptr, FALSE, FALSE, nullptr);
        platform::WaitHandle share(event);
        ::CloseHandle(event);
        return share;
    }

    const StopFlag m_pStopFlag { std::make_shared<std::atomic<int>>(0) };
    const platform::WaitHandle m_Wake;
    int m_nClockListener { 0 };
};

// The owner's handle on one worker of class T (a NyraWorkerThread). Not thread-safe: the owner
// starts and stops its worker from one thread at a time.
template <typename T>
class NyraWorkerControl
{
public:
    NyraWorkerControl() = default;
    NyraWorkerControl(const NyraWorkerControl&) = delete;
    NyraWorkerControl& operator=(const NyraWorkerControl&) = delete;
    // A worker still running when its control goes is stopped and waited for.
    ~NyraWorkerControl() { Stop(); }

    // Creates the worker suspended, sets its owner and resumes it. FALSE when one is already
    // running or the thread cannot be made.
    template <typename Owner>
    BOOL Start(Owner* owner)
    {
        if (m_pThread != nullptr)
            return FALSE;
        T* thread = AfxBeginThread<T>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (thread == nullptr)
            return FALSE;
        thread->SetOwner(owner);
        m_stop = thread->GetSharedStopFlag();
        m_wake = platform::WaitHandle(thread->GetWakeHandle());
        m_end = platform::WaitHandle(thread->m_hThread);
        m_pThread = thread;
        thread->ResumeThread();
        return TRUE;
    }

    // Sets the stop flag and waits without limit until the thread has ended and its object is
    // deleted. Nothing happens when no worker was started.
    void Stop()
    {
        if (!StopWithoutWaiting())
            return;
        m_end.Wait(INFINITE);
        m_end.reset();
    }

    // Sets the stop flag and does not wait: the worker ends on its own time (the alarm-sound
    // thread, whose end its owner learns through a lock the thread holds for its whole life).
    // False when no worker was started.
    bool StopWithoutWaiting()
    {
        if (m_pThread == nullptr)
            return false;
        m_stop->store(1);
        m_stop.reset();
        // A worker waiting for work sees the stop at once.
        ::SetEvent(m_wake.get());
        m_wake.reset();
        m_pThread = nullptr;
        return true;
    }

    // Waits without limit for the end of a worker let go by StopWithoutWaiting (an owner that
    // sets several workers' stop flags before it waits for any). Nothing when none was let go.
    void WaitForEnd()
    {
        if (m_end.empty())
            return;
        m_end.Wait(INFINITE);
        m_end.reset();
    }

    // The worker as started: valid only while the owner knows it still runs (its loop ends
    // only through the stop flag). Null once stopped.
    T* Get() const { return m_pThread; }
    // Wakes a started worker waiting for work (nothing when none runs).
    void Wake() const
    {
        if (!m_wake.empty())
            ::SetEvent(m_wake.get());
    }
    BOOL IsStarted() const { return m_pThread != nullptr ? TRUE : FALSE; }
    // Whether the started worker's thread has ended (on its own, or after a stop).
    BOOL HasEnded() const { return m_end.empty() || m_end.Wait(0) == WAIT_OBJECT_0 ? TRUE : FALSE; }

private:
    T* m_pThread { nullptr };
    typename T::StopFlag m_stop;
    platform::WaitHandle m_wake;
    platform::WaitHandle m_end;
};
