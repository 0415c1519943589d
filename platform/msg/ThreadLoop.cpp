// The message loop of user-interface threads: what CWinThread::Run runs for a thread that
// does not override it, installed into the core when the library loads.
#include "platform/core/WinThread.h"
#include "platform/msg/MessageQueue.h"
#include "platform/msg/Wnd.h"

namespace platform::msg {

namespace {

// Messages after which the idle work runs again: everything but paint, the system timer and
// a mouse move that did not move.
bool IsIdleMessage(const MSG& msg, POINT& lastMouse, UINT& lastMouseMessage)
{
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        bool same = msg.message == lastMouseMessage && msg.pt.x == lastMouse.x && msg.pt.y == lastMouse.y;
        lastMouse = msg.pt;
        lastMouseMessage = msg.message;
        return !same;
    }
    return msg.message != WM_PAINT && msg.message != 0x0118;
}

} // namespace

int RunMessageLoop(const std::function<bool(LONG idleCount)>& onIdle, const std::function<bool(MSG* msg)>& preTranslate)
{
    bool idle = true;
    LONG idleCount = 0;
    POINT lastMouse { -1, -1 };
    UINT lastMouseMessage = 0;
    MSG msg;
    for (;;) {
        while (idle && !PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!onIdle || !onIdle(idleCount++))
                idle = false;
        }
        do {
            if (!GetMessage(&msg, nullptr, 0, 0))
                return static_cast<int>(msg.wParam);
            if (!preTranslate || !preTranslate(&msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
            if (IsIdleMessage(msg, lastMouse, lastMouseMessage)) {
                idle = true;
                idleCount = 0;
            }
        } while (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

namespace {
thread_local ThreadIdle t_threadIdle;
} // namespace

void SetThreadIdle(ThreadIdle hook) { t_threadIdle = std::move(hook); }

namespace {

// The thread's pre-translation: the window tree up to the thread's main window, then the main
// window itself.
bool PreTranslateForThread(CWinThread& thread, MSG* msg)
{
    HWND main = thread.m_pMainWnd ? thread.m_pMainWnd->GetSafeHwnd() : nullptr;
    if (WalkPreTranslateTree(main, msg))
        return true;
    if (main && msg->hwnd && (msg->hwnd == main || ::IsChild(main, msg->hwnd)))
        if (CWnd* wnd = CWnd::FromHandlePermanent(main))
            return wnd->PreTranslateMessage(msg) != FALSE;
    return false;
}

int RunThreadLoop(CWinThread& thread)
{
    SetThreadPreTranslate([&thread](MSG* msg) { return thread.PreTranslateMessage(msg) != FALSE; });
    RunMessageLoop([&thread](LONG count) { return thread.OnIdle(count) != FALSE; },
                   [&thread](MSG* msg) { return thread.PreTranslateMessage(msg) != FALSE; });
    SetThreadPreTranslate(nullptr);
    int exitCode = thread.ExitInstance();
    // The thread's windows go with its loop, before anyone waiting for the thread's end wakes.
    EndCurrentThreadQueue();
    return exitCode;
}

BOOL DefaultPreTranslate(CWinThread& thread, MSG* msg) { return PreTranslateForThread(thread, msg) ? TRUE : FALSE; }
BOOL DefaultIdle(CWinThread&, LONG count) { return t_threadIdle && t_threadIdle(count) ? TRUE : FALSE; }

// Installed when the library loads, before any thread object can run.
const bool s_installed = [] {
    platform::SetThreadMessageLoop(RunThreadLoop);
    platform::SetThreadLoopDefaults(DefaultPreTranslate, DefaultIdle);
    return true;
}();

} // namespace

} // namespace platform::msg
