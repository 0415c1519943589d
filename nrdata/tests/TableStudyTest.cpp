// The study table's start time and study id, and the recording file named from its key.
#include "nrdata/table/RecordFileStem.h"
#include "nrdata/table/TBLStudy.h"
#include "support/StationDatabase.h"

namespace {

using TableStudy = nrdata_test::StationDatabase;

TEST(TableStudyStartTime, SetsTheStudyIdToTheFourteenDigitsOfTheTime)
{
    TBLStudy study;
    study.S_ID = "20060307-001";
    ASSERT_EQ(study.SetStartTime(COleDateTime(2006, 3, 7, 14, 5, 9), 1), 1);
    EXPECT_EQ(study.S_START_TIME, COleDateTime(2006, 3, 7, 14, 5, 9));
    EXPECT_EQ(study.S_STUDY_ID, "20060307140509");
    EXPECT_EQ(MakeRecordFileStem(study.S_ID, study.S_STUDY_ID), "20060307-001_20060307140509");

    // Without makeId only the time changes.
    ASSERT_EQ(study.SetStartTime(COleDateTime(2007, 1, 2, 3, 4, 5), 0), 1);
    EXPECT_EQ(study.S_START_TIME, COleDateTime(2007, 1, 2, 3, 4, 5));
    EXPECT_EQ(study.S_STUDY_ID, "20060307140509");
}

TEST(TableStudyStartTime, AnInvalidOrNullTimeChangesNothing)
{
    TBLStudy study;
    ASSERT_EQ(study.SetStartTime(COleDateTime(2006, 3, 7, 14, 5, 9), 1), 1);
    COleDateTime invalid(2006, 2, 30, 0, 0, 0);
    ASSERT_EQ(invalid.GetStatus(), COleDateTime::invalid);
    COleDateTime null;
    null.SetStatus(COleDateTime::null);
    for (const COleDateTime& time : { invalid, null }) {
        EXPECT_EQ(study.SetStartTime(time, 1), 0);
        EXPECT_EQ(study.S_START_TIME, COleDateTime(2006, 3, 7, 14, 5, 9));
        EXPECT_EQ(study.S_STUDY_ID, "20060307140509");
    }
}

TEST_F(TableStudy, UpdateAfterANewStudyIdIsRefused)
{
    TBLStudy study(&m_db);
    study.S_ID = "p1";
    ASSERT_EQ(study.SetStartTime(COleDateTime(2006, 3, 7, 14, 5, 9), 1), 1);
    ASSERT_EQ(study.Add(), 1);
    study.S_LENGTH = 10;
    ASSERT_EQ(study.Update(), 1);
    ASSERT_EQ(study.SetStartTime(COleDateTime(2006, 3, 7, 15, 0, 0), 1), 1);
    study.S_LENGTH = 20;
    EXPECT_EQ(study.Update(), 0);
    EXPECT_EQ(Text("SELECT S_LENGTH FROM TBLStudy WHERE S_STUDY_ID='20060307140509'"), "10");
    EXPECT_EQ(Count("SELECT * FROM TBLStudy"), 1);
}

TEST_F(TableStudy, BothKeyPartsSelectTheRow)
{
    TBLStudy study(&m_db);
    study.S_ID = "p1";
    for (const char* id : { "20060307140509", "20060307150000" }) {
        study.S_STUDY_ID = id;
        study.S_COMMENT = CString("comment ") + id;
        ASSERT_EQ(study.Add(), 1);
    }
    study.S_ID = "p2";
    study.S_STUDY_ID = "20060307140509";
    study.S_COMMENT = "other patient";
    ASSERT_EQ(study.Add(), 1);

    TBLStudy row(&m_db);
    row.S_ID = "p1";
    row.S_STUDY_ID = "20060307150000";
    ASSERT_EQ(row.Get(), 1);
    EXPECT_EQ(row.S_COMMENT, "comment 20060307150000");
    // Changing the patient part of the key is refused like the study part.
    row.S_ID = "p2";
    EXPECT_EQ(row.Update(), 0);
    row.S_ID = "p1";
    EXPECT_EQ(row.Delete(), 1);
    EXPECT_EQ(Count("SELECT * FROM TBLStudy WHERE S_ID='p1'"), 1);
    EXPECT_EQ(Count("SELECT * FROM TBLStudy WHERE S_ID='p2'"), 1);
}

} // namespace
