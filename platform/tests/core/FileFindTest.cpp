#include "platform/core/FileFind.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

using testkit::TempFolder;
using testkit::WriteText;

std::vector<std::string> List(const std::string& search)
{
    std::vector<std::string> names;
    CFileFind find;
    BOOL more = find.FindFile(search.c_str());
    while (more) {
        more = find.FindNextFile();
        names.push_back(find.GetFileName().str());
    }
    return names;
}

class FileFindTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"b.FMF", "a.FMF", "c.TMP", "README", "c.fmf", "Zeta.FMF", ".hidden"})
            WriteText(m_dir / name, name);
        mkdir((m_dir / "sub").c_str(), 0777);
        mkdir((m_dir / "sub.FMF").c_str(), 0777);
    }
    TempFolder m_dir;
};

TEST_F(FileFindTest, ListsMatchesSortedByName)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(List(m_dir / "*.FMF"), (V{"Zeta.FMF", "a.FMF", "b.FMF", "sub.FMF"}));
    EXPECT_EQ(List(m_dir / "*.*"), (V{".", "..", ".hidden", "README", "Zeta.FMF", "a.FMF", "b.FMF", "c.TMP",
                                      "c.fmf", "sub", "sub.FMF"}));
    EXPECT_EQ(List(m_dir / "?.FMF"), (V{"a.FMF", "b.FMF"}));
    EXPECT_EQ(List(m_dir / "c.*"), (V{"c.TMP", "c.fmf"}));
    EXPECT_EQ(List(m_dir / "README"), (V{"README"}));
    EXPECT_EQ(List(m_dir / "*.xyz"), V{});
    EXPECT_EQ(List(m_dir / "missing/*.*"), V{});
}

TEST_F(FileFindTest, ReportsEntryDetails)
{
    CFileFind find;
    ASSERT_TRUE(find.FindFile((m_dir / "*.*").c_str()));
    int seen = 0;
    for (BOOL more = TRUE; more;) {
        more = find.FindNextFile();
        const CString name = find.GetFileName();
        ++seen;
        EXPECT_EQ(find.GetFilePath(), CString((m_dir / name.str()).c_str()));
        EXPECT_EQ(find.GetRoot(), CString(m_dir.Dir().c_str()));
        if (name == "." || name == "..") {
            EXPECT_TRUE(find.IsDots());
            EXPECT_TRUE(find.IsDirectory());
        } else if (name == "sub") {
            EXPECT_TRUE(find.IsDirectory());
            EXPECT_FALSE(find.IsDots());
        } else if (name == ".hidden") {
            EXPECT_TRUE(find.IsHidden());
        } else if (name == "a.FMF") {
            EXPECT_EQ(find.GetLength(), 5u);
            EXPECT_FALSE(find.IsDirectory());
            EXPECT_FALSE(find.IsHidden());
            EXPECT_EQ(find.GetFileTitle(), "a");
            CTime written;
            EXPECT_TRUE(find.GetLastWriteTime(written));
            EXPECT_LE(std::abs(static_cast<long>(written.GetTime() - time(nullptr))), 60L);
        }
    }
    EXPECT_EQ(seen, 11);
}

TEST_F(FileFindTest, RelativeSearchAndFailures)
{
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    ASSERT_EQ(chdir(m_dir.Dir().c_str()), 0);
    CFileFind find;
    EXPECT_TRUE(find.FindFile("a.*"));
    find.FindNextFile();
    EXPECT_EQ(find.GetFilePath(), CString((m_dir / "a.FMF").c_str()));
    EXPECT_EQ(chdir(cwd), 0);

    EXPECT_FALSE(find.FindFile((m_dir / "nothing/*.*").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(find.FindFile((m_dir / "*.none").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(find.FindFile((m_dir.Dir() + "/").c_str()));
    EXPECT_FALSE(find.FindNextFile());
    EXPECT_EQ(find.GetFileName(), "");
}

} // namespace
