// The enumerations and the layout record that a bed window's layout, its painters and the
// trend renderer share: display modes, wave strips and numeric-panel items (the trend paper's own
// enumerations are in TrendTypes.h).
#pragma once

#include "nrdata/trend/TrendTypes.h"

#include "platform/core/Types.h"

// How a bed window is shown; the same values lay out the bed grid.
enum DISPMODE : int
{
    DISPMODE_1CH = 0,     // parameter panel only (the small tiles beside an enlarged bed)
    DISPMODE_2CH = 1,     // trend area (top 90 %) and parameter panel
    DISPMODE_4CH = 2,     // trend area (top 85 %) and parameter panel
    DISPMODE_8CH = 3,     // trend area (top 75 %) and parameter panel
    DISPMODE_16CH = 4,    // parameter panel only
    DISPMODE_ENLARGE = 5, // trend area (top 70 %), wave area (next 20 %) and parameter panel
};

// The two wave strips of the wave area.
enum GRAPHITEM : int
{
    GRAPH_TOP = 0,
    GRAPH_BOTTOM = 1,
};

// The numeric-panel items: ten groups of label, value and a third cell.
enum PARAMITEM : int
{
    PARAM_MHR_LABEL = 0,
    PARAM_MHR_VALUE,
    PARAM_MHR_EXTRA,
    PARAM_MSPO2_LABEL,
    PARAM_MSPO2_VALUE,
    PARAM_MSPO2_EXTRA,
    PARAM_NIBP_LABEL,
    PARAM_NIBP_VALUE,
    PARAM_NIBP_UNIT,
    PARAM_TEMP_LABEL,
    PARAM_TEMP_VALUE,
    PARAM_TEMP_UNIT,
    PARAM_UC_LABEL,
    PARAM_UC_VALUE,
    PARAM_UC_EXTRA,
    PARAM_IUP_LABEL,
    PARAM_IUP_VALUE,
    PARAM_IUP_EXTRA,
    PARAM_FECG_LABEL,
    PARAM_FECG_VALUE,
    PARAM_FECG_EXTRA,
    PARAM_FHR1_LABEL,
    PARAM_FHR1_VALUE,
    PARAM_FHR1_EXTRA,
    PARAM_FHR2_LABEL,
    PARAM_FHR2_VALUE,
    PARAM_FHR2_EXTRA,
    PARAM_FSPO2_LABEL,
    PARAM_FSPO2_VALUE,
    PARAM_FSPO2_EXTRA,
};

constexpr int kDisplayModes = 6;
constexpr int kMonitorLayouts = 4;
constexpr int kFontSlots = 7;
constexpr int kParamItems = 30;
constexpr int kGraphItems = 2;

// One layout record. Coordinates are percent of the parameter panel for a PARAMITEM and
// fractions (0..1) of the wave area for a GRAPHITEM.
struct __DISPLAY_ITEM
{
    int visible;      // 0 hidden, 1 shown
    double x, y, w, h;
    UINT textAlign;   // 0 left, 1 centred, 2 right (the DrawText horizontal alignments)
    int font;         // 0..6: one of the layout's seven fonts
    int valueFlag;    // 1 on value cells; for the painters
    int reserved;     // always 0
};
