// Descriptor watches: a ready descriptor's callback runs on the thread that registered it,
// while that thread pumps messages, also inside a modal loop.
#include "platform/msg/FdWatch.h"
#include "platform/msg/MessageQueue.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Pipe
{
    Pipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~Pipe()
    {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    int fds[2] { -1, -1 };
};

TEST(MsgFdWatch, CallbackRunsOnTheOwningThreadWhileItWaitsForMessages)
{
    Pipe pipe;
    std::thread::id callbackThread;
    std::string received;
    int cookie = platform::msg::WatchFd(pipe.fds[0], POLLIN, [&](int fd, short revents) {
        EXPECT_TRUE(revents & POLLIN);
        char buffer[16];
        auto n = ::read(fd, buffer, sizeof buffer);
        received.append(buffer, n > 0 ? n : 0);
        callbackThread = std::this_thread::get_id();
        if (received == "ping")
            PostQuitMessage(0);
    });
    std::thread writer([&] { EXPECT_EQ(::write(pipe.fds[1], "ping", 4), 4); });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    writer.join();
    EXPECT_EQ(received, "ping");
    EXPECT_EQ(callbackThread, std::this_thread::get_id());
    platform::msg::UnwatchFd(cookie);
}

// The descriptors a thread waits on, as it looks at them: the time-out of each look.
class RecordingWait : public platform::msg::WaitBackend
{
public:
    explicit RecordingWait(std::vector<int>& timeouts) : m_timeouts(timeouts) {}
    void Wait(pollfd* fds, std::size_t count, int timeoutMs) override
    {
        m_timeouts.push_back(timeoutMs);
        while (::poll(fds, count, timeoutMs) < 0 && errno == EINTR) {
        }
    }

private:
    std::vector<int>& m_timeouts;
};

// A thread with a watch that waits for a message looks at its descriptors once without waiting,
// then in its wait, and takes the message that woke it without looking again.
TEST(MsgFdWatch, AWaitForAMessageLooksAtTheWatchesOnlyOnceAfterIt)
{
    std::vector<int> timeouts;
    std::thread waiter([&timeouts] {
        Pipe pipe;
        platform::msg::MessageQueue::Current()->SetWaitBackend(std::make_unique<RecordingWait>(timeouts));
        const int cookie = platform::msg::WatchFd(pipe.fds[0], POLLIN, [](int, short) {});
        const DWORD self = GetCurrentThreadMessageId();
        std::thread poster([self] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            PostThreadMessage(self, WM_APP, 0, 0);
        });
        MSG msg;
        EXPECT_TRUE(GetMessage(&msg, nullptr, 0, 0));
        EXPECT_EQ(msg.message, UINT(WM_APP));
        poster.join();
        platform::msg::UnwatchFd(cookie);
    });
    waiter.join();
    EXPECT_EQ(timeouts, (std::vector<int> { 0, -1 }));
}

TEST(MsgFdWatch, CallbacksKeepRunningInsideModalLoopsAndStopWhenUnwatched)
{
    Pipe pipe;
    testkit::RecordingWnd dialog;
    ASSERT_TRUE(dialog.CreateTop(CRect(0, 0, 100, 100), WS_POPUP));
    int calls = 0;
    int cookie = 0;
    cookie = platform::msg::WatchFd(pipe.fds[0], POLLIN, [&](int fd, short) {
        char c;
        EXPECT_EQ(::read(fd, &c, 1), 1);
        ++calls;
        platform::msg::UnwatchFd(cookie); // from inside its own callback
        EndDialog(dialog.m_hWnd, 3);
    });
    ASSERT_EQ(::write(pipe.fds[1], "ab", 2), 2);
    EXPECT_EQ(platform::msg::RunModalLoop(dialog.m_hWnd), 3);
    // The second byte is still there, but the watch is gone.
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(calls, 1);
}

TEST(MsgFdWatch, APausedWatchDoesNotCallBack)
{
    Pipe pipe;
    int calls = 0;
    int cookie = platform::msg::WatchFd(pipe.fds[0], POLLIN, [&](int, short) { ++calls; });
    platform::msg::SetWatchedEvents(cookie, 0);
    ASSERT_EQ(::write(pipe.fds[1], "x", 1), 1);
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(calls, 0);
    platform::msg::UnwatchFd(cookie);
}

} // namespace
