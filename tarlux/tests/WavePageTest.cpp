// The wave page on screen: the stored snapshot drawn to scale on millimetre paper, the canvas
// the scroll bars move over, the fine grid only behind the two ECG channels, the snapshot's time
// texts only for a snapshot that has a time, and a reviewed picture of the whole strip.
#include "support/StudyPage.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/study/CWavePageDlg.h"

#include "nrdata/config/NyraConfig.h"
#include "testkit/Golden.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/WindowDCs.h"

#include <gtest/gtest.h>

using namespace reviewtest;
using tarlux::CWaveViewCtrl;

namespace {

constexpr int kPageWidth = 1100;
constexpr int kPageHeight = 830;
constexpr COLORREF kInner = RGB(0, 200, 0);
constexpr COLORREF kBackground = RGB(255, 255, 255);

// The wave page on a study of its own.
class WavePage : public StudyPage<tarlux::CWavePageDlg>
{
protected:
    WavePage() : StudyPage(CSize(kPageWidth, kPageHeight)) {}

    static RecordingContents Snapshot(bool withTime)
    {
        RecordingContents contents;
        contents.waves = ScriptedWaves();
        contents.hasWaveTime = withTime;
        contents.waveTime = COleDateTime(2024, 3, 5, 8, 12, 30);
        contents.ecgLead1 = 2;
        return contents;
    }

    // The view drawn unscrolled into a bitmap of the canvas's size.
    struct Drawn
    {
        CDC dc;
        CBitmap bitmap;
    };
    void DrawCanvas(Drawn& drawn)
    {
        CClientDC screen(&View());
        ASSERT_TRUE(drawn.dc.CreateCompatibleDC(&screen));
        const CRect canvas = View().GetCanvasRect();
        ASSERT_TRUE(drawn.bitmap.CreateCompatibleBitmap(&screen, canvas.Width(), canvas.Height()));
        drawn.dc.SelectObject(&drawn.bitmap);
        View().CalcScale();
        View().DrawView(&drawn.dc, canvas, 0, 0);
    }
    // Whether anything but the background was drawn in the rectangle.
    static bool Inked(const CDC& dc, const CRect& r)
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (dc.GetPixel(x, y) != kBackground)
                    return true;
        return false;
    }

    CWaveViewCtrl& View() { return m_page.GetWaveView(); }
};

// 96 dpi gives 4 px/mm and 20 px squares; at 25 mm/s the strip is 50 squares wide beside 3 squares
// of labels and the margins. The view is smaller than the canvas, so both bars move over the rest.
TEST_F(WavePage, TheCanvasIsMillimetrePaperToScale)
{
    const tarlux::WaveLayout& layout = View().GetLayout();
    EXPECT_EQ(layout.mm, 4);
    EXPECT_EQ(layout.grid, 20);
    EXPECT_EQ(View().GetCanvasRect(), CRect(0, 0, (50 + 3) * 20 + 20, (36 + 2) * 20 + 20));

    m_page.MoveWindow(1, 1, 600, 400);
    ReviewStation::Pump();
    int minimum = 0;
    int maximum = 0;
    View().GetScrollRange(SB_HORZ, &minimum, &maximum);
    CRect client;
    View().GetClientRect(&client);
    EXPECT_EQ(maximum, 1080 - client.Width() + CWaveViewCtrl::kScrollPage - 1);
    View().GetScrollRange(SB_VERT, &minimum, &maximum);
    EXPECT_EQ(maximum, 780 - client.Height() + CWaveViewCtrl::kScrollPage - 1);

    // A damaged sweep speed is taken as 25 mm/s.
    tarlux::ReviewConfig().ReviewSweepSpeed = 9;
    View().CalcScale();
    EXPECT_EQ(View().GetLayout().widthGrids, 50);
}

// The 1-mm lines stand in the ECG (rows 0-10) and FECG (rows 18-28) channels only.
TEST_F(WavePage, TheFineGridIsNotDrawnBehindTheSpO2Channels)
{
    tarlux::ReviewConfig().GridInner = static_cast<int>(kInner);
    Record(Snapshot(true));
    Drawn drawn;
    DrawCanvas(drawn);
    const tarlux::WaveLayout& layout = View().GetLayout();
    const int x0 = layout.offset + layout.OriginX();
    const int y0 = layout.offset + layout.OriginY();
    // A fine vertical line 1 mm into the 30th square, half a square below a row boundary.
    const int x = x0 + 30 * layout.grid + layout.mm;
    const auto fineAt = [&](int row) { return drawn.dc.GetPixel(x, y0 + row * layout.grid + layout.grid / 2 + 1) == kInner; };
    EXPECT_TRUE(fineAt(1));   // ECG
    EXPECT_TRUE(fineAt(20));  // FECG
    EXPECT_FALSE(fineAt(12)); // SpO2
    EXPECT_FALSE(fineAt(31)); // FSpO2
}

// Without a snapshot time there is no "Record Start" and there are no time marks; the lead
// byte 0 the recorder writes for FECG leaves its lead text empty.
TEST_F(WavePage, ASnapshotWithoutATimeShowsNoRecordStart)
{
    const tarlux::WaveLayout layout = tarlux::MakeWaveLayout(96, 3, 3, 3);
    const CRect recordStart(layout.offset + 500, layout.offset, layout.offset + 800, layout.offset + 14);
    // The first time mark's box, below the sweep speed's line and above the heavy grid lines.
    const CRect firstMark(layout.offset + layout.OriginX() + layout.mm, layout.offset + layout.grid,
                          layout.offset + layout.OriginX() + 5 * layout.grid,
                          layout.offset + layout.OriginY() - 2 * layout.mm - 2);
    for (const bool withTime : { true, false }) {
        Record(Snapshot(withTime));
        Drawn drawn;
        DrawCanvas(drawn);
        EXPECT_EQ(Inked(drawn.dc, recordStart), withTime) << withTime;
        EXPECT_EQ(Inked(drawn.dc, firstMark), withTime) << withTime;
    }
    EXPECT_EQ(m_context.GetReader().GetECGLead1Text(), "II");
    EXPECT_EQ(m_context.GetReader().GetECGLead2Text(), "");
}

TEST_F(WavePage, TheWholeSnapshotOnPaper)
{
    Record(Snapshot(true));
    testkit::ExpectMatchesGolden(testkit::Capture(m_parent.m_hWnd), "tarlux/tests/golden/WavePage.png",
                                 { 64, 1.0 / 400 });
}

} // namespace
