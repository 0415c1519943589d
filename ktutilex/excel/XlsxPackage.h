// The parts of an Office Open XML package (a zip archive of named XML parts), held in memory in
// the archive's order, read and written through the library's own zip layer.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Time.h"

#include <string>
#include <vector>

namespace ktutilex::excel {

struct PackagePart
{
    std::string name; // "xl/workbook.xml", without a leading "/"
    std::string bytes;
    CTime time;
};

class XlsxPackage
{
public:
    // Reads every part; false for a file that is no readable package, or one whose parts are
    // larger than a spreadsheet can sensibly be (a part over 256 MiB, 1 GiB in all).
    bool Load(const char* path);
    // Writes the package to `path` in one replacement; false when it did not reach the disk.
    bool Save(const char* path) const;

    // The part of that name (a leading "/" is ignored), or null.
    PackagePart* Find(const std::string& name);
    const std::vector<PackagePart>& Parts() const { return m_parts; }

private:
    std::vector<PackagePart> m_parts;
};

} // namespace ktutilex::excel
