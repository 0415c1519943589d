// Writing a 72-hour recording (259,200 parameter records) through the recording's file thread,
// with the committed ".FMF" brought up to date every 10 records, and, in the same run, a plain
// append of the same bytes to a file with one write per record. The counter "ratio" is the
// recording's time over the plain append's.
#include "bench/BenchSetup.h"

#include "nyraclient/record/CFileThread.h"

#include "nrdata/buffer/CSmartBuffer.h"
#include "nrdata/packet/PKParam_v110.h"

#include "platform/msg/Wnd.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace nyraclient::record;
using namespace nrdata::record;
namespace fs = std::filesystem;

constexpr UINT kRecords = 259200;

// The bed's window stands aside: progress is committed but posted nowhere.
class NotifySink : public CWnd
{
public:
    NotifySink() { CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 0, 0), nullptr, 0); }
    ~NotifySink() override { DestroyWindow(); }
};

std::vector<BYTE> MakeRecords()
{
    std::vector<BYTE> bytes(size_t(kRecords) * kRecordSize);
    PKParam_v110 packet;
    packet.SetKey(1);
    packet.Clear(0xFF);
    for (UINT i = 0; i < kRecords; ++i) {
        packet.SetTimeStamp(i);
        std::copy(packet.GetPacket(), packet.GetPacket() + kRecordSize,
                  bytes.begin() + long(i) * kRecordSize);
    }
    return bytes;
}

void BM_Recording72Hours(benchmark::State& state)
{
    const std::vector<BYTE> records = MakeRecords();
    const bench::ScratchFolder scratch("bench-recording");
    const fs::path folder = scratch / "recording";
    const HeaderBlock block1 = MakeHeaderBlock1(COleDateTime(2026, 12, 10, 8, 0, 0), nullptr);
    const HeaderBlock block2 = MakeHeaderBlock2(nullptr);
    NotifySink sink;
    using Clock = std::chrono::steady_clock;
    double recordSeconds = 0;
    double plainSeconds = 0;
    for (auto _ : state) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string tmp = (folder / "P_1.TMP").string();
        const auto a = Clock::now();
        {
            CFileThreadControl control;
            if (!control.Start(tmp.c_str(), block1, block2, 0, &sink, WM_USER)) {
                state.SkipWithError("the recording file could not be created");
                break;
            }
            for (UINT i = 0; i < kRecords; ++i)
                control.Get()->AddParamData(
                    CSmartBuffer::CreateBuffer(records.data() + size_t(i) * kRecordSize, kRecordSize, 1, 1));
            // Every record through the loop, so the committed copy follows every 10 of them. Looked
            // at each millisecond: a loop that only yields would take a core from the writer.
            while (control.Get()->GetFileLength() < kRecords)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            control.Stop();
        }
        const auto b = Clock::now();
        const int fd = ::open((folder / "plain.bin").c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        for (UINT i = 0; i < kRecords; ++i)
            if (::write(fd, records.data() + size_t(i) * kRecordSize, kRecordSize) != ssize_t(kRecordSize))
                state.SkipWithError("plain write failed");
        ::close(fd);
        const auto c = Clock::now();
        if (fs::file_size(folder / "P_1.FMF") != kHeadSize + size_t(kRecords) * kRecordSize)
            state.SkipWithError("the committed file is not complete");
        recordSeconds += std::chrono::duration<double>(b - a).count();
        plainSeconds += std::chrono::duration<double>(c - b).count();
    }
    state.counters["recording_ms"] =
        benchmark::Counter(recordSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["plain_ms"] = benchmark::Counter(plainSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["records"] = kRecords;
    state.counters["ratio"] = plainSeconds > 0 ? recordSeconds / plainSeconds : 0;
}
BENCHMARK(BM_Recording72Hours)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
