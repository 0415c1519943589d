// Pixel rules of the drawing module: lines, pens, fills, clipping, regions, raster operations,
// blits, text boxes, mapping modes and object lifetimes, checked on memory DCs.
#include "platform/gdi/CDC.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/SysColors.h"
#include "testkit/Canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The shared canvas with compact views of its pixels for the pixel rules.
class Canvas : public testkit::Canvas
{
public:
    using testkit::Canvas::Canvas;

    // Row of '#' (colour) and '.' (background) characters for compact expectations.
    std::string Row(int y, int x0, int x1, COLORREF ink) const
    {
        std::string s;
        for (int x = x0; x < x1; ++x)
            s += At(x, y) == ink ? '#' : '.';
        return s;
    }
    std::string Column(int x, int y0, int y1, COLORREF ink) const
    {
        std::string s;
        for (int y = y0; y < y1; ++y)
            s += At(x, y) == ink ? '#' : '.';
        return s;
    }
    CRect InkBox(COLORREF background = kWhite) const
    {
        CRect box(Width(), Height(), -1, -1);
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                if (At(x, y) == background)
                    continue;
                box.left = std::min(box.left, (LONG)x);
                box.top = std::min(box.top, (LONG)y);
                box.right = std::max(box.right, (LONG)x + 1);
                box.bottom = std::max(box.bottom, (LONG)y + 1);
            }
        }
        return box.right < 0 ? CRect() : box;
    }
};

// ---- lines and pens -----------------------------------------------------------------------
TEST(GdiLines, LineToOmitsItsLastPixelInEveryDirection)
{
    Canvas c(20, 20);
    CPen pen(PS_SOLID, 1, kBlack);
    c.dc.SelectObject(&pen);
    c.dc.MoveTo(2, 5);
    c.dc.LineTo(8, 5); // right
    EXPECT_EQ(c.Row(5, 0, 10, kBlack), "..######..");
    c.dc.MoveTo(8, 7);
    c.dc.LineTo(2, 7); // left: 8 down to 3
    EXPECT_EQ(c.Row(7, 0, 10, kBlack), "...######.");
    c.dc.MoveTo(12, 2);
    c.dc.LineTo(12, 6); // down
    EXPECT_EQ(c.Column(12, 0, 8, kBlack), "..####..");
    c.dc.MoveTo(15, 2);
    c.dc.LineTo(19, 6); // diagonal: (15,2)..(18,5)
    EXPECT_EQ(c.At(18, 5), kBlack);
    EXPECT_EQ(c.At(19, 6), kWhite);
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(19, 6));
}

TEST(GdiLines, DashedStylesApplyAtWidthOneAndWidePensDrawSolid)
{
    struct Case
    {
        int style;
        const char* pattern; // first 30 pixels of a horizontal line from x = 0
    };
    const Case cases[] = {
        { PS_DASH, "##################......######" },
        { PS_DOT, "###...###...###...###...###..." },
        { PS_DASHDOT, "#########......###......######" },
        { PS_DASHDOTDOT, "#########...###...###...######" },
    };
    for (const Case& k : cases) {
        Canvas c(40, 10);
        CPen pen(k.style, 1, kBlack);
        c.dc.SelectObject(&pen);
        c.dc.SetBkMode(TRANSPARENT);
        c.dc.MoveTo(0, 3);
        c.dc.LineTo(40, 3);
        EXPECT_EQ(c.Row(3, 0, 30, kBlack), k.pattern) << "style " << k.style;

        // The same style at width 2 is solid and two pixels thick.
        Canvas w(40, 10);
        CPen wide(k.style, 2, kBlack);
        w.dc.SelectObject(&wide);
        w.dc.MoveTo(4, 5);
        w.dc.LineTo(30, 5);
        EXPECT_EQ(w.Row(5, 6, 28, kBlack), std::string(22, '#')) << "style " << k.style;
        EXPECT_EQ(w.InkBox().Height(), 2) << "style " << k.style;
    }
}

TEST(GdiLines, OpaqueBackgroundFillsTheGapsOfADashedPen)
{
    Canvas c(30, 5);
    CPen pen(PS_DOT, 1, kBlack);
    c.dc.SelectObject(&pen);
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(kRed);
    c.dc.MoveTo(0, 2);
    c.dc.LineTo(12, 2);
    EXPECT_EQ(c.Row(2, 0, 12, kRed), "...###...###");
}

TEST(GdiLines, NullPenDrawsNothingAndXorPenTwiceRestores)
{
    Canvas c(20, 20);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(19, 19);
    EXPECT_EQ(c.Count(kWhite), 400);

    CPen pen(PS_SOLID, 1, kRed);
    c.dc.SelectObject(&pen);
    c.dc.SetROP2(R2_XORPEN);
    c.dc.MoveTo(0, 4);
    c.dc.LineTo(10, 4);
    EXPECT_EQ(c.At(3, 4), RGB(0, 255, 255));
    c.dc.MoveTo(0, 4);
    c.dc.LineTo(10, 4);
    EXPECT_EQ(c.Count(kWhite), 400);
}

// ---- fills and shapes -----------------------------------------------------------------------
TEST(GdiFills, FillsCoverHalfOpenRectangles)
{
    Canvas c(20, 20);
    CBrush red(kRed);
    CRect r(2, 3, 7, 9);
    c.dc.FillRect(&r, &red);
    EXPECT_EQ(c.InkBox(), CRect(2, 3, 7, 9));
    EXPECT_EQ(c.Count(kRed), 5 * 6);

    Canvas s(20, 20);
    s.dc.FillSolidRect(4, 4, 3, 2, kBlue);
    EXPECT_EQ(s.InkBox(), CRect(4, 4, 7, 6));
    EXPECT_EQ(s.dc.GetBkColor(), kBlue); // as the classic call leaves it
}

TEST(GdiFills, RectangleOutlinesInsideAndNullPenFillsOnePixelLess)
{
    Canvas c(20, 20);
    CPen pen(PS_SOLID, 1, kBlack);
    CBrush brush(kRed);
    c.dc.SelectObject(&pen);
    c.dc.SelectObject(&brush);
    c.dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(c.InkBox(), CRect(2, 2, 8, 6));
    EXPECT_EQ(c.Row(2, 1, 9, kBlack), ".######.");
    EXPECT_EQ(c.Row(3, 1, 9, kBlack), ".#....#.");
    EXPECT_EQ(c.Row(3, 1, 9, kRed), "..####..");

    Canvas n(20, 20);
    n.dc.SelectStockObject(NULL_PEN);
    n.dc.SelectObject(&brush);
    n.dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(n.InkBox(), CRect(2, 2, 7, 5));
}

TEST(GdiFills, EllipseAndPolygonStayInsideTheirBoxes)
{
    Canvas c(40, 40);
    CBrush brush(kRed);
    CPen pen(PS_SOLID, 1, kBlack);
    c.dc.SelectObject(&brush);
    c.dc.SelectObject(&pen);
    c.dc.Ellipse(5, 5, 25, 15);
    CRect box = c.InkBox();
    EXPECT_GE(box.left, 5);
    EXPECT_GE(box.top, 5);
    EXPECT_LE(box.right, 25);
    EXPECT_LE(box.bottom, 15);
    EXPECT_EQ(c.At(15, 10), kRed);

    Canvas p(40, 40);
    p.dc.SelectObject(&brush);
    p.dc.SelectStockObject(NULL_PEN);
    POINT tri[] = { { 10, 10 }, { 30, 10 }, { 10, 30 } };
    p.dc.Polygon(tri, 3);
    EXPECT_EQ(p.At(12, 12), kRed);
    EXPECT_EQ(p.At(28, 28), kWhite);
    EXPECT_LE(p.InkBox().right, 30);
}

TEST(GdiFills, RegionsCombineFillAndTestPoints)
{
    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    both.CreateRectRgn(0, 0, 0, 0);
    struct Case
    {
        int mode;
        int pixels;
        POINT inside;
        POINT outside;
    };
    const Case cases[] = {
        { RGN_AND, 25, { 7, 7 }, { 2, 2 } },
        { RGN_OR, 175, { 2, 2 }, { 12, 2 } },
        { RGN_XOR, 150, { 12, 12 }, { 7, 7 } },
        { RGN_DIFF, 75, { 2, 2 }, { 7, 7 } },
    };
    for (const Case& k : cases) {
        EXPECT_NE(both.CombineRgn(&a, &b, k.mode), ERROR);
        EXPECT_TRUE(both.PtInRegion(k.inside)) << k.mode;
        EXPECT_FALSE(both.PtInRegion(k.outside)) << k.mode;
        Canvas c(20, 20);
        CBrush brush(kBlue);
        c.dc.FillRgn(&both, &brush);
        EXPECT_EQ(c.Count(kBlue), k.pixels) << k.mode;
    }
    CRgn poly;
    POINT pts[] = { { 0, 0 }, { 10, 0 }, { 10, 10 }, { 0, 10 } };
    poly.CreatePolygonRgn(pts, 4, ALTERNATE);
    EXPECT_TRUE(poly.EqualRgn(&a));
}

// ---- clipping and mapping ---------------------------------------------------------------------
TEST(GdiClipping, ClipRectanglesFollowAMovedOrigin)
{
    Canvas c(40, 40);
    c.dc.SetWindowOrg(-10, -5); // logical (0,0) is device (10,5)
    c.dc.IntersectClipRect(0, 0, 10, 10);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 10, 10));
    c.dc.FillSolidRect(-20, -20, 100, 100, kRed);
    EXPECT_EQ(c.InkBox(), CRect(10, 5, 20, 15));

    // Excluding a hole keeps it untouched.
    Canvas e(20, 20);
    e.dc.ExcludeClipRect(5, 5, 10, 10);
    e.dc.FillSolidRect(0, 0, 20, 20, kBlue);
    EXPECT_EQ(e.Count(kWhite), 25);

    // A selected region is in device units, independent of the window origin.
    Canvas r(20, 20);
    CRgn rgn;
    rgn.CreateRectRgn(2, 2, 6, 6);
    r.dc.SelectClipRgn(&rgn);
    r.dc.SetWindowOrg(100, 100);
    r.dc.FillSolidRect(90, 90, 50, 50, kBlue);
    EXPECT_EQ(r.Count(kBlue), 16);
    EXPECT_TRUE(r.dc.PtVisible(103, 103));
    EXPECT_FALSE(r.dc.PtVisible(101, 101));
}

TEST(GdiClipping, SaveAndRestoreBringBackTheWholeState)
{
    Canvas c(20, 20);
    int saved = c.dc.SaveDC();
    c.dc.SetTextColor(kRed);
    c.dc.SetWindowOrg(3, 4);
    c.dc.IntersectClipRect(0, 0, 2, 2);
    CPen pen(PS_SOLID, 3, kRed);
    c.dc.SelectObject(&pen);
    ASSERT_TRUE(c.dc.RestoreDC(saved));
    EXPECT_EQ(c.dc.GetTextColor(), kBlack);
    EXPECT_EQ(c.dc.GetWindowOrg(), CPoint(0, 0));
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 20, 20));
    LOGPEN lp;
    c.dc.GetCurrentPen()->GetLogPen(&lp);
    EXPECT_EQ(lp.lopnColor, kBlack);
}

TEST(GdiMapping, AnisotropicMappingScalesCoordinatesAndPens)
{
    Canvas c(100, 100);
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowExt(10, 10);
    c.dc.SetViewportExt(40, 20);
    c.dc.SetViewportOrg(5, 5);
    POINT p { 10, 10 };
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 45);
    EXPECT_EQ(p.y, 25);
    c.dc.FillSolidRect(0, 0, 5, 5, kRed);
    EXPECT_EQ(c.InkBox(), CRect(5, 5, 25, 15));
    c.dc.DPtoLP(&p);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSY), 96);
}

// ---- blits and raster operations ----------------------------------------------------------------
TEST(GdiBlits, RasterOperationsCombinePixels)
{
    struct Case
    {
        DWORD rop;
        COLORREF result; // destination RGB(0xF0,0x0F,0x55) with source RGB(0x3C,0x3C,0xFF)
    };
    const COLORREF dst = RGB(0xF0, 0x0F, 0x55), src = RGB(0x3C, 0x3C, 0xFF);
    const Case cases[] = {
        { SRCCOPY, src },
        { SRCAND, RGB(0xF0 & 0x3C, 0x0F & 0x3C, 0x55 & 0xFF) },
        { SRCPAINT, RGB(0xF0 | 0x3C, 0x0F | 0x3C, 0x55 | 0xFF) },
        { SRCINVERT, RGB(0xF0 ^ 0x3C, 0x0F ^ 0x3C, 0x55 ^ 0xFF) },
        { DSTINVERT, RGB(0x0F, 0xF0, 0xAA) },
        { NOTSRCCOPY, RGB(0xC3, 0xC3, 0x00) },
        { BLACKNESS, kBlack },
        { WHITENESS, kWhite },
    };
    for (const Case& k : cases) {
        Canvas d(4, 4, dst), s(4, 4, src);
        EXPECT_TRUE(d.dc.BitBlt(0, 0, 4, 4, &s.dc, 0, 0, k.rop));
        EXPECT_EQ(d.At(1, 1), k.result) << std::hex << k.rop;
    }
}

TEST(GdiBlits, MonochromeMasksFollowTextAndBackgroundColours)
{
    // Image: red square on green; mask made by blitting to a monochrome bitmap with the
    // background colour = green (white where green, black elsewhere).
    Canvas image(8, 8, RGB(0, 255, 0));
    image.dc.FillSolidRect(2, 2, 4, 4, kRed);
    CDC maskDc;
    maskDc.CreateCompatibleDC(nullptr);
    CBitmap mask;
    mask.CreateBitmap(8, 8, 1, 1, nullptr);
    CBitmap* oldMask = maskDc.SelectObject(&mask);
    image.dc.SetBkColor(RGB(0, 255, 0));
    maskDc.BitBlt(0, 0, 8, 8, &image.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(maskDc.GetPixel(0, 0), kWhite);
    EXPECT_EQ(maskDc.GetPixel(3, 3), kBlack);

    // Classic masked draw: destination AND mask, then image (with transparent part black) OR.
    Canvas dest(8, 8, kBlue);
    dest.dc.SetBkColor(kWhite);
    dest.dc.SetTextColor(kBlack);
    dest.dc.BitBlt(0, 0, 8, 8, &maskDc, 0, 0, SRCAND);
    EXPECT_EQ(dest.At(0, 0), kBlue);
    EXPECT_EQ(dest.At(3, 3), kBlack);
    image.dc.SetBkColor(kBlack);
    image.dc.SetTextColor(kWhite);
    // The image's transparent part turns black: the mask's white takes the background colour.
    image.dc.BitBlt(0, 0, 8, 8, &maskDc, 0, 0, SRCAND);
    dest.dc.BitBlt(0, 0, 8, 8, &image.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(dest.At(0, 0), kBlue);
    EXPECT_EQ(dest.At(3, 3), kRed);
    maskDc.SelectObject(oldMask);
}

TEST(GdiBlits, TransparentBlitSkipsTheKeyColourAndImageListsMask)
{
    Canvas src(6, 6, RGB(255, 0, 255));
    src.dc.FillSolidRect(1, 1, 2, 2, kRed);
    Canvas dst(12, 12, kBlue);
    dst.dc.TransparentBlt(0, 0, 12, 12, &src.dc, 0, 0, 6, 6, RGB(255, 0, 255));
    EXPECT_EQ(dst.At(0, 0), kBlue);
    EXPECT_EQ(dst.At(2, 2), kRed); // stretched twice
    EXPECT_EQ(dst.At(5, 5), kRed);
    EXPECT_EQ(dst.At(6, 6), kBlue);

    CImageList list;
    ASSERT_TRUE(list.Create(3, 6, ILC_COLOR24 | ILC_MASK, 2, 1));
    EXPECT_EQ(list.Add(&src.bitmap, RGB(255, 0, 255)), 0);
    EXPECT_EQ(list.GetImageCount(), 2);
    Canvas out(10, 10, kBlue);
    list.Draw(&out.dc, 0, CPoint(4, 4), ILD_TRANSPARENT);
    EXPECT_EQ(out.At(4, 4), kBlue);
    EXPECT_EQ(out.At(5, 5), kRed);
    list.SetBkColor(kWhite);
    list.Draw(&out.dc, 0, CPoint(4, 4), ILD_NORMAL);
    EXPECT_EQ(out.At(4, 4), kWhite);
    // Transparent again after the white one, and from two threads at once: the same picture.
    list.Draw(&out.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(out.At(0, 0), kBlue);
    EXPECT_EQ(out.At(1, 1), kRed);
    Canvas a(10, 10, kBlue), b(10, 10, kBlue);
    std::thread other([&] {
        for (int i = 0; i < 50; ++i)
            list.Draw(&b.dc, 0, CPoint(4, 4), ILD_TRANSPARENT);
    });
    for (int i = 0; i < 50; ++i)
        list.Draw(&a.dc, 0, CPoint(4, 4), ILD_TRANSPARENT);
    other.join();
    for (const Canvas* c : { &a, &b }) {
        EXPECT_EQ(c->At(4, 4), kBlue);
        EXPECT_EQ(c->At(5, 5), kRed);
    }
}

TEST(GdiBlits, StretchHalftoneAveragesAndPlgBltTurnsExactly)
{
    Canvas src(4, 2, kWhite);
    src.dc.FillSolidRect(0, 0, 1, 2, kBlack); // columns: black, white, white, white
    src.dc.FillSolidRect(2, 0, 2, 2, kBlack); // black, white, black, black
    Canvas half(2, 1);
    half.dc.SetStretchBltMode(HALFTONE);
    half.dc.StretchBlt(0, 0, 2, 1, &src.dc, 0, 0, 4, 2, SRCCOPY);
    EXPECT_EQ(half.At(0, 0), RGB(127, 127, 127));
    EXPECT_EQ(half.At(1, 0), kBlack);

    // A 3x2 picture turned a quarter: its top row becomes the right column.
    Canvas pic(3, 2, kWhite);
    pic.dc.SetPixel(0, 0, kRed);
    pic.dc.SetPixel(2, 0, kBlue);
    Canvas turned(2, 3);
    POINT corners[3] = { { 2, 0 }, { 2, 3 }, { 0, 0 } }; // top-left, top-right, bottom-left
    ASSERT_TRUE(turned.dc.PlgBlt(corners, &pic.dc, 0, 0, 3, 2, nullptr, 0, 0));
    EXPECT_EQ(turned.At(1, 0), kRed);
    EXPECT_EQ(turned.At(1, 2), kBlue);
    EXPECT_EQ(turned.At(0, 1), kWhite);
}

TEST(GdiBlits, DibRowsArePaddedAndEitherWayUp)
{
    // 3x2 24-bit image, rows padded to 12 bytes; bottom-up: first row in memory is the bottom.
    std::vector<BYTE> bits(24, 0);
    auto put = [&](int row, int x, COLORREF c) {
        bits[row * 12 + x * 3] = GetBValue(c), bits[row * 12 + x * 3 + 1] = GetGValue(c), bits[row * 12 + x * 3 + 2] = GetRValue(c);
    };
    put(0, 0, kRed);  // bottom-left in a bottom-up image
    put(1, 2, kBlue); // top-right
    BITMAPINFO info {};
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 24;
    Canvas c(3, 2);
    EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 3, 2, 0, 0, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(c.At(0, 1), kRed);
    EXPECT_EQ(c.At(2, 0), kBlue);
    info.bmiHeader.biHeight = -2; // top-down
    Canvas t(3, 2);
    StretchDIBits(t.dc, 0, 0, 3, 2, 0, 0, 3, 2, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(t.At(0, 0), kRed);
    EXPECT_EQ(t.At(2, 1), kBlue);

    // Reading back gives the same padded rows.
    std::vector<BYTE> back(24, 0xEE);
    BITMAPINFO query {};
    query.bmiHeader.biBitCount = 24;
    query.bmiHeader.biWidth = 3;
    query.bmiHeader.biHeight = 2;
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, 2, back.data(), &query, DIB_RGB_COLORS), 2);
    EXPECT_EQ(back[2], 255); // bottom-left red
    EXPECT_EQ(back[12 + 6], 255); // top-right blue
    EXPECT_EQ(back[9], 0); // padding

    // Absurd sizes from a corrupt header are refused, not allocated.
    BITMAPINFO huge = info;
    huge.bmiHeader.biWidth = 1 << 30;
    EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 3, 2, 0, 0, 0, 2, bits.data(), &huge, DIB_RGB_COLORS), 0);
    CBitmap tooBig;
    EXPECT_FALSE(tooBig.CreateCompatibleBitmap(&c.dc, 100000, 100000));
    EXPECT_FALSE(tooBig.CreateBitmap(-5, 10, 1, 32, nullptr));
}

// ---- text ------------------------------------------------------------------------------------
TEST(GdiText, FontHeightsAreCellOrCharacterHeights)
{
    Canvas c(10, 10);
    CFont cell, character;
    LOGFONT lf;
    strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = 20;
    cell.CreateFontIndirect(&lf);
    lf.lfHeight = -20;
    character.CreateFontIndirect(&lf);
    TEXTMETRIC tm;
    c.dc.SelectObject(&cell);
    c.dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 20, 1);
    c.dc.SelectObject(&character);
    c.dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 20, 1);
    EXPECT_GT(tm.tmHeight, 20);
    char face[LF_FACESIZE];
    c.dc.GetTextFace(LF_FACESIZE, face);
    EXPECT_STREQ(face, "Arial");
}

TEST(GdiText, DrawTextPlacesTextInItsAlignmentBox)
{
    struct Case
    {
        UINT format;
        bool right;  // ink in the right half
        bool bottom; // ink in the bottom half
        bool centredX;
    };
    const Case cases[] = {
        { DT_LEFT | DT_TOP | DT_SINGLELINE, false, false, false },
        { DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, true, true, false },
        { DT_CENTER | DT_VCENTER | DT_SINGLELINE, false, false, true },
    };
    for (const Case& k : cases) {
        Canvas c(200, 100);
        CFont font;
        font.CreatePointFont(100, "Arial");
        c.dc.SelectObject(&font);
        c.dc.SetBkMode(TRANSPARENT);
        CRect r(0, 0, 200, 100);
        c.dc.DrawText(CString("Bed 12"), &r, k.format);
        CRect ink = c.InkBox();
        ASSERT_FALSE(ink.IsRectEmpty());
        EXPECT_EQ(ink.left >= 100, k.right) << k.format;
        EXPECT_EQ(ink.top >= 50, k.bottom) << k.format;
        if (k.centredX) {
            EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);
            EXPECT_NEAR((ink.top + ink.bottom) / 2, 50, 4);
        }
        EXPECT_LE(ink.right, 200);
    }
}

TEST(GdiText, CalcRectMeasuresAndEllipsisShortensTheText)
{
    Canvas c(300, 60);
    CFont font;
    font.CreatePointFont(90, "Tahoma");
    c.dc.SelectObject(&font);
    CRect calc(10, 10, 10, 10);
    int h = c.dc.DrawText(CString("Fetal heart rate"), &calc, DT_CALCRECT | DT_SINGLELINE);
    CSize extent = c.dc.GetTextExtent(CString("Fetal heart rate"));
    EXPECT_EQ(calc.Width(), extent.cx);
    EXPECT_EQ(h, extent.cy);
    EXPECT_EQ(c.InkBox(), CRect()); // measuring draws nothing

    CRect wrap(0, 0, 60, 10);
    int lines = c.dc.DrawText(CString("one two three four five"), &wrap, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(lines, 3 * extent.cy);
    EXPECT_LE(wrap.Width(), 60);

    CString text("Uterine activity channel");
    CRect box(0, 0, 80, 20);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.DrawText(text, &box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_TRUE(text.str().ends_with("...")) << text.GetString();
    EXPECT_LE(c.dc.GetTextExtent(text).cx, 80);
    EXPECT_LE(c.InkBox().right, 80);
}

TEST(GdiText, PrefixUnderlinesAndSpecialCharactersRender)
{
    Canvas a(100, 30), b(100, 30);
    CRect r(0, 0, 100, 30);
    a.dc.DrawText(CString("&Save"), &r, DT_SINGLELINE);
    b.dc.DrawText(CString("&Save"), &r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_LT(a.InkBox().Width(), b.InkBox().Width()); // the ampersand is not drawn
    EXPECT_GT(a.InkBox().bottom, b.InkBox().bottom - 1);

    Canvas symbols(60, 30);
    symbols.dc.SetBkMode(TRANSPARENT);
    symbols.dc.TextOut(2, 2, CString("\xE2\x96\xBC 37\xC2\xB0"));
    EXPECT_GT(symbols.Count(kWhite), 0);
    EXPECT_LT(symbols.Count(kWhite), 60 * 30 - 20);
}

TEST(GdiText, EscapementTurnsTextByQuarterTurns)
{
    Canvas c(100, 100);
    LOGFONT lf;
    lf.lfHeight = -14;
    lf.lfEscapement = 900; // reads bottom to top
    strcpy(lf.lfFaceName, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    c.dc.SelectObject(&font);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(50, 90, CString("Contractions"));
    CRect ink = c.InkBox();
    EXPECT_GT(ink.Height(), 3 * ink.Width());
    EXPECT_LE(ink.bottom, 91);
    EXPECT_GE(ink.left, 49);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(GdiText, TabsExpandToTheirStops)
{
    Canvas c(10, 10);
    int stops[] = { 100, 200 };
    CSize plain = c.dc.GetTextExtent(CString("ab"));
    EXPECT_EQ(c.dc.GetTabbedTextExtent(CString("ab\tcd"), 2, stops).cx, 100 + plain.cx);
    EXPECT_EQ(c.dc.GetTabbedTextExtent(CString("ab\t\tcd"), 2, stops).cx, 200 + plain.cx);
    TEXTMETRIC tm;
    c.dc.GetTextMetrics(&tm);
    EXPECT_EQ(c.dc.GetTabbedTextExtent(CString("\tab"), 0, nullptr).cx, 8 * tm.tmAveCharWidth + plain.cx);
}

TEST(GdiText, TextAlignmentMovesTheReferencePoint)
{
    Canvas c(200, 60);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    c.dc.TextOut(150, 40, CString("120"));
    CRect ink = c.InkBox();
    EXPECT_LE(ink.right, 151);
    EXPECT_GE(ink.right, 146);
    EXPECT_LE(ink.bottom, 41);
}

TEST(GdiClipping, BoundsAccumulateWhatWasDrawn)
{
    Canvas c(50, 50);
    c.dc.SetBoundsRect(nullptr, DCB_RESET | DCB_ENABLE);
    c.dc.FillSolidRect(5, 6, 10, 4, kRed);
    c.dc.MoveTo(20, 30);
    c.dc.LineTo(30, 30);
    CRect bounds;
    EXPECT_TRUE(c.dc.GetBoundsRect(&bounds, DCB_RESET) & DCB_SET);
    EXPECT_EQ(bounds.TopLeft(), CPoint(5, 6));
    EXPECT_EQ(bounds.bottom, 31);
    EXPECT_GE(bounds.right, 30); // a line's bounds may include its omitted end pixel
    EXPECT_LE(bounds.right, 31);
    c.dc.GetBoundsRect(&bounds, 0);
    EXPECT_TRUE(bounds.IsRectEmpty());
}

// ---- objects -----------------------------------------------------------------------------------
TEST(GdiObjects, DeletedObjectsStayValidWhileSelected)
{
    Canvas c(10, 10);
    HGDIOBJ oldPen = nullptr;
    {
        CPen pen(PS_SOLID, 1, kRed);
        oldPen = c.dc.SelectObject(static_cast<HGDIOBJ>(pen));
        EXPECT_TRUE(pen.DeleteObject());
    }
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(5, 0);
    EXPECT_EQ(c.At(2, 0), kRed);
    HGDIOBJ stale = c.dc.SelectObject(oldPen);
    EXPECT_EQ(GetObjectType(stale), 0u); // released now: the handle is refused
    EXPECT_EQ(c.dc.SelectObject(stale), nullptr);
}

TEST(GdiObjects, AFontMayBeRecreatedWhileAWorkerDrawsWithTheOldOne)
{
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -14;
    strcpy(lf.lfFaceName, "Arial");
    font.CreateFontIndirect(&lf);
    std::atomic<bool> stop { false };
    // The worker's DC has the font selected before the font is made again.
    Canvas c(100, 30);
    c.dc.SelectObject(&font);
    std::thread worker([&] {
        while (!stop.load()) {
            CRect r(0, 0, 100, 30);
            c.dc.DrawText(CString("72"), &r, DT_SINGLELINE);
        }
        c.dc.SelectStockObject(SYSTEM_FONT);
    });
    for (int i = 0; i < 200; ++i) {
        lf.lfHeight = -10 - i % 10;
        font.CreateFontIndirect(&lf);
    }
    stop = true;
    worker.join();
    LOGFONT back;
    font.GetLogFont(&back);
    EXPECT_EQ(back.lfHeight, -19);
}

TEST(GdiObjects, SystemColoursAndMetricsComeFromTheFixedTable)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), kWhite);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CYVSCROLL), 17);
    LOGBRUSH lb;
    CBrush::FromHandle(GetSysColorBrush(COLOR_BTNSHADOW))->GetLogBrush(&lb);
    EXPECT_EQ(lb.lbColor, RGB(128, 128, 128));
}

} // namespace
