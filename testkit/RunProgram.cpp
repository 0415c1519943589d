#include "testkit/RunProgram.h"

#include <cerrno>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testkit {

ProgramResult RunProgram(const std::vector<std::string>& arguments)
{
    ProgramResult result;
    if (arguments.empty())
        return result;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<std::string> args = arguments;
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned == 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0)
                result.output.append(buffer, static_cast<std::size_t>(n));
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) {
                status = -1;
                break;
            }
        }
        result.exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    close(pipeFds[0]);
    return result;
}

ProgramResult RunShell(const std::string& command) { return RunProgram({ "/bin/sh", "-c", command }); }

std::string ShellOutput(const std::string& command) { return RunShell(command).output; }

} // namespace testkit
