// The grid control with 100,000 rows of 10 columns: filling it, sorting it on one column, and
// scrolling it from top to bottom while painting each view. Beside each, the same work without
// the grid in the same run: the same texts sorted in a std::vector, and the same visible cells
// drawn as plain text through the DC. The counter "ratio" is grid time / plain time (targets:
// sort within 3x, scroll within 2x).
#include "ktctrl/grid/KTGrid.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemParameters.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kSortColumn = 3;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kScrollSteps = 400;

using Clock = std::chrono::steady_clock;

std::vector<std::string> Texts(unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::string> texts(kRows);
    char buffer[32];
    for (auto& t : texts) {
        std::snprintf(buffer, sizeof buffer, "%08x-%u", static_cast<unsigned>(random()), static_cast<unsigned>(random() % 1000));
        t = buffer;
    }
    return texts;
}

class BenchGrid : public KTGrid
{
public:
    BenchGrid() : KTGrid(kRows + 1, kCols, 1, 1) {}
    using KTGrid::SetScrollPos32;
};

void Fill(KTGrid& grid, const std::vector<std::string>& texts)
{
    char buffer[32];
    for (int r = 1; r <= kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            if (c == kSortColumn) {
                grid.SetItemText(r, c, texts[r - 1].c_str());
            } else {
                std::snprintf(buffer, sizeof buffer, "%d.%d", r, c);
                grid.SetItemText(r, c, buffer);
            }
        }
}

void BM_GridFill(benchmark::State& state)
{
    const auto texts = Texts(1);
    for (auto _ : state) {
        KTGrid grid(kRows + 1, kCols, 1, 1);
        Fill(grid, texts);
        benchmark::DoNotOptimize(grid.GetRowCount());
    }
}
BENCHMARK(BM_GridFill)->Unit(benchmark::kMillisecond);

// Both sorts in each iteration, each on freshly shuffled texts.
void BM_SortRatio(benchmark::State& state)
{
    const auto texts = Texts(2);
    KTGrid grid(kRows + 1, kCols, 1, 1);
    Fill(grid, texts);
    double gridSeconds = 0, plainSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 1; r <= kRows; ++r)
            grid.SetItemText(r, kSortColumn, texts[r - 1].c_str());
        std::vector<std::string> plain = texts;
        state.ResumeTiming();
        const auto a = Clock::now();
        grid.SortTextItems(kSortColumn, TRUE);
        const auto b = Clock::now();
        std::sort(plain.begin(), plain.end());
        const auto c = Clock::now();
        gridSeconds += std::chrono::duration<double>(b - a).count();
        plainSeconds += std::chrono::duration<double>(c - b).count();
        benchmark::DoNotOptimize(plain.data());
    }
    state.counters["grid_ms"] = benchmark::Counter(gridSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["vector_ms"] = benchmark::Counter(plainSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = plainSeconds > 0 ? gridSeconds / plainSeconds : 0;
}
BENCHMARK(BM_SortRatio)->Unit(benchmark::kMillisecond);

struct Cell
{
    CRect rect;
    CString text;
};

// Scrolls from top to bottom in even steps, painting each view into a memory DC; beside it the
// same cells of each view drawn as plain text.
void BM_ScrollRatio(benchmark::State& state)
{
    CWnd parent;
    parent.CreateEx(0, nullptr, "grid", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr);
    BenchGrid grid;
    grid.Create(CRect(0, 0, kWidth, kHeight), &parent, 100, WS_CHILD | WS_VISIBLE);
    Fill(grid, Texts(3));
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE };
    grid.GetScrollInfo(SB_VERT, &info, SIF_RANGE | SIF_PAGE);
    const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);

    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, kWidth, kHeight);
    CBitmap* old = screen.SelectObject(&bitmap);

    // The plain drawing's cells, worked out once.
    std::vector<std::vector<Cell>> views(kScrollSteps + 1);
    for (int step = 0; step <= kScrollSteps; ++step) {
        grid.SetScrollPos32(SB_VERT, static_cast<int>(static_cast<long long>(last) * step / kScrollSteps));
        KTCellRange range = grid.GetVisibleNonFixedCellRange();
        for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
            for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) {
                Cell cell;
                grid.GetCellRect(r, c, &cell.rect);
                cell.text = grid.GetItemText(r, c);
                views[step].push_back(cell);
            }
    }
    NONCLIENTMETRICS metrics {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    CFont font;
    font.CreateFontIndirect(&metrics.lfMessageFont);

    double gridSeconds = 0, plainSeconds = 0;
    for (auto _ : state) {
        const auto a = Clock::now();
        for (int step = 0; step <= kScrollSteps; ++step) {
            grid.SetScrollPos32(SB_VERT, static_cast<int>(static_cast<long long>(last) * step / kScrollSteps));
            grid.OnDraw(&screen);
        }
        const auto b = Clock::now();
        CFont* oldFont = screen.SelectObject(&font);
        screen.SetBkMode(TRANSPARENT);
        for (const auto& view : views)
            for (const auto& cell : view) {
                CRect rect = cell.rect;
                screen.DrawText(cell.text, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            }
        screen.SelectObject(oldFont);
        const auto c = Clock::now();
        gridSeconds += std::chrono::duration<double>(b - a).count();
        plainSeconds += std::chrono::duration<double>(c - b).count();
    }
    screen.SelectObject(old);
    state.counters["grid_ms"] = benchmark::Counter(gridSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["plain_ms"] = benchmark::Counter(plainSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = plainSeconds > 0 ? gridSeconds / plainSeconds : 0;
}
BENCHMARK(BM_ScrollRatio)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
