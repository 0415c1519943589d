// A viewing station on the station's viewer port, on a thread of its own: it reads the relay
// stream and keeps every monitor packet relayed to it, with the time it came, for a test to look
// at while the station runs.
#pragma once

#include "nrdata/packet/PKParam_v110.h"
#include "nyraclient/broker/BrokerProtocol.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace stationtest {

class ViewerTap
{
public:
    using Clock = std::chrono::steady_clock;

    // One relayed monitor packet (padded to the data packet's room) and when it came.
    struct Relayed
    {
        std::vector<std::uint8_t> packet;
        Clock::time_point at;
    };

    // Dials the viewer port until the station takes it (for `limit`), then reads until stopped.
    explicit ViewerTap(unsigned port, std::chrono::milliseconds limit = std::chrono::seconds(30))
        : m_thread([this, port, limit] { Run(port, limit); })
    {
    }
    ~ViewerTap()
    {
        m_stop = true;
        m_thread.join();
    }
    ViewerTap(const ViewerTap&) = delete;
    ViewerTap& operator=(const ViewerTap&) = delete;

    // The monitor packets of `kind` relayed so far.
    std::vector<Relayed> Packets(std::uint8_t kind) const
    {
        std::lock_guard lock(m_lock);
        std::vector<Relayed> found;
        for (const Relayed& relayed : m_relayed)
            if (!relayed.packet.empty() && relayed.packet[0] == kind)
                found.push_back(relayed);
        return found;
    }

    // Waits up to `limit` for a relayed packet of `kind`, after the first `skip` of that kind,
    // that `match` takes; the index of that packet among the kind's, -1 when none came.
    int WaitFor(std::uint8_t kind, std::size_t skip, const std::function<bool(const Relayed&)>& match,
                std::chrono::milliseconds limit) const
    {
        const auto deadline = Clock::now() + limit;
        do {
            const std::vector<Relayed> packets = Packets(kind);
            for (std::size_t i = skip; i < packets.size(); ++i)
                if (match(packets[i]))
                    return int(i);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (Clock::now() < deadline);
        return -1;
    }

private:
    void Run(unsigned port, std::chrono::milliseconds limit)
    {
        namespace broker = nyraclient::broker;
        int fd = -1;
        const auto giveUp = Clock::now() + limit;
        while (!m_stop && fd < 0 && Clock::now() < giveUp) {
            fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in address {};
            address.sin_family = AF_INET;
            address.sin_port = htons(static_cast<std::uint16_t>(port));
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
                close(fd);
                fd = -1;
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        }
        std::vector<std::uint8_t> stream;
        while (!m_stop && fd >= 0) {
            pollfd p { fd, POLLIN, 0 };
            if (poll(&p, 1, 100) <= 0)
                continue;
            std::uint8_t buffer[4096];
            const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            const Clock::time_point now = Clock::now();
            stream.insert(stream.end(), buffer, buffer + got);
            // Client lists and data packets follow each other whole.
            std::size_t at = 0;
            while (at < stream.size()) {
                const std::size_t size = stream[at] == broker::kListStart   ? std::size_t(broker::kListPacketSize)
                                         : stream[at] == broker::kDataStart ? std::size_t(broker::kDataPacketSize)
                                                                            : 1;
                if (at + size > stream.size())
                    break;
                if (size == std::size_t(broker::kDataPacketSize)) {
                    std::lock_guard lock(m_lock);
                    m_relayed.push_back({ std::vector<std::uint8_t>(stream.begin() + std::ptrdiff_t(at + broker::kDataOffset),
                                                                    stream.begin() + std::ptrdiff_t(at + size - 1)),
                                          now });
                }
                at += size;
            }
            stream.erase(stream.begin(), stream.begin() + std::ptrdiff_t(std::min(at, stream.size())));
        }
        if (fd >= 0)
            close(fd);
    }

    std::atomic<bool> m_stop { false };
    mutable std::mutex m_lock; // guards m_relayed
    std::vector<Relayed> m_relayed;
    std::thread m_thread;
};

// The FHR1 alarm cause of a relayed parameter packet; -1 for one that does not load.
inline int Fhr1Cause(const ViewerTap::Relayed& relayed)
{
    PKParam_v110 packet;
    if (relayed.packet.size() < std::size_t(PKParam_v110::kSize)
        || packet.SetPacket(relayed.packet.data(), PKParam_v110::kSize, FALSE) == 0)
        return -1;
    return packet.GetFHR1Alarm();
}

// A match for ViewerTap::WaitFor: a parameter packet whose FHR1 alarm cause is `cause`.
inline std::function<bool(const ViewerTap::Relayed&)> WithFhr1Cause(int cause)
{
    return [cause](const ViewerTap::Relayed& relayed) { return Fhr1Cause(relayed) == cause; };
}

} // namespace stationtest
