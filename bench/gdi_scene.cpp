// A full-HD central-station screen drawn into a memory DC: 12 bed panes with fills and
// frames, 10,000 one-pixel line segments (two trend curves per pane and its grid), and 200
// texts. The same picture is drawn with cairo and pango directly, and BM_SceneRatio reports
// how long the DC takes relative to the raw libraries in the same run ("ratio").
#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr int kPaneWidth = kWidth / kColumns;   // 480
constexpr int kPaneHeight = kHeight / kRows;    // 360
constexpr int kTracePoints = 400;               // 399 segments a curve, two curves a pane
constexpr int kGridLines = 36;                  // 10,000 segments in all: 12 * (798 + 36) = 10,008
constexpr int kTextsPerPane = 17;               // 204 texts

struct Pane
{
    int x, y;
    std::vector<POINT> heartRate;
    std::vector<POINT> contractions;
};

std::vector<Pane> MakePanes()
{
    std::vector<Pane> panes;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            Pane p { c * kPaneWidth, r * kPaneHeight, {}, {} };
            for (int i = 0; i < kTracePoints; ++i) {
                double t = i * 0.05 + c + r * 3;
                int x = p.x + 40 + i;
                p.heartRate.push_back({ x, p.y + 140 + static_cast<LONG>(40 * std::sin(t) + 10 * std::sin(t * 7.3)) });
                p.contractions.push_back({ x, p.y + 300 - static_cast<LONG>(40 * std::pow(std::sin(t / 4), 8)) });
            }
            panes.push_back(std::move(p));
        }
    return panes;
}

const char* const kLabels[kTextsPerPane] = { "Bed 1", "FHR1", "140", "bpm", "FHR2", "---", "MHR", "82",
                                             "UA", "12", "SpO2", "98 %", "NIBP", "118/76", "T 36.8\xC2\xB0", "\xE2\x96\xBC 10:42",
                                             "Recording" };

// ---- through the DC -------------------------------------------------------------------------
void DrawWithDc(CDC& dc, const std::vector<Pane>& panes, CFont& big, CFont& small)
{
    dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(0, 0, 0));
    CPen grid(PS_SOLID, 1, RGB(0, 64, 0));
    CPen fhr(PS_SOLID, 1, RGB(0, 255, 0));
    CPen ua(PS_SOLID, 1, RGB(255, 255, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    for (const Pane& p : panes) {
        dc.FillSolidRect(p.x + 2, p.y + 2, kPaneWidth - 4, 24, RGB(0, 0, 128));
        dc.FillSolidRect(p.x + 2, p.y + 28, kPaneWidth - 4, kPaneHeight - 30, RGB(16, 16, 16));
        dc.Draw3dRect(p.x, p.y, kPaneWidth, kPaneHeight, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        dc.SelectObject(&grid);
        for (int i = 0; i < kGridLines / 2; ++i) {
            dc.MoveTo(p.x + 40 + i * 22, p.y + 40);
            dc.LineTo(p.x + 40 + i * 22, p.y + 340);
            dc.MoveTo(p.x + 40, p.y + 40 + i * 16);
            dc.LineTo(p.x + 440, p.y + 40 + i * 16);
        }
        dc.SelectObject(&fhr);
        dc.Polyline(p.heartRate.data(), static_cast<int>(p.heartRate.size()));
        dc.SelectObject(&ua);
        dc.Polyline(p.contractions.data(), static_cast<int>(p.contractions.size()));
        for (int t = 0; t < kTextsPerPane; ++t) {
            dc.SelectObject(t == 2 ? &big : &small);
            dc.TextOut(p.x + 8 + (t % 4) * 110, p.y + 6 + (t / 4) * 70, kLabels[t], static_cast<int>(std::strlen(kLabels[t])));
        }
    }
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(SYSTEM_FONT);
}

// ---- raw cairo and pango ----------------------------------------------------------------------
void RawRect(cairo_t* cr, double x, double y, double w, double h, double r, double g, double b)
{
    cairo_set_source_rgb(cr, r, g, b);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void RawLine(cairo_t* cr, int x0, int y0, int x1, int y1)
{
    cairo_move_to(cr, x0 + 0.5, y0 + 0.5);
    cairo_line_to(cr, x1 + 0.5, y1 + 0.5);
    cairo_stroke(cr);
}

void DrawRaw(cairo_t* cr, PangoLayout* layout, PangoFontDescription* big, PangoFontDescription* small,
             const std::vector<Pane>& panes)
{
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1);
    RawRect(cr, 0, 0, kWidth, kHeight, 0, 0, 0);
    for (const Pane& p : panes) {
        RawRect(cr, p.x + 2, p.y + 2, kPaneWidth - 4, 24, 0, 0, 0.5);
        RawRect(cr, p.x + 2, p.y + 28, kPaneWidth - 4, kPaneHeight - 30, 0.06, 0.06, 0.06);
        RawRect(cr, p.x, p.y, kPaneWidth - 1, 1, 1, 1, 1);
        RawRect(cr, p.x, p.y, 1, kPaneHeight - 1, 1, 1, 1);
        RawRect(cr, p.x + kPaneWidth - 1, p.y, 1, kPaneHeight, 0.5, 0.5, 0.5);
        RawRect(cr, p.x, p.y + kPaneHeight - 1, kPaneWidth, 1, 0.5, 0.5, 0.5);
        cairo_set_source_rgb(cr, 0, 0.25, 0);
        for (int i = 0; i < kGridLines / 2; ++i) {
            RawLine(cr, p.x + 40 + i * 22, p.y + 40, p.x + 40 + i * 22, p.y + 339);
            RawLine(cr, p.x + 40, p.y + 40 + i * 16, p.x + 439, p.y + 40 + i * 16);
        }
        for (const auto* trace : { &p.heartRate, &p.contractions }) {
            if (trace == &p.heartRate)
                cairo_set_source_rgb(cr, 0, 1, 0);
            else
                cairo_set_source_rgb(cr, 1, 1, 0);
            for (size_t i = 0; i + 1 < trace->size(); ++i)
                RawLine(cr, (*trace)[i].x, (*trace)[i].y, (*trace)[i + 1].x, (*trace)[i + 1].y);
        }
        cairo_set_source_rgb(cr, 1, 1, 1);
        for (int t = 0; t < kTextsPerPane; ++t) {
            pango_layout_set_font_description(layout, t == 2 ? big : small);
            pango_layout_set_text(layout, kLabels[t], -1);
            cairo_move_to(cr, p.x + 8 + (t % 4) * 110, p.y + 6 + (t / 4) * 70);
            pango_cairo_show_layout(cr, layout);
        }
    }
}

// ---- fixtures ---------------------------------------------------------------------------------
struct DcScene
{
    DcScene()
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        old = dc.SelectObject(&bitmap);
        big.CreatePointFont(240, "Arial");
        small.CreatePointFont(90, "Tahoma");
    }
    ~DcScene() { dc.SelectObject(old); }
    void Draw() { DrawWithDc(dc, panes, big, small); }

    std::vector<Pane> panes = MakePanes();
    CDC dc;
    CBitmap bitmap;
    CBitmap* old { nullptr };
    CFont big, small;
};

struct RawScene
{
    RawScene()
    {
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
        cr = cairo_create(surface);
        layout = pango_cairo_create_layout(cr);
        big = pango_font_description_from_string("Liberation Sans 24");
        small = pango_font_description_from_string("Liberation Sans 9");
    }
    ~RawScene()
    {
        pango_font_description_free(big);
        pango_font_description_free(small);
        g_object_unref(layout);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    void Draw() { DrawRaw(cr, layout, big, small, panes); }

    std::vector<Pane> panes = MakePanes();
    cairo_surface_t* surface;
    cairo_t* cr;
    PangoLayout* layout;
    PangoFontDescription* big;
    PangoFontDescription* small;
};

void BM_DcScene(benchmark::State& state)
{
    DcScene scene;
    for (auto _ : state)
        scene.Draw();
}
BENCHMARK(BM_DcScene)->Unit(benchmark::kMillisecond);

void BM_RawCairoPangoScene(benchmark::State& state)
{
    RawScene scene;
    for (auto _ : state)
        scene.Draw();
}
BENCHMARK(BM_RawCairoPangoScene)->Unit(benchmark::kMillisecond);

// Both in turn in each iteration; the counter "ratio" is DC time / raw time.
void BM_SceneRatio(benchmark::State& state)
{
    DcScene dcScene;
    RawScene rawScene;
    double dcSeconds = 0, rawSeconds = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        auto a = Clock::now();
        dcScene.Draw();
        auto b = Clock::now();
        rawScene.Draw();
        auto c = Clock::now();
        dcSeconds += std::chrono::duration<double>(b - a).count();
        rawSeconds += std::chrono::duration<double>(c - b).count();
    }
    state.counters["dc_ms"] = benchmark::Counter(dcSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["raw_ms"] = benchmark::Counter(rawSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = rawSeconds > 0 ? dcSeconds / rawSeconds : 0;
}
BENCHMARK(BM_SceneRatio)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
