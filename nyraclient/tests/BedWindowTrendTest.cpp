// The trend area of a bed window: how many entries fit, the scroll bar in live mode, the scroll
// bar, the wheel and dragging the paper into review mode, the review's end by itself, and what
// review keeps in the bed's trend store.
#include "support/BedWindowHarness.h"

#include "nyraclient/client/CClientTrendSource.h"

#include <gtest/gtest.h>

using namespace bedtest;
using platform::host::NullHost;

namespace {

// A 760 x 520 tile at trend speed 1 fits 60 columns of 30 s: 1800 entries across.
const CSize kTile { 760, 520 };
constexpr UINT kVisible = 1800;

class TrendStation : public BedStation
{
public:
    // `entries` seconds of trend fed before the tile is laid out; with `keepAll` the store keeps
    // more than its hour.
    explicit TrendStation(int entries, bool keepAll = true, CSize size = kTile, DISPMODE mode = DISPMODE_4CH)
        : BedStation(CSize(0, 0), mode)
    {
        NyraConfig config = client->GetConfig();
        config.TrendSpeed = 1;
        client->SetConfig(config, 1);
        client->SetLockTrendDelete(keepAll ? 1 : 0);
        Feed(entries);
        Layout(size, mode);
        Tick();
    }

    NyraControl& Bed() const { return *Tile(); }

    SCROLLINFO Bar() const
    {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        Bed().GetTrendScrollBar().GetScrollInfo(&info);
        return info;
    }
    void Tick(int count = 1) const
    {
        for (int i = 0; i < count; ++i)
            Bed().SendMessage(WM_TIMER, NyraControl::kTrendTimer);
    }
    void Scroll(UINT code) const
    {
        Bed().SendMessage(WM_HSCROLL, code, reinterpret_cast<LPARAM>(Bed().GetTrendScrollBar().GetSafeHwnd()));
    }
    // Notches of the wheel over the trend; positive rolls away from the user.
    void Wheel(int notches) const
    {
        Bed().SetFocus();
        const CPoint at = Screen(Bed().GetTrendRectAll().CenterPoint());
        NullHost::Wheel(notches, at.x, at.y);
        Pump();
    }
};

TEST(BedWindowTrend, VisibleEntriesFollowTheTrendSpeed)
{
    // 800 pixels wide, with room for the trend speed right of the grid: 60 columns.
    const std::pair<int, UINT> speeds[] = { { 1, 1800 }, { 2, 900 }, { 3, 600 } };
    for (auto [speed, visible] : speeds) {
        BedStation station(CSize(0, 0));
        NyraConfig config = station.client->GetConfig();
        config.TrendSpeed = speed;
        station.client->SetConfig(config, 1);
        station.Layout(CSize(800, 520), DISPMODE_4CH);
        EXPECT_EQ(station.Tile()->GetTrendColumns(), 60u) << speed;
        EXPECT_EQ(station.Tile()->GetVisibleTrendCount(), visible) << speed;
    }
}

TEST(BedWindowTrend, WithFewerEntriesThanFitTheBarIsOffAndAReviewEndsAtTheNextTick)
{
    TrendStation station(100);
    ASSERT_EQ(station.Bed().GetVisibleTrendCount(), kVisible);
    EXPECT_FALSE(station.Bed().GetTrendScrollBar().IsWindowEnabled());
    EXPECT_EQ(station.Bar().nMax, 0);
    EXPECT_EQ(station.Bar().nPos, 0);
    EXPECT_EQ(station.Bed().GetDrawFirstIndexOfTrend(), 0u);

    station.Wheel(1);
    EXPECT_TRUE(station.Bed().IsTrendReviewMode());
    station.Tick();
    EXPECT_FALSE(station.Bed().IsTrendReviewMode());
}

TEST(BedWindowTrend, LiveModeShowsTheNewestPageAndTheWheelNeverGoesPastIt)
{
    TrendStation station(5000);
    ASSERT_EQ(station.Bed().GetVisibleTrendCount(), kVisible);
    EXPECT_TRUE(station.Bed().GetTrendScrollBar().IsWindowEnabled());
    // The classic bar holds its position at max - page + 1.
    EXPECT_EQ(station.Bar().nMax, 5000);
    EXPECT_EQ(station.Bar().nPage, kVisible);
    EXPECT_EQ(station.Bar().nPos, 3201);
    EXPECT_EQ(station.Bed().GetDrawFirstIndexOfTrend(), 3200u);
    EXPECT_EQ(station.Bed().GetDrawLastIndexOfTrend(), 5000u);

    station.Wheel(-1); // towards the user: on in time, but the newest page is the end
    EXPECT_TRUE(station.Bed().IsTrendReviewMode());
    EXPECT_EQ(station.Bar().nPos, 3201);
    EXPECT_EQ(station.Bed().GetDrawFirstIndexOfTrend(), 3200u);

    station.Wheel(1); // away from the user: five entries back
    EXPECT_EQ(station.Bed().GetDrawFirstIndexOfTrend(), 3196u);

    station.Bed().GetTrendScrollBar().SetScrollPos(100);
    station.Wheel(-1);
    EXPECT_EQ(station.Bed().GetDrawFirstIndexOfTrend(), 105u);
}

TEST(BedWindowTrend, ScrollBarActionsMoveTheReviewPosition)
{
    struct Case
    {
        const char* name;
        UINT code;
        UINT first; // the first entry drawn afterwards
    };
    const Case cases[] = {
        { "line left", SB_LINELEFT, 1999 },   { "line right", SB_LINERIGHT, 2001 },
        { "page left", SB_PAGELEFT, 200 },    { "page right", SB_PAGERIGHT, 3200 },
        { "left end", SB_LEFT, 0 },           { "right end", SB_RIGHT, 3200 },
    };
    TrendStation station(5000);
    for (const Case& c : cases) {
        station.Bed().GetTrendScrollBar().SetScrollPos(2000);
        station.Scroll(c.code);
        EXPECT_TRUE(station.Bed().IsTrendReviewMode()) << c.name;
        EXPECT_EQ(station.Bed().GetDrawFirstIndexOfTrend(), c.first) << c.name;
    }
}

TEST(BedWindowTrend, AnArrowThatCannotMoveLeavesTheWindowLive)
{
    TrendStation station(5000);
    station.Bed().GetTrendScrollBar().SetScrollPos(0);
    station.Scroll(SB_LINELEFT);
    station.Scroll(SB_ENDSCROLL);
    EXPECT_FALSE(station.Bed().IsTrendReviewMode());
    EXPECT_EQ(station.Bar().nPos, 0);
    EXPECT_EQ(CWnd::GetFocus(), &station.Bed());
}

TEST(BedWindowTrend, AReviewEndsByItselfAtThe202ndTickAndKeepsTheStoreWhileItLasts)
{
    TrendStation station(3600, false);
    station.Wheel(2);
    ASSERT_TRUE(station.Bed().IsTrendReviewMode());
    EXPECT_EQ(station.Bed().GetDrawFirstIndexOfTrend(), 3600 - kVisible + 1 - 10);
    const nyraclient::trend::CClientTrendSource source(*station.client);
    EXPECT_EQ(source.GetReportFirstIndex(), station.Bed().GetDrawFirstIndexOfTrend());

    station.Feed(50);
    EXPECT_EQ(station.client->GetCountsOfTrendData(), 3650u) << "nothing goes while reviewing";
    station.Tick(201);
    EXPECT_TRUE(station.Bed().IsTrendReviewMode());
    station.Tick();
    EXPECT_FALSE(station.Bed().IsTrendReviewMode());
    EXPECT_EQ(station.Bar().nPos, 3650 - int(kVisible) + 1);
    station.Feed(1);
    EXPECT_EQ(station.client->GetCountsOfTrendData(), 3600u);
}

TEST(BedWindowTrend, AResizeEndsAReviewAtOnce)
{
    TrendStation station(5000);
    station.Wheel(3);
    ASSERT_TRUE(station.Bed().IsTrendReviewMode());
    station.Layout(CSize(kTile.cx + 40, kTile.cy), DISPMODE_4CH);
    EXPECT_FALSE(station.Bed().IsTrendReviewMode());
    EXPECT_EQ(station.Bed().GetDrawFirstIndexOfTrend(), 5000 - station.Bed().GetVisibleTrendCount());
}

TEST(BedWindowTrend, PullingThePaperToTheRightGoesBackInTime)
{
    TrendStation station(5000);
    NyraControl& bed = station.Bed();
    const CPoint start = bed.GetTrendRectAll().CenterPoint();
    const double perPixel = double(kVisible) / bed.GetFHRTrendRect().Width();

    bed.GetTrendScrollBar().SetScrollPos(2000);
    station.PressMoveRelease(start, start + CPoint(50, 0));
    EXPECT_TRUE(bed.IsTrendReviewMode());
    EXPECT_EQ(bed.GetDrawFirstIndexOfTrend(), UINT(2000 - 50 * perPixel));

    // Pulled to the left past the newest page it stops there.
    bed.GetTrendScrollBar().SetScrollPos(3000);
    station.PressMoveRelease(start, start - CPoint(300, 0));
    EXPECT_EQ(bed.GetDrawFirstIndexOfTrend(), 3200u);

    // After the release the mouse moves nothing.
    const UINT first = bed.GetDrawFirstIndexOfTrend();
    const CPoint over = station.Screen(start + CPoint(120, 0));
    NullHost::MoveMouse(over.x, over.y);
    Pump();
    EXPECT_EQ(bed.GetDrawFirstIndexOfTrend(), first);
}

TEST(BedWindowTrend, ADragInAWindowTooSmallForTrendPaperDoesNothing)
{
    const std::pair<CSize, DISPMODE> windows[] = {
        { { 60, 40 }, DISPMODE_4CH }, { { 60, 40 }, DISPMODE_ENLARGE }, { { 60, 80 }, DISPMODE_2CH },
    };
    for (auto [size, mode] : windows) {
        TrendStation station(5000, true, size, mode);
        const CRect trend = station.Bed().GetTrendRectAll();
        const CPoint from = trend.IsRectEmpty() ? CPoint(size.cx / 2, size.cy / 2) : trend.CenterPoint();
        station.PressMoveRelease(from, from + CPoint(5, 0));
        EXPECT_FALSE(station.Bed().IsTrendReviewMode()) << size.cx << "x" << size.cy;
    }
}

TEST(BedWindowTrend, AWindowWithoutTrendAreaDoesNotReviewAndTheStoreStillTrims)
{
    TrendStation station(3600, false, kTile, DISPMODE_1CH);
    station.Wheel(1);
    EXPECT_FALSE(station.Bed().IsTrendReviewMode());
    station.Feed(5);
    EXPECT_EQ(station.client->GetCountsOfTrendData(), 3600u);
}

TEST(BedWindowTrend, ReviewingTheEnlargedBedLeavesItsTileLive)
{
    TrendStation station(5000);
    ASSERT_EQ(station.manager.ExpandClient(station.client), 1);
    NyraControl& enlarged = *NyraControl::EnlargedOf(station.client);
    enlarged.MoveWindow(0, 0, 1200, 800);
    Pump();
    enlarged.SendMessage(WM_TIMER, NyraControl::kTrendTimer);
    enlarged.SendMessage(WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(enlarged.GetTrendScrollBar().GetSafeHwnd()));
    EXPECT_TRUE(enlarged.IsTrendReviewMode());
    EXPECT_FALSE(station.Bed().IsTrendReviewMode());
    // The report page of a capture starts where the enlarged window shows.
    const nyraclient::trend::CClientTrendSource source(*station.client);
    EXPECT_EQ(source.GetReportFirstIndex(), enlarged.GetDrawFirstIndexOfTrend());
    EXPECT_NE(source.GetReportFirstIndex(), station.Bed().GetDrawFirstIndexOfTrend());
}

} // namespace
