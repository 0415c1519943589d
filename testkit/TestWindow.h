// Window objects for tests of windows: they record what they receive and let a test
// answer any message with a lambda.
#pragma once

#include "platform/msg/Wnd.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace testkit {

class RecordingWnd : public CWnd
{
public:
    struct Entry
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    std::vector<Entry> log;
    // Returns true when it answered the message (with `result`).
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> onMessage;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        log.push_back({ message, wParam, lParam });
        LRESULT result = 0;
        if (onMessage && onMessage(message, wParam, lParam, result))
            return result;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    int Count(UINT message) const
    {
        return static_cast<int>(std::count_if(log.begin(), log.end(), [&](auto& e) { return e.message == message; }));
    }

    // The messages received, in order, keeping only those listed.
    std::vector<UINT> Sequence(std::initializer_list<UINT> only) const
    {
        std::vector<UINT> out;
        for (auto& e : log)
            if (std::find(only.begin(), only.end(), e.message) != only.end())
                out.push_back(e.message);
        return out;
    }

    BOOL CreateTop(CRect rect, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND owner = nullptr,
                   LPCTSTR className = nullptr, LPCTSTR text = "")
    {
        return CreateEx(0, className, text, style, rect.left, rect.top, rect.Width(), rect.Height(), owner, nullptr);
    }

    BOOL CreateChild(CWnd* parent, CRect rect, UINT id, DWORD style = WS_VISIBLE, LPCTSTR className = nullptr)
    {
        return CreateEx(0, className, "", style | WS_CHILD, rect, parent, id);
    }
};

// Registers (once) a plain class with the given class style; returns its name.
inline const char* TestClass(const char* name, UINT classStyle)
{
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, name, &wc)) {
        wc = WNDCLASS {};
        wc.style = classStyle;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.lpszClassName = name;
        RegisterClass(&wc);
    }
    return name;
}

} // namespace testkit
