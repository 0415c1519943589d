// Python scripts as independent helpers of the tests (a spreadsheet reader, an FTP server):
// run with the system's interpreter, where Debian's python3 packages live.
#pragma once

#include <string>
#include <vector>

namespace ktutilex_test {

// "/usr/bin/python3" when there is one, else whatever "python3" the path finds.
std::string PythonInterpreter();

struct ScriptResult
{
    int exitCode { -1 };
    std::string output; // what the script printed
};

// Runs the script with the arguments (sys.argv[1:]) and waits for it.
ScriptResult RunPython(const std::string& script, const std::vector<std::string>& arguments);

} // namespace ktutilex_test
