// KTWinTheme without a visual style: every member reports failure and nothing breaks, so the
// caller draws its classic look. With one (the desktop's, on the gtk host) a theme opens for the
// first class of its list that the style draws, and its parts are drawn.
#include "ktutil/KTWinTheme.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/VisualStyle.h"
#include "testkit/Canvas.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(KTWinTheme, WithoutAVisualStyleEveryMemberFailsAndLeavesItsOutputs)
{
    testkit::RecordingWnd window;
    ASSERT_TRUE(window.CreateTop(CRect(0, 0, 100, 100)));
    KTWinTheme theme;
    EXPECT_EQ(theme.OpenThemeData(window.m_hWnd, L"SPIN"), 0);
    EXPECT_EQ(theme.OpenThemeData(window.m_hWnd, L"SPIN"), 0);

    COLORREF colour = RGB(1, 2, 3);
    int value = 42;
    CRect margins(1, 2, 3, 4);
    wchar_t name[8] = L"keep";
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(theme.DrawThemePart(&dc, 4, 1, CRect(0, 0, 10, 10)), 0);
    EXPECT_EQ(theme.GetThemeColor(3, 1, 3821, colour), 0);
    EXPECT_EQ(theme.GetThemeInt(3, 1, 2401, value), 0);
    EXPECT_EQ(theme.GetThemeMargins(3, 1, 3601, margins), 0);
    EXPECT_EQ(theme.GetThemeEnumValue(3, 1, 4001, value), 0);
    EXPECT_EQ(theme.GetThemeFilename(3, 1, 3001, name, 8), 0);
    EXPECT_EQ(theme.GetCurrentThemeName(name, 8, name, 8, name, 8), 0);
    EXPECT_EQ(theme.LoadBitmapA(L"Blue\\Spin.bmp"), nullptr);
    EXPECT_EQ(colour, RGB(1, 2, 3));
    EXPECT_EQ(value, 42);
    EXPECT_EQ(margins, CRect(1, 2, 3, 4));
    EXPECT_EQ(std::wstring(name), L"keep");

    theme.CloseThemeData();
    theme.FreeLibrary();
}

namespace {

// Draws "SPIN" parts in one colour.
class FlatStyle : public platform::VisualStyleService
{
public:
    bool Draws(const char* themeClass) const override { return std::strcmp(themeClass, "SPIN") == 0; }
    bool DrawPart(const char*, int, int, std::uint32_t* pixels, int width, int height) override
    {
        for (int i = 0; i < width * height; ++i)
            pixels[i] = 0x3366CC;
        return true;
    }
};

TEST(KTWinTheme, WithAVisualStyleTheFirstClassItDrawsOpensAndItsPartsAreDrawn)
{
    platform::SetVisualStyleService(std::make_shared<FlatStyle>());
    testkit::RecordingWnd window;
    ASSERT_TRUE(window.CreateTop(CRect(0, 0, 100, 100)));
    KTWinTheme theme;
    EXPECT_EQ(theme.OpenThemeData(window.m_hWnd, L"TAB"), 0);
    EXPECT_EQ(theme.IsThemeOpen(), 0);
    ASSERT_EQ(theme.OpenThemeData(window.m_hWnd, L"WINDOW; SPIN"), 1);
    testkit::Canvas canvas(20, 20);
    EXPECT_EQ(theme.DrawThemePart(&canvas.dc, 4, 2, CRect(2, 2, 12, 12)), 1);
    EXPECT_EQ(canvas.Count(CRect(0, 0, 20, 20), RGB(0x33, 0x66, 0xCC)), 100);
    theme.CloseThemeData();
    EXPECT_EQ(theme.DrawThemePart(&canvas.dc, 4, 2, CRect(12, 12, 20, 20)), 0);
    platform::SetVisualStyleService(nullptr);
}

} // namespace
