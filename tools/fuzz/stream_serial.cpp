// Fuzz target: the serial stream assembly (110-byte frames) of a bed's client and every packet
// handler behind it, with the stream delivered in pieces of any size (FuzzedClient::Deliver).
#include "FuzzedClient.h"

#include "nyraclient/link/SerialFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzedClient bed;
    fuzz::Input in(data, size);
    fuzz::FuzzedClient::Deliver(
        in, [&](const std::uint8_t* bytes, int count) { bed.Client().AssembleSerialStream(bytes, count); });
    bed.CheckAfterStream(SERIAL_FRAME_SIZE);
    return 0;
}
