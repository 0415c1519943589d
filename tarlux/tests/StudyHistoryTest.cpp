// A patient's study history: newest first, only that patient's studies (an id with "_" or "%"
// is no pattern), and the length and loss texts.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewDatabase.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/study/StudyHistory.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/table/TBLStudy.h"

#include <gtest/gtest.h>

using namespace reviewtest;

namespace {

void AddStudyWithLoss(const char* patientId, const COleDateTime& start, long length, long loss)
{
    TBLStudy study(&tarlux::ReviewDatabase());
    study.S_ID = patientId;
    ASSERT_EQ(study.SetStartTime(start, 1), 1);
    study.S_LENGTH = length;
    study.S_LOSS = loss;
    study.S_EDIT_DATE = start;
    ASSERT_EQ(study.Add(), 1);
}

TEST(StudyHistory, NewestFirstWithLossShares)
{
    ReviewFolders folders;
    ASSERT_EQ(tarlux::ConnectReviewDatabase(), 1);
    AddPatient(tarlux::ReviewDatabase(), "P_1", "Siobhan", "O'Brien");
    AddPatient(tarlux::ReviewDatabase(), "PX1", "Anna", "Berg");
    AddStudyWithLoss("P_1", COleDateTime(2024, 3, 5, 8, 0, 0), 3725, 0);
    AddStudyWithLoss("P_1", COleDateTime(2024, 3, 7, 8, 0, 0), 800, 100);
    AddStudyWithLoss("P_1", COleDateTime(2024, 3, 6, 8, 0, 0), 0, 0);
    AddStudyWithLoss("PX1", COleDateTime(2024, 3, 8, 8, 0, 0), 60, 6);

    const auto history = tarlux::LoadStudyHistory(&tarlux::ReviewDatabase(), " P_1 ");
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0].startText, CString("2024-03-07 08:00:00"));
    EXPECT_EQ(history[0].lossText, CString("12.5%"));
    EXPECT_EQ(history[1].startText, CString("2024-03-06 08:00:00"));
    EXPECT_EQ(history[1].lossText, CString("0.0%"));
    EXPECT_EQ(history[2].lengthText, CString("01:02:05"));
    EXPECT_TRUE(tarlux::LoadStudyHistory(&tarlux::ReviewDatabase(), "P%").empty());
    EXPECT_TRUE(tarlux::LoadStudyHistory(nullptr, "P_1").empty());
    EXPECT_TRUE(ReviewStation::Boxes().empty());
    tarlux::ReviewDatabase().Disconnect();
}

} // namespace
