// The memory and rotated device contexts: what reaches the target and when, the printer case,
// the turning arithmetic, and pixels drawn in rotated space landing where the turn puts them.
#include "ktctrl/draw/KTMemDC.h"
#include "ktctrl/draw/KTRotateDC.h"
#include "testkit/Canvas.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// ---- KTMemDC --------------------------------------------------------------------------------

TEST(KTMemDC, DrawsOffScreenAndCopiesBackToTheSamePlaceAtTheEnd)
{
    testkit::Canvas canvas(40, 30);
    CRect area(10, 5, 30, 25);
    {
        KTMemDC mem(&canvas.dc, &area, 0);
        mem->FillSolidRect(&area, kRed);
        EXPECT_EQ(canvas.At(10, 5), kWhite) << "nothing reaches the target before the end";
    }
    EXPECT_EQ(canvas.At(10, 5), kRed);
    EXPECT_EQ(canvas.At(29, 24), kRed);
    EXPECT_EQ(canvas.At(9, 5), kWhite);
    EXPECT_EQ(canvas.At(30, 24), kWhite);
    EXPECT_EQ(canvas.At(10, 25), kWhite);
}

TEST(KTMemDC, CopyBackgroundStartsFromTheTargetAndEnableFlushZeroLeavesTheTarget)
{
    testkit::Canvas canvas(40, 30);
    canvas.dc.SetPixel(15, 10, kBlue);
    CRect area(10, 5, 30, 25);
    {
        KTMemDC mem(&canvas.dc, &area, 1);
        EXPECT_EQ(mem.GetPixel(15, 10), kBlue);
        mem.FillSolidRect(&area, kRed);
        mem.EnableFlush(0);
    }
    EXPECT_EQ(canvas.At(15, 10), kBlue);
    EXPECT_EQ(canvas.At(20, 20), kWhite);
    {
        KTMemDC mem(&canvas.dc, 40, 30, 0);
        mem.FillSolidRect(0, 0, 40, 30, kRed);
        mem.Flush();
        EXPECT_EQ(canvas.At(0, 0), kRed) << "Flush copies at once";
    }
}

TEST(KTMemDC, OnAPrinterDrawsStraightThroughAndLeavesThePrinterAlive)
{
    testkit::TempFolder folder;
    CDC printer;
    ASSERT_TRUE(printer.CreatePrinterDC("", nullptr));
    CString out = folder.Path("page.pdf");
    DOCINFO info {};
    info.cbSize = sizeof(info);
    info.lpszDocName = "memdc";
    info.lpszOutput = out.GetString();
    ASSERT_GT(printer.StartDoc(&info), 0);
    ASSERT_GT(printer.StartPage(), 0);
    HDC handle = printer.m_hDC;
    {
        KTMemDC mem(&printer);
        EXPECT_EQ(mem.m_hDC, handle);
        EXPECT_TRUE(mem.IsPrinting());
        mem.Rectangle(10, 10, 100, 100);
    }
    EXPECT_EQ(printer.m_hDC, handle);
    EXPECT_GT(printer.EndPage(), 0);
    EXPECT_GT(printer.EndDoc(), 0);
}

// ---- KTRotateDC: arithmetic -------------------------------------------------------------------

TEST(KTRotateDC, TurnsRectanglesSizesAndAngles)
{
    using R = KTRotateDC;
    EXPECT_EQ(R::Rotate(CRect(0, 0, 100, 20), R::ANGLE_90), CRect(-20, 0, 0, 100));
    EXPECT_EQ(R::Rotate(CRect(0, 0, 100, 20), R::ANGLE_270), CRect(0, -100, 20, 0));
    EXPECT_EQ(R::Rotate(CRect(0, 0, 100, 20), R::ANGLE_180), CRect(-100, -20, 0, 0));
    EXPECT_EQ(R::Rotate(CRect(1, 2, 3, 4), 0), CRect(1, 2, 3, 4));
    EXPECT_EQ(R::Rotate(CSize(7, 3), 90), CSize(3, 7));
    EXPECT_EQ(R::Rotate(CSize(7, 3), 270), CSize(3, 7));
    EXPECT_EQ(R::Rotate(CSize(7, 3), 180), CSize(7, 3));
    EXPECT_EQ(R::Rotate(CPoint(5, 2), R::ANGLE_90), CPoint(-2, 5));

    struct { int degrees; R::ANGLE_TYPE angle; } angles[] = {
        { 0, R::ANGLE_0 }, { 89, R::ANGLE_0 }, { 90, R::ANGLE_90 }, { 450, R::ANGLE_90 },
        { -90, R::ANGLE_270 }, { 180, R::ANGLE_180 }, { -180, R::ANGLE_180 }, { 720, R::ANGLE_0 },
    };
    for (auto c : angles)
        EXPECT_EQ(R::AngleFromDegree(c.degrees), c.angle) << c.degrees;
    EXPECT_EQ(R::InvertAngle(R::ANGLE_0), R::ANGLE_0);
    EXPECT_EQ(R::InvertAngle(R::ANGLE_90), R::ANGLE_270);
    EXPECT_EQ(R::DegreeFromAngle(R::ANGLE_270), 270);

    POINT points[2] = { { 1, 0 }, { 0, 1 } };
    R::Rotate(points, 2, R::ANGLE_90);
    EXPECT_EQ(CPoint(points[0]), CPoint(0, 1));
    EXPECT_EQ(CPoint(points[1]), CPoint(-1, 0));
}

// ---- KTRotateDC: drawing ---------------------------------------------------------------------

// Where a rotated-space pixel (x, y) lands on the target once turned back.
CPoint LandsAt(KTRotateDC::ANGLE_TYPE angle, int x, int y)
{
    CRect pixel = KTRotateDC::Rotate(CRect(x, y, x + 1, y + 1), KTRotateDC::InvertAngle(angle));
    return pixel.TopLeft();
}

TEST(KTRotateDC, APixelDrawnInRotatedSpaceLandsWhereTheTurnPutsIt)
{
    for (int degrees : { 0, 90, 180, 270 }) {
        testkit::Canvas canvas(60, 50);
        CRect area(10, 10, 30, 40);
        KTRotateDC rot(canvas.dc, area, degrees);
        ASSERT_TRUE(rot.IsCreated());
        CRect inside = rot.GetRotateRect();
        rot.FillSolidRect(&inside, kBlue);
        CPoint corner = inside.TopLeft();
        rot.SetPixel(corner.x, corner.y, kRed);
        EXPECT_EQ(rot.Finish(), 1);
        CPoint at = LandsAt(rot.GetAngle(), corner.x, corner.y);
        EXPECT_TRUE(area.PtInRect(at)) << degrees;
        EXPECT_EQ(canvas.At(at.x, at.y), kRed) << degrees;
        EXPECT_EQ(canvas.Count(area, kBlue), area.Width() * area.Height() - 1) << degrees;
        EXPECT_EQ(canvas.Count(kWhite), 60 * 50 - area.Width() * area.Height()) << degrees;
    }
}

TEST(KTRotateDC, TextWrittenAlongRotatedSpaceStandsUpright)
{
    testkit::Canvas canvas(60, 120);
    CRect area(10, 0, 40, 120);
    {
        KTRotateDC rot(canvas.dc, area, 90);
        CRect inside = rot.GetRotateRect();
        EXPECT_EQ(inside.Width(), 120);
        EXPECT_EQ(inside.Height(), 30);
        rot.FillSolidRect(&inside, kWhite);
        rot.SetTextColor(RGB(0, 0, 0));
        rot.SetBkMode(TRANSPARENT);
        rot.TextOut(inside.left + 4, inside.top + 4, "Side tab text");
    }
    // The ink spans a tall, narrow box.
    int top = 200, bottom = -1, left = 200, right = -1;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 60; ++x)
            if (GetRValue(canvas.At(x, y)) < 0x80) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_GT(bottom - top, 3 * (right - left));
    EXPECT_GE(left, area.left);
    EXPECT_LT(right, area.right);
}

TEST(KTRotateDC, CopiesOnceAndRefusesWhatItCannotDraw)
{
    testkit::Canvas canvas(40, 40);
    {
        KTRotateDC rot(canvas.dc, CRect(0, 0, 10, 10), 90);
        rot.FillSolidRect(&rot.GetRotateRect(), kRed);
        EXPECT_EQ(rot.Finish(), 1);
        canvas.dc.FillSolidRect(0, 0, 10, 10, kBlue);
        EXPECT_EQ(rot.Finish(), 1);
    }
    EXPECT_EQ(canvas.At(5, 5), kBlue) << "a second Finish and the destructor copy nothing";

    KTRotateDC outside(canvas.dc, CRect(100, 100, 120, 120), 90);
    EXPECT_FALSE(outside.IsCreated());
    EXPECT_TRUE(outside.GetRotateRect().IsRectEmpty());
    EXPECT_EQ(outside.Finish(), 0);
    EXPECT_EQ(static_cast<KTRotateDC*>(outside), nullptr);

    {
        KTRotateDC dropped(canvas.dc, CRect(0, 0, 10, 10), 270);
        dropped.FillSolidRect(&dropped.GetRotateRect(), kRed);
        dropped.Invalidate();
    }
    EXPECT_EQ(canvas.At(5, 5), kBlue) << "Invalidate ends without copying";
}

TEST(KTRotateDC, CopyBackgroundBringsTheTargetInTurnedAndIsReusedAcrossCreates)
{
    testkit::Canvas canvas(40, 40);
    canvas.dc.SetPixel(12, 3, kRed);
    KTRotateDC rot;
    ASSERT_TRUE(rot.Create(canvas.dc, CRect(10, 0, 30, 10), 90, 1));
    // The target pixel (12, 3) is the pixel square turned by 90 degrees.
    CRect turned = KTRotateDC::Rotate(CRect(12, 3, 13, 4), KTRotateDC::ANGLE_90);
    EXPECT_EQ(rot.GetPixel(turned.left, turned.top), kRed);
    rot.Finish();
    EXPECT_EQ(canvas.At(12, 3), kRed) << "a copied-in background comes back unchanged";

    ASSERT_TRUE(rot.Create(canvas.dc, CRect(0, 0, 5, 5), 0, 0));
    rot.FillSolidRect(0, 0, 5, 5, kBlue);
    rot.Finish();
    EXPECT_EQ(canvas.At(4, 4), kBlue);
    EXPECT_EQ(canvas.At(5, 5), kWhite);
}

} // namespace
