// CSmartBuffer: a reference-counted copy of a packet or a wave snapshot, handed from the
// receiving thread to a worker thread's queue. The producer creates it holding one reference,
// the consumer releases its reference, and the last release frees the block (and, for an
// auto-delete buffer, the buffer object too).
//
// The counts are atomic, so a buffer may be released from any thread; the buffer is not
// copyable, so exactly one object owns each block. The ownership flag with its ticket lets one
// party mark the buffer as taken and only the ticket holder clear it; it is not a lock.
#pragma once

#include "platform/core/Types.h"

#include <atomic>

class CSmartBuffer
{
public:
    CSmartBuffer() = default;
    CSmartBuffer(const CSmartBuffer&) = delete;
    CSmartBuffer& operator=(const CSmartBuffer&) = delete;
    // Frees the block only; never deletes the object a second time.
    virtual ~CSmartBuffer();

    // A new buffer holding a copy of `size` bytes of `src` and `refs` references; null for
    // size 0, a size beyond 32 bits or when memory runs out (nothing is left allocated).
    static CSmartBuffer* CreateBuffer(const void* src, unsigned long size, unsigned int refs, int autoDelete);
    // The same with an uninitialised block.
    static CSmartBuffer* CreateBuffer(unsigned long size, unsigned int refs, int autoDelete);

    void AddRef(unsigned int n);
    // Releases n references. A release of more references than are held, or on a buffer
    // without a block, does nothing. The release that reaches 0 frees the block and, with the
    // auto-delete flag, the object: the caller must not touch it afterwards.
    void RemoveRef(unsigned int n);
    // Frees the block now, whatever the count; with the auto-delete flag also the object.
    void Free();

    void* GetBuffer() const { return m_data; }
    unsigned long GetSize() const { return m_size; }
    unsigned int GetRefCount() const { return m_refs.load(std::memory_order_acquire); }
    int IsAvailable() const { return m_data != nullptr ? 1 : 0; }

    // 0 when already taken; otherwise takes the flag, hands out a new nonzero ticket, 1.
    int EnterCriticalSection(unsigned long& ticket);
    // 1 and the flag cleared when `ticket` is the one handed out; otherwise 0, nothing changes.
    int ExitCriticalSection(unsigned long ticket);

private:
    void ReleaseBlock();

    void* m_data { nullptr };
    DWORD m_size { 0 };
    std::atomic<DWORD> m_refs { 0 };
    int m_autoDelete { 0 };
    std::atomic<int> m_owned { 0 };
    std::atomic<DWORD> m_ticket { 0 };
};
