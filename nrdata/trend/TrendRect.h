// The trend rectangles: the one rule that turns an area into trend paper, used by every trend
// drawing of both stations (the bed windows, the JPEG report, printouts, the review pages).
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"

namespace nrdata::trend {

// Splits `area` less `margin` into the FHR grid (21 square rows) and the UC grid (10 rows, on the
// bottom edge) with a whole multiple of 6 columns, centred. `columns` 0 on entry lets the routine
// choose. An area too small for one cell gives empty grids and 0 columns.
void GetTrendRect(CRect area, CRect& fhr, CRect& uc, double fhrRatio, double ucRatio, CRect margin, UINT& columns);

} // namespace nrdata::trend
