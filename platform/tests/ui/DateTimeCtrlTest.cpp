// The date-time picker: the "none" state of DTS_SHOWNONE through the check box, Space and
// SetTime with a null value; fields stepped and typed; the calendar drop-down choosing a day;
// DTN_DATETIMECHANGE for each change by the user.
#include "platform/ui/controls/DateTimeCtrl.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kPickerId = 600;

class NotifiedParent : public testkit::ParentWnd
{
public:
    std::vector<NMDATETIMECHANGE> changes;
    std::vector<UINT> codes;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(hdr->code);
        if (hdr->code == DTN_DATETIMECHANGE)
            changes.push_back(*reinterpret_cast<NMDATETIMECHANGE*>(lParam));
        return testkit::ParentWnd::OnNotify(wParam, lParam, pResult);
    }
};

class UiDateTime : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop());
        ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_SHOWNONE, CRect(10, 10, 160, 32), &parent, kPickerId));
        picker.SetFormat("yyyy-MM-dd");
        ASSERT_TRUE(picker.SetTime(COleDateTime(2024, 2, 28, 9, 30, 0)));
        picker.SetFocus();
        Pump();
    }

    COleDateTime Time() const
    {
        COleDateTime t;
        EXPECT_TRUE(picker.GetTime(t));
        return t;
    }

    NotifiedParent parent;
    CDateTimeCtrl picker;
};

TEST_F(UiDateTime, NoneStateFromTheCheckBoxSpaceAndSetTime)
{
    EXPECT_EQ(Time().GetStatus(), COleDateTime::valid);
    // The check box at the left clears the date; the value stays behind it.
    POINT box = testkit::ScreenPoint(picker, 8, 11);
    testkit::ClickPumped(box);
    EXPECT_EQ(Time().GetStatus(), COleDateTime::null);
    SYSTEMTIME st;
    EXPECT_EQ(picker.GetTime(&st), static_cast<DWORD>(GDT_NONE));
    ASSERT_EQ(parent.changes.size(), 1u);
    EXPECT_EQ(parent.changes[0].dwFlags, static_cast<DWORD>(GDT_NONE));
    NullHost::PressKey(VK_SPACE), Pump();
    EXPECT_EQ(Time().GetStatus(), COleDateTime::valid);
    EXPECT_EQ(Time().GetDay(), 28);
    ASSERT_EQ(parent.changes.size(), 2u);
    EXPECT_EQ(parent.changes[1].dwFlags, static_cast<DWORD>(GDT_VALID));
    EXPECT_EQ(parent.changes[1].st.wYear, 2024);
    // A null value sets "none" from code, without a notification.
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    EXPECT_TRUE(picker.SetTime(none));
    EXPECT_EQ(Time().GetStatus(), COleDateTime::null);
    EXPECT_EQ(parent.changes.size(), 2u);
}

TEST_F(UiDateTime, WithoutShowNoneTheDateCannotBeCleared)
{
    CDateTimeCtrl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(10, 50, 160, 72), &parent, kPickerId + 1));
    EXPECT_FALSE(plain.SetTime(static_cast<LPSYSTEMTIME>(nullptr)));
    SYSTEMTIME st;
    EXPECT_EQ(plain.GetTime(&st), static_cast<DWORD>(GDT_VALID));
}

TEST_F(UiDateTime, FieldsStepAndTakeTypedDigits)
{
    // The first field (year) is selected; Right moves to the month, then the day.
    NullHost::PressKey(VK_RIGHT), Pump();
    NullHost::PressKey(VK_UP), Pump();
    EXPECT_EQ(Time().GetMonth(), 3);
    NullHost::PressKey(VK_RIGHT), Pump();
    NullHost::PressKey(VK_UP), Pump();
    EXPECT_EQ(Time().GetDay(), 29);
    NullHost::PressKey(VK_LEFT), Pump();
    NullHost::PressKey(VK_DOWN), Pump(); // back to February: day 29 stays valid in 2024
    EXPECT_EQ(Time().GetMonth(), 2);
    EXPECT_EQ(Time().GetDay(), 29);
    NullHost::PressKey(VK_LEFT), Pump();
    NullHost::TypeText("2023"), Pump();
    EXPECT_EQ(Time().GetYear(), 2023);
    EXPECT_EQ(Time().GetDay(), 28); // no 29 February in 2023
    EXPECT_GE(parent.changes.size(), 4u);
}

TEST_F(UiDateTime, CalendarDropDownChoosesADayAndTicksTheBox)
{
    picker.SetTime(static_cast<LPSYSTEMTIME>(nullptr));
    parent.codes.clear();
    NullHost::PressKey(VK_F4), Pump();
    CWnd* calendar = picker.GetMonthCalCtrl();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->IsWindowVisible());
    // 1 February 2024 is a Thursday: the 15th stands in the third week row, fifth column.
    int x = 2 + 4 * 24 + 12, y = 20 + 16 + 2 * 16 + 8;
    testkit::ClickPumped(testkit::ScreenPoint(*calendar, x, y));
    EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);
    COleDateTime t = Time();
    ASSERT_EQ(t.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(t.GetDay(), 15);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(parent.codes, (std::vector<UINT> { DTN_DROPDOWN, DTN_CLOSEUP, DTN_DATETIMECHANGE }));
}

TEST_F(UiDateTime, UpDownStyleStepsTheFieldWithItsArrows)
{
    CDateTimeCtrl time;
    ASSERT_TRUE(time.Create(WS_CHILD | WS_VISIBLE | DTS_UPDOWN | DTS_TIMEFORMAT, CRect(10, 50, 160, 72), &parent, kPickerId + 2));
    time.SetFormat("HH:mm");
    ASSERT_TRUE(time.SetTime(COleDateTime(2024, 2, 28, 23, 59, 0)));
    CRect client;
    time.GetClientRect(&client);
    testkit::ClickPumped(testkit::ScreenPoint(time, client.right - 6, client.top + 4)); // up: the hour wraps
    COleDateTime t;
    ASSERT_TRUE(time.GetTime(t));
    EXPECT_EQ(t.GetHour(), 0);
    EXPECT_EQ(t.GetDay(), 28); // a field wraps without carrying into the date
}

} // namespace
