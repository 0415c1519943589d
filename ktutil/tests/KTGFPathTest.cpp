// Path members of KTGF on native paths: "/" separates folders and there are no drives.
#include "ktutil/KTGF.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

TEST(KTGFPath, SplitPathTakesAPathApart)
{
    struct Case {
        const char* path;
        const char* dir;
        const char* name;
        const char* ext;
    };
    const std::vector<Case> cases = {
        { "/home/ward/a.txt", "/home/ward/", "a", ".txt" },
        { "/home/ward/a.tar.gz", "/home/ward/", "a.tar", ".gz" },
        { "a.txt", "", "a", ".txt" },
        { "/data/", "/data/", "", "" },
        { "/data/README", "/data/", "README", "" },
        { "/data/.profile", "/data/", ".profile", "" },
        { "/data.d/file", "/data.d/", "file", "" },
        { "rel/dir/x.", "rel/dir/", "x", "." },
        { "/d/\xE6\x97\xA5.fmf", "/d/", "\xE6\x97\xA5", ".fmf" },
        { "", "", "", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CString drive("x"), dir, name, ext;
        KTGF::SplitPath(c.path, &drive, &dir, &name, &ext);
        EXPECT_EQ(drive, "");
        EXPECT_EQ(dir, c.dir);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(ext, c.ext);
        EXPECT_EQ(KTGF::ExtractDir(c.path), c.dir);
        EXPECT_EQ(KTGF::ExtractName(c.path, FALSE), c.name);
        EXPECT_EQ(KTGF::ExtractName(c.path, TRUE), CString(c.name) + c.ext);
        EXPECT_EQ(KTGF::ExtractExt(c.path, TRUE), c.ext);
    }
    EXPECT_EQ(KTGF::ExtractExt("/a/b.FMF", FALSE), "FMF");
    EXPECT_EQ(KTGF::ExtractDrive("/a/b.FMF"), "/");
}

TEST(KTGFPath, SeparatorsAreAddedAndRemovedOnce)
{
    struct Case {
        const char* path;
        const char* added;
        const char* removed;
    };
    const std::vector<Case> cases = {
        { "", "/", "" },
        { "/", "/", "/" },
        { "/data", "/data/", "/data" },
        { "/data/", "/data/", "/data" },
        { "/data//", "/data//", "/data/" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CString added(c.path), removed(c.path);
        KTGF::AddPathSep(added);
        KTGF::DelPathSep(removed);
        EXPECT_EQ(added, c.added);
        EXPECT_EQ(removed, c.removed);
    }
}

TEST(KTGFPath, MakePathJoinsWithOneSeparator)
{
    EXPECT_EQ(KTGF::MakePath("/data", "x.ini"), "/data/x.ini");
    EXPECT_EQ(KTGF::MakePath("/data/", "x.ini"), "/data/x.ini");
    EXPECT_EQ(KTGF::MakePath("/data", ""), "/data");
    EXPECT_EQ(KTGF::MakePath("/data", "  "), "/data");
    EXPECT_EQ(KTGF::MakePath("/data/", nullptr), "/data/");
}

TEST(KTGFPath, MakePathWithABlankFolderUsesTheProgramFolder)
{
    char exe[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    const CString folder = KTGF::ExtractDir(exe);
    EXPECT_EQ(KTGF::GetModulePath(), folder);
    EXPECT_EQ(KTGF::MakePath("", "x.ini"), folder + "x.ini");
    EXPECT_EQ(KTGF::MakePath(" ", "x.ini"), folder + "x.ini");
    EXPECT_EQ(KTGF::MakePath(nullptr, nullptr), folder);
}

TEST(KTGFPath, TempAndSystemFoldersEndWithASeparator)
{
    EXPECT_TRUE(KTGF::GetSystemTempDir().Right(1) == "/");
    EXPECT_TRUE(KTGF::GetSystemDir().Right(1) == "/");
}

TEST(KTGFPath, ValidityRulesRefuseTheClassicCharacters)
{
    struct Case {
        const char* text;
        BOOL fileName;
        BOOL pathName;
    };
    const std::vector<Case> cases = {
        { "", FALSE, FALSE },
        { "  ", FALSE, FALSE },
        { "b.txt", TRUE, TRUE },
        { "/a/b.txt", FALSE, TRUE },
        { "/a/b/", FALSE, FALSE },      // ends with a separator: the name is empty
        { "/a/b:c.txt", FALSE, FALSE }, // colon in the name
        { "/a:x/b.txt", FALSE, FALSE }, // colon in the folder part
        { "/a/b\\c.txt", FALSE, FALSE },  // a backslash is no separator here
        { "/a\\x/b.txt", FALSE, FALSE },
        { "/a/b?.txt", FALSE, FALSE },
        { "/a/b*.txt", FALSE, FALSE },
        { "/a/\"b\".txt", FALSE, FALSE },
        { "/a/<b>|.txt", FALSE, FALSE },
        { "/\xE6\x97\xA5/\xE6\x9C\xAC.txt", FALSE, TRUE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(KTGF::IsValidFileName(c.text), c.fileName);
        EXPECT_EQ(KTGF::IsValidPathName(c.text), c.pathName);
    }
}

TEST(KTGFPath, GetValidPathNameRemovesRefusedCharactersButKeepsSeparators)
{
    CString good("/a/b.txt");
    EXPECT_EQ(KTGF::GetValidPathName(good), 0);
    EXPECT_EQ(good, "/a/b.txt");

    CString bad("/a:x/b?<c>|*\"\\d.txt");
    EXPECT_EQ(KTGF::GetValidPathName(bad), 1);
    EXPECT_EQ(bad, "/ax/bcd.txt");
}

TEST(KTGFPath, AbbreviatePathKeepsTheFirstFolderAndTheTail)
{
    struct Case {
        const char* path;
        int max;
        BOOL keepName;
        const char* expected;
    };
    const char* const longPath = "/home/ward/data/records/a.fmf"; // 29 bytes
    const std::vector<Case> cases = {
        { longPath, 29, TRUE, longPath },
        { longPath, 100, TRUE, longPath },
        { longPath, 28, TRUE, "/home/.../data/records/a.fmf" },
        { longPath, 27, TRUE, "/home/.../records/a.fmf" },
        { longPath, 23, TRUE, "/home/.../records/a.fmf" },
        { longPath, 22, TRUE, "/home/.../a.fmf" },
        { longPath, 15, TRUE, "/home/.../a.fmf" },
        { longPath, 14, TRUE, "a.fmf" },           // first folder, "/.../" and name do not fit
        { longPath, 5, TRUE, "a.fmf" },
        { longPath, 4, TRUE, "a.fmf" },            // the name alone is too long: kept
        { longPath, 4, FALSE, "" },                // ... or dropped
        { "//server/share/x/yy/z.txt", 24, TRUE, "//server/share/.../z.txt" },
        { "//server/share/x/yy/z.txt", 23, TRUE, "z.txt" },
        { "rel/one/two/three.txt", 20, TRUE, "rel/.../three.txt" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " max=" + std::to_string(c.max));
        CString text(c.path);
        KTGF::AbbreviatePath(text, c.max, c.keepName);
        EXPECT_EQ(text, c.expected);
        EXPECT_LE(text.GetLength(), std::max<int>(c.max, static_cast<int>(std::strlen(c.expected))));

        std::vector<char> buffer(c.path, c.path + std::strlen(c.path) + 1);
        KTGF::AbbreviatePath(buffer.data(), c.max, c.keepName);
        EXPECT_STREQ(buffer.data(), c.expected);
    }
}

} // namespace
