// PKProtocolVer: the four-byte packet in which a monitor names the protocol version it speaks.
#pragma once

#include "nrdata/packet/PKBase.h"

class PKProtocolVer : public PKFrame<4, PK_TYPE_PROTOCOL_VER>
{
public:
    // Frame layout.
    static constexpr int kOffMainVersion = 1;
    static constexpr int kOffSubVersion = 2;

    int GetMainVersion() const { return GetByte(kOffMainVersion); }
    int GetSubVersion() const { return GetByte(kOffSubVersion); }
    void SetVersion(int main, int sub);
    // "main.sub" in decimal: 1 and 10 give "1.10".
    CString GetVersionToString() const;
    bool IsMachedVersion(int main, int sub) const;
};
