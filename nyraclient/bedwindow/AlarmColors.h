// The colours alarms are shown in on a bed window: orange for level 1 (and for technical causes),
// red for level 2. The alarm caption fills its bar with them; the parameter panel draws a value
// in alarm with them.
#pragma once

#include "platform/core/Types.h"

constexpr COLORREF kAlarmColorOrange = RGB(255, 102, 0);
constexpr COLORREF kAlarmColorRed = RGB(255, 0, 0);

// The colour of an alarm shown at `level`; `otherwise` for a level that shows nothing.
constexpr COLORREF AlarmLevelColor(int level, COLORREF otherwise)
{
    return level == 1 ? kAlarmColorOrange : level == 2 ? kAlarmColorRed : otherwise;
}
