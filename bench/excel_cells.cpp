// Writing cells of a spreadsheet file through KTExcel: writes change the workbook in memory
// and the file is written once, when it is saved.
//
// BM_WritesThenOneSave: 10,000 cell writes (1,000 rows of 10 columns) into an empty sheet and
// one save, against writing that same sheet once (opened, one cell changed, saved). The
// counter "ratio" is the first over the second; it must stay at or below 3.
//
// BM_CellWrite/N/order: one cell write into a sheet that already holds N cells, row by row
// (order 0, as a caller fills a sheet) or to cells scattered all over it (order 1). The work per
// write does not grow with N; scattered writes into a workbook larger than the processor's
// caches (from about 100,000 cells) wait for memory, and stay flat beyond.
#include "bench/BenchSetup.h"

#include "ktutilex/KTExcel.h"
#include "tools/fuzz/WorkbookParts.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>


namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kColumns = 10;

const fs::path& Folder()
{
    static const bench::ScratchFolder folder("bench-excel");
    return folder.Path();
}

std::string CellText(int row, int column) { return "cell " + std::to_string(row) + ":" + std::to_string(column); }

// A workbook whose first sheet is empty.
std::string EmptyBook(const char* name)
{
    const std::string path = (Folder() / name).string();
    workbook::WritePackage(path, workbook::MinimalParts(""));
    return path;
}

// Writes `rows` rows of kColumns cells; false when a write failed.
bool WriteRows(KTExcel& excel, int rows)
{
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < kColumns; ++column)
            if (excel.SetText(row, column, CellText(row, column).c_str()) != 1)
                return false;
    return true;
}

double Seconds(Clock::duration span) { return std::chrono::duration<double>(span).count(); }

void BM_WritesThenOneSave(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0)) / kColumns;
    const std::string empty = EmptyBook("empty.xlsx");
    const std::string written = (Folder() / "written.xlsx").string();
    const std::string full = (Folder() / "full.xlsx").string();
    {
        fs::copy_file(empty, full, fs::copy_options::overwrite_existing);
        KTExcel excel;
        if (excel.Open(full.c_str(), "Patients") != 1 || !WriteRows(excel, rows) || excel.Save() != 1)
            state.SkipWithError("the full sheet could not be written");
    }
    double writesTotal = 0;
    double onceTotal = 0;
    for (auto _ : state) {
        fs::copy_file(empty, written, fs::copy_options::overwrite_existing);
        KTExcel excel;
        excel.Open(written.c_str(), "Patients");
        const Clock::time_point start = Clock::now();
        if (!WriteRows(excel, rows) || excel.Save() != 1)
            state.SkipWithError("writing failed");
        const Clock::duration writes = Clock::now() - start;

        KTExcel once;
        once.Open(full.c_str(), "Patients");
        const Clock::time_point onceStart = Clock::now();
        if (once.SetText(0, 0, "changed") != 1 || once.Save() != 1)
            state.SkipWithError("saving failed");
        const Clock::duration saved = Clock::now() - onceStart;

        state.SetIterationTime(Seconds(writes));
        writesTotal += Seconds(writes);
        onceTotal += Seconds(saved);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["writes_and_save_ms"] = writesTotal / iterations * 1e3;
    state.counters["save_once_ms"] = onceTotal / iterations * 1e3;
    state.counters["ratio"] = writesTotal / onceTotal;
}
BENCHMARK(BM_WritesThenOneSave)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CellWrite(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0)) / kColumns;
    const std::string path = EmptyBook(("sized-" + std::to_string(state.range(0)) + ".xlsx").c_str());
    KTExcel excel;
    if (excel.Open(path.c_str(), "Patients") != 1 || !WriteRows(excel, rows) || excel.Save() != 1) {
        state.SkipWithError("the sheet could not be filled");
        return;
    }
    const bool scattered = state.range(1) != 0;
    long i = 0;
    for (auto _ : state) {
        const int row = static_cast<int>((scattered ? i * 7919 : i / kColumns) % rows);
        const int column = static_cast<int>(i % kColumns);
        if (excel.SetText(row, column, "written") != 1)
            state.SkipWithError("a write failed");
        ++i;
    }
}
BENCHMARK(BM_CellWrite)
    ->ArgsProduct({ { 1000, 10000, 100000, 500000 }, { 0, 1 } })
    ->ArgNames({ "cells", "scattered" })
    ->Unit(benchmark::kNanosecond);

} // namespace

BENCHMARK_MAIN();
