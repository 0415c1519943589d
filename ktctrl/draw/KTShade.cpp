// The shaded background: palette, pixel shapes, noise.
#include "ktctrl/draw/KTShade.h"

#include "platform/gdi/SysColors.h"

#include <algorithm>

namespace {

// A quotient whose divisor is never below 1, whatever the sizes and settings.
inline int Div(int a, int b)
{
    return a / std::max(b, 1);
}

// The cubic bump of the bump shapes: ((a³ / 128) / 128 x (128 - granularity)) / 128.
inline int Bump(int a, int granularity)
{
    return ((a * a * a / 128) / 128 * (128 - granularity)) / 128;
}

} // namespace

// ---- settings ------------------------------------------------------------------------------

void KTShade::SetShade(ShadeType type, BYTE granularity, BYTE highlight, BYTE coloringDepth, COLORREF blend)
{
    SetType(type);
    SetGranularity(granularity);
    SetHighlight(highlight);
    SetColoringDepth(coloringDepth);
    SetBlendColor(blend);
}

template <typename T>
static void SetAndMark(T& member, T value, int& modified)
{
    if (member != value) {
        member = value;
        modified = 1;
    }
}

void KTShade::SetType(ShadeType type) { SetAndMark(m_type, type, m_modified); }
void KTShade::SetGranularity(BYTE value) { SetAndMark(m_granularity, value, m_modified); }
void KTShade::SetHighlight(BYTE value) { SetAndMark(m_highlight, value, m_modified); }
void KTShade::SetColoringDepth(BYTE value) { SetAndMark(m_coloringDepth, value, m_modified); }
void KTShade::SetBlendColor(COLORREF value) { SetAndMark(m_blendColor, value, m_modified); }

void KTShade::UseHighlight(int use)
{
    if (use && !m_useHighlight)
        m_modified = 1;
    m_useHighlight = use;
}

// ---- random source ------------------------------------------------------------------------------

// Numbers from 0 to 32767. The sequence restarts for every image, so a shade of one size and
// settings always looks the same.
int KTShade::Random()
{
    m_seed = m_seed * 214013u + 2531011u;
    return static_cast<int>((m_seed >> 16) & 0x7FFF);
}

int KTShade::Noise()
{
    int g = m_granularity;
    return g == 0 ? Random() / 32767 : Random() / Div(32767, 2 * g) - g;
}

// ---- building --------------------------------------------------------------------------------

void KTShade::CreateShade(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (!m_modified)
        return;
    if (m_shade.IsValid() && static_cast<int>(m_shade.GetWidth()) == width &&
        static_cast<int>(m_shade.GetHeight()) == height)
        return;
    if (!m_shade.Create(width, height, 8))
        return;
    m_seed = 1;
    BuildPalette();
    BuildPixels(width, height);
    BuildHighlight();
}

void KTShade::BuildPalette()
{
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    auto mix = [](COLORREF a, int wa, COLORREF b, int wb) {
        return RGB((GetRValue(a) * wa + GetRValue(b) * wb) / 128, (GetGValue(a) * wa + GetGValue(b) * wb) / 128,
                   (GetBValue(a) * wa + GetBValue(b) * wb) / 128);
    };
    for (int i = 0; i <= 128; ++i)
        m_shade.SetPaletteIndex(static_cast<BYTE>(i), mix(shadow, 128 - i, face, i));
    for (int i = 128; i <= 255; ++i)
        m_shade.SetPaletteIndex(static_cast<BYTE>(i), mix(face, 255 - i, light, i - 127));
    m_shade.BlendPalette(m_blendColor, m_coloringDepth);
}

void KTShade::BuildPixels(int width, int height)
{
    const int g = m_granularity;
    const int range = 255 - 2 * g;
    auto put = [&](int x, int y, int value) { m_shade.SetPixelIndex(x, y, static_cast<BYTE>(value & 0xFF)); };
    auto add = [&](int x, int y, int value) { put(x, y, m_shade.GetPixelIndex(x, y) + value); };
    auto rowBump = [&](int row) { return Div(row * 255, height) - 127; };
    auto columnBump = [&](int column) { return Div((width - column) * 255, width) - 127; };

    switch (m_type) {
    case SHADE_VERTICAL:
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                put(x, y, g + Div(y * range, height) + Noise());
        break;
    case SHADE_HORIZONTAL:
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                put(x, y, g + Div(range * (width - x), width) + Noise());
        break;
    case SHADE_DIAGONAL:
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                put(x, y, g + Div((range / 2) * y, height) + Div((range / 2) * (width - x), width) + Noise());
        break;
    case SHADE_VBUMP:
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                put(x, y, 128 + Bump(rowBump(y), g) + Noise());
        break;
    case SHADE_HBUMP:
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                put(x, y, 128 + Bump(columnBump(x), g) + Noise());
        break;
    case SHADE_SOFTBUMP:
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                int ar = rowBump(y), ac = columnBump(x);
                int v = 128 + ((ar * ar * ar / 128) / 128 + (ac * ac * ac / 128) / 128) * (128 - g) / 128;
                put(x, y, std::clamp(v, g, 255 - g) + Noise());
            }
        break;
    case SHADE_HARDBUMP: {
        for (int y = 0; y < height; ++y) {
            int ar = rowBump(y);
            for (int x = 0; x < width; ++x)
                put(x, y, 128 + ((ar * ar * ar / 128) / 128 * (64 - g) * 2) / 128 + Noise());
        }
        // Bevelled side edges, E pixels wide at the middle row, none at the top and bottom.
        int e = std::min(width / 6, 16);
        for (int y = 0; y < height; ++y) {
            int dy = y - height / 2;
            int d = Div(dy * dy * e, height * height / 4) - e + width / 2;
            for (int x = 0; x < width; ++x) {
                if (d < x - width / 2)
                    put(x, y, g + Div((width - x) * 128, e));
                else if (d + x - width / 2 < 0)
                    put(x, y, 255 - g - Div(x * 128, e));
                add(x, y, Noise());
            }
        }
        break;
    }
    case SHADE_STREAKS: {
        m_shade.Clear(0);
        for (int i = 0; i < 200; ++i) {
            int x0 = Div(Random(), Div(32767, width));
            int y0 = Div(Random(), Div(32767, height));
            int n = Div(Random(), Div(32767, std::min(width, height))) / 2;
            int v = Random() / 819;
            // Every write is checked against the image: a streak never leaves it.
            for (int j = 0; j < n; ++j) {
                if (x0 - j > 0 && y0 + j < height)
                    put(x0 - j, y0 + j, v);
                if (x0 + j < width && y0 - j > 0)
                    put(width - x0 + j, y0 - j, v);
            }
        }
        int h = (range - 40) / 2;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                add(x, y, Div(h * y, height) + Div(h * (width - x), width) + Random() / Div(32767, 2 * g));
        break;
    }
    case SHADE_FLAT:
    default:
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                put(x, y, 128 + Noise());
        break;
    }
}

void KTShade::BuildHighlight()
{
    if (!m_useHighlight) {
        m_highlightImage.Free();
        return;
    }
    m_highlightImage.Clone(m_shade);
    m_highlightImage.BlendPalette(GetSysColor(COLOR_BTNHIGHLIGHT), m_highlight);
}

// ---- drawing -------------------------------------------------------------------------------------

void KTShade::DrawShade(CDC* dc, int x, int y, int width, int height)
{
    if (!dc)
        return;
    CreateShade(width, height);
    m_shade.Draw(dc->GetSafeHdc(), x, y);
}

void KTShade::DrawShade(CDC* dc, const RECT* rect)
{
    if (rect)
        DrawShade(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
}

void KTShade::DrawHightlightShade(CDC* dc, int x, int y, int width, int height)
{
    if (!dc)
        return;
    CreateShade(width, height);
    KTDib& image = m_highlightImage.IsValid() ? m_highlightImage : m_shade;
    image.Draw(dc->GetSafeHdc(), x, y);
}

void KTShade::DrawHightlightShade(CDC* dc, const RECT* rect)
{
    if (rect)
        DrawHightlightShade(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
}

BOOL KTShade::CopyShade(KTShade& source, int x, int y, int width, int height)
{
    const KTDib& from = source.m_shade;
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || !from.IsValid() || from.GetBitCount() != 8 ||
        x + width > static_cast<int>(from.GetWidth()) || y + height > static_cast<int>(from.GetHeight()))
        return FALSE;
    if (!m_shade.Create(width, height, 8))
        return FALSE;
    for (int i = 0; i < 256; ++i)
        m_shade.SetPaletteIndex(static_cast<BYTE>(i), from.GetPaletteIndex(static_cast<BYTE>(i)));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            m_shade.SetPixelIndex(column, row, from.GetPixelIndex(x + column, y + row));
    BuildHighlight();
    m_modified = 0;
    return TRUE;
}

BOOL KTShade::CopyShade(KTShade& source, const RECT* rect)
{
    if (!rect)
        return FALSE;
    return CopyShade(source, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
}
