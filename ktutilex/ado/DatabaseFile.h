// The database file of the stations: creating an empty one from a schema text, and the
// password hash it holds.
//
// The password is not stored: the small table KTAdoInfo holds a random salt and the SHA-256
// of salt and password, and a connection is refused when the password it brings does not give
// the same hash. The file itself is not encrypted. A database without that table has no
// password and opens with any.
#pragma once

#include "platform/core/CString.h"

struct sqlite3;

namespace ktado {

// The table of the layer's own settings; the schema listing reports it as a system table.
inline constexpr const char* kInfoTable = "KTAdoInfo";

// Creates (or replaces) the database file `path`: write-ahead logging, the statements of
// `schemaSql`, and the hash of `password` (no hash for a null or empty password). Throws
// _com_error on failure and leaves no half-made file behind.
void CreateDatabaseFile(const char* path, const char* schemaSql, const char* password);

// Stores the hash of `password` in the open database (creating KTAdoInfo when missing).
void StorePasswordHash(sqlite3* db, const char* password);

// True when the database holds no password hash or `password` matches it. Throws _com_error
// when the file cannot be read as a database.
bool PasswordMatches(sqlite3* db, const char* password);

} // namespace ktado
