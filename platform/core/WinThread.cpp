// CWinThread on std::thread. The std::thread is detached at once: nobody joins it, because the
// object may delete itself; the end is told through the thread-end object behind m_hThread, which
// the running thread holds its own share of and signals as its very last act.
#include "platform/core/WinThread.h"

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

thread_local CWinThread* t_currentThread = nullptr;
thread_local DWORD t_threadId = 0;
std::atomic<DWORD> s_nextThreadId { 1 };

// Guards s_messageLoop, which the message layer installs once at start-up.
std::mutex s_messageLoopLock;
platform::ThreadMessageLoop s_messageLoop;

DWORD NewThreadId() { return s_nextThreadId.fetch_add(1, std::memory_order_relaxed); }

} // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param) : m_proc(proc), m_param(param) {}

CWinThread::~CWinThread()
{
    if (m_hThread) {
        if (!m_started)
            platform::SignalThreadEnd(m_hThread, 0);
        ::CloseHandle(m_hThread);
    }
    if (t_currentThread == this)
        t_currentThread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT, void*)
{
    if (m_hThread)
        return FALSE;
    m_hThread = platform::CreateThreadEndObject();
    m_nThreadID = NewThreadId();
    m_suspendCount = (createFlags & CREATE_SUSPENDED) ? 1 : 0;
    if (m_suspendCount == 0 && !Start()) {
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
        return FALSE;
    }
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
    if (m_suspendCount == 0 && !m_started && !Start()) {
        m_suspendCount = previous;
        return 0xFFFFFFFFu;
    }
    return previous;
}

bool CWinThread::Start()
{
    HANDLE end = platform::DuplicateWaitHandle(m_hThread);
    m_started = true;
    try {
        // Last touch of `this` on the starting side: from here on the thread may delete it.
        std::thread(&CWinThread::ThreadMain, this, end).detach();
    } catch (const std::system_error&) {
        m_started = false;
        ::CloseHandle(end);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    return true;
}

void CWinThread::ThreadMain(CWinThread* self, HANDLE end)
{
    t_currentThread = self;
    t_threadId = self->m_nThreadID;
    DWORD exitCode;
    if (self->m_proc)
        exitCode = self->m_proc(self->m_param);
    else
        exitCode = static_cast<DWORD>(self->InitInstance() ? self->Run() : self->ExitInstance());
    if (self->m_bAutoDelete)
        self->Delete();
    t_currentThread = nullptr;
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
        t_threadId = NewThreadId();
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

} // namespace platform
