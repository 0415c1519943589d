// KTAdo against the raw SQLite C API on the stations' patient table: 100,000 patients inserted
// in one transaction, then a name search with LIKE '%...%' walked row by row. Each benchmark
// runs both sides in the same iteration and reports KTAdo's time (manual time), the raw time and
// their ratio (target: KTAdo within 2x of raw SQLite).
#include "bench/BenchSetup.h"

#include "ktutilex/KTAdo.h"
#include "ktutilex/ado/DatabaseFile.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPatients = 100000;
constexpr const char* kPassword = "bench";
constexpr const char* kSearch = "SELECT * FROM TBLPatient WHERE P_LAST_NAME LIKE '%ka%'";

struct Patient
{
    std::string id;
    std::string firstName;
    std::string lastName;
    double registered;
};

std::string Schema()
{
    const std::filesystem::path file =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "ktutilex/schema/TarvicII.sql";
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Deterministic names from a small linear congruential generator.
std::vector<Patient> MakePatients()
{
    std::vector<Patient> patients;
    patients.reserve(kPatients);
    unsigned state = 12345;
    auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    auto name = [&](int length) {
        std::string text(1, static_cast<char>('A' + next() % 26));
        for (int i = 1; i < length; ++i)
            text.push_back(static_cast<char>('a' + next() % 26));
        return text;
    };
    for (int i = 0; i < kPatients; ++i) {
        char id[32];
        std::snprintf(id, sizeof id, "20260101-%06d", i);
        patients.push_back({ id, name(6), name(8), 46000.0 + i % 365 });
    }
    return patients;
}

using bench::SecondsSince;

// ---- inserting ------------------------------------------------------------------------------

void InsertWithKTAdo(const std::string& path, const std::vector<Patient>& patients)
{
    KTAdo db;
    db.ConnectDB(path.c_str(), kPassword);
    db.BeginTrans();
    db.OpenTable("TBLPatient", adOpenDynamic, adLockOptimistic);
    const COleDateTime noDate(1000, 1, 1, 0, 0, 0);
    for (const Patient& p : patients) {
        db.AddNew();
        db.SetFieldValue("P_ID", p.id.c_str());
        db.SetFieldValue("P_FIRST_NAME", p.firstName.c_str());
        db.SetFieldValue("P_LAST_NAME", p.lastName.c_str());
        db.SetFieldValue("P_REG_DATE", COleDateTime(p.registered));
        db.SetFieldValue("P_BIRTHDAY", noDate);
        db.SetFieldValue("P_HEIGHT", 165.0);
        db.SetFieldValue("P_WEIGHT", 70.5);
        db.SetFieldValue("P_COMMENT", "");
        db.SetFieldValue("P_DOCTOR_ID", "D1");
        db.SetFieldValue("P_LMP", noDate);
        db.SetFieldValue("P_EDC", noDate);
        db.SetFieldValue("P_GR", 1L);
        db.SetFieldValue("P_PA", 0L);
        db.SetFieldValue("P_EDIT_DATE", COleDateTime(p.registered));
        if (!db.Update()) {
            std::fprintf(stderr, "%s\n", db.GetLastErrorString().GetString());
            break;
        }
    }
    db.CloseRecordset();
    db.CommitTrans();
}

void InsertWithSqlite(const std::string& path, const std::vector<Patient>& patients)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO TBLPatient (P_ID, P_FIRST_NAME, P_LAST_NAME, P_REG_DATE, P_BIRTHDAY, P_HEIGHT, "
                       "P_WEIGHT, P_COMMENT, P_DOCTOR_ID, P_LMP, P_EDC, P_GR, P_PA, P_EDIT_DATE) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &insert, nullptr);
    const double noDate = COleDateTime(1000, 1, 1, 0, 0, 0).m_dt;
    for (const Patient& p : patients) {
        sqlite3_bind_text(insert, 1, p.id.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, p.firstName.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, p.lastName.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 4, p.registered);
        sqlite3_bind_double(insert, 5, noDate);
        sqlite3_bind_double(insert, 6, 165.0);
        sqlite3_bind_double(insert, 7, 70.5);
        sqlite3_bind_text(insert, 8, "", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 9, "D1", -1, SQLITE_STATIC);
        sqlite3_bind_double(insert, 10, noDate);
        sqlite3_bind_double(insert, 11, noDate);
        sqlite3_bind_int(insert, 12, 1);
        sqlite3_bind_int(insert, 13, 0);
        sqlite3_bind_double(insert, 14, p.registered);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void BM_Insert100kPatients(benchmark::State& state)
{
    const std::vector<Patient> patients = MakePatients();
    const std::string schema = Schema();
    const bench::ScratchFolder folder("ktado-bench");
    double rawTotal = 0;
    double adoTotal = 0;
    for (auto _ : state) {
        const std::string rawPath = (folder / "raw.mdb").string();
        const std::string adoPath = (folder / "ado.mdb").string();
        ktado::CreateDatabaseFile(rawPath.c_str(), schema.c_str(), kPassword);
        ktado::CreateDatabaseFile(adoPath.c_str(), schema.c_str(), kPassword);

        auto start = std::chrono::steady_clock::now();
        InsertWithSqlite(rawPath, patients);
        const double raw = SecondsSince(start);
        start = std::chrono::steady_clock::now();
        InsertWithKTAdo(adoPath, patients);
        const double ado = SecondsSince(start);

        rawTotal += raw;
        adoTotal += ado;
        state.SetIterationTime(ado);
    }
    state.counters["raw_ms"] = benchmark::Counter(rawTotal * 1000 / state.iterations());
    state.counters["ratio"] = benchmark::Counter(adoTotal / rawTotal);
}
BENCHMARK(BM_Insert100kPatients)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- searching ------------------------------------------------------------------------------

long SearchWithKTAdo(KTAdo& db)
{
    long found = 0;
    if (db.OpenRecordset(kSearch, adOpenUnspecified, adLockUnspecified) != 1)
        return -1;
    CString id;
    CString lastName;
    while (!db.IsEOF()) {
        db.GetFieldValue("P_ID", id);
        db.GetFieldValue("P_LAST_NAME", lastName);
        found += lastName.GetLength() > 0;
        db.MoveNext();
    }
    db.CloseRecordset();
    return found;
}

long SearchWithSqlite(sqlite3* db)
{
    long found = 0;
    sqlite3_stmt* search = nullptr;
    sqlite3_prepare_v2(db, kSearch, -1, &search, nullptr);
    std::string id;
    std::string lastName;
    while (sqlite3_step(search) == SQLITE_ROW) {
        id = reinterpret_cast<const char*>(sqlite3_column_text(search, 0));
        lastName = reinterpret_cast<const char*>(sqlite3_column_text(search, 2));
        found += !lastName.empty();
    }
    sqlite3_finalize(search);
    return found;
}

void BM_LikeSearch100kPatients(benchmark::State& state)
{
    const bench::ScratchFolder folder("ktado-bench");
    const std::string path = (folder / "search.mdb").string();
    ktado::CreateDatabaseFile(path.c_str(), Schema().c_str(), kPassword);
    InsertWithSqlite(path, MakePatients());

    KTAdo ado;
    ado.ConnectDB(path.c_str(), kPassword);
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);

    double rawTotal = 0;
    double adoTotal = 0;
    long rows = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        const long rawRows = SearchWithSqlite(raw);
        const double rawTime = SecondsSince(start);
        start = std::chrono::steady_clock::now();
        rows = SearchWithKTAdo(ado);
        const double adoTime = SecondsSince(start);
        if (rows != rawRows)
            state.SkipWithError("KTAdo and raw SQLite found different rows");
        rawTotal += rawTime;
        adoTotal += adoTime;
        state.SetIterationTime(adoTime);
    }
    sqlite3_close(raw);
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows));
    state.counters["raw_ms"] = benchmark::Counter(rawTotal * 1000 / state.iterations());
    state.counters["ratio"] = benchmark::Counter(adoTotal / rawTotal);
}
BENCHMARK(BM_LikeSearch100kPatients)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
