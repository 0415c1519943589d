// The trend strip renderer on a memory DC: grid lines and their pens, curve points at their
// heights, the pen lifted at gaps and jumps, marks, consecutive strips, and the cases where it
// must draw nothing.
#include "nrdata/tests/support/TrendRenderFixture.h"

#include "nyraclient/display/CDisplayInfo.h"
#include "nrdata/trend/TrendCurves.h"
#include "nrdata/trend/TrendGraphRenderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace trendtest;
using nrdata::trend::CTrendSource;
using nrdata::trend::CTrendVectorSource;

namespace {

// Area (0, 0, 700, 300) gives 66 columns of 10 px: FHR grid (20, 0, 680, 210), UC grid
// (20, 230, 680, 300). At speed 3 a strip covers 660 records, 3300 samples over 660 px.
const CRect kArea(0, 0, 700, 300);
constexpr UINT kStripRecords = 660;

struct Paper
{
    CRect fhr, uc;
    UINT columns { 0 };
    explicit Paper(CRect area = kArea, UINT askColumns = 0)
    {
        columns = askColumns;
        CDisplayInfo::GetTrendRect(area, fhr, uc, 0.72, 0.25, CRect(0, 0, 0, 0), columns);
    }
};

// x of record r's first sample.
int XOfRecord(UINT r) { return 20 + static_cast<int>(660LL * r * 5 / (kStripRecords * 5)); }

int Draw(Canvas& c, const CTrendSource& source, UINT& index, int what = TREND_DRAW_ALL, DRAW_MODE mode = DRAW_SCREEN,
         int speed = 3, int legend = 0, const Paper& paper = Paper())
{
    return CDisplayInfo::DrawTrendGraph(&c.dc, paper.fhr, paper.uc, paper.columns, &source, index, -1, speed, mode,
                                        legend, what);
}

class TrendRender : public testing::Test
{
protected:
    void SetUp() override { Prepare(source, MONITOR_LAYOUT_MOTHER_FETAL); }
    CTrendVectorSource source;
};

// ---- nothing to draw on ----------------------------------------------------------------------------

TEST_F(TrendRender, WithoutASurfaceOrColumnsNothingIsDrawnAndTheIndexStays)
{
    AddEntries(source, 10, [](PKParam_v110& p, UINT) { p.SetFHR1(0, 140); });
    const Paper paper;
    UINT index = 5;
    CDC noSurface;
    EXPECT_EQ(CDisplayInfo::DrawTrendGraph(&noSurface, paper.fhr, paper.uc, paper.columns, &source, index, -1, 3,
                                           DRAW_SCREEN, 1, TREND_DRAW_ALL), 0);
    EXPECT_EQ(CDisplayInfo::DrawTrendGraph(nullptr, paper.fhr, paper.uc, paper.columns, &source, index, -1, 3,
                                           DRAW_SCREEN, 1, TREND_DRAW_ALL), 0);
    Canvas c(700, 340);
    EXPECT_EQ(CDisplayInfo::DrawTrendGraph(&c.dc, paper.fhr, paper.uc, 0, &source, index, -1, 3, DRAW_SCREEN, 1,
                                           TREND_DRAW_ALL), 0);
    EXPECT_EQ(CDisplayInfo::DrawTrendGraph(&c.dc, paper.fhr, paper.uc, paper.columns, nullptr, index, -1, 3,
                                           DRAW_SCREEN, 1, TREND_DRAW_ALL), 0);
    EXPECT_EQ(index, 5u);
    EXPECT_EQ(c.Count(RGB(255, 255, 255)), 700 * 340);
}

// At any window size the paper either fits or the renderer draws nothing; no size divides by zero.
TEST_F(TrendRender, EveryWindowSizeDrawsPaperOrNothing)
{
    AddEntries(source, 100, [](PKParam_v110& p, UINT) { p.SetFHR1(0, 140); p.SetUC(0, 30); });
    for (int w = 0; w <= 130; w += 5) {
        for (int h = 0; h <= 130; h += 5) {
            Canvas c(140, 140);
            const Paper paper(CRect(2, 2, 2 + w, 2 + h));
            UINT index = 0;
            const int drawn = Draw(c, source, index, TREND_DRAW_ALL, DRAW_SCREEN, 3, 1, paper);
            if (paper.columns == 0) {
                EXPECT_EQ(drawn, 0) << w << " x " << h;
                EXPECT_EQ(c.Count(RGB(255, 255, 255)), 140 * 140) << w << " x " << h;
            } else {
                EXPECT_EQ(drawn, 1) << w << " x " << h;
            }
        }
    }
}

// ---- grid ------------------------------------------------------------------------------------------

TEST_F(TrendRender, GridLinesTakeTheOuterCentreAndInnerPens)
{
    Canvas c(700, 340);
    UINT index = 0;
    ASSERT_EQ(Draw(c, source, index, TREND_DRAW_GRID), 1);
    EXPECT_EQ(index, 0u) << "the grid alone does not advance the index";
    const struct
    {
        int x, y;
        COLORREF colour;
    } pixels[] = {
        { 20, 5, colour::GridOuter },   // column 0
        { 30, 5, colour::GridInner },   // column 1
        { 40, 5, colour::GridCenter },  // column 2
        { 80, 35, colour::GridOuter },  // column 6
        { 680, 5, colour::GridOuter },  // column 66, the right edge
        { 25, 10, colour::GridInner },  // FHR row 1
        { 25, 20, colour::GridCenter }, // FHR row 2
        { 25, 40, colour::GridOuter },  // FHR row 4
        { 25, 210, colour::GridInner }, // FHR row 21, the bottom edge: odd
        { 25, 237, colour::GridInner }, // UC row 1
        { 25, 244, colour::GridOuter }, // UC row 2
        { 30, 250, colour::GridInner }, // UC column 1
        { 20, 301, colour::GridOuter }, // the tick below the UC grid at column 0
        { 30, 301, RGB(255, 255, 255) },// no tick at column 1
        { 20, 303, RGB(255, 255, 255) },// the tick is trunc(10 / 3) = 3 px long
        { 25, 220, RGB(255, 255, 255) },// the gap between the grids
    };
    for (const auto& p : pixels)
        EXPECT_EQ(c.dc.GetPixel(p.x, p.y), p.colour) << p.x << ", " << p.y;
}

// ---- scales ----------------------------------------------------------------------------------------

// The label texts at one x, top to bottom.
std::vector<std::string> LabelsAt(const std::vector<nrdata::trend::TrendScaleLabel>& labels, int x, int top,
                                  int bottom)
{
    std::vector<std::string> texts;
    for (const auto& l : labels)
        if (l.x == x && l.y >= top && l.y <= bottom)
            texts.emplace_back(static_cast<const char*>(l.text));
    return texts;
}

using Texts = std::vector<std::string>;

// On the 10 px paper the scale font has its minimum height: every 6th FHR row and 5th UC row.
// Lines: left x 80, right x 620 (6 columns in from each edge), temperature x 350 (the middle).
TEST_F(TrendRender, ScalesFollowTheMonitorLayoutAndTheUnits)
{
    const struct
    {
        const char* name;
        BYTE layout;
        int nibpUnit, tempUnit;
        Texts fhrLeft, fhrRight, ucLeft, ucMiddle, ucRight;
    } cases[] = {
        { "mother and fetal", MONITOR_LAYOUT_MOTHER_FETAL, 1, 1, { "240", "180", "120", "60" }, { "300", "210", "120", "30" },
          { "100", "50", "0" }, { "45", "30", "15" }, { "100", "85", "70" } },
        { "kPa and Fahrenheit", MONITOR_LAYOUT_INTRAPARTUM, 2, 2, { "240", "180", "120", "60" },
          { "40.0", "28.0", "16.0", "4.0" }, { "13.3", "6.7", "0.0" }, { "113.0", "86.0", "59.0" }, { "100", "85", "70" } },
        { "antepartum", MONITOR_LAYOUT_ANTEPARTUM, 1, 1, { "240", "180", "120", "60" }, { "240", "180", "120", "60" },
          { "100", "50", "0" }, {}, { "100", "50", "0" } },
    };
    const Paper paper;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NyraConfig cfg;
        cfg.Default();
        cfg.NIBPUnit = c.nibpUnit;
        cfg.TempUnit = c.tempUnit;
        const auto labels = nrdata::trend::TrendScaleLabels(paper.fhr, paper.uc, paper.columns, cfg, c.layout);
        EXPECT_EQ(LabelsAt(labels, 80, 0, 210), c.fhrLeft);
        EXPECT_EQ(LabelsAt(labels, 620, 0, 210), c.fhrRight);
        EXPECT_EQ(LabelsAt(labels, 80, 230, 300), c.ucLeft);
        EXPECT_EQ(LabelsAt(labels, 350, 230, 300), c.ucMiddle);
        EXPECT_EQ(LabelsAt(labels, 620, 230, 300), c.ucRight);
    }
    // Rows 0, 6, 12 and 18 of the FHR grid; 0, 5 and 10 of the UC grid.
    NyraConfig cfg;
    cfg.Default();
    std::vector<int> ys;
    for (const auto& l : nrdata::trend::TrendScaleLabels(paper.fhr, paper.uc, paper.columns, cfg, 1))
        if (l.x == 80)
            ys.push_back(l.y);
    EXPECT_EQ(ys, (std::vector<int> { 0, 60, 120, 180, 230, 265, 300 }));
}

TEST_F(TrendRender, ALargerScaleFontLabelsEvery4thFHRRowAndEvery2ndUCRow)
{
    // 20 px cells: the font is 16 px high, above its minimum.
    const Paper wide(CRect(0, 0, 1500, 600));
    ASSERT_EQ(wide.fhr.Height() / 21, 20);
    NyraConfig cfg;
    cfg.Default();
    const auto labels = nrdata::trend::TrendScaleLabels(wide.fhr, wide.uc, wide.columns, cfg, 1);
    const int left = wide.fhr.left + 6 * 20;
    EXPECT_EQ(LabelsAt(labels, left, wide.fhr.top, wide.fhr.bottom), (Texts { "240", "200", "160", "120", "80", "40" }));
    EXPECT_EQ(LabelsAt(labels, left, wide.uc.top, wide.uc.bottom), (Texts { "100", "80", "60", "40", "20", "0" }));
}

// ---- curves ----------------------------------------------------------------------------------------

TEST_F(TrendRender, CurvesLieAtTheirValuesHeightAboveTheirGridsBaseLine)
{
    const struct
    {
        const char* name;
        std::function<void(PKParam_v110&, int)> set;
        int y;
        COLORREF colour;
    } cases[] = {
        { "FHR1 135 halfway up the FHR grid", [](PKParam_v110& p, int i) { p.SetFHR1(i, 135); }, 105, colour::FHR1 },
        { "FHR2 240 at the top", [](PKParam_v110& p, int i) { p.SetFHR2(i, 240); }, 0, colour::FHR2 },
        { "MHR 72 on the FHR grid", [](PKParam_v110& p, int i) { p.SetECG(i, 72); }, 168, colour::HR },
        { "SpO2 65 on the UC grid's base line", [](PKParam_v110& p, int i) { p.SetSpO2(i, 65); }, 300, colour::SpO2 },
        { "SpO2 100 at the UC grid's top", [](PKParam_v110& p, int i) { p.SetSpO2(i, 100); }, 230, colour::SpO2 },
        { "temperature 36.5 at 215/300 of 70 px", [](PKParam_v110& p, int) { p.SetTemp(36.5f); }, 250, colour::TEMP },
        { "UC 50", [](PKParam_v110& p, int i) { p.SetUC(i, 50); }, 265, colour::UC },
        { "FM1 0 halfway up the UC grid", [](PKParam_v110& p, int i) { p.SetFM1(i, 0); }, 265, colour::FHR1 },
        { "FM2 100 halfway up the UC grid", [](PKParam_v110& p, int i) { p.SetFM2(i, 100); }, 265, colour::FHR2 },
        { "FSpO2 pulse rate 240", [](PKParam_v110& p, int i) { p.SetFSpO2R(i, 240); }, 0, colour::FSpO2 },
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        CTrendVectorSource s;
        Prepare(s, MONITOR_LAYOUT_MOTHER_FETAL);
        AddEntries(s, kStripRecords, [&](PKParam_v110& p, UINT) {
            for (int i = 0; i < 5; ++i)
                tc.set(p, i);
        });
        Canvas c(700, 340);
        UINT index = 0;
        ASSERT_EQ(Draw(c, s, index, TREND_DRAW_CURVES), 1);
        EXPECT_EQ(c.dc.GetPixel(303, tc.y), tc.colour);
        EXPECT_EQ(c.dc.GetPixel(600, tc.y), tc.colour);
        EXPECT_GT(c.Count(CRect(20, tc.y, 680, tc.y + 1), tc.colour), 600);
    }
}

// FHR1 steps between two halves of the strip at record 330 (x = 350): a step of 11 bpm lifts the
// pen, one of 10 continues the line. y(140) = 100, y(150) = 90, y(151) = 89.
TEST_F(TrendRender, AJumpAboveTheLimitStartsANewSegment)
{
    for (int step : { 10, 11 }) {
        CTrendVectorSource s;
        Prepare(s, MONITOR_LAYOUT_MOTHER_FETAL);
        AddEntries(s, kStripRecords, [&](PKParam_v110& p, UINT r) {
            for (int i = 0; i < 5; ++i)
                p.SetFHR1(i, static_cast<BYTE>(r < 330 ? 140 : 140 + step));
        });
        Canvas c(700, 340);
        UINT index = 0;
        Draw(c, s, index, TREND_DRAW_CURVES);
        const int between = c.Count(CRect(345, 91, 356, 99), colour::FHR1);
        if (step == 10)
            EXPECT_GT(between, 0) << "a step of 10 is joined";
        else
            EXPECT_EQ(between, 0) << "a step of 11 is not joined";
        EXPECT_EQ(c.dc.GetPixel(340, 100), colour::FHR1);
        EXPECT_EQ(c.dc.GetPixel(360, 100 - step), colour::FHR1);
    }
    // The temperature jumps by whole degrees: 36.9 to 57.0 is 21 degrees, drawn far above.
    EXPECT_EQ(nrdata::trend::FindTrendCurve(ParamKind::Temp)->jumpValue(369), 36);
    EXPECT_EQ(nrdata::trend::FindTrendCurve(ParamKind::FHR2)->jumpLimit, 10);
    EXPECT_EQ(nrdata::trend::FindTrendCurve(ParamKind::ECG)->jumpLimit, 20);
    EXPECT_EQ(nrdata::trend::FindTrendCurve(ParamKind::UC)->jumpLimit, 0);
}

TEST_F(TrendRender, SignalLossLeavesAGap)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT r) {
        if (r < 300 || r >= 360)
            for (int i = 0; i < 5; ++i)
                p.SetFHR1(i, 140);
    });
    Canvas c(700, 340);
    UINT index = 0;
    Draw(c, source, index, TREND_DRAW_CURVES);
    EXPECT_EQ(c.Count(CRect(XOfRecord(300) + 1, 95, XOfRecord(360) - 1, 105), colour::FHR1), 0);
    EXPECT_EQ(c.dc.GetPixel(XOfRecord(298), 100), colour::FHR1);
    EXPECT_EQ(c.dc.GetPixel(XOfRecord(361), 100), colour::FHR1);
}

// The SpO2 pulse rate is gated by its own validity: a no-data pulse rate beside a valid SpO2 no
// longer draws a line from the last rate up and out of the grid.
TEST_F(TrendRender, APulseRateWithoutDataIsNotDrawnBesideAValidSpO2)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT r) {
        for (int i = 0; i < 5; ++i) {
            p.SetSpO2(i, 98);
            p.SetSpO2R(i, r < 330 ? 120 : 0xFFFF);
        }
    });
    Canvas c(700, 340);
    UINT index = 0;
    Draw(c, source, index, TREND_DRAW_CURVES);
    EXPECT_EQ(c.dc.GetPixel(200, 120), colour::SpO2);              // the rate while it has data
    EXPECT_EQ(c.Count(CRect(20, 0, 680, 118), colour::SpO2), 0);    // nothing above it
    EXPECT_EQ(c.Count(CRect(352, 119, 680, 122), colour::SpO2), 0); // nothing after it
}

TEST_F(TrendRender, ConsecutiveCallsDrawConsecutiveStretchesEachStartingAfresh)
{
    AddEntries(source, 2 * kStripRecords, [](PKParam_v110& p, UINT r) {
        for (int i = 0; i < 5; ++i)
            p.SetFHR1(i, r < kStripRecords ? 140 : 200);
    });
    UINT index = 0;
    Canvas first(700, 340);
    Draw(first, source, index, TREND_DRAW_ALL);
    EXPECT_EQ(index, kStripRecords);
    EXPECT_EQ(first.Count(CRect(20, 100, 680, 101), colour::FHR1), 659); // the last pixel is omitted
    EXPECT_EQ(first.Count(CRect(20, 40, 680, 41), colour::FHR1), 0);

    Canvas second(700, 340);
    Draw(second, source, index, TREND_DRAW_ALL);
    EXPECT_EQ(index, 2 * kStripRecords);
    EXPECT_EQ(second.dc.GetPixel(20, 40), colour::FHR1);
    EXPECT_EQ(second.Count(CRect(20, 41, 680, 210), colour::FHR1), 0) << "no line from the previous strip";

    // Past the end of the store the index still advances by a whole strip; nothing is drawn.
    Canvas third(700, 340);
    Draw(third, source, index, TREND_DRAW_CURVES);
    EXPECT_EQ(index, 3 * kStripRecords);
    EXPECT_EQ(third.Count(RGB(255, 255, 255)), 700 * 340);
}

TEST_F(TrendRender, AnUnknownSpeedDrawsTheGridButNoCurvesAndKeepsTheIndex)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT) { p.SetFHR1(0, 140); });
    Canvas c(700, 340);
    UINT index = 7;
    EXPECT_EQ(Draw(c, source, index, TREND_DRAW_ALL, DRAW_SCREEN, 4), 1);
    EXPECT_EQ(index, 7u);
    EXPECT_EQ(c.Count(colour::FHR1), 0);
    EXPECT_EQ(c.dc.GetPixel(20, 5), colour::GridOuter);
}

TEST_F(TrendRender, TheEndIndexStopsTheCurvesButTheIndexMovesAWholeStrip)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT) {
        for (int i = 0; i < 5; ++i)
            p.SetFHR1(i, 140);
    });
    const Paper paper;
    Canvas c(700, 340);
    UINT index = 0;
    CDisplayInfo::DrawTrendGraph(&c.dc, paper.fhr, paper.uc, paper.columns, &source, index, 330, 3, DRAW_SCREEN, 0,
                                 TREND_DRAW_CURVES);
    EXPECT_EQ(index, kStripRecords);
    EXPECT_EQ(c.dc.GetPixel(340, 100), colour::FHR1);
    EXPECT_EQ(c.Count(CRect(352, 100, 680, 101), colour::FHR1), 0);
}

TEST_F(TrendRender, InvisibleKindsAreNotDrawn)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT) {
        for (int i = 0; i < 5; ++i)
            p.SetFHR1(i, 140), p.SetFHR2(i, 150);
    });
    source.m_config.DisplayFlag[9] = 0; // FHR1's display flag
    Canvas c(700, 340);
    UINT index = 0;
    Draw(c, source, index, TREND_DRAW_CURVES);
    EXPECT_EQ(c.Count(colour::FHR1), 0);
    EXPECT_GT(c.Count(colour::FHR2), 600);
}

// ---- marks -----------------------------------------------------------------------------------------

TEST_F(TrendRender, MarksStandAtTheirSamples)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT r) {
        if (r == 100)
            p.SetMarker(1);
        if (r == 200)
            p.SetStimulator(1);
        if (r == 300) {
            p.SetNIBPSys(120), p.SetNIBPMean(93), p.SetNIBPDia(80);
            p.SetNIBPStatus(PK_NIBP_STATUS_DONE);
        }
        if (r == 400)
            p.SetFMD1(0, 1);
        if (r == 410)
            p.SetFMD2(0, 1);
    });
    Canvas c(700, 340);
    UINT index = 0;
    Draw(c, source, index, TREND_DRAW_CURVES);
    // Marker at x 120: an arrow up at the FHR grid's bottom with a 6 px stem.
    EXPECT_EQ(c.dc.GetPixel(120, 213), colour::Marker);
    EXPECT_EQ(c.dc.GetPixel(118, 212), colour::Marker);
    EXPECT_EQ(c.dc.GetPixel(120, 217), RGB(255, 255, 255));
    // Stimulator at x 220: a zigzag of q = 2 px steps below the FHR grid.
    EXPECT_GT(c.Count(CRect(217, 210, 224, 221), colour::Stimulator), 8);
    // NIBP at x 320: ticks at the systolic (y 126), mean (145) and diastolic (154) heights, joined.
    for (int y : { 126, 145, 154 }) {
        EXPECT_EQ(c.dc.GetPixel(316, y), colour::NIBP) << y;
        EXPECT_EQ(c.dc.GetPixel(324, y), colour::NIBP) << y;
    }
    EXPECT_EQ(c.dc.GetPixel(320, 140), colour::NIBP);
    // Fetal movement detections: boxes above the UC grid, FMD1 higher than FMD2.
    EXPECT_EQ(c.dc.GetPixel(420, 227), colour::FHR1);
    EXPECT_EQ(c.dc.GetPixel(430, 229), colour::FHR2);
}

TEST_F(TrendRender, TimeLabelsFallEveryTwelveColumnsBelowTheUCGrid)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT) { p.SetUC(0, 20); });
    Canvas c(700, 340);
    UINT index = 0;
    Draw(c, source, index, TREND_DRAW_CURVES);
    // Labels at x 20, 140, 260 ...: dark text from y 305.
    auto dark = [&](int x0) {
        int n = 0;
        for (int y = 305; y < 325; ++y)
            for (int x = x0; x < x0 + 60; ++x)
                n += GetRValue(c.dc.GetPixel(x, y)) < 100;
        return n;
    };
    EXPECT_GT(dark(20), 20);
    EXPECT_GT(dark(140), 20);
    EXPECT_EQ(c.Count(CRect(0, 300, 19, 340), RGB(0, 0, 0)), 0) << "labels start at their sample";
}

// ---- legend and print mode -------------------------------------------------------------------------

// The longest horizontal run of `colour` in a row band left of the grid.
int LongestRun(const Canvas& c, CRect band, COLORREF colour)
{
    int best = 0;
    for (int y = band.top; y < band.bottom; ++y) {
        int run = 0;
        for (int x = band.left; x < band.right; ++x) {
            run = c.dc.GetPixel(x, y) == colour ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

// Pixels of a band near `colour` (smoothed text has few pixels of the exact colour).
int CountNear(const Canvas& c, CRect band, COLORREF colour)
{
    int count = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x) {
            const COLORREF p = c.dc.GetPixel(x, y);
            if (std::abs(GetRValue(p) - GetRValue(colour)) < 48 && std::abs(GetGValue(p) - GetGValue(colour)) < 48 &&
                std::abs(GetBValue(p) - GetBValue(colour)) < 48)
                ++count;
        }
    return count;
}

TEST_F(TrendRender, ThePrintedLegendNamesEachCurveWithALineSampleInBlack)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT) {
        for (int i = 0; i < 5; ++i)
            p.SetFHR1(i, 140);
    });
    const Paper narrow(kArea, 30); // 300 px wide, from x 200
    ASSERT_EQ(narrow.fhr.left, 200);
    Canvas printed(700, 340), screen(700, 340);
    UINT index = 0;
    Draw(printed, source, index, TREND_DRAW_ALL, DRAW_PRINT, 3, 1, narrow);
    index = 0;
    Draw(screen, source, index, TREND_DRAW_ALL, DRAW_SCREEN, 3, 1, narrow);
    const CRect left(0, 0, 190, 80);
    EXPECT_GE(LongestRun(printed, left, RGB(0, 0, 0)), 24) << "a line sample 2h long";
    EXPECT_EQ(LongestRun(screen, left, RGB(0, 0, 0)), 0) << "the screen legend has no line sample";
    EXPECT_GT(CountNear(screen, left, colour::FHR1), 5) << "FHR1 written in its colour";
    // Only kinds with data in the strip are listed: nothing in the UC column.
    EXPECT_EQ(screen.Count(CRect(0, 230, 190, 300), colour::UC), 0);
    // The printed curve is black.
    EXPECT_EQ(printed.dc.GetPixel(400, 100), RGB(0, 0, 0));
    EXPECT_EQ(printed.Count(colour::FHR1), 0);
}

// ---- entries are copies ----------------------------------------------------------------------------

// A store that trims itself while it is read: each entry lives on the heap and is freed once a
// quarter of the strip was read. The renderer holds copies, so it draws what it read and a gap
// after it, and never touches a freed entry.
class TrimmingSource : public CTrendSource
{
public:
    explicit TrimmingSource(const CTrendVectorSource& from) : m_from(from)
    {
        PKParam_v110 p;
        for (UINT r = 0; r < from.GetCountsOfTrendData(); ++r) {
            from.CopyTrendDataAtIndex(r, p);
            m_entries.push_back(std::make_unique<PKParam_v110>(p));
        }
    }
    UINT GetCountsOfTrendData() const override { return static_cast<UINT>(m_entries.size()); }
    bool CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const override
    {
        if (++m_reads > kStripRecords / 4)
            m_entries.clear();
        if (index >= m_entries.size())
            return false;
        entry = *m_entries[index];
        return true;
    }
    COleDateTime GetStartTimeOfTrend() const override { return m_from.GetStartTimeOfTrend(); }
    NyraConfig GetTrendConfig() const override { return m_from.GetTrendConfig(); }
    BYTE GetMonitorLayout() const override { return m_from.GetMonitorLayout(); }

private:
    const CTrendVectorSource& m_from;
    mutable std::vector<std::unique_ptr<PKParam_v110>> m_entries;
    mutable UINT m_reads { 0 };
};

TEST_F(TrendRender, EntriesAreReadAsCopiesSoTrimmingMeanwhileOnlyShortensTheCurve)
{
    AddEntries(source, kStripRecords, [](PKParam_v110& p, UINT) {
        for (int i = 0; i < 5; ++i)
            p.SetFHR1(i, 140);
    });
    TrimmingSource trimming(source);
    Canvas c(700, 340);
    UINT index = 0;
    EXPECT_EQ(Draw(c, trimming, index, TREND_DRAW_CURVES), 1);
    EXPECT_EQ(index, kStripRecords);
    EXPECT_EQ(c.dc.GetPixel(100, 100), colour::FHR1);
    EXPECT_EQ(c.Count(CRect(XOfRecord(kStripRecords / 4) + 2, 0, 680, 210), colour::FHR1), 0);
}

} // namespace
