// Temporary database files for the database layer's tests.
#include "support/TestDatabase.h"

#include "ktutilex/ado/DatabaseFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ktado_test {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ktado-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string StationSchema()
{
    const char* source = std::getenv("WARD_SOURCE_DIR");
    // Outside ctest, the source tree is found from this file's own place in it.
    const std::filesystem::path root =
        source ? std::filesystem::path(source)
               : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
    std::ifstream file(root / "ktutilex/schema/TarvicII.sql");
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
