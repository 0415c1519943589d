// Top-level windows of the window layer as GTK windows.
//
// Each visible top-level gets a GTK window holding one drawing area that shows the top-level's
// backing surface. A window with a caption is decorated by the window manager and shows its
// client area (the manager draws the frame, so the layer's own non-client area is not shown);
// a caption-less window shows its whole surface. Owned caption-less pop-ups (drop-down lists,
// tooltips, palettes) are override-redirect windows that the manager leaves alone.
//
// The window layer is the master of geometry: its window rectangles are screen coordinates on
// the display, and the GTK window follows them. Only when the window manager moves or resizes
// a window by itself (the user dragged its frame) does the layer follow the GTK window.
#include "platform/gdi/Cursor.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/host/gtk/GtkHostInternal.h"
#include "platform/msg/Input.h"
#include "platform/msg/WindowApi.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace platform::host::gtk {

namespace {

struct HostWindow
{
    HWND hwnd { nullptr };
    GtkWidget* window { nullptr };
    GtkWidget* area { nullptr };
    bool decorated { false };
    bool resizable { false };
    CRect windowRect;        // the layer's window rectangle (screen) last applied
    CRect content;           // the shown part of the surface, in surface coordinates
    CRect requested;         // the content rectangle (screen) last asked of GTK
    bool requestPending { false }; // until GTK reports the requested geometry
    bool iconic { false };
    bool fullScreen { false };
    bool modal { false };    // the window-manager hint shown: modal to the window it is transient for
    std::string title;
};

// Host thread only.
std::map<HWND, std::unique_ptr<HostWindow>> s_windows;
// The pop-up the pointer is grabbed for (see FollowCapture).
HWND s_grabbed { nullptr };

HostWindow* Find(HWND hwnd)
{
    auto it = s_windows.find(hwnd);
    return it == s_windows.end() ? nullptr : it->second.get();
}

// The shown top-level GTK window that a window owned by `owner` belongs above: the owner's
// top-level, or when that is a caption-less pop-up (a palette, a list) the nearest window up its
// chain of owners that the window manager manages. Null when there is none.
HostWindow* ManagedOwner(HWND owner)
{
    constexpr int kMaxOwnerChain = 64; // a chain of owners made into a loop ends here
    for (int step = 0; owner && step < kMaxOwnerChain; ++step) {
        HWND root = GetAncestor(owner, GA_ROOT);
        HostWindow* w = Find(root);
        if (w && gtk_window_get_window_type(GTK_WINDOW(w->window)) == GTK_WINDOW_TOPLEVEL &&
            gtk_widget_get_visible(w->window))
            return w;
        owner = GetWindow(root, GW_OWNER);
    }
    return nullptr;
}

// What a decorated window shows: its client area with the scroll bars and the client edge that
// the layer paints around it; the frame and caption are the window manager's.
CRect DecoratedContent(HWND hwnd, CRect client)
{
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
    if (style & WS_VSCROLL)
        client.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        client.bottom += GetSystemMetrics(SM_CYHSCROLL);
    if (exStyle & WS_EX_CLIENTEDGE)
        client.InflateRect(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    return client;
}

// The layer's geometry of the top-level: its window rectangle and the part of the surface shown.
bool ReadLayout(const HostWindow& w, CRect& windowRect, CRect& content)
{
    msg::WindowSurfaceGeometry g;
    RECT r;
    if (!msg::GetWindowSurfaceGeometry(w.hwnd, &g) || !GetWindowRect(w.hwnd, &r))
        return false;
    windowRect = r;
    content = w.decorated ? DecoratedContent(w.hwnd, g.clientInTop) : CRect(0, 0, g.topLevelSize.cx, g.topLevelSize.cy);
    if (content.Width() < 1)
        content.right = content.left + 1;
    if (content.Height() < 1)
        content.bottom = content.top + 1;
    return true;
}

std::string WindowTitle(HWND hwnd)
{
    int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    GetWindowText(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

void ApplyTitle(HostWindow& w)
{
    // The text is asked of the window by WM_GETTEXT: only of the host thread's own windows, so
    // the host never waits for another thread.
    if (GetWindowThreadProcessId(w.hwnd, nullptr) != GetCurrentThreadMessageId())
        return;
    std::string title = WindowTitle(w.hwnd);
    if (title == w.title)
        return;
    w.title = title;
    // GTK wants valid UTF-8; a broken title shows as nothing rather than failing.
    gtk_window_set_title(GTK_WINDOW(w.window), g_utf8_validate(title.c_str(), -1, nullptr) ? title.c_str() : "");
}

// Moves and sizes the GTK window to the layer's geometry.
void ApplyGeometry(HostWindow& w)
{
    CRect windowRect, content;
    if (!ReadLayout(w, windowRect, content))
        return;
    bool resized = content.Size() != w.content.Size();
    w.windowRect = windowRect;
    w.content = content;
    CRect onScreen(windowRect.TopLeft() + content.TopLeft(), content.Size());
    if (onScreen == w.requested)
        return;
    w.requested = onScreen;
    w.requestPending = true;
    if (!w.resizable)
        gtk_widget_set_size_request(w.area, content.Width(), content.Height());
    gtk_window_resize(GTK_WINDOW(w.window), content.Width(), content.Height());
    gtk_window_move(GTK_WINDOW(w.window), onScreen.left, onScreen.top);
    if (resized)
        gtk_widget_queue_draw(w.area);
}

// The monitor's rectangle when `rect` covers one monitor exactly.
bool CoversMonitor(const CRect& rect)
{
    GdkDisplay* display = gdk_display_get_default();
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i) {
        GdkRectangle area;
        gdk_monitor_get_geometry(gdk_display_get_monitor(display, i), &area);
        if (rect == CRect(area.x, area.y, area.x + area.width, area.y + area.height))
            return true;
    }
    return false;
}

// Minimised and full-screen states: a minimised window is iconified; a caption-less main window
// that covers a monitor (the central station's layout) is full screen there, above any panels.
void ApplyState(HostWindow& w)
{
    if (gtk_window_get_window_type(GTK_WINDOW(w.window)) != GTK_WINDOW_TOPLEVEL)
        return;
    bool iconic = IsIconic(w.hwnd) != FALSE;
    if (iconic != w.iconic) {
        w.iconic = iconic;
        if (iconic)
            gtk_window_iconify(GTK_WINDOW(w.window));
        else
            gtk_window_deiconify(GTK_WINDOW(w.window));
    }
    bool fullScreen = !w.decorated && !iconic && CoversMonitor(w.windowRect);
    if (fullScreen != w.fullScreen) {
        w.fullScreen = fullScreen;
        if (fullScreen)
            gtk_window_fullscreen(GTK_WINDOW(w.window));
        else
            gtk_window_unfullscreen(GTK_WINDOW(w.window));
    }
}

// The smallest and largest size a user may drag a resizable window to, from WM_GETMINMAXINFO
// (asked only of the host thread's own windows, so the host never waits for another thread).
void ApplySizeLimits(HostWindow& w)
{
    if (!w.resizable || GetWindowThreadProcessId(w.hwnd, nullptr) != GetCurrentThreadMessageId())
        return;
    MINMAXINFO info {};
    info.ptMinTrackSize = POINT { 1, 1 };
    SIZE screen = msg::ScreenSize();
    info.ptMaxTrackSize = POINT { screen.cx, screen.cy };
    SendMessage(w.hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    int frameWidth = w.windowRect.Width() - w.content.Width();
    int frameHeight = w.windowRect.Height() - w.content.Height();
    GdkGeometry hints {};
    hints.min_width = std::max(1, static_cast<int>(info.ptMinTrackSize.x) - frameWidth);
    hints.min_height = std::max(1, static_cast<int>(info.ptMinTrackSize.y) - frameHeight);
    hints.max_width = std::max(hints.min_width, static_cast<int>(info.ptMaxTrackSize.x) - frameWidth);
    hints.max_height = std::max(hints.min_height, static_cast<int>(info.ptMaxTrackSize.y) - frameHeight);
    gtk_window_set_geometry_hints(GTK_WINDOW(w.window), nullptr, &hints,
                                  static_cast<GdkWindowHints>(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE));
}

// An owned window (a dialog, a message box) is transient for its owner's window, so the window
// manager keeps it above it (also above a full-screen owner); while it runs modally (its owner is
// disabled under it) it is marked modal, so the manager hands it the focus and the raising that
// the owner is asked for. The layer keeps the owner from input itself: GTK's own modal grab is not
// used, as it would also keep input from the dialog's drop-down lists and palettes.
void ApplyOwnership(HostWindow& w, bool anew = false)
{
    GtkWindow* window = GTK_WINDOW(w.window);
    if (gtk_window_get_window_type(window) != GTK_WINDOW_TOPLEVEL)
        return;
    HWND owner = GetWindow(w.hwnd, GW_OWNER);
    HostWindow* parent = ManagedOwner(owner);
    GtkWindow* transientFor = parent && parent != &w ? GTK_WINDOW(parent->window) : nullptr;
    if (gtk_window_get_transient_for(window) != transientFor)
        gtk_window_set_transient_for(window, transientFor);
    HWND ownerRoot = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    bool modal = transientFor && ownerRoot && !IsWindowEnabled(ownerRoot);
    GdkWindow* gdkWindow = gtk_widget_get_window(w.window);
    if (!gdkWindow || (modal == w.modal && !anew))
        return;
    w.modal = modal;
    gdk_window_set_modal_hint(gdkWindow, modal);
}

// ---- GTK signals ---------------------------------------------------------------------------------

// Expose: straight from the surface, never a repaint of the system's windows.
gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data)
{
    auto* w = static_cast<HostWindow*>(data);
    SurfacePtr surface = platform::WindowSurface(w->hwnd);
    if (!surface) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        return TRUE;
    }
    std::lock_guard lock(surface->Mutex());
    // A fresh image surface over the pixels each time, so no cached copy of older pixels is
    // ever shown.
    cairo_surface_t* pixels = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(surface->Row(0)),
                                                                  CAIRO_FORMAT_RGB24, surface->Width(),
                                                                  surface->Height(), surface->StrideBytes());
    cairo_set_source_surface(cr, pixels, -w->content.left, -w->content.top);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0); // drops the reference to the pixels before the lock goes
    cairo_surface_destroy(pixels);
    return TRUE;
}

// The window manager placed or sized the window: follow it unless it is still answering our
// own request.
gboolean OnConfigure(GtkWidget*, GdkEventConfigure*, gpointer data)
{
    auto* w = static_cast<HostWindow*>(data);
    GdkWindow* gdkWindow = gtk_widget_get_window(w->area);
    if (!gdkWindow)
        return FALSE;
    int x = 0, y = 0;
    gdk_window_get_origin(gdkWindow, &x, &y);
    CRect reported(CPoint(x, y), CSize(gdk_window_get_width(gdkWindow), gdk_window_get_height(gdkWindow)));
    if (w->requestPending) {
        if (reported == w->requested)
            w->requestPending = false;
        return FALSE;
    }
    if (reported == w->requested)
        return FALSE;
    if (!w->resizable)
        reported = CRect(reported.TopLeft(), w->requested.Size());
    w->requested = reported;
    FollowNativeGeometry(w->hwnd, reported.TopLeft(), reported.Size());
    return FALSE;
}

HostWindow* Ensure(HWND hwnd)
{
    if (auto* existing = Find(hwnd))
        return existing;
    if (!IsWindow(hwnd))
        return nullptr;
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
    HWND owner = GetWindow(hwnd, GW_OWNER);

    auto w = std::make_unique<HostWindow>();
    w->hwnd = hwnd;
    w->decorated = (style & WS_CAPTION) == WS_CAPTION;
    w->resizable = w->decorated && (style & WS_THICKFRAME);
    bool popup = !w->decorated && (owner || (exStyle & WS_EX_TOOLWINDOW));

    w->window = gtk_window_new(popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(w->window);
    gtk_window_set_decorated(window, w->decorated);
    gtk_window_set_resizable(window, w->resizable);
    // The position names the content's corner, wherever the manager puts its frame.
    gtk_window_set_gravity(window, GDK_GRAVITY_STATIC);
    if (exStyle & WS_EX_TOOLWINDOW)
        gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_UTILITY);
    if (exStyle & WS_EX_TOPMOST)
        gtk_window_set_keep_above(window, TRUE);
    if (exStyle & WS_EX_NOACTIVATE)
        gtk_window_set_accept_focus(window, FALSE);
    if (popup) {
        if (auto* ownerWindow = Find(GetAncestor(owner, GA_ROOT)))
            gtk_window_set_transient_for(window, GTK_WINDOW(ownerWindow->window));
    } else if (owner && w->decorated) {
        // A dialog or message box: the manager keeps it above its owner and gives it no
        // minimise box of its own.
        gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
    }

    w->area = gtk_drawing_area_new();
    gtk_container_add(GTK_CONTAINER(w->window), w->area);
    g_signal_connect(w->area, "draw", G_CALLBACK(OnDraw), w.get());
    g_signal_connect(w->window, "configure-event", G_CALLBACK(OnConfigure), w.get());
    ConnectInput(w->window, w->area, hwnd);
    ApplyTitle(*w);
    ApplyGeometry(*w);
    ApplySizeLimits(*w);
    return s_windows.emplace(hwnd, std::move(w)).first->second.get();
}

// ---- the pointer grab of a pop-up ----------------------------------------------------------------
//
// A pop-up that holds the layer's mouse capture (a colour palette, a drop-down list) closes on
// a click outside it. The layer routes every click on the program's own windows to the capture,
// but the display sends a click on the desktop or on another program's window elsewhere; so
// while a pop-up holds the capture the pointer is grabbed for it. Events over the program's own
// windows still go to them (and from there to the capture); events anywhere else reach the
// pop-up's drawing area at their place on the screen.

void ReleaseGrab()
{
    if (!s_grabbed)
        return;
    s_grabbed = nullptr;
    gdk_seat_ungrab(gdk_display_get_default_seat(gdk_display_get_default()));
}

// Follows the layer's capture; a grab that the display refuses (the window is not viewable yet)
// is asked again on the next frame.
void FollowCapture()
{
    HWND capture = GetCapture();
    HostWindow* w = capture ? Find(GetAncestor(capture, GA_ROOT)) : nullptr;
    bool wanted = w && gtk_window_get_window_type(GTK_WINDOW(w->window)) == GTK_WINDOW_POPUP &&
                  gtk_widget_get_mapped(w->area);
    if (!wanted) {
        ReleaseGrab();
        return;
    }
    if (s_grabbed == w->hwnd)
        return;
    ReleaseGrab();
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    if (gdk_seat_grab(seat, gtk_widget_get_window(w->area), GDK_SEAT_CAPABILITY_ALL_POINTING, TRUE, nullptr, nullptr,
                      nullptr, nullptr) == GDK_GRAB_SUCCESS)
        s_grabbed = w->hwnd;
}

void Drop(HWND hwnd)
{
    auto it = s_windows.find(hwnd);
    if (it == s_windows.end())
        return;
    if (s_grabbed == hwnd)
        ReleaseGrab();
    DisconnectInput(it->second->window);
    gtk_widget_destroy(it->second->window);
    s_windows.erase(it);
}

} // namespace

void OnTopLevelEvent(HWND hwnd, msg::TopLevelEvent event)
{
    switch (event) {
    case msg::TopLevelEvent::Created: break;
    case msg::TopLevelEvent::Shown:
        if (!IsWindowVisible(hwnd))
            break; // hidden again before this reached the host thread
        if (auto* w = Ensure(hwnd)) {
            ApplyGeometry(*w);
            // Realized first, so the hints are on the window when the manager first sees it.
            gtk_widget_realize(w->window);
            ApplyOwnership(*w, true);
            gtk_widget_show_all(w->window);
            ApplyState(*w);
            if (GetActiveWindow() == hwnd && gtk_window_get_window_type(GTK_WINDOW(w->window)) == GTK_WINDOW_TOPLEVEL)
                gtk_window_present(GTK_WINDOW(w->window));
        }
        break;
    case msg::TopLevelEvent::Hidden:
        if (auto* w = Find(hwnd))
            gtk_widget_hide(w->window);
        break;
    case msg::TopLevelEvent::Resized:
        if (auto* w = Find(hwnd)) {
            ApplyGeometry(*w);
            ApplyState(*w);
        }
        break;
    case msg::TopLevelEvent::Destroyed: Drop(hwnd); break;
    }
}

void PresentChanges()
{
    // The layer tells nothing when a title changes: titles are compared about twice a second.
    static unsigned frame = 0;
    bool lookAtTitles = ++frame % 30 == 0;
    // Nor when it activates a window (a click, SetForegroundWindow, a second start asking the
    // first to show itself): the newly active window is raised and given the keyboard.
    // A window that has become disabled meanwhile (a native dialog opened over it) is not
    // raised: without a window manager that would cover the dialog.
    static HWND lastActive = nullptr;
    if (HWND active = GetActiveWindow(); active != lastActive) {
        lastActive = active;
        if (auto* w = Find(active))
            if (gtk_widget_get_visible(w->window) && gtk_window_get_window_type(GTK_WINDOW(w->window)) == GTK_WINDOW_TOPLEVEL &&
                IsWindowEnabled(active))
                gtk_window_present(GTK_WINDOW(w->window));
    }
    FollowCapture();
    for (auto it = s_windows.begin(); it != s_windows.end();) {
        HostWindow& w = *it->second;
        ++it;
        if (!IsWindow(w.hwnd)) {
            Drop(w.hwnd);
            continue;
        }
        if (!gtk_widget_get_visible(w.window))
            continue;
        // The layer has no event for a move alone; a changed rectangle is found here.
        RECT r;
        if (GetWindowRect(w.hwnd, &r) && CRect(r) != w.windowRect)
            ApplyGeometry(w);
        ApplyState(w);
        ApplyOwnership(w);
        if (lookAtTitles)
            ApplyTitle(w);
        SurfacePtr surface = platform::WindowSurface(w.hwnd);
        if (!surface)
            continue;
        CRect dirty = CRect(surface->TakeDirty()) & w.content;
        if (dirty.IsRectEmpty())
            continue;
        dirty.OffsetRect(-w.content.left, -w.content.top);
        gtk_widget_queue_draw_area(w.area, dirty.left, dirty.top, dirty.Width(), dirty.Height());
    }
}

POINT ContentOriginOnScreen(HWND hwnd)
{
    RECT r {};
    GetWindowRect(hwnd, &r);
    POINT origin { r.left, r.top };
    if (auto* w = Find(hwnd)) {
        origin.x += w->content.left;
        origin.y += w->content.top;
    }
    return origin;
}

void FollowNativeGeometry(HWND hwnd, POINT contentOrigin, SIZE contentSize)
{
    auto* w = Find(hwnd);
    if (!w)
        return;
    CRect windowRect(CPoint(contentOrigin.x - w->content.left, contentOrigin.y - w->content.top),
                     CSize(w->windowRect.Width() + contentSize.cx - w->content.Width(),
                           w->windowRect.Height() + contentSize.cy - w->content.Height()));
    if (windowRect == w->windowRect)
        return;
    QueueInput([hwnd, windowRect] {
        SetWindowPos(hwnd, nullptr, windowRect.left, windowRect.top, windowRect.Width(), windowRect.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

GtkWidget* NativeWindowOf(HWND hwnd)
{
    auto* w = Find(GetAncestor(hwnd, GA_ROOT));
    return w ? w->window : nullptr;
}

HWND TransientOwnerOf(HWND owner)
{
    HostWindow* w = ManagedOwner(owner);
    return w ? w->hwnd : nullptr;
}

bool IsTopLevelOnDisplay(HWND hwnd)
{
    auto* w = Find(hwnd);
    if (!w || !gtk_widget_get_mapped(w->window) || !gtk_widget_get_mapped(w->area))
        return false;
    GdkWindow* gdkWindow = gtk_widget_get_window(w->area);
    return gdkWindow && gdk_window_is_viewable(gdkWindow) && gdk_window_get_width(gdkWindow) == w->content.Width() &&
           gdk_window_get_height(gdkWindow) == w->content.Height();
}

// ---- cursor ------------------------------------------------------------------------------------

namespace {
std::string s_cursorName { "default" };
}

void ShowCursor(HCURSOR cursor)
{
    const char* name = platform::StandardCursorName(cursor);
    s_cursorName = name ? name : "default";
    GdkDisplay* display = gdk_display_get_default();
    GdkCursor* shape = gdk_cursor_new_from_name(display, s_cursorName.c_str());
    for (auto& [hwnd, w] : s_windows)
        if (GdkWindow* gdkWindow = w->area ? gtk_widget_get_window(w->area) : nullptr)
            gdk_window_set_cursor(gdkWindow, shape);
    if (shape)
        g_object_unref(shape);
}

const char* ShownCursorName()
{
    return s_cursorName.c_str();
}

} // namespace platform::host::gtk
