// Deleting a study: the row first, the recording only after it; a database that refuses the
// delete leaves both; a study still being recorded is refused with nothing changed.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewDatabase.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/study/StudyDeletion.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/TBLStudy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace reviewtest;
using tarlux::StudyDeleteResult;

namespace {

const COleDateTime kStart(2024, 3, 5, 8, 0, 0);

class StudyDeletion : public testing::Test
{
protected:
    StudyDeletion()
    {
        EXPECT_EQ(tarlux::ConnectReviewDatabase(), 1);
        AddPatient(tarlux::ReviewDatabase(), "P_1", "Siobhan", "O'Brien");
        AddStudy(tarlux::ReviewDatabase(), "P_1", kStart, 60);
        Touch(nrdata::record::kCommittedExtension);
    }
    ~StudyDeletion() override { tarlux::ReviewDatabase().Disconnect(); }

    static CString FileOf(const char* extension)
    {
        return nrdata::record::RecordFilePathOf(tarlux::ReviewConfig().DataPath, "P_1", StudyIdOf(kStart),
                                                extension);
    }
    static void Touch(const char* extension)
    {
        const std::filesystem::path path(FileOf(extension).GetString());
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }
    static bool RowExists()
    {
        TBLStudy study(&tarlux::ReviewDatabase());
        study.S_ID = "P_1";
        study.S_STUDY_ID = StudyIdOf(kStart);
        return study.Get() == 1;
    }
    static StudyDeleteResult Delete(CString* error = nullptr)
    {
        return tarlux::DeleteStudy(&tarlux::ReviewDatabase(), "P_1", StudyIdOf(kStart), error);
    }

    ReviewFolders m_folders;
};

TEST_F(StudyDeletion, RowThenRecordingGo)
{
    EXPECT_EQ(Delete(), StudyDeleteResult::Deleted);
    EXPECT_FALSE(RowExists());
    EXPECT_FALSE(KTGF::IsFile(FileOf(nrdata::record::kCommittedExtension)));
    // Deleting again (row and file gone) is harmless.
    EXPECT_EQ(Delete(), StudyDeleteResult::Deleted);
}

TEST_F(StudyDeletion, RefusedRowKeepsTheRecording)
{
    ASSERT_TRUE(tarlux::ReviewDatabase().ExecuteSQL(
        "CREATE TRIGGER keep_studies BEFORE DELETE ON TBLStudy BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    CString error;
    EXPECT_EQ(Delete(&error), StudyDeleteResult::RowRefused);
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_TRUE(RowExists());
    EXPECT_TRUE(KTGF::IsFile(FileOf(nrdata::record::kCommittedExtension)));
}

TEST_F(StudyDeletion, StudyBeingRecordedIsInUse)
{
    Touch(nrdata::record::kWorkingExtension);
    EXPECT_EQ(Delete(), StudyDeleteResult::InUse);
    EXPECT_TRUE(RowExists());
    EXPECT_TRUE(KTGF::IsFile(FileOf(nrdata::record::kCommittedExtension)));
    EXPECT_EQ(tarlux::DeleteStudy(nullptr, "P_9", "1"), StudyDeleteResult::RowRefused);
}

} // namespace
