// KTLayout: item rectangles from fixed, scaled and relative edges, the layout file, and the
// windows the items own.
#include "ktutil/KTLayout.h"

#include "testkit/TestWindow.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

namespace {

KTLayoutItem Item(int id, int leftType, int left, int width, int top = 0, int height = 10)
{
    KTLayoutItem item(id);
    if (leftType == KTScale::SCALED)
        item.m_left.SetPercent(left);
    else if (leftType == KTPosition::RELATIVE)
        item.m_left.SetRelative(left);
    else
        item.m_left.SetFixed(left);
    item.m_top.SetFixed(top);
    item.m_width.SetFixed(width);
    item.m_height.SetFixed(height);
    return item;
}

// A window object that counts its deletions.
class CountedWnd : public testkit::RecordingWnd
{
public:
    explicit CountedWnd(int& deletions) : m_deletions(deletions) {}
    ~CountedWnd() override { ++m_deletions; }

private:
    int& m_deletions;
};

} // namespace

TEST(KTLayout, ScalesFixesAndRelatesEdges)
{
    KTLayout layout;
    layout.Add(Item(1, KTScale::SCALED, 50, 100));      // starts at half of 400
    layout.Add(Item(2, KTScale::FIXED, 10, 100));
    layout.Add(Item(3, KTPosition::RELATIVE, 2, 30));   // right of item 2: 10 + 100
    layout.Add(Item(4, KTPosition::RELATIVE, 3, 5));    // right of item 3: 110 + 30

    KTLayoutItem scaled(5);
    scaled.m_left.SetFixed(0);
    scaled.m_top.SetScale(3, 1);
    scaled.m_width.SetScale(4, 1);
    scaled.m_height.SetScale(3, 2);
    layout.Add(scaled);

    layout.Calculation(400, 300, FALSE);
    EXPECT_EQ(layout.GetRect(0), CRect(200, 0, 300, 10));
    EXPECT_EQ(layout.GetRect(1), CRect(10, 0, 110, 10));
    EXPECT_EQ(layout.GetRect(2), CRect(110, 0, 140, 10));
    EXPECT_EQ(layout.GetRect(3), CRect(140, 0, 145, 10));
    EXPECT_EQ(layout.GetRect(4), CRect(0, 100, 100, 300));

    layout.SetBorder(2); // every side shrinks, relations use the edges without the border
    layout.Calculation(400, 300, FALSE);
    EXPECT_EQ(layout.GetRect(2), CRect(112, 2, 138, 8));
}

TEST(KTLayout, TopEdgesRelateToTheBottomOfAnotherItem)
{
    KTLayout layout;
    KTLayoutItem header = Item(1, KTScale::FIXED, 0, 100, 5, 20);
    KTLayoutItem body = Item(2, KTScale::FIXED, 0, 100);
    body.m_top.SetRelative(1);
    layout.Add(header);
    layout.Add(body);
    layout.Calculation(100, 100, FALSE);
    EXPECT_EQ(layout.GetRect(1).top, 25);
}

TEST(KTLayout, MissingIdsCyclesAndZeroDenominatorsGiveZero)
{
    KTLayout layout;
    layout.Add(Item(1, KTPosition::RELATIVE, 99, 10));   // no item 99
    layout.Add(Item(2, KTPosition::RELATIVE, 3, 10));    // 2 -> 3 -> 2
    layout.Add(Item(3, KTPosition::RELATIVE, 2, 10));
    layout.Add(Item(4, KTPosition::RELATIVE, 4, 10));    // itself
    KTLayoutItem zero(5);
    zero.m_left.SetScale(0, 50);
    zero.m_width.SetScale(0, 1);
    layout.Add(zero);

    layout.Calculation(400, 300, FALSE); // must end
    EXPECT_EQ(layout.GetRect(0).left, 0);
    EXPECT_EQ(layout.GetRect(1).left, 0);
    EXPECT_EQ(layout.GetRect(2).left, 0);
    EXPECT_EQ(layout.GetRect(3).left, 0);
    EXPECT_EQ(layout.GetRect(1).right, 10); // the width stays
    EXPECT_EQ(layout.GetRect(4), CRect(0, 0, 0, 0));

    KTScale scale;
    scale.SetScale(0, 7);
    EXPECT_EQ(scale.GetScaledValue(1000), 0);
}

TEST(KTLayout, FindsItemsByIdAndIndex)
{
    KTLayout layout;
    EXPECT_EQ(layout.Add(Item(7, 0, 0, 1)), 0);
    EXPECT_EQ(layout.Add(Item(8, 0, 0, 1)), 1);
    EXPECT_EQ(layout.Find(8), 1);
    EXPECT_EQ(layout.Find(9), -1);
    EXPECT_EQ(layout.GetEx(9), nullptr);
    EXPECT_EQ(layout.Get(2), nullptr);
    EXPECT_EQ(layout.GetEx(7)->GetID(), 7);
    layout.DeleteAt(0);
    EXPECT_EQ(layout.Find(8), 0);
    layout.DeleteAt(5);
    EXPECT_EQ(layout.GetCount(), 1);
}

TEST(KTLayout, SaveThenOpenGivesTheSameLayout)
{
    testkit::TempFolder folder;
    KTLayout layout;
    layout.SetBorder(3);
    KTLayoutItem first = Item(11, KTScale::SCALED, 25, 80, 4, 12);
    first.m_height.SetScale(1000, 333);
    layout.Add(first);
    KTLayoutItem second = Item(12, KTPosition::RELATIVE, 11, 40);
    second.m_top.SetRelative(11);
    layout.Add(second);

    CString path = folder.Path("layouts/bed.ini"); // the folder is made
    ASSERT_EQ(layout.Save(path), 1);
    KTLayout read;
    read.Add(Item(99, 0, 0, 1)); // replaced by what the file holds
    ASSERT_EQ(read.Open(path), 1);

    ASSERT_EQ(read.GetCount(), 2);
    EXPECT_EQ(read.GetBorder(), 3);
    for (int i = 0; i < 2; ++i) {
        const KTLayoutItem& a = *layout.Get(i);
        const KTLayoutItem& b = *read.Get(i);
        EXPECT_EQ(b.GetID(), a.GetID());
        for (auto [x, y] : { std::pair<const KTScale*, const KTScale*>(&a.m_left, &b.m_left), { &a.m_top, &b.m_top },
                             { &a.m_width, &b.m_width }, { &a.m_height, &b.m_height } }) {
            EXPECT_EQ(y->GetType(), x->GetType());
            EXPECT_EQ(y->GetValue(), x->GetValue());
            EXPECT_EQ(y->GetScale(), x->GetScale());
        }
        EXPECT_EQ(b.m_left.GetRelative(), a.m_left.GetRelative());
        EXPECT_EQ(b.m_top.GetRelative(), a.m_top.GetRelative());
    }
    layout.Calculation(640, 480, FALSE);
    read.Calculation(640, 480, FALSE);
    EXPECT_EQ(read.GetRect(1), layout.GetRect(1));

    // Saving again starts the file afresh.
    KTLayout empty;
    ASSERT_EQ(empty.Save(path), 1);
    ASSERT_EQ(read.Open(path), 1);
    EXPECT_EQ(read.GetCount(), 0);
}

TEST(KTLayout, OpenNeedsAnExistingFileAndReadsDefaults)
{
    testkit::TempFolder folder;
    KTLayout layout;
    layout.Add(Item(1, 0, 0, 1));
    EXPECT_EQ(layout.Open(folder.Path("missing.ini")), 0);
    EXPECT_EQ(layout.GetCount(), 1);

    CString path = folder.Write("zero.ini", "[ORG]\nITEMS=0\n");
    EXPECT_EQ(layout.Open(path), 1);
    EXPECT_EQ(layout.GetCount(), 0);

    path = folder.Write("sparse.ini", "[ORG]\nITEMS=1\n[ITEM1]\nID=4\nX_TYPE=1\nX_VALUE=10\n");
    ASSERT_EQ(layout.Open(path), 1);
    ASSERT_EQ(layout.GetCount(), 1);
    EXPECT_EQ(layout.Get(0)->GetID(), 4);
    EXPECT_EQ(layout.Get(0)->m_left.GetScale(), 100); // the file's default denominator
    layout.Calculation(500, 500, FALSE);
    EXPECT_EQ(layout.GetRect(0).left, 50);

    EXPECT_EQ(layout.Save("bad|name.ini"), 0);
}

TEST(KTLayout, MovesAndShowsTheItemsWindows)
{
    testkit::RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTop(CRect(0, 0, 400, 300)));
    auto* child = new testkit::RecordingWnd;
    ASSERT_TRUE(child->CreateChild(&parent, CRect(0, 0, 1, 1), 100));

    KTLayout layout;
    KTLayoutItem item = Item(1, KTScale::SCALED, 50, 100, 20, 30);
    item.SetWindow(child, TRUE);
    layout.Add(item);
    layout.Calculation(400, 300, TRUE);

    CRect rect;
    child->GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(200, 20, 300, 50));

    layout.ShowDialog(SW_HIDE);
    EXPECT_FALSE(child->IsWindowVisible());
    layout.ShowDialog(SW_SHOW);
    EXPECT_TRUE(child->IsWindowVisible());
}

TEST(KTLayout, AnOwnedWindowIsDeletedOnceWhenItsLastHolderGoes)
{
    testkit::RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTop(CRect(0, 0, 400, 300)));
    int deletions = 0;
    auto* child = new CountedWnd(deletions);
    ASSERT_TRUE(child->CreateChild(&parent, CRect(0, 0, 10, 10), 100));
    HWND hwnd = child->m_hWnd;
    {
        KTLayout layout;
        {
            KTLayoutItem item(1);
            item.SetWindow(child, TRUE);
            layout.Add(item);
            KTLayout copy(layout);
        } // the item and the copied layout go; the layout still holds the window
        EXPECT_EQ(deletions, 0);
        EXPECT_TRUE(IsWindow(hwnd));
    }
    EXPECT_EQ(deletions, 1);
    EXPECT_FALSE(IsWindow(hwnd));

    // A window the item does not own is left alone.
    testkit::RecordingWnd kept;
    ASSERT_TRUE(kept.CreateChild(&parent, CRect(0, 0, 10, 10), 101));
    {
        KTLayoutItem item(2);
        item.SetWindow(&kept, FALSE);
    }
    EXPECT_TRUE(IsWindow(kept.m_hWnd));
}
