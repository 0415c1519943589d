// The geometry behind the wave snapshot strip (millimetres from dots per inch, the strip's width
// by sweep speed, damaged settings taken as the default), the cutting of a printed trend into
// pages that tile the range exactly, and the export's file name and duration texts.
#include "tarlux/print/ReviewExportName.h"
#include "tarlux/print/TrendPrintLayout.h"
#include "tarlux/wave/WaveLayout.h"

#include <gtest/gtest.h>

using namespace tarlux;

namespace {

TEST(WaveLayout, MillimetresAndCanvasFollowDpiAndSpeed)
{
    // 96 dpi: 3.78 px/mm rounds to 4, a large square is 20 px.
    const WaveLayout screen = MakeWaveLayout(96, 3, 3, 3);
    EXPECT_EQ(screen.mm, 4);
    EXPECT_EQ(screen.grid, 20);
    // Speed 3: 50 squares of strip and 3 of labels, plus the margins.
    EXPECT_EQ(screen.CanvasWidth(), (50 + 3) * 20 + 2 * 10);
    EXPECT_EQ(screen.CanvasHeight(), (36 + 2) * 20 + 2 * 10);
    // One second covers five large squares at 25 mm/s for both sample rates.
    EXPECT_DOUBLE_EQ(screen.xScale[kWaveECG] * 300, 5.0 * 20);
    EXPECT_DOUBLE_EQ(screen.xScale[kWaveSpO2] * 75, 5.0 * 20);
    EXPECT_EQ(MakeWaveLayout(300, 3, 3, 3).mm, 12);

    struct Case { int speed, widthGrids, labelGrids, secondsPerMark, pulseWidth; };
    for (const Case c : { Case { 1, 13, 3, 4, 5 }, Case { 2, 25, 3, 2, 10 }, Case { 3, 50, 3, 1, 20 },
                          Case { 4, 100, 4, 1, 40 } }) {
        const WaveLayout layout = MakeWaveLayout(96, c.speed, 3, 3);
        EXPECT_EQ(layout.widthGrids, c.widthGrids) << c.speed;
        EXPECT_EQ(layout.labelGrids, c.labelGrids) << c.speed;
        EXPECT_EQ(layout.secondsPerMark, c.secondsPerMark) << c.speed;
        EXPECT_EQ(layout.pulseWidth, c.pulseWidth) << c.speed;
    }
}

TEST(WaveLayout, GainsScaleTheEcgChannelsAndOutOfRangeSettingsTakeTheDefault)
{
    const WaveLayout layout = MakeWaveLayout(96, 3, 2, 5);
    EXPECT_EQ(layout.pulseHeight[0], 20);     // 5 mm/mV
    EXPECT_EQ(layout.pulseHeight[1], 8 * 20); // 40 mm/mV
    EXPECT_DOUBLE_EQ(layout.yScale[kWaveECG], 20 / 1000.0);
    EXPECT_DOUBLE_EQ(layout.yScale[kWaveSpO2], layout.yScale[kWaveFSpO2]);

    for (const int bad : { 0, -1, 6, 100 }) {
        const WaveLayout fallback = MakeWaveLayout(96, bad == 6 ? 5 : bad, bad, bad);
        EXPECT_EQ(fallback.sweepSpeed, 3) << bad;
        EXPECT_EQ(fallback.widthGrids, 50) << bad;
        EXPECT_EQ(fallback.pulseHeight[0], 2 * 20) << bad;
        EXPECT_EQ(fallback.pulseHeight[1], 2 * 20) << bad;
    }
    // The fine millimetre lines only behind the ECG channels; the channels fill the strip.
    int rows = 0;
    for (int channel = 0; channel < kWaveChannelCount; ++channel)
        rows += WaveChannelOf(channel).heightGrids;
    EXPECT_EQ(rows, layout.heightGrids);
    EXPECT_TRUE(WaveChannelOf(kWaveECG).fineGrid);
    EXPECT_FALSE(WaveChannelOf(kWaveSpO2).fineGrid);
    EXPECT_FALSE(WaveChannelOf(kWaveFSpO2).fineGrid);
}

TEST(TrendPrintLayout, PageCountWithAndWithoutCover)
{
    EXPECT_EQ(TrendRecordsPerPage(30, 1), 900);
    EXPECT_EQ(TrendRecordsPerPage(30, 3), 300);
    EXPECT_EQ(TrendRecordsPerPage(30, 4), 0);
    EXPECT_EQ(TrendRecordsPerPage(0, 1), 0);

    struct Case { int start, end; bool cover, graph; int pages; };
    for (const Case c : { Case { 0, 900, false, true, 1 }, Case { 0, 901, false, true, 2 },
                          Case { 0, 901, true, true, 3 }, Case { 0, 900, true, false, 1 },
                          Case { 60, 60, false, true, 0 }, Case { 60, 60, true, true, 1 },
                          Case { 100, 50, false, true, 0 } }) {
        TrendPrintOptions options { .start = c.start, .end = c.end, .trendSpeed = 1,
                                    .printCover = c.cover, .printGraph = c.graph };
        EXPECT_EQ(TrendPrintPageCount(options, 900), c.pages) << c.start << "-" << c.end << " " << c.cover;
    }
}

TEST(TrendPrintLayout, GraphPagesTileTheRangeWithoutLosingASecond)
{
    const TrendPrintOptions options { .start = 120, .end = 120 + 2 * 300 + 7, .trendSpeed = 3,
                                      .printCover = true, .printGraph = true };
    const int perPage = 300;
    const int pages = TrendPrintPageCount(options, perPage);
    ASSERT_EQ(pages, 4);
    EXPECT_EQ(TrendGraphPageOf(options, perPage, 1), -1);
    int expectedFirst = options.start;
    for (int page = 2; page <= pages; ++page) {
        const int graph = TrendGraphPageOf(options, perPage, page);
        ASSERT_EQ(graph, page - 2);
        const TrendPageRange range = TrendGraphPageRange(options, perPage, graph);
        EXPECT_EQ(range.first, expectedFirst) << page;
        EXPECT_GT(range.last, range.first) << page;
        expectedFirst = range.last;
    }
    EXPECT_EQ(expectedFirst, options.end);
    EXPECT_EQ(TrendGraphPageOf(options, perPage, pages + 1), -1);

    TrendPrintOptions noCover = options;
    noCover.printCover = false;
    EXPECT_EQ(TrendGraphPageOf(noCover, perPage, 1), 0);
}

TEST(ReviewExportName, NameIsSafeAndDurationsReadAsClockTimes)
{
    const COleDateTime when(2026, 1, 2, 3, 4, 5);
    EXPECT_EQ(ExportImageFileName("123", "KIM", "MINA", when), CString("123_KIMMINA_20260102030405.JPG"));
    const CString hostile = ExportImageFileName("..\\x/y", "A:B", "*?", when);
    EXPECT_EQ(hostile.Find('/'), -1);
    EXPECT_EQ(hostile.Find('\\'), -1);
    EXPECT_EQ(hostile.Find(".."), -1);
    EXPECT_EQ(hostile.Find(':'), -1);

    EXPECT_EQ(DurationText(3725), CString("01:02:05"));
    EXPECT_EQ(DurationText(0), CString("00:00:00"));
    EXPECT_EQ(DurationText(-5), CString("00:00:00"));
    EXPECT_EQ(DurationText(100 * 3600), CString("100:00:00"));
}

} // namespace
