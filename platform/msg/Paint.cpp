// The paint cycle (update areas, WM_ERASEBKGND and WM_PAINT, BeginPaint/EndPaint) and the
// hooks through which the drawing module supplies surfaces and device contexts.
#include "platform/msg/MessageQueue.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowInternal.h"
#include "platform/msg/WindowSurfaceHooks.h"
#include "platform/msg/WindowTable.h"

#include <map>

using namespace platform::msg;

namespace {

// The hooks are never destroyed: threads that end while the process exits still use them.
struct Hooks
{
    std::mutex lock; // guards the members below; never held while a hook runs
    DcFactory dcFactory;
    DcReleaser dcReleaser;
    BackgroundEraser eraser;
    std::map<int, TopLevelListener> topLevelListeners;
    int nextListenerCookie = 1;
};
Hooks& TheHooks()
{
    static Hooks* hooks = new Hooks;
    return *hooks;
}
std::mutex& s_hookLock = TheHooks().lock;
DcFactory& s_dcFactory = TheHooks().dcFactory;
DcReleaser& s_dcReleaser = TheHooks().dcReleaser;
BackgroundEraser& s_eraser = TheHooks().eraser;
std::map<int, TopLevelListener>& s_topLevelListeners = TheHooks().topLevelListeners;
int& s_nextListenerCookie = TheHooks().nextListenerCookie;
std::atomic<DcObjectLookup> s_dcLookup { nullptr };
std::atomic<DcHandleLookup> s_dcHandleLookup { nullptr };

WindowRecord* TopLevelOf(const WindowTableLock& table, WindowRecord* r)
{
    while (r && r->parent)
        r = table.Find(r->parent);
    return r;
}

// Marks part of a window's client area for painting. Returns the queue to wake.
std::shared_ptr<MessageQueue> InvalidateLocked(const WindowTableLock& table, WindowRecord* r, const RECT* rect, bool erase,
                                               bool withChildren)
{
    CRect client(0, 0, r->client.Width(), r->client.Height());
    CRect area = rect ? (CRect(rect) & client) : client;
    if (area.IsRectEmpty())
        return nullptr;
    r->update |= area;
    r->erasePending |= erase;
    ++r->paintSerial;
    // Without WS_CLIPCHILDREN the parent paints over its children, so they paint again after it.
    if (withChildren || !(r->style & WS_CLIPCHILDREN)) {
        for (HWND child : r->children) {
            auto* c = table.Find(child);
            if (!c || !(c->style & WS_VISIBLE))
                continue;
            CRect inChild = area & c->rect;
            if (inChild.IsRectEmpty())
                continue;
            inChild.OffsetRect(-c->rect.left - c->client.left, -c->rect.top - c->client.top);
            InvalidateLocked(table, c, &inChild, erase, withChildren);
        }
    }
    return r->queue;
}

void ValidateLocked(const WindowTableLock& table, WindowRecord* r, const RECT* rect, bool withChildren)
{
    if (!rect) {
        r->update.SetRectEmpty();
        r->erasePending = false;
        r->internalPaint = false;
    } else {
        // The update area is one rectangle: validating a part that covers it clears it.
        CRect part(rect);
        CRect left = r->update;
        if ((left & part) == left)
            r->update.SetRectEmpty(), r->erasePending = false;
    }
    if (withChildren)
        for (HWND child : r->children)
            if (auto* c = table.Find(child))
                ValidateLocked(table, c, nullptr, true);
}

// Geometry of a window inside its top-level.
bool GeometryLocked(const WindowTableLock& table, WindowRecord* r, WindowSurfaceGeometry* out)
{
    auto* top = TopLevelOf(table, r);
    if (!top)
        return false;
    CRect topRect = top->rect; // screen coordinates
    CRect window = WindowRectOnScreen(table, r);
    POINT clientOrigin = ClientOriginOnScreen(table, r);
    CRect client(clientOrigin, r->client.Size());
    CRect visible = window;
    bool shown = true;
    for (auto* a = r; a; a = a->parent ? table.Find(a->parent) : nullptr) {
        shown &= (a->style & WS_VISIBLE) != 0;
        if (a != r) {
            POINT o = ClientOriginOnScreen(table, a);
            visible &= CRect(o, a->client.Size());
        }
    }
    visible &= topRect;
    auto toTop = [&](CRect c) {
        c.OffsetRect(-topRect.left, -topRect.top);
        return c;
    };
    out->topLevel = top->hwnd;
    out->windowInTop = toTop(window);
    out->clientInTop = toTop(client);
    out->visibleInTop = shown && !visible.IsRectEmpty() ? toTop(visible) : CRect();
    out->topLevelSize = topRect.Size();
    out->visible = shown;
    return true;
}

// The window rectangles of the visible children of a WS_CLIPCHILDREN window, in the coordinates
// of its top-level (under the table lock).
std::vector<RECT> ClippedChildrenLocked(const WindowTableLock& table, WindowRecord* r)
{
    std::vector<RECT> rects;
    auto* top = TopLevelOf(table, r);
    if (!top || !(r->style & WS_CLIPCHILDREN))
        return rects;
    const CRect topRect = top->rect;
    for (HWND child : r->children) {
        auto* c = table.Find(child);
        if (!c || !(c->style & WS_VISIBLE))
            continue;
        CRect rect = WindowRectOnScreen(table, c);
        rect.OffsetRect(-topRect.left, -topRect.top);
        if (!rect.IsRectEmpty())
            rects.push_back(rect);
    }
    return rects;
}

HDC MakeDc(HWND hwnd, DcKind kind, const RECT* paintArea)
{
    DcFactory factory;
    {
        std::lock_guard lock(s_hookLock);
        factory = s_dcFactory;
    }
    if (!factory)
        return nullptr;
    DcRequest request;
    request.hwnd = hwnd;
    request.kind = kind;
    if (hwnd) {
        WindowSurfaceGeometry g;
        {
            WindowTableLock table;
            auto* r = table.Find(hwnd);
            if (!r || !GeometryLocked(table, r, &g))
                return nullptr;
            request.excludeInTop = ClippedChildrenLocked(table, r);
        }
        request.topLevel = g.topLevel;
        CRect origin = kind == DcKind::Window ? CRect(g.windowInTop) : CRect(g.clientInTop);
        request.originInTop = origin.TopLeft();
        CRect clip = CRect(g.visibleInTop) & (kind == DcKind::Window ? CRect(g.windowInTop) : CRect(g.clientInTop));
        if (paintArea) {
            CRect area(paintArea);
            area.OffsetRect(origin.left, origin.top);
            clip &= area;
        }
        request.clipInTop = clip;
    }
    return factory(request);
}

} // namespace

// ---- hooks ------------------------------------------------------------------------------------------

namespace platform::msg {

HWND GetTopLevelWindow(HWND hwnd)
{
    WindowTableLock table;
    auto* top = TopLevelOf(table, table.Find(hwnd));
    return top ? top->hwnd : nullptr;
}

std::shared_ptr<void> GetSurfaceSlot(HWND hwnd)
{
    WindowTableLock table;
    auto* top = TopLevelOf(table, table.Find(hwnd));
    return top ? top->surface : nullptr;
}

bool SetSurfaceSlot(HWND hwnd, std::shared_ptr<void> surface)
{
    std::shared_ptr<void> old;
    {
        WindowTableLock table;
        auto* top = TopLevelOf(table, table.Find(hwnd));
        if (!top)
            return false;
        old = std::move(top->surface);
        top->surface = std::move(surface);
    }
    return true; // `old` is released here, outside the lock
}

bool GetWindowSurfaceGeometry(HWND hwnd, WindowSurfaceGeometry* out)
{
    if (!out)
        return false;
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    return r && GeometryLocked(table, r, out);
}

int AddTopLevelListener(TopLevelListener listener)
{
    std::lock_guard lock(s_hookLock);
    int cookie = s_nextListenerCookie++;
    s_topLevelListeners.emplace(cookie, std::move(listener));
    return cookie;
}

void RemoveTopLevelListener(int cookie)
{
    std::lock_guard lock(s_hookLock);
    s_topLevelListeners.erase(cookie);
}

void NotifyTopLevel(HWND topLevel, TopLevelEvent event)
{
    std::vector<TopLevelListener> listeners;
    {
        std::lock_guard lock(s_hookLock);
        for (auto& [cookie, l] : s_topLevelListeners)
            listeners.push_back(l);
    }
    for (auto& l : listeners)
        l(topLevel, event);
}

void SetDcFactory(DcFactory factory, DcReleaser releaser)
{
    std::lock_guard lock(s_hookLock);
    s_dcFactory = std::move(factory);
    s_dcReleaser = std::move(releaser);
}

void SetDcObjectLookup(DcObjectLookup lookup) { s_dcLookup.store(lookup); }

CDC* DcObjectFromHandle(HDC dc)
{
    auto lookup = s_dcLookup.load();
    return lookup && dc ? lookup(dc) : nullptr;
}

void SetDcHandleLookup(DcHandleLookup lookup) { s_dcHandleLookup.store(lookup); }

HDC DcHandleOfObject(CDC* dc)
{
    auto lookup = s_dcHandleLookup.load();
    return lookup && dc ? lookup(dc) : nullptr;
}

void SetBackgroundEraser(BackgroundEraser eraser)
{
    std::lock_guard lock(s_hookLock);
    s_eraser = std::move(eraser);
}

bool EraseWithClassBackground(HWND hwnd, HDC dc, HBRUSH background)
{
    BackgroundEraser eraser;
    {
        std::lock_guard lock(s_hookLock);
        eraser = s_eraser;
    }
    return eraser && dc ? eraser(hwnd, dc, background) : false;
}

// ---- paint bookkeeping for the queue --------------------------------------------------------------------

std::uint32_t PaintSerial(HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    return r ? r->paintSerial : 0;
}

void ValidateIfUnchanged(HWND hwnd, std::uint32_t serial)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (r && r->paintSerial == serial)
        ValidateLocked(table, r, nullptr, false);
}

bool NeedsPaint(HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r || (r->update.IsRectEmpty() && !r->internalPaint))
        return false;
    for (auto* a = r; a; a = a->parent ? table.Find(a->parent) : nullptr)
        if (!(a->style & WS_VISIBLE))
            return false;
    return true;
}

} // namespace platform::msg

// ---- the classic functions ------------------------------------------------------------------------------

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE);
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase)
{
    bool pending = false, needErase = false;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return FALSE;
        pending = !r->update.IsRectEmpty();
        needErase = r->erasePending;
        if (rect)
            *rect = r->update;
    }
    if (pending && erase && needErase) {
        // Erase now, as BeginPaint would; the area stays invalid for WM_PAINT.
        HDC dc = GetDC(hwnd);
        SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(hwnd, dc);
        WindowTableLock table;
        if (auto* r = table.Find(hwnd))
            r->erasePending = false;
    }
    return pending ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return FALSE;
    if (NeedsPaint(hwnd)) {
        auto serial = PaintSerial(hwnd);
        SendMessage(hwnd, WM_PAINT, 0, 0);
        ValidateIfUnchanged(hwnd, serial);
    }
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags)
{
    std::shared_ptr<MessageQueue> wake;
    std::vector<HWND> updateNow;
    {
        LockedWindow window(hwnd);
        if (!window)
            return FALSE;
        const bool allChildren = (flags & RDW_ALLCHILDREN) != 0;
        if (flags & RDW_INVALIDATE) {
            if (flags & RDW_NOCHILDREN) {
                DWORD saved = window->style;
                window->style |= WS_CLIPCHILDREN;
                wake = InvalidateLocked(window, window.Record(), rect, (flags & RDW_ERASE) != 0, false);
                window->style = saved;
            } else {
                wake = InvalidateLocked(window, window.Record(), rect, (flags & RDW_ERASE) != 0, allChildren);
            }
        }
        if (flags & RDW_INTERNALPAINT) {
            window->internalPaint = true;
            ++window->paintSerial;
            wake = window->queue;
        }
        if (flags & RDW_NOINTERNALPAINT)
            window->internalPaint = false;
        if (flags & RDW_VALIDATE)
            ValidateLocked(window, window.Record(), rect, allChildren);
        if (flags & RDW_NOERASE)
            window->erasePending = false;
        if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
            updateNow.push_back(hwnd);
            if (!(flags & RDW_NOCHILDREN)) {
                // Children in z-order after their parent.
                for (std::size_t i = 0; i < updateNow.size(); ++i)
                    if (auto* w = window.Find(updateNow[i]))
                        for (HWND c : w->children)
                            updateNow.push_back(c);
            }
        }
    }
    if (wake)
        wake->Wake();
    for (HWND h : updateNow)
        UpdateWindow(h);
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    if (!paint)
        return nullptr;
    *paint = PAINTSTRUCT {};
    bool erase = false;
    {
        LockedWindow window(hwnd);
        if (!window)
            return nullptr;
        paint->rcPaint = window->update;
        erase = window->erasePending;
        // Painting takes the update area: what is invalidated from now on is painted next time.
        window->update.SetRectEmpty();
        window->erasePending = false;
        window->internalPaint = false;
    }
    // The frame's window scroll bars are painted with the client area (the update area is one
    // rectangle of the client; the bars are cheap to draw).
    if (GetWindowLongPtr(hwnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL))
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
    HDC dc = MakeDc(hwnd, DcKind::Paint, &paint->rcPaint);
    paint->hdc = dc;
    paint->fErase = FALSE;
    if (erase)
        paint->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint)
{
    if (paint && paint->hdc)
        ReleaseDC(hwnd, paint->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd)
{
    if (hwnd && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return MakeDc(hwnd, DcKind::Client, nullptr);
}

HDC GetWindowDC(HWND hwnd)
{
    if (hwnd && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return MakeDc(hwnd, DcKind::Window, nullptr);
}

int ReleaseDC(HWND hwnd, HDC dc)
{
    if (!dc)
        return 0;
    DcReleaser releaser;
    {
        std::lock_guard lock(s_hookLock);
        releaser = s_dcReleaser;
    }
    if (releaser)
        releaser(hwnd, dc);
    return 1;
}
