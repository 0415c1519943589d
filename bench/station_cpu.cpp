// The whole central station at work, measured from outside: the TarvicII program runs headless
// in a program folder of its own, monitor simulators in this process connect to it over
// loopback (each from its own address) and stream 25 wave packets and one parameter packet a
// second, and the station's CPU time is read from its process clock (all its threads, also
// those that have ended):
//  - BM_StationIdle: no bed at all (counter "core_share"; the target is below 0.002);
//  - BM_StationLiveBeds/<mode>: two live beds in a display mode of the bed grid (0: the first
//    bed enlarged with its waves beside the small tiles, 4: sixteen tiles), counter
//    "core_share_per_bed" (the target is below 0.005);
//  - BM_StationLiveBedsAfterOthersLeft: the same two live beds in mode 0 after ten rounds of
//    beds that came, streamed (some with broken packets) and left.
// Each run lets the station settle before it measures for kMeasureSeconds of wall time.
#include "bench/BenchSetup.h"

#include "tools/monitor-sim/MonitorSim.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using monitorsim::MonitorSim;

constexpr int kMeasureSeconds = 10;
constexpr int kSettleSeconds = 3;
constexpr int kSlotMs = 40; // 25 wave packets a second

using bench::ProgramFolder;

unsigned FreePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

// Whether a socket of this machine listens on `port` (without connecting to it: a connection
// to the monitor port would be a bed).
bool Listening(unsigned port)
{
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);
    char wanted[8];
    std::snprintf(wanted, sizeof wanted, ":%04X", port);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        if (state == "0A" && local.size() >= 5 && local.compare(local.size() - 5, 5, wanted) == 0)
            return true;
    }
    return false;
}

// The station program, headless, in a temporary program folder with an empty home.
class Station
{
public:
    explicit Station(int displayMode)
    {
        fs::create_directories(m_root / "program");
        fs::create_directories(m_root / "home" / "config");
        fs::create_directories(m_root / "home" / "runtime");
        for (const char* file : { "TarvicII", "TarvicII.mdb", "BG_Image.jpg" })
            fs::copy_file(ProgramFolder() / file, m_root / "program" / file);
        std::ofstream ini(m_root / "program" / "TarvicII.ini");
        ini << "[CENTRAL_DEFAULT]\nDisplay Mode=" << displayMode << "\n";
        ini.close();
        monitorPort = FreePort();
        const unsigned viewerPort = FreePort();

        std::vector<std::string> env = { "PLATFORM_HOST=null", "HOME=" + (m_root / "home").string(),
                                         "XDG_CONFIG_HOME=" + (m_root / "home" / "config").string(),
                                         "XDG_RUNTIME_DIR=" + (m_root / "home" / "runtime").string() };
        for (char** e = environ; *e; ++e)
            if (std::string(*e).rfind("PATH=", 0) == 0 || std::string(*e).rfind("LD_LIBRARY_PATH=", 0) == 0)
                env.emplace_back(*e);
        std::vector<std::string> args = { (m_root / "program" / "TarvicII").string(), "--ports",
                                          std::to_string(monitorPort) + "," + std::to_string(viewerPort) };
        std::vector<char*> argv, envp;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (pid > 0 && !Listening(monitorPort) && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ready = pid > 0 && Listening(monitorPort);
    }
    ~Station()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            int status = 0;
            const auto deadline = Clock::now() + std::chrono::seconds(20);
            while (waitpid(pid, &status, WNOHANG) == 0 && Clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (waitpid(pid, &status, WNOHANG) == 0) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
            }
        }
    }

    // The CPU time of every thread of the station so far, in seconds.
    double CpuSeconds() const
    {
        clockid_t clock;
        timespec t {};
        if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &t) != 0)
            return 0;
        return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    }

    pid_t pid { -1 };
    unsigned monitorPort { 0 };
    bool ready { false };

private:
    bench::ScratchFolder m_root { "station-cpu" };
};

// A bedside monitor on loopback from its own address, announced and acknowledged.
std::unique_ptr<MonitorSim> Monitor(const Station& station, int number, const std::string& address)
{
    auto sim = std::make_unique<MonitorSim>();
    sim->SetMonitorNumber(number);
    sim->SetDisplayMode(2);
    if (!sim->ConnectTcp("127.0.0.1", int(station.monitorPort), address))
        return nullptr;
    sim->Send(sim->ConnectPacket());
    if (sim->WaitReplies(1, 5000).empty())
        return nullptr;
    sim->Send(sim->VersionPacket());
    sim->Send(sim->MonitorPacket());
    sim->Send(sim->PatientPacket());
    sim->Send(sim->AlarmPacket());
    sim->WaitReplies(4, 5000);
    return sim;
}

// Streams for `seconds`: a wave packet of every monitor each 40 ms, a parameter packet each
// second; `each` runs once a second for the monitors' faults.
void Stream(std::vector<std::unique_ptr<MonitorSim>>& sims, double seconds,
            const std::function<void(int second)>& each = {})
{
    const auto start = Clock::now();
    const int slots = int(seconds * 1000 / kSlotMs);
    for (int slot = 0; slot < slots; ++slot) {
        if (slot % 25 == 0 && each)
            each(slot / 25);
        for (auto& sim : sims) {
            sim->Send(sim->WavePacket());
            if (slot % 25 == 0)
                sim->Send(sim->ParamPacket());
            sim->Poll(0);
        }
        std::this_thread::sleep_until(start + std::chrono::milliseconds(kSlotMs * (slot + 1)));
    }
}

// The station's share of one core while `work` runs for kMeasureSeconds.
double CoreShare(const Station& station, const std::function<void()>& work)
{
    const double before = station.CpuSeconds();
    const auto start = Clock::now();
    work();
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return (station.CpuSeconds() - before) / wall;
}

void BM_StationIdle(benchmark::State& state)
{
    for (auto _ : state) {
        Station station(0);
        if (!station.ready) {
            state.SkipWithError("the station did not start");
            return;
        }
        std::this_thread::sleep_for(std::chrono::seconds(kSettleSeconds));
        state.counters["core_share"] =
            CoreShare(station, [] { std::this_thread::sleep_for(std::chrono::seconds(kMeasureSeconds)); });
    }
}
BENCHMARK(BM_StationIdle)->Iterations(1)->Unit(benchmark::kSecond);

void MeasureTwoBeds(benchmark::State& state, const Station& station)
{
    std::vector<std::unique_ptr<MonitorSim>> sims;
    for (int bed = 0; bed < 2; ++bed) {
        sims.push_back(Monitor(station, bed + 1, "127.0.0." + std::to_string(2 + bed)));
        if (!sims.back()) {
            state.SkipWithError("a monitor was not taken");
            return;
        }
    }
    Stream(sims, kSettleSeconds);
    const double share = CoreShare(station, [&] { Stream(sims, kMeasureSeconds); });
    state.counters["core_share_per_bed"] = share / 2;
    state.counters["core_share"] = share;
}

void BM_StationLiveBeds(benchmark::State& state)
{
    for (auto _ : state) {
        Station station(int(state.range(0)));
        if (!station.ready) {
            state.SkipWithError("the station did not start");
            return;
        }
        MeasureTwoBeds(state, station);
    }
}
BENCHMARK(BM_StationLiveBeds)->Arg(0)->Arg(4)->Iterations(1)->Unit(benchmark::kSecond);

void BM_StationLiveBedsAfterOthersLeft(benchmark::State& state)
{
    for (auto _ : state) {
        Station station(0);
        if (!station.ready) {
            state.SkipWithError("the station did not start");
            return;
        }
        for (int round = 0; round < 10; ++round) {
            std::vector<std::unique_ptr<MonitorSim>> sims;
            for (int bed = 0; bed < 2; ++bed) {
                sims.push_back(Monitor(station, 3 + bed, "127.0.1." + std::to_string(2 + 2 * round + bed)));
                if (!sims.back()) {
                    state.SkipWithError("a monitor was not taken");
                    return;
                }
            }
            Stream(sims, 2, [&](int second) {
                if (second != 1)
                    return;
                switch (round % 4) {
                case 0: sims[0]->InjectGarbage(37); break;
                case 1: sims[0]->Send(MonitorSim::WithWrongKey(sims[0]->ParamPacket())); break;
                case 2: sims[1]->Send(MonitorSim::WithWrongSize(sims[1]->ParamPacket())); break;
                default: sims[1]->JumpSequenceBack(60); break;
                }
            });
            for (auto& sim : sims) {
                sim->Send(sim->DisconnectPacket());
                sim->Poll(200);
            }
            sims.clear();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        MeasureTwoBeds(state, station);
    }
}
BENCHMARK(BM_StationLiveBedsAfterOthersLeft)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
