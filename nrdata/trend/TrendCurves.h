// The trend curves of the trend paper: which grid each parameter kind is drawn on, how a value
// becomes a height above that grid's base line, and how far two samples may lie apart before
// the pen is lifted. The trend renderer walks this table; the tests read it.
#pragma once

#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/config/NyraConfig.h"

#include <span>

namespace nrdata::trend {

enum class TrendGrid { FHR, UC };

// The pens of the curves and marks, in the order of the pen table.
enum TrendPen : int
{
    PEN_HR,
    PEN_SPO2,
    PEN_TEMP,
    PEN_NIBP,
    PEN_FHR1,
    PEN_FHR2,
    PEN_FECG,
    PEN_FSPO2,
    PEN_UC,
    PEN_FM1,
    PEN_FM2,
    PEN_MARKER,
    PEN_STIMULATOR,
    TREND_PEN_COUNT,
};

// A pen's colour setting (screen and image) and its width on a black-and-white printout.
struct TrendPenSpec
{
    int NyraSettings::*colour;
    int printWidth;
};
const TrendPenSpec& TrendPenOf(TrendPen pen);

struct TrendCurve
{
    int kind;                                      // parameter data kind (ParamKind)
    TrendGrid grid;
    TrendPen pen;
    int jumpLimit;                                 // lift the pen above this difference; 0 never
    int (*value)(const PKParam_v110&, int sample); // the sample's value in the curve's units
    int (*height)(int value, int gridHeight);      // pixels above the grid's base line
    int (*jumpValue)(int value);                   // what the jump test compares
};

// The curves in drawing order (kinds 1 to 4 and 6 to 14; NIBP and the flags are marks).
std::span<const TrendCurve> TrendCurves();
const TrendCurve* FindTrendCurve(int kind);

// Heights of the NIBP marks on the FHR grid: a pressure of 300 mmHg at the top.
int NIBPHeight(int pressure, int gridHeight);

// Records that one strip of `columns` grid columns covers at a trend speed (0 for an unknown
// speed), and the samples between two time labels (every 12th column).
UINT SecondsPerColumn(int speed);
UINT RecordsPerStrip(UINT columns, int speed);
UINT TimeLabelInterval(int speed);

} // namespace nrdata::trend
