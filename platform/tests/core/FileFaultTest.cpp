// The file layer's injected faults: the texts that arm them, a write error from the n-th write
// to matching files on (and only there), and a process killed half-way through a write, armed
// from its environment as a test arms a program it starts.
#include "platform/core/FileFault.h"
#include "platform/core/File.h"

#include "testkit/ChildProcess.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace {

using platform::FileWriteFault;
using testkit::TempFolder;

// Writes "0123456789" to <folder>/half.TMP; the environment decides what happens.
const int s_writer = testkit::RunChildRole("fault-writer", [](const std::string& folder) {
    CFile file;
    if (!file.Open((folder + "/half.TMP").c_str(), CFile::modeCreate | CFile::modeWrite))
        return 2;
    file.Write("0123456789", 10);
    return 0;
});

// The errno of the CFileException a write raises; 0 when it raises none.
int WriteError(CFile& file)
{
    try {
        file.Write("abcd", 4);
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause == CFileException::diskFull ? ENOSPC : -cause;
    }
    return 0;
}

class FileFault : public testing::Test
{
protected:
    void TearDown() override { platform::SetFileWriteFault(std::nullopt); }
};

TEST_F(FileFault, TextsThatArmAFault)
{
    using Action = FileWriteFault::Action;
    struct Case
    {
        const char* text;
        std::optional<FileWriteFault> fault;
    };
    const Case cases[] = {
        {"ENOSPC:3", FileWriteFault{Action::Fail, ENOSPC, 3, ""}},
        {"EIO:1:.FMF", FileWriteFault{Action::Fail, EIO, 1, ".FMF"}},
        {"EFBIG:12:Records/", FileWriteFault{Action::Fail, EFBIG, 12, "Records/"}},
        {"KILL:2:.TMP", FileWriteFault{Action::Kill, 0, 2, ".TMP"}},
        {"ENOSPC", std::nullopt},
        {"ENOSPC:0", std::nullopt},
        {"ENOSPC:-1", std::nullopt},
        {"ENOSPC:x", std::nullopt},
        {"EPERM:1", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::ParseFileWriteFault(c.text), c.fault) << c.text;
}

TEST_F(FileFault, TheNthWriteToAMatchingFileFailsAndEveryLaterOneToo)
{
    TempFolder dir;
    CFile tmp, other;
    ASSERT_TRUE(tmp.Open((dir / "rec.TMP").c_str(), CFile::modeCreate | CFile::modeReadWrite));
    ASSERT_TRUE(other.Open((dir / "rec.log").c_str(), CFile::modeCreate | CFile::modeReadWrite));
    platform::SetFileWriteFault(FileWriteFault{FileWriteFault::Action::Fail, ENOSPC, 3, ".TMP"});

    EXPECT_EQ(WriteError(tmp), 0);
    EXPECT_EQ(WriteError(other), 0); // not counted
    EXPECT_EQ(WriteError(tmp), 0);
    EXPECT_EQ(WriteError(tmp), ENOSPC);
    EXPECT_EQ(WriteError(tmp), ENOSPC); // the disk stays full
    EXPECT_EQ(WriteError(other), 0);
    EXPECT_EQ(tmp.GetLength(), 8u) << "a refused write leaves nothing behind";

    platform::SetFileWriteFault(std::nullopt);
    EXPECT_EQ(WriteError(tmp), 0);
}

TEST_F(FileFault, AKillFaultFromTheEnvironmentLeavesHalfAWrite)
{
    TempFolder dir;
    ::setenv("PLATFORM_FILE_FAULT", "KILL:1:.TMP", 1);
    const pid_t child = testkit::StartChild("fault-writer", dir.Dir());
    ::unsetenv("PLATFORM_FILE_FAULT");
    ASSERT_GT(child, 0);
    const int status = testkit::WaitForChild(child);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    EXPECT_EQ(dir.Read("half.TMP"), "01234");

    // Without the variable the same program writes the whole.
    const pid_t plain = testkit::StartChild("fault-writer", dir.Dir());
    const int plainStatus = testkit::WaitForChild(plain);
    ASSERT_TRUE(WIFEXITED(plainStatus) && WEXITSTATUS(plainStatus) == 0) << plainStatus;
    EXPECT_EQ(dir.Read("half.TMP"), "0123456789");
}

} // namespace
