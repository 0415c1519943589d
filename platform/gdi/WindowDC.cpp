// Window and paint DCs: the drawing module's side of the window layer's surface hooks.
//
// Every top-level window owns one Surface, kept in the window layer's opaque slot. A window,
// client or paint DC is a surface DC at the window's corner inside its top-level, clipped to
// its visible part (and, for painting, to the update area). Nothing here waits for the
// user-interface thread: a worker's DC draws under the surface lock only.
#include "platform/gdi/SurfaceDC.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/msg/WindowSurfaceHooks.h"

#include <mutex>

namespace platform {

namespace {

SurfacePtr EnsureSurface(HWND topLevel)
{
    if (auto existing = std::static_pointer_cast<Surface>(msg::GetSurfaceSlot(topLevel)))
        return existing;
    msg::WindowSurfaceGeometry g;
    if (!msg::GetWindowSurfaceGeometry(topLevel, &g))
        return nullptr;
    auto surface = std::make_shared<Surface>(g.topLevelSize.cx, g.topLevelSize.cy);
    msg::SetSurfaceSlot(topLevel, surface);
    // Another thread may have set one first; use whatever the slot holds now.
    auto held = std::static_pointer_cast<Surface>(msg::GetSurfaceSlot(topLevel));
    return held ? held : surface;
}

void OnTopLevel(HWND topLevel, msg::TopLevelEvent event)
{
    switch (event) {
    case msg::TopLevelEvent::Created: EnsureSurface(topLevel); break;
    case msg::TopLevelEvent::Resized: {
        msg::WindowSurfaceGeometry g;
        if (msg::GetWindowSurfaceGeometry(topLevel, &g))
            if (auto s = EnsureSurface(topLevel))
                s->Resize(g.topLevelSize.cx, g.topLevelSize.cy);
        break;
    }
    default: break; // the window layer drops the slot when the window goes
    }
}

HDC MakeWindowDc(const msg::DcRequest& request)
{
    if (!request.topLevel) {
        // The screen's DC (no window): callers measure text and read capabilities with it;
        // there is no desktop to draw on, so its visible area is empty.
        static const SurfacePtr screen = std::make_shared<Surface>(1, 1);
        return CreateSurfaceDC(screen, POINT {}, RECT {}, nullptr);
    }
    SurfacePtr surface = EnsureSurface(request.topLevel);
    if (!surface)
        return nullptr;
    return CreateSurfaceDC(surface, request.originInTop, request.clipInTop, request.hwnd, request.excludeInTop);
}

bool EraseBackground(HWND hwnd, HDC dc, HBRUSH background)
{
    msg::WindowSurfaceGeometry g;
    if (!dc || !background || !msg::GetWindowSurfaceGeometry(hwnd, &g))
        return false;
    CRect client(0, 0, g.clientInTop.right - g.clientInTop.left, g.clientInTop.bottom - g.clientInTop.top);
    ::FillRect(dc, &client, background);
    return true;
}

} // namespace

void InstallWindowDrawing()
{
    static std::once_flag listenerOnce;
    std::call_once(listenerOnce, [] { msg::AddTopLevelListener(OnTopLevel); });
    msg::SetDcFactory(MakeWindowDc, [](HWND, HDC dc) { ::DeleteDC(dc); });
    msg::SetDcObjectLookup(&CDC::FromHandle);
    msg::SetBackgroundEraser(EraseBackground);
}

SurfacePtr WindowSurface(HWND hwnd)
{
    HWND top = msg::GetTopLevelWindow(hwnd);
    return top ? std::static_pointer_cast<Surface>(msg::GetSurfaceSlot(top)) : nullptr;
}

namespace {

// The window layer's objects are initialised before ours (it is linked first); this hooks the
// drawing module in when the library loads.
const bool g_installed = (InstallWindowDrawing(), true);

} // namespace

} // namespace platform
