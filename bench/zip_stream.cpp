// Packing and unpacking a recording-sized file (64 MiB, half of it compressible) through KTZip,
// in the 131072-byte blocks of the archive layer. The counters give the throughput of the
// file's bytes, and the largest resident size the process reached: it stays near the program's
// own size however large the file, since nothing is held whole in memory.
#include "bench/BenchSetup.h"

#include "ktutilex/KTZip.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 64u << 20;

fs::path MakeSource(const fs::path& folder)
{
    fs::create_directories(folder / "src");
    const fs::path source = folder / "src" / "recording.FMF";
    std::ofstream file(source, std::ios::binary);
    std::string block(1 << 20, '\0');
    std::uint32_t state = 7;
    for (std::size_t done = 0; done < kFileSize; done += block.size()) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            state = state * 1664525u + 1013904223u;
            // Every other megabyte is noise, the rest a slowly changing trace.
            block[i] = (done >> 20) % 2 ? static_cast<char>(state >> 24) : static_cast<char>((i / 97) & 0x3F);
        }
        file.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    return source;
}

long PeakResidentKiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_ZipPackAndUnpack(benchmark::State& state)
{
    const bench::ScratchFolder scratch("bench-zip");
    const fs::path& folder = scratch.Path();
    const fs::path source = MakeSource(folder);
    const std::string archive = (folder / "packed.zip").string();
    const std::string target = (folder / "out").string();
    KTZip zip;
    const long residentBefore = PeakResidentKiB();
    for (auto _ : state) {
        CStringArray paths;
        paths.Add(CString(source.string()));
        if (zip.Zip(paths, archive.c_str(), 6, nullptr) != 1 || zip.UnZip(archive.c_str(), target.c_str(), nullptr, nullptr) != 1)
            state.SkipWithError("packing or unpacking failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kFileSize) * 2);
    state.counters["archive_MiB"] = static_cast<double>(fs::file_size(archive)) / (1 << 20);
    state.counters["peak_growth_KiB"] = static_cast<double>(PeakResidentKiB() - residentBefore);
}
BENCHMARK(BM_ZipPackAndUnpack)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
