// A bed's trend as the drawing code reads it.
#include "nyraclient/client/CClientTrendSource.h"

#include "nyraclient/client/NyraClientInfo.h"

namespace nyraclient::trend {

UINT CClientTrendSource::GetCountsOfTrendData() const
{
    return m_client.GetCountsOfTrendData();
}

bool CClientTrendSource::CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const
{
    return m_client.GetTrendStore().CopyTrendDataAtIndex(index, entry) != FALSE;
}

COleDateTime CClientTrendSource::GetStartTimeOfTrend() const
{
    return m_client.GetStartTimeOfTrend();
}

NyraConfig CClientTrendSource::GetTrendConfig() const
{
    return m_client.GetConfig();
}

BYTE CClientTrendSource::GetMonitorLayout() const
{
    return BYTE(m_client.GetDisplayMode());
}

int CClientTrendSource::IsValidRange(int kind, UINT first, UINT count) const
{
    return m_client.IsValidRange(kind, first, count);
}

nyraclient::display::TrendReportPatient CClientTrendSource::GetReportPatient() const
{
    return nyraclient::display::ReportPatientOf(
        m_client.IsAdmitted() ? &m_client.GetAdmittedPatient() : nullptr, m_client.GetPatientPacket());
}

UINT CClientTrendSource::GetReportFirstIndex() const
{
    return m_client.GetTrendFirstIndexShown();
}

} // namespace nyraclient::trend
