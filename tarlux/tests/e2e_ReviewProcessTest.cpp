// End to end: the TarluxII program itself, copied into a program folder of its own and started
// headless. SIGTERM and Ctrl-C (SIGINT) end it in order, as its Exit button does: the exit
// status is 0 and the database connection was closed (SQLite removes its write-ahead log when
// the last connection closes; a killed program leaves it behind).
#include "testkit/BuildFolders.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The review station in a program folder of its own, with a data folder, an empty home and its
// own runtime folder (where its running-copy claim lives).
class ReviewProcess
{
public:
    ReviewProcess()
    {
        m_root.MakeDir("program");
        m_root.MakeDir("data");
        m_root.MakeDir("home");
        ::chmod(m_root.MakeDir("runtime"), 0700);
        for (const char* file : { "TarluxII", "TarvicII.mdb" })
            fs::copy_file(testkit::ProgramFolder() + "/" + file, m_root / (std::string("program/") + file));
        m_root.Write("program/TarvicII.ini", "[CENTRAL_DEFAULT]\nData Path=" + (m_root / "data") + "\n");
    }
    ~ReviewProcess()
    {
        if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool Start()
    {
        std::vector<std::string> env = { "PLATFORM_HOST=null", "HOME=" + (m_root / "home"),
                                         "XDG_CONFIG_HOME=" + (m_root / "home"),
                                         "XDG_RUNTIME_DIR=" + (m_root / "runtime") };
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            for (const char* kept : { "PATH=", "LD_LIBRARY_PATH=", "ASAN_OPTIONS=", "LSAN_OPTIONS=", "UBSAN_OPTIONS=",
                                      "TSAN_OPTIONS=" })
                if (entry.rfind(kept, 0) == 0)
                    env.push_back(entry);
        }
        std::string program = m_root / "program/TarluxII";
        std::vector<char*> argv { program.data(), nullptr };
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        return posix_spawn(&m_pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) == 0;
    }
    // Started in full: its database connected and its running-copy claim taken (the last step).
    bool WaitUntilRunning()
    {
        return WaitUntil([&] { return Exists("data/TarvicII.mdb-wal") && Exists("runtime/TarluxerII.sock"); },
                         std::chrono::seconds(20));
    }
    // The exit status, or -1 when the program did not end in time.
    int WaitForEnd()
    {
        int status = 0;
        if (!WaitUntil([&] { return waitpid(m_pid, &status, WNOHANG) == m_pid; }, std::chrono::seconds(15)))
            return -1;
        m_pid = -1;
        return status;
    }
    bool Exists(const std::string& relative) const { return fs::exists(m_root / relative); }
    pid_t Pid() const { return m_pid; }

private:
    testkit::TempFolder m_root;
    pid_t m_pid { -1 };
};

TEST(ReviewProcess, EndsInOrderOnSigtermAndCtrlC)
{
    for (const int signal : { SIGTERM, SIGINT }) {
        ReviewProcess review;
        ASSERT_TRUE(review.Start());
        ASSERT_TRUE(review.WaitUntilRunning()) << signal;
        kill(review.Pid(), signal);
        const int status = review.WaitForEnd();
        ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal << ", status " << status;
        EXPECT_EQ(WEXITSTATUS(status), 0) << signal;
        EXPECT_FALSE(review.Exists("data/TarvicII.mdb-wal")) << "the database was not closed, signal " << signal;
    }
}

} // namespace
