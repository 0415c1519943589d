// Helpers shared by the SQLite side of the database layer.
#include "ktutilex/ado/SqliteSupport.h"

#include <cstring>

namespace ktado {

void ThrowEngineError(sqlite3* db, int rc)
{
    const int primary = rc & 0xFF;
    const CString message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    switch (primary) {
    case SQLITE_CONSTRAINT:
        if (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE) {
            throw _com_error(DB_E_INTEGRITYVIOLATION,
                             "The row was not saved because another row already holds the same key (" + message +
                                 ").",
                             kEngineSource);
        }
        throw _com_error(DB_E_INTEGRITYVIOLATION, "The row was not saved: " + message + ".", kEngineSource);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw _com_error(E_FAIL,
                         "The database is in use by another program and did not become free in time. "
                         "Please try again.",
                         kEngineSource);
    case SQLITE_NOMEM:
        throw _com_error(E_OUTOFMEMORY, "Not enough memory for the database operation.", kEngineSource);
    case SQLITE_READONLY:
        throw _com_error(E_FAIL, "Cannot update. The database file is read-only.", kEngineSource);
    case SQLITE_FULL:
        throw _com_error(E_FAIL, "The disk holding the database is full.", kEngineSource);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw _com_error(E_FAIL, "The file is not a database of this system or is damaged (" + message + ").",
                         kEngineSource);
    case SQLITE_MISMATCH:
        throw _com_error(DB_E_CANTCONVERTVALUE, "Data type mismatch (" + message + ").", kEngineSource);
    case SQLITE_ERROR:
        if (std::strncmp(message, "no such table", 13) == 0)
            throw _com_error(DB_E_NOTABLE, "The table or query cannot be found (" + message + ").", kEngineSource);
        throw _com_error(DB_E_ERRORSINCOMMAND, "Error in the SQL statement: " + message + ".", kEngineSource);
    default:
        throw _com_error(E_FAIL, message, kEngineSource);
    }
}

Statement PrepareSingle(sqlite3* db, const char* sql, bool persistent)
{
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const unsigned flags = persistent ? SQLITE_PREPARE_PERSISTENT : 0;
    const int rc = sqlite3_prepare_v3(db, sql ? sql : "", -1, flags, &raw, &tail);
    Statement statement(raw);
    if (rc != SQLITE_OK)
        ThrowEngineError(db, rc);
    if (tail && *tail) {
        sqlite3_stmt* extra = nullptr;
        const int rest = sqlite3_prepare_v2(db, tail, -1, &extra, nullptr);
        Statement extraStatement(extra);
        if (rest != SQLITE_OK || extra) {
            throw _com_error(DB_E_ERRORSINCOMMAND, "Characters found after end of SQL statement.", kEngineSource);
        }
    }
    if (!statement)
        throw _com_error(DB_E_ERRORSINCOMMAND, "The SQL text holds no statement.", kEngineSource);
    return statement;
}

void BindVariant(sqlite3_stmt* statement, int index, const _variant_t& value)
{
    int rc = SQLITE_OK;
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        rc = sqlite3_bind_null(statement, index);
        break;
    case VT_BSTR:
        rc = sqlite3_bind_text(statement, index, value.GetText(), value.GetText().GetLength(), SQLITE_TRANSIENT);
        break;
    case VT_I1: rc = sqlite3_bind_int(statement, index, value.cVal); break;
    case VT_UI1: rc = sqlite3_bind_int(statement, index, value.bVal); break;
    case VT_I2: rc = sqlite3_bind_int(statement, index, value.iVal); break;
    case VT_UI2: rc = sqlite3_bind_int(statement, index, value.uiVal); break;
    case VT_I4:
    case VT_INT: rc = sqlite3_bind_int(statement, index, value.lVal); break;
    case VT_UI4:
    case VT_UINT: rc = sqlite3_bind_int64(statement, index, value.ulVal); break;
    case VT_BOOL: rc = sqlite3_bind_int(statement, index, value.boolVal ? -1 : 0); break;
    case VT_R4: rc = sqlite3_bind_double(statement, index, value.fltVal); break;
    case VT_R8:
    case VT_DATE: rc = sqlite3_bind_double(statement, index, value.dblVal); break;
    default:
        throw _com_error(DB_E_CANTCONVERTVALUE, "A value of this type cannot be stored in the database.",
                         kEngineSource);
    }
    if (rc != SQLITE_OK)
        ThrowEngineError(sqlite3_db_handle(statement), rc);
}

void StepToDone(sqlite3* db, sqlite3_stmt* statement)
{
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        sqlite3_reset(statement);
        ThrowEngineError(db, rc);
    }
}

} // namespace ktado
