// CClientTrendSource: a bed's trend as the trend renderer and the report page read it. Entries
// are copies taken under the trend store's lock, the settings a copy of the client's, so a
// drawing thread never holds memory that the store trims or empties meanwhile.
#pragma once

#include "nyraclient/display/TrendReportPage.h"

class NyraClientInfo;

namespace nyraclient::trend {

class CClientTrendSource : public nyraclient::display::CTrendReportSource
{
public:
    explicit CClientTrendSource(const NyraClientInfo& client) : m_client(client) {}

    UINT GetCountsOfTrendData() const override;
    bool CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const override;
    COleDateTime GetStartTimeOfTrend() const override;
    NyraConfig GetTrendConfig() const override;
    // The monitor's own display mode: its packet's byte minus 1, 0 outside 1 to 4.
    BYTE GetMonitorLayout() const override;
    int IsValidRange(int kind, UINT first, UINT count) const override;

    // An admitted bed shows its admitted record, any other the monitor's patient packet.
    nyraclient::display::TrendReportPatient GetReportPatient() const override;
    // The first entry the bed's window shows.
    UINT GetReportFirstIndex() const override;

private:
    const NyraClientInfo& m_client;
};

} // namespace nyraclient::trend
