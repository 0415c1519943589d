// Helpers shared by the SQLite side of the database layer (never included outside ado/*.cpp):
// statement ownership, engine errors as _com_error, and values in and out of statements.
#pragma once

#include "ktutilex/ado/ComError.h"
#include "ktutilex/ado/Variant.h"

#include <sqlite3.h>

#include <memory>

namespace ktado {

// Where engine errors come from, in the error text's "Source" line.
inline constexpr const char* kEngineSource = "SQLite";

struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// The engine's last error on `db` (result code `rc`) as a _com_error with the provider's code.
[[noreturn]] void ThrowEngineError(sqlite3* db, int rc);

// Prepares one statement; text after it that holds another statement is refused, so that a
// value that breaks out of its quotes cannot run a second statement.
Statement PrepareSingle(sqlite3* db, const char* sql, bool persistent = false);

// Binds a value to parameter `index` (1-based). Arrays and error values are refused.
void BindVariant(sqlite3_stmt* statement, int index, const _variant_t& value);

// Steps a statement that returns no rows to its end.
void StepToDone(sqlite3* db, sqlite3_stmt* statement);

} // namespace ktado
