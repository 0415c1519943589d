// The trackbar, the up-down control with its buddy, the progress bar and the tooltip control,
// driven by injected input (and the test clock for the tooltip's delays).
#include "platform/core/Clock.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ProgressCtrl.h"
#include "platform/ui/controls/SliderCtrl.h"
#include "platform/ui/controls/SpinButtonCtrl.h"
#include "platform/ui/controls/ToolTipCtrl.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

TEST(UiTrackbar, KeysAndChannelClicksMoveTheThumbAndNotify)
{
    testkit::ParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, CRect(10, 10, 226, 40), &parent, 700));
    slider.SetRange(0, 20);
    slider.SetPageSize(5);
    slider.SetPos(30); // clamped
    EXPECT_EQ(slider.GetPos(), 20);
    slider.SetPos(10);
    slider.SetFocus();
    for (int key : { VK_RIGHT, VK_NEXT, VK_HOME })
        NullHost::PressKey(key), Pump();
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_EQ(parent.ScrollCodes(WM_HSCROLL),
              (std::vector<WORD> { TB_LINEDOWN, TB_ENDTRACK, TB_PAGEDOWN, TB_ENDTRACK, TB_TOP, TB_ENDTRACK }));
    parent.received.clear();
    CRect channel;
    slider.GetChannelRect(&channel);
    testkit::ClickPumped(testkit::ScreenPoint(slider, channel.right - 2, channel.CenterPoint().y));
    EXPECT_EQ(slider.GetPos(), 5);
    EXPECT_EQ(parent.ScrollCodes(WM_HSCROLL), (std::vector<WORD> { TB_PAGEDOWN, TB_ENDTRACK }));
}

TEST(UiTrackbar, DraggingTheThumbTracksThenReportsThePosition)
{
    testkit::ParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 226, 40), &parent, 700));
    slider.SetRange(0, 100);
    CRect thumb, channel;
    slider.GetThumbRect(&thumb);
    slider.GetChannelRect(&channel);
    POINT grab = testkit::ScreenPoint(slider, thumb.CenterPoint().x, thumb.CenterPoint().y);
    POINT drop = testkit::ScreenPoint(slider, channel.left + (channel.Width() - 1) / 2, thumb.CenterPoint().y);
    NullHost::MoveMouse(grab.x, grab.y);
    NullHost::MouseDown(grab.x, grab.y);
    Pump();
    NullHost::MoveMouse(drop.x, drop.y);
    NullHost::MouseUp(drop.x, drop.y);
    Pump();
    EXPECT_EQ(slider.GetPos(), 50);
    auto codes = parent.ScrollCodes(WM_HSCROLL);
    EXPECT_EQ(codes, (std::vector<WORD> { TB_THUMBTRACK, TB_THUMBPOSITION, TB_ENDTRACK }));
    EXPECT_EQ(parent.received[1].pos, 50);
}

class DeltaParent : public testkit::ParentWnd
{
public:
    bool refuse { false };
    int deltas { 0 };
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (reinterpret_cast<NMHDR*>(lParam)->code == UDN_DELTAPOS) {
            ++deltas;
            *pResult = refuse ? 1 : 0;
            return TRUE;
        }
        return testkit::ParentWnd::OnNotify(wParam, lParam, pResult);
    }
};

TEST(UiSpin, ArrowsStepTheBuddyNumberWithinTheRange)
{
    DeltaParent parent;
    ASSERT_TRUE(parent.CreateTop());
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 70, 30), &parent, 801));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, CRect(0, 0, 16, 20), &parent, 802));
    EXPECT_EQ(spin.GetBuddy()->m_hWnd, buddy.m_hWnd);
    CRect b, s;
    buddy.GetWindowRect(&b);
    spin.GetWindowRect(&s);
    EXPECT_EQ(s.left, b.right); // placed against the buddy's right edge
    spin.SetRange32(0, 3);
    spin.SetPos32(2);
    CString text;
    buddy.GetWindowText(text);
    EXPECT_EQ(text, "2");
    CRect client;
    spin.GetClientRect(&client);
    POINT up = testkit::ScreenPoint(spin, client.Width() / 2, 2);
    POINT down = testkit::ScreenPoint(spin, client.Width() / 2, client.Height() - 2);
    for (int i = 0; i < 3; ++i)
        testkit::ClickPumped(up);
    EXPECT_EQ(spin.GetPos32(), 3); // stops at the top
    buddy.GetWindowText(text);
    EXPECT_EQ(text, "3");
    // The user's own number in the buddy is where the next step starts.
    buddy.SetWindowText("1");
    testkit::ClickPumped(down);
    EXPECT_EQ(spin.GetPos32(), 0);
    parent.refuse = true;
    testkit::ClickPumped(up);
    EXPECT_EQ(spin.GetPos32(), 0);
    EXPECT_EQ(parent.deltas, 3); // a step at the end of the range asks nobody
    auto codes = parent.ScrollCodes(WM_VSCROLL);
    EXPECT_NE(std::find(codes.begin(), codes.end(), SB_THUMBPOSITION), codes.end());
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
}

TEST(UiProgress, RangePositionAndStepWrapping)
{
    testkit::ParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 30), &parent, 900));
    bar.SetRange32(0, 50);
    EXPECT_EQ(bar.SetPos(70), 0);
    EXPECT_EQ(bar.GetPos(), 50);
    bar.SetPos(40);
    bar.SetStep(15);
    EXPECT_EQ(bar.StepIt(), 40);
    EXPECT_EQ(bar.GetPos(), 5); // past the end it starts over
    EXPECT_EQ(bar.OffsetPos(-10), 5);
    EXPECT_EQ(bar.GetPos(), 0);
    int low = -1, high = -1;
    bar.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 50);
}

class TipOwner : public testkit::ParentWnd
{
public:
    CToolTipCtrl tip;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        tip.RelayEvent(pMsg);
        return FALSE;
    }
};

TEST(UiToolTip, RelayedRestShowsTheTipAfterTheDelayAndAClickHidesIt)
{
    platform::ScopedTestClock clock { 5000 };
    TipOwner owner;
    ASSERT_TRUE(owner.CreateTop());
    ASSERT_TRUE(owner.tip.Create(&owner));
    CRect area(20, 20, 120, 60);
    ASSERT_TRUE(owner.tip.AddTool(&owner, "Alarm limits", &area, 1));
    EXPECT_EQ(owner.tip.GetToolCount(), 1);
    owner.tip.SetDelayTime(TTDT_INITIAL, 300);
    owner.tip.SetMaxTipWidth(300);
    POINT inside = testkit::ScreenPoint(owner, 50, 40);
    NullHost::MoveMouse(inside.x, inside.y);
    Pump();
    EXPECT_FALSE(owner.tip.IsWindowVisible());
    clock.Advance(300);
    Pump();
    ASSERT_TRUE(owner.tip.IsWindowVisible());
    CRect tipRect;
    owner.tip.GetWindowRect(&tipRect);
    EXPECT_GT(tipRect.top, inside.y); // below the pointer
    owner.tip.UpdateTipText("Alarm limits (bed 2)", &owner, 1);
    CString text;
    owner.tip.GetText(text, &owner, 1);
    EXPECT_EQ(text, "Alarm limits (bed 2)");
    NullHost::MouseDown(inside.x, inside.y);
    NullHost::MouseUp(inside.x, inside.y);
    Pump();
    EXPECT_FALSE(owner.tip.IsWindowVisible());
    // Outside every tool nothing shows; deactivated nothing shows either.
    POINT outside = testkit::ScreenPoint(owner, 300, 200);
    NullHost::MoveMouse(outside.x, outside.y);
    Pump();
    clock.Advance(1000);
    Pump();
    EXPECT_FALSE(owner.tip.IsWindowVisible());
    owner.tip.Activate(FALSE);
    NullHost::MoveMouse(inside.x + 1, inside.y);
    Pump();
    clock.Advance(1000);
    Pump();
    EXPECT_FALSE(owner.tip.IsWindowVisible());
}

TEST(UiToolTip, HidesByItselfAfterTheAutoPopDelay)
{
    platform::ScopedTestClock clock { 5000 };
    TipOwner owner;
    ASSERT_TRUE(owner.CreateTop());
    ASSERT_TRUE(owner.tip.Create(&owner));
    ASSERT_TRUE(owner.tip.AddTool(&owner, "Whole window"));
    owner.tip.SetDelayTime(TTDT_INITIAL, 100);
    owner.tip.SetDelayTime(TTDT_AUTOPOP, 2000);
    POINT p = testkit::ScreenPoint(owner, 5, 5);
    NullHost::MoveMouse(p.x, p.y);
    Pump();
    clock.Advance(100);
    Pump();
    ASSERT_TRUE(owner.tip.IsWindowVisible());
    clock.Advance(2000);
    Pump();
    EXPECT_FALSE(owner.tip.IsWindowVisible());
}

} // namespace
