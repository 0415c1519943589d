// The client manager: the two-bed limit and its refusals, the limit of beds listed by another
// station, monitor numbers, keys, log lines, removing beds on the user's request and when the
// monitor goes, serial beds on ports no longer configured, and the notifications to the
// station's window.
#include "support/StationHarness.h"

#include "nyraclient/link/CUSerialEx.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "platform/core/Clock.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace stationtest;

namespace {

class Manager : public ::testing::Test
{
protected:
    NyraClientInfo* AddMonitor()
    {
        NyraClientSock* sock = nullptr;
        m_sims.push_back(m_station.ConnectMonitor(sock));
        NyraClientInfo* client = m_station.Attach(*m_sims.back(), sock);
        Exchange(*m_sims.back(), m_sims.back()->ConnectPacket(), 1);
        return client;
    }

    RunLogFile m_log;
    Station m_station;
    std::vector<std::unique_ptr<MonitorSim>> m_sims;
};

TEST_F(Manager, AThirdMonitorIsRefusedAndItsSocketStaysWithTheCaller)
{
    NyraClientInfo* first = AddMonitor();
    NyraClientInfo* second = AddMonitor();
    EXPECT_EQ(first->GetKey(), 1);
    EXPECT_EQ(second->GetKey(), 2);

    NyraClientSock* sock = nullptr;
    auto third = m_station.ConnectMonitor(sock);
    const auto linesBefore = m_log.Lines().size();
    EXPECT_EQ(m_station.manager.Connected(sock), -1);
    EXPECT_EQ(m_station.manager.GetClientCount(), 2);
    EXPECT_EQ(m_station.manager.FindClient(sock, 0), -1);
    EXPECT_EQ(m_log.Lines().size(), linesBefore) << "a refusal is not logged";
    EXPECT_EQ(sock->GetNotifyWnd(), nullptr);
    delete sock; // the caller's to close

    // The key of a removed bed is given to the next monitor.
    m_station.manager.RemoveClient(first, TRUE);
    nyraclient::FlushDeferredDeletes();
    EXPECT_EQ(AddMonitor()->GetKey(), 1);
}

TEST_F(Manager, ConnectedAndDisconnectedWriteTheirLogLines)
{
    NyraClientInfo* client = AddMonitor();
    m_station.manager.Disconnected(client);
    nyraclient::FlushDeferredDeletes();
    EXPECT_EQ(m_log.Lines(), (std::vector<std::string> { "[ CONNECTED ]", "IP   : 127:0:0:1", "KEY  : 1",
                                                         "[ DISCONNECTED ]", "IP   : 127:0:0:1", "KEY  : 1" }));
}

TEST_F(Manager, BedsListedByAnotherStationAreLimitedByTheBedsPresent)
{
    struct Case
    {
        int positionFix;
        int limit;
    };
    for (const Case c : { Case { 0, 2 }, Case { 1, 4 } }) {
        SCOPED_TRACE(c.positionFix);
        NyraConfig config = m_station.manager.GetConfig();
        config.DevicePositionFix = c.positionFix;
        m_station.manager.SetConfig(config, FALSE);
        for (int i = 0; i < c.limit; ++i)
            EXPECT_EQ(m_station.manager.ConnectedAsLan(10, 0, 0, BYTE(i + 1), 40 + i), 40 + i);
        EXPECT_EQ(m_station.manager.ConnectedAsLan(10, 0, 0, 99, 50), -1);
        EXPECT_EQ(m_station.manager.ConnectedAsSerial(3, 51), -1);
        // A removed bed makes room again.
        m_station.manager.RemoveClient(m_station.manager.GetClient(0), TRUE);
        EXPECT_EQ(m_station.manager.ConnectedAsSerial(3, 51), 51);
        // With fixed positions, beds without a monitor number come after the 16 places.
        EXPECT_EQ(m_station.manager.PeerCheck(3u), (c.positionFix ? 16 : 0) + c.limit - 1);
        m_station.manager.ClearAll();
    }
}

TEST_F(Manager, MonitorNumbersAreCheckedOnlyWithFixedPositions)
{
    struct Case
    {
        int positionFix;
        int number;
        int enabled;
    };
    const Case cases[] = {
        { 0, 0, 1 }, { 0, 17, 1 }, { 0, 255, 1 }, { 1, 0, 0 }, { 1, 1, 1 }, { 1, 16, 1 }, { 1, 17, 0 },
    };
    for (const Case& c : cases) {
        NyraConfig config = m_station.manager.GetConfig();
        config.DevicePositionFix = c.positionFix;
        m_station.manager.SetConfig(config, FALSE);
        EXPECT_EQ(m_station.manager.IsEnableMonitor(c.number), c.enabled) << c.positionFix << "/" << c.number;
    }
}

TEST_F(Manager, RemovingABedWhoseMonitorIsConnectedOnlyExplains)
{
    testkit::ScriptedDialogs dialogs;
    NyraClientInfo* client = AddMonitor();
    m_station.manager.RemoveClient(client, FALSE);
    auto shown = dialogs.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    CString text;
    text.LoadString(nyraclient::IDS_CLIENT_CANT_DISCONNECT);
    EXPECT_FALSE(text.IsEmpty());
    EXPECT_EQ(shown[0].text, text);
    EXPECT_EQ(shown[0].Buttons(), UINT(MB_OK));
    EXPECT_EQ(m_station.manager.GetClientCount(), 1);
}

TEST_F(Manager, RemovingATimedOutBedAsksAndRemovesOnlyOnOk)
{
    platform::ScopedTestClock clock(1000);
    testkit::ScriptedDialogs dialogs;
    NyraClientInfo* client = AddMonitor();
    client->TimeOut();
    ASSERT_EQ(client->IsNetworkAlarm(), 1);

    dialogs.AnswerBoxes({ IDCANCEL });
    m_station.manager.RemoveClient(client, FALSE);
    EXPECT_EQ(m_station.manager.GetClientCount(), 1);

    dialogs.AnswerBoxes({ IDOK });
    m_station.manager.RemoveClient(client, FALSE);
    EXPECT_EQ(m_station.manager.GetClientCount(), 0);
    auto shown = dialogs.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Buttons(), UINT(MB_OKCANCEL));
    // The user's removal neither notifies the station nor logs.
    EXPECT_TRUE(m_station.parent.notices.empty());
    const auto lines = m_log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "[ DISCONNECTED ]"), 0);
}

TEST_F(Manager, AGoneMonitorsAdmittedExpandedBedIsCollapsedDischargedAndFreed)
{
    NyraClientInfo* client = AddMonitor();
    TBLPatient patient;
    patient.P_ID = "P-9";
    m_station.manager.Admit(client, patient);
    ASSERT_TRUE(PumpUntil([&] {
        m_sims[0]->Poll(0);
        return client->IsAdmitted() == 1;
    }));
    ASSERT_EQ(m_station.manager.ExpandClient(client), 1);
    ASSERT_NE(client->GetEnlargedControl(), nullptr);
    const int tile = client->GetTileID();
    ASSERT_GE(tile, 0);
    EXPECT_EQ(m_station.manager.IsTileIdUsed(tile), 1);

    m_station.manager.Disconnected(client);
    EXPECT_EQ(m_station.manager.GetExpandedClient(), nullptr);
    EXPECT_EQ(m_station.manager.IsTileIdUsed(tile), 0);
    EXPECT_EQ(m_station.manager.GetKeyPool().GetUsedCount(), 0);
    EXPECT_EQ(m_station.manager.CheckAdmitInfoInUse("P-9"), 0);
    EXPECT_EQ(m_station.parent.notices, (std::vector<Notice> { { client, CLIENT_NOTIFY_DISCONNECTED, 0 } }));
    nyraclient::FlushDeferredDeletes();
}

// ---- notifications --------------------------------------------------------------------------------------------

TEST_F(Manager, NotificationsReachOnlyAParentWithAWindow)
{
    NyraClientManager lonely;
    EXPECT_EQ(lonely.SendMsgToParent(nullptr, CLIENT_NOTIFY_COMMAND, NYRACMD_EXPAND), 0);
    // A bed of a manager without a parent is still removed, without code 9.
    EXPECT_EQ(lonely.ConnectedAsLan(10, 1, 1, 1, 1), 1);
    lonely.Disconnected(lonely.GetClient(0));
    EXPECT_EQ(lonely.GetClientCount(), 0);

    NyraClientInfo* client = AddMonitor();
    EXPECT_EQ(client->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_EXPAND), 1);
    EXPECT_EQ(client->SendMsgToParent(CLIENT_NOTIFY_TREND_SETTING, 0), 1);
    EXPECT_EQ(m_station.parent.notices,
              (std::vector<Notice> { { client, CLIENT_NOTIFY_COMMAND, NYRACMD_EXPAND }, { client, CLIENT_NOTIFY_TREND_SETTING, 0 } }));

    StationParent gone;
    ASSERT_TRUE(gone.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    gone.DestroyWindow();
    m_station.manager.SetParent(&gone);
    EXPECT_EQ(client->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_CLOSE), 0);
    EXPECT_TRUE(gone.notices.empty());
    m_station.manager.SetParent(&m_station.parent);
}

TEST_F(Manager, ARecordingProgressAfterTheRecordingStoppedIsNotPassedOn)
{
    NyraClientInfo* client = AddMonitor();
    client->SendMessage(WM_RECORD_UPDATE);
    EXPECT_TRUE(m_station.parent.notices.empty());
}

// ---- serial beds ------------------------------------------------------------------------------------------------

TEST_F(Manager, SerialBedsOnAPortNoLongerConfiguredAreRemoved)
{
    testkit::SerialFarEnd far(6);
    ASSERT_TRUE(far.Ok());
    auto* link = new CUSerialEx(&m_station.parent);
    link->Connect(6, 115200, 8, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return link->IsConnected() == TRUE; }));
    NyraConfig config = m_station.manager.GetConfig();
    config.SerialName = { 6, 0, 0, 0, 0, 0, 0, 0 };
    m_station.manager.SetConfig(config, FALSE);
    ASSERT_EQ(m_station.manager.Connected(link), 1);
    NyraClientInfo* client = m_station.manager.GetClient(0);
    AddMonitor();

    config.SerialName = { 0, 0, 0, 0, 0, 0, 0, 0 };
    m_station.manager.SetConfig(config, FALSE);
    EXPECT_EQ(m_station.manager.GetClientCount(), 1);
    EXPECT_EQ(m_station.manager.FindClient(client, 0), -1);
    EXPECT_EQ(m_station.parent.notices, (std::vector<Notice> { { client, CLIENT_NOTIFY_DISCONNECTED, 0 } }));
    nyraclient::FlushDeferredDeletes();
}

} // namespace
