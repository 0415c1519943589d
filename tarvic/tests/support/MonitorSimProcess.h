// The monitor simulator program (monitor-sim of the build) as a separate process, for end-to-end
// tests of the station program: started with its command line, what it writes kept in a file,
// killed when the object goes if it still runs.
#pragma once

#include "testkit/BuildFolders.h"
#include "testkit/TempFolder.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace stationtest {

class MonitorSimProcess
{
public:
    MonitorSimProcess() = default;
    ~MonitorSimProcess()
    {
        if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    MonitorSimProcess(const MonitorSimProcess&) = delete;
    MonitorSimProcess& operator=(const MonitorSimProcess&) = delete;

    // Starts `program` (monitor-sim of the build unless given) with `arguments`; false when it
    // cannot be started. Standard output and error go to Output().
    bool Start(const std::vector<std::string>& arguments, const std::string& program = {})
    {
        std::vector<std::string> args = { program.empty() ? testkit::ProgramFolder() + "/monitor-sim" : program };
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (m_folder / "output.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        const int spawned = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        return spawned == 0;
    }

    // Waits for its end: its wait status, or -1 when it did not end within `limit`.
    int WaitForEnd(std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (waitpid(m_pid, &status, WNOHANG) != m_pid) {
            if (std::chrono::steady_clock::now() > deadline)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        m_pid = -1;
        return status;
    }

    // What it wrote on its standard output and error.
    std::string Output() const { return testkit::ReadText(m_folder / "output.txt"); }

private:
    testkit::TempFolder m_folder;
    pid_t m_pid { -1 };
};

} // namespace stationtest
