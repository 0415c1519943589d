// The text recorder: where each drawn line stands in the DC's logical coordinates, the cell it was
// given and whether it was clipped there, its capital height, and texts drawn on other threads.
#include "platform/gdi/TextRecorder.h"

#include "testkit/Canvas.h"

#include <gtest/gtest.h>

#include <thread>

namespace {


TEST(TextRecorder, RecordsEachLineWhereItStandsInItsCell)
{
    testkit::Canvas canvas(300, 100);
    CFont font;
    font.CreateFont(20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    canvas.dc.SelectObject(&font);
    platform::TextRecorder recorder;

    CRect cell(50, 10, 250, 50);
    canvas.dc.DrawText("mmHg", &cell, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetWindowOrg(-100, 0); // logical 0 is device 100
    canvas.dc.TextOut(0, 60, "TEMP");

    const auto texts = recorder.Texts();
    ASSERT_EQ(texts.size(), 2u);
    const CSize size = [&] {
        canvas.dc.SetWindowOrg(0, 0);
        return canvas.dc.GetTextExtent("mmHg");
    }();
    EXPECT_EQ(texts[0].text, "mmHg");
    EXPECT_EQ(texts[0].box, CRect(250 - size.cx, 30 - size.cy / 2, 250, 30 - size.cy / 2 + size.cy));
    EXPECT_EQ(texts[0].cell, cell);
    EXPECT_TRUE(texts[0].clippedToCell);
    EXPECT_TRUE(texts[0].opaque);
    EXPECT_EQ(texts[1].text, "TEMP");
    EXPECT_EQ(texts[1].box.TopLeft(), CPoint(0, 60)) << "in the DC's logical coordinates";
    EXPECT_TRUE(texts[1].cell.IsRectEmpty());
    EXPECT_FALSE(texts[1].opaque);
    // A 20-pixel cell of Liberation Sans Bold: an em of about 17.4, capitals about 12.6 high.
    EXPECT_NEAR(texts[0].capitalHeight, 13, 1);
}

TEST(TextRecorder, SeesOtherThreadsAndStopsWithItsEnd)
{
    testkit::Canvas canvas(200, 60);
    {
        platform::TextRecorder recorder;
        std::thread painter([] {
            testkit::Canvas own(100, 40);
            CRect cell(0, 0, 100, 40);
            own.dc.DrawText("162", &cell, DT_LEFT | DT_NOCLIP);
        });
        painter.join();
        ASSERT_EQ(recorder.Texts().size(), 1u);
        EXPECT_FALSE(recorder.Texts()[0].clippedToCell);
        recorder.Clear();
        EXPECT_TRUE(recorder.Texts().empty());
    }
    platform::TextRecorder later;
    canvas.dc.TextOut(0, 0, "x");
    EXPECT_EQ(later.Texts().size(), 1u) << "a new recorder starts empty and records";
}

} // namespace
