// Crash reports: a child process installs the handler and crashes; the report it leaves must
// name the signal and carry a backtrace, and the signal must still end the child.
#include "platform/sys/CrashReport.h"

#include "testkit/TempFolder.h"
#include "testkit/ChildProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <ostream>
#include <sstream>

#include <sys/resource.h>

namespace {

// Under AddressSanitizer or ThreadSanitizer the sanitizer's fault handler was there before
// ours: after the report it takes the segmentation fault and ends the process with an exit
// code of its own.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitizerTakesFaults = true;
#else
constexpr bool kSanitizerTakesFaults = false;
#endif

// The child's part: report into <folder>/MemoryDump under the classic name, then crash.
int CrashInto(const std::string& folder, void (*crash)())
{
    rlimit noCore { 0, 0 };
    setrlimit(RLIMIT_CORE, &noCore); // the report is what is wanted, not a core file
    if (!platform::InstallCrashReportHandler(folder + "/MemoryDump", "%Y%m%d_%H%M%S.dmp"))
        return 30;
    crash();
    return 31; // not reached
}

// The undefined-behaviour sanitizer would stop the write before it faults: the fault is the point.
__attribute__((no_sanitize("undefined"))) void WriteThroughNull()
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

void AbortOnPurpose() { std::abort(); }

const int s_segv = testkit::RunChildRole("segv", [](const std::string& f) { return CrashInto(f, WriteThroughNull); });
const int s_abort = testkit::RunChildRole("abort", [](const std::string& f) { return CrashInto(f, AbortOnPurpose); });

std::string Today()
{
    time_t now = time(nullptr);
    tm local {};
    localtime_r(&now, &local);
    char text[16];
    strftime(text, sizeof text, "%Y%m%d", &local);
    return text;
}

bool IsClassicDumpName(const std::string& name)
{
    // yyyymmdd_hhmmss.dmp
    if (name.size() != 19 || name[8] != '_' || name.substr(15) != ".dmp")
        return false;
    for (int i : { 0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14 })
        if (name[size_t(i)] < '0' || name[size_t(i)] > '9')
            return false;
    return true;
}

struct CrashCase
{
    const char* role;
    int signal;
    const char* signalLine;
    const char* frameText; // a text some backtrace line must hold ("" for none)
};

void PrintTo(const CrashCase& c, std::ostream* out) { *out << c.role; }

class SysCrashReport : public ::testing::TestWithParam<CrashCase>
{
};

} // namespace

TEST_P(SysCrashReport, ChildThatCrashesLeavesAReportWithABacktraceAndStillDies)
{
    const CrashCase& c = GetParam();
    testkit::TempFolder folder;
    std::string before = Today();
    pid_t child = testkit::StartChild(c.role, folder.Dir());
    ASSERT_GT(child, 0);
    int status = testkit::WaitForChild(child);
    std::string after = Today();
    if (kSanitizerTakesFaults && c.signal == SIGSEGV) {
        EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0));
    } else {
        ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        EXPECT_EQ(WTERMSIG(status), c.signal);
    }

    std::vector<std::filesystem::path> reports;
    for (auto& entry : std::filesystem::directory_iterator(folder / "MemoryDump"))
        reports.push_back(entry.path());
    ASSERT_EQ(reports.size(), 1u);
    std::string name = reports[0].filename().string();
    EXPECT_TRUE(IsClassicDumpName(name)) << name;
    EXPECT_TRUE(name.compare(0, 8, before) == 0 || name.compare(0, 8, after) == 0) << name;

    std::string report = testkit::ReadText(reports[0].string());
    EXPECT_NE(report.find(c.signalLine), std::string::npos) << report;
    auto backtrace = report.find("Backtrace:\n");
    ASSERT_NE(backtrace, std::string::npos) << report;
    std::istringstream lines(report.substr(backtrace + 11));
    int frames = 0;
    bool named = *c.frameText == '\0';
    for (std::string line; std::getline(lines, line);) {
        frames += line.find("[0x") != std::string::npos;
        named = named || line.find(c.frameText) != std::string::npos;
    }
    EXPECT_GE(frames, 3) << report;
    EXPECT_TRUE(named) << report;
}

INSTANTIATE_TEST_SUITE_P(FatalSignals, SysCrashReport,
                         ::testing::Values(CrashCase { "segv", SIGSEGV, "Signal: 11 SIGSEGV", "" },
                                           CrashCase { "abort", SIGABRT, "Signal: 6 SIGABRT", "abort" }),
                         [](const auto& info) { return std::string(info.param.role); });
