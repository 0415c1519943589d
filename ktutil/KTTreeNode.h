// KTTreeNode: a named node of an ordered tree with 32-bit user data.
//
// A node owns its children: deleting a node deletes its subtree. A node that is deleted while
// it is still some node's child first leaves its parent's list, so no list ever holds a deleted
// node.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"

#include <vector>

class KTTreeNode : public CObject
{
public:
    // A node with that parent; it is not added to the parent's children.
    explicit KTTreeNode(KTTreeNode* parent = nullptr) : m_pParent(parent) {}
    KTTreeNode(const KTTreeNode&) = delete;
    // Copies the parent link, the name and the data; not the children.
    KTTreeNode& operator=(const KTTreeNode& other);
    ~KTTreeNode() override;

    void SetName(LPCTSTR name) { m_strName = name ? name : ""; }
    CString GetName() const { return m_strName; }
    void SetData(DWORD data) { m_dwData = data; }
    DWORD GetData() const { return m_dwData; }
    KTTreeNode* GetParent() const { return m_pParent; }

    BOOL IsRoot() const { return m_pParent == nullptr; }
    KTTreeNode* GetRoot();
    int GetLevel() const;

    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    BOOL IsHaveChild() const { return !m_children.empty(); }
    KTTreeNode* GetChild(int index) const;

    // Makes this node the node's parent and appends it; its index (-1 for a null node).
    int AddChild(KTTreeNode* node);
    // Inserts before the child at the index; an index outside the children appends. Its index.
    int InsertChild(int index, KTTreeNode* node);
    // Takes the child out of the list (it becomes a root) and returns it; null for a bad index.
    KTTreeNode* RemoveChild(int index);
    virtual void DeleteChild(int index);
    virtual void DeleteAllChild();
    // The node's index among the children; the child count when it is not a child.
    virtual int FindChild(const KTTreeNode* node) const;
    // The parent's FindChild of this node; -1 for a root.
    int GetMyChildOrder() const;
    // The target when it is the start or lies in the start's subtree (depth first), else null.
    virtual KTTreeNode* Find(KTTreeNode* start, const KTTreeNode* target);
    virtual KTTreeNode* Find(const KTTreeNode* target);

    // This node lies in the node's subtree (the node itself counts).
    BOOL IsMyAncestor(const KTTreeNode* node) const;
    // The node lies in this node's subtree (this node itself counts).
    BOOL IsMyDescendant(const KTTreeNode* node) const;
    int GetDescendantCount() const;

    // The target takes the source's name and data and gets, below its own children, a copy of
    // the source's subtree. The copy is made whole before it is attached, so a target inside the
    // source's subtree is copied into safely.
    static void ImportTree(KTTreeNode* target, const KTTreeNode* source);
    static void ExportTree(const KTTreeNode* source, KTTreeNode* target) { ImportTree(target, source); }

private:
    static bool Contains(const KTTreeNode* root, const KTTreeNode* node);
    static KTTreeNode* CopyOf(const KTTreeNode* source);

    KTTreeNode* m_pParent { nullptr };
    CString m_strName;
    DWORD m_dwData { 0 };
    std::vector<KTTreeNode*> m_children; // owned
};
