// A synthetic trend store for the benchmarks: fetal and maternal numerics, one entry per second,
// smooth enough to look like a trace and varied enough that every curve draws segments.
#pragma once

#include "nrdata/trend/CTrendVectorSource.h"

#include <cmath>

namespace bench {

inline void FillSyntheticTrend(nrdata::trend::CTrendVectorSource& s, UINT entries)
{
    s.m_startTime = COleDateTime(2026, 3, 1, 8, 0, 0);
    s.m_monitorLayout = MONITOR_LAYOUT_MOTHER_FETAL;
    s.Reserve(entries);
    PKParam_v110 p;
    for (UINT r = 0; r < entries; ++r) {
        p.SetNullData();
        p.SetTimeStamp(r);
        for (int i = 0; i < 5; ++i) {
            const double t = r + i / 5.0;
            p.SetFHR1(i, static_cast<BYTE>(140 + 6 * std::sin(t / 7.5) + 2 * std::sin(t / 1.7)));
            p.SetFHR2(i, static_cast<BYTE>(155 + 4 * std::sin(t / 9.0)));
            p.SetECG(i, static_cast<int>(84 + 3 * std::sin(t / 20.0)));
            p.SetSpO2(i, 97);
            p.SetUC(i, static_cast<BYTE>(12 + 50 * std::pow(std::sin(t / 190.0), 16)));
        }
        p.SetTemp(36.8f);
        if (r % 900 == 0) {
            p.SetNIBPSys(118), p.SetNIBPMean(90), p.SetNIBPDia(76);
            p.SetNIBPStatus(PK_NIBP_STATUS_DONE);
        }
        s.Add(p);
    }
}

} // namespace bench
