#include "testkit/BuildFolders.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace testkit {

namespace {

// The folder below the build folder that holds this test program (tests/).
fs::path TestProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// The variable's value, or `fallback` when it is unset or empty.
fs::path FromEnvironment(const char* name, const fs::path& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? fs::path(value) : fallback;
}

} // namespace

std::string SourcePath(const std::string& relative)
{
    // Outside ctest, the source tree is found from this file's own place in it.
    return (FromEnvironment("WARD_SOURCE_DIR", fs::path(__FILE__).parent_path().parent_path()) / relative).string();
}

std::string ProgramFolder() { return FromEnvironment("WARD_BIN_DIR", TestProgramFolder().parent_path() / "bin").string(); }

std::string TestModuleFolder(const std::string& label)
{
    return (FromEnvironment("WARD_TEST_MODULE_DIR", TestProgramFolder().parent_path() / "test-modules") / label).string();
}

} // namespace testkit
