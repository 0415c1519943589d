// The recording file reader against files of every length that matters, files of another
// version, a file the central station's own file code wrote (while it is still being written),
// a file longer than any recording, and the visibility and validity questions the trend page
// asks of the records.
#include "support/CentralRecording.h"
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/record/CRecordReader.h"

#include "nrdata/config/NyraConfig.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace reviewtest;
using tarlux::CRecordReader;

namespace {

constexpr int kHead = 14200;
constexpr int kRecord = 108;

// A file's bytes: header block 1 (magic, version 1.0.0 unless told otherwise, a snapshot time
// and leads, a monitor packet in display mode 3), header block 2 (a patient packet), waves with
// a recognisable first byte each, then the records, cut to `length`.
std::vector<BYTE> FileBytes(size_t length, const std::vector<PKParam_v110>& records = {},
                            std::array<BYTE, 3> version = { 1, 0, 0 })
{
    PKMonitor_v110 monitor;
    monitor.SetDisplayMode(3);
    PKPatient_v110 patient;
    patient.SetPatientId("P_9");
    auto block1 = nrdata::record::MakeHeaderBlock1(COleDateTime(2024, 3, 5, 8, 0, 0), monitor.GetPacket());
    std::memcpy(block1.data() + 17, version.data(), 3);
    nrdata::record::PutRecordTime(block1, nrdata::record::kOffWaveTime, COleDateTime(2024, 3, 5, 8, 1, 30));
    block1[nrdata::record::kOffECGLead1] = 2;
    block1[nrdata::record::kOffECGLead2] = 3;
    const auto block2 = nrdata::record::MakeHeaderBlock2(patient.GetPacket());
    const std::vector<BYTE> body = RecordBytes(records);
    std::vector<BYTE> bytes(kHead + body.size(), 0);
    std::memcpy(bytes.data(), block1.data(), block1.size());
    std::memcpy(bytes.data() + 100, block2.data(), block2.size());
    for (int w = 0; w < 250; ++w) {
        bytes[200 + w * 56] = 0xC0;
        bytes[200 + w * 56 + 1] = static_cast<BYTE>(w);
    }
    std::copy(body.begin(), body.end(), bytes.begin() + kHead);
    bytes.resize(length, 0x5A);
    return bytes;
}

class RecordReader : public testing::Test
{
protected:
    CString Write(const std::string& name, const std::vector<BYTE>& bytes)
    {
        return m_folder.Write(name, std::string(bytes.begin(), bytes.end()));
    }
    testkit::TempFolder m_folder;
    CRecordReader m_reader;
};

// ---- lengths -------------------------------------------------------------------------------------------

TEST_F(RecordReader, EachPartIsReadOnlyWhenTheFileHoldsItWhole)
{
    const std::vector<PKParam_v110> records =
        MakeRecords(3, [](PKParam_v110& p, unsigned int r) { p.SetFHR1(0, static_cast<BYTE>(130 + r)); });
    const struct
    {
        const char* name;
        size_t length;
        bool monitor, patient;
        int waves, records;
    } cases[] = {
        { "99 bytes: no header", 99, false, false, 0, 0 },
        { "150 bytes: the first header block", 150, true, false, 0, 0 },
        { "14,199 bytes: both header blocks, no waves", kHead - 1, true, true, 0, 0 },
        { "14,200 bytes: the snapshot, no records", kHead, true, true, 250, 0 },
        { "one record and 107 bytes", kHead + kRecord + 107, true, true, 250, 1 },
        { "three records and 50 bytes", kHead + 3 * kRecord + 50, true, true, 250, 3 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(m_reader.Load(Write("study.FMF", FileBytes(c.length, records))), 1);
        EXPECT_EQ(m_reader.IsLoaded(), 1);
        EXPECT_EQ(m_reader.GetMonitorPacket().GetDisplayMode(), c.monitor ? 3 : 0);
        EXPECT_EQ(m_reader.GetPatientPacket().GetPatientId(), c.patient ? "P_9" : "");
        EXPECT_EQ(m_reader.GetWaveCount(), c.waves);
        EXPECT_EQ(m_reader.GetRecordCount(), c.records);
        EXPECT_EQ(m_reader.GetRecord(c.records), nullptr);
        EXPECT_EQ(m_reader.GetWave(c.waves), nullptr);
        if (c.waves) {
            EXPECT_EQ(m_reader.GetWave(249)[1], 249);
            EXPECT_EQ(m_reader.GetECGLead1Text(), "II");
            EXPECT_EQ(m_reader.GetECGLead2Text(), "III");
            EXPECT_EQ(m_reader.GetSnapshotTime(), COleDateTime(2024, 3, 5, 8, 1, 30));
        }
        for (int r = 0; r < c.records; ++r)
            EXPECT_EQ(0, std::memcmp(m_reader.GetRecord(r), records[r].GetPacket(), kRecord)) << r;
    }
}

TEST_F(RecordReader, AFileOfAnotherVersionKeepsItsHeaderButNoWavesOrRecords)
{
    const auto records = MakeRecords(5, [](PKParam_v110&, unsigned int) {});
    ASSERT_EQ(m_reader.Load(Write("v101.FMF", FileBytes(kHead + 5 * kRecord, records, { 1, 0, 1 }))), 1);
    EXPECT_EQ(m_reader.IsLoaded(), 1);
    EXPECT_EQ(m_reader.GetMonitorPacket().GetDisplayMode(), 3);
    EXPECT_EQ(m_reader.GetPatientPacket().GetPatientId(), "P_9");
    EXPECT_EQ(m_reader.GetWaveCount(), 0);
    EXPECT_EQ(m_reader.GetRecordCount(), 0);
}

TEST_F(RecordReader, AMissingFileLeavesNothingOfTheStudyBefore)
{
    const auto records = MakeRecords(4, [](PKParam_v110&, unsigned int) {});
    ASSERT_EQ(m_reader.Load(Write("a.FMF", FileBytes(kHead + 4 * kRecord, records))), 1);
    m_reader.SetShownFirst(2);
    m_reader.SetShownLast(3);
    EXPECT_EQ(m_reader.Load(m_folder.Path("missing.FMF")), 0);
    EXPECT_EQ(m_reader.IsLoaded(), 0);
    EXPECT_EQ(m_reader.GetRecordCount(), 0);
    EXPECT_EQ(m_reader.GetWaveCount(), 0);
    // No header of the previous patient's file stays behind to be shown with this one.
    EXPECT_EQ(m_reader.GetPatientPacket().GetPatientId(), "");
    EXPECT_EQ(m_reader.GetECGLead1Text(), "");
    EXPECT_EQ(m_reader.GetSnapshotTime().GetStatus(), COleDateTime::invalid);
    // The page's range is the page's, not the file's.
    EXPECT_EQ(m_reader.GetShownFirst(), 2);
    EXPECT_EQ(m_reader.GetShownLast(), 3);
    // A short file after a long one: its own header, no more.
    ASSERT_EQ(m_reader.Load(Write("a.FMF", FileBytes(kHead + 4 * kRecord, records))), 1);
    ASSERT_EQ(m_reader.Load(Write("short.FMF", FileBytes(60))), 1);
    EXPECT_EQ(m_reader.GetMonitorPacket().GetDisplayMode(), 0);
    EXPECT_EQ(m_reader.GetRecordCount(), 0);
    // Fewer records after more: only this file's records, none left over from the longer one.
    ASSERT_EQ(m_reader.Load(Write("a.FMF", FileBytes(kHead + 4 * kRecord, records))), 1);
    const auto two = MakeRecords(2, [](PKParam_v110& p, unsigned int r) { p.SetFHR1(0, static_cast<BYTE>(90 + r)); });
    ASSERT_EQ(m_reader.Load(Write("two.FMF", FileBytes(kHead + 2 * kRecord, two))), 1);
    ASSERT_EQ(m_reader.GetRecordCount(), 2);
    EXPECT_EQ(m_reader.GetRecord(2), nullptr);
    for (int r = 0; r < 2; ++r)
        EXPECT_EQ(0, std::memcmp(m_reader.GetRecord(r), two[r].GetPacket(), kRecord)) << r;
}

// A damaged file claiming more than 72 hours (here a sparse 5 GB file) is read up to the most
// records a recording holds; nothing larger is allocated.
TEST_F(RecordReader, AFileLongerThanAnyRecordingIsReadUpToTheLongestRecording)
{
    const CString path = Write("huge.FMF", FileBytes(kHead));
    const int fd = ::open(path, O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 5LL * 1024 * 1024 * 1024), 0);
    ::close(fd);
    ASSERT_EQ(m_reader.Load(path), 1);
    EXPECT_EQ(m_reader.GetRecordCount(), static_cast<int>(nrdata::record::kMaxRecords));
}

// ---- the central station's own file ---------------------------------------------------------------

TEST_F(RecordReader, ReadsWhatTheCentralStationsFileCodeWroteWhileItIsStillOpen)
{
    std::vector<BYTE> waves(14000);
    for (size_t i = 0; i < waves.size(); ++i)
        waves[i] = static_cast<BYTE>(i % 56 == 0 ? 0xC0 : i % 251);
    const auto records = ScriptedTrend(95);
    CentralHeader header;
    header.displayMode = 1;
    auto working = WriteCentralRecording(m_folder.Root(), "20240305080000", header, records, &waves);
    ASSERT_TRUE(working->IsOpen());

    const CString committed = m_folder.Path("Records/P_1_20240305080000.FMF");
    ASSERT_EQ(m_reader.Load(committed), 1);
    EXPECT_EQ(m_reader.GetRecordCount(), 95);
    EXPECT_EQ(m_reader.GetWaveCount(), 250);
    EXPECT_EQ(0, std::memcmp(m_reader.GetWave(0), waves.data(), 14000));
    for (int r = 0; r < 95; ++r)
        ASSERT_EQ(0, std::memcmp(m_reader.GetRecord(r), records[r].GetPacket(), kRecord)) << r;
    EXPECT_EQ(m_reader.GetMonitorPacket().GetDisplayMode(), 1);
    EXPECT_EQ(m_reader.GetPatientPacket().GetPatientId(), "P_1");
    EXPECT_EQ(m_reader.GetPatientPacket().GetLastName(), "Kim");
    EXPECT_EQ(m_reader.GetSnapshotTime(), header.start);
    EXPECT_EQ(m_reader.GetECGLead1Text(), "II");
    EXPECT_EQ(m_reader.GetECGLead2Text(), "III");

    // More records arrive; the next load sees them.
    for (const PKParam_v110& p : ScriptedTrend(20))
        ASSERT_TRUE(working->AppendRecord(p.GetPacket()));
    ASSERT_TRUE(working->UpdateFMF());
    ASSERT_EQ(m_reader.Load(committed), 1);
    EXPECT_EQ(m_reader.GetRecordCount(), 115);
}

// ---- questions about the records ---------------------------------------------------------------------

TEST_F(RecordReader, ValidDataIsLookedForInTheRecordsThatExistOfAVisibleParameter)
{
    tarlux::ReviewConfig().Default();
    // FHR1 only in record 3; UC in none.
    const auto records = MakeRecords(6, [](PKParam_v110& p, unsigned int r) {
        if (r == 3)
            p.SetFHR1(4, 140);
    });
    ASSERT_EQ(m_reader.Load(Write("r.FMF", FileBytes(kHead + 6 * kRecord, records))), 1);
    const struct
    {
        int kind, first, count, expected;
    } cases[] = {
        { ParamKind::FHR1, 0, 6, 1 },  { ParamKind::FHR1, 3, 1, 1 },   { ParamKind::FHR1, 0, 3, 0 },
        { ParamKind::FHR1, 4, 10, 0 }, { ParamKind::FHR1, 3, 0, 0 },   { ParamKind::FHR1, 6, 5, 0 },
        { ParamKind::FHR1, -2, 6, 1 }, { ParamKind::UC, 0, 6, 0 },     { ParamKind::Marker, 0, 6, 0 },
        { 0, 0, 6, 0 },                { 15, 0, 6, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(m_reader.HasValidData(c.kind, c.first, c.count), c.expected)
            << "kind " << c.kind << " from " << c.first << " for " << c.count;
    // A parameter the settings hide has no valid data to show.
    tarlux::ReviewConfig().DisplayFlag.fill(0);
    EXPECT_EQ(m_reader.IsParamVisible(ParamKind::FHR1), 0);
    EXPECT_EQ(m_reader.HasValidData(ParamKind::FHR1, 0, 6), 0);
    tarlux::ReviewConfig().Default();
    EXPECT_EQ(m_reader.IsParamVisible(ParamKind::FHR1), 1);
    EXPECT_EQ(m_reader.IsParamVisible(17), 0) << "only parameters 1 to 14";
}

} // namespace
