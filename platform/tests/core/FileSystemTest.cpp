#include "platform/core/FileSystem.h"
#include "platform/core/ModulePath.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

using testkit::ReadText;
using testkit::TempFolder;
using testkit::WriteText;

TEST(FileSystem, WildcardsHaveTheClassicMeaning)
{
    struct
    {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"README", "*.*", true},
        {"a.b.c", "*.*", true},
        {".hidden", "*.*", true},
        {"x.FMF", "*.FMF", true},
        {"x.fmf", "*.FMF", false}, // names are case-sensitive
        {"x.FMF.bak", "*.FMF", false},
        {"name", "name.*", true},
        {"name.txt", "name.*", true},
        {"names", "name.*", false},
        {"ab", "a?", true},
        {"a", "a?", false},
        {"aü", "a?", true}, // one character, two bytes
        {"aüx", "a?", false},
        {"log20240101.txt", "log*.txt", true},
        {"log.txt.old", "log*.txt", false},
        {"abcabd", "*ab?", true},
        {"noext", "*.", true},
        {"with.ext", "*.", false},
        {"", "*", true},
        {"x", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

TEST(FileSystem, MoveNeverReplacesAnExistingTarget)
{
    TempFolder dir;
    const std::string a = dir / "a.txt", b = dir / "b.txt";
    WriteText(a, "A");
    WriteText(b, "B");
    EXPECT_FALSE(MoveFile(a.c_str(), b.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReadText(a), "A");
    EXPECT_EQ(ReadText(b), "B");

    const std::string c = dir / "c.txt";
    EXPECT_TRUE(MoveFile(a.c_str(), c.c_str()));
    EXPECT_EQ(ReadText(c), "A");
    EXPECT_EQ(GetFileAttributes(a.c_str()), INVALID_FILE_ATTRIBUTES);

    // Folders: not onto an existing folder, not even an empty one.
    ASSERT_TRUE(CreateDirectory((dir / "d1").c_str()));
    ASSERT_TRUE(CreateDirectory((dir / "d2").c_str()));
    EXPECT_FALSE(MoveFile((dir / "d1").c_str(), (dir / "d2").c_str()));
    EXPECT_TRUE(MoveFile((dir / "d1").c_str(), (dir / "d3").c_str()));
    EXPECT_FALSE(MoveFile((dir / "missing").c_str(), (dir / "x").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(FileSystem, MoveAcrossFileSystemsCopiesThenDeletes)
{
    TempFolder dir;
    struct stat here
    {
    }, shm{};
    if (stat(dir.Dir().c_str(), &here) != 0 || stat("/dev/shm", &shm) != 0 || here.st_dev == shm.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    const std::string source = dir / "moved.txt";
    const std::string target = "/dev/shm/testkit-moved-" + std::to_string(getpid());
    WriteText(source, "payload");
    const CTime when(2018, 1, 2, 3, 4, 5);
    ASSERT_TRUE(platform::SetFileTimes(source.c_str(), &when, &when));
    ASSERT_TRUE(MoveFile(source.c_str(), target.c_str()));
    EXPECT_EQ(ReadText(target), "payload");
    EXPECT_EQ(GetFileAttributes(source.c_str()), INVALID_FILE_ATTRIBUTES);
    platform::FileInfo info;
    ASSERT_TRUE(platform::GetFileInfo(target.c_str(), info));
    EXPECT_EQ(info.lastWriteTime, when);
    // And back onto an existing file: refused, both kept.
    WriteText(source, "other");
    EXPECT_FALSE(MoveFile(target.c_str(), source.c_str()));
    EXPECT_EQ(ReadText(source), "other");
    EXPECT_EQ(ReadText(target), "payload");
    unlink(target.c_str());
}

TEST(FileSystem, CopyKeepsOrReplacesTheTargetAsAsked)
{
    TempFolder dir;
    const std::string src = dir / "src.bin", dst = dir / "dst.bin";
    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    WriteText(src, big);
    WriteText(dst, "old");

    EXPECT_FALSE(CopyFile(src.c_str(), dst.c_str(), TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(ReadText(dst), "old");

    EXPECT_TRUE(CopyFile(src.c_str(), dst.c_str(), FALSE));
    EXPECT_EQ(ReadText(dst), big);

    // Times and read-only travel with the copy; a read-only target is not overwritten.
    const CTime when(2019, 4, 5, 6, 7, 8);
    ASSERT_TRUE(platform::SetFileTimes(src.c_str(), &when, &when));
    ASSERT_TRUE(SetFileAttributes(src.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string copy = dir / "copy.bin";
    EXPECT_TRUE(CopyFile(src.c_str(), copy.c_str(), TRUE));
    platform::FileInfo info;
    ASSERT_TRUE(platform::GetFileInfo(copy.c_str(), info));
    EXPECT_EQ(info.lastWriteTime, when);
    EXPECT_TRUE(info.attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CopyFile(dst.c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    EXPECT_FALSE(CopyFile((dir / "none").c_str(), (dir / "x").c_str(), FALSE));
    EXPECT_FALSE(CopyFile(src.c_str(), (dir / "no/folder/x").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    // No temporary file is left behind.
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Dir()))
        entries += e.path().filename().string()[0] == '.' ? 100 : 1;
    EXPECT_EQ(entries, 3);
}

TEST(FileSystem, FoldersAndDeletion)
{
    TempFolder dir;
    const std::string sub = dir / "sub";
    EXPECT_TRUE(CreateDirectory(sub.c_str()));
    EXPECT_FALSE(CreateDirectory(sub.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectory((dir / "a/b").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(GetFileAttributes(sub.c_str()), FILE_ATTRIBUTE_DIRECTORY);

    const std::string file = sub + "/f.txt";
    WriteText(file, "x");
    EXPECT_FALSE(RemoveDirectory(sub.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
    EXPECT_FALSE(DeleteFile(sub.c_str()));

    ASSERT_TRUE(SetFileAttributes(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributes(file.c_str()), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(DeleteFile(file.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(SetFileAttributes(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFile(file.c_str()));
    EXPECT_FALSE(DeleteFile(file.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(RemoveDirectory(sub.c_str()));

    WriteText(dir / ".settings", "");
    EXPECT_EQ(GetFileAttributes((dir / ".settings").c_str()), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
}

TEST(FileSystem, FreeSpaceOfAPathThatDoesNotExistYet)
{
    TempFolder dir;
    ULARGE_INTEGER available{}, total{}, free{};
    ASSERT_TRUE(GetDiskFreeSpaceEx((dir / "not/made/yet").c_str(), &available, &total, &free));
    EXPECT_GT(total.QuadPart, 0u);
    EXPECT_LE(free.QuadPart, total.QuadPart);
    EXPECT_LE(available.QuadPart, free.QuadPart);
    ULARGE_INTEGER direct{};
    ASSERT_TRUE(GetDiskFreeSpaceEx(dir.Dir().c_str(), nullptr, &direct, nullptr));
    EXPECT_EQ(direct.QuadPart, total.QuadPart);

    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    ASSERT_TRUE(GetDiskFreeSpace(dir.Dir().c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                                 &totalClusters));
    EXPECT_GT(sectorsPerCluster * bytesPerSector, 0u);
    EXPECT_GT(totalClusters, 0u);
}

TEST(FileSystem, ADiskSpaceProbeAnswersForThePathsItKnows)
{
    TempFolder dir;
    const std::string known = dir / "ward";
    platform::SetDiskSpaceProbe([&](const char* path) -> std::optional<platform::DiskSpace> {
        if (known != path)
            return std::nullopt;
        return platform::DiskSpace { 999'000'000ull, 4'000'000'000ull };
    });
    ULARGE_INTEGER available{}, total{}, free{};
    ASSERT_TRUE(GetDiskFreeSpaceEx(known.c_str(), &available, &total, &free));
    EXPECT_EQ(available.QuadPart, 999'000'000ull);
    EXPECT_EQ(free.QuadPart, 999'000'000ull);
    EXPECT_EQ(total.QuadPart, 4'000'000'000ull);
    // Another path is measured on its file system.
    ULARGE_INTEGER real{};
    ASSERT_TRUE(GetDiskFreeSpaceEx(dir.Dir().c_str(), nullptr, &real, nullptr));
    EXPECT_NE(real.QuadPart, 4'000'000'000ull);
    platform::SetDiskSpaceProbe(nullptr);
    ASSERT_TRUE(GetDiskFreeSpaceEx(known.c_str(), nullptr, &total, nullptr));
    EXPECT_EQ(total.QuadPart, real.QuadPart);
}

TEST(FileSystem, ClassicDrivePathsLiveInTheHomeFolder)
{
    const char* oldHome = std::getenv("HOME");
    const std::string saved = oldHome ? oldHome : "";
    setenv("HOME", "/home/nurse", 1);
    struct
    {
        const char* classic;
        const char* native;
    } cases[] = {
        {"C:\\Data", "/home/nurse/Data"},
        {"C:\\Data\\Beds\\bed1.FMF", "/home/nurse/Data/Beds/bed1.FMF"},
        {"c:/Data/x.ini", "/home/nurse/Data/x.ini"},
        {"D:\\Backup\\", "/home/nurse/Backup/"},
        {"C:\\", "/home/nurse"},
        {"C:", "/home/nurse"},
        {"/var/lib/ward/x", "/var/lib/ward/x"},
        {"relative\\name", "relative\\name"},
        {"CC:\\x", "CC:\\x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::NativePath(c.classic), c.native) << c.classic;
    setenv("HOME", saved.c_str(), 1);
}

} // namespace
