// Trend entries from a vector.
#include "nrdata/trend/CTrendVectorSource.h"

namespace nrdata::trend {

bool CTrendVectorSource::CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const
{
    if (index >= m_entries.size())
        return false;
    entry = m_entries[index];
    return true;
}

} // namespace nrdata::trend
