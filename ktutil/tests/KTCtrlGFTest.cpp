// KTCtrlGF on real controls in a parent window: buttons, edits, combo boxes, list boxes, and the
// by-id forms; list views and trees.
#include "ktutil/KTCtrlGF.h"

#include "testkit/TestWindow.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/controls/TreeCtrl.h"
#include "platform/ui/controls/ListBox.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr UINT kCheckId = 1001;
constexpr UINT kEditId = 1002;
constexpr UINT kComboId = 1003;
constexpr UINT kListId = 1004;

class KTCtrlGFTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateTop(CRect(0, 0, 400, 300)));
        ASSERT_TRUE(m_check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(10, 10, 110, 30), &m_parent, kCheckId));
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 40, 110, 60), &m_parent, kEditId));
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 70, 110, 200), &m_parent, kComboId));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(120, 10, 220, 100), &m_parent, kListId));
    }

    static CRect PlaceOf(CWnd& control)
    {
        CRect rect;
        control.GetWindowRect(&rect);
        control.GetParent()->ScreenToClient(&rect);
        return rect;
    }

    testkit::RecordingWnd m_parent;
    CButton m_check;
    CEdit m_edit;
    CComboBox m_combo;
    CListBox m_list;
};

} // namespace

TEST_F(KTCtrlGFTest, ValidityNeedsAnObjectWithAWindow)
{
    CEdit unmade;
    EXPECT_TRUE(KTCtrlGF::IsValidWnd(&m_edit));
    EXPECT_FALSE(KTCtrlGF::IsValidWnd(&unmade));
    EXPECT_FALSE(KTCtrlGF::IsValidWnd(nullptr));
    EXPECT_EQ(KTCtrlGF::GetWnd(&m_parent, kEditId)->GetSafeHwnd(), m_edit.m_hWnd);
    EXPECT_EQ(KTCtrlGF::GetWnd(&m_parent, 9999), nullptr);
    EXPECT_EQ(KTCtrlGF::GetWnd(nullptr, kEditId), nullptr);

    // Failure values on a control without a window.
    EXPECT_EQ(KTCtrlGF::GetWndNum(&unmade), 0);
    EXPECT_EQ(KTCtrlGF::BTN_GetCheck(&m_parent, 9999), 0);
    EXPECT_EQ(KTCtrlGF::CBO_FindString(nullptr, "x", TRUE), -1);
    KTCtrlGF::SetWndNum(&unmade, 5); // nothing happens
    KTCtrlGF::MoveWnd(&m_parent, 9999, 1, 1);
}

TEST_F(KTCtrlGFTest, MovesAndResizesWithinTheParent)
{
    KTCtrlGF::MoveWnd(&m_edit, 5, -3);
    EXPECT_EQ(PlaceOf(m_edit), CRect(15, 37, 115, 57));
    KTCtrlGF::ResizeWnd(&m_parent, kEditId, 20, 10);
    EXPECT_EQ(PlaceOf(m_edit), CRect(15, 37, 135, 67));
}

TEST_F(KTCtrlGFTest, NumbersAsWindowText)
{
    const std::pair<const char*, int> texts[] = {
        { "12ab", 12 }, { "-7", -7 }, { "  42", 42 }, { "abc", 0 }, { "", 0 }, { "99999999999", INT_MAX },
    };
    for (auto [text, value] : texts) {
        m_edit.SetWindowText(text);
        EXPECT_EQ(KTCtrlGF::GetWndNum(&m_edit), value) << text;
    }
    KTCtrlGF::SetWndNum(&m_parent, kEditId, -1234);
    CString text;
    m_edit.GetWindowText(text);
    EXPECT_EQ(text, CString("-1234"));
    EXPECT_EQ(KTCtrlGF::GetWndNum(&m_parent, kEditId), -1234);
}

TEST_F(KTCtrlGFTest, EnablesFocusesAndSelects)
{
    KTCtrlGF::EnableWnd(&m_parent, kListId, FALSE);
    EXPECT_FALSE(m_list.IsWindowEnabled());
    KTCtrlGF::EnableWnd(&m_list, TRUE);
    EXPECT_TRUE(m_list.IsWindowEnabled());

    m_edit.SetWindowText("patient name");
    KTCtrlGF::EDT_SetFocus(&m_edit, TRUE);
    EXPECT_EQ(::GetFocus(), m_edit.m_hWnd);
    int start = -1, end = -1;
    m_edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 12);

    m_edit.SetSel(3, 3);
    KTCtrlGF::EDT_SetFocus(&m_parent, kEditId, FALSE); // the selection stays
    m_edit.GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 3);
}

TEST_F(KTCtrlGFTest, ChecksButtonsInAllThreeStates)
{
    for (int state : { 1, 2, 0 }) {
        KTCtrlGF::BTN_SetCheck(&m_check, state);
        EXPECT_EQ(KTCtrlGF::BTN_GetCheck(&m_check), state);
        EXPECT_EQ(KTCtrlGF::BTN_GetCheck(&m_parent, kCheckId), state);
    }
    KTCtrlGF::BTN_SetCheck(&m_parent, kCheckId, 1);
    EXPECT_EQ(m_check.GetCheck(), 1);
}

TEST_F(KTCtrlGFTest, FindsComboAndListEntriesByTextAndData)
{
    for (const char* text : { "Normal", "Twins", "normal", "Breech" }) {
        m_combo.AddString(text);
        m_list.AddString(text);
    }
    m_combo.SetItemData(0, 10);
    m_combo.SetItemData(1, 20);
    m_combo.SetItemData(3, 20);

    EXPECT_EQ(KTCtrlGF::CBO_FindString(&m_combo, "normal", TRUE), 2);
    EXPECT_EQ(KTCtrlGF::CBO_FindString(&m_combo, "normal", FALSE), 0);
    EXPECT_EQ(KTCtrlGF::CBO_FindString(&m_combo, "Norm", FALSE), -1); // whole entries only
    EXPECT_EQ(KTCtrlGF::CBO_FindData(&m_combo, 20), 1);
    EXPECT_EQ(KTCtrlGF::CBO_FindData(&m_combo, 30), -1);
    EXPECT_EQ(KTCtrlGF::LB_FindString(&m_list, "BREECH", FALSE), 3);
    EXPECT_EQ(KTCtrlGF::LB_FindString(&m_list, "BREECH", TRUE), -1);
    EXPECT_EQ(KTCtrlGF::LB_FindString(&m_list, "Twins", TRUE), 1);
}

// ---- list views ----------------------------------------------------------------------------------------

namespace {

class KTCtrlGFListTest : public KTCtrlGFTest
{
protected:
    void SetUp() override
    {
        KTCtrlGFTest::SetUp();
        MakeList(m_patients, 2001, 3);
        MakeList(m_copy, 2002, 3);
        MakeList(m_narrow, 2003, 2);
        const char* rows[][3] = { { "P001", "Kim", "1980" }, { "P002", "Lee", "1991" }, { "p001", "Park", "1975" } };
        for (int i = 0; i < 3; ++i) {
            m_patients.InsertItem(i, rows[i][0]);
            m_patients.SetItemText(i, 1, rows[i][1]);
            m_patients.SetItemText(i, 2, rows[i][2]);
            m_patients.SetItemData(i, 100 + i);
        }
    }

    void MakeList(CListCtrl& list, UINT id, int columns)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 150), &m_parent, id));
        list.SetExtendedStyle(LVS_EX_CHECKBOXES);
        for (int c = 0; c < columns; ++c)
            list.InsertColumn(c, "Column", LVCFMT_LEFT, 80);
    }

    static void Select(CListCtrl& list, int item, UINT states)
    {
        list.SetItemState(item, states, LVIS_SELECTED | LVIS_FOCUSED);
    }

    static std::vector<std::string> Row(const CListCtrl& list, int item)
    {
        std::vector<std::string> row;
        for (int c = 0; c < 3; ++c)
            row.push_back(static_cast<LPCTSTR>(list.GetItemText(item, c)));
        row.push_back(std::to_string(list.GetItemData(item)));
        return row;
    }

    CListCtrl m_patients;
    CListCtrl m_copy;
    CListCtrl m_narrow;
};

} // namespace

TEST_F(KTCtrlGFListTest, TheSelectedIndexCanAskForTheFocusToo)
{
    EXPECT_EQ(KTCtrlGF::LST_GetSelectedIndex(&m_patients, FALSE), -1);
    Select(m_patients, 1, LVIS_SELECTED);
    Select(m_patients, 2, LVIS_FOCUSED); // focused but not selected
    EXPECT_EQ(KTCtrlGF::LST_GetSelectedIndex(&m_patients, FALSE), 1);
    EXPECT_EQ(KTCtrlGF::LST_GetSelectedIndex(&m_patients, TRUE), -1);
    Select(m_patients, 2, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(KTCtrlGF::LST_GetSelectedIndex(&m_patients, TRUE), 2);
    EXPECT_EQ(KTCtrlGF::LST_GetSelectedIndex(nullptr, FALSE), -1);
}

TEST_F(KTCtrlGFListTest, SelectingOneItemClearsTheOthersOnlyWhenExclusive)
{
    Select(m_patients, 0, LVIS_SELECTED);
    EXPECT_EQ(KTCtrlGF::LST_SelectItem(&m_patients, 2, FALSE), 1);
    EXPECT_EQ(m_patients.GetItemState(0, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(m_patients.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);

    EXPECT_EQ(KTCtrlGF::LST_SelectItem(&m_patients, 1, TRUE), 1);
    EXPECT_EQ(m_patients.GetSelectedCount(), 1u);
    EXPECT_EQ(KTCtrlGF::LST_GetSelectedIndex(&m_patients, TRUE), 1);

    EXPECT_EQ(KTCtrlGF::LST_SelectItem(&m_patients, 9, TRUE), 1); // beyond the items: none left
    EXPECT_EQ(m_patients.GetSelectedCount(), 0u);
    EXPECT_EQ(KTCtrlGF::LST_SelectItem(&m_copy, 0, TRUE), 1);     // an empty list
    CListCtrl unmade;
    EXPECT_EQ(KTCtrlGF::LST_SelectItem(&unmade, 0, TRUE), 0);
}

TEST_F(KTCtrlGFListTest, FindsTextsByColumnAndCountsChecks)
{
    EXPECT_EQ(KTCtrlGF::LST_FindString(&m_patients, 0, "p001", TRUE), 2);
    EXPECT_EQ(KTCtrlGF::LST_FindString(&m_patients, 0, "p001", FALSE), 0);
    EXPECT_EQ(KTCtrlGF::LST_FindString(&m_patients, 1, "LEE", FALSE), 1);
    EXPECT_EQ(KTCtrlGF::LST_FindString(&m_patients, 2, "2000", FALSE), -1);

    EXPECT_EQ(KTCtrlGF::LST_GetCheckedCount(&m_patients), 0);
    m_patients.SetCheck(0);
    m_patients.SetCheck(2);
    EXPECT_EQ(KTCtrlGF::LST_GetCheckedCount(&m_patients), 2);
}

TEST_F(KTCtrlGFListTest, CopiesItemsWithEveryColumnAndTheirData)
{
    m_copy.InsertItem(0, "old");
    EXPECT_EQ(KTCtrlGF::LST_CopyItemAll(&m_patients, &m_copy, TRUE), 1);
    ASSERT_EQ(m_copy.GetItemCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Row(m_copy, i), Row(m_patients, i));

    EXPECT_EQ(KTCtrlGF::LST_CopyItem(&m_patients, &m_copy, 1, 0), 0);
    EXPECT_EQ(Row(m_copy, 0), Row(m_patients, 1));
    EXPECT_EQ(KTCtrlGF::LST_CopyItem(&m_patients, &m_copy, 2, 99), 4); // appended
    EXPECT_EQ(Row(m_copy, 4), Row(m_patients, 2));
    EXPECT_EQ(KTCtrlGF::LST_CopyItem(&m_patients, &m_copy, 7, 0), -1);
}

TEST_F(KTCtrlGFListTest, DifferentColumnCountsCopyNothing)
{
    EXPECT_EQ(KTCtrlGF::LST_CopyItemAll(&m_patients, &m_narrow, TRUE), 0);
    EXPECT_EQ(KTCtrlGF::LST_CopyItem(&m_patients, &m_narrow, 0, 0), -1);
    EXPECT_EQ(m_narrow.GetItemCount(), 0);
}

// ---- trees ------------------------------------------------------------------------------------------------

TEST_F(KTCtrlGFTest, TreeSelectionMovesTheSelectedStateButNotTheCaret)
{
    constexpr UINT kTreeId = 3001;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(230, 10, 390, 200), &m_parent, kTreeId));
    HTREEITEM ward = tree.InsertItem("Ward");
    HTREEITEM bed1 = tree.InsertItem("Bed 1", ward);
    HTREEITEM bed2 = tree.InsertItem("Bed 2", ward);

    EXPECT_EQ(KTCtrlGF::TRE_GetSelectedItem(&tree), nullptr);
    ASSERT_TRUE(tree.SelectItem(bed1));
    EXPECT_EQ(KTCtrlGF::TRE_GetSelectedItem(&tree), bed1);
    EXPECT_EQ(KTCtrlGF::TRE_GetSelectedItem(&m_parent, kTreeId), bed1);

    EXPECT_TRUE(KTCtrlGF::TRE_SetSelectedItem(&m_parent, kTreeId, bed2));
    EXPECT_EQ(tree.GetItemState(bed1, TVIS_SELECTED), 0u);
    EXPECT_EQ(tree.GetItemState(bed2, TVIS_SELECTED), TVIS_SELECTED);
    EXPECT_EQ(tree.GetSelectedItem(), bed1); // the caret stays

    CTreeCtrl unmade;
    EXPECT_EQ(KTCtrlGF::TRE_GetSelectedItem(&unmade), nullptr);
    EXPECT_FALSE(KTCtrlGF::TRE_SetSelectedItem(&unmade, bed2));
    EXPECT_EQ(KTCtrlGF::TRE_GetSelectedItem(&m_parent, 9999), nullptr);
}
