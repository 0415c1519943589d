// KTWinTheme without a visual-style library: every member reports failure and nothing breaks,
// so the caller draws its classic look.
#include "ktutil/KTWinTheme.h"

#include "platform/gdi/CDC.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

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
