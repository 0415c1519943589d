// The shaded tab control: disabled tabs that neither a click, SelectTab nor the keyboard
// selects, the dialogs shown and hidden with their tabs (also after a delete), the mouse-over
// colour's hot tab, and the shaded static and dialog.
#include "ktctrl/shaded/KTShadeTab.h"
#include "support/WindowPixels.h"
#include "platform/core/Clock.h"
#include "platform/gdi/SysColors.h"
#include "testkit/ControlParent.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>

using platform::host::NullHost;
using testkit::Pump;

namespace {

class ShadeTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop(CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE));
        ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 390, 290), &parent, 800));
        for (const char* text : { "Alarm", "Display", "Monitor" })
            tab.InsertItem(tab.GetItemCount(), text);
        tab.EnableTab(1, 0);
        Pump();
    }
    POINT TabPoint(int index)
    {
        CRect rect;
        tab.GetItemRect(index, &rect);
        return testkit::ScreenPoint(tab, rect.CenterPoint().x, rect.CenterPoint().y);
    }
    void ClickTab(int index)
    {
        clock.Advance(1000);
        testkit::ClickPumped(TabPoint(index));
    }
    // A child window standing for a tab's page.
    std::unique_ptr<CDialog> Page(const char* name)
    {
        auto page = std::make_unique<CDialog>();
        page->CreateEx(0, nullptr, name, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 60), &parent, 0);
        return page;
    }

    platform::ScopedTestClock clock { 10000 };
    testkit::RecordingWnd parent;
    KTShadeTab tab;
};

TEST_F(ShadeTabTest, ADisabledTabIsSelectedNeitherByClickNorByCallNorByKeyboard)
{
    EXPECT_EQ(tab.GetCurSel(), 0);
    ClickTab(1);
    EXPECT_EQ(tab.GetCurSel(), 0);
    EXPECT_FALSE(tab.SelectTab(1));
    EXPECT_TRUE(tab.SelectTab(0)) << "already selected";
    EXPECT_FALSE(tab.SelectTab(7)) << "no such tab";
    ClickTab(2);
    EXPECT_EQ(tab.GetCurSel(), 2);

    tab.SetFocus();
    NullHost::PressKey(VK_LEFT); // from 2 onto the disabled 1
    Pump();
    EXPECT_EQ(tab.GetCurSel(), 2);
    tab.EnableTab(1, 1);
    NullHost::PressKey(VK_LEFT);
    Pump();
    EXPECT_EQ(tab.GetCurSel(), 1);
    tab.EnableTab(9, 0); // out of range: ignored
    EXPECT_FALSE(tab.IsTabEnabled(9));
}

TEST_F(ShadeTabTest, DialogsFollowTheirTabsAlsoAfterADelete)
{
    tab.DeleteAllTabs();
    auto first = Page("first"), second = Page("second"), third = Page("third");
    tab.InsertDialog(0, first.get(), "First");
    tab.InsertDialog(1, second.get(), "Second");
    tab.InsertDialog(9, third.get(), "Third"); // past the end: appended
    EXPECT_EQ(tab.GetItemCount(), 3);
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_FALSE(second->IsWindowVisible());
    EXPECT_FALSE(third->IsWindowVisible());
    CRect placed;
    first->GetWindowRect(&placed);
    parent.ScreenToClient(&placed);
    EXPECT_EQ(placed.TopLeft(), CPoint(4, 28));

    ClickTab(2);
    EXPECT_FALSE(first->IsWindowVisible());
    EXPECT_TRUE(third->IsWindowVisible());

    EXPECT_TRUE(tab.DeleteTab(0));
    EXPECT_FALSE(tab.DeleteTab(5));
    EXPECT_TRUE(tab.SelectTab(0));
    EXPECT_TRUE(second->IsWindowVisible());
    EXPECT_FALSE(third->IsWindowVisible());
    EXPECT_TRUE(tab.SelectTab(1));
    EXPECT_TRUE(third->IsWindowVisible());
    EXPECT_FALSE(second->IsWindowVisible());
}

TEST_F(ShadeTabTest, TheHotTabFollowsThePointerOnlyWithAMouseOverColour)
{
    POINT over = TabPoint(2);
    NullHost::MoveMouse(over.x, over.y);
    Pump();
    tab.UpdateWindow();
    tab.RedrawWindow();
    EXPECT_EQ(tab.GetHotTab(), 2) << "drawing notes the tab under the cursor";

    tab.SetMouseOverColor(1, RGB(255, 0, 0));
    NullHost::MoveMouse(over.x + 1, over.y);
    Pump();
    POINT away = testkit::ScreenPoint(parent, 380, 280);
    NullHost::MoveMouse(away.x, away.y);
    testkit::AdvancePumped(clock, 50, 10);
    EXPECT_EQ(tab.GetHotTab(), -1) << "leaving clears the hot tab";
}

TEST_F(ShadeTabTest, ADisabledTabIsDrawnInTheDisabledColour)
{
    tab.SetDisabledColor(1, RGB(255, 0, 0));
    tab.RedrawWindow();
    CRect rect;
    tab.GetItemRect(1, &rect);
    int red = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            COLORREF c = ktctrl::test::ClientPixel(tab, x, y);
            red += GetRValue(c) > 200 && GetGValue(c) < 120 && GetBValue(c) < 120;
        }
    EXPECT_GT(red, 5) << "the text of the disabled tab";
}

} // namespace
