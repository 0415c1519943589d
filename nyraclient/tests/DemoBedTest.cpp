// Demo beds: the generator's packets (their spacing, time stamps and NIBP cycle), the two demo
// beds the station may hold and the third it refuses, packets handled on the user-interface
// thread only, and demo beds taking part in the grid, paging and recording while threads run
// (the last test is the one to run under ThreadSanitizer).
#include "support/StationHarness.h"

#include "nyraclient/demo/CDemoGenerator.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "testkit/Pump.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace stationtest;
using nyraclient::demo::CDemoGenerator;
using testkit::Pump;

namespace {

TEST(DemoGenerator, OneParameterPacketFollowsEveryTwentySixWavePackets)
{
    CDemoGenerator generator;
    PKWave_v110 wave;
    PKParam_v110 param;
    std::vector<unsigned> stamps;
    for (int packet = 1; packet <= 52; ++packet) {
        generator.MakeWave(wave, 1);
        EXPECT_EQ(wave.GetPacket()[wave.GetPacketSize() - 1], 1);
        if (generator.ParameterDue()) {
            EXPECT_EQ(packet % 26, 0) << "after wave packet " << packet;
            generator.MakeParameter(param, 1);
            stamps.push_back(param.GetTimeStamp());
        }
    }
    EXPECT_EQ(stamps, (std::vector<unsigned> { 0, 1 }));
}

TEST(DemoGenerator, NIBPIsMeasuredForOneHundredAndOnePacketsAndFinishedInTheNext)
{
    struct Expected
    {
        int packet;
        int status, systolic, mean, diastolic, marker, stimulator, zeroing, fmDetect;
    };
    constexpr int kNone = 0xFFFF;
    const Expected expected[] = {
        { 1, 1, kNone, 0, kNone, 0, 0, 0, 0 },
        { 2, 1, kNone, 1, kNone, 0, 0, 0, 0 },
        { 101, 1, kNone, 100, kNone, 0, 0, 0, 0 },
        { 102, 4, 120, 93, 80, 1, 1, 2, 1 },
        { 103, 1, kNone, 0, kNone, 0, 0, 0, 0 },
        { 204, 4, 120, 93, 80, 1, 1, 2, 1 },
    };
    CDemoGenerator generator;
    PKParam_v110 param;
    std::size_t next = 0;
    for (int packet = 1; packet <= 204 && next < std::size(expected); ++packet) {
        generator.MakeParameter(param, 2);
        if (packet != expected[next].packet)
            continue;
        const Expected& e = expected[next++];
        SCOPED_TRACE(packet);
        EXPECT_EQ(param.GetNIBPStatus(), e.status);
        EXPECT_EQ(param.GetNIBPSys(), e.systolic);
        EXPECT_EQ(param.GetNIBPMean(), e.mean);
        EXPECT_EQ(param.GetNIBPDia(), e.diastolic);
        EXPECT_EQ(param.GetMarker(), e.marker);
        EXPECT_EQ(param.GetStimulator(), e.stimulator);
        EXPECT_EQ(param.GetUCZeroing(), e.zeroing);
        EXPECT_EQ(param.GetIUPZeroing(), e.zeroing);
        for (int i = 0; i < PKParam_v110::kSamples; ++i) {
            EXPECT_EQ(param.GetFMD1(i) != 0, e.fmDetect != 0);
            EXPECT_EQ(param.GetFMD2(i) != 0, e.fmDetect != 0);
            EXPECT_EQ(param.GetFM1(i), 100);
        }
        EXPECT_EQ(param.GetECGAlarm(), 1);
        EXPECT_EQ(param.GetFHR1Alarm(), 0);
        // The fetal curves stay in their ranges; IUP follows UC.
        EXPECT_GE(param.GetFHR1(0), 110);
        EXPECT_LE(param.GetFHR1(0), 170);
        EXPECT_EQ(param.GetIUP(3), param.GetUC(3));
        EXPECT_GE(param.GetECG(0), 79);
        EXPECT_LE(param.GetECG(0), 83);
    }
    EXPECT_EQ(next, std::size(expected));
}

class DemoBeds : public ::testing::Test
{
protected:
    NyraClientManager& Manager() { return m_station.manager; }
    NyraClientInfo* Demo(int index) { return Manager().GetClient(index); }

    Station m_station;
};

TEST_F(DemoBeds, TwoDemoBedsAreNumberedByTheirKeysAndAThirdIsRefused)
{
    testkit::ScriptedDialogs dialogs;
    ASSERT_EQ(Manager().AddDemoClient(), 1);
    ASSERT_EQ(Manager().AddDemoClient(), 1);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        NyraClientInfo* demo = Demo(i);
        ASSERT_NE(demo, nullptr);
        EXPECT_TRUE(demo->IsDemo());
        EXPECT_EQ(demo->GetKey(), i + 1);
        EXPECT_EQ(demo->GetMonitorPacket().GetMonitorNumber(), i + 1);
        EXPECT_EQ(demo->GetMonitorPacket().GetDisplayMode(), i + 2);
        EXPECT_EQ(demo->GetPatientPacket().GetFirstName(), CString("DEMO"));
        EXPECT_TRUE(demo->IsMonitorAccepted());
        EXPECT_NE(demo->GetControl(), nullptr) << "its tile window";
    }
    EXPECT_TRUE(dialogs.Boxes().empty());

    EXPECT_EQ(Manager().AddDemoClient(), 0);
    EXPECT_EQ(Manager().GetClientCount(), 2);
    const auto boxes = dialogs.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, CString("No more client available!!"));
    EXPECT_EQ(boxes[0].Icon(), UINT(MB_ICONSTOP));
}

TEST_F(DemoBeds, PacketsAreHandledOnTheUserInterfaceThreadOnly)
{
    ASSERT_EQ(Manager().AddDemoClient(), 1);
    NyraClientInfo* demo = Demo(0);
    // The generator runs, but nothing reaches the handlers until this thread pumps.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(demo->GetTrendFedCount(), 0);
    ASSERT_TRUE(PumpUntil([&] { return demo->GetTrendFedCount() >= 3; }));
    EXPECT_EQ(demo->GetParamPacket().GetKey(), 1);

    // Removing the bed stops its generator before the client goes (the client may be gone at
    // once, so it is not asked afterwards).
    Manager().RemoveClient(demo, TRUE);
    nyraclient::FlushDeferredDeletes();
    Pump(); // a message the generator posted finds no window
    EXPECT_EQ(Manager().GetClientCount(), 0);
}

TEST_F(DemoBeds, RemovingARecordingDemoBedIsQuick)
{
    testkit::TempFolder data;
    ASSERT_EQ(Manager().AddDemoClient(), 1);
    NyraClientInfo* demo = Demo(0);
    ASSERT_TRUE(PumpUntil([&] { return demo->GetTrendFedCount() >= 2; }));
    TBLStudy study;
    study.S_ID = "DEMO-1";
    study.SetStartTime(COleDateTime::GetCurrentTime(), 1);
    demo->RecordStart(data.Dir().c_str(), study);
    ASSERT_TRUE(demo->IsRecording());
    Pump();
    const auto start = std::chrono::steady_clock::now();
    Manager().RemoveClient(demo, TRUE);
    nyraclient::FlushDeferredDeletes();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

// Two demo beds and two beds listed by another station, pages flipped every 50 ms, recordings
// started and stopped, and a recording demo bed removed while its generator and file thread run.
TEST_F(DemoBeds, DemoAndMirroredBedsSurvivePagingAndRecording)
{
    testkit::TempFolder data;
    NyraConfig config = Manager().GetConfig();
    config.DevicePositionFix = 1;
    Manager().SetConfig(config, FALSE);
    Manager().SetDisplayMode(1, TRUE); // two beds a page
    Manager().ResetLayout(0, 0, 800, 600);
    ASSERT_EQ(Manager().AddDemoClient(), 1);
    ASSERT_EQ(Manager().AddDemoClient(), 1);
    ASSERT_EQ(Manager().ConnectedAsLan(10, 0, 0, 3, 3), 3);
    ASSERT_EQ(Manager().ConnectedAsLan(10, 0, 0, 4, 4), 4);
    config.DevicePositionFix = 0;
    Manager().SetConfig(config, FALSE);
    ASSERT_EQ(Manager().GetTotalPageCount(), 2);

    std::vector<NyraClientInfo*> demos;
    for (int i = 0; i < Manager().GetClientCount(); ++i)
        if (Demo(i) != nullptr && Demo(i)->IsDemo())
            demos.push_back(Demo(i));
    ASSERT_EQ(demos.size(), 2u);

    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    int flips = 0;
    while (std::chrono::steady_clock::now() < until) {
        if (Manager().CanNext())
            Manager().ShowNextPage();
        else
            Manager().ShowPrevPage();
        NyraClientInfo* bed = demos[size_t(flips % 2)];
        if (bed->IsRecording()) {
            bed->RecordStop();
        } else {
            TBLStudy study;
            study.S_ID = CString("D-") + CString(std::to_string(flips).c_str());
            study.SetStartTime(COleDateTime::GetCurrentTime(), 1);
            bed->RecordStart(data.Dir().c_str(), study);
        }
        ++flips;
        const auto next = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
        while (std::chrono::steady_clock::now() < next)
            Pump();
    }
    EXPECT_GT(demos[0]->GetTrendFedCount(), 0);

    NyraClientInfo* recording = demos[0];
    if (!recording->IsRecording()) {
        TBLStudy study;
        study.S_ID = "D-LAST";
        study.SetStartTime(COleDateTime::GetCurrentTime(), 1);
        recording->RecordStart(data.Dir().c_str(), study);
    }
    const auto start = std::chrono::steady_clock::now();
    Manager().RemoveClient(recording, TRUE);
    nyraclient::FlushDeferredDeletes();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(Manager().GetClientCount(), 3);
}

} // namespace
