// Tree views: parent and sibling walks, expanding and collapsing with their notifications,
// the caret with TVN_SELCHANGING (which may refuse) and TVN_SELCHANGED, clicks, drags, check
// boxes, keys, hit tests and rectangles, handles of deleted items, and the tree's own scroll bar.
#include "platform/ui/controls/TreeCtrl.h"
#include "testkit/NotifyParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kTreeId = 700;

size_t TreeNotificationSize(UINT code)
{
    switch (code) {
    case NM_CLICK:
    case NM_RCLICK:
    case NM_DBLCLK:
    case NM_SETFOCUS:
    case NM_KILLFOCUS:
    case NM_RETURN: return sizeof(NMHDR);
    case TVN_KEYDOWN: return sizeof(NMTVKEYDOWN);
    default: return sizeof(NMTREEVIEW);
    }
}

class UiTreeCtrl : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.sizeOf = TreeNotificationSize;
        ASSERT_TRUE(parent.CreateTop(400, 400));
    }

    void Make(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS)
    {
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, CRect(10, 10, 310, 310), &parent, kTreeId));
        wardA = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Ward A", 0, 0, 0, 0, 1, TVI_ROOT, TVI_LAST);
        bed1 = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Bed 1", 0, 0, 0, 0, 11, wardA, TVI_LAST);
        bed2 = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Bed 2", 0, 0, 0, 0, 12, wardA, TVI_LAST);
        study = tree.InsertItem("Study", bed2);
        wardB = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Ward B", 0, 0, 0, 0, 2, TVI_ROOT, TVI_LAST);
        tree.SetFocus();
        Pump();
        parent.Clear();
    }

    POINT LabelPoint(HTREEITEM item)
    {
        CRect r;
        EXPECT_TRUE(tree.GetItemRect(item, &r, TRUE));
        return testkit::ScreenPoint(tree, r.left + 4, r.CenterPoint().y);
    }

    std::vector<HTREEITEM> VisibleItems()
    {
        std::vector<HTREEITEM> out;
        for (HTREEITEM i = tree.GetFirstVisibleItem(); i; i = tree.GetNextVisibleItem(i))
            out.push_back(i);
        return out;
    }

    testkit::NotifyParent parent;
    CTreeCtrl tree;
    HTREEITEM wardA {}, bed1 {}, bed2 {}, study {}, wardB {};
};

TEST_F(UiTreeCtrl, WalksParentsSiblingsAndVisibleItems)
{
    Make();
    EXPECT_EQ(tree.GetCount(), 5u);
    EXPECT_EQ(tree.GetRootItem(), wardA);
    EXPECT_EQ(tree.GetNextSiblingItem(wardA), wardB);
    EXPECT_EQ(tree.GetPrevSiblingItem(wardB), wardA);
    EXPECT_EQ(tree.GetChildItem(wardA), bed1);
    EXPECT_EQ(tree.GetNextSiblingItem(bed1), bed2);
    EXPECT_EQ(tree.GetNextSiblingItem(bed2), nullptr);
    EXPECT_EQ(tree.GetParentItem(study), bed2);
    EXPECT_EQ(tree.GetParentItem(wardA), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(bed2));
    EXPECT_FALSE(tree.ItemHasChildren(bed1));
    EXPECT_EQ(tree.GetItemText(bed2), "Bed 2");
    EXPECT_EQ(tree.GetItemData(bed2), 12u);

    EXPECT_EQ(VisibleItems(), (std::vector<HTREEITEM> { wardA, wardB }));
    ASSERT_TRUE(tree.Expand(wardA, TVE_EXPAND));
    EXPECT_EQ(VisibleItems(), (std::vector<HTREEITEM> { wardA, bed1, bed2, wardB }));
    EXPECT_EQ(tree.GetItemState(wardA, TVIS_EXPANDED), TVIS_EXPANDED);
    EXPECT_EQ(tree.GetLastVisibleItem(), wardB);

    // Inserting first and sorted.
    HTREEITEM bed0 = tree.InsertItem("Bed 0", wardA, TVI_FIRST);
    EXPECT_EQ(tree.GetChildItem(wardA), bed0);
    HTREEITEM bed15 = tree.InsertItem("Bed 15", wardA, TVI_SORT);
    EXPECT_EQ(tree.GetNextSiblingItem(bed1), bed15);
}

TEST_F(UiTreeCtrl, ExpandingNotifiesAndCanBeRefused)
{
    Make();
    tree.Expand(wardA, TVE_EXPAND);
    ASSERT_EQ(parent.Codes(), (std::vector<UINT> { TVN_ITEMEXPANDING, TVN_ITEMEXPANDED }));
    auto expanding = parent.notifications[0].As<NMTREEVIEW>();
    EXPECT_EQ(expanding.action, TVE_EXPAND);
    EXPECT_EQ(expanding.itemNew.hItem, wardA);

    parent.Clear();
    parent.answer = [](const NMHDR& n) -> LRESULT { return n.code == TVN_ITEMEXPANDING ? TRUE : FALSE; };
    EXPECT_FALSE(tree.Expand(bed2, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemState(bed2, TVIS_EXPANDED), 0u);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT> { TVN_ITEMEXPANDING }));
    // An item without children does not expand.
    EXPECT_FALSE(tree.Expand(bed1, TVE_EXPAND));
}

TEST_F(UiTreeCtrl, SelectionAsksThenTellsAndCanBeRefused)
{
    Make();
    tree.Expand(wardA, TVE_EXPAND);
    parent.Clear();
    ASSERT_TRUE(tree.SelectItem(bed1));
    ASSERT_EQ(parent.Codes(), (std::vector<UINT> { TVN_SELCHANGING, TVN_SELCHANGED }));
    auto changed = parent.notifications[1].As<NMTREEVIEW>();
    EXPECT_EQ(changed.itemNew.hItem, bed1);
    EXPECT_EQ(changed.itemNew.lParam, 11);
    EXPECT_EQ(changed.itemOld.hItem, nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), bed1);
    EXPECT_EQ(tree.GetItemState(bed1, TVIS_SELECTED), TVIS_SELECTED);

    parent.Clear();
    parent.answer = [](const NMHDR& n) -> LRESULT { return n.code == TVN_SELCHANGING ? TRUE : FALSE; };
    EXPECT_FALSE(tree.SelectItem(bed2));
    EXPECT_EQ(tree.GetSelectedItem(), bed1);
    EXPECT_EQ(tree.GetItemState(bed2, TVIS_SELECTED), 0u);

    // Selecting a hidden item expands its parents.
    parent.answer = nullptr;
    ASSERT_TRUE(tree.SelectItem(study));
    EXPECT_EQ(tree.GetItemState(bed2, TVIS_EXPANDED), TVIS_EXPANDED);
    // Collapsing over the caret moves it to the collapsed item.
    tree.Expand(wardA, TVE_COLLAPSE);
    EXPECT_EQ(tree.GetSelectedItem(), wardA);
}

TEST_F(UiTreeCtrl, ClicksSelectToggleButtonsAndNotify)
{
    Make();
    // The button left of "Ward A" expands it.
    UINT flags = 0;
    CRect row;
    tree.GetItemRect(wardA, &row, FALSE);
    CRect label;
    tree.GetItemRect(wardA, &label, TRUE);
    CPoint button(label.left - tree.GetIndent() / 2 - 2, row.CenterPoint().y);
    for (int x = label.left - 1; x >= 0; --x)
        if (tree.HitTest(CPoint(x, row.CenterPoint().y), &flags) && flags == TVHT_ONITEMBUTTON) {
            button.x = x;
            break;
        }
    ASSERT_EQ(flags, TVHT_ONITEMBUTTON);
    testkit::ClickPumped(testkit::ScreenPoint(tree, button.x, button.y));
    EXPECT_EQ(tree.GetItemState(wardA, TVIS_EXPANDED), TVIS_EXPANDED);

    parent.Clear();
    testkit::ClickPumped(LabelPoint(bed2));
    EXPECT_EQ(tree.GetSelectedItem(), bed2);
    auto codes = parent.Codes();
    ASSERT_EQ(codes, (std::vector<UINT> { TVN_SELCHANGING, TVN_SELCHANGED, NM_CLICK }));
    EXPECT_EQ(parent.notifications[0].As<NMTREEVIEW>().action, TVC_BYMOUSE);

    EXPECT_EQ(tree.HitTest(CPoint(label.CenterPoint()), &flags), wardA);
    EXPECT_EQ(flags, TVHT_ONITEMLABEL);
    EXPECT_EQ(tree.HitTest(CPoint(150, 290), &flags), nullptr);
    EXPECT_EQ(flags, TVHT_NOWHERE);
}

TEST_F(UiTreeCtrl, PressAndMoveBeginsADragUnlessDisabled)
{
    for (DWORD extra : { 0u, static_cast<DWORD>(TVS_DISABLEDRAGDROP) }) {
        Make(TVS_HASBUTTONS | TVS_LINESATROOT | extra);
        POINT at = LabelPoint(wardB);
        NullHost::MoveMouse(at.x, at.y);
        NullHost::MouseDown(at.x, at.y);
        Pump();
        NullHost::MoveMouse(at.x + 20, at.y + 20);
        Pump();
        NullHost::MouseUp(at.x + 20, at.y + 20);
        Pump();
        auto codes = parent.Codes();
        bool began = std::find(codes.begin(), codes.end(), TVN_BEGINDRAG) != codes.end();
        EXPECT_EQ(began, extra == 0);
        if (began) {
            auto drag = std::find_if(parent.notifications.begin(), parent.notifications.end(),
                                     [](auto& n) { return n.code == TVN_BEGINDRAG; });
            EXPECT_EQ(drag->As<NMTREEVIEW>().itemNew.hItem, wardB);
            // A drag is no click.
            EXPECT_EQ(std::find(codes.begin(), codes.end(), NM_CLICK), codes.end());
        }
        tree.DestroyWindow();
    }
}

TEST_F(UiTreeCtrl, CheckBoxesAndKeys)
{
    Make(TVS_HASBUTTONS | TVS_LINESATROOT | TVS_CHECKBOXES);
    EXPECT_FALSE(tree.GetCheck(wardA));
    CRect row;
    tree.GetItemRect(wardA, &row, FALSE);
    CRect label;
    tree.GetItemRect(wardA, &label, TRUE);
    UINT flags = 0;
    int x = label.left - 1;
    while (x > 0 && !(tree.HitTest(CPoint(x, row.CenterPoint().y), &flags) && flags == TVHT_ONITEMSTATEICON))
        --x;
    ASSERT_EQ(flags, TVHT_ONITEMSTATEICON);
    testkit::ClickPumped(testkit::ScreenPoint(tree, x, row.CenterPoint().y));
    EXPECT_TRUE(tree.GetCheck(wardA));

    tree.SelectItem(wardA);
    NullHost::PressKey(VK_SPACE);
    Pump();
    EXPECT_FALSE(tree.GetCheck(wardA));
    NullHost::PressKey(VK_RIGHT); // expands
    NullHost::PressKey(VK_RIGHT); // to the first child
    NullHost::PressKey(VK_DOWN);
    Pump();
    EXPECT_EQ(tree.GetSelectedItem(), bed2);
    NullHost::PressKey(VK_LEFT); // to the parent
    Pump();
    EXPECT_EQ(tree.GetSelectedItem(), wardA);
    NullHost::PressKey(VK_END);
    Pump();
    EXPECT_EQ(tree.GetSelectedItem(), wardB);
}

TEST_F(UiTreeCtrl, DeletedHandlesAreRefused)
{
    Make();
    tree.SelectItem(study);
    parent.Clear();
    ASSERT_TRUE(tree.DeleteItem(bed2));
    auto codes = parent.Codes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), TVN_DELETEITEM), 2); // the item and its child
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_FALSE(tree.DeleteItem(study));
    EXPECT_EQ(tree.GetItemText(bed2), "");
    EXPECT_FALSE(tree.SetItemText(study, "gone"));
    EXPECT_EQ(tree.GetNextSiblingItem(bed2), nullptr);
    CRect r;
    EXPECT_FALSE(tree.GetItemRect(bed2, &r, TRUE));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.GetRootItem(), nullptr);
}

// The tree shows its vertical bar exactly while its expanded rows do not fit, though its template
// gave no WS_VSCROLL; TVS_NOSCROLL keeps it off.
TEST_F(UiTreeCtrl, ShowsItsBarWhileExpandedRowsDoNotFit)
{
    for (DWORD noScroll : { DWORD { 0 }, TVS_NOSCROLL }) {
        SCOPED_TRACE(noScroll ? "TVS_NOSCROLL" : "own bar");
        CTreeCtrl bare;
        ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | noScroll, CRect(10, 10, 310, 310), &parent, kTreeId + 1));
        HTREEITEM ward = bare.InsertItem("Ward A");
        for (int i = 0; i < 40; ++i)
            bare.InsertItem("Bed", ward);
        bare.InsertItem("Ward B");
        Pump();
        EXPECT_FALSE(bare.GetStyle() & WS_VSCROLL);

        bare.Expand(ward, TVE_EXPAND);
        Pump();
        EXPECT_EQ((bare.GetStyle() & WS_VSCROLL) != 0, noScroll == 0);
        if (!noScroll) {
            // The wheel and the bar's down arrow both scroll.
            bare.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
            EXPECT_EQ(GetScrollPos(bare.m_hWnd, SB_VERT), 3);
            CRect window;
            bare.GetWindowRect(&window);
            NullHost::Click(window.right - 5, window.bottom - 5);
            Pump();
            EXPECT_EQ(GetScrollPos(bare.m_hWnd, SB_VERT), 4);
            EXPECT_NE(bare.GetFirstVisibleItem(), ward);
        }

        bare.Expand(ward, TVE_COLLAPSE);
        Pump();
        EXPECT_FALSE(bare.GetStyle() & WS_VSCROLL);
        EXPECT_EQ(bare.GetFirstVisibleItem(), ward);
        CRect client;
        bare.GetClientRect(&client);
        EXPECT_EQ(client.Size(), CSize(300, 300));
        bare.DestroyWindow();
    }
}

} // namespace
