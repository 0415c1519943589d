// TrendPrintPlan: how a bed's printed trend falls onto pages. The page's margins and trend
// paper, the seconds one page shows at the chosen speed, how many pages the job has and which
// seconds each trend page shows. No drawing here: the view's printing hooks draw what the plan
// says, and the tests check the arithmetic on its own.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"

namespace tarvic {

// What the user chose for the job: the trend range in seconds from the first trend entry, from
// `first` up to (not including) `last`, the speed 1 to 3 and the two flags. With `bAll` the
// range is the whole trend, taken when the job starts: a bed goes on recording meanwhile.
struct TrendPrintChoice
{
    UINT first { 0 };
    UINT last { 0 };
    int speed { 3 };
    int bCover { 1 };
    int bTrend { 1 };
    int bAll { 0 };
};

// What one page shows: the cover, or the trend seconds start to end (end excluded).
struct TrendPrintPage
{
    bool cover { false };
    UINT start { 0 };
    UINT end { 0 };
};

class TrendPrintPlan
{
public:
    // Trend paper of the upper graph: 72 % of what is left of the page, the lower 22 %.
    static constexpr double kFhrRatio = 0.72;
    static constexpr double kUcRatio = 0.22;

    TrendPrintPlan(const TrendPrintChoice& choice, int pageWidth, int pageHeight);

    // Margins of the page: left and right 3 %, top 16 %, bottom 10 % (in pixels).
    CRect Margins() const { return m_margins; }
    CRect FhrRect() const { return m_fhr; }
    CRect UcRect() const { return m_uc; }
    UINT Columns() const { return m_columns; }
    // Seconds one trend page shows: 0 when the page is too small for one grid cell.
    UINT SecondsPerPage() const { return m_secondsPerPage; }
    // Trend pages, and all pages with the cover; 0 means there is nothing to print.
    UINT TrendPages() const { return m_trendPages; }
    UINT PageCount() const { return m_trendPages + (m_choice.bCover ? 1 : 0); }
    // Page `page` (from 1); pages past the count show nothing (an empty trend page).
    TrendPrintPage Page(UINT page) const;

    // The seconds per grid column's divisor: 2, 4 or 6 for speeds 1 to 3 (0 for any other).
    static int SpeedDivisor(int speed);

private:
    TrendPrintChoice m_choice;
    CRect m_margins;
    CRect m_fhr;
    CRect m_uc;
    UINT m_columns { 0 };
    UINT m_secondsPerPage { 0 };
    UINT m_trendPages { 0 };
};

} // namespace tarvic
