// The system's look parameters: the message font that pop-ups and dialogs measure their texts
// with, the non-client sizes beside it, and the guard against a structure of another size.
#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/SystemParameters.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GdiSystemParameters, MessageFontIsTheClassicEightPointSansFace)
{
    NONCLIENTMETRICS metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_EQ(metrics.lfMessageFont.lfHeight, -11);
    EXPECT_EQ(metrics.lfMessageFont.lfWeight, FW_NORMAL);
    EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, "Tahoma");
    EXPECT_EQ(metrics.lfCaptionFont.lfWeight, FW_BOLD);
    EXPECT_EQ(metrics.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));

    // The font is made and measures text like the dialogs' own sans-serif face.
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&metrics.lfMessageFont));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(&font);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
    EXPECT_GT(dc.GetTextExtent(CString("More Colours...")).cx, 50);
    dc.SelectObject(old);
}

TEST(GdiSystemParameters, RefusesAStructureOfAnotherSizeAndUnknownActions)
{
    NONCLIENTMETRICS metrics;
    metrics.cbSize = sizeof(metrics) - 4;
    std::strcpy(metrics.lfMessageFont.lfFaceName, "unchanged");
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
    EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, "unchanged");
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, nullptr, 0));
    NONCLIENTMETRICS other;
    EXPECT_FALSE(SystemParametersInfo(0x7777, 0, &other, 0));
}
