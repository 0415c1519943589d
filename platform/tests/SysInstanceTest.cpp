// Instance claims across processes: the test holds a name, a second process (this program
// started again) must see the claim, fail to take it, and reach the holder with its
// activation request.
#include "platform/sys/SingleInstance.h"

#include "support/CoreTempFolder.h"
#include "support/SysChildProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

namespace {

// Exit codes of the child tell which expectation failed.
const int s_secondStart = systest::RunChildRole("second-start", [](const std::string& name) {
    if (!platform::IsInstanceClaimed(name))
        return 10;
    if (platform::ClaimInstance(name))
        return 11;
    if (!platform::RequestInstanceActivation(name))
        return 12;
    return 0;
});

const int s_claimAndEnd = systest::RunChildRole("claim-and-end", [](const std::string& name) {
    return platform::ClaimInstance(name) ? 0 : 20;
});

std::atomic<int> s_activations { 0 };

int RunChild(const char* role, const std::string& name)
{
    pid_t child = systest::StartChild(role, name);
    if (child < 0)
        return -1;
    int status = systest::WaitForChild(child);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(SysInstance, SecondProcessSeesTheClaimAndItsActivationReachesTheHolder)
{
    coretest::TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
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
    coretest::TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
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
