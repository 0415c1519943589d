// The null host: the virtual screen and test input.
#include "platform/host/null/NullHost.h"

#include "platform/msg/MessageQueue.h"
#include "platform/msg/WindowApi.h"

#include <cstdlib>
#include <cstring>

namespace platform::host {

void NullHost::SetScreenSize(int width, int height) { platform::msg::SetScreenSize(SIZE { width, height }); }
SIZE NullHost::ScreenSize() { return platform::msg::ScreenSize(); }

void NullHost::MoveMouse(int x, int y) { platform::msg::InjectMouseMove(POINT { x, y }); }

void NullHost::MouseDown(int x, int y, platform::msg::MouseButton button)
{
    platform::msg::InjectMouseButton(button, true, POINT { x, y });
}

void NullHost::MouseUp(int x, int y, platform::msg::MouseButton button)
{
    platform::msg::InjectMouseButton(button, false, POINT { x, y });
}

void NullHost::Click(int x, int y, platform::msg::MouseButton button)
{
    MoveMouse(x, y);
    MouseDown(x, y, button);
    MouseUp(x, y, button);
}

void NullHost::DoubleClick(int x, int y)
{
    Click(x, y);
    MouseDown(x, y);
    MouseUp(x, y);
}

void NullHost::Wheel(int notches, int x, int y) { platform::msg::InjectMouseWheel(notches * WHEEL_DELTA, POINT { x, y }); }

void NullHost::KeyDown(int virtualKey) { platform::msg::InjectKey(virtualKey, true); }
void NullHost::KeyUp(int virtualKey) { platform::msg::InjectKey(virtualKey, false); }

void NullHost::PressKey(int virtualKey)
{
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void NullHost::PressKeyWith(int virtualKey, std::initializer_list<int> modifiers)
{
    for (int m : modifiers)
        KeyDown(m);
    PressKey(virtualKey);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        KeyUp(*it);
}

void NullHost::TypeText(std::string_view text) { platform::msg::InjectText(text); }

int NullHost::PumpPending()
{
    int count = 0;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!platform::msg::WalkPreTranslateTree(nullptr, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        ++count;
    }
    return count;
}

} // namespace platform::host
