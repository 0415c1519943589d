// A spreadsheet file (.xlsx) as a workbook of named sheets: the package, the sheet names and
// the parts they live in, the shared strings, and the sheets opened so far.
#pragma once

#include "ktutilex/excel/XlsxPackage.h"
#include "ktutilex/excel/XlsxSheet.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ktutilex::excel {

class XlsxWorkbook
{
public:
    // Reads the file; false when it is no spreadsheet file.
    bool Load(const char* path);
    // The sheet of that name (compared without case), read on first use; null when there is none.
    XlsxSheet* Sheet(const std::string& name);
    // Writes the whole file again with the sheets as they are now, in one replacement, when
    // anything changed since it was read or last written.
    bool Save();
    // Tells the workbook that a sheet changed.
    void MarkModified() { m_modified = true; }
    bool IsModified() const { return m_modified; }

    const std::string& Path() const { return m_path; }

private:
    void ReadDateStyles(const std::string& part);

    struct SheetEntry
    {
        std::string name;
        std::string part;
        std::unique_ptr<XlsxSheet> sheet;
    };

    std::string m_path;
    XlsxPackage m_package;
    std::vector<SheetEntry> m_sheets;
    std::vector<std::string> m_sharedStrings;
    std::vector<bool> m_dateStyles; // per cell style: whether its number format shows a date
    bool m_modified { false };
};

} // namespace ktutilex::excel
