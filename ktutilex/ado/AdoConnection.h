// AdoConnection: one open database (an SQLite file) reached through the system's connection text.
//
// Opening checks that the data source exists and is a database of this system, and that the
// password matches the hash the file holds. Every connection waits up to kBusyTimeoutMs for a
// lock that another program holds and runs in write-ahead-log mode, so that the central and the
// review station can use one file at once. All methods report failures by throwing _com_error.
#pragma once

#include "ktutilex/ado/ComError.h"

#include <map>
#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;
class AdoRecordset;

class AdoConnection
{
public:
    // How long a statement waits for a lock held by another program before it fails.
    static constexpr int kBusyTimeoutMs = 10000;

    AdoConnection() = default;
    ~AdoConnection();
    AdoConnection(const AdoConnection&) = delete;
    AdoConnection& operator=(const AdoConnection&) = delete;

    void Open(const char* connectionText);
    void Close();
    long GetState() const;
    const CString& GetConnectionString() const { return m_connectionString; }
    const CString& GetDataSource() const { return m_dataSource; }

    // How long statements wait for a lock another program holds (kBusyTimeoutMs when opened).
    void SetBusyTimeout(int ms);

    // Runs one statement that returns no rows.
    void Execute(const char* sql);

    // Transactions; BeginTrans returns the new nesting level (1 for the outermost).
    long BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    long GetTransactionLevel() const { return m_transactionLevel; }

    // The tables of the database as a read-only record set with the classic schema columns
    // (TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE ...), restricted by type when
    // `tableType` is not empty ("TABLE" gives the user tables only).
    std::shared_ptr<AdoRecordset> OpenSchemaTables(const CString& tableType);

    // ---- for the record set and command objects ---------------------------------------
    sqlite3* Handle() const { return m_db; }
    // A prepared statement kept for reuse, reset and with no bindings.
    sqlite3_stmt* CachedStatement(const std::string& sql);
    // Throws "object is closed" unless the connection is open.
    void RequireOpen() const;

private:
    void FinalizeCache();

    sqlite3* m_db { nullptr };
    CString m_connectionString;
    CString m_dataSource;
    long m_transactionLevel { 0 };
    std::map<std::string, sqlite3_stmt*> m_statementCache;
};

using _ConnectionPtr = std::shared_ptr<AdoConnection>;
