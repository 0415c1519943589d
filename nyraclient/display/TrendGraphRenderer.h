// The trend strip renderer behind CDisplayInfo::DrawTrendGraph, with a count of what it drew
// for the benchmark that compares it with plain line drawing.
#pragma once

#include "nyraclient/display/DisplayTypes.h"

#include "platform/core/Geometry.h"

#include <cstddef>

class CDC;

namespace nyraclient::display {

class CTrendSource;

struct TrendRenderStats
{
    size_t curveSegments { 0 }; // line segments of the curves
};

int RenderTrendStrip(CDC* dc, CRect fhr, CRect uc, UINT columns, const CTrendSource* source, UINT& index, int end,
                     int speed, DRAW_MODE mode, int legend, int what, TrendRenderStats* stats);

} // namespace nyraclient::display
