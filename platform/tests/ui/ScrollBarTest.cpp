// Scroll bars: the classic clamp of the position to max - page + 1, the thumb sized by the page,
// arrows with auto-repeat (test clock), trough paging and thumb dragging with their codes, and
// window scroll bars that change the client area when shown or hidden.
#include "platform/core/Clock.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/ScrollBarTracker.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using platform::ui::ScrollBarTracker;
using testkit::Pump;

namespace {

constexpr UINT kBarId = 300;

struct ClampCase
{
    int min, max;
    UINT page;
    int requested, expected;
};

TEST(UiScrollBarClamp, PositionStopsAtMaxMinusPagePlusOne)
{
    const ClampCase cases[] = {
        { 0, 99, 10, 95, 90 },  // max - page + 1
        { 0, 99, 0, 150, 99 },  // no page: max
        { 0, 99, 1, 99, 99 },   // page 1 counts like no page
        { 10, 20, 5, 3, 10 },   // below min
        { 0, 9, 50, 5, 0 },     // page larger than the range: clamped to the range, position 0
        { -50, 50, 20, -10, -10 },
    };
    for (const auto& c : cases) {
        SCROLLINFO info;
        info.nMin = c.min, info.nMax = c.max, info.nPage = c.page, info.nPos = c.requested;
        platform::ui::ClampScrollInfo(info);
        EXPECT_EQ(info.nPos, c.expected) << c.min << ".." << c.max << " page " << c.page;
    }
}

TEST(UiScrollBarLayout, ThumbIsProportionalToThePage)
{
    CRect bar(0, 0, 17, 217);
    int arrow = GetSystemMetrics(SM_CYVSCROLL), trough = 217 - 2 * arrow;
    SCROLLINFO info;
    info.nMax = 99;
    info.nPage = 50;
    auto half = ScrollBarTracker::Compute(bar, true, info);
    ASSERT_TRUE(half.hasThumb);
    EXPECT_EQ(half.thumb.Height(), trough / 2);
    info.nPage = 25;
    EXPECT_EQ(ScrollBarTracker::Compute(bar, true, info).thumb.Height(), trough / 4);
    info.nPos = 75; // the last position puts the thumb at the end of the trough
    EXPECT_EQ(ScrollBarTracker::Compute(bar, true, info).thumb.bottom, 217 - arrow);
    info.nPage = 100; // everything visible: no thumb
    EXPECT_FALSE(ScrollBarTracker::Compute(bar, true, info).hasThumb);
}

class UiScrollBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop());
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(20, 20, 37, 237), &parent, kBarId));
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = 99;
        info.nPage = 10;
        info.nPos = 0;
        bar.SetScrollInfo(&info);
        Pump();
        parent.received.clear();
    }

    POINT At(int x, int y) { return testkit::ScreenPoint(bar, x, y); }
    std::vector<WORD> Codes() const { return parent.ScrollCodes(WM_VSCROLL); }

    testkit::ParentWnd parent;
    CScrollBar bar;
};

TEST_F(UiScrollBar, SetPositionIsClampedAndGetLimitAnswersIt)
{
    EXPECT_EQ(bar.SetScrollPos(500), 0);
    EXPECT_EQ(bar.GetScrollPos(), 90);
    EXPECT_EQ(bar.GetScrollLimit(), 90);
    // A bar never scrolls itself: clicks only send messages.
    testkit::ClickPumped(At(8, 4));
    EXPECT_EQ(bar.GetScrollPos(), 90);
}

TEST_F(UiScrollBar, ArrowsAndTroughSendLineAndPageCodesThenEndScroll)
{
    testkit::ClickPumped(At(8, 4));       // up arrow
    testkit::ClickPumped(At(8, 212));     // down arrow
    testkit::ClickPumped(At(8, 150));     // trough below the thumb
    bar.SetScrollPos(50);
    testkit::ClickPumped(At(8, 25));      // trough above the thumb
    EXPECT_EQ(Codes(), (std::vector<WORD> { SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL,
                                            SB_PAGEUP, SB_ENDSCROLL }));
    for (const auto& r : parent.received)
        EXPECT_EQ(r.from, bar.m_hWnd);
}

TEST_F(UiScrollBar, HeldArrowRepeatsOnTheClock)
{
    platform::ScopedTestClock clock { 1000 };
    POINT down = At(8, 212);
    NullHost::MoveMouse(down.x, down.y);
    NullHost::MouseDown(down.x, down.y);
    Pump();
    EXPECT_EQ(Codes().size(), 1u);
    clock.Advance(ScrollBarTracker::kFirstRepeatMs);
    Pump();
    EXPECT_EQ(Codes().size(), 2u);
    for (int i = 0; i < 3; ++i) {
        clock.Advance(ScrollBarTracker::kRepeatMs);
        Pump();
    }
    EXPECT_EQ(Codes().size(), 5u);
    NullHost::MouseUp(down.x, down.y);
    Pump();
    clock.Advance(1000);
    Pump();
    auto codes = Codes();
    ASSERT_EQ(codes.size(), 6u);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), SB_LINEDOWN), 5);
}

TEST_F(UiScrollBar, ThumbDragSendsTrackThenPositionThenEnd)
{
    // The thumb is a tenth of the trough, at its top; half the free run is half the positions.
    int arrow = GetSystemMetrics(SM_CYVSCROLL), trough = 217 - 2 * arrow, free = trough - trough / 10;
    POINT grab = At(8, arrow + 5);
    POINT end = At(8, 217 + 40); // far past the end
    NullHost::MoveMouse(grab.x, grab.y);
    NullHost::MouseDown(grab.x, grab.y);
    Pump();
    POINT middle = At(8, arrow + 5 + free / 2);
    NullHost::MoveMouse(middle.x, middle.y);
    Pump();
    SCROLLINFO info;
    bar.GetScrollInfo(&info, SIF_TRACKPOS | SIF_POS);
    EXPECT_EQ(info.nPos, 0);        // tracking does not move the position
    EXPECT_EQ(info.nTrackPos, 45);
    NullHost::MoveMouse(end.x, end.y);
    NullHost::MouseUp(end.x, end.y);
    Pump();
    auto codes = Codes();
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(codes[0], SB_THUMBTRACK);
    EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
    EXPECT_EQ(parent.received[parent.received.size() - 2].pos, 90); // dragged to the end: the last position
}

TEST_F(UiScrollBar, KeysSendTopAndBottom)
{
    bar.ModifyStyle(0, WS_TABSTOP);
    bar.SetFocus();
    for (int key : { VK_HOME, VK_END, VK_NEXT })
        NullHost::PressKey(key), Pump();
    EXPECT_EQ(Codes(), (std::vector<WORD> { SB_TOP, SB_ENDSCROLL, SB_BOTTOM, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL }));
}

// ---- window scroll bars ---------------------------------------------------------------------------------

class ScrolledWnd : public testkit::ParentWnd
{
public:
    std::vector<CSize> sizes;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE)
            sizes.emplace_back(LOWORD(lParam), HIWORD(lParam));
        if (message == WM_NCLBUTTONDOWN)
            platform::ui::TrackWindowScrollBar(m_hWnd, static_cast<LRESULT>(wParam), CPoint(lParam));
        return testkit::ParentWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(UiWindowScrollBar, ShowingAndHidingChangesTheClientAreaAndSendsSize)
{
    ScrolledWnd wnd;
    ASSERT_TRUE(wnd.CreateTop(300, 200));
    wnd.sizes.clear();
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMax = 499;
    info.nPage = 200;
    SetScrollInfo(wnd, SB_VERT, &info, TRUE); // something to scroll: the bar appears
    EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
    CRect client;
    wnd.GetClientRect(&client);
    int thickness = 300 - client.Width();
    EXPECT_GE(thickness, GetSystemMetrics(SM_CXVSCROLL));
    ASSERT_FALSE(wnd.sizes.empty());
    EXPECT_EQ(wnd.sizes.back().cx, client.Width());
    info.nPage = 600; // everything fits: the bar goes
    SetScrollInfo(wnd, SB_VERT, &info, TRUE);
    EXPECT_FALSE(wnd.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(wnd.sizes.back().cx, 300);
    ShowScrollBar(wnd, SB_HORZ, TRUE);
    wnd.GetClientRect(&client);
    EXPECT_EQ(client.Height(), 200 - thickness);
}

TEST(UiWindowScrollBar, ArrowClickSendsWindowScrollWithoutAControl)
{
    ScrolledWnd wnd;
    ASSERT_TRUE(wnd.CreateTop(300, 200));
    SetScrollRange(wnd, SB_VERT, 0, 100, TRUE);
    EXPECT_EQ(SetScrollPos(wnd, SB_VERT, 40, TRUE), 0);
    EXPECT_EQ(GetScrollPos(wnd, SB_VERT), 40);
    CRect window;
    wnd.GetWindowRect(&window);
    testkit::ClickPumped(POINT { window.right - 5, window.bottom - 5 }); // the down arrow
    auto codes = wnd.ScrollCodes(WM_VSCROLL);
    EXPECT_EQ(codes, (std::vector<WORD> { SB_LINEDOWN, SB_ENDSCROLL }));
    EXPECT_EQ(wnd.received.front().from, nullptr);
}

} // namespace
