// Input from a host: mouse and keyboard events at screen coordinates, routed the way a real
// window system routes them (capture, hit testing, activation, focus, double clicks, wheel to
// the focus window, mouse-leave tracking, cursor by WM_SETCURSOR). The null host injects test
// input through these; the gtk host feeds its device events through the same functions.
//
// The routing sends WM_NCHITTEST, WM_SETCURSOR and WM_MOUSEACTIVATE synchronously to the target
// window and posts the input messages to the target's queue.
#pragma once

#include "platform/msg/Messages.h"

#include <string_view>

namespace platform::msg {

enum class MouseButton { Left, Right, Middle };

void InjectMouseMove(POINT screen);
void InjectMouseButton(MouseButton button, bool down, POINT screen);
// `delta` in wheel units: WHEEL_DELTA (120) per notch, positive away from the user.
void InjectMouseWheel(int delta, POINT screen);
void InjectKey(int virtualKey, bool down);
// Types text into the focus window: key presses for the characters the keyboard has (with
// Shift where needed), WM_CHAR alone for other characters. `text` is UTF-8.
void InjectText(std::string_view text);

// The virtual screen of the host (1920 x 1080 until a host says otherwise); the drawing
// module's screen metrics read it.
void SetScreenSize(SIZE size);
SIZE ScreenSize();

// The cursor last set by SetCursor, for the host to show.
HCURSOR CurrentCursor();
// Called on the thread that calls SetCursor whenever the cursor changes (null: nobody).
void SetCursorListener(void (*listener)(HCURSOR cursor));

// Whether the program is the one the user works in. It becomes active with its first active
// window and inactive when no window of it is active; a host whose desktop has other programs
// also reports when the desktop's focus leaves all of the program's windows and comes back,
// while the layer keeps its own active window for that return. Each change sends
// WM_ACTIVATEAPP (wParam TRUE or FALSE) to every top-level window of the calling thread.
void SetApplicationActive(bool active);
bool IsApplicationActive();

// Key to character as TranslateMessage maps it: 0 when the key makes no character.
char CharacterForKey(int virtualKey, bool shift);

} // namespace platform::msg
