// KTCtrlGF on real controls in a parent window: buttons, edits, combo boxes, list boxes, and the
// by-id forms.
#include "ktutil/KTCtrlGF.h"

#include "platform/tests/support/MsgTestWindow.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"

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

    msgtest::RecordingWnd m_parent;
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
