// The patient manager's search over 10,000 patients of 20 doctors in the stations' database:
//
//  - BM_PatientManagerSearch: a search for every patient (each row read, formatted, its doctor
//    named "NAME(ID)" and inserted into the list), against a plain walk of the same query that
//    reads every row and keeps nothing, in the same run; "ratio" is search time over plain-walk
//    time (target: at most 2).
#include "StationWard.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/dialogs/CPatientManagerDlg.h"
#include "tarvic/res/UserDialogIds.h"

#include "platform/msg/Wnd.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

using stationbench::kPatients;
using stationbench::PlainWalk;
using stationbench::Ward;
using bench::SecondsSince;

constexpr int kDoctors = 20;

void BM_PatientManagerSearch(benchmark::State& state)
{
    Ward ward(kDoctors);
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
        plainTotal += SecondsSince(start);
        start = Clock::now();
        dialog.OnSearch();
        const double search = SecondsSince(start);
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

int main(int argc, char** argv) { return bench::RunOnNullHost(argc, argv); }
