// The folder picker over the window layer's folder dialog, answered by its test script.
#include "ktutil/KTDirDialog.h"

#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace {

using platform::msg::CommonDialogAnswer;
using platform::msg::CommonDialogKind;

class KTDirDialogTest : public testing::Test
{
protected:
    static CommonDialogAnswer Chosen(std::vector<CString> paths)
    {
        CommonDialogAnswer answer;
        answer.accepted = true;
        answer.paths = std::move(paths);
        return answer;
    }

    testkit::ScriptedDialogs dialogs;
};

} // namespace

TEST_F(KTDirDialogTest, OkGivesTheChosenFolderAndTheRequestCarriesTitleStartAndFlags)
{
    dialogs.AnswerDialog(Chosen({ "/home/ward/EMR" }));
    KTDirDialog dialog(nullptr, "Select data directory", "/home/ward/Data", "");

    EXPECT_EQ(dialog.DoModal(9), IDOK);
    EXPECT_EQ(dialog.GetPathName(), CString("/home/ward/EMR"));

    auto shown = dialogs.Dialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, CommonDialogKind::Folder);
    EXPECT_EQ(shown[0].title, CString("Select data directory"));
    EXPECT_EQ(shown[0].initialFolder, CString("/home/ward/Data"));
    EXPECT_EQ(shown[0].flags, 9u);
}

TEST_F(KTDirDialogTest, CancelGivesTwoAndNoPath)
{
    KTDirDialog dialog(nullptr, "Pick", "", "");
    EXPECT_EQ(dialog.DoModal(0), IDCANCEL); // nothing scripted: the user cancels
    EXPECT_TRUE(dialog.GetPathName().IsEmpty());
    auto shown = dialogs.Dialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].initialFolder.IsEmpty()); // no preselection
}

TEST_F(KTDirDialogTest, AnItemWithoutAFolderPathGivesOkAndAnEmptyPath)
{
    dialogs.AnswerDialog(Chosen({}));
    KTDirDialog dialog(nullptr, "Pick", "/tmp", "");
    EXPECT_EQ(dialog.DoModal(0), IDOK);
    EXPECT_TRUE(dialog.GetPathName().IsEmpty());
}

TEST_F(KTDirDialogTest, PickersShareTheInitialFolderOfTheLaterConstruction)
{
    KTDirDialog first(nullptr, "First", "/data/one", "");
    KTDirDialog second(nullptr, "Second", "/data/two", "");
    EXPECT_EQ(KTDirDialog::m_strInitDir, CString("/data/two"));

    first.DoModal(0);
    auto shown = dialogs.Dialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].initialFolder, CString("/data/two"));
}
