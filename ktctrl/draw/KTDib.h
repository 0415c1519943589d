// KTDib: a device-independent bitmap in one memory block (header, palette, pixel rows bottom
// row first), so that the shaded backgrounds can compute 8-bit palette images pixel by pixel
// and draw them with one call. Creation, palette and pixel access, drawing, cloning, writing
// a BMP file, and colour conversions between RGB and the 0 to 240 HSL scale.
//
// The block has exactly one owner: copying makes a deep copy.
#pragma once

#include "platform/gdi/CDC.h"

#include <memory>

class KTDib
{
public:
    KTDib() = default;
    KTDib(const KTDib& other) { Clone(const_cast<KTDib&>(other)); }
    KTDib& operator=(const KTDib& other);
    virtual ~KTDib() = default;

    // Bit counts are raised to 1, 4, 8 or 24. Palette and pixels are not initialised.
    void* Create(DWORD width, DWORD height, WORD bitCount);
    void Free();
    BOOL IsValid() const { return m_block != nullptr; }

    DWORD GetSize() const { return m_head.biSize + GetPaletteSize() + m_head.biSizeImage; }
    BYTE* GetBits() const { return m_block ? m_block.get() + m_head.biSize + GetPaletteSize() : nullptr; }
    DWORD GetPaletteSize() const { return 4u * m_nColors; }
    DWORD GetLineWidth() const { return m_lineWidth; }
    WORD GetNumColors() const { return m_nColors; }
    WORD GetBitCount() const { return m_head.biBitCount; }
    DWORD GetWidth() const { return static_cast<DWORD>(m_head.biWidth); }
    DWORD GetHeight() const { return static_cast<DWORD>(m_head.biHeight); }

    long Draw(HDC dc, long x, long y);
    long Stretch(HDC dc, long x, long y, long width, long height);

    // ---- palette ---------------------------------------------------------------------------
    void SetPaletteIndex(BYTE index, BYTE red, BYTE green, BYTE blue);
    void SetPaletteIndex(BYTE index, RGBQUAD colour);
    void SetPaletteIndex(BYTE index, COLORREF colour);
    RGBQUAD GetPaletteIndex(BYTE index) const;
    BYTE GetNearestIndex(RGBQUAD colour) const;
    void SetGrayPalette();
    void BlendPalette(COLORREF colour, long percent);

    // ---- pixels (y from the top; points outside the image are ignored) ----------------------
    BYTE GetPixelIndex(long x, long y) const;
    void SetPixelIndex(long x, long y, BYTE index);
    RGBQUAD GetPixelColor(long x, long y) const;
    void SetPixelColor(long x, long y, RGBQUAD colour);
    void SetPixelColor(long x, long y, COLORREF colour);

    void Clone(KTDib& source);
    void Clear(BYTE value = 0);
    long WriteBMP(const char* fileName);

    // ---- colour models (hue, saturation, luminance 0 to 240 in red, green, blue) -------------
    static RGBQUAD RGB2RGBQUAD(COLORREF colour);
    static COLORREF RGBQUAD2RGB(RGBQUAD colour);
    static RGBQUAD RGBtoHSL(RGBQUAD colour);
    static RGBQUAD HSLtoRGB(RGBQUAD hsl);
    static RGBQUAD HSLtoRGB(COLORREF hsl) { return HSLtoRGB(RGB2RGBQUAD(hsl)); }
    static RGBQUAD RGBtoHSL(COLORREF colour) { return RGBtoHSL(RGB2RGBQUAD(colour)); }
    static float HueToRGB(float n1, float n2, float hue);

    const BITMAPINFOHEADER& Header() const { return m_head; }

private:
    RGBQUAD* Palette() const { return m_block ? reinterpret_cast<RGBQUAD*>(m_block.get() + m_head.biSize) : nullptr; }
    bool Inside(long x, long y) const { return m_block && x >= 0 && y >= 0 && x < m_head.biWidth && y < m_head.biHeight; }
    // The row of y counted from the top (rows are stored bottom first).
    BYTE* Row(long y) const { return GetBits() + (m_head.biHeight - 1 - y) * m_lineWidth; }

    std::unique_ptr<BYTE[]> m_block;
    BITMAPINFOHEADER m_head {};
    DWORD m_lineWidth { 0 };
    WORD m_nColors { 0 };
};
