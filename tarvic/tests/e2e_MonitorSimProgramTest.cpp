// End to end: the monitor simulator program against the TarvicII program. A third monitor, which
// the station refuses (it serves two beds), and the monitors still sending when the station
// ends, each say on standard error that the station closed the link and end with status 3,
// never by the broken pipe's signal. The simulators keep no run log beside their program.
#include "support/MonitorSimProcess.h"
#include "support/StationProcess.h"

#include "testkit/Xvfb.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace stationtest;

namespace {

namespace fs = std::filesystem;

constexpr int kStationClosedStatus = 3;

TEST(MonitorSimProgram, ARefusedOrClosedLinkEndsWithAClearStatusAndAMessage)
{
    StationProcess station;
    const UINT monitorPort = FreePort(), viewerPort = FreePort();
    const pid_t pid = station.Start({ "--ports", std::to_string(monitorPort) + "," + std::to_string(viewerPort) });
    ASSERT_GT(pid, 0);
    ASSERT_EQ(testkit::RunTool({ testkit::SourcePath("scripts/wait-listener"), std::to_string(monitorPort), "30",
                                 std::to_string(pid) }),
              0);
    // The simulator runs from a folder of its own, so that what it writes beside itself shows.
    testkit::TempFolder folder;
    const std::string program = folder / "monitor-sim";
    fs::copy_file(testkit::ProgramFolder() + "/monitor-sim", program);
    const auto start = [&](MonitorSimProcess& sim, const char* local) {
        return sim.Start({ "--tcp", "127.0.0.1:" + std::to_string(monitorPort), "--local", local, "--fhr", "140" },
                         program);
    };

    // Two beds are taken, and served until the station ends.
    MonitorSimProcess first, second, third;
    ASSERT_TRUE(start(first, "127.0.0.2"));
    ASSERT_TRUE(WaitUntil([&] { return first.Output().find("station: A0 F1 01") != std::string::npos; },
                          std::chrono::seconds(30)))
        << first.Output();
    ASSERT_TRUE(start(second, "127.0.0.3"));
    ASSERT_TRUE(WaitUntil([&] { return second.Output().find("station: A0 F1 01") != std::string::npos; },
                          std::chrono::seconds(30)))
        << second.Output();

    // The third is refused.
    ASSERT_TRUE(start(third, "127.0.0.4"));
    int status = third.WaitForEnd(std::chrono::seconds(30));
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n" << third.Output();
    EXPECT_EQ(WEXITSTATUS(status), kStationClosedStatus);
    EXPECT_NE(third.Output().find("monitor-sim: the station closed the link before taking the monitor"),
              std::string::npos)
        << third.Output();

    // The station ends: the two that were sending learn it from the link.
    kill(pid, SIGTERM);
    EXPECT_TRUE(WIFEXITED(StationProcess::WaitForEnd(pid)));
    for (MonitorSimProcess* sim : { &first, &second }) {
        status = sim->WaitForEnd(std::chrono::seconds(30));
        ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n" << sim->Output();
        EXPECT_EQ(WEXITSTATUS(status), kStationClosedStatus);
        EXPECT_NE(sim->Output().find("monitor-sim: the station closed the link while the monitor was sending"),
                  std::string::npos)
            << sim->Output();
    }

    // No simulator wrote a run log; the station's holds its own start banner alone.
    EXPECT_FALSE(folder.Exists("Log"));
    const std::string log = station.RunLogs();
    EXPECT_EQ(log.find("Central Start"), log.rfind("Central Start")) << log;
}

} // namespace
