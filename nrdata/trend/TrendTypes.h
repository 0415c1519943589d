// The enumerations of trend paper that the trend renderer, its callers and the bed windows share:
// the monitor's own layout (which scales a strip shows), the colour scheme of a drawing and what
// one call draws.
#pragma once

#include "platform/core/Types.h"

// The bedside monitor's own display mode, which selects the numerics a bed has at all.
enum MONITOR_LAYOUT : BYTE
{
    MONITOR_LAYOUT_ANTEPARTUM = 0,    // fetal only
    MONITOR_LAYOUT_MOTHER_FETAL = 1,  // mother and fetal
    MONITOR_LAYOUT_INTRAPARTUM = 2,   // the full set with IUP, FECG and FSpO2
    MONITOR_LAYOUT_MOTHER_ONLY = 3,
};

// Colour scheme of a trend drawing.
enum DRAW_MODE : int
{
    DRAW_SCREEN = 0, // colours from the bed's settings
    DRAW_PRINT = 1,  // black and white printout
    DRAW_IMAGE = 2,  // colour curves on a white page (the JPEG report)
};

// What a trend drawing covers.
enum TREND_DRAW_WHAT : int
{
    TREND_DRAW_ALL = 0,
    TREND_DRAW_GRID = 1,   // grid, scales, captions and legend
    TREND_DRAW_CURVES = 2, // curves, marks and time labels
};
