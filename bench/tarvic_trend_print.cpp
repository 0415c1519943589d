// Printing a bed's 72-hour trend (259,200 entries) as the central station prints it: landscape
// A4 pages at 300 dots per inch, the page plan of the printed trend at speed 3, each page's
// strip drawn in black and white with its legend. One benchmark writes the pages into a PDF
// job; the other draws the same pages into a memory DC of the page's size, so the two times per
// page show in the same run what the PDF surface costs beyond the drawing.
#include "tarvic/view/TrendPrintPlan.h"

#include "bench/BenchSetup.h"
#include "nrdata/trend/CTrendVectorSource.h"
#include "nyraclient/display/CDisplayInfo.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

using nrdata::trend::CTrendVectorSource;
using tarvic::TrendPrintChoice;
using tarvic::TrendPrintPlan;

namespace {

constexpr UINT kEntries = 259200;
constexpr int kPageWidth = 3508;
constexpr int kPageHeight = 2480;

CTrendVectorSource& Store()
{
    static CTrendVectorSource source = bench::SyntheticStore(kEntries);
    return source;
}

TrendPrintPlan Plan()
{
    TrendPrintChoice choice;
    choice.first = 0;
    choice.last = kEntries;
    choice.speed = 3;
    choice.bCover = 0;
    return TrendPrintPlan(choice, kPageWidth, kPageHeight);
}

// One trend page of the plan, the pages taken in turn.
void DrawPage(CDC& dc, const TrendPrintPlan& plan, UINT page)
{
    const tarvic::TrendPrintPage shown = plan.Page(page);
    UINT index = shown.start;
    CDisplayInfo::DrawTrendGraph(&dc, plan.FhrRect(), plan.UcRect(), plan.Columns(), &Store(), index,
                                 static_cast<int>(shown.end), 3, DRAW_PRINT, 1, 0);
}

void BM_PrintTrendPageToPdf(benchmark::State& state)
{
    Store();
    const TrendPrintPlan plan = Plan();
    const std::string path = "/tmp/ward-bench-trend-" + std::to_string(::getpid()) + ".pdf";
    DEVMODE mode;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    mode.dmFields = DM_ORIENTATION;
    CDC dc;
    if (!dc.CreatePrinterDC("", &mode)) {
        state.SkipWithError("no printer DC");
        return;
    }
    DOCINFO doc;
    doc.lpszDocName = "trend";
    doc.lpszOutput = path.c_str();
    dc.StartDoc(&doc);
    UINT page = 1;
    for (auto _ : state) {
        dc.StartPage();
        DrawPage(dc, plan, page);
        dc.EndPage();
        page = page % plan.PageCount() + 1;
    }
    dc.EndDoc();
    std::remove(path.c_str());
    state.counters["pages_in_72h"] = plan.PageCount();
    state.counters["seconds_per_page"] = plan.SecondsPerPage();
}
BENCHMARK(BM_PrintTrendPageToPdf)->Unit(benchmark::kMillisecond)->Iterations(60);

void BM_DrawTrendPageToMemory(benchmark::State& state)
{
    Store();
    const TrendPrintPlan plan = Plan();
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, kPageWidth, kPageHeight);
    CBitmap* old = dc.SelectObject(&bitmap);
    UINT page = 1;
    for (auto _ : state) {
        dc.FillSolidRect(0, 0, kPageWidth, kPageHeight, RGB(255, 255, 255));
        DrawPage(dc, plan, page);
        page = page % plan.PageCount() + 1;
    }
    dc.SelectObject(old);
}
BENCHMARK(BM_DrawTrendPageToMemory)->Unit(benchmark::kMillisecond)->Iterations(60);

} // namespace

BENCHMARK_MAIN();
