// Where a test finds what the build made and what the source tree holds. Every test program
// sets these at start-up (cmake/TestEnvironment.cpp) unless its environment already has them:
//   WARD_SOURCE_DIR        the source tree
//   WARD_BIN_DIR           the programs' folder: programs, libraries, the empty database
//   WARD_TEST_MODULE_DIR   the test modules (language and resource modules only tests load),
//                          one folder per test label, never beside the programs
#pragma once

#include <string>

namespace testkit {

// A file of the source tree, from its root ("nyraclient/tests/golden/X.png").
std::string SourcePath(const std::string& relative);

// The programs' folder of the build.
std::string ProgramFolder();

// The folder of the test modules built for the tests labelled `label` ("nrdata").
std::string TestModuleFolder(const std::string& label);

} // namespace testkit
