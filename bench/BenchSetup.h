// What the benchmarks set up alike: the programs without a display, the build's program folder,
// a scratch folder of their own, the clocks they read, and a synthetic trend of fetal and
// maternal numerics, one entry per second, smooth enough to look like a trace and varied enough
// that every curve draws segments.
#pragma once

#include "nrdata/trend/CTrendVectorSource.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <system_error>

namespace bench {

// The benchmarks' main: their windows on the null host (drawn in memory as on a display),
// unless PLATFORM_HOST names another.
inline int RunOnNullHost(int argc, char** argv)
{
    setenv("PLATFORM_HOST", "null", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The build's program folder (bin/ beside bench/): the programs and the empty database.
inline std::filesystem::path ProgramFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
}

// A folder of its own in the temporary folder ("<stem>-XXXXXX"), removed with everything in it
// at the end.
class ScratchFolder
{
public:
    explicit ScratchFolder(const char* stem)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no scratch folder");
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return m_path / relative; }

private:
    std::filesystem::path m_path;
};

// The wall time since `start`, in seconds.
inline double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The CPU time of a clock (the process's by default, CLOCK_THREAD_CPUTIME_ID for the calling
// thread's), in seconds.
inline double CpuSeconds(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID)
{
    timespec t {};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The synthetic trend's entry for second `r` (its time stamp `r`).
inline void SyntheticEntry(PKParam_v110& p, UINT r)
{
    p.SetNullData();
    p.SetTimeStamp(r);
    for (int i = 0; i < 5; ++i) {
        const double t = r + i / 5.0;
        p.SetFHR1(i, static_cast<BYTE>(140 + 6 * std::sin(t / 7.5) + 2 * std::sin(t / 1.7)));
        p.SetFHR2(i, static_cast<BYTE>(155 + 4 * std::sin(t / 9.0)));
        p.SetECG(i, static_cast<int>(84 + 3 * std::sin(t / 20.0)));
        p.SetSpO2(i, 97);
        p.SetUC(i, static_cast<BYTE>(12 + 50 * std::pow(std::sin(t / 190.0), 16)));
    }
    p.SetTemp(36.8f);
    if (r % 900 == 0) {
        p.SetNIBPSys(118), p.SetNIBPMean(90), p.SetNIBPDia(76);
        p.SetNIBPStatus(PK_NIBP_STATUS_DONE);
    }
}

// `entries` seconds of the synthetic trend in the store, from 2026-03-01 08:00, with the mother
// and fetal layout.
inline void FillSyntheticTrend(nrdata::trend::CTrendVectorSource& s, UINT entries)
{
    s.m_startTime = COleDateTime(2026, 3, 1, 8, 0, 0);
    s.m_monitorLayout = MONITOR_LAYOUT_MOTHER_FETAL;
    s.Reserve(entries);
    PKParam_v110 p;
    for (UINT r = 0; r < entries; ++r) {
        SyntheticEntry(p, r);
        s.Add(p);
    }
}

// A store of `entries` seconds of the synthetic trend, on the default settings as `configure`
// changes them.
inline nrdata::trend::CTrendVectorSource SyntheticStore(UINT entries, const std::function<void(NyraConfig&)>& configure = {})
{
    nrdata::trend::CTrendVectorSource s;
    s.m_config.Default();
    if (configure)
        configure(s.m_config);
    FillSyntheticTrend(s, entries);
    return s;
}

} // namespace bench
