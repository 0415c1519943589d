// The pages of a bed's printed trend.
#include "tarvic/view/TrendPrintPlan.h"

#include "nrdata/trend/TrendRect.h"

#include <algorithm>

namespace tarvic {

int TrendPrintPlan::SpeedDivisor(int speed)
{
    switch (speed) {
    case 1: return 2;
    case 2: return 4;
    case 3: return 6;
    default: return 0;
    }
}

TrendPrintPlan::TrendPrintPlan(const TrendPrintChoice& choice, int pageWidth, int pageHeight) : m_choice(choice)
{
    m_choice.last = std::max(m_choice.last, m_choice.first);
    const int side = static_cast<int>(pageWidth * 0.03);
    m_margins = CRect(side, static_cast<int>(pageHeight * 0.16), side, static_cast<int>(pageHeight * 0.10));
    nrdata::trend::GetTrendRect(CRect(0, 0, pageWidth, pageHeight), m_fhr, m_uc, kFhrRatio, kUcRatio, m_margins,
                                m_columns);

    // G columns of G/d minutes: counted in whole seconds (G x 60 / d), so that no rounding of a
    // fraction takes a second off a page.
    const int divisor = SpeedDivisor(m_choice.speed);
    m_secondsPerPage = divisor > 0 ? m_columns * 60u / static_cast<UINT>(divisor) : 0;

    // A page too small for one cell has no trend pages (and never divides by its 0 seconds).
    if (m_choice.bTrend && m_secondsPerPage > 0) {
        const UINT span = m_choice.last - m_choice.first;
        m_trendPages = span / m_secondsPerPage + (span % m_secondsPerPage ? 1 : 0);
    }
}

TrendPrintPage TrendPrintPlan::Page(UINT page) const
{
    TrendPrintPage shown;
    if (m_choice.bCover && page == 1) {
        shown.cover = true;
        return shown;
    }
    const UINT trendPage = page - (m_choice.bCover ? 2 : 1);
    if (page < 1 || trendPage >= m_trendPages)
        return shown;
    shown.start = m_choice.first + trendPage * m_secondsPerPage;
    // The range ends before its last index (the end of its last minute, or the trend's length),
    // so the pages' count and their seconds agree: each page ends where the next one starts.
    shown.end = std::min(shown.start + m_secondsPerPage, m_choice.last);
    return shown;
}

} // namespace tarvic
