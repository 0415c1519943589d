// The patient manager's search over 10,000 patients of 20 doctors in the stations' database:
//
//  - BM_PatientManagerSearch: a search for every patient (each row read, formatted, its doctor
//    named "NAME(ID)" and inserted into the list), against a plain walk of the same query that
//    reads every row and keeps nothing, in the same run; "ratio" is search time over plain-walk
//    time (target: at most 2).
#include "tarvic/app/StationGlobals.h"
#include "tarvic/dialogs/CPatientManagerDlg.h"
#include "tarvic/res/UserDialogIds.h"

#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLUser.h"

#include "platform/msg/Wnd.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPatients = 10000;
constexpr int kDoctors = 20;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A database of its own with the doctors and patients, on the station's connection.
struct Ward
{
    fs::path root;

    Ward()
    {
        std::string pattern = (fs::temp_directory_path() / "patient-search-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
        fs::copy_file(bin / "TarvicII.mdb", root / "TarvicII.mdb");
        g_Database.ConnectDB((root / "TarvicII.mdb").c_str(), tarvic::kDatabasePassword);
        g_Database.BeginTrans();
        TBLUser doctor(&g_Database);
        for (int i = 0; i < kDoctors; ++i) {
            doctor.Clear();
            doctor.M_ID.Format("D-%02d", i);
            doctor.M_NAME.Format("DOCTOR %02d", i);
            doctor.M_LEVEL = 2;
            doctor.M_REG_DATE = COleDateTime(2025, 1, 1, 8, 0, 0);
            doctor.M_EDIT_DATE = doctor.M_REG_DATE;
            doctor.Add();
        }
        TBLPatient patient(&g_Database);
        for (int i = 0; i < kPatients; ++i) {
            patient.Clear();
            patient.P_ID.Format("P%06d", (i * 7919) % kPatients);
            patient.P_FIRST_NAME.Format("F%04d", (i * 31) % 977);
            patient.P_LAST_NAME.Format("L%04d", (i * 17) % 1009);
            patient.P_REG_DATE = COleDateTime(2026, 1 + i % 12, 1 + i % 28, 9, 0, 0);
            patient.P_BIRTHDAY = COleDateTime(1980 + i % 20, 1 + i % 12, 1 + i % 28, 0, 0, 0);
            patient.P_LMP = COleDateTime(1000, 1, 1, 0, 0, 0);
            patient.P_EDC = COleDateTime(1000, 1, 1, 0, 0, 0);
            patient.P_EDIT_DATE = patient.P_REG_DATE;
            patient.P_GR = i % 5;
            patient.P_PA = -1;
            patient.P_HEIGHT = 150 + i % 40;
            patient.P_WEIGHT = 50 + i % 50;
            patient.P_DOCTOR_ID.Format("D-%02d", i % kDoctors);
            patient.Add();
        }
        g_Database.CommitTrans();
    }
    ~Ward()
    {
        g_Database.Disconnect();
        fs::remove_all(root);
    }
};

// The same query as the search, read row by row and kept nowhere.
int PlainWalk()
{
    TBLPatient cursor(&g_Database);
    const int count = cursor.CursorOpenEx(nullptr);
    int read = 0;
    for (int i = 0; i < count; ++i) {
        read += cursor.CursorGet() == 1 ? 1 : 0;
        cursor.CursorMove();
    }
    cursor.CursorClose();
    return read;
}

void BM_PatientManagerSearch(benchmark::State& state)
{
    Ward ward;
    CWnd parent;
    parent.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr);
    tarvic::records::CPatientManagerDlg dialog(&parent);
    dialog.Create(tarvic::records::IDD_PATIENT_MANAGER, &parent);
    parent.ShowWindow(SW_SHOW);
    dialog.ShowWindow(SW_SHOW);

    double plainTotal = 0;
    double searchTotal = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        const int walked = PlainWalk();
        plainTotal += Seconds(start);
        start = Clock::now();
        dialog.OnSearch();
        const double search = Seconds(start);
        searchTotal += search;
        state.SetIterationTime(search);
        const int shown = dialog.List().GetItemCount();
        if (shown != walked || shown != kPatients || dialog.List().GetItemText(0, 5).Find("DOCTOR") != 0)
            state.SkipWithError("the list and the walk disagree");
    }
    state.counters["plain_ms"] = benchmark::Counter(plainTotal * 1000 / double(state.iterations()));
    state.counters["search_ms"] = benchmark::Counter(searchTotal * 1000 / double(state.iterations()));
    state.counters["ratio"] = benchmark::Counter(searchTotal / plainTotal);
    dialog.DestroyWindow();
    parent.DestroyWindow();
}
BENCHMARK(BM_PatientManagerSearch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    setenv("PLATFORM_HOST", "null", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
