// The gtk host: the window layer's top-level windows as real windows on a display.
//
// Chosen once per process, on the user-interface (main) thread, when its first top-level window
// is created: it starts when a display is available and PLATFORM_HOST is not "null"; otherwise
// the null host stays and nothing here runs. The system's code never calls this: the window
// layer's events and the drawing module's surfaces are all the host needs.
//
// What it does once running:
// - each visible top-level window is a GTK window showing its backing surface (decorated windows
//   show the client area, the window manager draws the frame; caption-less windows show all of
//   it); dirty areas are presented a frame later, whichever thread drew them, and expose events
//   are answered from the surface without a repaint of the system's windows; the window the
//   layer activates is raised;
// - mouse, wheel, keys and input-method text become the window layer's injected input, so they
//   are routed exactly as under the null host; close requests arrive as WM_CLOSE;
// - while a caption-less pop-up holds the layer's mouse capture the pointer is grabbed for it, so
//   that a click on the desktop reaches it too; the desktop's focus leaving all of the program's
//   windows (GTK's own dialogs count) and coming back is the program's activation;
// - the user-interface thread's waits run inside the GLib main loop, so GTK events, the
//   queue's messages, timers and watched sockets keep flowing, also in nested loops;
// - the clipboard text is the desktop's, the common dialogs are GTK's, and the visual style of
//   tabs and arrow buttons is the desktop's GTK theme (platform/gdi/VisualStyle.h).
//
// No GTK header here: GTK stays inside platform/host/gtk/*.cpp.
#pragma once

#include "platform/core/Types.h"

namespace platform::host {

class GtkHost
{
public:
    // Starts the host on the calling thread if it is the main thread, a display is available and
    // PLATFORM_HOST is not "null". Decided once: later calls return the first answer.
    static bool Start();
    // True once the host runs (false under the null host).
    static bool IsRunning();

    // Presents every dirty area now and lets GTK draw it (the host also does this by itself a
    // frame after drawing). On the user-interface thread only.
    static void PresentNow();

    // True when the top-level window is shown on the display with its current size (mapped and
    // allocated). On the user-interface thread only.
    static bool IsOnDisplay(HWND topLevel);

    // The name of the cursor shape the host last showed over its windows ("default",
    // "pointer", "wait" ...). On the user-interface thread only.
    static const char* ShownCursorName();
};

// The host chosen at start-up: "gtk" while the gtk host runs, "null" otherwise (no display, or
// PLATFORM_HOST=null).
const char* CurrentHostName();

// The classic virtual-key code for a key symbol of the window system (an X keysym), 0 when the
// classic keyboard has no such key. Letters give their capital, digits their digit, keypad keys
// their numeric-keypad codes.
int VirtualKeyForKeySymbol(unsigned keySymbol);

} // namespace platform::host
