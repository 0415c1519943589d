// The trend strip renderer of both stations: behind CDisplayInfo::DrawTrendGraph of the central
// station's bed windows, report page and printouts, and behind the review station's trend pages,
// prints and exported pages. The two stations' paper differs in a few details, which a
// TrendStyle names; a count of what it drew serves the benchmark that compares it with plain
// line drawing.
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
    size_t polylines { 0 };     // polyline calls of the curves
};

// Where the two stations' trend paper differs.
struct TrendStyle
{
    // The scale font's smallest cell height in pixels at 96 dots per inch (a printer's page scales
    // it): below it a nurse could not read the scales.
    int minFontHeight;
    // Scale numbers on every 4th FHR and 2nd UC row whatever the font; otherwise every 6th and
    // 5th row while the font has its smallest height.
    bool fixedScaleSteps;
    // The trend speed's caption above the middle column; otherwise from the grid's right edge.
    bool speedCaptionCentred;
    // A curve's first valid sample after a gap only ends the gap (it is not a point), and a
    // jump beyond the curve's limit counts as a gap; otherwise that sample starts the new line.
    bool gapSwallowsSample;
    // NIBP over a bottom row of one cell ((height - cell) / 300), the stimulator inside that
    // row and the marker a third of a cell below the grid; otherwise all three on the FHR
    // grid's bottom edge.
    bool marksOnBottomRow;
    // Time labels also where the source has no entry (a short recording's exported page carries
    // them across its whole width); otherwise only beside entries.
    bool labelsWithoutData;
};

// The central station's paper (bed windows, JPEG report, printed trend).
constexpr TrendStyle kCentralTrendStyle { 15, false, false, false, false, false };
// The review station's paper (trend page, prints and exported page of a stored study).
constexpr TrendStyle kReviewTrendStyle { 15, true, true, true, true, true };

// The most points one polyline call takes; a longer unbroken run is drawn in pieces that
// share their end points, so no page, however wide, grows a buffer without bound.
constexpr size_t kMaxPolylinePoints = 100000;

// A scale number and the grid crossing its text is centred on.
struct TrendScaleLabel
{
    CString text;
    int x, y;
};

// The scale numbers of a strip: heart rate left and (antepartum) right of the FHR grid, or
// NIBP right; pressure left of the UC grid, temperature in its middle and SpO2 right (or the
// pressure again for an antepartum monitor), on the rows the style's scale steps give.
std::vector<TrendScaleLabel> TrendScaleLabels(CRect fhr, CRect uc, UINT columns, const NyraConfig& cfg,
                                              BYTE monitorLayout, const TrendStyle& style = kCentralTrendStyle);

// The width of the trend-speed caption, which stands right of the FHR grid, on `dc` with the
// scale font of grid cells `cell` pixels wide: a caller keeps that much room beside the grid.
int TrendSpeedCaptionWidth(CDC* dc, int speed, int cell, const TrendStyle& style = kCentralTrendStyle);
// The line height of the scale font on `dc` for grid cells `cell` pixels wide.
int TrendTextHeight(CDC* dc, int cell, const TrendStyle& style = kCentralTrendStyle);

// Trend paper with room for its texts: the grids of GetTrendRect (TrendRect.h) from `area`, with
// at least `margin` around them, and more where the scale font needs it: above the FHR grid for
// its captions, between the grids for the UC captions, below the UC grid for the time labels,
// in the central style right of the FHR grid for the trend speed, and with a legend left of the
// grids for its names. `columns` as for GetTrendRect.
void LayoutTrendPaper(CDC* dc, CRect area, CRect& fhr, CRect& uc, double fhrRatio, double ucRatio, CRect margin,
                      UINT& columns, int speed, const TrendStyle& style, bool legend = false);

// Draws one strip (see the .cpp). 0, with nothing drawn and `index` unchanged, without a drawing
// surface or a source, or when the grids have no column of at least one pixel.
int RenderTrendStrip(CDC* dc, CRect fhr, CRect uc, UINT columns, const CTrendSource* source, UINT& index, int end,
                     int speed, DRAW_MODE mode, int legend, int what, const TrendStyle& style,
                     TrendRenderStats* stats);

} // namespace nrdata::trend
