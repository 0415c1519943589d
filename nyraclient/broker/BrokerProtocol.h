// The broker stream from a central station to a viewing station: 99-byte client lists and
// 120-byte data packets, sent as built (no checksum). Each client is named by a 6-byte address
// entry: its link kind (1 serial, 2 network), then the monitor's IPv4 address first byte first
// (serial: the COM port and three zeros), then its packet key.
#pragma once

#include "platform/core/Types.h"

#include <array>

class NyraClientInfo;

namespace nyraclient::broker {

constexpr int kListPacketSize = 99;
constexpr BYTE kListStart = 0xFA;
constexpr BYTE kListEnd = 0xFB;
constexpr int kMaxListed = 16;

constexpr int kDataPacketSize = 120;
constexpr BYTE kDataStart = 0xFC;
constexpr BYTE kDataEnd = 0xFD;
constexpr int kDataOffset = 7;
constexpr int kMaxRelayed = kDataPacketSize - kDataOffset - 1; // 112

constexpr int kEntrySize = 6;
constexpr BYTE kLinkSerial = 1;
constexpr BYTE kLinkNetwork = 2;

using AddressEntry = std::array<BYTE, kEntrySize>;
using ListPacket = std::array<BYTE, kListPacketSize>;
using DataPacket = std::array<BYTE, kDataPacketSize>;

// The client's entry. A demo bed is a network client at 192.168.30.<monitor number>; a bed on
// a serial line is serial even after its link timed out (its COM port stays).
AddressEntry MakeAddressEntry(const NyraClientInfo& client);
// A list of the first `count` entries (at most 16).
ListPacket MakeListPacket(const AddressEntry* entries, int count);
// A data packet of the client's entry around the monitor packet `bytes` (at most 112 bytes;
// false, and nothing made, for a longer one).
bool MakeDataPacket(const AddressEntry& entry, const BYTE* bytes, int len, DataPacket& out);

} // namespace nyraclient::broker
