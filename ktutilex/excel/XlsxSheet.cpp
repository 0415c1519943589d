// A worksheet's cells: reading them from the sheet XML, and writing text cells back into it.
#include "ktutilex/excel/XlsxSheet.h"

#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace ktutilex::excel {

namespace {

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

bool IsNamed(const xmlNode* node, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

xmlNodePtr FirstChild(xmlNodePtr node, const char* name)
{
    for (xmlNodePtr child = node ? node->children : nullptr; child; child = child->next)
        if (IsNamed(child, name))
            return child;
    return nullptr;
}

std::string Attribute(xmlNodePtr node, const char* name)
{
    xmlChar* value = xmlGetProp(node, X(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

std::string Content(xmlNodePtr node)
{
    xmlChar* value = node ? xmlNodeGetContent(node) : nullptr;
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

// The text of every <t> below the node, in order (a rich text is several runs).
void CollectText(xmlNodePtr node, std::string& text)
{
    for (xmlNodePtr child = node ? node->children : nullptr; child; child = child->next) {
        if (IsNamed(child, "t"))
            text += Content(child);
        else if (child->type == XML_ELEMENT_NODE)
            CollectText(child, text);
    }
}

// "AB12" -> column 27, row 11 (from 0); false for anything else or beyond the classic range.
bool ParseReference(const std::string& reference, int& row, int& column)
{
    std::size_t at = 0;
    int col = 0;
    while (at < reference.size() && at < 3 && reference[at] >= 'A' && reference[at] <= 'Z')
        col = col * 26 + (reference[at++] - 'A' + 1);
    if (at == 0 || at == reference.size())
        return false;
    int number = 0;
    const auto [end, error] = std::from_chars(reference.data() + at, reference.data() + reference.size(), number);
    if (error != std::errc() || end != reference.data() + reference.size() || number < 1)
        return false;
    row = number - 1;
    column = col - 1;
    return row < kMaxRows && column < kMaxColumns;
}

std::string ColumnName(int column)
{
    std::string name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

std::string Reference(int row, int column) { return ColumnName(column) + std::to_string(row + 1); }

// A row's stated number ("1" for the first row) as a row from 0, or -1 for anything that is no
// row of the sheet: checked as text, so no number outside the sheet reaches any arithmetic.
int ParseRowNumber(const std::string& text)
{
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 1 || number > kMaxRows)
        return -1;
    return number - 1;
}

CellValue ReadValue(xmlNodePtr cell, const std::vector<std::string>& sharedStrings, const std::vector<bool>& dateStyles)
{
    CellValue value;
    const std::string type = Attribute(cell, "t");
    if (type == "inlineStr") {
        value.kind = CellValue::Kind::Text;
        CollectText(FirstChild(cell, "is"), value.text);
        return value;
    }
    xmlNodePtr v = FirstChild(cell, "v");
    if (!v)
        return value;
    const std::string text = Content(v);
    if (type == "s") {
        char* end = nullptr;
        const long index = std::strtol(text.c_str(), &end, 10);
        if (end != text.c_str() && index >= 0 && static_cast<std::size_t>(index) < sharedStrings.size()) {
            value.kind = CellValue::Kind::Text;
            value.text = sharedStrings[static_cast<std::size_t>(index)];
        }
    } else if (type == "str") {
        value.kind = CellValue::Kind::Text;
        value.text = text;
    } else if (type == "b") {
        value.kind = CellValue::Kind::Boolean;
        value.boolean = text == "1" || text == "true";
    } else if (type.empty() || type == "n") {
        char* end = nullptr;
        const double number = std::strtod(text.c_str(), &end);
        if (end != text.c_str()) {
            const std::string style = Attribute(cell, "s");
            const std::size_t index = style.empty() ? 0 : static_cast<std::size_t>(std::strtoul(style.c_str(), nullptr, 10));
            const bool isDate = index < dateStyles.size() && dateStyles[index];
            value.kind = isDate ? CellValue::Kind::Date : CellValue::Kind::Number;
            value.number = number;
        }
    }
    // Errors ("e") and ISO dates ("d") have no value a cell text shows.
    return value;
}

} // namespace

bool XlsxSheet::Load(const std::string& bytes, const std::vector<std::string>& sharedStrings,
                     const std::vector<bool>& dateStyles)
{
    m_doc = xml::ParseMemory(bytes);
    xmlNodePtr root = m_doc ? xmlDocGetRootElement(m_doc.get()) : nullptr;
    if (!IsNamed(root, "worksheet"))
        return false;
    m_sheetData = FirstChild(root, "sheetData");
    if (!m_sheetData)
        m_sheetData = xmlNewChild(root, root->ns, X("sheetData"), nullptr);

    // A row without a number follows the one before; after a row outside the sheet, it has no
    // place either. The counter never passes kMaxRows.
    int nextRow = 0;
    for (xmlNodePtr rowNode = m_sheetData->children; rowNode; rowNode = rowNode->next) {
        if (!IsNamed(rowNode, "row"))
            continue;
        const std::string r = Attribute(rowNode, "r");
        const int row = r.empty() ? (nextRow < kMaxRows ? nextRow : -1) : ParseRowNumber(r);
        nextRow = row < 0 ? kMaxRows : row + 1;
        if (row < 0)
            continue;
        RowEntry& entry = Row(row);
        entry.node = rowNode;
        m_rowCount = std::max(m_rowCount, row + 1);
        int nextColumn = 0;
        for (xmlNodePtr cell = rowNode->children; cell; cell = cell->next) {
            if (!IsNamed(cell, "c"))
                continue;
            int cellRow = row;
            int column = nextColumn;
            const std::string reference = Attribute(cell, "r");
            if (!reference.empty() && !ParseReference(reference, cellRow, column))
                continue;
            if (column >= kMaxColumns)
                continue;
            nextColumn = column + 1;
            m_lastColumn = std::max(m_lastColumn, column);
            CellNode read { column, cell, nullptr, ReadValue(cell, sharedStrings, dateStyles) };
            const auto place = FindCell(entry, column);
            if (place != entry.cells.end() && place->column == column)
                *place = std::move(read);
            else
                entry.cells.insert(place, std::move(read));
        }
    }
    return true;
}

std::string XlsxSheet::Serialise()
{
    UpdateDimension();
    xmlBufferPtr buffer = xmlBufferCreate();
    if (!buffer)
        return std::string();
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, "UTF-8", 0);
    if (save) {
        xmlSaveDoc(save, m_doc.get());
        xmlSaveClose(save);
    }
    std::string text(reinterpret_cast<const char*>(xmlBufferContent(buffer)), static_cast<std::size_t>(xmlBufferLength(buffer)));
    xmlBufferFree(buffer);
    return text;
}

CellValue XlsxSheet::Cell(int row, int column) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return CellValue();
    const std::vector<CellNode>& cells = m_rows[static_cast<std::size_t>(row)].cells;
    const auto found = std::lower_bound(cells.begin(), cells.end(), column,
                                        [](const CellNode& cell, int wanted) { return cell.column < wanted; });
    return found != cells.end() && found->column == column ? found->value : CellValue();
}

std::vector<XlsxSheet::CellNode>::iterator XlsxSheet::FindCell(RowEntry& entry, int column)
{
    return std::lower_bound(entry.cells.begin(), entry.cells.end(), column,
                            [](const CellNode& cell, int wanted) { return cell.column < wanted; });
}

XlsxSheet::RowEntry& XlsxSheet::Row(int row)
{
    if (row >= static_cast<int>(m_rows.size()))
        m_rows.resize(static_cast<std::size_t>(row) + 1);
    return m_rows[static_cast<std::size_t>(row)];
}

xmlNodePtr XlsxSheet::RowNode(int row, bool create)
{
    if (row < static_cast<int>(m_rows.size()) && m_rows[static_cast<std::size_t>(row)].node)
        return m_rows[static_cast<std::size_t>(row)].node;
    if (!create)
        return nullptr;
    xmlNodePtr node = xmlNewDocNode(m_doc.get(), m_sheetData->ns, X("row"), nullptr);
    xmlSetProp(node, X("r"), X(std::to_string(row + 1).c_str()));
    // Rows stand in their order: before the next row the sheet has, else at its end.
    xmlNodePtr next = nullptr;
    for (std::size_t after = static_cast<std::size_t>(row) + 1; after < m_rows.size() && !next; ++after)
        next = m_rows[after].node;
    if (next)
        xmlAddPrevSibling(next, node);
    else
        xmlAddChild(m_sheetData, node);
    Row(row).node = node;
    m_rowCount = std::max(m_rowCount, row + 1);
    return node;
}

bool XlsxSheet::SetText(int row, int column, const std::string& text)
{
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns)
        return false;
    xmlNodePtr rowNode = RowNode(row, true);
    RowEntry& entry = Row(row);
    auto place = FindCell(entry, column);
    if (place == entry.cells.end() || place->column != column) {
        xmlNodePtr node = xmlNewDocNode(m_doc.get(), m_sheetData->ns, X("c"), nullptr);
        xmlSetProp(node, X("r"), X(Reference(row, column).c_str()));
        // Cells stand in their column order within the row.
        if (place != entry.cells.end() && place->node)
            xmlAddPrevSibling(place->node, node);
        else
            xmlAddChild(rowNode, node);
        place = entry.cells.insert(place, CellNode { column, node, nullptr, CellValue() });
    }
    if (place->written) {
        // A cell written here before: only its text changes.
        xmlNodeSetContent(place->written, X(text.c_str()));
    } else {
        xmlNodePtr cellNode = place->node;
        while (xmlNodePtr child = cellNode->children) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        }
        xmlSetProp(cellNode, X("t"), X("inlineStr"));
        xmlNodePtr inlineString = xmlNewChild(cellNode, m_sheetData->ns, X("is"), nullptr);
        xmlNodePtr textNode = xmlNewChild(inlineString, m_sheetData->ns, X("t"), nullptr);
        place->written = xmlAddChild(textNode, xmlNewDocText(m_doc.get(), X(text.c_str())));
        // Leading or trailing blanks are kept as written.
        xmlNodeSetSpacePreserve(textNode, 1);
    }
    place->value = CellValue { CellValue::Kind::Text, 0.0, text, false };
    m_lastColumn = std::max(m_lastColumn, column);
    return true;
}

bool XlsxSheet::ExtendTo(int count)
{
    if (count > kMaxRows)
        return false;
    if (count > m_rowCount)
        RowNode(count - 1, true);
    return true;
}

void XlsxSheet::Clear()
{
    for (const RowEntry& entry : m_rows) {
        if (!entry.node)
            continue;
        xmlUnlinkNode(entry.node);
        xmlFreeNode(entry.node);
    }
    m_rows.clear();
    m_rowCount = 0;
    m_lastColumn = 0;
}

// The sheet's stated used range follows its rows and cells.
void XlsxSheet::UpdateDimension()
{
    xmlNodePtr dimension = FirstChild(xmlDocGetRootElement(m_doc.get()), "dimension");
    if (!dimension)
        return;
    const std::string range = m_rowCount > 0 ? "A1:" + Reference(m_rowCount - 1, m_lastColumn) : std::string("A1");
    xmlSetProp(dimension, X("ref"), X(range.c_str()));
}

} // namespace ktutilex::excel
