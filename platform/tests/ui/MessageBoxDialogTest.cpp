// The drawn message box: buttons of each type, the default button, Escape only where there is
// Cancel, clicks, the layout of text with line breaks and an icon (golden picture), and the
// installed service showing it for AfxMessageBox.
#include "platform/msg/CommonDialogService.h"
#include "platform/msg/MessageBoxService.h"
#include "platform/ui/dialogs/MessageBoxDialog.h"
#include "testkit/Golden.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

#include <functional>

using platform::host::NullHost;
using platform::msg::MessageBoxRequest;
using testkit::Pump;

namespace {

// A message box that runs `inLoop` once it is up, inside its modal loop.
class ScriptedBox : public CMessageBoxDialog
{
public:
    ScriptedBox(const MessageBoxRequest& request, std::function<void(ScriptedBox&)> inLoop)
        : CMessageBoxDialog(request), m_inLoop(std::move(inLoop))
    {
    }

    BOOL OnInitDialog() override
    {
        BOOL result = CMessageBoxDialog::OnInitDialog();
        PostMessage(WM_APP + 7);
        return result;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 7) {
            m_inLoop(*this);
            return 0;
        }
        return CMessageBoxDialog::WindowProc(message, wParam, lParam);
    }

private:
    std::function<void(ScriptedBox&)> m_inLoop;
};

MessageBoxRequest Request(UINT type, const char* text = "Delete the study?")
{
    MessageBoxRequest request;
    request.caption = "Tarvic II";
    request.text = text;
    request.type = type;
    return request;
}

INT_PTR RunWithKey(UINT type, int key)
{
    ScriptedBox box(Request(type), [key](ScriptedBox&) { NullHost::PressKey(key); });
    return box.DoModal();
}

TEST(UiMessageBox, EachTypeHasItsButtonsAndItsDefault)
{
    struct Case
    {
        UINT type;
        std::vector<int> buttons;
        int enterAnswer;
    };
    const Case cases[] = {
        { MB_OK, { IDOK }, IDOK },
        { MB_OKCANCEL, { IDOK, IDCANCEL }, IDOK },
        { MB_YESNO, { IDYES, IDNO }, IDYES },
        { MB_YESNO | MB_DEFBUTTON2, { IDYES, IDNO }, IDNO },
        { MB_YESNOCANCEL | MB_DEFBUTTON3, { IDYES, IDNO, IDCANCEL }, IDCANCEL },
        { MB_RETRYCANCEL, { IDRETRY, IDCANCEL }, IDRETRY },
    };
    for (const auto& c : cases) {
        ScriptedBox box(Request(c.type), [](ScriptedBox&) { NullHost::PressKey(VK_RETURN); });
        EXPECT_EQ(box.Buttons(), c.buttons) << c.type;
        EXPECT_EQ(box.DoModal(), c.enterAnswer) << c.type;
    }
}

TEST(UiMessageBox, EscapeAnswersCancelOnlyWhereThereIsOne)
{
    EXPECT_EQ(RunWithKey(MB_OKCANCEL, VK_ESCAPE), IDCANCEL);
    EXPECT_EQ(RunWithKey(MB_OK, VK_ESCAPE), IDOK);
    // Yes/No ignores Escape: the answer comes from the button pressed after it.
    ScriptedBox box(Request(MB_YESNO | MB_ICONQUESTION), [](ScriptedBox&) {
        NullHost::PressKey(VK_ESCAPE);
        NullHost::PressKeyWith('N', { VK_MENU });
    });
    EXPECT_EQ(box.DoModal(), IDNO);
}

TEST(UiMessageBox, ClickingAButtonAnswersIt)
{
    ScriptedBox box(Request(MB_YESNOCANCEL), [](ScriptedBox& b) {
        CRect r;
        b.GetDlgItem(IDNO)->GetWindowRect(&r);
        testkit::ClickPumped(r.CenterPoint());
    });
    EXPECT_EQ(box.DoModal(), IDNO);
}

TEST(UiMessageBox, TextWithLineBreaksAndIconLayout)
{
    ScriptedBox box(Request(MB_YESNOCANCEL | MB_ICONQUESTION, "The monitor is not answering.\nKeep waiting for it?"),
                    [](ScriptedBox& b) {
                        Pump();
                        CRect text, icon, yes;
                        b.GetDlgItem(CMessageBoxDialog::kTextId)->GetWindowRect(&text);
                        b.GetDlgItem(CMessageBoxDialog::kIconId)->GetWindowRect(&icon);
                        b.GetDlgItem(IDYES)->GetWindowRect(&yes);
                        EXPECT_GT(text.left, icon.right);   // text beside the icon
                        EXPECT_GT(yes.top, text.bottom);    // buttons below both
                        EXPECT_GT(text.Height(), 20);       // two lines
                        testkit::ExpectMatchesGolden(testkit::Capture(b), "platform/tests/golden/ui_message_box.png");
                        b.EndDialog(IDCANCEL);
                    });
    EXPECT_EQ(box.DoModal(), IDCANCEL);
}

TEST(UiMessageBox, InstalledServiceShowsTheDrawnBoxForAfxMessageBox)
{
    platform::ui::InstallDrawnMessageBoxes();
    testkit::ParentWnd owner;
    ASSERT_TRUE(owner.CreateTop());
    owner.SetActiveWindow();
    // Enter is pressed from inside the box's loop, on its focused default button.
    SetTimer(owner, 1, 0, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        NullHost::PressKey(VK_RETURN);
    });
    int answer = AfxMessageBox("Save the settings?", MB_YESNO | MB_ICONQUESTION);
    platform::msg::SetMessageBoxService(nullptr);
    EXPECT_EQ(answer, IDYES);
}

// What the inner box of the test below found while it was up.
HWND s_innerOwner = nullptr;
bool s_innerOwnerEnabled = true;

// A box or common dialog asked for without an owner (AfxMessageBox, a file dialog without a
// parent) from inside a dialog over the main window belongs to that dialog, not to the window
// beneath: it is owned by it and disables it while it runs, and the dialog is active again after.
TEST(UiMessageBox, AskedWithoutAnOwnerItBelongsToTheDialogTheUserWorksIn)
{
    platform::ui::InstallDrawnMessageBoxes();
    platform::msg::ResetCommonDialogScript();
    testkit::ParentWnd main;
    ASSERT_TRUE(main.CreateTop());
    main.SetActiveWindow();
    MessageBoxRequest request = Request(MB_OKCANCEL, "Apply the settings?");
    request.owner = main.m_hWnd;
    int innerAnswer = 0;
    ScriptedBox sheet(request, [&](ScriptedBox& outer) {
        EXPECT_EQ(GetLastActivePopup(main.m_hWnd), outer.m_hWnd);
        EXPECT_EQ(CWnd::GetSafeOwnerHwnd(), outer.m_hWnd);
        platform::msg::CommonDialogRequest file;
        file.kind = platform::msg::CommonDialogKind::OpenFile;
        platform::msg::RunCommonDialog(file);
        auto shown = platform::msg::TakeShownCommonDialogs();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].owner, outer.m_hWnd);

        SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            s_innerOwner = GetWindow(GetActiveWindow(), GW_OWNER);
            s_innerOwnerEnabled = IsWindowEnabled(s_innerOwner) != FALSE;
            NullHost::PressKey(VK_RETURN);
        });
        innerAnswer = AfxMessageBox("Check the limits first?", MB_YESNO | MB_ICONQUESTION);
        EXPECT_TRUE(outer.IsWindowEnabled());
        EXPECT_EQ(GetActiveWindow(), outer.m_hWnd);
        outer.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    platform::msg::SetMessageBoxService(nullptr);
    EXPECT_EQ(innerAnswer, IDYES);
    EXPECT_NE(s_innerOwner, nullptr);
    EXPECT_NE(s_innerOwner, main.m_hWnd) << "the box belonged to the main window beneath the dialog";
    EXPECT_FALSE(s_innerOwnerEnabled) << "the dialog took input while its box was up";
}

} // namespace
