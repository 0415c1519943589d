// The archive reader: the end record, the central directory and inflating the entries.
#include "ktutilex/zip/CZipReader.h"

#include "ktutilex/zip/ZipRecords.h"

#include <algorithm>
#include <cstring>

using namespace ktutilex::zip;

CZipReader::~CZipReader() { EndStream(); }

// ==== the archive =================================================================================

void CZipReader::Open(LPCTSTR path)
{
    Close();
    CFileException error;
    if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error))
        throw new CFileException(error);
    m_nFileLength = m_file.GetLength();
    FindEndRecord();
}

void CZipReader::Close()
{
    EndStream();
    m_bEntryOpen = false;
    m_bPositioned = false;
    m_nEntries = 0;
    m_strComment.Empty();
    if (m_file.m_hFile != CFile::hFileNull)
        m_file.Close();
}

void CZipReader::ReadAt(ULONGLONG position, void* buffer, UINT size)
{
    if (position > m_nFileLength || size > m_nFileLength - position)
        ThrowError(ZIP_BADZIPFILE);
    m_file.Seek(static_cast<LONGLONG>(position), CFile::begin);
    if (m_file.Read(buffer, size) != size)
        ThrowError(ZIP_BADZIPFILE);
}

// The end record is the last "PK\5\6" of the file that leaves room for the record itself; it
// stands at most a record and the longest comment from the end.
void CZipReader::FindEndRecord()
{
    const ULONGLONG span = std::min<ULONGLONG>(m_nFileLength, endrecord::kSize + kMaxFieldLength);
    if (span < endrecord::kSize)
        ThrowError(ZIP_BADZIPFILE);
    std::vector<BYTE> tail(static_cast<std::size_t>(span));
    const ULONGLONG tailStart = m_nFileLength - span;
    ReadAt(tailStart, tail.data(), static_cast<UINT>(span));

    std::size_t at = tail.size() - endrecord::kSize + 1;
    bool found = false;
    while (at-- > 0) {
        if (GetU32(tail.data() + at) == endrecord::kSignature) {
            found = true;
            break;
        }
    }
    if (!found)
        ThrowError(ZIP_BADZIPFILE);

    const BYTE* end = tail.data() + at;
    const ULONGLONG endPos = tailStart + at;
    const UINT entriesOnDisk = GetU16(end + endrecord::kEntriesOnDiskAt);
    const UINT entriesTotal = GetU16(end + endrecord::kEntriesTotalAt);
    const ULONGLONG directorySize = GetU32(end + endrecord::kDirectorySizeAt);
    const ULONGLONG directoryOffset = GetU32(end + endrecord::kDirectoryOffsetAt);
    const std::size_t commentLength = GetU16(end + endrecord::kCommentLengthAt);
    if (GetU16(end + endrecord::kThisDiskAt) != 0 || GetU16(end + endrecord::kDirectoryDiskAt) != 0 ||
        entriesOnDisk != entriesTotal || endPos < directoryOffset + directorySize)
        ThrowError(ZIP_BADZIPFILE);

    m_nBytesBefore = endPos - (directoryOffset + directorySize);
    m_nDirectoryStart = directoryOffset + m_nBytesBefore;
    m_nDirectoryEnd = endPos;
    m_nEntries = entriesTotal;
    const std::size_t commentRoom = tail.size() - at - endrecord::kSize;
    m_strComment = CString(reinterpret_cast<const char*>(end + endrecord::kSize),
                           static_cast<int>(std::min(commentLength, commentRoom)));
}

// ==== the directory ===============================================================================

bool CZipReader::GoToFirstFile()
{
    if (m_file.m_hFile == CFile::hFileNull || m_nEntries == 0)
        return false;
    if (m_bEntryOpen)
        CloseCurrentFile();
    m_nIndex = 0;
    m_nEntryPos = m_nDirectoryStart;
    m_bPositioned = true;
    CZipEntryInfo info;
    ReadCentralHeader(info, nullptr);
    return true;
}

bool CZipReader::GoToNextFile()
{
    if (!m_bPositioned || m_nIndex + 1 >= m_nEntries)
        return false;
    if (m_bEntryOpen)
        CloseCurrentFile();
    ++m_nIndex;
    m_nEntryPos = m_nNextPos;
    CZipEntryInfo info;
    ReadCentralHeader(info, nullptr);
    return true;
}

void CZipReader::GetCurrentFileInfo(CZipEntryInfo& info, CString* name)
{
    if (!m_bPositioned)
        ThrowError(ZIP_PARAMERROR);
    ReadCentralHeader(info, name);
}

void CZipReader::ReadCentralHeader(CZipEntryInfo& info, CString* name)
{
    if (m_nEntryPos + central::kSize > m_nDirectoryEnd)
        ThrowError(ZIP_BADZIPFILE);
    BYTE c[central::kSize];
    ReadAt(m_nEntryPos, c, sizeof c);
    if (GetU32(c + central::kSignatureAt) != central::kSignature)
        ThrowError(ZIP_BADZIPFILE);
    info.versionMadeBy = GetU16(c + central::kVersionMadeByAt);
    info.versionNeeded = GetU16(c + central::kVersionNeededAt);
    info.flags = GetU16(c + central::kFlagsAt);
    info.method = GetU16(c + central::kMethodAt);
    info.dosDateTime = GetU32(c + central::kDosTimeAt);
    info.crc = GetU32(c + central::kCrcAt);
    info.compressedSize = GetU32(c + central::kCompressedAt);
    info.uncompressedSize = GetU32(c + central::kUncompressedAt);
    info.nameLength = GetU16(c + central::kNameLengthAt);
    info.extraLength = GetU16(c + central::kExtraLengthAt);
    info.commentLength = GetU16(c + central::kCommentLengthAt);
    info.diskStart = GetU16(c + central::kDiskStartAt);
    info.internalAttributes = GetU16(c + central::kInternalAttrAt);
    info.externalAttributes = GetU32(c + central::kExternalAttrAt);
    info.localHeaderOffset = GetU32(c + central::kLocalOffsetAt);

    m_nNextPos = m_nEntryPos + central::kSize + info.nameLength + info.extraLength + info.commentLength;
    if (m_nNextPos > m_nDirectoryEnd)
        ThrowError(ZIP_BADZIPFILE);
    if (name != nullptr) {
        std::vector<char> text(info.nameLength + 1u, '\0');
        ReadAt(m_nEntryPos + central::kSize, text.data(), info.nameLength);
        // A NUL inside a name ends it, as it would for any C caller.
        if (!ReadUnicodePath(info, text, *name))
            *name = CString(text.data());
    }
}

bool CZipReader::ReadUnicodePath(const CZipEntryInfo& info, const std::vector<char>& nameField, CString& name)
{
    if (info.extraLength == 0)
        return false;
    std::vector<BYTE> extra(info.extraLength);
    ReadAt(m_nEntryPos + central::kSize + info.nameLength, extra.data(), info.extraLength);
    const std::uint32_t nameCrc = static_cast<std::uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(nameField.data()), info.nameLength));
    // Fields of id and length, each followed by its data; a length past the end ends the walk.
    for (std::size_t at = 0; at + kExtraHeaderSize <= extra.size();) {
        const std::uint16_t id = GetU16(extra.data() + at);
        const std::size_t length = GetU16(extra.data() + at + 2);
        const BYTE* data = extra.data() + at + kExtraHeaderSize;
        at += kExtraHeaderSize + length;
        if (at > extra.size())
            break;
        if (id != kUnicodePathId || length <= kUnicodePathHeadSize || data[0] != kUnicodePathVersion ||
            GetU32(data + 1) != nameCrc)
            continue;
        const std::string text(reinterpret_cast<const char*>(data + kUnicodePathHeadSize), length - kUnicodePathHeadSize);
        name = CString(text.c_str());
        return true;
    }
    return false;
}

// ==== entries =====================================================================================

void CZipReader::OpenCurrentFile()
{
    if (!m_bPositioned)
        ThrowError(ZIP_PARAMERROR);
    if (m_bEntryOpen)
        CloseCurrentFile();
    ReadCentralHeader(m_entry, nullptr);

    const ULONGLONG headerPos = m_entry.localHeaderOffset + m_nBytesBefore;
    BYTE h[local::kSize];
    ReadAt(headerPos, h, sizeof h);
    const std::uint16_t method = GetU16(h + local::kMethodAt);
    const bool descriptor = (m_entry.flags & kFlagDataDescriptor) != 0;
    if (GetU32(h + local::kSignatureAt) != local::kSignature || method != m_entry.method ||
        (method != kMethodStored && method != kMethodDeflated) ||
        GetU16(h + local::kNameLengthAt) != m_entry.nameLength)
        ThrowError(ZIP_BADZIPFILE);
    if (!descriptor && (GetU32(h + local::kDosTimeAt) != m_entry.dosDateTime || GetU32(h + local::kCrcAt) != m_entry.crc ||
                        GetU32(h + local::kCompressedAt) != m_entry.compressedSize ||
                        GetU32(h + local::kUncompressedAt) != m_entry.uncompressedSize))
        ThrowError(ZIP_BADZIPFILE);
    if (method == kMethodStored && m_entry.compressedSize != m_entry.uncompressedSize)
        ThrowError(ZIP_BADZIPFILE);

    m_nReadPos = headerPos + local::kSize + m_entry.nameLength + GetU16(h + local::kExtraLengthAt);
    if (m_nReadPos > m_nFileLength || m_entry.compressedSize > m_nFileLength - m_nReadPos)
        ThrowError(ZIP_BADZIPFILE);
    m_nCompressedLeft = m_entry.compressedSize;
    m_nUncompressedLeft = m_entry.uncompressedSize;
    m_nCrc = static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0));
    if (method == kMethodDeflated) {
        m_stream = z_stream {};
        PrepareStream(m_stream);
        CheckForError(inflateInit2(&m_stream, -MAX_WBITS));
        m_bStreamOpen = true;
    }
    m_bEntryOpen = true;
}

void CZipReader::RefillInput()
{
    const UINT size = static_cast<UINT>(std::min<ULONGLONG>(kInputSize, m_nCompressedLeft));
    ReadAt(m_nReadPos, m_input.data(), size);
    m_nReadPos += size;
    m_nCompressedLeft -= size;
    m_stream.next_in = m_input.data();
    m_stream.avail_in = size;
}

UINT CZipReader::ReadCurrentFile(void* buffer, UINT size)
{
    if (!m_bEntryOpen || (buffer == nullptr && size != 0))
        ThrowError(ZIP_PARAMERROR);
    const UINT wanted = static_cast<UINT>(std::min<ULONGLONG>(size, m_nUncompressedLeft));
    if (wanted == 0)
        return 0;

    UINT produced = 0;
    if (m_entry.method == kMethodStored) {
        ReadAt(m_nReadPos, buffer, wanted);
        m_nReadPos += wanted;
        m_nCompressedLeft -= wanted;
        produced = wanted;
    } else {
        m_stream.next_out = static_cast<Bytef*>(buffer);
        m_stream.avail_out = wanted;
        while (m_stream.avail_out != 0) {
            if (m_stream.avail_in == 0) {
                // The data ran out before the stream ended: the entry is cut short.
                if (m_nCompressedLeft == 0)
                    ThrowError(ZIP_BADZIPFILE);
                RefillInput();
            }
            const int result = inflate(&m_stream, Z_SYNC_FLUSH);
            if (result == Z_STREAM_END)
                break;
            CheckForError(result);
        }
        produced = wanted - m_stream.avail_out;
    }
    m_nCrc = static_cast<std::uint32_t>(crc32(m_nCrc, static_cast<const Bytef*>(buffer), produced));
    m_nUncompressedLeft -= produced;
    // A stream that ends before the entry's stated size is as broken as one that is cut short.
    if (produced < wanted)
        ThrowError(ZIP_BADZIPFILE);
    return produced;
}

void CZipReader::CloseCurrentFile()
{
    if (!m_bEntryOpen)
        return;
    m_bEntryOpen = false;
    const bool complete = m_nUncompressedLeft == 0;
    EndStream();
    if (complete && m_nCrc != m_entry.crc)
        ThrowError(ZIP_CRCERROR);
}

void CZipReader::EndStream()
{
    if (m_bStreamOpen) {
        inflateEnd(&m_stream);
        m_bStreamOpen = false;
    }
}
