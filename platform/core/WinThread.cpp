// CWinThread on std::thread. The std::thread is made by CreateThread and detached at once: nobody
// joins it, because the object may delete itself; the end is told through the thread-end object
// behind m_hThread, which the running thread holds its own share of and signals as its very last
// act. Until it is resumed the new thread waits at its start gate, so that m_nThreadID is its
// kernel thread id from creation on, as the message layer names threads.
#include "platform/core/WinThread.h"

#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

thread_local CWinThread* t_currentThread = nullptr;
thread_local DWORD t_threadId = 0;

// Guards s_messageLoop, which the message layer installs once at start-up.
std::mutex s_messageLoopLock;
platform::ThreadMessageLoop s_messageLoop;

} // namespace

struct CWinThread::StartGate
{
    enum class State
    {
        Waiting,   // created suspended, not resumed yet
        Run,       // resumed: do the thread's work
        Discarded, // the object was deleted before it ran: end without touching it
    };

    // Guards state and threadId.
    std::mutex lock;
    std::condition_variable changed;
    State state { State::Waiting };
    DWORD threadId { 0 }; // set by the new thread as soon as it runs
};

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param) : m_proc(proc), m_param(param) {}

CWinThread::~CWinThread()
{
    if (m_gate)
        OpenGate(m_gate, true); // never resumed: its thread ends and signals the end itself
    if (m_hThread)
        ::CloseHandle(m_hThread);
    if (t_currentThread == this)
        t_currentThread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT, void*)
{
    if (m_hThread)
        return FALSE;
    m_hThread = platform::CreateThreadEndObject();
    auto gate = std::make_shared<StartGate>();
    HANDLE end = platform::DuplicateWaitHandle(m_hThread);
    try {
        std::thread(&CWinThread::ThreadMain, this, end, gate).detach();
    } catch (const std::system_error&) {
        ::CloseHandle(end);
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    {
        std::unique_lock lock(gate->lock);
        gate->changed.wait(lock, [&] { return gate->threadId != 0; });
        m_nThreadID = gate->threadId;
    }
    m_gate = gate;
    m_suspendCount = 1;
    if (!(createFlags & CREATE_SUSPENDED))
        ResumeThread();
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    if (!m_hThread)
        return 0xFFFFFFFFu;
    const DWORD previous = m_suspendCount;
    if (previous == 0)
        return 0;
    m_suspendCount = previous - 1;
    if (m_suspendCount == 0) {
        // From the opening of the gate on the thread may delete this object: take the gate off it
        // first and touch nothing of it afterwards.
        std::shared_ptr<StartGate> gate = std::move(m_gate);
        OpenGate(gate, false);
    }
    return previous;
}

void CWinThread::OpenGate(const std::shared_ptr<StartGate>& gate, bool discard)
{
    std::lock_guard lock(gate->lock);
    gate->state = discard ? StartGate::State::Discarded : StartGate::State::Run;
    gate->changed.notify_all();
}

void CWinThread::ThreadMain(CWinThread* self, HANDLE end, std::shared_ptr<StartGate> gate)
{
    const DWORD threadId = GetCurrentThreadId();
    bool discarded;
    {
        std::unique_lock lock(gate->lock);
        gate->threadId = threadId;
        gate->changed.notify_all();
        gate->changed.wait(lock, [&] { return gate->state != StartGate::State::Waiting; });
        discarded = gate->state == StartGate::State::Discarded;
    }
    gate.reset();
    DWORD exitCode = 0;
    if (!discarded) {
        t_currentThread = self;
        if (self->m_proc)
            exitCode = self->m_proc(self->m_param);
        else
            exitCode = static_cast<DWORD>(self->InitInstance() ? self->Run() : self->ExitInstance());
        if (self->m_bAutoDelete)
            self->Delete();
        t_currentThread = nullptr;
    }
    platform::SignalThreadEnd(end, exitCode);
    ::CloseHandle(end);
}

BOOL CWinThread::SetThreadPriority(int priority)
{
    m_priority = priority;
    return TRUE;
}

// Worker classes that do not override InitInstance run their Run loop.
BOOL CWinThread::InitInstance() { return TRUE; }

int CWinThread::Run()
{
    platform::ThreadMessageLoop loop;
    {
        std::lock_guard lock(s_messageLoopLock);
        loop = s_messageLoop;
    }
    return loop ? loop(*this) : ExitInstance();
}

int CWinThread::ExitInstance() { return 0; }

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize, DWORD createFlags,
                           void* security)
{
    if (!proc)
        return nullptr;
    return platform::BeginThread(std::make_unique<CWinThread>(proc, param), priority, stackSize, createFlags,
                                 security);
}

CWinThread* AfxGetThread() { return t_currentThread; }

DWORD GetCurrentThreadId()
{
    if (t_threadId == 0)
        t_threadId = static_cast<DWORD>(gettid());
    return t_threadId;
}

namespace platform {

CWinThread* BeginThread(std::unique_ptr<CWinThread> thread, int priority, UINT stackSize, DWORD createFlags,
                        void* security)
{
    thread->SetThreadPriority(priority);
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, security))
        return nullptr;
    CWinThread* result = thread.release();
    if (!(createFlags & CREATE_SUSPENDED) && result->ResumeThread() == 0xFFFFFFFFu) {
        delete result;
        return nullptr;
    }
    return result;
}

void SetCurrentThreadObject(CWinThread* thread) { t_currentThread = thread; }

void SetThreadMessageLoop(ThreadMessageLoop loop)
{
    std::lock_guard lock(s_messageLoopLock);
    s_messageLoop = std::move(loop);
}

namespace {
std::atomic<ThreadPreTranslateDefault> s_preTranslateDefault { nullptr };
std::atomic<ThreadIdleDefault> s_idleDefault { nullptr };
} // namespace

void SetThreadLoopDefaults(ThreadPreTranslateDefault preTranslate, ThreadIdleDefault idle)
{
    s_preTranslateDefault.store(preTranslate);
    s_idleDefault.store(idle);
}

ThreadMessageLoop GetThreadMessageLoop()
{
    std::lock_guard lock(s_messageLoopLock);
    return s_messageLoop;
}

} // namespace platform

BOOL CWinThread::PreTranslateMessage(MSG* msg)
{
    auto preTranslate = platform::s_preTranslateDefault.load();
    return preTranslate ? preTranslate(*this, msg) : FALSE;
}

BOOL CWinThread::OnIdle(LONG count)
{
    auto idle = platform::s_idleDefault.load();
    return idle ? idle(*this, count) : FALSE;
}
