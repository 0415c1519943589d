// One entry of a zip archive as its central directory header describes it.
#pragma once

#include "platform/core/Time.h"
#include "platform/core/Types.h"

#include <cstdint>

struct CZipEntryInfo
{
    std::uint16_t versionMadeBy { 0 };
    std::uint16_t versionNeeded { 0 };
    std::uint16_t flags { 0 };
    std::uint16_t method { 0 };
    std::uint32_t dosDateTime { 0 }; // DOS date in the high word, DOS time in the low word
    std::uint32_t crc { 0 };
    std::uint32_t compressedSize { 0 };
    std::uint32_t uncompressedSize { 0 };
    std::uint16_t nameLength { 0 };
    std::uint16_t extraLength { 0 };
    std::uint16_t commentLength { 0 };
    std::uint16_t diskStart { 0 };
    std::uint16_t internalAttributes { 0 };
    std::uint32_t externalAttributes { 0 }; // the platform's FILE_ATTRIBUTE_* bits of the source
    std::uint32_t localHeaderOffset { 0 };

    // The entry's last-write time (local time).
    CTime GetTime() const;
};

// What the writer takes from a source file for its entry.
struct CZipFileTimeAttr
{
    CTime time;              // last write
    DWORD attributes { 0 };  // FILE_ATTRIBUTE_* bits
};
