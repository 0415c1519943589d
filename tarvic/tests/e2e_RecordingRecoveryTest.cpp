// End to end: a station is killed with SIGKILL while a bed records the sample CTG trace from the
// monitor simulator over loopback; the next start of the TarvicII program is killed too, in the
// middle of bringing the committed recording up to date (an injected fault); the start after that
// completes the recording. The committed file is then compared record for record with what the
// monitor sent, and the study row with the file.
//
// The station that records runs in a child process of this test program (the station's own
// start-up, with the test's hands to admit and record, which a headless program offers nobody);
// the two starts after it are the program itself, with the killed station's settings and so its
// data folder.
#include "support/RecordingFaults.h"
#include "support/StationFixture.h"
#include "support/StationProcess.h"

#include "nyraclient/client/ClientMessages.h"

#include "testkit/ChildProcess.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <sstream>

using namespace stationtest;

namespace {

namespace fs = std::filesystem;
using nrdata::record::kHeadSize;
using nrdata::record::kRecordSize;

constexpr char kPatient[] = "CTG-1001";
constexpr int kSeconds = 107;
constexpr auto kLimit = std::chrono::seconds(30);

// ---- the station that is killed (child process) ------------------------------------------------

// The station's start-up in a folder of its own, which it names in <parent>/station with its
// monitor port. Once <parent>/announced says the monitor from 127.0.0.2 has announced itself, it
// admits that bed's patient and starts recording (the study id goes to <parent>/recording), then
// runs until it is killed.
class RecordingStation : public StationTest
{
public:
    void TestBody() override {}

    int RecordUntilKilled(const std::string& parent)
    {
        StartStation();
        if (view == nullptr)
            return 2;
        SetFreeMegabytes(5000);
        testkit::WriteText(parent + "/station",
                           folder.Dir() + "\n" + std::to_string(view->GetMonitorPort()) + "\n");
        NyraClientInfo* bed = nullptr;
        if (!PumpUntil(
                [&] { return (bed = BedFrom("127.0.0.2")) != nullptr && fs::exists(parent + "/announced"); },
                kLimit))
            return 3;
        TBLPatient patient(&g_Database);
        patient.P_ID = kPatient;
        patient.P_FIRST_NAME = "Anna";
        patient.P_LAST_NAME = "Berg";
        bed->Admit(patient);
        if (!PumpUntil([&] { return bed->IsAdmitted() != 0; }, kLimit))
            return 4;
        bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START);
        if (!bed->IsRecording())
            return 5;
        testkit::WriteText(parent + "/recording", std::string(bed->GetStudy().S_STUDY_ID));
        for (;;)
            PumpUntil([] { return false; }, std::chrono::hours(1));
    }
};

const bool s_station = testkit::RunChildRoleAtStart("recording-station", [](const std::string& parent) {
    RecordingStation station;
    return station.RecordUntilKilled(parent);
});

// ---- the test ------------------------------------------------------------------------------------

// Waits for the station's acknowledgement of a parameter packet.
bool AwaitParamAck(MonitorSim& sim)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline)
        for (const auto& reply : sim.WaitReplies(1, 100))
            if (reply.IsAck(PK_TYPE_PARAM))
                return true;
    return false;
}

// The recording station's process, killed at the end of the test should the test end early.
struct KilledAtEnd
{
    pid_t pid;
    ~KilledAtEnd()
    {
        if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
};

// Removes a folder at the end of the test (the killed station could not).
struct RemovedAtEnd
{
    std::string path;
    ~RemovedAtEnd()
    {
        if (!path.empty())
            fs::remove_all(path);
    }
};

ULONGLONG RecordsOf(const std::string& path)
{
    return nrdata::record::RecordCountOf(fs::exists(path) ? fs::file_size(path) : 0);
}

TEST(KilledWhileRecording, TheNextStartsCompleteTheRecordingEvenWhenTheFirstOfThemIsKilledInTheMiddle)
{
    testkit::TempFolder parent;
    const pid_t child = testkit::StartChild("recording-station", parent.Dir());
    ASSERT_GT(child, 0);
    KilledAtEnd stopChild{child};
    ASSERT_TRUE(WaitUntil([&] { return parent.Exists("station"); }, kLimit));
    std::istringstream named(parent.Read("station"));
    RemovedAtEnd stationFolder;
    int port = 0;
    named >> stationFolder.path >> port;

    MonitorSim sim;
    sim.LoadTrace(monitorsim::SampleTracePath());
    sim.SetPatient(kPatient, "Anna", "Berg");
    ASSERT_TRUE(sim.ConnectTcp("127.0.0.1", port, "127.0.0.2"));
    // The connect notice first: its acknowledgement carries the key of every later packet.
    ASSERT_TRUE(sim.Send(sim.ConnectPacket()));
    ASSERT_EQ(sim.WaitReplies(1, 5000).size(), 1u);
    ASSERT_TRUE(sim.Send(sim.VersionPacket()) && sim.Send(sim.MonitorPacket()) &&
                sim.Send(sim.PatientPacket()) && sim.Send(sim.AlarmPacket()));
    ASSERT_EQ(sim.WaitReplies(4, 5000).size(), 4u);
    parent.Write("announced", "1");
    // The monitor answers the station's patient packet of the admission meanwhile.
    ASSERT_TRUE(WaitUntil(
        [&] {
            sim.Poll(10);
            return parent.Exists("recording");
        },
        kLimit));
    const std::string studyId = parent.Read("recording");

    std::vector<monitorsim::Bytes> sent;
    for (int second = 0; second < kSeconds; ++second) {
        for (int wave = 0; wave < MonitorSim::kWavesPerSecond; ++wave)
            ASSERT_TRUE(sim.Send(sim.WavePacket()));
        sent.push_back(sim.ParamPacket());
        ASSERT_TRUE(sim.Send(sent.back()));
        ASSERT_TRUE(AwaitParamAck(sim)) << "second " << second;
    }
    // Killed at once after the monitor had its 107th record acknowledged.
    ASSERT_EQ(kill(child, SIGKILL), 0);
    const int childStatus = testkit::WaitForChild(child);
    stopChild.pid = -1;
    ASSERT_TRUE(WIFSIGNALED(childStatus)) << childStatus;

    const std::string records = stationFolder.path + "/Data/Records/" + kPatient + "_" + studyId;
    const std::string working = records + ".TMP", committed = records + ".FMF";
    // What the killed station left: its last commit, ten records a commit, and more in the
    // working file.
    EXPECT_EQ(RecordsOf(committed), 100u);
    EXPECT_GE(RecordsOf(working), ULONGLONG(kSeconds - 1));

    // The next start is killed itself while it brings the committed copy up to date.
    StationProcess station;
    fs::copy_file(stationFolder.path + "/TarvicII.ini", station.program / "TarvicII.ini");
    const pid_t interrupted =
        station.Start(FreePortsArguments(), {"PLATFORM_HOST=null", "PLATFORM_FILE_FAULT=KILL:1:.FMF"});
    const int interruptedStatus = StationProcess::WaitForEnd(interrupted, kLimit);
    ASSERT_TRUE(WIFSIGNALED(interruptedStatus) && WTERMSIG(interruptedStatus) == SIGKILL)
        << interruptedStatus;
    // Half of what it had to add reached the disk.
    const ULONGLONG torn = fs::file_size(committed);
    EXPECT_GT(torn, kHeadSize + 100 * kRecordSize);
    EXPECT_LT(torn, kHeadSize + RecordsOf(working) * kRecordSize);
    EXPECT_TRUE(fs::exists(working));

    // The start after that completes the recording.
    const pid_t pid = station.Start(FreePortsArguments());
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitUntil([&] { return !fs::exists(working); }, kLimit)) << station.RunLogs();
    ASSERT_EQ(kill(pid, SIGTERM), 0);
    const int status = StationProcess::WaitForEnd(pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    // Sample for sample what the monitor sent, in whole records.
    const std::vector<BYTE> file = ReadBytes(committed);
    const ULONGLONG kept = RecordsOf(committed);
    ASSERT_EQ(file.size(), kHeadSize + kept * kRecordSize);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 10), "ORLISK FMT");
    EXPECT_NE(file[nrdata::record::kWaveOffset], 0) << "the wave snapshot of the start";
    ASSERT_LE(kept, sent.size());
    for (size_t i = 0; i < kept; ++i)
        ASSERT_EQ(monitorsim::Bytes(file.begin() + std::ptrdiff_t(kHeadSize + i * kRecordSize),
                                    file.begin() + std::ptrdiff_t(kHeadSize + (i + 1) * kRecordSize)),
                  sent[i])
            << "record " << i;
    const ULONGLONG lost = sent.size() - kept;
    EXPECT_LE(lost, 1u) << "only a record the station had not yet written when it was killed may be missing";
    std::cout << "A kill -9 lost " << lost << " of " << sent.size() << " acknowledged records.\n";
    testing::Test::RecordProperty("RecordsLostByKill", int(lost));

    KTAdo db;
    ASSERT_EQ(db.ConnectDB((stationFolder.path + "/Data/TarvicII.mdb").c_str(), tarvic::kDatabasePassword),
              1);
    TBLStudy row(&db);
    row.S_ID = kPatient;
    row.S_STUDY_ID = studyId.c_str();
    ASSERT_EQ(row.Get(), 1);
    EXPECT_EQ(ULONGLONG(row.S_LENGTH), kept);
    EXPECT_EQ(row.S_LOSS, 0);
    db.Disconnect();

    const std::string log = station.RunLogs();
    EXPECT_NE(log.find("[ RECORD ] Interrupted recording completed - " + working + ": " +
                       std::to_string(kept) + " records"),
              std::string::npos)
        << log;
}

} // namespace
