// Deferred deletion: a queue per thread and a hidden window that receives the posted request
// to empty it.
#include "nyraclient/client/DeferredDelete.h"

#include "platform/msg/Wnd.h"

#include <memory>
#include <vector>

namespace nyraclient {

namespace {

constexpr UINT WM_FLUSH_DEFERRED_DELETES = WM_APP + 0x1D0;

// The window that gets the posted flush request: a hidden top-level of the thread, made when
// the first deletion is queued.
class CFlushWnd : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FLUSH_DEFERRED_DELETES) {
            FlushDeferredDeletes();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct ThreadQueue
{
    int depth { 0 };
    bool flushPosted { false };
    std::vector<std::function<void()>> pending;
    std::unique_ptr<CFlushWnd> window;

    ~ThreadQueue()
    {
        // A thread that ends with deletions queued runs them: nothing of its notifications
        // is on the stack any more.
        auto work = std::move(pending);
        for (auto& deleter : work)
            deleter();
    }
};

ThreadQueue& Queue()
{
    thread_local ThreadQueue queue;
    return queue;
}

void PostFlush(ThreadQueue& queue)
{
    if (queue.flushPosted)
        return;
    if (!queue.window) {
        auto window = std::make_unique<CFlushWnd>();
        if (!window->CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr))
            return;
        queue.window = std::move(window);
    }
    queue.flushPosted = queue.window->PostMessage(WM_FLUSH_DEFERRED_DELETES) != FALSE;
}

} // namespace

NotifyScope::NotifyScope() { ++Queue().depth; }

NotifyScope::~NotifyScope()
{
    ThreadQueue& queue = Queue();
    --queue.depth;
    if (queue.depth == 0 && !queue.pending.empty())
        PostFlush(queue);
}

bool NotifyScope::IsActive() { return Queue().depth > 0; }

void DeleteWhenIdle(std::function<void()> deleter)
{
    ThreadQueue& queue = Queue();
    if (queue.depth == 0) {
        deleter();
        return;
    }
    queue.pending.push_back(std::move(deleter));
}

void FlushDeferredDeletes()
{
    ThreadQueue& queue = Queue();
    queue.flushPosted = false;
    // Still inside a notification (a dialog opened from a click pumps here): the outermost
    // scope posts the flush again when it ends. Posting it from here would spin the loop.
    if (queue.depth > 0)
        return;
    // A deleter may queue further deletions (a client deletes its socket): run until empty.
    while (!queue.pending.empty()) {
        auto work = std::move(queue.pending);
        queue.pending.clear();
        for (auto& deleter : work)
            deleter();
    }
}

int PendingDeferredDeletes() { return static_cast<int>(Queue().pending.size()); }

} // namespace nyraclient
