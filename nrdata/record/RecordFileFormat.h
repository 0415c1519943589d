// The recording file, as both stations read it. Little-endian throughout; the working file
// ".TMP" and its committed copy ".FMF" have the same layout:
//
//   offset   size          content
//   0        100           header block 1: magic, version, start time, snapshot time and
//                          ECG leads, the monitor-settings packet at record start
//   100      100           header block 2: the patient packet at record start
//   200      14,000        wave area: 250 wave packets of 56 bytes (zeros until a snapshot)
//   14,200   108 each      parameter records, one per second of the monitor's sequence
//
// The number of records is (file length - 14,200) / 108, rounded down.
#pragma once

#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

#include <array>
#include <cstddef>

namespace nrdata::record {

// ---- areas of the file ----------------------------------------------------------------------
constexpr std::size_t kHeaderBlockSize = 100;
constexpr std::size_t kWaveOffset = 2 * kHeaderBlockSize;
constexpr std::size_t kWavePacketSize = 56;
constexpr std::size_t kWavePacketCount = 250;
constexpr std::size_t kWaveAreaSize = kWavePacketSize * kWavePacketCount;
constexpr std::size_t kHeadSize = kWaveOffset + kWaveAreaSize;
constexpr std::size_t kRecordSize = 108;

// The most records a recording holds: the central station ends a recording at 72 hours of one
// record a second.
constexpr ULONGLONG kMaxRecords = 259200;

static_assert(kWaveAreaSize == 14000);
static_assert(kHeadSize == 14200);

// ---- header block 1 -------------------------------------------------------------------------
constexpr std::size_t kOffMagic = 0;      // "ORLISK FMT", no terminator
constexpr std::size_t kOffFormatTag = 10; // "FM"
constexpr std::size_t kOffVersion = 16;   // 'V', 1, 0, 0
constexpr std::size_t kOffStartTime = 20; // year (16-bit), month, day, hour, minute, second
constexpr std::size_t kOffWaveTime = 30;  // the same fields; zeros until the first snapshot
constexpr std::size_t kOffECGLead1 = 37;
constexpr std::size_t kOffECGLead2 = 38;
constexpr std::size_t kOffMonitorPacket = 39;
constexpr std::size_t kMonitorPacketSize = 56;

// ---- header block 2 -------------------------------------------------------------------------
constexpr std::size_t kOffPatientPacket = 0;
constexpr std::size_t kPatientPacketSize = 80;

constexpr char kMagic[] = "ORLISK FMT";
constexpr char kFormatTag[] = "FM";
constexpr std::array<BYTE, 4> kVersion{'V', 1, 0, 0};

using HeaderBlock = std::array<BYTE, kHeaderBlockSize>;

// Header block 1 of a new file: the start time and the monitor-settings packet (56 bytes).
HeaderBlock MakeHeaderBlock1(const COleDateTime& start, const BYTE* monitorPacket);
// Header block 2: the patient packet (80 bytes).
HeaderBlock MakeHeaderBlock2(const BYTE* patientPacket);
// Writes a date-time as year (16-bit), month, day, hour, minute, second at `offset`.
void PutRecordTime(HeaderBlock& block, std::size_t offset, const COleDateTime& time);

// The length of the whole records of a file of `length` bytes: the head plus every complete
// record; a file shorter than the head has none (0).
ULONGLONG WholeRecordLength(ULONGLONG length);
// Records in a file of `length` bytes.
ULONGLONG RecordCountOf(ULONGLONG length);

} // namespace nrdata::record
