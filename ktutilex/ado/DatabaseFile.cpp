// The database file of the stations: creation and the password hash.
#include "ktutilex/ado/DatabaseFile.h"

#include "ktutilex/ado/Sha256.h"
#include "ktutilex/ado/SqliteSupport.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace ktado {

namespace {

constexpr const char* kSaltName = "PasswordSalt";
constexpr const char* kHashName = "PasswordHash";

std::string NewSalt()
{
    std::string salt;
    std::ifstream random("/dev/urandom", std::ios::binary);
    static const char kHex[] = "0123456789abcdef";
    for (int i = 0; i < 16; ++i) {
        unsigned char byte = 0;
        if (!random.read(reinterpret_cast<char*>(&byte), 1))
            byte = static_cast<unsigned char>(std::random_device {}());
        salt.push_back(kHex[byte >> 4]);
        salt.push_back(kHex[byte & 0xF]);
    }
    return salt;
}

void Exec(sqlite3* db, const char* sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        ThrowEngineError(db, rc);
}

// The value stored under `name`, empty when there is none. `found` tells whether the table exists.
std::string ReadInfo(sqlite3* db, const char* name, bool& tableExists)
{
    sqlite3_stmt* raw = nullptr;
    const std::string sql = std::string("SELECT Value FROM ") + kInfoTable + " WHERE Name=?";
    const int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr);
    Statement statement(raw);
    if (rc != SQLITE_OK) {
        if ((rc & 0xFF) == SQLITE_ERROR && std::string(sqlite3_errmsg(db)).starts_with("no such table")) {
            tableExists = false;
            return std::string();
        }
        ThrowEngineError(db, rc);
    }
    tableExists = true;
    sqlite3_bind_text(raw, 1, name, -1, SQLITE_STATIC);
    const int step = sqlite3_step(raw);
    if (step == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(raw, 0);
        return text ? reinterpret_cast<const char*>(text) : "";
    }
    if (step != SQLITE_DONE)
        ThrowEngineError(db, step);
    return std::string();
}

} // namespace

void StorePasswordHash(sqlite3* db, const char* password)
{
    Exec(db, (std::string("CREATE TABLE IF NOT EXISTS ") + kInfoTable +
              " (Name TEXT NOT NULL PRIMARY KEY, Value TEXT)").c_str());
    const std::string salt = NewSalt();
    const std::string hash = Sha256Hex(salt + (password ? password : ""));
    const std::string sql = std::string("INSERT OR REPLACE INTO ") + kInfoTable + " (Name, Value) VALUES (?, ?)";
    for (const auto& [name, value] : { std::pair<const char*, std::string>(kSaltName, salt),
                                       std::pair<const char*, std::string>(kHashName, hash) }) {
        Statement statement = PrepareSingle(db, sql.c_str());
        sqlite3_bind_text(statement.get(), 1, name, -1, SQLITE_STATIC);
        sqlite3_bind_text(statement.get(), 2, value.c_str(), -1, SQLITE_TRANSIENT);
        StepToDone(db, statement.get());
    }
}

bool PasswordMatches(sqlite3* db, const char* password)
{
    bool tableExists = false;
    const std::string hash = ReadInfo(db, kHashName, tableExists);
    if (!tableExists || hash.empty())
        return true;
    const std::string salt = ReadInfo(db, kSaltName, tableExists);
    return Sha256Hex(salt + (password ? password : "")) == hash;
}

void CreateDatabaseFile(const char* path, const char* schemaSql, const char* password)
{
    // Build beside the target and rename, so that a failure leaves no half-made database.
    const std::string target = path ? path : "";
    const std::string temporary = target + ".new";
    std::remove(temporary.c_str());
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    try {
        if (rc != SQLITE_OK)
            ThrowEngineError(db, rc);
        Exec(db, "PRAGMA journal_mode=WAL");
        Exec(db, "BEGIN");
        Exec(db, schemaSql ? schemaSql : "");
        if (password && *password)
            StorePasswordHash(db, password);
        Exec(db, "COMMIT");
    } catch (...) {
        sqlite3_close(db);
        std::remove(temporary.c_str());
        throw;
    }
    sqlite3_close(db);
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw _com_error(E_FAIL, CString("Could not write the database file '") + target.c_str() + "'.",
                         kEngineSource);
    }
}

} // namespace ktado
