// CZipFileBase: what the archive writer and reader share: the archive file, the routing of
// zlib's memory through the object, and the check of zlib's results.
//
// Every block zlib allocates for a stream of this object is recorded and removed again when
// zlib frees it; blocks still recorded when the object is destroyed are freed then, so an
// exception in the middle of a stream leaks nothing.
#pragma once

#include "ktutilex/zip/CZipException.h"

#include "platform/core/File.h"

#include <zlib.h>

#include <unordered_set>

class CZipFileBase
{
public:
    CZipFileBase() = default;
    virtual ~CZipFileBase();
    CZipFileBase(const CZipFileBase&) = delete;
    CZipFileBase& operator=(const CZipFileBase&) = delete;

    // Routes zlib's memory through the object (the default).
    bool m_bDetectZlibMemoryLeaks { true };
    CFile m_file;

protected:
    // Prepares a stream's allocator fields before deflateInit2 / inflateInit2.
    void PrepareStream(z_stream& stream);
    // Z_OK passes (and Z_NEED_DICT, which a raw stream never asks for); every other result of a
    // zlib call raises.
    void CheckForError(int zlibResult);
    [[noreturn]] void ThrowError(int zipError);
    // The path of the open archive, for the exception; empty when none is open.
    CString ArchivePath() const;

private:
    static voidpf Alloc(voidpf opaque, uInt items, uInt size);
    static void Free(voidpf opaque, voidpf address);

    std::unordered_set<void*> m_blocks;
};
