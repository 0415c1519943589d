// Watching file descriptors from a thread's message queue.
//
// A thread that owns sockets does not block on them: it registers each descriptor with its own
// message queue, which folds it into the one wait of the thread (poll, or the GLib main loop of
// the gtk host). When the descriptor is ready, the callback runs on the registering thread
// while that thread pumps messages: in GetMessage, PeekMessage, WaitMessage, a modal loop or a
// cross-thread SendMessage wait. So socket notifications keep arriving inside nested loops.
#pragma once

#include <functional>

namespace platform::msg {

// `revents` holds the poll flags that are ready (POLLIN, POLLOUT, POLLERR, POLLHUP ...).
using FdCallback = std::function<void(int fd, short revents)>;

// Registers `fd` with the calling thread's queue for the poll flags `events`; returns a cookie
// (> 0). The callback is level-triggered: it runs again on the next pump while the condition
// holds, so it must read, write, or change the watched events. A callback never runs nested
// inside itself for the same watch.
int WatchFd(int fd, short events, FdCallback callback);

// Changes the watched flags (0 pauses the watch).
void SetWatchedEvents(int cookie, short events);

// Removes the watch. Called on the owning thread, the callback does not run again after this
// returns (also when called from inside the callback itself). Any thread may call it.
void UnwatchFd(int cookie);

} // namespace platform::msg
