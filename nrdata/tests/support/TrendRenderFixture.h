// Shared by the trend drawing tests: a canvas to draw on (testkit), distinct colours for every setting
// the renderer reads, and trend entries built sample by sample.
#pragma once

#include "nrdata/trend/CTrendVectorSource.h"

#include "platform/gdi/CDC.h"
#include "testkit/Canvas.h"

#include <functional>

namespace trendtest {

using testkit::Canvas;

// Every colour the drawing takes from the settings, each its own.
namespace colour {
constexpr COLORREF GridInner = RGB(200, 200, 255);
constexpr COLORREF GridCenter = RGB(150, 150, 230);
constexpr COLORREF GridOuter = RGB(60, 60, 160);
constexpr COLORREF Text = RGB(10, 10, 10);
constexpr COLORREF FHR1 = RGB(0, 0, 255);
constexpr COLORREF FHR2 = RGB(0, 160, 0);
constexpr COLORREF HR = RGB(255, 0, 255);
constexpr COLORREF SpO2 = RGB(0, 200, 200);
constexpr COLORREF TEMP = RGB(255, 128, 0);
constexpr COLORREF NIBP = RGB(128, 0, 0);
constexpr COLORREF FECG = RGB(128, 128, 0);
constexpr COLORREF FSpO2 = RGB(0, 128, 128);
constexpr COLORREF UC = RGB(255, 0, 0);
constexpr COLORREF Marker = RGB(90, 40, 0);
constexpr COLORREF Stimulator = RGB(200, 0, 100);
} // namespace colour

inline void UseTestColours(NyraConfig& cfg)
{
    cfg.GridInner = colour::GridInner;
    cfg.GridCenter = colour::GridCenter;
    cfg.GridOuter = colour::GridOuter;
    cfg.GridInnerStyle = cfg.GridCenterStyle = cfg.GridOuterStyle = PS_SOLID;
    cfg.GraphText = colour::Text;
    cfg.GraphFHR1 = colour::FHR1;
    cfg.GraphFHR2 = colour::FHR2;
    cfg.GraphHR = colour::HR;
    cfg.GraphSpO2 = colour::SpO2;
    cfg.GraphTEMP = colour::TEMP;
    cfg.GraphNIBP = colour::NIBP;
    cfg.GraphFECG = colour::FECG;
    cfg.GraphFSpO2 = colour::FSpO2;
    cfg.GraphUC = colour::UC;
    cfg.EventMaker = colour::Marker;
    cfg.EventStimulator = colour::Stimulator;
    cfg.GraphBackground = RGB(255, 255, 255);
}

// A blank entry: every sample without data, no events.
inline PKParam_v110 BlankEntry(unsigned int stamp)
{
    PKParam_v110 p;
    p.SetNullData();
    p.SetTimeStamp(stamp);
    return p;
}

// `count` entries; `fill` sets each one (record index r) from blank.
inline void AddEntries(nrdata::trend::CTrendVectorSource& source, UINT count,
                       const std::function<void(PKParam_v110&, UINT)>& fill)
{
    const UINT first = source.GetCountsOfTrendData();
    for (UINT r = first; r < first + count; ++r) {
        PKParam_v110 p = BlankEntry(1000 + r);
        fill(p, r);
        source.Add(p);
    }
}

// A source with the test colours, every kind visible, start 2026-03-01 08:00.
inline void Prepare(nrdata::trend::CTrendVectorSource& source, BYTE layout)
{
    source.m_config.Default();
    UseTestColours(source.m_config);
    source.m_config.TrendSpeed = 3;
    source.m_startTime = COleDateTime(2026, 3, 1, 8, 0, 0);
    source.m_monitorLayout = layout;
}

} // namespace trendtest
