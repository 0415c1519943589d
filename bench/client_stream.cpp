// A recorded monitor stream (one minute of waves and parameters from the simulator, with the
// CTG trace's heart rate) through the client's stream assembly and packet handlers, in MB/s on
// one core, beside a plain memcpy of the same bytes in the same run.
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/manager/NyraClientManager.h"
#include "nrdata/buffer/CSmartBuffer.h"
#include "tools/monitor-sim/MonitorSim.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

std::vector<std::uint8_t> RecordStream(std::uint8_t key)
{
    monitorsim::MonitorSim sim;
    sim.SetKey(key);
    sim.LoadTrace(monitorsim::SampleTracePath());
    std::vector<std::uint8_t> stream;
    for (int second = 0; second < 60; ++second) {
        for (int i = 0; i < monitorsim::MonitorSim::kWavesPerSecond; ++i) {
            const auto wave = sim.WavePacket();
            stream.insert(stream.end(), wave.begin(), wave.end());
        }
        const auto param = sim.ParamPacket();
        stream.insert(stream.end(), param.begin(), param.end());
    }
    return stream;
}

void DrainBroker(NyraClientInfo* client)
{
    while (CSmartBuffer* buffer = client->GetBrokerSendData())
        buffer->RemoveRef(1);
}

void BM_ClientStreamAssembly(benchmark::State& state)
{
    NyraClientManager manager;
    manager.SetViewerCount(1); // a viewing station is connected: every relayed packet is queued
    const int key = manager.ConnectedAsLan(10, 0, 0, 1, 1);
    NyraClientInfo* client = manager.GetClient(0);
    if (key != 1 || client == nullptr) {
        state.SkipWithError("no client");
        return;
    }
    monitorsim::MonitorSim sim;
    sim.SetKey(std::uint8_t(key));
    auto monitor = sim.MonitorPacket();
    client->Receive_Monitor(monitor.data(), int(monitor.size())); // opens the gate
    const auto stream = RecordStream(std::uint8_t(key));
    std::vector<std::uint8_t> copy(stream.size());
    constexpr int kRead = NyraClientInfo::kWorkBufferSize / 2; // a read of a busy socket

    double assemblySeconds = 0, memcpySeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t at = 0; at < stream.size(); at += kRead)
            client->AssembleStream(stream.data() + at, int(std::min<std::size_t>(kRead, stream.size() - at)));
        const auto middle = std::chrono::steady_clock::now();
        std::memcpy(copy.data(), stream.data(), stream.size());
        benchmark::ClobberMemory();
        const auto end = std::chrono::steady_clock::now();
        const double assembly = std::chrono::duration<double>(middle - start).count();
        assemblySeconds += assembly;
        memcpySeconds += std::chrono::duration<double>(end - middle).count();
        state.SetIterationTime(assembly);
        DrainBroker(client);
    }
    const double megabytes = double(stream.size()) * double(state.iterations()) / 1e6;
    state.SetBytesProcessed(std::int64_t(stream.size()) * state.iterations());
    state.counters["assembly_MBps"] = megabytes / assemblySeconds;
    state.counters["memcpy_MBps"] = megabytes / memcpySeconds;
    state.counters["assembly_time_over_memcpy_time"] = assemblySeconds / memcpySeconds;
    manager.ClearAll();
}
BENCHMARK(BM_ClientStreamAssembly)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
