// End to end: the monitor simulator, on its own thread, against a station in miniature, over
// loopback TCP and over a pseudo-terminal serial line. It announces itself, sends waves and
// parameters, injects faults (garbage, a wrong key, a wrong size, a backward sequence jump, a
// disconnect request, a dropped connection) and the station answers and notifies as it must.
// Like a monitor, it raises its alarm while its heart rate is outside its limits, by the limits
// the station sends it, and otherwise sends every alarm cause as "Normal".
#include "support/StationHarness.h"

#include "nyraclient/link/CUSerialEx.h"
#include "nyraclient/link/SerialFrame.h"

#include "nrdata/packet/PKParam_v110.h"

#include "platform/core/Clock.h"
#include "testkit/Golden.h"
#include "testkit/Pump.h"
#include "testkit/SerialFarEnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

using namespace stationtest;

namespace {

// What the station answered, as kinds: +kind for ACK, -kind for NAK, 0x100 + code otherwise.
std::vector<int> Answers(const std::vector<Reply>& replies)
{
    std::vector<int> kinds;
    for (const Reply& r : replies) {
        if (r.packet[0] != PK_TYPE_CONTROL)
            kinds.push_back(0x200 + r.packet[0]);
        else if (r.packet[1] == PK_CONTROL_ACK)
            kinds.push_back(r.packet[2]);
        else if (r.packet[1] == PK_CONTROL_NAK)
            kinds.push_back(-r.packet[2]);
        else
            kinds.push_back(0x100 + r.packet[1]);
    }
    return kinds;
}

// The monitor's side of a session, run on the simulator's thread. `connectAnswered` says
// whether the station answers a connect notice the simulator sends (on a serial line the
// link takes the first one for its hand-over and the manager answers for it).
std::vector<Reply> RunMonitorSession(MonitorSim& sim, bool sendConnect)
{
    std::vector<Reply> all;
    auto expect = [&](std::size_t n) {
        auto got = sim.WaitReplies(n, 10000);
        all.insert(all.end(), got.begin(), got.end());
    };
    if (sendConnect)
        sim.Send(sim.ConnectPacket());
    expect(1); // ACK of the connect notice: it carries our key
    sim.Send(sim.VersionPacket());
    sim.Send(sim.MonitorPacket());
    sim.Send(sim.PatientPacket());
    sim.Send(sim.AlarmPacket());
    expect(4);
    for (int second = 0; second < 3; ++second)
        sim.SendSecond();
    expect(3);
    sim.InjectGarbage(37);
    sim.SendSecond();
    expect(1);
    sim.Send(MonitorSim::WithWrongKey(sim.ParamPacket()));
    expect(1);
    sim.JumpSequenceBack(60);
    sim.SendSecond();
    expect(1);
    sim.Send(sim.DisconnectPacket());
    expect(1);
    return all;
}

const std::vector<int> kSessionAnswers {
    PK_CONTROL_CONNECT,
    PK_TYPE_PROTOCOL_VER, PK_TYPE_MONITOR, PK_TYPE_PATIENT, PK_TYPE_ALARM,
    PK_TYPE_PARAM, PK_TYPE_PARAM, PK_TYPE_PARAM,
    PK_TYPE_PARAM,      // after the garbage
    -PK_TYPE_PARAM,     // the wrong key
    PK_TYPE_PARAM,      // after the backward jump
    PK_CONTROL_DISCONNECT,
};

TEST(EndToEnd, AMonitorOnLoopbackTcpIsServedFromAnnouncementToDisconnect)
{
    Station station;
    NyraClientSock* sock = nullptr;
    auto sim = station.ConnectMonitor(sock);
    sim->LoadTrace(monitorsim::SampleTracePath());
    NyraClientInfo* client = station.Attach(*sim, sock);
    ASSERT_NE(client, nullptr);

    std::atomic<bool> done { false };
    std::vector<Reply> replies;
    std::thread monitor([&] {
        replies = RunMonitorSession(*sim, true);
        done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    monitor.join();
    EXPECT_EQ(Answers(replies), kSessionAnswers);

    // The bed is removed after the disconnect notice, and the station was told.
    EXPECT_TRUE(PumpUntil([&] { return station.manager.GetClientCount() == 0; }));
    EXPECT_EQ(station.parent.notices, (std::vector<Notice> { { client, CLIENT_NOTIFY_DISCONNECTED, 0 } }));
    EXPECT_TRUE(PumpUntil([&] {
        sim->Poll(0);
        return sim->PeerClosed();
    }));
}

// A serial port of the station whose device is a pseudo-terminal, the simulator on its far
// side, and the station's link on the port once the simulator's connect frame has come.
class SerialLine
{
public:
    static constexpr unsigned kPort = 9;

    // Opens the line and sends the connect frame; the link is the station's (the caller hands
    // it over).
    void Open(Station& station, MonitorSim& sim)
    {
        ASSERT_TRUE(m_far.Ok());
        link = new CUSerialEx(&station.parent);
        link->Connect(kPort, 115200, 8, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return link->IsConnected() == TRUE; }));
        sim.Adopt(m_far.Release(), true);
        ASSERT_TRUE(sim.Send(sim.ConnectPacket()));
        // The station's serial port manager hands the link over once it has seen the frame.
        ASSERT_TRUE(PumpUntil([&] { return link->IsCentralConnected() == 1; }));
    }

    CUSerialEx* link { nullptr };

private:
    testkit::SerialFarEnd m_far { kPort };
};

Bytes Framed(const Bytes& packet)
{
    BYTE frame[SERIAL_FRAME_SIZE];
    EXPECT_EQ(MakeSerialFrame(packet.data(), int(packet.size()), frame), 1);
    return Bytes(frame, frame + SERIAL_FRAME_SIZE);
}

Bytes Slice(const Bytes& bytes, std::size_t first, std::size_t last)
{
    return Bytes(bytes.begin() + long(first), bytes.begin() + long(last));
}

TEST(EndToEnd, AMonitorOnASerialLineIsServedFromItsConnectFrameToDisconnect)
{
    Station station;
    MonitorSim sim;
    SerialLine line;
    ASSERT_NO_FATAL_FAILURE(line.Open(station, sim));
    CUSerialEx* link = line.link;

    std::atomic<bool> done { false };
    std::vector<Reply> replies;
    std::thread monitor([&] {
        replies = RunMonitorSession(sim, false);
        done = true;
    });
    ASSERT_EQ(station.manager.Connected(link), 1);
    NyraClientInfo* client = station.manager.GetClient(0);
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    monitor.join();
    EXPECT_EQ(Answers(replies), kSessionAnswers);
    EXPECT_TRUE(PumpUntil([&] { return station.manager.GetClientCount() == 0; }));
    EXPECT_EQ(station.parent.notices, (std::vector<Notice> { { client, CLIENT_NOTIFY_DISCONNECTED, 0 } }));
    nyraclient::FlushDeferredDeletes();
}

// The client cuts frames out of what it takes from the link and is told only when a frame's
// worth is queued there. A frame whose first bytes came with the frame before it and whose
// last bytes then come alone (fewer than a frame's worth) must still be read and answered:
// the monitor sends nothing more until it is.
TEST(EndToEnd, AFrameWhoseLastBytesComeAloneOnASerialLineIsAnswered)
{
    Station station;
    MonitorSim sim;
    SerialLine line;
    ASSERT_NO_FATAL_FAILURE(line.Open(station, sim));
    ASSERT_EQ(station.manager.Connected(line.link), 1);
    ASSERT_EQ(Answers(Exchange(sim, {}, 1)), std::vector<int> { PK_CONTROL_CONNECT });

    const Bytes monitor = Framed(sim.MonitorPacket());
    for (const std::size_t split : { std::size_t(1), std::size_t(50), std::size_t(109) }) {
        SCOPED_TRACE(split);
        EXPECT_EQ(Answers(Exchange(sim, Join({ Framed(sim.VersionPacket()), Slice(monitor, 0, split) }), 1)),
                  std::vector<int> { PK_TYPE_PROTOCOL_VER });
        EXPECT_EQ(Answers(Exchange(sim, Slice(monitor, split, SERIAL_FRAME_SIZE), 1)),
                  std::vector<int> { PK_TYPE_MONITOR });
    }
    EXPECT_EQ(Answers(Exchange(sim, Framed(sim.DisconnectPacket()), 1)), std::vector<int> { PK_CONTROL_DISCONNECT });
    EXPECT_TRUE(PumpUntil([&] { return station.manager.GetClientCount() == 0; }));
    nyraclient::FlushDeferredDeletes();
}

TEST(EndToEnd, ADroppedConnectionTimesOutAndTheMonitorComesBackToItsBed)
{
    platform::ScopedTestClock clock(10'000);
    RunLogFile log;
    Station station;
    NyraClientSock* sock = nullptr;
    auto sim = station.ConnectMonitor(sock);
    NyraClientInfo* client = station.Attach(*sim, sock);
    ASSERT_EQ(Answers(Exchange(*sim, sim->ConnectPacket(), 1)), std::vector<int> { PK_CONTROL_CONNECT });
    ASSERT_EQ(Answers(Exchange(*sim, Join({ sim->MonitorPacket(), sim->ParamPacket() }), 2)),
              (std::vector<int> { PK_TYPE_MONITOR, PK_TYPE_PARAM }));
    const std::uint8_t key = sim->Key();
    sim->Drop();

    testkit::AdvancePumped(clock, 15'000);
    EXPECT_EQ(client->IsNetworkAlarm(), 1);
    EXPECT_EQ(station.manager.GetClientCount(), 1);
    EXPECT_EQ(station.parent.notices.size(), 0u) << "a time-out keeps the bed and does not notify";

    NyraClientSock* again = nullptr;
    auto back = station.ConnectMonitor(again);
    station.manager.ReConnected(again, station.manager.PeerCheck(127, 0, 0, 1));
    ASSERT_EQ(Answers(Exchange(*back, back->ConnectPacket(), 1)), std::vector<int> { PK_CONTROL_CONNECT });
    EXPECT_EQ(back->Key(), key);
    // Until its monitor packet is accepted again, its parameters are not taken.
    EXPECT_TRUE(Settle(*back, back->ParamPacket()).empty());
    EXPECT_EQ(Answers(Exchange(*back, Join({ back->MonitorPacket(), back->ParamPacket() }), 2)),
              (std::vector<int> { PK_TYPE_MONITOR, PK_TYPE_PARAM }));
    EXPECT_EQ(client->IsNetworkAlarm(), 0);
    const auto lines = log.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "[ RECONNECTED - TimeOut] - 127:0:0:1"), lines.end());
}

} // namespace

// ---- alarms ------------------------------------------------------------------------------------

// Every alarm cause byte of a parameter packet, by name.
std::vector<std::pair<const char*, BYTE>> Causes(const Bytes& bytes)
{
    PKParam_v110 packet;
    EXPECT_NE(packet.SetPacket(bytes.data(), int(bytes.size()), FALSE), 0);
    return { { "FHR1", packet.GetFHR1Alarm() }, { "FHR2", packet.GetFHR2Alarm() }, { "UC", packet.GetUCAlarm() },
             { "ECG", packet.GetECGAlarm() },   { "SpO2", packet.GetSpO2Alarm() }, { "NIBP", packet.GetNIBPAlarm() },
             { "TEMP", packet.GetTempAlarm() }, { "FECG", packet.GetFECGAlarm() }, { "FSpO2", packet.GetFSpO2Alarm() },
             { "IUP", packet.GetIUPAlarm() } };
}

TEST(EndToEnd, TheMonitorAlarmsOutsideItsLimitsAndJudgesByTheLimitsTheStationSends)
{
    Station station;
    NyraClientSock* sock = nullptr;
    auto sim = station.ConnectMonitor(sock);
    NyraClientInfo* client = station.Attach(*sim, sock);
    ASSERT_NE(client, nullptr);
    ASSERT_EQ(Exchange(*sim, sim->ConnectPacket(), 1).size(), 1u);
    ASSERT_EQ(Exchange(*sim, Join({ sim->VersionPacket(), sim->MonitorPacket(), sim->PatientPacket(), sim->AlarmPacket() }), 4)
                  .size(),
              4u);
    NyraAlarmManager& alarms = client->GetAlarmManager();

    // One second at `bpm`: the FHR1 cause the monitor sent (every other cause must be "Normal")
    // and the number of alarms the station then holds for the bed.
    const auto second = [&](int bpm, BYTE& fhr1) {
        sim->SetSteadyFhr(bpm);
        const Bytes packet = sim->ParamPacket();
        EXPECT_EQ(Exchange(*sim, packet, 1).size(), 1u);
        fhr1 = 0xEE;
        for (const auto& [name, cause] : Causes(packet)) {
            if (std::string(name) == "FHR1")
                fhr1 = cause;
            else
                EXPECT_EQ(cause, 0) << name << " at " << bpm << " bpm";
        }
        return alarms.GetAlarmCount();
    };

    // The default limits 110~160, FHR1 and FHR2 on at the high level.
    struct Case
    {
        int bpm;
        BYTE cause;
    };
    for (const Case& c : { Case { 140, 0 }, Case { 110, 0 }, Case { 160, 0 }, Case { 161, 1 },
                           Case { MonitorSim::kHighFhr, 1 }, Case { 109, 2 }, Case { MonitorSim::kLowFhr, 2 },
                           Case { 150, 0 } }) {
        SCOPED_TRACE(c.bpm);
        BYTE fhr1 = 0;
        EXPECT_EQ(second(c.bpm, fhr1), c.cause == 0 ? 0 : 1);
        EXPECT_EQ(fhr1, c.cause);
        EXPECT_EQ(alarms.GetAlarm(ALARMTYPE_FHR1), c.cause);
        EXPECT_EQ(alarms.GetAlarmLevel(ALARMTYPE_FHR1), 2);
        // FHR2 is switched on and has no transducer: never an alarm.
        EXPECT_EQ(alarms.GetAlarm(ALARMTYPE_FHR2), 0);
    }

    // The station raises the upper limit to 200: once the monitor acknowledged, 175 is normal
    // and 201 is not.
    PKAlarm_v110 raised(client->GetAlarmPacket());
    raised.SetFHR1Limit(110, 200);
    client->Send_Alarm(raised.GetPacket(), UINT(raised.GetPacketSize()));
    ASSERT_TRUE(PumpUntil([&] {
        sim->Poll(0);
        return client->IsWaitingAck(NyraClientInfo::WAIT_ACK_ALARM) == 0;
    }));
    int lower = 0, upper = 0;
    sim->AlarmSettings().GetFHR1Limit(lower, upper);
    EXPECT_EQ(upper, 200);
    BYTE fhr1 = 0;
    EXPECT_EQ(second(MonitorSim::kHighFhr, fhr1), 0);
    EXPECT_EQ(fhr1, 0);
    EXPECT_EQ(second(201, fhr1), 1);
    EXPECT_EQ(fhr1, 1);

    // Switched off by the station, FHR1 raises nothing at any rate.
    PKAlarm_v110 off(client->GetAlarmPacket());
    off.SetFHR1AlarmEnable(0);
    client->Send_Alarm(off.GetPacket(), UINT(off.GetPacketSize()));
    ASSERT_TRUE(PumpUntil([&] {
        sim->Poll(0);
        return client->IsWaitingAck(NyraClientInfo::WAIT_ACK_ALARM) == 0;
    }));
    EXPECT_EQ(second(230, fhr1), 0);
    EXPECT_EQ(fhr1, 0);

    // Changed at the monitor (on again, 100~120), the settings reach the station, which
    // acknowledges and keeps them; 140 is then above the limit.
    PKAlarm_v110 panel(sim->AlarmSettings());
    panel.SetFHR1AlarmEnable(1);
    panel.SetFHR1Limit(100, 120);
    ASSERT_TRUE(sim->ChangeAlarmSettings(panel));
    const auto acknowledged = Exchange(*sim, {}, 1);
    ASSERT_EQ(acknowledged.size(), 1u);
    EXPECT_TRUE(acknowledged[0].IsAck(PK_TYPE_ALARM));
    client->GetAlarmPacket().GetFHR1Limit(lower, upper);
    EXPECT_EQ(upper, 120);
    EXPECT_EQ(second(140, fhr1), 1);
    EXPECT_EQ(fhr1, 1);
}

// The recorded trace, signal loss included (no data there, and no data is no alarm): every cause
// byte is a cause a monitor sends, FHR1's the limit cause of the second's last heart rate.
TEST(EndToEnd, TheSampleTraceSendsEveryAlarmByteAsARealCause)
{
    MonitorSim sim;
    sim.LoadTrace(monitorsim::SampleTracePath());
    int upper = 0;
    int lower = 0;
    for (int second = 0; second < 2000; ++second) {
        const Bytes bytes = sim.ParamPacket();
        for (const auto& [name, cause] : Causes(bytes)) {
            ASSERT_LE(cause, 2) << name << " at second " << second;
            if (std::string(name) != "FHR1")
                ASSERT_EQ(cause, 0) << name << " at second " << second;
        }
        PKParam_v110 packet;
        packet.SetPacket(bytes.data(), int(bytes.size()), FALSE);
        upper += packet.GetFHR1Alarm() == 1;
        lower += packet.GetFHR1Alarm() == 2;
        int last = PK_NODATA_BYTE;
        for (int i = 0; i < PKParam_v110::kSamples; ++i)
            if (packet.GetFHR1(i) != PK_NODATA_BYTE)
                last = packet.GetFHR1(i);
        const BYTE expected = last == PK_NODATA_BYTE ? 0 : last > 160 ? 1 : last < 110 ? 2 : 0;
        ASSERT_EQ(packet.GetFHR1Alarm(), expected) << "second " << second << ", last rate " << last;
    }
    // The recorded trace leaves its limits now and then, as the ward sees it.
    EXPECT_GT(upper + lower, 0);
}
