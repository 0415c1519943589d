// Worker threads in the classic pattern: an object that owns a thread, created suspended, given
// its owner, then resumed; InitInstance, Run (whose result is the thread's exit code) and
// ExitInstance; with m_bAutoDelete the object deletes itself when its thread ends.
//
// A thread's end is a waitable object behind m_hThread. It is signalled only after the object has
// been deleted (so a destructor's last work, such as finishing a file, is done when a wait
// returns), and it outlives the object for anyone holding a share of it: an owner that must wait
// for a self-deleting thread takes platform::WaitHandle(pThread->m_hThread) before resuming it,
// then sets the thread's stop flag and waits on that share without touching the object again.
#pragma once

#include "platform/core/Sync.h"
#include "platform/core/Types.h"

#include <functional>
#include <memory>

class CWnd;
struct MSG;

constexpr DWORD CREATE_SUSPENDED = 0x00000004;

// Priorities are accepted and stored; every thread runs at the normal priority.
constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread
{
public:
    // A thread whose work is the virtual InitInstance / Run / ExitInstance of a derived class.
    CWinThread();
    // A thread that runs `proc(param)`; its result is the exit code.
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    // Closes m_hThread. Deleting the object of a thread that is still running is the caller's
    // error (as it always was); deleting one that was created suspended and never resumed is
    // fine: its thread ends without running and signals the end with exit code 0, so that no
    // waiter hangs.
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Makes the thread; with CREATE_SUSPENDED it starts only at ResumeThread. The stack size
    // and security are accepted and ignored. FALSE when it was already created.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, void* security = nullptr);
    // Lowers the suspend count and starts the thread when it reaches 0; returns the previous
    // count, or 0xFFFFFFFF before CreateThread. Called by the owning thread only: once the thread
    // runs, a self-deleting object may be gone, so nothing here touches it after the start.
    DWORD ResumeThread();
    int GetThreadPriority() const { return m_priority; }
    BOOL SetThreadPriority(int priority);

    // The thread's work. A class thread runs InitInstance; when it succeeds its exit code is
    // Run's result, otherwise ExitInstance's.
    virtual BOOL InitInstance();
    // The default Run is the thread's message loop when the message layer has installed one
    // (platform::SetThreadMessageLoop), which returns ExitInstance's result when the loop ends;
    // without one it just returns ExitInstance(). Worker classes override Run with their loop.
    virtual int Run();
    virtual int ExitInstance();
    // The message loop's hooks. PreTranslateMessage gets each message before it is dispatched
    // (TRUE: handled, not dispatched); the default walks the window tree to the main window.
    // OnIdle runs while the queue is empty, with a count that restarts after each message; it
    // returns TRUE while it wants more idle calls. Derived classes call the base first.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL OnIdle(LONG count);
    // Called on the thread after its work when m_bAutoDelete is set; deletes the object.
    virtual void Delete();

    operator HANDLE() const { return m_hThread; }

    HANDLE m_hThread { nullptr };
    DWORD m_nThreadID { 0 }; // the kernel thread id, known from CreateThread on
    BOOL m_bAutoDelete { TRUE };
    // The thread's main window, for the message layer's use.
    CWnd* m_pMainWnd { nullptr };

private:
    // Where a new thread waits until it is resumed (or its object discarded). Shared by the
    // object and its thread, so that resuming never touches an object that may be gone.
    struct StartGate;

    static void ThreadMain(CWinThread* self, HANDLE end, std::shared_ptr<StartGate> gate);
    static void OpenGate(const std::shared_ptr<StartGate>& gate, bool discard);

    AFX_THREADPROC m_proc { nullptr };
    LPVOID m_param { nullptr };
    int m_priority { THREAD_PRIORITY_NORMAL };
    DWORD m_suspendCount { 0 };
    std::shared_ptr<StartGate> m_gate; // null before CreateThread and once the gate is open
};

// Creates a thread that runs `proc(param)`; the object deletes itself when it ends.
// Null when the thread cannot be made.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, void* security = nullptr);

namespace platform {
// The common part of both AfxBeginThread forms: makes the object's thread with the priority, and
// runs it unless CREATE_SUSPENDED is asked. Null (and the object deleted) when that fails.
CWinThread* BeginThread(std::unique_ptr<CWinThread> thread, int priority, UINT stackSize, DWORD createFlags,
                        void* security);
} // namespace platform

// Creates a thread of class T (derived from CWinThread, default-constructible), as
// AfxBeginThread(RUNTIME_CLASS(T), ...) did: AfxBeginThread<CFileThread>(THREAD_PRIORITY_NORMAL,
// 0, CREATE_SUSPENDED).
template <typename T>
T* AfxBeginThread(int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0, DWORD createFlags = 0,
                  void* security = nullptr)
{
    return static_cast<T*>(platform::BeginThread(std::make_unique<T>(), priority, stackSize, createFlags, security));
}

// The CWinThread object of the calling thread: the one running it, or the one registered for it
// (the application object registers itself for the main thread); null for other threads.
CWinThread* AfxGetThread();

namespace platform {

// Registers `thread` as the calling thread's CWinThread object (null clears it).
void SetCurrentThreadObject(CWinThread* thread);

// The message loop that CWinThread::Run runs for threads that do not override Run. The message
// layer installs it; it pumps until the quit message and returns the thread's exit code.
using ThreadMessageLoop = std::function<int(CWinThread&)>;
void SetThreadMessageLoop(ThreadMessageLoop loop);
ThreadMessageLoop GetThreadMessageLoop();

// What CWinThread::PreTranslateMessage and OnIdle do by default; the message layer installs them.
using ThreadPreTranslateDefault = BOOL (*)(CWinThread& thread, MSG* msg);
using ThreadIdleDefault = BOOL (*)(CWinThread& thread, LONG count);
void SetThreadLoopDefaults(ThreadPreTranslateDefault preTranslate, ThreadIdleDefault idle);

} // namespace platform
