// The number edit: what typing leaves (keys and characters under the sign and point flags),
// pastes that are taken whole or refused, and reading and writing integers and reals with the
// limits of the classic conversions.
#include "ktctrl/basic/KTNumberEdit.h"
#include "platform/ui/controls/Clipboard.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using platform::host::NullHost;
using testkit::Pump;

namespace {

// An edit with the flags holding `text` (selected from `start` to `end`, -1 for the caret after
// the text), the input typed or pasted into it, and the text it leaves.
struct EditCase
{
    int sign, dot;
    const char* text;
    int start, end;
    const char* input;
    const char* result;
};

class KTNumberEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop());
        Pump();
    }

    // A number edit with the flags, focused, holding `text` with the selection from `start`
    // to `end` (-1: the caret after the text).
    KTNumberEdit& Make(int sign, int dot, const char* text = "", int start = -1, int end = -1)
    {
        edit = std::make_unique<KTNumberEdit>(sign, dot);
        EXPECT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 150, 32), &parent, 700));
        edit->SetWindowText(text);
        edit->SetFocus();
        int length = edit->GetWindowTextLength();
        edit->SetSel(start < 0 ? length : start, end < 0 ? (start < 0 ? length : start) : end);
        Pump();
        return *edit;
    }
    CString Text() const
    {
        CString text;
        edit->GetWindowText(text);
        return text;
    }
    CString Typed(const char* keys)
    {
        NullHost::TypeText(keys);
        Pump();
        return Text();
    }
    CString Pasted(const char* clipboard)
    {
        platform::ui::SetClipboardText(clipboard);
        NullHost::PressKeyWith('V', { VK_CONTROL });
        Pump();
        return Text();
    }

    testkit::ParentWnd parent;
    std::unique_ptr<KTNumberEdit> edit;
};

TEST_F(KTNumberEditTest, TypingKeepsOnlyTheCharactersOfANumber)
{
    const EditCase cases[] = {
        { 0, 0, "", -1, -1, "12a-.3b", "123" },
        { 0, 1, "", -1, -1, "1.5.2", "1.52" },            // one point only
        { 0, 1, "1.5", 0, 3, ".", "." },                  // the selection it replaces held the point
        { 0, 1, "1.5", -1, -1, ".", "1.5" },
        { 1, 0, "", -1, -1, "-12-", "-12" },              // a minus only at the start
        { 1, 0, "12", 0, 0, "-", "-12" },
        { 1, 0, "12", 1, 1, "-", "12" },
        { 1, 0, "-12", 0, 0, "-", "-12" },                // one minus only
        { 1, 0, "-12", 0, 1, "-", "-12" },                // replacing the minus that is there
        { 0, 1, "7", -1, -1, "!@#$%^&*()", "7" },         // shifted digits are no digits
        { 1, 1, "", -1, -1, "-0.25", "-0.25" },
    };
    for (const auto& c : cases) {
        Make(c.sign, c.dot, c.text, c.start, c.end);
        EXPECT_EQ(Typed(c.input), c.result) << "sign " << c.sign << " dot " << c.dot << " \"" << c.text << "\" + \"" << c.input << "\"";
    }
}

TEST_F(KTNumberEditTest, KeypadKeysAndEditingKeysPassLettersAreSwallowed)
{
    Make(1, 1, "");
    for (int key : { VK_SUBTRACT, VK_NUMPAD0 + 4, VK_DECIMAL, VK_NUMPAD0 + 2 })
        NullHost::PressKey(key);
    Pump();
    EXPECT_EQ(Text(), "-4.2");
    NullHost::PressKey(VK_BACK);
    NullHost::PressKey(VK_HOME);
    NullHost::PressKey(VK_DELETE);
    Pump();
    EXPECT_EQ(Text(), "4.");
    // A character that arrives alone (an input method's) is held to the same rules.
    edit->SendMessage(WM_CHAR, 'x');
    edit->SendMessage(WM_CHAR, '7');
    EXPECT_EQ(Text(), "74.");
    // Tab and Escape still reach the dialog's navigation: they are not swallowed.
    MSG tab { edit->m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {} };
    MSG letter { edit->m_hWnd, WM_KEYDOWN, 'A', 0, 0, {} };
    MSG escape { edit->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {} };
    EXPECT_FALSE(edit->PreTranslateMessage(&tab));
    EXPECT_FALSE(edit->PreTranslateMessage(&escape));
    EXPECT_TRUE(edit->PreTranslateMessage(&letter));
}

TEST_F(KTNumberEditTest, APasteIsTakenOnlyWhenTheResultIsANumber)
{
    const EditCase cases[] = {
        { 0, 0, "12", -1, -1, "34", "1234" },
        { 0, 0, "12", -1, -1, "3a", "12" },
        { 0, 1, "1.5", -1, -1, ".5", "1.5" },       // two points
        { 0, 1, "1.5", 0, 3, "2.75", "2.75" },      // replaces the selection
        { 0, 0, "", -1, -1, "-5", "" },             // no sign allowed
        { 1, 0, "5", 0, 0, "-", "-5" },
        { 1, 0, "5", -1, -1, "-", "5" },
        { 1, 1, "", -1, -1, " 42", "" },            // blanks are no part of a number
    };
    for (const auto& c : cases) {
        Make(c.sign, c.dot, c.text, c.start, c.end);
        EXPECT_EQ(Pasted(c.input), c.result) << "\"" << c.text << "\" + paste \"" << c.input << "\"";
    }
    // The paste command itself is checked the same way.
    Make(0, 0, "9");
    platform::ui::SetClipboardText("x");
    edit->Paste();
    EXPECT_EQ(Text(), "9");
}

TEST_F(KTNumberEditTest, ReadsIntegersAndRealsLikeTheClassicConversions)
{
    KTNumberEdit windowless;
    EXPECT_EQ(windowless.GetInteger(), 0);
    EXPECT_EQ(windowless.GetReal(), 0.0);
    EXPECT_EQ(windowless.SetInteger(5), 0);

    struct Case
    {
        const char* text;
        int integer;
        double real;
    };
    const Case cases[] = {
        { "12abc", 12, 12.0 },      { "", 0, 0.0 },
        { "-", 0, 0.0 },            { "-17.5", -17, -17.5 },
        { "99999999999", INT_MAX, 99999999999.0 }, { "-99999999999", INT_MIN, -99999999999.0 },
    };
    Make(1, 1);
    for (const auto& c : cases) {
        edit->SetWindowText(c.text);
        EXPECT_EQ(edit->GetInteger(), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(edit->GetReal(), c.real) << c.text;
    }
}

TEST_F(KTNumberEditTest, WritesOnlyWhatItsFlagsAllow)
{
    Make(0, 0, "1");
    EXPECT_EQ(edit->SetInteger(-3), 0);
    EXPECT_EQ(Text(), "1");
    EXPECT_EQ(edit->SetReal(2.5, 0), 0) << "no point allowed, even without decimals";
    EXPECT_EQ(edit->SetInteger(42), 1);
    EXPECT_EQ(Text(), "42");

    Make(0, 1, "1");
    EXPECT_EQ(edit->SetReal(2.5, 1), 1);
    EXPECT_EQ(Text(), "2.5");
    EXPECT_EQ(edit->SetReal(2.5, 2), 1);
    EXPECT_EQ(Text(), "2.50");
    EXPECT_EQ(edit->SetReal(-1.0, 1), 0);
    EXPECT_EQ(edit->SetReal(std::nan(""), 1), 0);
    EXPECT_EQ(Text(), "2.50");
    // The decimals are held to 0 to 15.
    EXPECT_EQ(edit->SetReal(1.0, 99), 1);
    EXPECT_EQ(Text(), "1.000000000000000");
    EXPECT_EQ(edit->SetReal(1.0, -4), 1);
    EXPECT_EQ(Text(), "1");

    Make(1, 1);
    EXPECT_EQ(edit->SetReal(-0.5, 2), 1);
    EXPECT_EQ(Text(), "-0.50");
    EXPECT_EQ(edit->SetReal(std::numeric_limits<double>::infinity(), 2), 0);
    EXPECT_EQ(edit->SetInteger(INT_MIN), 1);
    EXPECT_EQ(edit->GetInteger(), INT_MIN);
}

} // namespace
