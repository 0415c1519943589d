// Instance claims across processes: the test holds a name, a second process (this program
// started again) must see the claim, fail to take it, and reach the holder with its
// activation request.
#include "platform/sys/SingleInstance.h"

#include "platform/core/Sync.h"
#include "platform/msg/FdWatch.h"
#include "platform/msg/WindowApi.h"
#include "testkit/TempFolder.h"
#include "testkit/TestWindow.h"
#include "testkit/ChildProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>

namespace {

// Exit codes of the child tell which expectation failed.
const int s_secondStart = testkit::RunChildRole("second-start", [](const std::string& name) {
    if (!platform::IsInstanceClaimed(name))
        return 10;
    if (platform::ClaimInstance(name))
        return 11;
    if (!platform::RequestInstanceActivation(name))
        return 12;
    return 0;
});

const int s_claimAndEnd = testkit::RunChildRole("claim-and-end", [](const std::string& name) {
    return platform::ClaimInstance(name) ? 0 : 20;
});

std::atomic<int> s_activations { 0 };

int RunChild(const char* role, const std::string& name)
{
    pid_t child = testkit::StartChild(role, name);
    if (child < 0)
        return -1;
    int status = testkit::WaitForChild(child);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(SysInstance, SecondProcessSeesTheClaimAndItsActivationReachesTheHolder)
{
    testkit::TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Dir().c_str(), 1);
    const std::string name = "TarvicII_BrokerServer";

    EXPECT_FALSE(platform::IsInstanceClaimed(name));
    platform::SetInstanceActivationHandler(name, [] { ++s_activations; });
    ASSERT_TRUE(platform::ClaimInstance(name));
    EXPECT_FALSE(platform::ClaimInstance(name)); // a second claim in the same process
    EXPECT_TRUE(platform::IsInstanceClaimed(name));

    EXPECT_EQ(RunChild("second-start", name), 0);
    EXPECT_EQ(s_activations.load(), 1); // the holder answers only after its handler ran
    platform::SetInstanceActivationHandler(name, nullptr);
}

TEST(SysInstance, ClaimEndsWithItsProcessAndATestLeavesNoClaim)
{
    testkit::TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Dir().c_str(), 1);
    const std::string name = "TarluxII";

    // A process that claimed the name and ended holds it no longer; its stale socket is
    // replaced by the next holder, whose activation then works.
    EXPECT_EQ(RunChild("claim-and-end", name), 0);
    EXPECT_FALSE(platform::IsInstanceClaimed(name));
    EXPECT_FALSE(platform::IsInstanceClaimed(name)); // testing did not claim it
    ASSERT_TRUE(platform::ClaimInstance(name));
    EXPECT_TRUE(platform::RequestInstanceActivation(name));

    EXPECT_FALSE(platform::RequestInstanceActivation("NobodyHoldsThis"));
}

TEST(SysInstance, ActivationShowsAndRaisesTheHoldersMainWindow)
{
    testkit::TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Dir().c_str(), 1);
    const std::string name = "TarvicII_Window";

    testkit::RecordingWnd mainWindow, other;
    ASSERT_TRUE(mainWindow.CreateTop(CRect(0, 0, 200, 100), WS_OVERLAPPEDWINDOW)); // hidden
    ASSERT_TRUE(other.CreateTop(CRect(0, 0, 50, 50), WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    SetForegroundWindow(other.m_hWnd);
    ASSERT_TRUE(platform::ClaimInstance(name));
    platform::SetInstanceActivationWindow(name, mainWindow.m_hWnd);

    // The window belongs to this thread, so this thread pumps while the second start waits
    // for its answer; the child's end closes the pipe it inherited, which ends the pumping.
    int ended[2];
    ASSERT_EQ(pipe2(ended, O_CLOEXEC), 0);
    fcntl(ended[1], F_SETFD, 0);
    pid_t child = testkit::StartChild("second-start", name);
    close(ended[1]);
    ASSERT_GT(child, 0);
    bool childEnded = false;
    int watch = platform::msg::WatchFd(ended[0], POLLIN, [&](int, short) {
        childEnded = true;
        PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
    });
    MSG msg;
    while (!childEnded && GetMessage(&msg, nullptr, 0, 0) > 0)
        DispatchMessage(&msg);
    platform::msg::UnwatchFd(watch);
    close(ended[0]);
    int status = testkit::WaitForChild(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    EXPECT_TRUE(IsWindowVisible(mainWindow.m_hWnd));
    EXPECT_EQ(GetForegroundWindow(), mainWindow.m_hWnd);
}
