// The device-independent bitmap.
#include "ktctrl/draw/KTDib.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr int kHslMax = 240;
constexpr int kRgbMax = 255;
constexpr int kHueUndefined = kHslMax * 2 / 3;

WORD RaisedBitCount(WORD bits)
{
    if (bits <= 1)
        return 1;
    if (bits <= 4)
        return 4;
    if (bits <= 8)
        return 8;
    return 24;
}

} // namespace

KTDib& KTDib::operator=(const KTDib& other)
{
    if (this != &other)
        Clone(const_cast<KTDib&>(other));
    return *this;
}

// ---- life ------------------------------------------------------------------------------------

void* KTDib::Create(DWORD width, DWORD height, WORD bitCount)
{
    Free();
    WORD bits = RaisedBitCount(bitCount);
    m_head = BITMAPINFOHEADER {};
    m_head.biSize = sizeof(BITMAPINFOHEADER);
    m_head.biWidth = static_cast<LONG>(width);
    m_head.biHeight = static_cast<LONG>(height);
    m_head.biPlanes = 1;
    m_head.biBitCount = bits;
    m_head.biCompression = BI_RGB;
    m_lineWidth = ((width * bits + 31) / 32) * 4;
    m_head.biSizeImage = m_lineWidth * height;
    m_nColors = bits == 24 ? 0 : static_cast<WORD>(1u << bits);
    m_block.reset(new (std::nothrow) BYTE[GetSize()]);
    if (!m_block)
        return nullptr;
    std::memcpy(m_block.get(), &m_head, sizeof(m_head));
    return m_block.get();
}

void KTDib::Free()
{
    m_block.reset();
}

void KTDib::Clone(KTDib& source)
{
    if (&source == this)
        return;
    if (!source.IsValid()) {
        Free();
        return;
    }
    if (Create(source.GetWidth(), source.GetHeight(), source.GetBitCount()))
        std::memcpy(m_block.get(), source.m_block.get(), GetSize());
}

void KTDib::Clear(BYTE value)
{
    if (m_block)
        std::memset(GetBits(), value, m_head.biSizeImage);
}

// ---- drawing ------------------------------------------------------------------------------------

long KTDib::Draw(HDC dc, long x, long y)
{
    if (!m_block || !dc)
        return 0;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::SetDIBitsToDevice(dc, x, y, GetWidth(), GetHeight(), 0, 0, 0, GetHeight(), GetBits(),
                        reinterpret_cast<const BITMAPINFO*>(m_block.get()), DIB_RGB_COLORS);
    return 1;
}

long KTDib::Stretch(HDC dc, long x, long y, long width, long height)
{
    if (!m_block || !dc)
        return 0;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchDIBits(dc, x, y, width, height, 0, 0, m_head.biWidth, m_head.biHeight, GetBits(),
                    reinterpret_cast<const BITMAPINFO*>(m_block.get()), DIB_RGB_COLORS, SRCCOPY);
    return 1;
}

// ---- palette ---------------------------------------------------------------------------------

void KTDib::SetPaletteIndex(BYTE index, BYTE red, BYTE green, BYTE blue)
{
    if (!m_block || index >= m_nColors)
        return;
    RGBQUAD& entry = Palette()[index];
    entry.rgbRed = red;
    entry.rgbGreen = green;
    entry.rgbBlue = blue;
    entry.rgbReserved = 0;
}

void KTDib::SetPaletteIndex(BYTE index, RGBQUAD colour)
{
    SetPaletteIndex(index, colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
}

void KTDib::SetPaletteIndex(BYTE index, COLORREF colour)
{
    SetPaletteIndex(index, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

RGBQUAD KTDib::GetPaletteIndex(BYTE index) const
{
    if (!m_block || index >= m_nColors)
        return RGBQUAD {};
    return Palette()[index];
}

BYTE KTDib::GetNearestIndex(RGBQUAD colour) const
{
    if (!m_block || m_nColors == 0)
        return 0;
    long best = 0, bestDistance = 0x7FFFFFFF;
    for (long i = 0; i < m_nColors; ++i) {
        const RGBQUAD& e = Palette()[i];
        long dr = e.rgbRed - colour.rgbRed, dg = e.rgbGreen - colour.rgbGreen, db = e.rgbBlue - colour.rgbBlue;
        long distance = dr * dr + dg * dg + db * db;
        if (distance == 0)
            return static_cast<BYTE>(i);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<BYTE>(best);
}

void KTDib::SetGrayPalette()
{
    if (!m_block || m_nColors == 0)
        return;
    for (int i = 0; i < m_nColors; ++i)
        SetPaletteIndex(static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i));
    SetPaletteIndex(0, BYTE(0), BYTE(0), BYTE(0));
    SetPaletteIndex(static_cast<BYTE>(m_nColors - 1), BYTE(255), BYTE(255), BYTE(255));
}

void KTDib::BlendPalette(COLORREF colour, long percent)
{
    if (!m_block || m_nColors == 0)
        return;
    long p = std::clamp(percent, 0L, 100L);
    auto mix = [p](long target, long channel) { return static_cast<BYTE>((target * p + channel * (100 - p)) / 100); };
    for (int i = 0; i < m_nColors; ++i) {
        RGBQUAD& e = Palette()[i];
        e.rgbRed = mix(GetRValue(colour), e.rgbRed);
        e.rgbGreen = mix(GetGValue(colour), e.rgbGreen);
        e.rgbBlue = mix(GetBValue(colour), e.rgbBlue);
    }
}

// ---- pixels ----------------------------------------------------------------------------------

BYTE KTDib::GetPixelIndex(long x, long y) const
{
    if (!Inside(x, y) || m_nColors == 0)
        return 0;
    const BYTE* row = Row(y);
    switch (m_head.biBitCount) {
    case 8: return row[x];
    case 4: return (row[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0F;
    default: return (row[x / 8] >> (7 - x % 8)) & 1;
    }
}

void KTDib::SetPixelIndex(long x, long y, BYTE index)
{
    if (!Inside(x, y) || m_nColors == 0)
        return;
    BYTE* row = Row(y);
    switch (m_head.biBitCount) {
    case 8: row[x] = index; break;
    case 4: {
        int shift = (x % 2) ? 0 : 4;
        row[x / 2] = static_cast<BYTE>((row[x / 2] & ~(0x0F << shift)) | ((index & 0x0F) << shift));
        break;
    }
    default: {
        BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
        row[x / 8] = static_cast<BYTE>((index & 1) ? (row[x / 8] | bit) : (row[x / 8] & ~bit));
        break;
    }
    }
}

RGBQUAD KTDib::GetPixelColor(long x, long y) const
{
    if (!Inside(x, y))
        return RGBQUAD {};
    if (m_nColors)
        return GetPaletteIndex(GetPixelIndex(x, y));
    const BYTE* p = Row(y) + x * 3;
    RGBQUAD c;
    c.rgbBlue = p[0];
    c.rgbGreen = p[1];
    c.rgbRed = p[2];
    return c;
}

void KTDib::SetPixelColor(long x, long y, RGBQUAD colour)
{
    if (!Inside(x, y))
        return;
    if (m_nColors) {
        SetPixelIndex(x, y, GetNearestIndex(colour));
        return;
    }
    BYTE* p = Row(y) + x * 3;
    p[0] = colour.rgbBlue;
    p[1] = colour.rgbGreen;
    p[2] = colour.rgbRed;
}

void KTDib::SetPixelColor(long x, long y, COLORREF colour)
{
    SetPixelColor(x, y, RGB2RGBQUAD(colour));
}

// ---- files --------------------------------------------------------------------------------------

long KTDib::WriteBMP(const char* fileName)
{
    if (!fileName || !*fileName || !m_block)
        return 0;
    // The file must exist already: it is opened for writing, never created.
    std::FILE* file = std::fopen(fileName, "r+b");
    if (!file)
        return 0;
    std::FILE* truncated = std::freopen(fileName, "wb", file);
    if (!truncated)
        return 0;
    BYTE header[14] {};
    DWORD fileSize = GetSize() + 14;
    DWORD offset = 14 + m_head.biSize + GetPaletteSize();
    header[0] = 'B';
    header[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        header[2 + i] = static_cast<BYTE>(fileSize >> (8 * i));
        header[10 + i] = static_cast<BYTE>(offset >> (8 * i));
    }
    bool ok = std::fwrite(header, 1, sizeof(header), truncated) == sizeof(header) &&
              std::fwrite(m_block.get(), 1, GetSize(), truncated) == GetSize();
    ok = std::fclose(truncated) == 0 && ok;
    return ok ? 1 : 0;
}

// ---- colour models ----------------------------------------------------------------------------

RGBQUAD KTDib::RGB2RGBQUAD(COLORREF colour)
{
    RGBQUAD q;
    q.rgbRed = GetRValue(colour);
    q.rgbGreen = GetGValue(colour);
    q.rgbBlue = GetBValue(colour);
    return q;
}

COLORREF KTDib::RGBQUAD2RGB(RGBQUAD colour)
{
    return RGB(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
}

RGBQUAD KTDib::RGBtoHSL(RGBQUAD colour)
{
    int r = colour.rgbRed, g = colour.rgbGreen, b = colour.rgbBlue;
    int cMax = std::max({ r, g, b }), cMin = std::min({ r, g, b });
    int l = ((cMax + cMin) * kHslMax + kRgbMax) / (2 * kRgbMax);
    int h = kHueUndefined, s = 0;
    if (cMax != cMin) {
        int span = cMax - cMin;
        if (l <= kHslMax / 2)
            s = (span * kHslMax + (cMax + cMin) / 2) / (cMax + cMin);
        else
            s = (span * kHslMax + (2 * kRgbMax - cMax - cMin) / 2) / (2 * kRgbMax - cMax - cMin);
        auto delta = [&](int c) { return ((cMax - c) * (kHslMax / 6) + span / 2) / span; };
        int rd = delta(r), gd = delta(g), bd = delta(b);
        if (r == cMax)
            h = bd - gd;
        else if (g == cMax)
            h = kHslMax / 3 + rd - bd;
        else
            h = 2 * kHslMax / 3 + gd - rd;
        if (h < 0)
            h += kHslMax;
        if (h > kHslMax)
            h -= kHslMax;
    }
    RGBQUAD hsl;
    hsl.rgbRed = static_cast<BYTE>(h);
    hsl.rgbGreen = static_cast<BYTE>(s);
    hsl.rgbBlue = static_cast<BYTE>(l);
    return hsl;
}

float KTDib::HueToRGB(float n1, float n2, float hue)
{
    if (hue < 0)
        hue += kHslMax;
    if (hue > kHslMax)
        hue -= kHslMax;
    if (hue < kHslMax / 6)
        return n1 + ((n2 - n1) * hue + kHslMax / 12) / (kHslMax / 6);
    if (hue < kHslMax / 2)
        return n2;
    if (hue < kHslMax * 2 / 3)
        return n1 + ((n2 - n1) * (kHslMax * 2 / 3 - hue) + kHslMax / 12) / (kHslMax / 6);
    return n1;
}

RGBQUAD KTDib::HSLtoRGB(RGBQUAD hsl)
{
    float h = hsl.rgbRed, s = hsl.rgbGreen, l = hsl.rgbBlue;
    RGBQUAD rgb;
    auto channel = [](float v) { return static_cast<BYTE>(std::clamp((v * kRgbMax + kHslMax / 2) / kHslMax, 0.0f, 255.0f)); };
    if (s == 0) {
        BYTE grey = static_cast<BYTE>(l * kRgbMax / kHslMax);
        rgb.rgbRed = rgb.rgbGreen = rgb.rgbBlue = grey;
        return rgb;
    }
    float m2 = l <= kHslMax / 2 ? (l * (kHslMax + s) + kHslMax / 2) / kHslMax : l + s - (l * s + kHslMax / 2) / kHslMax;
    float m1 = 2 * l - m2;
    rgb.rgbRed = channel(HueToRGB(m1, m2, h + kHslMax / 3));
    rgb.rgbGreen = channel(HueToRGB(m1, m2, h));
    rgb.rgbBlue = channel(HueToRGB(m1, m2, h - kHslMax / 3));
    return rgb;
}
