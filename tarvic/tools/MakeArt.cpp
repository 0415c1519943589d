// Draws the central station's pictures at build time: the three toolbar strips (normal, hot,
// disabled), the toolbar band's background, the program icon and the view's background picture.
//
//   tarvic_make_art <TarvicArt.cpp> <BG_Image.jpg> <folder for the PNGs>
//
// The bitmaps and the icon become a generated C++ file that registers them as resources of the
// program; the background picture is a JPEG beside the program, which a ward may replace. The
// PNGs are also left in the folder so that a person can look at them.
//
// Toolbar pictures are 60 x 50 cells on magenta, the colour the toolbar's image lists take as
// transparent. Shapes are drawn smooth and then laid on the band's colour: a pixel that is mostly
// background becomes magenta, the rest keeps its colour, so edges blend into the band.
#include "platform/gdi/Image.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCellWidth = 60;
constexpr int kCellHeight = 50;
constexpr double kPi = 3.14159265358979323846;

struct Rgb
{
    double r, g, b;
};

constexpr Rgb Hex(unsigned value)
{
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}

// The band behind the toolbar: a light steel gradient, so the clock's black text stays legible.
constexpr Rgb kBandTop = Hex(0xF3F5F9);
constexpr Rgb kBandBottom = Hex(0xC9D2E0);
constexpr Rgb kBandMiddle = Hex(0xDEE3EC);

// What a button's picture is drawn with in one of the three states.
struct Scheme
{
    Rgb ink;    // the glyph
    Rgb accent; // a second colour (the exit sign, the logo's heart)
    Rgb light;  // fills inside a glyph
};

constexpr Scheme kNormal{Hex(0x1E3A64), Hex(0xB3261E), Hex(0xFFFFFF)};
constexpr Scheme kHot{Hex(0x0B63C4), Hex(0xE03A2F), Hex(0xFFFFFF)};
constexpr Scheme kDisabled{Hex(0x9AA3AF), Hex(0x9AA3AF), Hex(0xEEF0F3)};
// Picture buttons have no command: they always show their disabled picture, in colour.
constexpr Scheme kPicture{Hex(0x1E3A64), Hex(0xC62828), Hex(0xFFFFFF)};

void SetColour(cairo_t* cr, const Rgb& c)
{
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

// A path through the points (not closed).
void Path(cairo_t* cr, std::initializer_list<std::pair<double, double>> points)
{
    bool first = true;
    for (const auto& [x, y] : points) {
        if (first)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
        first = false;
    }
}

// ---- the glyphs (each in a 60 x 50 cell whose origin is the cell's corner) ----------------------

// A grid of `cols` x `rows` tiles inside the layout frame; the frame's area is 40 x 32.
void Tiles(cairo_t* cr, const Scheme& s, int cols, int rows)
{
    const double left = 10, top = 9, width = 40, height = 32, gap = 2;
    const double w = (width - gap * (cols - 1)) / cols;
    const double h = (height - gap * (rows - 1)) / rows;
    SetColour(cr, s.ink);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            RoundedRect(cr, left + c * (w + gap), top + r * (h + gap), w, h, std::min(2.0, w / 4));
            cairo_fill(cr);
        }
}

// One bed enlarged beside a column of small ones.
void OneChannel(cairo_t* cr, const Scheme& s)
{
    SetColour(cr, s.ink);
    RoundedRect(cr, 10, 9, 29, 32, 2);
    cairo_fill(cr);
    for (int r = 0; r < 4; ++r) {
        RoundedRect(cr, 41, 9 + r * 8.25, 9, 6.75, 1.5);
        cairo_fill(cr);
    }
    // A trace in the enlarged bed.
    SetColour(cr, s.light);
    cairo_set_line_width(cr, 1.6);
    Path(cr, {{13, 27}, {19, 27}, {22, 17}, {26, 34}, {29, 25}, {36, 25}});
    cairo_stroke(cr);
}

void Arrow(cairo_t* cr, const Scheme& s, bool right)
{
    const double dir = right ? 1 : -1;
    const double cx = 30;
    SetColour(cr, s.ink);
    Path(cr, {{cx + dir * 12, 25},
              {cx - dir * 4, 11},
              {cx - dir * 4, 19},
              {cx - dir * 13, 19},
              {cx - dir * 13, 31},
              {cx - dir * 4, 31},
              {cx - dir * 4, 39}});
    cairo_close_path(cr);
    cairo_fill(cr);
}

// A person with the lines of a list beside: the patient manager.
void Patients(cairo_t* cr, const Scheme& s)
{
    SetColour(cr, s.ink);
    cairo_arc(cr, 22, 17, 6.5, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_move_to(cr, 10, 41);
    cairo_curve_to(cr, 10, 28, 34, 28, 34, 41);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 39, 15 + i * 9);
        cairo_line_to(cr, 50, 15 + i * 9);
    }
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// A gear: the configuration.
void Gear(cairo_t* cr, const Scheme& s)
{
    const double cx = 30, cy = 25, outer = 16, inner = 12, hole = 5.5;
    const int teeth = 8;
    SetColour(cr, s.ink);
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * kPi / teeth, a1 = (i + 0.5) * kPi / teeth;
        const double r = i % 2 == 0 ? outer : inner;
        if (i == 0)
            cairo_move_to(cr, cx + r * std::cos(a0), cy + r * std::sin(a0));
        else
            cairo_line_to(cr, cx + r * std::cos(a0), cy + r * std::sin(a0));
        cairo_line_to(cr, cx + r * std::cos(a1), cy + r * std::sin(a1));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, hole, 2 * kPi, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// A magnifier over a trace: the review program.
void Review(cairo_t* cr, const Scheme& s)
{
    SetColour(cr, s.ink);
    cairo_set_line_width(cr, 2);
    Path(cr, {{8, 30}, {14, 30}, {17, 22}, {21, 36}, {24, 30}, {30, 30}});
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3.5);
    cairo_arc(cr, 33, 21, 10, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 40.5, 28.5);
    cairo_line_to(cr, 48, 36);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// The power sign: exit.
void Exit(cairo_t* cr, const Scheme& s)
{
    SetColour(cr, s.accent);
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_arc(cr, 30, 26, 13, -kPi / 2 + 0.75, 3 * kPi / 2 - 0.75);
    cairo_stroke(cr);
    cairo_move_to(cr, 30, 9);
    cairo_line_to(cr, 30, 25);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// A bedside monitor with a trace: the demo bed.
void Demo(cairo_t* cr, const Scheme& s)
{
    SetColour(cr, s.ink);
    RoundedRect(cr, 10, 9, 40, 27, 3);
    cairo_fill(cr);
    cairo_rectangle(cr, 26, 36, 8, 4);
    cairo_fill(cr);
    RoundedRect(cr, 19, 40, 22, 3, 1.5);
    cairo_fill(cr);
    SetColour(cr, s.light);
    cairo_set_line_width(cr, 1.8);
    Path(cr, {{14, 24}, {22, 24}, {25, 15}, {29, 31}, {32, 22}, {35, 24}, {46, 24}});
    cairo_stroke(cr);
}

// The heart with a heartbeat: the station's mark at the toolbar's left end.
void Logo(cairo_t* cr, const Scheme& s)
{
    SetColour(cr, s.accent);
    cairo_move_to(cr, 30, 43);
    cairo_curve_to(cr, 6, 28, 6, 8, 22, 9);
    cairo_curve_to(cr, 26, 9, 29, 12, 30, 15);
    cairo_curve_to(cr, 31, 12, 34, 9, 38, 9);
    cairo_curve_to(cr, 54, 8, 54, 28, 30, 43);
    cairo_close_path(cr);
    cairo_fill(cr);
    SetColour(cr, s.light);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Path(cr, {{14, 24}, {23, 24}, {26, 16}, {31, 32}, {34, 22}, {37, 24}, {46, 24}});
    cairo_stroke(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
}

// A groove between groups of buttons.
void Divider(cairo_t* cr, const Scheme&)
{
    cairo_set_line_width(cr, 1);
    SetColour(cr, Hex(0x8C97A8));
    cairo_move_to(cr, 29.5, 6);
    cairo_line_to(cr, 29.5, 44);
    cairo_stroke(cr);
    SetColour(cr, Hex(0xFFFFFF));
    cairo_move_to(cr, 30.5, 6);
    cairo_line_to(cr, 30.5, 44);
    cairo_stroke(cr);
}

using Glyph = std::function<void(cairo_t*, const Scheme&)>;

struct Picture
{
    Glyph draw;
    bool decoration; // a picture button: drawn in colour in every strip
};

// One entry per button of layout 129 (layout 128 uses the first 16), in toolbar order.
const std::vector<Picture>& Pictures()
{
    static const std::vector<Picture> pictures = {
        {Logo, true},
        {[](cairo_t* cr, const Scheme& s) { Arrow(cr, s, false); }, false},
        {[](cairo_t* cr, const Scheme& s) { Arrow(cr, s, true); }, false},
        {Divider, true},
        {OneChannel, false},
        {[](cairo_t* cr, const Scheme& s) { Tiles(cr, s, 1, 2); }, false},
        {[](cairo_t* cr, const Scheme& s) { Tiles(cr, s, 2, 2); }, false},
        {[](cairo_t* cr, const Scheme& s) { Tiles(cr, s, 4, 2); }, false},
        {[](cairo_t* cr, const Scheme& s) { Tiles(cr, s, 4, 4); }, false},
        {Divider, true},
        {Patients, false},
        {Gear, false},
        {Divider, true},
        {Review, false},
        {Divider, true},
        {Exit, false},
        {Demo, false},
    };
    return pictures;
}

// ---- pictures into images ----------------------------------------------------------------------

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface NewSurface(int width, int height)
{
    return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), &cairo_surface_destroy);
}

// Lays a drawn (premultiplied, transparent) surface on the band's middle colour; what is mostly
// background becomes magenta.
platform::Image OnMagenta(cairo_surface_t* drawn)
{
    cairo_surface_flush(drawn);
    const int width = cairo_image_surface_get_width(drawn);
    const int height = cairo_image_surface_get_height(drawn);
    const int stride = cairo_image_surface_get_stride(drawn);
    const unsigned char* data = cairo_image_surface_get_data(drawn);
    platform::Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = row[x];
            const double alpha = ((p >> 24) & 0xFF) / 255.0;
            if (alpha < 0.25) {
                image.Row(y)[x] = 0xFFFF00FFu;
                continue;
            }
            // Premultiplied colour over the band: c + (1 - alpha) * band.
            auto channel = [&](int shift, double band) {
                const double c = ((p >> shift) & 0xFF) / 255.0 + (1 - alpha) * band;
                return static_cast<std::uint32_t>(std::lround(std::min(1.0, c) * 255));
            };
            image.Row(y)[x] = 0xFF000000u | channel(16, kBandMiddle.r) << 16 |
                              channel(8, kBandMiddle.g) << 8 | channel(0, kBandMiddle.b);
        }
    }
    return image;
}

platform::Image ToolBarStrip(const Scheme& scheme)
{
    const auto& pictures = Pictures();
    Surface surface = NewSurface(kCellWidth * static_cast<int>(pictures.size()), kCellHeight);
    cairo_t* cr = cairo_create(surface.get());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        cairo_save(cr);
        cairo_translate(cr, static_cast<double>(i) * kCellWidth, 0);
        pictures[i].draw(cr, pictures[i].decoration ? kPicture : scheme);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    return OnMagenta(surface.get());
}

platform::Image FromSurface(cairo_surface_t* surface, bool keepAlpha)
{
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    platform::Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = row[x];
            const unsigned alpha = (p >> 24) & 0xFF;
            if (keepAlpha && alpha > 0 && alpha < 255) {
                auto un = [&](int shift) {
                    return ((((p >> shift) & 0xFF) * 255 + alpha / 2) / alpha) & 0xFF;
                };
                p = alpha << 24 | un(16) << 16 | un(8) << 8 | un(0);
            }
            image.Row(y)[x] = keepAlpha ? p : (p | 0xFF000000u);
        }
    }
    return image;
}

// The band's background: a vertical gradient, one column wide enough to tile.
platform::Image BandBackground()
{
    Surface surface = NewSurface(16, 64);
    cairo_t* cr = cairo_create(surface.get());
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, 64);
    cairo_pattern_add_color_stop_rgb(gradient, 0, kBandTop.r, kBandTop.g, kBandTop.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, kBandBottom.r, kBandBottom.g, kBandBottom.b);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
    cairo_destroy(cr);
    return FromSurface(surface.get(), false);
}

// The program icon: the station's mark on a rounded tile, with transparency.
platform::Image Icon()
{
    Surface surface = NewSurface(32, 32);
    cairo_t* cr = cairo_create(surface.get());
    RoundedRect(cr, 1, 1, 30, 30, 6);
    SetColour(cr, Hex(0x1E3A64));
    cairo_fill(cr);
    cairo_translate(cr, 16 - 30 * 0.5, 16 - 26 * 0.52);
    cairo_scale(cr, 0.5, 0.52);
    Logo(cr, kPicture);
    cairo_destroy(cr);
    return FromSurface(surface.get(), true);
}

// The view's background: a calm dark gradient behind the beds with a faint grid, as on a
// monitor's screen.
platform::Image Background()
{
    constexpr int width = 1920, height = 1080;
    Surface surface = NewSurface(width, height);
    cairo_t* cr = cairo_create(surface.get());
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, width * 0.3, height);
    cairo_pattern_add_color_stop_rgb(gradient, 0, 0.16, 0.20, 0.27);
    cairo_pattern_add_color_stop_rgb(gradient, 1, 0.08, 0.10, 0.15);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.035);
    cairo_set_line_width(cr, 1);
    for (int x = 40; x < width; x += 40) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, height);
    }
    for (int y = 40; y < height; y += 40) {
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, width, y + 0.5);
    }
    cairo_stroke(cr);
    cairo_destroy(cr);
    return FromSurface(surface.get(), false);
}

// ---- output ------------------------------------------------------------------------------------

std::vector<unsigned char> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Resource
{
    const char* type;
    unsigned id;
    std::string png;
};

bool WriteSource(const std::string& path, const std::vector<Resource>& resources)
{
    std::ofstream out(path);
    out << "// Generated at build time by tarvic/tools/MakeArt.cpp: the central station's pictures.\n"
           "#include \"platform/core/ResourceModule.h\"\n\nnamespace {\n\n";
    for (const Resource& resource : resources) {
        const std::vector<unsigned char> bytes = ReadFile(resource.png);
        if (bytes.empty())
            return false;
        out << "const BYTE kArt" << resource.id << "[] = {";
        for (std::size_t i = 0; i < bytes.size(); ++i)
            out << (i % 24 == 0 ? "\n    " : " ") << static_cast<unsigned>(bytes[i]) << ",";
        out << "\n};\n\n";
    }
    out << "const platform::ResourceData kArt[] = {\n";
    for (const Resource& resource : resources)
        out << "    { \"" << resource.type << "\", " << resource.id << ", nullptr, kArt" << resource.id
            << " },\n";
    out << "};\n\nconst platform::ResourceModuleRegistration s_art(\"TarvicII\", { .data = kArt });\n\n}"
           " // namespace\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: tarvic_make_art <TarvicArt.cpp> <BG_Image.jpg> <folder for the PNGs>\n");
        return 2;
    }
    const std::string source = argv[1], background = argv[2], folder = argv[3];
    const std::vector<std::pair<Resource, platform::Image>> art = {
        {{"PNG", 149, folder + "/toolbar_normal.png"}, ToolBarStrip(kNormal)},
        {{"PNG", 151, folder + "/toolbar_hot.png"}, ToolBarStrip(kHot)},
        {{"PNG", 156, folder + "/toolbar_disabled.png"}, ToolBarStrip(kDisabled)},
        {{"PNG", 218, folder + "/toolbar_band.png"}, BandBackground()},
        {{"ICON", 128, folder + "/icon.png"}, Icon()},
    };
    std::vector<Resource> resources;
    for (const auto& [resource, image] : art) {
        if (!image.SavePng(resource.png.c_str())) {
            std::fprintf(stderr, "tarvic_make_art: %s: %s\n", resource.png.c_str(),
                         image.LastError().c_str());
            return 1;
        }
        resources.push_back(resource);
    }
    const platform::Image picture = Background();
    if (!picture.SaveJpeg(background.c_str(), 88) || !picture.SavePng((folder + "/BG_Image.png").c_str())) {
        std::fprintf(stderr, "tarvic_make_art: %s: %s\n", background.c_str(), picture.LastError().c_str());
        return 1;
    }
    if (!WriteSource(source, resources)) {
        std::fprintf(stderr, "tarvic_make_art: cannot write %s\n", source.c_str());
        return 1;
    }
    return 0;
}
