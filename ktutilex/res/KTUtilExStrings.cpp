// The extended utility library's English string table.
#include "ktutilex/res/KTUtilExStrings.h"

namespace ktutilex {
namespace {

constexpr platform::StringEntry kStrings[] = {
    { IDS_KTUTILEX_ZIP_ERROR, "The zip archive could not be processed (cause %d): %s" },
    { IDS_KTUTILEX_EXCEL_NOT_OPENED, "Excel is not opened" },
    { IDS_KTUTILEX_EXCEL_NO_RECORDSET, "Recordset is not opened!!" },
    { IDS_KTUTILEX_EXCEL_ROW_OVER, "Row is over!!" },
    { IDS_KTUTILEX_EXCEL_COLUMN_OVER, "Column is over!!" },
    { IDS_KTUTILEX_EXCEL_CANNOT_READ, "The spreadsheet file %s cannot be read." },
    { IDS_KTUTILEX_EXCEL_NO_SHEET, "The sheet %s does not exist." },
    { IDS_KTUTILEX_EXCEL_CANNOT_WRITE, "The spreadsheet file %s cannot be written." },
    { IDS_KTUTILEX_EXCEL_BAD_TEXT, "The text holds characters that a spreadsheet cell cannot hold." },
    { IDS_KTUTILEX_FTP_ERROR, "FTP server %s: %s" },
};

} // namespace

std::span<const platform::StringEntry> StringTable() { return kStrings; }

} // namespace ktutilex
