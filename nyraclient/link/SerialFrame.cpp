// Building and recognising serial frames.
#include "nyraclient/link/SerialFrame.h"

#include "nrdata/packet/PKControl.h"

#include <cstring>

int MakeSerialFrame(const BYTE* packet, int length, BYTE (&frame)[SERIAL_FRAME_SIZE])
{
    if (packet == nullptr || length <= 0 || length > SERIAL_FRAME_MAX_PACKET)
        return 0;
    std::memset(frame, 0, sizeof frame);
    frame[0] = SERIAL_FRAME_START;
    std::memcpy(frame + 1, packet, static_cast<std::size_t>(length));
    frame[SERIAL_FRAME_SIZE - 1] = SERIAL_FRAME_END;
    return 1;
}

bool IsSerialFrame(const BYTE* bytes)
{
    return bytes[0] == SERIAL_FRAME_START && bytes[SERIAL_FRAME_SIZE - 1] == SERIAL_FRAME_END;
}

bool IsConnectFrame(const BYTE* bytes)
{
    return IsSerialFrame(bytes) && bytes[1] == PK_TYPE_CONTROL && bytes[1 + PKControl::kOffType] == PK_CONTROL_CONNECT;
}
