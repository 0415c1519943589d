// The side tab strip: tabs stacked down the window with their far end cut at 45 degrees (and
// the mirrored forms for the right side and for a strip that runs upwards), the scroll buttons
// stacked from the top, texts turned by 90 or 270 degrees, and the look of the current tab.
#include "ktctrl/composite/KTSideTab.h"
#include "support/WindowPixels.h"
#include "platform/core/Clock.h"
#include "testkit/NotifyParent.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using ktctrl::test::ClientPixel;
using testkit::Pump;

namespace {

constexpr UINT kStripId = 710;
constexpr int kWidth = 30;
constexpr int kHeight = 300;

class KTSideTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.sizeOf = [](UINT) { return sizeof(TabNotifyInfo); };
        ASSERT_TRUE(parent.CreateTop(200, 400));
        Pump();
    }
    void TearDown() override
    {
        strip.reset();
        Pump();
    }
    void Make(DWORD style, int count)
    {
        strip = std::make_unique<KTSideTab>();
        ASSERT_TRUE(strip->Create(WS_VISIBLE | style, CRect(10, 10, 10 + kWidth, 10 + kHeight), &parent, kStripId));
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(strip->InsertItem(i, ("Tab " + std::to_string(i + 1)).c_str()), i);
        Pump();
        parent.Clear();
    }
    CRect Tab(int index) const
    {
        CRect r;
        strip->GetItemRect(index, &r);
        return r;
    }

    platform::ScopedTestClock clock { 10000 };
    testkit::NotifyParent parent;
    std::unique_ptr<KTSideTab> strip;
};

TEST_F(KTSideTabTest, TabsAreStackedWithoutOverlap)
{
    struct LayoutCase
    {
        const char* what;
        DWORD style;
        bool fromBottom;
        int escapement;
    };
    const LayoutCase cases[] = {
        { "left side, from the top", 0, false, 900 },
        { "right side", KTTAB_BOTTOM, false, 2700 },
        { "from the bottom", KTTAB_RIGHTTOLEFT, true, 900 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Make(KTTAB_AUTOHIDEBUTTONS | c.style, 3);
        EXPECT_FALSE(strip->ButtonsShown());
        EXPECT_EQ(strip->TextEscapement(), c.escapement);
        const CRect first = Tab(0), second = Tab(1);
        EXPECT_EQ(first.left, 0);
        EXPECT_EQ(first.right, kWidth - 1);
        if (c.fromBottom) {
            EXPECT_EQ(first.bottom, kHeight);
            EXPECT_EQ(second.bottom, first.top);
        } else {
            EXPECT_EQ(first.top, 0);
            EXPECT_EQ(second.top, first.bottom);
        }
        // The text leaves room for the slanted end of the tab before it.
        const CRect text = strip->GetItemTextRect(0);
        EXPECT_EQ(text.left, first.left + 2);
        EXPECT_EQ(text.right, first.right - 2);
        EXPECT_EQ(c.fromBottom ? first.bottom - text.bottom : text.top - first.top, kWidth / 2 + 2);
        // Same text length: same tab length, the text's extent plus half the width and 4.
        EXPECT_EQ(first.Height(), second.Height());
        EXPECT_GT(first.Height(), kWidth / 2 + 4);
    }
}

TEST_F(KTSideTabTest, TheSlantedEndReachesIntoTheNextTab)
{
    struct SlantCase
    {
        DWORD style;
        int nearX, farX; // points inside the next tab's span, at each side
        int owner;       // which tab the near point belongs to
    };
    const SlantCase cases[] = {
        { 0, kWidth - 4, 3, 0 },            // left-side tabs: the long edge is at the right
        { KTTAB_BOTTOM, 3, kWidth - 4, 0 }, // right-side tabs: mirrored
    };
    for (const auto& c : cases) {
        Make(KTTAB_AUTOHIDEBUTTONS | c.style, 3);
        const int y = Tab(0).bottom + 4;
        EXPECT_EQ(strip->HitTest(CPoint(c.nearX, y)), c.owner) << c.style;
        EXPECT_EQ(strip->HitTest(CPoint(c.farX, y)), 1) << c.style;
    }
}

TEST_F(KTSideTabTest, ScrollButtonsAreStackedFromTheTop)
{
    Make(KTTAB_FOURBUTTONS, 20);
    ASSERT_TRUE(strip->ButtonsShown());
    const int size = kWidth - 3;
    EXPECT_EQ(strip->GetButtonRect(KTTAB_HIT_FIRST), CRect(0, 2, kWidth, 2 + size));
    EXPECT_EQ(strip->GetButtonRect(KTTAB_HIT_LAST), CRect(0, 2 + 3 * size, kWidth, 2 + 4 * size));
    EXPECT_EQ(Tab(0).top, 2 + 4 * size);
    const CPoint next = strip->GetButtonRect(KTTAB_HIT_NEXT).CenterPoint();
    clock.Advance(1000);
    testkit::ClickPumped(testkit::ScreenPoint(*strip, next.x, next.y));
    EXPECT_EQ(strip->GetFirstVisible(), 1);
    EXPECT_EQ(Tab(1).top, 2 + 4 * size);
}

TEST_F(KTSideTabTest, TheCurrentTabIsPaintedSelectedWithWhiteTurnedText)
{
    Make(KTTAB_AUTOHIDEBUTTONS, 3);
    strip->SetItemText(1, "Trend");
    strip->SetCurSel(1);
    Pump();
    const CRect tab = Tab(1);
    const CRect text = strip->GetItemTextRect(1);
    EXPECT_EQ(ClientPixel(*strip, 4, text.top + 1) & 0xFFFFFF, RGB(194, 194, 204));
    EXPECT_EQ(ClientPixel(*strip, 4, Tab(0).top + 8) & 0xFFFFFF, RGB(153, 153, 165));
    // The text's ink: white, and taller than wide since it runs down the strip.
    CRect ink(1000, 1000, -1, -1);
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x) {
            COLORREF c = ClientPixel(*strip, x, y) & 0xFFFFFF;
            if (GetRValue(c) > 230 && GetGValue(c) > 230 && GetBValue(c) > 230) {
                ink.left = std::min<int>(ink.left, x);
                ink.top = std::min<int>(ink.top, y);
                ink.right = std::max<int>(ink.right, x + 1);
                ink.bottom = std::max<int>(ink.bottom, y + 1);
            }
        }
    ASSERT_GT(ink.right, ink.left);
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    EXPECT_TRUE(tab.PtInRect(ink.CenterPoint()));
}

TEST_F(KTSideTabTest, ClicksReachTheParentAsOnTheFlatStrip)
{
    Make(KTTAB_AUTOHIDEBUTTONS, 3);
    strip->SetCurSel(0);
    parent.Clear();
    const CPoint c = strip->GetItemTextRect(2).CenterPoint();
    clock.Advance(1000);
    testkit::ClickPumped(testkit::ScreenPoint(*strip, c.x, c.y));
    EXPECT_EQ(parent.Codes(), (std::vector<UINT> { KTTAB_LBUTTONDOWN, KTTAB_SELCHANGE }));
    EXPECT_STREQ(parent.notifications.back().As<TabNotifyInfo>().szText, "Tab 3");
    EXPECT_EQ(strip->GetCurSel(), 2);
}

} // namespace
