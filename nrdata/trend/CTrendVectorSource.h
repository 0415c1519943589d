// CTrendVectorSource: trend entries kept in a plain vector, with a settings copy, a start time
// and a monitor layout: the trend source of a drawing that does not come from a live bed (a
// printout of stored records, a benchmark, a test).
#pragma once

#include "nrdata/trend/CTrendSource.h"

#include <vector>

namespace nrdata::trend {

class CTrendVectorSource : public CTrendSource
{
public:
    CTrendVectorSource() = default;

    UINT GetCountsOfTrendData() const override { return static_cast<UINT>(m_entries.size()); }
    bool CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const override;
    COleDateTime GetStartTimeOfTrend() const override { return m_startTime; }
    NyraConfig GetTrendConfig() const override { return m_config; }
    BYTE GetMonitorLayout() const override { return m_monitorLayout; }

    void Add(const PKParam_v110& entry) { m_entries.push_back(entry); }
    void Reserve(size_t count) { m_entries.reserve(count); }
    PKParam_v110& At(size_t index) { return m_entries.at(index); }

    NyraConfig m_config;
    COleDateTime m_startTime;
    BYTE m_monitorLayout { MONITOR_LAYOUT_ANTEPARTUM };

private:
    std::vector<PKParam_v110> m_entries;
};

} // namespace nrdata::trend
