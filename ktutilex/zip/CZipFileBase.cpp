// The zip layer's shared part: zlib's memory and results.
#include "ktutilex/zip/CZipFileBase.h"

#include <cstdlib>
#include <limits>

CZipFileBase::~CZipFileBase()
{
    for (void* block : m_blocks)
        std::free(block);
}

void CZipFileBase::PrepareStream(z_stream& stream)
{
    stream.zalloc = m_bDetectZlibMemoryLeaks ? &CZipFileBase::Alloc : Z_NULL;
    stream.zfree = m_bDetectZlibMemoryLeaks ? &CZipFileBase::Free : Z_NULL;
    stream.opaque = m_bDetectZlibMemoryLeaks ? static_cast<voidpf>(this) : Z_NULL;
}

voidpf CZipFileBase::Alloc(voidpf opaque, uInt items, uInt size)
{
    if (size != 0 && items > std::numeric_limits<std::size_t>::max() / size)
        return Z_NULL;
    void* block = std::malloc(static_cast<std::size_t>(items) * size);
    if (block == nullptr)
        return Z_NULL;
    static_cast<CZipFileBase*>(opaque)->m_blocks.insert(block);
    return block;
}

void CZipFileBase::Free(voidpf opaque, voidpf address)
{
    auto& blocks = static_cast<CZipFileBase*>(opaque)->m_blocks;
    // A block this object never handed out is not freed here: zlib frees only what it got.
    if (blocks.erase(address) != 0)
        std::free(address);
}

void CZipFileBase::CheckForError(int zlibResult)
{
    if (zlibResult == Z_OK || zlibResult == Z_NEED_DICT)
        return;
    ThrowError(zlibResult);
}

void CZipFileBase::ThrowError(int zipError) { CZipException::Throw(zipError, ArchivePath()); }

CString CZipFileBase::ArchivePath() const
{
    return m_file.m_hFile != CFile::hFileNull ? m_file.GetFilePath() : CString();
}
