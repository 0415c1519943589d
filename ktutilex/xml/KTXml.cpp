// KTXml over libxml2: the document, the current node and the path walks.
#include "ktutilex/KTXml.h"

#include "ktutilex/common/FileReplace.h"
#include "ktutilex/common/PathSegments.h"
#include "ktutilex/xml/SafeXml.h"
#include "ktutilex/xml/XmlText.h"

#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <string>
#include <vector>

namespace {

constexpr long kFailed = static_cast<long>(0x80004005u); // the classic "unspecified failure"
constexpr const char* kDeclarationName = "xml";
constexpr const char* kDeclarationText = "version='1.0'";

const xmlChar* X(LPCTSTR text) { return reinterpret_cast<const xmlChar*>(text ? text : ""); }

CString TakeText(xmlChar* text)
{
    CString result(text ? reinterpret_cast<const char*>(text) : "");
    xmlFree(text);
    return result;
}

// ---- node names and types, as the classic document object spells them --------------------------

struct NodeKind
{
    xmlElementType type;
    const char* typeText;
    const char* fixedName; // null: the node's own name
};

constexpr NodeKind kNodeKinds[] = {
    { XML_ELEMENT_NODE, "element", nullptr },
    { XML_ATTRIBUTE_NODE, "attribute", nullptr },
    { XML_TEXT_NODE, "text", "#text" },
    { XML_CDATA_SECTION_NODE, "cdatasection", "#cdata-section" },
    { XML_ENTITY_REF_NODE, "entityreference", nullptr },
    { XML_ENTITY_NODE, "entity", nullptr },
    { XML_PI_NODE, "processinginstruction", nullptr },
    { XML_COMMENT_NODE, "comment", "#comment" },
    { XML_DOCUMENT_NODE, "document", "#document" },
    { XML_DOCUMENT_TYPE_NODE, "documenttype", nullptr },
    { XML_DTD_NODE, "documenttype", nullptr },
    { XML_DOCUMENT_FRAG_NODE, "documentfragment", "#document-fragment" },
    { XML_NOTATION_NODE, "notation", nullptr },
};

const NodeKind* KindOf(const xmlNode* node)
{
    for (const NodeKind& kind : kNodeKinds)
        if (kind.type == node->type)
            return &kind;
    return nullptr;
}

std::vector<std::string> SplitPath(LPCTSTR path) { return ktutilex::SplitSegments(path ? path : ""); }

std::string JoinPath(const std::vector<std::string>& segments, std::size_t count)
{
    std::string path;
    for (std::size_t i = 0; i < count; ++i)
        path += (i ? "/" : "") + segments[i];
    return path;
}

long ChildCount(const xmlNode* node)
{
    long count = 0;
    for (const xmlNode* child = node ? node->children : nullptr; child; child = child->next)
        ++count;
    return count;
}

// The serialised node; a document without a declaration of libxml2's own, since its first
// child already is one when it has one.
CString Serialise(xmlDocPtr doc, xmlNodePtr node)
{
    xmlBufferPtr buffer = xmlBufferCreate();
    if (!buffer)
        return CString();
    if (node->type == XML_DOCUMENT_NODE) {
        xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL);
        if (save) {
            xmlSaveDoc(save, doc);
            xmlSaveClose(save);
        }
    } else {
        xmlNodeDump(buffer, doc, node, 0, 0);
    }
    CString result(reinterpret_cast<const char*>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
    xmlBufferFree(buffer);
    return result;
}

// ---- what an edit may do ---------------------------------------------------------------------

// Children are added to and taken from elements and the document only. A document type and its
// declarations belong together (the type's tables hold the declarations), and an entity
// reference shows its entity's nodes: neither can take or give up a child.
bool TakesChildren(const xmlNode* node)
{
    return node && (node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE);
}

// The document's declaration: the instruction "xml" that opens it. The document writes it.
bool IsDeclaration(const xmlNode* node)
{
    return node && node->type == XML_PI_NODE && node->prev == nullptr && node->parent &&
           node->parent->type == XML_DOCUMENT_NODE && xmlStrEqual(node->name, X(kDeclarationName));
}

bool IsXmlText(LPCTSTR text) { return !text || ktutilex::xml::IsXmlText(text); }

// Whether the text may stand in a node of that kind as it is written: a comment holds no "--"
// and does not end with "-", an instruction holds no "?>", a character-data section no "]]>".
bool FitsNode(const xmlNode* node, LPCTSTR text)
{
    const std::string value = text ? text : "";
    switch (node->type) {
    case XML_COMMENT_NODE:
        return value.find("--") == std::string::npos && (value.empty() || value.back() != '-');
    case XML_PI_NODE:
        return !IsDeclaration(node) && value.find("?>") == std::string::npos;
    case XML_CDATA_SECTION_NODE:
        return value.find("]]>") == std::string::npos;
    default:
        return true;
    }
}

bool ReplaceText(xmlDocPtr doc, xmlNodePtr node, LPCTSTR text)
{
    if (!IsXmlText(text) || !FitsNode(node, text))
        return false;
    switch (node->type) {
    case XML_ELEMENT_NODE: {
        // Every child goes; the text stands as one text node, taken literally ("&" stays "&").
        while (xmlNodePtr child = node->children) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        }
        if (text && *text)
            return xmlAddChild(node, xmlNewDocText(doc, X(text))) != nullptr;
        return true;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        // These hold their text as it stands.
        xmlNodeSetContent(node, X(text));
        return true;
    default:
        return false;
    }
}

} // namespace

KTXml::~KTXml() { Close(); }

// ==== documents ===================================================================================

_xmlNode* KTXml::DocumentNode() const { return reinterpret_cast<xmlNodePtr>(m_pDocument.get()); }

bool KTXml::Fail()
{
    m_hResult = kFailed;
    return false;
}

int KTXml::__Initialize()
{
    Close();
    xmlDocPtr doc = xmlNewDoc(X("1.0"));
    if (!doc) {
        Fail();
        return 0;
    }
    m_pDocument.reset(doc, xmlFreeDoc);
    m_pCurrentNode = DocumentNode();
    m_hResult = 0;
    return 1;
}

int KTXml::New(LPCTSTR rootName)
{
    if (!rootName || !*rootName || !__Initialize())
        return 0;
    xmlNodePtr root = __CreateNode(1, rootName, "");
    xmlNodePtr declaration = xmlNewDocPI(m_pDocument.get(), X(kDeclarationName), X(kDeclarationText));
    if (!root || !declaration) {
        xmlFreeNode(root);
        xmlFreeNode(declaration);
        Close();
        return 0;
    }
    xmlAddChild(DocumentNode(), declaration);
    xmlDocSetRootElement(m_pDocument.get(), root);
    m_bOpened = 1;
    SelectNodeFromRoot(rootName);
    return m_bOpened;
}

int KTXml::Open(LPCTSTR path)
{
    if (!__Initialize())
        return 0;
    ktutilex::xml::DocPtr parsed = ktutilex::xml::ParseFile(path);
    if (!parsed) {
        Close();
        return 0;
    }
    xmlDocPtr doc = parsed.release();
    // The declaration the parser took in is shown as the document's first child.
    if (doc->children && doc->standalone != -1) {
        if (xmlNodePtr declaration = xmlNewDocPI(doc, X(kDeclarationName), X(kDeclarationText)))
            xmlAddPrevSibling(doc->children, declaration);
    }
    m_pDocument.reset(doc, xmlFreeDoc);
    m_pCurrentNode = DocumentNode();
    m_bOpened = 1;
    return 1;
}

int KTXml::Open(LPCTSTR path, LPCTSTR nodePath)
{
    if (!Open(path))
        return 0;
    SelectNodeFromRoot(nodePath);
    return 1;
}

int KTXml::Save(LPCTSTR path)
{
    if (!m_bOpened || !path || !*path)
        return 0;
    const CString text = Serialise(m_pDocument.get(), DocumentNode());
    // What is written must open again (a document whose root was deleted does not): a file
    // that cannot be read is worse than the old one.
    if (!ktutilex::xml::ParseMemory(text.str()) || !ktutilex::ReplaceFileContents(path, text.str())) {
        Fail();
        return 0;
    }
    m_hResult = 0;
    return 1;
}

void KTXml::Close()
{
    m_pCurrentNode = nullptr;
    m_pDocument.reset();
    m_bOpened = 0;
    m_hResult = 0;
}

// ==== moving ======================================================================================

int KTXml::SelectRootNode()
{
    if (!m_bOpened)
        return 0;
    m_pCurrentNode = DocumentNode();
    return 1;
}

int KTXml::SelectParentNode()
{
    if (!m_bOpened || !m_pCurrentNode || !m_pCurrentNode->parent)
        return 0;
    m_pCurrentNode = m_pCurrentNode->parent;
    return 1;
}

int KTXml::SelectNodeFromRoot(LPCTSTR path)
{
    if (!m_bOpened)
        return 0;
    xmlNodePtr node = __FindNode(DocumentNode(), path, 0);
    if (!node)
        return 0;
    m_pCurrentNode = node;
    return 1;
}

int KTXml::SelectChildNode(LPCTSTR path, long index)
{
    if (!m_bOpened)
        return 0;
    xmlNodePtr node = __FindNode(m_pCurrentNode, path, index);
    if (!node)
        return 0;
    m_pCurrentNode = node;
    return 1;
}

int KTXml::SelectChildNode(long index)
{
    if (!m_bOpened)
        return 0;
    xmlNodePtr node = __GetChild(m_pCurrentNode, index);
    if (!node)
        return 0;
    m_pCurrentNode = node;
    return 1;
}

// ==== reading =====================================================================================

namespace {

CString NameOf(const xmlNode* node)
{
    if (!node)
        return CString();
    const NodeKind* kind = KindOf(node);
    if (kind && kind->fixedName)
        return CString(kind->fixedName);
    return CString(node->name ? reinterpret_cast<const char*>(node->name) : "");
}

CString TypeOf(const xmlNode* node)
{
    const NodeKind* kind = node ? KindOf(node) : nullptr;
    return CString(kind ? kind->typeText : "");
}

CString TextOf(const xmlNode* node) { return node ? TakeText(xmlNodeGetContent(node)) : CString(); }

} // namespace

CString KTXml::GetNodeName() { return m_bOpened ? NameOf(m_pCurrentNode) : CString(); }
CString KTXml::GetNodeText() { return m_bOpened ? TextOf(m_pCurrentNode) : CString(); }
CString KTXml::GetNodeType() { return m_bOpened ? TypeOf(m_pCurrentNode) : CString(); }

CString KTXml::GetNodeXML()
{
    return m_bOpened && m_pCurrentNode ? Serialise(m_pDocument.get(), m_pCurrentNode) : CString();
}

int KTXml::NodeHasChildren() { return m_bOpened && m_pCurrentNode && m_pCurrentNode->children ? -1 : 0; }

long KTXml::GetChildNodeCount() { return m_bOpened ? ChildCount(m_pCurrentNode) : 0; }

_xmlNode* KTXml::ChildOf(LPCTSTR path, long index)
{
    if (!m_bOpened)
        return nullptr;
    return (path && *path) ? __GetChild(m_pCurrentNode, path, index) : __GetChild(m_pCurrentNode, index);
}

CString KTXml::GetChildNodeName(LPCTSTR path, long index) { return NameOf(ChildOf(path, index)); }
CString KTXml::GetChildNodeText(LPCTSTR path, long index) { return TextOf(ChildOf(path, index)); }
CString KTXml::GetChildNodeType(LPCTSTR path, long index) { return TypeOf(ChildOf(path, index)); }

CString KTXml::GetChildNodeXML(LPCTSTR path, long index)
{
    xmlNodePtr child = ChildOf(path, index);
    return child ? Serialise(m_pDocument.get(), child) : CString();
}

int KTXml::SetNodeText(LPCTSTR text)
{
    if (!m_bOpened || !m_pCurrentNode || !ReplaceText(m_pDocument.get(), m_pCurrentNode, text)) {
        Fail();
        return 0;
    }
    m_hResult = 0;
    return 1;
}

int KTXml::SetChildNodeText(LPCTSTR path, long index, LPCTSTR text)
{
    xmlNodePtr child = ChildOf(path, index);
    if (!child || !ReplaceText(m_pDocument.get(), child, text))
        return 0;
    return 1;
}

// ==== adding and removing =========================================================================

long KTXml::AddChildNode(LPCTSTR path, LPCTSTR text)
{
    if (!m_bOpened || !path || !*path || !IsXmlText(text))
        return -1;
    return __AddChildNode(m_pCurrentNode, path, text);
}

long KTXml::AddChildNodeElement(LPCTSTR parentPath, long index, LPCTSTR name, LPCTSTR text)
{
    if (!m_bOpened || !name || !*name || !IsXmlText(text))
        return -1;
    const std::string parent = parentPath ? parentPath : "";
    if (parent.find('/') != std::string::npos || std::string(name).find('/') != std::string::npos)
        return -1;
    xmlNodePtr node = __FindNode(m_pCurrentNode, parentPath, index);
    return node ? __AddChildNode(node, name, text) : -1;
}

long KTXml::AddChildNodeElement(long index, LPCTSTR name, LPCTSTR text)
{
    return AddChildNodeElement(nullptr, index, name, text);
}

long KTXml::InsertChildNode(LPCTSTR name, LPCTSTR text, long index)
{
    if (!m_bOpened || !name || !*name || !IsXmlText(text))
        return -1;
    if (index == -1)
        return AddChildNode(name, text);
    const long count = ChildCount(m_pCurrentNode);
    // Nothing goes before the declaration, which opens the document.
    if (index < 0 || index > count || !TakesChildren(m_pCurrentNode) || IsDeclaration(__GetChild(m_pCurrentNode, index)))
        return -1;
    xmlNodePtr element = __CreateNode(1, name, "");
    if (!element)
        return -1;
    if (text && *text)
        xmlAddChild(element, xmlNewDocText(m_pDocument.get(), X(text)));
    if (index == count) {
        if (!Append(m_pCurrentNode, element)) {
            xmlFreeNode(element);
            return -1;
        }
        return index;
    }
    if (m_pCurrentNode == DocumentNode() && xmlDocGetRootElement(m_pDocument.get())) {
        xmlFreeNode(element);
        return -1;
    }
    xmlAddPrevSibling(__GetChild(m_pCurrentNode, index), element);
    return index;
}

int KTXml::DeleteChildNode(long index)
{
    if (!m_bOpened || !TakesChildren(m_pCurrentNode))
        return 0;
    xmlNodePtr child = __GetChild(m_pCurrentNode, index);
    if (!child)
        return 0;
    xmlUnlinkNode(child);
    xmlFreeNode(child);
    return 1;
}

void KTXml::DeleteAllChild()
{
    while (DeleteChildNode(0)) {
    }
}

// ==== building blocks =============================================================================

_xmlNode* KTXml::__FindNode(_xmlNode* node, LPCTSTR path, long index)
{
    return (path && *path) ? __GetChild(node, path, index) : __GetChild(node, index);
}

_xmlNode* KTXml::__GetChild(_xmlNode* node, long index)
{
    if (!node || index < 0)
        return nullptr;
    xmlNodePtr child = node->children;
    for (long i = 0; child && i < index; ++i)
        child = child->next;
    return child;
}

_xmlNode* KTXml::__GetChild(_xmlNode* node, LPCTSTR path, long index)
{
    if (!node)
        return nullptr;
    const std::vector<std::string> segments = SplitPath(path);
    if (segments.size() > 1) {
        node = __GetChild(node, JoinPath(segments, segments.size() - 1).c_str(), index);
        index = 0;
        if (!node)
            return nullptr;
    }
    const CString name(segments.back());
    long matches = 0;
    // Only elements are found by name: a document type carries its root element's name.
    for (xmlNodePtr child = node->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || NameOf(child).CompareNoCase(name) != 0)
            continue;
        if (matches++ == index)
            return child;
    }
    return nullptr;
}

_xmlNode* KTXml::__CreateNode(long type, LPCTSTR name, LPCTSTR /*namespaceUri*/)
{
    if (!m_bOpened && !m_pDocument)
        return nullptr;
    if (type != XML_ELEMENT_NODE || !name || !*name || xmlValidateName(X(name), 0) != 0)
        return nullptr;
    return xmlNewDocNode(m_pDocument.get(), nullptr, X(name), nullptr);
}

bool KTXml::Append(_xmlNode* parent, _xmlNode* child)
{
    if (!TakesChildren(parent))
        return false;
    // A document holds one element at its top.
    if (parent == DocumentNode() && child->type == XML_ELEMENT_NODE && xmlDocGetRootElement(m_pDocument.get()))
        return false;
    return xmlAddChild(parent, child) != nullptr;
}

long KTXml::__AddChildNode(_xmlNode* node, LPCTSTR path, LPCTSTR text)
{
    xmlNodePtr leaf = nullptr;
    return AddPath(node, path, text, &leaf);
}

// Adds the elements of the path, each under the one before; the leaf gets the text. Returns the
// position of the first new element under `node`; `leaf` is the deepest one.
long KTXml::AddPath(_xmlNode* node, LPCTSTR path, LPCTSTR text, _xmlNode** leaf)
{
    if (!node)
        return -1;
    const std::vector<std::string> segments = SplitPath(path);
    xmlNodePtr parent = node;
    long result = -1;
    if (segments.size() > 1) {
        result = AddPath(node, JoinPath(segments, segments.size() - 1).c_str(), nullptr, &parent);
        if (result < 0)
            return -1;
    }
    xmlNodePtr element = __CreateNode(1, segments.back().c_str(), "");
    if (text && *text && element)
        xmlAddChild(element, xmlNewDocText(m_pDocument.get(), X(text)));
    if (!element || !Append(parent, element)) {
        xmlFreeNode(element);
        // Nothing of a path that could not be added stays.
        if (xmlNodePtr first = result >= 0 ? __GetChild(node, result) : nullptr) {
            xmlUnlinkNode(first);
            xmlFreeNode(first);
        }
        return -1;
    }
    *leaf = element;
    return segments.size() > 1 ? result : ChildCount(parent) - 1;
}
