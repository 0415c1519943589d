// Waitable objects (events, thread ends), their handle table, and the lock and event classes.
//
// Every waitable object and the handle table sit under one process-wide wait lock. The system has
// a handful of events and threads, so one lock costs nothing measurable and makes waits for several
// objects at once (any or all) simple and exact: a waiter checks and takes its objects in one step.
// A blocked waiter registers itself with each object it waits on; signalling an object wakes them
// once the signaller has left the wait lock, so a woken waiter finds the lock free instead of
// blocking on it at once (one more sleep and wake-up per signal).
#include "platform/core/Sync.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

namespace platform {

struct Waiter;

// The state of one event or thread end. Every field is guarded by the wait lock.
class Waitable
{
public:
    Waitable(bool manualReset, bool signalled, bool isThread)
        : m_manualReset(manualReset), m_signalled(signalled), m_isThread(isThread)
    {
    }

    bool m_manualReset;
    bool m_signalled;
    bool m_isThread;
    DWORD m_exitCode { STILL_ACTIVE };
    std::vector<Waiter*> m_waiters;
    std::map<int, std::function<void()>> m_listeners;
};

// A thread blocked in a wait. Lives on that thread's stack while registered with its objects.
struct Waiter
{
    // Shared with the signallers, which notify it after leaving the wait lock: by then a waiter
    // whose time ran out may be gone, and its condition stays for them to notify.
    std::shared_ptr<std::condition_variable> wake { std::make_shared<std::condition_variable>() };
    const std::vector<std::shared_ptr<Waitable>>* objects { nullptr };
    bool waitAll { false };
    // Index of the object a PulseEvent handed to this waiter; -1 when none.
    int granted { -1 };
};

namespace {

using Clock = std::chrono::steady_clock;

struct WaitState
{
    // The wait lock: guards the handle table, the cookie counter and every Waitable's fields.
    // No other lock of the layer is ever taken while it is held (signal listeners must not).
    std::mutex lock;
    std::unordered_map<std::uintptr_t, std::shared_ptr<Waitable>> handles;
    // Handle values are never reused, so a closed handle stays invalid for the process's life.
    std::uintptr_t nextHandle { 0x1000 };
    int nextCookie { 1 };
};

// Never destroyed: threads may still wait or close handles while static objects are torn down.
WaitState& State()
{
    static WaitState* state = new WaitState;
    return *state;
}

std::shared_ptr<Waitable> FindLocked(WaitState& state, HANDLE handle)
{
    auto it = state.handles.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == state.handles.end() ? nullptr : it->second;
}

HANDLE AddLocked(WaitState& state, std::shared_ptr<Waitable> object)
{
    std::uintptr_t value = state.nextHandle;
    state.nextHandle += 4;
    state.handles.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

HANDLE Add(std::shared_ptr<Waitable> object)
{
    WaitState& state = State();
    std::lock_guard lock(state.lock);
    return AddLocked(state, std::move(object));
}

// The waiters a change wakes, notified once the wait lock is left (Notify).
using Wakes = std::vector<std::shared_ptr<std::condition_variable>>;

void WakeLocked(Waitable& object, Wakes& wakes)
{
    for (Waiter* waiter : object.m_waiters)
        wakes.push_back(waiter->wake);
    for (auto& [cookie, listener] : object.m_listeners)
        listener();
}

void SignalLocked(Waitable& object, Wakes& wakes)
{
    object.m_signalled = true;
    WakeLocked(object, wakes);
}

// Outside the wait lock. A waiter it wakes checks its objects again under the lock, so a wake
// that comes late (the waiter took another object or timed out meanwhile) is harmless.
void Notify(const Wakes& wakes)
{
    for (const auto& wake : wakes)
        wake->notify_one();
}

// Takes the objects if the wait is satisfied now; WAIT_TIMEOUT when it is not.
DWORD TryTakeLocked(const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll)
{
    if (waitAll) {
        for (auto& object : objects)
            if (!object->m_signalled)
                return WAIT_TIMEOUT;
        for (auto& object : objects)
            if (!object->m_manualReset)
                object->m_signalled = false;
        return WAIT_OBJECT_0;
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
        Waitable& object = *objects[i];
        if (object.m_signalled) {
            if (!object.m_manualReset)
                object.m_signalled = false;
            return WAIT_OBJECT_0 + static_cast<DWORD>(i);
        }
    }
    return WAIT_TIMEOUT;
}

DWORD Wait(std::vector<HANDLE> handles, bool waitAll, DWORD milliseconds)
{
    WaitState& state = State();
    std::unique_lock lock(state.lock);
    std::vector<std::shared_ptr<Waitable>> objects;
    objects.reserve(handles.size());
    for (HANDLE handle : handles) {
        auto object = FindLocked(state, handle);
        if (!object) {
            lock.unlock();
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        objects.push_back(std::move(object));
    }

    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds == INFINITE ? 0 : milliseconds);
    Waiter self;
    self.objects = &objects;
    self.waitAll = waitAll;
    bool registered = false;
    DWORD result = WAIT_TIMEOUT;
    for (;;) {
        if (self.granted >= 0) {
            result = WAIT_OBJECT_0 + static_cast<DWORD>(self.granted);
            break;
        }
        result = TryTakeLocked(objects, waitAll);
        if (result != WAIT_TIMEOUT || milliseconds == 0)
            break;
        if (!registered) {
            for (auto& object : objects)
                object->m_waiters.push_back(&self);
            registered = true;
        }
        if (milliseconds == INFINITE) {
            self.wake->wait(lock);
        } else if (self.wake->wait_until(lock, deadline) == std::cv_status::timeout) {
            result = self.granted >= 0 ? WAIT_OBJECT_0 + static_cast<DWORD>(self.granted)
                                       : TryTakeLocked(objects, waitAll);
            break;
        }
    }
    if (registered) {
        for (auto& object : objects)
            std::erase(object->m_waiters, &self);
    }
    return result;
}

// Runs `change` on the event behind `handle` under the wait lock and wakes the waiters it
// collected after; FALSE for an invalid handle or a handle that is not an event.
template <typename Change>
BOOL ChangeEvent(HANDLE handle, Change change)
{
    WaitState& state = State();
    std::unique_lock lock(state.lock);
    auto object = FindLocked(state, handle);
    if (!object || object->m_isThread) {
        lock.unlock();
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Wakes wakes;
    change(*object, wakes);
    lock.unlock();
    Notify(wakes);
    return TRUE;
}

} // namespace

// ---- WaitHandle --------------------------------------------------------------------------------

WaitHandle::WaitHandle(HANDLE handle) : m_handle(DuplicateWaitHandle(handle)) {}
WaitHandle::WaitHandle(const WaitHandle& other) : m_handle(DuplicateWaitHandle(other.m_handle)) {}
WaitHandle::WaitHandle(WaitHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }

WaitHandle& WaitHandle::operator=(WaitHandle other) noexcept
{
    std::swap(m_handle, other.m_handle);
    return *this;
}

WaitHandle::~WaitHandle() { reset(); }

void WaitHandle::reset()
{
    if (m_handle)
        ::CloseHandle(m_handle);
    m_handle = nullptr;
}

HANDLE DuplicateWaitHandle(HANDLE handle)
{
    if (!handle)
        return nullptr;
    WaitState& state = State();
    std::lock_guard lock(state.lock);
    auto object = FindLocked(state, handle);
    return object ? AddLocked(state, std::move(object)) : nullptr;
}

int AddSignalListener(HANDLE handle, std::function<void()> listener)
{
    WaitState& state = State();
    std::lock_guard lock(state.lock);
    auto object = FindLocked(state, handle);
    if (!object)
        return 0;
    int cookie = state.nextCookie++;
    object->m_listeners.emplace(cookie, std::move(listener));
    return cookie;
}

void RemoveSignalListener(HANDLE handle, int cookie)
{
    WaitState& state = State();
    std::lock_guard lock(state.lock);
    if (auto object = FindLocked(state, handle))
        object->m_listeners.erase(cookie);
}

HANDLE CreateThreadEndObject() { return Add(std::make_shared<Waitable>(true, false, true)); }

void SignalThreadEnd(HANDLE threadEnd, DWORD exitCode)
{
    WaitState& state = State();
    std::unique_lock lock(state.lock);
    auto object = FindLocked(state, threadEnd);
    if (!object || !object->m_isThread || object->m_signalled)
        return;
    object->m_exitCode = exitCode;
    Wakes wakes;
    SignalLocked(*object, wakes);
    lock.unlock();
    Notify(wakes);
}

} // namespace platform

// ---- handle-based functions ------------------------------------------------------------------

using platform::Waitable;

HANDLE CreateEvent(void*, BOOL manualReset, BOOL initialState, LPCTSTR)
{
    return platform::Add(std::make_shared<Waitable>(manualReset != FALSE, initialState != FALSE, false));
}

BOOL SetEvent(HANDLE event)
{
    return platform::ChangeEvent(event, [](Waitable& object, platform::Wakes& wakes) { platform::SignalLocked(object, wakes); });
}

BOOL ResetEvent(HANDLE event)
{
    return platform::ChangeEvent(event, [](Waitable& object, platform::Wakes&) { object.m_signalled = false; });
}

BOOL PulseEvent(HANDLE event)
{
    return platform::ChangeEvent(event, [](Waitable& object, platform::Wakes& wakes) {
        for (platform::Waiter* waiter : object.m_waiters) {
            if (waiter->waitAll || waiter->granted >= 0)
                continue;
            const auto& objects = *waiter->objects;
            auto it = std::find_if(objects.begin(), objects.end(),
                                   [&](const auto& candidate) { return candidate.get() == &object; });
            waiter->granted = static_cast<int>(it - objects.begin());
            if (!object.m_manualReset)
                break;
        }
        object.m_signalled = false;
        platform::WakeLocked(object, wakes);
    });
}

BOOL CloseHandle(HANDLE handle)
{
    platform::WaitState& state = platform::State();
    std::shared_ptr<Waitable> released; // destroyed after the lock is let go
    {
        std::lock_guard lock(state.lock);
        auto it = state.handles.find(reinterpret_cast<std::uintptr_t>(handle));
        if (it != state.handles.end()) {
            released = std::move(it->second);
            state.handles.erase(it);
        }
    }
    if (!released) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    return platform::Wait({ handle }, false, milliseconds);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds)
{
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    return platform::Wait(std::vector<HANDLE>(handles, handles + count), waitAll != FALSE, milliseconds);
}

void Sleep(DWORD milliseconds)
{
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode)
{
    platform::WaitState& state = platform::State();
    std::unique_lock lock(state.lock);
    auto object = platform::FindLocked(state, thread);
    if (!object || !object->m_isThread || !exitCode) {
        lock.unlock();
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *exitCode = object->m_exitCode;
    return TRUE;
}

// ---- classes -----------------------------------------------------------------------------------

BOOL CCriticalSection::Lock(DWORD timeout)
{
    const DWORD self = GetCurrentThreadId();
    std::unique_lock lock(m_state);
    if (m_owner == self) {
        ++m_depth;
        return TRUE;
    }
    auto isFree = [this] { return m_depth == 0; };
    if (timeout == INFINITE)
        m_released.wait(lock, isFree);
    else if (!m_released.wait_for(lock, std::chrono::milliseconds(timeout), isFree))
        return FALSE;
    m_owner = self;
    m_depth = 1;
    return TRUE;
}

BOOL CCriticalSection::Unlock()
{
    std::lock_guard lock(m_state);
    if (m_depth == 0 || m_owner != GetCurrentThreadId())
        return FALSE;
    if (--m_depth == 0) {
        m_owner = 0;
        m_released.notify_one();
    }
    return TRUE;
}

bool CCriticalSection::IsHeldByThisThread() const
{
    std::lock_guard lock(m_state);
    return m_depth != 0 && m_owner == GetCurrentThreadId();
}

CEvent::CEvent(BOOL initiallyOwn, BOOL manualReset, LPCTSTR name, void* security)
{
    m_hObject = ::CreateEvent(security, manualReset, initiallyOwn, name);
}

CEvent::~CEvent() { ::CloseHandle(m_hObject); }

BOOL CEvent::Lock(DWORD timeout) { return ::WaitForSingleObject(m_hObject, timeout) == WAIT_OBJECT_0; }

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : m_object(object)
{
    if (initialLock)
        Lock();
}

CSingleLock::~CSingleLock() { Unlock(); }

BOOL CSingleLock::Lock(DWORD timeout)
{
    if (!m_object)
        return FALSE;
    if (m_locked)
        return TRUE;
    m_locked = m_object->Lock(timeout) != FALSE;
    return m_locked ? TRUE : FALSE;
}

BOOL CSingleLock::Unlock()
{
    if (!m_object || !m_locked)
        return TRUE;
    m_locked = false;
    return m_object->Unlock();
}
