// The admission dialog's patient list with 10,000 patients in the stations' database:
//
//  - BM_AdmissionFillAndSort: filling the list with every patient (each row read, formatted and
//    inserted) and sorting it by the name column, against a plain walk of the same query that
//    reads every row and keeps nothing, in the same run; "ratio" is fill-and-sort time over
//    plain-walk time (target: at most 2).
#include "StationWard.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/dialogs/CAdmitPatientDlg.h"
#include "tarvic/res/BedDialogIds.h"

#include "nyraclient/client/NyraClientInfo.h"

#include "platform/msg/Wnd.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

using stationbench::kPatients;
using stationbench::PlainWalk;
using stationbench::Ward;
using bench::SecondsSince;

void BM_AdmissionFillAndSort(benchmark::State& state)
{
    Ward ward;
    CWnd parent;
    parent.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr);
    NyraClientInfo demo(nullptr, 1, 0);
    tarvic::bed::CAdmitPatientDlg dialog(&demo, nullptr, &parent);
    dialog.Create(tarvic::bed::IDD_ADMIT_PATIENT, &parent);
    parent.ShowWindow(SW_SHOW);
    dialog.ShowWindow(SW_SHOW);

    double plainTotal = 0;
    double listTotal = 0;
    double fillTotal = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        const int walked = PlainWalk();
        plainTotal += SecondsSince(start);
        start = Clock::now();
        const int shown = dialog.FillList(nullptr);
        fillTotal += SecondsSince(start);
        dialog.SortByColumn(1);
        const double list = SecondsSince(start);
        listTotal += list;
        state.SetIterationTime(list);
        if (shown != walked || shown != kPatients)
            state.SkipWithError("the list and the walk disagree");
    }
    state.counters["plain_ms"] = benchmark::Counter(plainTotal * 1000 / double(state.iterations()));
    state.counters["fill_ms"] = benchmark::Counter(fillTotal * 1000 / double(state.iterations()));
    state.counters["ratio"] = benchmark::Counter(listTotal / plainTotal);
    dialog.DestroyWindow();
    demo.DestroyWindow();
    parent.DestroyWindow();
}
BENCHMARK(BM_AdmissionFillAndSort)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) { return bench::RunOnNullHost(argc, argv); }
