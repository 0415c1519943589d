// A top-level window for the common-control tests: it records every WM_NOTIFY its children
// send (code, sender id and the whole notification's bytes) and can answer them through a
// test's function (to refuse a change, for example).
#pragma once

#include "testkit/ControlParent.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace testkit {

struct Notification
{
    UINT code { 0 };
    UINT_PTR id { 0 };
    std::vector<unsigned char> bytes;

    // The notification as the structure the control sent (`T` starts with an NMHDR).
    template <class T>
    T As() const
    {
        T out {};
        std::memcpy(static_cast<void*>(&out), bytes.data(), std::min(sizeof(T), bytes.size()));
        return out;
    }
};

class NotifyParent : public ParentWnd
{
public:
    std::vector<Notification> notifications;
    // Answers a notification; unset answers 0.
    std::function<LRESULT(const NMHDR&)> answer;
    // The size of the structure a control sends with `code` (what is kept of it); unset keeps
    // the NMHDR only.
    std::function<size_t(UINT code)> sizeOf;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && lParam) {
            auto* header = reinterpret_cast<const NMHDR*>(lParam);
            Notification n { header->code, header->idFrom, {} };
            auto* first = reinterpret_cast<const unsigned char*>(header);
            n.bytes.assign(first, first + (sizeOf ? sizeOf(header->code) : sizeof(NMHDR)));
            notifications.push_back(std::move(n));
            return answer ? answer(*header) : 0;
        }
        return ParentWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> Codes() const
    {
        std::vector<UINT> out;
        for (auto& n : notifications)
            out.push_back(n.code);
        return out;
    }

    void Clear() { notifications.clear(); }
};

// A click with modifier keys held (Shift, Ctrl ...), pumped like a live user's.
inline void ClickWithKeys(POINT screen, std::initializer_list<int> keys)
{
    for (int k : keys)
        platform::host::NullHost::KeyDown(k);
    Pump();
    ClickPumped(screen);
    for (int k : keys)
        platform::host::NullHost::KeyUp(k);
    Pump();
}

} // namespace testkit
