// The numeric boxes of a bed window's panel made legible. The layout tables give each box its
// place and its font as shares of the panel; on a small panel a font may be taller or wider than
// its box, and on a tile a label's font may come out too small to read. Each box's text is
// therefore fitted:
//  1. the font of the table, made smaller until every text the box may show (the widest value
//     it can read, a label, either unit) fits its box;
//  2. a box whose fitted font is below the legible height grows, when the panel has the room,
//     to the size that text needs at that height: first over its own group's value box (which
//     gives up that strip and is fitted again), never over another group's boxes or out of the
//     panel.
// What the painters draw then stands inside its box, apart from every other text.
#pragma once

#include "nyraclient/display/DisplayTypes.h"

#include "platform/core/CString.h"
#include "platform/core/Geometry.h"

#include <array>
#include <vector>

namespace nyraclient::display {

// The smallest font cell height in pixels a nurse reads at a glance: capitals of about 9.5
// pixels in the panel's bold face.
constexpr int kLegibleFontHeight = 15;

struct PanelBox
{
    CRect cell;                 // the table's box; empty for a hidden item
    int fontHeight { 0 };       // the table's font (cell height in pixels)
    UINT align { 0 };           // DT_LEFT or DT_RIGHT
    std::vector<CString> texts; // every text the box may show; none: nothing to fit
};

struct PanelText
{
    CRect rect;          // where the text is drawn
    int fontHeight { 0 }; // cell height of its font; 0 for a box without text
};

std::array<PanelText, kParamItems> FitPanelTexts(const std::array<PanelBox, kParamItems>& boxes, const CRect& panel,
                                                 const char* face);

// The width and line height of `text` in the panel's bold `face` at a cell height.
CSize PanelTextExtent(const CString& text, int fontHeight, const char* face);

} // namespace nyraclient::display
