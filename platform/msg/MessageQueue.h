// The message queue of one thread: its event loop.
//
// Owner and life: a queue belongs to exactly one thread and is made the first time that thread
// creates a window, a timer or a descriptor watch, posts to itself, sends across threads or
// pumps. It lives until the thread ends; then its windows are freed without messages and any
// message still being sent to it returns 0 to its sender.
//
// What it holds: posted messages (in order), raw input (mouse and keyboard events not yet
// routed to a window), messages sent by other threads and waiting to be handled, the quit
// request, the thread's timers and descriptor watches. Paint and timer messages are never
// stored: they are made when the queue is asked for a message and has nothing else. The
// classic order of retrieval: sent, posted, input, quit, paint, timer. So a character that
// TranslateMessage posts for a key press comes before the next key already waiting, and input
// is routed (hit test, capture, focus) only when it is taken, seeing what the messages before
// it changed.
//
// How it wakes: one eventfd. Posting, sending, a clock advance and ending a modal loop write
// it. The thread waits in one place, Wait(), on the eventfd, its watched descriptors and its
// next timer; the wait itself is done by a WaitBackend (poll by default), so that a host with
// its own main loop (GLib) can fold the same wait into it.
//
// Sent messages: SendMessage to a window of the same thread calls its procedure directly. To
// another thread it queues the message there and blocks; while it blocks it handles messages
// that other threads send to it (so two threads sending to each other do not deadlock) and
// nothing else. The receiver handles incoming sent messages whenever it pumps, at any depth of
// nested loops.
#pragma once

#include "platform/msg/FdWatch.h"
#include "platform/msg/Messages.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

struct pollfd;

namespace platform::msg {

// Blocks the thread until one of the descriptors is ready or `timeoutMs` passes (-1: no limit).
// The queue fills `fds` (its wake descriptor first) and reads `revents` afterwards.
class WaitBackend
{
public:
    virtual ~WaitBackend() = default;
    virtual void Wait(pollfd* fds, std::size_t count, int timeoutMs) = 0;
};

// A message sent from another thread, waiting for its result.
struct SentMessage
{
    HWND hwnd { nullptr };
    UINT message { 0 };
    WPARAM wParam { 0 };
    LPARAM lParam { 0 };
    std::function<LRESULT()> call; // when set: run this on the owner's thread instead
    LRESULT result { 0 };
    std::atomic<bool> done { false };
    std::shared_ptr<class MessageQueue> sender;
};

// A mouse or keyboard event as the host reported it, waiting in a thread's input queue. Its
// window and message are decided when it is taken (RouteInput in Input.cpp).
struct InputEvent
{
    // Character: a typed character the keyboard has no key for (one UTF-8 byte, as WM_CHAR).
    enum class Kind { MouseMove, MouseButton, MouseWheel, Key, Character };
    Kind kind { Kind::MouseMove };
    POINT pt {};        // screen position of the mouse when the event happened
    DWORD time { 0 };   // tick count when the event happened
    WPARAM keys { 0 };  // MK_ flags as they stood after the event
    int button { 0 };   // MouseButton, for button events
    bool down { false }; // button or key pressed
    int delta { 0 };    // wheel
    int virtualKey { 0 };
    unsigned char character { 0 };
    bool wasDown { false }; // key: already down before (auto-repeat)
    bool alt { false };
    bool ctrl { false };
    std::uint64_t serial { 0 }; // set by the queue
};

class MessageQueue : public std::enable_shared_from_this<MessageQueue>
{
public:
    // The calling thread's queue, made on first use.
    static std::shared_ptr<MessageQueue> Current();
    // The calling thread's queue if it has one.
    static std::shared_ptr<MessageQueue> CurrentIfAny();
    // A live queue by thread id.
    static std::shared_ptr<MessageQueue> ForThread(DWORD threadId);

    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;
    ~MessageQueue();

    DWORD ThreadId() const { return m_threadId; }
    bool IsCurrentThread() const;
    bool IsAlive() const;

    // ---- from any thread --------------------------------------------------------------------
    bool Post(const MSG& msg);
    // Queues raw input for this thread; false when the queue's thread has ended.
    bool PostInput(InputEvent event);
    void Wake();
    // Queues a sent message; false when the queue's thread has ended.
    bool EnqueueSent(const std::shared_ptr<SentMessage>& sent);

    // ---- on the owning thread -----------------------------------------------------------------
    void PostQuit(int exitCode);
    // The retrieval behind GetMessage and PeekMessage; `wait` blocks until a message matches.
    bool Retrieve(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, UINT removeFlags, bool wait);
    // Handles every message other threads have sent to this thread; true when it handled one.
    bool ProcessIncomingSent();
    // Waits until something arrives (a message, a sent message, a ready descriptor, a due timer)
    // and runs ready descriptor callbacks.
    void WaitForWork();
    // Waits for the eventfd alone (a cross-thread send); `timeoutMs` -1: no limit.
    void WaitForWake(int timeoutMs);
    bool HasPendingWork();

    // ---- timers (any thread; the timer fires on this queue's thread) -----------------------------
    UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
    bool KillTimer(HWND hwnd, UINT_PTR id);
    void KillTimersOf(HWND hwnd);

    // ---- descriptor watches ------------------------------------------------------------------------
    int AddWatch(int fd, short events, FdCallback callback);
    bool SetWatchEvents(int cookie, short events);
    bool RemoveWatch(int cookie);

    // ---- windows of this thread (in creation order; used for painting) ---------------------------
    void AddWindow(HWND hwnd);
    void RemoveWindow(HWND hwnd);
    std::vector<HWND> Windows();

    void SetWaitBackend(std::unique_ptr<WaitBackend> backend);

    // Drops everything and answers waiting senders with 0; called when the thread ends.
    void Shutdown();

private:
    explicit MessageQueue(DWORD threadId);

    struct Timer
    {
        HWND hwnd { nullptr };
        UINT_PTR id { 0 };
        UINT interval { 0 };
        std::uint64_t due { 0 };
        TIMERPROC proc { nullptr };
    };
    struct Watch
    {
        int cookie { 0 };
        int fd { -1 };
        short events { 0 };
        std::shared_ptr<FdCallback> callback;
        bool running { false };
    };

    bool TakePosted(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove);
    bool TakeInput(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove);
    bool TakePaint(MSG* msg, HWND filter, UINT filterMin, UINT filterMax);
    bool TakeTimer(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove);
    int MsUntilNextTimer();
    void WaitAndRunWatches(int timeoutMs);
    void DrainWake();
    // Wake, unless the queue's own thread changed its watches (it gathers them before waiting).
    void WakeForWatches();

    const DWORD m_threadId;
    int m_wakeFd { -1 };
    std::unique_ptr<WaitBackend> m_backend;

    // Guards everything below. Never held while a window procedure or a callback runs.
    std::mutex m_lock;
    bool m_alive { true };
    std::deque<MSG> m_posted;
    std::deque<InputEvent> m_input;
    std::uint64_t m_nextInputSerial { 1 };
    std::deque<std::shared_ptr<SentMessage>> m_sent;
    bool m_quit { false };
    int m_quitCode { 0 };
    std::vector<Timer> m_timers;
    UINT_PTR m_nextThreadTimerId { 0x7FFF0000 };
    std::vector<Watch> m_watches;
    std::vector<HWND> m_windows;
};

// Ends the calling thread's queue now, as the thread's end would: its windows are freed without
// messages and waiting senders get 0. A user-interface thread does this when its loop is over.
void EndCurrentThreadQueue();

// The calling thread's id as the window layer reports it (the kernel thread id).
DWORD CurrentThreadId();

// Runs `call` on the thread that owns `hwnd` and waits for it, like SendMessage; direct when
// the calling thread owns the window.
LRESULT RunOnOwnerThread(HWND hwnd, std::function<LRESULT()> call);

// Retrieves one message, lets the window tree pre-translate it, translates and dispatches it.
// False when WM_QUIT arrived (the quit request is then posted again for the outer loop).
bool PumpMessage();

// The classic pre-translation walk: PreTranslateMessage of the target window's object, then of
// each parent, up to (not including) `stop`. True when one of them consumed the message.
bool WalkPreTranslateTree(HWND stop, MSG* msg);

// Extra pre-translation for the whole thread (CWinThread::PreTranslateMessage installs itself
// here); runs before the window walk.
using ThreadPreTranslate = std::function<bool(MSG* msg)>;
void SetThreadPreTranslate(ThreadPreTranslate hook);

// Idle work of the calling thread's CWinThread loop (CWinThread::OnIdle, until the thread class
// carries it): called with the idle count while the queue is empty; false stops the calls until
// the next input message.
using ThreadIdle = std::function<bool(LONG idleCount)>;
void SetThreadIdle(ThreadIdle hook);

// The classic message loop of a thread: pumps until WM_QUIT and returns its exit code. While
// the queue is empty it calls `onIdle` with a count that starts at 0 after every message that
// counts as input, until `onIdle` returns false; then it waits. `preTranslate` gets each
// message before translation and dispatch and may consume it.
int RunMessageLoop(const std::function<bool(LONG idleCount)>& onIdle, const std::function<bool(MSG* msg)>& preTranslate);

// Runs the modal loop on `hwnd` until EndDialog/EndModalLoop, WM_QUIT (result -1, the quit
// request is posted again) or the window's destruction (result -1 unless ended before).
// `enterIdle`: send WM_ENTERIDLE to the owner whenever the queue runs empty.
INT_PTR RunModalLoop(HWND hwnd, bool enterIdle = true);
// Runs a modal session on `hwnd`: disables its owner (when enabled), shows and activates the
// window, runs the loop, re-enables the owner and hides the window. Returns the loop's result.
INT_PTR RunModal(HWND hwnd);
// True while a modal loop runs on `hwnd`.
bool IsModalLoopRunning(HWND hwnd);

// Every loop that runs until the user answers (a dialog, a message box, a desktop dialog) holds
// one of these while it runs, with what ends it as a Cancel. The loops of a thread nest.
class ModalLoopScope
{
public:
    explicit ModalLoopScope(std::function<void()> cancel);
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;

private:
    std::function<void()> m_cancel;
};
// How many such loops run on the calling thread.
int ModalLoopDepth();
// Ends every such loop of the calling thread as a Cancel: each returns before it takes another
// message.
void CancelModalLoops();

} // namespace platform::msg
