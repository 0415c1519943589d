// The records of a zip archive (PKWARE application note, one disk, no zip64), written once as
// tables of offsets and read and written through the little-endian helpers below.
#pragma once

#include "platform/core/Time.h"
#include "platform/core/Types.h"

#include <cstdint>

namespace ktutilex::zip {

// ---- little-endian fields ------------------------------------------------------------------------

inline std::uint16_t GetU16(const BYTE* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t GetU32(const BYTE* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void PutU16(BYTE* p, std::uint32_t value)
{
    p[0] = static_cast<BYTE>(value);
    p[1] = static_cast<BYTE>(value >> 8);
}
inline void PutU32(BYTE* p, std::uint32_t value)
{
    PutU16(p, value);
    PutU16(p + 2, value >> 16);
}

// ---- local file header ---------------------------------------------------------------------------

namespace local {
constexpr std::uint32_t kSignature = 0x04034B50;
constexpr int kSize = 30;
constexpr int kSignatureAt = 0;
constexpr int kVersionNeededAt = 4;
constexpr int kFlagsAt = 6;
constexpr int kMethodAt = 8;
constexpr int kDosTimeAt = 10; // time in the low word, date in the high word
constexpr int kCrcAt = 14;
constexpr int kCompressedAt = 18;
constexpr int kUncompressedAt = 22;
constexpr int kNameLengthAt = 26;
constexpr int kExtraLengthAt = 28;
} // namespace local

// ---- central directory header --------------------------------------------------------------------

namespace central {
constexpr std::uint32_t kSignature = 0x02014B50;
constexpr int kSize = 46;
constexpr int kSignatureAt = 0;
constexpr int kVersionMadeByAt = 4;
constexpr int kVersionNeededAt = 6;
constexpr int kFlagsAt = 8;
constexpr int kMethodAt = 10;
constexpr int kDosTimeAt = 12;
constexpr int kCrcAt = 16;
constexpr int kCompressedAt = 20;
constexpr int kUncompressedAt = 24;
constexpr int kNameLengthAt = 28;
constexpr int kExtraLengthAt = 30;
constexpr int kCommentLengthAt = 32;
constexpr int kDiskStartAt = 34;
constexpr int kInternalAttrAt = 36;
constexpr int kExternalAttrAt = 38;
constexpr int kLocalOffsetAt = 42;
} // namespace central

// ---- end of central directory --------------------------------------------------------------------

namespace endrecord {
constexpr std::uint32_t kSignature = 0x06054B50;
constexpr int kSize = 22;
constexpr int kSignatureAt = 0;
constexpr int kThisDiskAt = 4;
constexpr int kDirectoryDiskAt = 6;
constexpr int kEntriesOnDiskAt = 8;
constexpr int kEntriesTotalAt = 10;
constexpr int kDirectorySizeAt = 12;
constexpr int kDirectoryOffsetAt = 16;
constexpr int kCommentLengthAt = 20;
} // namespace endrecord

// ---- values --------------------------------------------------------------------------------------

constexpr std::uint16_t kVersionNeeded = 20;
constexpr std::uint16_t kVersionMadeBy = 0; // MS-DOS attributes in the external attributes
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
constexpr std::uint16_t kFlagDataDescriptor = 0x0008; // sizes and CRC follow the data
constexpr std::uint16_t kFlagUtf8Name = 0x0800;       // the name is UTF-8
// Info-ZIP's Unicode path extra field: version 1, the CRC-32 of the name field it stands for,
// then the name in UTF-8. Readers that take a name from an old code page when the archive says
// it was made on MS-DOS (Info-ZIP's unzip does, whatever the UTF-8 flag says) take this one.
constexpr std::uint16_t kUnicodePathId = 0x7075;
constexpr std::uint8_t kUnicodePathVersion = 1;
constexpr std::uint32_t kExtraHeaderSize = 4; // id and length
constexpr std::uint32_t kUnicodePathHeadSize = 5; // version and the name field's CRC-32
// The classic format's limits: 32-bit sizes and offsets, 16-bit counts and lengths.
constexpr std::uint64_t kMaxSize = 0xFFFFFFFFu;
constexpr std::uint32_t kMaxEntries = 0xFFFFu;
constexpr std::uint32_t kMaxFieldLength = 0xFFFFu;

// The general flags that tell the deflate level: 2 for levels 8 and 9, 4 for 2, 6 for 1.
std::uint16_t LevelFlags(int level);

// ---- DOS date and time ---------------------------------------------------------------------------
//
// date = day + 32 * month + 512 * (year - 1980); time = seconds / 2 + 32 * minutes + 2048 * hours,
// in local time. The format starts in 1980 and ends in 2107: earlier times are stored as
// 1980-01-01 00:00:00, later ones as 2107-12-31 23:59:58.

std::uint32_t DosDateTimeFromTime(const CTime& time); // date in the high word
CTime TimeFromDosDateTime(std::uint32_t dosDateTime);

} // namespace ktutilex::zip
