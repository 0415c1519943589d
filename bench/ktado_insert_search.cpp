// KTAdo against the raw SQLite C API on the stations' patient table: 100,000 patients inserted
// in one transaction, then a name search with LIKE '%...%' walked row by row. Each benchmark
// runs both sides in the same iteration and reports KTAdo's time (manual time), the raw time and
// their ratio (target: KTAdo within 2x of raw SQLite).
//
// Both sides work on copies of the stations' empty database that the build puts beside the
// programs, and every result is checked: a failed statement, a file that does not hold the
// patients afterwards, or a search that finds other rows than the names say stops the benchmark
// with the reason instead of reporting the time of work that was not done.
#include "bench/BenchSetup.h"

#include "ktutilex/KTAdo.h"
#include "ktutilex/ado/DatabaseFile.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kPatients = 100000;
constexpr const char* kPassword = "bench";
// The search: last names holding this text, in any case.
constexpr const char* kNamePart = "ka";
const std::string kSearch = std::string("SELECT * FROM TBLPatient WHERE P_LAST_NAME LIKE '%") + kNamePart + "%'";

struct Patient
{
    std::string id;
    std::string firstName;
    std::string lastName;
    double registered;
};

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

bool NameMatches(const char* lastName)
{
    return lastName && strcasestr(lastName, kNamePart) != nullptr;
}

// How many of the patients the search must find.
long ExpectedMatches(const std::vector<Patient>& patients)
{
    long count = 0;
    for (const Patient& p : patients)
        count += NameMatches(p.lastName.c_str());
    return count;
}

using bench::SecondsSince;

// KTAdo's last-error text on one line.
std::string KTAdoError(const KTAdo& db, const char* what)
{
    CString text = db.GetLastErrorString();
    text.Replace("\n\t", "; ");
    text.Replace("\n", " ");
    return std::string("KTAdo ") + what + ": " + text.GetString();
}

std::string SqliteError(sqlite3* db, const char* what)
{
    return std::string("SQLite ") + what + ": " + (db ? sqlite3_errmsg(db) : "no connection");
}

// A fresh copy of the stations' empty database at `path`, with the benchmark's password. The
// reason it could not be made, or empty text.
std::string NewDatabase(const std::filesystem::path& path)
{
    namespace fs = std::filesystem;
    const fs::path source = bench::ProgramFolder() / "TarvicII.mdb";
    std::error_code error;
    for (const char* suffix : { "", "-wal", "-shm" })
        fs::remove(path.string() + suffix, error);
    if (!fs::copy_file(source, path, error))
        return "cannot copy the empty database " + source.string() + ": " + error.message();
    sqlite3* db = nullptr;
    std::string reason;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        reason = SqliteError(db, "open");
    } else {
        try {
            ktado::StorePasswordHash(db, kPassword);
        } catch (const _com_error& e) {
            reason = std::string("cannot set the password: ") + e.Description().GetString();
        }
    }
    sqlite3_close(db);
    return reason;
}

// ---- inserting ------------------------------------------------------------------------------

// The reason the patients were not all inserted, or empty text.
std::string InsertWithKTAdo(const std::string& path, const std::vector<Patient>& patients)
{
    KTAdo db;
    if (!db.ConnectDB(path.c_str(), kPassword))
        return KTAdoError(db, "connect");
    if (!db.BeginTrans())
        return KTAdoError(db, "begin");
    if (!db.OpenTable("TBLPatient", adOpenDynamic, adLockOptimistic))
        return KTAdoError(db, "open table");
    const COleDateTime noDate(1000, 1, 1, 0, 0, 0);
    for (const Patient& p : patients) {
        const bool written = db.AddNew() && db.SetFieldValue("P_ID", p.id.c_str()) &&
                             db.SetFieldValue("P_FIRST_NAME", p.firstName.c_str()) &&
                             db.SetFieldValue("P_LAST_NAME", p.lastName.c_str()) &&
                             db.SetFieldValue("P_REG_DATE", COleDateTime(p.registered)) &&
                             db.SetFieldValue("P_BIRTHDAY", noDate) && db.SetFieldValue("P_HEIGHT", 165.0) &&
                             db.SetFieldValue("P_WEIGHT", 70.5) && db.SetFieldValue("P_COMMENT", "") &&
                             db.SetFieldValue("P_DOCTOR_ID", "D1") && db.SetFieldValue("P_LMP", noDate) &&
                             db.SetFieldValue("P_EDC", noDate) && db.SetFieldValue("P_GR", 1L) &&
                             db.SetFieldValue("P_PA", 0L) &&
                             db.SetFieldValue("P_EDIT_DATE", COleDateTime(p.registered)) && db.Update();
        if (!written)
            return KTAdoError(db, "insert");
    }
    db.CloseRecordset();
    if (!db.CommitTrans())
        return KTAdoError(db, "commit");
    return std::string();
}

std::string InsertWithSqlite(const std::string& path, const std::vector<Patient>& patients)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    std::string reason;
    auto fail = [&](const char* what) {
        reason = SqliteError(db, what);
        return false;
    };
    auto run = [&] {
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            return fail("open");
        if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            return fail("begin");
        if (sqlite3_prepare_v2(db,
                               "INSERT INTO TBLPatient (P_ID, P_FIRST_NAME, P_LAST_NAME, P_REG_DATE, P_BIRTHDAY, "
                               "P_HEIGHT, P_WEIGHT, P_COMMENT, P_DOCTOR_ID, P_LMP, P_EDC, P_GR, P_PA, P_EDIT_DATE) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                               -1, &insert, nullptr) != SQLITE_OK)
            return fail("prepare");
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
            if (sqlite3_step(insert) != SQLITE_DONE)
                return fail("insert");
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        insert = nullptr;
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            return fail("commit");
        return true;
    };
    run();
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return reason;
}

// Why the two files do not both hold exactly the same `count` patients, or empty text.
std::string CompareFiles(const std::string& rawPath, const std::string& adoPath, long count)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* query = nullptr;
    std::string reason;
    if (sqlite3_open_v2(rawPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        reason = SqliteError(db, "open for checking");
    } else {
        const std::string attach = "ATTACH DATABASE '" + adoPath + "' AS ado";
        const char* sql = "SELECT (SELECT COUNT(*) FROM main.TBLPatient), (SELECT COUNT(*) FROM ado.TBLPatient), "
                          "(SELECT COUNT(*) FROM (SELECT * FROM main.TBLPatient EXCEPT SELECT * FROM ado.TBLPatient))";
        if (sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(db, sql, -1, &query, nullptr) != SQLITE_OK || sqlite3_step(query) != SQLITE_ROW) {
            reason = SqliteError(db, "check");
        } else {
            const long raw = static_cast<long>(sqlite3_column_int64(query, 0));
            const long ado = static_cast<long>(sqlite3_column_int64(query, 1));
            const long differing = static_cast<long>(sqlite3_column_int64(query, 2));
            if (raw != count || ado != count || differing != 0)
                reason = "after inserting " + std::to_string(count) + " patients the raw file holds " +
                         std::to_string(raw) + ", KTAdo's " + std::to_string(ado) + ", " + std::to_string(differing) +
                         " of the raw rows differ";
        }
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return reason;
}

void BM_Insert100kPatients(benchmark::State& state)
{
    const std::vector<Patient> patients = MakePatients();
    const bench::ScratchFolder folder("ktado-bench");
    const std::string rawPath = (folder / "raw.mdb").string();
    const std::string adoPath = (folder / "ado.mdb").string();
    double rawTotal = 0;
    double adoTotal = 0;
    for (auto _ : state) {
        std::string failure = NewDatabase(rawPath);
        if (failure.empty())
            failure = NewDatabase(adoPath);

        auto start = std::chrono::steady_clock::now();
        if (failure.empty())
            failure = InsertWithSqlite(rawPath, patients);
        const double raw = SecondsSince(start);
        start = std::chrono::steady_clock::now();
        if (failure.empty())
            failure = InsertWithKTAdo(adoPath, patients);
        const double ado = SecondsSince(start);

        if (failure.empty())
            failure = CompareFiles(rawPath, adoPath, static_cast<long>(patients.size()));
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
        rawTotal += raw;
        adoTotal += ado;
        state.SetIterationTime(ado);
    }
    if (rawTotal > 0) {
        state.counters["raw_ms"] = benchmark::Counter(rawTotal * 1000 / state.iterations());
        state.counters["ratio"] = benchmark::Counter(adoTotal / rawTotal);
    }
}
BENCHMARK(BM_Insert100kPatients)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- searching ------------------------------------------------------------------------------

// The rows found, every one checked against the name searched for; -1 and `reason` on failure.
long SearchWithKTAdo(KTAdo& db, std::string& reason)
{
    long found = 0;
    if (db.OpenRecordset(kSearch.c_str(), adOpenUnspecified, adLockUnspecified) != 1) {
        reason = KTAdoError(db, "search");
        return -1;
    }
    CString id;
    CString lastName;
    while (!db.IsEOF()) {
        if (!db.GetFieldValue("P_ID", id) || !db.GetFieldValue("P_LAST_NAME", lastName)) {
            reason = KTAdoError(db, "read");
            found = -1;
            break;
        }
        if (!NameMatches(lastName)) {
            reason = std::string("KTAdo found ") + lastName.GetString() + ", which does not match";
            found = -1;
            break;
        }
        ++found;
        db.MoveNext();
    }
    db.CloseRecordset();
    return found;
}

long SearchWithSqlite(sqlite3* db, std::string& reason)
{
    long found = 0;
    sqlite3_stmt* search = nullptr;
    if (sqlite3_prepare_v2(db, kSearch.c_str(), -1, &search, nullptr) != SQLITE_OK) {
        reason = SqliteError(db, "search");
        return -1;
    }
    std::string id;
    std::string lastName;
    int rc;
    while ((rc = sqlite3_step(search)) == SQLITE_ROW) {
        const auto* idText = sqlite3_column_text(search, 0);
        const auto* nameText = sqlite3_column_text(search, 2);
        id = idText ? reinterpret_cast<const char*>(idText) : "";
        lastName = nameText ? reinterpret_cast<const char*>(nameText) : "";
        if (!NameMatches(lastName.c_str())) {
            reason = "SQLite found " + lastName + ", which does not match";
            rc = SQLITE_ERROR;
            break;
        }
        ++found;
    }
    if (rc != SQLITE_DONE) {
        if (reason.empty())
            reason = SqliteError(db, "search");
        found = -1;
    }
    sqlite3_finalize(search);
    return found;
}

void BM_LikeSearch100kPatients(benchmark::State& state)
{
    const std::vector<Patient> patients = MakePatients();
    const long expected = ExpectedMatches(patients);
    const bench::ScratchFolder folder("ktado-bench");
    const std::string path = (folder / "search.mdb").string();
    std::string failure = NewDatabase(path);
    if (failure.empty())
        failure = InsertWithSqlite(path, patients);

    KTAdo ado;
    if (failure.empty() && !ado.ConnectDB(path.c_str(), kPassword))
        failure = KTAdoError(ado, "connect");
    sqlite3* raw = nullptr;
    if (failure.empty() && sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        failure = SqliteError(raw, "open");

    double rawTotal = 0;
    double adoTotal = 0;
    for (auto _ : state) {
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
        auto start = std::chrono::steady_clock::now();
        const long rawRows = SearchWithSqlite(raw, failure);
        const double rawTime = SecondsSince(start);
        start = std::chrono::steady_clock::now();
        const long adoRows = failure.empty() ? SearchWithKTAdo(ado, failure) : -1;
        const double adoTime = SecondsSince(start);
        if (failure.empty() && (rawRows != expected || adoRows != expected))
            failure = "expected " + std::to_string(expected) + " rows; raw SQLite found " + std::to_string(rawRows) +
                      ", KTAdo " + std::to_string(adoRows);
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
        rawTotal += rawTime;
        adoTotal += adoTime;
        state.SetIterationTime(adoTime);
    }
    sqlite3_close(raw);
    if (rawTotal > 0) {
        state.counters["rows"] = benchmark::Counter(static_cast<double>(expected));
        state.counters["raw_ms"] = benchmark::Counter(rawTotal * 1000 / state.iterations());
        state.counters["ratio"] = benchmark::Counter(adoTotal / rawTotal);
    }
}
BENCHMARK(BM_LikeSearch100kPatients)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
