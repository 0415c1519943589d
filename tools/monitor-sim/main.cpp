// monitor-sim: a bedside monitor for trying the central station by hand and for tests.
//
//   monitor-sim (--tcp HOST:PORT [--local ADDRESS] | --serial DEVICE) [--monitor N]
//               [--display-mode N] [--seconds N] [--ctg FILE | --fhr BPM] [--fault KIND@SECOND]...
//
// It announces itself, then sends the monitor's waves and one parameter packet every second,
// prints what the station answers and acknowledges the settings the station sends; the alarm
// settings it takes are what it judges its heart rate by. --fhr plays a steady FHR1 instead of
// the trace. Faults: garbage, wrong-key, wrong-size, silence (stops sending, keeps the link),
// jump-back (the sequence number goes back 60 s), disconnect (the monitor's disconnect notice),
// drop (the link closes without a word), fhr-high and fhr-low (FHR1 goes to 175 or 90 bpm,
// outside the default limits, so the monitor raises its alarm) and fhr-back (the trace, or the
// steady FHR1, again).
//
// It writes only to its standard output and error; it keeps no log files.
//
// Exit status: 0 when it ran its seconds or left the link itself (disconnect, drop); 1 when the link cannot be opened;
// 2 for a wrong command line; 3 when the station refused the monitor or closed the link.
#include "tools/monitor-sim/MonitorSim.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>

using monitorsim::MonitorSim;

namespace {

void Usage()
{
    std::fprintf(stderr,
                 "usage: monitor-sim (--tcp HOST:PORT [--local ADDRESS] | --serial DEVICE) [--monitor N]\n"
                 "                   [--display-mode N] [--seconds N] [--ctg FILE | --fhr BPM] [--fault KIND@SECOND]...\n"
                 "faults: garbage wrong-key wrong-size silence jump-back disconnect drop fhr-high fhr-low fhr-back\n");
}

void Print(const std::vector<monitorsim::Reply>& replies)
{
    for (const auto& reply : replies) {
        std::printf("station:");
        for (std::size_t i = 0; i < reply.packet.size() && i < 4; ++i)
            std::printf(" %02X", reply.packet[i]);
        std::printf(reply.packet.size() > 4 ? " ... (%zu bytes)\n" : "\n", reply.packet.size());
    }
    std::fflush(stdout);
}

constexpr int kExitLinkFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStationClosed = 3;

// The station closed the link: says when, and the status to end with.
int StationClosed(const char* when)
{
    std::fprintf(stderr, "monitor-sim: the station closed the link %s\n", when);
    std::fflush(stdout);
    return kExitStationClosed;
}

} // namespace

int main(int argc, char** argv)
{
    std::string tcp, serial, local, ctg = monitorsim::SampleTracePath();
    int monitor = 1, displayMode = 2, steadyFhr = 0;
    long seconds = 0;
    std::multimap<long, std::string> faults;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (value == nullptr) {
            Usage();
            return kExitUsage;
        }
        ++i;
        if (arg == "--tcp")
            tcp = value;
        else if (arg == "--local")
            local = value;
        else if (arg == "--serial")
            serial = value;
        else if (arg == "--monitor")
            monitor = std::atoi(value);
        else if (arg == "--display-mode")
            displayMode = std::atoi(value);
        else if (arg == "--seconds")
            seconds = std::atol(value);
        else if (arg == "--ctg")
            ctg = value;
        else if (arg == "--fhr")
            steadyFhr = std::atoi(value);
        else if (arg == "--fault") {
            const char* at = std::strchr(value, '@');
            if (at == nullptr) {
                Usage();
                return kExitUsage;
            }
            faults.emplace(std::atol(at + 1), std::string(value, at));
        } else {
            Usage();
            return kExitUsage;
        }
    }

    MonitorSim sim;
    sim.SetMonitorNumber(monitor);
    sim.SetDisplayMode(displayMode);
    sim.LoadTrace(ctg);
    sim.SetSteadyFhr(steadyFhr);
    // A link the station closes is told by a failed send, never by the signal.
    std::signal(SIGPIPE, SIG_IGN);
    bool open = false;
    if (!tcp.empty()) {
        const auto colon = tcp.rfind(':');
        open = colon != std::string::npos
               && sim.ConnectTcp(tcp.substr(0, colon), std::atoi(tcp.c_str() + colon + 1), local);
    } else if (!serial.empty()) {
        open = sim.OpenSerial(serial);
    }
    if (!open) {
        std::fprintf(stderr, "monitor-sim: cannot open the link\n");
        Usage();
        return kExitLinkFailed;
    }

    // The connect notice first; its ACK gives the key the other packets carry. A station that
    // refuses the monitor (it has no free bed) closes the link instead.
    const auto connected = sim.Send(sim.ConnectPacket()) ? sim.WaitReplies(1, 3000) : std::vector<monitorsim::Reply> {};
    Print(connected);
    if (sim.PeerClosed() || !sim.IsOpen())
        return StationClosed("before taking the monitor: it refused it (no free bed?)");
    if (!sim.Send(sim.VersionPacket()) || !sim.Send(sim.MonitorPacket()) || !sim.Send(sim.PatientPacket())
        || !sim.Send(sim.AlarmPacket()))
        return StationClosed("while the monitor announced itself");
    Print(sim.WaitReplies(4, 3000));

    bool silent = false;
    auto next = std::chrono::steady_clock::now();
    for (long second = 0; seconds == 0 || second < seconds; ++second) {
        auto [first, last] = faults.equal_range(second);
        for (auto it = first; it != last; ++it) {
            const std::string& fault = it->second;
            std::printf("fault: %s\n", fault.c_str());
            if (fault == "garbage")
                sim.InjectGarbage(37);
            else if (fault == "wrong-key")
                sim.Send(MonitorSim::WithWrongKey(sim.ParamPacket()));
            else if (fault == "wrong-size")
                sim.Send(MonitorSim::WithWrongSize(sim.ParamPacket()));
            else if (fault == "silence")
                silent = true;
            else if (fault == "jump-back")
                sim.JumpSequenceBack(60);
            else if (fault == "disconnect") {
                // The monitor says goodbye and leaves.
                sim.Send(sim.DisconnectPacket());
                Print(sim.Poll(500));
                sim.Drop();
            }
            else if (fault == "drop")
                sim.Drop();
            else if (fault == "fhr-high")
                sim.SetSteadyFhr(MonitorSim::kHighFhr);
            else if (fault == "fhr-low")
                sim.SetSteadyFhr(MonitorSim::kLowFhr);
            else if (fault == "fhr-back")
                sim.SetSteadyFhr(steadyFhr);
        }
        if (!sim.IsOpen())
            break; // the monitor left the link itself
        if (sim.PeerClosed() || (!silent && !sim.SendSecond()))
            return StationClosed("while the monitor was sending");
        next += std::chrono::seconds(1);
        std::this_thread::sleep_until(next);
        Print(sim.Poll(0));
    }
    Print(sim.Poll(100));
    return 0;
}
