// SmartBufferQueue: a locked queue of CSmartBuffer blocks between two threads, oldest first,
// that holds at most `limit` blocks: a full queue drops its oldest block whole. The queue holds
// one reference of each block it holds; Pop hands that reference to the caller, who releases it
// (RemoveRef (1)); what is left is released when the queue goes.
#pragma once

#include "nrdata/buffer/CSmartBuffer.h"

#include <cstddef>
#include <deque>
#include <mutex>

namespace nyraclient {

class SmartBufferQueue
{
public:
    explicit SmartBufferQueue(std::size_t limit) : m_limit(limit) {}
    ~SmartBufferQueue() { Clear(); }
    SmartBufferQueue(const SmartBufferQueue&) = delete;
    SmartBufferQueue& operator=(const SmartBufferQueue&) = delete;

    // Queues a copy of the bytes; false when no copy could be made. `wasEmpty` (when given)
    // tells whether the queue was empty before, under the same lock.
    bool PushCopy(const void* data, std::size_t len, bool* wasEmpty = nullptr)
    {
        CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(data, static_cast<unsigned long>(len), 1, 1);
        if (buffer == nullptr)
            return false;
        CSmartBuffer* dropped = nullptr;
        {
            std::lock_guard lock(m_lock);
            if (wasEmpty != nullptr)
                *wasEmpty = m_queue.empty();
            if (m_queue.size() >= m_limit) {
                dropped = m_queue.front();
                m_queue.pop_front();
            }
            m_queue.push_back(buffer);
        }
        if (dropped != nullptr)
            dropped->RemoveRef(1);
        return true;
    }

    // The oldest block (the caller releases it), or null.
    CSmartBuffer* Pop()
    {
        std::lock_guard lock(m_lock);
        if (m_queue.empty())
            return nullptr;
        CSmartBuffer* buffer = m_queue.front();
        m_queue.pop_front();
        return buffer;
    }

    std::size_t Size() const
    {
        std::lock_guard lock(m_lock);
        return m_queue.size();
    }

    void Clear()
    {
        std::deque<CSmartBuffer*> left;
        {
            std::lock_guard lock(m_lock);
            left.swap(m_queue);
        }
        for (CSmartBuffer* buffer : left)
            buffer->RemoveRef(1);
    }

private:
    const std::size_t m_limit;
    mutable std::mutex m_lock;
    std::deque<CSmartBuffer*> m_queue;
};

} // namespace nyraclient
