// The workbook: from the package's relationships to its sheets and shared strings.
#include "ktutilex/excel/XlsxWorkbook.h"

#include "ktutilex/common/PathSegments.h"
#include "ktutilex/xml/SafeXml.h"

#include "platform/core/CString.h"

#include <libxml/tree.h>

#include <charconv>
#include <cstring>

namespace ktutilex::excel {

namespace {

constexpr const char* kDefaultWorkbook = "xl/workbook.xml";

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

bool IsNamed(const xmlNode* node, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

// The attribute of that local name, whatever its namespace ("r:id" is "id").
std::string Attribute(xmlNodePtr node, const char* name)
{
    xmlChar* value = xmlGetProp(node, X(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

// Visits every element below `node` (document order) named `name`.
template <typename Visit>
void ForEachElement(xmlNodePtr node, const char* name, Visit visit)
{
    for (xmlNodePtr child = node ? node->children : nullptr; child; child = child->next) {
        if (IsNamed(child, name))
            visit(child);
        else if (child->type == XML_ELEMENT_NODE)
            ForEachElement(child, name, visit);
    }
}

bool EndsWith(const std::string& text, const char* tail)
{
    const std::size_t length = std::strlen(tail);
    return text.size() >= length && text.compare(text.size() - length, length, tail) == 0;
}

std::string FolderOf(const std::string& part)
{
    const std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// A relationship target, relative to the source part's folder or absolute from the root; "."
// and ".." segments resolved, never above the root.
std::string ResolveTarget(const std::string& sourceFolder, const std::string& target)
{
    const std::string path = !target.empty() && target.front() == '/' ? target : sourceFolder + target;
    return JoinSegments(ResolveSegments(path), false);
}

// Whether a number format shows a date or a time: the built-in date formats, or a format code
// with a date or time letter outside its quoted texts, escapes and bracketed parts.
bool IsDateFormat(int id, const std::string& code)
{
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58))
        return true;
    bool quoted = false;
    bool bracketed = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char ch = code[i];
        if (ch == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (ch == '\\')
            ++i;
        else if (ch == '[')
            bracketed = true;
        else if (ch == ']')
            bracketed = false;
        else if (!bracketed && std::strchr("dmyhsDMYHS", ch))
            return true;
    }
    return false;
}

// A number format id as the file states it; -1 for anything that is no int (never a built-in
// format).
int ParseFormatId(const std::string& text)
{
    int id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    return error == std::errc() && end == text.data() + text.size() ? id : -1;
}

struct Relationship
{
    std::string type;
    std::string target;
};

// The relationships of a part ("xl/workbook.xml" -> "xl/_rels/workbook.xml.rels") by id.
std::map<std::string, Relationship> ReadRelationships(XlsxPackage& package, const std::string& part)
{
    std::map<std::string, Relationship> relationships;
    const std::string folder = FolderOf(part);
    const PackagePart* rels = package.Find(folder + "_rels/" + part.substr(folder.size()) + ".rels");
    xml::DocPtr doc = rels ? xml::ParseMemory(rels->bytes) : nullptr;
    if (!doc)
        return relationships;
    ForEachElement(reinterpret_cast<xmlNodePtr>(doc.get()), "Relationship", [&](xmlNodePtr node) {
        relationships[Attribute(node, "Id")] = { Attribute(node, "Type"), ResolveTarget(folder, Attribute(node, "Target")) };
    });
    return relationships;
}

} // namespace

bool XlsxWorkbook::Load(const char* path)
{
    m_path = path ? path : "";
    m_modified = false;
    m_sheets.clear();
    m_sharedStrings.clear();
    m_dateStyles.clear();
    if (!m_package.Load(path))
        return false;

    std::string workbookPart = kDefaultWorkbook;
    for (const auto& [id, relationship] : ReadRelationships(m_package, ""))
        if (EndsWith(relationship.type, "/officeDocument"))
            workbookPart = relationship.target;
    const PackagePart* workbook = m_package.Find(workbookPart);
    xml::DocPtr doc = workbook ? xml::ParseMemory(workbook->bytes) : nullptr;
    if (!doc || !IsNamed(xmlDocGetRootElement(doc.get()), "workbook"))
        return false;

    const std::map<std::string, Relationship> relationships = ReadRelationships(m_package, workbookPart);
    ForEachElement(xmlDocGetRootElement(doc.get()), "sheet", [&](xmlNodePtr node) {
        const auto found = relationships.find(Attribute(node, "id"));
        if (found != relationships.end() && EndsWith(found->second.type, "/worksheet"))
            m_sheets.push_back({ Attribute(node, "name"), found->second.target, nullptr });
    });
    for (const auto& [id, relationship] : relationships) {
        if (EndsWith(relationship.type, "/styles"))
            ReadDateStyles(relationship.target);
        if (!EndsWith(relationship.type, "/sharedStrings"))
            continue;
        const PackagePart* strings = m_package.Find(relationship.target);
        xml::DocPtr table = strings ? xml::ParseMemory(strings->bytes) : nullptr;
        if (!table)
            continue;
        ForEachElement(xmlDocGetRootElement(table.get()), "si", [&](xmlNodePtr item) {
            std::string text;
            ForEachElement(item, "t", [&](xmlNodePtr run) {
                xmlChar* content = xmlNodeGetContent(run);
                text += content ? reinterpret_cast<const char*>(content) : "";
                xmlFree(content);
            });
            m_sharedStrings.push_back(text);
        });
    }
    return true;
}

void XlsxWorkbook::ReadDateStyles(const std::string& part)
{
    const PackagePart* styles = m_package.Find(part);
    xml::DocPtr doc = styles ? xml::ParseMemory(styles->bytes) : nullptr;
    if (!doc)
        return;
    std::map<int, std::string> codes;
    ForEachElement(xmlDocGetRootElement(doc.get()), "numFmt", [&](xmlNodePtr format) {
        codes[ParseFormatId(Attribute(format, "numFmtId"))] = Attribute(format, "formatCode");
    });
    ForEachElement(xmlDocGetRootElement(doc.get()), "cellXfs", [&](xmlNodePtr list) {
        for (xmlNodePtr xf = list->children; xf; xf = xf->next) {
            if (!IsNamed(xf, "xf"))
                continue;
            const int id = ParseFormatId(Attribute(xf, "numFmtId"));
            const auto code = codes.find(id);
            m_dateStyles.push_back(IsDateFormat(id, code == codes.end() ? std::string() : code->second));
        }
    });
}

XlsxSheet* XlsxWorkbook::Sheet(const std::string& name)
{
    for (SheetEntry& entry : m_sheets) {
        if (CString(entry.name).CompareNoCase(name.c_str()) != 0)
            continue;
        if (!entry.sheet) {
            const PackagePart* part = m_package.Find(entry.part);
            auto sheet = std::make_unique<XlsxSheet>();
            if (!part || !sheet->Load(part->bytes, m_sharedStrings, m_dateStyles))
                return nullptr;
            entry.sheet = std::move(sheet);
        }
        return entry.sheet.get();
    }
    return nullptr;
}

bool XlsxWorkbook::Save()
{
    if (!m_modified)
        return true;
    for (SheetEntry& entry : m_sheets) {
        if (!entry.sheet)
            continue;
        PackagePart* part = m_package.Find(entry.part);
        if (!part)
            return false;
        part->bytes = entry.sheet->Serialise();
        part->time = CTime::GetCurrentTime();
    }
    if (!m_package.Save(m_path.c_str()))
        return false;
    m_modified = false;
    return true;
}

} // namespace ktutilex::excel
