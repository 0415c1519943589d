#include "nyraclient/broker/BrokerProtocol.h"

#include "nyraclient/client/NyraClientInfo.h"

#include <algorithm>
#include <cstring>

namespace nyraclient::broker {

namespace {

// The network a demo bed pretends to be on.
constexpr BYTE kDemoNet[3] = { 192, 168, 30 };

} // namespace

AddressEntry MakeAddressEntry(const NyraClientInfo& client)
{
    AddressEntry entry {};
    if (client.IsDemo()) {
        // The monitor packet is copied under the bed's settings lock: a dialog may be storing one.
        BYTE monitor[PKMonitor_v110::kSize] {};
        client.CopyStoredPacket(PK_TYPE_MONITOR, monitor, PKMonitor_v110::kSize);
        entry = { kLinkNetwork, kDemoNet[0], kDemoNet[1], kDemoNet[2], monitor[PKMonitor_v110::kOffMonitorNumber], 0 };
    } else if (client.GetComPort() != 0) {
        // The COM port stays when a time-out lets the serial link go.
        entry = { kLinkSerial, static_cast<BYTE>(client.GetComPort()), 0, 0, 0, 0 };
    } else {
        entry = { kLinkNetwork, client.GetPeerAddr()[0], client.GetPeerAddr()[1], client.GetPeerAddr()[2], client.GetPeerAddr()[3], 0 };
    }
    entry[5] = LOBYTE(static_cast<unsigned>(client.GetKey()));
    return entry;
}

ListPacket MakeListPacket(const AddressEntry* entries, int count)
{
    ListPacket packet {};
    count = std::clamp(count, 0, kMaxListed);
    packet[0] = kListStart;
    packet[1] = static_cast<BYTE>(count);
    for (int i = 0; i < count; ++i)
        std::copy(entries[i].begin(), entries[i].end(), packet.begin() + 2 + kEntrySize * i);
    packet[kListPacketSize - 1] = kListEnd;
    return packet;
}

bool MakeDataPacket(const AddressEntry& entry, const BYTE* bytes, int len, DataPacket& out)
{
    if (bytes == nullptr || len <= 0 || len > kMaxRelayed)
        return false;
    out.fill(0);
    out[0] = kDataStart;
    std::copy(entry.begin(), entry.end(), out.begin() + 1);
    std::memcpy(out.data() + kDataOffset, bytes, size_t(len));
    out[kDataPacketSize - 1] = kDataEnd;
    return true;
}

} // namespace nyraclient::broker
