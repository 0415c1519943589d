// KTMem: allocation, locks and checked copies.
#include "ktutil/KTMem.h"

#include <cstring>
#include <new>

void KTMem::Clear()
{
    m_block.reset();
    m_nSize = 0;
    m_bLockForLife = FALSE;
    m_pLocked = nullptr;
    m_nLockCount = 0;
}

int KTMem::Free(BOOL force)
{
    if (!IsAvailable())
        return 1;
    if (force || m_bLockForLife)
        m_nLockCount = 0;
    else if (m_nLockCount > 0)
        --m_nLockCount;
    if (m_nLockCount > 0)
        return 0;
    Clear();
    return 1;
}

int KTMem::Alloc(int size, BOOL lockForLife)
{
    Free(TRUE);
    if (size <= 0)
        return 0;
    m_block.reset(new (std::nothrow) BYTE[static_cast<size_t>(size)]());
    if (!m_block)
        return 0;
    m_nSize = size;
    if (lockForLife) {
        m_bLockForLife = TRUE;
        m_pLocked = m_block.get();
        m_nLockCount = 1;
    }
    return 1;
}

int KTMem::Copy(const KTMem& other)
{
    if (!other.IsAvailable() || &other == this)
        return 0;
    if (!Alloc(other.m_nSize, other.m_bLockForLife))
        return 0;
    std::memcpy(m_block.get(), other.m_block.get(), static_cast<size_t>(m_nSize));
    return 1;
}

int KTMem::Snatch(KTMem& other)
{
    if (!other.IsAvailable() || &other == this)
        return 0;
    Free(TRUE);
    m_block = std::move(other.m_block);
    m_nSize = other.m_nSize;
    m_bLockForLife = other.m_bLockForLife;
    m_pLocked = other.m_pLocked;
    m_nLockCount = other.m_nLockCount;
    other.Clear();
    return 1;
}

// ---- locks ----------------------------------------------------------------------------------------

void* KTMem::Lock()
{
    if (!IsAvailable())
        return nullptr;
    if (!m_bLockForLife) {
        ++m_nLockCount;
        m_pLocked = m_block.get();
    }
    return m_pLocked;
}

int KTMem::Unlock()
{
    if (m_bLockForLife)
        return 0;
    if (m_nLockCount > 0 && --m_nLockCount == 0)
        m_pLocked = nullptr;
    return m_nLockCount;
}

void KTMem::UnlockAll()
{
    while (!m_bLockForLife && m_nLockCount > 0)
        Unlock();
}

// ---- contents ----------------------------------------------------------------------------------------

int KTMem::Fill(BYTE value)
{
    if (!IsAvailable())
        return 0;
    std::memset(m_block.get(), value, static_cast<size_t>(m_nSize));
    return 1;
}

bool KTMem::Fits(int offset, const void* data, int size) const
{
    if (!IsAvailable() || offset < 0 || size < 0 || (size > 0 && !data))
        return false;
    return static_cast<long long>(offset) + size <= m_nSize;
}

int KTMem::Write(int offset, const void* data, int size)
{
    if (!Fits(offset, data, size))
        return 0;
    if (size > 0)
        std::memcpy(m_block.get() + offset, data, static_cast<size_t>(size));
    return 1;
}

int KTMem::Read(int offset, void* buffer, int size) const
{
    if (!Fits(offset, buffer, size))
        return 0;
    if (size > 0)
        std::memcpy(buffer, m_block.get() + offset, static_cast<size_t>(size));
    return 1;
}
