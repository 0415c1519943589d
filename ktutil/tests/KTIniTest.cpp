// KTIni reading and writing an ini file, and what a missing file or key gives.
#include "ktutil/KTGF.h"
#include "ktutil/KTIni.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testkit::TempFolder;

class KTIniFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.Write("TarvicII.ini", "[CENTRAL_DEFAULT]\nLanguage=5\nData Path=/srv/data\nScale=2.25\n"
                                         "[OTHER]\nName=\xE6\x97\xA5\xE6\x9C\xAC\n");
        ASSERT_EQ(ini.SetIni(path), 1);
    }
    TempFolder dir;
    CString path;
    KTIni ini;
};

TEST_F(KTIniFile, ReadsValuesAndDefaults)
{
    EXPECT_TRUE(ini.IsAvailable());
    EXPECT_EQ(ini.ReadString("CENTRAL_DEFAULT", "Data Path", "x"), "/srv/data");
    EXPECT_EQ(ini.ReadString("OTHER", "Name", ""), "\xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(ini.ReadInt("CENTRAL_DEFAULT", "Language", 3), 5);
    EXPECT_DOUBLE_EQ(ini.ReadDouble("CENTRAL_DEFAULT", "Scale", 1.0), 2.25);
    // A missing key gives the caller's default.
    EXPECT_EQ(ini.ReadString("CENTRAL_DEFAULT", "Missing", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadInt("CENTRAL_DEFAULT", "Missing", 7), 7);
    EXPECT_EQ(ini.ReadInt("NO_SECTION", "Language", -4), -4);
    EXPECT_DOUBLE_EQ(ini.ReadDouble("CENTRAL_DEFAULT", "Missing", 0.5), 0.5);
    // Blank names read nothing.
    EXPECT_EQ(ini.ReadString(" ", "Language", "d"), "");
    EXPECT_EQ(ini.ReadString("CENTRAL_DEFAULT", "", "d"), "");
}

TEST_F(KTIniFile, AMissingFileGivesEmptyTextAndZeroWhateverTheDefault)
{
    std::filesystem::remove(path.GetString());
    EXPECT_FALSE(ini.IsAvailable());
    EXPECT_EQ(ini.ReadString("CENTRAL_DEFAULT", "Language", "fallback"), "");
    EXPECT_EQ(ini.ReadInt("CENTRAL_DEFAULT", "Missing", 7), 0);
    EXPECT_DOUBLE_EQ(ini.ReadDouble("CENTRAL_DEFAULT", "Missing", 0.5), 0.0);
    EXPECT_EQ(ini.WriteString("CENTRAL_DEFAULT", "Language", "4"), 0);
    EXPECT_EQ(ini.WriteInt("CENTRAL_DEFAULT", "Language", 4), 0);
    EXPECT_FALSE(dir.Exists("TarvicII.ini")) << "no operation creates the file";
}

TEST_F(KTIniFile, WritesAreReadBack)
{
    EXPECT_NE(ini.WriteString("CENTRAL_DEFAULT", "Data Path", "/home/ward/Data"), 0);
    EXPECT_NE(ini.WriteInt("NEW", "Count", -12), 0);
    EXPECT_NE(ini.WriteDouble("NEW", "Ratio", 1.5), 0);
    EXPECT_EQ(ini.WriteString("", "Key", "v"), 0);
    EXPECT_EQ(ini.WriteString("NEW", " ", "v"), 0);

    KTIni again(dir.Root(), "TarvicII.ini");
    EXPECT_EQ(again.ReadString("CENTRAL_DEFAULT", "Data Path", ""), "/home/ward/Data");
    EXPECT_EQ(again.ReadInt("NEW", "Count", 0), -12);
    EXPECT_EQ(again.ReadString("NEW", "Ratio", ""), "1.500000");
    EXPECT_DOUBLE_EQ(again.ReadDouble("NEW", "Ratio", 0), 1.5);
    EXPECT_EQ(again.ReadInt("CENTRAL_DEFAULT", "Language", 3), 5) << "other entries stay";
}

TEST_F(KTIniFile, ReadIntHoldsNumbersBeyondTheIntRangeToItsEnds)
{
    const struct
    {
        const char* text;
        int expected;
    } cases[] = {
        { "2147483647", 2147483647 },
        { "2147483648", 2147483647 },
        { "4294967299", 2147483647 }, // once read as 3
        { "99999999999999999999999", 2147483647 },
        { "-2147483648", -2147483647 - 1 },
        { "-2147483649", -2147483647 - 1 },
        { "-4294967299", -2147483647 - 1 },
        { "12abc", 12 },
        { "abc", 0 },
    };
    for (const auto& c : cases) {
        ASSERT_NE(ini.WriteString("NUMBERS", "Value", c.text), 0);
        EXPECT_EQ(ini.ReadInt("NUMBERS", "Value", 7), c.expected) << c.text;
    }
}

// A value with a line break would come back as a shorter value and keys of its own; one with
// a NUL would come back cut. Such writes are refused and the file is not touched.
TEST_F(KTIniFile, ValuesThatCannotBeReadBackAsWrittenAreRefused)
{
    const CString before = ini.ReadString("OTHER", "Name", "");
    const char* const lineBreaks[] = { "Ward 1\nInjected=999", "Ward 1\r\n[CENTRAL_DEFAULT]\r\nLanguage=9",
                                        "Ward 1\rInjected=1" };
    for (const char* value : lineBreaks) {
        EXPECT_FALSE(KTIni::IsWritableValue(value));
        EXPECT_EQ(ini.WriteString("OTHER", "Name", value), 0);
        EXPECT_EQ(ini.WriteString("OTHER", "Name", CString(value)), 0);
    }
    const CString withNul("Ward 1\0Injected=999", 20);
    EXPECT_FALSE(KTIni::IsWritableValue(withNul));
    EXPECT_EQ(ini.WriteString("OTHER", "Name", withNul), 0);
    EXPECT_EQ(ini.ReadString("OTHER", "Name", ""), before);
    EXPECT_EQ(ini.ReadString("OTHER", "Injected", "none"), "none");
    EXPECT_EQ(ini.ReadInt("CENTRAL_DEFAULT", "Language", 3), 5);

    const CString fine = "Ward 1; [east] = \"bay\" #2 \xC3\xA9";
    EXPECT_TRUE(KTIni::IsWritableValue(fine));
    EXPECT_NE(ini.WriteString("OTHER", "Name", fine), 0);
    EXPECT_EQ(ini.ReadString("OTHER", "Name", ""), fine);
}

TEST_F(KTIniFile, DeletesSectionsAndEntries)
{
    EXPECT_EQ(ini.DeleteSection(" "), 0);
    EXPECT_EQ(ini.ReadInt("CENTRAL_DEFAULT", "Language", 3), 5);
    EXPECT_EQ(ini.DeleteEntry("CENTRAL_DEFAULT", ""), 0);
    EXPECT_NE(ini.DeleteEntry("CENTRAL_DEFAULT", "Language"), 0);
    EXPECT_EQ(ini.ReadInt("CENTRAL_DEFAULT", "Language", 3), 3);
    EXPECT_EQ(ini.ReadString("CENTRAL_DEFAULT", "Data Path", ""), "/srv/data");
    EXPECT_NE(ini.DeleteSection("CENTRAL_DEFAULT"), 0);
    EXPECT_EQ(ini.ReadString("CENTRAL_DEFAULT", "Data Path", "gone"), "gone");
    EXPECT_EQ(ini.ReadString("OTHER", "Name", ""), "\xE6\x97\xA5\xE6\x9C\xAC");
}

TEST_F(KTIniFile, SetIniRefusesAMissingFileAndKeepsThePath)
{
    EXPECT_EQ(ini.SetIni(dir.Path("none.ini")), 0);
    EXPECT_EQ(ini.ReadInt("CENTRAL_DEFAULT", "Language", 3), 5);
    EXPECT_EQ(ini.SetIni(dir.Root(), ""), 0);
    EXPECT_EQ(ini.SetIni(dir.Path("")), 0) << "a folder is no ini file";
    KTIni none(dir.Path("none.ini"));
    EXPECT_FALSE(none.IsAvailable());
    EXPECT_EQ(none.ReadString("A", "B", "c"), "");

    // The settings code makes the file first, then accepts it.
    const CString fresh = dir.Path("fresh/Layout.ini");
    ASSERT_EQ(KTGF::CreateFileA(fresh, TRUE, FALSE), 0);
    EXPECT_EQ(none.SetIni(fresh), 1);
    EXPECT_NE(none.WriteInt("LAYOUT", "Rows", 2), 0);
    EXPECT_EQ(KTIni(fresh).ReadInt("LAYOUT", "Rows", 0), 2);

    const KTIni copy(ini);
    EXPECT_TRUE(copy.IsAvailable());
}

TEST_F(KTIniFile, LongValuesAreCutOnACharacterBoundary)
{
    std::string value;
    while (value.size() < 5000)
        value += "\xE6\x97\xA5"; // 3 bytes each
    ASSERT_NE(ini.WriteString("OTHER", "Long", value.c_str()), 0);
    const CString read = ini.ReadString("OTHER", "Long", "");
    EXPECT_EQ(read.GetLength(), 4095 / 3 * 3);
    EXPECT_EQ(read.str(), value.substr(0, 4095 / 3 * 3));
}

} // namespace
