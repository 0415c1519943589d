// AdoConnection: one open SQLite database reached through the system's connection text.
#include "ktutilex/ado/AdoConnection.h"

#include "ktutilex/ado/AdoEnums.h"
#include "ktutilex/ado/AdoRecordset.h"
#include "ktutilex/ado/CaseInsensitiveLike.h"
#include "ktutilex/ado/ConnectionText.h"
#include "ktutilex/ado/DatabaseFile.h"
#include "ktutilex/ado/SqlText.h"
#include "ktutilex/ado/SqliteSupport.h"

#include <sys/stat.h>

using ktado::kEngineSource;

namespace {

constexpr const char* kConnectionSource = "KTAdo.Connection";

// The schema columns of the classic table listing; TABLE_NAME is the third.
const char* const kSchemaColumns[] = { "TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "TABLE_TYPE",
                                       "TABLE_GUID", "DESCRIPTION", "TABLE_PROPID", "DATE_CREATED",
                                       "DATE_MODIFIED" };

} // namespace

AdoConnection::~AdoConnection()
{
    Close();
}

void AdoConnection::Open(const char* connectionText)
{
    Close();
    const ktado::ConnectionSettings settings = ktado::ParseConnectionString(connectionText);
    if (!settings.provider.IsEmpty() && settings.provider.CompareNoCase(ktado::kJetProvider) != 0)
        throw _com_error(ADO_E_PROVIDERNOTFOUND, "Provider cannot be found. It may not be properly installed.",
                         kConnectionSource);
    if (!settings.extendedProperties.IsEmpty())
        throw _com_error(E_FAIL, "Could not find installable ISAM.", kEngineSource);

    struct stat info {};
    if (settings.dataSource.IsEmpty() || stat(settings.dataSource, &info) != 0 || !S_ISREG(info.st_mode))
        throw _com_error(E_FAIL, "Could not find file '" + settings.dataSource + "'.", kEngineSource);

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(settings.dataSource, &db, SQLITE_OPEN_READWRITE, nullptr);
    try {
        if (rc != SQLITE_OK)
            ktado::ThrowEngineError(db, rc);
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        ktado::RegisterCaseInsensitiveLike(db);
        if (!ktado::PasswordMatches(db, settings.password))
            throw _com_error(DB_SEC_E_AUTH_FAILED, "Not a valid password.", kEngineSource);
        // Normally already set in the file; a read-only or busy file keeps its mode.
        sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    m_db = db;
    m_connectionString = connectionText ? connectionText : "";
    m_dataSource = settings.dataSource;
    m_transactionLevel = 0;
}

void AdoConnection::Close()
{
    if (!m_db)
        return;
    FinalizeCache();
    // An open transaction is rolled back when the connection closes, as the classic engine did.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_transactionLevel = 0;
}

long AdoConnection::GetState() const
{
    return m_db ? adStateOpen : adStateClosed;
}

void AdoConnection::RequireOpen() const
{
    if (!m_db)
        throw _com_error::ObjectClosed(kConnectionSource);
}

void AdoConnection::SetBusyTimeout(int ms)
{
    RequireOpen();
    sqlite3_busy_timeout(m_db, ms);
}

void AdoConnection::Execute(const char* sql)
{
    RequireOpen();
    const CString translated = ktado::TranslateDateLiterals(sql);
    sqlite3_stmt* statement = CachedStatement(translated.str());
    ktado::StepToDone(m_db, statement);
    sqlite3_reset(statement);
}

sqlite3_stmt* AdoConnection::CachedStatement(const std::string& sql)
{
    RequireOpen();
    auto found = m_statementCache.find(sql);
    if (found != m_statementCache.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    // A small cache: the statements of one table's rows and the texts the programs repeat.
    constexpr std::size_t kCacheLimit = 64;
    if (m_statementCache.size() >= kCacheLimit)
        FinalizeCache();
    ktado::Statement statement = ktado::PrepareSingle(m_db, sql.c_str(), true);
    sqlite3_stmt* raw = statement.release();
    m_statementCache.emplace(sql, raw);
    return raw;
}

void AdoConnection::FinalizeCache()
{
    for (auto& [sql, statement] : m_statementCache)
        sqlite3_finalize(statement);
    m_statementCache.clear();
}

long AdoConnection::BeginTrans()
{
    RequireOpen();
    // The outermost level takes the write lock at once (waiting for it like any statement), so
    // that a later write in the transaction cannot fail on a lock another program took meanwhile.
    const std::string sql = m_transactionLevel == 0 ? std::string("BEGIN IMMEDIATE")
                                                    : "SAVEPOINT ktado_" + std::to_string(m_transactionLevel + 1);
    Execute(sql.c_str());
    return ++m_transactionLevel;
}

void AdoConnection::CommitTrans()
{
    RequireOpen();
    if (m_transactionLevel == 0 || sqlite3_get_autocommit(m_db)) {
        m_transactionLevel = 0;
        throw _com_error(XACT_E_NOTRANSACTION, "No transaction is active.", kConnectionSource);
    }
    const std::string sql = m_transactionLevel == 1 ? std::string("COMMIT")
                                                    : "RELEASE ktado_" + std::to_string(m_transactionLevel);
    Execute(sql.c_str());
    --m_transactionLevel;
}

void AdoConnection::RollbackTrans()
{
    RequireOpen();
    if (m_transactionLevel == 0 || sqlite3_get_autocommit(m_db)) {
        // The engine may already have rolled back on its own (a full disk, for one).
        const bool wasActive = m_transactionLevel != 0;
        m_transactionLevel = 0;
        if (wasActive)
            return;
        throw _com_error(XACT_E_NOTRANSACTION, "No transaction is active.", kConnectionSource);
    }
    if (m_transactionLevel == 1) {
        Execute("ROLLBACK");
    } else {
        const std::string name = "ktado_" + std::to_string(m_transactionLevel);
        Execute(("ROLLBACK TO " + name).c_str());
        Execute(("RELEASE " + name).c_str());
    }
    --m_transactionLevel;
}

std::shared_ptr<AdoRecordset> AdoConnection::OpenSchemaTables(const CString& tableType)
{
    RequireOpen();
    ktado::Statement statement = ktado::PrepareSingle(
        m_db, "SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') "
              "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name");
    std::vector<CString> columns(std::begin(kSchemaColumns), std::end(kSchemaColumns));
    std::vector<std::vector<_variant_t>> rows;
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        const CString name = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
        const CString kind = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1));
        CString type = kind == "view" ? "VIEW" : "TABLE";
        if (name.CompareNoCase(ktado::kInfoTable) == 0)
            type = "SYSTEM TABLE";
        if (!tableType.IsEmpty() && type.CompareNoCase(tableType) != 0)
            continue;
        std::vector<_variant_t> row(columns.size(), _variant_t::Null());
        row[2] = _variant_t(name);
        row[3] = _variant_t(type);
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        ktado::ThrowEngineError(m_db, rc);
    auto recordset = std::make_shared<AdoRecordset>();
    recordset->OpenRows(std::move(columns), std::move(rows));
    return recordset;
}
