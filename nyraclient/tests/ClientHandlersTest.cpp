// The packet handlers over a real loopback link: the ACK/NAK/no-answer table for every kind
// and key case, the connect and disconnect notices, the monitor-number gate, the display flags a
// monitor's settings switch, the monitor's own acknowledgements lowering the waiting flags, and
// the notifications of a removed bed.
#include "support/StationHarness.h"

#include "nyraclient/bedwindow/NyraControl.h"

#include "nrdata/buffer/CSmartBuffer.h"
#include "nrdata/packet/PKWave_v110.h"

#include "platform/gdi/SurfaceDC.h"
#include "platform/host/null/NullHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

using namespace stationtest;

namespace {

// A command value from a message that is no command stays a well-defined value to refuse.
static_assert(std::is_same_v<std::underlying_type_t<NYRACMD>, int>);

class ClientHandlers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NyraClientSock* sock = nullptr;
        m_sim = m_station.ConnectMonitor(sock);
        m_client = m_station.Attach(*m_sim, sock);
        ASSERT_NE(m_client, nullptr);
        // The connect notice's ACK tells the monitor its key.
        auto replies = Exchange(*m_sim, m_sim->ConnectPacket(), 1);
        ASSERT_EQ(replies.size(), 1u);
        ASSERT_TRUE(replies[0].IsAck(PK_CONTROL_CONNECT));
        ASSERT_EQ(m_sim->Key(), m_client->GetKey());
    }

    void Accept()
    {
        auto replies = Exchange(*m_sim, m_sim->MonitorPacket(), 1);
        ASSERT_EQ(replies.size(), 1u);
        ASSERT_TRUE(replies[0].IsAck(PK_TYPE_MONITOR));
    }

    Station m_station;
    std::unique_ptr<MonitorSim> m_sim;
    NyraClientInfo* m_client { nullptr };
};

// ---- the answer table ------------------------------------------------------------------------------

TEST_F(ClientHandlers, AnswersEveryKindByTheTableForTheRightAndAWrongKey)
{
    Accept();
    struct Case
    {
        const char* kind;
        Bytes packet;
        BYTE type;
        bool ackOnRightKey; // waves get no answer
    };
    const Case cases[] = {
        { "version", m_sim->VersionPacket(), PK_TYPE_PROTOCOL_VER, true },
        { "patient", m_sim->PatientPacket(), PK_TYPE_PATIENT, true },
        { "alarm", m_sim->AlarmPacket(), PK_TYPE_ALARM, true },
        { "monitor", m_sim->MonitorPacket(), PK_TYPE_MONITOR, true },
        { "wave", m_sim->WavePacket(), PK_TYPE_WAVE, false },
        { "parameter", m_sim->ParamPacket(), PK_TYPE_PARAM, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        auto right = Settle(*m_sim, c.packet);
        if (c.ackOnRightKey) {
            ASSERT_EQ(right.size(), 1u);
            EXPECT_TRUE(right[0].IsAck(c.type));
            EXPECT_EQ(right[0].packet[3], m_client->GetKey()) << "an answer carries the client's key";
        } else {
            EXPECT_TRUE(right.empty());
        }
        auto wrong = Settle(*m_sim, MonitorSim::WithWrongKey(c.packet));
        ASSERT_EQ(wrong.size(), 1u);
        EXPECT_TRUE(wrong[0].IsNak(c.type));
    }
}

TEST_F(ClientHandlers, AHandlerCalledWithAWrongLengthAnswersNakAndKeepsItsPacket)
{
    Accept();
    const PKPatient_v110 before = m_client->GetPatientPacket();
    using Handler = std::function<void(BYTE*, int)>;
    NyraClientInfo* client = m_client;
    struct Case
    {
        Bytes packet;
        BYTE nakData;
        Handler handle;
    };
    const Case cases[] = {
        { m_sim->ControlPacket(PK_CONTROL_CONNECT, 0), PK_TYPE_CONTROL, [client](BYTE* d, int n) { client->Receive_Control(d, n); } },
        { m_sim->VersionPacket(), PK_TYPE_PROTOCOL_VER, [client](BYTE* d, int n) { client->Receive_ProtocolVer(d, n); } },
        { m_sim->PatientPacket(), PK_TYPE_PATIENT, [client](BYTE* d, int n) { client->Receive_Patient(d, n); } },
        { m_sim->AlarmPacket(), PK_TYPE_ALARM, [client](BYTE* d, int n) { client->Receive_Alarm(d, n); } },
        { m_sim->MonitorPacket(), PK_TYPE_MONITOR, [client](BYTE* d, int n) { client->Receive_Monitor(d, n); } },
        // A wave of any length but 56 is refused, and never overruns a buffer.
        { m_sim->WavePacket(), PK_TYPE_WAVE, [client](BYTE* d, int n) { client->Receive_Wave(d, n); } },
        { m_sim->ParamPacket(), PK_TYPE_PARAM, [client](BYTE* d, int n) { client->Receive_Parameter(d, n); } },
    };
    for (const Case& c : cases) {
        Bytes shortPacket = c.packet;
        shortPacket.pop_back();
        shortPacket.back() = client->GetKey();
        c.handle(shortPacket.data(), int(shortPacket.size()));
        Bytes longPacket = c.packet;
        longPacket.push_back(client->GetKey());
        c.handle(longPacket.data(), int(longPacket.size()));
    }
    auto replies = m_sim->WaitReplies(2 * std::size(cases), 5000);
    ASSERT_EQ(replies.size(), 2 * std::size(cases));
    for (std::size_t i = 0; i < replies.size(); ++i)
        EXPECT_TRUE(replies[i].IsNak(cases[i / 2].nakData)) << "case " << i;
    EXPECT_EQ(m_client->GetPatientPacket().GetPatientId(), before.GetPatientId());
}

// ---- control packets ----------------------------------------------------------------------------------

TEST_F(ClientHandlers, AConnectNoticeWithAnyKeyIsAcknowledgedWithTheClientsKey)
{
    m_sim->SetKey(0x5A);
    auto replies = Exchange(*m_sim, m_sim->ConnectPacket(), 1);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(replies[0].IsAck(PK_CONTROL_CONNECT));
    EXPECT_EQ(replies[0].packet[3], m_client->GetKey());
}

TEST_F(ClientHandlers, AnUnknownControlCodeIsRefusedWithItsCode)
{
    auto replies = Settle(*m_sim, m_sim->ControlPacket(5, 0));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(replies[0].IsNak(5));
}

TEST_F(ClientHandlers, TheMonitorsNakAndAckOfNothingGetNoAnswer)
{
    EXPECT_TRUE(Settle(*m_sim, Join({ m_sim->ControlPacket(PK_CONTROL_NAK, PK_TYPE_ALARM),
                                      m_sim->ControlPacket(PK_CONTROL_ACK, 0x77) }))
                    .empty());
}

// ---- the monitor-number gate -------------------------------------------------------------------------------

TEST_F(ClientHandlers, WavesAndParametersCountOnlyAfterTheMonitorNumberIsAccepted)
{
    NyraConfig config = m_station.manager.GetConfig();
    config.DevicePositionFix = 1;
    m_station.manager.SetConfig(config, FALSE);

    // Before any monitor packet: consumed unseen.
    EXPECT_TRUE(Settle(*m_sim, Join({ m_sim->WavePacket(), m_sim->ParamPacket() })).empty());
    EXPECT_EQ(m_client->GetTrendFedCount(), 0);

    // A number the manager refuses: no answer, the gate stays shut.
    m_sim->SetMonitorNumber(17);
    EXPECT_TRUE(Settle(*m_sim, m_sim->MonitorPacket()).empty());
    EXPECT_EQ(m_client->IsMonitorAccepted(), 0);
    EXPECT_TRUE(Settle(*m_sim, m_sim->ParamPacket()).empty());

    // An acceptable number: ACK, and parameters reach the trend store.
    m_sim->SetMonitorNumber(3);
    auto accepted = Settle(*m_sim, Join({ m_sim->MonitorPacket(), m_sim->ParamPacket(), m_sim->WavePacket() }));
    ASSERT_EQ(accepted.size(), 2u);
    EXPECT_TRUE(accepted[0].IsAck(PK_TYPE_MONITOR));
    EXPECT_TRUE(accepted[1].IsAck(PK_TYPE_PARAM));
    EXPECT_EQ(m_client->GetTrendFedCount(), 1);
}

// ---- the monitor's layout and the bed's trend choices --------------------------------------------------

TEST_F(ClientHandlers, AFetalMovementSwitchShowsOrHidesFM1AndFM2AndKeepsTheOtherChoices)
{
    constexpr int kFHR2 = 12;
    constexpr int kFM1 = 13;
    constexpr int kFM2 = 14;
    auto sendMonitor = [&](int mode, int movement) {
        m_sim->SetDisplayMode(mode);
        m_sim->SetFetalMovement(movement);
        auto replies = Exchange(*m_sim, m_sim->MonitorPacket(), 1);
        ASSERT_EQ(replies.size(), 1u);
        ASSERT_TRUE(replies[0].IsAck(PK_TYPE_MONITOR));
    };
    auto visible = [&](int kind) { return m_client->GetConfig().IsVisible(kind); };
    struct Case
    {
        int mode;
        int from;
        int to;
        int shown; // FM1 and FM2 after the switch
    };
    const Case cases[] = {
        { 1, 0, 1, 1 }, { 1, 1, 0, 0 }, { 2, 0, 1, 1 }, { 2, 1, 0, 0 },
        { 3, 1, 0, 0 }, { 3, 0, 1, 1 }, { 4, 0, 1, 0 }, { 4, 1, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", fetal movement " << c.from << " to " << c.to);
        // Each case starts with a change of the display mode, which lays the flags out afresh.
        sendMonitor(c.mode == 1 ? 2 : 1, 1);
        sendMonitor(c.mode, c.from);
        EXPECT_EQ(visible(kFM1), c.mode <= 3 && c.from != 0 ? 1 : 0);
        // The user hides FHR2 on this bed.
        auto flags = m_client->GetConfig().DisplayFlag;
        flags[size_t(NyraConfig::DisplayFlagOfKind(kFHR2))] = 0;
        m_client->SetDisplayFlags(flags);

        sendMonitor(c.mode, c.to);
        EXPECT_EQ(visible(kFM1), c.shown);
        EXPECT_EQ(visible(kFM2), c.shown);
        EXPECT_EQ(visible(kFHR2), 0) << "the user's choice stays";
        EXPECT_EQ(visible(11), c.mode <= 3 ? 1 : 0) << "FHR1 as the layout has it";
    }
}

TEST_F(ClientHandlers, AParameterPacketWithAWrongKeyDoesNotReachTheTrendStore)
{
    Accept();
    auto replies = Settle(*m_sim, MonitorSim::WithWrongKey(m_sim->ParamPacket()));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(replies[0].IsNak(PK_TYPE_PARAM));
    EXPECT_EQ(m_client->GetTrendFedCount(), 0);
}

TEST_F(ClientHandlers, APatientPacketWithTheSameIdentityDoesNotRedrawTheCaption)
{
    // A tile with only its caption and panel, so that nothing but a redraw of the bed draws.
    NyraControl* tile = NyraControl::TileOf(m_client);
    ASSERT_NE(tile, nullptr);
    m_station.parent.ShowWindow(SW_SHOW);
    tile->SetDisplayMode(DISPMODE_1CH);
    tile->MoveWindow(0, 0, 300, 120);
    Settle(*m_sim, m_sim->PatientPacket());
    platform::host::NullHost::PumpPending();
    // The parameter painter draws the panel after every paint; it has done so before we look.
    ASSERT_TRUE(PumpUntil([&] { return !tile->IsParameterDrawPending(); }));
    const platform::SurfacePtr surface = platform::WindowSurface(tile->GetSafeHwnd());
    ASSERT_NE(surface, nullptr);
    surface->TakeDirty();

    Settle(*m_sim, m_sim->PatientPacket());
    EXPECT_TRUE(surface->TakeDirty().IsRectEmpty());
    m_sim->SetPatient("SIM-0002", "Ann", "Roe");
    Settle(*m_sim, m_sim->PatientPacket());
    EXPECT_FALSE(surface->TakeDirty().IsRectEmpty());
    EXPECT_EQ(m_client->GetPatientPacket().GetPatientId(), CString("SIM-0002"));
}

// ---- settings sent to the monitor and its acknowledgements ---------------------------------------------------

TEST_F(ClientHandlers, TheMonitorsAckLowersEachWaitingFlagAndItsNakLowersNone)
{
    m_station.manager.SetViewerCount(1);
    m_sim->SetAnswerSettings(false);
    NyraClientInfo* client = m_client;
    struct Case
    {
        std::function<void()> send;
        int wait;
        BYTE type;
        std::size_t size;
    };
    const Case cases[] = {
        { [client] { client->Send_Alarm(nullptr, 0); }, NyraClientInfo::WAIT_ACK_ALARM, PK_TYPE_ALARM, 60 },
        { [client] { client->Send_Monitor(nullptr, 0); }, NyraClientInfo::WAIT_ACK_MONITOR, PK_TYPE_MONITOR, 56 },
        { [client] { client->Send_Patient(nullptr, 0); }, NyraClientInfo::WAIT_ACK_PATIENT, PK_TYPE_PATIENT, 80 },
    };
    for (const Case& c : cases) {
        c.send();
        EXPECT_EQ(m_client->IsWaitingAck(c.wait), 1);
        auto sent = m_sim->WaitReplies(1, 5000);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].packet.size(), c.size) << "the stored packet goes out whole";
        Settle(*m_sim, m_sim->ControlPacket(PK_CONTROL_NAK, c.type));
        EXPECT_EQ(m_client->IsWaitingAck(c.wait), 1);
        const UINT queued = m_client->GetBrokerSendDataSize();
        Settle(*m_sim, m_sim->ControlPacket(PK_CONTROL_ACK, c.type));
        EXPECT_EQ(m_client->IsWaitingAck(c.wait), 0);
        EXPECT_EQ(m_client->GetBrokerSendDataSize(), queued + 1) << "the acknowledged settings are relayed";
    }
    EXPECT_EQ(m_client->IsWaitingAck(7), 0);
}

// ---- the broker queue ------------------------------------------------------------------------------------

PKParam_v110 Relayed(NyraClientInfo* client)
{
    PKParam_v110 packet;
    CSmartBuffer* buffer = client->GetBrokerSendData();
    EXPECT_NE(buffer, nullptr);
    if (buffer != nullptr) {
        packet.SetPacket(static_cast<const BYTE*>(buffer->GetBuffer()), int(buffer->GetSize()), 0);
        buffer->RemoveRef(1);
    }
    return packet;
}

// While no viewing station is connected nothing is queued for the broker; while one is, a
// queue that nobody drains keeps only the newest packets, dropping the oldest whole.
TEST_F(ClientHandlers, TheBrokerQueueHoldsNothingWithoutAViewerAndIsBounded)
{
    Accept();
    const auto feed = [&](int count) {
        Bytes stream;
        for (int i = 0; i < count; ++i) {
            const Bytes param = m_sim->ParamPacket();
            stream.insert(stream.end(), param.begin(), param.end());
        }
        Settle(*m_sim, m_sim->AlarmPacket());
        m_client->AssembleStream(stream.data(), int(stream.size()));
    };
    feed(50);
    EXPECT_EQ(m_client->GetBrokerSendDataSize(), 0u) << "no viewer: nothing queued";

    m_station.manager.SetViewerCount(1);
    const UINT first = m_sim->Sequence();
    constexpr int kMore = 100;
    feed(int(NyraClientInfo::kBrokerQueueLimit) + kMore);
    EXPECT_EQ(m_client->GetBrokerSendDataSize(), UINT(NyraClientInfo::kBrokerQueueLimit));
    // The alarm packet and the first parameters went; the oldest left follows them in order.
    EXPECT_EQ(Relayed(m_client).GetTimeStamp(), first + kMore);
    EXPECT_EQ(Relayed(m_client).GetTimeStamp(), first + kMore + 1);

    m_station.manager.SetViewerCount(0);
    const UINT queued = m_client->GetBrokerSendDataSize();
    feed(10);
    EXPECT_EQ(m_client->GetBrokerSendDataSize(), queued) << "the viewer went: nothing more queued";
}

TEST_F(ClientHandlers, ALateAcknowledgementCannotAdmitACancelledPatient)
{
    m_sim->SetAnswerSettings(false);
    const CString before = m_client->GetPatientPacket().GetPatientId();
    TBLPatient patient;
    patient.P_ID = "ADM-1";
    patient.P_FIRST_NAME = "Mia";
    patient.P_LAST_NAME = "Lee";
    patient.P_BIRTHDAY = COleDateTime(1990, 3, 4, 0, 0, 0);
    m_client->Admit(patient);
    EXPECT_EQ(m_client->IsWaitingAck(NyraClientInfo::WAIT_ACK_ADMIT), 1);
    EXPECT_EQ(m_client->IsWaitingAck(NyraClientInfo::WAIT_ACK_PATIENT), 1);
    EXPECT_EQ(m_client->GetPatientPacket().GetPatientId(), CString("ADM-1"));

    m_client->CancelWaitAdmit();
    EXPECT_EQ(m_client->IsWaitingAck(NyraClientInfo::WAIT_ACK_ADMIT), 0);
    EXPECT_EQ(m_client->IsWaitingAck(NyraClientInfo::WAIT_ACK_PATIENT), 0);
    EXPECT_EQ(m_client->GetPatientPacket().GetPatientId(), before);

    Settle(*m_sim, m_sim->ControlPacket(PK_CONTROL_ACK, PK_TYPE_PATIENT));
    EXPECT_EQ(m_client->IsAdmitted(), 0);
    EXPECT_TRUE(m_client->GetAdmittedPatient().P_ID.IsEmpty());
}

TEST_F(ClientHandlers, AnAcknowledgedAdmissionAdmitsThePatient)
{
    TBLPatient patient;
    patient.P_ID = "ADM-2";
    patient.P_BIRTHDAY = COleDateTime(1990, 3, 4, 0, 0, 0);
    m_client->Admit(patient); // the simulator acknowledges the patient packet itself
    EXPECT_TRUE(PumpUntil([&] {
        m_sim->Poll(0);
        return m_client->IsAdmitted() == 1;
    }));
    EXPECT_EQ(m_client->GetAdmittedPatient().P_ID, CString("ADM-2"));
    EXPECT_EQ(m_station.manager.CheckAdmitInfoInUse("ADM-2"), 1);
}

// ---- disconnect notice ---------------------------------------------------------------------------------------

TEST_F(ClientHandlers, ADisconnectNoticeIsAcknowledgedThenTheBedIsRemovedAfterThePass)
{
    Accept();
    NyraClientInfo* client = m_client;
    // Packets after the notice in the same read are still handled.
    auto replies = Exchange(*m_sim, Join({ m_sim->DisconnectPacket(), m_sim->VersionPacket() }), 2);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_TRUE(replies[0].IsAck(PK_CONTROL_DISCONNECT));
    EXPECT_TRUE(replies[1].IsAck(PK_TYPE_PROTOCOL_VER));
    EXPECT_TRUE(PumpUntil([&] { return m_station.manager.GetClientCount() == 0; }));
    EXPECT_TRUE(PumpUntil([&] { return nyraclient::PendingDeferredDeletes() == 0; }));
    EXPECT_EQ(m_station.parent.notices, (std::vector<Notice> { { client, CLIENT_NOTIFY_DISCONNECTED, 0 } }));
    // The station sends no disconnect notice back and closes the link.
    EXPECT_TRUE(PumpUntil([&] {
        for (const Reply& r : m_sim->Poll(0))
            EXPECT_FALSE(r.IsControl(PK_CONTROL_DISCONNECT, 0));
        return m_sim->PeerClosed();
    }));
    EXPECT_EQ(m_station.manager.GetKeyPool().GetUsedCount(), 0);
}

} // namespace
