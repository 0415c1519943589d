// The split of an area into the two grids of trend paper.
#include "nrdata/trend/TrendRect.h"

namespace nrdata::trend {
namespace {

int Trunc(double v) { return static_cast<int>(v); }

} // namespace

void GetTrendRect(CRect area, CRect& fhr, CRect& uc, double fhrRatio, double ucRatio, CRect margin, UINT& columns)
{
    constexpr int kFhrRows = 21;
    constexpr int kUcRows = 10;

    const CRect r(area.left + margin.left, area.top + margin.top, area.right - margin.right,
                  area.bottom - margin.bottom);
    const int fhrHeight = Trunc(r.Height() * fhrRatio);
    const int ucHeight = Trunc(r.Height() * ucRatio);
    const int fhrCell = Trunc(fhrHeight / static_cast<double>(kFhrRows));
    const int ucCell = Trunc(ucHeight / static_cast<double>(kUcRows));

    // Too small for one cell of either grid (or turned inside out by the margins): no paper.
    if (fhrCell <= 0 || ucCell <= 0 || r.Width() <= 0) {
        fhr = CRect(0, 0, 0, 0);
        uc = CRect(0, 0, 0, 0);
        columns = 0;
        return;
    }

    if (columns == 0)
        columns = static_cast<UINT>(r.Width() / fhrCell);
    columns -= columns % 6;

    const long long gridWidth = static_cast<long long>(fhrCell) * columns;
    fhr.left = Trunc(r.left + (r.Width() - gridWidth) / 2.0);
    fhr.right = static_cast<int>(fhr.left + gridWidth);
    fhr.top = r.top;
    fhr.bottom = r.top + kFhrRows * fhrCell;

    uc.left = fhr.left;
    uc.right = fhr.right;
    uc.top = r.bottom - kUcRows * ucCell;
    uc.bottom = uc.top + kUcRows * ucCell;
}

} // namespace nrdata::trend
