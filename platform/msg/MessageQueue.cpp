// The per-thread message queue: posting, cross-thread sending, retrieval, timers, descriptor
// watches and the one wait of the thread.
#include "platform/msg/MessageQueue.h"

#include "platform/core/Clock.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowInternal.h"

#include <algorithm>
#include <map>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>

namespace platform::msg {
namespace {

// ---- the registry of live queues ------------------------------------------------------------

// The registry is never destroyed: threads that end while the process exits still unregister.
struct Registry
{
    std::mutex lock; // guards the maps; taken with no other lock held, or after a queue lock
    std::map<DWORD, std::weak_ptr<MessageQueue>> queues;
    std::map<int, std::weak_ptr<MessageQueue>> watchOwners;
    int nextWatchCookie = 1;
};
Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}
std::mutex& s_registryLock = TheRegistry().lock;
auto& s_queues = TheRegistry().queues;
auto& s_watchOwners = TheRegistry().watchOwners;
int& s_nextWatchCookie = TheRegistry().nextWatchCookie;
std::once_flag s_clockListenerOnce;

void WakeAllQueues()
{
    std::vector<std::shared_ptr<MessageQueue>> queues;
    {
        std::lock_guard lock(s_registryLock);
        for (auto& [id, weak] : s_queues)
            if (auto q = weak.lock())
                queues.push_back(std::move(q));
    }
    for (auto& q : queues)
        q->Wake();
}

// The thread's queue; ending the thread shuts it down.
struct QueueHolder
{
    std::shared_ptr<MessageQueue> queue;
    ~QueueHolder()
    {
        if (queue)
            queue->Shutdown();
    }
};
thread_local QueueHolder t_holder;

class PollBackend : public WaitBackend
{
public:
    void Wait(pollfd* fds, std::size_t count, int timeoutMs) override
    {
        for (;;) {
            int rc = ::poll(fds, count, timeoutMs);
            if (rc >= 0 || errno != EINTR)
                return;
        }
    }
};

bool InRange(UINT message, UINT filterMin, UINT filterMax)
{
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message >= filterMin && message <= filterMax;
}

} // namespace

DWORD CurrentThreadId() { return static_cast<DWORD>(::gettid()); }

// ---- life ---------------------------------------------------------------------------------------

MessageQueue::MessageQueue(DWORD threadId)
    : m_threadId(threadId)
    , m_wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    , m_backend(std::make_unique<PollBackend>())
{
}

MessageQueue::~MessageQueue()
{
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

std::shared_ptr<MessageQueue> MessageQueue::Current()
{
    if (!t_holder.queue) {
        std::call_once(s_clockListenerOnce, [] { AddClockListener(WakeAllQueues); });
        t_holder.queue = std::shared_ptr<MessageQueue>(new MessageQueue(CurrentThreadId()));
        std::lock_guard lock(s_registryLock);
        s_queues[t_holder.queue->m_threadId] = t_holder.queue;
    }
    return t_holder.queue;
}

std::shared_ptr<MessageQueue> MessageQueue::CurrentIfAny() { return t_holder.queue; }

void EndCurrentThreadQueue()
{
    if (auto queue = std::exchange(t_holder.queue, nullptr))
        queue->Shutdown();
}

std::shared_ptr<MessageQueue> MessageQueue::ForThread(DWORD threadId)
{
    std::lock_guard lock(s_registryLock);
    auto it = s_queues.find(threadId);
    return it == s_queues.end() ? nullptr : it->second.lock();
}

bool MessageQueue::IsCurrentThread() const { return t_holder.queue.get() == this; }

bool MessageQueue::IsAlive() const
{
    std::lock_guard lock(const_cast<std::mutex&>(m_lock));
    return m_alive;
}

void MessageQueue::Shutdown()
{
    std::deque<std::shared_ptr<SentMessage>> sent;
    std::vector<HWND> windows;
    std::vector<int> watchCookies;
    {
        std::lock_guard lock(m_lock);
        m_alive = false;
        sent.swap(m_sent);
        m_posted.clear();
        m_input.clear();
        m_timers.clear();
        for (auto& w : m_watches)
            watchCookies.push_back(w.cookie);
        m_watches.clear();
        windows.swap(m_windows);
    }
    for (auto& s : sent) {
        s->result = 0;
        s->done.store(true, std::memory_order_release);
        if (s->sender)
            s->sender->Wake();
    }
    {
        std::lock_guard lock(s_registryLock);
        auto it = s_queues.find(m_threadId);
        if (it != s_queues.end() && it->second.lock().get() == this)
            s_queues.erase(it);
        for (int cookie : watchCookies)
            s_watchOwners.erase(cookie);
    }
    FreeWindowsOfEndedThread(windows);
}

void MessageQueue::SetWaitBackend(std::unique_ptr<WaitBackend> backend)
{
    m_backend = backend ? std::move(backend) : std::make_unique<PollBackend>();
}

// ---- waking ---------------------------------------------------------------------------------------

void MessageQueue::Wake()
{
    std::uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(m_wakeFd, &one, sizeof one);
}

void MessageQueue::WakeForWatches()
{
    // The queue's own thread gathers the watches anew before it waits again: waking it would
    // only cost it a round for nothing (a socket's watch changes with every read).
    if (!IsCurrentThread())
        Wake();
}

void MessageQueue::DrainWake()
{
    std::uint64_t count = 0;
    [[maybe_unused]] auto n = ::read(m_wakeFd, &count, sizeof count);
}

void MessageQueue::WaitForWake(int timeoutMs)
{
    pollfd fd { m_wakeFd, POLLIN, 0 };
    PollBackend().Wait(&fd, 1, timeoutMs);
    if (fd.revents & POLLIN)
        DrainWake();
}

// ---- posting and sending ------------------------------------------------------------------------

bool MessageQueue::Post(const MSG& msg)
{
    {
        std::lock_guard lock(m_lock);
        if (!m_alive)
            return false;
        m_posted.push_back(msg);
    }
    Wake();
    return true;
}

bool MessageQueue::PostInput(InputEvent event)
{
    {
        std::lock_guard lock(m_lock);
        if (!m_alive)
            return false;
        event.serial = m_nextInputSerial++;
        m_input.push_back(event);
    }
    Wake();
    return true;
}

void MessageQueue::PostQuit(int exitCode)
{
    {
        std::lock_guard lock(m_lock);
        m_quit = true;
        m_quitCode = exitCode;
    }
    Wake();
}

bool MessageQueue::EnqueueSent(const std::shared_ptr<SentMessage>& sent)
{
    {
        std::lock_guard lock(m_lock);
        if (!m_alive)
            return false;
        m_sent.push_back(sent);
    }
    Wake();
    return true;
}

namespace {
thread_local int t_inSendDepth = 0;
}

bool InSendMessageNow() { return t_inSendDepth > 0; }

bool MessageQueue::ProcessIncomingSent()
{
    bool any = false;
    for (;;) {
        std::shared_ptr<SentMessage> sent;
        {
            std::lock_guard lock(m_lock);
            if (m_sent.empty())
                return any;
            sent = std::move(m_sent.front());
            m_sent.pop_front();
        }
        any = true;
        ++t_inSendDepth;
        LRESULT result = 0;
        if (sent->call)
            result = sent->call();
        else if (IsLiveWindow(sent->hwnd))
            result = CallWindowDirect(sent->hwnd, sent->message, sent->wParam, sent->lParam);
        --t_inSendDepth;
        sent->result = result;
        sent->done.store(true, std::memory_order_release);
        if (sent->sender)
            sent->sender->Wake();
    }
}

// ---- retrieval ------------------------------------------------------------------------------------

bool MessageQueue::TakePosted(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove)
{
    std::lock_guard lock(m_lock);
    for (auto it = m_posted.begin(); it != m_posted.end();) {
        // A message to a window destroyed after it was posted is dropped here.
        if (it->hwnd && !IsLiveWindow(it->hwnd)) {
            it = m_posted.erase(it);
            continue;
        }
        if (InRange(it->message, filterMin, filterMax) && MatchesWindowFilter(it->hwnd, filter)) {
            *msg = *it;
            if (remove)
                m_posted.erase(it);
            return true;
        }
        ++it;
    }
    return false;
}

bool MessageQueue::TakeInput(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove)
{
    // The lock is not held while routing: hit testing and activation send messages, whose
    // handlers may pump this queue again. Events are therefore found again by serial.
    auto eraseEvent = [&](std::uint64_t serial) {
        std::lock_guard lock(m_lock);
        auto it = std::find_if(m_input.begin(), m_input.end(), [&](auto& e) { return e.serial == serial; });
        if (it == m_input.end())
            return false;
        m_input.erase(it);
        return true;
    };
    std::uint64_t after = 0; // events up to this serial did not match the filter
    for (;;) {
        InputEvent event;
        {
            std::lock_guard lock(m_lock);
            auto it = std::find_if(m_input.begin(), m_input.end(), [&](auto& e) { return e.serial > after; });
            if (it == m_input.end())
                return false;
            event = *it;
        }
        RoutedInput routed;
        if (!RouteInput(event, &routed)) {
            eraseEvent(event.serial); // reaches no window
            continue;
        }
        if (!InRange(routed.msg.message, filterMin, filterMax) || !MatchesWindowFilter(routed.msg.hwnd, filter)) {
            after = event.serial;
            continue;
        }
        if (!remove) {
            *msg = routed.msg;
            return true;
        }
        if (!eraseEvent(event.serial))
            continue; // taken meanwhile by a nested loop
        auto owner = QueueOfWindow(routed.msg.hwnd);
        if (owner.get() != this) {
            // The input now belongs to a window of another thread: it gets the routed message.
            if (owner)
                owner->Post(routed.msg);
            continue;
        }
        if (!CommitRoutedInput(event, routed))
            continue;
        *msg = routed.msg;
        return true;
    }
}

bool MessageQueue::TakePaint(MSG* msg, HWND filter, UINT filterMin, UINT filterMax)
{
    if (!InRange(WM_PAINT, filterMin, filterMax))
        return false;
    for (HWND hwnd : Windows()) {
        if (NeedsPaint(hwnd) && MatchesWindowFilter(hwnd, filter)) {
            *msg = MSG { hwnd, WM_PAINT, 0, 0, static_cast<DWORD>(MonotonicMs()), CurrentCursorPos() };
            return true;
        }
    }
    return false;
}

bool MessageQueue::TakeTimer(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove)
{
    if (!InRange(WM_TIMER, filterMin, filterMax))
        return false;
    std::lock_guard lock(m_lock);
    auto now = MonotonicMs();
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->hwnd && !IsLiveWindow(it->hwnd)) {
            it = m_timers.erase(it);
            continue;
        }
        if (it->due <= now && MatchesWindowFilter(it->hwnd, filter)) {
            *msg = MSG { it->hwnd, WM_TIMER, it->id, reinterpret_cast<LPARAM>(it->proc), static_cast<DWORD>(now),
                         CurrentCursorPos() };
            // A late timer fires once, not once per missed period.
            if (remove)
                it->due = now + it->interval;
            return true;
        }
        ++it;
    }
    return false;
}

bool MessageQueue::Retrieve(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, UINT removeFlags, bool wait)
{
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    // Right after a wait the watches were just polled (and their callbacks run) by that wait:
    // only a retrieval that did not wait first looks at them without waiting.
    bool watchesPolled = false;
    for (;;) {
        ProcessIncomingSent();
        bool haveWatches;
        {
            std::lock_guard lock(m_lock);
            haveWatches = !m_watches.empty();
        }
        if (haveWatches && !watchesPolled) {
            WaitAndRunWatches(0);
            ProcessIncomingSent();
        }
        bool found = TakePosted(msg, filter, filterMin, filterMax, remove);
        if (!found)
            found = TakeInput(msg, filter, filterMin, filterMax, remove);
        if (!found && InRange(WM_QUIT, filterMin, filterMax)) {
            std::lock_guard lock(m_lock);
            if (m_quit) {
                *msg = MSG { nullptr, WM_QUIT, static_cast<WPARAM>(m_quitCode), 0,
                             static_cast<DWORD>(MonotonicMs()), CurrentCursorPos() };
                if (remove)
                    m_quit = false;
                found = true;
            }
        }
        if (!found)
            found = TakePaint(msg, filter, filterMin, filterMax);
        if (!found)
            found = TakeTimer(msg, filter, filterMin, filterMax, remove);
        if (found) {
            NoteMessageRetrieved(*msg);
            if (remove)
                NoteInputRetrieved(*msg);
            return true;
        }
        if (!wait)
            return false;
        WaitForWork();
        watchesPolled = true;
    }
}

bool MessageQueue::HasPendingWork()
{
    MSG msg;
    return Retrieve(&msg, nullptr, 0, 0, PM_NOREMOVE, false);
}

// ---- waiting ----------------------------------------------------------------------------------------

int MessageQueue::MsUntilNextTimer()
{
    // Under the test clock time only moves when a test advances it, and every advance wakes all
    // queues: no real-time time-out is needed.
    std::lock_guard lock(m_lock);
    if (m_timers.empty())
        return -1;
    auto now = MonotonicMs();
    std::uint64_t next = UINT64_MAX;
    for (auto& t : m_timers)
        next = std::min(next, t.due);
    if (next <= now)
        return 0;
    if (IsTestClock())
        return -1;
    return static_cast<int>(std::min<std::uint64_t>(next - now, 24u * 3600 * 1000));
}

void MessageQueue::WaitForWork() { WaitAndRunWatches(MsUntilNextTimer()); }

void MessageQueue::WaitAndRunWatches(int timeoutMs)
{
    std::vector<pollfd> fds;
    std::vector<int> cookies;
    fds.push_back(pollfd { m_wakeFd, POLLIN, 0 });
    {
        std::lock_guard lock(m_lock);
        for (auto& w : m_watches) {
            if (w.events != 0 && !w.running) {
                fds.push_back(pollfd { w.fd, w.events, 0 });
                cookies.push_back(w.cookie);
            }
        }
    }
    m_backend->Wait(fds.data(), fds.size(), timeoutMs);
    if (fds[0].revents & POLLIN)
        DrainWake();
    for (std::size_t i = 1; i < fds.size(); ++i) {
        if (fds[i].revents == 0)
            continue;
        int cookie = cookies[i - 1];
        std::shared_ptr<FdCallback> callback;
        {
            std::lock_guard lock(m_lock);
            auto it = std::find_if(m_watches.begin(), m_watches.end(), [&](auto& w) { return w.cookie == cookie; });
            if (it == m_watches.end() || it->running || it->events == 0)
                continue;
            it->running = true;
            callback = it->callback;
        }
        (*callback)(fds[i].fd, fds[i].revents);
        std::lock_guard lock(m_lock);
        auto it = std::find_if(m_watches.begin(), m_watches.end(), [&](auto& w) { return w.cookie == cookie; });
        if (it != m_watches.end())
            it->running = false;
    }
}

// ---- timers ---------------------------------------------------------------------------------------------

UINT_PTR MessageQueue::SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    // Classic limits: at least 10 ms between two firings.
    UINT interval = std::max<UINT>(elapseMs, 10);
    {
        std::lock_guard lock(m_lock);
        if (!m_alive)
            return 0;
        if (!hwnd) {
            auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                   [&](auto& t) { return !t.hwnd && t.id == id && id != 0; });
            if (it == m_timers.end())
                id = m_nextThreadTimerId++;
        }
        auto it = std::find_if(m_timers.begin(), m_timers.end(), [&](auto& t) { return t.hwnd == hwnd && t.id == id; });
        Timer timer { hwnd, id, interval, MonotonicMs() + interval, proc };
        if (it != m_timers.end())
            *it = timer;
        else
            m_timers.push_back(timer);
    }
    Wake();
    return hwnd ? (id ? id : 1) : id;
}

bool MessageQueue::KillTimer(HWND hwnd, UINT_PTR id)
{
    std::lock_guard lock(m_lock);
    auto it = std::find_if(m_timers.begin(), m_timers.end(), [&](auto& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    return true;
}

void MessageQueue::KillTimersOf(HWND hwnd)
{
    std::lock_guard lock(m_lock);
    std::erase_if(m_timers, [&](auto& t) { return t.hwnd == hwnd; });
}

// ---- watches ----------------------------------------------------------------------------------------------

int MessageQueue::AddWatch(int fd, short events, FdCallback callback)
{
    int cookie;
    {
        std::lock_guard lock(s_registryLock);
        cookie = s_nextWatchCookie++;
        s_watchOwners[cookie] = weak_from_this();
    }
    {
        std::lock_guard lock(m_lock);
        m_watches.push_back(Watch { cookie, fd, events, std::make_shared<FdCallback>(std::move(callback)), false });
    }
    WakeForWatches();
    return cookie;
}

bool MessageQueue::SetWatchEvents(int cookie, short events)
{
    {
        std::lock_guard lock(m_lock);
        auto it = std::find_if(m_watches.begin(), m_watches.end(), [&](auto& w) { return w.cookie == cookie; });
        if (it == m_watches.end())
            return false;
        it->events = events;
    }
    WakeForWatches();
    return true;
}

bool MessageQueue::RemoveWatch(int cookie)
{
    {
        std::lock_guard lock(m_lock);
        auto it = std::find_if(m_watches.begin(), m_watches.end(), [&](auto& w) { return w.cookie == cookie; });
        if (it == m_watches.end())
            return false;
        m_watches.erase(it);
    }
    WakeForWatches();
    return true;
}

// ---- windows of the thread ----------------------------------------------------------------------------

void MessageQueue::AddWindow(HWND hwnd)
{
    std::lock_guard lock(m_lock);
    m_windows.push_back(hwnd);
}

void MessageQueue::RemoveWindow(HWND hwnd)
{
    std::lock_guard lock(m_lock);
    std::erase(m_windows, hwnd);
}

std::vector<HWND> MessageQueue::Windows()
{
    std::lock_guard lock(m_lock);
    return m_windows;
}

// ---- descriptor watches: the public entry points --------------------------------------------------------

int WatchFd(int fd, short events, FdCallback callback)
{
    return MessageQueue::Current()->AddWatch(fd, events, std::move(callback));
}

namespace {
std::shared_ptr<MessageQueue> WatchOwner(int cookie)
{
    std::lock_guard lock(s_registryLock);
    auto it = s_watchOwners.find(cookie);
    return it == s_watchOwners.end() ? nullptr : it->second.lock();
}
} // namespace

void SetWatchedEvents(int cookie, short events)
{
    if (auto q = WatchOwner(cookie))
        q->SetWatchEvents(cookie, events);
}

void UnwatchFd(int cookie)
{
    auto q = WatchOwner(cookie);
    {
        std::lock_guard lock(s_registryLock);
        s_watchOwners.erase(cookie);
    }
    if (q)
        q->RemoveWatch(cookie);
}

} // namespace platform::msg
