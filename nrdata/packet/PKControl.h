// PKControl: the four-byte control packet of the monitor link. It carries the monitor's connect
// (1) and disconnect (0) requests and the acknowledgements of both sides: ACK 0xF1 and NAK 0xF0,
// whose data byte is the kind of the packet answered.
#pragma once

#include "nrdata/packet/PKBase.h"

constexpr BYTE PK_CONTROL_DISCONNECT = 0x00;
constexpr BYTE PK_CONTROL_CONNECT = 0x01;
constexpr BYTE PK_CONTROL_NAK = 0xF0;
constexpr BYTE PK_CONTROL_ACK = 0xF1;

class PKControl : public PKFrame<4, PK_TYPE_CONTROL>
{
public:
    // Frame layout.
    static constexpr int kOffType = 1;
    static constexpr int kOffData = 2;

    BYTE GetType() const { return GetByte(kOffType); }
    void SetType(BYTE type) { SetByte(kOffType, type); }
    BYTE GetData() const { return GetByte(kOffData); }
    void SetData(BYTE data) { SetByte(kOffData, data); }
};
