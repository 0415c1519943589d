// The fixed layout tables of a bed window: where each wave strip and each numeric box sits in
// its area, and how large the seven fonts of each monitor layout are, per display mode.
// Written once as tables; CDisplayInfo reads them.
#pragma once

#include "nyraclient/display/DisplayTypes.h"

namespace nyraclient::display {

// The record of a wave strip [mode][item]. Callers pass indexes in range.
const __DISPLAY_ITEM& GraphItemRecord(int mode, int item);
// The record of a numeric box [monitor layout][mode][item]. Callers pass indexes in range.
const __DISPLAY_ITEM& ParamItemRecord(int layout, int mode, int item);
// A font height as percent of the parameter panel's height [monitor layout][mode][slot].
double FontSizePercent(int layout, int mode, int slot);

// The texts a numeric group [0..9] shows, for fitting them into their boxes: the string id of
// its label, the widest text its value can read (digits are all as wide as an 8), and the
// string ids of its unit's two texts (0: no unit).
struct ParamGroupTexts
{
    UINT label;
    const char* widestValue;
    UINT units[2];
};
const ParamGroupTexts& ParamGroupTextsOf(int group);

constexpr bool IsDisplayMode(int mode) { return mode >= 0 && mode < kDisplayModes; }
constexpr bool IsMonitorLayout(int layout) { return layout >= 0 && layout < kMonitorLayouts; }

} // namespace nyraclient::display
