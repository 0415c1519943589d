// Linked into every test program: the folders a test may need (testkit/BuildFolders.h), and the
// headless host, so a test binary run by hand behaves as under ctest. Values already in the
// environment win.
#include <cstdlib>

namespace {

struct TestEnvironment
{
    TestEnvironment()
    {
        setenv("PLATFORM_HOST", "null", 0);
        setenv("WARD_SOURCE_DIR", WARD_TEST_SOURCE_DIR, 0);
        setenv("WARD_BIN_DIR", WARD_TEST_BIN_DIR, 0);
        setenv("WARD_TEST_MODULE_DIR", WARD_TEST_MODULE_DIR, 0);
    }
} s_testEnvironment;

} // namespace
