// CZipWriter: writes a zip archive entry by entry, deflating each entry's data as it comes.
//
// The local header is written when an entry opens and patched with CRC and sizes when it
// closes; the central directory is kept in memory and written when the archive closes. Memory
// does not grow with the data, only with the directory.
//
// Names are UTF-8. A name beyond ASCII is flagged as UTF-8 and also carried in Info-ZIP's
// Unicode path extra field (after the caller's extra fields, local and central), which
// Info-ZIP's unzip honours where it ignores the flag of an archive made on MS-DOS.
//
// Raises CZipException (ZIP_PARAMERROR for a method other than deflate or level 0,
// ZIP_TOOLARGE when a size, offset or the entry count would not fit the classic format, zlib's
// errors) and CFileException for errors of the archive file.
#pragma once

#include "ktutilex/zip/CZipEntryInfo.h"
#include "ktutilex/zip/CZipFileBase.h"

#include <vector>

class CZipWriter : public CZipFileBase
{
public:
    CZipWriter() = default;
    ~CZipWriter() override;

    // Creates the archive (others may not write it meanwhile); with append, opens an existing
    // file without emptying it and writes after its end.
    void Open(LPCTSTR path, bool append = false);
    // Opens a new entry. An entry still open is closed first; an empty name becomes "-".
    void OpenNewFile(LPCTSTR name, const CZipFileTimeAttr& info, int level = Z_DEFAULT_COMPRESSION,
                     LPCTSTR comment = nullptr, const void* localExtra = nullptr, UINT localExtraLength = 0,
                     const void* globalExtra = nullptr, UINT globalExtraLength = 0, int method = Z_DEFLATED);
    void WriteNewFile(const void* data, UINT size);
    void CloseNewFile();
    // Closes an open entry, writes the directory and the end record with the comment, and closes
    // the file.
    void Close(LPCTSTR comment = nullptr);
    // Closes the file without writing anything more (the archive is then incomplete).
    void Abort();

    bool IsOpen() const { return m_file.m_hFile != CFile::hFileNull; }
    UINT GetEntryCount() const { return m_nEntries; }

private:
    void FlushOutput();
    void CheckFits(ULONGLONG value);

    static constexpr UINT kOutputSize = 16384;

    z_stream m_stream {};
    bool m_bStreamOpen { false };
    bool m_bEntryOpen { false };
    UINT m_nEntries { 0 };
    ULONGLONG m_nLocalOffset { 0 };      // of the open entry's local header
    ULONGLONG m_nUncompressed { 0 };     // of the open entry
    ULONGLONG m_nCompressed { 0 };
    std::uint32_t m_nCrc { 0 };
    std::vector<BYTE> m_entryHeader;     // the open entry's central header, name, extra, comment
    std::vector<BYTE> m_directory;       // the central headers of the closed entries
    std::vector<BYTE> m_output = std::vector<BYTE>(kOutputSize);
};
