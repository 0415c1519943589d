// Printing a bed's trend: the page plan (margins, seconds per page at each speed, pages that
// tile the range, a page too small for one cell), and whole jobs printed to a PDF through the
// bed's print command: landscape pages, the range the dialog offers, "All" as long as the trend
// is when the job starts, the cover page alone, one page of data and one second more, the
// header texts with the study's start, and the trend store kept from trimming until the job has
// ended on every way out.
#include "support/StationFixture.h"

#include "tarvic/view/TrendPrintPlan.h"

#include "appcommon/CTrendPrintDlg.h"
#include "nyraclient/client/ClientMessages.h"

#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/gdi/Image.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"
#include "testkit/ModalDriver.h"
#include "testkit/RunProgram.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TextLayout.h"
#include "platform/gdi/TextRecorder.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

using namespace stationtest;
using tarvic::TrendPrintChoice;
using tarvic::TrendPrintPlan;

namespace {

// A4 landscape at 300 dots per inch, the printer DC's page.
constexpr int kPageWidth = 3508;
constexpr int kPageHeight = 2480;

UINT SecondsPerPage(int speed)
{
    TrendPrintChoice choice;
    choice.speed = speed;
    return TrendPrintPlan(choice, kPageWidth, kPageHeight).SecondsPerPage();
}

// ---- the plan --------------------------------------------------------------------------------

TEST(TrendPrintPlanTest, MarginsAndSecondsPerPageFollowTheSpeed)
{
    TrendPrintChoice choice;
    const TrendPrintPlan plan(choice, kPageWidth, kPageHeight);
    EXPECT_EQ(plan.Margins(), CRect(105, 396, 105, 248));
    ASSERT_GT(plan.Columns(), 0u);
    EXPECT_EQ(plan.Columns() % 6, 0u);
    EXPECT_EQ(SecondsPerPage(1), plan.Columns() * 30);
    EXPECT_EQ(SecondsPerPage(2), plan.Columns() * 15);
    EXPECT_EQ(SecondsPerPage(3), plan.Columns() * 10);
    EXPECT_EQ(SecondsPerPage(1), 3 * SecondsPerPage(3));
    EXPECT_EQ(SecondsPerPage(7), 0u);
}

TEST(TrendPrintPlanTest, PagesTileTheRangeWithNoSecondLostOrDoubled)
{
    const UINT perPage = SecondsPerPage(3);
    for (const auto& [first, last] : std::array<std::pair<UINT, UINT>, 5>{
             {{0, perPage}, {0, perPage + 1}, {60, 60 + 3 * perPage - 1}, {120, 125}, {0, 72 * 3600}}}) {
        TrendPrintChoice choice{first, last, 3, 1, 1};
        const TrendPrintPlan plan(choice, kPageWidth, kPageHeight);
        UINT expected = first;
        for (UINT page = 2; page <= plan.PageCount(); ++page) {
            const tarvic::TrendPrintPage shown = plan.Page(page);
            ASSERT_FALSE(shown.cover);
            EXPECT_EQ(shown.start, expected) << first << "-" << last << " page " << page;
            EXPECT_GT(shown.end, shown.start);
            expected = shown.end;
        }
        EXPECT_TRUE(plan.Page(1).cover);
        // The last page ends where the range ends.
        EXPECT_EQ(expected, last) << first << "-" << last;
        EXPECT_EQ(plan.TrendPages(), (last - first + perPage - 1) / perPage);
    }
}

TEST(TrendPrintPlanTest, APageTooSmallForOneCellHasNoTrendPages)
{
    TrendPrintChoice choice{0, 600, 1, 1, 1};
    const TrendPrintPlan tiny(choice, 40, 30);
    EXPECT_EQ(tiny.Columns(), 0u);
    EXPECT_EQ(tiny.SecondsPerPage(), 0u);
    EXPECT_EQ(tiny.TrendPages(), 0u);
    EXPECT_EQ(tiny.PageCount(), 1u); // the cover alone
    choice.bCover = 0;
    EXPECT_EQ(TrendPrintPlan(choice, 40, 30).PageCount(), 0u);
    // No trend entries, no trend pages.
    EXPECT_EQ(TrendPrintPlan(TrendPrintChoice{0, 0, 3, 0, 1}, kPageWidth, kPageHeight).PageCount(), 0u);
}

// ---- whole jobs ------------------------------------------------------------------------------

int PdfPages(const std::string& pdf)
{
    const std::string info = testkit::ShellOutput("pdfinfo '" + pdf + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + 6);
}

std::string PdfText(const std::string& pdf, int page)
{
    const std::string p = std::to_string(page);
    return testkit::ShellOutput("pdftotext -layout -f " + p + " -l " + p + " '" + pdf + "' - 2>/dev/null");
}

class TrendPrinting : public StationTest
{
protected:
    NyraClientInfo* StartWithBed()
    {
        StartStation();
        NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
        EXPECT_NE(bed, nullptr);
        return bed;
    }

    // `count` more seconds in the bed's trend.
    void Feed(NyraClientInfo* bed, int count)
    {
        for (int i = 0; i < count; ++i) {
            const auto packet = sim->ParamPacket();
            bed->AddTrendData(packet.data());
        }
    }

    // Runs the bed's print command: `choose` sets the open print dialog up, which then ends
    // with OK (or Cancel); the framework's print dialog answers with `answer`.
    void Print(NyraClientInfo* bed, const std::function<void(CTrendPrintDlg&)>& choose, int button = IDOK)
    {
        testkit::ModalDriver driver;
        driver.Start([&](int) {
            auto* dialog = dynamic_cast<CTrendPrintDlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
            if (dialog == nullptr)
                return true;
            offered = {dialog->GetStartTime(), dialog->GetEndTime()};
            if (choose)
                choose(*dialog);
            dialog->PostMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return false;
        });
        bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_TREND_PRINT);
        driver.Stop();
    }

    // The framework's print dialog prints to `pdf`; `seen` runs while it is open.
    void PrintTo(const std::string& pdf, std::function<void()> seen = {})
    {
        boxes.AnswerDialog([pdf, seen](const platform::msg::CommonDialogRequest&) {
            if (seen)
                seen();
            platform::msg::CommonDialogAnswer answer;
            answer.accepted = true;
            answer.outputFile = pdf.c_str();
            return answer;
        });
    }

    static void Click(CTrendPrintDlg& dialog, int centralId, UINT state)
    {
        const int id = dialog.Id(centralId);
        dialog.CheckDlgButton(id, state);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    static void Speed(CTrendPrintDlg& dialog, int index)
    {
        const int id = dialog.Id(CTrendPrintDlg::IDC_SPEED);
        dialog.SendDlgItemMessage(id, CB_SETCURSEL, index);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), 0);
    }

    std::string Pdf(const char* name) { return folder / name; }

    MonitorSim* sim { nullptr };
    testkit::ScriptedDialogs boxes;
    std::pair<int, int> offered { -1, -1 };
};

TEST_F(TrendPrinting, SixtyOneEntriesOfferTwoMinutesAndPrintLandscapeWithTheirHeader)
{
    NyraClientInfo* bed = StartWithBed();
    Feed(bed, 61);
    const std::string pdf = Pdf("trend.pdf");
    PrintTo(pdf);
    Print(bed, {});
    EXPECT_EQ(offered, std::make_pair(0, 2));
    ASSERT_EQ(PdfPages(pdf), 2); // the cover and one trend page
    EXPECT_NE(testkit::ShellOutput("pdfinfo '" + pdf + "'").find("841.92 x 595.2"), std::string::npos)
        << "landscape A4";

    const std::string cover = PdfText(pdf, 1);
    EXPECT_NE(cover.find("Patient Information"), std::string::npos);
    EXPECT_NE(cover.find("Record Information"), std::string::npos);
    EXPECT_NE(cover.find("00:00:00~00:01:01"), std::string::npos);
    EXPECT_NE(cover.find("Loss of signal(%) :"), std::string::npos);

    const std::string page = PdfText(pdf, 2);
    EXPECT_NE(page.find("ID(Name) :"), std::string::npos);
    EXPECT_NE(page.find("Record Start :"), std::string::npos);
    EXPECT_NE(page.find("Length : 00:01:01"), std::string::npos);
    EXPECT_NE(page.find("Printed Interval : 00:00:00~00:01:01"), std::string::npos);
    EXPECT_EQ(bed->GetTrendStore().IsLockTrendDelete(), 0);

    // The pages rasterise.
    const std::string prefix = folder / "page";
    ASSERT_EQ(std::system(("pdftoppm -r 50 -png '" + pdf + "' '" + prefix + "'").c_str()), 0);
    for (const char* name : {"1", "2"}) {
        platform::Image picture;
        ASSERT_TRUE(picture.Load((prefix + "-" + name + ".png").c_str()));
        EXPECT_GT(picture.Width(), picture.Height());
        testkit::SaveForReview(picture, std::string("tarvic_trend_print_page") + name);
    }
}

// A recording bed goes on while the nurse chooses "All" and the printer: the job prints the
// recording as long as it is when the job starts, and names the study's own start time.
TEST_F(TrendPrinting, AllPrintsTheRecordingAsLongAsItIsWhenTheJobStartsFromTheStudysStart)
{
    NyraClientInfo* bed = StartWithBed();
    AdmitPatient(bed, *sim, "P-7");
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START); // the caption's button
    ASSERT_TRUE(bed->IsRecording());
    const COleDateTime studyStart = bed->GetRecordStartTime();
    // The monitor's next packet comes in a later second than the start.
    while (COleDateTime::GetCurrentTime() == studyStart)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Feed(bed, 123);

    const std::string pdf = Pdf("all.pdf");
    PrintTo(pdf, [&] { Feed(bed, 6); });
    testkit::ModalDriver driver;
    driver.Start([&](int) {
        auto* dialog = dynamic_cast<CTrendPrintDlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
        if (dialog == nullptr)
            return true;
        offered = {dialog->GetStartTime(), dialog->GetEndTime()};
        Feed(bed, 40);
        CRect ok;
        dialog->GetDlgItem(IDOK)->GetWindowRect(&ok);
        testkit::ClickPumped(ok.CenterPoint());
        return false;
    });
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_TREND_PRINT);
    driver.Stop();
    EXPECT_EQ(offered, std::make_pair(0, 3));

    const std::string start = studyStart.Format("%Y-%m-%d, %H:%M:%S").GetString();
    const std::string cover = PdfText(pdf, 1);
    EXPECT_NE(cover.find("00:02:49"), std::string::npos) << cover;
    EXPECT_NE(cover.find("00:00:00~00:02:49"), std::string::npos) << cover;
    EXPECT_NE(cover.find(start), std::string::npos) << cover;
    const std::string page = PdfText(pdf, 2);
    EXPECT_NE(page.find("Record Start : " + start), std::string::npos) << page;
    EXPECT_NE(page.find("Length : 00:02:49"), std::string::npos) << page;
    EXPECT_NE(page.find("Printed Interval : 00:00:00~00:02:49"), std::string::npos) << page;

    const std::string prefix = folder / "all";
    ASSERT_EQ(std::system(("pdftoppm -r 50 -f 1 -l 1 -png '" + pdf + "' '" + prefix + "'").c_str()), 0);
    platform::Image picture;
    ASSERT_TRUE(picture.Load((prefix + "-1.png").c_str()));
    testkit::SaveForReview(picture, "tarvic_trend_print_all_cover");
}

TEST_F(TrendPrinting, PageCountsOfTheCoverOnePageAndOneSecondMore)
{
    NyraClientInfo* bed = StartWithBed();
    const UINT perPage = SecondsPerPage(3);
    ASSERT_EQ(perPage % 60, 0u);
    Feed(bed, int(perPage));

    const std::string coverOnly = Pdf("cover.pdf");
    PrintTo(coverOnly);
    Print(bed, [](CTrendPrintDlg& d) { Click(d, CTrendPrintDlg::IDC_PRINT_TREND, BST_UNCHECKED); });
    EXPECT_EQ(PdfPages(coverOnly), 1);

    const std::string onePage = Pdf("one.pdf");
    PrintTo(onePage);
    Print(bed, [](CTrendPrintDlg& d) { Click(d, CTrendPrintDlg::IDC_PRINT_COVER, BST_UNCHECKED); });
    EXPECT_EQ(PdfPages(onePage), 1);

    Feed(bed, 1);
    const std::string twoPages = Pdf("two.pdf");
    PrintTo(twoPages);
    Print(bed, [](CTrendPrintDlg& d) { Click(d, CTrendPrintDlg::IDC_PRINT_COVER, BST_UNCHECKED); });
    EXPECT_EQ(PdfPages(twoPages), 2);

    // Speed 1 puts three times the seconds on a page.
    const std::string slow = Pdf("slow.pdf");
    PrintTo(slow);
    Print(bed, [](CTrendPrintDlg& d) {
        Click(d, CTrendPrintDlg::IDC_PRINT_COVER, BST_UNCHECKED);
        Speed(d, 0);
    });
    EXPECT_EQ(PdfPages(slow), 1);

    // A chosen range: minutes 1 to 2 of the trend.
    const std::string range = Pdf("range.pdf");
    PrintTo(range);
    Print(bed, [](CTrendPrintDlg& d) {
        Click(d, CTrendPrintDlg::IDC_SELECT_RANGE, BST_CHECKED);
        d.MoveSlider(CTrendPrintDlg::IDC_START_SLIDER, 1);
        d.MoveSlider(CTrendPrintDlg::IDC_END_SLIDER, 2);
        Click(d, CTrendPrintDlg::IDC_PRINT_COVER, BST_UNCHECKED);
    });
    ASSERT_EQ(PdfPages(range), 1);
    EXPECT_NE(PdfText(range, 1).find("Printed Interval : 00:01:00~00:02:00"), std::string::npos);
}

TEST_F(TrendPrinting, TheTrendStaysLockedUntilTheJobEndsOnEveryWayOut)
{
    NyraClientInfo* bed = StartWithBed();
    Feed(bed, 120);
    int lockedWhileAsked = -1;

    // Printed: locked while the print dialog is open, free afterwards.
    PrintTo(Pdf("done.pdf"), [&] { lockedWhileAsked = bed->GetTrendStore().IsLockTrendDelete(); });
    Print(bed, {});
    EXPECT_EQ(lockedWhileAsked, 1);
    EXPECT_EQ(bed->GetTrendStore().IsLockTrendDelete(), 0);

    // The print dialog cancelled.
    boxes.AnswerDialog(platform::msg::CommonDialogAnswer{});
    Print(bed, {});
    EXPECT_EQ(bed->GetTrendStore().IsLockTrendDelete(), 0);

    // A job that cannot be written.
    const std::string nowhere = folder / "missing/x.pdf";
    PrintTo(nowhere);
    Print(bed, {});
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_EQ(bed->GetTrendStore().IsLockTrendDelete(), 0);

    // The range dialog cancelled: nothing locked, nothing asked.
    lockedWhileAsked = -1;
    PrintTo(Pdf("never.pdf"), [&] { lockedWhileAsked = 1; });
    Print(bed, {}, IDCANCEL);
    EXPECT_EQ(lockedWhileAsked, -1);
    EXPECT_EQ(bed->GetTrendStore().IsLockTrendDelete(), 0);
    boxes.Reset();
}

TEST_F(TrendPrinting, NoEntriesAndNoCoverStartNoJob)
{
    NyraClientInfo* bed = StartWithBed();
    const std::string pdf = Pdf("empty.pdf");
    PrintTo(pdf);
    Print(bed, [](CTrendPrintDlg& d) { Click(d, CTrendPrintDlg::IDC_PRINT_COVER, BST_UNCHECKED); });
    EXPECT_EQ(offered, std::make_pair(0, 0));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(bed->GetTrendStore().IsLockTrendDelete(), 0);
    boxes.Reset();
}

TEST_F(TrendPrinting, ABedThatGoesWhileThePrintDialogIsOpenIsPrintedAndRemovedAfterwards)
{
    NyraClientInfo* bed = StartWithBed();
    Feed(bed, 90);
    const std::string pdf = Pdf("gone.pdf");
    PrintTo(pdf, [&] {
        sim->Send(sim->DisconnectPacket());
        PumpUntil([&] { return view->IsBedDialogClientGone() || BedCount() == 0; }, std::chrono::milliseconds(300));
    });
    Print(bed, {});
    EXPECT_TRUE(PumpUntil([&] { return BedCount() == 0; }));
    EXPECT_TRUE(PumpUntil([] { return nyraclient::PendingDeferredDeletes() == 0; }));
}

} // namespace

// ---- a printed trend a nurse can read ----------------------------------------------------------

namespace {

// A printed trend page of the CTG trace, its texts recorded as they were drawn
// on the printer's page (300 dots per inch): no text overlaps another, leaves the page, crosses a
// grid's frame or is crossed by its lines, and every capital is at least 9 pixels high at 96
// dots per inch. A parameter off its scale draws nothing outside its grid.
TEST_F(TrendPrinting, APrintedTrendPageIsLegible)
{
    // One page of trend at the speed the dialog offers first.
    const UINT seconds = TrendPrintPlan(TrendPrintChoice {}, kPageWidth, kPageHeight).SecondsPerPage();
    const TrendPrintPlan plan(TrendPrintChoice { 0, seconds, 3, 0, 1 }, kPageWidth, kPageHeight);
    NyraClientInfo* bed = StartWithBed();
    sim->LoadTrace(monitorsim::SampleTracePath());
    Feed(bed, int(seconds));
    const std::string pdf = Pdf("legible.pdf");
    PrintTo(pdf);
    platform::TextRecorder recorder;
    Print(bed, [](CTrendPrintDlg& dialog) { Click(dialog, CTrendPrintDlg::IDC_PRINT_COVER, BST_UNCHECKED); });
    ASSERT_EQ(PdfPages(pdf), 1);
    testkit::TextRules rules;
    rules.bounds = CRect(0, 0, kPageWidth, kPageHeight);
    rules.frames = { plan.FhrRect(), plan.UcRect() };
    rules.dotsPerInch = 300;
    std::vector<platform::DrawnText> printed;
    for (const platform::DrawnText& text : recorder.Texts())
        if (text.printed)
            printed.push_back(text);
    ASSERT_FALSE(printed.empty());
    for (const std::string& problem : testkit::TextProblems(testkit::DistinctTexts(printed), rules))
        ADD_FAILURE() << problem;

    // Nothing of a curve above the UC grid's top, between its scale captions.
    const std::string prefix = folder / "legible";
    ASSERT_EQ(std::system(("pdftoppm -r 300 -png '" + pdf + "' '" + prefix + "'").c_str()), 0);
    platform::Image page;
    ASSERT_TRUE(page.Load((prefix + "-1.png").c_str()));
    testkit::SaveForReview(page, "tarvic_trend_print_legible");
    const CRect uc = plan.UcRect();
    int inked = 0;
    for (int y = uc.top - plan.Columns() / 3; y < uc.top - 1; ++y)
        for (int x = uc.left + (uc.Width() / 4); x < uc.left + (uc.Width() / 2) && x < page.Width(); ++x)
            inked += (page.Pixel(x, y) & 0xFFFFFFu) < 0x404040u ? 1 : 0;
    EXPECT_EQ(inked, 0) << "a flat line above the UC grid";
}

} // namespace
