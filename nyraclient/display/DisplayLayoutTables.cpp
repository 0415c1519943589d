// The layout tables of a bed window. The numeric-panel table lists only the visible boxes of
// each monitor layout and display mode; every other record is hidden and carries the alignment
// and font slot of its kind of cell (labels left, values right in the next larger font).
#include "nyraclient/display/DisplayLayoutTables.h"

#include "nrdata/res/NRDataStrings.h"

#include <array>

namespace nyraclient::display {
namespace {

constexpr UINT L = 0; // DT_LEFT
constexpr UINT R = 2; // DT_RIGHT

// ---- wave strips: the top and bottom halves of the wave area, shown only when enlarged ----------

constexpr __DISPLAY_ITEM kGraphTop { 0, 0.0, 0.0, 1.0, 0.5, L, 0, 0, 0 };
constexpr __DISPLAY_ITEM kGraphBottom { 0, 0.0, 0.5, 1.0, 0.5, L, 0, 0, 0 };

constexpr __DISPLAY_ITEM Shown(__DISPLAY_ITEM item)
{
    item.visible = 1;
    return item;
}

constexpr __DISPLAY_ITEM kGraphItems[kDisplayModes][kGraphItems] = {
    { kGraphTop, kGraphBottom },
    { kGraphTop, kGraphBottom },
    { kGraphTop, kGraphBottom },
    { kGraphTop, kGraphBottom },
    { kGraphTop, kGraphBottom },
    { Shown(kGraphTop), Shown(kGraphBottom) },
};

// ---- font heights, percent of the parameter panel [layout][mode][slot] -----------------------

constexpr double kFontSizes[kMonitorLayouts][kDisplayModes][kFontSlots] = {
    { { 15, 15, 15, 15, 15, 18, 45 }, { 22.5, 15, 15, 15, 22.5, 30, 120 }, { 15, 15, 15, 15, 15, 30, 82.5 }, { 10.5, 15, 15, 15, 15, 15, 52.5 }, { 15, 15, 15, 15, 15, 12, 45 }, { 15, 15, 15, 15, 15, 30, 90 } }, // layout 0
    { { 15, 15, 15, 15, 15, 13.5, 30 }, { 22.5, 15, 15, 15, 15, 30, 105 }, { 15, 15, 15, 15, 15, 45, 75 }, { 10.5, 15, 15, 15, 12, 22.5, 45 }, { 15, 15, 15, 15, 9, 22.5, 30 }, { 15, 15, 15, 15, 22.5, 48, 78 } }, // layout 1
    { { 15, 15, 15, 15, 12, 24, 36 }, { 15, 15, 15, 15, 30, 75, 90 }, { 15, 15, 15, 15, 18, 30, 60 }, { 15, 15, 15, 15, 10.5, 22.5, 36 }, { 15, 15, 15, 15, 7.5, 18, 36 }, { 15, 15, 15, 15, 18, 30, 60 } }, // layout 2
    { { 15, 15, 15, 15, 15, 18, 37.5 }, { 22.5, 15, 15, 15, 15, 30, 90 }, { 15, 15, 15, 15, 15, 22.5, 52.5 }, { 12, 15, 15, 15, 15, 15, 37.5 }, { 15, 15, 15, 15, 15, 9, 30 }, { 15, 15, 15, 15, 15, 22.5, 52.5 } }, // layout 3
};

// ---- visible numeric boxes: x, y, w, h in percent of the parameter panel ---------------------

struct VisibleItem
{
    int layout;
    int mode;
    int item;
    double x, y, w, h;
    UINT align;
    int font;
    int valueFlag;
};

constexpr VisibleItem kVisibleItems[] = {
    // layout 0, mode 0
    { 0, 0, 12, 55, 0, 15, 15, L, 5, 0 },
    { 0, 0, 13, 70, 10, 30, 40, R, 6, 1 },
    { 0, 0, 21, 0, 0, 20, 15, L, 5, 0 },
    { 0, 0, 22, 15, 10, 30, 40, R, 6, 1 },
    { 0, 0, 24, 0, 50, 20, 15, L, 5, 0 },
    { 0, 0, 25, 15, 60, 30, 40, R, 6, 1 },
    // layout 0, mode 1
    { 0, 1, 12, 32, 0, 5, 20, L, 5, 0 },
    { 0, 1, 13, 35, 20, 7, 80, R, 6, 1 },
    { 0, 1, 21, 0, 0, 5, 20, L, 5, 0 },
    { 0, 1, 22, 3, 20, 12, 80, R, 6, 1 },
    { 0, 1, 24, 16, 0, 5, 20, L, 5, 0 },
    { 0, 1, 25, 19, 20, 12, 80, R, 6, 1 },
    // layout 0, mode 2
    { 0, 2, 12, 70, 0, 20, 25, L, 5, 0 },
    { 0, 2, 13, 70, 25, 30, 75, R, 6, 1 },
    { 0, 2, 21, 0, 0, 20, 25, L, 5, 0 },
    { 0, 2, 22, 0, 25, 35, 75, R, 6, 1 },
    { 0, 2, 24, 35, 0, 20, 25, L, 5, 0 },
    { 0, 2, 25, 35, 25, 35, 75, R, 6, 1 },
    // layout 0, mode 3
    { 0, 3, 12, 55, 0, 20, 10, L, 5, 0 },
    { 0, 3, 13, 65, 10, 35, 40, R, 6, 1 },
    { 0, 3, 21, 0, 0, 20, 10, L, 5, 0 },
    { 0, 3, 22, 10, 10, 45, 40, R, 6, 1 },
    { 0, 3, 24, 0, 50, 20, 10, L, 5, 0 },
    { 0, 3, 25, 10, 60, 45, 40, R, 6, 1 },
    // layout 0, mode 5
    { 0, 5, 12, 50, 0, 10, 25, L, 5, 0 },
    { 0, 5, 13, 50, 25, 20, 75, R, 6, 1 },
    { 0, 5, 21, 0, 0, 10, 25, L, 5, 0 },
    { 0, 5, 22, 0, 25, 25, 75, R, 6, 1 },
    { 0, 5, 24, 25, 0, 10, 25, L, 5, 0 },
    { 0, 5, 25, 25, 25, 25, 75, R, 6, 1 },
    // layout 1, mode 0
    { 1, 0, 0, 61, 40, 14, 10, L, 5, 0 },
    { 1, 0, 1, 61, 50, 39, 20, R, 6, 1 },
    { 1, 0, 3, 0, 70, 18, 10, L, 5, 0 },
    { 1, 0, 4, 14, 80, 45, 20, R, 6, 1 },
    { 1, 0, 5, 0, 0, 0, 0, L, 5, 0 },
    { 1, 0, 6, 0, 40, 20, 10, L, 5, 0 },
    { 1, 0, 7, 14, 50, 45, 20, R, 6, 1 },
    { 1, 0, 8, 0, 50, 20, 15, L, 5, 0 },
    { 1, 0, 9, 61, 70, 20, 10, L, 5, 0 },
    { 1, 0, 10, 75, 80, 25, 20, R, 6, 1 },
    { 1, 0, 11, 61, 80, 20, 15, L, 5, 0 },
    { 1, 0, 12, 72, 0, 10, 10, L, 5, 0 },
    { 1, 0, 13, 72, 10, 28, 30, R, 6, 1 },
    { 1, 0, 21, 0, 0, 15, 10, L, 5, 0 },
    { 1, 0, 22, 0, 10, 36, 30, R, 6, 1 },
    { 1, 0, 24, 36, 0, 15, 10, L, 5, 0 },
    { 1, 0, 25, 36, 10, 36, 30, R, 6, 1 },
    // layout 1, mode 1
    { 1, 1, 0, 73, 0, 12, 25, L, 5, 0 },
    { 1, 1, 1, 73, 25, 12, 75, R, 6, 1 },
    { 1, 1, 3, 34, 0, 18, 25, L, 5, 0 },
    { 1, 1, 4, 37, 25, 18, 75, R, 6, 1 },
    { 1, 1, 5, 0, 0, 0, 0, L, 5, 0 },
    { 1, 1, 6, 55, 0, 9, 25, L, 5, 0 },
    { 1, 1, 7, 55, 25, 18, 75, R, 6, 1 },
    { 1, 1, 8, 64, 0, 9, 25, R, 5, 0 },
    { 1, 1, 9, 85, 0, 10, 25, L, 5, 0 },
    { 1, 1, 10, 85, 25, 15, 75, R, 6, 1 },
    { 1, 1, 11, 95, 0, 5, 25, R, 5, 0 },
    { 1, 1, 12, 24, 0, 5, 25, L, 5, 0 },
    { 1, 1, 13, 27, 25, 7, 75, R, 6, 1 },
    { 1, 1, 21, 0, 0, 5, 25, L, 5, 0 },
    { 1, 1, 22, 3, 25, 9, 75, R, 6, 1 },
    { 1, 1, 24, 12, 0, 5, 25, L, 5, 0 },
    { 1, 1, 25, 15, 25, 9, 75, R, 6, 1 },
    // layout 1, mode 2
    { 1, 2, 0, 78, 0, 8, 20, L, 4, 0 },
    { 1, 2, 1, 84, 20, 16, 30, R, 5, 1 },
    { 1, 2, 3, 46, 0, 8, 20, L, 4, 0 },
    { 1, 2, 4, 52, 20, 26, 30, R, 5, 1 },
    { 1, 2, 6, 46, 50, 16, 20, L, 4, 0 },
    { 1, 2, 7, 46, 70, 32, 30, R, 5, 1 },
    { 1, 2, 8, 62, 50, 16, 20, R, 4, 0 },
    { 1, 2, 9, 78, 50, 11, 20, L, 4, 0 },
    { 1, 2, 10, 78, 70, 22, 30, R, 5, 1 },
    { 1, 2, 11, 89, 50, 11, 20, R, 4, 0 },
    { 1, 2, 12, 32, 0, 6, 25, L, 4, 0 },
    { 1, 2, 13, 32, 25, 14, 75, R, 6, 1 },
    { 1, 2, 21, 0, 0, 10, 25, L, 4, 0 },
    { 1, 2, 22, 0, 25, 16, 75, R, 6, 1 },
    { 1, 2, 24, 16, 0, 10, 25, L, 4, 0 },
    { 1, 2, 25, 16, 25, 16, 75, R, 6, 1 },
    // layout 1, mode 3
    { 1, 3, 0, 60, 50, 13, 12, L, 4, 0 },
    { 1, 3, 1, 70, 50, 30, 30, R, 5, 1 },
    { 1, 3, 3, 0, 50, 15, 12, L, 4, 0 },
    { 1, 3, 4, 10, 50, 45, 30, R, 5, 1 },
    { 1, 3, 5, 0, 0, 0, 0, L, 4, 0 },
    { 1, 3, 6, 0, 75, 13, 12, L, 4, 0 },
    { 1, 3, 7, 10, 75, 45, 30, R, 5, 1 },
    { 1, 3, 8, 0, 88, 13, 12, L, 4, 0 },
    { 1, 3, 9, 60, 75, 13, 12, L, 4, 0 },
    { 1, 3, 10, 70, 75, 30, 30, R, 5, 1 },
    { 1, 3, 11, 60, 88, 13, 12, L, 4, 0 },
    { 1, 3, 12, 74, 0, 20, 12, L, 4, 0 },
    { 1, 3, 13, 74, 12, 26, 38, R, 6, 1 },
    { 1, 3, 21, 0, 0, 20, 12, L, 4, 0 },
    { 1, 3, 22, 0, 12, 37, 38, R, 6, 1 },
    { 1, 3, 24, 37, 0, 20, 12, L, 4, 0 },
    { 1, 3, 25, 37, 12, 37, 38, R, 6, 1 },
    // layout 1, mode 4
    { 1, 4, 0, 60, 40, 20, 10, L, 4, 0 },
    { 1, 4, 1, 70, 50, 30, 20, R, 5, 1 },
    { 1, 4, 3, 0, 40, 20, 10, L, 4, 0 },
    { 1, 4, 4, 10, 50, 45, 20, R, 5, 1 },
    { 1, 4, 5, 0, 0, 0, 0, L, 4, 0 },
    { 1, 4, 6, 0, 70, 20, 10, L, 4, 0 },
    { 1, 4, 7, 10, 80, 45, 20, R, 5, 1 },
    { 1, 4, 8, 20, 70, 35, 10, R, 4, 0 },
    { 1, 4, 9, 60, 70, 20, 10, L, 4, 0 },
    { 1, 4, 10, 70, 80, 30, 20, R, 5, 1 },
    { 1, 4, 11, 80, 70, 20, 10, R, 4, 0 },
    { 1, 4, 12, 74, 0, 20, 10, L, 4, 0 },
    { 1, 4, 13, 74, 10, 26, 30, R, 6, 1 },
    { 1, 4, 21, 0, 0, 20, 10, L, 4, 0 },
    { 1, 4, 22, 0, 10, 37, 30, R, 6, 1 },
    { 1, 4, 24, 37, 0, 20, 10, L, 4, 0 },
    { 1, 4, 25, 37, 10, 37, 30, R, 6, 1 },
    // layout 1, mode 5
    { 1, 5, 0, 78, 0, 8, 25, L, 4, 0 },
    { 1, 5, 1, 84, 10, 16, 40, R, 5, 1 },
    { 1, 5, 3, 46, 0, 10, 25, L, 4, 0 },
    { 1, 5, 4, 52, 10, 26, 40, R, 5, 1 },
    { 1, 5, 6, 46, 50, 8, 25, L, 4, 0 },
    { 1, 5, 7, 52, 60, 26, 40, R, 5, 1 },
    { 1, 5, 8, 46, 75, 8, 25, L, 4, 0 },
    { 1, 5, 9, 78, 50, 8, 25, L, 4, 0 },
    { 1, 5, 10, 84, 60, 16, 40, R, 5, 1 },
    { 1, 5, 11, 78, 75, 8, 25, L, 4, 0 },
    { 1, 5, 12, 32, 0, 6, 25, L, 4, 0 },
    { 1, 5, 13, 32, 25, 14, 75, R, 6, 1 },
    { 1, 5, 21, 0, 0, 10, 25, L, 4, 0 },
    { 1, 5, 22, 0, 25, 16, 75, R, 6, 1 },
    { 1, 5, 24, 16, 0, 10, 25, L, 4, 0 },
    { 1, 5, 25, 16, 25, 16, 75, R, 6, 1 },
    // layout 2, mode 0
    { 2, 0, 0, 61, 54, 14, 12, L, 4, 0 },
    { 2, 0, 1, 75, 54, 25, 23, R, 5, 1 },
    { 2, 0, 3, 0, 77, 14, 12, L, 4, 0 },
    { 2, 0, 4, 14, 77, 42, 23, R, 5, 1 },
    { 2, 0, 6, 0, 54, 14, 12, L, 4, 0 },
    { 2, 0, 7, 14, 54, 42, 23, R, 5, 1 },
    { 2, 0, 9, 61, 77, 14, 12, L, 4, 0 },
    { 2, 0, 10, 75, 77, 25, 23, R, 5, 1 },
    { 2, 0, 15, 72, 0, 10, 12, L, 4, 0 },
    { 2, 0, 16, 82, 0, 18, 31, R, 6, 1 },
    { 2, 0, 18, 61, 31, 14, 12, L, 4, 0 },
    { 2, 0, 19, 75, 31, 25, 23, R, 5, 1 },
    { 2, 0, 21, 0, 0, 12, 12, L, 4, 0 },
    { 2, 0, 22, 10, 0, 24, 31, R, 6, 1 },
    { 2, 0, 24, 36, 0, 12, 12, L, 4, 0 },
    { 2, 0, 25, 46, 0, 24, 31, R, 6, 1 },
    { 2, 0, 27, 0, 31, 14, 12, L, 4, 0 },
    { 2, 0, 28, 14, 31, 42, 23, R, 5, 1 },
    // layout 2, mode 1
    { 2, 1, 0, 62, 0, 7, 25, L, 4, 0 },
    { 2, 1, 1, 62, 25, 7, 75, R, 5, 1 },
    { 2, 1, 3, 34, 0, 15, 25, L, 4, 0 },
    { 2, 1, 4, 34, 25, 15, 75, R, 5, 1 },
    { 2, 1, 6, 49, 0, 6, 25, L, 4, 0 },
    { 2, 1, 7, 49, 25, 13, 75, R, 5, 1 },
    { 2, 1, 8, 55, 0, 7, 25, R, 4, 0 },
    { 2, 1, 9, 69, 0, 6, 25, L, 4, 0 },
    { 2, 1, 10, 69, 25, 11, 75, R, 5, 1 },
    { 2, 1, 11, 75, 0, 5, 25, R, 4, 0 },
    { 2, 1, 15, 24, 0, 6, 25, L, 4, 0 },
    { 2, 1, 16, 24, 25, 10, 75, R, 6, 1 },
    { 2, 1, 18, 80, 0, 7, 25, L, 4, 0 },
    { 2, 1, 19, 80, 25, 7, 75, R, 5, 1 },
    { 2, 1, 21, 0, 0, 6, 25, L, 4, 0 },
    { 2, 1, 22, 0, 25, 12, 75, R, 6, 1 },
    { 2, 1, 24, 12, 0, 6, 25, L, 4, 0 },
    { 2, 1, 25, 12, 25, 12, 75, R, 6, 1 },
    { 2, 1, 27, 87, 0, 13, 25, L, 4, 0 },
    { 2, 1, 28, 87, 25, 13, 75, R, 5, 1 },
    // layout 2, mode 2
    { 2, 2, 0, 57, 0, 6, 15, L, 4, 0 },
    { 2, 2, 1, 57, 15, 20, 35, R, 5, 1 },
    { 2, 2, 3, 34, 0, 10, 15, L, 4, 0 },
    { 2, 2, 4, 34, 15, 23, 35, R, 5, 1 },
    { 2, 2, 6, 34, 50, 10, 15, L, 4, 0 },
    { 2, 2, 7, 34, 65, 23, 35, R, 5, 1 },
    { 2, 2, 8, 44, 50, 13, 15, R, 4, 0 },
    { 2, 2, 9, 57, 50, 10, 15, L, 4, 0 },
    { 2, 2, 10, 57, 65, 20, 35, R, 5, 1 },
    { 2, 2, 11, 67, 50, 10, 15, R, 4, 0 },
    { 2, 2, 15, 24, 0, 10, 25, L, 4, 0 },
    { 2, 2, 16, 24, 25, 10, 75, R, 6, 1 },
    { 2, 2, 18, 77, 0, 15, 15, L, 4, 0 },
    { 2, 2, 19, 77, 15, 23, 35, R, 5, 1 },
    { 2, 2, 21, 0, 0, 12, 25, L, 4, 0 },
    { 2, 2, 22, 0, 25, 12, 75, R, 6, 1 },
    { 2, 2, 24, 12, 0, 12, 25, L, 4, 0 },
    { 2, 2, 25, 12, 25, 12, 75, R, 6, 1 },
    { 2, 2, 27, 77, 50, 15, 15, L, 4, 0 },
    { 2, 2, 28, 77, 65, 23, 35, R, 5, 1 },
    // layout 2, mode 3
    { 2, 3, 0, 58, 40, 15, 15, L, 4, 0 },
    { 2, 3, 1, 65, 40, 35, 20, R, 5, 1 },
    { 2, 3, 3, 0, 40, 15, 15, L, 4, 0 },
    { 2, 3, 4, 7, 40, 51, 20, R, 5, 1 },
    { 2, 3, 6, 0, 60, 15, 15, L, 4, 0 },
    { 2, 3, 7, 7, 60, 51, 20, R, 5, 1 },
    { 2, 3, 8, 0, 70, 15, 15, L, 4, 0 },
    { 2, 3, 9, 58, 60, 15, 15, L, 4, 0 },
    { 2, 3, 10, 65, 60, 35, 20, R, 5, 1 },
    { 2, 3, 11, 58, 70, 15, 15, L, 4, 0 },
    { 2, 3, 15, 74, 0, 15, 15, L, 4, 0 },
    { 2, 3, 16, 74, 10, 26, 30, R, 6, 1 },
    { 2, 3, 18, 58, 80, 15, 15, L, 4, 0 },
    { 2, 3, 19, 65, 80, 35, 20, R, 5, 1 },
    { 2, 3, 21, 0, 0, 15, 15, L, 4, 0 },
    { 2, 3, 22, 0, 10, 37, 30, R, 6, 1 },
    { 2, 3, 24, 37, 0, 15, 15, L, 4, 0 },
    { 2, 3, 25, 37, 10, 37, 30, R, 6, 1 },
    { 2, 3, 27, 0, 80, 15, 15, L, 4, 0 },
    { 2, 3, 28, 7, 80, 51, 20, R, 5, 1 },
    // layout 3, mode 0
    { 3, 0, 0, 60, 0, 40, 15, L, 5, 0 },
    { 3, 0, 1, 60, 17, 40, 30, R, 6, 1 },
    { 3, 0, 3, 0, 49, 55, 15, L, 5, 0 },
    { 3, 0, 4, 0, 68, 55, 30, R, 6, 1 },
    { 3, 0, 6, 0, 0, 25, 15, L, 5, 0 },
    { 3, 0, 7, 0, 15, 55, 30, R, 6, 1 },
    { 3, 0, 8, 25, 0, 30, 15, R, 5, 0 },
    { 3, 0, 9, 60, 49, 20, 15, L, 5, 0 },
    { 3, 0, 10, 60, 68, 40, 30, R, 6, 1 },
    { 3, 0, 11, 80, 49, 20, 15, R, 5, 0 },
    // layout 3, mode 1
    { 3, 1, 0, 45, 0, 10, 25, L, 5, 0 },
    { 3, 1, 1, 45, 25, 10, 75, R, 6, 1 },
    { 3, 1, 3, 0, 0, 23, 25, L, 5, 0 },
    { 3, 1, 4, 0, 25, 23, 75, R, 6, 1 },
    { 3, 1, 6, 23, 0, 11, 25, L, 5, 0 },
    { 3, 1, 7, 23, 25, 22, 75, R, 6, 1 },
    { 3, 1, 8, 34, 0, 11, 25, R, 5, 0 },
    { 3, 1, 9, 55, 0, 8, 25, L, 5, 0 },
    { 3, 1, 10, 55, 25, 15, 75, R, 6, 1 },
    { 3, 1, 11, 63, 0, 7, 25, R, 5, 0 },
    // layout 3, mode 2
    { 3, 2, 0, 50, 0, 25, 25, L, 5, 0 },
    { 3, 2, 1, 50, 25, 25, 75, R, 6, 1 },
    { 3, 2, 3, 0, 0, 25, 25, L, 5, 0 },
    { 3, 2, 4, 0, 25, 25, 75, R, 6, 1 },
    { 3, 2, 6, 25, 0, 12, 25, L, 5, 0 },
    { 3, 2, 7, 25, 25, 25, 75, R, 6, 1 },
    { 3, 2, 8, 37, 0, 13, 25, R, 5, 0 },
    { 3, 2, 9, 75, 0, 12, 25, L, 5, 0 },
    { 3, 2, 10, 75, 25, 25, 75, R, 6, 1 },
    { 3, 2, 11, 87, 0, 13, 25, R, 5, 0 },
    // layout 3, mode 3
    { 3, 3, 0, 0, 50, 50, 15, L, 5, 0 },
    { 3, 3, 1, 0, 65, 50, 35, R, 6, 1 },
    { 3, 3, 3, 0, 0, 50, 15, L, 5, 0 },
    { 3, 3, 4, 0, 15, 50, 35, R, 6, 1 },
    { 3, 3, 5, 0, 0, 0, 0, L, 5, 0 },
    { 3, 3, 6, 50, 0, 25, 15, L, 5, 0 },
    { 3, 3, 7, 50, 15, 50, 35, R, 6, 1 },
    { 3, 3, 8, 75, 0, 25, 15, R, 5, 0 },
    { 3, 3, 9, 50, 50, 25, 15, L, 5, 0 },
    { 3, 3, 10, 50, 65, 50, 35, R, 6, 1 },
    { 3, 3, 11, 75, 50, 25, 15, R, 5, 0 },
    // layout 3, mode 4
    { 3, 4, 0, 0, 70, 50, 10, L, 5, 0 },
    { 3, 4, 1, 0, 80, 50, 20, R, 6, 1 },
    { 3, 4, 3, 0, 0, 100, 10, L, 5, 0 },
    { 3, 4, 4, 0, 10, 100, 25, R, 6, 1 },
    { 3, 4, 5, 0, 0, 0, 0, L, 5, 0 },
    { 3, 4, 6, 0, 35, 50, 10, L, 5, 0 },
    { 3, 4, 7, 0, 45, 100, 25, R, 6, 1 },
    { 3, 4, 8, 50, 35, 50, 10, R, 5, 0 },
    { 3, 4, 9, 50, 70, 25, 10, L, 5, 0 },
    { 3, 4, 10, 50, 80, 50, 20, R, 6, 1 },
    { 3, 4, 11, 75, 70, 25, 10, R, 5, 0 },
};

// Layouts that repeat another mode's boxes.
struct ModeCopy
{
    int layout;
    int mode;
    int fromMode;
    double labelHeight; // 0 keeps the label cells' heights
};

constexpr ModeCopy kModeCopies[] = {
    { 0, 4, 3, 0 },  // the 16-bed tile of a fetal monitor as its 8-bed tile
    { 2, 4, 3, 10 }, // intrapartum 16-bed tile: the 8-bed boxes with lower label cells
    { 2, 5, 2, 0 },  // intrapartum enlarged bed as its 4-bed tile
    { 3, 5, 2, 0 },  // mother-only enlarged bed as its 4-bed tile
};

enum class CellKind { Label, Value, Unit, Extra };

constexpr CellKind KindOf(int item)
{
    switch (item % 3) {
    case 0: return CellKind::Label;
    case 1: return CellKind::Value;
    default: return (item == PARAM_NIBP_UNIT || item == PARAM_TEMP_UNIT) ? CellKind::Unit : CellKind::Extra;
    }
}

using ParamTable = std::array<std::array<std::array<__DISPLAY_ITEM, kParamItems>, kDisplayModes>, kMonitorLayouts>;

// The label font slot of a layout and mode: that of its first visible label box.
int LabelSlot(int layout, int mode)
{
    for (const VisibleItem& v : kVisibleItems)
        if (v.layout == layout && v.mode == mode && KindOf(v.item) == CellKind::Label)
            return v.font;
    return 5;
}

void FillHidden(std::array<__DISPLAY_ITEM, kParamItems>& records, int labelSlot)
{
    for (int item = 0; item < kParamItems; ++item) {
        __DISPLAY_ITEM& r = records[item];
        r = __DISPLAY_ITEM { 0, 0, 0, 0, 0, L, labelSlot, 0, 0 };
        switch (KindOf(item)) {
        case CellKind::Label: break;
        case CellKind::Value: r.textAlign = R, r.font = labelSlot + 1, r.valueFlag = 1; break;
        case CellKind::Unit: r.textAlign = R; break;
        case CellKind::Extra: break;
        }
    }
}

ParamTable BuildParamTable()
{
    ParamTable table {};
    for (int layout = 0; layout < kMonitorLayouts; ++layout)
        for (int mode = 0; mode < kDisplayModes; ++mode)
            FillHidden(table[layout][mode], LabelSlot(layout, mode));
    for (const VisibleItem& v : kVisibleItems)
        table[v.layout][v.mode][v.item] = __DISPLAY_ITEM { 1, v.x, v.y, v.w, v.h, v.align, v.font, v.valueFlag, 0 };
    for (const ModeCopy& c : kModeCopies) {
        auto& to = table[c.layout][c.mode];
        to = table[c.layout][c.fromMode];
        if (c.labelHeight > 0)
            for (int item = 0; item < kParamItems; ++item)
                if (to[item].visible && KindOf(item) != CellKind::Value)
                    to[item].h = c.labelHeight;
    }
    return table;
}

const ParamTable& ParamItems()
{
    static const ParamTable table = BuildParamTable();
    return table;
}

} // namespace

const __DISPLAY_ITEM& GraphItemRecord(int mode, int item) { return kGraphItems[mode][item]; }

const __DISPLAY_ITEM& ParamItemRecord(int layout, int mode, int item) { return ParamItems()[layout][mode][item]; }

double FontSizePercent(int layout, int mode, int slot) { return kFontSizes[layout][mode][slot]; }

namespace {

// In PARAMITEM group order. NIBP reads at most "888/888" in mmHg and "88.8/88.8" in kPa, the
// temperature "88.8" in degrees Celsius and "888.8" in Fahrenheit, the saturations with their
// pulse rates "888/88%" and "888/888%".
constexpr ParamGroupTexts kGroupTexts[kParamItems / 3] = {
    { nrdata::IDS_PARAM_MHR, "888", { 0, 0 } },           // MHR
    { nrdata::IDS_PARAM_MSPO2, "888/88%", { 0, 0 } },       // MSpO2
    { nrdata::IDS_PARAM_NIBP, "88.8/88.8", { nrdata::IDS_MMHG, nrdata::IDS_KPA } }, // NIBP: mmHg, kPa
    { nrdata::IDS_PARAM_TEMP, "888.8", { nrdata::IDS_DEGREE_CELSIUS, nrdata::IDS_DEGREE_FAHRENHEIT } }, // TEMP: degrees Celsius, Fahrenheit
    { nrdata::IDS_PARAM_UC, "888", { 0, 0 } },           // UC
    { nrdata::IDS_PARAM_IUP, "888", { 0, 0 } },           // IUP
    { nrdata::IDS_PARAM_FECG, "888", { 0, 0 } },           // FECG
    { nrdata::IDS_PARAM_FHR1, "888", { 0, 0 } },           // FHR1
    { nrdata::IDS_PARAM_FHR2, "888", { 0, 0 } },           // FHR2
    { nrdata::IDS_PARAM_FSPO2, "888/888%", { 0, 0 } },      // FSpO2
};

} // namespace

const ParamGroupTexts& ParamGroupTextsOf(int group) { return kGroupTexts[group]; }

} // namespace nyraclient::display
