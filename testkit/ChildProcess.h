// Tests that need a second process start their own test program again as a child. The child
// finds its part in WARD_TEST_CHILD (a role and one argument) and runs it from a static
// initializer of the test file, before any test, ending with _exit:
//
//   const int s_child = testkit::RunChildRole("crash", [](const std::string& arg) { ...; return 0; });
//
// A part that needs every static object of the program (a whole station with its resource tables)
// registers with RunChildRoleAtStart instead: it runs when the test program has started, before
// its first test.
#pragma once

#include <gtest/gtest.h>

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

// In a child started for `role`, runs `part` with the argument once the test program has started
// (as its global test environment is set up) and ends the process with its result; otherwise
// does nothing. Returns whether this process is that child.
inline bool RunChildRoleAtStart(const char* role, std::function<int(const std::string&)> part)
{
    const char* value = std::getenv(kChildVariable);
    const std::string prefix = std::string(role) + ":";
    if (!value || std::string(value).compare(0, prefix.size(), prefix) != 0)
        return false;
    class Part : public ::testing::Environment
    {
    public:
        Part(std::string argument, std::function<int(const std::string&)> part)
            : m_argument(std::move(argument)), m_part(std::move(part))
        {
        }
        void SetUp() override { _exit(m_part(m_argument)); }

    private:
        std::string m_argument;
        std::function<int(const std::string&)> m_part;
    };
    ::testing::AddGlobalTestEnvironment(new Part(std::string(value).substr(prefix.size()), std::move(part)));
    return true;
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
