// The central station's start-up steps: the registration switches, the language, the data folder
// with its home fallback, the database file and its connection, the command line's own switches,
// and the crash dump.
#include "tarvic/app/CTarvicCommandLineInfo.h"
#include "tarvic/app/CTarvicIIApp.h"
#include "tarvic/app/ComRegistration.h"
#include "tarvic/app/CrashDump.h"
#include "tarvic/app/StartUpSteps.h"
#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "platform/core/Registry.h"
#include "platform/core/ResourceModule.h"
#include "platform/msg/MessageBoxService.h"
#include "testkit/BuildFolders.h"
#include "testkit/ChildProcess.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using testkit::TempFolder;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_had = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had{false};
};

std::string BinFile(const std::string& name)
{
    return testkit::ProgramFolder() + "/" + name;
}

// A text value of the registry store, or "" when it is missing.
std::string RegistryText(const char* key, const char* name)
{
    HKEY handle = nullptr;
    if (RegOpenKey(HKEY_CLASSES_ROOT, key, &handle) != ERROR_SUCCESS)
        return "";
    char value[256]{};
    DWORD size = sizeof value;
    DWORD type = 0;
    const LONG result = RegQueryValueEx(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS && type == REG_SZ ? value : "";
}

// ---- the registration switches ----------------------------------------------------------------

struct SwitchCase
{
    std::vector<std::string> arguments;
    tarvic::RegistrationSwitch expected;
};

TEST(StationStartUp, RegistrationSwitchesRegisterOrRemoveTheAppIdAndEndStartUp)
{
    using tarvic::RegistrationSwitch;
    const SwitchCase cases[] = {
        {{"/RegServer"}, RegistrationSwitch::Register},
        {{"-regserver"}, RegistrationSwitch::Register},
        {{"--ports", "1,2", "/REGSERVER"}, RegistrationSwitch::Register},
        {{"/UnregServer"}, RegistrationSwitch::Unregister},
        {{"-unregSERVER"}, RegistrationSwitch::Unregister},
        {{"/RegServer", "now"}, RegistrationSwitch::None},
        {{"/Register"}, RegistrationSwitch::None},
        {{}, RegistrationSwitch::None},
    };
    TempFolder config;
    const ScopedEnv store("XDG_CONFIG_HOME", config.Dir());
    const std::string guidKey = std::string("AppID\\") + tarvic::kAppIdGuid;
    for (const SwitchCase& c : cases) {
        CTarvicIIApp app;
        app.SetCommandLineArguments(c.arguments);
        EXPECT_EQ(tarvic::FindRegistrationSwitch(app.m_lpCmdLine), c.expected) << app.m_lpCmdLine;
        // Either switch ends the program; without one start-up goes on.
        EXPECT_EQ(app.InitATL() != FALSE, c.expected == RegistrationSwitch::None) << app.m_lpCmdLine;
        const bool registered = RegistryText(guidKey.c_str(), nullptr) == "TarvicII";
        if (c.expected == RegistrationSwitch::Register) {
            EXPECT_TRUE(registered);
            EXPECT_EQ(RegistryText("AppID\\TarvicII.EXE", "AppID"), tarvic::kAppIdGuid);
        }
        if (c.expected == RegistrationSwitch::Unregister) {
            EXPECT_FALSE(registered);
            EXPECT_EQ(RegistryText("AppID\\TarvicII.EXE", "AppID"), "");
        }
    }
}

// ---- the command line's own switches ----------------------------------------------------------

TEST(StationStartUp, PortsAndScreenshotSwitchesSetTheOptions)
{
    struct PortsCase
    {
        const char* text;
        bool valid;
        UINT monitor, viewer;
    };
    const PortsCase cases[] = {
        {"5000,5100", true, 5000, 5100}, {"0,0", true, 0, 0},   {"6000", false, 0, 0},
        {"6000,", false, 0, 0},          {"a,b", false, 0, 0},  {"70000,1", false, 0, 0},
        {"1,2,3", false, 0, 0},          {"-1,5", false, 0, 0},
    };
    for (const PortsCase& c : cases) {
        UINT monitor = 0, viewer = 0;
        EXPECT_EQ(tarvic::ParsePorts(c.text, monitor, viewer) != FALSE, c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(monitor, c.monitor);
            EXPECT_EQ(viewer, c.viewer);
        }
    }

    CTarvicIIApp app;
    app.SetCommandLineArguments({"--ports", "6001,6002", "--screenshot", "/tmp/station.png"});
    tarvic::CTarvicCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_FALSE(info.m_bInvalid);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_EQ(tarvic::Options().monitorPort, 6001u);
    EXPECT_EQ(tarvic::Options().viewerPort, 6002u);
    EXPECT_EQ(tarvic::Options().screenshotPath, "/tmp/station.png");
    tarvic::Options() = tarvic::StationOptions();

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--ports"}, std::vector<std::string>{"--ports", "x"},
          std::vector<std::string>{"--screenshot"}}) {
        app.SetCommandLineArguments(bad);
        tarvic::CTarvicCommandLineInfo rejected;
        app.ParseCommandLine(rejected);
        EXPECT_TRUE(rejected.m_bInvalid) << bad.front();
    }
    tarvic::Options() = tarvic::StationOptions();
}

// ---- language -----------------------------------------------------------------------------------

TEST(StationStartUp, LanguagesWithoutAModuleLeaveEnglishAndNumberThree)
{
    TempFolder programFolder;
    for (int language : {3, 0, 15, -1, 4}) {
        NyraConfig config;
        config.Language = language;
        EXPECT_EQ(tarvic::LoadLanguageResources(config, programFolder.Root()), nullptr) << language;
        EXPECT_EQ(config.Language, 3) << language;
        EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
        EXPECT_EQ(tarvic::LoadText(tarvic::IDS_EXIT_PROGRAM), "Exit Program?");
        EXPECT_EQ(tarvic::LoadText(tarvic::IDS_MAIN_TITLE), "");
    }
}

TEST(StationStartUp, ALanguageModuleBesideTheProgramGivesItsTexts)
{
    TempFolder programFolder;
    const fs::path module = fs::path(testkit::TestModuleFolder("tarvic")) / "LANG_GER.so";
    ASSERT_TRUE(fs::exists(module)) << module;
    fs::copy_file(module, programFolder / "LANG_GER.so");
    NyraConfig config;
    config.Language = 5; // German
    HINSTANCE loaded = tarvic::LoadLanguageResources(config, programFolder.Root());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(config.Language, 5);
    EXPECT_EQ(AfxGetResourceHandle(), loaded);
    EXPECT_EQ(tarvic::LoadText(tarvic::IDS_EXIT_PROGRAM), "Programm beenden?");
    EXPECT_EQ(tarvic::LoadText(tarvic::IDS_MAIN_TITLE), "Zentrale Überwachung");
    // What the module lacks still comes from the program's own table.
    EXPECT_EQ(tarvic::LoadText(tarvic::IDS_DATABASE_NOT_FOUND),
              "Database is not Found !! \nCheck Database path...");
    AfxSetResourceHandle(nullptr);
}

// ---- data folder and database -------------------------------------------------------------------

TEST(StationStartUp, AMissingDataFolderIsCreatedAndAnUncreatableOneFallsBackToTheHomeFolder)
{
    TempFolder home, program;
    const ScopedEnv homeEnv("HOME", home.Dir());
    const CString ini = program.Path("TarvicII.ini");

    NyraConfig config;
    config.DataPath = program.Path("Ward/Data");
    EXPECT_EQ(tarvic::PrepareDataFolder(config, ini), program.Path("Ward/Data"));
    EXPECT_TRUE(fs::is_directory(program / "Ward/Data"));
    EXPECT_FALSE(program.Exists("TarvicII.ini")); // nothing to store

    config.DataPath = "/proc/tarvic-no-such-folder/Data";
    const CString fallback = tarvic::PrepareDataFolder(config, ini);
    EXPECT_EQ(fallback, home.Path("Data"));
    EXPECT_EQ(config.DataPath, home.Path("Data"));
    EXPECT_TRUE(fs::is_directory(home / "Data"));
    NyraConfig stored;
    ASSERT_TRUE(stored.Open(ini));
    EXPECT_EQ(stored.DataPath, home.Path("Data"));
}

TEST(StationStartUp, TheEmptyDatabaseIsCopiedInButNeverOverAnExistingOne)
{
    TempFolder program, data, existing;
    fs::copy_file(BinFile("TarvicII.mdb"), program / "TarvicII.mdb");
    tarvic::PrepareDatabaseFile(data.Root(), program.Root());
    EXPECT_EQ(fs::file_size(data / "TarvicII.mdb"), fs::file_size(program / "TarvicII.mdb"));
    KTAdo database;
    EXPECT_EQ(tarvic::ConnectDatabase(database, data.Root()), 1);
    database.Disconnect();

    existing.Write("TarvicII.mdb", "the ward's own database");
    tarvic::PrepareDatabaseFile(existing.Root(), program.Root());
    EXPECT_EQ(existing.Read("TarvicII.mdb"), "the ward's own database");
}

TEST(StationStartUp, WithoutADatabaseTheStationSaysSoAndRunsOn)
{
    TempFolder program, data;
    platform::msg::ResetMessageBoxScript();
    tarvic::PrepareDatabaseFile(data.Root(), program.Root()); // no empty database to copy
    KTAdo database;
    EXPECT_EQ(tarvic::ConnectDatabase(database, data.Root()), 0);
    EXPECT_FALSE(database.IsConnected());
    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Database is not Found !! \nCheck Database path...");
    EXPECT_EQ(shown[0].caption, "Tarvic II");
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONERROR));
}

// ---- crash dumps --------------------------------------------------------------------------------

const int s_crash = testkit::RunChildRole("station-crash", [](const std::string& folder) {
    rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    tarvic::InstallCrashDumpFilter(folder.c_str());
    std::abort();
    return 0;
});

TEST(StationStartUp, ACrashLeavesADumpInTheMemoryDumpFolder)
{
    TempFolder program;
    const pid_t child = testkit::StartChild("station-crash", program.Dir());
    ASSERT_GT(child, 0);
    const int status = testkit::WaitForChild(child);
    EXPECT_TRUE(WIFSIGNALED(status));
    std::vector<std::string> dumps;
    for (const auto& entry : fs::directory_iterator(program / tarvic::kDumpFolderName))
        dumps.push_back(entry.path().filename().string());
    ASSERT_EQ(dumps.size(), 1u);
    // yyyymmdd_hhmmss.dmp
    EXPECT_EQ(dumps[0].size(), 19u);
    EXPECT_EQ(dumps[0].substr(8, 1), "_");
    EXPECT_EQ(dumps[0].substr(15), ".dmp");
}

} // namespace
