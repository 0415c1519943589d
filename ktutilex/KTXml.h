// KTXml: one XML document and a current node within it. Callers create, load, edit, query and
// save documents; nodes are addressed by position among their parent's children (from 0, in
// document order, whatever their kind), or by a path of element names separated by "/"
// (compared without case; a document type, which carries its root element's name, is never
// found by name).
//
// Children are added to and removed from elements and the document only: a document type and
// its declarations, and entity references, refuse every edit. A text that XML cannot hold
// where it would stand (control characters, broken UTF-8, "--" in a comment, "?>" in an
// instruction, "]]>" in character data) is refused, and so is a change to the declaration.
//
// Texts are UTF-8. A document is loaded without trusting it: no network, no external DTD, and
// one that declares entities is refused (Open gives 0). The XML declaration of a document is
// its first child, a processing instruction named "xml", as the classic document object shows
// it; it is written as the file's declaration. Save writes only a document that opens again
// (not one without a root element), and replaces the file in one step, so a failed save
// leaves the old file whole.
//
// Every operation that needs a document gives its failure value (0, -1 or "") while none is
// open. A copy shares its original's document (held by reference count, freed by the last
// holder) and starts at the same current node.
//
// One object belongs to the thread that uses it.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <memory>

struct _xmlDoc;
struct _xmlNode;

class KTXml
{
public:
    KTXml() = default;
    KTXml(const KTXml& other) = default;
    KTXml& operator=(const KTXml& other) = default;
    virtual ~KTXml();

    int IsOpened() const { return m_bOpened; }

    // ---- documents --------------------------------------------------------------------------
    // A new document with the declaration and an empty root element, which becomes current.
    int New(LPCTSTR rootName);
    int Open(LPCTSTR path);
    // Opens, then selects the node of the path from the document; 1 when the file opened,
    // whether or not the node was found.
    int Open(LPCTSTR path, LPCTSTR nodePath);
    int Save(LPCTSTR path);
    void Close();

    // ---- moving the current node (1 when it moved, else 0 and it stays) --------------------
    int SelectRootNode();
    int SelectParentNode();
    int SelectNodeFromRoot(LPCTSTR path);
    int SelectChildNode(LPCTSTR path, long index);
    int SelectChildNode(long index);

    // ---- reading the current node ------------------------------------------------------------
    CString GetNodeName();
    CString GetNodeText();
    CString GetNodeType();
    CString GetNodeXML();
    // -1 when the node has children, else 0.
    int NodeHasChildren();
    long GetChildNodeCount();

    // ---- a child of the current node: by path (the index choosing among equal names), or by
    // position when the path is empty ---------------------------------------------------------
    CString GetChildNodeName(LPCTSTR path, long index);
    CString GetChildNodeText(LPCTSTR path, long index);
    CString GetChildNodeType(LPCTSTR path, long index);
    CString GetChildNodeXML(LPCTSTR path, long index);
    int SetNodeText(LPCTSTR text);
    int SetChildNodeText(LPCTSTR path, long index, LPCTSTR text);

    // ---- adding and removing -----------------------------------------------------------------
    // Adds new elements for every segment of the path under the current node (the leaf under
    // the deepest new one) with the text in the leaf; the position of the first new element.
    long AddChildNode(LPCTSTR path, LPCTSTR text);
    long AddChildNodeElement(LPCTSTR parentPath, long index, LPCTSTR name, LPCTSTR text);
    long AddChildNodeElement(long index, LPCTSTR name, LPCTSTR text);
    // Inserts an element before the child at `index` (at the end for the child count; -1
    // appends as AddChildNode does); the index, or -1.
    long InsertChildNode(LPCTSTR name, LPCTSTR text, long index);
    int DeleteChildNode(long index);
    void DeleteAllChild();

protected:
    int __Initialize();
    _xmlNode* __FindNode(_xmlNode* node, LPCTSTR path, long index);
    _xmlNode* __GetChild(_xmlNode* node, long index);
    _xmlNode* __GetChild(_xmlNode* node, LPCTSTR path, long index);
    // An element (type 1) of that name; null for another type, a name that is no XML name, or
    // a closed document.
    _xmlNode* __CreateNode(long type, LPCTSTR name, LPCTSTR namespaceUri);
    long __AddChildNode(_xmlNode* node, LPCTSTR path, LPCTSTR text);

    // The result of the last document call (0 success, negative failure).
    long m_hResult { 0 };
    std::shared_ptr<_xmlDoc> m_pDocument;
    _xmlNode* m_pCurrentNode { nullptr };
    int m_bOpened { 0 };

private:
    _xmlNode* DocumentNode() const;
    long AddPath(_xmlNode* node, LPCTSTR path, LPCTSTR text, _xmlNode** leaf);
    bool Append(_xmlNode* parent, _xmlNode* child);
    _xmlNode* ChildOf(LPCTSTR path, long index);
    bool Fail();
};
