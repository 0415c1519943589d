// A window's picture as it stands on its top-level's surface, frame included: what a golden
// test compares and what a headless station leaves behind as its screenshot.
#pragma once

#include "platform/gdi/Image.h"

namespace platform {

// Null when the window is gone.
Image CaptureWindow(HWND hwnd);

} // namespace platform
