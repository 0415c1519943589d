// Fuzz target: the TCP stream assembly of a bed's client and every packet handler behind it,
// with the stream delivered in pieces of any size (FuzzedClient::Deliver).
#include "FuzzedClient.h"

#include "nrdata/packet/PKParam_v110.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzedClient bed;
    fuzz::Input in(data, size);
    fuzz::FuzzedClient::Deliver(
        in, [&](const std::uint8_t* bytes, int count) { bed.Client().AssembleStream(bytes, count); });
    bed.CheckAfterStream(PKParam_v110::kSize);
    return 0;
}
