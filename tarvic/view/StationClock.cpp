// The station's wall-clock time.
#include "tarvic/view/StationClock.h"

namespace tarvic {

namespace {

std::function<COleDateTime()>& Source()
{
    static std::function<COleDateTime()> source;
    return source;
}

} // namespace

COleDateTime StationClockNow()
{
    return Source() ? Source()() : COleDateTime::GetCurrentTime();
}

void SetStationClock(std::function<COleDateTime()> now)
{
    Source() = std::move(now);
}

} // namespace tarvic
