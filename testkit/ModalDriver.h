// The test's hand inside a program's modal loops and waits: `step` runs (with the number of its
// call, from 1) each time the running loop dispatches the driver's message, and again each time
// it answers true. The message is posted to a hidden window of the driver's, so whichever loop
// runs the thread's messages (a modal dialog's, a message box's, a wait for a peer) runs the step.
#pragma once

#include "testkit/TestWindow.h"

#include <functional>
#include <utility>

namespace testkit {

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
    RecordingWnd m_wnd;
    std::function<bool(int)> m_step;
};

} // namespace testkit
