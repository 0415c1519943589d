// Running another program from a test and reading what it prints: the tools that check a file
// the code under test wrote (a PDF's pages and text, an archive's listing, a picture's size),
// and helper scripts. The program runs to its end; its standard output is read whole (bytes as
// they come, a NUL included), its standard error goes where the test's own goes unless the
// command line sends it elsewhere.
#pragma once

#include <string>
#include <vector>

namespace testkit {

struct ProgramResult
{
    int exitCode { -1 }; // -1 when it could not be started or did not exit by itself
    std::string output;  // what it printed on its standard output
};

// Runs `argv[0]` (looked up on the path) with the arguments as they stand, no shell between.
ProgramResult RunProgram(const std::vector<std::string>& argv);

// Runs a shell command line ("pdfinfo 'x.pdf' 2>/dev/null").
ProgramResult RunShell(const std::string& command);

// What a shell command line printed, whatever its exit code.
std::string ShellOutput(const std::string& command);

} // namespace testkit
