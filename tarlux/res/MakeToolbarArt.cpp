// Draws the review station's toolbar pictures at build time and writes them, as PNG bytes, into a
// C++ source that registers them as the program's bitmaps:
//
//   505, 506, 508  the disabled, normal and hot picture strips: nine 60 x 50 pictures each, in
//                  the toolbar's order (spacer, preview, print, spacer, export image, spacer,
//                  configuration, spacer, exit); magenta where a picture is transparent;
//   509            the rebar band's background, 2 x 66, tiled behind the toolbar.
//
// The pictures are our own, drawn here with cairo. Edges are not smoothed into the magenta (a
// smoothed edge would leave a pink fringe once magenta is taken out): a pixel belongs to the
// picture when it is at least half covered.
//
//   make-toolbar-art <output.cpp>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 60;
constexpr int kHeight = 50;
constexpr int kCount = 9;
constexpr int kBandWidth = 2;
constexpr int kBandHeight = 66;

struct Rgb
{
    double r, g, b;
};

// ---- colour schemes of the three strips -----------------------------------------------------------

struct Scheme
{
    Rgb ink;     // outlines
    Rgb paper;   // sheets and bodies
    Rgb accent;  // the trend line, the arrow, the sun
    Rgb accent2; // a second part (the gear, the picture's hills)
    Rgb shade;   // bodies in shadow
};

constexpr Scheme kNormal { { 0.20, 0.27, 0.38 }, { 0.97, 0.98, 1.00 }, { 0.10, 0.45, 0.80 },
                           { 0.20, 0.62, 0.45 }, { 0.72, 0.77, 0.85 } };
constexpr Scheme kHot { { 0.10, 0.18, 0.30 }, { 1.00, 1.00, 1.00 }, { 0.00, 0.55, 0.95 },
                        { 0.10, 0.75, 0.50 }, { 0.80, 0.86, 0.95 } };
constexpr Scheme kDisabled { { 0.55, 0.55, 0.55 }, { 0.90, 0.90, 0.90 }, { 0.62, 0.62, 0.62 },
                             { 0.70, 0.70, 0.70 }, { 0.80, 0.80, 0.80 } };

void SetColour(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

void FillAndStroke(cairo_t* cr, Rgb fill, Rgb ink, double width)
{
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, ink);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// A closed path through the points.
void Polygon(cairo_t* cr, std::initializer_list<std::pair<double, double>> points)
{
    cairo_new_path(cr);
    for (const auto& [x, y] : points)
        cairo_line_to(cr, x, y);
    cairo_close_path(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A sheet of trend paper with a trace on it.
void Sheet(cairo_t* cr, const Scheme& s, double x, double y, double w, double h)
{
    cairo_rectangle(cr, x, y, w, h);
    FillAndStroke(cr, s.paper, s.ink, 2);
    SetColour(cr, s.accent);
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, x + 4, y + h * 0.55);
    const double points[][2] = { { 0.25, 0.40 }, { 0.40, 0.60 }, { 0.55, 0.30 }, { 0.75, 0.50 }, { 0.92, 0.42 } };
    for (const auto& p : points)
        cairo_line_to(cr, x + w * p[0], y + h * p[1]);
    cairo_stroke(cr);
}

// An arrow pointing right: its shaft from x `from` to `head`, `half` high on each side of y
// `middle`, its head to the tip at x `tip`.
void RightArrow(cairo_t* cr, const Scheme& s, double from, double head, double tip, double middle, double half)
{
    Polygon(cr, { { from, middle - half }, { head, middle - half }, { head, middle - 2.5 * half }, { tip, middle },
                  { head, middle + 2.5 * half }, { head, middle + half }, { from, middle + half } });
    FillAndStroke(cr, s.accent, s.ink, 1.5);
}

// ---- the pictures ---------------------------------------------------------------------------------

void Preview(cairo_t* cr, const Scheme& s)
{
    Sheet(cr, s, 10, 6, 30, 38);
    // A magnifying glass over the sheet's corner.
    cairo_arc(cr, 38, 28, 10, 0, 2 * M_PI);
    FillAndStroke(cr, s.shade, s.ink, 3);
    SetColour(cr, s.ink);
    cairo_set_line_width(cr, 5);
    cairo_move_to(cr, 45, 35);
    cairo_line_to(cr, 53, 44);
    cairo_stroke(cr);
}

void Print(cairo_t* cr, const Scheme& s)
{
    // The sheet going in, the printer's body, the printed sheet coming out.
    cairo_rectangle(cr, 18, 4, 24, 14);
    FillAndStroke(cr, s.paper, s.ink, 2);
    RoundedRect(cr, 7, 16, 46, 20, 4);
    FillAndStroke(cr, s.shade, s.ink, 2);
    cairo_arc(cr, 46, 22, 2, 0, 2 * M_PI);
    SetColour(cr, s.accent2);
    cairo_fill(cr);
    Sheet(cr, s, 15, 30, 30, 16);
}

void ExportImage(cairo_t* cr, const Scheme& s)
{
    // A picture with hills and a sun, and an arrow leaving it.
    cairo_rectangle(cr, 6, 10, 36, 30);
    FillAndStroke(cr, s.paper, s.ink, 2);
    Polygon(cr, { { 8, 38 }, { 18, 24 }, { 26, 32 }, { 31, 27 }, { 40, 38 } });
    SetColour(cr, s.accent2);
    cairo_fill(cr);
    cairo_arc(cr, 32, 18, 4, 0, 2 * M_PI);
    SetColour(cr, s.accent);
    cairo_fill(cr);
    RightArrow(cr, s, 36, 46, 56, 26, 4);
}

void Configuration(cairo_t* cr, const Scheme& s)
{
    // A gear: eight teeth around a ring.
    const double cx = 30, cy = 25, outer = 19, inner = 14;
    cairo_new_path(cr);
    for (int i = 0; i < 16; ++i) {
        const double a0 = i * M_PI / 8 - M_PI / 16;
        const double a1 = a0 + M_PI / 8;
        const double r = i % 2 == 0 ? outer : inner;
        cairo_arc(cr, cx, cy, r, a0, a1);
    }
    cairo_close_path(cr);
    FillAndStroke(cr, s.accent2, s.ink, 2);
    cairo_arc(cr, cx, cy, 6, 0, 2 * M_PI);
    FillAndStroke(cr, s.paper, s.ink, 2);
}

void Exit(cairo_t* cr, const Scheme& s)
{
    // A door standing open and an arrow walking out of it.
    cairo_rectangle(cr, 8, 5, 26, 40);
    FillAndStroke(cr, s.shade, s.ink, 2);
    Polygon(cr, { { 8, 5 }, { 22, 10 }, { 22, 48 }, { 8, 45 } });
    FillAndStroke(cr, s.paper, s.ink, 2);
    cairo_arc(cr, 19, 28, 1.8, 0, 2 * M_PI);
    SetColour(cr, s.ink);
    cairo_fill(cr);
    RightArrow(cr, s, 28, 42, 54, 25, 4);
}

using Picture = std::function<void(cairo_t*, const Scheme&)>;

// The toolbar's order; an empty entry is a spacer (all transparent).
const Picture kPictures[kCount] = { nullptr, Preview, Print, nullptr, ExportImage, nullptr, Configuration, nullptr, Exit };

// ---- strips ---------------------------------------------------------------------------------------

// The nine pictures side by side: drawn with smoothing onto transparency, then every pixel at
// least half covered made opaque and every other one magenta.
cairo_surface_t* Strip(const Scheme& scheme)
{
    cairo_surface_t* art = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth * kCount, kHeight);
    cairo_t* cr = cairo_create(art);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < kCount; ++i) {
        if (!kPictures[i])
            continue;
        cairo_save(cr);
        cairo_translate(cr, i * kWidth, 0);
        kPictures[i](cr, scheme);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(art);

    cairo_surface_t* strip = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth * kCount, kHeight);
    const unsigned char* from = cairo_image_surface_get_data(art);
    unsigned char* to = cairo_image_surface_get_data(strip);
    const int fromStride = cairo_image_surface_get_stride(art);
    const int toStride = cairo_image_surface_get_stride(strip);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth * kCount; ++x) {
            const auto* p = reinterpret_cast<const uint32_t*>(from + y * fromStride) + x;
            auto* q = reinterpret_cast<uint32_t*>(to + y * toStride) + x;
            const uint32_t alpha = *p >> 24;
            if (alpha < 128) {
                *q = 0x00FF00FF; // magenta
                continue;
            }
            // Undo the premultiplication of a partly covered pixel.
            const auto channel = [&](int shift) { return std::min<uint32_t>(255, ((*p >> shift) & 0xFF) * 255 / alpha); };
            uint32_t colour = channel(16) << 16 | channel(8) << 8 | channel(0);
            // A picture's own colour never equals the transparent one.
            if (colour == 0x00FF00FF)
                colour = 0x00FE00FF;
            *q = colour;
        }
    }
    cairo_surface_mark_dirty(strip);
    cairo_surface_destroy(art);
    return strip;
}

// The band: a soft vertical gradient.
cairo_surface_t* Band()
{
    cairo_surface_t* band = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kBandWidth, kBandHeight);
    cairo_t* cr = cairo_create(band);
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, kBandHeight);
    cairo_pattern_add_color_stop_rgb(gradient, 0, 0.96, 0.97, 0.99);
    cairo_pattern_add_color_stop_rgb(gradient, 1, 0.80, 0.85, 0.92);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
    cairo_destroy(cr);
    return band;
}

// ---- output ---------------------------------------------------------------------------------------

std::vector<unsigned char> Png(cairo_surface_t* surface)
{
    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* out = static_cast<std::vector<unsigned char>*>(closure);
            out->insert(out->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

void WriteArray(FILE* out, const char* name, const std::vector<unsigned char>& bytes)
{
    std::fprintf(out, "const BYTE %s[] = {", name);
    for (size_t i = 0; i < bytes.size(); ++i)
        std::fprintf(out, "%s0x%02x,", i % 16 == 0 ? "\n    " : " ", bytes[i]);
    std::fprintf(out, "\n};\n\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.cpp>\n", argv[0]);
        return 2;
    }
    const std::string temporary = std::string(argv[1]) + ".part";
    FILE* out = std::fopen(temporary.c_str(), "w");
    if (!out)
        return 1;
    std::fprintf(out, "// Generated at build time by tarlux/res/MakeToolbarArt.cpp: the review station's toolbar\n"
                      "// pictures and the band behind them. Do not edit.\n"
                      "#include \"tarlux/res/TarluxResources.h\"\n\n"
                      "#include \"platform/core/ResourceModule.h\"\n\n"
                      "namespace tarlux {\nnamespace {\n\n");
    WriteArray(out, "kNormal", Png(Strip(kNormal)));
    WriteArray(out, "kHot", Png(Strip(kHot)));
    WriteArray(out, "kDisabled", Png(Strip(kDisabled)));
    WriteArray(out, "kBand", Png(Band()));
    std::fprintf(out, "const platform::ResourceData kData[] = {\n"
                      "    { \"PNG\", IDB_TOOLBAR_NORMAL, nullptr, kNormal },\n"
                      "    { \"PNG\", IDB_TOOLBAR_HOT, nullptr, kHot },\n"
                      "    { \"PNG\", IDB_TOOLBAR_DISABLED, nullptr, kDisabled },\n"
                      "    { \"PNG\", IDB_TOOLBAR_BAND, nullptr, kBand },\n"
                      "};\n\n"
                      "const platform::ResourceModuleRegistration s_art(\"TarluxII\", { .data = kData });\n\n"
                      "} // namespace\n} // namespace tarlux\n");
    if (std::fclose(out) != 0)
        return 1;
    return std::rename(temporary.c_str(), argv[1]) == 0 ? 0 : 1;
}
