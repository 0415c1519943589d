// The study information's tab control on a real display under the gtk host (the test program's
// own Xvfb): the desktop's GTK theme draws its tabs and page frame, on each side of the page,
// and the picture differs from the plain control's. The screen is kept for review
// (build/pictures/tarlux_theme_tabs_on_display.png).
#include "tarlux/tab/CThemeTabCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "testkit/Golden.h"
#include "testkit/TempFolder.h"
#include "testkit/TestWindow.h"
#include "testkit/Xvfb.h"

#include <gtest/gtest.h>

#include <memory>

using tarlux::CThemeTabCtrl;

namespace {

class ThemeTabOnDisplay : public testkit::XvfbTest
{
protected:
    void SetUp() override
    {
        testkit::XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_frame.CreateTop(CRect(20, 20, 660, 500), WS_POPUP | WS_VISIBLE));
        m_frame.onMessage = [this](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message != WM_PAINT)
                return false;
            CPaintDC dc(&m_frame);
            CRect client;
            m_frame.GetClientRect(&client);
            dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
            return true;
        };
        const struct
        {
            DWORD style;
            CRect place;
        } sides[] = { { 0, CRect(10, 10, 310, 230) },
                      { TCS_BOTTOM, CRect(330, 10, 630, 230) },
                      { TCS_VERTICAL, CRect(10, 250, 310, 470) },
                      { TCS_VERTICAL | TCS_RIGHT, CRect(330, 250, 630, 470) } };
        for (const auto& side : sides) {
            auto tabs = std::make_unique<CThemeTabCtrl>();
            ASSERT_TRUE(tabs->Create(WS_CHILD | WS_VISIBLE | side.style, side.place, &m_frame, 100));
            tabs->InsertItem(0, "Trend");
            tabs->InsertItem(1, "Waveform");
            tabs->SetCurSel(0);
            tabs->EnableTheme(TRUE);
            m_tabs.push_back(std::move(tabs));
        }
        ASSERT_TRUE(testkit::PumpDisplayUntil([&] { return testkit::IsOnDisplay(m_frame.m_hWnd); }));
    }
    void TearDown() override
    {
        m_tabs.clear();
        m_frame.DestroyWindow();
    }
    // The picture of the control on its top-level's surface.
    platform::Image Shown(CThemeTabCtrl& tabs)
    {
        tabs.Invalidate();
        testkit::PumpDisplayUntil([] { return true; });
        testkit::PresentNow();
        return testkit::Capture(tabs.m_hWnd);
    }

    testkit::RecordingWnd m_frame;
    std::vector<std::unique_ptr<CThemeTabCtrl>> m_tabs;
};

TEST_F(ThemeTabOnDisplay, TheDesktopThemeDrawsTheTabsOnEverySide)
{
    for (auto& tabs : m_tabs) {
        ASSERT_EQ(tabs->IsThemed(), 1) << "orientation " << tabs->GetOrientation();
        const platform::Image themed = Shown(*tabs);
        tabs->EnableTheme(FALSE);
        const platform::Image plain = Shown(*tabs);
        tabs->EnableTheme(TRUE);
        ASSERT_EQ(themed.Width(), plain.Width());
        int differing = 0;
        for (int y = 0; y < themed.Height(); ++y)
            for (int x = 0; x < themed.Width(); ++x)
                differing += (themed.Pixel(x, y) & 0xFFFFFF) != (plain.Pixel(x, y) & 0xFFFFFF);
        EXPECT_GT(differing, themed.Width() * themed.Height() / 20) << "orientation " << tabs->GetOrientation();
        Shown(*tabs);
    }
    testkit::TempFolder temp;
    CRect onScreen;
    m_frame.GetWindowRect(&onScreen);
    const platform::Image screen = testkit::ScreenShot(onScreen, temp / "tabs.png");
    ASSERT_GT(screen.Width(), 0);
    testkit::SaveForReview(screen, "tarlux_theme_tabs_on_display");
}

} // namespace
