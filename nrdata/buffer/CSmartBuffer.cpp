// CSmartBuffer: creation, reference counting and the ownership ticket.
#include "nrdata/buffer/CSmartBuffer.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

CSmartBuffer::~CSmartBuffer()
{
    ReleaseBlock();
}

CSmartBuffer* CSmartBuffer::CreateBuffer(unsigned long size, unsigned int refs, int autoDelete)
{
    if (size == 0 || size > std::numeric_limits<DWORD>::max())
        return nullptr;
    void* block = std::malloc(size);
    if (block == nullptr)
        return nullptr;
    CSmartBuffer* buffer = new (std::nothrow) CSmartBuffer;
    if (buffer == nullptr) {
        std::free(block);
        return nullptr;
    }
    buffer->m_data = block;
    buffer->m_size = static_cast<DWORD>(size);
    buffer->m_autoDelete = autoDelete;
    buffer->AddRef(refs);
    return buffer;
}

CSmartBuffer* CSmartBuffer::CreateBuffer(const void* src, unsigned long size, unsigned int refs, int autoDelete)
{
    if (src == nullptr)
        return nullptr;
    CSmartBuffer* buffer = CreateBuffer(size, refs, autoDelete);
    if (buffer != nullptr)
        std::memcpy(buffer->m_data, src, size);
    return buffer;
}

void CSmartBuffer::AddRef(unsigned int n)
{
    m_refs.fetch_add(n, std::memory_order_relaxed);
}

void CSmartBuffer::RemoveRef(unsigned int n)
{
    // The caller holds a reference, so the block cannot vanish under this read; the exchange
    // orders every holder's use of the bytes before the release that frees them.
    if (m_data == nullptr)
        return;
    DWORD count = m_refs.load(std::memory_order_relaxed);
    do {
        if (n > count)
            return;
    } while (!m_refs.compare_exchange_weak(count, count - n, std::memory_order_acq_rel, std::memory_order_relaxed));
    if (count - n != 0)
        return;
    ReleaseBlock();
    if (m_autoDelete) {
        m_autoDelete = 0;
        delete this;
    }
}

void CSmartBuffer::Free()
{
    if (m_data != nullptr) {
        ReleaseBlock();
        m_refs.store(0, std::memory_order_release);
    }
    if (m_autoDelete) {
        m_autoDelete = 0;
        delete this;
    }
}

void CSmartBuffer::ReleaseBlock()
{
    std::free(m_data);
    m_data = nullptr;
    m_size = 0;
}

int CSmartBuffer::EnterCriticalSection(unsigned long& ticket)
{
    int expected = 0;
    if (!m_owned.compare_exchange_strong(expected, 1, std::memory_order_acquire))
        return 0;
    // Ticket 0 means "free", so a drawn 0 is drawn again.
    DWORD drawn = 0;
    while (drawn == 0)
        drawn = static_cast<DWORD>(std::rand());
    m_ticket.store(drawn, std::memory_order_relaxed);
    ticket = drawn;
    return 1;
}

int CSmartBuffer::ExitCriticalSection(unsigned long ticket)
{
    DWORD held = m_ticket.load(std::memory_order_relaxed);
    if (held == 0 || ticket != held)
        return 0;
    if (!m_ticket.compare_exchange_strong(held, 0, std::memory_order_relaxed))
        return 0;
    m_owned.store(0, std::memory_order_release);
    return 1;
}
