// The null host: no display. Windows are objects in the window table with positions on a
// virtual screen; painting goes to whatever surfaces the drawing module keeps in memory.
// Tests drive it like a user would: mouse and keyboard input at screen coordinates, routed by
// the window layer exactly as a real host's input is routed (capture, hit testing, activation,
// focus, double clicks).
#pragma once

#include "platform/msg/Input.h"
#include "platform/msg/Messages.h"

#include <string_view>

namespace platform::host {

class NullHost
{
public:
    // The virtual screen (default 1920 x 1080).
    static void SetScreenSize(int width, int height);
    static SIZE ScreenSize();

    static void MoveMouse(int x, int y);
    static void MouseDown(int x, int y, platform::msg::MouseButton button = platform::msg::MouseButton::Left);
    static void MouseUp(int x, int y, platform::msg::MouseButton button = platform::msg::MouseButton::Left);
    // Move, press and release at one point.
    static void Click(int x, int y, platform::msg::MouseButton button = platform::msg::MouseButton::Left);
    // Two clicks within the double-click time (the clock does not move between them).
    static void DoubleClick(int x, int y);
    // `notches` wheel notches (WHEEL_DELTA each); positive rolls away from the user.
    static void Wheel(int notches, int x, int y);

    static void KeyDown(int virtualKey);
    static void KeyUp(int virtualKey);
    static void PressKey(int virtualKey);
    // A key with modifiers held: PressKeyWith('S', {VK_CONTROL}).
    static void PressKeyWith(int virtualKey, std::initializer_list<int> modifiers);
    static void TypeText(std::string_view text);

    // Dispatches every message that is waiting on the calling thread's queue (including paint
    // and due timer messages) and returns how many it dispatched; never waits.
    static int PumpPending();
};

} // namespace platform::host
