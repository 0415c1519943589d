// The serial link over a pseudo-terminal pair: the hunt for the monitor's connect frame, the
// notifications once a frame's worth of bytes is queued, frames written with Put, the fixed
// line settings, exclusive ports, the open time-out, a far end that hangs up, and closing and
// deleting links.
#include "nyraclient/link/CUSerialEx.h"
#include "nyraclient/link/SerialFrame.h"

#include "testkit/SerialFarEnd.h"
#include "testkit/TempFolder.h"

#include "nrdata/packet/PKControl.h"
#include "platform/core/Clock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

using Bytes = testkit::SerialBytes;
using FarEnd = testkit::SerialFarEnd;
using testkit::PumpUntil;

namespace {

constexpr unsigned kPort = 5;
constexpr UINT WM_TEST_SERIAL_DATA = 0x5F7;

// ---- frames ---------------------------------------------------------------------------------------

Bytes Frame(Bytes packet)
{
    BYTE frame[SERIAL_FRAME_SIZE];
    EXPECT_EQ(MakeSerialFrame(packet.data(), int(packet.size()), frame), 1);
    return Bytes(frame, frame + SERIAL_FRAME_SIZE);
}

Bytes ConnectFrame() { return Frame({ PK_TYPE_CONTROL, PK_CONTROL_CONNECT, 0, 0xFF }); }
Bytes DisconnectFrame() { return Frame({ PK_TYPE_CONTROL, PK_CONTROL_DISCONNECT, 0, 0xFF }); }
Bytes ParamFrame(BYTE fill)
{
    Bytes packet(108, fill);
    packet[0] = PK_TYPE_PARAM;
    return Frame(packet);
}
// Bytes that never hold a frame marker.
Bytes Garbage(std::size_t count)
{
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = BYTE(0x20 + i % 64);
    return bytes;
}
Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}
Bytes Slice(const Bytes& bytes, std::size_t first, std::size_t last)
{
    return Bytes(bytes.begin() + long(first), bytes.begin() + long(last));
}

// ---- windows --------------------------------------------------------------------------------------

// The link's notify target: takes every byte on "data received", as a client does.
class NotifyTarget : public CWnd
{
public:
    std::vector<WPARAM> codes;
    std::vector<int> reads;
    Bytes received;
    // The most one notification takes, as a reader whose buffer is smaller than what waits.
    int readSize { CSerialThread::kReadSize };

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TEST_SERIAL_DATA)
            return CWnd::WindowProc(message, wParam, lParam);
        codes.push_back(wParam);
        if (wParam == SERIAL_NOTIFY_RECEIVED) {
            auto* link = reinterpret_cast<CUSerialEx*>(lParam);
            BYTE buffer[CSerialThread::kReadSize];
            const int n = link->Get(buffer, readSize);
            reads.push_back(n);
            received.insert(received.end(), buffer, buffer + n);
        }
        return 0;
    }
};

class SerialLink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_far.Ok());
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(m_target.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        m_link = std::make_unique<CUSerialEx>(&m_parent);
    }
    void TearDown() override
    {
        m_link.reset();
        m_target.DestroyWindow();
        m_parent.DestroyWindow();
    }

    void ConnectLink(CUSerialEx& link)
    {
        ASSERT_EQ(link.Connect(kPort, 115200, 8, 0, 0), 1);
        ASSERT_TRUE(PumpUntil([&] { return link.IsConnected() == TRUE; }));
    }
    // Until the hunt has taken every byte that arrived and keeps `kept` of them.
    bool PumpUntilHuntKeeps(int kept)
    {
        return PumpUntil([&] { return !m_link->IsReceived() && m_link->GetHuntLength() == kept; });
    }

    FarEnd m_far { kPort };
    CWnd m_parent;
    NotifyTarget m_target;
    std::unique_ptr<CUSerialEx> m_link;
};

// ---- the connect-frame hunt --------------------------------------------------------------------------

struct HuntCase
{
    const char* name;
    Bytes bytes;
    bool connected;
};

TEST_F(SerialLink, HuntsForTheConnectFrameThroughOtherBytes)
{
    const HuntCase cases[] = {
        { "109 bytes of garbage, then the connect frame", Join({ Garbage(109), ConnectFrame() }), true },
        { "a parameter frame, then the connect frame", Join({ ParamFrame(7), ConnectFrame() }), true },
        { "a connect frame after a false start marker", Join({ Bytes { 0xFE, 0xA0 }, ConnectFrame() }), true },
        { "the monitor's disconnect notice", DisconnectFrame(), false },
        { "a connect frame without its end marker", Slice(ConnectFrame(), 0, 109), false },
    };
    ConnectLink(*m_link);
    for (const HuntCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_link->CentralDisconnected();
        m_link->ClearRx();
        m_far.Send(c.bytes);
        if (c.connected) {
            EXPECT_TRUE(PumpUntil([&] { return m_link->IsCentralConnected() == 1; }));
        } else {
            // Fewer than a frame's worth never reaches the hunt; a full one is skipped byte by byte.
            const int kept = c.bytes.size() >= SERIAL_FRAME_SIZE ? SERIAL_FRAME_SIZE - 1 : 0;
            if (kept > 0) {
                EXPECT_TRUE(PumpUntilHuntKeeps(kept));
            }
            EXPECT_EQ(m_link->IsCentralConnected(), 0);
        }
    }
}

TEST_F(SerialLink, FindsAConnectFrameSplitAcrossTwoReads)
{
    ConnectLink(*m_link);
    const Bytes connect = ConnectFrame();
    m_far.Send(Join({ Garbage(100), Slice(connect, 0, 60) }));
    ASSERT_TRUE(PumpUntilHuntKeeps(SERIAL_FRAME_SIZE - 1));
    EXPECT_EQ(m_link->IsCentralConnected(), 0);

    // A hunt that finds nothing new keeps the bytes it holds.
    m_link->ProcessDataForTarvic();
    EXPECT_EQ(m_link->GetHuntLength(), SERIAL_FRAME_SIZE - 1);

    m_far.Send(Join({ Slice(connect, 60, 110), Garbage(60) }));
    EXPECT_TRUE(PumpUntil([&] { return m_link->IsCentralConnected() == 1; }));
}

TEST_F(SerialLink, FramesAfterTheConnectFrameWaitForTheTargetThatTakesTheLinkOver)
{
    ConnectLink(*m_link);
    const Bytes data = Join({ ParamFrame(1), DisconnectFrame() });
    m_far.Send(Join({ ConnectFrame(), data }));
    ASSERT_TRUE(PumpUntil([&] { return m_link->IsCentralConnected() == 1 && m_link->GetPacketLength() == 220; }));
    EXPECT_TRUE(m_target.codes.empty());

    m_link->SetNotify(&m_target, WM_TEST_SERIAL_DATA);
    ASSERT_TRUE(PumpUntil([&] { return m_target.received.size() == data.size(); }));
    EXPECT_EQ(m_target.received, data);
}

// ---- notifications and reading --------------------------------------------------------------------------

TEST_F(SerialLink, TellsTheTargetOnlyOnceAFramesWorthIsQueued)
{
    ConnectLink(*m_link);
    m_link->CentralConnected();
    m_link->SetNotify(&m_target, WM_TEST_SERIAL_DATA);

    const Bytes bytes = Garbage(SERIAL_FRAME_SIZE);
    m_far.Send(Slice(bytes, 0, 109));
    ASSERT_TRUE(PumpUntil([&] { return m_link->GetPacketLength() == 109; }));
    EXPECT_TRUE(m_target.codes.empty());

    m_far.Send(Slice(bytes, 109, 110));
    ASSERT_TRUE(PumpUntil([&] { return !m_target.reads.empty(); }));
    EXPECT_EQ(m_target.codes, (std::vector<WPARAM> { SERIAL_NOTIFY_RECEIVED }));
    EXPECT_EQ(m_target.reads, (std::vector<int> { 110 }));
    EXPECT_EQ(m_target.received, bytes);
}

// A burst larger than the reader's buffer is announced once; the frames the first read leaves
// behind must still reach the target, though the monitor sends nothing more until they are
// answered.
TEST_F(SerialLink, KeepsTellingTheTargetWhileAFramesWorthIsLeftAfterItsRead)
{
    ConnectLink(*m_link);
    m_link->CentralConnected();
    Bytes frames;
    for (BYTE fill = 1; fill <= 10; ++fill)
        frames = Join({ frames, ParamFrame(fill) });
    m_far.Send(Join({ frames, Garbage(50) }));
    ASSERT_TRUE(PumpUntil([&] { return m_link->GetPacketLength() == 1150; }));

    m_target.readSize = SERIAL_FRAME_SIZE;
    m_link->SetNotify(&m_target, WM_TEST_SERIAL_DATA);
    ASSERT_TRUE(PumpUntil([&] { return m_target.received.size() >= frames.size(); }))
        << m_target.reads.size() << " reads took " << m_target.received.size() << " bytes; "
        << m_link->GetPacketLength() << " bytes still queued";
    const std::size_t rest = m_target.received.size() - frames.size();
    EXPECT_EQ(Slice(m_target.received, 0, frames.size()), frames);
    ASSERT_GE(m_target.reads.size(), 10u);
    EXPECT_EQ(std::vector<int>(m_target.reads.begin(), m_target.reads.begin() + 10),
              std::vector<int>(10, SERIAL_FRAME_SIZE));
    // Less than a frame's worth left: the link does not tell again for it, and it waits for the
    // next arrival. (A "data received" of the serial thread's own that was still on its way when
    // the target came may have handed it over already, in one read.)
    EXPECT_LE(m_target.reads.size(), 11u);
    EXPECT_EQ(std::size_t(m_link->GetPacketLength()) + rest, 50u);
}

TEST_F(SerialLink, GetSplitsAChunkLargerThanTheRoomGiven)
{
    ConnectLink(*m_link);
    m_link->CentralConnected();
    const Bytes bytes = Garbage(300);
    m_far.Send(bytes);
    ASSERT_TRUE(PumpUntil([&] { return m_link->GetPacketLength() == 300; }));

    BYTE buffer[CSerialThread::kReadSize];
    ASSERT_EQ(m_link->Get(buffer, 100), 100);
    EXPECT_EQ(Bytes(buffer, buffer + 100), Slice(bytes, 0, 100));
    ASSERT_EQ(m_link->Get(buffer, sizeof buffer), 200);
    EXPECT_EQ(Bytes(buffer, buffer + 200), Slice(bytes, 100, 300));
    EXPECT_EQ(m_link->IsReceived(), FALSE);

    m_far.Send(bytes);
    ASSERT_TRUE(PumpUntil([&] { return m_link->GetPacketLength() == 300; }));
    EXPECT_EQ(m_link->ClearRx(), 1);
    EXPECT_EQ(m_link->GetPacketLength(), 0);
}

// ---- writing ------------------------------------------------------------------------------------

TEST_F(SerialLink, PutWritesAFrameByteForByte)
{
    ConnectLink(*m_link);
    PKControl ack;
    ack.SetType(PK_CONTROL_ACK);
    ack.SetData(PK_TYPE_PARAM);
    ack.SetKey(2);
    BYTE frame[SERIAL_FRAME_SIZE];
    ASSERT_EQ(MakeSerialFrame(ack.GetPacket(), ack.GetPacketSize(), frame), 1);
    ASSERT_EQ(m_link->Put(frame, SERIAL_FRAME_SIZE), 1);

    Bytes expected(SERIAL_FRAME_SIZE, 0);
    expected[0] = 0xFE;
    expected[1] = 0xA0;
    expected[2] = 0xF1;
    expected[3] = 0xC1;
    expected[4] = 2;
    expected[109] = 0xFC;
    EXPECT_EQ(m_far.Receive(SERIAL_FRAME_SIZE), expected);
}

TEST(SerialFrame, RefusesPacketsThatDoNotFitAFrame)
{
    BYTE frame[SERIAL_FRAME_SIZE] = {};
    const Bytes longest(108, 0xC1), tooLong(109, 0xC1);
    EXPECT_EQ(MakeSerialFrame(longest.data(), 108, frame), 1);
    EXPECT_EQ(frame[108], 0xC1);
    EXPECT_EQ(frame[109], 0xFC);
    EXPECT_EQ(MakeSerialFrame(tooLong.data(), 109, frame), 0);
    EXPECT_EQ(MakeSerialFrame(longest.data(), 0, frame), 0);
}

TEST_F(SerialLink, PutWithoutAnOpenPortFails)
{
    BYTE frame[SERIAL_FRAME_SIZE] = {};
    EXPECT_EQ(m_link->Put(frame, SERIAL_FRAME_SIZE), 0);
}

// ---- opening and closing -----------------------------------------------------------------------------

TEST_F(SerialLink, OpensAt115200EightNoneOneWhateverTheCallerAsks)
{
    termios tio = m_far.LineSettings();
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
    m_far.SetLineSettings(tio);

    ASSERT_EQ(m_link->Connect(kPort, 9600, 7, 2, 2), 1);
    ASSERT_TRUE(PumpUntil([&] { return m_link->IsConnected() == TRUE; }));
    EXPECT_EQ(m_link->GetPort(), kPort);
    tio = m_far.LineSettings();
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B115200));
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB), tcflag_t(0));
}

// The ward PC's way: the ini file beside the program maps COM<n> to a device.
TEST_F(SerialLink, OpensThePortTheIniFileMaps)
{
    constexpr unsigned kIniPort = kPort + 2;
    FarEnd far(kIniPort, false);
    ASSERT_TRUE(far.Ok());
    const testkit::TempFolder folder;
    const std::string ini = folder / "TarvicII.ini";
    std::ofstream(ini) << "[SERIAL_DEVICES]\nCOM" << kIniPort << "=" << far.SlavePath() << "\n";
    platform::SetSerialDeviceIniFile(ini);

    ASSERT_EQ(m_link->Connect(kIniPort, 115200, 8, 0, 0), 1);
    EXPECT_TRUE(PumpUntil([&] { return m_link->IsConnected() == TRUE; }));
    far.Send(ConnectFrame());
    EXPECT_TRUE(PumpUntil([&] { return m_link->IsCentralConnected() == 1; }));

    platform::SetSerialDeviceIniFile("");
}

TEST_F(SerialLink, ASecondLinkCannotOpenAPortInUse)
{
    ConnectLink(*m_link);
    CUSerialEx second(&m_parent);
    ASSERT_EQ(second.Connect(kPort, 115200, 8, 0, 0), 1);
    ASSERT_TRUE(PumpUntil([&] { return second.GetStatus() != CSerialThread::STATUS_OPEN; }));
    EXPECT_EQ(second.GetStatus(), CSerialThread::STATUS_IDLE);
    EXPECT_EQ(m_link->IsConnected(), TRUE);
}

TEST_F(SerialLink, IsOverTimeCountsFromTheLastOpenAttempt)
{
    platform::ScopedTestClock clock(1000);
    platform::SetSerialDevicePath(kPort + 1, "/nonexistent/tty");
    EXPECT_EQ(m_link->IsOverTime(0), FALSE); // no attempt yet

    ASSERT_EQ(m_link->Connect(kPort + 1, 115200, 8, 0, 0), 1);
    ASSERT_TRUE(PumpUntil([&] { return m_link->GetStatus() == CSerialThread::STATUS_IDLE; }));
    EXPECT_EQ(m_link->IsOverTime(15000), FALSE);
    clock.Advance(15000);
    EXPECT_EQ(m_link->IsOverTime(15000), FALSE);
    clock.Advance(1);
    EXPECT_EQ(m_link->IsOverTime(15000), TRUE);

    // Disconnect on a port that never opened leaves the link idle.
    EXPECT_EQ(m_link->Disconnect(), 1);
    EXPECT_TRUE(PumpUntil([&] { return m_link->GetStatus() == CSerialThread::STATUS_IDLE; }));
    platform::SetSerialDevicePath(kPort + 1, "");
}

TEST_F(SerialLink, DisconnectClosesThePortForTheNextLink)
{
    ConnectLink(*m_link);
    m_far.Send(Garbage(50));
    ASSERT_TRUE(PumpUntil([&] { return m_link->GetPacketLength() == 50; }));
    EXPECT_EQ(m_link->Disconnect(), 1);
    ASSERT_TRUE(PumpUntil([&] { return m_link->GetStatus() == CSerialThread::STATUS_IDLE; }));
    EXPECT_EQ(m_link->GetPacketLength(), 0); // what it held went with the port

    {
        CUSerialEx next(&m_parent);
        ConnectLink(next);
    }
    ConnectLink(*m_link); // and the first link opens it again once it is free
}

TEST_F(SerialLink, DeletingAConnectedLinkReleasesThePort)
{
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        auto link = std::make_unique<CUSerialEx>(&m_parent);
        ConnectLink(*link);
        link->SetNotify(&m_target, WM_TEST_SERIAL_DATA);
        link->CentralConnected();
        m_far.Send(Garbage(SERIAL_FRAME_SIZE)); // data on its way while the link goes
        link.reset();
    }
    ConnectLink(*m_link);
}

TEST_F(SerialLink, AFarEndThatHangsUpLeavesALinkThatStillClosesAndGoes)
{
    ConnectLink(*m_link);
    m_far.Send(ConnectFrame());
    ASSERT_TRUE(PumpUntil([&] { return m_link->IsCentralConnected() == 1; }));
    m_far.HangUp();

    BYTE frame[SERIAL_FRAME_SIZE];
    const Bytes packet { PK_TYPE_CONTROL, PK_CONTROL_ACK, PK_TYPE_PARAM, 1 };
    ASSERT_EQ(MakeSerialFrame(packet.data(), 4, frame), 1);
    EXPECT_EQ(m_link->Put(frame, SERIAL_FRAME_SIZE), 0);

    EXPECT_EQ(m_link->Disconnect(), 1);
    EXPECT_TRUE(PumpUntil([&] { return m_link->GetStatus() == CSerialThread::STATUS_IDLE; }));
    m_link.reset();
}

} // namespace
