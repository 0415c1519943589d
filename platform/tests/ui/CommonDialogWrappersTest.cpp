// The colour and file dialog classes over the common-dialog service: what they ask the host's
// dialog (owner, flags, starting colour, filter, default extension) and how they give the
// answer back (the colour, the chosen files and the parts of their names), and a cancel that
// changes nothing.
#include "platform/msg/CommonDialogService.h"
#include "platform/ui/dialogs/ColorDialog.h"
#include "platform/ui/dialogs/FileDialog.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using namespace platform::msg;

namespace {

class UiCommonDialogWrappers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetCommonDialogScript();
        ASSERT_TRUE(owner.CreateTop());
    }
    void TearDown() override { ResetCommonDialogScript(); }

    static CommonDialogAnswer Files(std::vector<CString> paths, int filterIndex = 1)
    {
        CommonDialogAnswer answer;
        answer.accepted = true;
        answer.paths = std::move(paths);
        answer.filterIndex = filterIndex;
        return answer;
    }

    testkit::ParentWnd owner;
};

TEST_F(UiCommonDialogWrappers, ColourDialogStartsFromTheColourAndGivesTheChoiceBack)
{
    CommonDialogAnswer chosen;
    chosen.accepted = true;
    chosen.colour = RGB(12, 34, 56);
    ScriptCommonDialogAnswer(chosen);
    CColorDialog dialog(RGB(200, 10, 10), CC_FULLOPEN | CC_ANYCOLOR, &owner);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(12, 34, 56));
    auto shown = TakeShownCommonDialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, CommonDialogKind::Colour);
    EXPECT_EQ(shown[0].owner, owner.m_hWnd);
    EXPECT_EQ(shown[0].colour, RGB(200, 10, 10));
    EXPECT_EQ(shown[0].flags, CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT);

    // Cancelled: IDCANCEL and the colour it had. A "default colour" marker starts from black.
    CColorDialog cancelled(0xFF000000, 0, &owner);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), 0xFF000000u);
    EXPECT_EQ(TakeShownCommonDialogs().at(0).colour, 0u);
}

TEST_F(UiCommonDialogWrappers, SaveDialogAsksWithFilterAndExtensionAndNamesTheFile)
{
    ScriptCommonDialogAnswer(Files({ "/home/ward/Export/Lee_20240101.JPG" }, 2));
    CFileDialog dialog(FALSE, "JPG", "capture", OFN_OVERWRITEPROMPT, "JPEG (*.JPG)|*.JPG|All files (*.*)|*.*||", &owner);
    dialog.m_ofn.lpstrInitialDir = "/home/ward/Export";
    dialog.m_ofn.lpstrTitle = "Export";
    ASSERT_EQ(dialog.DoModal(), IDOK);
    auto shown = TakeShownCommonDialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, CommonDialogKind::SaveFile);
    EXPECT_EQ(shown[0].owner, owner.m_hWnd);
    EXPECT_EQ(shown[0].fileName, "capture");
    EXPECT_EQ(shown[0].filter, "JPEG (*.JPG)|*.JPG|All files (*.*)|*.*||");
    EXPECT_EQ(shown[0].defaultExtension, "JPG");
    EXPECT_EQ(shown[0].initialFolder, "/home/ward/Export");
    EXPECT_EQ(shown[0].title, "Export");
    EXPECT_EQ(shown[0].flags, OFN_OVERWRITEPROMPT);

    EXPECT_EQ(dialog.GetPathName(), "/home/ward/Export/Lee_20240101.JPG");
    EXPECT_EQ(dialog.GetFileName(), "Lee_20240101.JPG");
    EXPECT_EQ(dialog.GetFileTitle(), "Lee_20240101");
    EXPECT_EQ(dialog.GetFileExt(), "JPG");
    EXPECT_EQ(dialog.GetFolderPath(), "/home/ward/Export");
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u);
}

TEST_F(UiCommonDialogWrappers, OpenDialogWalksSeveralFilesAndACancelKeepsTheProposedName)
{
    ScriptCommonDialogAnswer(Files({ "/data/Records/A_1.FMF", "/data/Records/B_2.FMF" }));
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, nullptr, &owner);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(TakeShownCommonDialogs().at(0).kind, CommonDialogKind::OpenFile);
    std::vector<CString> walked;
    for (POSITION pos = dialog.GetStartPosition(); pos;)
        walked.push_back(dialog.GetNextPathName(pos));
    EXPECT_EQ(walked, (std::vector<CString> { "/data/Records/A_1.FMF", "/data/Records/B_2.FMF" }));

    CFileDialog cancelled(TRUE, nullptr, "/opt/emr/viewer");
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPathName(), "/opt/emr/viewer");
    EXPECT_EQ(cancelled.GetFileExt(), "");
    EXPECT_EQ(cancelled.GetStartPosition(), nullptr);
}

} // namespace
