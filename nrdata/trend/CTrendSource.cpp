// The validity test over a stretch of trend entries that the legend of a trend strip asks.
#include "nrdata/trend/CTrendSource.h"

#include <algorithm>

namespace nrdata::trend {

int CTrendSource::IsValidRange(int kind, UINT first, UINT count) const
{
    if (!GetTrendConfig().IsVisible(kind))
        return 0;
    const UINT entries = GetCountsOfTrendData();
    if (first >= entries)
        return 0;
    const UINT last = first + std::min(count, entries - first);
    PKParam_v110 entry;
    for (UINT index = first; index < last; ++index) {
        if (!CopyTrendDataAtIndex(index, entry))
            break;
        for (int i = 0; i < PKParam_v110::kSamples; ++i)
            if (entry.IsValidData(kind, i))
                return 1;
    }
    return 0;
}

} // namespace nrdata::trend
