// The review station with a 72-hour recording (259,200 records, the most a recording holds, about
// 28 MB), on a program folder of its own with the stations' database:
//
//  - BM_ReviewLoad72Hours: the recording file reader loading the file, against a plain read of
//    the same file into memory in the same run; "ratio" is load time over plain-read time
//    (target: at most 1.5).
//  - BM_StudyToFirstPage: a study chosen as the study history's double click does (the review
//    context's SelectStudy) until the view has loaded its recording and drawn its first trend
//    page on the 1280 x 768 main window; "first_page_ms" (target: under 150 ms) stands beside
//    "plain_read_ms", a plain read of the same file in the same run.
#include "bench/BenchSetup.h"

#include "tarlux/app/CTarluxIIApp.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/record/CRecordReader.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/record/RecordFileFormat.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"

#include "platform/host/null/NullHost.h"
#include "platform/msg/Wnd.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr unsigned kRecords = 259200;
const COleDateTime kStart(2026, 3, 1, 8, 0, 0);
constexpr char kPatient[] = "P_1";

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A program folder with the ini file and the empty database, a data folder with one patient,
// one study and its 72-hour recording.
struct Ward
{
    bench::ScratchFolder root { "review-bench" };
    CString studyId;
    CString recording;

    Ward()
    {
        fs::create_directories(root / "program");
        fs::create_directories(root / "data");
        fs::create_directories(root / "runtime");
        setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
        fs::copy_file(bench::ProgramFolder() / "TarvicII.mdb", root / "program/TarvicII.mdb");
        std::ofstream(root / "program/TarvicII.ini")
            << "[CENTRAL_DEFAULT]\nData Path=" << (root / "data").string()
            << "\n[CENTRAL_COLOR]\nGraph Background=16777215\nGraph FHR1=16711680\nGraph FHR2=10917\n"
               "Graph UC=9109504\nGraph HR=2124031\nGrid Inner=14672855\nGrid Outer=10276977\n"
               "Grid Center=14672855\nGrid Inner Style=2\nGrid Center Style=2\n";
        tarlux::ReviewStartupSettings() = { CString((root / "program").c_str()),
                                            CString((root / "program/TarvicII.ini").c_str()), "TarluxerII-bench" };
        studyId = kStart.Format("%Y%m%d%H%M%S");
        recording = nrdata::record::RecordFilePathOf(CString((root / "data").c_str()), kPatient, studyId,
                                                     nrdata::record::kCommittedExtension);
        WriteRecording();
    }
    void WriteRecording() const
    {
        PKMonitor_v110 monitor;
        monitor.SetDisplayMode(2);
        const auto block1 = nrdata::record::MakeHeaderBlock1(kStart, monitor.GetPacket());
        const auto block2 = nrdata::record::MakeHeaderBlock2(nullptr);
        std::vector<BYTE> bytes(nrdata::record::kHeadSize + size_t(kRecords) * nrdata::record::kRecordSize);
        std::copy(block1.begin(), block1.end(), bytes.begin());
        std::copy(block2.begin(), block2.end(), bytes.begin() + nrdata::record::kHeaderBlockSize);
        PKParam_v110 p;
        for (unsigned r = 0; r < kRecords; ++r) {
            bench::SyntheticEntry(p, r);
            std::copy(p.GetPacket(), p.GetPacket() + nrdata::record::kRecordSize,
                      bytes.begin() + nrdata::record::kHeadSize + long(r) * nrdata::record::kRecordSize);
        }
        fs::create_directories(fs::path(recording.str()).parent_path());
        std::ofstream(recording.str(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                              std::streamsize(bytes.size()));
    }

    // The file read whole into memory with plain reads; its length.
    size_t PlainRead() const
    {
        const int fd = ::open(recording, O_RDONLY | O_CLOEXEC);
        const off_t length = ::lseek(fd, 0, SEEK_END);
        ::lseek(fd, 0, SEEK_SET);
        std::unique_ptr<BYTE[]> buffer(new BYTE[size_t(length)]);
        size_t done = 0;
        while (done < size_t(length)) {
            const ssize_t n = ::read(fd, buffer.get() + done, size_t(length) - done);
            if (n <= 0)
                break;
            done += size_t(n);
        }
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
        return done;
    }
};

Ward& TheWard()
{
    static Ward ward;
    return ward;
}

// Each iteration reads the file plainly, then runs `step`; the average times of both become the
// counters "plain_read_ms" and `name`, and their ratio "ratio".
template <class Step>
void BesidePlainRead(benchmark::State& state, const char* name, Step step)
{
    const Ward& ward = TheWard();
    double stepMs = 0, plainMs = 0;
    for (auto _ : state) {
        const auto a = Clock::now();
        ward.PlainRead();
        const auto b = Clock::now();
        step();
        const auto c = Clock::now();
        plainMs += Ms(b - a);
        stepMs += Ms(c - b);
    }
    state.counters[name] = benchmark::Counter(stepMs, benchmark::Counter::kAvgIterations);
    state.counters["plain_read_ms"] = benchmark::Counter(plainMs, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = plainMs > 0 ? stepMs / plainMs : 0;
}

void BM_ReviewLoad72Hours(benchmark::State& state)
{
    tarlux::CRecordReader reader;
    BesidePlainRead(state, "load_ms", [&] { reader.Load(TheWard().recording); });
    if (reader.GetRecordCount() != int(kRecords))
        state.SkipWithError("the recording did not load whole");
}
BENCHMARK(BM_ReviewLoad72Hours)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_StudyToFirstPage(benchmark::State& state)
{
    const Ward& ward = TheWard();
    tarlux::CTarluxIIApp app;
    if (!app.InitInstance()) {
        state.SkipWithError("the review station did not start");
        return;
    }
    KTAdo& db = tarlux::ReviewDatabase();
    TBLPatient patient(&db);
    patient.P_ID = kPatient;
    patient.P_LAST_NAME = "Kim";
    patient.Add();
    TBLStudy study(&db);
    study.S_ID = kPatient;
    study.SetStartTime(kStart, 1);
    study.S_LENGTH = kRecords;
    study.Add();
    tarlux::CReviewContext& context = *tarlux::CReviewContext::GetInstance();
    context.SelectPatient(kPatient);
    platform::host::NullHost::PumpPending();

    BesidePlainRead(state, "first_page_ms", [&] {
        context.SelectStudy(ward.studyId);
        platform::host::NullHost::PumpPending();
    });
    if (context.GetReader().GetRecordCount() != int(kRecords) || context.GetReader().GetShownLast() <= 0)
        state.SkipWithError("the study was not shown");
    app.m_pMainWnd->DestroyWindow();
    platform::host::NullHost::PumpPending();
    tarlux::ReviewDatabase().Disconnect();
}
BENCHMARK(BM_StudyToFirstPage)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) { return bench::RunOnNullHost(argc, argv); }
