#include "platform/core/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Runs each test in a fixed zone with daylight saving, restoring the caller's afterwards.
class TimeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ"))
            m_saved = tz, m_had = true;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override
    {
        m_had ? setenv("TZ", m_saved.c_str(), 1) : unsetenv("TZ");
        tzset();
    }

private:
    std::string m_saved;
    bool m_had{false};
};

TEST_F(TimeTest, FieldsAreLocalTime)
{
    const CTime t(static_cast<time_t>(1700000000)); // 2023-11-14 22:13:20 UTC, 23:13:20 in Berlin
    EXPECT_EQ(t.GetYear(), 2023);
    EXPECT_EQ(t.GetMonth(), 11);
    EXPECT_EQ(t.GetDay(), 14);
    EXPECT_EQ(t.GetHour(), 23);
    EXPECT_EQ(t.GetMinute(), 13);
    EXPECT_EQ(t.GetSecond(), 20);
    EXPECT_EQ(t.GetDayOfWeek(), 3); // Tuesday
    EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2023-11-14 23:13:20");
    EXPECT_EQ(t.FormatGmt("%H:%M"), "22:13");

    const CTime built(2023, 11, 14, 23, 13, 20);
    EXPECT_EQ(built.GetTime(), t.GetTime());
    // Summer time: 12:00 local is 10:00 UTC.
    EXPECT_EQ(CTime(2024, 7, 1, 12, 0, 0).FormatGmt("%H"), "10");
}

TEST_F(TimeTest, SpansAndArithmetic)
{
    const CTime start(2024, 2, 28, 23, 0, 0);
    const CTime later = start + CTimeSpan(1, 2, 0, 0);
    EXPECT_EQ(later.Format("%Y-%m-%d %H:%M"), "2024-03-01 01:00");
    const CTimeSpan span = later - start;
    EXPECT_EQ(span.GetTotalSeconds(), 26 * 3600);
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetTotalMinutes(), 26 * 60);
    EXPECT_EQ(span.Format("%D:%H:%M:%S %%"), "1:02:00:00 %");
    EXPECT_LT(start, later);
    EXPECT_EQ(later - CTimeSpan(1, 2, 0, 0), start);

    // Across the change to summer time a local day has 23 hours.
    const CTime before(2024, 3, 31, 0, 0, 0);
    const CTime after(2024, 4, 1, 0, 0, 0);
    EXPECT_EQ((after - before).GetTotalHours(), 23);
}

TEST_F(TimeTest, CurrentTimeIsNow)
{
    const time_t before = time(nullptr);
    const CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), time(nullptr));
    EXPECT_EQ(CTime().GetTime(), 0);
}

TEST_F(TimeTest, ImpossibleDatesGiveZero)
{
    EXPECT_EQ(CTime(2023, 2, 29, 0, 0, 0).GetTime(), 0);
    EXPECT_EQ(CTime(2023, 13, 1, 0, 0, 0).GetTime(), 0);
    EXPECT_EQ(CTime(2023, 1, 1, 24, 0, 0).GetTime(), 0);
    EXPECT_NE(CTime(2024, 2, 29, 0, 0, 0).GetTime(), 0);
}

} // namespace
