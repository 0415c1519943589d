// Trend paper for a full-HD screen over a full 72-hour trend store (259,200 entries: the most a
// recording keeps): the store is drawn strip after strip onto one 1920 x 1080 page for the
// screen target, as when the page is paged through the whole store. The same number of line
// segments that the curves need is then drawn directly through the DC, and the counter "ratio"
// reports how long the renderer takes relative to those plain segments in the same run.
#include "nyraclient/display/CDisplayInfo.h"
#include "nrdata/trend/CTrendVectorSource.h"
#include "nrdata/trend/TrendGraphRenderer.h"
#include "bench/BenchSetup.h"

#include "platform/gdi/CDC.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

using nrdata::trend::CTrendVectorSource;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr UINT kEntries = 259200;
constexpr int kSpeed = 3;

// 72 hours of fetal and maternal numerics, one entry per second.
CTrendVectorSource& Store()
{
    static CTrendVectorSource source = bench::SyntheticStore(kEntries, [](NyraConfig& config) {
        config.GraphFHR1 = RGB(0, 0, 255);
        config.GraphFHR2 = RGB(0, 160, 0);
        config.GraphHR = RGB(255, 0, 255);
        config.GraphUC = RGB(160, 0, 0);
        config.GridInner = RGB(255, 214, 214);
        config.GridCenter = RGB(240, 170, 170);
        config.GridOuter = RGB(200, 80, 80);
    });
    return source;
}

struct Page
{
    CDC dc;
    CBitmap bitmap;
    CBitmap* old { nullptr };
    CRect fhr, uc;
    UINT columns { 0 };

    Page()
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        old = dc.SelectObject(&bitmap);
        dc.SetBkMode(TRANSPARENT);
        // A bed window's trend area margins on a full-screen area.
        CDisplayInfo::GetTrendRect(CRect(0, 0, kWidth, kHeight), fhr, uc, 0.72, 0.25,
                                   CRect(10, static_cast<int>(kHeight * 0.056), 10, static_cast<int>(kHeight * 0.046)),
                                   columns);
    }
    ~Page() { dc.SelectObject(old); }

    // The whole store, strip after strip; returns the curve segments drawn.
    size_t DrawStore(int what)
    {
        nrdata::trend::TrendRenderStats stats;
        for (UINT index = 0; index < kEntries;) {
            dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 255));
            nrdata::trend::RenderTrendStrip(&dc, fhr, uc, columns, &Store(), index, -1, kSpeed, DRAW_SCREEN, 0,
                                            what, nrdata::trend::kCentralTrendStyle, &stats);
        }
        return stats.curveSegments;
    }

    // The same number of one-pixel segments straight through the DC, across the same page.
    void DrawSegments(size_t segments)
    {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
        CPen* previous = dc.SelectObject(&pen);
        const int width = fhr.Width();
        int x = 0;
        dc.MoveTo(fhr.left, fhr.top + fhr.Height() / 2);
        for (size_t i = 0; i < segments; ++i) {
            x = (x + 1) % width;
            if (x == 0)
                dc.MoveTo(fhr.left, fhr.top + fhr.Height() / 2);
            dc.LineTo(fhr.left + x, fhr.top + fhr.Height() / 2 + static_cast<int>(i % 23) - 11);
        }
        dc.SelectObject(previous);
    }
};

void RatioBenchmark(benchmark::State& state, int what)
{
    Store();
    Page page;
    double renderSeconds = 0, segmentSeconds = 0;
    size_t segments = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto a = Clock::now();
        segments = page.DrawStore(what);
        const auto b = Clock::now();
        page.DrawSegments(segments);
        const auto c = Clock::now();
        renderSeconds += std::chrono::duration<double>(b - a).count();
        segmentSeconds += std::chrono::duration<double>(c - b).count();
    }
    state.counters["render_ms"] = benchmark::Counter(renderSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["segments_ms"] = benchmark::Counter(segmentSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["strips"] = static_cast<double>((kEntries + page.columns * 10 - 1) / (page.columns * 10));
    state.counters["ratio"] = segmentSeconds > 0 ? renderSeconds / segmentSeconds : 0;
}

// Grid, scales, captions, curves, marks and time labels of every strip.
void BM_TrendPage72Hours(benchmark::State& state) { RatioBenchmark(state, TREND_DRAW_ALL); }
BENCHMARK(BM_TrendPage72Hours)->Unit(benchmark::kMillisecond)->Iterations(3);

// The curves alone, as the parameter painter draws them over its background.
void BM_TrendCurves72Hours(benchmark::State& state) { RatioBenchmark(state, TREND_DRAW_CURVES); }
BENCHMARK(BM_TrendCurves72Hours)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
