// One worksheet of a package: its XML kept as parsed (so styles, widths and everything else
// survive a write), with an index of its cells by row and column, both counted from 0. Only
// the classic sheet's range is addressed: 65,536 rows and 256 columns (A to IV).
#pragma once

#include "ktutilex/xml/SafeXml.h"

#include <map>
#include <string>
#include <vector>

struct _xmlNode;

namespace ktutilex::excel {

constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;

struct CellValue
{
    enum class Kind { Empty, Number, Text, Boolean, Date };
    Kind kind { Kind::Empty };
    double number { 0.0 };
    std::string text;
    bool boolean { false };
};

class XlsxSheet
{
public:
    // Parses the sheet's XML; false when it is no worksheet. Shared strings resolve cells that
    // refer to them; a number whose style (an index into `dateStyles`) is true is a date.
    bool Load(const std::string& bytes, const std::vector<std::string>& sharedStrings,
              const std::vector<bool>& dateStyles);
    std::string Serialise() const;

    // Rows up to the last one the sheet holds (cells or an empty row of its own).
    int RowCount() const { return m_rowCount; }
    CellValue Cell(int row, int column) const;
    // Makes the cell a text cell (written inline, keeping its style). False outside the range.
    bool SetText(int row, int column, const std::string& text);
    // Makes the sheet hold `count` rows, adding empty ones at its end.
    bool ExtendTo(int count);
    // Removes every row.
    void Clear();

private:
    struct CellNode
    {
        _xmlNode* node { nullptr };
        CellValue value;
    };

    _xmlNode* RowNode(int row, bool create);
    void UpdateDimension();

    xml::DocPtr m_doc;
    _xmlNode* m_sheetData { nullptr };
    std::map<int, _xmlNode*> m_rows;                 // row -> <row>
    std::map<std::pair<int, int>, CellNode> m_cells; // (row, column) -> <c>
    int m_rowCount { 0 };
};

} // namespace ktutilex::excel
