// Hand-built packet frames for the packet tests: a zeroed frame of a kind with its header and
// key, into which a test writes the bytes it expects at literal offsets.
#pragma once

#include "platform/core/Types.h"

#include <initializer_list>
#include <vector>

namespace nrdata_test {

using Bytes = std::vector<BYTE>;

// size bytes, all zero but `type` in byte 0 and `key` in the last byte.
Bytes EmptyFrame(int size, BYTE type, BYTE key = 0xFF);
// Writes `bytes` into the frame from `offset` on and returns the frame.
Bytes& Put(Bytes& frame, int offset, std::initializer_list<BYTE> bytes);
// The packet's frame as a byte vector.
template <class Packet>
Bytes FrameOf(const Packet& packet)
{
    return Bytes(packet.GetPacket(), packet.GetPacket() + packet.GetPacketSize());
}

} // namespace nrdata_test
