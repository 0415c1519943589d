// Running Python helper scripts.
#include "support/PythonScript.h"

#include "testkit/RunProgram.h"

#include <unistd.h>

namespace ktutilex_test {

std::string PythonInterpreter()
{
    return access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
}

ScriptResult RunPython(const std::string& script, const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = { PythonInterpreter(), "-c", script };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const testkit::ProgramResult run = testkit::RunProgram(argv);
    return { run.exitCode, run.output };
}

} // namespace ktutilex_test
