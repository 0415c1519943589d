// The window class of the review station's own page controls (the trend view and the wave
// view): double clicks, redrawn whole on a resize, the default window procedure, the arrow
// cursor and the button face behind. Each control registers it when it is constructed, for the
// program's instance and its resource module.
#pragma once

#include "platform/core/Types.h"

namespace tarlux {

// Registers `className` for `instance` unless it is registered: 1, or the framework's resource
// exception when it cannot be.
BOOL RegisterReviewControlClass(HINSTANCE instance, const char* className);

} // namespace tarlux
