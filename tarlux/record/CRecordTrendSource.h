// CRecordTrendSource: a loaded recording as the trend renderer reads it: the reader's records
// as trend entries, the study's start time, the review settings and the recording monitor's own
// layout. It reads the reader in place and lives for one drawing.
#pragma once

#include "nrdata/trend/CTrendSource.h"

namespace tarlux {

class CRecordReader;

class CRecordTrendSource : public nrdata::trend::CTrendSource
{
public:
    CRecordTrendSource(const CRecordReader& reader, const NyraConfig& config, const COleDateTime& start)
        : m_reader(reader), m_config(config), m_start(start)
    {
    }

    UINT GetCountsOfTrendData() const override;
    bool CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const override;
    COleDateTime GetStartTimeOfTrend() const override { return m_start; }
    NyraConfig GetTrendConfig() const override { return m_config; }
    // The recording monitor's display mode (1 Antepartum, 2 Mother / Fetal, 3 Intrapartum,
    // 4 Mother Only) as a layout; any other value shows the maternal scales.
    BYTE GetMonitorLayout() const override;
    // The reader's own test (visibility and valid data), without copying the settings.
    int IsValidRange(int kind, UINT first, UINT count) const override;

private:
    const CRecordReader& m_reader;
    const NyraConfig& m_config;
    COleDateTime m_start;
};

} // namespace tarlux
