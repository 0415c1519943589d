// The TarvicII program itself as a separate process, for end-to-end tests: copied into a program
// folder of its own with the empty database and the background picture, started with an empty
// home folder and its own runtime and configuration folders. Headless unless the test gives it
// a display. What the starts write on standard error is kept for the test; a sanitizer's report
// there fails it. Processes it started and that still run are killed when it goes.
#pragma once

#include "testkit/BuildFolders.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace stationtest {

// A port of this machine nobody listens on now (0 when `port` is given and taken).
inline UINT FreePort(UINT port = 0)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    socklen_t length = sizeof address;
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return bound ? ntohs(address.sin_port) : 0;
}

// Polls `done` every 20 ms until it holds or `limit` passes.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// "--ports M,V" with two free ports.
inline std::vector<std::string> FreePortsArguments()
{
    return {"--ports", std::to_string(FreePort()) + "," + std::to_string(FreePort())};
}

class StationProcess
{
public:
    StationProcess()
    {
        for (const char* file : {"TarvicII", "TarvicII.mdb", "BG_Image.jpg"})
            std::filesystem::copy_file(testkit::ProgramFolder() + "/" + file, program / file);
        home.MakeDir("config");
        home.MakeDir("runtime");
    }
    ~StationProcess()
    {
        for (pid_t pid : m_started)
            if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        // In a sanitizer build the program's own reports (a race, a leak at its end) are on its
        // standard error, which nobody else reads: they fail the test that started it.
        const std::string standardError = StandardError();
        for (const char* report : {"WARNING: ThreadSanitizer:", "ERROR: AddressSanitizer:", "ERROR: LeakSanitizer:",
                                   "runtime error:"})
            if (standardError.find(report) != std::string::npos) {
                ADD_FAILURE() << "the station reported: " << standardError;
                break;
            }
    }
    StationProcess(const StationProcess&) = delete;
    StationProcess& operator=(const StationProcess&) = delete;

    // Starts the station with `arguments` and, besides its own folders, the search path, the
    // sanitizers' options and `environment` ("PLATFORM_HOST=null" runs it headless).
    pid_t Start(const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment = {"PLATFORM_HOST=null"})
    {
        std::vector<std::string> env = {"HOME=" + home.Dir(), "XDG_CONFIG_HOME=" + (home / "config"),
                                        "XDG_RUNTIME_DIR=" + (home / "runtime")};
        env.insert(env.end(), environment.begin(), environment.end());
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            for (const char* passed : {"PATH=", "LD_LIBRARY_PATH=", "ASAN_OPTIONS=", "LSAN_OPTIONS=", "UBSAN_OPTIONS=",
                                       "TSAN_OPTIONS="})
                if (entry.rfind(passed, 0) == 0)
                    env.push_back(entry);
        }
        std::vector<std::string> args = {program / "TarvicII"};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv, envp;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (home / "stderr.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
        pid_t pid = -1;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            return -1;
        m_started.push_back(pid);
        return pid;
    }

    // Waits for the program's end: its exit status, or -1 when it did not end in time.
    static int WaitForEnd(pid_t pid, std::chrono::milliseconds limit = std::chrono::seconds(15))
    {
        int status = 0;
        if (!WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit))
            return -1;
        return status;
    }

    // What every start wrote on its standard error.
    std::string StandardError() const { return testkit::ReadText(home / "stderr.txt"); }
    // The text of every run log in the program folder's "Log".
    std::string RunLogs() const
    {
        std::string text;
        if (program.Exists("Log"))
            for (const auto& entry : std::filesystem::directory_iterator(program / "Log"))
                text += testkit::ReadText(entry.path().string());
        return text;
    }

    testkit::TempFolder program;
    testkit::TempFolder home;

private:
    std::vector<pid_t> m_started;
};

} // namespace stationtest
