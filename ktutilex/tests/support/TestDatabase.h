// Temporary database files for the database layer's tests.
#pragma once

#include "platform/core/CString.h"

#include <string>

namespace ktado_test {

// The password the test databases are created with.
inline constexpr const char* kPassword = "secret";

// The stations' schema text from the source tree.
std::string StationSchema();

// Creates `path` with the stations' schema and `password`.
void CreateStationDatabase(const std::string& path, const char* password = kPassword);

} // namespace ktado_test
