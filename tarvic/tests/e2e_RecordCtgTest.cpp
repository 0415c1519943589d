// End to end: the station records ten minutes of the sample CTG trace (CTU-UHB record 1001) from
// the monitor simulator at simulated speed, and the committed recording file is read back sample
// for sample against what the monitor sent; the study row holds the same length.
#include "support/StationFixture.h"

#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/record/RecordFileFormat.h"
#include "nyraclient/client/ClientMessages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace stationtest;

namespace {

namespace fs = std::filesystem;
using monitorsim::Bytes;

constexpr int kSeconds = 600;

Bytes ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class RecordCtg : public StationTest
{
};

TEST_F(RecordCtg, TenMinutesOfTheSampleTraceAreReadBackSampleForSample)
{
    StartStation();
    SetFreeMegabytes(5000);
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
    ASSERT_NE(bed, nullptr);
    AdmitPatient(bed, *sim, "CTG-1001");
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START);
    ASSERT_TRUE(bed->IsRecording());
    const TBLStudy study = bed->GetStudy();

    // Each second: the monitor's waves, then its parameters, which the station acknowledges.
    std::vector<Bytes> sent;
    for (int second = 0; second < kSeconds; ++second) {
        for (int wave = 0; wave < MonitorSim::kWavesPerSecond; ++wave)
            ASSERT_TRUE(sim->Send(sim->WavePacket()));
        sent.push_back(sim->ParamPacket());
        ASSERT_TRUE(sim->Send(sent.back()));
        Await(*sim, 1);
    }
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_STOP);

    using namespace nrdata::record;
    const fs::path committed = folder / ("Data/Records/CTG-1001_" + std::string(study.S_STUDY_ID) + ".FMF");
    const Bytes file = ReadAll(committed);
    ASSERT_EQ(file.size(), kHeadSize + kSeconds * kRecordSize);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 10), Bytes(kMagic, kMagic + 10));
    // The wave snapshot taken at the start holds the monitor's waves.
    EXPECT_NE(file[kWaveOffset], 0);

    int heartRates = 0;
    for (int record = 0; record < kSeconds; ++record) {
        const auto at = file.begin() + std::ptrdiff_t(kHeadSize + record * kRecordSize);
        const Bytes stored(at, at + std::ptrdiff_t(kRecordSize));
        ASSERT_EQ(stored, sent[size_t(record)]) << "record " << record;
        PKParam_v110 fromFile, fromMonitor;
        ASSERT_TRUE(fromFile.SetPacket(stored.data(), int(stored.size()), FALSE));
        ASSERT_TRUE(fromMonitor.SetPacket(sent[size_t(record)].data(), int(kRecordSize), FALSE));
        for (int sample = 0; sample < PKParam_v110::kSamples; ++sample) {
            EXPECT_EQ(fromFile.GetFHR1(sample), fromMonitor.GetFHR1(sample));
            EXPECT_EQ(fromFile.GetUC(sample), fromMonitor.GetUC(sample));
            heartRates += fromFile.IsValidData(11, sample) && fromFile.GetFHR1(sample) >= 100 ? 1 : 0;
        }
    }
    // The trace is a real fetal heart rate, not blanks.
    EXPECT_GT(heartRates, kSeconds * PKParam_v110::kSamples * 9 / 10);

    TBLStudy row;
    ASSERT_TRUE(ReadStudy(study.S_ID, study.S_STUDY_ID, row));
    EXPECT_EQ(row.S_LENGTH, kSeconds);
    EXPECT_EQ(row.S_LOSS, 0);
    EXPECT_FALSE(fs::exists(fs::path(committed).replace_extension(".TMP")));
}

} // namespace
