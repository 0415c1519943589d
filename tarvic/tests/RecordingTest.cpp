// Recording from the station's side: the study row appears at the first commit of the recording
// file and grows with it; stopping completes it from the committed file and removes the working
// file; free space decides whether a recording starts, and the disk watch warns once and stops
// every recording below 1000 MB; rows the database refuses are told only when it stays
// unwritable for a minute and catch up afterwards; a full disk ends a recording as a stop does,
// with one message that says which bed and why, and a recording whose row or last records could
// not be stored then is completed later; a termination request ends the station with every
// recording completed.
#include "support/RecordingFaults.h"
#include "support/StationFixture.h"

#include "tarvic/app/StartUpSteps.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "nrdata/record/RecordFileFormat.h"
#include "nyraclient/client/ClientMessages.h"

#include "testkit/Pump.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

using namespace stationtest;

namespace {

namespace fs = std::filesystem;

class StationRecording : public StationTest
{
protected:
    // The files of the Records folder with this ending.
    std::vector<fs::path> RecordFiles(const std::string& ending) const
    {
        std::vector<fs::path> found;
        if (!fs::exists(folder / "Data/Records"))
            return found;
        for (const auto& entry : fs::directory_iterator(folder / "Data/Records"))
            if (entry.path().string().ends_with(ending))
                found.push_back(entry.path());
        return found;
    }

    static LONG RecordsIn(const fs::path& committed)
    {
        return LONG((fs::file_size(committed) - nrdata::record::kHeadSize) /
                    nrdata::record::kRecordSize);
    }

    // Waits until the row of the bed's recording holds `length` records.
    bool AwaitRow(const CString& patientId, const CString& studyId, LONG length)
    {
        TBLStudy study;
        return PumpUntil([&] { return ReadStudy(patientId, studyId, study) && study.S_LENGTH == length; });
    }

    // The station with room on its disk and a bed from 127.0.0.2 that has recorded `patientId`
    // for 25 seconds, every record and the wave snapshot of the start written; null when that
    // did not come about.
    NyraClientInfo* StationRecordingFor25Seconds(const char* patientId, MonitorSim** simOut)
    {
        StartWithFreeSpace(5000);
        NyraClientInfo* bed = RecordingBed("127.0.0.2", patientId, simOut);
        if (bed == nullptr)
            return nullptr;
        Seconds(**simOut, 25);
        const bool written = PumpUntil([&] { return bed->IsEnableWaveSave() && bed->GetFileLength() == 25; });
        return written ? bed : nullptr;
    }

    void StartWithFreeSpace(ULONGLONG megabytes, const StationSettings& settings = {})
    {
        StartStation(settings);
        SetFreeMegabytes(megabytes);
    }
};

TEST_F(StationRecording, TheRowAppearsAtTheFirstCommitGrowsAndIsCompletedAtTheStop)
{
    StartWithFreeSpace(5000);
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = RecordingBed("127.0.0.2", "P-0007", &sim);
    ASSERT_NE(bed, nullptr);
    const TBLStudy started = bed->GetStudy();
    EXPECT_EQ(started.S_ID, "P-0007");
    EXPECT_EQ(started.S_STUDY_ID.GetLength(), 14);
    EXPECT_EQ(started.S_STUDY_ID, started.S_START_TIME.Format("%Y%m%d%H%M%S"));

    Seconds(*sim, 9);
    TBLStudy row;
    EXPECT_FALSE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    Seconds(*sim, 1);
    ASSERT_TRUE(AwaitRow(started.S_ID, started.S_STUDY_ID, 10));
    Seconds(*sim, 10);
    ASSERT_TRUE(AwaitRow(started.S_ID, started.S_STUDY_ID, 20));
    ASSERT_TRUE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    EXPECT_EQ(row.S_DOCTOR_ID, "DR-1");
    EXPECT_EQ(row.S_NURSE_ID, "RN-2");
    EXPECT_EQ(row.S_LOSS, 0);
    EXPECT_EQ(row.S_MEMB_STATUS, 0);
    EXPECT_EQ(row.S_EDIT_DATE, started.S_START_TIME);

    Seconds(*sim, 5);
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_STOP);
    EXPECT_FALSE(bed->IsRecording());
    const auto committed = RecordFiles(".FMF");
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_TRUE(RecordFiles(".TMP").empty());
    ASSERT_TRUE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    EXPECT_EQ(row.S_LENGTH, RecordsIn(committed[0]));
    EXPECT_EQ(row.S_LENGTH, 25);
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());
}

TEST_F(StationRecording, ARecordingStoppedBeforeItsFirstCommitStillGetsItsRow)
{
    // The client completes the committed file when it stops, so even four records are kept.
    StartWithFreeSpace(5000);
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = RecordingBed("127.0.0.2", "P-0008", &sim);
    const TBLStudy started = bed->GetStudy();
    Seconds(*sim, 4);
    TBLStudy row;
    EXPECT_FALSE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_STOP);
    ASSERT_TRUE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    EXPECT_EQ(row.S_LENGTH, 4);
    EXPECT_TRUE(RecordFiles(".TMP").empty());
}

TEST_F(StationRecording, FreeSpaceOfTheDataFolderDecidesWhetherARecordingStarts)
{
    struct Case
    {
        ULONGLONG freeMb;
        bool starts;
    };
    for (const Case c : {Case{1001, true}, Case{1000, false}, Case{3, false}}) {
        StartWithFreeSpace(c.freeMb);
        MonitorSim* sim = nullptr;
        NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
        ASSERT_NE(bed, nullptr);
        AdmitPatient(bed, *sim, "P-0009");
        bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START);
        EXPECT_EQ(bed->IsRecording() != 0, c.starts) << c.freeMb;
        const auto shown = platform::msg::TakeShownMessageBoxes();
        if (c.starts) {
            EXPECT_TRUE(shown.empty());
        } else {
            ASSERT_EQ(shown.size(), 1u);
            CString text;
            text.Format("There is not enough free space (%d MB) available to run recording", int(c.freeMb));
            EXPECT_EQ(shown[0].text, text);
            EXPECT_EQ(shown[0].caption, "Memory Information");
            EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONERROR));
        }
        StopStation();
    }
}

TEST_F(StationRecording, TheDiskWatchWarnsOnceAndBelow1000MBStopsEveryRecording)
{
    // No bed, little space: nothing to warn about yet.
    StartWithFreeSpace(1500);
    view->CheckDiskSpace();
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());

    MonitorSim *first = nullptr, *second = nullptr;
    NyraClientInfo* bed1 = RecordingBed("127.0.0.2", "P-0010", &first);
    NyraClientInfo* bed2 = RecordingBed("127.0.0.3", "P-0011", &second);
    ASSERT_TRUE(bed1 && bed2);
    Seconds(*first, 10);
    Seconds(*second, 10);

    // While the warning is on screen, the next check shows no second box; exactly 1000 MB warns.
    for (ULONGLONG warn : {1500ull, 1000ull}) {
        SetFreeMegabytes(warn);
        platform::msg::ScriptMessageBoxAnswer([&](const platform::msg::MessageBoxRequest&) {
            view->CheckDiskSpace();
            return IDOK;
        });
        view->CheckDiskSpace();
        const auto shown = platform::msg::TakeShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u) << warn;
        CString text;
        text.Format("Not enough Disk Space \n\nDrive : %s , Free Disk : %d MB", (folder / "Data").c_str(),
                    int(warn));
        EXPECT_EQ(shown[0].text, text);
        EXPECT_EQ(shown[0].caption, "Memory Information");
        EXPECT_TRUE(bed1->IsRecording() && bed2->IsRecording());
    }

    SetFreeMegabytes(999);
    view->CheckDiskSpace();
    EXPECT_FALSE(bed1->IsRecording());
    EXPECT_FALSE(bed2->IsRecording());
    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Recording will be ended because there is not enough free space (999 MB) available to "
              "complete recording");
    // Both recordings were completed: two rows, no working file left.
    EXPECT_EQ(RecordFiles(".FMF").size(), 2u);
    EXPECT_TRUE(RecordFiles(".TMP").empty());
}

TEST_F(StationRecording, RowsTheDatabaseRefusesAreToldOnlyAfterAMinuteAndCatchUpOnceItTakesThemAgain)
{
    StartWithFreeSpace(5000);
    const RunLogHere log(folder / "run.log");
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = RecordingBed("127.0.0.2", "P-0012", &sim);
    const TBLStudy started = bed->GetStudy();
    platform::ScopedTestClock clock(platform::MonotonicMs());
    // One second of the monitor for each second of the clock.
    const auto live = [&](int seconds) {
        for (int i = 0; i < seconds; ++i) {
            Seconds(*sim, 1);
            testkit::AdvancePumped(clock, 1000);
        }
    };
    g_Database.Disconnect();
    live(55); // five commits refused over 40 seconds: nobody is bothered yet
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());
    live(45); // refused for a minute: told once
    const auto told = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, "Fail to insert study!\n\nThe database could not be written for a minute. The "
                            "recordings go on; their study records are stored as soon as the database can be "
                            "written again.");
    EXPECT_EQ(told[0].caption, "Tarvic II");
    EXPECT_EQ(told[0].Icon(), UINT(MB_ICONERROR));
    EXPECT_TRUE(bed->IsRecording());

    ASSERT_EQ(tarvic::ConnectDatabase(g_Database, folder.Path("Data")), 1);
    live(10);
    EXPECT_TRUE(AwaitRow(started.S_ID, started.S_STUDY_ID, 110));
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_STOP);
    EXPECT_TRUE(AwaitRow(started.S_ID, started.S_STUDY_ID, 110));
    EXPECT_TRUE(RecordFiles(".TMP").empty());
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());
    // The database's own words went to the run log, once.
    const std::string text = log.Text();
    EXPECT_EQ(Count(text, "[ RECORD ] Study row not stored - P-0012 " + std::string(started.S_STUDY_ID) +
                              ": COM ERROR"),
              1)
        << text;
    EXPECT_EQ(Count(text, "[ RECORD ] Study rows are stored again"), 1) << text;
}

TEST_F(StationRecording, AFullDiskEndsTheRecordingWithOneMessageThatNamesTheBedThePatientAndTheCause)
{
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = StationRecordingFor25Seconds("P-0014", &sim);
    ASSERT_NE(bed, nullptr);
    const TBLStudy started = bed->GetStudy();
    const RunLogHere log(folder / "run.log");
    // The disk fills up, faster than the free-space watch looks: seven more records fit.
    const DiskFull full(8, ".TMP");
    Seconds(*sim, 10);
    ASSERT_TRUE(PumpUntil([&] { return !bed->IsRecording(); }));

    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Recording of bed 1 stopped: the disk is full.\nPatient: Anna Berg (P-0014)\n\nWhat "
              "was recorded until then is kept.");
    EXPECT_EQ(shown[0].caption, "Tarvic II");
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONERROR));
    // Ended as a stop ends it: the committed file complete, the row with it, no working file.
    const auto committed = RecordFiles(".FMF");
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_EQ(RecordsIn(committed[0]), 32);
    TBLStudy row;
    ASSERT_TRUE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    EXPECT_EQ(row.S_LENGTH, 32);
    EXPECT_TRUE(RecordFiles(".TMP").empty());
    const std::string text = log.Text();
    EXPECT_NE(text.find("[ RECORD ] Write error, recording stopped - "), std::string::npos) << text;
    EXPECT_NE(text.find("The disk is full while writing"), std::string::npos) << text;
    // The bed goes on without a recording.
    Seconds(*sim, 2);
    EXPECT_FALSE(bed->IsRecording());
}

TEST_F(StationRecording, WithTheDatabaseUnwritableTooTheWorkingFileWaitsAndTheRecordingIsCompletedLater)
{
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = StationRecordingFor25Seconds("P-0015", &sim);
    ASSERT_NE(bed, nullptr);
    const TBLStudy started = bed->GetStudy();
    const RunLogHere log(folder / "run.log");
    {
        // Another program writes the database, and the disk fills up under both recording files:
        // two more records go into the working file, none into the committed copy.
        KTAdo other;
        ASSERT_EQ(other.ConnectDB(folder.Path("Data/TarvicII.mdb"), tarvic::kDatabasePassword), 1);
        ASSERT_EQ(other.BeginTrans(), 1);
        {
            const DiskFull full(3, "/Records/");
            Seconds(*sim, 5);
            ASSERT_TRUE(PumpUntil([&] { return !bed->IsRecording(); }));
            EXPECT_EQ(platform::msg::TakeShownMessageBoxes().size(), 1u);
            ASSERT_EQ(RecordFiles(".TMP").size(), 1u);
            EXPECT_EQ(RecordsIn(RecordFiles(".TMP")[0]), 27);
            EXPECT_EQ(RecordsIn(RecordFiles(".FMF")[0]), 20);
        }
        ASSERT_EQ(other.CommitTrans(), 1);
    }
    // Space again, and the lock is gone: the next try completes the recording.
    ASSERT_TRUE(PumpUntil([&] { return RecordFiles(".TMP").empty(); }, std::chrono::seconds(15)));
    EXPECT_EQ(RecordsIn(RecordFiles(".FMF")[0]), 27);
    TBLStudy row;
    ASSERT_TRUE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    EXPECT_EQ(row.S_LENGTH, 27);
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());
    const std::string text = log.Text();
    EXPECT_NE(text.find("[ RECORD ] Study row not stored - P-0015"), std::string::npos) << text;
    EXPECT_NE(text.find("[ RECORD ] Committed copy brought up to date - "), std::string::npos) << text;
}

TEST_F(StationRecording, TheFinalRowUsesTheClientsOwnFileNames)
{
    StartWithFreeSpace(5000);
    MonitorSim* sim = nullptr;
    // An id that may not stand in a file name as it is.
    NyraClientInfo* bed = RecordingBed("127.0.0.2", "A/B:7", &sim);
    const TBLStudy started = bed->GetStudy();
    Seconds(*sim, 10);
    ASSERT_TRUE(AwaitRow(started.S_ID, started.S_STUDY_ID, 10));
    Seconds(*sim, 2);
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_STOP);
    const auto committed = RecordFiles(".FMF");
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_EQ(committed[0].filename().string(), "A_B_7_" + std::string(started.S_STUDY_ID) + ".FMF");
    EXPECT_TRUE(RecordFiles(".TMP").empty());
    TBLStudy row;
    ASSERT_TRUE(ReadStudy("A/B:7", started.S_STUDY_ID, row));
    EXPECT_EQ(row.S_LENGTH, 12);
}

TEST_F(StationRecording, ATerminationRequestEndsTheStationWithEveryRecordingCompleted)
{
    StartWithFreeSpace(5000);
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = RecordingBed("127.0.0.2", "P-0013", &sim);
    const TBLStudy started = bed->GetStudy();
    Seconds(*sim, 15);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    ASSERT_TRUE(PumpUntil([&] { return !MainWindowAlive(); }));
    Drain();
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty()); // nothing asked
    const auto committed = RecordFiles(".FMF");
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_TRUE(RecordFiles(".TMP").empty());
    TBLStudy row;
    ASSERT_TRUE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    EXPECT_EQ(row.S_LENGTH, 15);
    EXPECT_EQ(RecordsIn(committed[0]), 15);
}

} // namespace
