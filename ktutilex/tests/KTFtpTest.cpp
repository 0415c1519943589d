// The FTP client against a real FTP server on loopback (pyftpdlib): connecting, the remote
// folder and its list, remote file operations, uploads and downloads of files and folder trees
// with progress, the overwrite question and cancel, a user who may only read, one who may not
// list, and names that try to smuggle a second command to the server. Every test runs against
// a server that lists folders in the machine-readable form (MLSD) and against one that offers
// only the "ls -l" form (LIST), as many servers still do.
#include "ktutilex/KTFtp.h"

#include "support/ExFiles.h"
#include "testkit/TempFolder.h"
#include "support/FtpTestServer.h"
#include "support/ProgressLog.h"

#include "platform/msg/MessageBoxService.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <ostream>
#include <string>

#include <sys/time.h>

namespace ktutilex_test {

void PrintTo(FtpTestServer::Listing listing, std::ostream* out)
{
    *out << (listing == FtpTestServer::Listing::ListOnly ? "LIST only" : "MLSD and LIST");
}

} // namespace ktutilex_test

namespace {

namespace fs = std::filesystem;
using testkit::TempFolder;
using ktutilex_test::FtpTestServer;
using ktutilex_test::NoiseBytes;
using ktutilex_test::ProgressCall;
using ktutilex_test::ProgressLog;
using ktutilex_test::ReadFile;
using ktutilex_test::WriteFile;

using Listing = FtpTestServer::Listing;

void SetModified(const std::string& path, time_t when)
{
    const timeval times[2] = { { when, 0 }, { when, 0 } };
    ASSERT_EQ(utimes(path.c_str(), times), 0) << path;
}

class KTFtpTest : public ::testing::TestWithParam<Listing>
{
protected:
    void SetUp() override
    {
        fs::create_directories(ServerPath());
        m_server = std::make_unique<FtpTestServer>(ServerPath(), GetParam());
        if (m_server->Missing())
            GTEST_SKIP() << "no FTP server to test against: " << m_server->Problem();
        ASSERT_TRUE(m_server->Running()) << m_server->Problem();
        platform::msg::ResetMessageBoxScript();
    }
    void TearDown() override { platform::msg::ResetMessageBoxScript(); }

    std::string ServerPath(const std::string& relative = "") const { return m_folder.Dir() + "/server/" + relative; }
    std::string LocalPath(const std::string& relative = "") const { return m_folder.Dir() + "/local/" + relative; }

    int ConnectAs(KTFtp& ftp, const char* user, const char* password, const char* folder = "")
    {
        return ftp.Connect("ftp://127.0.0.1", user, password, folder, m_server->Port());
    }
    int ConnectWriter(const char* folder = "")
    {
        return ConnectAs(m_ftp, FtpTestServer::kWriter, FtpTestServer::kWriterPassword, folder);
    }

    TempFolder m_folder;
    std::unique_ptr<FtpTestServer> m_server;
    KTFtp m_ftp;
};

// ==== connecting and the remote folder ============================================================

TEST_P(KTFtpTest, ConnectTakesAFolderTheServerHasAndRefusesWhatIsNoURL)
{
    EXPECT_EQ(m_ftp.Connect("", "u", "p", "", m_server->Port()), KTFTP_INVALID_NAME);
    EXPECT_EQ(m_ftp.Connect("localhost", "u", "p", "", m_server->Port()), KTFTP_NO_SESSION);
    EXPECT_EQ(m_ftp.SetRemoteDir("/", 0), KTFTP_NOT_CONNECTED);

    fs::create_directories(ServerPath("reports/2024"));
    ASSERT_EQ(ConnectWriter("reports"), KTFTP_DONE);
    EXPECT_EQ(m_ftp.IsConnected(), 1);
    EXPECT_EQ(m_ftp.GetServerName(), "127.0.0.1");
    EXPECT_EQ(m_ftp.GetRemoteDir(), "/reports");

    // A folder the server refuses still connects, in the login folder.
    ASSERT_EQ(ConnectWriter("nowhere"), KTFTP_DONE);
    EXPECT_EQ(m_ftp.GetRemoteDir(), "/");

    EXPECT_EQ(m_ftp.SetRemoteDir("reports\\2024", 1), KTFTP_DONE);
    EXPECT_EQ(m_ftp.GetRemoteDir(), "/reports/2024");
    EXPECT_EQ(m_ftp.SetRemoteDir("/Reports", 0), KTFTP_CHANGE_DIR_FAILED) << "folders compare exactly";
    EXPECT_EQ(m_ftp.SetRemoteDir("..", 0), KTFTP_DONE);
    EXPECT_EQ(m_ftp.GetRemoteDir(), "/reports");

    m_ftp.Disconnect();
    EXPECT_EQ(m_ftp.IsConnected(), 0);
    EXPECT_EQ(m_ftp.GetRemoteDir(), "");

    // A refused login tells the user why.
    EXPECT_EQ(ConnectAs(m_ftp, FtpTestServer::kWriter, "wrong"), KTFTP_FAILED);
    EXPECT_EQ(platform::msg::TakeShownMessageBoxes().size(), 1u);
}

TEST_P(KTFtpTest, TheListIsReadOnceUntilForced)
{
    WriteFile(ServerPath("b.txt"), "12345");
    WriteFile(ServerPath("old report.txt"), "from 2021");
    fs::create_directories(ServerPath("folder"));
    // A listing tells the time of a recent file to the minute, of an old one only the day.
    const time_t recent = time(nullptr) - 3 * 3600;
    const time_t old = 1614834360; // 2021-03-04 05:06 UTC
    SetModified(ServerPath("b.txt"), recent);
    SetModified(ServerPath("old report.txt"), old);
    ASSERT_EQ(ConnectWriter(), KTFTP_DONE);
    ASSERT_EQ(m_ftp.LoadRemoteFiles(0), KTFTP_DONE);
    ASSERT_EQ(m_ftp.GetRemoteFileCount(), 3);
    const int file = m_ftp.FindRemoteFile("B.TXT", KTFtpItem::File);
    ASSERT_GE(file, 0);
    EXPECT_EQ(m_ftp.GetRemoteFile(file)->m_dwSize, 5u);
    EXPECT_LT(std::abs(m_ftp.GetRemoteFile(file)->m_tmLastWrite.GetTime() - recent), 60);
    const int oldFile = m_ftp.FindRemoteFile("old report.txt", KTFtpItem::File);
    ASSERT_GE(oldFile, 0);
    EXPECT_EQ(m_ftp.GetRemoteFile(oldFile)->m_dwSize, 9u);
    EXPECT_EQ(m_ftp.GetRemoteFile(oldFile)->m_tmLastWrite.GetTime() / 86400, old / 86400);
    EXPECT_GE(m_ftp.FindRemoteFile("folder", KTFtpItem::Folder), 0);
    EXPECT_EQ(m_ftp.FindRemoteFile("folder", KTFtpItem::File), -1);
    EXPECT_EQ(m_ftp.GetRemoteFile(3), nullptr);

    WriteFile(ServerPath("c.txt"), "new");
    EXPECT_EQ(m_ftp.SetRemoteDir("/", 1), KTFTP_DONE) << "the current folder: nothing to do";
    EXPECT_EQ(m_ftp.LoadRemoteFiles(0), KTFTP_DONE);
    EXPECT_EQ(m_ftp.GetRemoteFileCount(), 3);
    EXPECT_EQ(m_ftp.LoadRemoteFiles(1), KTFTP_DONE);
    EXPECT_EQ(m_ftp.GetRemoteFileCount(), 4);
}

// ==== remote files and folders ====================================================================

TEST_P(KTFtpTest, RemoteFilesAndFoldersAreCreatedRenamedAndDeleted)
{
    ASSERT_EQ(ConnectWriter(), KTFTP_DONE);
    EXPECT_EQ(m_ftp.CreateDir("records"), KTFTP_DONE);
    EXPECT_TRUE(fs::is_directory(ServerPath("records")));
    EXPECT_EQ(m_ftp.CreateDir("records"), KTFTP_EXISTS);
    EXPECT_EQ(m_ftp.RenameDir("records", "archive"), KTFTP_DONE);
    EXPECT_EQ(m_ftp.RenameDir("records", "other"), KTFTP_NO_SOURCE);

    EXPECT_EQ(m_ftp.CreateFileA("note.txt", 0), KTFTP_DONE);
    EXPECT_TRUE(fs::is_regular_file(ServerPath("note.txt")));
    EXPECT_EQ(m_ftp.CreateFileA("note.txt", 0), KTFTP_EXISTS);
    EXPECT_EQ(m_ftp.DeleteDir("note.txt"), KTFTP_NO_SOURCE) << "a file is no folder";
    EXPECT_EQ(m_ftp.RenameFile("note.txt", "memo.txt"), KTFTP_DONE);
    EXPECT_EQ(m_ftp.RenameFile("note.txt", "x.txt"), KTFTP_NO_SOURCE);
    EXPECT_EQ(m_ftp.CreateFileA("other.txt", 0), KTFTP_DONE);
    EXPECT_EQ(m_ftp.RenameFile("other.txt", "memo.txt"), KTFTP_EXISTS);
    EXPECT_EQ(m_ftp.DeleteFileA("memo.txt"), KTFTP_DONE);
    EXPECT_FALSE(fs::exists(ServerPath("memo.txt")));
    EXPECT_EQ(m_ftp.DeleteFileA("memo.txt"), KTFTP_FAILED);
    EXPECT_EQ(m_ftp.DeleteDir("archive"), KTFTP_DONE);
    EXPECT_FALSE(fs::exists(ServerPath("archive")));
}

TEST_P(KTFtpTest, NamesThatWouldStartASecondCommandAreRefused)
{
    WriteFile(ServerPath("victim.txt"), "keep me");
    fs::create_directories(ServerPath("keep"));
    ASSERT_EQ(ConnectWriter(), KTFTP_DONE);
    const char* names[] = { "x\r\nDELE victim.txt", "x\nDELE /victim.txt", "x\rRMD keep", "", "a/b", ".." };
    for (const char* name : names) {
        EXPECT_EQ(m_ftp.DeleteFileA(name), KTFTP_INVALID_NAME) << name;
        EXPECT_EQ(m_ftp.CreateDir(name), KTFTP_INVALID_NAME) << name;
        EXPECT_EQ(m_ftp.DeleteDir(name), KTFTP_INVALID_NAME) << name;
        EXPECT_EQ(m_ftp.RenameFile("victim.txt", name), KTFTP_INVALID_NAME) << name;
        EXPECT_EQ(m_ftp.CreateFileA(name, 1), KTFTP_INVALID_NAME) << name;
    }
    WriteFile(LocalPath("evil\r\nDELE victim.txt"), "payload");
    EXPECT_EQ(m_ftp.PutFile(LocalPath("evil\r\nDELE victim.txt").c_str(), 0, nullptr), KTFTP_INVALID_NAME);
    EXPECT_EQ(m_ftp.SetRemoteDir("keep\r\nRMD keep", 0), KTFTP_CHANGE_DIR_FAILED);
    EXPECT_EQ(ReadFile(ServerPath("victim.txt")), "keep me");
    EXPECT_TRUE(fs::is_directory(ServerPath("keep")));
}

// Whether a name exists is never guessed: a folder the server will not list makes every
// operation that must know fail, and nothing on the server changes.
TEST_P(KTFtpTest, AFolderThatCannotBeListedIsAnErrorNeverAbsent)
{
    WriteFile(ServerPath("same.txt"), "old text");
    WriteFile(ServerPath("taken.txt"), "taken");
    fs::create_directories(ServerPath("records"));
    WriteFile(LocalPath("same.txt"), "new text");
    ASSERT_EQ(ConnectAs(m_ftp, FtpTestServer::kBlind, FtpTestServer::kBlindPassword), KTFTP_DONE);

    EXPECT_EQ(m_ftp.LoadRemoteFiles(1), KTFTP_CURRENT_DIR_FAILED);
    EXPECT_EQ(m_ftp.PutFile(LocalPath("same.txt").c_str(), 1, nullptr), KTFTP_CURRENT_DIR_FAILED);
    ProgressLog log;
    KTCallBack target = log.Target();
    EXPECT_EQ(m_ftp.PutFile(LocalPath("same.txt").c_str(), 1, &target), KTFTP_CURRENT_DIR_FAILED);
    EXPECT_EQ(ReadFile(ServerPath("same.txt")), "old text");
    EXPECT_EQ(m_ftp.CreateFileA("same.txt", 0), KTFTP_CURRENT_DIR_FAILED);
    EXPECT_EQ(ReadFile(ServerPath("same.txt")), "old text");
    EXPECT_EQ(m_ftp.CreateDir("records"), KTFTP_CURRENT_DIR_FAILED);
    EXPECT_EQ(m_ftp.RenameFile("same.txt", "taken.txt"), KTFTP_CURRENT_DIR_FAILED);
    EXPECT_EQ(ReadFile(ServerPath("taken.txt")), "taken");
    EXPECT_EQ(m_ftp.RenameDir("records", "archive"), KTFTP_CURRENT_DIR_FAILED);
    EXPECT_EQ(m_ftp.DeleteDir("records"), KTFTP_CURRENT_DIR_FAILED);
    EXPECT_TRUE(fs::is_directory(ServerPath("records")));
    EXPECT_EQ(m_ftp.GetFile("same.txt", LocalPath("copy.txt").c_str(), 0, nullptr), KTFTP_CURRENT_DIR_FAILED);
    // Without the question, the upload does what it is told.
    EXPECT_EQ(m_ftp.PutFile(LocalPath("same.txt").c_str(), 0, nullptr), KTFTP_DONE);
    EXPECT_EQ(ReadFile(ServerPath("same.txt")), "new text");
}

TEST_P(KTFtpTest, AReadOnlyUserCannotWrite)
{
    ASSERT_EQ(ConnectAs(m_ftp, FtpTestServer::kReader, FtpTestServer::kReaderPassword), KTFTP_DONE);
    WriteFile(LocalPath("report.txt"), "data");
    EXPECT_EQ(m_ftp.PutFile(LocalPath("report.txt").c_str(), 0, nullptr), KTFTP_FAILED);
    EXPECT_FALSE(fs::exists(ServerPath("report.txt")));
    EXPECT_EQ(platform::msg::TakeShownMessageBoxes().size(), 1u);
    EXPECT_EQ(m_ftp.CreateDir("new"), KTFTP_FAILED);
    EXPECT_FALSE(fs::exists(ServerPath("new")));
    // Reading is allowed.
    WriteFile(ServerPath("shared.txt"), "for all");
    EXPECT_EQ(m_ftp.GetFile("shared.txt", LocalPath("shared.txt").c_str(), 0, nullptr), KTFTP_DONE);
    EXPECT_EQ(ReadFile(LocalPath("shared.txt")), "for all");
}

// ==== uploads =====================================================================================

TEST_P(KTFtpTest, AFolderTreeIsUploadedWithProgress)
{
    WriteFile(LocalPath("tree/a.txt"), "alpha");
    WriteFile(LocalPath("tree/empty.txt"), "");
    WriteFile(LocalPath("tree/sub/b.bin"), NoiseBytes(10000, 4));
    WriteFile(LocalPath("tree/sub/tree/c.txt"), "the base folder's name again");
    ASSERT_EQ(ConnectWriter(), KTFTP_DONE);

    // Remote folders are not created: a missing one ends the upload.
    EXPECT_EQ(m_ftp.PutDir(LocalPath("tree").c_str(), 0, nullptr), KTFTP_CHANGE_DIR_FAILED);
    fs::create_directories(ServerPath("sub/tree"));

    ProgressLog log;
    KTCallBack target = log.Target();
    ASSERT_EQ(m_ftp.PutDir(LocalPath("tree").c_str(), 0, &target), KTFTP_DONE);
    EXPECT_EQ(ReadFile(ServerPath("a.txt")), "alpha");
    EXPECT_TRUE(fs::is_regular_file(ServerPath("empty.txt")));
    EXPECT_EQ(ReadFile(ServerPath("sub/b.bin")), NoiseBytes(10000, 4));
    EXPECT_EQ(ReadFile(ServerPath("sub/tree/c.txt")), "the base folder's name again");
    EXPECT_EQ(m_ftp.GetRemoteDir(), "/");

    ASSERT_FALSE(log.calls.empty());
    for (const ProgressCall& call : log.calls)
        EXPECT_EQ(call.code, KTNOTIFY_FTP_PUT);
    EXPECT_EQ(log.calls.back().fileNumber, 4);
    EXPECT_EQ(log.calls.back().totalDone, 10000 + 5 + 28);
    EXPECT_EQ(log.calls.back().totalPercent, 100);
    for (const ProgressCall& call : log.calls) {
        if (call.fileName == LocalPath("tree/empty.txt")) {
            EXPECT_EQ(call.filePercent, 100) << "an empty file is done at once";
        }
    }
}

TEST_P(KTFtpTest, CancelKeepsThePartlyWrittenRemoteFile)
{
    WriteFile(LocalPath("big.bin"), NoiseBytes(200000, 5));
    ASSERT_EQ(ConnectWriter(), KTFTP_DONE);
    ProgressLog log;
    log.answer = [](const ProgressCall& call) { return call.fileDone >= 8192 ? KTFTP_ANSWER_CANCEL : 0L; };
    KTCallBack target = log.Target();
    EXPECT_EQ(m_ftp.PutFile(LocalPath("big.bin").c_str(), 0, &target), KTFTP_CANCELLED);
    EXPECT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(m_ftp.IsProcessing(), 0);
    EXPECT_TRUE(fs::exists(ServerPath("big.bin")));
    EXPECT_LT(fs::file_size(ServerPath("big.bin")), 200000u);
}

TEST_P(KTFtpTest, AnExistingRemoteFileIsOverwrittenOnlyWhenTheCallbackSaysSo)
{
    WriteFile(LocalPath("same.txt"), "new text");
    WriteFile(ServerPath("same.txt"), "old text");
    ASSERT_EQ(ConnectWriter(), KTFTP_DONE);
    EXPECT_EQ(m_ftp.PutFile(LocalPath("same.txt").c_str(), 1, nullptr), KTFTP_EXISTS);

    ProgressLog log;
    KTCallBack target = log.Target();
    log.answer = [](const ProgressCall& call) { return call.code == KTNOTIFY_FTP_CONFIRM ? KTFTP_ANSWER_SKIP : 0L; };
    EXPECT_EQ(m_ftp.PutFile(LocalPath("same.txt").c_str(), 1, &target), KTFTP_DONE);
    EXPECT_EQ(ReadFile(ServerPath("same.txt")), "old text");
    ASSERT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(log.calls[1].fileDone, 8u);
    EXPECT_EQ(log.calls[1].totalPercent, 100);

    log.calls.clear();
    log.answer = [](const ProgressCall& call) { return call.code == KTNOTIFY_FTP_CONFIRM ? KTFTP_ANSWER_CANCEL : 0L; };
    EXPECT_EQ(m_ftp.PutFile(LocalPath("same.txt").c_str(), 1, &target), KTFTP_CANCELLED);
    EXPECT_EQ(ReadFile(ServerPath("same.txt")), "old text");

    log.answer = nullptr;
    EXPECT_EQ(m_ftp.PutFile(LocalPath("same.txt").c_str(), 1, &target), KTFTP_DONE);
    EXPECT_EQ(ReadFile(ServerPath("same.txt")), "new text");
}

TEST_P(KTFtpTest, ACallDuringATransferIsRefused)
{
    WriteFile(LocalPath("big.bin"), NoiseBytes(50000, 6));
    WriteFile(ServerPath("victim.txt"), "keep me");
    ASSERT_EQ(ConnectWriter(), KTFTP_DONE);
    ProgressLog log;
    std::vector<int> nested;
    log.answer = [&](const ProgressCall&) {
        nested.push_back(m_ftp.DeleteFileA("victim.txt"));
        nested.push_back(m_ftp.PutFile(LocalPath("big.bin").c_str(), 0, nullptr));
        m_ftp.Disconnect();
        return 0L;
    };
    KTCallBack target = log.Target();
    EXPECT_EQ(m_ftp.PutFile(LocalPath("big.bin").c_str(), 0, &target), KTFTP_DONE);
    for (int result : nested)
        EXPECT_EQ(result, KTFTP_FAILED);
    EXPECT_EQ(m_ftp.IsConnected(), 1);
    EXPECT_EQ(ReadFile(ServerPath("victim.txt")), "keep me");
    EXPECT_EQ(ReadFile(ServerPath("big.bin")), NoiseBytes(50000, 6));
}

// ==== downloads ===================================================================================

TEST_P(KTFtpTest, FilesAndFolderTreesAreDownloaded)
{
    WriteFile(ServerPath("logs/day1.txt"), "first");
    WriteFile(ServerPath("logs/old/day0.bin"), NoiseBytes(30000, 7));
    ASSERT_EQ(ConnectWriter(), KTFTP_DONE);
    EXPECT_EQ(m_ftp.GetFile("missing.txt", LocalPath("x").c_str(), 0, nullptr), KTFTP_NO_SOURCE);

    ProgressLog log;
    KTCallBack target = log.Target();
    ASSERT_EQ(m_ftp.GetDir("logs", LocalPath("copy").c_str(), 0, &target), KTFTP_DONE);
    EXPECT_EQ(ReadFile(LocalPath("copy/day1.txt")), "first");
    EXPECT_EQ(ReadFile(LocalPath("copy/old/day0.bin")), NoiseBytes(30000, 7));
    EXPECT_EQ(log.calls.back().code, KTNOTIFY_FTP_GET);
    EXPECT_EQ(log.calls.back().totalPercent, 100);

    // A cancelled download leaves no partial file, and an existing one stands.
    log.answer = [](const ProgressCall&) { return KTFTP_ANSWER_CANCEL; };
    ASSERT_EQ(m_ftp.SetRemoteDir("logs/old", 0), KTFTP_DONE);
    EXPECT_EQ(m_ftp.GetFile("day0.bin", LocalPath("fresh.bin").c_str(), 0, &target), KTFTP_CANCELLED);
    EXPECT_FALSE(fs::exists(LocalPath("fresh.bin")));
    EXPECT_EQ(m_ftp.GetFile("day0.bin", LocalPath("copy/day1.txt").c_str(), 0, &target), KTFTP_CANCELLED);
    EXPECT_EQ(ReadFile(LocalPath("copy/day1.txt")), "first");
    for (const auto& entry : fs::recursive_directory_iterator(LocalPath()))
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
}

INSTANTIATE_TEST_SUITE_P(Listings, KTFtpTest, ::testing::Values(Listing::MlsdAndList, Listing::ListOnly),
                         [](const ::testing::TestParamInfo<Listing>& info) {
                             return info.param == Listing::ListOnly ? "ListOnly" : "Mlsd";
                         });

} // namespace
