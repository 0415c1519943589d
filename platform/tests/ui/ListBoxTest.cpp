// List boxes: single, multiple and extended selection by mouse and keys with LBN_SELCHANGE,
// item data, finding, owner-drawn variable items, tab stops, the horizontal extent and a folder
// listing.
#include "platform/ui/controls/ListBox.h"
#include "testkit/TempFolder.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

#include <filesystem>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kListId = 400;

class UiListBox : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }

    void Make(DWORD style)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | style, CRect(10, 10, 160, 110), &parent, kListId));
        for (const char* name : { "Ahn", "Baek", "Choi", "Do", "Eom", "Fang", "Gu", "Han", "Im", "Jang" })
            list.AddString(name);
        list.SetFocus();
        Pump();
        parent.received.clear();
    }

    POINT ItemPoint(int index)
    {
        CRect r;
        list.GetItemRect(index, &r);
        return testkit::ScreenPoint(list, r.left + 5, r.CenterPoint().y);
    }

    void ClickItem(int index, std::initializer_list<int> keys = {})
    {
        for (int k : keys)
            NullHost::KeyDown(k);
        Pump();
        testkit::ClickPumped(ItemPoint(index));
        for (int k : keys)
            NullHost::KeyUp(k);
        Pump();
    }

    std::vector<int> Selected()
    {
        std::vector<int> out(static_cast<std::size_t>(std::max(list.GetSelCount(), 0)));
        list.GetSelItems(static_cast<int>(out.size()), out.data());
        return out;
    }

    testkit::ParentWnd parent;
    CListBox list;
};

TEST_F(UiListBox, SingleSelectionByMouseAndKeys)
{
    Make(0);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    ClickItem(2);
    EXPECT_EQ(list.GetCurSel(), 2);
    NullHost::PressKey(VK_DOWN), Pump();
    NullHost::PressKey(VK_END), Pump();
    EXPECT_EQ(list.GetCurSel(), 9);
    EXPECT_GT(list.GetTopIndex(), 0); // scrolled to show it
    EXPECT_EQ(parent.Codes(kListId), (std::vector<WORD> { LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE }));
    NullHost::TypeText("c"), Pump();
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.GetSelCount(), LB_ERR); // single selection has no count
}

TEST_F(UiListBox, MultipleSelectionTogglesEachClick)
{
    Make(LBS_MULTIPLESEL);
    ClickItem(1);
    ClickItem(3);
    ClickItem(1);
    EXPECT_EQ(Selected(), (std::vector<int> { 3 }));
    EXPECT_EQ(list.GetCurSel(), 1); // the caret
}

TEST_F(UiListBox, ExtendedSelectionWithShiftAndControl)
{
    Make(LBS_EXTENDEDSEL);
    ClickItem(1);
    ClickItem(4, { VK_SHIFT });
    EXPECT_EQ(Selected(), (std::vector<int> { 1, 2, 3, 4 }));
    ClickItem(6, { VK_CONTROL });
    EXPECT_EQ(Selected(), (std::vector<int> { 1, 2, 3, 4, 6 }));
    ClickItem(0);
    EXPECT_EQ(Selected(), (std::vector<int> { 0 }));
}

TEST_F(UiListBox, SortedItemsDataAndFinding)
{
    Make(LBS_SORT);
    EXPECT_EQ(list.AddString("bae"), 1); // sorted without case: before "Baek"
    CString text;
    list.GetText(1, text);
    EXPECT_EQ(text, "bae");
    int dummy = 0;
    list.SetItemDataPtr(0, &dummy);
    EXPECT_EQ(list.GetItemDataPtr(0), &dummy);
    EXPECT_EQ(list.GetItemData(99), static_cast<DWORD_PTR>(LB_ERR));
    EXPECT_EQ(list.FindString(-1, "CH"), 3);
    EXPECT_EQ(list.FindStringExact(-1, "jang"), 10);
    EXPECT_EQ(list.FindString(3, "a"), 0); // wraps around
    EXPECT_EQ(list.DeleteString(0), 10);
    EXPECT_EQ(list.GetCount(), 10);
}

class VariableList : public CListBox
{
public:
    std::vector<UINT> measured;
    std::vector<UINT> drawn;
    void MeasureItem(LPMEASUREITEMSTRUCT p) override
    {
        measured.push_back(p->itemID);
        p->itemHeight = 10 + 5 * p->itemID;
    }
    void DrawItem(LPDRAWITEMSTRUCT p) override { drawn.push_back(p->itemID); }
};

TEST(UiListBoxOwnerDraw, VariableItemsAreMeasuredAndPlacedOneBelowTheOther)
{
    testkit::ParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    VariableList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, CRect(0, 0, 100, 100), &parent, kListId));
    for (const char* s : { "a", "b", "c" })
        list.AddString(s);
    EXPECT_EQ(list.measured, (std::vector<UINT> { 0, 1, 2 }));
    CRect third;
    list.GetItemRect(2, &third);
    EXPECT_EQ(third.top, 10 + 15);
    EXPECT_EQ(third.Height(), 20);
    list.UpdateWindow();
    EXPECT_EQ(list.drawn, (std::vector<UINT> { 0, 1, 2 }));
}

TEST_F(UiListBox, TabStopsAndHorizontalExtent)
{
    Make(LBS_USETABSTOPS | WS_HSCROLL);
    int stops[] = { 40, 80 };
    EXPECT_TRUE(list.SetTabStops(2, stops));
    list.SetHorizontalExtent(600);
    EXPECT_EQ(list.GetHorizontalExtent(), 600);
    EXPECT_TRUE(list.GetStyle() & WS_HSCROLL);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list, SB_HORZ, &info));
    EXPECT_EQ(info.nMax, 599);
    list.AddString("Kim\t12\tRoom 3");
    list.UpdateWindow(); // drawn without trouble; the columns are a matter of the golden pictures
}

TEST_F(UiListBox, DirListsFilesAndFoldersOfAFolder)
{
    Make(LBS_SORT);
    list.ResetContent();
    testkit::TempFolder folder;
    testkit::WriteText(folder / "a.FMF", "x");
    testkit::WriteText(folder / "b.TMP", "x");
    std::filesystem::create_directory(folder / "Records");
    std::string pattern = folder / "*.FMF";
    EXPECT_GE(list.Dir(DDL_READWRITE, pattern.c_str()), 0);
    EXPECT_EQ(list.GetCount(), 1);
    pattern = folder / "*";
    list.Dir(DDL_DIRECTORY, pattern.c_str());
    EXPECT_NE(list.FindStringExact(-1, "[Records]"), LB_ERR);
    EXPECT_NE(list.FindStringExact(-1, "b.TMP"), LB_ERR);
}

} // namespace
