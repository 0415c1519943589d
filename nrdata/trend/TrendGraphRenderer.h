// The trend strip renderer behind CDisplayInfo::DrawTrendGraph, with a count of what it drew
// for the benchmark that compares it with plain line drawing.
#pragma once

#include "nrdata/trend/TrendTypes.h"

#include "nrdata/config/NyraConfig.h"
#include "platform/core/CString.h"
#include "platform/core/Geometry.h"

#include <cstddef>
#include <vector>

class CDC;

namespace nrdata::trend {

class CTrendSource;

struct TrendRenderStats
{
    size_t curveSegments { 0 }; // line segments of the curves
};

// A scale number and the grid crossing its text is centred on.
struct TrendScaleLabel
{
    CString text;
    int x, y;
};

// The scale numbers of a strip: heart rate left and (antepartum) right of the FHR grid, or
// NIBP right; pressure left of the UC grid, temperature in its middle and SpO2 right (or the
// pressure again for an antepartum monitor). Every 6th FHR and 5th UC row while the scale font
// has its minimum height, else every 4th and 2nd.
std::vector<TrendScaleLabel> TrendScaleLabels(CRect fhr, CRect uc, UINT columns, const NyraConfig& cfg,
                                              BYTE monitorLayout);

// The width of the trend-speed caption, which stands right of the FHR grid, on `dc` with the
// scale font of grid cells `cell` pixels wide: a caller keeps that much room beside the grid.
int TrendSpeedCaptionWidth(CDC* dc, int speed, int cell);

int RenderTrendStrip(CDC* dc, CRect fhr, CRect uc, UINT columns, const CTrendSource* source, UINT& index, int end,
                     int speed, DRAW_MODE mode, int legend, int what, TrendRenderStats* stats);

} // namespace nrdata::trend
