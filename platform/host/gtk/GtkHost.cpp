// The gtk host's start-up: the choice of host, GTK's initialisation on the main thread, the
// screen size, the folded wait of the user-interface thread and the frame tick that presents
// what was drawn.
#include "platform/host/gtk/GtkHost.h"

#include "platform/gdi/SysColors.h"
#include "platform/host/gtk/GtkHostInternal.h"
#include "platform/msg/FdWatch.h"
#include "platform/msg/Input.h"
#include "platform/msg/MessageQueue.h"
#include "platform/ui/dialogs/MessageBoxDialog.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <poll.h>
#include <unistd.h>

namespace platform::host {

namespace {

// A frame: how long a drawn area may wait before it is shown.
constexpr guint kFrameMs = 16;

enum class Choice { Undecided, Null, Gtk };
std::mutex s_choiceLock; // guards the choice; taken before anything of GTK
Choice s_choice { Choice::Undecided };
std::atomic<bool> s_running { false };

bool IsMainThread() { return ::getpid() == ::gettid(); }

bool DisplayAvailable()
{
    const char* host = std::getenv("PLATFORM_HOST");
    if (host && std::strcmp(host, "null") == 0)
        return false;
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

void SetScreenFromMonitor()
{
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (!monitor)
        return;
    GdkRectangle area;
    gdk_monitor_get_geometry(monitor, &area);
    msg::SetScreenSize(SIZE { area.width, area.height });
    platform::SetScreenMetrics(area.width, area.height);
}

gboolean OnFrame(gpointer)
{
    gtk::PresentChanges();
    return G_SOURCE_CONTINUE;
}

void OnMonitorsChanged(GdkDisplay*, GdkMonitor*, gpointer) { SetScreenFromMonitor(); }

void StartOnThisThread()
{
    SetScreenFromMonitor();
    g_signal_connect(gdk_display_get_default(), "monitor-added", G_CALLBACK(OnMonitorsChanged), nullptr);
    g_signal_connect(gdk_display_get_default(), "monitor-removed", G_CALLBACK(OnMonitorsChanged), nullptr);
    auto queue = msg::MessageQueue::Current();
    queue->SetWaitBackend(gtk::MakeGlibWaitBackend());
    // Watching the display connection makes every look into the queue (PeekMessage too) also
    // run GTK's main loop, so a thread that is busy with messages still sees its windows' events.
    if (GDK_IS_X11_DISPLAY(gdk_display_get_default())) {
        int fd = ConnectionNumber(gdk_x11_display_get_xdisplay(gdk_display_get_default()));
        msg::WatchFd(fd, POLLIN, [](int, short) {});
    }
    g_timeout_add(kFrameMs, OnFrame, nullptr);
    gtk::InstallClipboard();
    gtk::InstallCommonDialogs();
    gtk::InstallVisualStyle();
    msg::SetCursorListener([](HCURSOR cursor) { gtk::RunOnHostThread([cursor] { gtk::ShowCursor(cursor); }); });
    s_running = true;
}

// The first top-level window of the main thread decides the host; after that the host follows
// every top-level window's life.
const int s_listener = msg::AddTopLevelListener([](HWND topLevel, msg::TopLevelEvent event) {
    if (!s_running) {
        if (event != msg::TopLevelEvent::Created || !GtkHost::Start())
            return;
    }
    gtk::RunOnHostThread([topLevel, event] { gtk::OnTopLevelEvent(topLevel, event); });
});

} // namespace

bool GtkHost::Start()
{
    std::lock_guard lock(s_choiceLock);
    if (s_choice != Choice::Undecided)
        return s_choice == Choice::Gtk;
    // Only the main thread may run GTK; another thread's window leaves the choice open.
    if (!IsMainThread())
        return false;
    s_choice = Choice::Null;
    if (!DisplayAvailable())
        return false;
    gdk_set_allowed_backends("x11,*");
    // Every window shows a surface drawn on the processor: GDK need not load the GL libraries
    // to rank the display's visuals for GL (their locks, taken and given back across libraries
    // and in their destructors at exit, also confuse ThreadSanitizer). A GDK_GL of the
    // environment wins.
    g_setenv("GDK_GL", "disable", FALSE);
    if (!gtk_init_check(nullptr, nullptr))
        return false;
    s_choice = Choice::Gtk;
    StartOnThisThread();
    // On a display a message box is a real window drawn with the standard controls; without one
    // the window layer's service answers (and tests script it).
    platform::ui::InstallDrawnMessageBoxes();
    return true;
}

bool GtkHost::IsRunning() { return s_running; }

const char* GtkHost::ShownCursorName() { return gtk::ShownCursorName(); }

const char* CurrentHostName() { return GtkHost::IsRunning() ? "gtk" : "null"; }

void GtkHost::PresentNow()
{
    if (!s_running || !gtk::IsHostThread())
        return;
    gtk::PresentChanges();
    while (g_main_context_pending(nullptr))
        g_main_context_iteration(nullptr, FALSE);
    gdk_display_flush(gdk_display_get_default());
}

bool GtkHost::IsOnDisplay(HWND topLevel) { return s_running && gtk::IsHostThread() && gtk::IsTopLevelOnDisplay(topLevel); }

} // namespace platform::host

namespace platform::host::gtk {

bool IsHostThread() { return s_running && ::getpid() == ::gettid(); }

namespace {

// Work that other threads handed to the host thread, in the order they handed it. A lock of our
// own guards it: GLib's locks are invisible to ThreadSanitizer, so a hand-over through them
// alone would look like a race to it.
std::mutex s_workLock;
std::deque<std::function<void()>> s_work;

gboolean RunHandedWork(gpointer)
{
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(s_workLock);
            if (s_work.empty())
                return G_SOURCE_REMOVE;
            work = std::move(s_work.front());
            s_work.pop_front();
        }
        work();
    }
}

} // namespace

void RunOnHostThread(std::function<void()> work)
{
    if (IsHostThread()) {
        work();
        return;
    }
    {
        std::lock_guard lock(s_workLock);
        s_work.push_back(std::move(work));
    }
    // An idle source of the default context: only the host thread runs that context. (Not
    // g_main_context_invoke: from another thread it runs the work right there whenever the host
    // thread is not inside the main loop at that moment.)
    g_idle_add_full(G_PRIORITY_DEFAULT, RunHandedWork, nullptr, nullptr);
}

} // namespace platform::host::gtk
