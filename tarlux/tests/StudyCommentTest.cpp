// Saving a study's comment changes that row's comment and edit date and nothing else.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewDatabase.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/study/StudyComment.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/table/TBLStudy.h"

#include <gtest/gtest.h>

using namespace reviewtest;

namespace {

const COleDateTime kFirst(2024, 3, 5, 8, 0, 0);
const COleDateTime kSecond(2024, 3, 6, 9, 30, 0);
const COleDateTime kEdited(2024, 4, 1, 12, 0, 0);

TBLStudy Row(const COleDateTime& start)
{
    TBLStudy study(&tarlux::ReviewDatabase());
    study.S_ID = "P_1";
    study.S_STUDY_ID = StudyIdOf(start);
    EXPECT_EQ(study.Get(), 1);
    return study;
}

TEST(StudyComment, OnlyCommentAndEditDateOfThatRowChange)
{
    ReviewFolders folders;
    ASSERT_EQ(tarlux::ConnectReviewDatabase(), 1);
    AddPatient(tarlux::ReviewDatabase(), "P_1", "Siobhan", "O'Brien");
    AddStudy(tarlux::ReviewDatabase(), "P_1", kFirst, 3725);
    AddStudy(tarlux::ReviewDatabase(), "P_1", kSecond, 60);

    EXPECT_EQ(tarlux::SaveStudyComment(&tarlux::ReviewDatabase(), "P_1", StudyIdOf(kFirst),
                                       "late decels; Dr's note", kEdited), 1);
    const TBLStudy first = Row(kFirst);
    EXPECT_EQ(first.S_COMMENT, CString("late decels; Dr's note"));
    EXPECT_EQ(first.S_EDIT_DATE, kEdited);
    EXPECT_EQ(first.S_LENGTH, 3725);
    EXPECT_EQ(first.S_START_TIME, kFirst);
    const TBLStudy second = Row(kSecond);
    EXPECT_TRUE(second.S_COMMENT.IsEmpty());
    EXPECT_EQ(second.S_EDIT_DATE, kSecond);

    EXPECT_EQ(tarlux::SaveStudyComment(&tarlux::ReviewDatabase(), "P_1", "19990101000000", "x", kEdited), 0);
    EXPECT_EQ(tarlux::SaveStudyComment(nullptr, "P_1", StudyIdOf(kFirst), "x", kEdited), 0);
    tarlux::ReviewDatabase().Disconnect();
}

} // namespace
