// Hand-built packet frames for the packet tests.
#include "support/FrameBytes.h"

namespace nrdata_test {

Bytes EmptyFrame(int size, BYTE type, BYTE key)
{
    Bytes frame(static_cast<size_t>(size), 0);
    frame.front() = type;
    frame.back() = key;
    return frame;
}

Bytes& Put(Bytes& frame, int offset, std::initializer_list<BYTE> bytes)
{
    for (BYTE b : bytes)
        frame.at(static_cast<size_t>(offset++)) = b;
    return frame;
}

} // namespace nrdata_test
