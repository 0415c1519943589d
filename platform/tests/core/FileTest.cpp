#include "platform/core/File.h"
#include "platform/core/FileSystem.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using testkit::ReadText;
using testkit::TempFolder;
using testkit::WriteText;

// Runs `body`, which must raise a CFileException*, and returns its cause.
template <class Body> int CauseOf(Body body)
{
    try {
        body();
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    ADD_FAILURE() << "no CFileException was raised";
    return -1;
}

TEST(File, WriteSeekReadAndLength)
{
    TempFolder dir;
    const std::string path = dir / "data.bin";
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.GetPosition(), 10u);
    EXPECT_EQ(file.Seek(-4, CFile::current), 6u);
    char buf[16] = {};
    EXPECT_EQ(file.Read(buf, sizeof buf), 4u); // short read at the end
    EXPECT_STREQ(buf, "6789");
    file.SeekToBegin();
    EXPECT_EQ(file.Read(buf, 3), 3u);
    EXPECT_EQ(std::string(buf, 3), "012");
    EXPECT_EQ(file.SeekToEnd(), 10u);
    file.SetLength(4);
    EXPECT_EQ(file.GetLength(), 4u);
    file.Flush();
    EXPECT_EQ(file.GetFilePath(), CString(path.c_str()));
    EXPECT_EQ(file.GetFileName(), "data.bin");
    EXPECT_EQ(file.GetFileTitle(), "data");
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_EQ(ReadText(path), "0123");
}

TEST(File, CreateTruncatesUnlessNoTruncate)
{
    TempFolder dir;
    const std::string path = dir / "keep.txt";
    WriteText(path, "old contents");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        file.SeekToEnd();
        file.Write("+", 1);
    }
    EXPECT_EQ(ReadText(path), "old contents+");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    }
    EXPECT_EQ(ReadText(path), "");
}

TEST(File, OpenFailuresFillTheExceptionOrRaise)
{
    TempFolder dir;
    struct
    {
        std::string path;
        UINT flags;
        int cause;
    } cases[] = {
        {dir / "missing.txt", CFile::modeRead, CFileException::fileNotFound},
        {dir / "no/such/folder.txt", CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
        {dir.Dir(), CFile::modeRead, CFileException::accessDenied},
        {dir.Dir(), CFile::modeWrite, CFileException::accessDenied},
        {dir.Dir(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, CFileException::accessDenied},
        {"", CFile::modeRead, CFileException::badPath},
    };
    for (const auto& c : cases) {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path.c_str(), c.flags, &error)) << c.path;
        EXPECT_EQ(error.m_cause, c.cause) << c.path;
        EXPECT_EQ(file.m_hFile, CFile::hFileNull);
        EXPECT_EQ(CauseOf([&] { CFile raising(c.path.c_str(), c.flags); }), c.cause) << c.path;
    }
    // Writing into a read-only file is refused.
    const std::string locked = dir / "ro.txt";
    WriteText(locked, "x");
    ASSERT_TRUE(SetFileAttributes(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    if (geteuid() != 0) {
        CFileException error;
        CFile file;
        EXPECT_FALSE(file.Open(locked.c_str(), CFile::modeWrite, &error));
        EXPECT_EQ(error.m_cause, CFileException::accessDenied);
        EXPECT_EQ(error.m_lOsError, static_cast<LONG>(ERROR_ACCESS_DENIED));
        char text[128];
        EXPECT_TRUE(error.GetErrorMessage(text, sizeof text));
        EXPECT_EQ(std::string(text), "Access to " + locked + " was denied.");
    }
}

TEST(File, ErrorMessageIsCutOnACharacterBoundary)
{
    CFileException error(CFileException::fileNotFound, 2, "/data/Müller.FMF");
    char text[9];
    ASSERT_TRUE(error.GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "/data/M"); // the two bytes of "ü" would not both fit
    char whole[64];
    ASSERT_TRUE(error.GetErrorMessage(whole, sizeof whole));
    EXPECT_STREQ(whole, "/data/Müller.FMF was not found.");
}

TEST(File, ReadAndWriteOnAClosedFileRaise)
{
    CFile file;
    char buf[4];
    EXPECT_EQ(CauseOf([&] { file.Read(buf, 4); }), CFileException::invalidFile);
    EXPECT_EQ(CauseOf([&] { file.Write(buf, 4); }), CFileException::invalidFile);
    TempFolder dir;
    const std::string path = dir / "a";
    CFile open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    EXPECT_EQ(CauseOf([&] { open.Seek(-1, CFile::begin); }), CFileException::badSeek);
}

TEST(File, ShareModesConflictLikeTheClassicOnes)
{
    TempFolder dir;
    const std::string path = dir / "recording.FMF";
    WriteText(path, "0123456789");
    const UINT writer = CFile::modeReadWrite | CFile::shareDenyWrite;
    struct
    {
        UINT held;
        UINT second;
        bool opens;
    } cases[] = {
        {writer, CFile::modeRead | CFile::shareDenyNone, true},
        {writer, CFile::modeRead | CFile::shareDenyWrite, false},
        {writer, CFile::modeReadWrite | CFile::shareDenyWrite, false},
        {CFile::modeRead | CFile::shareDenyWrite, CFile::modeRead | CFile::shareDenyWrite, true},
        {CFile::modeRead | CFile::shareDenyWrite, CFile::modeWrite | CFile::shareExclusive, false},
        {CFile::modeRead | CFile::shareExclusive, CFile::modeRead | CFile::shareDenyNone, true},
        {CFile::modeRead | CFile::shareExclusive, CFile::modeRead | CFile::shareDenyWrite, false},
        {CFile::modeRead | CFile::shareDenyNone, CFile::modeWrite | CFile::shareExclusive, true},
    };
    for (const auto& c : cases) {
        CFile first;
        ASSERT_TRUE(first.Open(path.c_str(), c.held));
        CFile second;
        CFileException error;
        EXPECT_EQ(second.Open(path.c_str(), c.second, &error) != FALSE, c.opens)
            << c.held << " then " << c.second;
        if (!c.opens) {
            EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
            EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        }
    }
    // The lock goes with the close.
    {
        CFile first(path.c_str(), writer);
        first.Close();
        CFile second;
        EXPECT_TRUE(second.Open(path.c_str(), writer));
    }
    // A second creator does not empty a file that another holder has locked.
    {
        CFile first(path.c_str(), CFile::modeReadWrite | CFile::shareExclusive);
        CFile second;
        EXPECT_FALSE(second.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
    }
    EXPECT_EQ(ReadText(path), "0123456789");
}

TEST(File, StatusRoundTripCopiesTimesAndReadOnly)
{
    TempFolder dir;
    const std::string a = dir / "a.txt", b = dir / "b.txt";
    WriteText(a, "hello");
    WriteText(b, "x");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(a.c_str(), status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_STREQ(status.m_szFullName, a.c_str());
    EXPECT_FALSE(status.m_attribute & FILE_ATTRIBUTE_READONLY);

    status.m_mtime = CTime(2020, 5, 6, 7, 8, 9);
    status.m_atime = CTime(2021, 1, 2, 3, 4, 5);
    status.m_attribute |= FILE_ATTRIBUTE_READONLY;
    CFile::SetStatus(b.c_str(), status);
    CFileStatus copied;
    ASSERT_TRUE(CFile::GetStatus(b.c_str(), copied));
    EXPECT_EQ(copied.m_mtime, status.m_mtime);
    EXPECT_EQ(copied.m_atime, status.m_atime);
    EXPECT_TRUE(copied.m_attribute & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(copied.m_size, 1u);

    EXPECT_FALSE(CFile::GetStatus((dir / "none").c_str(), status));
    EXPECT_EQ(CauseOf([&] { CFile::SetStatus((dir / "none").c_str(), copied); }),
              CFileException::fileNotFound);
}

TEST(File, RenameNeverReplacesAndRemoveRaises)
{
    TempFolder dir;
    const std::string a = dir / "a", b = dir / "b";
    WriteText(a, "A");
    WriteText(b, "B");
    EXPECT_EQ(CauseOf([&] { CFile::Rename(a.c_str(), b.c_str()); }), CFileException::accessDenied);
    EXPECT_EQ(ReadText(b), "B");
    CFile::Remove(b.c_str());
    CFile::Rename(a.c_str(), b.c_str());
    EXPECT_EQ(ReadText(b), "A");
    EXPECT_EQ(CauseOf([&] { CFile::Remove(a.c_str()); }), CFileException::fileNotFound);
}

} // namespace
