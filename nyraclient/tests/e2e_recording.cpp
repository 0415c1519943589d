// End to end: a bed recorded from the monitor simulator over loopback TCP. The recording file
// is checked byte by byte (head, wave snapshot, one record per second with blanks for a gap),
// the committed ".FMF" every 10 records, the station's progress and end notifications, the
// backward jump that interrupts a recording and asks for the next one, file names that are
// never written over, and a write error that ends the recording with what is on disk.
#include "support/StationHarness.h"

#include "nrdata/record/RecordFileFormat.h"

#include "ktutil/KTGF.h"
#include "nrdata/table/RecordFileStem.h"

#include "platform/core/Clock.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/resource.h>

using namespace stationtest;

namespace {

namespace fs = std::filesystem;

Bytes ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

UINT StampOf(const Bytes& file, size_t record)
{
    const size_t at = 14200 + record * 108 + PKParam_v110::kOffTimeStamp;
    return UINT(file[at]) | UINT(file[at + 1]) << 8 | UINT(file[at + 2]) << 16 | UINT(file[at + 3]) << 24;
}

class RecordingEndToEnd : public ::testing::Test
{
protected:
    RecordingEndToEnd()
    {
        sim = station.ConnectMonitor(sock);
        client = station.Attach(*sim, sock);
        EXPECT_NE(client, nullptr);
        // The connect notice first: its answer gives the simulator the bed's key.
        EXPECT_TRUE(sim->Send(sim->ConnectPacket()));
        Await(1);
        EXPECT_TRUE(sim->Send(sim->VersionPacket()) && sim->Send(sim->MonitorPacket()) &&
                    sim->Send(sim->PatientPacket()) && sim->Send(sim->AlarmPacket()));
        Await(4);
    }
    ~RecordingEndToEnd() override
    {
        station.manager.ClearAll();
    }

    // Pumps the station until the simulator has `count` more answers.
    void Await(size_t count)
    {
        size_t got = 0;
        EXPECT_TRUE(PumpUntil([&] {
            got += sim->Poll(0).size();
            return got >= count;
        }));
    }
    // One second of the monitor: its waves and its parameter packet, answered.
    void Seconds(int count)
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(sim->SendSecond());
            Await(1);
        }
    }
    TBLStudy Study(const COleDateTime& start)
    {
        TBLStudy study;
        study.S_ID = "SIM-0001";
        study.SetStartTime(start, 1);
        return study;
    }
    fs::path Records() const { return fs::path(dataPath) / "Records"; }
    fs::path FileOf(const TBLStudy& study, const char* ext) const
    {
        return Records() / (std::string(MakeRecordFileStem(study.S_ID, study.S_STUDY_ID)) + ext);
    }
    // The next second of the monitor ends the running recording and marks it interrupted; the
    // second after it starts a new trend store and asks the station for a new recording.
    void ExpectEndedThenAskedForANewRecording()
    {
        Seconds(1);
        EXPECT_EQ(client->IsRecording(), 0);
        EXPECT_EQ(client->IsRecordInterrupted(), 1);
        EXPECT_EQ(client->GetCountsOfTrendData(), 0u);
        ASSERT_FALSE(RecordCodes().empty());
        EXPECT_EQ(RecordCodes().back(), CLIENT_NOTIFY_RECORD_END);
        Seconds(1);
        const Notice ask{client, CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START};
        EXPECT_EQ(station.parent.notices.back(), ask);
        EXPECT_EQ(client->GetCountsOfTrendData(), 1u);
    }
    std::vector<int> RecordCodes() const
    {
        std::vector<int> codes;
        for (const Notice& n : station.parent.notices)
            if (n.code == CLIENT_NOTIFY_RECORD_UPDATE || n.code == CLIENT_NOTIFY_RECORD_END)
                codes.push_back(n.code);
        return codes;
    }

    testkit::TempFolder m_temp;
    const std::string dataPath { m_temp.Dir() };
    Station station;
    NyraClientSock* sock{nullptr};
    std::unique_ptr<MonitorSim> sim;
    NyraClientInfo* client{nullptr};
};

TEST_F(RecordingEndToEnd, RecordsOneEntryPerSecondWithBlanksForGapsIntoTheSharedFileFormat)
{
    Seconds(2); // the store runs before the recording; the recording starts a fresh one
    TBLStudy study = Study(COleDateTime(2026, 12, 10, 10, 0, 0));
    client->RecordStart(dataPath.c_str(), study);
    ASSERT_EQ(client->IsRecording(), 1);
    EXPECT_TRUE(fs::exists(FileOf(study, ".TMP")));

    Seconds(10);
    sim->ParamPacket(); // two seconds the monitor never sent
    sim->ParamPacket();
    Seconds(13);
    ASSERT_TRUE(PumpUntil([&] { return client->GetFileLength() == 25 && RecordCodes().size() == 2; }));
    EXPECT_EQ(client->GetSignalLossOfRecored(), 2u);
    const PKMonitor_v110 monitor = client->GetMonitorPacket(); // a copy, taken under the client's lock
    const Bytes monitorPacket(monitor.GetPacket(), monitor.GetPacket() + 56);
    const Bytes patientPacket(client->GetPatientPacket().GetPacket(),
                              client->GetPatientPacket().GetPacket() + 80);
    const BYTE lead = client->GetMonitorPacket().GetECGLead();
    client->RecordStop();

    EXPECT_EQ(RecordCodes(), (std::vector<int>{CLIENT_NOTIFY_RECORD_UPDATE, CLIENT_NOTIFY_RECORD_UPDATE,
                                               CLIENT_NOTIFY_RECORD_END}));
    const Bytes file = ReadAll(FileOf(study, ".FMF"));
    ASSERT_EQ(file.size(), 16900u);
    EXPECT_EQ(ReadAll(FileOf(study, ".TMP")), file);

    // Header block 1: magic, version, the start, the snapshot, the monitor's settings.
    EXPECT_EQ(std::string(file.begin(), file.begin() + 12), "ORLISK FMTFM");
    EXPECT_EQ(Bytes(file.begin() + 16, file.begin() + 20), (Bytes{'V', 1, 0, 0}));
    const COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(file[20] | file[21] << 8, now.GetYear());
    EXPECT_EQ(file[30] | file[31] << 8, now.GetYear()) << "the snapshot was written";
    EXPECT_EQ(file[37], lead);
    EXPECT_EQ(Bytes(file.begin() + 39, file.begin() + 95), monitorPacket);
    EXPECT_EQ(Bytes(file.begin() + 100, file.begin() + 180), patientPacket);
    // The wave snapshot: 250 wave packets as the monitor sent them.
    for (size_t i = 0; i < 250; ++i) {
        EXPECT_EQ(file[200 + i * 56], PK_TYPE_WAVE) << "wave " << i;
        EXPECT_EQ(file[200 + i * 56 + 55], sim->Key()) << "wave " << i;
    }
    // One record per second, the gap as two blank records.
    const UINT first = StampOf(file, 0);
    for (size_t r = 0; r < 25; ++r) {
        EXPECT_EQ(StampOf(file, r), first + r) << "record " << r;
        EXPECT_EQ(file[14200 + r * 108], PK_TYPE_PARAM);
        PKParam_v110 record;
        record.SetPacket(file.data() + 14200 + r * 108, 108, 0);
        const bool blank = r == 10 || r == 11;
        EXPECT_EQ(record.IsValidData(ParamKind::FHR1, 0) == 0, blank) << "record " << r;
    }
}

TEST_F(RecordingEndToEnd, ABackwardJumpEndsTheRecordingAndTheNextPacketAsksForANewOne)
{
    TBLStudy study = Study(COleDateTime(2026, 12, 10, 11, 0, 0));
    client->RecordStart(dataPath.c_str(), study);
    Seconds(3);
    sim->JumpSequenceBack(60);
    ExpectEndedThenAskedForANewRecording();
    EXPECT_EQ(RecordCodes(), (std::vector<int>{CLIENT_NOTIFY_RECORD_END}));
    EXPECT_EQ(ReadAll(FileOf(study, ".FMF")).size(), 14200u + 3 * 108);
}

// A monitor clock that leaps ahead: a gap of an hour is still recorded as blank records, a leap
// of days ends the recording without a blank record and the next packet asks for a new one.
TEST_F(RecordingEndToEnd, AnHourMissingIsRecordedAsBlanksAndALeapOfDaysStartsANewRecording)
{
    TBLStudy study = Study(COleDateTime(2026, 12, 10, 11, 30, 0));
    client->RecordStart(dataPath.c_str(), study);
    Seconds(2);
    sim->JumpSequenceAhead(3600);
    Seconds(1);
    EXPECT_EQ(client->IsRecording(), 1);
    EXPECT_EQ(client->GetSignalLossOfRecored(), 3600u);
    EXPECT_TRUE(PumpUntil([&] { return client->GetFileLength() == 3603; }));

    sim->JumpSequenceAhead(3 * 24 * 3600);
    ExpectEndedThenAskedForANewRecording();
    EXPECT_EQ(ReadAll(FileOf(study, ".FMF")).size(), 14200u + 3603 * 108) << "no blank for the leap";
}

TEST_F(RecordingEndToEnd, ACommittedRecordingIsNeverStartedOver)
{
    const COleDateTime start(2026, 12, 10, 12, 0, 0);
    TBLStudy first = Study(start);
    client->RecordStart(dataPath.c_str(), first);
    Seconds(3);
    client->RecordStop();
    const Bytes committed = ReadAll(FileOf(first, ".FMF"));
    ASSERT_EQ(committed.size(), 14200u + 3 * 108);

    // A restart within the same second: the study moves on by one second.
    TBLStudy again = Study(start);
    client->RecordStart(dataPath.c_str(), again);
    ASSERT_EQ(client->IsRecording(), 1);
    EXPECT_EQ(again.S_STUDY_ID, CString("20261210120001"));
    EXPECT_EQ(client->GetStudy().S_STUDY_ID, again.S_STUDY_ID);
    Seconds(2);
    client->RecordStop();
    EXPECT_EQ(ReadAll(FileOf(first, ".FMF")), committed);
    EXPECT_EQ(ReadAll(FileOf(again, ".FMF")).size(), 14200u + 2 * 108);
}

TEST_F(RecordingEndToEnd, StartingTwiceOrSnapshotsOutsideARecordingChangeNothing)
{
    EXPECT_EQ(client->SetWaveSaveFlag(), 0) << "no snapshot without a recording";
    EXPECT_EQ(client->IsEnableWaveSave(), 0);

    TBLStudy study = Study(COleDateTime(2026, 12, 10, 13, 0, 0));
    client->RecordStart(dataPath.c_str(), study);
    EXPECT_EQ(client->SetWaveSaveFlag(), 0) << "the first snapshot is being collected";
    EXPECT_EQ(client->IsEnableWaveSave(), 0);

    TBLStudy other = Study(COleDateTime(2026, 12, 10, 13, 30, 0));
    client->RecordStart(dataPath.c_str(), other);
    EXPECT_EQ(client->GetStudy().S_STUDY_ID, study.S_STUDY_ID);
    EXPECT_FALSE(fs::exists(FileOf(other, ".TMP")));

    Seconds(11); // 275 wave packets: the snapshot is complete
    EXPECT_EQ(client->IsEnableWaveSave(), 1);
    EXPECT_EQ(client->SetWaveSaveFlag(), 1);
    Seconds(24);
    EXPECT_TRUE(PumpUntil([&] { return client->GetFileLength() == 35; }));
    EXPECT_EQ(client->GetFileLength(), 35u) << "records, not bytes";
    client->RecordStop();
    EXPECT_EQ(client->GetFileLength(), 0u);
}

TEST_F(RecordingEndToEnd, AnInvalidDataPathRecordsBelowTheStationsOwnFolder)
{
    const char* oldHome = std::getenv("HOME");
    const std::string saved = oldHome != nullptr ? oldHome : "";
    setenv("HOME", dataPath.c_str(), 1);
    TBLStudy study = Study(COleDateTime(2026, 12, 10, 14, 0, 0));
    client->RecordStart("bad|path", study);
    EXPECT_EQ(client->IsRecording(), 1);
    const fs::path expected = fs::path(dataPath) / "TarvicII" / "Data" / "Records" /
                              (std::string(MakeRecordFileStem(study.S_ID, study.S_STUDY_ID)) + ".TMP");
    EXPECT_TRUE(fs::exists(expected)) << expected;
    client->RecordStop();
    setenv("HOME", saved.c_str(), 1);
}

// A blank data path, empty or of blanks, means the program's folder, as for every other path.
TEST_F(RecordingEndToEnd, ABlankDataPathRecordsBesideTheProgram)
{
    const fs::path records = fs::path(KTGF::GetModulePath().GetString()) / "Records";
    const bool existed = fs::exists(records);
    int minute = 0;
    for (const char* blank : { "", " ", "\t " }) {
        SCOPED_TRACE(std::string("\"") + blank + "\"");
        TBLStudy study = Study(COleDateTime(2026, 12, 10, 16, minute++, 0));
        study.S_ID = "BLANK-PATH-TEST";
        client->RecordStart(blank, study);
        ASSERT_EQ(client->IsRecording(), 1);
        const fs::path tmp = records / (std::string(MakeRecordFileStem(study.S_ID, study.S_STUDY_ID)) + ".TMP");
        EXPECT_TRUE(fs::exists(tmp)) << tmp;
        client->RecordStop();
        fs::remove(tmp);
        fs::remove(fs::path(tmp).replace_extension(".FMF"));
    }
    if (!existed)
        fs::remove(records);
}

TEST_F(RecordingEndToEnd, AWriteErrorEndsTheRecordingWithWhatIsOnDisk)
{
    TBLStudy study = Study(COleDateTime(2026, 12, 10, 15, 0, 0));
    client->RecordStart(dataPath.c_str(), study);
    Seconds(4);
    ASSERT_TRUE(PumpUntil([&] { return client->GetFileLength() == 4; }));

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = 14200 + 5 * 108 + 30;
    setrlimit(RLIMIT_FSIZE, &limit);
    Seconds(3);
    const bool stopped = PumpUntil([&] { return client->IsRecording() == 0; });
    setrlimit(RLIMIT_FSIZE, &old);

    ASSERT_TRUE(stopped);
    EXPECT_EQ(RecordCodes().back(), CLIENT_NOTIFY_RECORD_END);
    EXPECT_EQ(fs::file_size(FileOf(study, ".TMP")), 14200u + 5 * 108);
    EXPECT_EQ(ReadAll(FileOf(study, ".FMF")), ReadAll(FileOf(study, ".TMP")));
    Seconds(1); // the bed goes on without a recording
    EXPECT_EQ(client->IsRecording(), 0);
}

// A link that times out does not end the recording: it goes on, marked interrupted, and when the
// monitor is back the seconds it could not deliver become blank records counted as signal loss.
TEST(RecordingThroughATimeOut, TheRecordingGoesOnAndTheGapCountsAsSignalLoss)
{
    platform::ScopedTestClock clock(10'000);
    const testkit::TempFolder folder;
    const std::string& dataPath = folder.Dir();
    {
        Station station;
        NyraClientSock* sock = nullptr;
        auto sim = station.ConnectMonitor(sock);
        NyraClientInfo* client = station.Attach(*sim, sock);
        ASSERT_EQ(Exchange(*sim, sim->ConnectPacket(), 1).size(), 1u);
        ASSERT_EQ(Exchange(*sim, Join({sim->MonitorPacket(), sim->PatientPacket()}), 2).size(), 2u);
        TBLStudy study;
        study.S_ID = "SIM-0001";
        study.SetStartTime(COleDateTime(2026, 12, 10, 16, 0, 0), 1);
        client->RecordStart(dataPath.c_str(), study);
        for (int second = 0; second < 3; ++second)
            ASSERT_EQ(Exchange(*sim, sim->ParamPacket(), 1).size(), 1u);
        sim->Drop();
        for (int second = 0; second < 15; ++second) {
            clock.Advance(1000);
            PumpUntil([] { return true; });
        }
        ASSERT_EQ(client->IsNetworkAlarm(), 1);
        EXPECT_EQ(client->IsRecording(), 1);
        EXPECT_EQ(client->IsRecordInterrupted(), 1);

        // The monitor comes back 20 seconds further on.
        NyraClientSock* again = nullptr;
        auto back = station.ConnectMonitor(again);
        station.manager.ReConnected(again, station.manager.PeerCheck(127, 0, 0, 1));
        ASSERT_EQ(Exchange(*back, back->ConnectPacket(), 1).size(), 1u);
        while (back->Sequence() < sim->Sequence() + 20)
            back->ParamPacket();
        ASSERT_EQ(Exchange(*back, Join({back->MonitorPacket(), back->ParamPacket()}), 2).size(), 2u);
        EXPECT_EQ(client->IsRecording(), 1);
        EXPECT_EQ(client->GetSignalLossOfRecored(), 20u);
        ASSERT_TRUE(PumpUntil([&] { return client->GetFileLength() == 24; }));
        const fs::path fmf = fs::path(dataPath) / "Records" / "SIM-0001_20261210160000.FMF";
        client->RecordStop();
        const Bytes file = ReadAll(fmf);
        ASSERT_EQ(file.size(), 14200u + 24 * 108);
        for (size_t r = 0; r < 24; ++r)
            EXPECT_EQ(StampOf(file, r), StampOf(file, 0) + r) << "record " << r;
    }
}

} // namespace
