// CSortList on the layer's list view under the null host: sorting by one column read as whole
// numbers, texts, date-times or real numbers, either way, with each item's own data back after.
#include "nrdata/list/CSortList.h"

#include "platform/ui/controls/ListCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace {

class SortList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &parent, 100));
        list.InsertColumn(0, "name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "value", LVCFMT_LEFT, 100);
    }

    // One row per text: column 0 "r<i>", column 1 the text, item data 1000 + i.
    void Fill(const std::vector<const char*>& texts)
    {
        list.DeleteAllItems();
        for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
            list.InsertItem(i, ("r" + std::to_string(i)).c_str());
            list.SetItemText(i, 1, texts[i]);
            list.SetItemData(i, 1000 + i);
        }
    }

    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetItemCount(); ++i)
            texts.push_back(list.GetItemText(i, column).str());
        return texts;
    }

    std::vector<std::string> Sorted(const std::vector<const char*>& texts, bool ascending, CSortList::EDataType type)
    {
        Fill(texts);
        CSortList(&list, 1).Sort(ascending, type);
        return Column(1);
    }

    CWnd parent;
    CListCtrl list;
};

using Texts = std::vector<std::string>;

TEST_F(SortList, SortsByTheKindOfTheColumn)
{
    EXPECT_EQ(Sorted({ "10", "9", "100" }, true, CSortList::SORT_INTEGER), (Texts { "9", "10", "100" }));
    EXPECT_EQ(Sorted({ "10", "9", "100" }, false, CSortList::SORT_INTEGER), (Texts { "100", "10", "9" }));
    EXPECT_EQ(Sorted({ "10", "9", "100" }, true, CSortList::SORT_TEXT), (Texts { "10", "100", "9" }));
    EXPECT_EQ(Sorted({ "berg", "Adams", "carl", "ADAMZ" }, true, CSortList::SORT_TEXT),
              (Texts { "Adams", "ADAMZ", "berg", "carl" }));
    EXPECT_EQ(Sorted({ "2006-03-07 10:00:00", "2006-03-05", "2006-03-07 09:59:59" }, true, CSortList::SORT_DATETIME),
              (Texts { "2006-03-05", "2006-03-07 09:59:59", "2006-03-07 10:00:00" }));
    EXPECT_EQ(Sorted({ "1.5", "-2", "1.25" }, true, CSortList::SORT_REAL), (Texts { "-2", "1.25", "1.5" }));
    EXPECT_EQ(Sorted({ "1.5", "-2", "1.25" }, false, CSortList::SORT_REAL), (Texts { "1.5", "1.25", "-2" }));
    // Numbers too far apart for a difference still compare the right way round.
    EXPECT_EQ(Sorted({ "3000000000", "0", "-3000000000" }, true, CSortList::SORT_INTEGER),
              (Texts { "-3000000000", "0", "3000000000" }));
}

// A kind from outside the enumeration is a well-defined value thanks to the fixed underlying
// type (without it 99 lay beyond the enumeration's values).
static_assert(std::is_same_v<std::underlying_type_t<CSortList::EDataType>, int>);

TEST_F(SortList, AnUnknownKindKeepsTheOrder)
{
    EXPECT_EQ(Sorted({ "b", "c", "a" }, true, static_cast<CSortList::EDataType>(99)), (Texts { "b", "c", "a" }));
    EXPECT_EQ(Sorted({ "b", "c", "a" }, true, static_cast<CSortList::EDataType>(7)), (Texts { "b", "c", "a" }));
}

TEST_F(SortList, EveryItemGetsItsOwnDataBack)
{
    Fill({ "30", "10", "20" });
    {
        CSortList sorter(&list, 1);
        EXPECT_NE(list.GetItemData(0), 1000u);
        sorter.Sort(true, CSortList::SORT_INTEGER);
    }
    EXPECT_EQ(Column(0), (Texts { "r1", "r2", "r0" }));
    EXPECT_EQ(list.GetItemData(0), 1001u);
    EXPECT_EQ(list.GetItemData(1), 1002u);
    EXPECT_EQ(list.GetItemData(2), 1000u);
}

TEST_F(SortList, ItemsRemovedMeanwhileLeaveTheOthersTheirData)
{
    Fill({ "3", "1", "2" });
    {
        CSortList sorter(&list, 1);
        EXPECT_EQ(sorter.Sort(true, CSortList::SORT_INTEGER), TRUE);
        list.DeleteItem(0);
    }
    EXPECT_EQ(Column(0), (Texts { "r2", "r0" }));
    EXPECT_EQ(list.GetItemData(0), 1002u);
    EXPECT_EQ(list.GetItemData(1), 1000u);
}

TEST_F(SortList, DatesThatDoNotParseCompareEqualToEverything)
{
    Fill({ "2006-03-07", "no date", "2006-03-05" });
    CSortList sorter(&list, 1);
    const LPARAM first = static_cast<LPARAM>(list.GetItemData(0));
    const LPARAM bad = static_cast<LPARAM>(list.GetItemData(1));
    const LPARAM last = static_cast<LPARAM>(list.GetItemData(2));
    EXPECT_EQ(CSortList::Compare(first, bad, CSortList::SORT_DATETIME), 0);
    EXPECT_EQ(CSortList::Compare(bad, last, -CSortList::SORT_DATETIME), 0);
    EXPECT_EQ(CSortList::Compare(first, last, CSortList::SORT_DATETIME), 1);
    EXPECT_EQ(CSortList::Compare(last, first, CSortList::SORT_DATETIME), -1);
    EXPECT_EQ(CSortList::Compare(first, last, -CSortList::SORT_DATETIME), -1);
    // Equal dates and equal reals compare as 1.
    EXPECT_EQ(CSortList::Compare(first, first, CSortList::SORT_DATETIME), 1);
    EXPECT_EQ(CSortList::Compare(first, first, CSortList::SORT_REAL), 1);
}

TEST_F(SortList, ACopyHoldsOnlyTheList)
{
    Fill({ "2", "1" });
    {
        CSortList sorter(&list, 1);
        CSortList copy(sorter);
        copy = sorter;
    } // only the first restores: the copy holds no records
    EXPECT_EQ(list.GetItemData(0), 1000u);
    EXPECT_EQ(list.GetItemData(1), 1001u);
}

} // namespace
