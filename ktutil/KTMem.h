// KTMem: a block of memory with lock counting, in the manner of the classic movable global
// blocks: a lock gives the block's address and counts; the block can be freed once every lock
// is released (or by force). A block may instead be locked for its whole life.
//
// Every read and write is checked against the block: an offset or size that does not fit is
// refused and nothing is copied.
#pragma once

#include "platform/core/Types.h"

#include <cstddef>
#include <memory>

class KTMem
{
public:
    KTMem() = default;
    KTMem(const KTMem&) = delete;
    KTMem& operator=(const KTMem&) = delete;
    virtual ~KTMem() { Free(TRUE); }

    // Frees the block (all locks); without locks left (or with force) 1, else 0 and it stays.
    virtual int Free(BOOL force = FALSE);
    // A new zero-filled block (the old one freed by force); with `lockForLife` locked at once
    // until Free. 0 when it cannot be had.
    virtual int Alloc(int size, BOOL lockForLife = FALSE);
    // A block of the other's size and lock mode with its bytes; 0 when the other has none.
    virtual int Copy(const KTMem& other);
    // Takes over the other's block; the other is left empty. 0 when the other has none.
    virtual int Snatch(KTMem& other);

    void* Lock();
    int Unlock();
    void UnlockAll();

    int Fill(BYTE value);
    int FillZero() { return Fill(0); }
    // 1 when the bytes fit the block at the offset, else 0 and nothing is copied.
    int Write(int offset, const void* data, int size);
    int Write(const void* data, int size) { return Write(0, data, size); }
    int Read(int offset, void* buffer, int size) const;
    int Read(void* buffer, int size) const { return Read(0, buffer, size); }

    BOOL IsAvailable() const { return m_block != nullptr; }
    int GetSize() const { return m_nSize; }
    int GetLockCount() const { return m_nLockCount; }

private:
    bool Fits(int offset, const void* data, int size) const;
    void Clear();

    std::unique_ptr<BYTE[]> m_block;
    int m_nSize { 0 };
    BOOL m_bLockForLife { FALSE };
    void* m_pLocked { nullptr };
    int m_nLockCount { 0 };
};
