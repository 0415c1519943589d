// A user-interface thread: a CWinThread whose Run is the message loop. Its main window's end
// ends the loop, and the thread's exit code is ExitInstance's.
#include "platform/core/WinThread.h"
#include "platform/msg/MessageQueue.h"
#include "support/MsgTestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using msgtest::RecordingWnd;

namespace {

std::atomic<HWND> s_mainWindow { nullptr };
std::atomic<int> s_idleCalls { 0 };
std::atomic<DWORD> s_handlerThread { 0 };

class CUiThread : public CWinThread
{
public:
    BOOL InitInstance() override
    {
        auto* wnd = new RecordingWnd;
        wnd->onMessage = [](UINT m, WPARAM w, LPARAM, LRESULT& result) {
            if (m != WM_APP)
                return false;
            s_handlerThread = platform::msg::CurrentThreadId();
            result = static_cast<LRESULT>(w + 1);
            return true;
        };
        if (!wnd->CreateTop(CRect(0, 0, 200, 100)))
            return FALSE;
        m_pMainWnd = wnd;
        platform::msg::SetThreadIdle([](LONG count) {
            ++s_idleCalls;
            return count < 1;
        });
        m_window.reset(wnd);
        s_mainWindow = wnd->m_hWnd;
        return TRUE;
    }
    int ExitInstance() override
    {
        m_window.reset();
        return 5;
    }

private:
    std::unique_ptr<RecordingWnd> m_window;
};

TEST(MsgUiThread, RunsTheMessageLoopUntilItsMainWindowIsGone)
{
    auto thread = std::make_unique<CUiThread>();
    thread->m_bAutoDelete = FALSE;
    ASSERT_TRUE(thread->CreateThread());
    while (!s_mainWindow.load())
        std::this_thread::yield();
    HWND main = s_mainWindow.load();
    // The loop runs its idle work once the queue is empty: twice, as the hook asks.
    while (s_idleCalls.load() < 2)
        std::this_thread::yield();

    EXPECT_EQ(::SendMessage(main, WM_APP, 41, 0), 42);
    EXPECT_EQ(s_handlerThread.load(), thread->m_nThreadID);

    PostMessage(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &exitCode));
    EXPECT_EQ(exitCode, 5u);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_GE(s_idleCalls.load(), 2);
}

TEST(MsgUiThread, TheMessageLoopCallsTheIdleWorkUntilItDeclines)
{
    std::vector<LONG> idleCounts;
    PostMessage(nullptr, WM_APP, 0, 0);
    int exitCode = platform::msg::RunMessageLoop(
        [&](LONG count) {
            idleCounts.push_back(count);
            if (count == 2)
                PostQuitMessage(8);
            return count < 2;
        },
        nullptr);
    EXPECT_EQ(exitCode, 8);
    EXPECT_EQ(idleCounts, (std::vector<LONG> { 0, 1, 2 }));
}

} // namespace
