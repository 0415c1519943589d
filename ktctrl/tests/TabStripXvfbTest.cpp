// The flat and side tab strips under the gtk host on a real X display: their scroll buttons are
// the desktop theme's arrow buttons, not the classic push buttons, with the strip's own glyphs
// on top; under the pointer a button is drawn hot.
// The screen is kept for review (build/pictures/ktctrl_tab_strips_on_display.png).
#include "ktctrl/composite/KTFlatTab.h"
#include "ktctrl/composite/KTSideTab.h"
#include "ktutil/KTWinTheme.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "testkit/Canvas.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"
#include "testkit/TempFolder.h"
#include "testkit/TestWindow.h"
#include "testkit/Xvfb.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

class TabStripsOnXvfb : public testkit::XvfbTest
{
protected:
    void SetUp() override
    {
        testkit::XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(frame.CreateTop(CRect(40, 50, 440, 350), WS_POPUP | WS_VISIBLE));
        frame.onMessage = [this](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message != WM_PAINT)
                return false;
            CPaintDC dc(&frame);
            CRect client;
            frame.GetClientRect(&client);
            dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
            return true;
        };
        ASSERT_TRUE(flat.Create(WS_VISIBLE | KTTAB_FOURBUTTONS, CRect(20, 20, 300, 44), &frame, 1));
        ASSERT_TRUE(side.Create(WS_VISIBLE | KTTAB_FOURBUTTONS, CRect(340, 20, 370, 280), &frame, 2));
        for (int i = 0; i < 12; ++i) {
            const std::string name = "Sheet " + std::to_string(i + 1);
            flat.InsertItem(i, name.c_str());
            side.InsertItem(i, name.c_str());
        }
        ASSERT_TRUE(testkit::PumpDisplayUntil([&] { return testkit::IsOnDisplay(frame.m_hWnd); }));
    }

    // The share of a button's pixels that differ from the classic push button of its size.
    static double ThemedShare(KTTabStrip& strip, int hit)
    {
        strip.Invalidate(FALSE);
        testkit::PumpDisplayUntil([] { return true; });
        const platform::Image picture = testkit::Capture(strip.m_hWnd);
        const CRect button = strip.GetButtonRect(hit);
        testkit::Canvas classic(button.Width(), button.Height());
        CRect face(0, 0, button.Width(), button.Height());
        classic.dc.DrawFrameControl(&face, DFC_BUTTON, DFCS_BUTTONPUSH);
        int other = 0;
        for (int y = 0; y < button.Height(); ++y)
            for (int x = 0; x < button.Width(); ++x) {
                const COLORREF c = classic.At(x, y);
                const std::uint32_t rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                other += (picture.Pixel(button.left + x, button.top + y) & 0xFFFFFF) != rgb;
            }
        return double(other) / (button.Width() * button.Height());
    }

    testkit::RecordingWnd frame;
    KTFlatTab flat;
    KTSideTab side;
};

TEST_F(TabStripsOnXvfb, ScrollButtonsAreTheDesktopsArrowButtons)
{
    KTWinTheme theme;
    EXPECT_EQ(theme.OpenThemeData(frame.m_hWnd, L"WINDOW;SPIN"), 1);
    ASSERT_TRUE(flat.ButtonsShown());
    ASSERT_TRUE(side.ButtonsShown());
    EXPECT_TRUE(flat.IsThemed());
    EXPECT_TRUE(side.IsThemed());
    for (KTTabStrip* strip : { static_cast<KTTabStrip*>(&flat), static_cast<KTTabStrip*>(&side) })
        for (int hit : { KTTAB_HIT_FIRST, KTTAB_HIT_PREV, KTTAB_HIT_NEXT, KTTAB_HIT_LAST })
            EXPECT_GT(ThemedShare(*strip, hit), 0.3) << "strip " << strip->GetDlgCtrlID() << ", button " << hit;

    // The pointer over "next" makes it hot.
    const CPoint next = flat.GetButtonRect(KTTAB_HIT_NEXT).CenterPoint();
    const POINT onScreen = testkit::ScreenPoint(flat.m_hWnd, next.x, next.y);
    ASSERT_EQ(testkit::RunTool({ "xdotool", "mousemove", "--sync", std::to_string(onScreen.x), std::to_string(onScreen.y) }), 0);
    EXPECT_TRUE(testkit::PumpDisplayUntil([&] { return flat.GetButtonState(KTTAB_HIT_NEXT) == KTTabStrip::BTN_HOT; }));
    testkit::PresentNow();

    testkit::TempFolder temp;
    CRect window;
    frame.GetWindowRect(&window);
    const platform::Image screen = testkit::ScreenShot(window, temp / "strips.png");
    ASSERT_GT(screen.Width(), 0);
    testkit::SaveForReview(screen, "ktctrl_tab_strips_on_display");
}

} // namespace
