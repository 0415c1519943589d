// The device-independent bitmap, the shaded backgrounds and the tiled bitmap: geometry and
// pixel access of the bitmap, colour conversions, shades that stay inside their image for any
// size and granularity and are drawn once per size, and tiles read back pixel by pixel.
#include "ktctrl/draw/KTDib.h"
#include "ktctrl/draw/KTShade.h"
#include "ktctrl/draw/KTTileBmp.h"
#include "platform/gdi/SysColors.h"
#include "testkit/Canvas.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// ---- KTDib -------------------------------------------------------------------------------------------

TEST(KTDib, RaisesBitCountsAndPadsRows)
{
    struct { WORD asked; WORD bits; WORD colours; DWORD width; DWORD line; } cases[] = {
        { 0, 1, 2, 10, 4 },    { 1, 1, 2, 33, 8 },    { 2, 4, 16, 10, 8 },   { 4, 4, 16, 9, 8 },
        { 5, 8, 256, 10, 12 }, { 8, 8, 256, 4, 4 },   { 16, 24, 0, 10, 32 }, { 32, 24, 0, 1, 4 },
    };
    for (auto c : cases) {
        KTDib dib;
        ASSERT_NE(dib.Create(c.width, 3, c.asked), nullptr);
        EXPECT_EQ(dib.GetBitCount(), c.bits) << c.asked;
        EXPECT_EQ(dib.GetNumColors(), c.colours) << c.asked;
        EXPECT_EQ(dib.GetLineWidth(), c.line) << c.asked << " " << c.width;
        EXPECT_EQ(dib.GetSize(), 40 + 4u * c.colours + c.line * 3);
    }
}

TEST(KTDib, PixelsCountFromTheTopAndIgnorePointsOutside)
{
    for (WORD bits : { 1, 4, 8 }) {
        KTDib dib;
        dib.Create(10, 4, bits);
        dib.Clear(0);
        dib.SetPixelIndex(3, 0, 1);
        dib.SetPixelIndex(-1, 0, 1);
        dib.SetPixelIndex(10, 0, 1);
        dib.SetPixelIndex(0, 4, 1);
        EXPECT_EQ(dib.GetPixelIndex(3, 0), 1) << bits;
        EXPECT_EQ(dib.GetPixelIndex(4, 0), 0) << bits;
        EXPECT_EQ(dib.GetPixelIndex(99, 99), 0) << bits;
        // The top row is the last row of the block.
        const BYTE* lastRow = dib.GetBits() + 3 * dib.GetLineWidth();
        EXPECT_NE(lastRow[0] | lastRow[1] | lastRow[3], 0) << bits;
        EXPECT_EQ(dib.GetBits()[0] | dib.GetBits()[1] | dib.GetBits()[3], 0) << bits;
    }
    KTDib colour;
    colour.Create(2, 2, 24);
    colour.SetPixelColor(1, 1, kBlue);
    EXPECT_EQ(KTDib::RGBQUAD2RGB(colour.GetPixelColor(1, 1)), kBlue);
    EXPECT_EQ(KTDib::RGBQUAD2RGB(colour.GetPixelColor(5, 5)), RGB(0, 0, 0));
    EXPECT_EQ(KTDib::RGBQUAD2RGB(colour.GetPaletteIndex(0)), RGB(0, 0, 0)) << "a 24-bit image has no palette";
}

TEST(KTDib, PaletteBlendsNearestAndGrey)
{
    KTDib dib;
    dib.Create(4, 4, 8);
    dib.SetGrayPalette();
    EXPECT_EQ(KTDib::RGBQUAD2RGB(dib.GetPaletteIndex(0)), RGB(0, 0, 0));
    EXPECT_EQ(KTDib::RGBQUAD2RGB(dib.GetPaletteIndex(100)), RGB(100, 100, 100));
    EXPECT_EQ(KTDib::RGBQUAD2RGB(dib.GetPaletteIndex(255)), kWhite);
    EXPECT_EQ(dib.GetNearestIndex(KTDib::RGB2RGBQUAD(RGB(101, 99, 100))), 100);
    dib.SetPixelColor(0, 0, RGB(50, 50, 50));
    EXPECT_EQ(dib.GetPixelIndex(0, 0), 50);

    dib.BlendPalette(kRed, 50);
    EXPECT_EQ(KTDib::RGBQUAD2RGB(dib.GetPaletteIndex(100)), RGB((255 * 50 + 100 * 50) / 100, 50, 50));
    dib.BlendPalette(kBlue, 150);
    for (int i : { 0, 77, 255 })
        EXPECT_EQ(KTDib::RGBQUAD2RGB(dib.GetPaletteIndex(static_cast<BYTE>(i))), kBlue) << "150 acts as 100";
}

TEST(KTDib, DrawsClonesAndWritesBmpFiles)
{
    KTDib dib;
    dib.Create(3, 2, 8);
    dib.SetPaletteIndex(0, RGB(0, 0, 0));
    dib.SetPaletteIndex(1, kGreen);
    dib.Clear(0);
    dib.SetPixelIndex(2, 0, 1);
    KTDib copy = dib;
    EXPECT_NE(copy.GetBits(), dib.GetBits()) << "each block has one owner";
    testkit::Canvas canvas(10, 10);
    EXPECT_EQ(copy.Draw(canvas.dc.GetSafeHdc(), 4, 4), 1);
    EXPECT_EQ(canvas.At(6, 4), kGreen);
    EXPECT_EQ(canvas.At(6, 5), RGB(0, 0, 0));
    KTDib empty;
    EXPECT_EQ(empty.Draw(canvas.dc.GetSafeHdc(), 0, 0), 0);

    testkit::TempFolder folder;
    CString missing = folder.Path("missing.bmp");
    EXPECT_EQ(dib.WriteBMP(missing), 0) << "the file must exist already";
    EXPECT_EQ(dib.WriteBMP(""), 0);
    CString existing = folder.Path("out.bmp");
    std::ofstream(existing.GetString()) << "old content that is longer than nothing";
    ASSERT_EQ(dib.WriteBMP(existing), 1);
    std::ifstream in(existing.GetString(), std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), dib.GetSize() + 14);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[10] | (bytes[11] << 8), 14 + 40 + 1024);
}

TEST(KTDib, ConvertsBetweenRgbAndHsl)
{
    struct { COLORREF rgb; int h, s, l; } cases[] = {
        { RGB(255, 0, 0), 0, 240, 120 }, { RGB(0, 255, 0), 80, 240, 120 }, { RGB(0, 0, 255), 160, 240, 120 },
        { RGB(128, 128, 128), 160, 0, 120 }, { RGB(255, 255, 255), 160, 0, 240 }, { RGB(0, 0, 0), 160, 0, 0 },
    };
    for (auto c : cases) {
        RGBQUAD hsl = KTDib::RGBtoHSL(c.rgb);
        EXPECT_EQ(hsl.rgbRed, c.h) << std::hex << c.rgb;
        EXPECT_EQ(hsl.rgbGreen, c.s) << std::hex << c.rgb;
        EXPECT_EQ(hsl.rgbBlue, c.l) << std::hex << c.rgb;
        COLORREF back = KTDib::RGBQUAD2RGB(KTDib::HSLtoRGB(hsl));
        EXPECT_NEAR(GetRValue(back), GetRValue(c.rgb), 2);
        EXPECT_NEAR(GetGValue(back), GetGValue(c.rgb), 2);
        EXPECT_NEAR(GetBValue(back), GetBValue(c.rgb), 2);
    }
}

// ---- KTShade -------------------------------------------------------------------------------------------

std::vector<COLORREF> Pixels(const testkit::Canvas& canvas)
{
    std::vector<COLORREF> out;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            out.push_back(canvas.At(x, y));
    return out;
}

TEST(KTShade, EveryTypeStaysInsideItsImageAtAnySizeAndGranularity)
{
    // Sizes that make the bevel width, the streak divisors and the row squares tiny or zero.
    const CSize sizes[] = { { 1, 1 }, { 2, 300 }, { 300, 2 }, { 5, 5 }, { 7, 64 } };
    for (int type = 0; type <= 9; ++type)
        for (int granularity : { 0, 1, 64, 127, 255 })
            for (CSize size : sizes) {
                KTShade shade;
                shade.SetShade(static_cast<KTShade::ShadeType>(type), static_cast<BYTE>(granularity), 10, 10, 0);
                testkit::Canvas canvas(size.cx + 2, size.cy + 2, kRed);
                shade.DrawShade(&canvas.dc, 1, 1, size.cx, size.cy);
                // The frame around the image is untouched; every pixel of the image is drawn.
                EXPECT_EQ(canvas.Count(kRed), 2 * (size.cx + 2) + 2 * size.cy)
                    << "type " << type << " granularity " << granularity << " " << size.cx << "x" << size.cy;
            }
}

TEST(KTShade, IsDrawnOncePerSizeAndCopiedPiecesStay)
{
    KTShade shade;
    testkit::Canvas first(40, 30), second(40, 30);
    shade.DrawShade(&first.dc, 0, 0, 40, 30);
    shade.SetGranularity(40); // the same size: the old image is reused
    shade.DrawShade(&second.dc, 0, 0, 40, 30);
    EXPECT_EQ(Pixels(first), Pixels(second));

    KTShade piece;
    EXPECT_FALSE(piece.CopyShade(shade, 30, 20, 20, 20)) << "reaches past the source";
    EXPECT_FALSE(piece.CopyShade(shade, -1, 0, 5, 5));
    EXPECT_FALSE(piece.ShadeImage().IsValid());
    ASSERT_TRUE(piece.CopyShade(shade, 10, 5, 20, 20));
    EXPECT_FALSE(piece.IsModified());
    testkit::Canvas copied(20, 20);
    piece.DrawShade(&copied.dc, 0, 0, 50, 50); // a copied shade is not rebuilt by drawing
    EXPECT_EQ(piece.ShadeImage().GetWidth(), 20u);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(copied.At(x, y), first.At(10 + x, 5 + y));
}

TEST(KTShade, FlatTypeWithoutNoiseIsTheFaceColourAndHighlightFollowsTheSetting)
{
    KTShade flat;
    flat.SetShade(KTShade::SHADE_FLAT, 0, 50, 0, 0);
    testkit::Canvas canvas(16, 8);
    flat.DrawShade(&canvas.dc, 0, 0, 16, 8);
    EXPECT_EQ(canvas.Count(::GetSysColor(COLOR_BTNFACE)), 16 * 8);

    testkit::Canvas light(16, 8);
    flat.DrawHightlightShade(&light.dc, 0, 0, 16, 8);
    EXPECT_NE(light.At(3, 3), canvas.At(3, 3)) << "the highlight copy is lighter";

    KTShade plain;
    plain.UseHighlight(0);
    plain.SetShade(KTShade::SHADE_FLAT, 0, 50, 0, 0);
    testkit::Canvas a(16, 8), b(16, 8);
    plain.DrawShade(&a.dc, 0, 0, 16, 8);
    plain.DrawHightlightShade(&b.dc, 0, 0, 16, 8);
    EXPECT_EQ(Pixels(a), Pixels(b)) << "without the highlight copy the plain shade is drawn";
}

TEST(KTShade, GradientsRunFromShadowToHighlight)
{
    KTShade vertical;
    vertical.SetShade(KTShade::SHADE_VERTICAL, 0, 10, 0, 0);
    testkit::Canvas canvas(4, 100);
    vertical.DrawShade(&canvas.dc, 0, 0, 4, 100);
    EXPECT_EQ(canvas.At(0, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_LT(GetGValue(canvas.At(0, 10)), GetGValue(canvas.At(0, 90)));
}

// ---- KTTileBmp ----------------------------------------------------------------------------------------

// A bitmap whose column x has the colour of `columns[x]` (a vertical-stripe test picture).
HBITMAP Stripes(int width, int height, const std::vector<COLORREF>& columns)
{
    testkit::Canvas canvas(width, height);
    for (int x = 0; x < width; ++x)
        canvas.dc.FillSolidRect(x, 0, 1, height, columns[x % columns.size()]);
    canvas.dc.SelectObject(static_cast<CBitmap*>(nullptr));
    return reinterpret_cast<HBITMAP>(canvas.bitmap.Detach());
}

TEST(KTTileBmp, CutsNineSectionsWithTheRemaindersInTheMiddle)
{
    struct { int w, h; int widths[3]; int heights[3]; } cases[] = {
        { 10, 10, { 3, 4, 3 }, { 3, 4, 3 } },
        { 11, 10, { 3, 5, 3 }, { 3, 4, 3 } },
        { 2, 2, { 0, 2, 0 }, { 0, 2, 0 } },
    };
    for (auto c : cases) {
        KTTileBmp tile;
        tile.Attach(Stripes(c.w, c.h, { kRed }));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(tile.Section(0, i).Width(), c.widths[i]) << c.w;
            EXPECT_EQ(tile.Section(i, 0).Height(), c.heights[i]) << c.h;
        }
        EXPECT_EQ(tile.Section(2, 2).right, c.w);
        EXPECT_EQ(tile.Section(2, 2).bottom, c.h);
    }
}

TEST(KTTileBmp, RepeatsTheWholeBitmapCutOffAtTheEdge)
{
    KTTileBmp tile;
    // Ten columns: five red then five blue.
    tile.Attach(Stripes(10, 4, { kRed, kRed, kRed, kRed, kRed, kBlue, kBlue, kBlue, kBlue, kBlue }));
    testkit::Canvas canvas(40, 12);
    tile.Draw(&canvas.dc, 5, 2, 25, 10);
    for (int x = 0; x < 25; ++x) {
        COLORREF expected = (x % 10) < 5 ? kRed : kBlue;
        EXPECT_EQ(canvas.At(5 + x, 2), expected) << x;
        EXPECT_EQ(canvas.At(5 + x, 11), expected) << x;
    }
    EXPECT_EQ(canvas.At(30, 2), kWhite) << "two whole copies and half of a third";
    EXPECT_EQ(canvas.At(5, 1), kWhite);
}

TEST(KTTileBmp, NineSectionsKeepCornersAndRepeatEdgesAndCentre)
{
    KTTileBmp tile;
    // Columns 0-2 red, 3-5 green, 6-8 blue: corners red and blue, the middle green.
    tile.Attach(Stripes(9, 9, { kRed, kRed, kRed, kGreen, kGreen, kGreen, kBlue, kBlue, kBlue }));
    tile.SetTileType(1);
    testkit::Canvas canvas(30, 20);
    tile.Draw(&canvas.dc, 0, 0, 30, 20);
    for (int y : { 0, 10, 19 }) {
        EXPECT_EQ(canvas.At(0, y), kRed);
        EXPECT_EQ(canvas.At(2, y), kRed);
        EXPECT_EQ(canvas.At(3, y), kGreen);
        EXPECT_EQ(canvas.At(26, y), kGreen);
        EXPECT_EQ(canvas.At(27, y), kBlue);
        EXPECT_EQ(canvas.At(29, y), kBlue);
    }
}

TEST(KTTileBmp, DrawsNothingWithoutBitmapOrArea)
{
    testkit::Canvas canvas(20, 20);
    KTTileBmp empty;
    empty.Draw(&canvas.dc, 0, 0, 20, 20);
    EXPECT_EQ(canvas.Count(kWhite), 400);

    KTTileBmp tile;
    tile.Attach(Stripes(4, 4, { kRed }));
    tile.Draw(&canvas.dc, 0, 0, 0, 0);
    tile.Draw(&canvas.dc, 0, 0, -5, 10);
    tile.Draw(nullptr, 0, 0, 5, 5);
    tile.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(canvas.Count(kWhite), 400);

    HBITMAP source = Stripes(3, 3, { kBlue });
    ASSERT_TRUE(tile.CopyImage(source));
    ::DeleteObject(source); // the copy stays with the tile
    tile.Draw(&canvas.dc, 0, 0, 3, 3);
    EXPECT_EQ(canvas.At(1, 1), kBlue);
    tile.DelectObject();
    tile.Draw(&canvas.dc, 10, 10, 3, 3);
    EXPECT_EQ(canvas.At(11, 11), kWhite);
}

} // namespace
