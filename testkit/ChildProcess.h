// Tests that need a second process start their own test program again as a child. The child
// finds its part in WARD_TEST_CHILD (a role and one argument) and runs it from a static
// initializer of the test file, before any test, ending with _exit:
//
//   const int s_child = testkit::RunChildRole("crash", [](const std::string& arg) { ...; return 0; });
#pragma once

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testkit {

constexpr char kChildVariable[] = "WARD_TEST_CHILD";

// In a child started for `role`, runs `part` with the argument and ends the process with its
// result; otherwise returns 0 at once.
inline int RunChildRole(const char* role, const std::function<int(const std::string&)>& part)
{
    const char* value = std::getenv(kChildVariable);
    if (!value)
        return 0;
    std::string text = value;
    std::string prefix = std::string(role) + ":";
    if (text.compare(0, prefix.size(), prefix) != 0)
        return 0;
    _exit(part(text.substr(prefix.size())));
}

// Starts this program again as the child for `role`; -1 when it cannot.
inline pid_t StartChild(const std::string& role, const std::string& argument)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind(std::string(kChildVariable) + "=", 0) != 0)
            env.push_back(*e);
    env.push_back(std::string(kChildVariable) + "=" + role + ":" + argument);
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    char self[] = "/proc/self/exe";
    char* argv[] = { self, nullptr };
    pid_t pid = -1;
    if (posix_spawn(&pid, self, nullptr, nullptr, argv, envp.data()) != 0)
        return -1;
    return pid;
}

// Waits for the child's end; its wait status.
inline int WaitForChild(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return status;
}

} // namespace testkit
