// Deferred deletion of link and client objects. A socket, serial link or client may be removed
// while its own notification is still running further up the stack (a monitor's disconnect
// notice is handled inside the socket's receive notification). Such an object is not deleted
// there: it is handed over here and deleted once the thread's message loop is back at the top,
// so nothing ever touches a deleted object.
//
// A notification that may remove objects opens a NotifyScope. Deleting while any scope of the
// thread is open queues the object; otherwise it is deleted at once.
#pragma once

#include <functional>

namespace nyraclient {

class NotifyScope
{
public:
    NotifyScope();
    ~NotifyScope();
    NotifyScope(const NotifyScope&) = delete;
    NotifyScope& operator=(const NotifyScope&) = delete;
    // Whether a notification of this thread is running.
    static bool IsActive();
};

// Runs `deleter` now, or after the thread's notifications have returned.
void DeleteWhenIdle(std::function<void()> deleter);

template <class T>
void DeleteObjectWhenIdle(T* object)
{
    if (object != nullptr)
        DeleteWhenIdle([object] { delete object; });
}

// Runs every queued deletion of this thread now (also called by the posted message).
void FlushDeferredDeletes();
// Number of deletions queued on this thread.
int PendingDeferredDeletes();

} // namespace nyraclient
