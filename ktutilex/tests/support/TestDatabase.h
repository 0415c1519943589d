// Temporary database files for the database layer's tests.
#pragma once

#include "platform/core/CString.h"

#include <string>

namespace ktado_test {

// The password the test databases are created with.
inline constexpr const char* kPassword = "secret";

// A folder of its own below the system's temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// The stations' schema text from the source tree.
std::string StationSchema();

// Creates `path` with the stations' schema and `password`.
void CreateStationDatabase(const std::string& path, const char* password = kPassword);

} // namespace ktado_test
