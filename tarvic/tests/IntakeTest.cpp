// Monitors and viewers reaching the station: the monitor simulator on the station's own ports
// (each monitor from a loopback address of its own) and on pseudo-terminals mapped as COM ports.
// A bed appears, a returning monitor gets its bed back, a third monitor is refused without a
// word, a monitor refused for lack of memory (over TCP or a serial line) is told of in one box,
// a monitor that connects while the station starts becomes a bed, a viewer goes to the broker,
// a serial line that never shows the connect frame is closed after 15 s of the test clock and
// opened again, and a serial monitor that announces itself during start-up waits for its end.
#include "support/StationFixture.h"

#include "tarvic/serial/CSerialPortManager.h"

#include "nyraclient/broker/CBrokerServer.h"
#include "nyraclient/client/NyraClientSock.h"

#include "testkit/SerialFarEnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <thread>

using namespace stationtest;

namespace {

// The size of the next allocation without exceptions that fails (0: none), to run out of memory
// exactly where a new bed's client is made.
std::atomic<std::size_t> g_failNextAllocationOf{0};

void FailNextClient()
{
    g_failNextAllocationOf = sizeof(NyraClientInfo);
}

} // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    std::size_t armed = size;
    if (g_failNextAllocationOf.compare_exchange_strong(armed, 0))
        return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

namespace {

constexpr unsigned kSerialPort = 7;

// A free TCP port of this machine (a socket bound to port 0 and closed again).
UINT FreePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

// The master side of a pseudo-terminal whose slave the station opens as COM7.
class SerialLine
{
public:
    SerialLine()
    {
        EXPECT_TRUE(m_far.Ok());
        ForgetLineSpeed(m_far.Master());
    }

    // Hands the master over to a simulator, which closes it when it goes.
    int Release() { return m_far.Release(); }
    int Master() const { return m_far.Master(); }
    // The station sets the line to 115,200 baud when it opens the port: a slower speed set here
    // tells the next opening apart.
    static void ForgetLineSpeed(int master)
    {
        termios tio{};
        tcgetattr(master, &tio);
        cfsetspeed(&tio, B9600);
        tcsetattr(master, TCSANOW, &tio);
    }
    static bool OpenedByStation(int master)
    {
        termios tio{};
        return tcgetattr(master, &tio) == 0 && cfgetospeed(&tio) == B115200 && !Closed(master);
    }
    // Whether no side holds the slave open.
    static bool Closed(int master)
    {
        pollfd pfd{master, POLLIN, 0};
        poll(&pfd, 1, 0);
        return (pfd.revents & POLLHUP) != 0;
    }

private:
    testkit::SerialFarEnd m_far{kSerialPort};
};

class StationIntake : public StationTest
{
};

TEST_F(StationIntake, AMonitorBecomesABedAndAReturningMonitorGetsItBack)
{
    StartStation();
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
    ASSERT_NE(bed, nullptr);
    EXPECT_EQ(BedCount(), 1);
    ASSERT_NE(bed->GetControl(), nullptr);
    EXPECT_EQ(bed->GetControl()->GetParent(), view);
    EXPECT_EQ(sim->Key(), BYTE(bed->GetKey()));
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());

    // The link drops without a word; the monitor comes back from the same address.
    NyraClientSock* first = bed->GetSocket();
    sim->Drop();
    MonitorSim* back = Dial("127.0.0.2");
    ASSERT_TRUE(PumpUntil([&] { return bed->GetSocket() != first; }));
    EXPECT_TRUE(back->Send(back->ConnectPacket()));
    Await(*back, 1);
    EXPECT_EQ(BedCount(), 1);
    EXPECT_EQ(BedFrom("127.0.0.2"), bed);
    EXPECT_TRUE(bed->IsConnected());
}

TEST_F(StationIntake, AThirdMonitorIsRefusedSilentlyAndItsConnectionClosed)
{
    StartStation();
    ASSERT_NE(ConnectMonitor("127.0.0.2"), nullptr);
    ASSERT_NE(ConnectMonitor("127.0.0.3"), nullptr);
    MonitorSim* third = Dial("127.0.0.4");
    EXPECT_TRUE(PumpUntil([&] {
        third->Poll(0);
        return third->PeerClosed();
    }));
    EXPECT_EQ(BedCount(), 2);
    EXPECT_EQ(BedFrom("127.0.0.4"), nullptr);
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());
}

TEST_F(StationIntake, AMonitorRefusedForLackOfMemoryIsToldOnceAndTheStationRunsOn)
{
    StartStation();
    ASSERT_NE(sizeof(NyraClientInfo), sizeof(NyraClientSock));
    auto refusedWithOneBox = [&](const char* address) {
        FailNextClient();
        MonitorSim* sim = Dial(address);
        EXPECT_TRUE(PumpUntil([&] {
            sim->Poll(0);
            return sim->PeerClosed();
        }));
        const std::vector<platform::msg::MessageBoxRequest> boxes = platform::msg::TakeShownMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Lack of Memory Space");
        EXPECT_EQ(boxes[0].caption, "Tarvic II");
        EXPECT_EQ(boxes[0].Icon(), UINT(MB_ICONERROR));
    };
    refusedWithOneBox("127.0.0.2");
    EXPECT_EQ(BedCount(), 0);

    // The station runs on: the next monitor becomes a bed, and a later refusal is told again.
    ASSERT_NE(ConnectMonitor("127.0.0.3"), nullptr);
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());
    refusedWithOneBox("127.0.0.4");
    EXPECT_EQ(BedCount(), 1);
    EXPECT_EQ(BedFrom("127.0.0.4"), nullptr);
}

TEST_F(StationIntake, AMonitorThatConnectsWhileTheStationStartsBecomesABed)
{
    // The monitor dials from the moment the port listens, so it usually arrives before start-up
    // completes and waits for it; the bed must come either way.
    const UINT port = FreePort();
    std::atomic<bool> stop{false};
    MonitorSim early;
    std::thread dialer([&] {
        while (!stop && !early.ConnectTcp("127.0.0.1", int(port), "127.0.0.5"))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    StartStation({.monitorPort = port});
    ASSERT_EQ(view->GetMonitorPort(), port);
    const bool bed = PumpUntil([&] { return BedFrom("127.0.0.5") != nullptr; });
    stop = true;
    dialer.join();
    EXPECT_TRUE(bed);
    EXPECT_TRUE(early.Send(early.ConnectPacket()));
    Await(early, 1);
}

TEST_F(StationIntake, AViewerIsHandedToTheBroker)
{
    StartStation();
    ASSERT_NE(view->GetBrokerServer(), nullptr);
    EXPECT_EQ(view->GetBrokerServer()->GetClientManager(), &Manager());
    // The viewer is served: the broker counts it, and a second one is closed at once.
    MonitorSim viewer;
    ASSERT_TRUE(viewer.ConnectTcp("127.0.0.1", int(view->GetViewerPort())));
    EXPECT_TRUE(PumpUntil([&] { return view->GetBrokerServer()->GetViewerCount() == 1; }));
    EXPECT_EQ(Manager().GetViewerCount(), 1);
    MonitorSim second;
    ASSERT_TRUE(second.ConnectTcp("127.0.0.1", int(view->GetViewerPort())));
    EXPECT_TRUE(PumpUntil([&] {
        second.Poll(0);
        return second.PeerClosed();
    }));
    viewer.Poll(0);
    EXPECT_FALSE(viewer.PeerClosed());
    EXPECT_EQ(BedCount(), 0);
}

TEST_F(StationIntake, ASerialMonitorOnAConfiguredPortBecomesABed)
{
    SerialLine line;
    StartStation({.serialPort = int(kSerialPort)});
    ASSERT_EQ(view->GetSerialPortManager()->GetPorts(), std::vector<UINT>{kSerialPort});
    MonitorSim sim;
    sim.Adopt(line.Release(), true);
    // The port opens at the next poll; the monitor repeats its connect frame until it is taken.
    auto next = std::chrono::steady_clock::now();
    EXPECT_TRUE(PumpUntil([&] {
        if (std::chrono::steady_clock::now() >= next) {
            sim.Send(sim.ConnectPacket());
            next += std::chrono::milliseconds(200);
        }
        return BedCount() == 1;
    }));
    NyraClientInfo* bed = Manager().GetClient(Manager().PeerCheck(kSerialPort));
    ASSERT_NE(bed, nullptr);
    EXPECT_EQ(bed->GetComPort(), kSerialPort);
    EXPECT_EQ(view->GetSerialPortManager()->GetLinkCount() <= 1, true);
    EXPECT_TRUE(PumpUntil([&] { return !sim.Poll(0).empty(); }));
}

TEST_F(StationIntake, SerialDataWithoutAConnectFrameIsClosedAfter15SecondsAndThePortOpenedAgain)
{
    SerialLine line;
    platform::ScopedTestClock clock;
    StartStation({.serialPort = int(kSerialPort)});
    const int master = line.Master();
    const std::string noise(64, '\x55');
    auto tick = [&](DWORD ms) {
        clock.Advance(ms);
        PumpUntil([] { return true; });
    };

    tick(CSerialPortManager::kPollPeriodMs);
    ASSERT_TRUE(PumpUntil([&] { return SerialLine::OpenedByStation(master); }));
    for (int second = 1; second <= 14; ++second) {
        ASSERT_EQ(write(master, noise.data(), noise.size()), ssize_t(noise.size()));
        tick(1000);
    }
    EXPECT_FALSE(SerialLine::Closed(master));
    EXPECT_EQ(BedCount(), 0);

    // Past 15 s the station closes the line, drops the link and opens the port anew.
    tick(2000);
    EXPECT_TRUE(PumpUntil([&] { return SerialLine::Closed(master); }));
    SerialLine::ForgetLineSpeed(master);
    // The next poll deletes the idle link (its thread joined), the one after opens the port anew.
    tick(CSerialPortManager::kPollPeriodMs);
    tick(CSerialPortManager::kPollPeriodMs);
    EXPECT_TRUE(PumpUntil([&] { return SerialLine::OpenedByStation(master); }));
    EXPECT_EQ(view->GetSerialPortManager()->GetLinkCount(), 1);
    EXPECT_EQ(BedCount(), 0);
    close(master);
}

TEST_F(StationIntake, ASerialMonitorThatAnnouncesItselfDuringStartUpBecomesABedOnlyOnceTheStationIsUp)
{
    SerialLine line;
    platform::ScopedTestClock clock;
    const int master = line.Master();
    MonitorSim sim;
    auto tick = [&](DWORD ms) {
        clock.Advance(ms);
        PumpUntil([] { return true; });
    };
    bool held = false;
    StationSettings settings{.serialPort = int(kSerialPort)};
    settings.duringStartUp = [&] {
        CTarvicIIView* starting = app->GetView();
        ASSERT_NE(starting, nullptr);
        CSerialPortManager* serial = starting->GetSerialPortManager();
        tick(CSerialPortManager::kPollPeriodMs);
        ASSERT_TRUE(PumpUntil([&] { return SerialLine::OpenedByStation(master); }));
        sim.Adopt(line.Release(), true);
        ASSERT_TRUE(sim.Send(sim.ConnectPacket()));
        ASSERT_TRUE(PumpUntil([&] { return serial->GetAnnouncedLinkCount() == 1; }));
        // Polls go by: the announced link stays with the manager.
        for (int poll = 0; poll < 3; ++poll)
            tick(CSerialPortManager::kPollPeriodMs);
        held = serial->GetAnnouncedLinkCount() == 1 && starting->GetClientManager().GetClientCount() == 0;
    };
    StartStation(settings);
    EXPECT_TRUE(held) << "a serial link became a bed before start-up was complete";

    // The first poll after start-up hands the held link over, without another connect frame.
    tick(CSerialPortManager::kPollPeriodMs);
    EXPECT_TRUE(PumpUntil([&] { return BedCount() == 1; }));
    NyraClientInfo* bed = Manager().GetClient(Manager().PeerCheck(kSerialPort));
    ASSERT_NE(bed, nullptr);
    EXPECT_EQ(bed->GetComPort(), kSerialPort);
    EXPECT_TRUE(PumpUntil([&] { return !sim.Poll(0).empty(); }));
}

TEST_F(StationIntake, ASerialMonitorRefusedForLackOfMemoryIsToldOnceAndTakenWhenItAnnouncesItselfAgain)
{
    SerialLine line;
    StartStation({.serialPort = int(kSerialPort)});
    MonitorSim sim;
    sim.Adopt(line.Release(), true);
    std::vector<platform::msg::MessageBoxRequest> boxes;
    // The monitor repeats its connect frame; the port opens anew after a refused link is gone.
    auto announceUntil = [&](auto done) {
        auto next = std::chrono::steady_clock::now();
        return PumpUntil([&] {
            if (std::chrono::steady_clock::now() >= next) {
                sim.Send(sim.ConnectPacket());
                next += std::chrono::milliseconds(200);
            }
            for (auto& box : platform::msg::TakeShownMessageBoxes())
                boxes.push_back(box);
            return done();
        });
    };
    FailNextClient();
    EXPECT_TRUE(announceUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(BedCount(), 0);
    EXPECT_TRUE(announceUntil([&] { return BedCount() == 1; }));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Lack of Memory Space");
    EXPECT_EQ(boxes[0].caption, "Tarvic II");
    NyraClientInfo* bed = Manager().GetClient(Manager().PeerCheck(kSerialPort));
    ASSERT_NE(bed, nullptr);
    EXPECT_EQ(bed->GetComPort(), kSerialPort);
}

} // namespace
