// Adding a 72-hour trend (259,200 parameter packets in sequence) to a bed's trend store, and,
// in the same run, appending the same 108-byte packets to a plain byte vector. The counter
// "ratio" is the store's time over the vector's: what the store's chunks, lock and sequence
// checks cost over the bare copy.
#include "nyraclient/trend/CTrendStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace {

constexpr UINT kEntries = CTrendStore::kMaxRecording;

// A bed that is not recording and whose trend is locked (a printout): nothing is trimmed, so
// all 72 hours stay.
class QuietBed : public CTrendStoreOwner
{
public:
    int IsTrendRecording() const override { return 0; }
    void StopTrendRecording() override {}
    void MarkRecordInterrupted() override {}
    void OnTrendStarted() override {}
    void OnTrendJumpedBack() override {}
    void OnTrendEntry(const BYTE*, int) override {}
    int IsTrendReviewMode() const override { return 0; }
    int GetRecordLimitMinutes() const override { return 0; }
};

std::vector<PKParam_v110> MakePackets()
{
    std::vector<PKParam_v110> packets(kEntries);
    for (UINT i = 0; i < kEntries; ++i) {
        packets[i].SetKey(1);
        packets[i].Clear(0xFF);
        packets[i].SetTimeStamp(1000 + i);
        packets[i].SetFHR1(0, BYTE(110 + i % 60));
    }
    return packets;
}

void BM_TrendStore72Hours(benchmark::State& state)
{
    const std::vector<PKParam_v110> packets = MakePackets();
    using Clock = std::chrono::steady_clock;
    double storeSeconds = 0;
    double vectorSeconds = 0;
    for (auto _ : state) {
        QuietBed bed;
        CTrendStore store(bed);
        store.SetLockTrendDelete(1);
        std::vector<BYTE> plain;
        const auto a = Clock::now();
        for (const PKParam_v110& packet : packets)
            store.AddTrendData(packet.GetPacket());
        const auto b = Clock::now();
        for (const PKParam_v110& packet : packets)
            plain.insert(plain.end(), packet.GetPacket(), packet.GetPacket() + PKParam_v110::kSize);
        const auto c = Clock::now();
        benchmark::DoNotOptimize(plain.data());
        if (store.GetCountsOfTrendData() != kEntries ||
            plain.size() != size_t(kEntries) * PKParam_v110::kSize)
            state.SkipWithError("the store did not keep every entry");
        storeSeconds += std::chrono::duration<double>(b - a).count();
        vectorSeconds += std::chrono::duration<double>(c - b).count();
    }
    state.counters["store_ms"] = benchmark::Counter(storeSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["vector_ms"] =
        benchmark::Counter(vectorSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["entries"] = kEntries;
    state.counters["ratio"] = vectorSeconds > 0 ? storeSeconds / vectorSeconds : 0;
}
BENCHMARK(BM_TrendStore72Hours)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
