// The bed window's painter threads: the parameter painter draws the numerics and the trend when
// parameters come and blanks them after 4 s of silence on the tick clock; the wave painter sweeps
// the simulator's waves across the enlarged window; the alarm-caption painter takes the alarm
// texts in turn, in their level's colour, and keeps the recording time running. What the
// painters drew survives a repaint of the window, and a new packet draws only what changed.
#include "support/BedWindowHarness.h"

#include "nyraclient/alarm/NyraAlarmManager.h"
#include "nyraclient/bedwindow/AlarmColors.h"

#include "nrdata/buffer/CSmartBuffer.h"

#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/TextRecorder.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace bedtest;

namespace {

CString PanelValue(NyraControl& bed, PARAMITEM item)
{
    int alarm = 0;
    return bed.GetPanelText(item, alarm);
}

// Pixels of `colour` inside `area` of the window as it stands.
int CountPixels(const NyraControl& bed, const CRect& area, COLORREF colour)
{
    const platform::Image picture = testkit::Capture(bed.GetSafeHwnd());
    int count = 0;
    for (int y = std::max<int>(area.top, 0); y < area.bottom && y < picture.Height(); ++y)
        for (int x = std::max<int>(area.left, 0); x < area.right && x < picture.Width(); ++x)
            count += picture.Pixel(x, y) == ImagePixel(colour);
    return count;
}

// Lets the painters see the test clock's move before the next look (they poll every 1 ms).
void LetPaintersLook() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }

// ---- the parameter painter -----------------------------------------------------------------------------

TEST(BedWindowPainters, NumericsGoBlankAfter4sOfSilenceOnTheTickClockAndReturnWithData)
{
    BedStation station;
    NyraControl& bed = *station.Tile();
    PKParam_v110 p = QuietPacket();
    p.SetFHR1(0, 140);
    station.Param(p);
    ASSERT_TRUE(station.WaitForParameterPainter());
    EXPECT_EQ(PanelValue(bed, PARAM_FHR1_VALUE), CString("140"));

    station.clock.Advance(CParamThread::kBlankAfterMs - 1);
    LetPaintersLook();
    EXPECT_EQ(PanelValue(bed, PARAM_FHR1_VALUE), CString("140")) << "not before 4 s";
    station.clock.Advance(1);
    ASSERT_TRUE(testkit::PumpUntil([&] { return PanelValue(bed, PARAM_FHR1_VALUE) == CString("---"); }));
    ASSERT_TRUE(station.WaitForParameterPainter()) << "the blank numerics are drawn";

    // Data again: the value shows, and a second silence blanks it again.
    station.Param(p);
    ASSERT_TRUE(station.WaitForParameterPainter());
    EXPECT_EQ(PanelValue(bed, PARAM_FHR1_VALUE), CString("140"));
    station.clock.Advance(CParamThread::kBlankAfterMs);
    EXPECT_TRUE(testkit::PumpUntil([&] { return PanelValue(bed, PARAM_FHR1_VALUE) == CString("---"); }));
}

TEST(BedWindowPainters, ABlankingNeverWipesAPacketNewerThanTheSilence)
{
    BedStation station;
    PKParam_v110 p = QuietPacket();
    p.SetFHR1(0, 150);
    const unsigned before = station.client->GetParamGeneration();
    station.Param(p);
    EXPECT_EQ(station.client->GetParamGeneration(), before + 1);
    EXPECT_FALSE(station.client->BlankParamPacket(before)) << "a painter that saw the older packet";
    EXPECT_EQ(PanelValue(*station.Tile(), PARAM_FHR1_VALUE), CString("150"));
    EXPECT_TRUE(station.client->BlankParamPacket(before + 1));
    EXPECT_EQ(PanelValue(*station.Tile(), PARAM_FHR1_VALUE), CString("---"));
}

TEST(BedWindowPainters, ARepaintKeepsTheTrendCurvesAfterTheDataStopped)
{
    BedStation station(CSize(640, 400), DISPMODE_4CH);
    NyraControl& bed = *station.Tile();
    station.Feed(400);
    ASSERT_TRUE(station.WaitForParameterPainter());
    const COLORREF fhr1 = COLORREF(station.client->GetConfig().GraphFHR1);
    const int drawn = CountPixels(bed, bed.GetTrendRectAll(), fhr1);
    ASSERT_GT(drawn, 100) << "the painter drew the FHR curve";

    bed.Invalidate(FALSE);
    Pump();
    EXPECT_EQ(CountPixels(bed, bed.GetTrendRectAll(), fhr1), drawn) << "the paint itself keeps the curve";
    EXPECT_FALSE(bed.IsParameterDrawPending()) << "the work bitmap holds the curves: nothing to draw again";
}

TEST(BedWindowPainters, ANewPacketDrawsOnlyTheNumbersThatChanged)
{
    BedStation station(CSize(640, 400), DISPMODE_16CH);
    PKParam_v110 p = QuietPacket();
    p.SetFHR1(0, 140);
    p.SetUC(0, 12);
    station.Param(p);
    ASSERT_TRUE(station.WaitForParameterPainter());

    platform::TextRecorder recorder;
    p.SetFHR1(0, 141);
    station.Param(p);
    ASSERT_TRUE(station.WaitForParameterPainter());
    std::vector<std::string> drawn;
    for (const platform::DrawnText& text : recorder.Texts())
        drawn.push_back(text.text);
    EXPECT_EQ(drawn, std::vector<std::string> { "141" }) << "the labels and the unchanged UC stay as they are";
    EXPECT_EQ(PanelValue(*station.Tile(), PARAM_UC_VALUE), CString("12"));
}

TEST(BedWindowPainters, APanelOnlyTileGetsNumericsButNoTrend)
{
    BedStation station(CSize(300, 160), DISPMODE_16CH);
    PKParam_v110 p = QuietPacket();
    p.SetFHR1(0, 133);
    station.Param(p);
    ASSERT_TRUE(station.WaitForParameterPainter());
    EXPECT_TRUE(station.Tile()->GetTrendRectAll().IsRectEmpty());
    EXPECT_GT(CountPixels(*station.Tile(), station.Tile()->GetParamRectAll(), station.client->GetConfig().GraphFHR1), 0);
}

// ---- the wave painter ------------------------------------------------------------------------------------

TEST(BedWindowPainters, OutsideTheEnlargedLayoutWavePacketsAreReleasedUndrawn)
{
    BedStation station;
    const BYTE bytes[56] {};
    CSmartBuffer* packet = CSmartBuffer::CreateBuffer(bytes, sizeof bytes, 2, 1);
    // A tile has no waves: the packet goes back at once, no painter queues it.
    station.Tile()->PushWave(packet);
    EXPECT_EQ(packet->GetRefCount(), 1u);
    EXPECT_EQ(station.Tile()->GetQueuedWavePackets(), 0u);
    station.Waves(30);
    EXPECT_TRUE(testkit::PumpUntil([&] { return packet->GetRefCount() == 1u && station.Tile()->GetQueuedWavePackets() == 0; }));
    EXPECT_EQ(station.Tile()->GetDrawnWavePackets(), 0u);
    packet->RemoveRef(1);
}

TEST(BedWindowPainters, APacketOfAnotherSizeIsReleasedAtOnce)
{
    BedStation station(CSize(900, 560), DISPMODE_ENLARGE);
    const BYTE bytes[40] {};
    CSmartBuffer* packet = CSmartBuffer::CreateBuffer(bytes, sizeof bytes, 2, 1);
    station.Tile()->PushWave(packet);
    EXPECT_EQ(packet->GetRefCount(), 1u);
    EXPECT_EQ(station.Tile()->GetQueuedWavePackets(), 0u);
    packet->RemoveRef(1);
}

TEST(BedWindowPainters, WavesSweepAcrossTheEnlargedBedAndSurviveARepaint)
{
    BedStation station(CSize(900, 560), DISPMODE_ENLARGE);
    NyraControl& bed = *station.Tile();
    const COLORREF ecg = COLORREF(station.client->GetConfig().GraphHR);
    const CRect graph = bed.GetGraphRectAll();
    ASSERT_FALSE(graph.IsRectEmpty());
    ASSERT_TRUE(station.PrimeWavePainter());
    station.Waves(25);
    ASSERT_TRUE(station.WaitForWavePainter(26));
    const int second = CountPixels(bed, graph, ecg);
    EXPECT_GT(second, 25);
    station.Waves(25);
    ASSERT_TRUE(station.WaitForWavePainter(51));
    const int twoSeconds = CountPixels(bed, graph, ecg);
    EXPECT_GT(twoSeconds, second) << "the trace runs on";

    bed.Invalidate(FALSE);
    Pump();
    EXPECT_EQ(CountPixels(bed, graph, ecg), twoSeconds) << "the work bitmap holds the waves";

    // A resize starts the sweep again at the left edge.
    station.Layout(CSize(880, 560), DISPMODE_ENLARGE);
    const CRect resized = bed.GetGraphRectAll();
    ASSERT_TRUE(station.PrimeWavePainter());
    station.Waves(5);
    ASSERT_TRUE(station.WaitForWavePainter(6));
    const CRect left(resized.left, resized.top, resized.left + resized.Width() / 4, resized.bottom);
    const CRect right(resized.left + resized.Width() / 2, resized.top, resized.right, resized.bottom);
    EXPECT_GT(CountPixels(bed, left, ecg), 0);
    EXPECT_EQ(CountPixels(bed, right, ecg), 0);
}

// The enlarged bed as a nurse sees it, a picture every second of the simulator's waves; the last
// one's wave area is compared with the reviewed picture.
TEST(BedWindowPainters, AHeadlessSequenceOfTheEnlargedBedSweepingWaves)
{
    BedStation station(CSize(0, 0), DISPMODE_ENLARGE);
    station.Admit("P-1001", "Anna", "Novak");
    station.Feed(600);
    station.Layout(CSize(1200, 700), DISPMODE_ENLARGE);
    NyraControl& bed = *station.Tile();
    ASSERT_TRUE(station.WaitForParameterPainter());
    ASSERT_TRUE(station.PrimeWavePainter());
    platform::Image picture;
    for (int second = 1; second <= 6; ++second) {
        station.Waves(25);
        ASSERT_TRUE(station.WaitForWavePainter(unsigned(1 + 25 * second)));
        picture = testkit::Capture(bed.GetSafeHwnd());
        testkit::SaveForReview(picture, "BedWindow-Waves-" + std::to_string(second) + "s");
    }
    const CRect graph = bed.GetGraphRectAll();
    platform::Image waves(graph.Width(), graph.Height());
    for (int y = 0; y < graph.Height(); ++y)
        for (int x = 0; x < graph.Width(); ++x)
            waves.Row(y)[x] = picture.Pixel(graph.left + x, graph.top + y);
    testkit::ExpectMatchesGolden(waves, "nyraclient/tests/golden/BedWindow-Waves6s.png", { 64, 1.0 / 500 });
}

// ---- the alarm-caption painter ---------------------------------------------------------------------------

class CaptionPainter : public ::testing::Test
{
protected:
    // Moves the tick clock past one 500-ms step and waits until the painter took it.
    void Step()
    {
        const unsigned before = station.Tile()->GetAlarmTextSteps();
        station.clock.Advance(CAlarmThread::kStepMs + 1);
        ASSERT_TRUE(testkit::PumpUntil([&] { return station.Tile()->GetAlarmTextSteps() > before; }));
    }
    // A pixel of the caption away from its centred text.
    std::uint32_t CaptionPixel()
    {
        const CRect caption = station.Tile()->GetCaptionRect();
        return testkit::Capture(station.Tile()->GetSafeHwnd()).Pixel(caption.left + 3, caption.top + 3);
    }
    // Where the window was drawn on since the last look, in the tile's client coordinates.
    CRect DrawnSinceLastLook()
    {
        NyraControl& tile = *station.Tile();
        const platform::SurfacePtr surface = platform::WindowSurface(tile.GetSafeHwnd());
        CPoint client(0, 0);
        tile.ClientToScreen(&client);
        CRect top;
        station.parent.GetWindowRect(&top);
        CRect drawn = surface->TakeDirty();
        drawn.OffsetRect(top.left - client.x, top.top - client.y);
        return drawn;
    }
    void StartRecording()
    {
        station.Admit("P-7", "Eva", "Lind"); // the time stands left of the stop button
        TBLStudy study;
        study.S_ID = "P-7";
        study.SetStartTime(COleDateTime::GetCurrentTime() - COleDateTimeSpan(0, 1, 2, 5), 1);
        station.client->RecordStart(m_data.Dir().c_str(), study);
        ASSERT_EQ(station.client->IsRecording(), 1);
    }

    BedStation station;
    testkit::TempFolder m_data;
};

TEST_F(CaptionPainter, AlarmTextsTakeTurnsShownAndHiddenInTheColourOfTheirLevel)
{
    const std::uint32_t normal = CaptionPixel();
    NyraAlarmManager& alarms = station.client->GetAlarmManager();
    alarms.SetAlarmLevel(ALARMTYPE_MSPO2, ALARM_LEVEL_ORANGE);
    alarms.SetAlarm(ALARMTYPE_MSPO2, 1);
    alarms.SetAlarmLevel(ALARMTYPE_FHR1, ALARM_LEVEL_RED);
    alarms.SetAlarm(ALARMTYPE_FHR1, 1);
    alarms.SetAlarmLevel(ALARMTYPE_FHR2, ALARM_LEVEL_NONE); // a level-0 alarm is never shown
    alarms.SetAlarm(ALARMTYPE_FHR2, 1);

    const std::uint32_t orange = ImagePixel(kAlarmColorOrange), red = ImagePixel(kAlarmColorRed);
    const std::uint32_t expected[] = { orange, normal, red, normal, orange, normal };
    const CRect caption = station.Tile()->GetCaptionRect();
    int step = 0;
    for (std::uint32_t colour : expected) {
        ASSERT_TRUE(station.WaitForParameterPainter());
        DrawnSinceLastLook();
        Step();
        EXPECT_EQ(CaptionPixel(), colour);
        // A step draws the caption text's place and leaves the buttons around it.
        const CRect drawn = DrawnSinceLastLook();
        EXPECT_FALSE(drawn.IsRectEmpty());
        EXPECT_EQ(drawn | caption, caption) << "drawn " << drawn.left << "," << drawn.top << " - " << drawn.right
                                            << "," << drawn.bottom;
        if (colour != normal)
            testkit::SaveForReview(testkit::Capture(station.Tile()->GetSafeHwnd()), "BedWindow-AlarmCaption-" + std::to_string(++step));
    }
    // No step before 500 ms have passed.
    const unsigned steps = station.Tile()->GetAlarmTextSteps();
    station.clock.Advance(CAlarmThread::kStepMs);
    LetPaintersLook();
    EXPECT_EQ(station.Tile()->GetAlarmTextSteps(), steps);

    // The alarms clear while a text is shown: the caption is itself again at once.
    Step();
    ASSERT_EQ(CaptionPixel(), red);
    alarms.RemoveAlarmAll();
    EXPECT_TRUE(testkit::PumpUntil([&] { return CaptionPixel() == normal; }));
}

TEST_F(CaptionPainter, TheRecordingTimeRunsAndGivesWayToAShownAlarmText)
{
    StartRecording();
    const CRect elapsed = station.Tile()->GetElapsedTimeRect();
    ASSERT_FALSE(elapsed.IsRectEmpty());
    const unsigned first = station.Tile()->GetRecordingTimeRefreshes();
    station.clock.Advance(CAlarmThread::kStepMs + 1);
    ASSERT_TRUE(testkit::PumpUntil([&] { return station.Tile()->GetRecordingTimeRefreshes() > first; }));
    EXPECT_GT(CountPixels(*station.Tile(), elapsed, NyraControl::kCaptionTextColor), 10) << "the time is written";

    // With an alarm, the time is refreshed only while the text is hidden: never while one is
    // shown, and again after each step that hides it.
    station.client->GetAlarmManager().SetAlarmLevel(ALARMTYPE_FHR1, ALARM_LEVEL_RED);
    station.client->GetAlarmManager().SetAlarm(ALARMTYPE_FHR1, 1);
    for (int round = 0; round < 2; ++round) {
        Step(); // shown
        const unsigned shown = station.Tile()->GetRecordingTimeRefreshes();
        LetPaintersLook();
        EXPECT_EQ(station.Tile()->GetRecordingTimeRefreshes(), shown) << "not over a shown text";
        Step(); // hidden
        EXPECT_TRUE(testkit::PumpUntil([&] { return station.Tile()->GetRecordingTimeRefreshes() > shown; }));
    }
    station.client->RecordStop();
}

TEST_F(CaptionPainter, AQuietBedsPainterSleepsUntilTheReceivedPacketsBringAnAlarm)
{
    // The monitor's alarm settings switch the FHR1 alarm on, at the red level.
    monitorsim::Bytes settings = station.sim.AlarmPacket();
    station.client->Receive_Alarm(settings.data(), int(settings.size()));
    station.Param(QuietPacket());
    Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    NyraControl& tile = *station.Tile();
    const unsigned looks = tile.GetCaptionPainterLooks();

    // Two seconds of parameter packets without an alarm: the painter does not look once.
    for (int i = 0; i < 8; ++i) {
        station.Param(QuietPacket());
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    EXPECT_EQ(tile.GetCaptionPainterLooks(), looks);
    EXPECT_EQ(tile.GetAlarmTextSteps(), 0u);

    // A packet whose FHR1 byte carries an alarm wakes it, and the alarm shows at the next step.
    PKParam_v110 alarmed = QuietPacket();
    alarmed.SetFHR1Alarm(monitorsim::MonitorSim::kCauseUpper);
    station.Param(alarmed);
    EXPECT_TRUE(testkit::PumpUntil([&] { return tile.GetCaptionPainterLooks() > looks; }));
    Step();
    EXPECT_EQ(CaptionPixel(), ImagePixel(kAlarmColorRed));
}

// ---- threads ---------------------------------------------------------------------------------------------

// Ten seconds of an enlarged bed receiving 25 wave packets and one parameter packet a second,
// while the user-interface thread changes settings, resizes and invalidates the window, and a
// generator thread (as a demo bed's) hands packets to the window too. Run under
// ThreadSanitizer (scripts/test --tsan) this shows the painters share nothing unlocked.
TEST(BedWindowPainters, TenBusySecondsOfAnEnlargedBedWhileTheWindowChanges)
{
    BedStation station(CSize(900, 560), DISPMODE_ENLARGE);
    NyraControl& bed = *station.Tile();
    std::atomic<bool> done { false };
    std::thread generator([&] {
        const BYTE bytes[56] {};
        while (!done.load()) {
            bed.PushWave(CSmartBuffer::CreateBuffer(bytes, sizeof bytes, 1, 1));
            bed.PushParam(nullptr);
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
    });
    const auto start = std::chrono::steady_clock::now();
    int tick = 0;
    bool drew = false; // each rebuild starts a new wave painter: any of them
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        station.Waves(1);
        if (tick % 25 == 0) {
            station.Feed(1);
            station.clock.Advance(1000);
        }
        if (tick % 10 == 0) {
            NyraConfig config = station.client->GetConfig();
            config.TopGraph = 1 + tick / 10 % 4;
            station.client->SetConfig(config, 1);
            station.client->RedrawControl();
        }
        if (tick % 25 == 7)
            station.Layout(CSize(tick % 50 == 7 ? 880 : 900, 560), DISPMODE_ENLARGE);
        if (tick % 5 == 0)
            bed.Invalidate(FALSE);
        Pump();
        drew = drew || bed.GetDrawnWavePackets() > 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        ++tick;
    }
    done.store(true);
    generator.join();
    EXPECT_TRUE(drew);
}

} // namespace
