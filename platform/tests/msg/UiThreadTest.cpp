// A user-interface thread: a CWinThread whose Run is the message loop. Its main window's end
// ends the loop, and the thread's exit code is ExitInstance's.
#include "platform/core/WinThread.h"
#include "platform/msg/MessageQueue.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using testkit::RecordingWnd;

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

// A thread class that overrides the loop's hooks: PreTranslateMessage sees a thread message
// first and keeps it from dispatch; OnIdle is asked while the queue is empty and ends the loop.
class CHookedThread : public CWinThread
{
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_APP + 1) {
            ++m_intercepted;
            return TRUE;
        }
        return CWinThread::PreTranslateMessage(msg);
    }
    BOOL OnIdle(LONG count) override
    {
        CWinThread::OnIdle(count);
        if (m_intercepted > 0 && count == 0)
            PostQuitMessage(m_intercepted + 10);
        return count < 1;
    }
    std::atomic<int> m_intercepted { 0 };
};

TEST(MsgUiThread, DerivedThreadsOverrideTheLoopHooks)
{
    auto thread = std::make_unique<CHookedThread>();
    thread->m_bAutoDelete = FALSE;
    ASSERT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
    // Posted before the thread runs: its queue exists from the first message on.
    thread->ResumeThread();
    while (!PostThreadMessage(thread->m_nThreadID, WM_APP + 1, 0, 0))
        std::this_thread::yield();
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &exitCode));
    EXPECT_EQ(thread->m_intercepted.load(), 1);
    EXPECT_EQ(exitCode, 0u); // ExitInstance's result, as for every user-interface thread
}

} // namespace
