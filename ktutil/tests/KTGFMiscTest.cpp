// Colour shading, picture fitting, byte order and byte spreading of KTGF.
#include "ktutil/KTGF.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(KTGFMisc, ShadingStaysWithinTheChannelRange)
{
    EXPECT_EQ(KTGF::GetColorDark(RGB(255, 255, 255), 300), RGB(0, 0, 0));
    EXPECT_EQ(KTGF::GetColorLight(RGB(0, 0, 0), 300), RGB(255, 255, 255));
    EXPECT_EQ(KTGF::GetColorDark(RGB(100, 20, 200), 50), RGB(50, 0, 150));
    EXPECT_EQ(KTGF::GetColorLight(RGB(100, 20, 200), 128), RGB(228, 148, 255));
    EXPECT_EQ(KTGF::GetColorLight(RGB(1, 2, 3), 0), RGB(1, 2, 3));
}

TEST(KTGFMisc, GetDrawRectCentresThePictureInTheArea)
{
    struct Case {
        CRect area;
        CSize size;
        BOOL noEnlarge;
        CRect expected;
    };
    const std::vector<Case> cases = {
        { CRect(0, 0, 200, 100), CSize(50, 50), FALSE, CRect(50, 0, 150, 100) },
        { CRect(0, 0, 200, 100), CSize(50, 50), TRUE, CRect(75, 25, 125, 75) },
        { CRect(0, 0, 100, 200), CSize(400, 200), FALSE, CRect(0, 75, 100, 125) },
        { CRect(10, 20, 110, 70), CSize(300, 100), TRUE, CRect(10, 28, 110, 61) },
        { CRect(0, 0, 0, 100), CSize(50, 50), FALSE, CRect(0, 0, 0, 0) },
        { CRect(0, 0, 100, 100), CSize(0, 50), FALSE, CRect(0, 0, 0, 0) },
        { CRect(100, 0, 0, 100), CSize(50, 50), FALSE, CRect(0, 0, 0, 0) },
    };
    for (const Case& c : cases) {
        const CRect r = KTGF::GetDrawRect(c.area, c.size, c.noEnlarge);
        EXPECT_EQ(r, c.expected) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(KTGFMisc, InvertByteReversesInPlace)
{
    BYTE bytes[] = { 1, 2, 3, 4 };
    EXPECT_EQ(KTGF::InvertByte(bytes, 4), 0);
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 4), (std::vector<BYTE> { 4, 3, 2, 1 }));
    EXPECT_EQ(KTGF::InvertByte(bytes, 1), -2);
    EXPECT_EQ(bytes[0], 4);
    EXPECT_EQ(KTGF::InvertByte(nullptr, 4), -2);

    std::uint32_t value = 0x11223344;
    EXPECT_EQ(KTGF::HostToNetwork(reinterpret_cast<BYTE*>(&value), 4), 0);
    const auto* net = reinterpret_cast<const BYTE*>(&value);
    EXPECT_EQ(net[0], 0x11);
    EXPECT_EQ(net[3], 0x44);
    EXPECT_FALSE(KTGF::IsHostBigEndian()); // every machine we build for is little-endian
}

TEST(KTGFMisc, SpreadBytesComeBack)
{
    const BYTE source[] = { 0, 7, 255, 128, 42 };
    const int width = 5;
    const int needed = KTGF::Encrypt(source, 5, nullptr, 0, width);
    ASSERT_EQ(needed, 25);
    std::vector<BYTE> spread(needed);
    EXPECT_EQ(KTGF::Encrypt(source, 5, spread.data(), 24, width), 0);
    EXPECT_EQ(KTGF::Encrypt(source, 5, spread.data(), needed, width), 25);
    EXPECT_EQ(spread[width / 2 + width], 7);
    EXPECT_EQ(KTGF::Encrypt(source, 5, spread.data(), needed, 2), 0);

    EXPECT_EQ(KTGF::Decrypt(spread.data(), 24, nullptr, 0, width), 0);
    ASSERT_EQ(KTGF::Decrypt(spread.data(), 25, nullptr, 0, width), 5);
    std::vector<BYTE> back(5);
    EXPECT_EQ(KTGF::Decrypt(spread.data(), 25, back.data(), 4, width), 0);
    EXPECT_EQ(KTGF::Decrypt(spread.data(), 25, back.data(), 5, width), 5);
    EXPECT_EQ(back, std::vector<BYTE>(source, source + 5));
}

} // namespace

#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "testkit/Canvas.h"

namespace {

TEST(KTGFMisc, Draw3DFrameUsesTheSystem3DColours)
{
    testkit::Canvas canvas(20, 20);
    CDC& dc = canvas.dc;
    const COLORREF highlight = GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    struct Case {
        BOOL thin;
        BOOL raised;
        COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    const COLORREF background = RGB(1, 2, 3);
    const std::vector<Case> cases = {
        { FALSE, TRUE, highlight, shadow, light, dark },
        { FALSE, FALSE, shadow, highlight, dark, light },
        { TRUE, TRUE, highlight, shadow, background, background },
        { TRUE, FALSE, shadow, highlight, background, background },
    };
    for (const Case& c : cases) {
        dc.FillSolidRect(0, 0, 20, 20, background);
        KTGF::Draw3DFrame(&dc, CRect(2, 2, 12, 12), c.thin, c.raised);
        EXPECT_EQ(dc.GetPixel(2, 5), c.outerTopLeft);
        EXPECT_EQ(dc.GetPixel(5, 11), c.outerBottomRight);
        EXPECT_EQ(dc.GetPixel(3, 5), c.innerTopLeft);
        EXPECT_EQ(dc.GetPixel(10, 5), c.innerBottomRight);
        EXPECT_EQ(dc.GetPixel(6, 6), background);
    }
    KTGF::Draw3DFrame(nullptr, CRect(0, 0, 5, 5), FALSE, TRUE);
}

} // namespace
