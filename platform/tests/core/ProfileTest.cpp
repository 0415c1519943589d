#include "platform/core/Profile.h"
#include "platform/core/FileSystem.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using testkit::ReadText;
using testkit::TempFolder;
using testkit::WriteText;

std::string Read(const std::string& file, const char* section, const char* key, const char* def = "<default>")
{
    char buffer[256];
    GetPrivateProfileString(section, key, def, buffer, sizeof buffer, file.c_str());
    return buffer;
}

std::vector<std::string> SplitList(const char* buffer)
{
    std::vector<std::string> items;
    for (const char* p = buffer; *p; p += std::strlen(p) + 1)
        items.emplace_back(p);
    return items;
}

const char* const kSample = "; settings of the station\n"
                            "[Station]\n"
                            "  Name  =  Ward 3 \n"
                            "Beds=8\n"
                            "Quoted=\"  padded  \"\n"
                            "\n"
                            "[SERIAL_DEVICES]\n"
                            "COM1=/dev/ttyUSB0\n"
                            "junk line without equals\n"
                            "[station]\n"
                            "Name=second section of the same name is ignored\n";

TEST(Profile, ReadsMatchNamesWithoutCaseAndTrimBlanks)
{
    TempFolder dir;
    const std::string ini = dir / "TarvicII.ini";
    WriteText(ini, kSample);
    struct
    {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Station", "Name", "Ward 3"},
        {"STATION", "name", "Ward 3"},
        {" station ", " NAME ", "<default>"}, // the caller's names are not trimmed for reads
        {"Station", "Beds", "8"},
        {"Station", "Quoted", "  padded  "},
        {"serial_devices", "com1", "/dev/ttyUSB0"},
        {"Station", "Missing", "<default>"},
        {"Missing", "Name", "<default>"},
        {"SERIAL_DEVICES", "junk line without equals", "<default>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(ini, c.section, c.key), c.expected) << c.section << "/" << c.key;

    EXPECT_EQ(Read(ini, "Station", "Missing", "fallback  "), "fallback");
    EXPECT_EQ(Read(ini, "Station", "Missing", nullptr), "");
    EXPECT_EQ(Read(dir / "none.ini", "Station", "Name"), "<default>");

    EXPECT_EQ(GetPrivateProfileInt("Station", "Beds", 3, ini.c_str()), 8u);
    EXPECT_EQ(GetPrivateProfileInt("Station", "Missing", 3, ini.c_str()), 3u);
    EXPECT_EQ(GetPrivateProfileInt("Station", "Name", 3, ini.c_str()), 0u); // not a number
    EXPECT_EQ(GetPrivateProfileInt("Station", "Beds", 3, (dir / "none.ini").c_str()), 3u);
}

TEST(Profile, ListsSectionsKeysAndEntries)
{
    TempFolder dir;
    const std::string ini = dir / "a.ini";
    WriteText(ini, kSample);
    char buffer[256];
    GetPrivateProfileSectionNames(buffer, sizeof buffer, ini.c_str());
    EXPECT_EQ(SplitList(buffer), (std::vector<std::string>{"Station", "SERIAL_DEVICES", "station"}));
    GetPrivateProfileString("station", nullptr, "", buffer, sizeof buffer, ini.c_str());
    EXPECT_EQ(SplitList(buffer), (std::vector<std::string>{"Name", "Beds", "Quoted"}));
    GetPrivateProfileSection("Serial_Devices", buffer, sizeof buffer, ini.c_str());
    EXPECT_EQ(SplitList(buffer), (std::vector<std::string>{"COM1=/dev/ttyUSB0"}));

    // Too small: cut, double terminated, size - 2 returned.
    char small[8];
    EXPECT_EQ(GetPrivateProfileString("Station", nullptr, "", small, sizeof small, ini.c_str()), 6u);
    EXPECT_STREQ(small, "Name");
    EXPECT_EQ(small[6], '\0');
    EXPECT_EQ(small[7], '\0');
}

TEST(Profile, ValuesAreCutToTheBufferOnACharacterBoundary)
{
    TempFolder dir;
    const std::string ini = dir / "a.ini";
    WriteText(ini, "[P]\nName=Jürgen\n");
    char buffer[3]; // room for "J" and half of "ü"
    EXPECT_EQ(GetPrivateProfileString("P", "Name", "", buffer, sizeof buffer, ini.c_str()), 1u);
    EXPECT_STREQ(buffer, "J");
    char fits[4];
    EXPECT_EQ(GetPrivateProfileString("P", "Name", "", fits, sizeof fits, ini.c_str()), 3u);
    EXPECT_STREQ(fits, "Jü");
}

TEST(Profile, WritesReplaceInPlaceAppendAndKeepOtherLines)
{
    TempFolder dir;
    const std::string ini = dir / "a.ini";
    WriteText(ini, kSample);
    EXPECT_TRUE(WritePrivateProfileString("STATION", "beds", "12", ini.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("Station", "Alarm", "on", ini.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("Printer", "Paper", " A4 ", ini.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("serial_devices", "COM2", "/dev/pts/3", ini.c_str()));
    EXPECT_EQ(ReadText(ini), "; settings of the station\n"
                             "[Station]\n"
                             "  Name  =  Ward 3 \n"
                             "Beds=12\n"
                             "Quoted=\"  padded  \"\n"
                             "Alarm=on\n"
                             "\n"
                             "[SERIAL_DEVICES]\n"
                             "COM1=/dev/ttyUSB0\n"
                             "junk line without equals\n"
                             "COM2=/dev/pts/3\n"
                             "[station]\n"
                             "Name=second section of the same name is ignored\n"
                             "\n"
                             "[Printer]\n"
                             "Paper=A4\n");
}

TEST(Profile, NullKeyDeletesSectionAndNullValueDeletesEntry)
{
    TempFolder dir;
    const std::string ini = dir / "a.ini";
    WriteText(ini, "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
    EXPECT_TRUE(WritePrivateProfileString("a", "X", nullptr, ini.c_str()));
    EXPECT_EQ(ReadText(ini), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n"); // CRLF line ends are kept
    EXPECT_TRUE(WritePrivateProfileString("b", nullptr, nullptr, ini.c_str()));
    EXPECT_EQ(ReadText(ini), "[A]\r\ny=2\r\n");
    // Deleting what is not there succeeds and changes nothing.
    EXPECT_TRUE(WritePrivateProfileString("Nope", nullptr, nullptr, ini.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("A", "nope", nullptr, ini.c_str()));
    EXPECT_EQ(ReadText(ini), "[A]\r\ny=2\r\n");
    EXPECT_EQ(Read(ini, "A", "x"), "<default>");
}

TEST(Profile, WriteCreatesTheFileButNotItsFolderAndRespectsReadOnly)
{
    TempFolder dir;
    const std::string ini = dir / "new.ini";
    EXPECT_TRUE(WritePrivateProfileString("S", "k", "v", ini.c_str()));
    EXPECT_EQ(ReadText(ini), "[S]\nk=v\n");
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", (dir / "no/folder.ini").c_str()));
    EXPECT_FALSE(WritePrivateProfileString(nullptr, "k", "v", ini.c_str()));

    ASSERT_TRUE(SetFileAttributes(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "changed", ini.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Read(ini, "S", "k"), "v");
}

// A line break would end the entry's line and the rest would come back as an entry of its
// own: such a write is refused and the file stays as it was.
TEST(Profile, WritesWithALineBreakInANameOrValueAreRefused)
{
    TempFolder dir;
    const std::string ini = dir / "a.ini";
    WriteText(ini, "[Station]\nName=Ward 3\n");
    struct
    {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Station", "Name", "Ward 1\nInjected=999"},
        {"Station", "Name", "Ward 1\r\nInjected=999"},
        {"Station", "Name", "Ward 1\rInjected=999"},
        {"Station", "Name\nInjected", "999"},
        {"Station]\n[Other", "Name", "x"},
        {"Station", "Name\n", nullptr},
        {"Station\n", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(WritePrivateProfileString(c.section, c.key, c.value, ini.c_str())) << c.section;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    EXPECT_EQ(ReadText(ini), "[Station]\nName=Ward 3\n");
    EXPECT_EQ(Read(ini, "Station", "Injected"), "<default>");
}

// Another process sees a write at once, and two processes writing at the same time lose
// nothing of each other's changes.
TEST(Profile, TwoProcessesShareOneFile)
{
    TempFolder dir;
    const std::string ini = dir / "shared.ini";
    ASSERT_TRUE(WritePrivateProfileString("Shared", "Written", "by parent", ini.c_str()));

    const pid_t reader = fork();
    ASSERT_GE(reader, 0);
    if (reader == 0)
        _exit(Read(ini, "shared", "written") == "by parent" ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(reader, &status, 0), reader);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    constexpr int kKeys = 40;
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    const char* who = writer == 0 ? "child" : "parent";
    for (int i = 0; i < kKeys; ++i) {
        const std::string key = std::string(who) + std::to_string(i);
        if (!WritePrivateProfileString("Race", key.c_str(), who, ini.c_str()) && writer == 0)
            _exit(2);
    }
    if (writer == 0)
        _exit(0);
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (int i = 0; i < kKeys; ++i) {
        EXPECT_EQ(Read(ini, "Race", ("child" + std::to_string(i)).c_str()), "child");
        EXPECT_EQ(Read(ini, "Race", ("parent" + std::to_string(i)).c_str()), "parent");
    }
    EXPECT_EQ(Read(ini, "Shared", "Written"), "by parent");
}

} // namespace
