// CTrendSource: what the trend renderer and the trend report page read from a bed: its trend
// entries (one 108-byte parameter record per second, oldest first), the time of the oldest
// entry, the settings copy the drawing takes its colours, units and visibility from, and the
// monitor's own layout. Entries are handed out as copies, so a store that trims or empties
// itself meanwhile never leaves a reader holding freed memory.
#pragma once

#include "nrdata/trend/TrendTypes.h"

#include "nrdata/config/NyraConfig.h"
#include "nrdata/packet/PKParam_v110.h"
#include "platform/core/OleDateTime.h"

namespace nrdata::trend {

class CTrendSource
{
public:
    virtual ~CTrendSource() = default;

    virtual UINT GetCountsOfTrendData() const = 0;
    // Copies entry `index` (0 = oldest) into `entry`: false, and `entry` unchanged, when the
    // index is not below the count.
    virtual bool CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const = 0;
    virtual COleDateTime GetStartTimeOfTrend() const = 0;
    // A copy of the settings the drawing follows.
    virtual NyraConfig GetTrendConfig() const = 0;
    // The monitor's own display mode (MONITOR_LAYOUT).
    virtual BYTE GetMonitorLayout() const = 0;

    // 1 when `kind` is visible in the settings and at least one of the entries first ..
    // first + count - 1 holds a valid sample of it; entries past the end are skipped.
    virtual int IsValidRange(int kind, UINT first, UINT count) const;
};

} // namespace nrdata::trend
