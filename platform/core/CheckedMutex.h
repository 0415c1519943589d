// A plain mutex that knows which thread holds it, so that a function whose rule is "called with
// the lock held" can check it (WARD_CHECK(lock.IsHeldByThisThread())). Not re-entrant, like
// std::mutex; usable with std::lock_guard and std::unique_lock.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

namespace platform {

class CheckedMutex
{
public:
    void lock()
    {
        m_mutex.lock();
        m_holder.store(std::this_thread::get_id(), std::memory_order_relaxed);
    }
    bool try_lock()
    {
        if (!m_mutex.try_lock())
            return false;
        m_holder.store(std::this_thread::get_id(), std::memory_order_relaxed);
        return true;
    }
    void unlock()
    {
        m_holder.store(std::thread::id(), std::memory_order_relaxed);
        m_mutex.unlock();
    }
    // Only the holder itself can see its own id here, so a relaxed read answers exactly for the
    // calling thread.
    bool IsHeldByThisThread() const { return m_holder.load(std::memory_order_relaxed) == std::this_thread::get_id(); }

private:
    std::mutex m_mutex;
    std::atomic<std::thread::id> m_holder {};
};

} // namespace platform
