// The review trend page over the shared renderer.
#include "tarlux/trend/ReviewTrendGraph.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/record/CRecordTrendSource.h"

#include "nrdata/config/NyraConfig.h"
#include "nrdata/trend/TrendCurves.h"
#include "nrdata/trend/TrendGraphRenderer.h"

#include "platform/gdi/CDC.h"

namespace tarlux {

int ReviewPageRecords(UINT columns, int speed)
{
    return static_cast<int>(nrdata::trend::RecordsPerStrip(columns, speed));
}

int DrawTrendGraph(CDC* dc, CRect upper, CRect lower, UINT columns, int* start, int end, int speed, int target,
                   COleDateTime startTime)
{
    if (dc == nullptr || dc->GetSafeHdc() == nullptr || start == nullptr || !CReviewContext::HasInstance())
        return 0;
    const CRecordTrendSource source(CReviewContext::GetInstance()->GetReader(), ReviewConfig(), startTime);
    UINT index = *start > 0 ? static_cast<UINT>(*start) : 0;
    const int drawn = nrdata::trend::RenderTrendStrip(dc, upper, lower, columns, &source, index, end, speed,
                                                      static_cast<DRAW_MODE>(target), 1, TREND_DRAW_ALL,
                                                      nrdata::trend::kReviewTrendStyle, nullptr);
    if (drawn)
        *start = static_cast<int>(index);
    return drawn;
}

} // namespace tarlux
