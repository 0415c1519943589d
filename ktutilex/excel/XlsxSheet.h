// One worksheet of a package: its XML kept as parsed (so styles, widths and everything else
// survive a write), with an index of its cells by row and column, both counted from 0. Only
// the classic sheet's range is addressed: 65,536 rows and 256 columns (A to IV).
#pragma once

#include "ktutilex/xml/SafeXml.h"

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
    // The sheet's XML as it is now (with its stated used range brought up to date).
    std::string Serialise();

    // Rows up to the last one the sheet holds (cells or an empty row of its own).
    int RowCount() const { return m_rowCount; }
    CellValue Cell(int row, int column) const;
    // Makes the cell a text cell (written inline, keeping its style). False outside the range.
    // Costs what finding the row and the cell cost, whatever the sheet holds.
    bool SetText(int row, int column, const std::string& text);
    // Makes the sheet hold `count` rows, adding empty ones at its end.
    bool ExtendTo(int count);
    // Removes every row.
    void Clear();

private:
    struct CellNode
    {
        int column { 0 };
        _xmlNode* node { nullptr };
        _xmlNode* written { nullptr }; // the text SetText wrote, changed in place by the next write
        CellValue value;
    };
    // A row of the index: its <row>, and its cells by column (a row holds at most 256).
    struct RowEntry
    {
        _xmlNode* node { nullptr };
        std::vector<CellNode> cells;
    };

    // The row's entry, grown to hold it; the row's <row> made (in row order) when asked.
    RowEntry& Row(int row);
    _xmlNode* RowNode(int row, bool create);
    // The cell's place in its row: the cell itself, or where it would be inserted.
    static std::vector<CellNode>::iterator FindCell(RowEntry& entry, int column);
    void UpdateDimension();

    xml::DocPtr m_doc;
    _xmlNode* m_sheetData { nullptr };
    // Indexed by row number, so that a cell is found in the same time however many rows
    // the sheet holds (at most kMaxRows entries).
    std::vector<RowEntry> m_rows;
    int m_rowCount { 0 };
    int m_lastColumn { 0 }; // the rightmost column any cell has had
};

} // namespace ktutilex::excel
