// The single-instance lock: a claimed name, the marked main window, and a second process that
// sees the claim and has the holder show and raise its main window.
#include "ktutil/KTInstance.h"

#include "platform/core/Sync.h"
#include "platform/msg/FdWatch.h"
#include "testkit/TestWindow.h"
#include "testkit/ChildProcess.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The second start of a program, as its start-up does it. Exit codes tell what failed.
const int s_secondStart = testkit::RunChildRole("second-start", [](const std::string& name) {
    if (!KTInstance::IsInstanceExist(name.c_str()))
        return 10;
    if (KTInstance::LockInstance(name.c_str(), nullptr))
        return 11;
    // Another process's window cannot be had; asking for it has the holder show and raise it.
    if (KTInstance::GetInstanceWindow(name.c_str()) != nullptr)
        return 12;
    return 0;
});

// Starts the child and handles this thread's messages until it has ended; its exit code.
int RunChildWhilePumping(const char* role, const std::string& argument)
{
    pid_t child = testkit::StartChild(role, argument);
    int process = child > 0 ? static_cast<int>(syscall(SYS_pidfd_open, child, 0)) : -1;
    if (process < 0)
        return -1;
    bool ended = false;
    int watch = platform::msg::WatchFd(process, POLLIN, [&](int, short) {
        ended = true;
        PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
    });
    for (MSG msg; !ended && GetMessage(&msg, nullptr, 0, 0) > 0;)
        DispatchMessage(&msg);
    platform::msg::UnwatchFd(watch);
    close(process);
    int status = testkit::WaitForChild(child);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class KTInstanceTest : public testing::Test
{
protected:
    void SetUp() override { setenv("XDG_RUNTIME_DIR", m_runtime.Root(), 1); }

    testkit::TempFolder m_runtime;
};

} // namespace

TEST_F(KTInstanceTest, ANameIsClaimedOnceAndMarksTheMainWindow)
{
    const char* name = "TarluxerII";
    testkit::RecordingWnd mainWindow;
    ASSERT_TRUE(mainWindow.CreateTop(CRect(0, 0, 200, 100)));

    EXPECT_EQ(KTInstance::IsInstanceExist(name), 0);
    EXPECT_EQ(KTInstance::IsInstanceExist(name), 0); // testing claimed nothing
    EXPECT_EQ(KTInstance::GetInstanceWindow(name), nullptr);
    EXPECT_EQ(KTInstance::LockInstance(name, mainWindow.m_hWnd), 1);
    EXPECT_EQ(KTInstance::IsInstanceExist(name), 1);
    EXPECT_EQ(KTInstance::GetInstanceWindow(name), mainWindow.m_hWnd);
    EXPECT_EQ(KTInstance::LockInstance(name, mainWindow.m_hWnd), 0);

    KTInstance::UnlockInstance(name); // the claim lasts as long as the process
    EXPECT_EQ(KTInstance::IsInstanceExist(name), 1);
    KTInstance::UnregWindow(mainWindow.m_hWnd, name);
    EXPECT_EQ(KTInstance::GetInstanceWindow(name), nullptr);
}

TEST_F(KTInstanceTest, AWindowIsFoundOnlyUnderTheNameItWasMarkedWith)
{
    testkit::RecordingWnd first, second;
    ASSERT_TRUE(first.CreateTop(CRect(0, 0, 50, 50)));
    ASSERT_TRUE(second.CreateTop(CRect(0, 0, 50, 50)));

    EXPECT_EQ(KTInstance::GetInstanceWindow("Marked"), nullptr);
    EXPECT_TRUE(KTInstance::RegWindow(second.m_hWnd, "Marked"));
    EXPECT_EQ(KTInstance::GetInstanceWindow("Marked"), second.m_hWnd);
    EXPECT_EQ(KTInstance::GetInstanceWindow("Other"), nullptr);
    EXPECT_FALSE(KTInstance::RegWindow(first.m_hWnd, "  "));
    EXPECT_EQ(KTInstance::LockInstance("", first.m_hWnd), 0);
}

TEST_F(KTInstanceTest, SecondProcessSeesTheClaimAndItsActivationReachesTheHolder)
{
    const std::string name = "TarvicII_BrokerServer";
    testkit::RecordingWnd mainWindow, other;
    ASSERT_TRUE(mainWindow.CreateTop(CRect(0, 0, 200, 100), WS_OVERLAPPEDWINDOW)); // hidden
    ASSERT_TRUE(other.CreateTop(CRect(0, 0, 50, 50), WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    SetForegroundWindow(other.m_hWnd);
    ASSERT_EQ(KTInstance::LockInstance(name.c_str(), mainWindow.m_hWnd), 1);

    // The main window belongs to this thread, so this thread pumps while the second start
    // waits for its answer, until the child's process descriptor reports its end.
    EXPECT_EQ(RunChildWhilePumping("second-start", name), 0);

    EXPECT_TRUE(IsWindowVisible(mainWindow.m_hWnd));
    EXPECT_EQ(GetForegroundWindow(), mainWindow.m_hWnd);
}
