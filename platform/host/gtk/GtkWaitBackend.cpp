// The user-interface thread's wait inside the GLib main loop. The queue hands over its wake
// descriptor, its watched descriptors and its time-out; they join GLib's poll for the wait, so
// one blocking poll covers the queue, the display connection and GTK's own sources. The wait
// ends when one of the queue's descriptors is ready, when the time-out passes, or when GTK
// input was handed to the window layer (which may have queued messages for this thread). A
// wait without time-out (the queue's quick look while it retrieves) runs GTK's loop once and
// keeps the input it collects for the next real wait.
#include "platform/host/gtk/GtkHostInternal.h"
#include "platform/msg/MessageQueue.h"

#include <glib.h>

#include <poll.h>
#include <vector>

namespace platform::host::gtk {

namespace {

class GlibWaitBackend : public msg::WaitBackend
{
public:
    void Wait(pollfd* fds, std::size_t count, int timeoutMs) override
    {
        GMainContext* context = g_main_context_default();
        std::vector<GPollFD> polls(count);
        for (std::size_t i = 0; i < count; ++i) {
            fds[i].revents = 0;
            polls[i] = GPollFD { fds[i].fd, static_cast<gushort>(fds[i].events), 0 };
            g_main_context_add_poll(context, &polls[i], G_PRIORITY_DEFAULT);
        }
        bool timedOut = false;
        guint timer = 0;
        if (timeoutMs > 0)
            timer = g_timeout_add_full(
                G_PRIORITY_DEFAULT, static_cast<guint>(timeoutMs),
                [](gpointer flag) {
                    *static_cast<bool*>(flag) = true;
                    return G_SOURCE_REMOVE;
                },
                &timedOut, nullptr);

        for (;;) {
            g_main_context_iteration(context, timeoutMs != 0);
            bool ready = false;
            for (std::size_t i = 0; i < count; ++i)
                if (polls[i].revents) {
                    fds[i].revents = static_cast<short>(polls[i].revents);
                    ready = true;
                }
            // Input is handed over only when the thread waits for work, that is when its queue
            // has nothing to retrieve: a quick look (no time-out) inside a retrieval would let
            // posted characters overtake key input that is still waiting in the queue.
            bool delivered = timeoutMs != 0 && DeliverQueuedInput();
            if (ready || delivered || timedOut || timeoutMs == 0)
                break;
        }

        if (timer && !timedOut)
            g_source_remove(timer);
        for (auto& p : polls)
            g_main_context_remove_poll(context, &p);
    }
};

} // namespace

std::unique_ptr<msg::WaitBackend> MakeGlibWaitBackend() { return std::make_unique<GlibWaitBackend>(); }

} // namespace platform::host::gtk
