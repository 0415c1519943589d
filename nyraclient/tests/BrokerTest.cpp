// The relay to viewing stations: the broker server against raw bytes (what a viewer receives,
// byte for byte) and against the broker client, the viewing side that mirrors the station's
// beds. A stalled viewer, a viewer removed while stalled, monitors coming and going while a
// viewer reads.
#include "support/StationHarness.h"

#include "nyraclient/broker/BrokerProtocol.h"
#include "nyraclient/broker/CBrokerClient.h"
#include "nyraclient/broker/CBrokerServer.h"

#include "platform/core/Clock.h"
#include "testkit/Pump.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace stationtest;
using namespace nyraclient::broker;
using testkit::Pump;

namespace {

// ---- a viewing station reading raw bytes ----------------------------------------------------------

class RawViewer
{
public:
    // Connects to 127.0.0.1:port with a receive buffer of `receiveBuffer` bytes (0: default).
    RawViewer(UINT port, int receiveBuffer = 0)
    {
        m_fd = socket(AF_INET, SOCK_STREAM, 0);
        if (receiveBuffer > 0)
            setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected = connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    }
    ~RawViewer() { Close(); }
    void Close()
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }
    bool Connected() const { return m_connected; }
    // Reads what is there into `bytes`; false once the station closed the connection.
    bool Read()
    {
        BYTE block[65536];
        for (;;) {
            const ssize_t n = recv(m_fd, block, sizeof block, 0);
            if (n > 0) {
                bytes.insert(bytes.end(), block, block + n);
                continue;
            }
            return n < 0;
        }
    }
    std::vector<BYTE> bytes;

private:
    int m_fd { -1 };
    bool m_connected { false };
};

// The fixed length of each relayed monitor packet kind.
int RelayedLength(BYTE type)
{
    switch (type) {
    case PK_TYPE_PROTOCOL_VER: return PKProtocolVer::kSize;
    case PK_TYPE_PATIENT: return PKPatient_v110::kSize;
    case PK_TYPE_ALARM: return PKAlarm_v110::kSize;
    case PK_TYPE_MONITOR: return PKMonitor_v110::kSize;
    case PK_TYPE_PARAM: return PKParam_v110::kSize;
    default: return 0;
    }
}

// The stream cut as a viewer must be able to cut it: whole packets, one after the other.
struct Parsed
{
    int lists { 0 };
    int data { 0 };
    int skipped { 0 };      // bytes that began no packet
    int badPackets { 0 };   // data packets of an unknown kind or with a key that is not the bed's
    int params { 0 };
    std::vector<int> listCounts;
    int tail { 0 };         // an unfinished packet at the end
};

Parsed Parse(const std::vector<BYTE>& s)
{
    Parsed p;
    std::size_t at = 0;
    while (at < s.size()) {
        const std::size_t left = s.size() - at;
        if (s[at] == kListStart && left >= std::size_t(kListPacketSize) && s[at + kListPacketSize - 1] == kListEnd) {
            ++p.lists;
            p.listCounts.push_back(s[at + 1]);
            at += kListPacketSize;
        } else if (s[at] == kDataStart && left >= std::size_t(kDataPacketSize) && s[at + kDataPacketSize - 1] == kDataEnd) {
            ++p.data;
            const BYTE* packet = &s[at];
            const int len = RelayedLength(packet[kDataOffset]);
            if (len == 0 || packet[kDataOffset + len - 1] != packet[6])
                ++p.badPackets;
            if (packet[kDataOffset] == PK_TYPE_PARAM)
                ++p.params;
            at += kDataPacketSize;
        } else if ((s[at] == kListStart || s[at] == kDataStart) && left < std::size_t(kDataPacketSize)) {
            p.tail = int(left);
            break;
        } else {
            ++p.skipped;
            ++at;
        }
    }
    return p;
}

// ---- the station's side: a broker server with a listener for viewers ------------------------------

class Broker
{
public:
    explicit Broker(Station& station, int sendBuffer = 0) : server(&station.parent), m_sendBuffer(sendBuffer)
    {
        server.SetClientManager(&station.manager);
        EXPECT_TRUE(m_listener.Create(0, SOCK_STREAM, FD_ACCEPT | FD_CLOSE, "127.0.0.1"));
        EXPECT_TRUE(m_listener.Listen());
        CString address;
        m_listener.GetSockName(address, m_port);
    }
    UINT Port() const { return m_port; }
    // Accepts the waiting viewer and hands it to the server; the station's socket for it.
    NyraClientSock* Accept()
    {
        auto sock = std::make_unique<NyraClientSock>();
        EXPECT_TRUE(PumpUntil([&] { return m_listener.Accept(*sock) == TRUE; }));
        if (m_sendBuffer > 0)
            sock->SetSockOpt(SO_SNDBUF, &m_sendBuffer, sizeof m_sendBuffer);
        NyraClientSock* raw = sock.release();
        EXPECT_EQ(server.AddViewer(raw), 1);
        return raw;
    }

    CBrokerServer server;

private:
    CAsyncSocket m_listener;
    UINT m_port { 0 };
    int m_sendBuffer;
};

// A parameter packet of the bed with the given key and sequence number.
monitorsim::Bytes Param(MonitorSim& sim)
{
    return sim.ParamPacket();
}

TEST(BrokerProtocol, ClientsAreNamedByLinkKindAddressAndKey)
{
    NyraClientManager manager;
    NyraConfig config = manager.GetConfig();
    config.DevicePositionFix = 1;
    manager.SetConfig(config, FALSE);
    manager.ConnectedAsLan(10, 1, 2, 3, 1);
    manager.ConnectedAsSerial(7, 2); // also how a serial bed looks once its link timed out
    ASSERT_EQ(manager.AddDemoClient(), 0) << "four beds listed: no demo bed";
    const AddressEntry lan = MakeAddressEntry(*manager.GetClient(0));
    const AddressEntry serial = MakeAddressEntry(*manager.GetClient(1));
    EXPECT_EQ(lan, (AddressEntry { 2, 10, 1, 2, 3, 1 }));
    EXPECT_EQ(serial, (AddressEntry { 1, 7, 0, 0, 0, 2 }));
    manager.ClearAll();
    nyraclient::FlushDeferredDeletes();

    ASSERT_EQ(manager.AddDemoClient(), 1);
    manager.GetClient(0)->MonitorPacket().SetMonitorNumber(5);
    EXPECT_EQ(MakeAddressEntry(*manager.GetClient(0)), (AddressEntry { 2, 192, 168, 30, 5, 1 }));
    manager.ClearAll();
    nyraclient::FlushDeferredDeletes();

    AddressEntry many[17];
    for (int i = 0; i < 17; ++i)
        many[i] = { 2, 10, 0, 0, BYTE(i), BYTE(i) };
    const ListPacket list = MakeListPacket(many, 17);
    EXPECT_EQ(list[1], 16) << "the first 16";
    EXPECT_EQ(list[2 + 6 * 15 + 4], 15);
    EXPECT_EQ(list[98], kListEnd);
    DataPacket data;
    std::vector<BYTE> tooLong(113, 0xC1);
    EXPECT_FALSE(MakeDataPacket(lan, tooLong.data(), int(tooLong.size()), data));
}

TEST(BrokerServer, ANewViewerGetsTheListThenEveryFourSeconds)
{
    platform::ScopedTestClock clock;
    Station station;
    Broker broker(station);
    RawViewer viewer(broker.Port());
    ASSERT_TRUE(viewer.Connected());
    broker.Accept();
    ASSERT_TRUE(PumpUntil([&] { viewer.Read(); return viewer.bytes.size() >= 99u; }));
    ASSERT_EQ(viewer.bytes.size(), 99u);
    EXPECT_EQ(viewer.bytes[0], kListStart);
    EXPECT_EQ(viewer.bytes[1], 0);
    EXPECT_EQ(viewer.bytes[98], kListEnd);
    EXPECT_EQ(station.manager.GetViewerCount(), 1);

    clock.Advance(3990);
    Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    viewer.Read();
    EXPECT_EQ(viewer.bytes.size(), 99u);
    clock.Advance(10);
    ASSERT_TRUE(PumpUntil([&] { viewer.Read(); return viewer.bytes.size() >= 198u; }));
    EXPECT_EQ(Parse(viewer.bytes).lists, 2);

    // A second viewing station is closed at once; the first keeps its stream.
    RawViewer second(broker.Port());
    broker.Accept();
    ASSERT_TRUE(PumpUntil([&] { return !second.Read(); }));
    EXPECT_EQ(broker.server.GetViewerCount(), 1);
}

TEST(BrokerServer, AMonitoredBedIsMirroredByABrokerClient)
{
    Station station;
    NyraClientSock* sock = nullptr;
    auto sim = station.ConnectMonitor(sock);
    NyraClientInfo* bed = station.Attach(*sim, sock);
    sim->SetPatient("P-31", "Maria", "Lopez");
    Exchange(*sim, sim->ConnectPacket(), 1); // the station's ACK gives the monitor its key
    ASSERT_TRUE(sim->Announce());
    ASSERT_TRUE(PumpUntil([&] { sim->Poll(0); return bed->IsMonitorAccepted() == 1; }));

    Broker broker(station);
    StationParent viewParent;
    ASSERT_TRUE(viewParent.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr));
    NyraClientManager viewing(&viewParent);
    viewing.SetDisplayMode(DISPMODE_16CH, FALSE);
    CBrokerClient client(&viewParent);
    client.SetClientManager(&viewing);
    client.Connect("127.0.0.1", broker.Port());
    broker.Accept();

    NyraClientInfo* mirror = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        sim->SendSecond();
        sim->Poll(0);
        mirror = viewing.GetClient(0);
        return mirror != nullptr && mirror->GetTrendFedCount() >= 3;
    }));
    EXPECT_EQ(viewing.GetClientCount(), 1);
    EXPECT_EQ(mirror->GetPeerAddr()[0], 127);
    EXPECT_EQ(mirror->GetKey(), bed->GetKey());
    EXPECT_EQ(mirror->GetPatientPacket().GetFirstName(), CString("Maria"));
    EXPECT_EQ(mirror->GetMonitorPacket().GetMonitorNumber(), bed->GetMonitorPacket().GetMonitorNumber());
    EXPECT_NE(mirror->GetControl(), nullptr) << "the viewing station shows the bed";

    // The monitor leaves: the next list (within 4 seconds) removes the mirrored bed.
    ASSERT_TRUE(sim->Send(sim->DisconnectPacket()));
    ASSERT_TRUE(PumpUntil([&] { sim->Poll(0); return station.manager.GetClientCount() == 0; }));
    ASSERT_TRUE(PumpUntil([&] { return viewing.GetClientCount() == 0; }, std::chrono::seconds(6)));
    nyraclient::FlushDeferredDeletes();
}

TEST(BrokerClient, TheStreamIsCutIntoPacketsWhateverTheReceivesAre)
{
    StationParent viewParent;
    ASSERT_TRUE(viewParent.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr));
    NyraClientManager viewing(&viewParent);
    viewing.SetDisplayMode(DISPMODE_16CH, FALSE);
    CBrokerClient client(&viewParent);
    client.SetClientManager(&viewing);

    const AddressEntry lan { 2, 10, 0, 0, 9, 1 };
    const AddressEntry serial { 1, 4, 0, 0, 0, 2 };
    const AddressEntry both[] = { lan, serial };
    const ListPacket list = MakeListPacket(both, 2);
    std::vector<BYTE> stream { 0x00, 0xFA, 0x13 }; // noise, a false start
    stream.insert(stream.end(), list.begin(), list.end());
    MonitorSim sim;
    sim.SetKey(1);
    sim.SetPatient("P-2", "Ana", "Ruiz");
    const monitorsim::Bytes patient = sim.PatientPacket();
    DataPacket data;
    ASSERT_TRUE(MakeDataPacket(lan, patient.data(), int(patient.size()), data));
    stream.insert(stream.end(), data.begin(), data.end());
    // A data packet of a serial bed on the same numbers as the LAN bed's is matched by its port.
    sim.SetKey(2);
    sim.SetPatient("P-3", "Eva", "Berg");
    const monitorsim::Bytes serialPatient = sim.PatientPacket();
    ASSERT_TRUE(MakeDataPacket(serial, serialPatient.data(), int(serialPatient.size()), data));
    stream.insert(stream.end(), data.begin(), data.end());

    // Fed in pieces of 7 bytes: packets split across receives are handled once complete.
    for (std::size_t at = 0; at < stream.size(); at += 7)
        client.ProcessBytes(stream.data() + at, int(std::min<std::size_t>(7, stream.size() - at)));
    EXPECT_EQ(client.GetKeptCount(), 0);
    ASSERT_EQ(viewing.GetClientCount(), 2);
    const int lanIndex = viewing.PeerCheck(10, 0, 0, 9);
    ASSERT_GE(lanIndex, 0);
    EXPECT_EQ(viewing.GetClient(lanIndex)->GetPatientPacket().GetFirstName(), CString("Ana"));
    const int serialIndex = viewing.PeerCheck(4u);
    ASSERT_GE(serialIndex, 0);
    EXPECT_EQ(viewing.GetClient(serialIndex)->GetPatientPacket().GetFirstName(), CString("Eva"));

    // A list claiming more than 16 beds is not a list: nothing changes. A list of none removes
    // every mirrored bed.
    ListPacket bogus = MakeListPacket(both, 2);
    bogus[1] = 17;
    client.ProcessBytes(bogus.data(), int(bogus.size()));
    EXPECT_EQ(viewing.GetClientCount(), 2);
    const ListPacket none = MakeListPacket(nullptr, 0);
    client.ProcessBytes(none.data(), int(none.size()));
    EXPECT_EQ(viewing.GetClientCount(), 0);
    nyraclient::FlushDeferredDeletes();

    // A data packet for a bed no list announced is ignored.
    client.ProcessBytes(data.data(), int(data.size()));
    EXPECT_EQ(viewing.GetClientCount(), 0);
}

// Feeds the bed `count` parameter packets.
void Feed(NyraClientInfo& bed, MonitorSim& sim, int count)
{
    for (int i = 0; i < count; ++i) {
        monitorsim::Bytes param = Param(sim);
        bed.Receive_Parameter(param.data(), int(param.size()));
    }
}

TEST(BrokerServer, AStalledViewerStillReadsWholePacketsAndGoesQuickly)
{
    Station station;
    station.manager.ConnectedAsLan(10, 0, 0, 5, 1);
    NyraClientInfo* bed = station.manager.GetClient(0);
    MonitorSim sim;
    sim.SetKey(1);
    monitorsim::Bytes monitor = sim.MonitorPacket();
    bed->Receive_Monitor(monitor.data(), int(monitor.size()));

    Broker broker(station, 4096);
    RawViewer viewer(broker.Port(), 4096);
    NyraClientSock* sock = broker.Accept();
    // Ten seconds without reading while the bed sends far more than the connection holds.
    const auto stalledUntil = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < stalledUntil) {
        Feed(*bed, sim, 40);
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // Now it reads: every byte belongs to a whole packet.
    auto quietSince = std::chrono::steady_clock::now();
    std::size_t seen = 0;
    while (std::chrono::steady_clock::now() - quietSince < std::chrono::milliseconds(500)) {
        Pump();
        viewer.Read();
        if (viewer.bytes.size() != seen) {
            seen = viewer.bytes.size();
            quietSince = std::chrono::steady_clock::now();
        }
    }
    const Parsed parsed = Parse(viewer.bytes);
    EXPECT_EQ(parsed.skipped, 0);
    EXPECT_EQ(parsed.badPackets, 0);
    EXPECT_EQ(parsed.tail, 0);
    EXPECT_GE(parsed.lists, 1);
    EXPECT_GT(parsed.params, 100);

    // Stalled again, then the viewer goes: its thread ends within moments.
    const auto stallAgain = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < stallAgain) {
        Feed(*bed, sim, 40);
        Pump();
    }
    const auto start = std::chrono::steady_clock::now();
    broker.server.SendMessage(WM_BROKER_SOCK_DISCONNECT, reinterpret_cast<WPARAM>(sock), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(broker.server.GetViewerCount(), 0);
    EXPECT_EQ(station.manager.GetViewerCount(), 0);
    nyraclient::FlushDeferredDeletes();
}

TEST(BrokerServer, MonitorsComingAndGoingWhileAViewerReads)
{
    Station station;
    Broker broker(station);
    RawViewer viewer(broker.Port());
    broker.Accept();
    for (int cycle = 0; cycle < 50; ++cycle) {
        SCOPED_TRACE(cycle);
        NyraClientSock* sock = nullptr;
        auto sim = station.ConnectMonitor(sock);
        NyraClientInfo* bed = station.Attach(*sim, sock);
        Exchange(*sim, sim->ConnectPacket(), 1);
        ASSERT_TRUE(sim->Announce());
        ASSERT_TRUE(PumpUntil([&] {
            sim->Poll(0);
            viewer.Read();
            return bed->IsMonitorAccepted() == 1;
        }));
        // Its parameters reach the viewer before it leaves.
        const int before = Parse(viewer.bytes).params;
        ASSERT_TRUE(PumpUntil([&] {
            sim->SendSecond();
            sim->Poll(0);
            viewer.Read();
            return Parse(viewer.bytes).params > before;
        }));
        ASSERT_TRUE(sim->Send(sim->DisconnectPacket()));
        ASSERT_TRUE(PumpUntil([&] {
            sim->Poll(0);
            viewer.Read();
            return station.manager.GetClientCount() == 0;
        }));
        nyraclient::FlushDeferredDeletes();
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (std::chrono::steady_clock::now() < until) {
        Pump();
        viewer.Read();
    }
    const Parsed parsed = Parse(viewer.bytes);
    EXPECT_EQ(parsed.skipped, 0);
    EXPECT_EQ(parsed.badPackets, 0);
    EXPECT_GE(parsed.params, 50);
    EXPECT_GE(parsed.lists, 1);
}

} // namespace
