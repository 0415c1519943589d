// The two stations' trend paper from one renderer: where the review station's style differs
// from the central station's (gaps and jumps, scale steps, the marks near the FHR grid's bottom,
// time labels past the data), and the limits every style keeps: a very wide page draws its
// curves in bounded polylines, and grids without a whole pixel a column draw nothing.
#include "nrdata/tests/support/TrendRenderFixture.h"

#include "nrdata/trend/TrendGraphRenderer.h"
#include "nrdata/trend/TrendRect.h"

#include <gtest/gtest.h>

using namespace trendtest;
using nrdata::trend::CTrendVectorSource;
using nrdata::trend::TrendRenderStats;
using nrdata::trend::TrendStyle;
using nrdata::trend::kCentralTrendStyle;
using nrdata::trend::kReviewTrendStyle;

namespace {

// 66 columns of 10 px: FHR grid (20, 0, 680, 210), UC grid (20, 230, 680, 300); at speed 3 a
// page covers 660 records.
struct Paper
{
    CRect fhr, uc;
    UINT columns { 0 };
    explicit Paper(CRect area = CRect(0, 0, 700, 300))
    {
        nrdata::trend::GetTrendRect(area, fhr, uc, 0.72, 0.25, CRect(0, 0, 0, 0), columns);
    }
};

struct Drawn
{
    int result;
    UINT index;
    TrendRenderStats stats;
};

Drawn Render(Canvas& c, const CTrendVectorSource& source, const TrendStyle& style, const Paper& paper = Paper(),
             int speed = 3, int what = TREND_DRAW_CURVES, int end = -1)
{
    Drawn d { 0, 0, {} };
    d.result = nrdata::trend::RenderTrendStrip(&c.dc, paper.fhr, paper.uc, paper.columns, &source, d.index, end,
                                               speed, DRAW_SCREEN, 1, what, style, &d.stats);
    return d;
}

// FHR1 samples as given, one per sample (five to a record); 0 is a sample without data.
CTrendVectorSource FHR1Samples(const std::vector<int>& samples)
{
    CTrendVectorSource s;
    Prepare(s, MONITOR_LAYOUT_MOTHER_FETAL);
    const UINT records = static_cast<UINT>((samples.size() + 4) / 5);
    AddEntries(s, records, [&](PKParam_v110& p, UINT r) {
        for (int i = 0; i < 5; ++i) {
            const size_t at = r * 5 + i;
            if (at < samples.size() && samples[at] != 0)
                p.SetFHR1(i, static_cast<BYTE>(samples[at]));
        }
    });
    return s;
}

// ---- gaps and jumps ---------------------------------------------------------------------------------

TEST(TrendStyle, AfterAGapTheReviewLineStartsOneSampleLater)
{
    const struct
    {
        const char* name;
        std::vector<int> samples;
        size_t centralSegments, centralLines, reviewSegments, reviewLines;
    } cases[] = {
        { "one valid sample between gaps", { 0, 140, 0, 0, 0 }, 0, 0, 0, 0 },
        { "two valid samples", { 0, 140, 140, 0, 0 }, 1, 1, 0, 0 },
        { "a run of six from the page's start", { 140, 140, 140, 140, 140, 140, 0, 0, 0, 0 }, 5, 1, 4, 1 },
        { "two runs of four", { 140, 140, 140, 140, 0, 150, 150, 150, 150, 0 }, 6, 2, 4, 2 },
        // 11 bpm breaks the line; in the review style the jump is a gap of its own.
        { "a step of 11", { 140, 140, 140, 151, 151, 151, 151, 0, 0, 0 }, 5, 2, 2, 2 },
        { "a step of 10", { 140, 140, 140, 150, 150, 150, 150, 0, 0, 0 }, 6, 1, 5, 1 },
        // The jump test compares valid samples only: a gap between two levels 30 apart is a gap,
        // and the first level after it is compared with the last before it.
        { "a jump across a gap", { 140, 140, 0, 170, 170, 170, 0, 0, 0, 0 }, 3, 2, 0, 0 },
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        const CTrendVectorSource s = FHR1Samples(tc.samples);
        Canvas central(700, 340);
        Canvas review(700, 340);
        const Drawn c = Render(central, s, kCentralTrendStyle);
        const Drawn r = Render(review, s, kReviewTrendStyle);
        EXPECT_EQ(c.stats.curveSegments, tc.centralSegments);
        EXPECT_EQ(c.stats.polylines, tc.centralLines);
        EXPECT_EQ(r.stats.curveSegments, tc.reviewSegments);
        EXPECT_EQ(r.stats.polylines, tc.reviewLines);
    }
}

// ---- very wide pages and grids too small --------------------------------------------------------------

TEST(TrendStyle, AVeryWidePageDrawsItsCurveInBoundedPolylinesWithoutABreak)
{
    // 1 px cells over 1300 px: 1296 columns, at speed 1 (30 s a column) 38,880 records and
    // 194,400 samples on one page: more points than one polyline takes.
    const Paper paper(CRect(0, 0, 1300, 40));
    ASSERT_EQ(paper.fhr.Width() / static_cast<int>(paper.columns), 1);
    const UINT records = paper.columns * 30;
    CTrendVectorSource s;
    Prepare(s, MONITOR_LAYOUT_MOTHER_FETAL);
    s.Reserve(records);
    AddEntries(s, records, [](PKParam_v110& p, UINT) {
        for (int i = 0; i < 5; ++i)
            p.SetFHR1(i, 140);
    });
    for (const TrendStyle* style : { &kCentralTrendStyle, &kReviewTrendStyle }) {
        Canvas c(1300, 80);
        const Drawn d = Render(c, s, *style, paper, 1);
        ASSERT_EQ(d.result, 1);
        EXPECT_EQ(d.index, records);
        const size_t points = size_t(records) * 5 - (style->gapSwallowsSample ? 1 : 0);
        EXPECT_EQ(d.stats.curveSegments, points - 1) << "the pieces share their end points";
        EXPECT_EQ(d.stats.polylines, (points + nrdata::trend::kMaxPolylinePoints - 2) / (nrdata::trend::kMaxPolylinePoints - 1));
    }
}

TEST(TrendStyle, GridsWithoutAWholePixelAColumnDrawNothing)
{
    const CTrendVectorSource s = FHR1Samples({ 140, 140, 140, 140, 140 });
    for (const TrendStyle* style : { &kCentralTrendStyle, &kReviewTrendStyle }) {
        Canvas c(100, 100);
        UINT index = 7;
        // 50 px for 60 columns: a column would be 0 px wide.
        EXPECT_EQ(nrdata::trend::RenderTrendStrip(&c.dc, CRect(0, 0, 50, 42), CRect(0, 60, 50, 80), 60, &s, index, -1,
                                                  3, DRAW_SCREEN, 1, TREND_DRAW_ALL, *style, nullptr),
                  0);
        EXPECT_EQ(index, 7u);
        EXPECT_EQ(c.Count(RGB(255, 255, 255)), 100 * 100);
    }
}

// ---- scales --------------------------------------------------------------------------------------------

TEST(TrendStyle, ReviewScalesKeepTheirStepsWhileALineFitsBetweenThem)
{
    // 10 px cells: both fonts stay at their legible 15 px minimum. The central scale thins out
    // to every 6th FHR and 5th UC row; the review scale keeps every 4th FHR row (40 px apart),
    // but its UC rows are 7 px high, too close for every 2nd one: every 5th.
    const Paper paper;
    NyraConfig cfg;
    cfg.Default();
    const auto rowsAtLeftLine = [&](const TrendStyle& style) {
        std::vector<int> ys;
        for (const auto& l : nrdata::trend::TrendScaleLabels(paper.fhr, paper.uc, paper.columns, cfg,
                                                             MONITOR_LAYOUT_MOTHER_FETAL, style))
            if (l.x == 80)
                ys.push_back(l.y);
        return ys;
    };
    EXPECT_EQ(rowsAtLeftLine(kCentralTrendStyle), (std::vector<int> { 0, 60, 120, 180, 230, 265, 300 }));
    EXPECT_EQ(rowsAtLeftLine(kReviewTrendStyle),
              (std::vector<int> { 0, 40, 80, 120, 160, 200, 230, 265, 300 }));
}

// ---- marks near the FHR grid's bottom ------------------------------------------------------------------

// One record at page position 330 (x = 350) with NIBP 300/150/0, a marker and a stimulator. The
// FHR grid's bottom is y 210, its bottom row 200 to 210, cells 10 px.
TEST(TrendStyle, ReviewMarksSitOnTheFHRGridsBottomRow)
{
    CTrendVectorSource s;
    Prepare(s, MONITOR_LAYOUT_MOTHER_FETAL);
    AddEntries(s, 331, [](PKParam_v110& p, UINT r) {
        if (r != 330)
            return;
        p.SetNIBPSys(300);
        p.SetNIBPMean(150);
        p.SetNIBPDia(0);
        p.SetNIBPStatus(4);
        p.SetMarker(1);
        p.SetStimulator(1);
    });
    Canvas central(700, 340);
    Canvas review(700, 340);
    Render(central, s, kCentralTrendStyle);
    Render(review, s, kReviewTrendStyle);
    // The diastolic tick (x 345 to 354, clear of the glyphs at x 347 to 353): on the grid's
    // edge, or on the bottom row's top line.
    EXPECT_EQ(central.dc.GetPixel(346, 210), colour::NIBP);
    EXPECT_EQ(review.dc.GetPixel(346, 200), colour::NIBP);
    EXPECT_NE(review.dc.GetPixel(346, 210), colour::NIBP);
    // Both reach 300 mmHg at the grid's top.
    EXPECT_EQ(central.dc.GetPixel(346, 0), colour::NIBP);
    EXPECT_EQ(review.dc.GetPixel(346, 0), colour::NIBP);
    // The stimulator's zigzag: below the grid, or inside its bottom row.
    EXPECT_GT(central.Count(CRect(345, 211, 356, 221), colour::Stimulator), 0);
    EXPECT_EQ(central.Count(CRect(345, 200, 356, 210), colour::Stimulator), 0);
    EXPECT_GT(review.Count(CRect(345, 201, 356, 210), colour::Stimulator), 0);
    EXPECT_EQ(review.Count(CRect(345, 211, 356, 221), colour::Stimulator), 0);
    // The marker's arrow head: its point on the grid's edge, or a third of a cell below it.
    EXPECT_EQ(central.dc.GetPixel(350, 210), colour::Marker);
    EXPECT_EQ(review.dc.GetPixel(350, 213), colour::Marker);
    EXPECT_NE(review.dc.GetPixel(350, 211), colour::Marker);
}

// ---- time labels ---------------------------------------------------------------------------------------

TEST(TrendStyle, ReviewTimeLabelsRunOnPastTheData)
{
    // Ten records on a page of 660: labels every 120 records (2 minutes at speed 3) stand at
    // x 20, 140, 260 ... under the UC grid; only the review style draws those past the data.
    const CTrendVectorSource s = FHR1Samples(std::vector<int>(50, 140));
    Canvas central(700, 340);
    Canvas review(700, 340);
    Render(central, s, kCentralTrendStyle);
    Render(review, s, kReviewTrendStyle);
    const CRect underSecondLabel(140, 305, 230, 330);
    EXPECT_LT(review.Count(underSecondLabel, RGB(255, 255, 255)), underSecondLabel.Width() * underSecondLabel.Height());
    EXPECT_EQ(central.Count(underSecondLabel, RGB(255, 255, 255)), underSecondLabel.Width() * underSecondLabel.Height());
    const CRect underFirstLabel(20, 305, 110, 330);
    EXPECT_LT(central.Count(underFirstLabel, RGB(255, 255, 255)), underFirstLabel.Width() * underFirstLabel.Height());
}

} // namespace
