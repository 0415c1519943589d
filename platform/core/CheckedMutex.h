// Mutexes that know which thread holds them, so that a function whose rule is "called with the
// lock held" can check it (WARD_CHECK(lock.IsHeldByThisThread())). CheckedMutex is not
// re-entrant, like std::mutex; CheckedRecursiveMutex is, like std::recursive_mutex. Both work
// with std::lock_guard, std::unique_lock and std::lock.
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

class CheckedRecursiveMutex
{
public:
    void lock()
    {
        m_mutex.lock();
        Enter();
    }
    bool try_lock()
    {
        if (!m_mutex.try_lock())
            return false;
        Enter();
        return true;
    }
    void unlock()
    {
        if (--m_depth == 0)
            m_holder.store(std::thread::id(), std::memory_order_relaxed);
        m_mutex.unlock();
    }
    bool IsHeldByThisThread() const { return m_holder.load(std::memory_order_relaxed) == std::this_thread::get_id(); }

private:
    void Enter()
    {
        if (m_depth++ == 0)
            m_holder.store(std::this_thread::get_id(), std::memory_order_relaxed);
    }

    std::recursive_mutex m_mutex;
    std::atomic<std::thread::id> m_holder {};
    unsigned m_depth { 0 }; // touched by the holder only
};

} // namespace platform
