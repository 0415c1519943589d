// The serial port against a pseudo-terminal: the test holds the master side, the port opens
// the slave side through the COM mapping, as a USB adapter would be mapped on a ward PC.
#include "platform/net/SerialDevices.h"
#include "platform/net/SerialPort.h"
#include "testkit/SerialFarEnd.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using platform::SerialPort;

namespace {

constexpr unsigned kPort = 7;

// The far end of the line: a pseudo-terminal master, with its slave mapped as COM7.
class FarEnd : public testkit::SerialFarEnd
{
public:
    FarEnd() : testkit::SerialFarEnd(kPort) {}
    std::string ReceiveText(size_t count)
    {
        const testkit::SerialBytes got = Receive(count);
        return std::string(got.begin(), got.end());
    }
};

// Waits for data and reads exactly `count` bytes from the port.
std::string ReadFromPort(SerialPort& port, size_t count)
{
    std::string got;
    while (got.size() < count) {
        if (port.WaitForData(-1) != SerialPort::WaitResult::Data)
            break;
        char buf[256];
        int n = port.Read(buf, int(std::min(sizeof buf, count - got.size())));
        if (n <= 0)
            break;
        got.append(buf, size_t(n));
    }
    return got;
}

} // namespace

TEST(SerialPort, MapsComNumbersToTtySDevicesUnlessMapped)
{
    EXPECT_EQ(platform::SerialDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(platform::SerialDevicePath(4), "/dev/ttyS3");
    EXPECT_EQ(platform::SerialDevicePath(0), "");
    platform::SetSerialDevicePath(4, "/dev/ttyUSB0");
    EXPECT_EQ(platform::SerialDevicePath(4), "/dev/ttyUSB0");
    platform::SetSerialDevicePath(4, "");
    EXPECT_EQ(platform::SerialDevicePath(4), "/dev/ttyS3");

    // The ini file beside the program maps adapters by port.
    testkit::TempFolder folder;
    testkit::WriteText(folder / "TarvicII.ini", "[CENTRAL_DEFAULT]\nLanguage=3\n[SERIAL_DEVICES]\nCOM2=/dev/ttyUSB1\n");
    platform::SetSerialDeviceIniFile(folder / "TarvicII.ini");
    EXPECT_EQ(platform::SerialDevicePath(2), "/dev/ttyUSB1");
    EXPECT_EQ(platform::SerialDevicePath(3), "/dev/ttyS2");
    platform::SetSerialDeviceIniFile("");
    EXPECT_EQ(platform::SerialDevicePath(2), "/dev/ttyS1");
}

TEST(SerialPort, CarriesBytesBothWaysRawAtTheLinkSettings)
{
    FarEnd far;
    ASSERT_TRUE(far.Ok());
    SerialPort port;
    ASSERT_TRUE(port.Open(kPort)) << GetLastError();
    EXPECT_EQ(port.GetPort(), kPort);

    // A frame with every byte value that a cooked line would alter (CR, LF, XON, XOFF, DEL, 0).
    std::string frame;
    for (int i = 0; i < 256; ++i)
        frame.push_back(char(i));
    far.Send(frame);
    EXPECT_EQ(ReadFromPort(port, frame.size()), frame);
    EXPECT_EQ(port.BytesQueued(), 0);

    EXPECT_EQ(port.Write(frame.data(), int(frame.size()), 1000), int(frame.size()));
    EXPECT_EQ(far.ReceiveText(frame.size()), frame);

    // Purge drops what is queued and not yet read.
    far.Send("noise before the monitor's frame");
    ASSERT_EQ(port.WaitForData(-1), SerialPort::WaitResult::Data);
    EXPECT_TRUE(port.Purge(true, true));
    EXPECT_EQ(port.BytesQueued(), 0);
    char buf[8];
    EXPECT_EQ(port.Read(buf, sizeof buf), 0);

    // Modem lines on a pseudo-terminal: accepted without error.
    EXPECT_TRUE(port.SetDtr(true));
    EXPECT_TRUE(port.SetRts(true));
    EXPECT_TRUE(port.SetLine(9600, 7, SerialPort::EvenParity, SerialPort::TwoStopBits));
    EXPECT_FALSE(port.SetLine(12345, 8, SerialPort::NoParity, SerialPort::OneStopBit));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(SerialPort, SecondOpenOfAnOpenPortIsRefused)
{
    FarEnd far;
    ASSERT_TRUE(far.Ok());
    SerialPort first;
    ASSERT_TRUE(first.Open(kPort));
    SerialPort second;
    EXPECT_FALSE(second.Open(kPort));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(second.IsOpen());

    // Closing the first frees the port for the next link.
    first.Close();
    EXPECT_TRUE(second.Open(kPort)) << GetLastError();

    // A port whose device does not exist is "not found", not "in use".
    platform::SetSerialDevicePath(kPort + 1, "/dev/ward-no-such-serial-device");
    SerialPort missing;
    EXPECT_FALSE(missing.Open(kPort + 1));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    platform::SetSerialDevicePath(kPort + 1, "");
}

TEST(SerialPort, HangUpOfTheFarEndEndsTheWaitAndEveryLaterWait)
{
    FarEnd far;
    ASSERT_TRUE(far.Ok());
    SerialPort port;
    ASSERT_TRUE(port.Open(kPort));
    far.Send("last words");
    EXPECT_EQ(ReadFromPort(port, 10), "last words");
    far.HangUp();

    EXPECT_EQ(port.WaitForData(-1), SerialPort::WaitResult::HangUp);
    EXPECT_TRUE(port.IsBroken());
    EXPECT_EQ(port.WaitForData(-1), SerialPort::WaitResult::HangUp);
}

TEST(SerialPort, WakeUpFromAnotherThreadEndsTheWait)
{
    FarEnd far;
    ASSERT_TRUE(far.Ok());
    SerialPort port;
    ASSERT_TRUE(port.Open(kPort));

    std::thread waker([&] { port.WakeUp(); });
    EXPECT_EQ(port.WaitForData(-1), SerialPort::WaitResult::WokenUp);
    waker.join();

    // The wake-up was consumed: with nothing else pending the next wait runs out.
    EXPECT_EQ(port.WaitForData(0), SerialPort::WaitResult::TimedOut);
}
