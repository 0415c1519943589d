// The archive writer: local headers, deflated data, the central directory and the end record.
#include "ktutilex/zip/CZipWriter.h"

#include "ktutilex/zip/ZipRecords.h"

#include <cstring>
#include <string_view>

using namespace ktutilex::zip;

namespace {

bool IsAscii(std::string_view name)
{
    for (unsigned char ch : name)
        if (ch >= 0x80)
            return false;
    return true;
}

std::uint16_t NameFlags(std::string_view name) { return IsAscii(name) ? 0 : kFlagUtf8Name; }

void Append(std::vector<BYTE>& to, const void* data, std::size_t size)
{
    if (size != 0)
        to.insert(to.end(), static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
}

// The caller's extra field, followed for a name beyond ASCII by the Unicode path field, so
// that every reader finds the name in UTF-8 (when the two still fit the 16-bit length).
std::vector<BYTE> ExtraWithUnicodePath(const void* extra, UINT length, std::string_view name)
{
    std::vector<BYTE> field;
    Append(field, extra, length);
    const std::size_t fieldSize = kExtraHeaderSize + kUnicodePathHeadSize + name.size();
    if (IsAscii(name) || length + fieldSize > kMaxFieldLength)
        return field;
    BYTE head[kExtraHeaderSize + kUnicodePathHeadSize];
    PutU16(head, kUnicodePathId);
    PutU16(head + 2, static_cast<std::uint32_t>(fieldSize - kExtraHeaderSize));
    head[4] = kUnicodePathVersion;
    PutU32(head + 5, static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(name.data()),
                                                      static_cast<uInt>(name.size()))));
    Append(field, head, sizeof head);
    Append(field, name.data(), name.size());
    return field;
}

} // namespace

CZipWriter::~CZipWriter()
{
    if (m_bStreamOpen)
        deflateEnd(&m_stream);
}

void CZipWriter::Open(LPCTSTR path, bool append)
{
    UINT flags = CFile::modeWrite | CFile::modeCreate | CFile::shareDenyWrite;
    if (append)
        flags |= CFile::modeNoTruncate;
    CFileException error;
    if (!m_file.Open(path, flags, &error))
        throw new CFileException(error);
    if (append)
        m_file.SeekToEnd();
    m_nEntries = 0;
    m_directory.clear();
}

void CZipWriter::CheckFits(ULONGLONG value)
{
    if (value > kMaxSize)
        ThrowError(ZIP_TOOLARGE);
}

void CZipWriter::OpenNewFile(LPCTSTR name, const CZipFileTimeAttr& info, int level, LPCTSTR comment,
                             const void* localExtra, UINT localExtraLength, const void* globalExtra,
                             UINT globalExtraLength, int method)
{
    if (method != Z_DEFLATED || level == 0)
        ThrowError(ZIP_PARAMERROR);
    if (m_bEntryOpen)
        CloseNewFile();

    const std::string_view entryName = (name && *name) ? std::string_view(name) : std::string_view("-");
    const std::string_view entryComment = comment ? std::string_view(comment) : std::string_view();
    if (entryName.size() > kMaxFieldLength || entryComment.size() > kMaxFieldLength ||
        localExtraLength > kMaxFieldLength || globalExtraLength > kMaxFieldLength ||
        (localExtraLength != 0 && localExtra == nullptr) || (globalExtraLength != 0 && globalExtra == nullptr))
        ThrowError(ZIP_PARAMERROR);
    if (m_nEntries >= kMaxEntries)
        ThrowError(ZIP_TOOLARGE);

    const std::vector<BYTE> localField = ExtraWithUnicodePath(localExtra, localExtraLength, entryName);
    const std::vector<BYTE> globalField = ExtraWithUnicodePath(globalExtra, globalExtraLength, entryName);

    m_nLocalOffset = m_file.GetPosition();
    CheckFits(m_nLocalOffset);
    const std::uint16_t flags = static_cast<std::uint16_t>(LevelFlags(level) | NameFlags(entryName));
    const std::uint32_t dosTime = DosDateTimeFromTime(info.time);

    BYTE header[local::kSize] {};
    PutU32(header + local::kSignatureAt, local::kSignature);
    PutU16(header + local::kVersionNeededAt, kVersionNeeded);
    PutU16(header + local::kFlagsAt, flags);
    PutU16(header + local::kMethodAt, static_cast<std::uint32_t>(method));
    PutU32(header + local::kDosTimeAt, dosTime);
    PutU16(header + local::kNameLengthAt, static_cast<std::uint32_t>(entryName.size()));
    PutU16(header + local::kExtraLengthAt, static_cast<std::uint32_t>(localField.size()));
    m_file.Write(header, sizeof header);
    m_file.Write(entryName.data(), static_cast<UINT>(entryName.size()));
    if (!localField.empty())
        m_file.Write(localField.data(), static_cast<UINT>(localField.size()));

    m_entryHeader.assign(central::kSize, 0);
    BYTE* c = m_entryHeader.data();
    PutU32(c + central::kSignatureAt, central::kSignature);
    PutU16(c + central::kVersionMadeByAt, kVersionMadeBy);
    PutU16(c + central::kVersionNeededAt, kVersionNeeded);
    PutU16(c + central::kFlagsAt, flags);
    PutU16(c + central::kMethodAt, static_cast<std::uint32_t>(method));
    PutU32(c + central::kDosTimeAt, dosTime);
    PutU16(c + central::kNameLengthAt, static_cast<std::uint32_t>(entryName.size()));
    PutU16(c + central::kExtraLengthAt, static_cast<std::uint32_t>(globalField.size()));
    PutU16(c + central::kCommentLengthAt, static_cast<std::uint32_t>(entryComment.size()));
    PutU32(c + central::kExternalAttrAt, info.attributes);
    PutU32(c + central::kLocalOffsetAt, static_cast<std::uint32_t>(m_nLocalOffset));
    Append(m_entryHeader, entryName.data(), entryName.size());
    Append(m_entryHeader, globalField.data(), globalField.size());
    Append(m_entryHeader, entryComment.data(), entryComment.size());

    m_stream = z_stream {};
    PrepareStream(m_stream);
    CheckForError(deflateInit2(&m_stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY));
    m_bStreamOpen = true;
    m_bEntryOpen = true;
    m_nUncompressed = 0;
    m_nCompressed = 0;
    m_nCrc = static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0));
    m_stream.next_out = m_output.data();
    m_stream.avail_out = kOutputSize;
}

void CZipWriter::FlushOutput()
{
    const UINT produced = kOutputSize - m_stream.avail_out;
    if (produced != 0) {
        m_nCompressed += produced;
        CheckFits(m_nCompressed);
        m_file.Write(m_output.data(), produced);
    }
    m_stream.next_out = m_output.data();
    m_stream.avail_out = kOutputSize;
}

void CZipWriter::WriteNewFile(const void* data, UINT size)
{
    if (!m_bEntryOpen || (data == nullptr && size != 0))
        ThrowError(ZIP_PARAMERROR);
    m_nUncompressed += size;
    CheckFits(m_nUncompressed);
    m_nCrc = static_cast<std::uint32_t>(crc32(m_nCrc, static_cast<const Bytef*>(data), size));
    m_stream.next_in = static_cast<Bytef*>(const_cast<void*>(data));
    m_stream.avail_in = size;
    while (m_stream.avail_in != 0) {
        if (m_stream.avail_out == 0)
            FlushOutput();
        CheckForError(deflate(&m_stream, Z_NO_FLUSH));
    }
}

void CZipWriter::CloseNewFile()
{
    if (!m_bEntryOpen)
        return;
    m_stream.avail_in = 0;
    for (;;) {
        if (m_stream.avail_out == 0)
            FlushOutput();
        const int result = deflate(&m_stream, Z_FINISH);
        if (result == Z_STREAM_END)
            break;
        CheckForError(result);
    }
    FlushOutput();
    m_bStreamOpen = false;
    CheckForError(deflateEnd(&m_stream));

    BYTE* c = m_entryHeader.data();
    PutU32(c + central::kCrcAt, m_nCrc);
    PutU32(c + central::kCompressedAt, static_cast<std::uint32_t>(m_nCompressed));
    PutU32(c + central::kUncompressedAt, static_cast<std::uint32_t>(m_nUncompressed));
    m_directory.insert(m_directory.end(), m_entryHeader.begin(), m_entryHeader.end());

    BYTE sizes[12];
    PutU32(sizes, m_nCrc);
    PutU32(sizes + 4, static_cast<std::uint32_t>(m_nCompressed));
    PutU32(sizes + 8, static_cast<std::uint32_t>(m_nUncompressed));
    m_file.Seek(static_cast<LONGLONG>(m_nLocalOffset + local::kCrcAt), CFile::begin);
    m_file.Write(sizes, sizeof sizes);
    m_file.SeekToEnd();

    m_bEntryOpen = false;
    ++m_nEntries;
}

void CZipWriter::Close(LPCTSTR comment)
{
    if (!IsOpen())
        return;
    CloseNewFile();
    const std::string_view text = comment ? std::string_view(comment) : std::string_view();
    if (text.size() > kMaxFieldLength)
        ThrowError(ZIP_PARAMERROR);
    const ULONGLONG directoryOffset = m_file.GetPosition();
    CheckFits(directoryOffset);
    CheckFits(m_directory.size());
    if (!m_directory.empty())
        m_file.Write(m_directory.data(), static_cast<UINT>(m_directory.size()));

    BYTE end[endrecord::kSize] {};
    PutU32(end + endrecord::kSignatureAt, endrecord::kSignature);
    PutU16(end + endrecord::kEntriesOnDiskAt, m_nEntries);
    PutU16(end + endrecord::kEntriesTotalAt, m_nEntries);
    PutU32(end + endrecord::kDirectorySizeAt, static_cast<std::uint32_t>(m_directory.size()));
    PutU32(end + endrecord::kDirectoryOffsetAt, static_cast<std::uint32_t>(directoryOffset));
    PutU16(end + endrecord::kCommentLengthAt, static_cast<std::uint32_t>(text.size()));
    m_file.Write(end, sizeof end);
    if (!text.empty())
        m_file.Write(text.data(), static_cast<UINT>(text.size()));
    m_file.Close();
    m_directory.clear();
}

void CZipWriter::Abort()
{
    if (m_bStreamOpen) {
        deflateEnd(&m_stream);
        m_bStreamOpen = false;
    }
    m_bEntryOpen = false;
    m_file.Abort();
    m_directory.clear();
}
