// The test's hand inside the station's modal loops: `step` runs each time the loop dispatches
// the driver's message, for as long as it answers true.
#pragma once

#include "testkit/TestWindow.h"

#include <functional>
#include <utility>

namespace stationtest {

class ModalDriver
{
public:
    static constexpr UINT kStep = WM_USER + 78;

    ModalDriver()
    {
        m_wnd.CreateTop(CRect(0, 0, 10, 10), WS_POPUP);
        m_wnd.onMessage = [this](UINT message, WPARAM, LPARAM, LRESULT& result) {
            if (message != kStep)
                return false;
            ++calls;
            if (m_step && m_step(calls))
                m_wnd.PostMessage(kStep);
            result = 0;
            return true;
        };
    }
    ~ModalDriver() { m_wnd.DestroyWindow(); }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    void Start(std::function<bool(int)> step)
    {
        m_step = std::move(step);
        m_wnd.PostMessage(kStep);
    }
    void Stop() { m_step = nullptr; }

    int calls { 0 };

private:
    testkit::RecordingWnd m_wnd;
    std::function<bool(int)> m_step;
};

} // namespace stationtest
