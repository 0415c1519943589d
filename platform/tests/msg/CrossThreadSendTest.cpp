// Sending across threads: a sent message blocks its sender until the owner of the window has
// handled it, the owner handles sent messages whenever it pumps (also inside modal loops and
// while it sends itself), and posting works from any thread.
#include "platform/host/null/NullHost.h"
#include "platform/msg/MessageQueue.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using testkit::RecordingWnd;
using platform::host::NullHost;

namespace {

constexpr UINT WM_TEST_SEND = WM_APP + 1;
constexpr UINT WM_TEST_PING = WM_APP + 2;
constexpr UINT WM_TEST_PONG = WM_APP + 3;

TEST(MsgCrossThread, WorkerSendBlocksUntilTheModalLoopOfTheUiThreadHasHandledIt)
{
    RecordingWnd main;
    ASSERT_TRUE(main.CreateTop(CRect(0, 0, 400, 300)));
    RecordingWnd dialog;
    ASSERT_TRUE(dialog.CreateTop(CRect(50, 50, 250, 200), WS_POPUP | WS_CAPTION, main.m_hWnd));

    const auto uiThread = std::this_thread::get_id();
    std::atomic<bool> handled { false };
    std::thread::id handlerThread;
    bool ownerDisabledWhileHandling = false;
    dialog.onMessage = [&](UINT m, WPARAM w, LPARAM, LRESULT& result) {
        if (m != WM_TEST_SEND)
            return false;
        handlerThread = std::this_thread::get_id();
        ownerDisabledWhileHandling = !main.IsWindowEnabled();
        handled = true;
        result = static_cast<LRESULT>(w * 2);
        return true;
    };

    LRESULT sendResult = 0;
    bool handledBeforeSendReturned = false;
    std::thread worker([&] {
        sendResult = ::SendMessage(dialog.m_hWnd, WM_TEST_SEND, 21, 0);
        handledBeforeSendReturned = handled.load();
        // Ending the loop from outside the user-interface thread.
        EndDialog(dialog.m_hWnd, 42);
    });

    INT_PTR code = platform::msg::RunModal(dialog.m_hWnd);
    worker.join();

    EXPECT_EQ(code, 42);
    EXPECT_EQ(sendResult, 42);
    EXPECT_TRUE(handledBeforeSendReturned);
    EXPECT_EQ(handlerThread, uiThread);
    EXPECT_TRUE(ownerDisabledWhileHandling);
    EXPECT_TRUE(main.IsWindowEnabled());
}

TEST(MsgCrossThread, TwoThreadsSendingToEachOtherDoNotDeadlock)
{
    RecordingWnd uiWindow;
    ASSERT_TRUE(uiWindow.CreateTop(CRect(0, 0, 100, 100), WS_POPUP));
    uiWindow.onMessage = [&](UINT m, WPARAM w, LPARAM, LRESULT& result) {
        if (m != WM_TEST_PONG)
            return false;
        result = static_cast<LRESULT>(w + 1);
        return true;
    };

    std::atomic<HWND> workerWindow { nullptr };
    std::atomic<DWORD> workerThreadId { 0 };
    std::thread worker([&] {
        RecordingWnd own;
        own.CreateTop(CRect(0, 0, 10, 10), WS_POPUP);
        // The worker's handler sends back to the user-interface thread, which is blocked in
        // its own send to the worker at that moment.
        own.onMessage = [&](UINT m, WPARAM w, LPARAM, LRESULT& result) {
            if (m != WM_TEST_PING)
                return false;
            result = ::SendMessage(uiWindow.m_hWnd, WM_TEST_PONG, w * 10, 0);
            return true;
        };
        workerThreadId = platform::msg::CurrentThreadId();
        workerWindow = own.m_hWnd;
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0) > 0)
            DispatchMessage(&msg);
        own.DestroyWindow();
    });
    while (!workerWindow.load())
        std::this_thread::yield();

    EXPECT_EQ(::SendMessage(workerWindow.load(), WM_TEST_PING, 4, 0), 41);
    EXPECT_EQ(uiWindow.Count(WM_TEST_PONG), 1);

    PostThreadMessage(workerThreadId, WM_QUIT, 0, 0);
    worker.join();
    // The worker's window went with its thread's message loop.
    EXPECT_FALSE(IsWindow(workerWindow.load()));
}

TEST(MsgCrossThread, SendToAWindowWhoseThreadHasEndedReturnsAtOnce)
{
    HWND left = nullptr;
    std::thread worker([&] {
        RecordingWnd own;
        own.CreateTop(CRect(0, 0, 10, 10), WS_POPUP);
        left = own.Detach(); // the window outlives the object until the thread ends
    });
    worker.join();
    EXPECT_FALSE(IsWindow(left));
    EXPECT_EQ(::SendMessage(left, WM_TEST_SEND, 1, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST(MsgCrossThread, PostedMessagesFromManyThreadsArriveOnTheOwnersThreadInPostingOrder)
{
    RecordingWnd window;
    ASSERT_TRUE(window.CreateTop(CRect(0, 0, 10, 10), WS_POPUP));
    std::vector<std::thread> posters;
    for (int t = 0; t < 4; ++t)
        posters.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i)
                PostMessage(window.m_hWnd, WM_TEST_SEND, static_cast<WPARAM>(t), i);
        });
    for (auto& p : posters)
        p.join();
    NullHost::PumpPending();

    std::vector<LPARAM> lastPerThread(4, -1);
    int received = 0;
    for (auto& e : window.log) {
        if (e.message != WM_TEST_SEND)
            continue;
        ++received;
        EXPECT_GT(e.lParam, lastPerThread[e.wParam]);
        lastPerThread[e.wParam] = e.lParam;
    }
    EXPECT_EQ(received, 200);
}

TEST(MsgCrossThread, WindowFunctionsCalledFromAWorkerRunOnTheOwnersThread)
{
    RecordingWnd window;
    ASSERT_TRUE(window.CreateTop(CRect(0, 0, 100, 100), WS_POPUP | WS_VISIBLE));
    std::thread::id sizeThread;
    window.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_SIZE)
            sizeThread = std::this_thread::get_id();
        return false;
    };
    std::atomic<bool> done { false };
    std::thread worker([&] {
        ::MoveWindow(window.m_hWnd, 10, 10, 200, 150, TRUE);
        done = true;
        PostMessage(window.m_hWnd, WM_NULL, 0, 0);
    });
    MSG msg;
    while (!done && GetMessage(&msg, nullptr, 0, 0) > 0)
        DispatchMessage(&msg);
    worker.join();
    CRect rect;
    window.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(10, 10, 210, 160));
    EXPECT_EQ(sizeThread, std::this_thread::get_id());
}

} // namespace
