// Window regions, kept by the drawing module and tested by the window layer's hit test.
#include "platform/gdi/WindowRegion.h"

#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowSurfaceHooks.h"

#include <map>
#include <mutex>

namespace {

// Guards the map only; never held while calling window functions.
std::mutex s_lock;
std::map<HWND, HRGN> s_regions;

bool InsideShape(HWND hwnd, POINT point)
{
    std::lock_guard guard(s_lock);
    auto it = s_regions.find(hwnd);
    if (it == s_regions.end())
        return true;
    CRgn* region = CRgn::FromHandle(it->second);
    return region && region->PtInRegion(point);
}

[[maybe_unused]] const bool s_registered = [] {
    platform::msg::SetWindowShapeTest(&InsideShape);
    return true;
}();

// Frees the regions of windows that are gone. Called without the lock.
void DropStaleRegions()
{
    std::map<HWND, HRGN> regions;
    {
        std::lock_guard guard(s_lock);
        regions = s_regions;
    }
    for (auto& [hwnd, region] : regions)
        if (!::IsWindow(hwnd)) {
            std::lock_guard guard(s_lock);
            s_regions.erase(hwnd);
            ::DeleteObject(region);
        }
}

} // namespace

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw)
{
    if (!::IsWindow(hwnd))
        return 0;
    DropStaleRegions();
    HRGN old = nullptr;
    {
        std::lock_guard guard(s_lock);
        auto it = s_regions.find(hwnd);
        if (it != s_regions.end()) {
            old = it->second;
            s_regions.erase(it);
        }
        if (region)
            s_regions[hwnd] = region;
    }
    if (old && old != region)
        ::DeleteObject(old);
    if (redraw)
        ::InvalidateRect(hwnd, nullptr, TRUE);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region)
{
    std::lock_guard guard(s_lock);
    auto it = s_regions.find(hwnd);
    CRgn* target = CRgn::FromHandle(region);
    CRgn* source = it == s_regions.end() ? nullptr : CRgn::FromHandle(it->second);
    if (!target || !source)
        return ERROR;
    return target->CopyRgn(source);
}

// ---- scrolling -----------------------------------------------------------------------------------

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags)
{
    if (!::IsWindow(hwnd))
        return ERROR;
    CRect client;
    ::GetClientRect(hwnd, &client);
    CRect area = scroll ? CRect(scroll) : client;
    CRect bounds = clip ? CRect(clip) : area;
    bounds &= client;
    CRect moved = area;
    moved.OffsetRect(dx, dy);
    CRect kept;
    kept.IntersectRect(&moved, &bounds);
    if (HDC hdc = ::GetDC(hwnd)) {
        if (!kept.IsRectEmpty())
            ::BitBlt(hdc, kept.left, kept.top, kept.Width(), kept.Height(), hdc, kept.left - dx, kept.top - dy, SRCCOPY);
        ::ReleaseDC(hwnd, hdc);
    }
    // The uncovered part: the clipped area less what the moved pixels now cover.
    CRgn uncovered, covered;
    CRect target = area & bounds;
    uncovered.CreateRectRgnIndirect(&target);
    covered.CreateRectRgnIndirect(&kept);
    uncovered.CombineRgn(&uncovered, &covered, RGN_DIFF);
    CRect box;
    int type = uncovered.GetRgnBox(&box);
    if (updateRect)
        *updateRect = box;
    if (CRgn* out = CRgn::FromHandle(update))
        out->CopyRgn(&uncovered);
    if (flags & SW_SCROLLCHILDREN) {
        for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            CRect r;
            ::GetWindowRect(child, &r);
            POINT topLeft { r.left, r.top };
            ::ScreenToClient(hwnd, &topLeft);
            if (area.PtInRect(topLeft))
                ::SetWindowPos(child, nullptr, topLeft.x + dx, topLeft.y + dy, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if ((flags & SW_INVALIDATE) && !box.IsRectEmpty())
        ::InvalidateRect(hwnd, &box, (flags & SW_ERASE) != 0);
    return box.IsRectEmpty() ? NULLREGION : type;
}
