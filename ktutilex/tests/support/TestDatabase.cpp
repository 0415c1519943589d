// Temporary database files for the database layer's tests.
#include "support/TestDatabase.h"

#include "ktutilex/ado/DatabaseFile.h"
#include "testkit/BuildFolders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ktado_test {

std::string StationSchema()
{
    std::ifstream file(testkit::SourcePath("ktutilex/schema/TarvicII.sql"));
    if (!file)
        throw std::runtime_error("cannot read the schema file");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void CreateStationDatabase(const std::string& path, const char* password)
{
    ktado::CreateDatabaseFile(path.c_str(), StationSchema().c_str(), password);
}

} // namespace ktado_test
