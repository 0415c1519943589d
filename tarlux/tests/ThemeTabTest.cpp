// The study information's tab control in a visual style: each part is drawn upright and then
// mirrored and turned into place, so the side of a tab the style draws on top faces away from the
// page whichever side the tabs are on, and the page frame's top faces the tabs. The selected tab
// and the tab under the mouse get their states. A style of the test's own marks the top rows of
// what it draws, so where the marks land shows the turn; without a style the control paints
// plainly.
#include "tarlux/tab/CThemeTabCtrl.h"

#include "platform/gdi/VisualStyle.h"
#include "platform/host/null/NullHost.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"

#include <gtest/gtest.h>

#include <cstring>

using tarlux::CThemeTabCtrl;

namespace {

constexpr COLORREF kPaneTop = RGB(0, 0, 255);
constexpr COLORREF kTabTop = RGB(0, 160, 0);
constexpr COLORREF kHotTop = RGB(255, 160, 0);
constexpr COLORREF kSelectedTop = RGB(255, 0, 0);
constexpr COLORREF kBody = RGB(250, 250, 250);

// Fills each part and marks its two top rows by part and state.
class MarkingStyle : public platform::VisualStyleService
{
public:
    bool Draws(const char* themeClass) const override { return std::strcmp(themeClass, "TAB") == 0; }
    bool DrawPart(const char*, int part, int state, std::uint32_t* pixels, int width, int height) override
    {
        const COLORREF top = part == 9 ? kPaneTop : state == 3 ? kSelectedTop : state == 2 ? kHotTop : kTabTop;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF c = y < 2 ? top : kBody;
                pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        return true;
    }
};

class ThemeTab : public testing::Test
{
protected:
    ThemeTab() { m_parent.CreateTop(640, 480); }
    ~ThemeTab() override
    {
        m_parent.DestroyWindow();
        platform::SetVisualStyleService(nullptr);
    }
    std::unique_ptr<CThemeTabCtrl> Make(DWORD style)
    {
        auto tabs = std::make_unique<CThemeTabCtrl>();
        EXPECT_TRUE(tabs->Create(WS_CHILD | WS_VISIBLE | style, CRect(20, 20, 420, 320), &m_parent, 100));
        tabs->InsertItem(0, "Trend");
        tabs->InsertItem(1, "Waveform");
        tabs->InsertItem(2, "Events");
        tabs->EnableTheme(TRUE);
        return tabs;
    }
    // The colour of the tab's edge on `side` (0 top, 1 bottom, 2 left, 3 right), half-way along.
    COLORREF Edge(CThemeTabCtrl& tabs, const platform::Image& picture, CRect r, int side)
    {
        CRect window;
        tabs.GetWindowRect(&window);
        CPoint origin(0, 0);
        tabs.ClientToScreen(&origin);
        r.OffsetRect(origin.x - window.left, origin.y - window.top);
        const CPoint mid = r.CenterPoint();
        const CPoint at = side == 0 ? CPoint(mid.x, r.top) : side == 1 ? CPoint(mid.x, r.bottom - 1)
                        : side == 2 ? CPoint(r.left, mid.y) : CPoint(r.right - 1, mid.y);
        const std::uint32_t p = picture.Pixel(at.x, at.y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    testkit::ParentWnd m_parent;
};

TEST_F(ThemeTab, WithoutAStyleItPaintsPlainly)
{
    auto tabs = Make(0);
    EXPECT_EQ(tabs->IsThemed(), 0);
    testkit::Pump();
    const platform::Image picture = testkit::Capture(tabs->m_hWnd);
    CRect tab;
    tabs->GetItemRect(1, &tab);
    EXPECT_NE(Edge(*tabs, picture, tab, 0), kTabTop);
}

// Tabs on each side: the marked top of a tab faces away from the page, the marked top of the
// page frame faces the tabs; the selected tab and the hot one carry their states.
TEST_F(ThemeTab, EachSideShowsTheUprightPartsMirroredAndTurned)
{
    platform::SetVisualStyleService(std::make_shared<MarkingStyle>());
    struct Case
    {
        const char* side;
        DWORD style;
        int tabTop;   // the edge the upright tab's top lands on
        int paneTop;  // the edge of the page frame that faces the tabs
    } cases[] = { { "top", 0, 0, 0 },
                  { "bottom", TCS_BOTTOM, 1, 1 },
                  { "left", TCS_VERTICAL, 2, 2 },
                  { "right", TCS_VERTICAL | TCS_RIGHT, 3, 3 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        auto tabs = Make(c.style);
        ASSERT_EQ(tabs->IsThemed(), 1);
        tabs->SetCurSel(0);
        CRect hot;
        tabs->GetItemRect(2, &hot);
        CPoint over = hot.CenterPoint();
        tabs->ClientToScreen(&over);
        platform::host::NullHost::MoveMouse(over.x, over.y);
        tabs->Invalidate();
        testkit::Pump();
        const platform::Image picture = testkit::Capture(tabs->m_hWnd);
        testkit::SaveForReview(picture, std::string("tarlux_theme_tab_") + c.side);

        CRect plain;
        tabs->GetItemRect(1, &plain);
        EXPECT_EQ(Edge(*tabs, picture, plain, c.tabTop), kTabTop);
        EXPECT_EQ(Edge(*tabs, picture, plain, c.tabTop ^ 1), kBody);
        EXPECT_EQ(Edge(*tabs, picture, hot, c.tabTop), kHotTop);
        CRect selected;
        tabs->GetItemRect(0, &selected);
        selected.InflateRect(2, 2);
        EXPECT_EQ(Edge(*tabs, picture, selected, c.tabTop), kSelectedTop);

        CRect client;
        tabs->GetClientRect(&client);
        CRect display = client;
        tabs->AdjustRect(FALSE, &display);
        // The page frame reaches from the client's far sides to just beyond the display area on
        // the side of the tabs.
        CRect pane = client;
        switch (c.paneTop) {
        case 0: pane.top = display.top - 2; break;
        case 1: pane.bottom = display.bottom + 3; break;
        case 2: pane.left = display.left - 1; break;
        default: pane.right = display.right + 3; break;
        }
        EXPECT_EQ(Edge(*tabs, picture, pane, c.paneTop), kPaneTop);
        EXPECT_EQ(Edge(*tabs, picture, pane, c.paneTop ^ 1), kBody);
        tabs->DestroyWindow();
    }
}

} // namespace
