// Start-up and shut-down of the client library in a program folder of the test's own: pruning
// of the "Log" folder, the run log's name and banners, the entries of several lines, and the
// language library chosen by "Language".
#include "nyraclient/alarm/NyraAlarmManager.h"
#include "nyraclient/startup/NyraClientStartup.h"
#include "nyraclient/startup/NyraRunLog.h"

#include "ktutil/KTGF.h"
#include "platform/core/ResourceModule.h"
#include "testkit/BuildFolders.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

const CTime kStart(2026, 12, 9, 8, 31, 4);
constexpr char kRunLogName[] = "2026-12-09 083104.log";

// A program folder of the test's own, removed afterwards; the resource handle goes back to
// English.
class ClientStartup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_logFolder = m_folder / "Log";
    }
    void TearDown() override { AfxSetResourceHandle(nullptr); }

    // Old run logs named for days 1 to `count` of November, written in reverse name order so
    // that only the names can tell which are the oldest.
    void MakeOldRunLogs(int count)
    {
        fs::create_directories(m_logFolder);
        for (int day = count; day >= 1; --day)
            std::ofstream(m_logFolder / OldName(day)) << "old\n";
    }
    static std::string OldName(int day)
    {
        char name[64];
        std::snprintf(name, sizeof name, "2026-11-%02d 080000.log", day);
        return name;
    }
    std::vector<std::string> LogFolderNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_logFolder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void WriteIni(const std::string& text) { std::ofstream(m_folder / "TarvicII.ini") << text; }
    void CopyTestLanguageModule()
    {
        fs::copy_file(fs::path(testkit::TestModuleFolder("nyraclient")) / "LANG_KOR.so",
                      m_folder / "LANG_KOR.so");
    }
    // The lines of the run log with their time prefix taken off.
    std::vector<std::string> RunLogLines() const
    {
        std::ifstream in(m_logFolder / kRunLogName);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            EXPECT_EQ(line.rfind("[2", 0), 0u) << line; // "[%Y/%m/%d %H:%M:%S] "
            lines.push_back(line.size() > 22 ? line.substr(22) : std::string());
        }
        return lines;
    }
    HINSTANCE Start() { return nyraclient::StartUp(m_log, m_folder.c_str(), kStart); }

    testkit::TempFolder m_temp;
    fs::path m_folder { m_temp.Dir() };
    fs::path m_logFolder;
    KTLogFile m_log;
};

// ---- the "Log" folder -------------------------------------------------------------------------

TEST_F(ClientStartup, TwentyOldRunLogsAreAllKept)
{
    MakeOldRunLogs(20);
    Start();
    std::vector<std::string> expected;
    for (int day = 1; day <= 20; ++day)
        expected.push_back(OldName(day));
    expected.push_back(kRunLogName);
    EXPECT_EQ(LogFolderNames(), expected);
}

TEST_F(ClientStartup, TwentyOneOldRunLogsLoseTheTwentyOldest)
{
    MakeOldRunLogs(21);
    Start();
    EXPECT_EQ(LogFolderNames(), (std::vector<std::string> { OldName(21), kRunLogName }));
}

TEST_F(ClientStartup, AMissingLogFolderIsMadeForTheRunLog)
{
    EXPECT_EQ(nyraclient::PruneRunLogs(m_logFolder.c_str()), 0);
    Start();
    EXPECT_EQ(LogFolderNames(), (std::vector<std::string> { kRunLogName }));
}

// ---- the run log's lines ----------------------------------------------------------------------

// The "*" entry makes the new file and is not written into it, so the banner is the first line.
TEST_F(ClientStartup, RunLogOpensWithTheStartBannerAndEndsWithTheEndBanner)
{
    Start();
    nyraclient::ShutDown(m_log);
    EXPECT_EQ(RunLogLines(), (std::vector<std::string> { "****   Nyra II Central Start   ****",
                                                         "****   Nyra II Central End     ****" }));
}

// Two starts in the same second share one file: the second start's "*" lands in it.
TEST_F(ClientStartup, ASecondStartInTheSameSecondAppendsToTheSameRunLog)
{
    Start();
    Start();
    EXPECT_EQ(RunLogLines(), (std::vector<std::string> { "****   Nyra II Central Start   ****", "*",
                                                         "****   Nyra II Central Start   ****" }));
}

TEST_F(ClientStartup, ConnectAndDisconnectEntriesKeepTheirSpacing)
{
    Start();
    const BYTE peer[4] = { 192, 168, 0, 21 };
    const BYTE none[4] = { 0, 0, 0, 0 };
    nyraclient::runlog::LogConnected(m_log, peer, 1);
    nyraclient::runlog::LogConnectedSerial(m_log, 3, 2);
    nyraclient::runlog::LogDisconnected(m_log, peer, 0, 1);
    nyraclient::runlog::LogDisconnected(m_log, none, 3, 2);
    m_log.Log(nyraclient::runlog::kReconnectedSerialAfterTimeOut, 3);
    const std::vector<std::string> expected {
        "****   Nyra II Central Start   ****",
        "[ CONNECTED ]", "IP   : 192:168:0:21", "KEY  : 1",
        "[ CONNECTED ]", "COM  : 3", "KEY  : 2",
        "[ DISCONNECTED ]", "IP   : 192:168:0:21", "KEY  : 1",
        "[ DISCONNECTED ]", "Serial Port  : 3", "KEY  : 2",
        "[ RECONNECTED - TimeOut] - Com3",
    };
    EXPECT_EQ(RunLogLines(), expected);
}

TEST(RunLogName, IsTheStartTimeWithSecondsAndNoSeparators)
{
    EXPECT_STREQ(nyraclient::RunLogFileName(kStart).GetString(), kRunLogName);
}

// ---- the language -----------------------------------------------------------------------------

TEST_F(ClientStartup, LanguageThirteenMakesTheKoreanModuleCurrent)
{
    CopyTestLanguageModule();
    WriteIni("[CENTRAL_DEFAULT]\nLanguage=13\n");
    HINSTANCE language = Start();
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), language);

    CString text;
    int level = 2;
    AlarmText(ALARMTYPE_NETWORK, 1, text, level);
    EXPECT_STREQ(text.GetString(), "네트워크 연결이 끊어졌습니다!!!");
    AlarmText(ALARMTYPE_ECG, 12, text, level);
    EXPECT_STREQ(text.GetString(), "심전도: Check Electrode"); // ids the module lacks stay English
}

TEST_F(ClientStartup, OtherLanguageNumbersAndAMissingModuleKeepEnglish)
{
    CopyTestLanguageModule();
    for (const char* value : { "3", "0", "15" }) {
        SCOPED_TRACE(value);
        WriteIni(std::string("[CENTRAL_DEFAULT]\nLanguage=") + value + "\n");
        EXPECT_EQ(Start(), nullptr);
        EXPECT_STREQ(KTGF::GetString(11001).GetString(), "Network Connection is broken!!!");
    }
    fs::remove(m_folder / "LANG_KOR.so");
    WriteIni("[CENTRAL_DEFAULT]\nLanguage=13\n");
    EXPECT_EQ(Start(), nullptr);
    EXPECT_STREQ(KTGF::GetString(11001).GetString(), "Network Connection is broken!!!");
}

} // namespace
