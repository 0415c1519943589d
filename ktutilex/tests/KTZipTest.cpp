// Zip archives: packing and unpacking folder trees with progress and cancel, the records and
// names as independent readers (Info-ZIP, Python's zipfile) read them, and archives that try to
// leave the target folder.
#include "ktutilex/KTZip.h"
#include "ktutilex/zip/CZipReader.h"
#include "ktutilex/zip/CZipWriter.h"
#include "ktutilex/zip/ZipRecords.h"

#include "support/ExFiles.h"
#include "support/ProgressLog.h"
#include "support/PythonScript.h"
#include "testkit/RunProgram.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testkit::TempFolder;
using ktutilex_test::NoiseBytes;
using ktutilex_test::ProgressLog;
using ktutilex_test::ReadFile;
using ktutilex_test::WriteFile;

CStringArray List(std::initializer_list<std::string> paths)
{
    CStringArray list;
    for (const std::string& path : paths)
        list.Add(CString(path));
    return list;
}

// Every regular file below `root`, by relative path, with its bytes.
std::map<std::string, std::string> Tree(const std::string& root)
{
    std::map<std::string, std::string> files;
    if (!fs::exists(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = ReadFile(entry.path().string());
    return files;
}

struct Entry
{
    std::string name;
    CZipEntryInfo info;
};

std::vector<Entry> Entries(const std::string& archive)
{
    std::vector<Entry> entries;
    CZipReader reader;
    reader.Open(archive.c_str());
    for (bool more = reader.GoToFirstFile(); more; more = reader.GoToNextFile()) {
        Entry entry;
        CString name;
        reader.GetCurrentFileInfo(entry.info, &name);
        entry.name = name.str();
        entries.push_back(entry);
    }
    return entries;
}

// An archive whose entries carry the given names as they stand, each holding its own name.
void WriteArchiveWithNames(const std::string& archive, const std::vector<std::string>& names)
{
    CZipWriter writer;
    writer.Open(archive.c_str());
    for (const std::string& name : names) {
        writer.OpenNewFile(name.c_str(), { CTime::GetCurrentTime(), 0 });
        writer.WriteNewFile(name.data(), static_cast<UINT>(name.size()));
    }
    writer.Close();
}

void SetModificationTime(const std::string& path, time_t when)
{
    struct timespec times[2] = { { when, 0 }, { when, 0 } };
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Runs `call`, which must raise a CZipException; returns its cause (0 when none came).
template <typename Call>
int ZipCause(Call call)
{
    try {
        call();
    } catch (CZipException* e) {
        const int cause = e->m_iCause;
        e->Delete();
        return cause;
    }
    return 0;
}

class KTZipTest : public ::testing::Test
{
protected:
    std::string Src(const std::string& relative) const { return m_folder.Dir() + "/src/" + relative; }
    std::string Out(const std::string& relative = "") const { return m_folder.Dir() + "/out/" + relative; }
    std::string Archive() const { return m_folder.Dir() + "/packed.zip"; }

    // A tree with an empty file, a file of exactly one block, and files around it.
    void MakeTree()
    {
        WriteFile(Src("a.txt"), "alpha & <beta>\n");
        WriteFile(Src("empty.bin"), "");
        WriteFile(Src("sub/block.bin"), NoiseBytes(131072, 2));
        WriteFile(Src("sub/deeper/large.bin"), NoiseBytes(300000, 3) + std::string(200000, 'z'));
    }

    TempFolder m_folder;
    KTZip m_zip;
};

// ==== round trip ==================================================================================

TEST_F(KTZipTest, PacksAFolderAndUnpacksItByteForByteWithItsTimes)
{
    MakeTree();
    const time_t written = time(nullptr) - 86400 * 3;
    SetModificationTime(Src("sub/block.bin"), written);

    CStringArray paths = List({ m_folder.Dir() + "/src" });
    ASSERT_EQ(m_zip.Zip(paths, Archive().c_str(), 6, nullptr), 1);
    CStringArray extracted;
    ASSERT_EQ(m_zip.UnZip(Archive().c_str(), Out().c_str(), &extracted, nullptr), 1);

    EXPECT_EQ(Tree(Out()), Tree(m_folder.Dir() + "/src"));
    ASSERT_EQ(extracted.GetSize(), 4);
    const std::vector<Entry> entries = Entries(Archive());
    for (INT_PTR i = 0; i < extracted.GetSize(); ++i)
        EXPECT_EQ(extracted[i].str(), Out(entries[static_cast<std::size_t>(i)].name)) << "archive order";
    // DOS times keep even seconds.
    EXPECT_NEAR(static_cast<double>(fs::last_write_time(Out("sub/block.bin")).time_since_epoch().count()),
                static_cast<double>(fs::last_write_time(Src("sub/block.bin")).time_since_epoch().count()), 2e9);
}

TEST_F(KTZipTest, InfoZipListsTheArchiveWithItsNamesAndDates)
{
    MakeTree();
    struct tm when {};
    when.tm_year = 2021 - 1900;
    when.tm_mon = 6;
    when.tm_mday = 14;
    when.tm_hour = 9;
    when.tm_min = 41;
    when.tm_sec = 30;
    when.tm_isdst = -1;
    SetModificationTime(Src("a.txt"), mktime(&when));

    CStringArray paths = List({ m_folder.Dir() + "/src" });
    ASSERT_EQ(m_zip.Zip(paths, Archive().c_str(), 9, nullptr), 1);

    const testkit::ProgramResult lister = testkit::RunShell("unzip -l '" + Archive() + "' 2>&1");
    const std::string& listing = lister.output;
    ASSERT_EQ(lister.exitCode, 0) << listing;
    EXPECT_NE(listing.find("15  2021-07-14 09:41   a.txt"), std::string::npos) << listing;
    EXPECT_NE(listing.find("sub/deeper/large.bin"), std::string::npos) << listing;
    EXPECT_NE(listing.find("4 files"), std::string::npos) << listing;
    // Level 9 is told in the flags as "maximum".
    for (const Entry& entry : Entries(Archive()))
        EXPECT_EQ(entry.info.flags & 6, 2) << entry.name;
}

// Names beyond ASCII unpack as they were packed, with Info-ZIP's unzip (which reads the name
// field of an archive made on MS-DOS in the old code page, whatever the UTF-8 flag says, but
// honours the Unicode path field), with Python's zipfile, and with the reader here.
TEST_F(KTZipTest, NamesBeyondAsciiUnpackTheSameWithEveryReader)
{
    WriteFile(Src("Müller Ω 胎.txt"), "first");
    WriteFile(Src("Ärzte/Bericht é.txt"), "second");
    WriteFile(Src("plain.txt"), "third");
    CStringArray paths = List({ m_folder.Dir() + "/src" });
    ASSERT_EQ(m_zip.Zip(paths, Archive().c_str(), 6, nullptr), 1);
    const auto packed = Tree(m_folder.Dir() + "/src");
    // The records keep what the classic format says: made on MS-DOS, the name flagged UTF-8.
    for (const Entry& entry : Entries(Archive())) {
        EXPECT_EQ(entry.info.versionMadeBy, 0) << entry.name;
        EXPECT_EQ((entry.info.flags & ktutilex::zip::kFlagUtf8Name) != 0, entry.name != "plain.txt") << entry.name;
    }

    ASSERT_EQ(m_zip.UnZip(Archive().c_str(), Out("own").c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(Tree(Out("own")), packed);

    const int unzipped = std::system(("LC_ALL=C.UTF-8 unzip -q '" + Archive() + "' -d '" + Out("unzip") + "'").c_str());
    ASSERT_EQ(unzipped, 0);
    EXPECT_EQ(Tree(Out("unzip")), packed);

    const ktutilex_test::ScriptResult python =
        ktutilex_test::RunPython("import sys, zipfile\nzipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])\n",
                                 { Archive(), Out("python") });
    ASSERT_EQ(python.exitCode, 0) << python.output;
    EXPECT_EQ(Tree(Out("python")), packed);
}

// An archive from elsewhere may carry its names in an old code page, with the UTF-8 name in the
// Unicode path field; a field made for another name field is not taken.
TEST_F(KTZipTest, TheUnicodePathFieldNamesTheEntryItWasMadeFor)
{
    const auto field = [](const std::string& nameField, const std::string& unicode) {
        std::uint32_t crc = 0xFFFFFFFFu; // CRC-32 as the zip format uses it, bit by bit
        for (unsigned char byte : nameField) {
            crc ^= byte;
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        crc = ~crc;
        std::string bytes = "up";
        bytes += static_cast<char>(unicode.size() + 5);
        bytes += '\0';
        bytes += '\1';
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>(crc >> shift);
        return bytes + unicode;
    };
    const std::string other("\x09\x00\x03\x00" "abc", 7); // a field of another kind first
    const std::string right = other + field("M\x81ller.txt", "Müller.txt");
    const std::string stale = field("old name.txt", "Stale.txt");
    CZipWriter writer;
    writer.Open(Archive().c_str());
    writer.OpenNewFile("M\x81ller.txt", { CTime::GetCurrentTime(), 0 }, 6, nullptr, nullptr, 0, right.data(),
                       static_cast<UINT>(right.size()));
    writer.WriteNewFile("a", 1);
    writer.OpenNewFile("new name.txt", { CTime::GetCurrentTime(), 0 }, 6, nullptr, nullptr, 0, stale.data(),
                       static_cast<UINT>(stale.size()));
    writer.WriteNewFile("b", 1);
    writer.Close();

    const std::vector<Entry> entries = Entries(Archive());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Müller.txt");
    EXPECT_EQ(entries[1].name, "new name.txt");
    ASSERT_EQ(m_zip.UnZip(Archive().c_str(), Out().c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(Tree(Out()), (std::map<std::string, std::string> { { "Müller.txt", "a" }, { "new name.txt", "b" } }));
}

TEST_F(KTZipTest, EntryNamesAreRelativeToTheFolderOfTheFirstFile)
{
    WriteFile(Src("x.txt"), "x");
    WriteFile(Src("B/y.txt"), "y");

    CStringArray inOrder = List({ Src("x.txt"), Src("B/y.txt") });
    ASSERT_EQ(m_zip.Zip(inOrder, Archive().c_str(), 6, nullptr), 1);
    std::vector<Entry> entries = Entries(Archive());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "x.txt");
    EXPECT_EQ(entries[1].name, "B/y.txt");

    // Reversed, x.txt lies outside the base folder and keeps its whole path, with only the
    // base text at the start ever removed.
    CStringArray reversed = List({ Src("B/y.txt"), Src("x.txt") });
    ASSERT_EQ(m_zip.Zip(reversed, Archive().c_str(), 6, nullptr), 1);
    entries = Entries(Archive());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "y.txt");
    EXPECT_EQ("/" + entries[1].name, Src("x.txt"));
}

// ==== refusals ====================================================================================

TEST_F(KTZipTest, EntryNamesAreUnpackedOnlyInsideTheTargetFolder)
{
    struct Case
    {
        std::vector<std::string> names;
        int result;
        std::vector<std::string> files; // expected below the target
    };
    const Case cases[] = {
        { { "ok.txt", "../evil.txt" }, -1, {} },
        { { "a/../../evil.txt" }, -1, {} },
        { { "a\\..\\..\\evil.txt" }, -1, {} },
        { { "/abs/x.txt" }, 1, { "abs/x.txt" } },
        { { "C:\\win\\x.txt" }, 1, { "win/x.txt" } },
        { { "dir\\sub\\x.txt", "./dot/./y.txt", "folder/" }, 1, { "dir/sub/x.txt", "dot/y.txt" } },
    };
    for (const Case& c : cases) {
        const std::string target = m_folder.Dir() + "/t/target";
        fs::remove_all(m_folder.Dir() + "/t");
        WriteArchiveWithNames(Archive(), c.names);
        EXPECT_EQ(m_zip.UnZip(Archive().c_str(), target.c_str(), nullptr, nullptr), c.result) << c.names[0];
        std::vector<std::string> found;
        for (const auto& [name, bytes] : Tree(m_folder.Dir() + "/t"))
            found.push_back(name);
        std::vector<std::string> expected;
        for (const std::string& file : c.files)
            expected.push_back("target/" + file);
        EXPECT_EQ(found, expected) << c.names[0];
    }
}

TEST_F(KTZipTest, AFolderLinkInTheTargetIsNotFollowedOutOfIt)
{
    const std::string target = Out();
    fs::create_directories(target);
    fs::create_directories(m_folder.Dir() + "/elsewhere");
    fs::create_directory_symlink(m_folder.Dir() + "/elsewhere", target + "link");
    for (const char* name : { "link/escaped.txt", "link/sub/escaped.txt", "link/sub/" }) {
        WriteArchiveWithNames(Archive(), { name });
        EXPECT_EQ(m_zip.UnZip(Archive().c_str(), target.c_str(), nullptr, nullptr), -1) << name;
        EXPECT_TRUE(fs::is_empty(m_folder.Dir() + "/elsewhere")) << name << ": nothing, not even a folder";
    }
}

TEST_F(KTZipTest, BadPathsAndNothingToPack)
{
    CStringArray missing = List({ m_folder.Dir() + "/nothing-here" });
    EXPECT_EQ(m_zip.Zip(missing, "", 6, nullptr), -1);
    EXPECT_EQ(m_zip.Zip(missing, Archive().c_str(), 6, nullptr), 0);
    EXPECT_FALSE(fs::exists(Archive()));
    EXPECT_EQ(m_zip.UnZip("", Out().c_str(), nullptr, nullptr), -1);
    EXPECT_EQ(m_zip.UnZip(Archive().c_str(), "", nullptr, nullptr), -1);

    // An archive without entries unpacks nothing.
    CZipWriter writer;
    writer.Open(Archive().c_str());
    writer.Close();
    EXPECT_EQ(m_zip.UnZip(Archive().c_str(), Out().c_str(), nullptr, nullptr), 0);
}

TEST_F(KTZipTest, TheArchiveIsNeverPackedIntoItself)
{
    MakeTree();
    const std::string inside = Src("backup.zip");
    CStringArray paths = List({ m_folder.Dir() + "/src" });
    ASSERT_EQ(m_zip.Zip(paths, inside.c_str(), 6, nullptr), 1);
    // Packed again, the archive from the first run is in the folder now.
    ASSERT_EQ(m_zip.Zip(paths, inside.c_str(), 6, nullptr), 1);
    for (const Entry& entry : Entries(inside))
        EXPECT_NE(entry.name, "backup.zip");
    EXPECT_EQ(Entries(inside).size(), 4u);
}

TEST_F(KTZipTest, DataTheClassicFormatCannotHoldIsRefused)
{
    // A sparse file of exactly 4 GiB costs no disk space.
    const std::string huge = Src("huge.bin");
    WriteFile(huge, "");
    ASSERT_EQ(truncate(huge.c_str(), 0x100000000LL), 0);
    CStringArray paths = List({ huge });
    EXPECT_EQ(m_zip.Zip(paths, Archive().c_str(), 6, nullptr), -1);
    EXPECT_FALSE(fs::exists(Archive()));

    fs::remove(huge);
    fs::create_directories(Src("many"));
    for (int i = 0; i <= 65535; ++i)
        close(creat(Src("many/" + std::to_string(i)).c_str(), 0644));
    CStringArray many = List({ Src("many") });
    EXPECT_EQ(m_zip.Zip(many, Archive().c_str(), 6, nullptr), -1);
    EXPECT_FALSE(fs::exists(Archive()));
}

TEST_F(KTZipTest, DatesBefore1980AreStoredAsItsFirstDay)
{
    WriteFile(Src("old.txt"), "old");
    struct tm when {};
    when.tm_year = 1975 - 1900;
    when.tm_mon = 4;
    when.tm_mday = 3;
    when.tm_isdst = -1;
    SetModificationTime(Src("old.txt"), mktime(&when));
    CStringArray paths = List({ Src("old.txt") });
    ASSERT_EQ(m_zip.Zip(paths, Archive().c_str(), 6, nullptr), 1);
    const std::vector<Entry> entries = Entries(Archive());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].info.dosDateTime, (33u << 16));
}

// ==== the layer's exceptions ======================================================================

TEST_F(KTZipTest, TheLayerRaisesItsCauses)
{
    WriteFile(Src("x.txt"), "some text");

    // Level 0 is a parameter error, and no archive is left behind.
    CStringArray paths = List({ Src("x.txt") });
    EXPECT_EQ(ZipCause([&] { m_zip.Zip(paths, Archive().c_str(), 0, nullptr); }), CZipException::badFuncParam);
    EXPECT_FALSE(fs::exists(Archive()));

    // A file of 600 bytes that is no archive.
    WriteFile(m_folder.Dir() + "/not.zip", NoiseBytes(600, 9));
    const std::string notZip = m_folder.Dir() + "/not.zip";
    EXPECT_EQ(ZipCause([&] { m_zip.UnZip(notZip.c_str(), Out().c_str(), nullptr, nullptr); }),
              CZipException::badZipFile);

    // Data that inflates but whose CRC differs, in both headers.
    ASSERT_EQ(m_zip.Zip(paths, Archive().c_str(), 6, nullptr), 1);
    std::string bytes = ReadFile(Archive());
    const std::size_t central = bytes.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    bytes[ktutilex::zip::local::kCrcAt] ^= 0x5A;
    bytes[central + ktutilex::zip::central::kCrcAt] ^= 0x5A;
    WriteFile(Archive(), bytes);
    EXPECT_EQ(ZipCause([&] { m_zip.UnZip(Archive().c_str(), Out().c_str(), nullptr, nullptr); }),
              CZipException::badCrc);
}

TEST_F(KTZipTest, TheEndRecordIsFoundBehindALongComment)
{
    CZipWriter writer;
    writer.Open(Archive().c_str());
    writer.OpenNewFile("note.txt", { CTime::GetCurrentTime(), 0 }, 6);
    const std::string data("PK\x05\x06 inside the data");
    writer.WriteNewFile(data.data(), static_cast<UINT>(data.size()));
    writer.Close(std::string(1000, 'c').c_str());

    CZipReader reader;
    reader.Open(Archive().c_str());
    EXPECT_EQ(reader.GetEntryCount(), 1u);
    EXPECT_EQ(reader.GetGlobalComment().GetLength(), 1000);
    reader.Close();
    EXPECT_EQ(m_zip.UnZip(Archive().c_str(), Out().c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(ReadFile(Out("note.txt")), data);
}

// ==== progress and cancel =========================================================================

TEST_F(KTZipTest, ProgressCountsEveryBlockAndEmptyFilesAreWhole)
{
    MakeTree();
    ProgressLog log;
    KTCallBack target = log.Target();
    CStringArray paths = List({ Src("empty.bin"), Src("sub/deeper/large.bin") });
    ASSERT_EQ(m_zip.Zip(paths, Archive().c_str(), 6, &target), 1);

    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ(log.calls.front().code, KTNOTIFY_ZIP);
    EXPECT_EQ(log.calls.front().fileNumber, 0) << "packing counts files from 0";
    EXPECT_EQ(log.calls.front().filePercent, 100) << "an empty file is done at once";
    EXPECT_EQ(log.calls.back().totalDone, 500000);
    EXPECT_EQ(log.calls.back().totalPercent, 100);
    EXPECT_EQ(log.calls.back().filePercent, 100);
    // 500,000 bytes are 3 full blocks and a short one, after the empty file's one call.
    EXPECT_EQ(log.calls.size(), 5u);

    log.calls.clear();
    ASSERT_EQ(m_zip.UnZip(Archive().c_str(), Out().c_str(), nullptr, &target), 1);
    EXPECT_EQ(log.calls.front().fileNumber, 1) << "unpacking counts files from 1";
    EXPECT_EQ(log.calls.back().totalPercent, 100);
}

TEST_F(KTZipTest, CancelInBothDirections)
{
    MakeTree();
    ProgressLog log;
    KTCallBack target = log.Target();

    // On the first block of the second file: no archive is left.
    log.answer = [](const ktutilex_test::ProgressCall& call) { return call.fileNumber == 1 ? KTZIP_CANCEL : 0L; };
    CStringArray paths = List({ Src("a.txt"), Src("sub/deeper/large.bin") });
    EXPECT_EQ(m_zip.Zip(paths, Archive().c_str(), 6, &target), 0);
    EXPECT_FALSE(fs::exists(Archive()));

    // Unpacking keeps what was written, the partial file included.
    log.answer = nullptr;
    ASSERT_EQ(m_zip.Zip(paths, Archive().c_str(), 6, &target), 1);
    log.answer = [](const ktutilex_test::ProgressCall& call) { return call.fileNumber == 2 ? KTZIP_CANCEL : 0L; };
    CStringArray extracted;
    EXPECT_EQ(m_zip.UnZip(Archive().c_str(), Out().c_str(), &extracted, &target), 0);
    EXPECT_EQ(ReadFile(Out("a.txt")), ReadFile(Src("a.txt")));
    EXPECT_EQ(fs::file_size(Out("sub/deeper/large.bin")), 131072u);
    EXPECT_EQ(extracted.GetSize(), 2);
}

} // namespace
