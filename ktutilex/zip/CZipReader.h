// CZipReader: reads a zip archive's directory and inflates its entries.
//
// Everything the archive says is checked before it is used: the end record must be found and
// consistent, every header must lie inside the file and carry its signature, a local header
// must agree with its central one, and an entry must inflate to exactly its stated size with
// its stated CRC. Anything else raises CZipException (ZIP_BADZIPFILE, ZIP_CRCERROR or zlib's
// error); errors of the file itself raise CFileException.
//
// An entry's name is its Unicode path extra field (Info-ZIP's, UTF-8) when it has one made for
// its name field (the field's CRC matches), else the name field as it stands.
#pragma once

#include "ktutilex/zip/CZipEntryInfo.h"
#include "ktutilex/zip/CZipFileBase.h"

#include <vector>

class CZipReader : public CZipFileBase
{
public:
    CZipReader() = default;
    ~CZipReader() override;

    // Opens the archive for reading (others may not write it meanwhile) and reads its end record.
    void Open(LPCTSTR path);
    void Close();

    UINT GetEntryCount() const { return m_nEntries; }
    // The archive's comment.
    const CString& GetGlobalComment() const { return m_strComment; }

    // Moves to the first / next entry; false when there is none.
    bool GoToFirstFile();
    bool GoToNextFile();
    // The current entry's header and (when asked) its name.
    void GetCurrentFileInfo(CZipEntryInfo& info, CString* name = nullptr);

    void OpenCurrentFile();
    // Reads up to `size` bytes of the open entry; fewer only at its end.
    UINT ReadCurrentFile(void* buffer, UINT size);
    // Checks the CRC when the whole entry was read, and ends the entry.
    void CloseCurrentFile();

private:
    void FindEndRecord();
    void ReadCentralHeader(CZipEntryInfo& info, CString* name);
    // The name the central header's extra field gives for the name field, or false.
    bool ReadUnicodePath(const CZipEntryInfo& info, const std::vector<char>& nameField, CString& name);
    void ReadAt(ULONGLONG position, void* buffer, UINT size);
    void RefillInput();
    void EndStream();

    static constexpr UINT kInputSize = 16384;

    ULONGLONG m_nFileLength { 0 };
    ULONGLONG m_nBytesBefore { 0 };     // bytes in front of the archive (a self-extractor stub)
    ULONGLONG m_nDirectoryStart { 0 };
    ULONGLONG m_nDirectoryEnd { 0 };
    UINT m_nEntries { 0 };
    CString m_strComment;

    bool m_bPositioned { false };
    UINT m_nIndex { 0 };
    ULONGLONG m_nEntryPos { 0 };        // of the current central header
    ULONGLONG m_nNextPos { 0 };         // of the next central header

    // The open entry.
    bool m_bEntryOpen { false };
    CZipEntryInfo m_entry;
    ULONGLONG m_nReadPos { 0 };         // next compressed byte in the file
    ULONGLONG m_nCompressedLeft { 0 };
    ULONGLONG m_nUncompressedLeft { 0 };
    std::uint32_t m_nCrc { 0 };
    z_stream m_stream {};
    bool m_bStreamOpen { false };
    std::vector<BYTE> m_input = std::vector<BYTE>(kInputSize);
};
