// Fuzz target: reading any spreadsheet file, then writing cells into it and saving it.
// Guarantees: unpacked as an archive, nothing of it lands outside the target folder (see
// CheckedUnpack); opened as a workbook, every cell reads without fault; a save that reports
// success opens again with every written cell as written; a failed save leaves the file as it
// was; no temporary file stays.
//
// Input: a mode byte; then the writes: a count (one byte, up to 7) of writes of a row (two
// bytes), a column (one byte) and a text choice (one byte); then
//   odd mode:  the file as it stands;
//   even mode: parts that replace or join the parts of a small workbook (see WorkbookParts.h),
//              so that the fuzzer works on the XML, not on the deflated bytes: per part a
//              choice (one byte: below 128 one of the workbook's part names, else a name of
//              that many bytes % 64 follows), a length (two bytes) and the part's text.
#include "CheckedUnpack.h"
#include "FuzzTarget.h"
#include "WorkbookParts.h"

#include "testkit/TempFolder.h"

#include "ktutilex/KTExcel.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using fuzz::Require;

constexpr const char* kSheets[] = { "Patients", "Other", "Sheet1" };
constexpr const char* kTexts[] = { "", "plain", " padded ", "a & <b>", "\xC3\xA9", "\x01", "\xFF", "_x0041_",
                                   "line\nend" };
// The sheet is read up to this row and column: enough to reach every kind of cell a small
// input makes.
constexpr int kReadRows = 40;
constexpr int kReadColumns = 8;

struct Write
{
    int row;
    int column;
    const char* text;
};

std::vector<workbook::Part> BuildParts(fuzz::Input& in)
{
    std::vector<workbook::Part> parts = workbook::MinimalParts(
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"><v>2.5</v></c><c r=\"C1\" t=\"b\"><v>1</v></c>"
        "<c r=\"D1\" s=\"1\"><v>45000.5</v></c></row><row><c t=\"inlineStr\"><is><t>Kim</t></is></c></row>");
    const std::size_t known = parts.size();
    while (in.Left() > 0) {
        const std::uint8_t choice = in.Byte();
        const std::string name = choice < 128 ? parts[choice % known].name : in.Bytes(choice % 64);
        const std::string text = in.Bytes(in.Word());
        bool replaced = false;
        for (workbook::Part& part : parts) {
            if (part.name == name) {
                part.text = text;
                replaced = true;
            }
        }
        if (!replaced)
            parts.push_back({ name, text });
    }
    return parts;
}

// Reads every cell in reach, by position and by the cursor.
void ReadAll(KTExcel& excel)
{
    for (int row = 0; row < kReadRows; ++row)
        for (int column = 0; column < kReadColumns; ++column)
            (void)excel.GetText(row, column);
    excel.MoveFirst();
    for (int step = 0; step < kReadRows && excel.MoveNext(0); ++step)
        (void)excel.GetText(0);
    excel.MoveLast();
    (void)excel.GetText(0);
    excel.MovePrevious();
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// Opens the first sheet that the file has, reads it, writes, saves and checks the file.
void ReadWriteAndSave(const std::string& path, const std::vector<Write>& writes)
{
    for (const char* sheet : kSheets) {
        KTExcel excel;
        if (!excel.Open(path.c_str(), sheet))
            continue;
        ReadAll(excel);
        std::map<std::pair<int, int>, std::string> written;
        for (const Write& write : writes)
            if (excel.SetText(write.row, write.column, write.text) == 1)
                written[{ write.row, write.column }] = write.text;
        const std::string before = testkit::ReadText(path);
        if (excel.Save() != 1) {
            Require(testkit::ReadText(path) == before, "a failed save leaves the file as it was");
            return;
        }
        excel.Close();
        KTExcel reopened;
        Require(reopened.Open(path.c_str(), sheet) == 1, "a saved workbook opens again");
        for (const auto& [cell, text] : written)
            Require(reopened.GetText(cell.first, cell.second).str() == text, "a written cell reads back as written");
        ReadAll(reopened);
        return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::UseHeadlessHost();
    fuzz::Input in(data, size);
    const bool asItStands = in.Byte() % 2 == 1;
    std::vector<Write> writes(in.Byte() % 8);
    for (Write& write : writes) {
        write.row = in.Word();
        write.column = in.Byte();
        write.text = kTexts[in.Byte() % std::size(kTexts)];
    }

    const std::string folder = fuzz::ScratchFolder() + "/book";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/fuzz.xlsx";
    if (asItStands) {
        testkit::WriteText(path, std::string(reinterpret_cast<const char*>(in.Rest()), in.Left()));
    } else {
        try {
            workbook::WritePackage(path, BuildParts(in));
        } catch (CZipException* e) {
            e->Delete();
            return 0;
        }
    }

    fuzz::CheckedUnpack(path, fuzz::ScratchFolder() + "/unpack");
    ReadWriteAndSave(path, writes);
    Require(FolderEntries(folder) == std::vector<std::string> { "fuzz.xlsx" }, "no temporary file stays");
    return 0;
}
