// The scroll codes of the review station's page controls: where a scroll bar's position goes
// for a line, a page, the thumb (snapping to an end within one unit of it) or an end.
#pragma once

#include "platform/msg/Messages.h"
#include "platform/msg/ScrollInfo.h"

namespace tarlux {

// The position after `nSBCode` on a bar of `info`; the end-scroll code keeps the position.
int ScrolledPosition(const SCROLLINFO& info, UINT nSBCode);

} // namespace tarlux
