// Broken inputs replayed against the parsers of outside files: zip archives (through KTZip and
// KTExcel), XML documents and FTP folder listings (both forms), each truncated at many lengths,
// with bytes flipped at many places, and a few made by hand. Every one must end in an error result or the
// layer's documented exception, never in a crash, and an archive never writes outside its
// target folder.
#include "ktutilex/KTExcel.h"
#include "ktutilex/KTXml.h"
#include "ktutilex/KTZip.h"
#include "ktutilex/ftp/ListListing.h"
#include "ktutilex/ftp/MlsdListing.h"
#include "ktutilex/zip/CZipWriter.h"

#include "support/ExFiles.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testkit::TempFolder;
using ktutilex_test::NoiseBytes;
using ktutilex_test::ReadFile;
using ktutilex_test::WriteFile;

// Each variant of `original`: cut after every `cutStep` bytes, and with one byte inverted at
// every `flipStep`-th place.
std::vector<std::string> Variants(const std::string& original, std::size_t cutStep, std::size_t flipStep)
{
    std::vector<std::string> variants;
    for (std::size_t length = 0; length < original.size(); length += cutStep)
        variants.push_back(original.substr(0, length));
    for (std::size_t at = 0; at < original.size(); at += flipStep) {
        std::string flipped = original;
        flipped[at] = static_cast<char>(~flipped[at]);
        variants.push_back(flipped);
    }
    return variants;
}

// Runs an operation on a broken input: its result, or the cause of the exception it raised
// (as 1000 + cause for the zip layer, 2000 + cause for a file exception).
int Outcome(const std::function<int()>& operation)
{
    try {
        return operation();
    } catch (CZipException* e) {
        const int cause = e->m_iCause;
        e->Delete();
        return 1000 + cause;
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return 2000 + cause;
    }
}

std::string ValidArchive(const TempFolder& folder)
{
    const std::string archive = folder / "valid.zip";
    CZipWriter writer;
    writer.Open(archive.c_str());
    writer.OpenNewFile("text/notes.txt", { CTime::GetCurrentTime(), 0 }, 6);
    const std::string text(3000, 'n');
    writer.WriteNewFile(text.data(), static_cast<UINT>(text.size()));
    writer.OpenNewFile("noise.bin", { CTime::GetCurrentTime(), 0 }, 1);
    const std::string noise = NoiseBytes(700, 11);
    writer.WriteNewFile(noise.data(), static_cast<UINT>(noise.size()));
    writer.Close("archive comment");
    return ReadFile(archive);
}

// Hand-made archives: an end record alone, one that points its directory past the file, one
// whose entry counts disagree, one whose directory entry claims a name longer than the file.
std::vector<std::string> HandMadeArchives()
{
    const std::string end = std::string("PK\x05\x06", 4) + std::string(18, '\0');
    std::string pastTheEnd = end;
    pastTheEnd[16] = '\x7F';
    std::string counts = end;
    counts[8] = 1;
    std::string longName = std::string("PK\x01\x02", 4) + std::string(24, '\0') + "\xFF\xFF" + std::string(16, '\0');
    std::string longNameEnd = end;
    longNameEnd[8] = longNameEnd[10] = 1;
    longNameEnd[12] = static_cast<char>(longName.size());
    return { "", end, pastTheEnd, counts, longName + longNameEnd, std::string(600, 'P') };
}

TEST(BrokenInput, ZipArchivesGiveErrorsAndStayInTheirTarget)
{
    TempFolder folder;
    std::vector<std::string> inputs = Variants(ValidArchive(folder), 11, 7);
    for (std::string& made : HandMadeArchives())
        inputs.push_back(std::move(made));

    KTZip zip;
    const std::string archive = folder / "broken.zip";
    const std::string target = folder / "out/target";
    int unpacked = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        WriteFile(archive, inputs[i]);
        fs::remove_all(folder / "out");
        const int outcome = Outcome([&] { return zip.UnZip(archive.c_str(), target.c_str(), nullptr, nullptr); });
        EXPECT_TRUE(outcome == -1 || outcome == 0 || outcome == 1 || outcome > 1000) << "input " << i;
        unpacked += outcome == 1;
        if (fs::exists(folder / "out")) {
            for (const auto& entry : fs::directory_iterator(folder / "out")) {
                EXPECT_EQ(entry.path().filename(), "target") << "input " << i;
            }
        }
    }
    // Flips inside the comment or in unused fields still unpack.
    EXPECT_GT(unpacked, 0);
}

TEST(BrokenInput, SpreadsheetFilesThatAreNoPackageAreRefused)
{
    TempFolder folder;
    const std::string book = folder / "book.xlsx";
    std::vector<std::string> inputs = Variants(ValidArchive(folder), 97, 89);
    for (std::string& made : HandMadeArchives())
        inputs.push_back(std::move(made));
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        WriteFile(book, inputs[i]);
        KTExcel excel;
        EXPECT_EQ(excel.Open(book.c_str(), "Sheet1"), 0) << "input " << i;
        EXPECT_FALSE(excel.GetLastError().IsEmpty()) << "input " << i;
    }
}

TEST(BrokenInput, XmlDocumentsGiveErrorsOrWholeTrees)
{
    TempFolder folder;
    const std::string valid = "<?xml version='1.0'?>\n<config a=\"1\"><bed no=\"2\">two &amp; <b>x</b></bed>"
                              "<!-- note --><![CDATA[raw <text>]]><?pi data?><empty/></config>\n";
    std::vector<std::string> inputs = Variants(valid, 3, 2);
    inputs.push_back(std::string(100000, '<'));
    inputs.push_back("<a>" + std::string(5000, '\xFF') + "</a>");
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<d>";
    inputs.push_back(deep);
    inputs.push_back("<!DOCTYPE a [<!ENTITY % p SYSTEM 'file:///etc/passwd'> %p;]><a/>");

    const std::string path = folder / "broken.xml";
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        WriteFile(path, inputs[i]);
        KTXml xml;
        if (!xml.Open(path.c_str()))
            continue;
        // Whatever opened is a tree that can be walked and written out.
        EXPECT_FALSE(xml.GetNodeXML().IsEmpty()) << "input " << i;
        for (long child = 0; child < xml.GetChildNodeCount(); ++child)
            xml.GetChildNodeText(nullptr, child);
    }
}

TEST(BrokenInput, FolderListingsKeepOnlyWellFormedEntries)
{
    const std::string valid = "type=file;size=12;modify=20240102030405; a b.txt\r\n"
                              "type=dir;modify=20240102030405; sub\r\n"
                              "type=cdir; .\r\n";
    std::vector<std::string> inputs = Variants(valid, 1, 1);
    inputs.push_back("type=file;size=99999999999999999999999; huge\r\n");
    inputs.push_back("type=file;modify=99999999999999; late\r\n");
    inputs.push_back(std::string(10000, ';'));
    inputs.push_back("type=file;size=1;");
    for (const std::string& input : inputs) {
        for (const ktutilex::ftp::RemoteEntry& entry : ktutilex::ftp::ParseMlsd(input)) {
            EXPECT_FALSE(entry.name.empty());
            EXPECT_TRUE(entry.type == 1 || entry.type == 2);
        }
    }
    const auto entries = ktutilex::ftp::ParseMlsd(valid);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "a b.txt");
    EXPECT_EQ(entries[0].size, 12u);
    EXPECT_EQ(entries[1].type, 2);

    // The LIST forms: a variant is read as a whole or refused as a whole.
    const std::string listing = "total 8\r\n-rw-r--r--   1 ftp ftp 12 Jan 02 03:04 a b.txt\r\n"
                                "drwxr-xr-x   2 ftp ftp 4096 Jan 02  2023 sub\r\n"
                                "01-02-24  03:04PM       <DIR>          dos folder\r\n";
    for (const std::string& input : Variants(listing, 1, 1)) {
        std::vector<ktutilex::ftp::RemoteEntry> listed;
        if (!ktutilex::ftp::ParseList(input, 1718452800, listed)) {
            EXPECT_TRUE(listed.empty());
            continue;
        }
        for (const ktutilex::ftp::RemoteEntry& entry : listed) {
            EXPECT_FALSE(entry.name.empty());
            EXPECT_TRUE(entry.type == 1 || entry.type == 2);
        }
    }
}

} // namespace
