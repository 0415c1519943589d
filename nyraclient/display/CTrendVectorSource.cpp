// Trend entries from a vector.
#include "nyraclient/display/CTrendVectorSource.h"

namespace nyraclient::display {

bool CTrendVectorSource::CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const
{
    if (index >= m_entries.size())
        return false;
    entry = m_entries[index];
    return true;
}

} // namespace nyraclient::display
