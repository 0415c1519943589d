// The wall-clock time the station shows. Tests fix it, so that a picture of the main window
// always shows the same date and time.
#pragma once

#include "platform/core/OleDateTime.h"

#include <functional>

namespace tarvic {

// The local time now, or the fixed time a test set.
COleDateTime StationClockNow();
// A fixed time for the clock; null goes back to the real time.
void SetStationClock(std::function<COleDateTime()> now);

} // namespace tarvic
