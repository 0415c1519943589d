// The styled edit, combo box and list box: the edit's key filter in each mode, reading its
// text as a number, colours by state and the drawn borders, the combo box's completion from
// its items, and the styles the list box forces.
#include "ktctrl/styled/KTStyledControls.h"
#include "support/WindowPixels.h"
#include "platform/core/Clock.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "testkit/ControlParent.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

COLORREF WindowPixel(HWND hwnd, int x, int y)
{
    CWindowDC dc(CWnd::FromHandle(hwnd));
    return dc.GetPixel(x, y);
}

class StyledTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop(CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE));
        Pump();
    }
    CString Text(CWnd& wnd) const
    {
        CString text;
        wnd.GetWindowText(text);
        return text;
    }
    void Type(CWnd& wnd, const char* text)
    {
        wnd.SetFocus();
        NullHost::TypeText(text);
        Pump();
    }

    platform::ScopedTestClock clock { 10000 };
    testkit::RecordingWnd parent;
};

// ---- KTEdit ----------------------------------------------------------------------------------------------

TEST_F(StyledTest, TheEditTakesCharactersOnlyInRealModeWithInputEnabled)
{
    struct { int realMode; int input; const char* typed; const char* result; } cases[] = {
        { 0, 1, "12ab", "" },
        { 1, 1, "12.5", "12.5" },
        { 1, 1, "1.2.3", "1.23" },
        { 1, 1, "7x-9", "79" },
        { 1, 0, "12", "" },
    };
    for (auto c : cases) {
        KTEdit edit(0, c.realMode);
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &parent, 200));
        edit.EnableInput(c.input);
        Type(edit, c.typed);
        EXPECT_EQ(Text(edit), c.result) << c.typed << " real " << c.realMode << " input " << c.input;
    }
}

TEST_F(StyledTest, BackspaceAndDeletePassOnlyInRealMode)
{
    for (int realMode : { 0, 1 }) {
        KTEdit edit(0, realMode);
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &parent, 200));
        edit.SetWindowText("123");
        edit.SetFocus();
        edit.SetSel(3, 3);
        NullHost::PressKey(VK_BACK);
        NullHost::PressKey(VK_HOME);
        NullHost::PressKey(VK_DELETE);
        Pump();
        EXPECT_EQ(Text(edit), realMode ? "2" : "123") << realMode;
    }
}

TEST_F(StyledTest, TheEditReadsItsTextAsOneDecimal)
{
    KTEdit edit(0, 1);
    EXPECT_EQ(edit.GetReal(), 0.0) << "no window";
    EXPECT_EQ(edit.GetNumber(), 0);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &parent, 200));
    struct { const char* text; double real; int number; } cases[] = {
        { "", 0.0, 0 },        { "12.05", 12.05, 12 }, { "-1.5", -1.5, -1 }, { "-0.25", -0.25, 0 },
        { ".5", 0.5, 0 },      { "7", 7.0, 7 },         { "3.", 3.0, 3 },     { "42abc", 42.0, 42 },
    };
    for (auto c : cases) {
        edit.SetWindowText(c.text);
        EXPECT_DOUBLE_EQ(edit.GetReal(), c.real) << c.text;
        EXPECT_EQ(edit.GetNumber(), c.number) << c.text;
    }
    KTEdit plain(0, 0);
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 150, 60), &parent, 201));
    plain.SetWindowText("3.14159");
    plain.EnableRealMode(1);
    EXPECT_EQ(Text(plain), "3.14") << "switching real mode on reformats the text";
}

TEST_F(StyledTest, ColourSettersChangeOnlyWhatTheyNameAndBordersFollowTheStyle)
{
    KTEdit edit(1, 1);
    COLORREF normal = edit.GetTextCr(0), disabled = edit.GetTextCr(2);
    edit.SetTextCr(kRed, 1);
    EXPECT_EQ(edit.GetTextCr(1), kRed);
    EXPECT_EQ(edit.GetTextCr(0), normal);
    EXPECT_EQ(edit.GetTextCr(2), disabled);
    edit.SetTextCr(kRed, 7); // an index past the three is ignored
    EXPECT_EQ(edit.GetTextCr(0), normal);

    edit.SetBorderCr(RGB(0, 0, 255));
    edit.SetBkCr(RGB(255, 255, 255), RGB(255, 255, 0), RGB(200, 200, 200));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &parent, 200));
    Pump();
    EXPECT_EQ(WindowPixel(edit, 0, 0), RGB(0, 0, 255)) << "style 1: a line in the border colour";
    EXPECT_EQ(WindowPixel(edit, 1, 1), RGB(255, 255, 255)) << "then the background";
    edit.SetFocus();
    Pump();
    edit.RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(edit, 1, 1), kYellow) << "focused: the focused background";
    edit.SetKTStyle(2);
    Pump();
    EXPECT_EQ(WindowPixel(edit, 1, 1), RGB(0, 0, 255)) << "style 2: two lines";
    edit.EnableWindow(FALSE);
    Pump();
    EXPECT_EQ(WindowPixel(edit, 0, 0), ::GetSysColor(COLOR_BTNSHADOW)) << "disabled: the shadow colour";
}

// ---- KTComboBox --------------------------------------------------------------------------------------------

TEST_F(StyledTest, TheComboBoxCompletesFromItsItemsUntilBackspace)
{
    KTComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 150, 200), &parent, 300));
    combo.AddString("Black");
    combo.AddString("Blue");
    combo.EnableAutoCompletion(1);
    Type(combo, "Bl");
    EXPECT_EQ(Text(combo), "Black");
    DWORD selection = combo.GetEditSel();
    EXPECT_EQ(LOWORD(selection), 2);
    EXPECT_EQ(HIWORD(selection), 5);
    NullHost::PressKey(VK_BACK);
    Pump();
    EXPECT_EQ(Text(combo), "Bl") << "Backspace removes without completing again";
    NullHost::TypeText("u");
    Pump();
    EXPECT_EQ(Text(combo), "Blue") << "the next character completes again";

    KTComboBox plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(160, 10, 300, 200), &parent, 301));
    plain.AddString("Black");
    Type(plain, "Bl");
    EXPECT_EQ(Text(plain), "Bl") << "completion is off by default";
}

TEST_F(StyledTest, SwitchingAComboBoxBackToTheNormalStyleRestoresItsEdge)
{
    KTComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 150, 200), &parent, 300));
    combo.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    Pump();
    combo.Invalidate();
    Pump();
    EXPECT_EQ(combo.GetExStyle() & WS_EX_CLIENTEDGE, 0u) << "a styled paint takes the edge off";
    combo.SetKTStyle(0);
    EXPECT_NE(combo.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
}

// ---- KTPrgListBox -------------------------------------------------------------------------------------------

TEST_F(StyledTest, TheListBoxIsOwnerDrawnWithFixedRowsInOneColumn)
{
    KTPrgListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_MULTICOLUMN, CRect(10, 10, 150, 100),
                            &parent, 400));
    DWORD style = list.GetStyle();
    EXPECT_NE(style & LBS_OWNERDRAWFIXED, 0u);
    EXPECT_EQ(style & LBS_OWNERDRAWVARIABLE, 0u);
    EXPECT_EQ(style & LBS_MULTICOLUMN, 0u);
}

} // namespace
