// Device contexts over a shared surface: what window and paint DCs are made of. The DC's
// device origin sits at `originInSurface` and it draws only inside `clipInSurface` less the
// `excludeInSurface` rectangles (the children a WS_CLIPCHILDREN window paints around); every
// drawing operation takes the surface's lock and marks what it drew as dirty, so any thread
// may draw while the window host presents the surface.
#pragma once

#include "platform/gdi/Surface.h"

#include <span>

namespace platform {

HDC CreateSurfaceDC(SurfacePtr surface, POINT originInSurface, const RECT& clipInSurface, HWND hwnd = nullptr,
                    std::span<const RECT> excludeInSurface = {});

} // namespace platform

namespace platform {

// Connects window and paint DCs to the window layer: each top-level window gets a backing
// surface (made, resized and dropped with the window), and GetDC, GetWindowDC and BeginPaint
// hand out DCs over it. Done when the library loads; calling it again changes nothing.
void InstallWindowDrawing();

// The backing surface of the top-level window that `hwnd` belongs to (null when none).
SurfacePtr WindowSurface(HWND hwnd);

} // namespace platform
