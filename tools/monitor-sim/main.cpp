// monitor-sim: a bedside monitor for trying the central station by hand and for tests.
//
//   monitor-sim (--tcp HOST:PORT [--local ADDRESS] | --serial DEVICE) [--monitor N]
//               [--display-mode N] [--seconds N] [--ctg FILE] [--fault KIND@SECOND]...
//
// It announces itself, then sends the monitor's waves and one parameter packet every second,
// prints what the station answers and acknowledges the settings the station sends. Faults:
// garbage, wrong-key, wrong-size, silence (stops sending, keeps the link), jump-back (the
// sequence number goes back 60 s), disconnect (the monitor's disconnect notice) and drop (the
// link closes without a word).
#include "tools/monitor-sim/MonitorSim.h"

#include <chrono>
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
                 "                   [--display-mode N] [--seconds N] [--ctg FILE] [--fault KIND@SECOND]...\n"
                 "faults: garbage wrong-key wrong-size silence jump-back disconnect drop\n");
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

} // namespace

int main(int argc, char** argv)
{
    std::string tcp, serial, local, ctg = monitorsim::SampleTracePath();
    int monitor = 1, displayMode = 2;
    long seconds = 0;
    std::multimap<long, std::string> faults;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (value == nullptr) {
            Usage();
            return 2;
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
        else if (arg == "--fault") {
            const char* at = std::strchr(value, '@');
            if (at == nullptr) {
                Usage();
                return 2;
            }
            faults.emplace(std::atol(at + 1), std::string(value, at));
        } else {
            Usage();
            return 2;
        }
    }

    MonitorSim sim;
    sim.SetMonitorNumber(monitor);
    sim.SetDisplayMode(displayMode);
    sim.LoadTrace(ctg);
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
        return 1;
    }

    // The connect notice first; its ACK gives the key the other packets carry.
    sim.Send(sim.ConnectPacket());
    Print(sim.WaitReplies(1, 3000));
    sim.Send(sim.VersionPacket());
    sim.Send(sim.MonitorPacket());
    sim.Send(sim.PatientPacket());
    sim.Send(sim.AlarmPacket());
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
            else if (fault == "disconnect")
                sim.Send(sim.DisconnectPacket());
            else if (fault == "drop")
                sim.Drop();
        }
        if (!sim.IsOpen() || sim.PeerClosed())
            break;
        if (!silent && !sim.SendSecond())
            break;
        next += std::chrono::seconds(1);
        std::this_thread::sleep_until(next);
        Print(sim.Poll(0));
    }
    Print(sim.Poll(100));
    return 0;
}
