// KTTreeNode: structure, searches, deletion and copies of a tree.
#include "ktutil/KTTreeNode.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

KTTreeNode* Named(const char* name, DWORD data = 0)
{
    auto* node = new KTTreeNode;
    node->SetName(name);
    node->SetData(data);
    return node;
}

// root
//   a (1)
//     a1 (11)
//       a1x (111)
//     a2 (12)
//   b (2)
struct Tree
{
    KTTreeNode root;
    KTTreeNode* a;
    KTTreeNode* a1;
    KTTreeNode* a1x;
    KTTreeNode* a2;
    KTTreeNode* b;

    Tree()
    {
        root.SetName("root");
        root.AddChild(a = Named("a", 1));
        a->AddChild(a1 = Named("a1", 11));
        a1->AddChild(a1x = Named("a1x", 111));
        a->AddChild(a2 = Named("a2", 12));
        root.AddChild(b = Named("b", 2));
    }
};

} // namespace

TEST(KTTreeNode, KnowsItsPlaceInTheTree)
{
    Tree t;
    EXPECT_TRUE(t.root.IsRoot());
    EXPECT_FALSE(t.a1x->IsRoot());
    EXPECT_EQ(t.a1x->GetRoot(), &t.root);
    EXPECT_EQ(t.a1x->GetLevel(), 3);
    EXPECT_EQ(t.root.GetLevel(), 0);
    EXPECT_EQ(t.root.GetChildCount(), 2);
    EXPECT_TRUE(t.a->IsHaveChild());
    EXPECT_FALSE(t.b->IsHaveChild());
    EXPECT_EQ(t.root.GetChild(1), t.b);
    EXPECT_EQ(t.root.GetChild(2), nullptr);
    EXPECT_EQ(t.a2->GetMyChildOrder(), 1);
    EXPECT_EQ(t.root.GetMyChildOrder(), -1);
    EXPECT_EQ(t.root.GetDescendantCount(), 5);

    KTTreeNode stranger;
    EXPECT_EQ(t.root.FindChild(&stranger), 2); // the child count
    EXPECT_EQ(t.root.FindChild(t.a1), 2);       // a grandchild is no child
}

TEST(KTTreeNode, FindsNodesInSubtreesOnly)
{
    Tree t;
    KTTreeNode stranger;
    EXPECT_EQ(t.root.Find(t.a, t.a1x), t.a1x);
    EXPECT_EQ(t.root.Find(t.a, t.a), t.a);
    EXPECT_EQ(t.root.Find(t.a, t.b), nullptr);
    EXPECT_EQ(t.b->Find(t.a1x), t.a1x); // from the root
    EXPECT_EQ(t.b->Find(&stranger), nullptr);

    EXPECT_TRUE(t.a1x->IsMyAncestor(t.a));
    EXPECT_TRUE(t.a->IsMyAncestor(t.a));
    EXPECT_FALSE(t.a->IsMyAncestor(t.a1x));
    EXPECT_TRUE(t.a->IsMyDescendant(t.a1x));
    EXPECT_FALSE(t.b->IsMyDescendant(t.a1x));
}

TEST(KTTreeNode, InsertsRemovesAndDeletesChildren)
{
    Tree t;
    KTTreeNode* first = Named("first");
    EXPECT_EQ(t.root.InsertChild(0, first), 0);
    EXPECT_EQ(first->GetParent(), &t.root);
    EXPECT_EQ(t.root.InsertChild(99, Named("last")), 3); // out of range appends
    EXPECT_EQ(t.root.GetChild(3)->GetName(), CString("last"));

    std::unique_ptr<KTTreeNode> removed(t.root.RemoveChild(0));
    EXPECT_EQ(removed.get(), first);
    EXPECT_TRUE(removed->IsRoot());
    EXPECT_EQ(t.root.RemoveChild(7), nullptr);

    t.root.DeleteChild(9); // nothing happens
    EXPECT_EQ(t.root.GetChildCount(), 3);
    t.root.DeleteChild(0); // a with its subtree
    EXPECT_EQ(t.root.GetChildCount(), 2);
    EXPECT_EQ(t.root.GetDescendantCount(), 2);

    // A child deleted by its own hand leaves its parent's list.
    delete t.b;
    EXPECT_EQ(t.root.GetChildCount(), 1);
    t.root.DeleteAllChild();
    EXPECT_FALSE(t.root.IsHaveChild());
}

TEST(KTTreeNode, ImportCopiesTheWholeSubtreeUnderCopiedParents)
{
    Tree t;
    KTTreeNode copy;
    KTTreeNode::ImportTree(&copy, t.a);
    EXPECT_EQ(copy.GetName(), CString("a"));
    EXPECT_EQ(copy.GetData(), 1u);
    ASSERT_EQ(copy.GetChildCount(), 2);
    KTTreeNode* c1 = copy.GetChild(0);
    EXPECT_NE(c1, t.a1);
    EXPECT_EQ(c1->GetParent(), &copy);
    EXPECT_EQ(c1->GetName(), CString("a1"));
    ASSERT_EQ(c1->GetChildCount(), 1);
    EXPECT_EQ(c1->GetChild(0)->GetParent(), c1);
    EXPECT_EQ(c1->GetChild(0)->GetData(), 111u);
    EXPECT_EQ(copy.GetDescendantCount(), 3);

    KTTreeNode exported;
    KTTreeNode::ExportTree(&t.root, &exported);
    EXPECT_EQ(exported.GetDescendantCount(), 5);

    // Copying a subtree into one of its own nodes ends and copies what was there.
    KTTreeNode::ImportTree(t.a1x, t.a);
    EXPECT_EQ(t.a1x->GetDescendantCount(), 3);
    EXPECT_EQ(t.a1x->GetName(), CString("a"));
}

TEST(KTTreeNode, AssignmentCopiesNameDataAndParentButNoChildren)
{
    Tree t;
    KTTreeNode node;
    node = *t.a;
    EXPECT_EQ(node.GetName(), CString("a"));
    EXPECT_EQ(node.GetData(), 1u);
    EXPECT_EQ(node.GetParent(), &t.root);
    EXPECT_EQ(node.GetChildCount(), 0);
    EXPECT_EQ(t.root.GetChildCount(), 2); // the parent's list is unchanged
}
