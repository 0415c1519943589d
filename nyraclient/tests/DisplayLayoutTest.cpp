// The layout of a bed window: the three areas per display mode, the numeric boxes and wave
// strips from the layout tables, and the fonts that follow the parameter panel's height.
#include "nyraclient/display/CDisplayInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

void ExpectRect(const CRect& r, int l, int t, int rr, int b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
}

std::set<int> VisibleItems(CDisplayInfo& info, BYTE layout)
{
    std::set<int> items;
    for (int item = 0; item < kParamItems; ++item)
        if (info.IsVisible(static_cast<PARAMITEM>(item), layout))
            items.insert(item);
    return items;
}

LONG FontHeight(CFont* font)
{
    LOGFONT lf {};
    font->GetLogFont(&lf);
    return lf.lfHeight;
}

// ---- the three areas ---------------------------------------------------------------------------

struct AreaCase
{
    DISPMODE mode;
    CRect window;
    CRect trend, graph, param;
};

// A window 1000 px high from y = 0, and a bed window's client area less its caption, whose
// trend area ends where the window's height says, not 20 px lower.
const AreaCase kAreaCases[] = {
    { DISPMODE_1CH, { 0, 0, 1000, 1000 }, { 0, 0, 0, 0 }, { 0, 0, 0, 0 }, { 2, 2, 998, 998 } },
    { DISPMODE_16CH, { 0, 0, 1000, 1000 }, { 0, 0, 0, 0 }, { 0, 0, 0, 0 }, { 2, 2, 998, 998 } },
    { DISPMODE_2CH, { 0, 0, 1000, 1000 }, { 2, 2, 998, 885 }, { 0, 900, 1000, 900 }, { 2, 900, 998, 998 } },
    { DISPMODE_4CH, { 0, 0, 1000, 1000 }, { 2, 2, 998, 835 }, { 0, 850, 1000, 850 }, { 2, 850, 998, 998 } },
    { DISPMODE_8CH, { 0, 0, 1000, 1000 }, { 2, 2, 998, 735 }, { 0, 750, 1000, 750 }, { 2, 750, 998, 998 } },
    { DISPMODE_ENLARGE, { 0, 0, 1000, 1000 }, { 2, 2, 998, 685 }, { 2, 700, 998, 900 }, { 2, 900, 998, 998 } },
    { DISPMODE_2CH, { 1, 20, 399, 299 }, { 3, 22, 397, 236 }, { 1, 251, 399, 251 }, { 3, 251, 397, 297 } },
    { DISPMODE_ENLARGE, { 1, 20, 799, 599 }, { 3, 22, 797, 390 }, { 3, 405, 797, 520 }, { 3, 520, 797, 597 } },
};

TEST(DisplayLayoutAreas, EachModeSplitsTheWindowByItsShares)
{
    for (const AreaCase& c : kAreaCases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " window top " << c.window.top);
        CDisplayInfo info;
        info.SetDisplayMode(c.mode, 0);
        info.Calculation(c.window);
        ExpectRect(info.GetTrendRectAll(), c.trend.left, c.trend.top, c.trend.right, c.trend.bottom);
        ExpectRect(info.GetGraphRectAll(), c.graph.left, c.graph.top, c.graph.right, c.graph.bottom);
        ExpectRect(info.GetParamRectAll(), c.param.left, c.param.top, c.param.right, c.param.bottom);
    }
}

TEST(DisplayLayoutAreas, SettingTheCurrentModeAgainChangesNothing)
{
    CDisplayInfo info;
    EXPECT_EQ(info.GetDisplayMode(), -1);
    EXPECT_EQ(info.SetDisplayMode(DISPMODE_2CH, 1), 1);
    info.Calculation(CRect(0, 0, 1000, 1000));
    EXPECT_EQ(info.SetDisplayMode(DISPMODE_2CH, 1), 0);
    ExpectRect(info.GetTrendRectAll(), 2, 2, 998, 885);

    // Another mode with recalc lays out again on the stored window.
    EXPECT_EQ(info.SetDisplayMode(DISPMODE_ENLARGE, 1), 1);
    ExpectRect(info.GetTrendRectAll(), 2, 2, 998, 685);
    // Without recalc only the mode changes.
    EXPECT_EQ(info.SetDisplayMode(DISPMODE_1CH, 0), 1);
    ExpectRect(info.GetTrendRectAll(), 2, 2, 998, 685);
}

TEST(DisplayLayoutAreas, AnEmptyWindowChangesNothingFontsIncluded)
{
    CDisplayInfo info;
    info.SetDisplayMode(DISPMODE_ENLARGE, 0);
    info.Calculation(CRect(0, 0, 0, 0));
    EXPECT_TRUE(info.GetParamRectAll().IsRectNull());
    EXPECT_EQ(info.GetFont(6, 0)->m_hObject, nullptr);

    info.Calculation(CRect(0, 0, 1000, 1000));
    const LONG before = FontHeight(info.GetFont(6, 0));
    info.Calculation(CRect(5, 5, 5, 400));
    ExpectRect(info.GetParamRectAll(), 2, 900, 998, 998);
    EXPECT_EQ(FontHeight(info.GetFont(6, 0)), before);
}

// ---- wave strips -------------------------------------------------------------------------------

TEST(DisplayLayoutGraphItems, OnlyTheEnlargedBedShowsTwoHalvesEachOnePixelShort)
{
    for (int mode = DISPMODE_1CH; mode <= DISPMODE_16CH; ++mode) {
        CDisplayInfo info;
        info.SetDisplayMode(static_cast<DISPMODE>(mode), 0);
        info.Calculation(CRect(0, 0, 1000, 1000));
        for (GRAPHITEM item : { GRAPH_TOP, GRAPH_BOTTOM }) {
            EXPECT_EQ(info.IsVisible(item, 0), 0) << "mode " << mode;
            EXPECT_TRUE(info.GetItemRect(item, 0).IsRectNull()) << "mode " << mode;
        }
    }
    CDisplayInfo info;
    info.SetDisplayMode(DISPMODE_ENLARGE, 0);
    info.Calculation(CRect(0, 0, 1000, 1000)); // wave area (2, 700, 998, 900)
    EXPECT_EQ(info.IsVisible(GRAPH_TOP, 3), 1);
    EXPECT_EQ(info.IsVisible(GRAPH_BOTTOM, 0), 1);
    ExpectRect(info.GetItemRect(GRAPH_TOP, 0), 2, 700, 998, 799);
    ExpectRect(info.GetItemRect(GRAPH_BOTTOM, 0), 2, 800, 998, 899);
}

// ---- numeric boxes -------------------------------------------------------------------------------

struct VisibleCountCase
{
    BYTE layout;
    int counts[kDisplayModes];
};

// How many boxes each monitor layout shows per mode.
const VisibleCountCase kVisibleCounts[] = {
    { 0, { 6, 6, 6, 6, 6, 6 } },
    { 1, { 17, 17, 16, 17, 17, 16 } },
    { 2, { 18, 20, 20, 20, 20, 20 } },
    { 3, { 10, 10, 10, 11, 11, 10 } },
};

TEST(DisplayLayoutParamItems, EachLayoutShowsItsOwnNumerics)
{
    for (const VisibleCountCase& c : kVisibleCounts) {
        for (int mode = 0; mode < kDisplayModes; ++mode) {
            CDisplayInfo info;
            info.SetDisplayMode(static_cast<DISPMODE>(mode), 0);
            const std::set<int> items = VisibleItems(info, c.layout);
            EXPECT_EQ(static_cast<int>(items.size()), c.counts[mode]) << "layout " << int(c.layout) << " mode " << mode;
            for (int item : items) {
                if (c.layout == MONITOR_LAYOUT_ANTEPARTUM) { // UC, FHR1 and FHR2 only
                    EXPECT_TRUE(item == 12 || item == 13 || item == 21 || item == 22 || item == 24 || item == 25) << item;
                }
                if (c.layout == MONITOR_LAYOUT_MOTHER_ONLY) { // the maternal items only
                    EXPECT_LE(item, PARAM_TEMP_UNIT) << item;
                }
                const UINT align = info.GetTextAlign(static_cast<PARAMITEM>(item), c.layout);
                EXPECT_NE(align, 1u) << "no visible box is centred";
            }
        }
    }
}

TEST(DisplayLayoutParamItems, RepeatedModesCopyTheirSourceMode)
{
    struct Copy { BYTE layout; DISPMODE mode, from; };
    for (Copy c : { Copy { 0, DISPMODE_16CH, DISPMODE_8CH }, Copy { 2, DISPMODE_ENLARGE, DISPMODE_4CH },
                    Copy { 3, DISPMODE_ENLARGE, DISPMODE_4CH }, Copy { 2, DISPMODE_16CH, DISPMODE_8CH } }) {
        CDisplayInfo a, b;
        a.SetDisplayMode(c.mode, 0);
        b.SetDisplayMode(c.from, 0);
        for (int item = 0; item < kParamItems; ++item) {
            const __DISPLAY_ITEM* x = a.GetDisplayInfo(static_cast<PARAMITEM>(item), c.layout);
            const __DISPLAY_ITEM* y = b.GetDisplayInfo(static_cast<PARAMITEM>(item), c.layout);
            SCOPED_TRACE(testing::Message() << "layout " << int(c.layout) << " mode " << c.mode << " item " << item);
            EXPECT_EQ(x->visible, y->visible);
            EXPECT_EQ(x->x, y->x);
            EXPECT_EQ(x->y, y->y);
            EXPECT_EQ(x->w, y->w);
            EXPECT_EQ(x->font, y->font);
            // The intrapartum 16-bed tile has lower label cells.
            const bool label = item % 3 != 1;
            if (c.layout == 2 && c.mode == DISPMODE_16CH && x->visible && label) {
                EXPECT_EQ(x->h, 10);
                EXPECT_EQ(y->h, 15);
            } else {
                EXPECT_EQ(x->h, y->h);
            }
        }
    }
}

struct ItemRectCase
{
    BYTE layout;
    PARAMITEM item;
    CRect expected;
};

TEST(DisplayLayoutParamItems, BoxesArePlacedInThePanelAndNarrowedByTwoPixels)
{
    // Enlarged bed, window (0, 0, 1000, 1000): panel (2, 900, 998, 998), 996 x 98.
    const ItemRectCase cases[] = {
        // FHR1 value (0, 25, 25, 75): 98 x 25 % = 24.5 rounds to 25, 996 x 25 % = 249.
        { 0, PARAM_FHR1_VALUE, { 4, 925, 249, 999 } },
        // UC label (50, 0, 10, 25).
        { 0, PARAM_UC_LABEL, { 502, 900, 598, 925 } },
        // MSpO2 third cell: shown with a zero-size box (the narrowing turns it inside out).
        { 1, PARAM_MSPO2_EXTRA, { 0, 0, 0, 0 } },
        // A hidden item: no box and no narrowing.
        { 0, PARAM_MHR_VALUE, { 0, 0, 0, 0 } },
        { 3, PARAM_FHR1_LABEL, { 0, 0, 0, 0 } },
    };
    CDisplayInfo info;
    info.SetDisplayMode(DISPMODE_ENLARGE, 0);
    info.Calculation(CRect(0, 0, 1000, 1000));
    for (const ItemRectCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << int(c.layout) << " item " << c.item);
        ExpectRect(info.GetItemRect(c.item, c.layout), c.expected.left, c.expected.top, c.expected.right,
                   c.expected.bottom);
    }
    // The MSpO2 third cell is not visible in the enlarged bed of layout 1, but is in its 2-bed tile.
    info.SetDisplayMode(DISPMODE_2CH, 1); // panel (2, 900, 998, 998)
    ExpectRect(info.GetItemRect(PARAM_MSPO2_EXTRA, 1), 4, 900, 0, 900);
}

TEST(DisplayLayoutParamItems, EveryVisibleBoxStaysInsideThePanel)
{
    for (int layout = 0; layout < kMonitorLayouts; ++layout) {
        for (int mode = 0; mode < kDisplayModes; ++mode) {
            CDisplayInfo info;
            info.SetDisplayMode(static_cast<DISPMODE>(mode), 0);
            info.Calculation(CRect(1, 20, 1279, 799));
            const CRect panel = info.GetParamRectAll();
            for (int item : VisibleItems(info, static_cast<BYTE>(layout))) {
                const CRect r = info.GetItemRect(static_cast<PARAMITEM>(item), static_cast<BYTE>(layout));
                SCOPED_TRACE(testing::Message() << "layout " << layout << " mode " << mode << " item " << item);
                if (r.IsRectNull())
                    continue;
                if (item == PARAM_MSPO2_EXTRA)
                    continue; // the zero-size box
                EXPECT_GE(r.left, panel.left + 2);
                EXPECT_LE(r.right, panel.right - 2 + 1);
                EXPECT_GE(r.top, panel.top);
                // The 8-bed tile of a mother-and-fetal monitor lets its NIBP and TEMP values run
                // 5 % below the panel, as the monitor's own layout does.
                EXPECT_LE(r.bottom, panel.bottom + 1 + (layout == 1 && mode == 3 ? panel.Height() / 20 + 1 : 0));
                EXPECT_FALSE(r.IsRectEmpty());
            }
        }
    }
}

TEST(DisplayLayoutParamItems, HiddenBoxesStillAnswerAlignmentAndFont)
{
    CDisplayInfo info;
    info.SetDisplayMode(DISPMODE_2CH, 0);
    // Layout 0 shows no maternal items; their records still carry a kind's alignment and slot.
    EXPECT_EQ(info.IsVisible(PARAM_MHR_LABEL, 0), 0);
    EXPECT_EQ(info.GetTextAlign(PARAM_MHR_LABEL, 0), 0u);
    EXPECT_EQ(info.GetTextAlign(PARAM_MHR_VALUE, 0), 2u);
    EXPECT_EQ(info.GetDisplayInfo(PARAM_MHR_LABEL, 0)->font, 5);
    EXPECT_EQ(info.GetDisplayInfo(PARAM_MHR_VALUE, 0)->font, 6);
    EXPECT_EQ(info.GetDisplayInfo(PARAM_FHR1_VALUE, 0)->valueFlag, 1);
    EXPECT_EQ(info.GetDisplayInfo(PARAM_FHR1_LABEL, 0)->valueFlag, 0);
}

TEST(DisplayLayoutParamItems, IndexesOutOfRangeAnswerHiddenInsteadOfReadingPastTheTables)
{
    CDisplayInfo info; // no mode yet
    EXPECT_EQ(info.IsVisible(PARAM_FHR1_VALUE, 0), 0);
    EXPECT_EQ(info.GetDisplayInfo(PARAM_FHR1_VALUE, 0), nullptr);
    EXPECT_EQ(info.GetFont(PARAM_FHR1_VALUE, 0), nullptr);
    EXPECT_TRUE(info.GetItemRect(PARAM_FHR1_VALUE, 0).IsRectNull());
    EXPECT_EQ(info.IsVisible(GRAPH_TOP, 0), 0);
    info.Calculation(CRect(0, 0, 100, 100)); // nothing to lay out without a mode
    EXPECT_TRUE(info.GetParamRectAll().IsRectNull());

    info.SetDisplayMode(DISPMODE_2CH, 0);
    EXPECT_EQ(info.IsVisible(PARAM_FHR1_VALUE, 4), 0);
    EXPECT_EQ(info.IsVisible(static_cast<PARAMITEM>(30), 0), 0);
    EXPECT_EQ(info.GetFont(7, 0), nullptr);
    EXPECT_EQ(info.GetFont(0, 4), nullptr);
    EXPECT_NE(info.GetFont(6, 3), nullptr);
}

// ---- fonts ---------------------------------------------------------------------------------------

struct FontCase
{
    DISPMODE mode;
    BYTE layout;
    int slot;
    LONG height; // trunc(panel height x size % x 0.9)
};

TEST(DisplayLayoutFonts, HeightsFollowThePanelHeightAndTheTable)
{
    // Window (0, 0, 1000, 1000): the panel is 996 px high in modes 0 and 4, 98 in modes 1 and 5,
    // 148 in mode 2.
    const FontCase cases[] = {
        { DISPMODE_ENLARGE, 0, 6, 79 },  // 98 x 90 % x 0.9 = 79.38
        { DISPMODE_ENLARGE, 1, 5, 42 },  // 98 x 48 % x 0.9 = 42.336
        { DISPMODE_2CH, 0, 6, 105 },     // 98 x 120 % x 0.9 = 105.84
        { DISPMODE_4CH, 2, 4, 23 },      // 148 x 18 % x 0.9 = 23.976
        { DISPMODE_16CH, 2, 4, 67 },     // 996 x 7.5 % x 0.9 = 67.23
        { DISPMODE_1CH, 3, 0, 134 },     // 996 x 15 % x 0.9 = 134.46
    };
    for (const FontCase& c : cases) {
        CDisplayInfo info;
        info.SetDisplayMode(c.mode, 0);
        info.Calculation(CRect(0, 0, 1000, 1000));
        EXPECT_EQ(FontHeight(info.GetFont(c.slot, c.layout)), c.height)
            << "mode " << c.mode << " layout " << int(c.layout) << " slot " << c.slot;
    }
}

TEST(DisplayLayoutFonts, AnItemUsesItsRecordsSlotAndFontsFollowOnlyARecalculatedMode)
{
    CDisplayInfo info;
    info.SetDisplayMode(DISPMODE_ENLARGE, 0);
    info.Calculation(CRect(0, 0, 1000, 1000));
    EXPECT_EQ(info.GetFont(PARAM_FHR1_VALUE, 1), info.GetFont(6, 1));
    EXPECT_EQ(info.GetFont(PARAM_MHR_VALUE, 1), info.GetFont(5, 1));

    info.SetDisplayMode(DISPMODE_2CH, 0);
    EXPECT_EQ(FontHeight(info.GetFont(6, 0)), 79); // still the enlarged sizes
    info.SetDisplayMode(DISPMODE_4CH, 1);          // panel 148 high
    EXPECT_EQ(FontHeight(info.GetFont(6, 0)), 109); // 148 x 82.5 % x 0.9 = 109.89
}

TEST(DisplayLayoutFonts, AFaceNameReachesEveryFontOnceLaidOut)
{
    CDisplayInfo info;
    info.SetDisplayMode(DISPMODE_2CH, 0);
    info.SetFontName("Times New Roman");
    EXPECT_EQ(info.GetFont(0, 0)->m_hObject, nullptr); // nothing laid out yet
    info.Calculation(CRect(0, 0, 800, 600));
    LOGFONT lf {};
    info.GetFont(3, 2)->GetLogFont(&lf);
    EXPECT_STREQ(lf.lfFaceName, "Times New Roman");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    info.SetFontName("Arial");
    info.GetFont(3, 2)->GetLogFont(&lf);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
}

} // namespace
