// Spreadsheet files: cells of a sheet that an independent program (openpyxl) wrote are read,
// cells written here are what that program reads back, and the rest of the file survives.
#include "ktutilex/KTExcel.h"

#include "support/ExFiles.h"
#include "testkit/TempFolder.h"
#include "support/PythonScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testkit::TempFolder;
using ktutilex_test::ReadFile;
using ktutilex_test::RunPython;
using ktutilex_test::WriteFile;

constexpr int kNoOpenpyxl = 3;

// Writes the workbook every test starts from: sheet "Patients" with a header row and two rows
// of text, numbers, truth values and a date, and a sheet "Other" with one bold cell.
constexpr const char* kMakeWorkbook = R"PY(
import sys
try:
    import openpyxl
    from openpyxl.styles import Font
except ImportError:
    sys.exit(3)
book = openpyxl.Workbook()
sheet = book.active
sheet.title = "Patients"
sheet.append(["Name", "Score", "Active"])
sheet.append(["Kim & <Lee>", 2.5, True])
sheet.append(["Park", 7, False])
import datetime
sheet["D2"] = datetime.datetime(2024, 1, 2, 8, 30)
other = book.create_sheet("Other")
other["A1"] = "keep"
other["A1"].font = Font(bold=True)
book.save(sys.argv[1])
)PY";

// Replaces the rows of a sheet part (argv[2]) of the workbook (argv[1]) with argv[3], keeping
// every other part as it is.
constexpr const char* kReplaceSheetData = R"PY(
import re, sys, zipfile
path, part, rows = sys.argv[1], sys.argv[2], sys.argv[3]
with zipfile.ZipFile(path) as book:
    parts = [(info, book.read(info.filename)) for info in book.infolist()]
with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as book:
    for info, data in parts:
        if info.filename == part:
            text = re.sub(r"<sheetData>.*</sheetData>|<sheetData/>", lambda m: "<sheetData>" + rows + "</sheetData>",
                          data.decode(), flags=re.S)
            data = re.sub(r"<dimension[^>]*/>", "", text).encode()
        book.writestr(info, data)
)PY";

// Prints every non-empty cell of a sheet as "A1=value" lines (numbers as Python writes them).
constexpr const char* kReadSheet = R"PY(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
sheet = book[sys.argv[2]]
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is not None:
            print("%s=%r%s" % (cell.coordinate, cell.value, " bold" if cell.font.b else ""))
)PY";

class KTExcelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const ktutilex_test::ScriptResult made = RunPython(kMakeWorkbook, { Book() });
        if (made.exitCode == kNoOpenpyxl)
            GTEST_SKIP() << "python3-openpyxl is not installed: no independent reader to check against";
        ASSERT_EQ(made.exitCode, 0);
    }

    std::string Book() const { return m_folder / "ward.xlsx"; }
    std::string ReadWithOpenpyxl(const char* sheet) const
    {
        const ktutilex_test::ScriptResult read = RunPython(kReadSheet, { Book(), sheet });
        EXPECT_EQ(read.exitCode, 0) << read.output;
        return read.output;
    }

    TempFolder m_folder;
    KTExcel m_excel;
};

TEST_F(KTExcelTest, ReadsTheCellsAnotherProgramWrote)
{
    ASSERT_EQ(m_excel.Open(Book().c_str(), "patients"), 1) << m_excel.GetLastError();
    EXPECT_EQ(m_excel.GetText(0, 1), "Score");
    EXPECT_EQ(m_excel.GetText(1, 0), "Kim & <Lee>");
    EXPECT_EQ(m_excel.GetText(1, 1), "2.500000");
    EXPECT_EQ(m_excel.GetText(1, 2), "-1");
    EXPECT_EQ(m_excel.GetText(2, 1), "7.000000");
    EXPECT_EQ(m_excel.GetText(2, 2), "0");
    EXPECT_EQ(m_excel.GetText(1, 3), "") << "a date";
    EXPECT_EQ(m_excel.GetText(2, 3), "") << "an empty cell";
    // Beyond the last row: empty, and the cursor stays.
    EXPECT_EQ(m_excel.GetText(3, 0), "");
    EXPECT_EQ(m_excel.GetText(0), "Park");
}

TEST_F(KTExcelTest, WrittenCellsAreWhatTheIndependentReaderSees)
{
    ASSERT_EQ(m_excel.Open(Book().c_str(), "Patients"), 1);
    EXPECT_EQ(m_excel.Seek(5, 0), 0);
    EXPECT_EQ(m_excel.GetLastError(), "Row is over!!");
    // Rows 3, 4 and 5 are added for the write.
    ASSERT_EQ(m_excel.SetText(5, 0, "  added & <kept> "), 1) << m_excel.GetLastError();
    EXPECT_EQ(m_excel.Seek(5, 0), 1);
    EXPECT_EQ(m_excel.Seek(6, 0), 0);
    ASSERT_EQ(m_excel.SetText(1, 1, "changed"), 1);
    ASSERT_EQ(m_excel.SetText(2, 4, "E3"), 1);
    ASSERT_EQ(m_excel.Save(), 1) << m_excel.GetLastError();

    KTExcel reopened;
    ASSERT_EQ(reopened.Open(Book().c_str(), "Patients"), 1);
    EXPECT_EQ(reopened.GetText(5, 0), "  added & <kept> ");
    EXPECT_EQ(reopened.GetText(1, 1), "changed");
    EXPECT_EQ(reopened.Seek(5, 0), 1) << "the added rows are in the file";

    EXPECT_EQ(ReadWithOpenpyxl("Patients"),
              "A1='Name'\nB1='Score'\nC1='Active'\n"
              "A2='Kim & <Lee>'\nB2='changed'\nC2=True\nD2=datetime.datetime(2024, 1, 2, 8, 30)\n"
              "A3='Park'\nB3=7\nC3=False\nE3='E3'\n"
              "A6='  added & <kept> '\n");
    EXPECT_EQ(ReadWithOpenpyxl("Other"), "A1='keep' bold\n");
}

TEST_F(KTExcelTest, TheCursorMovesWithinTheRowsAndAddsOneWhenAsked)
{
    ASSERT_EQ(m_excel.Open(Book().c_str(), "Patients"), 1);
    EXPECT_EQ(m_excel.MoveLast(), 1);
    EXPECT_EQ(m_excel.GetText(0), "Park");
    EXPECT_EQ(m_excel.MoveNext(0), 0);
    EXPECT_EQ(m_excel.GetText(0), "Park");
    EXPECT_EQ(m_excel.MoveNext(1), 1);
    EXPECT_EQ(m_excel.GetText(0), "");
    ASSERT_EQ(m_excel.SetText(0, "fourth"), 1);
    EXPECT_EQ(m_excel.MovePrevious(), 1);
    EXPECT_EQ(m_excel.GetText(0), "Park");
    EXPECT_EQ(m_excel.MoveFirst(), 1);
    EXPECT_EQ(m_excel.MovePrevious(), 0);
    EXPECT_EQ(m_excel.GetText(0), "Name");
    m_excel.Close();
    EXPECT_NE(ReadWithOpenpyxl("Patients").find("A4='fourth'"), std::string::npos);
}

TEST_F(KTExcelTest, FailuresLeaveAReasonAndNothingHalfWritten)
{
    EXPECT_EQ(m_excel.Open((m_folder / "missing.xlsx").c_str(), "Patients"), 0);
    EXPECT_EQ(m_excel.GetLastError(), "");
    EXPECT_EQ(m_excel.GetText(0, 0), "");
    EXPECT_EQ(m_excel.GetLastError(), "Excel is not opened");
    EXPECT_EQ(m_excel.SetText(0, 0, "x"), 0);
    EXPECT_EQ(m_excel.Seek(0, 0), 0);
    EXPECT_EQ(m_excel.GetLastError(), "Recordset is not opened!!");

    WriteFile(m_folder / "plain.xlsx", "not a spreadsheet");
    EXPECT_EQ(m_excel.Open((m_folder / "plain.xlsx").c_str(), "Patients"), 0);
    EXPECT_NE(m_excel.GetLastError().Find("cannot be read"), -1);
    EXPECT_EQ(m_excel.Open(Book().c_str(), "Nobody"), 0);
    EXPECT_NE(m_excel.GetLastError().Find("Nobody"), -1);

    ASSERT_EQ(m_excel.Open(Book().c_str(), "Patients"), 1);
    EXPECT_EQ(m_excel.GetText(-1, 0), "");
    EXPECT_EQ(m_excel.GetLastError(), "Row is over!!");
    EXPECT_EQ(m_excel.GetText(0, 256), "");
    EXPECT_EQ(m_excel.GetLastError(), "Column is over!!");
    EXPECT_EQ(m_excel.SetText(65536, 0, "x"), 0);
    EXPECT_EQ(m_excel.GetLastError(), "Row is over!!");
    EXPECT_EQ(m_excel.SetText(0, -1, "x"), 0);
    // Texts the file could not hold would make it unreadable.
    for (const char* text : { "bell\x07", "\xFF", "cut \xE2\x82" }) {
        EXPECT_EQ(m_excel.SetText(0, 0, text), 0) << text;
        EXPECT_NE(m_excel.GetLastError().Find("cannot hold"), -1) << text;
    }
    EXPECT_EQ(m_excel.GetText(0, 0), "Name");

    // A file that cannot be replaced: the save is not reported done, nor is the close.
    fs::remove(Book());
    fs::create_directory(Book());
    EXPECT_EQ(m_excel.SetText(0, 0, "lost"), 1);
    EXPECT_EQ(m_excel.Save(), 0);
    EXPECT_NE(m_excel.GetLastError().Find("cannot be written"), -1);
    m_excel.Close();
    EXPECT_NE(m_excel.GetLastError().Find("cannot be written"), -1);
    fs::remove(Book());
    for (const auto& entry : fs::directory_iterator(m_folder.Dir()))
        EXPECT_EQ(entry.path().extension(), ".xlsx") << "no temporary file stays: " << entry.path();
}

// Cells are written into the workbook in memory; the file is written once, when the caller
// saves or closes or the object goes, and then in one replacement.
TEST_F(KTExcelTest, WritesReachTheFileWhenSavedClosedOrDestroyed)
{
    const std::string original = ReadFile(Book());
    ASSERT_EQ(m_excel.Open(Book().c_str(), "Patients"), 1);
    EXPECT_EQ(m_excel.Save(), 1) << "nothing to write";
    EXPECT_EQ(ReadFile(Book()), original) << "the file is not written again for nothing";
    for (int row = 3; row < 200; ++row)
        ASSERT_EQ(m_excel.SetText(row, row % 5, ("cell " + std::to_string(row)).c_str()), 1);
    EXPECT_EQ(ReadFile(Book()), original) << "no write before the save";
    EXPECT_EQ(m_excel.GetText(150, 0), "cell 150");
    ASSERT_EQ(m_excel.Save(), 1);
    EXPECT_NE(ReadWithOpenpyxl("Patients").find("A151='cell 150'"), std::string::npos);
    // A cell written again changes in place.
    ASSERT_EQ(m_excel.SetText(150, 0, "a & <b>"), 1);
    ASSERT_EQ(m_excel.SetText(150, 0, "  again & <c>  "), 1);
    ASSERT_EQ(m_excel.Save(), 1);
    EXPECT_NE(ReadWithOpenpyxl("Patients").find("A151='  again & <c>  '"), std::string::npos);

    ASSERT_EQ(m_excel.SetText(0, 0, "closed"), 1);
    ASSERT_EQ(m_excel.DeleteSheet("Other"), 1);
    m_excel.Close();
    EXPECT_EQ(m_excel.GetLastError(), "");
    EXPECT_NE(ReadWithOpenpyxl("Patients").find("A1='closed'"), std::string::npos);
    EXPECT_EQ(ReadWithOpenpyxl("Other"), "");

    {
        KTExcel goes;
        ASSERT_EQ(goes.Open(Book().c_str(), "Patients"), 1);
        ASSERT_EQ(goes.SetText(0, 0, "destroyed"), 1);
    }
    EXPECT_NE(ReadWithOpenpyxl("Patients").find("A1='destroyed'"), std::string::npos);
}

// Row numbers a file states are checked before any arithmetic: rows outside the sheet's range,
// and rows without a number that would follow them, are left out.
TEST_F(KTExcelTest, RowNumbersOutsideTheSheetAreLeftOut)
{
    const auto row = [](const char* r, const char* text) {
        return std::string("<row") + (r ? std::string(" r=\"") + r + "\"" : "") + "><c t=\"inlineStr\"><is><t>" +
               text + "</t></is></c></row>";
    };
    struct Case
    {
        std::string rows; // the sheet's data
        int rowCount;
        const char* lastText; // in column A of the last row
    };
    const std::string first = row("1", "first");
    const Case cases[] = {
        { first + row("2147483647", "far") + row(nullptr, "after"), 1, "first" },
        { first + row("-2147483648", "below") + row(nullptr, "after"), 1, "first" },
        { first + row("4294967297", "wrapped") + row(nullptr, "after"), 1, "first" },
        { first + row("0", "zero") + row("x", "letters") + row(nullptr, "after"), 1, "first" },
        { first + row("65537", "beyond") + row(nullptr, "after"), 1, "first" },
        { row("65536", "last") + row(nullptr, "after"), 65536, "last" },
        { row(nullptr, "one") + row(nullptr, "two"), 2, "two" },
    };
    for (const Case& c : cases) {
        const ktutilex_test::ScriptResult rewritten =
            RunPython(kReplaceSheetData, { Book(), "xl/worksheets/sheet1.xml", c.rows });
        ASSERT_EQ(rewritten.exitCode, 0) << rewritten.output;
        KTExcel excel;
        ASSERT_EQ(excel.Open(Book().c_str(), "Patients"), 1) << c.rows;
        EXPECT_EQ(excel.Seek(c.rowCount - 1, 0), 1) << c.rows;
        EXPECT_EQ(excel.Seek(c.rowCount, 0), 0) << c.rows;
        EXPECT_EQ(excel.GetText(c.rowCount - 1, 0), c.lastText) << c.rows;
        EXPECT_EQ(excel.GetText(0, 1), "") << c.rows;
    }
}

TEST_F(KTExcelTest, DeleteSheetEmptiesItAndKeepsTheOthers)
{
    EXPECT_EQ(m_excel.DeleteSheet("Patients"), 0);
    ASSERT_EQ(m_excel.Open(Book().c_str(), "Other"), 1);
    ASSERT_EQ(m_excel.DeleteSheet("Patients"), 1);
    EXPECT_EQ(m_excel.GetText(0, 0), "");
    ASSERT_EQ(m_excel.Save(), 1);
    EXPECT_EQ(ReadWithOpenpyxl("Patients"), "");
    EXPECT_EQ(ReadWithOpenpyxl("Other"), "A1='keep' bold\n");
}

TEST_F(KTExcelTest, CopiesShareTheOpenFile)
{
    ASSERT_EQ(m_excel.Open(Book().c_str(), "Patients"), 1);
    KTExcel copy(m_excel);
    m_excel.Close();
    EXPECT_EQ(copy.GetText(2, 0), "Park");
    EXPECT_EQ(copy.SetText(2, 0, "Choi"), 1);
    EXPECT_EQ(copy.Save(), 1);
    EXPECT_NE(ReadWithOpenpyxl("Patients").find("A3='Choi'"), std::string::npos);
}

} // namespace
