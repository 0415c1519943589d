// Window placement on the window layer's state, and the one monitor of the virtual screen.
#include "platform/ui/framework/WindowPlacement.h"

#include "platform/msg/Input.h"
#include "platform/msg/WindowApi.h"

namespace {

// The normal rectangle of a window that is maximized or minimized: kept as window properties
// when the placement was set, since the window's own rectangle is then not the normal one.
constexpr const char* kNormalLeft = "platform.placement.left";
constexpr const char* kNormalTop = "platform.placement.top";
constexpr const char* kNormalRight = "platform.placement.right";
constexpr const char* kNormalBottom = "platform.placement.bottom";
constexpr const char* kNormalKept = "platform.placement.kept";

HANDLE AsHandle(LONG v) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(v)); }
LONG FromHandle(HANDLE h) { return static_cast<LONG>(reinterpret_cast<INT_PTR>(h)); }

void KeepNormal(HWND hwnd, const RECT& r)
{
    SetProp(hwnd, kNormalLeft, AsHandle(r.left));
    SetProp(hwnd, kNormalTop, AsHandle(r.top));
    SetProp(hwnd, kNormalRight, AsHandle(r.right));
    SetProp(hwnd, kNormalBottom, AsHandle(r.bottom));
    SetProp(hwnd, kNormalKept, AsHandle(1));
}

// The window's rectangle in the coordinates a placement uses.
RECT PlacementRect(HWND hwnd)
{
    RECT r {};
    GetWindowRect(hwnd, &r);
    if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) {
        if (HWND parent = GetParent(hwnd))
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

const HMONITOR kScreen = reinterpret_cast<HMONITOR>(static_cast<INT_PTR>(1));

RECT ScreenRect()
{
    SIZE s = platform::msg::ScreenSize();
    return RECT { 0, 0, s.cx, s.cy };
}

bool Intersects(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
    if (!placement || !IsWindow(hwnd))
        return FALSE;
    placement->flags = 0;
    placement->showCmd = IsIconic(hwnd) ? SW_SHOWMINIMIZED : IsZoomed(hwnd) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement->ptMinPosition = POINT { -1, -1 };
    placement->ptMaxPosition = POINT { -1, -1 };
    if (placement->showCmd != SW_SHOWNORMAL && GetProp(hwnd, kNormalKept)) {
        placement->rcNormalPosition = RECT { FromHandle(GetProp(hwnd, kNormalLeft)), FromHandle(GetProp(hwnd, kNormalTop)),
                                             FromHandle(GetProp(hwnd, kNormalRight)), FromHandle(GetProp(hwnd, kNormalBottom)) };
    } else {
        placement->rcNormalPosition = PlacementRect(hwnd);
    }
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement)
{
    if (!placement || !IsWindow(hwnd))
        return FALSE;
    const RECT& r = placement->rcNormalPosition;
    KeepNormal(hwnd, r);
    UINT show = placement->showCmd;
    if (show == SW_SHOWMAXIMIZED || show == SW_SHOWMINIMIZED || show == SW_MINIMIZE) {
        ShowWindow(hwnd, static_cast<int>(show));
        return TRUE;
    }
    // Back to normal first, so that the rectangle is the restored window's.
    if (IsZoomed(hwnd) || IsIconic(hwnd))
        ShowWindow(hwnd, SW_RESTORE);
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, static_cast<int>(show == SW_HIDE ? SW_HIDE : show));
    return TRUE;
}

HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags)
{
    if (rect && Intersects(*rect, ScreenRect()))
        return kScreen;
    return flags == MONITOR_DEFAULTTONULL ? nullptr : kScreen;
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags)
{
    RECT r { point.x, point.y, point.x + 1, point.y + 1 };
    return MonitorFromRect(&r, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags)
{
    RECT r {};
    if (!IsWindow(hwnd) || !GetWindowRect(hwnd, &r))
        return flags == MONITOR_DEFAULTTONULL ? nullptr : kScreen;
    return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info)
{
    if (monitor != kScreen || !info)
        return FALSE;
    info->rcMonitor = ScreenRect();
    info->rcWork = info->rcMonitor;
    info->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}
