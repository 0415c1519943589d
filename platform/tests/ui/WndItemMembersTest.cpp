// CWnd's dialog-item and scroll-bar members on an ordinary window (a view or a frame, not a
// dialog): they act on its child controls and its own window scroll bars.
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ScrollBar.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

namespace {

constexpr int kEdit = 10, kRadioFirst = 20, kRadioLast = 22, kCheck = 30;

class WndMembers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(view.CreateTop(400, 300));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &view, kEdit));
        for (int id = kRadioFirst; id <= kRadioLast; ++id)
            ASSERT_TRUE(radios[id - kRadioFirst].Create("r", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON,
                                                        CRect(10, 40 + 20 * (id - kRadioFirst), 100, 58), &view, id));
        ASSERT_TRUE(check.Create("c", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 120, 100, 138), &view, kCheck));
    }

    testkit::ParentWnd view;
    CEdit edit;
    CButton radios[3];
    CButton check;
};

TEST_F(WndMembers, DialogItemsOfAnOrdinaryWindow)
{
    view.SetDlgItemText(kEdit, "abc");
    CString text;
    EXPECT_EQ(view.GetDlgItemText(kEdit, text), 3);
    EXPECT_EQ(text, "abc");
    char buffer[3];
    EXPECT_EQ(view.GetDlgItemText(kEdit, buffer, sizeof buffer), 2); // cut to the buffer
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(view.SendDlgItemMessage(kEdit, WM_GETTEXTLENGTH), 3);

    view.SetDlgItemInt(kEdit, static_cast<UINT>(-42), TRUE);
    BOOL translated = FALSE;
    EXPECT_EQ(static_cast<int>(view.GetDlgItemInt(kEdit, &translated, TRUE)), -42);
    EXPECT_TRUE(translated);

    EXPECT_EQ(view.GetCheckedRadioButton(kRadioFirst, kRadioLast), 0);
    view.CheckRadioButton(kRadioFirst, kRadioLast, 21);
    EXPECT_EQ(view.GetCheckedRadioButton(kRadioFirst, kRadioLast), 21);
    EXPECT_EQ(view.IsDlgButtonChecked(21), static_cast<UINT>(BST_CHECKED));
    view.CheckDlgButton(kCheck, BST_CHECKED);
    EXPECT_EQ(view.IsDlgButtonChecked(kCheck), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
}

TEST_F(WndMembers, WindowScrollBarsOfAnOrdinaryWindow)
{
    view.SetScrollRange(SB_VERT, 0, 100);
    EXPECT_TRUE(view.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(view.SetScrollPos(SB_VERT, 40), 0);
    EXPECT_EQ(view.GetScrollPos(SB_VERT), 40);
    int low = -1, high = -1;
    view.GetScrollRange(SB_VERT, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);

    SCROLLINFO info;
    info.fMask = SIF_PAGE;
    info.nPage = 10;
    EXPECT_TRUE(view.SetScrollInfo(SB_VERT, &info));
    EXPECT_EQ(view.GetScrollLimit(SB_VERT), 91);
    SCROLLINFO read;
    EXPECT_TRUE(view.GetScrollInfo(SB_VERT, &read, SIF_POS | SIF_PAGE));
    EXPECT_EQ(read.nPos, 40);
    EXPECT_EQ(read.nPage, 10u);

    view.ShowScrollBar(SB_VERT, FALSE);
    EXPECT_FALSE(view.GetStyle() & WS_VSCROLL);
    view.EnableScrollBarCtrl(SB_BOTH, TRUE);
    EXPECT_EQ(view.GetStyle() & (WS_HSCROLL | WS_VSCROLL), static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL));
    EXPECT_TRUE(view.EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH));
}

} // namespace
