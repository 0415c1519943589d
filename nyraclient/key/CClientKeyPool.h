// CClientKeyPool: the small keys (1 to n) that the client manager gives its beds. A bed's key
// is the number the run log shows, the key byte of its packets and a demo bed's monitor number.
// Allocation always gives the lowest free key, so a key that comes back is given out next.
//
// A key goes back to the pool only through the holder it was given to: the manager names the
// bed as the holder when it allocates and when it releases. A bed that brought its own key
// (one the pool never gave it) can therefore never free a key that another bed holds, which
// would give two beds the same key. Callers that name no holder (null) allocate and release
// as one anonymous holder.
#pragma once

#include "platform/core/Types.h"

#include <vector>

class CClientKeyPool
{
public:
    CClientKeyPool() = default;
    CClientKeyPool(const CClientKeyPool&) = delete;
    CClientKeyPool& operator=(const CClientKeyPool&) = delete;
    virtual ~CClientKeyPool();

    // Drops the old entries and makes n free keys 1 to n (none for n <= 0). 1, or 0 when
    // memory runs out (the pool is then empty).
    int Init(int n);
    // Takes the lowest free key for `holder`: 1 with the key stored in `key`, or 0 when every key
    // is in use (`key` unchanged).
    int Alloc(int& key, const void* holder = nullptr);
    // Frees `key` when it is a valid key given to `holder`; any other key changes nothing.
    void Release(int key, const void* holder = nullptr);
    // 1 exactly when 1 <= key <= n.
    BOOL IsValidKey(int key) const;
    int GetUsedCount() const;
    int GetFreeCount() const;
    // Deletes the entries; n becomes 0.
    void Free();

private:
    struct Entry
    {
        int used { 0 };
        int key { 0 };
        const void* holder { nullptr };
    };

    std::vector<Entry> m_entries;
};
