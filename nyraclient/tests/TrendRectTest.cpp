// Trend paper from an area: an FHR grid of 21 square rows over a UC grid of 10 rows on the
// bottom edge, whole multiples of 6 columns, centred; nothing when no cell fits.
#include "nyraclient/display/CDisplayInfo.h"

#include <gtest/gtest.h>

namespace {

struct TrendRectCase
{
    const char* name;
    CRect area;
    CRect margin;
    double fhrRatio, ucRatio;
    UINT columnsIn;
    UINT columns;
    CRect fhr, uc;
};

const TrendRectCase kCases[] = {
    // fhrHeight 216, cell 10, ucHeight 75, UC row 7; 70 columns chosen, rounded to 66; 660 px
    // wide with 20 px each side.
    { "chosen columns", { 0, 0, 700, 300 }, { 0, 0, 0, 0 }, 0.72, 0.25, 0, 66, { 20, 0, 680, 210 }, { 20, 230, 680, 300 } },
    { "62 asked become 60", { 0, 0, 700, 300 }, { 0, 0, 0, 0 }, 0.72, 0.25, 62, 60, { 50, 0, 650, 210 }, { 50, 230, 650, 300 } },
    { "5 asked become 0", { 0, 0, 700, 300 }, { 0, 0, 0, 0 }, 0.72, 0.25, 5, 0, { 350, 0, 350, 210 }, { 350, 230, 350, 300 } },
    // A strip of the JPEG report page: (0, 130, 1344, 330) less 60 px at the bottom, 60 columns.
    { "report strip", { 0, 130, 1344, 330 }, { 0, 0, 0, 60 }, 0.72, 0.25, 60, 60, { 552, 130, 792, 214 }, { 552, 240, 792, 270 } },
    // A bed window's trend area with its margins (10, 5 % of H, 10, 4 % of H).
    { "bed trend area", { 3, 22, 797, 390 }, { 10, 20, 10, 16 }, 0.72, 0.25, 0, 66, { 37, 42, 763, 273 }, { 37, 294, 763, 374 } },
    // The printout's ratios.
    { "printout ratios", { 0, 0, 1000, 600 }, { 0, 0, 0, 0 }, 0.72, 0.22, 0, 48, { 20, 0, 980, 420 }, { 20, 470, 980, 600 } },
};

TEST(TrendRect, GridsFromTheArea)
{
    for (const TrendRectCase& c : kCases) {
        SCOPED_TRACE(c.name);
        CRect fhr, uc;
        UINT columns = c.columnsIn;
        CDisplayInfo::GetTrendRect(c.area, fhr, uc, c.fhrRatio, c.ucRatio, c.margin, columns);
        EXPECT_EQ(columns, c.columns);
        EXPECT_EQ(fhr, c.fhr) << fhr.left << "," << fhr.top << "," << fhr.right << "," << fhr.bottom;
        EXPECT_EQ(uc, c.uc) << uc.left << "," << uc.top << "," << uc.right << "," << uc.bottom;
    }
}

// Any area: square FHR cells, whole 6-column groups, the UC grid on the bottom edge sharing the
// FHR grid's columns, centred to within a pixel, and up to 20 px of the FHR share left empty.
TEST(TrendRect, CellsAreSquareColumnsWholeAndTheGridCentred)
{
    for (int width = 130; width <= 1930; width += 37) {
        for (int height = 40; height <= 1100; height += 53) {
            const CRect area(7, 11, 7 + width, 11 + height);
            CRect fhr, uc;
            UINT columns = 0;
            CDisplayInfo::GetTrendRect(area, fhr, uc, 0.72, 0.25, CRect(0, 0, 0, 0), columns);
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            const int cell = fhr.Height() / 21;
            ASSERT_GT(cell, 0);
            EXPECT_EQ(fhr.Height(), 21 * cell);
            EXPECT_EQ(columns % 6, 0u);
            EXPECT_EQ(fhr.Width(), static_cast<int>(columns) * cell);
            EXPECT_LE(static_cast<int>(height * 0.72) - fhr.Height(), 20);
            EXPECT_EQ(fhr.top, area.top);
            EXPECT_EQ(uc.bottom, area.bottom);
            EXPECT_EQ(uc.Height() % 10, 0);
            EXPECT_EQ(uc.left, fhr.left);
            EXPECT_EQ(uc.right, fhr.right);
            EXPECT_LE(std::abs((fhr.left - area.left) - (area.right - fhr.right)), 1);
            EXPECT_LE(fhr.bottom, uc.top);
        }
    }
}

// Too small for one cell: empty grids and 0 columns, also when the caller asked for columns, so
// that the renderer draws nothing instead of dividing by zero.
TEST(TrendRect, AnAreaTooSmallForOneCellGivesEmptyGridsAndNoColumns)
{
    const struct
    {
        CRect area;
        CRect margin;
        UINT columnsIn;
    } cases[] = {
        { { 0, 0, 700, 28 }, { 0, 0, 0, 0 }, 0 },     // FHR share 20 px: no 21 rows
        { { 0, 0, 700, 28 }, { 0, 0, 0, 0 }, 60 },    // the same with columns asked
        { { 0, 0, 700, 35 }, { 0, 0, 0, 0 }, 0 },     // FHR cell 1 px, UC share 8 px: no 10 rows
        { { 0, 0, 0, 0 }, { 0, 0, 0, 0 }, 0 },        // nothing at all
        { { 0, 0, 700, 300 }, { 0, 0, 0, 290 }, 0 },  // eaten by the margin
        { { 0, 0, 700, 300 }, { 400, 0, 400, 0 }, 0 }, // turned inside out by the margins
        { { 0, 0, 5, 300 }, { 0, 0, 0, 0 }, 0 },      // narrower than one cell: 0 columns
    };
    for (const auto& c : cases) {
        CRect fhr(1, 2, 3, 4), uc(5, 6, 7, 8);
        UINT columns = c.columnsIn;
        CDisplayInfo::GetTrendRect(c.area, fhr, uc, 0.72, 0.25, c.margin, columns);
        EXPECT_EQ(columns, 0u) << c.area.Width() << " x " << c.area.Height();
        EXPECT_TRUE(fhr.IsRectEmpty());
        EXPECT_TRUE(uc.IsRectEmpty());
    }
}

} // namespace
