// Shared between the files of the gtk host; not for use outside platform/host/gtk. Holds no GTK
// header itself (the GTK types are only declared), so it stays light.
//
// Threads: every function here except RunOnHostThread runs on the host thread, the main thread
// that started GTK; GTK is never touched from any other thread.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/msg/WindowSurfaceHooks.h"

#include <functional>
#include <memory>

typedef struct _GtkWidget GtkWidget;

namespace platform::msg {
class WaitBackend;
}

namespace platform::host::gtk {

// ---- the host thread -----------------------------------------------------------------------
bool IsHostThread();
// Runs `work` on the host thread: at once when called there, otherwise when the host thread
// next runs the GLib main loop.
void RunOnHostThread(std::function<void()> work);

// ---- waiting (GtkWaitBackend.cpp) ----------------------------------------------------------
// The user-interface thread's wait folded into the GLib main loop.
std::unique_ptr<msg::WaitBackend> MakeGlibWaitBackend();

// ---- input (GtkInput.cpp) ------------------------------------------------------------------
// GTK's signal handlers only collect input; it is handed to the window layer after the GLib
// iteration that produced it, outside any GTK signal emission, so a window procedure may
// destroy or change the GTK window that the event came from. It is handed over only when the
// host thread waits for work (its queue has nothing to retrieve), so it comes in order behind
// what the thread already has. `text` marks committed characters, which the layer gets as posted
// WM_CHAR messages: they wait for a later hand-over when key input went before them, as
// posted messages would otherwise overtake that key input.
void QueueInput(std::function<void()> input, bool text = false);
// Hands over the collected input; true when there was some.
bool DeliverQueuedInput();
// Connects the input signals of a top-level's GTK window and its drawing area.
void ConnectInput(GtkWidget* window, GtkWidget* area, HWND hwnd);
// Called before a GTK window is destroyed: the input method lets go of it.
void DisconnectInput(GtkWidget* window);

// ---- top-level windows (GtkTopLevel.cpp) ---------------------------------------------------
void OnTopLevelEvent(HWND topLevel, msg::TopLevelEvent event);
// Shows what changed: dirty areas, moves and titles of visible top-levels.
void PresentChanges();
// Where the shown part of the top-level's surface (its content) starts on the screen.
POINT ContentOriginOnScreen(HWND topLevel);
// A window manager moved or resized the GTK window: the window layer follows.
void FollowNativeGeometry(HWND topLevel, POINT contentOrigin, SIZE contentSize);
bool IsTopLevelOnDisplay(HWND topLevel);
// Shows the cursor over every top-level window: a standard shape by its name, any other
// cursor as the default arrow.
void ShowCursor(HCURSOR cursor);
const char* ShownCursorName();
// The GTK window of a top-level window (of `hwnd`'s top-level), null when it has none.
GtkWidget* NativeWindowOf(HWND hwnd);
// The shown top-level that a window owned by `owner` is transient for: the owner's top-level,
// or the nearest managed window up its chain of owners when that is a caption-less pop-up.
HWND TransientOwnerOf(HWND owner);

// ---- common dialogs (GtkCommonDialogs.cpp) -------------------------------------------------
void InstallCommonDialogs();

// ---- clipboard (GtkClipboard.cpp) ----------------------------------------------------------
void InstallClipboard();

// ---- the desktop's theme (GtkVisualStyle.cpp) ------------------------------------------------
void InstallVisualStyle();

} // namespace platform::host::gtk
