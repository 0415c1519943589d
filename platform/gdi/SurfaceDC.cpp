// Device contexts over a shared surface (window and paint DCs).
#include "platform/gdi/SurfaceDC.h"

#include "platform/gdi/DcInternal.h"

#include <cairo.h>

namespace platform {

HDC CreateSurfaceDC(SurfacePtr surface, POINT originInSurface, const RECT& clipInSurface, HWND hwnd,
                    std::span<const RECT> excludeInSurface)
{
    if (!surface)
        return nullptr;
    auto d = std::make_unique<gdi::DcData>();
    d->kind = gdi::DcKind::Window;
    d->surface = std::move(surface);
    d->origin = originInSurface;
    d->hwnd = hwnd;
    // The visible area, kept in device units like every clip of the DC.
    CRect clip(clipInSurface);
    clip.OffsetRect(-originInSurface.x, -originInSurface.y);
    cairo_rectangle_int_t r { clip.left, clip.top, std::max(0, clip.Width()), std::max(0, clip.Height()) };
    d->systemClip = gdi::MakeRegion(cairo_region_create_rectangle(&r));
    for (CRect excluded : excludeInSurface) {
        excluded.OffsetRect(-originInSurface.x, -originInSurface.y);
        cairo_rectangle_int_t e { excluded.left, excluded.top, std::max(0, excluded.Width()), std::max(0, excluded.Height()) };
        cairo_region_subtract_rectangle(d->systemClip.get(), &e);
    }
    return gdi::NewDc(std::move(d));
}

} // namespace platform
