// Build helper: draws the bed window's artwork (frame strips, caption-button icons, monitor-number
// icons) and writes it as PNG files for people to look at and as a C++ source that carries the
// same PNG bytes as resources of the client library.
//   nyraclient_make_artwork <generated .cpp> <folder for the PNG files>
//
// Everything is plain geometry on a pixel grid, without anti-aliasing, so the icon strips can
// mark transparency with one exact colour (magenta) and the pictures are the same on every
// machine. Icons sit on a light key cap with a dark rim, so they read on dark and light
// captions alike.
#include "nyraclient/res/NyraClientBitmaps.h"
#include "nyraclient/res/tools/GeneratedSource.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace nyraclient;
using resourcegen::ByteArray;
using resourcegen::WriteFile;

// ==== a canvas of RGB pixels =====================================================================

struct Rgb
{
    std::uint8_t r, g, b;
};

constexpr Rgb kMagenta { 255, 0, 255 };

Rgb Mix(Rgb a, Rgb b, double t)
{
    auto channel = [t](int x, int y) { return static_cast<std::uint8_t>(std::lround(x + (y - x) * t)); };
    return { channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b) };
}

class Canvas
{
public:
    Canvas(int width, int height, Rgb fill) : m_width(width), m_height(height), m_pixels(size_t(width) * height, fill) {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Set(int x, int y, Rgb c)
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_pixels[size_t(y) * m_width + x] = c;
    }
    void Fill(int x, int y, int w, int h, Rgb c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                Set(i, j, c);
    }
    // A disc of radius r around the pixel centre (cx, cy), which may lie between pixels.
    void Disc(double cx, double cy, double r, Rgb c)
    {
        for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
            for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    Set(x, y, c);
    }
    // A ring between radii inner and outer, only where x is at least `fromX`.
    void Ring(double cx, double cy, double inner, double outer, Rgb c, int fromX = 0)
    {
        for (int y = int(cy - outer) - 1; y <= int(cy + outer) + 1; ++y)
            for (int x = std::max(fromX, int(cx - outer) - 1); x <= int(cx + outer) + 1; ++x) {
                const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (d <= outer * outer && d >= inner * inner)
                    Set(x, y, c);
            }
    }
    // A line `width` pixels thick from (x0, y0) to (x1, y1).
    void Line(double x0, double y0, double x1, double y1, double width, Rgb c)
    {
        const int steps = int(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)) * 2) + 1;
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            Disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, c);
        }
    }
    // A filled rectangle with its four corner pixels cut, framed by `rim`.
    void KeyCap(int x, int y, int w, int h, Rgb rim, Rgb face)
    {
        Fill(x + 1, y, w - 2, h, rim);
        Fill(x, y + 1, w, h - 2, rim);
        Fill(x + 1, y + 1, w - 2, h - 2, face);
    }

    std::vector<unsigned char> ToPng() const
    {
        std::vector<unsigned char> out;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png ? png_create_info_struct(png) : nullptr;
        if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
            png_destroy_write_struct(&png, &info);
            return {};
        }
        png_set_write_fn(
            png, &out,
            [](png_structp p, png_bytep data, png_size_t length) {
                auto* bytes = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(p));
                bytes->insert(bytes->end(), data, data + length);
            },
            nullptr);
        png_set_IHDR(png, info, png_uint_32(m_width), png_uint_32(m_height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<unsigned char> row(size_t(m_width) * 3);
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                const Rgb& c = m_pixels[size_t(y) * m_width + x];
                row[size_t(x) * 3] = c.r;
                row[size_t(x) * 3 + 1] = c.g;
                row[size_t(x) * 3 + 2] = c.b;
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
        return out;
    }

private:
    int m_width, m_height;
    std::vector<Rgb> m_pixels;
};

// ==== the two colour sets ========================================================================

// The normal frame is a cool light grey; the highlighted one (a tile whose bed is shown
// enlarged) is amber, so the nurse sees at once which tile the large view belongs to.
struct Palette
{
    Rgb stripTop, stripBottom, stripLine; // caption strip gradient and its bottom line
    Rgb edge, body, inner;                // borders: outer edge, middle, inner shade
    Rgb capRim, capFace;                  // key caps of the buttons
    Rgb badge, badgeRim, digit;           // monitor-number badges
};

constexpr Palette kNormal {
    { 232, 237, 244 }, { 188, 198, 212 }, { 120, 130, 146 },
    { 92, 102, 118 }, { 188, 198, 212 }, { 146, 156, 172 },
    { 70, 80, 96 }, { 246, 248, 251 },
    { 52, 68, 96 }, { 20, 26, 38 }, { 255, 255, 255 },
};

constexpr Palette kHighlighted {
    { 255, 240, 184 }, { 242, 200, 96 }, { 170, 118, 20 },
    { 150, 98, 10 }, { 242, 200, 96 }, { 206, 150, 40 },
    { 150, 98, 10 }, { 255, 246, 214 },
    { 204, 132, 16 }, { 110, 70, 0 }, { 255, 255, 255 },
};

// ==== frame strips ===============================================================================

// The caption strip: a vertical gradient with a dark line at its foot and a dark outer column
// at both ends (the window's edge).
Canvas CaptionStrip(int width, const Palette& p)
{
    Canvas c(width, kButtonIconHeight, p.body);
    for (int y = 0; y < c.Height(); ++y)
        c.Fill(0, y, width, 1, Mix(p.stripTop, p.stripBottom, double(y) / (c.Height() - 1)));
    c.Fill(0, c.Height() - 1, width, 1, p.stripLine);
    c.Fill(0, 0, 1, c.Height(), p.edge);
    c.Fill(width - 1, 0, 1, c.Height(), p.edge);
    return c;
}

// A 3-pixel border, `outerFirst` when its edge is on the left (or at the top).
Canvas BorderStrip(int width, int height, bool vertical, bool outerFirst, const Palette& p)
{
    Canvas c(width, height, p.body);
    const Rgb shades[3] = { outerFirst ? p.edge : p.inner, p.body, outerFirst ? p.inner : p.edge };
    for (int i = 0; i < 3; ++i) {
        if (vertical)
            c.Fill(i, 0, 1, height, shades[i]);
        else
            c.Fill(0, i, width, 1, shades[i]);
    }
    return c;
}

// ==== caption-button icons =======================================================================

constexpr Rgb kInk { 44, 48, 56 };
constexpr Rgb kRed { 204, 28, 28 };
constexpr Rgb kBlue { 36, 92, 176 };
constexpr Rgb kGreen { 24, 140, 60 };

// The glyph of one icon, centred on (10, 11) inside the key cap at (1, 2) - (19, 20).
void DrawGlyph(Canvas& c, int ox, int icon)
{
    const double cx = ox + 9.5, cy = 10.5;
    switch (icon) {
    case ICON_RECORD_START: // a red dot: start recording
        c.Disc(cx, cy, 4.6, kRed);
        break;
    case ICON_RECORD_STOP: // a square: stop recording
        c.Fill(ox + 6, 7, 8, 8, kInk);
        c.Fill(ox + 8, 9, 4, 4, kRed);
        break;
    case ICON_ADMIT: // a person: admit a patient
        c.Disc(cx, 7.0, 2.6, kBlue);
        for (int y = 10; y <= 16; ++y) {
            const int half = std::min(5, 2 + (y - 10));
            c.Fill(ox + 10 - half, y, 2 * half, 1, kBlue);
        }
        break;
    case ICON_SOUND_OFF:   // a speaker sounding: the alarm sound is on, a click silences it
    case ICON_SOUND_ON:    // a silenced speaker: the alarm sound is off, a click turns it on
        c.Fill(ox + 4, 9, 3, 5, kInk);
        for (int i = 0; i < 4; ++i)
            c.Fill(ox + 7 + i, 8 - i, 1, 7 + 2 * i, kInk);
        if (icon == ICON_SOUND_OFF) {
            c.Ring(ox + 10.0, cy + 0.5, 2.6, 3.6, kGreen, ox + 12);
            c.Ring(ox + 10.0, cy + 0.5, 5.0, 6.0, kGreen, ox + 12);
        } else {
            c.Line(ox + 12.5, 8.0, ox + 16.5, 14.0, 1.6, kRed);
            c.Line(ox + 16.5, 8.0, ox + 12.5, 14.0, 1.6, kRed);
        }
        break;
    case ICON_TREND_PRINT: // a printer with a sheet of trend paper
        c.Fill(ox + 6, 4, 8, 5, { 255, 255, 255 });
        c.Line(ox + 7, 7, ox + 9, 5.5, 1, kRed);
        c.Line(ox + 9, 5.5, ox + 12, 7, 1, kRed);
        c.Fill(ox + 3, 9, 14, 6, kInk);
        c.Fill(ox + 6, 13, 8, 5, { 255, 255, 255 });
        c.Fill(ox + 6, 17, 8, 1, kInk);
        c.Fill(ox + 14, 10, 2, 1, kGreen);
        break;
    case ICON_CAPTURE: // a camera
        c.Fill(ox + 3, 7, 14, 9, kInk);
        c.Fill(ox + 7, 5, 5, 2, kInk);
        c.Disc(cx, 11.0, 3.2, { 255, 255, 255 });
        c.Disc(cx, 11.0, 1.8, kBlue);
        break;
    case ICON_SETTING: { // a gear
        for (int k = 0; k < 8; ++k) {
            const double a = k * M_PI / 4;
            c.Disc(cx + 5.2 * std::cos(a), cy + 5.2 * std::sin(a), 1.4, kInk);
        }
        c.Ring(cx, cy, 2.0, 4.8, kInk);
        break;
    }
    case ICON_CLOSE: // a cross
        c.Line(ox + 6, 7, ox + 14, 15, 2.2, kRed);
        c.Line(ox + 14, 7, ox + 6, 15, 2.2, kRed);
        break;
    default: // cells without a command keep an empty cap
        break;
    }
}

Canvas ButtonIcons(const Palette& p)
{
    Canvas c(kButtonIconWidth * kButtonIconCount, kButtonIconHeight, kMagenta);
    for (int icon = 0; icon < kButtonIconCount; ++icon) {
        const int ox = icon * kButtonIconWidth;
        // Rows 0, 1, 20 and 21 stay transparent: the cap covers the caption's text height.
        c.KeyCap(ox + 1, 2, 18, 18, p.capRim, p.capFace);
        DrawGlyph(c, ox, icon);
    }
    return c;
}

// ==== monitor-number icons =======================================================================

// Digits 5 x 7, one row a string; drawn one pixel wider (bold) and twice as tall.
constexpr const char* kDigits[11][7] = {
    { "01110", "10001", "10011", "10101", "11001", "10001", "01110" },
    { "00100", "01100", "00100", "00100", "00100", "00100", "01110" },
    { "01110", "10001", "00001", "00010", "00100", "01000", "11111" },
    { "11111", "00010", "00100", "00010", "00001", "10001", "01110" },
    { "00010", "00110", "01010", "10010", "11111", "00010", "00010" },
    { "11111", "10000", "11110", "00001", "00001", "10001", "01110" },
    { "00110", "01000", "10000", "11110", "10001", "10001", "01110" },
    { "11111", "00001", "00010", "00100", "01000", "01000", "01000" },
    { "01110", "10001", "10001", "01110", "10001", "10001", "01110" },
    { "01110", "10001", "10001", "01111", "00001", "00010", "01100" },
    { "00000", "00000", "00000", "11111", "00000", "00000", "00000" }, // a dash: no number
};
constexpr int kGlyphWidth = 6; // 5 columns, one pixel bolder
constexpr int kDash = 10;

void DrawDigit(Canvas& c, int x, int y, int digit, Rgb ink)
{
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
            if (kDigits[digit][row][col] == '1')
                c.Fill(x + col, y + 2 * row, 2, 2, ink);
}

Canvas NumberIcons(const Palette& p)
{
    // The strip is 22 high like the button strip; the icons use its top 20 rows.
    Canvas c(kNumberIconWidth * kNumberIconCount, kButtonIconHeight, kMagenta);
    for (int number = 0; number < kNumberIconCount; ++number) {
        const int ox = number * kNumberIconWidth;
        c.KeyCap(ox + 1, 2, 18, 18, p.badgeRim, p.badge);
        std::vector<int> digits;
        if (number == 0)
            digits = { kDash };
        else if (number < 10)
            digits = { number };
        else
            digits = { number / 10, number % 10 };
        const int width = int(digits.size()) * kGlyphWidth + int(digits.size() - 1);
        int x = ox + (kNumberIconWidth - width) / 2;
        for (int d : digits) {
            DrawDigit(c, x, 4, d, p.digit);
            x += kGlyphWidth + 1;
        }
    }
    return c;
}

// ==== output =====================================================================================

struct Picture
{
    UINT id;
    const char* name;
    Canvas canvas;
};

std::vector<Picture> AllPictures()
{
    std::vector<Picture> pictures;
    pictures.push_back({ IDB_FRAME_CAPTION, "frame-caption.png", CaptionStrip(1912, kNormal) });
    pictures.push_back({ IDB_FRAME_LEFT, "frame-left.png", BorderStrip(3, 479, true, true, kNormal) });
    pictures.push_back({ IDB_FRAME_RIGHT, "frame-right.png", BorderStrip(3, 479, true, false, kNormal) });
    pictures.push_back({ IDB_FRAME_BOTTOM, "frame-bottom.png", BorderStrip(1912, 3, false, false, kNormal) });
    pictures.push_back({ IDB_FRAME_CAPTION_HOT, "frame-caption-hot.png", CaptionStrip(315, kHighlighted) });
    pictures.push_back({ IDB_FRAME_LEFT_HOT, "frame-left-hot.png", BorderStrip(3, 97, true, true, kHighlighted) });
    pictures.push_back({ IDB_FRAME_RIGHT_HOT, "frame-right-hot.png", BorderStrip(3, 97, true, false, kHighlighted) });
    pictures.push_back({ IDB_FRAME_BOTTOM_HOT, "frame-bottom-hot.png", BorderStrip(315, 3, false, false, kHighlighted) });
    pictures.push_back({ IDB_BUTTON_ICONS, "button-icons.png", ButtonIcons(kNormal) });
    pictures.push_back({ IDB_BUTTON_ICONS_HOT, "button-icons-hot.png", ButtonIcons(kHighlighted) });
    pictures.push_back({ IDB_NUMBER_ICONS, "number-icons.png", NumberIcons(kNormal) });
    pictures.push_back({ IDB_NUMBER_ICONS_HOT, "number-icons-hot.png", NumberIcons(kHighlighted) });
    return pictures;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <generated .cpp> <folder for the PNG files>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[2];
    std::string source =
        "// Generated by nyraclient/res/tools/MakeBedArtwork.cpp: the bed window's artwork as PNG\n"
        "// resources of the client library. Do not edit; change the generator.\n"
        "#include \"nyraclient/res/NyraClientBitmaps.h\"\n\n"
        "namespace {\n\n";
    std::string table = "constexpr platform::ResourceData kBitmaps[] = {\n";
    for (const Picture& picture : AllPictures()) {
        const std::vector<unsigned char> png = picture.canvas.ToPng();
        if (png.empty()) {
            std::fprintf(stderr, "%s: cannot encode %s\n", argv[0], picture.name);
            return 1;
        }
        if (!WriteFile(folder + "/" + picture.name, std::string(png.begin(), png.end()))) {
            std::fprintf(stderr, "%s: cannot write %s/%s\n", argv[0], folder.c_str(), picture.name);
            return 1;
        }
        const std::string array = "kPng" + std::to_string(picture.id);
        source += "constexpr BYTE " + array + "[] = {\n    " + ByteArray(png) + "\n};\n\n";
        table += "    { \"PNG\", " + std::to_string(picture.id) + ", \"" + picture.name + "\", " + array + " },\n";
    }
    source += table + "};\n\n} // namespace\n\n"
              "std::span<const platform::ResourceData> nyraclient::BitmapTable() { return kBitmaps; }\n";
    if (!WriteFile(argv[1], source)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
