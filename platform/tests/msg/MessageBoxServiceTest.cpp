// Message boxes under the null host: scripted answers, the default button otherwise, and a
// record of caption, text, buttons and icon; callable from any thread.
#include "platform/msg/MessageBoxService.h"
#include "platform/msg/WindowApi.h"

#include <gtest/gtest.h>

#include <thread>

using namespace platform::msg;

namespace {

class MessageBoxes : public ::testing::Test
{
protected:
    void SetUp() override { ResetMessageBoxScript(); }
    void TearDown() override
    {
        ResetMessageBoxScript();
        SetMessageBoxService(nullptr);
    }
};

TEST_F(MessageBoxes, WithoutAScriptTheDefaultButtonAnswers)
{
    struct Case
    {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        { MB_OK, IDOK },
        { MB_OKCANCEL, IDOK },
        { MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL },
        { MB_YESNO | MB_ICONQUESTION, IDYES },
        { MB_YESNO | MB_DEFBUTTON2, IDNO },
        { MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL },
        { MB_RETRYCANCEL, IDRETRY },
        { MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE },
    };
    for (auto& c : cases)
        EXPECT_EQ(MessageBox(nullptr, "text", "caption", c.type), c.answer) << c.type;
    EXPECT_EQ(TakeShownMessageBoxes().size(), std::size(cases));
}

TEST_F(MessageBoxes, ScriptedAnswersComeInOrderAndEveryBoxIsRecorded)
{
    ScriptMessageBoxAnswer(IDNO);
    ScriptMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, "Discharge the patient?", "Bed 2", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "Stop the recording?", "Bed 2", MB_OKCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, "Saved.", nullptr, MB_OK | MB_ICONINFORMATION), IDOK);
    auto shown = TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "Discharge the patient?");
    EXPECT_EQ(shown[0].caption, "Bed 2");
    EXPECT_EQ(shown[0].Icon(), MB_ICONQUESTION);
    EXPECT_EQ(shown[0].Buttons(), MB_YESNO);
    EXPECT_EQ(shown[1].Icon(), MB_ICONEXCLAMATION);
    EXPECT_EQ(shown[2].caption, "Error");
    EXPECT_TRUE(TakeShownMessageBoxes().empty());
}

TEST_F(MessageBoxes, AfxMessageBoxUsesTheApplicationTitle)
{
    SetDefaultMessageBoxCaption("Central Station");
    EXPECT_EQ(AfxMessageBox("Database error", MB_ICONSTOP), IDOK);
    auto shown = TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Central Station");
    EXPECT_EQ(shown[0].Icon(), MB_ICONSTOP);
}

TEST_F(MessageBoxes, WorkerThreadsShowMessageBoxesWithoutBlocking)
{
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i)
        workers.emplace_back([] { MessageBox(nullptr, "from a worker", "Worker", MB_OK); });
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(TakeShownMessageBoxes().size(), 4u);
}

TEST_F(MessageBoxes, TheServiceCanBeReplaced)
{
    struct AlwaysNo : MessageBoxService
    {
        int Show(const MessageBoxRequest&) override { return IDNO; }
    };
    SetMessageBoxService(std::make_shared<AlwaysNo>());
    EXPECT_EQ(MessageBox(nullptr, "?", "?", MB_YESNO), IDNO);
    EXPECT_TRUE(TakeShownMessageBoxes().empty());
}

} // namespace

#include "platform/msg/CommonDialogService.h"

namespace {

TEST(CommonDialogs, CancelledUnlessScriptedAndEveryRequestIsRecorded)
{
    ResetCommonDialogScript();
    CommonDialogRequest open;
    open.kind = CommonDialogKind::OpenFile;
    open.title = "Open recording";
    open.filter = "Recordings (*.FMF)|*.FMF||";
    EXPECT_FALSE(RunCommonDialog(open).accepted);

    CommonDialogAnswer chosen;
    chosen.accepted = true;
    chosen.paths = { "/home/nurse/Records/0001.FMF" };
    ScriptCommonDialogAnswer(chosen);
    ScriptCommonDialogAnswer([](const CommonDialogRequest& r) {
        CommonDialogAnswer a;
        a.accepted = true;
        a.colour = r.colour ^ 0xFFFFFF;
        return a;
    });
    auto answer = RunCommonDialog(open);
    ASSERT_TRUE(answer.accepted);
    EXPECT_EQ(answer.paths, std::vector<CString> { "/home/nurse/Records/0001.FMF" });
    CommonDialogRequest colour;
    colour.kind = CommonDialogKind::Colour;
    colour.colour = RGB(255, 0, 0);
    EXPECT_EQ(RunCommonDialog(colour).colour, RGB(0, 255, 255));

    auto shown = TakeShownCommonDialogs();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].title, "Open recording");
    EXPECT_EQ(shown[2].kind, CommonDialogKind::Colour);
    ResetCommonDialogScript();
}

} // namespace
