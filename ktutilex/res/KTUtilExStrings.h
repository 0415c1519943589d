// The extended utility library's own string table: the English texts its classes show or keep
// as their last error. A language module replaces any of them under the same id.
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

// Zip archives.
constexpr UINT IDS_KTUTILEX_ZIP_ERROR = 20100;          // cause, archive path
// Spreadsheet files.
constexpr UINT IDS_KTUTILEX_EXCEL_NOT_OPENED = 20120;
constexpr UINT IDS_KTUTILEX_EXCEL_NO_RECORDSET = 20121;
constexpr UINT IDS_KTUTILEX_EXCEL_ROW_OVER = 20122;
constexpr UINT IDS_KTUTILEX_EXCEL_COLUMN_OVER = 20123;
constexpr UINT IDS_KTUTILEX_EXCEL_CANNOT_READ = 20124;  // path
constexpr UINT IDS_KTUTILEX_EXCEL_NO_SHEET = 20125;     // sheet name
constexpr UINT IDS_KTUTILEX_EXCEL_CANNOT_WRITE = 20126; // path
constexpr UINT IDS_KTUTILEX_EXCEL_BAD_TEXT = 20127;
// FTP.
constexpr UINT IDS_KTUTILEX_FTP_ERROR = 20140;          // server, the transfer library's text

namespace ktutilex {

// Every entry in ascending id order.
std::span<const platform::StringEntry> StringTable();

} // namespace ktutilex
