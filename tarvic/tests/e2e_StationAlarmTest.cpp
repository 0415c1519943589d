// End to end: a bed's alarm through the TarvicII program itself, started headless, with the
// monitor simulator program on loopback. The simulator plays a steady heart rate inside the
// limits, then goes above the FHR1 upper limit for six seconds and comes back, as a monitor it
// sets the alarm cause of its parameter packets meanwhile. The station sounds its alarm (the
// sounds are noted in a file in place of the sound device) only while the alarm lasts, a viewing
// station on the viewer port receives the packets in alarm and after, and the station took the
// waiting script's look at its monitor port for no bed.
#include "support/MonitorSimProcess.h"
#include "support/StationProcess.h"
#include "support/ViewerTap.h"

#include "nyraclient/startup/NyraRunLog.h"
#include "testkit/Xvfb.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace stationtest;

namespace {

using Clock = std::chrono::steady_clock;

// The times of the sounds a program noted in its sound log.
std::vector<Clock::time_point> SoundTimes(const std::string& path)
{
    std::vector<Clock::time_point> times;
    std::ifstream in(path);
    std::string word;
    long long ms = 0;
    std::string rest;
    while (in >> word >> ms && std::getline(in, rest))
        if (word == "play")
            times.push_back(Clock::time_point(std::chrono::milliseconds(ms)));
    return times;
}

// Waits, by the script the run script uses, until the station listens on `port`: 0 then.
int WaitForListener(UINT port, pid_t station)
{
    return testkit::RunTool(
        { testkit::SourcePath("scripts/wait-listener"), std::to_string(port), "30", std::to_string(station) });
}

int Count(const std::string& text, const std::string& what)
{
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(StationAlarm, AnFhr1ExcursionSoundsReachesAViewerAndClears)
{
    StationProcess station;
    const UINT monitorPort = FreePort(), viewerPort = FreePort();
    const std::string sounds = station.home / "sounds.txt";
    const pid_t pid = station.Start({ "--ports", std::to_string(monitorPort) + "," + std::to_string(viewerPort) },
                                    { "PLATFORM_HOST=null", "PLATFORM_SOUND_LOG=" + sounds });
    ASSERT_GT(pid, 0);
    ASSERT_EQ(WaitForListener(monitorPort, pid), 0) << "the station does not listen";
    ViewerTap viewer(viewerPort);

    // 140 bpm for six seconds, 175 for six (above the monitor's default upper limit of 160),
    // then 140 again.
    MonitorSimProcess sim;
    ASSERT_TRUE(sim.Start({ "--tcp", "127.0.0.1:" + std::to_string(monitorPort), "--local", "127.0.0.2", "--fhr",
                            "140", "--seconds", "20", "--fault", "fhr-high@6", "--fault", "fhr-back@12" }));

    const int normal = viewer.WaitFor(PK_TYPE_PARAM, 0, WithFhr1Cause(0), std::chrono::seconds(30));
    ASSERT_GE(normal, 0) << "no parameters reached the viewer\n" << sim.Output();
    const int alarm = viewer.WaitFor(PK_TYPE_PARAM, size_t(normal), WithFhr1Cause(1), std::chrono::seconds(30));
    ASSERT_GE(alarm, 0) << "the viewer saw no FHR1 alarm\n" << sim.Output();
    const int cleared = viewer.WaitFor(PK_TYPE_PARAM, size_t(alarm), WithFhr1Cause(0), std::chrono::seconds(30));
    ASSERT_GE(cleared, 0) << "the FHR1 alarm did not clear\n" << sim.Output();
    // The viewer received every second of the alarm, each with its cause "Upper Limit".
    const auto relayed = viewer.Packets(PK_TYPE_PARAM);
    EXPECT_EQ(cleared - alarm, 6);
    for (int i = alarm; i < cleared; ++i)
        EXPECT_EQ(Fhr1Cause(relayed[size_t(i)]), 1) << "second " << i - alarm << " of the alarm";
    const Clock::time_point alarmAt = relayed[size_t(alarm)].at, clearedAt = relayed[size_t(cleared)].at;

    // The sounds: none while the heart rate was inside its limits, the first as the alarm came,
    // then every 3 seconds while it lasted, none after it cleared.
    std::this_thread::sleep_for(std::chrono::seconds(4));
    const auto played = SoundTimes(sounds);
    // A sound is noted a moment after the thread decided on it; the sounds are 3 s apart.
    const auto slack = std::chrono::milliseconds(1000);
    int before = 0, during = 0, after = 0;
    for (const Clock::time_point at : played) {
        before += at < alarmAt - slack;
        during += at >= alarmAt - slack && at <= clearedAt + slack;
        after += at > clearedAt + slack;
    }
    EXPECT_EQ(before, 0) << "an alarm sound while the heart rate was inside its limits";
    EXPECT_GE(during, 2);
    EXPECT_LE(during, 3);
    EXPECT_EQ(after, 0) << "the alarm sound went on after the alarm cleared";
    ASSERT_FALSE(played.empty());
    EXPECT_LT(played.front() - alarmAt, std::chrono::milliseconds(1500));

    EXPECT_EQ(sim.WaitForEnd(std::chrono::seconds(30)), 0) << sim.Output();
    kill(pid, SIGTERM);
    const int status = StationProcess::WaitForEnd(pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    // The waiting script's look at the monitor port took no bed: the station's run log has the
    // one monitor, and one start banner (the simulator keeps none of its own there).
    const std::string log = station.RunLogs();
    EXPECT_EQ(Count(log, nyraclient::runlog::kConnected), 1) << log;
    EXPECT_EQ(Count(log, "RECONNECTED"), 0) << log;
    EXPECT_EQ(Count(log, nyraclient::runlog::kStartBanner), 1) << log;
}

} // namespace
