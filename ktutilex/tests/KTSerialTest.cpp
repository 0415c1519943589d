// Serial ports over pseudo-terminals: the far end of the line is the master side, the port
// opens the slave side as COM<n> through the device mapping. The watch thread's receive queue,
// writes, connect and disconnect cycles on a line that never stops sending, and the frame scan
// of KTSerialEx.
#include "ktutilex/KTSerial.h"
#include "ktutilex/KTSerialEx.h"

#include "testkit/SerialFarEnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace {

using Bytes = testkit::SerialBytes;
using FarEnd = testkit::SerialFarEnd;
using testkit::PumpUntil;

constexpr unsigned kPort = 9;
constexpr UINT WM_TEST_FRAME = WM_USER + 7;

// Waits (without pumping messages) until the port has queued `count` bytes.
bool WaitForQueued(const KTSerial& serial, int count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (serial.GetReceivedCount() < count) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

Bytes Pattern(std::size_t count)
{
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + i / 251);
    return bytes;
}

// ==== KTSerial ====================================================================================

TEST(KTSerial, ReceivedBytesComeOutInOrderAndWritesReachTheFarEnd)
{
    FarEnd far(kPort);
    ASSERT_TRUE(far.Ok());
    KTSerial serial;
    ASSERT_EQ(serial.Connect(kPort, 115200, 8, platform::SerialPort::OneStopBit, platform::SerialPort::NoParity), 1);
    EXPECT_EQ(serial.IsConnected(), 1);
    EXPECT_EQ(serial.GetPort(), kPort);
    EXPECT_EQ(serial.GetBaud(), 115200u);
    EXPECT_EQ(serial.GetDatabits(), 8);

    const Bytes sent = Pattern(10000);
    far.Send(sent);
    ASSERT_TRUE(WaitForQueued(serial, 10000));
    EXPECT_EQ(serial.IsReceived(), 1);
    Bytes got;
    BYTE buffer[333];
    while (int n = serial.Get(buffer, sizeof buffer))
        got.insert(got.end(), buffer, buffer + n);
    EXPECT_EQ(got, sent);
    EXPECT_EQ(serial.IsReceived(), 0);

    const Bytes reply = Pattern(300);
    EXPECT_EQ(serial.Put(reply.data(), static_cast<int>(reply.size())), 1);
    EXPECT_EQ(far.Receive(reply.size()), reply);
    EXPECT_EQ(serial.PutDelay(reply.data(), 3, 2), 1);
    EXPECT_EQ(far.Receive(3), Bytes(reply.begin(), reply.begin() + 3));

    far.Send(Pattern(50));
    ASSERT_TRUE(WaitForQueued(serial, 50));
    serial.ClearRx();
    EXPECT_EQ(serial.IsReceived(), 0);
    EXPECT_EQ(serial.GetReceivedCount(), 0);

    serial.Disconnect();
    EXPECT_EQ(serial.IsConnected(), 0);
    EXPECT_EQ(serial.Put(reply.data(), 1), 0);
    EXPECT_EQ(serial.PutDelay(reply.data(), 1, 1), 0);
}

TEST(KTSerial, APortThatCannotBeOpenedOrSetFailsClosed)
{
    FarEnd far(kPort);
    ASSERT_TRUE(far.Ok());
    KTSerial serial;
    EXPECT_EQ(serial.Connect(kPort, 115200, 8, 1, 0), 0) << "1.5 stop bits";
    EXPECT_EQ(serial.IsConnected(), 0);
    ASSERT_EQ(serial.Connect(kPort, 9600, 7, 2, platform::SerialPort::EvenParity), 1);
    KTSerial second;
    EXPECT_EQ(second.Connect(kPort, 9600, 8, 0, 0), 0) << "ports are opened exclusively";
    platform::SetSerialDevicePath(kPort + 1, "/nonexistent/tty");
    EXPECT_EQ(second.Connect(kPort + 1, 9600, 8, 0, 0), 0);
    platform::SetSerialDevicePath(kPort + 1, "");
}

// A far end that sends without end: its master is written without blocking, so a line that
// nobody reads (between two connections) never holds the sender up.
class StreamingLine
{
public:
    explicit StreamingLine(unsigned port) : m_far(port)
    {
        if (!m_far.Ok())
            return;
        fcntl(m_far.Master(), F_SETFL, fcntl(m_far.Master(), F_GETFL) | O_NONBLOCK);
        m_sender = std::thread([this] {
            const Bytes chunk = Pattern(512);
            while (m_streaming.load()) {
                [[maybe_unused]] const ssize_t written = write(m_far.Master(), chunk.data(), chunk.size());
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }
    ~StreamingLine()
    {
        m_streaming.store(false);
        if (m_sender.joinable())
            m_sender.join();
    }
    bool Ok() const { return m_far.Ok(); }

private:
    FarEnd m_far;
    std::atomic<bool> m_streaming { true };
    std::thread m_sender;
};

TEST(KTSerial, TwoHundredConnectCyclesOnALineThatNeverStopsSending)
{
    StreamingLine line(kPort);
    ASSERT_TRUE(line.Ok());

    KTSerial serial;
    int received = 0;
    for (int cycle = 0; cycle < 200; ++cycle) {
        ASSERT_EQ(serial.Connect(kPort, 115200, 8, 0, 0), 1) << "cycle " << cycle;
        if (cycle % 20 == 0) {
            ASSERT_TRUE(WaitForQueued(serial, 1)) << "cycle " << cycle;
        }
        BYTE buffer[256];
        received += serial.Get(buffer, sizeof buffer);
        serial.Disconnect();
        EXPECT_EQ(serial.GetReceivedCount(), 0);
    }
    EXPECT_GT(received, 0);
}

// ==== KTSerialEx ==================================================================================

Bytes Frame(BYTE kind, BYTE fill = 0x11)
{
    Bytes frame(KTSerialEx::kFrameSize, fill);
    frame[0] = 0xFE;
    frame[1] = 0xA0;
    frame[2] = kind;
    frame[KTSerialEx::kFrameSize - 1] = 0xFC;
    return frame;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The notify window: records what each notification carried.
class FrameTarget : public CWnd
{
public:
    std::vector<MSG> notifications;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TEST_FRAME)
            return CWnd::WindowProc(message, wParam, lParam);
        MSG msg {};
        msg.wParam = wParam;
        msg.lParam = lParam;
        notifications.push_back(msg);
        return 0;
    }
};

class KTSerialExTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_far.Ok());
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(m_target.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        m_serial = std::make_unique<KTSerialEx>(&m_parent);
        ASSERT_EQ(m_serial->SetNotify(&m_target, WM_TEST_FRAME), 1);
        ASSERT_EQ(m_serial->Connect(kPort, 115200, 8, 0, 0), 1);
    }
    void TearDown() override
    {
        m_serial.reset();
        m_target.DestroyWindow();
        m_parent.DestroyWindow();
    }

    // Sends the bytes, waits until they are queued, and scans once (no timer runs meanwhile:
    // nothing here pumps messages).
    void SendAndScan(const Bytes& bytes)
    {
        m_far.Send(bytes);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (m_serial->IsReceived() == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        // The whole write has arrived once the count stops short of nothing more.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        m_serial->ProcessDataForTarvic();
    }
    // The notifications posted to the target since the last call (only they are dispatched,
    // so no timer tick scans in between).
    int TakeNotifications()
    {
        MSG msg;
        while (PeekMessage(&msg, m_target.m_hWnd, WM_TEST_FRAME, WM_TEST_FRAME, PM_REMOVE))
            DispatchMessage(&msg);
        for (const MSG& notification : m_target.notifications)
            EXPECT_EQ(notification.lParam, reinterpret_cast<LPARAM>(m_serial.get()));
        const int count = static_cast<int>(m_target.notifications.size());
        m_target.notifications.clear();
        return count;
    }

    FarEnd m_far { kPort };
    CWnd m_parent;
    FrameTarget m_target;
    std::unique_ptr<KTSerialEx> m_serial;
};

TEST_F(KTSerialExTest, TheNotifyMessageMustBeAUserMessage)
{
    EXPECT_EQ(m_serial->SetNotify(&m_target, WM_USER - 1), 0);
    EXPECT_EQ(m_serial->SetNotify(nullptr, WM_USER), 0);
    EXPECT_EQ(m_serial->SetNotify(&m_target, WM_USER), 1);
    EXPECT_EQ(m_serial->GetDlgCtrlID(), static_cast<int>(IDC_KTSERIALEX));
}

TEST_F(KTSerialExTest, TheScanFindsFramesOfKindOneThroughOtherBytesAndAcrossTicks)
{
    // Two frames back to back: two notifications from one scan; a frame of kind 2 none.
    SendAndScan(Join({ Frame(1), Frame(1), Frame(2) }));
    EXPECT_EQ(TakeNotifications(), 2);

    // Bytes before a frame are skipped one by one until it lines up.
    SendAndScan(Join({ Bytes { 0xFE, 0xA0, 0x01, 0x00, 0xFC }, Frame(1) }));
    EXPECT_EQ(TakeNotifications(), 1);

    // A frame split across two ticks is found on the second through the remainder, and an
    // empty tick in between keeps the remainder.
    const Bytes frame = Frame(1, 0x33);
    SendAndScan(Bytes(frame.begin(), frame.begin() + 60));
    EXPECT_EQ(TakeNotifications(), 0);
    m_serial->ProcessDataForTarvic();
    SendAndScan(Bytes(frame.begin() + 60, frame.end()));
    EXPECT_EQ(TakeNotifications(), 1);
}

TEST_F(KTSerialExTest, OnceCentralConnectedTheTimerHandsTheBytesOver)
{
    m_serial->CentralConnected();
    EXPECT_EQ(m_serial->IsCentralConnected(), 1);
    m_far.Send(Bytes(37, 0x42));
    ASSERT_TRUE(PumpUntil([&] { return !m_target.notifications.empty(); }));
    const MSG msg = m_target.notifications.front();
    EXPECT_GT(msg.wParam, 0u);
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(m_serial.get()));
    BYTE buffer[64];
    EXPECT_GE(m_serial->Get(buffer, sizeof buffer), static_cast<int>(msg.wParam));
    m_far.Send(Bytes(5, 0x42));
    ASSERT_TRUE(PumpUntil([&] { return m_serial->IsReceived() != 0; }));
    m_serial->ClearRx();
    EXPECT_EQ(m_serial->IsReceived(), 0);
}

} // namespace
