// KTGF file and folder tests, sizes, listings, creating, renaming and deleting, in a temporary
// tree.
#include "ktutil/KTGF.h"

#include "platform/core/Collections.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using testkit::TempFolder;
using Strings = std::vector<std::string>;

// The list's entries relative to the folder.
Strings Relative(const CStringArray& list, const TempFolder& dir)
{
    Strings out;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        out.push_back(list[i].Mid(dir.Root().GetLength() + 1).GetString());
    return out;
}

// a.txt (3 bytes), b.log (5), sub/c.txt (7), sub/deep/d.txt (11), empty/
class KTGFFileTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.Write("a.txt", "aaa");
        dir.Write("b.log", "bbbbb");
        dir.Write("sub/c.txt", "ccccccc");
        dir.Write("sub/deep/d.txt", "ddddddddddd");
        dir.MakeDir("empty");
    }
    TempFolder dir;
};

TEST_F(KTGFFileTree, TestsTellFilesFromFolders)
{
    EXPECT_TRUE(KTGF::IsFile(dir.Path("a.txt")));
    EXPECT_FALSE(KTGF::IsFile(dir.Path("sub")));
    EXPECT_FALSE(KTGF::IsFile(dir.Path("none")));
    EXPECT_FALSE(KTGF::IsFile(""));
    EXPECT_TRUE(KTGF::IsDir(dir.Path("sub")));
    EXPECT_TRUE(KTGF::IsDir(dir.Path("sub/")));
    EXPECT_TRUE(KTGF::IsDir(dir.Path("empty")));
    EXPECT_FALSE(KTGF::IsDir(dir.Path("a.txt")));
    EXPECT_FALSE(KTGF::IsDir(" "));
    EXPECT_TRUE(KTGF::IsExist(dir.Path("a.txt")));
    EXPECT_TRUE(KTGF::IsExist(dir.Path("sub")));
    EXPECT_FALSE(KTGF::IsExist(dir.Path("none")));
    EXPECT_TRUE(KTGF::IsDriveRoot("/"));
    EXPECT_FALSE(KTGF::IsDriveRoot(dir.Path("sub")));
    EXPECT_FALSE(KTGF::IsCDRomDrive(dir.Path("a.txt")));
    EXPECT_TRUE(KTGF::GetCDROMDrive(-1).IsEmpty());
}

TEST_F(KTGFFileTree, IsDirEmptyLooksOneLevelDown)
{
    EXPECT_TRUE(KTGF::IsDirEmpty(dir.Path("empty")));
    EXPECT_FALSE(KTGF::IsDirEmpty(dir.Path("sub")));
    EXPECT_FALSE(KTGF::IsDirEmpty(dir.Path("none")));
    dir.Write("nest/one/two/deep.txt", "x");
    EXPECT_TRUE(KTGF::IsDirEmpty(dir.Path("nest"))) << "files two levels down are not seen";
    dir.Write("nest/one/f.txt", "x");
    EXPECT_FALSE(KTGF::IsDirEmpty(dir.Path("nest")));
}

TEST_F(KTGFFileTree, SizesOfFilesAndFolders)
{
    EXPECT_EQ(KTGF::GetFileSize(dir.Path("b.log"), FALSE), 5u);
    EXPECT_EQ(KTGF::GetFileSize(dir.Path("none"), FALSE), 0u);
    dir.Write("big.bin", testkit::PatternBytes(5000));
    EXPECT_EQ(KTGF::GetFileSize(dir.Path("big.bin"), TRUE), 4u);
    EXPECT_EQ(KTGF::GetDirSize(dir.Root(), FALSE, FALSE), 5008);
    EXPECT_EQ(KTGF::GetDirSize(dir.Root(), FALSE, TRUE), 5026);
    EXPECT_EQ(KTGF::GetDirSize(dir.Root(), TRUE, TRUE), 4);
    EXPECT_EQ(KTGF::GetDirSize(dir.Path("none"), FALSE, TRUE), -1);
}

TEST_F(KTGFFileTree, GetDirInfoListsFoldersAndFilesByPattern)
{
    CStringArray folders, files;
    EXPECT_EQ(KTGF::GetDirInfo(dir.Root(), "*.*", &folders, &files, TRUE), 26);
    EXPECT_EQ(Relative(folders, dir), (Strings { "empty", "sub", "sub/deep" }));
    EXPECT_EQ(Relative(files, dir), (Strings { "a.txt", "b.log", "sub/c.txt", "sub/deep/d.txt" }));

    // The pattern applies to folders too, so "*.txt" does not enter "sub".
    CStringArray txt;
    EXPECT_EQ(KTGF::GetDirInfo(dir.Root(), "*.txt", nullptr, &txt, TRUE), 3);
    EXPECT_EQ(Relative(txt, dir), (Strings { "a.txt" }));
    EXPECT_EQ(KTGF::GetDirInfo(dir.Path("none"), nullptr, nullptr, nullptr, TRUE), -1);
}

TEST_F(KTGFFileTree, GetDirFilesGoesOneSubfolderLevelDeep)
{
    CStringArray files;
    EXPECT_EQ(KTGF::GetDirFiles(dir.Root(), nullptr, &files, FALSE), 2);
    EXPECT_EQ(Relative(files, dir), (Strings { "a.txt", "b.log" }));
    files.RemoveAll();
    EXPECT_EQ(KTGF::GetDirFiles(dir.Root(), nullptr, &files, TRUE), 3);
    EXPECT_EQ(Relative(files, dir), (Strings { "a.txt", "b.log", "sub/c.txt" }));
    EXPECT_EQ(KTGF::GetDirFiles(dir.Root(), "*.log", nullptr, TRUE), 1);
    EXPECT_EQ(KTGF::GetDirFiles(dir.Path("none"), nullptr, nullptr, TRUE), -1);
    // Names are case-sensitive.
    EXPECT_EQ(KTGF::GetDirFiles(dir.Root(), "*.TXT", nullptr, FALSE), 0);
}

TEST_F(KTGFFileTree, GetSubDirListWithAndWithoutRecursion)
{
    CStringArray folders;
    EXPECT_EQ(KTGF::GetSubDirList(dir.Root(), &folders, FALSE), 2);
    EXPECT_EQ(Relative(folders, dir), (Strings { "empty", "sub" }));
    EXPECT_EQ(KTGF::GetSubDirList(dir.Root(), nullptr, TRUE), 3);
    EXPECT_EQ(KTGF::GetSubDirList(dir.Path("none"), nullptr, TRUE), -1);
}

TEST_F(KTGFFileTree, ReadOnlyOnFilesAndTrees)
{
    const CString a = dir.Path("a.txt");
    EXPECT_FALSE(KTGF::IsReadOnly(a));
    EXPECT_EQ(KTGF::SetReadOnly(a, TRUE), 0);
    EXPECT_TRUE(KTGF::IsReadOnly(a));
    EXPECT_EQ(KTGF::SetReadOnly(a, TRUE), 0) << "nothing to change is no error";
    EXPECT_EQ(KTGF::SetReadOnly(a, FALSE), 0);
    EXPECT_FALSE(KTGF::IsReadOnly(a));
    EXPECT_EQ(KTGF::SetReadOnly(dir.Path("none"), TRUE), KTGF_INVALID_PATH);

    EXPECT_EQ(KTGF::SetReadOnlyDir(dir.Path("sub"), TRUE, FALSE), 0);
    EXPECT_TRUE(KTGF::IsReadOnly(dir.Path("sub/deep/d.txt")));
    EXPECT_FALSE(KTGF::IsReadOnly(dir.Path("sub")));
    EXPECT_EQ(KTGF::SetReadOnlyDir(dir.Path("sub"), FALSE, TRUE), 0);
    EXPECT_FALSE(KTGF::IsReadOnly(dir.Path("sub/c.txt")));
    EXPECT_EQ(KTGF::SetReadOnlyDir(dir.Path("none"), TRUE, TRUE), KTGF_INVALID_PATH);
}

TEST(KTGFFile, DriveSpaceOfAPathOrItsNearestFolder)
{
    TempFolder dir;
    ULONGLONG total = 7, freeBytes = 9;
    ASSERT_TRUE(KTGF::GetDriveFreeSpaceEx(dir.Root(), total, freeBytes));
    EXPECT_GT(total, 0u);
    EXPECT_LE(freeBytes, total) << "total comes first, free second";
    ULONGLONG total2 = 0, free2 = 0;
    EXPECT_TRUE(KTGF::GetDriveFreeSpaceEx(dir.Path("not/yet/made"), total2, free2));
    EXPECT_EQ(total2, total);
    EXPECT_GE(KTGF::GetDriveFreeSpace(dir.Root(), FALSE), 0);
    EXPECT_GE(KTGF::GetDriveFreeSpace(nullptr, TRUE), 0);
    EXPECT_TRUE(KTGF::GetDriveFreeSpaceEx("", total2, free2)) << "blank: the home folder";
}

TEST(KTGFFile, CreateDirMakesEveryMissingLevel)
{
    TempFolder dir;
    dir.MakeDir("a");
    EXPECT_EQ(KTGF::CreateDir(dir.Path("a")), 0);
    EXPECT_EQ(KTGF::CreateDir(dir.Path("a/")), 0);
    EXPECT_EQ(KTGF::CreateDir(dir.Path("a/b/c")), 0);
    EXPECT_TRUE(KTGF::IsDir(dir.Path("a/b/c")));
    EXPECT_EQ(KTGF::CreateDir(dir.Path("x/y/")), 0);
    EXPECT_TRUE(KTGF::IsDir(dir.Path("x/y")));
    EXPECT_EQ(KTGF::CreateDir(dir.Path("bad|name")), KTGF_INVALID_PATH);
    EXPECT_EQ(KTGF::CreateDir(""), KTGF_INVALID_PATH);
    dir.Write("file", "x");
    EXPECT_EQ(KTGF::CreateDir(dir.Path("file/below")), KTGF_FAILED);
}

TEST(KTGFFile, CreateFileEmptiesOrRefuses)
{
    TempFolder dir;
    const CString path = dir.Path("new/folder/s.ini");
    EXPECT_EQ(KTGF::CreateFileA(path, FALSE, FALSE), KTGF_CREATE_FAILED) << "folder missing";
    EXPECT_EQ(KTGF::CreateFileA(path, TRUE, FALSE), 0);
    EXPECT_TRUE(KTGF::IsFile(path));
    dir.Write("new/folder/s.ini", "content");
    EXPECT_EQ(KTGF::CreateFileA(path, FALSE, FALSE), KTGF_EXISTS);
    EXPECT_EQ(dir.Read("new/folder/s.ini"), "content");
    EXPECT_EQ(KTGF::CreateFileA(path, FALSE, TRUE), 0);
    EXPECT_EQ(dir.Read("new/folder/s.ini"), "");
    EXPECT_EQ(KTGF::CreateFileA(dir.Path("x?.ini"), TRUE, TRUE), KTGF_INVALID_PATH);
}

TEST(KTGFFile, RenameFileAndFolderGiveResultCodes)
{
    TempFolder dir;
    dir.Write("a.txt", "a");
    dir.Write("taken.txt", "keep");
    EXPECT_EQ(KTGF::RenameFile(dir.Path("a.txt"), "b.txt"), 0);
    EXPECT_EQ(dir.Read("b.txt"), "a");
    EXPECT_EQ(KTGF::RenameFile(dir.Path("a.txt"), "c.txt"), KTGF_INVALID_PATH);
    EXPECT_EQ(KTGF::RenameFile(dir.Path("b.txt"), "sub/c.txt"), KTGF_INVALID_PATH);
    // An existing name is never replaced.
    EXPECT_EQ(KTGF::RenameFile(dir.Path("b.txt"), "taken.txt"), KTGF_EXISTS);
    EXPECT_EQ(dir.Read("taken.txt"), "keep");
    EXPECT_EQ(dir.Read("b.txt"), "a");

    dir.Write("d1/f", "1");
    dir.MakeDir("d2");
    EXPECT_EQ(KTGF::RenameDir(dir.Path("d1/"), "d3"), 0);
    EXPECT_EQ(dir.Read("d3/f"), "1");
    EXPECT_EQ(KTGF::RenameDir(dir.Path("d3"), "d2"), KTGF_EXISTS) << "a result, not an exception";
    EXPECT_EQ(KTGF::RenameDir(dir.Path("none"), "d4"), KTGF_INVALID_PATH);
    EXPECT_EQ(KTGF::RenameDir(dir.Path("d3"), "a:b"), KTGF_INVALID_PATH);
}

TEST(KTGFFile, DeleteDirRemovesOnlyTreesWithoutFiles)
{
    TempFolder dir;
    dir.Write("full/f.txt", "x");
    EXPECT_EQ(KTGF::DeleteDir(dir.Path("full")), KTGF_INVALID_PATH);
    EXPECT_TRUE(dir.Exists("full/f.txt"));

    dir.MakeDir("tree/a/b/c");
    dir.MakeDir("tree/d");
    EXPECT_EQ(KTGF::DeleteDir(dir.Path("tree")), 0);
    EXPECT_FALSE(dir.Exists("tree"));

    // A file two levels down escapes the emptiness test but stops the removal.
    dir.Write("deep/a/b/f.txt", "x");
    EXPECT_EQ(KTGF::DeleteDir(dir.Path("deep")), KTGF_DELETE_FAILED);
    EXPECT_TRUE(dir.Exists("deep/a/b/f.txt"));
    EXPECT_EQ(KTGF::DeleteDir(dir.Path("none")), KTGF_INVALID_PATH);
}

TEST(KTGFFile, DeleteFilePlainly)
{
    TempFolder dir;
    dir.Write("f.txt", "x");
    EXPECT_EQ(KTGF::DeleteFileA(dir.Path("f.txt"), FALSE), 0);
    EXPECT_FALSE(dir.Exists("f.txt"));
    EXPECT_EQ(KTGF::DeleteFileA(dir.Path("f.txt"), FALSE), KTGF_FAILED);
    EXPECT_EQ(KTGF::DeleteFileA(dir.Path("f.txt"), TRUE), KTGF_FAILED) << "missing: no dialog, -1";
}

} // namespace

namespace {

// Points HOME at a temporary folder, so the desktop trash used is a fresh one.
class KTGFTrash : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* home = std::getenv("HOME"))
            m_savedHome = home;
        if (const char* data = std::getenv("XDG_DATA_HOME"))
            m_savedData = data;
        setenv("HOME", home.Root(), 1);
        unsetenv("XDG_DATA_HOME");
    }
    void TearDown() override
    {
        m_savedHome.empty() ? unsetenv("HOME") : setenv("HOME", m_savedHome.c_str(), 1);
        if (!m_savedData.empty())
            setenv("XDG_DATA_HOME", m_savedData.c_str(), 1);
    }
    std::string Trashed(const std::string& name) const { return ".local/share/Trash/files/" + name; }

    TempFolder home;
    TempFolder dir;

private:
    std::string m_savedHome;
    std::string m_savedData;
};

TEST_F(KTGFTrash, RecycleFlagMovesFilesIntoTheDesktopTrash)
{
    dir.Write("study_1.FMF", "recording");
    EXPECT_EQ(KTGF::DeleteFileA(dir.Path("study_1.FMF"), TRUE), 0);
    EXPECT_FALSE(dir.Exists("study_1.FMF"));
    EXPECT_EQ(home.Read(Trashed("study_1.FMF")), "recording");
    EXPECT_TRUE(home.Exists(".local/share/Trash/info/study_1.FMF.trashinfo"));
    EXPECT_EQ(KTGF::DeleteFileA(dir.Path("study_1.FMF"), TRUE), KTGF_FAILED) << "missing: -1, no dialog";
}

TEST_F(KTGFTrash, DeleteMultiWithRecycleTrashesEachFileAndRemovesTheFolders)
{
    dir.Write("old/a.log", "a");
    dir.Write("old/sub/b.log", "b");
    CStringArray list;
    list.Add(dir.Path("old"));
    EXPECT_EQ(KTGF::DeleteMulti(list, nullptr, TRUE), 0);
    EXPECT_FALSE(dir.Exists("old"));
    EXPECT_EQ(home.Read(Trashed("a.log")), "a");
    EXPECT_EQ(home.Read(Trashed("b.log")), "b");
}

} // namespace
