// The station's start-up completes the recordings a killed station left: each committed copy is
// brought up to date from its working file, each study row completed (or added, for a recording
// killed before its first commit), each working file removed once its row is stored; a working
// file that cannot be read stays and is named, one that another station still writes is left
// alone; one box tells the user. Rows the database refuses at start-up are stored later.
#include "support/RecordingFaults.h"
#include "support/StationFixture.h"

#include "tarvic/app/StationGlobals.h"

#include "nrdata/table/RecordFileStem.h"
#include "nyraclient/record/CRecordFile.h"
#include "nyraclient/trend/CTrendStore.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace stationtest;

namespace {

namespace fs = std::filesystem;
using nrdata::record::kRecordSize;

class StartUpRecovery : public StationTest
{
protected:
    // The data folder with its database, before the station starts; `db` is connected to it.
    void SetUp() override
    {
        folder.MakeDir("Data/Records");
        fs::copy_file(BinFile("TarvicII.mdb"), folder / "Data/TarvicII.mdb");
        ASSERT_EQ(db.ConnectDB(folder.Path("Data/TarvicII.mdb"), tarvic::kDatabasePassword), 1);
    }
    void TearDown() override
    {
        db.Disconnect();
        StationTest::TearDown();
    }

    std::string RecordFile(const char* patientId, const char* studyId, const char* extension) const
    {
        return folder / ("Data/Records/" + std::string(MakeRecordFileStem(patientId, studyId)) + extension);
    }

    // The row of a recording started at `start`, as its last commit left it.
    void AddStudy(const char* patientId, const COleDateTime& start, LONG length, LONG loss)
    {
        TBLStudy study(&db);
        study.S_ID = patientId;
        study.SetStartTime(start, 1);
        study.S_EDIT_DATE = start;
        study.S_LENGTH = length;
        study.S_LOSS = loss;
        study.S_DOCTOR_ID = "DR-1";
        ASSERT_EQ(study.Add(), 1);
    }

    static LONG RecordsIn(const std::string& path)
    {
        return LONG(nrdata::record::RecordCountOf(fs::file_size(path)));
    }

    KTAdo db;
};

TEST_F(StartUpRecovery, EveryInterruptedRecordingIsCompletedAndOneBoxNamesThem)
{
    const RunLogHere log(folder / "run.log");
    // Killed 30 seconds in, ten after its last commit; one second of it a gap the store filled.
    RecordingBytes first(COleDateTime(2026, 12, 10, 9, 0, 0), 30);
    const PKParam_v110 blank = CTrendStore::MakeBlankEntry(first.records[24].back());
    std::copy(blank.GetPacket() + 5, blank.GetPacket() + kRecordSize - 1, first.records[24].begin() + 5);
    AddStudy("P-0020", COleDateTime(2026, 12, 10, 9, 0, 0), 20, 1);
    WriteBytes(RecordFile("P-0020", "20261210090000", ".TMP"), first.File(30));
    WriteBytes(RecordFile("P-0020", "20261210090000", ".FMF"), first.File(20));
    // Killed five seconds in, before its first commit: no row, no committed copy; its patient's
    // id cannot stand in a file name as it is.
    TBLPatient patient(&db);
    patient.P_ID = "A/B:7";
    patient.P_FIRST_NAME = "Eva";
    patient.P_LAST_NAME = "Lind";
    ASSERT_EQ(patient.Add(), 1);
    const RecordingBytes second(COleDateTime(2026, 12, 10, 9, 30, 0), 5);
    WriteBytes(RecordFile("A/B:7", "20261210093000", ".TMP"), second.File(5));
    // A working file that holds no recording, and one another station is writing.
    folder.Write("Data/Records/P-0021_20261210100000.TMP", std::string(5000, 'x'));
    nyraclient::record::CRecordFile running;
    ASSERT_TRUE(running.Create(RecordFile("P-0022", "20261210110000", ".TMP").c_str(), {}, {}));

    StartStation({.emptyDatabase = false});

    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "The central station did not end in order last time. The recordings it was writing then "
              "have been completed:\n"
              "- Eva Lind (A/B:7): recording started 2026-12-10 09:30:00, 0:00:05 long\n"
              "- P-0020: recording started 2026-12-10 09:00:00, 0:00:30 long\n\n"
              "These working files could not be completed and were left in the Records folder (the "
              "run log tells why):\n"
              "- P-0021_20261210100000.TMP");
    EXPECT_EQ(shown[0].caption, "Tarvic II");
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONWARNING));

    EXPECT_EQ(ReadBytes(RecordFile("P-0020", "20261210090000", ".FMF")), first.File(30));
    EXPECT_FALSE(fs::exists(RecordFile("P-0020", "20261210090000", ".TMP")));
    TBLStudy row;
    ASSERT_TRUE(ReadStudy("P-0020", "20261210090000", row));
    EXPECT_EQ(row.S_LENGTH, 30);
    EXPECT_EQ(row.S_LOSS, 2);
    EXPECT_EQ(row.S_DOCTOR_ID, "DR-1");

    EXPECT_EQ(ReadBytes(RecordFile("A/B:7", "20261210093000", ".FMF")), second.File(5));
    EXPECT_FALSE(fs::exists(RecordFile("A/B:7", "20261210093000", ".TMP")));
    ASSERT_TRUE(ReadStudy("A/B:7", "20261210093000", row));
    EXPECT_EQ(row.S_LENGTH, 5);
    EXPECT_EQ(row.S_START_TIME, COleDateTime(2026, 12, 10, 9, 30, 0));

    EXPECT_EQ(folder.Read("Data/Records/P-0021_20261210100000.TMP"), std::string(5000, 'x'));
    EXPECT_TRUE(fs::exists(RecordFile("P-0022", "20261210110000", ".TMP")));
    EXPECT_FALSE(fs::exists(RecordFile("P-0022", "20261210110000", ".FMF")));

    const std::string text = log.Text();
    EXPECT_EQ(Count(text, "[ RECORD ] Interrupted recording completed - "), 2) << text;
    EXPECT_NE(text.find("P-0020_20261210090000.TMP: 30 records, 10 of them added now"), std::string::npos)
        << text;
    EXPECT_EQ(Count(text, "[ RECORD ] Interrupted recording kept - "), 1) << text;
    EXPECT_EQ(Count(text, "[ RECORD ] Recording still being written elsewhere, left alone - "), 1) << text;
}

TEST_F(StartUpRecovery, RowsTheDatabaseRefusesAtStartUpAreStoredOnceItTakesThemAgain)
{
    const RecordingBytes recording(COleDateTime(2026, 12, 10, 8, 0, 0), 12);
    AddStudy("P-0030", COleDateTime(2026, 12, 10, 8, 0, 0), 10, 0);
    WriteBytes(RecordFile("P-0030", "20261210080000", ".TMP"), recording.File(12));
    WriteBytes(RecordFile("P-0030", "20261210080000", ".FMF"), recording.File(10));
    // Another program is in the middle of a long write when the station starts.
    ASSERT_EQ(db.BeginTrans(), 1);

    StartStation({.emptyDatabase = false});

    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(
        shown[0].text.Find("- P-0030: recording started 2026-12-10 08:00:00, 0:00:12 long\n\nTheir study "
                           "records are stored as soon as the database can be written again."),
        -1)
        << shown[0].text.GetString();
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONINFORMATION));
    EXPECT_EQ(ReadBytes(RecordFile("P-0030", "20261210080000", ".FMF")), recording.File(12));
    EXPECT_TRUE(fs::exists(RecordFile("P-0030", "20261210080000", ".TMP")));

    ASSERT_EQ(db.CommitTrans(), 1);
    ASSERT_TRUE(PumpUntil([&] { return !fs::exists(RecordFile("P-0030", "20261210080000", ".TMP")); },
                          std::chrono::seconds(15)));
    TBLStudy row;
    ASSERT_TRUE(ReadStudy("P-0030", "20261210080000", row));
    EXPECT_EQ(row.S_LENGTH, 12);
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());
}

} // namespace
