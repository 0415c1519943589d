// The parts of a small spreadsheet file (.xlsx) and a writer for any set of parts, for the
// spreadsheet fuzz target, its seed corpus and the spreadsheet benchmark: a workbook of sheets
// "Patients" (sheet1) and "Other" (sheet2), with shared strings and a date style.
#pragma once

#include "ktutilex/zip/CZipWriter.h"

#include <string>
#include <vector>

namespace workbook {

struct Part
{
    std::string name;
    std::string text;
};

inline constexpr const char* kSheetHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<dimension ref=\"A1\"/><sheetData>";
inline constexpr const char* kSheetTail = "</sheetData></worksheet>";

// The parts, with the rows of the first sheet as given (the XML inside <sheetData>).
inline std::vector<Part> MinimalParts(const std::string& patientRows)
{
    const std::string rels = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    return {
        { "[Content_Types].xml",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
          "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
          "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
          "<Override PartName=\"/xl/workbook.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
          "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
          "<Override PartName=\"/xl/worksheets/sheet2.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
          "<Override PartName=\"/xl/sharedStrings.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
          "<Override PartName=\"/xl/styles.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
          "</Types>" },
        { "_rels/.rels",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\"" + rels + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
          "</Relationships>" },
        { "xl/workbook.xml",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" + rels + "\">"
          "<sheets><sheet name=\"Patients\" sheetId=\"1\" r:id=\"rId1\"/>"
          "<sheet name=\"Other\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>" },
        { "xl/_rels/workbook.xml.rels",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\"" + rels + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
          "<Relationship Id=\"rId2\" Type=\"" + rels + "/worksheet\" Target=\"/xl/worksheets/sheet2.xml\"/>"
          "<Relationship Id=\"rId3\" Type=\"" + rels + "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
          "<Relationship Id=\"rId4\" Type=\"" + rels + "/styles\" Target=\"styles.xml\"/>"
          "</Relationships>" },
        { "xl/worksheets/sheet1.xml", kSheetHead + patientRows + kSheetTail },
        { "xl/worksheets/sheet2.xml",
          std::string(kSheetHead) + "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c></row>" + kSheetTail },
        { "xl/sharedStrings.xml",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"2\" uniqueCount=\"2\">"
          "<si><t>Name</t></si><si><r><t>ke</t></r><r><t>ep</t></r></si></sst>" },
        { "xl/styles.xml",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
          "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd h:mm\"/></numFmts>"
          "<cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/></cellXfs></styleSheet>" },
    };
}

// Writes the parts as a package; the zip layer's and the file's exceptions reach the caller.
inline void WritePackage(const std::string& path, const std::vector<Part>& parts)
{
    CZipWriter writer;
    writer.Open(path.c_str());
    for (const Part& part : parts) {
        writer.OpenNewFile(part.name.c_str(), { CTime::GetCurrentTime(), 0 });
        writer.WriteNewFile(part.text.data(), static_cast<UINT>(part.text.size()));
    }
    writer.Close();
}

} // namespace workbook
