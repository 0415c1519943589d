// A top-level window for the control tests: it records the WM_COMMAND notifications and
// scroll messages its controls send, and sits at a known place on the null host's screen.
#pragma once

#include "platform/host/null/NullHost.h"
#include "platform/msg/Wnd.h"
#include "testkit/Pump.h"

#include <vector>

namespace testkit {

struct Received
{
    UINT message;
    WORD id;
    WORD code;
    WORD pos;
    HWND from;
};

class ParentWnd : public CWnd
{
public:
    std::vector<Received> received;

    BOOL CreateTop(int width = 400, int height = 300)
    {
        return CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            received.push_back({ message, LOWORD(wParam), HIWORD(wParam), 0, reinterpret_cast<HWND>(lParam) });
        if (message == WM_HSCROLL || message == WM_VSCROLL)
            received.push_back({ message, 0, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam) });
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // The notification codes of WM_COMMAND from control `id`, in order.
    std::vector<WORD> Codes(WORD id) const
    {
        std::vector<WORD> out;
        for (auto& r : received)
            if (r.message == WM_COMMAND && r.id == id)
                out.push_back(r.code);
        return out;
    }

    // The scroll codes received (WM_HSCROLL or WM_VSCROLL).
    std::vector<WORD> ScrollCodes(UINT message) const
    {
        std::vector<WORD> out;
        for (auto& r : received)
            if (r.message == message)
                out.push_back(r.code);
        return out;
    }
};

// Screen point of a client point of `wnd`.
inline POINT ScreenPoint(HWND wnd, int x, int y)
{
    POINT p { x, y };
    ClientToScreen(wnd, &p);
    return p;
}

// A click whose release is routed only after the press was handled, as a live user's is (the
// press may hand the capture to another window).
inline void ClickPumped(POINT screen)
{
    platform::host::NullHost::MoveMouse(screen.x, screen.y);
    platform::host::NullHost::MouseDown(screen.x, screen.y);
    Pump();
    platform::host::NullHost::MouseUp(screen.x, screen.y);
    Pump();
}

} // namespace testkit
