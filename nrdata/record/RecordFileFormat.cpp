// Building the header blocks of a recording file.
#include "nrdata/record/RecordFileFormat.h"

#include <cstring>

namespace nrdata::record {

void PutRecordTime(HeaderBlock& block, std::size_t offset, const COleDateTime& time)
{
    const unsigned year = static_cast<unsigned>(time.GetYear());
    block[offset] = BYTE(year & 0xFF);
    block[offset + 1] = BYTE((year >> 8) & 0xFF);
    block[offset + 2] = BYTE(time.GetMonth());
    block[offset + 3] = BYTE(time.GetDay());
    block[offset + 4] = BYTE(time.GetHour());
    block[offset + 5] = BYTE(time.GetMinute());
    block[offset + 6] = BYTE(time.GetSecond());
}

HeaderBlock MakeHeaderBlock1(const COleDateTime& start, const BYTE* monitorPacket)
{
    HeaderBlock block{};
    std::memcpy(block.data() + kOffMagic, kMagic, sizeof kMagic - 1);
    std::memcpy(block.data() + kOffFormatTag, kFormatTag, sizeof kFormatTag - 1);
    std::memcpy(block.data() + kOffVersion, kVersion.data(), kVersion.size());
    PutRecordTime(block, kOffStartTime, start);
    if (monitorPacket != nullptr)
        std::memcpy(block.data() + kOffMonitorPacket, monitorPacket, kMonitorPacketSize);
    return block;
}

HeaderBlock MakeHeaderBlock2(const BYTE* patientPacket)
{
    HeaderBlock block{};
    if (patientPacket != nullptr)
        std::memcpy(block.data() + kOffPatientPacket, patientPacket, kPatientPacketSize);
    return block;
}

ULONGLONG WholeRecordLength(ULONGLONG length)
{
    if (length < kHeadSize)
        return 0;
    return kHeadSize + RecordCountOf(length) * kRecordSize;
}

ULONGLONG RecordCountOf(ULONGLONG length)
{
    return length < kHeadSize ? 0 : (length - kHeadSize) / kRecordSize;
}

} // namespace nrdata::record
