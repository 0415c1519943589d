// The multi-selection tree: the standard behaviour with multi-selection off; plain, Ctrl and
// Shift clicks; a parent that refuses a change; the rubber band, scrolling sideways, and Escape;
// the keyboard;
// searching; and a parent that deletes the tree while its click loop runs.
#include "ktctrl/lists/KTTreeCtrl.h"
#include "platform/core/Clock.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kTreeId = 900;

class TreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop(CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE));
        parent.onMessage = [this](UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
            if (message == WM_NOTIFY && onNotify)
                return onNotify(reinterpret_cast<NMHDR*>(lParam), result);
            if (message == WM_APP && onApp) {
                onApp();
                return true;
            }
            return false;
        };
        tree = std::make_unique<KTTreeCtrl>();
        ASSERT_TRUE(tree->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(10, 10, 390, 290), &parent,
                                 kTreeId));
        a = tree->InsertItem("Ward A");
        a1 = tree->InsertItem("Bed 1", a);
        a2 = tree->InsertItem("Bed 2", a);
        a3 = tree->InsertItem("Bed 3", a);
        b = tree->InsertItem("Ward B");
        b1 = tree->InsertItem("Bed 4", b);
        c = tree->InsertItem("Corridor bed");
        tree->Expand(a, TVE_EXPAND);
        tree->SetMultiSelect(1);
        Pump();
    }
    void TearDown() override
    {
        parent.onMessage = nullptr;
        Pump();
    }
    POINT Label(HTREEITEM item)
    {
        CRect rect;
        tree->GetItemRect(item, &rect, TRUE);
        return testkit::ScreenPoint(*tree, rect.left + 3, rect.CenterPoint().y);
    }
    void Click(HTREEITEM item, std::initializer_list<int> keys = {})
    {
        clock.Advance(1000);
        for (int key : keys)
            NullHost::KeyDown(key);
        // Press and release wait together: the tree's click loop reads the release itself.
        POINT p = Label(item);
        NullHost::MoveMouse(p.x, p.y);
        NullHost::MouseDown(p.x, p.y);
        NullHost::MouseUp(p.x, p.y);
        for (int key : keys)
            NullHost::KeyUp(key);
        Pump();
    }
    std::vector<HTREEITEM> Selected()
    {
        std::vector<HTREEITEM> list;
        tree->GetSelectedList(list);
        return list;
    }

    platform::ScopedTestClock clock { 10000 };
    testkit::RecordingWnd parent;
    std::unique_ptr<KTTreeCtrl> tree;
    std::function<bool(NMHDR*, LRESULT&)> onNotify;
    std::function<void()> onApp;
    HTREEITEM a {}, a1 {}, a2 {}, a3 {}, b {}, b1 {}, c {};
};

TEST_F(TreeTest, ClicksSelectOneToggleWithCtrlAndExtendWithShift)
{
    Click(a1);
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a1 }));
    EXPECT_EQ(tree->GetFocusedItem(), a1);
    Click(a3, { VK_CONTROL });
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a1, a3 }));
    Click(a1, { VK_CONTROL });
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a3 })) << "Ctrl-click unselects a selected item";
    Click(a2);
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a2 })) << "a plain click leaves only that item";
    Click(b, { VK_SHIFT });
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a2, a3, b })) << "the visible range, inclusive";
    EXPECT_EQ(tree->GetSelectedCount(), 3u);
    EXPECT_EQ(tree->GetItemState(b, KTTreeCtrl::TVIS_FOCUSED), KTTreeCtrl::TVIS_FOCUSED);
}

TEST_F(TreeTest, WithMultiSelectOffOnlyTheCaretStaysSelected)
{
    Click(a1);
    Click(a2, { VK_CONTROL });
    EXPECT_EQ(tree->SetMultiSelect(0), 1);
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a2 }));
    Click(a3, { VK_CONTROL });
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a3 })) << "the standard tree: one selection";
}

TEST_F(TreeTest, AParentThatRefusesKeepsTheSelectionAsItWas)
{
    int changed = 0;
    onNotify = [&](NMHDR* header, LRESULT& result) {
        if (header->code == TVN_SELCHANGED)
            ++changed;
        if (header->code != TVN_SELCHANGING)
            return false;
        auto* info = reinterpret_cast<NMTREEVIEW*>(header);
        result = info->itemNew.hItem == b1 ? 1 : 0;
        return true;
    };
    tree->SetItemState(b1, TVIS_SELECTED, TVIS_SELECTED);
    EXPECT_FALSE(tree->IsSelected(b1));
    EXPECT_EQ(changed, 0);
    tree->SetItemState(c, TVIS_SELECTED, TVIS_SELECTED);
    EXPECT_TRUE(tree->IsSelected(c));
    EXPECT_EQ(changed, 1);
}

TEST_F(TreeTest, ARubberBandSelectsWhatItCoversAndEscapeUnselectsAll)
{
    CRect first, third;
    tree->GetItemRect(a, &first, FALSE);
    tree->GetItemRect(a2, &third, FALSE);
    POINT start = testkit::ScreenPoint(*tree, 300, first.CenterPoint().y);
    POINT end = testkit::ScreenPoint(*tree, 310, third.CenterPoint().y);
    NullHost::MoveMouse(start.x, start.y);
    NullHost::MouseDown(start.x, start.y);
    NullHost::MoveMouse(end.x, end.y);
    NullHost::MouseUp(end.x, end.y);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a, a1, a2 }));
    EXPECT_EQ(::GetCapture(), nullptr);

    clock.Advance(1000);
    NullHost::MouseDown(start.x, start.y);
    NullHost::MoveMouse(end.x, end.y);
    NullHost::PressKey(VK_ESCAPE);
    NullHost::MouseUp(end.x, end.y);
    Pump();
    EXPECT_TRUE(Selected().empty());
}

// A row wider than the tree: a band dragged out past the right edge scrolls the rows sideways,
// a line a move, and what the band covers is where the rows now are.
TEST_F(TreeTest, ARubberBandPastTheSideScrollsTheRowsSideways)
{
    HTREEITEM wide = tree->InsertItem(CString('W', 160));
    tree->SetBandingHit(1); // the band takes labels, not whole rows
    Pump();
    ASSERT_EQ(tree->GetScrollPos(SB_HORZ), 0);
    CRect first, last, client;
    tree->GetItemRect(a, &first, FALSE);
    tree->GetItemRect(wide, &last, FALSE);
    tree->GetClientRect(&client);
    CRect wardLabel;
    tree->GetItemRect(a, &wardLabel, TRUE);

    const POINT start = testkit::ScreenPoint(*tree, 300, first.CenterPoint().y);
    NullHost::MoveMouse(start.x, start.y);
    NullHost::MouseDown(start.x, start.y);
    // Every move out there scrolls a line (the band reads the pointer where the last event
    // left it).
    const POINT outside = testkit::ScreenPoint(*tree, client.right + 10, last.CenterPoint().y);
    constexpr int kMovesOutside = 6;
    for (int i = 0; i < kMovesOutside; ++i)
        NullHost::MoveMouse(outside.x, outside.y);
    NullHost::MouseUp(outside.x, outside.y);
    Pump();

    const int scrolled = tree->GetScrollPos(SB_HORZ);
    EXPECT_GT(scrolled, 0) << "the rows moved toward the pointer";
    CRect movedLabel;
    tree->GetItemRect(a, &movedLabel, TRUE);
    EXPECT_EQ(movedLabel.left, wardLabel.left - scrolled);
    // The band ran from where the start point went to past the right edge: over the wide row,
    // clear of the short labels now left of it.
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { wide }));
    const platform::Image picture = testkit::Capture(parent.GetSafeHwnd());
    testkit::SaveForReview(picture, "ktctrl_TreeBandScrolledSideways");
}

TEST_F(TreeTest, ShiftWithArrowsExtendsFromTheAnchor)
{
    Click(a1);
    tree->SetFocus();
    NullHost::PressKeyWith(VK_DOWN, { VK_SHIFT });
    NullHost::PressKeyWith(VK_DOWN, { VK_SHIFT });
    Pump();
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { a1, a2, a3 }));
    NullHost::PressKey(VK_DOWN);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<HTREEITEM> { b })) << "a plain arrow starts again";
}

TEST_F(TreeTest, SearchesFindPrefixesAndLeavesWrappingAround)
{
    EXPECT_EQ(tree->FindItem("ward b", 0), b);
    EXPECT_EQ(tree->FindItem("BED 3", 0), a3);
    EXPECT_EQ(tree->FindItem("nothing", 0), nullptr);
    EXPECT_EQ(tree->FindItemWithDirection("Ward", 0, nullptr), nullptr) << "wards have children";
    EXPECT_EQ(tree->FindItemWithDirection("bed", 0, a1), c);
    EXPECT_EQ(tree->FindItemWithDirection("Bed", 0, b1), a1) << "wraps to the first item";
    EXPECT_EQ(tree->FindItemWithDirection("Bed", 1, a1), b1) << "backwards, wrapping to the last";
    EXPECT_EQ(tree->GetNextItem(a3, static_cast<HTREEITEM>(nullptr)), b);
    EXPECT_EQ(tree->GetNextItem(a3, a), nullptr) << "never past the stop item";
    EXPECT_EQ(tree->GetPrevItem(b), a3);
    EXPECT_EQ(tree->GetLastItem(nullptr), c);
    EXPECT_EQ(tree->GetChildItemCount(a), 3);
}

TEST_F(TreeTest, AParentMayDeleteTheTreeWhileItsClickLoopRuns)
{
    HWND hwnd = *tree;
    onNotify = [&](NMHDR* header, LRESULT&) {
        if (header->code == TVN_SELCHANGED)
            parent.PostMessage(WM_APP);
        return false;
    };
    onApp = [&] {
        if (tree) {
            tree->DestroyWindow();
            tree.reset();
        }
    };
    POINT p = Label(a2);
    NullHost::MoveMouse(p.x, p.y);
    NullHost::MouseDown(p.x, p.y);
    NullHost::MouseUp(p.x, p.y);
    Pump();
    EXPECT_FALSE(::IsWindow(hwnd));
}

} // namespace
