// The bed window itself: its bitmaps follow its size, its layout follows its display mode and
// the monitor, its wave scales follow the bed's settings, and it paints without ever waiting.
#include "support/BedWindowHarness.h"

#include "nyraclient/bedwindow/BedArtwork.h"

#include "nrdata/buffer/CSmartBuffer.h"

#include "platform/gdi/WindowDCs.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace bedtest;

namespace {

CSize BitmapSize(CBitmap* bitmap)
{
    BITMAP info {};
    if (bitmap->GetSafeHandle() != nullptr)
        bitmap->GetBitmap(&info);
    return CSize(info.bmWidth, info.bmHeight);
}

TEST(BedWindow, AnEmptyWindowMakesNoBitmapsAndPaintsNothing)
{
    BedStation station(CSize(0, 0));
    NyraControl& bed = *station.Tile();
    EXPECT_EQ(bed.IsPrepared(), 0);
    EXPECT_EQ(bed.GetBackBitmap()->GetSafeHandle(), nullptr);
    EXPECT_EQ(bed.GetWorkBitmap()->GetSafeHandle(), nullptr);
    bed.RedrawControl();
    CClientDC dc(&bed);
    EXPECT_TRUE(bed.DrawControl(&dc, CRect(0, 0, 0, 0)));
    EXPECT_EQ(bed.GetBackBitmap()->GetSafeHandle(), nullptr);
}

TEST(BedWindow, ResizingRebuildsBothBitmapsAtTheNewSize)
{
    BedStation station(CSize(400, 300));
    NyraControl& bed = *station.Tile();
    EXPECT_EQ(bed.IsPrepared(), 1);
    EXPECT_EQ(BitmapSize(bed.GetBackBitmap()), CSize(400, 300));
    station.Layout(CSize(640, 360), DISPMODE_4CH);
    EXPECT_EQ(BitmapSize(bed.GetBackBitmap()), CSize(640, 360));
    EXPECT_EQ(BitmapSize(bed.GetWorkBitmap()), CSize(640, 360));
}

TEST(BedWindow, WaveStripsExistOnlyInTheEnlargedLayout)
{
    BedStation station(CSize(600, 400));
    for (int mode = DISPMODE_1CH; mode <= DISPMODE_ENLARGE; ++mode) {
        station.Tile()->SetDisplayMode(static_cast<DISPMODE>(mode));
        const int expected = mode == DISPMODE_ENLARGE ? 1 : 0;
        EXPECT_EQ(station.Tile()->IsVisible(GRAPH_TOP), expected) << mode;
        EXPECT_EQ(station.Tile()->IsVisible(GRAPH_BOTTOM), expected) << mode;
        EXPECT_EQ(station.Tile()->GetGraphRectAll().IsRectEmpty(), expected == 0) << mode;
    }
}

TEST(BedWindow, ADisplayModeChangeOnAWindowLaysItOutAgain)
{
    BedStation station(CSize(600, 400), DISPMODE_4CH);
    NyraControl& bed = *station.Tile();
    const CRect trend = bed.GetTrendRectAll();
    bed.SetDisplayMode(DISPMODE_2CH);
    EXPECT_GT(bed.GetTrendRectAll().bottom, trend.bottom);
    bed.SetDisplayMode(DISPMODE_1CH);
    EXPECT_TRUE(bed.GetTrendRectAll().IsRectEmpty());
    EXPECT_FALSE(bed.GetParamRectAll().IsRectEmpty());
}

// What the bed window showed each time its trend scroll bar was placed or painted: in a
// rebuild that is after the new layout was calculated and before the painters start again.
struct RebuildWitness
{
    static inline NyraControl* bed { nullptr };
    static inline WNDPROC next { nullptr };
    static inline std::vector<std::pair<BOOL, DISPMODE>> seen;

    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_WINDOWPOSCHANGED || message == WM_PAINT)
            seen.emplace_back(bed->IsPainterRunning(), bed->GetDisplayMode());
        return CallWindowProc(next, hwnd, message, wParam, lParam);
    }
};

TEST(BedWindow, ADisplayModeChangeStopsThePaintersWhileTheWindowIsLaidOutAgain)
{
    BedStation station(CSize(600, 400), DISPMODE_4CH);
    NyraControl& bed = *station.Tile();
    Pump();
    ASSERT_TRUE(bed.IsPainterRunning());
    const HWND bar = bed.GetTrendScrollBar().GetSafeHwnd();
    ASSERT_NE(bar, nullptr);
    RebuildWitness::bed = &bed;
    RebuildWitness::seen.clear();
    RebuildWitness::next = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RebuildWitness::Proc)));

    const CRect trend = bed.GetTrendRectAll();
    bed.SetDisplayMode(DISPMODE_2CH);
    SetWindowLongPtr(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RebuildWitness::next));

    ASSERT_FALSE(RebuildWitness::seen.empty()) << "the window was not laid out again";
    for (const auto& [running, mode] : RebuildWitness::seen) {
        EXPECT_FALSE(running) << "a painter ran while the layout was rebuilt";
        EXPECT_EQ(mode, DISPMODE_2CH);
    }
    // Afterwards the painters run again over the new layout.
    EXPECT_TRUE(bed.IsPainterRunning());
    EXPECT_EQ(bed.GetDisplayMode(), DISPMODE_2CH);
    EXPECT_GT(bed.GetTrendRectAll().bottom, trend.bottom);
    EXPECT_TRUE(station.WaitForParameterPainter());
}

TEST(BedWindow, WithoutWavesTheTrendReachesDownOverTheWaveArea)
{
    BedStation station(CSize(600, 400), DISPMODE_ENLARGE);
    NyraControl& bed = *station.Tile();
    const CRect graph = bed.GetGraphRectAll();
    const CRect trend = bed.GetTrendRectAll();
    ASSERT_FALSE(graph.IsRectEmpty());

    // An antepartum monitor has no waves: its layout turns the bed's wave-graph flag off.
    station.Monitor(1, 3);
    EXPECT_EQ(station.client->GetConfig().DisplayFlag[0], 0);
    EXPECT_TRUE(bed.GetGraphRectAll().IsRectEmpty());
    EXPECT_EQ(bed.GetTrendRectAll().bottom, trend.bottom + graph.Height());
    ASSERT_NE(bed.GetTrendScrollBar().GetSafeHwnd(), nullptr);
    CRect bar;
    bed.GetTrendScrollBar().GetWindowRect(&bar);
    bed.ScreenToClient(&bar);
    EXPECT_EQ(bar.top, bed.GetTrendRectAll().bottom) << "the scroll bar follows the trend";
}

TEST(BedWindow, AnUnknownSweepSpeedIsMendedInTheBedsSettingsAndTheWavesScaledFor25mmPerSecond)
{
    BedStation station(CSize(0, 0), DISPMODE_ENLARGE);
    NyraConfig config = station.client->GetConfig();
    config.SweepSpeed = 7;
    config.ECGGain = 0;
    station.client->SetConfig(config, 1);
    station.Layout(CSize(600, 400), DISPMODE_ENLARGE);
    EXPECT_EQ(station.client->GetConfig().SweepSpeed, 3);
    EXPECT_EQ(station.client->GetConfig().ECGGain, 3);
    const double pxmm = 96 / 25.4;
    const WaveChannelScale& ecg = station.Tile()->GetWaveScale(WAVE_CHANNEL_ECG);
    EXPECT_DOUBLE_EQ(ecg.pixelsPerSample, pxmm * 25 / 300);
    EXPECT_DOUBLE_EQ(ecg.pixelsPerUnit, pxmm * 10 / 1000);
    EXPECT_DOUBLE_EQ(station.Tile()->GetWaveScale(WAVE_CHANNEL_SPO2).pixelsPerSample, pxmm * 25 / 75);
}

TEST(BedWindow, AWavePacketWithoutAWavePainterIsReleasedAtOnce)
{
    BedStation station(CSize(0, 0)); // never laid out: no painters run
    const BYTE wave[56] {};
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(wave, sizeof wave, 2, 1);
    ASSERT_NE(buffer, nullptr);
    station.Tile()->PushWave(buffer);
    EXPECT_EQ(buffer->GetRefCount(), 1u);
    buffer->RemoveRef(1);
}

TEST(BedWindow, AFailedCopyToTheScreenIsLeftForALaterPaint)
{
    BedStation station;
    Pump();
    CRect update;
    ASSERT_FALSE(station.Tile()->GetUpdateRect(&update));
    CDC nowhere; // a DC without a drawing surface: every copy fails
    EXPECT_FALSE(station.Tile()->DrawControl(&nowhere, CRect(0, 0, 600, 400)));
    EXPECT_TRUE(station.Tile()->GetUpdateRect(&update));
    Pump();
    EXPECT_FALSE(station.Tile()->GetUpdateRect(&update));
}

TEST(BedWindow, TheTileOfAnEnlargedBedWearsTheHighlightedFrame)
{
    BedStation station;
    const auto captionPixel = [&] {
        return testkit::Capture(station.Tile()->GetSafeHwnd()).Pixel(300, 4);
    };
    const std::uint32_t normal = captionPixel();
    ASSERT_EQ(station.manager.ExpandClient(station.client), 1);
    station.client->GetEnlargedControl()->MoveWindow(0, 0, 10, 10); // out of the way
    station.Tile()->RedrawControl();
    Pump();
    EXPECT_NE(captionPixel(), normal);
    // Back to a grid without an enlarged bed (mode 0 always enlarges one).
    station.manager.SetDisplayMode(DISPMODE_16CH, FALSE);
    EXPECT_EQ(station.manager.GetExpandedClient(), nullptr);
    Pump();
    EXPECT_EQ(captionPixel(), normal);
}

TEST(BedWindow, AFrameStripThatDidNotLoadIsNotDrawn)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&dc, 100, 30);
    CBitmap* old = dc.SelectObject(&canvas);
    dc.FillSolidRect(0, 0, 100, 30, RGB(1, 2, 3));

    CBitmap missing;
    BedArtwork::DrawStrip(&dc, missing, 0, 0, 100, false);
    CBitmap capsOnly; // 20 pixels: two caps and no middle to repeat
    capsOnly.CreateCompatibleBitmap(&dc, 20, 22);
    BedArtwork::DrawStrip(&dc, capsOnly, 0, 0, 100, false);
    EXPECT_EQ(dc.GetPixel(50, 5), RGB(1, 2, 3));
    dc.SelectObject(old);
}

} // namespace
