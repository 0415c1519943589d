// Locks, events and waits with the classic names and meaning.
//
// Events and thread ends are waitable objects reached through a HANDLE: a token from a process-wide
// handle table, never a pointer, so a closed handle is reliably invalid (WAIT_FAILED) instead of a
// read of freed memory. The object itself lives as long as any handle to it: a waiter that took its
// own share of a handle (platform::WaitHandle) can wait on an event whose owner has already been
// destroyed. That is what lets an owner wait for the end of a worker thread that deletes itself.
//
// Waits with a time-out measure real time: they are blocking primitives, not timers, and do not
// follow the test clock.
#pragma once

#include "platform/core/Types.h"

#include <condition_variable>
#include <functional>
#include <mutex>

constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// ---- handle-based functions ------------------------------------------------------------------

// A new event; `name` and `security` are accepted and ignored (events are never shared by name).
HANDLE CreateEvent(void* security, BOOL manualReset, BOOL initialState, LPCTSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// Releases the threads waiting right now (all of them for a manual-reset event, one for an
// auto-reset event) and leaves the event non-signalled. Only waits for any one object count.
BOOL PulseEvent(HANDLE event);
// Drops this handle; the object lives on while other handles to it exist.
BOOL CloseHandle(HANDLE handle);

// WAIT_OBJECT_0 when signalled (an auto-reset event is reset by the wait that takes it),
// WAIT_TIMEOUT after `milliseconds`, WAIT_FAILED for an invalid handle (GetLastError tells).
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// Any: WAIT_OBJECT_0 + index of the first signalled object in array order.
// All: WAIT_OBJECT_0 once every object is signalled at the same moment; auto-reset events are
// taken together, never one by one.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);

// Blocks the calling thread; Sleep(0) gives up the rest of its time slice.
void Sleep(DWORD milliseconds);

// The calling thread's kernel thread id (a CWinThread's m_nThreadID on its own thread).
DWORD GetCurrentThreadId();

constexpr DWORD STILL_ACTIVE = 259;
// The exit code of a thread handle's thread, STILL_ACTIVE while it has not ended.
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);

namespace platform {

// An owned share of a waitable object: keeps the object waitable after every other handle to it
// (its owner's included) is closed. Copying takes another share; destruction closes this one.
//
// The worker-thread pattern: before resuming a self-deleting thread, the owner takes
//   m_endWait = platform::WaitHandle(pThread->m_hThread);   // or the thread's own end event
// and later sets the thread's stop flag and waits with WaitForSingleObject(m_endWait, INFINITE),
// which never touches the thread object.
class WaitHandle
{
public:
    WaitHandle() = default;
    // Takes a new share of `handle`; empty when `handle` is not a valid waitable handle.
    explicit WaitHandle(HANDLE handle);
    WaitHandle(const WaitHandle& other);
    WaitHandle(WaitHandle&& other) noexcept;
    WaitHandle& operator=(WaitHandle other) noexcept;
    ~WaitHandle();

    operator HANDLE() const { return m_handle; }
    HANDLE get() const { return m_handle; }
    bool empty() const { return m_handle == nullptr; }
    void reset();
    DWORD Wait(DWORD milliseconds = INFINITE) const { return WaitForSingleObject(m_handle, milliseconds); }

private:
    HANDLE m_handle { nullptr };
};

// Another handle to the same object (DuplicateHandle); null when `handle` is invalid.
HANDLE DuplicateWaitHandle(HANDLE handle);

// Calls `listener` each time the object becomes signalled (set, pulsed, or a thread ending).
// It runs on the signalling thread while the layer's wait lock is held, so it must be short and
// must not wait or touch events: a message queue uses it to wake its thread's poll. Returns a
// cookie for RemoveSignalListener, or 0 for an invalid handle.
int AddSignalListener(HANDLE handle, std::function<void()> listener);
void RemoveSignalListener(HANDLE handle, int cookie);

// For CWinThread: a thread's end as a waitable object (manual-reset, not signalled, exit code
// STILL_ACTIVE), and its signalling with the exit code once the thread has finished for good.
HANDLE CreateThreadEndObject();
void SignalThreadEnd(HANDLE threadEnd, DWORD exitCode);

} // namespace platform

// ---- lock and event classes ------------------------------------------------------------------

class CSyncObject
{
public:
    virtual ~CSyncObject() = default;
    virtual BOOL Lock(DWORD timeout = INFINITE) = 0;
    virtual BOOL Unlock() = 0;
    // The waitable handle, or null for a critical section (which cannot be waited on by handle).
    operator HANDLE() const { return m_hObject; }

    HANDLE m_hObject { nullptr };

protected:
    CSyncObject() = default;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;
};

// A re-entrant lock: the owning thread may take it again, and must release it as often.
// (Built on a mutex and a condition variable rather than a timed recursive mutex, whose timed
// lock the thread sanitizer cannot follow.)
class CCriticalSection : public CSyncObject
{
public:
    CCriticalSection() = default;
    BOOL Lock() { return Lock(INFINITE); }
    // With a time-out, FALSE when the lock was not had in time.
    BOOL Lock(DWORD timeout) override;
    // FALSE when the calling thread does not hold the lock.
    BOOL Unlock() override;
    // Whether the calling thread holds the lock now: what a function that must run under the
    // lock checks (WARD_CHECK(m_lock.IsHeldByThisThread())).
    bool IsHeldByThisThread() const;

private:
    // Guards m_owner and m_depth; held only for the moment of taking or releasing.
    mutable std::mutex m_state;
    std::condition_variable m_released;
    DWORD m_owner { 0 }; // GetCurrentThreadId of the holder, 0 when free
    unsigned m_depth { 0 };
};

// An event: auto-reset (a successful wait resets it) or manual-reset (stays set until reset).
// `initiallyOwn` is the initial state: TRUE starts signalled.
class CEvent : public CSyncObject
{
public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, LPCTSTR name = nullptr,
                    void* security = nullptr);
    ~CEvent() override;

    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
    // Waits for the event; FALSE on time-out.
    BOOL Lock(DWORD timeout = INFINITE) override;
    BOOL Unlock() override { return TRUE; }
};

// Takes a lock or waits for an event for one scope; releases a taken lock when it goes.
class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_locked ? TRUE : FALSE; }

private:
    CSyncObject* m_object { nullptr };
    bool m_locked { false };
};
