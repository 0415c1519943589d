// Device contexts over a shared surface: what window and paint DCs are made of. The DC's
// device origin sits at `originInSurface` and it draws only inside `clipInSurface`; every
// drawing operation takes the surface's lock and marks what it drew as dirty, so any thread
// may draw while the window host presents the surface.
#pragma once

#include "platform/gdi/Surface.h"

namespace platform {

HDC CreateSurfaceDC(SurfacePtr surface, POINT originInSurface, const RECT& clipInSurface, HWND hwnd = nullptr);

} // namespace platform
