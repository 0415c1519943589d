// Tab controls: items, the current tab by click and key with TCN_SELCHANGING (which may refuse)
// and TCN_SELCHANGE, rectangles and hit tests on every side, the display area, and owner-drawn
// tabs drawn through the reflected DrawItem with the current tab last.
#include "platform/ui/controls/TabCtrl.h"
#include "testkit/NotifyParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kTabId = 600;

class RecordingTabCtrl : public CTabCtrl
{
public:
    struct Drawn
    {
        UINT item;
        UINT state;
        CRect rect;
    };
    std::vector<Drawn> drawn;
    void DrawItem(LPDRAWITEMSTRUCT d) override
    {
        EXPECT_EQ(d->CtlType, ODT_TAB);
        drawn.push_back({ d->itemID, d->itemState, CRect(d->rcItem) });
    }
};

class UiTabCtrl : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(parent.CreateTop(500, 300)); }

    void Make(DWORD style = 0)
    {
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 410, 210), &parent, kTabId));
        tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 0, "Trend", -1, 11);
        tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 1, "Wave", -1, 22);
        tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 2, "Events", -1, 33);
        Pump();
        parent.Clear();
    }

    void ClickTab(int index)
    {
        CRect r;
        ASSERT_TRUE(tabs.GetItemRect(index, &r));
        testkit::ClickPumped(testkit::ScreenPoint(tabs, r.CenterPoint().x, r.CenterPoint().y));
    }

    std::vector<UINT> SelectionCodes() const
    {
        std::vector<UINT> out;
        for (UINT c : parent.Codes())
            if (c == TCN_SELCHANGING || c == TCN_SELCHANGE)
                out.push_back(c);
        return out;
    }

    testkit::NotifyParent parent;
    RecordingTabCtrl tabs;
};

TEST_F(UiTabCtrl, ClickAsksThenChangesTheCurrentTab)
{
    Make();
    EXPECT_EQ(tabs.GetItemCount(), 3);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    ClickTab(2);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(SelectionCodes(), (std::vector<UINT> { TCN_SELCHANGING, TCN_SELCHANGE }));
    EXPECT_EQ(parent.notifications.front().id, kTabId);

    // Clicking the current tab again changes nothing.
    parent.Clear();
    ClickTab(2);
    EXPECT_TRUE(SelectionCodes().empty());

    // The keyboard moves the same way.
    NullHost::PressKey(VK_LEFT);
    Pump();
    EXPECT_EQ(tabs.GetCurSel(), 1);
}

TEST_F(UiTabCtrl, NonZeroSelChangingAnswerRefuses)
{
    Make();
    parent.answer = [](const NMHDR& n) -> LRESULT { return n.code == TCN_SELCHANGING ? TRUE : FALSE; };
    ClickTab(1);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(SelectionCodes(), (std::vector<UINT> { TCN_SELCHANGING }));
    // SetCurSel is the program's own change: no questions, no notifications.
    parent.Clear();
    EXPECT_EQ(tabs.SetCurSel(2), 0);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_TRUE(SelectionCodes().empty());
    EXPECT_EQ(tabs.SetCurSel(7), -1);
}

TEST_F(UiTabCtrl, ItemsRectanglesAndHitTests)
{
    Make();
    TCITEM item;
    char text[32] {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(tabs.GetItem(1, &item));
    EXPECT_STREQ(text, "Wave");
    EXPECT_EQ(item.lParam, 22);

    CRect first;
    CRect second;
    tabs.GetItemRect(0, &first);
    tabs.GetItemRect(1, &second);
    EXPECT_EQ(first.right, second.left);
    EXPECT_EQ(first.top, second.top);
    EXPECT_LT(first.bottom, 40);
    TCHITTESTINFO hit;
    hit.pt = second.CenterPoint();
    EXPECT_EQ(tabs.HitTest(&hit), 1);
    EXPECT_EQ(hit.flags, TCHT_ONITEMLABEL);
    hit.pt = CPoint(200, 150);
    EXPECT_EQ(tabs.HitTest(&hit), -1);

    // The display area lies below the tabs, and growing it back gives the window.
    CRect area(0, 0, 400, 200);
    tabs.AdjustRect(FALSE, &area);
    EXPECT_GT(area.top, first.bottom - 1);
    EXPECT_LT(area.bottom, 200);
    tabs.AdjustRect(TRUE, &area);
    EXPECT_EQ(area, CRect(0, 0, 400, 200));

    // Deleting the current tab makes its neighbour current.
    tabs.SetCurSel(2);
    EXPECT_TRUE(tabs.DeleteItem(2));
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_FALSE(tabs.DeleteItem(5));
}

TEST_F(UiTabCtrl, TabsOnEverySide)
{
    struct Case
    {
        DWORD style;
        bool vertical;
        bool far;
    };
    for (Case c : { Case { TCS_BOTTOM, false, true }, Case { TCS_VERTICAL, true, false }, Case { TCS_VERTICAL | TCS_RIGHT, true, true } }) {
        RecordingTabCtrl side;
        ASSERT_TRUE(side.Create(WS_CHILD | WS_VISIBLE | c.style, CRect(0, 0, 300, 200), &parent, kTabId + 1));
        side.InsertItem(0, "One");
        side.InsertItem(1, "Two");
        CRect a;
        CRect b;
        side.GetItemRect(0, &a);
        side.GetItemRect(1, &b);
        if (c.vertical) {
            EXPECT_EQ(a.bottom, b.top);
            EXPECT_EQ(a.left, b.left);
            EXPECT_EQ(c.far, a.left > 150) << c.style;
        } else {
            EXPECT_EQ(a.right, b.left);
            EXPECT_GT(a.top, 150);
        }
        TCHITTESTINFO hit;
        hit.pt = b.CenterPoint();
        EXPECT_EQ(side.HitTest(&hit), 1) << c.style;
        side.DestroyWindow();
    }
}

TEST_F(UiTabCtrl, OwnerDrawnTabsAreDrawnByTheControlClassCurrentLast)
{
    Make(TCS_OWNERDRAWFIXED);
    tabs.SetCurSel(1);
    tabs.drawn.clear();
    tabs.Invalidate();
    tabs.UpdateWindow();
    ASSERT_EQ(tabs.drawn.size(), 3u);
    EXPECT_EQ(tabs.drawn[0].item, 2u);
    EXPECT_EQ(tabs.drawn[1].item, 0u);
    EXPECT_EQ(tabs.drawn[2].item, 1u);
    EXPECT_EQ(tabs.drawn[2].state, static_cast<UINT>(ODS_SELECTED));
    EXPECT_EQ(tabs.drawn[0].state, 0u);
    // The current tab reaches past its neighbours.
    CRect plain;
    tabs.GetItemRect(1, &plain);
    EXPECT_LT(tabs.drawn[2].rect.top, plain.top);
}

} // namespace
