// End to end: the TarvicII program itself, copied into a program folder of its own and started
// headless with an empty home folder. It creates its data folder and database, takes a monitor
// and a viewer, ends in order on SIGTERM, and a second start raises the first and ends, saying
// why on standard error and in the run log. The check
// on the classic ports 5000 and 5100 runs only when they are free on this machine.
#include "support/StationFixture.h"
#include "support/StationProcess.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace stationtest;

namespace {

namespace fs = std::filesystem;
using testkit::TempFolder;

// A monitor from 127.0.0.2 dials until the station listens, then announces itself; true when
// the station acknowledged.
bool MonitorIsServed(MonitorSim& sim, UINT port)
{
    if (!WaitUntil([&] { return sim.ConnectTcp("127.0.0.1", int(port), "127.0.0.2"); },
                   std::chrono::seconds(10)))
        return false;
    sim.Send(sim.ConnectPacket());
    const auto replies = sim.WaitReplies(1, 5000);
    return !replies.empty() && replies[0].IsAck(PK_CONTROL_CONNECT);
}

// A viewing station is taken on `port` (and, with this version's broker, closed again).
// A viewing station is served: the first thing it reads is the client list.
bool ViewerIsTaken(UINT port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval wait { 5, 0 };
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    unsigned char first = 0;
    const bool listed = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && recv(fd, &first, 1, 0) == 1 && first == 0xFA;
    close(fd);
    return listed;
}

TEST(StationProcess, AFreshStationServesMonitorsAndViewersAndEndsInOrderOnSigterm)
{
    StationProcess station;
    const UINT monitorPort = FreePort(), viewerPort = FreePort();
    const pid_t pid =
        station.Start({"--ports", std::to_string(monitorPort) + "," + std::to_string(viewerPort)});
    ASSERT_GT(pid, 0);

    MonitorSim sim;
    ASSERT_TRUE(MonitorIsServed(sim, monitorPort));
    EXPECT_TRUE(ViewerIsTaken(viewerPort));
    // Default settings: the data folder beside the program, with a copy of the empty database.
    EXPECT_TRUE(
        WaitUntil([&] { return station.program.Exists("Data/TarvicII.mdb"); }, std::chrono::seconds(5)));
    EXPECT_FALSE(station.program.Exists("TarvicII.ini"));

    kill(pid, SIGTERM);
    const int status = StationProcess::WaitForEnd(pid);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // The station said goodbye to its monitor before it ended.
    bool goodbye = false;
    for (const auto& reply : sim.WaitReplies(1, 2000))
        goodbye |= reply.IsControl(PK_CONTROL_DISCONNECT, 0);
    EXPECT_TRUE(goodbye);
    // The run log has its end banner; no crash report.
    std::string log;
    for (const auto& entry : fs::directory_iterator(station.program / "Log"))
        log += testkit::ReadText(entry.path().string());
    EXPECT_NE(log.find("Central End"), std::string::npos) << log;
    EXPECT_FALSE(station.program.Exists("MemoryDump"));
}

TEST(StationProcess, ASecondStartRaisesTheFirstAndEnds)
{
    StationProcess station;
    const UINT monitorPort = FreePort(), viewerPort = FreePort();
    const pid_t first =
        station.Start({"--ports", std::to_string(monitorPort) + "," + std::to_string(viewerPort)});
    MonitorSim sim;
    ASSERT_TRUE(MonitorIsServed(sim, monitorPort));

    const pid_t second =
        station.Start({"--ports", std::to_string(FreePort()) + "," + std::to_string(FreePort())});
    const int status = StationProcess::WaitForEnd(second, std::chrono::seconds(10));
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0); // the first runs on
    // The second says why it ended, where the ward's IT person looks.
    EXPECT_NE(station.StandardError().find("another central station is running"), std::string::npos)
        << station.StandardError();
    EXPECT_NE(station.RunLogs().find("[ START ] Another central station runs"), std::string::npos)
        << station.RunLogs();

    kill(first, SIGTERM);
    EXPECT_TRUE(WIFEXITED(StationProcess::WaitForEnd(first)));
}

TEST(StationProcess, OnTheClassicPortsWhenTheyAreFree)
{
    if (FreePort(tarvic::kMonitorPort) == 0 || FreePort(tarvic::kViewerPort) == 0)
        GTEST_SKIP() << "ports 5000 and 5100 are in use on this machine: the station could not take them";
    StationProcess station;
    const pid_t pid = station.Start({});
    MonitorSim sim;
    EXPECT_TRUE(MonitorIsServed(sim, tarvic::kMonitorPort));
    EXPECT_TRUE(ViewerIsTaken(tarvic::kViewerPort));
    kill(pid, SIGTERM);
    const int status = StationProcess::WaitForEnd(pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace
