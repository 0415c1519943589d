// Packet stream assembly: a monitor's bytes cut into packets whatever way the reads split or
// glue them, garbage skipped byte by byte, the tail kept between reads (and dropped when a new
// link is attached), and the 110-byte frames of a serial stream.
#include "support/StationHarness.h"

#include "nyraclient/link/SerialFrame.h"

#include <gtest/gtest.h>

using namespace stationtest;

namespace {

class StreamAssembly : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NyraClientSock* sock = nullptr;
        m_sim = m_station.ConnectMonitor(sock);
        m_client = m_station.Attach(*m_sim, sock);
        ASSERT_NE(m_client, nullptr);
        ASSERT_EQ(Exchange(*m_sim, m_sim->ConnectPacket(), 1).size(), 1u);
        ASSERT_EQ(Exchange(*m_sim, m_sim->MonitorPacket(), 1).size(), 1u);
    }

    // The kinds of the answers the simulator read.
    static std::vector<int> Answers(const std::vector<Reply>& replies)
    {
        std::vector<int> kinds;
        for (const Reply& r : replies)
            kinds.push_back(r.packet[1] == PK_CONTROL_ACK ? r.packet[2] : -r.packet[2]);
        return kinds;
    }

    Station m_station;
    std::unique_ptr<MonitorSim> m_sim;
    NyraClientInfo* m_client { nullptr };
};

TEST_F(StreamAssembly, APacketStreamSplitAtEveryByteBoundaryIsHandledOnce)
{
    const Bytes stream = Join({ m_sim->VersionPacket(), m_sim->WavePacket(), m_sim->ParamPacket(), m_sim->AlarmPacket() });
    const std::vector<int> expected { PK_TYPE_PROTOCOL_VER, PK_TYPE_PARAM, PK_TYPE_ALARM };
    for (std::size_t split = 1; split < stream.size(); ++split) {
        SCOPED_TRACE(split);
        m_client->AssembleStream(stream.data(), int(split));
        m_client->AssembleStream(stream.data() + split, int(stream.size() - split));
        EXPECT_EQ(m_client->GetTailCount(), 0);
        EXPECT_EQ(Answers(m_sim->WaitReplies(expected.size(), 5000)), expected);
    }
    EXPECT_EQ(m_client->GetTrendFedCount(), int(stream.size() - 1));
}

// More than the work buffer holds in one call (100 parameter packets are 10,800 bytes): every
// packet is handled, none is dropped at the buffer's end, also after a tail from before.
TEST_F(StreamAssembly, MoreBytesThanTheWorkBufferInOneCallAreAllHandled)
{
    constexpr int kPackets = 100;
    Bytes stream;
    for (int i = 0; i < kPackets; ++i) {
        const Bytes param = m_sim->ParamPacket();
        stream.insert(stream.end(), param.begin(), param.end());
    }
    ASSERT_GT(stream.size(), std::size_t(NyraClientInfo::kWorkBufferSize));
    for (std::size_t head : { std::size_t(0), std::size_t(50) }) {
        SCOPED_TRACE(head);
        const int fedBefore = m_client->GetTrendFedCount();
        if (head > 0)
            m_client->AssembleStream(stream.data(), int(head));
        m_client->AssembleStream(stream.data() + head, int(stream.size() - head));
        EXPECT_EQ(m_client->GetTrendFedCount() - fedBefore, kPackets);
        EXPECT_EQ(m_client->GetTailCount(), 0);
        EXPECT_EQ(m_sim->WaitReplies(kPackets, 5000).size(), std::size_t(kPackets));
    }
}

TEST_F(StreamAssembly, AParameterPacketSplitOverTwoSocketReadsIsHandledFromTheTail)
{
    const Bytes param = m_sim->ParamPacket();
    ASSERT_TRUE(m_sim->SendRaw(Bytes(param.begin(), param.begin() + 50)));
    ASSERT_TRUE(PumpUntil([&] { return m_client->GetTailCount() == 50; }));
    EXPECT_EQ(m_client->GetTrendFedCount(), 0);
    auto replies = Exchange(*m_sim, Bytes(param.begin() + 50, param.end()), 1);
    EXPECT_EQ(Answers(replies), std::vector<int> { PK_TYPE_PARAM });
    EXPECT_EQ(m_client->GetTailCount(), 0);
    EXPECT_EQ(m_client->GetTrendFedCount(), 1);
}

TEST_F(StreamAssembly, GluedPacketsWithGarbageBetweenThemAreAllFound)
{
    Bytes glued;
    const Bytes garbage { 0x00, 0x00, 0x13, 0x7F, 0xFE, 0xFC, 0x42 };
    for (const Bytes& packet : { m_sim->VersionPacket(), m_sim->PatientPacket(), m_sim->AlarmPacket(),
                                 m_sim->WavePacket(), m_sim->ParamPacket(), m_sim->ParamPacket() }) {
        glued.insert(glued.end(), garbage.begin(), garbage.end());
        glued.insert(glued.end(), packet.begin(), packet.end());
    }
    auto replies = Exchange(*m_sim, glued, 5);
    EXPECT_EQ(Answers(replies), (std::vector<int> { PK_TYPE_PROTOCOL_VER, PK_TYPE_PATIENT, PK_TYPE_ALARM, PK_TYPE_PARAM, PK_TYPE_PARAM }));
    EXPECT_EQ(m_client->GetTrendFedCount(), 2);
}

TEST_F(StreamAssembly, AReadThatWouldBlockKeepsTheTail)
{
    const Bytes param = m_sim->ParamPacket();
    ASSERT_TRUE(m_sim->SendRaw(Bytes(param.begin(), param.begin() + 30)));
    ASSERT_TRUE(PumpUntil([&] { return m_client->GetTailCount() == 30; }));
    // A notification with nothing waiting.
    m_client->SendMessage(WM_RECEIVE_SOCKET_DATA);
    EXPECT_EQ(m_client->GetTailCount(), 30);
    EXPECT_EQ(Answers(Exchange(*m_sim, Bytes(param.begin() + 30, param.end()), 1)), std::vector<int> { PK_TYPE_PARAM });
}

TEST_F(StreamAssembly, TheTailIsDroppedWhenTheMonitorComesBackOnANewLink)
{
    const Bytes param = m_sim->ParamPacket();
    ASSERT_TRUE(m_sim->SendRaw(Bytes(param.begin(), param.begin() + 70)));
    ASSERT_TRUE(PumpUntil([&] { return m_client->GetTailCount() == 70; }));

    NyraClientSock* sock = nullptr;
    auto again = m_station.ConnectMonitor(sock);
    m_station.manager.ReConnected(sock, m_station.manager.FindClient(m_client, 0));
    EXPECT_EQ(m_client->GetTailCount(), 0);
    again->SetKey(m_sim->Key());
    // The new link's first packet is not glued to the old link's half packet.
    EXPECT_EQ(Answers(Exchange(*again, again->VersionPacket(), 1)), std::vector<int> { PK_TYPE_PROTOCOL_VER });
}

// ---- serial frames -----------------------------------------------------------------------------------------

Bytes Frame(const Bytes& packet)
{
    BYTE frame[SERIAL_FRAME_SIZE];
    EXPECT_EQ(MakeSerialFrame(packet.data(), int(packet.size()), frame), 1);
    return Bytes(frame, frame + SERIAL_FRAME_SIZE);
}

TEST_F(StreamAssembly, SerialFramesAreFoundAcrossGarbageAndSplitsAndABrokenFrameIsSkipped)
{
    Bytes broken = Frame(m_sim->VersionPacket());
    broken.back() = 0x00; // no end marker: not a frame
    const Bytes stream = Join({ Bytes { 0x01, 0xFE, 0x02 }, broken, Frame(m_sim->ParamPacket()),
                                Frame(m_sim->AlarmPacket()) });
    for (std::size_t split : { std::size_t(1), std::size_t(100), std::size_t(113), std::size_t(230), stream.size() - 1 }) {
        SCOPED_TRACE(split);
        m_client->AssembleSerialStream(stream.data(), int(split));
        m_client->AssembleSerialStream(stream.data() + split, int(stream.size() - split));
        EXPECT_EQ(Answers(m_sim->WaitReplies(2, 5000)), (std::vector<int> { PK_TYPE_PARAM, PK_TYPE_ALARM }));
    }
}

TEST_F(StreamAssembly, MoreSerialFramesThanTheWorkBufferInOneCallAreAllHandled)
{
    constexpr int kFrames = 100; // 11,000 bytes
    Bytes stream { 0x00, 0xFE }; // garbage first, so the frames sit off the buffer's grid
    for (int i = 0; i < kFrames; ++i) {
        const Bytes frame = Frame(m_sim->ParamPacket());
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    const int fedBefore = m_client->GetTrendFedCount();
    m_client->AssembleSerialStream(stream.data(), int(stream.size()));
    EXPECT_EQ(m_client->GetTrendFedCount() - fedBefore, kFrames);
    EXPECT_EQ(m_client->GetTailCount(), 0);
    EXPECT_EQ(m_sim->WaitReplies(kFrames, 5000).size(), std::size_t(kFrames));
}

TEST_F(StreamAssembly, FewerThanAFramesBytesStayAsTheTailEvenWithACompletePacket)
{
    const Bytes frame = Frame(m_sim->VersionPacket());
    m_client->AssembleSerialStream(frame.data(), 109);
    EXPECT_EQ(m_client->GetTailCount(), 109);
    m_client->AssembleSerialStream(frame.data() + 109, 1);
    EXPECT_EQ(m_client->GetTailCount(), 0);
    EXPECT_EQ(Answers(m_sim->WaitReplies(1, 5000)), std::vector<int> { PK_TYPE_PROTOCOL_VER });
}

} // namespace
