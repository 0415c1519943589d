// The trend page on screen: a reviewed picture of one page with every kind of curve and mark in
// two of the monitor's display modes, the page's layout and record range, and moving through a
// recording with the scroll bar, the wheel and by dragging.
#include "support/StudyPage.h"

#include "tarlux/study/CTrendPageDlg.h"

#include "testkit/Golden.h"

#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace reviewtest;
using tarlux::CTrendViewCtrl;

namespace {

constexpr int kPageWidth = 1000;
constexpr int kPageHeight = 560;

// The trend page on a study of its own.
class TrendPage : public StudyPage<tarlux::CTrendPageDlg>
{
protected:
    explicit TrendPage(ReviewFolders::Options options = {})
        : StudyPage(CSize(kPageWidth, kPageHeight), std::move(options))
    {
    }

    // Writes the study's recording with the monitor's display mode, loads it and rebuilds the page.
    void Record(const std::vector<PKParam_v110>& records, BYTE displayMode = 2)
    {
        RecordingContents contents;
        contents.displayMode = displayMode;
        contents.records = records;
        StudyPage::Record(contents);
    }

    CTrendViewCtrl& View() { return m_page.GetTrendView(); }
    int Position() { return View().GetScrollPos(SB_HORZ); }
    const tarlux::CRecordReader& Reader() { return m_context.GetReader(); }
};

// ---- the page ------------------------------------------------------------------------------------------

// The page's control fills it less a pixel each side; the paper's columns and the records a page
// shows follow from its size and the trend speed (30 mm/min: 10 s a column).
TEST_F(TrendPage, ThePaperFillsThePageAndAPageShowsItsColumnsWorthOfRecords)
{
    CRect control;
    View().GetWindowRect(&control);
    m_page.ScreenToClient(&control);
    EXPECT_EQ(control, CRect(1, 1, kPageWidth - 1, kPageHeight - 1));
    ASSERT_GT(View().GetColumns(), 0u);
    EXPECT_EQ(View().GetColumns() % 6, 0u);
    EXPECT_EQ(View().GetPageRecords(), static_cast<int>(View().GetColumns()) * 10);
    // Shares 0.65 and 0.30 of the height less 5 % top and bottom, square FHR cells.
    const CRect upper = View().GetUpperRect();
    const CRect lower = View().GetLowerRect();
    EXPECT_EQ(upper.Height() % 21, 0);
    EXPECT_EQ(upper.Width(), upper.Height() / 21 * static_cast<int>(View().GetColumns()));
    EXPECT_EQ(lower.left, upper.left);
    EXPECT_EQ(lower.Height() % 10, 0);
}

TEST_F(TrendPage, AShortRecordingEndsThePageAtItsLastRecord)
{
    Record(MakeRecords(100, [](PKParam_v110& p, unsigned int) { p.SetFHR1(0, 140); }));
    EXPECT_EQ(Reader().GetShownFirst(), 0);
    EXPECT_EQ(Reader().GetShownLast(), 100);
    int minimum = -1;
    int maximum = -1;
    View().GetScrollRange(SB_HORZ, &minimum, &maximum);
    EXPECT_EQ(minimum, 0);
    EXPECT_EQ(maximum, 100);
    EXPECT_EQ(Position(), 0);
}

class TrendPageGolden : public TrendPage
{
protected:
    TrendPageGolden() : TrendPage(Options()) {}
    static ReviewFolders::Options Options()
    {
        ReviewFolders::Options options;
        options.centralColour = kDefaultColours;
        return options;
    }
};

// One page holding every kind of curve and mark: both fetal heart rates with an acceleration
// and a deceleration, signal loss, the step of 11 bpm that breaks the FHR1 line, the maternal
// rate, SpO2 and temperature, FECG and FSpO2, contractions and IUP, fetal movements, NIBP
// readings, markers, a stimulator and a zeroing. Display mode 2 shows the maternal scales;
// display mode 1 (antepartum) repeats the fetal and pressure scales and has no temperature scale.
TEST_F(TrendPage, OnePageOfEveryKindInTheMotherAndFetalMode)
{
    Record(ScriptedTrend(static_cast<unsigned int>(View().GetPageRecords())), 2);
    testkit::ExpectMatchesGolden(testkit::Capture(m_parent.m_hWnd), "tarlux/tests/golden/TrendPageMotherFetal.png",
                                 { 64, 1.0 / 400 });
}

TEST_F(TrendPageGolden, OnePageOfEveryKindInTheAntepartumModeAndTheDefaultColours)
{
    Record(ScriptedTrend(static_cast<unsigned int>(View().GetPageRecords())), 1);
    testkit::ExpectMatchesGolden(testkit::Capture(m_parent.m_hWnd), "tarlux/tests/golden/TrendPageAntepartum.png",
                                 { 64, 1.0 / 400 });
}

// ---- moving through the recording -------------------------------------------------------------------

// Three pages and a half of records; the scroll bar's range is 0 to the count, and its position
// stops a page before the end.
class TrendPageMoving : public TrendPage
{
protected:
    void SetUp() override
    {
        page = View().GetPageRecords();
        ASSERT_GT(page, 100);
        records = page * 7 / 2;
        Record(MakeRecords(static_cast<unsigned int>(records), [](PKParam_v110& p, unsigned int) { p.SetFHR1(0, 140); }));
        last = records - page + 1;
    }
    void Scroll(UINT code) { View().SendMessage(WM_HSCROLL, MAKEWPARAM(code, 0), 0); }
    // Puts the page at `pos` and draws it there.
    void SetPosition(int pos)
    {
        View().SetScrollPos(SB_HORZ, pos);
        View().DrawView();
    }

    int page { 0 };
    int records { 0 };
    int last { 0 };
};

TEST_F(TrendPageMoving, ScrollBarCodesMoveByARecordAPageOrToAnEnd)
{
    const struct
    {
        const char* name;
        int from;
        UINT code;
        int to;
    } cases[] = {
        { "line right", 10, SB_LINERIGHT, 11 },
        { "line left", 10, SB_LINELEFT, 9 },
        { "line left at the start", 0, SB_LINELEFT, 0 },
        { "page right", 10, SB_PAGERIGHT, 10 + page },
        { "page left", 10, SB_PAGELEFT, 0 },
        { "page right near the end", last - 5, SB_PAGERIGHT, last },
        { "to the right end", 10, SB_RIGHT, last },
        { "to the left end", 500, SB_LEFT, 0 },
        { "end of scrolling", 500, SB_ENDSCROLL, 500 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetPosition(c.from);
        Scroll(c.code);
        EXPECT_EQ(Position(), c.to);
        // The page drawn is the page at the new position.
        EXPECT_EQ(Reader().GetShownFirst(), c.to);
        EXPECT_EQ(Reader().GetShownLast(), std::min(c.to + page - 1, records));
    }
}

// The thumb dragged along the bar: a track position within a record of either end snaps to it.
TEST_F(TrendPageMoving, TheThumbDraggedToAnEndGoesThere)
{
    using platform::host::NullHost;
    CRect window;
    View().GetWindowRect(&window);
    const int y = window.bottom - GetSystemMetrics(SM_CYHSCROLL) / 2;
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const auto dragThumb = [&](int from, int to) {
        NullHost::MoveMouse(from, y);
        NullHost::MouseDown(from, y);
        ReviewStation::Pump();
        NullHost::MoveMouse((from + to) / 2, y);
        ReviewStation::Pump();
        NullHost::MoveMouse(to, y);
        ReviewStation::Pump();
        NullHost::MouseUp(to, y);
        ReviewStation::Pump();
    };
    SetPosition(0);
    dragThumb(window.left + arrow + 4, window.right + 300);
    EXPECT_EQ(Position(), last);
    EXPECT_EQ(Reader().GetShownFirst(), last);
    EXPECT_EQ(Reader().GetShownLast(), records);
    dragThumb(window.right - arrow - 4, window.left - 300);
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(Reader().GetShownFirst(), 0);
}

TEST_F(TrendPageMoving, TheWheelMovesThirtyRecordsANotch)
{
    const struct
    {
        int from;
        int notches; // positive rolls away from the user: back in time
        int to;
    } cases[] = {
        { 100, 1, 70 }, { 100, -1, 130 }, { 100, -3, 190 }, { 10, 1, 0 }, { last - 10, -1, last }, { 0, 2, 0 },
    };
    CRect screen;
    View().GetWindowRect(&screen);
    for (const auto& c : cases) {
        SetPosition(c.from);
        View().SetFocus();
        platform::host::NullHost::Wheel(c.notches, screen.CenterPoint().x, screen.CenterPoint().y);
        ReviewStation::Pump();
        EXPECT_EQ(Position(), c.to) << c.from << " by " << c.notches;
    }
    // Half a notch moves nothing.
    SetPosition(100);
    View().SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_EQ(Position(), 100);
}

TEST_F(TrendPageMoving, DraggingTheChartMovesAPageForTheUpperGraphsWidth)
{
    const CRect upper = View().GetUpperRect();
    const int y = upper.CenterPoint().y;
    const int x = upper.CenterPoint().x;
    const auto down = [&](int px) { View().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(px, y)); };
    const auto move = [&](int px, WPARAM keys = MK_LBUTTON) { View().SendMessage(WM_MOUSEMOVE, keys, MAKELPARAM(px, y)); };
    const auto drag = [&](int distance) { return static_cast<int>(500 + static_cast<double>(distance) * page / upper.Width()); };

    SetPosition(500);
    down(x);
    move(x - 100); // to the left: forwards in time
    EXPECT_EQ(Position(), drag(100));
    move(x + 50);
    EXPECT_EQ(Position(), drag(-50));
    View().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x + 50, y));
    move(x + 200, 0);
    EXPECT_EQ(Position(), drag(-50)) << "released: no more dragging";

    // Near the edge the drag stops, and coming back does not resume it.
    SetPosition(500);
    down(x);
    CRect client;
    View().GetClientRect(&client);
    move(client.right - 5);
    const int stopped = Position();
    EXPECT_EQ(stopped, 500);
    move(x - 100);
    EXPECT_EQ(Position(), stopped);

    // Released outside the control (its release never arrives): the first move without the
    // button ends the drag.
    SetPosition(500);
    down(x);
    move(x - 30);
    EXPECT_EQ(Position(), drag(30));
    move(x - 200, 0);
    move(x - 300, MK_LBUTTON);
    EXPECT_EQ(Position(), drag(30));
}

// A page too small for one cell of paper shows its background and nothing else, at any size;
// moving through the recording then stays at its start.
TEST_F(TrendPageMoving, APageTooSmallForACellDrawsNothing)
{
    for (const CSize size : { CSize(2, 2), CSize(40, 20), CSize(300, 24), CSize(12, 400) }) {
        SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy));
        m_page.MoveWindow(1, 1, size.cx, size.cy);
        ReviewStation::Pump();
        EXPECT_EQ(View().GetColumns(), 0u);
        EXPECT_EQ(View().GetPageRecords(), 0);
        Scroll(SB_PAGERIGHT);
        View().SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        View().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        View().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    }
}

TEST_F(TrendPageMoving, EveryRebuildGoesBackToTheFirstPage)
{
    SetPosition(900);
    m_page.MoveWindow(1, 1, kPageWidth - 100, kPageHeight - 40);
    ReviewStation::Pump();
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(Reader().GetShownFirst(), 0);
}

} // namespace
