// A recording as a trend source.
#include "tarlux/record/CRecordTrendSource.h"

#include "tarlux/record/CRecordReader.h"

#include <algorithm>
#include <climits>

namespace tarlux {
namespace {

constexpr BYTE kDisplayModeAntepartum = 1;
constexpr BYTE kDisplayModeMotherOnly = 4;

} // namespace

UINT CRecordTrendSource::GetCountsOfTrendData() const { return static_cast<UINT>(m_reader.GetRecordCount()); }

bool CRecordTrendSource::CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const
{
    const BYTE* record = index <= INT_MAX ? m_reader.GetRecord(static_cast<int>(index)) : nullptr;
    if (!record)
        return false;
    entry.SetPacket(record, entry.GetPacketSize(), 0);
    return true;
}

BYTE CRecordTrendSource::GetMonitorLayout() const
{
    const BYTE mode = m_reader.GetMonitorPacket().GetDisplayMode();
    if (mode < kDisplayModeAntepartum || mode > kDisplayModeMotherOnly)
        return MONITOR_LAYOUT_MOTHER_FETAL;
    return static_cast<BYTE>(mode - kDisplayModeAntepartum);
}

int CRecordTrendSource::IsValidRange(int kind, UINT first, UINT count) const
{
    if (first > INT_MAX)
        return 0;
    return m_reader.HasValidData(kind, static_cast<int>(first), static_cast<int>(std::min<UINT>(count, INT_MAX)));
}

} // namespace tarlux
