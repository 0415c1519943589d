// The connection watchdog on the test clock: a TCP monitor silent for 15,000 ms (not 14,999)
// times out, a serial one after 30,000 ms; the time-out releases the link, raises the network
// alarm, keeps the bed and writes its log lines; only good packets hold it off; the tick
// counter's wrap-around is no time-out; a monitor comes back to its bed with and without a
// time-out.
#include "support/StationHarness.h"

#include "nyraclient/link/CUSerialEx.h"
#include "nyraclient/link/SerialFrame.h"

#include "platform/core/Clock.h"
#include "testkit/Pump.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace stationtest;

namespace {

bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

long CountLines(const std::vector<std::string>& lines, const std::string& line)
{
    return std::count(lines.begin(), lines.end(), line);
}

class Watchdog : public ::testing::Test
{
protected:
    explicit Watchdog(std::uint64_t start = 1'000'000) : m_clock(start) {}

    void SetUp() override
    {
        m_station = std::make_unique<Station>();
        NyraClientSock* sock = nullptr;
        m_sim = m_station->ConnectMonitor(sock);
        m_client = m_station->Attach(*m_sim, sock);
        ASSERT_NE(m_client, nullptr);
        ASSERT_EQ(Exchange(*m_sim, Join({ m_sim->ConnectPacket() }), 1).size(), 1u);
        ASSERT_EQ(Exchange(*m_sim, m_sim->MonitorPacket(), 1).size(), 1u);
    }
    void TearDown() override { m_station.reset(); }

    void Advance(std::uint64_t ms) { testkit::AdvancePumped(m_clock, ms); }

    platform::ScopedTestClock m_clock;
    RunLogFile m_log;
    std::unique_ptr<Station> m_station;
    std::unique_ptr<MonitorSim> m_sim;
    NyraClientInfo* m_client { nullptr };
};

const std::string kNotComplete = "[ Disconnected - Not Complete ] - 127:0:0:1";

TEST_F(Watchdog, ATcpMonitorSilentFor14999MsIsKeptAndAt15000MsTimesOut)
{
    Advance(14'999);
    EXPECT_EQ(m_client->IsNetworkAlarm(), 0);
    EXPECT_FALSE(HasLine(m_log.Lines(), kNotComplete));

    Advance(1);
    EXPECT_EQ(m_client->IsNetworkAlarm(), 1);
    EXPECT_EQ(m_client->GetAlarmManager().GetAlarm(ALARMTYPE_NETWORK), 1);
    EXPECT_EQ(m_client->IsMonitorAccepted(), 0);
    EXPECT_EQ(m_client->IsConnected(), 0);
    EXPECT_TRUE(HasLine(m_log.Lines(), kNotComplete));
    // The bed stays; the link is closed.
    EXPECT_EQ(m_station->manager.GetClient(0), m_client);
    EXPECT_TRUE(PumpUntil([&] {
        m_sim->Poll(0);
        return m_sim->PeerClosed();
    }));

    // The check goes on every second without effect.
    Advance(5'000);
    EXPECT_EQ(CountLines(m_log.Lines(), kNotComplete), 1);
}

TEST_F(Watchdog, OnlyPacketsThatLoadHoldTheTimeOutOff)
{
    Advance(10'000);
    ASSERT_EQ(Exchange(*m_sim, m_sim->VersionPacket(), 1).size(), 1u); // good: tick reset
    Advance(10'000);
    EXPECT_EQ(m_client->IsNetworkAlarm(), 0);
    auto nak = Exchange(*m_sim, MonitorSim::WithWrongKey(m_sim->ParamPacket()), 1);
    ASSERT_EQ(nak.size(), 1u);
    EXPECT_TRUE(nak[0].IsNak(PK_TYPE_PARAM));
    Advance(5'000);
    EXPECT_EQ(m_client->IsNetworkAlarm(), 1) << "a monitor sending only bad packets times out";
}

TEST_F(Watchdog, AMonitorComesBackToItsBedAfterATimeOut)
{
    Advance(15'000);
    ASSERT_EQ(m_client->IsNetworkAlarm(), 1);

    NyraClientSock* sock = nullptr;
    auto again = m_station->ConnectMonitor(sock);
    const int index = m_station->manager.PeerCheck(127, 0, 0, 1);
    ASSERT_EQ(index, 0);
    m_station->manager.ReConnected(sock, index);
    EXPECT_TRUE(HasLine(m_log.Lines(), "[ RECONNECTED - TimeOut] - 127:0:0:1"));
    EXPECT_EQ(m_client->GetSocket(), sock);

    auto replies = Exchange(*again, again->ConnectPacket(), 1);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(replies[0].IsAck(PK_CONTROL_CONNECT));
    EXPECT_EQ(again->Key(), m_client->GetKey());
    EXPECT_EQ(m_client->IsNetworkAlarm(), 0);
    EXPECT_EQ(m_client->GetAlarmManager().GetAlarm(ALARMTYPE_NETWORK), 0);
    EXPECT_EQ(m_client->IsConnected(), 1);
    EXPECT_EQ(m_station->manager.GetClientCount(), 1);
}

TEST_F(Watchdog, AMonitorThatComesBackWithoutATimeOutReplacesItsOldLink)
{
    NyraClientSock* sock = nullptr;
    auto again = m_station->ConnectMonitor(sock);
    m_station->manager.ReConnected(sock, m_station->manager.PeerCheck(127, 0, 0, 1));
    EXPECT_TRUE(HasLine(m_log.Lines(), "[ RECONNECTED - Not TimeOut] - 127:0:0:1"));
    EXPECT_TRUE(PumpUntil([&] {
        m_sim->Poll(0);
        return m_sim->PeerClosed();
    }));
    again->SetKey(m_sim->Key());
    EXPECT_EQ(Exchange(*again, again->VersionPacket(), 1).size(), 1u);
}

class WatchdogNearWrap : public Watchdog
{
protected:
    WatchdogNearWrap() : Watchdog(0xFFFFFFFFull - 3'000) {}
};

TEST_F(WatchdogNearWrap, TheTickCounterWrappingIsNoTimeOut)
{
    Advance(10'000);
    EXPECT_EQ(m_client->IsNetworkAlarm(), 0);
    Advance(5'000);
    EXPECT_EQ(m_client->IsNetworkAlarm(), 1);
}

// ---- serial ------------------------------------------------------------------------------------------------

TEST(WatchdogSerial, ASerialMonitorTimesOutAfter30000MsAndItsLinkIsReleased)
{
    platform::ScopedTestClock clock(5'000'000);
    RunLogFile log;
    testkit::SerialFarEnd far(7);
    ASSERT_TRUE(far.Ok());
    Station station;
    auto* link = new CUSerialEx(&station.parent);
    link->Connect(7, 115200, 8, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return link->IsConnected() == TRUE; }));
    ASSERT_GE(station.manager.Connected(link), 1);
    NyraClientInfo* client = station.manager.GetClient(0);
    ASSERT_NE(client, nullptr);
    // The manager's own connect notice is answered on the line.
    const auto ack = far.Receive(SERIAL_FRAME_SIZE);
    ASSERT_EQ(ack.size(), std::size_t(SERIAL_FRAME_SIZE));
    EXPECT_EQ(ack[1], PK_TYPE_CONTROL);
    EXPECT_EQ(ack[2], PK_CONTROL_ACK);

    auto advance = [&](std::uint64_t ms) { testkit::AdvancePumped(clock, ms); };
    advance(15'000);
    EXPECT_EQ(client->IsNetworkAlarm(), 0);
    advance(14'999);
    EXPECT_EQ(client->IsNetworkAlarm(), 0);
    advance(1);
    EXPECT_EQ(client->IsNetworkAlarm(), 1);
    EXPECT_EQ(client->GetSerial(), nullptr);
    const auto lines = log.Lines();
    for (const char* line : { "[ Disconnected - Not Complete ] - COM7", "[ TimeOut():m_pSerial:Start ] - COM7",
                              "[ TimeOut():m_pSerial:End ] - COM7" })
        EXPECT_TRUE(HasLine(lines, line)) << line;
    // Nothing goes out on a released link.
    client->Send_Control(PK_CONTROL_ACK, 0);
    EXPECT_EQ(station.manager.PeerCheck(7u), 0) << "the bed keeps its port for the monitor's return";
}

} // namespace
