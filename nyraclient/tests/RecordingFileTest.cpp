// The recording file: the head byte for byte, one record after another, the wave snapshot, the
// committed ".FMF" kept up to date by whole records, the lock on the working file, a file that
// already exists, write errors, and the file thread's progress messages.
#include "nyraclient/record/CFileThread.h"
#include "nyraclient/record/CRecordFile.h"
#include "nyraclient/record/RecordRecovery.h"
#include "nyraclient/trend/CTrendStore.h"

#include "testkit/SerialFarEnd.h"
#include "testkit/TempFolder.h"

#include "nrdata/buffer/CSmartBuffer.h"
#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/packet/PKPatient_v110.h"

#include "platform/core/FileFault.h"
#include "platform/msg/Wnd.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using namespace nyraclient::record;
using namespace nrdata::record;
using Bytes = std::vector<BYTE>;
namespace fs = std::filesystem;

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Record(UINT stamp)
{
    PKParam_v110 packet;
    packet.SetKey(2);
    packet.Clear(0xFF);
    packet.SetTimeStamp(stamp);
    packet.SetFHR1(0, BYTE(120 + stamp % 40));
    return Bytes(packet.GetPacket(), packet.GetPacket() + PKParam_v110::kSize);
}

Bytes Snapshot()
{
    Bytes waves(kWaveAreaSize);
    for (size_t i = 0; i < waves.size(); ++i)
        waves[i] = BYTE(i % kWavePacketSize == 0 ? PK_TYPE_WAVE : i * 7);
    return waves;
}

struct Head
{
    PKMonitor_v110 monitor;
    PKPatient_v110 patient;
    COleDateTime start{2026, 12, 10, 9, 8, 7};
    Head()
    {
        monitor.SetKey(2);
        monitor.SetUnitName("BED-A");
        monitor.SetECGLead(3);
        patient.SetKey(2);
        patient.SetPatientId("P-0042");
        patient.SetLastName("Doe");
    }
    HeaderBlock Block1() const { return MakeHeaderBlock1(start, monitor.GetPacket()); }
    HeaderBlock Block2() const { return MakeHeaderBlock2(patient.GetPacket()); }
};

class RecordingFileTest : public ::testing::Test
{
protected:
    testkit::TempFolder m_temp;
    const std::string m_folder { m_temp.Dir() };
    std::string tmp { m_temp / "P-0042_20261210090807.TMP" };
    std::string fmf { m_temp / "P-0042_20261210090807.FMF" };
    Head head;
};

// ---- the file format ------------------------------------------------------------------------

TEST_F(RecordingFileTest, WritesTheHeadByteForByte)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    file.Close();

    const Bytes bytes = ReadAll(tmp);
    ASSERT_EQ(bytes.size(), 14200u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 12), "ORLISK FMTFM");
    const Bytes expect1{0, 0, 0, 0, 'V', 1, 0, 0, 0xEA, 0x07, 12, 10, 9, 8, 7, 0, 0, 0};
    EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 30), expect1);
    EXPECT_EQ(Bytes(bytes.begin() + 30, bytes.begin() + 39), Bytes(9, 0)); // no snapshot yet
    EXPECT_EQ(0, std::memcmp(bytes.data() + 39, head.monitor.GetPacket(), 56));
    EXPECT_EQ(Bytes(bytes.begin() + 95, bytes.begin() + 100), Bytes(5, 0));
    EXPECT_EQ(0, std::memcmp(bytes.data() + 100, head.patient.GetPacket(), 80));
    EXPECT_EQ(Bytes(bytes.begin() + 180, bytes.end()), Bytes(20 + 14000, 0));
}

TEST_F(RecordingFileTest, TwentyFiveRecordsMakeSixteenThousandNineHundredBytesInBothFiles)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    Bytes records;
    for (UINT s = 1; s <= 25; ++s) {
        const Bytes record = Record(s);
        ASSERT_TRUE(file.AppendRecord(record.data()));
        records.insert(records.end(), record.begin(), record.end());
        if (s % 10 == 0) {
            ASSERT_TRUE(file.UpdateFMF());
        }
    }
    EXPECT_EQ(fs::file_size(fmf), 14200u + 20 * 108);
    ASSERT_TRUE(file.UpdateFMF());
    EXPECT_EQ(file.GetRecordCount(), 25u);
    file.Close();

    const Bytes working = ReadAll(tmp);
    ASSERT_EQ(working.size(), 16900u);
    EXPECT_EQ(Bytes(working.begin() + 14200, working.end()), records);
    EXPECT_EQ(ReadAll(fmf), working);
}

TEST_F(RecordingFileTest, ASnapshotRewritesTheWaveAreaAndTheCommittedHead)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    for (UINT s = 1; s <= 12; ++s)
        ASSERT_TRUE(file.AppendRecord(Record(s).data()));
    ASSERT_TRUE(file.UpdateFMF());

    const Bytes waves = Snapshot();
    ASSERT_TRUE(file.WriteSnapshot(waves.data(), COleDateTime(2026, 12, 10, 9, 9, 30), 4, 0));
    ASSERT_TRUE(file.AppendRecord(Record(13).data()));
    ASSERT_TRUE(file.UpdateFMF());
    file.Close();

    const Bytes working = ReadAll(tmp);
    ASSERT_EQ(working.size(), 14200u + 13 * 108);
    const Bytes expectTime{0xEA, 0x07, 12, 10, 9, 9, 30, 4, 0};
    EXPECT_EQ(Bytes(working.begin() + 30, working.begin() + 39), expectTime);
    EXPECT_EQ(Bytes(working.begin() + 200, working.begin() + 14200), waves);
    EXPECT_EQ(Bytes(working.begin() + 14200, working.begin() + 14308), Record(1)); // records untouched
    EXPECT_EQ(ReadAll(fmf), working);
}

TEST_F(RecordingFileTest, TheCommittedCopyContinuesFromItsLastWholeRecord)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    for (UINT s = 1; s <= 10; ++s)
        ASSERT_TRUE(file.AppendRecord(Record(s).data()));
    ASSERT_TRUE(file.UpdateFMF());
    {
        // A torn record from an update that failed half-way.
        std::ofstream out(fmf, std::ios::binary | std::ios::app);
        out.write("torn-torn-torn", 14);
    }
    for (UINT s = 11; s <= 20; ++s)
        ASSERT_TRUE(file.AppendRecord(Record(s).data()));
    ASSERT_TRUE(file.UpdateFMF());
    file.Close();
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
}

TEST_F(RecordingFileTest, AMissingCommittedCopyIsWrittenWholeAtTheNextUpdate)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    for (UINT s = 1; s <= 10; ++s)
        ASSERT_TRUE(file.AppendRecord(Record(s).data()));
    ASSERT_TRUE(file.UpdateFMF());
    fs::remove(fmf);
    ASSERT_TRUE(file.AppendRecord(Record(11).data()));
    ASSERT_TRUE(file.UpdateFMF());
    file.Close();
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
}

TEST_F(RecordingFileTest, AnUpdateThatCannotOpenTheCommittedCopyIsSkippedAndMadeUpLater)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    fs::create_directory(fmf); // something in the way of the committed copy
    for (UINT s = 1; s <= 10; ++s)
        ASSERT_TRUE(file.AppendRecord(Record(s).data()));
    EXPECT_FALSE(file.UpdateFMF());
    fs::remove(fmf);
    for (UINT s = 11; s <= 20; ++s)
        ASSERT_TRUE(file.AppendRecord(Record(s).data()));
    ASSERT_TRUE(file.UpdateFMF());
    file.Close();
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
}

// Appends the records stamped first..last; false at the first that fails.
bool AppendRecords(CRecordFile& file, UINT first, UINT last)
{
    for (UINT s = first; s <= last; ++s)
        if (!file.AppendRecord(Record(s).data()))
            return false;
    return true;
}

TEST_F(RecordingFileTest, AnUpdateThatFailsHalfWayIsMadeUpByTheNextOne)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    ASSERT_TRUE(AppendRecords(file, 1, 10));
    ASSERT_TRUE(file.UpdateFMF());
    ASSERT_TRUE(AppendRecords(file, 11, 20));
    platform::SetFileWriteFault(
        platform::FileWriteFault{platform::FileWriteFault::Action::Fail, ENOSPC, 1, ".FMF"});
    EXPECT_FALSE(file.UpdateFMF());
    platform::SetFileWriteFault(std::nullopt);
    ASSERT_TRUE(AppendRecords(file, 21, 30));
    ASSERT_TRUE(file.UpdateFMF());
    // The working file goes on at its end after every update.
    ASSERT_TRUE(AppendRecords(file, 31, 31));
    ASSERT_TRUE(file.UpdateFMF());
    file.Close();
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
    EXPECT_EQ(ReadAll(tmp).size(), kHeadSize + 31 * kRecordSize);
}

TEST_F(RecordingFileTest, ThousandsOfRecordsBetweenTwoUpdatesAllReachTheCommittedCopy)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    ASSERT_TRUE(AppendRecords(file, 1, 10));
    ASSERT_TRUE(file.UpdateFMF());
    ASSERT_TRUE(AppendRecords(file, 11, 3000));
    ASSERT_TRUE(file.UpdateFMF());
    ASSERT_TRUE(file.WriteSnapshot(Snapshot().data(), head.start, 1, 2));
    ASSERT_TRUE(AppendRecords(file, 3001, 3010));
    ASSERT_TRUE(file.UpdateFMF());
    file.Close();
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
    EXPECT_EQ(ReadAll(tmp).size(), kHeadSize + 3010 * kRecordSize);
}

// ---- the working file's lock and existing files -------------------------------------------

TEST_F(RecordingFileTest, TheWorkingFileIsLockedWhileOpen)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    CFile probe;
    CFileException error;
    EXPECT_FALSE(probe.Open(tmp.c_str(), CFile::modeRead | CFile::shareExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    file.Close();
    EXPECT_TRUE(probe.Open(tmp.c_str(), CFile::modeRead | CFile::shareExclusive));
}

TEST_F(RecordingFileTest, AnExistingFileIsNeverOverwritten)
{
    {
        std::ofstream out(tmp, std::ios::binary);
        out << "an earlier recording";
    }
    CRecordFile file;
    EXPECT_FALSE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadAll(tmp).size(), 20u);
}

// ---- write errors -------------------------------------------------------------------------

// The file-size limit stands in for a full disk: the write that crosses it is cut short.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

TEST_F(RecordingFileTest, AFailedWriteIsCutBackToTheLastWholeRecord)
{
    CRecordFile file;
    ASSERT_TRUE(file.Create(tmp.c_str(), head.Block1(), head.Block2()));
    {
        FileSizeLimit limit(14200 + 5 * 108 + 50);
        for (UINT s = 1; s <= 5; ++s)
            ASSERT_TRUE(file.AppendRecord(Record(s).data()));
        EXPECT_FALSE(file.AppendRecord(Record(6).data()));
    }
    EXPECT_EQ(fs::file_size(tmp), 14200u + 5 * 108);
    EXPECT_EQ(file.GetRecordCount(), 5u);
    ASSERT_TRUE(file.UpdateFMF());
    file.Close();
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
}

// ---- the file thread --------------------------------------------------------------------------

constexpr UINT WM_TEST_RECORD_UPDATE = WM_USER + 77;

class ProgressWindow : public CWnd
{
public:
    std::vector<WPARAM> updates;
    ProgressWindow() { CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 0, 0), nullptr, 0); }
    ~ProgressWindow() override { DestroyWindow(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TEST_RECORD_UPDATE) {
            updates.push_back(wParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class FileThreadTest : public RecordingFileTest
{
protected:
    void Queue(UINT first, UINT count)
    {
        for (UINT s = first; s < first + count; ++s) {
            const Bytes record = Record(s);
            control.Get()->AddParamData(CSmartBuffer::CreateBuffer(record.data(), record.size(), 1, 1));
        }
    }
    bool WaitRecords(UINT count)
    {
        return testkit::PumpUntil([&] { return control.Get()->GetFileLength() >= count; });
    }

    ProgressWindow window;
    CFileThreadControl control;
};

TEST_F(FileThreadTest, CommitsEveryTenRecordsAndOnceMoreAtTheEnd)
{
    ASSERT_TRUE(control.Start(tmp.c_str(), head.Block1(), head.Block2(), 0, &window, WM_TEST_RECORD_UPDATE));
    Queue(1, 10);
    ASSERT_TRUE(testkit::PumpUntil([&] { return window.updates.size() == 1; }));
    EXPECT_EQ(fs::file_size(fmf), 14200u + 10 * 108);
    Queue(11, 10);
    ASSERT_TRUE(testkit::PumpUntil([&] { return window.updates.size() == 2; }));
    EXPECT_EQ(fs::file_size(fmf), 14200u + 20 * 108);
    Queue(21, 5);
    ASSERT_TRUE(WaitRecords(25));
    EXPECT_EQ(control.Get()->GetFileLength(), 25u);
    control.Stop();

    testkit::PumpUntil([] { return true; });
    EXPECT_EQ(window.updates, (std::vector<WPARAM>{kRecordProgress, kRecordProgress}));
    EXPECT_EQ(fs::file_size(tmp), 16900u);
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
}

TEST_F(FileThreadTest, StopWritesEverythingQueuedBeforeItReturns)
{
    ASSERT_TRUE(control.Start(tmp.c_str(), head.Block1(), head.Block2(), 0, &window, WM_TEST_RECORD_UPDATE));
    Queue(1, 2000);
    control.Stop();
    EXPECT_EQ(fs::file_size(tmp), 14200u + 2000 * 108);
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
}

TEST_F(FileThreadTest, ADemoBedCommitsOnlyEveryThousandRecords)
{
    ASSERT_TRUE(control.Start(tmp.c_str(), head.Block1(), head.Block2(), 1, &window, WM_TEST_RECORD_UPDATE));
    Queue(1, 25);
    ASSERT_TRUE(WaitRecords(25));
    EXPECT_FALSE(fs::exists(fmf));
    Queue(26, 975);
    ASSERT_TRUE(testkit::PumpUntil([&] { return window.updates.size() == 1; }));
    EXPECT_EQ(fs::file_size(fmf), 14200u + 1000 * 108);
    control.Stop();
}

TEST_F(FileThreadTest, ASnapshotTakesItsLeadBytesAndTime)
{
    ASSERT_TRUE(control.Start(tmp.c_str(), head.Block1(), head.Block2(), 0, &window, WM_TEST_RECORD_UPDATE));
    const Bytes waves = Snapshot();
    control.Get()->SetECGLead(5, 0);
    control.Get()->SetWaveTime(COleDateTime(2027, 1, 2, 3, 4, 5));
    control.Get()->AddWaveData(CSmartBuffer::CreateBuffer(waves.data(), waves.size(), 1, 1));
    Queue(1, 3);
    control.Stop();

    const Bytes committed = ReadAll(fmf);
    ASSERT_EQ(committed.size(), 14200u + 3 * 108);
    EXPECT_EQ(Bytes(committed.begin() + 30, committed.begin() + 39),
              (Bytes{0xEB, 0x07, 1, 2, 3, 4, 5, 5, 0}));
    EXPECT_EQ(Bytes(committed.begin() + 200, committed.begin() + 14200), waves);
}

TEST_F(FileThreadTest, AFileThatCannotBeCreatedLeavesNoThreadAndTellsTheUser)
{
    testkit::ScriptedDialogs dialogs;
    const std::string path = m_folder + "/no-such-folder/x.TMP";
    EXPECT_FALSE(
        control.Start(path.c_str(), head.Block1(), head.Block2(), 0, &window, WM_TEST_RECORD_UPDATE));
    EXPECT_EQ(control.Get(), nullptr);
    const auto shown = dialogs.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FALSE(shown[0].text.IsEmpty());
}

TEST_F(FileThreadTest, AWriteErrorKeepsWhatIsOnDiskAndAsksTheOwnerToStop)
{
    ASSERT_TRUE(control.Start(tmp.c_str(), head.Block1(), head.Block2(), 0, &window, WM_TEST_RECORD_UPDATE));
    {
        FileSizeLimit limit(14200 + 7 * 108 + 20);
        Queue(1, 9);
        ASSERT_TRUE(testkit::PumpUntil([&] { return !window.updates.empty(); }));
    }
    EXPECT_EQ(window.updates, (std::vector<WPARAM>{kRecordWriteFailed}));
    EXPECT_EQ(control.Get()->HasFailed(), 1);
    EXPECT_TRUE(control.Get()->GetWriteError().IsError());
    EXPECT_EQ(control.Get()->GetFileLength(), 7u);

    // What comes after is released, not written.
    const Bytes record = Record(10);
    CSmartBuffer* late = CSmartBuffer::CreateBuffer(record.data(), record.size(), 2, 1);
    control.Get()->AddParamData(late);
    EXPECT_EQ(late->GetRefCount(), 1u);
    late->RemoveRef(1);

    control.Stop();
    EXPECT_EQ(fs::file_size(tmp), 14200u + 7 * 108);
    EXPECT_EQ(ReadAll(fmf), ReadAll(tmp));
}

// ---- finishing an interrupted recording -------------------------------------------------------

// A working file as a killed station leaves it: the head, then records 1, 2, ... of a recording,
// and a committed copy that holds a part of it.
class InterruptedRecording : public RecordingFileTest
{
protected:
    Bytes Head(bool snapshot = false) const
    {
        Bytes bytes(kHeadSize, 0);
        const HeaderBlock block1 = head.Block1(), block2 = head.Block2();
        std::memcpy(bytes.data(), block1.data(), kHeaderBlockSize);
        std::memcpy(bytes.data() + kHeaderBlockSize, block2.data(), kHeaderBlockSize);
        if (snapshot)
            std::memcpy(bytes.data() + kWaveOffset, Snapshot().data(), kWaveAreaSize);
        return bytes;
    }
    static Bytes Records(UINT first, UINT count)
    {
        Bytes bytes;
        for (UINT s = first; s < first + count; ++s) {
            const Bytes record = Record(s);
            bytes.insert(bytes.end(), record.begin(), record.end());
        }
        return bytes;
    }
    static Bytes Join(Bytes a, const Bytes& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    static void Write(const std::string& path, const Bytes& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    static Bytes Cut(Bytes bytes, size_t length)
    {
        bytes.resize(std::min(length, bytes.size()));
        return bytes;
    }
    static size_t LengthOf(size_t records) { return kHeadSize + records * kRecordSize; }
    // Record `index` becomes the blank that fills its second.
    static void MakeBlank(Bytes& working, size_t index)
    {
        PKParam_v110 blank = CTrendStore::MakeBlankEntry(2);
        blank.SetTimeStamp(UINT(index + 1));
        std::memcpy(working.data() + LengthOf(index), blank.GetPacket(), kRecordSize);
    }
};

TEST_F(InterruptedRecording, TheCommittedCopyGetsTheWholeValidRecordsThatContinueIt)
{
    const Bytes working = Join(Head(), Records(1, 107));
    Bytes broken = working; // record 105 counts backwards: a recording never holds that
    broken[LengthOf(104) + PKParam_v110::kOffTimeStamp] = 3;
    Bytes otherCommit = Cut(working, LengthOf(100));
    otherCommit[LengthOf(99) + 20] ^= 0x55;
    const Bytes snapshotLater = Join(Head(true), Records(1, 107));
    struct Case
    {
        const char* what;
        Bytes working;
        std::optional<Bytes> committed;
        RecoveryStatus status;
        ULONGLONG records;
        Bytes committedAfter;
    };
    const Case cases[] = {
        {"the last commit lags", working, Cut(working, LengthOf(100)), RecoveryStatus::Finished, 107,
         working},
        {"killed before the first commit", working, std::nullopt, RecoveryStatus::Finished, 107, working},
        {"a commit cut off half-way", working, Cut(working, LengthOf(103) + 50), RecoveryStatus::Finished,
         107, working},
        {"the head of the copy cut off", working, Cut(working, 9000), RecoveryStatus::Finished, 107, working},
        {"a record cut off at the end", Join(working, Bytes(60, 0xC1)), Cut(working, LengthOf(100)),
         RecoveryStatus::Finished, 107, working},
        {"a record that breaks the sequence", broken, Cut(working, LengthOf(100)), RecoveryStatus::Finished,
         104, Cut(working, LengthOf(104))},
        {"the copy holds more than the valid part", broken, Cut(working, LengthOf(106)),
         RecoveryStatus::Finished, 106, Cut(working, LengthOf(106))},
        {"a snapshot after the last commit", snapshotLater, Cut(working, LengthOf(100)),
         RecoveryStatus::Finished, 107, snapshotLater},
        {"nothing to add", working, working, RecoveryStatus::Finished, 107, working},
        {"a copy that does not continue", working, otherCommit, RecoveryStatus::Unreadable, 0, otherCommit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(fmf);
        Write(tmp, c.working);
        if (c.committed)
            Write(fmf, *c.committed);
        const RecoveredRecording result = FinishRecording(tmp.c_str());
        EXPECT_EQ(result.status, c.status) << result.problem.GetString();
        EXPECT_EQ(result.records, c.records);
        EXPECT_EQ(ReadAll(fmf), c.committedAfter);
        EXPECT_EQ(ReadAll(tmp), c.working) << "the working file is only read";
    }
}

TEST_F(InterruptedRecording, AFileWithoutTheHeadOfARecordingIsLeftAsItIs)
{
    for (const Bytes& working : {Bytes(), Bytes(5000, 0x41), Join(Bytes(kHeadSize, 0), Records(1, 3))}) {
        Write(tmp, working);
        const RecoveredRecording result = FinishRecording(tmp.c_str());
        EXPECT_EQ(result.status, RecoveryStatus::Unreadable);
        EXPECT_FALSE(result.problem.IsEmpty());
        EXPECT_FALSE(fs::exists(fmf)) << "no committed copy is made up";
    }
}

TEST_F(InterruptedRecording, BlankEntriesCountFromTheRecordGiven)
{
    Bytes working = Join(Head(), Records(1, 20));
    MakeBlank(working, 5);
    MakeBlank(working, 15);
    MakeBlank(working, 16);
    Write(tmp, working);
    EXPECT_EQ(FinishRecording(tmp.c_str(), 0).blanks, 3u);
    EXPECT_EQ(FinishRecording(tmp.c_str(), 10).blanks, 2u);
}

TEST_F(InterruptedRecording, ARecordingThatIsStillWrittenIsLeftAlone)
{
    CRecordFile running;
    ASSERT_TRUE(running.Create(tmp.c_str(), head.Block1(), head.Block2()));
    ASSERT_TRUE(running.AppendRecord(Record(1).data()));
    const RecoveredRecording result = FinishRecording(tmp.c_str());
    EXPECT_EQ(result.status, RecoveryStatus::InUse);
    EXPECT_FALSE(fs::exists(fmf));
}

TEST_F(InterruptedRecording, AFullDiskLeavesTheCopyForTheNextTry)
{
    const Bytes working = Join(Head(), Records(1, 30));
    Write(tmp, working);
    Write(fmf, Cut(working, LengthOf(20)));
    platform::SetFileWriteFault(
        platform::FileWriteFault{platform::FileWriteFault::Action::Fail, ENOSPC, 1, ".FMF"});
    const RecoveredRecording refused = FinishRecording(tmp.c_str());
    platform::SetFileWriteFault(std::nullopt);
    EXPECT_EQ(refused.status, RecoveryStatus::NotCommitted);
    EXPECT_FALSE(refused.problem.IsEmpty());
    EXPECT_EQ(ReadAll(fmf), Cut(working, LengthOf(20)));

    const RecoveredRecording later = FinishRecording(tmp.c_str());
    EXPECT_EQ(later.status, RecoveryStatus::Finished);
    EXPECT_EQ(later.appended, 10u);
    EXPECT_EQ(ReadAll(fmf), working);
}

} // namespace
