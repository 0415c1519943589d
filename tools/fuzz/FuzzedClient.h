// A bed's client as the stream targets feed it: no station, no link, key 1, its monitor already
// accepted, so that every packet kind reaches its handler. Made afresh for each input.
#pragma once

#include "FuzzTarget.h"

#include "nyraclient/client/NyraClientInfo.h"

#include <memory>

namespace fuzz {

class FuzzedClient
{
public:
    static constexpr int kKey = 1;

    FuzzedClient();
    ~FuzzedClient();
    FuzzedClient(const FuzzedClient&) = delete;
    FuzzedClient& operator=(const FuzzedClient&) = delete;

    NyraClientInfo& Client() { return *m_client; }

    // Feeds the input as a link would deliver it: its first two bytes give the size of each
    // delivery (1 to 16,384 bytes, so deliveries both split packets and exceed the client's
    // work buffer), the rest is the stream.
    template <class Feed>
    static void Deliver(Input& in, Feed feed)
    {
        const int delivery = 1 + in.Word() % 16384;
        while (in.Left() > 0) {
            const int count = in.Left() < std::size_t(delivery) ? int(in.Left()) : delivery;
            feed(in.Rest(), count);
            in.Skip(std::size_t(count));
        }
    }

    // What holds after any stream: the tail is shorter than what it waits for, and the trend
    // store keeps at most an hour while not recording.
    void CheckAfterStream(int longestWait);

private:
    std::unique_ptr<NyraClientInfo> m_client;
};

} // namespace fuzz
