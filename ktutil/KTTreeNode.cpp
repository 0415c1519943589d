// KTTreeNode: the tree's structure, searches and copies.
#include "ktutil/KTTreeNode.h"

#include <algorithm>

KTTreeNode& KTTreeNode::operator=(const KTTreeNode& other)
{
    m_pParent = other.m_pParent;
    m_strName = other.m_strName;
    m_dwData = other.m_dwData;
    return *this;
}

KTTreeNode::~KTTreeNode()
{
    DeleteAllChild();
    if (m_pParent) {
        auto& siblings = m_pParent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

// ---- structure ------------------------------------------------------------------------------------

KTTreeNode* KTTreeNode::GetRoot()
{
    KTTreeNode* node = this;
    while (node->m_pParent)
        node = node->m_pParent;
    return node;
}

int KTTreeNode::GetLevel() const
{
    int level = 0;
    for (const KTTreeNode* node = m_pParent; node; node = node->m_pParent)
        ++level;
    return level;
}

KTTreeNode* KTTreeNode::GetChild(int index) const
{
    return index >= 0 && index < GetChildCount() ? m_children[index] : nullptr;
}

int KTTreeNode::AddChild(KTTreeNode* node) { return InsertChild(-1, node); }

int KTTreeNode::InsertChild(int index, KTTreeNode* node)
{
    if (!node)
        return -1;
    node->m_pParent = this;
    if (index < 0 || index >= GetChildCount()) {
        m_children.push_back(node);
        return GetChildCount() - 1;
    }
    m_children.insert(m_children.begin() + index, node);
    return index;
}

KTTreeNode* KTTreeNode::RemoveChild(int index)
{
    KTTreeNode* child = GetChild(index);
    if (!child)
        return nullptr;
    m_children.erase(m_children.begin() + index);
    child->m_pParent = nullptr;
    return child;
}

void KTTreeNode::DeleteChild(int index) { delete RemoveChild(index); }

void KTTreeNode::DeleteAllChild()
{
    std::vector<KTTreeNode*> children;
    children.swap(m_children);
    for (KTTreeNode* child : children) {
        child->m_pParent = nullptr; // already out of the list
        delete child;
    }
}

int KTTreeNode::FindChild(const KTTreeNode* node) const
{
    auto found = std::find(m_children.begin(), m_children.end(), node);
    return static_cast<int>(found - m_children.begin());
}

int KTTreeNode::GetMyChildOrder() const { return m_pParent ? m_pParent->FindChild(this) : -1; }

// ---- searches ------------------------------------------------------------------------------------------

bool KTTreeNode::Contains(const KTTreeNode* root, const KTTreeNode* node)
{
    if (!root || !node)
        return false;
    if (root == node)
        return true;
    for (const KTTreeNode* child : root->m_children) {
        if (Contains(child, node))
            return true;
    }
    return false;
}

KTTreeNode* KTTreeNode::Find(KTTreeNode* start, const KTTreeNode* target)
{
    return Contains(start, target) ? const_cast<KTTreeNode*>(target) : nullptr;
}

KTTreeNode* KTTreeNode::Find(const KTTreeNode* target) { return Find(GetRoot(), target); }

BOOL KTTreeNode::IsMyAncestor(const KTTreeNode* node) const { return Contains(node, this); }

BOOL KTTreeNode::IsMyDescendant(const KTTreeNode* node) const { return Contains(this, node); }

int KTTreeNode::GetDescendantCount() const
{
    int count = 0;
    for (const KTTreeNode* child : m_children)
        count += 1 + child->GetDescendantCount();
    return count;
}

// ---- copies ----------------------------------------------------------------------------------------------

KTTreeNode* KTTreeNode::CopyOf(const KTTreeNode* source)
{
    auto* copy = new KTTreeNode;
    copy->m_strName = source->m_strName;
    copy->m_dwData = source->m_dwData;
    for (const KTTreeNode* child : source->m_children)
        copy->AddChild(CopyOf(child));
    return copy;
}

void KTTreeNode::ImportTree(KTTreeNode* target, const KTTreeNode* source)
{
    if (!target || !source)
        return;
    std::vector<KTTreeNode*> copies;
    for (const KTTreeNode* child : source->m_children)
        copies.push_back(CopyOf(child));
    target->m_strName = source->m_strName;
    target->m_dwData = source->m_dwData;
    for (KTTreeNode* copy : copies)
        target->AddChild(copy);
}
