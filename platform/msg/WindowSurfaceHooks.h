// The seam between the window layer and the drawing module.
//
// Every top-level window owns one backing surface; the window layer does not know what a
// surface is, it only keeps an opaque slot for it per top-level window and tells the drawing
// module where each window lies inside its top-level. The drawing module registers a factory
// that BeginPaint, GetDC and GetWindowDC call to make device contexts. Until it does, those
// calls return a null HDC and the paint cycle still runs (invalidation, WM_ERASEBKGND,
// WM_PAINT, validation by EndPaint).
//
// Coordinates "in top" are relative to the top-left corner of the top-level window's window
// rectangle, which is also the origin of its backing surface. Every function here may be
// called from any thread.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"

#include <functional>
#include <memory>
#include <vector>

class CDC;

namespace platform::msg {

// ---- surfaces ------------------------------------------------------------------------------

// The top-level window that `hwnd` belongs to (itself when it has no parent); null when the
// handle is not a window.
HWND GetTopLevelWindow(HWND hwnd);

// The opaque surface slot of a top-level window. Setting it on a child window sets it on the
// child's top-level. Cleared (the shared_ptr released) when the top-level is destroyed.
std::shared_ptr<void> GetSurfaceSlot(HWND hwnd);
bool SetSurfaceSlot(HWND hwnd, std::shared_ptr<void> surface);

// Where a window lies inside its top-level.
struct WindowSurfaceGeometry
{
    HWND topLevel { nullptr };
    RECT windowInTop {};   // the window rectangle
    RECT clientInTop {};   // the client rectangle
    RECT visibleInTop {};  // the window rectangle clipped by every ancestor's client area
                           // (siblings above it are not subtracted); empty when hidden
    SIZE topLevelSize {};  // size of the top-level window rectangle = size of its surface
    bool visible { false }; // the window and all its ancestors are visible
};
bool GetWindowSurfaceGeometry(HWND hwnd, WindowSurfaceGeometry* out);

// Top-level life events, so that the drawing module can make, resize and drop surfaces and a
// host can present them. Listeners run on the thread that caused the event, with no lock of
// the window layer held.
enum class TopLevelEvent { Created, Resized, Shown, Hidden, Destroyed };
using TopLevelListener = std::function<void(HWND topLevel, TopLevelEvent event)>;
int AddTopLevelListener(TopLevelListener listener);
void RemoveTopLevelListener(int cookie);

// ---- device contexts -----------------------------------------------------------------------

enum class DcKind { Paint, Client, Window };

// What a device context is asked for.
struct DcRequest
{
    HWND hwnd { nullptr };
    DcKind kind { DcKind::Client };
    HWND topLevel { nullptr };
    POINT originInTop {}; // device origin: the client (Paint, Client) or window (Window) corner
    RECT clipInTop {};    // visible area; for Paint also limited to the update rectangle
    // Taken out of the visible area: the visible children of a WS_CLIPCHILDREN window, so
    // that what the parent paints never covers them.
    std::vector<RECT> excludeInTop;
};

// The factory makes a DC for the request; the releaser ends it (EndPaint, ReleaseDC).
using DcFactory = std::function<HDC(const DcRequest& request)>;
using DcReleaser = std::function<void(HWND hwnd, HDC dc)>;
void SetDcFactory(DcFactory factory, DcReleaser releaser);

// The CDC object for an HDC, used by the typed message handlers (OnEraseBkgnd(CDC*),
// OnCtlColor(CDC*, ...)). Null until the drawing module registers its lookup.
using DcObjectLookup = CDC* (*)(HDC dc);
void SetDcObjectLookup(DcObjectLookup lookup);
CDC* DcObjectFromHandle(HDC dc);
// The reverse, for CWnd::ReleaseDC(CDC*).
using DcHandleLookup = HDC (*)(CDC* dc);
void SetDcHandleLookup(DcHandleLookup lookup);
HDC DcHandleOfObject(CDC* dc);

// Default WM_ERASEBKGND: fills the client area of `hwnd` on `dc` with the window class's
// background brush (a real brush handle or a system colour index + 1). Returns whether it
// erased. Without a registered eraser DefWindowProc reports "not erased".
using BackgroundEraser = std::function<bool(HWND hwnd, HDC dc, HBRUSH classBackground)>;
void SetBackgroundEraser(BackgroundEraser eraser);

// ---- window shapes --------------------------------------------------------------------------

// A window with a region (SetWindowRgn, drawing module) is hit only inside it. The drawing
// module registers the test; `windowPoint` is relative to the window rectangle's top-left.
// Called with the window table locked: the test must not call window functions.
using WindowShapeTest = bool (*)(HWND hwnd, POINT windowPoint);
void SetWindowShapeTest(WindowShapeTest test);
WindowShapeTest GetWindowShapeTest();

} // namespace platform::msg
