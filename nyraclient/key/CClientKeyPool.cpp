// The pool of bed keys.
#include "nyraclient/key/CClientKeyPool.h"

#include <algorithm>
#include <new>

CClientKeyPool::~CClientKeyPool() { Free(); }

int CClientKeyPool::Init(int n)
{
    Free();
    if (n <= 0)
        return 1;
    try {
        m_entries.resize(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        Free();
        return 0;
    }
    for (int i = 0; i < n; ++i)
        m_entries[static_cast<std::size_t>(i)].key = i + 1;
    return 1;
}

int CClientKeyPool::Alloc(int& key, const void* holder)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.used == 0; });
    if (it == m_entries.end())
        return 0;
    it->used = 1;
    it->holder = holder;
    key = it->key;
    return 1;
}

void CClientKeyPool::Release(int key, const void* holder)
{
    if (!IsValidKey(key))
        return;
    Entry& entry = m_entries[static_cast<std::size_t>(key - 1)];
    if (entry.used == 0 || entry.holder != holder)
        return;
    entry.used = 0;
    entry.holder = nullptr;
}

BOOL CClientKeyPool::IsValidKey(int key) const
{
    return key >= 1 && key <= static_cast<int>(m_entries.size()) ? TRUE : FALSE;
}

int CClientKeyPool::GetUsedCount() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.used != 0; }));
}

int CClientKeyPool::GetFreeCount() const { return static_cast<int>(m_entries.size()) - GetUsedCount(); }

void CClientKeyPool::Free()
{
    m_entries.clear();
    m_entries.shrink_to_fit();
}
