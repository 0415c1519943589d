// Edit controls driven by injected keyboard and mouse input under the null host: typing,
// selection, the clipboard, undo, styles that filter input, limits and notifications.
#include "platform/ui/controls/Clipboard.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ScrollBar.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kEditId = 100;

class UiEdit : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }

    void Make(DWORD style)
    {
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | style, CRect(10, 10, 210, 34), &parent, kEditId));
        edit.SetFocus();
        Pump();
        parent.received.clear();
    }

    CString Text() const
    {
        CString text;
        edit.GetWindowText(text);
        return text;
    }

    testkit::ParentWnd parent;
    CEdit edit;
};

TEST_F(UiEdit, TypingInsertsAtTheCaretAndNotifiesUpdateThenChange)
{
    Make(ES_AUTOHSCROLL);
    NullHost::TypeText("Kim 7");
    Pump();
    // Each key is pumped before the next: the characters that TranslateMessage makes are
    // posted behind whatever input is already queued.
    EXPECT_EQ(Text(), "Kim 7");
    auto codes = parent.Codes(kEditId);
    ASSERT_EQ(codes.size(), 10u);
    EXPECT_EQ(codes[0], EN_UPDATE);
    EXPECT_EQ(codes[1], EN_CHANGE);
    for (int key : { VK_HOME, VK_RIGHT, VK_OEM_MINUS })
        NullHost::PressKey(key), Pump();
    EXPECT_EQ(Text(), "K-im 7");
    for (int key : { VK_BACK, VK_END, VK_BACK, VK_DELETE }) // nothing after the caret to delete
        NullHost::PressKey(key), Pump();
    EXPECT_EQ(Text(), "Kim ");
}

TEST_F(UiEdit, ShiftArrowsSelectAndClipboardCutCopyPaste)
{
    Make(ES_AUTOHSCROLL);
    NullHost::TypeText("Seoul ward");
    Pump();
    NullHost::PressKey(VK_HOME);
    NullHost::KeyDown(VK_SHIFT);
    for (int i = 0; i < 5; ++i)
        NullHost::PressKey(VK_RIGHT);
    NullHost::KeyUp(VK_SHIFT);
    Pump();
    int from = -1, to = -1;
    edit.GetSel(from, to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 5);

    NullHost::PressKeyWith('C', { VK_CONTROL });
    Pump();
    EXPECT_EQ(platform::ui::GetClipboardText(), "Seoul");
    NullHost::PressKeyWith('X', { VK_CONTROL });
    Pump();
    EXPECT_EQ(Text(), " ward");
    NullHost::PressKey(VK_END);
    NullHost::PressKeyWith('V', { VK_CONTROL });
    Pump();
    EXPECT_EQ(Text(), " wardSeoul");
    // Undo takes back the last change only.
    NullHost::PressKeyWith('Z', { VK_CONTROL });
    Pump();
    EXPECT_EQ(Text(), " ward");
}

TEST_F(UiEdit, MouseDragSelectsAndTypingReplacesTheSelection)
{
    Make(ES_AUTOHSCROLL);
    edit.SetWindowText("alpha beta");
    CRect client;
    edit.GetClientRect(&client);
    POINT start = testkit::ScreenPoint(edit, 1, client.Height() / 2);
    POINT end = testkit::ScreenPoint(edit, client.Width() - 2, client.Height() / 2);
    NullHost::MoveMouse(start.x, start.y);
    NullHost::MouseDown(start.x, start.y);
    NullHost::MoveMouse(end.x, end.y);
    NullHost::MouseUp(end.x, end.y);
    Pump();
    int from = -1, to = -1;
    edit.GetSel(from, to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 10);
    NullHost::TypeText("x");
    Pump();
    EXPECT_EQ(Text(), "x");
    // A double click selects one word.
    edit.SetWindowText("alpha beta");
    POINT beta = testkit::ScreenPoint(edit, client.Width() - 2, client.Height() / 2);
    NullHost::DoubleClick(beta.x, beta.y);
    Pump();
    edit.GetSel(from, to);
    EXPECT_EQ(from, 6);
    EXPECT_EQ(to, 10);
}

TEST_F(UiEdit, TypedWordIsOneUndoStep)
{
    Make(ES_AUTOHSCROLL);
    edit.SetWindowText("A");
    edit.SetSel(1, 1);
    NullHost::TypeText("bcd");
    Pump();
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "A");
    EXPECT_TRUE(edit.Undo()); // undo of the undo puts it back
    EXPECT_EQ(Text(), "Abcd");
}

struct FilterCase
{
    const char* name;
    DWORD style;
    const char* typed;
    const char* expected;
};

class UiEditFilter : public UiEdit, public ::testing::WithParamInterface<FilterCase>
{
};

TEST_P(UiEditFilter, StyleFiltersTypedText)
{
    Make(GetParam().style);
    NullHost::TypeText(GetParam().typed);
    Pump();
    EXPECT_EQ(Text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Styles, UiEditFilter,
                         ::testing::Values(FilterCase { "UpperCase", ES_UPPERCASE, "abc Xy", "ABC XY" },
                                           FilterCase { "NumberOnly", ES_NUMBER, "12a-3.4", "1234" },
                                           FilterCase { "ReadOnly", ES_READONLY, "abc", "" },
                                           FilterCase { "Korean", 0, "한글 ok", "한글 ok" },
                                           FilterCase { "SingleLineIgnoresEnter", 0, "a\rb", "ab" }),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UiEdit, ReadOnlySwitchedAtRunTime)
{
    Make(0);
    NullHost::TypeText("ab");
    Pump();
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    NullHost::TypeText("cd");
    Pump();
    EXPECT_EQ(Text(), "ab");
    edit.SetReadOnly(FALSE);
    NullHost::TypeText("cd");
    Pump();
    EXPECT_EQ(Text(), "abcd");
}

TEST_F(UiEdit, LimitCutsTypedAndPastedTextWithoutSplittingACharacter)
{
    Make(0);
    edit.SetLimitText(4);
    NullHost::TypeText("abcdef");
    Pump();
    EXPECT_EQ(Text(), "abcd");
    EXPECT_NE(std::find(parent.Codes(kEditId).begin(), parent.Codes(kEditId).end(), EN_MAXTEXT), parent.Codes(kEditId).end());
    edit.SetWindowText("");
    edit.SetLimitText(4);
    platform::ui::SetClipboardText("a한글"); // 1 + 3 + 3 bytes
    edit.Paste();
    EXPECT_EQ(Text(), "a한");
}

TEST_F(UiEdit, PasswordShowsNoTextAndRefusesCopy)
{
    Make(ES_PASSWORD);
    platform::ui::SetClipboardText("before");
    NullHost::TypeText("secret");
    Pump();
    edit.SetSel(0, -1);
    edit.Copy();
    EXPECT_EQ(platform::ui::GetClipboardText(), "before");
    EXPECT_EQ(Text(), "secret");
}

TEST_F(UiEdit, FocusNotificationsGoToTheParent)
{
    Make(0);
    CEdit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 50, 100, 70), &parent, kEditId + 1));
    other.SetFocus();
    edit.SetFocus();
    Pump();
    auto codes = parent.Codes(kEditId);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0], EN_KILLFOCUS);
    EXPECT_EQ(codes[1], EN_SETFOCUS);
}

TEST_F(UiEdit, MultiLineEnterAndArrowsAndScrollsCaretIntoView)
{
    Make(ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | ES_AUTOVSCROLL);
    NullHost::TypeText("one\rtwo\rthree\rfour\rfive");
    Pump();
    EXPECT_EQ(Text(), "one\r\ntwo\r\nthree\r\nfour\r\nfive");
    EXPECT_EQ(edit.GetLineCount(), 5);
    // The 24-pixel-high box shows one line: the caret's last line is the first visible one.
    EXPECT_EQ(edit.GetFirstVisibleLine(), 4);
    NullHost::PressKey(VK_UP);
    NullHost::PressKey(VK_UP);
    Pump();
    EXPECT_EQ(edit.LineFromChar(-1), 2);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 2);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 4);
    EXPECT_EQ(info.nPos, 2);
    char line[16] {};
    EXPECT_EQ(edit.GetLine(2, line, sizeof(line)), 5);
    EXPECT_STREQ(line, "three");
}

TEST_F(UiEdit, MultiLineWithoutAutoScrollWrapsAtWordEnds)
{
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(10, 50, 90, 150), &parent, kEditId));
    edit.SetWindowText("Admitted at night with contractions every five minutes");
    int lines = edit.GetLineCount();
    EXPECT_GT(lines, 2);
    for (int line = 1; line < lines; ++line) {
        int start = edit.LineIndex(line);
        ASSERT_GT(start, 0);
        EXPECT_EQ(Text()[start - 1], ' ') << "line " << line << " starts inside a word";
    }
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Admitted at night with contractions every five minutes"); // wrapping adds no breaks
}

} // namespace
