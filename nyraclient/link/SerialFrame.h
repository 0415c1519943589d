// The serial frame: every monitor packet travels over a serial line in a frame of 110 bytes,
// in both directions:
//   byte 0          0xFE start marker
//   bytes 1..n      one monitor packet (type byte first, key byte last; n at most 108)
//   bytes n+1..108  zero
//   byte 109        0xFC end marker
// The monitor's connect frame is a frame whose packet is a control packet (0xA0) with control
// code 1 (connect); nothing else of it is looked at when a link hunts for it.
#pragma once

#include "platform/core/Types.h"

constexpr int SERIAL_FRAME_SIZE = 110;
constexpr int SERIAL_FRAME_MAX_PACKET = SERIAL_FRAME_SIZE - 2;
constexpr BYTE SERIAL_FRAME_START = 0xFE;
constexpr BYTE SERIAL_FRAME_END = 0xFC;

// Builds the frame around a packet: 1, or 0 (frame untouched) for a packet that is empty or
// longer than 108 bytes and so cannot be framed.
int MakeSerialFrame(const BYTE* packet, int length, BYTE (&frame)[SERIAL_FRAME_SIZE]);

// Whether the SERIAL_FRAME_SIZE bytes at `bytes` carry both markers of a frame.
bool IsSerialFrame(const BYTE* bytes);
// Whether they are the monitor's connect frame.
bool IsConnectFrame(const BYTE* bytes);
