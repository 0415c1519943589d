// End to end: the review station started headless on a program folder of its own, with a
// database holding patients whose ids carry "_" and whose names carry "'", and two studies
// recorded by the central station's own file code, one finished and one still being written
// (its ".TMP" held open). A patient and a study are chosen through the review context, as the
// patient list and the study history do, and the main window is captured.
#include "support/CentralRecording.h"
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/table/TBLPatientStudy.h"
#include "testkit/Golden.h"

#include <gtest/gtest.h>

using namespace reviewtest;
using tarlux::CReviewContext;

namespace {

const COleDateTime kFirstStart(2024, 3, 5, 8, 0, 0);
const COleDateTime kSecondStart(2024, 3, 6, 14, 30, 0);

class ReviewStationEndToEnd : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_station.Started());
        ASSERT_TRUE(m_station.Boxes().empty()) << "the database connects";
        KTAdo& db = tarlux::ReviewDatabase();
        // "P_1" must not find "PX1" (an underscore is no pattern) and O'Brien must not break a
        // statement.
        AddPatient(db, "PX1", "Decoy", "Lee");
        AddPatient(db, "P_1", "Siobhan", "O'Brien");
        AddStudy(db, "P_1", kFirstStart, 3600);
        AddStudy(db, "P_1", kSecondStart, 900);
        AddStudy(db, "PX1", kFirstStart, 60);

        CentralHeader header;
        header.patientId = "P_1";
        header.lastName = "O'Brien";
        header.firstName = "Siobhan";
        header.start = kFirstStart;
        m_finished = WriteCentralRecording(m_folders.DataFolder(), StudyIdOf(kFirstStart), header, ScriptedTrend(3600));
        m_finished->Close();
        header.start = kSecondStart;
        m_recording = WriteCentralRecording(m_folders.DataFolder(), StudyIdOf(kSecondStart), header, ScriptedTrend(900));
        ASSERT_TRUE(m_recording->IsOpen());
    }

    ReviewFolders m_folders;
    ReviewStation m_station;
    std::unique_ptr<nyraclient::record::CRecordFile> m_finished;
    std::unique_ptr<nyraclient::record::CRecordFile> m_recording;
};

TEST_F(ReviewStationEndToEnd, ChoosingAPatientAndAStudyShowsItsTrend)
{
    CReviewContext& context = *CReviewContext::GetInstance();
    // The patients were added after the list opened: it searches again, as after a save.
    context.RefreshPatientList();
    context.SelectPatient("P_1");
    m_station.Pump();
    context.SelectStudy(StudyIdOf(kFirstStart));
    m_station.Pump();
    EXPECT_TRUE(m_station.Boxes().empty());

    const tarlux::CRecordReader& reader = context.GetReader();
    EXPECT_EQ(reader.GetRecordCount(), 3600);
    EXPECT_EQ(reader.GetPatientPacket().GetLastName(), "O'Brien");
    TBLPatientStudy row;
    ASSERT_EQ(context.LoadStudyRow(row), 1);
    EXPECT_EQ(row.P_LAST_NAME, "O'Brien");
    EXPECT_EQ(row.S_START_TIME, kFirstStart);
    EXPECT_EQ(reader.GetShownFirst(), 0);
    EXPECT_GT(reader.GetShownLast(), 0);

    const platform::Image window = testkit::Capture(m_station.Frame()->GetSafeHwnd());
    testkit::SaveForReview(window, "tarlux_e2e_main_window");
    testkit::ExpectMatchesGolden(window, "tarlux/tests/golden/ReviewMainWindow.png", { 64, 1.0 / 400 });
}

TEST_F(ReviewStationEndToEnd, AStudyStillBeingRecordedShowsWhatIsCommitted)
{
    CReviewContext& context = *CReviewContext::GetInstance();
    context.SelectPatient("P_1");
    context.SelectStudy(StudyIdOf(kSecondStart));
    m_station.Pump();
    EXPECT_TRUE(m_station.Boxes().empty());
    EXPECT_EQ(context.GetReader().GetRecordCount(), 900);

    // The station goes on writing; choosing the study again reads what has been committed since.
    for (const PKParam_v110& p : ScriptedTrend(300))
        ASSERT_TRUE(m_recording->AppendRecord(p.GetPacket()));
    ASSERT_TRUE(m_recording->UpdateFMF());
    context.SelectStudy(StudyIdOf(kSecondStart));
    m_station.Pump();
    EXPECT_EQ(context.GetReader().GetRecordCount(), 1200);
}

} // namespace
