// Printing the shown study's trend to a PDF (landscape, the page count with and without the
// cover page, the texts of the cover and of each page's header) and exporting it as a JPEG
// picture in the medical-record folder.
#include "support/ReviewStation.h"

#include "tarlux/app/CMainFrame.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/study/StudyRecording.h"
#include "tarlux/view/ReviewPrint.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"
#include "testkit/RunProgram.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TestWindow.h"

#include "platform/gdi/Image.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/framework/FrameworkIds.h"
#include "platform/ui/printing/PrintPreview.h"
#include "platform/ui/controls/Button.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace reviewtest;
using tarlux::CReviewContext;
using tarlux::TrendPrintChoice;

namespace {

const COleDateTime kStart(2024, 3, 5, 8, 0, 0);
constexpr int kRecords = 1250; // 20 minutes 50 seconds

class ReviewPrinting : public testing::Test
{
protected:
    ReviewPrinting()
    {
        AddPatient(tarlux::ReviewDatabase(), "P_1", "Siobhan", "O'Brien");
        AddStudy(tarlux::ReviewDatabase(), "P_1", kStart, kRecords);
        tarlux::SetReviewPrintChooser([this](TrendPrintChoice& choice) {
            m_offered = choice;
            choice = m_answer;
            return m_accept;
        });
    }
    ~ReviewPrinting() override { tarlux::SetReviewPrintChooser(nullptr); }

    void ShowStudy(int records)
    {
        RecordingContents contents;
        contents.start = kStart;
        contents.records = ScriptedTrend(static_cast<unsigned int>(records));
        WriteRecording(tarlux::StudyRecordingPath("P_1", StudyIdOf(kStart)), contents);
        CReviewContext::GetInstance()->SelectPatient("P_1");
        CReviewContext::GetInstance()->SelectStudy(StudyIdOf(kStart));
        ReviewStation::Pump();
    }
    // Prints with the answer given to the print dialog into a PDF: its path.
    std::string Print(bool cover, bool graph, int startMinute, int endMinute, const char* name)
    {
        m_answer.printCover = cover;
        m_answer.printTrend = graph;
        m_answer.trendSpeed = 3;
        m_answer.start = startMinute;
        m_answer.end = endMinute;
        const std::string pdf = m_folders.Root() / name;
        platform::msg::CommonDialogAnswer answer;
        answer.accepted = true;
        answer.outputFile = pdf.c_str();
        m_dialogs.AnswerDialog(answer);
        m_station.View()->OnReviewPrint();
        return pdf;
    }
    static int Pages(const std::string& pdf)
    {
        if (!std::filesystem::exists(pdf))
            return 0;
        const std::string info = testkit::ShellOutput("pdfinfo '" + pdf + "'");
        const auto at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
    }

    ReviewFolders m_folders;
    ReviewStation m_station;
    testkit::ScriptedDialogs m_dialogs;
    TrendPrintChoice m_offered;
    TrendPrintChoice m_answer;
    bool m_accept { true };
};

TEST_F(ReviewPrinting, TheDialogOffersTheRecordingInWholeMinutes)
{
    // Nothing loaded: no dialog, nothing printed.
    EXPECT_EQ(m_station.View()->ShowPrintDialog(), 0);
    ShowStudy(125);
    m_accept = false;
    EXPECT_EQ(m_station.View()->ShowPrintDialog(), 0);
    EXPECT_EQ(m_offered.maximum, 3); // 2 minutes 5 seconds
    EXPECT_EQ(m_offered.start, 0);
    EXPECT_EQ(m_offered.trendSpeed, tarlux::ReviewConfig().ReviewTrendSpeed);
}

// Without a chooser of the test's, the Print button asks the shared trend print dialog.
TEST_F(ReviewPrinting, TheProgramAsksTheSharedTrendPrintDialog)
{
    ShowStudy(kRecords);
    tarlux::SetReviewPrintChooser(nullptr);
    testkit::RecordingWnd helper;
    ASSERT_TRUE(helper.CreateTop(CRect(0, 0, 10, 10), WS_POPUP));
    constexpr UINT kPress = WM_USER + 31;
    HWND shown = nullptr;
    helper.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message != kPress)
            return false;
        shown = ::GetActiveWindow();
        ::PostMessage(shown, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    };
    helper.PostMessage(kPress);
    EXPECT_EQ(m_station.View()->ShowPrintDialog(), 1);
    EXPECT_NE(shown, m_station.Frame()->GetSafeHwnd());
    const tarlux::ReviewPrintState& state = m_station.View()->GetPrintState();
    EXPECT_EQ(state.options.start, 0);
    EXPECT_GT(state.options.end, 0);
    EXPECT_TRUE(state.options.printCover);
    helper.DestroyWindow();
}

// The pages tile the range: the graph pages are the range over the records a page shows,
// rounded up, and the cover page comes first. The job is landscape.
TEST_F(ReviewPrinting, PagesWithAndWithoutTheCoverPage)
{
    ShowStudy(kRecords);
    struct Case
    {
        bool cover, graph;
        int graphPages; // -1: as many as the range needs
    };
    int perPage = 0;
    for (const Case c : { Case { true, true, -1 }, Case { false, true, -1 }, Case { true, false, 0 },
                          Case { false, false, 0 } }) {
        const std::string pdf = Print(c.cover, c.graph, 0, 21, c.cover ? (c.graph ? "both.pdf" : "cover.pdf")
                                                                       : (c.graph ? "graph.pdf" : "none.pdf"));
        const tarlux::ReviewPrintState& state = m_station.View()->GetPrintState();
        if (!c.cover && !c.graph) {
            // Nothing to print: no job is started.
            EXPECT_FALSE(std::filesystem::exists(pdf));
            continue;
        }
        perPage = state.recordsPerPage;
        ASSERT_GT(perPage, 0);
        EXPECT_GT(state.pageWidth, state.pageHeight);
        EXPECT_EQ(state.options.end, kRecords); // minute 21 ends with the recording
        const int graphPages = c.graphPages < 0 ? (kRecords + perPage - 1) / perPage : 0;
        EXPECT_EQ(tarlux::TrendPrintPageCount(state.options, perPage), graphPages + (c.cover ? 1 : 0));
        EXPECT_EQ(Pages(pdf), graphPages + (c.cover ? 1 : 0)) << c.cover << c.graph;
    }
}

// The preview shows the same job: the cover and the trend pages of the range.
TEST_F(ReviewPrinting, ThePreviewShowsTheSamePages)
{
    ShowStudy(kRecords);
    m_answer.start = 0;
    m_answer.end = 21;
    m_station.View()->OnReviewPreview();
    ReviewStation::Pump();
    CPrintPreview* preview = m_station.View()->GetPrintPreview();
    ASSERT_NE(preview, nullptr);
    const int perPage = m_station.View()->GetPrintState().recordsPerPage;
    ASSERT_GT(perPage, 0);
    EXPECT_EQ(static_cast<int>(preview->GetPageCount()), 1 + (kRecords + perPage - 1) / perPage);
    preview->OnPreviewClose();
    ReviewStation::Pump();
    EXPECT_EQ(m_station.View()->GetPrintPreview(), nullptr);
}

// A user previews the trend from the toolbar and prints from the preview's "Print...": the print
// dialog opens and the same pages go to the printer. The framework's print command sent to the
// view prints the chosen job too.
TEST_F(ReviewPrinting, PrintFromThePreviewPrintsThePreviewedPages)
{
    ShowStudy(kRecords);
    m_answer.start = 0;
    m_answer.end = 21;
    tarlux::CMainFrame& frame = *m_station.Frame();
    CMainToolBar& bar = frame.GetToolBar();
    CRect button;
    bar.GetItemRect(bar.CommandToIndex(tarlux::ID_REVIEW_PREVIEW), &button);
    bar.ClientToScreen(&button);
    m_station.App().OnIdle(0);
    testkit::ClickPumped(button.CenterPoint());
    CPrintPreview* preview = m_station.View()->GetPrintPreview();
    ASSERT_NE(preview, nullptr);
    const int pages = static_cast<int>(preview->GetPageCount());
    testkit::SaveForReview(testkit::Capture(frame.GetSafeHwnd()), "tarlux_print_preview");

    const std::string pdf = m_folders.Root() / "from-preview.pdf";
    platform::msg::CommonDialogAnswer printer;
    printer.accepted = true;
    printer.outputFile = pdf.c_str();
    m_dialogs.AnswerDialog(printer);
    CRect print;
    preview->GetDlgItem(AFX_ID_PREVIEW_PRINT)->GetWindowRect(&print);
    testkit::ClickPumped(print.CenterPoint());
    EXPECT_EQ(m_station.View()->GetPrintPreview(), nullptr);
    const auto dialogs = m_dialogs.Dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].kind, platform::msg::CommonDialogKind::Print);
    EXPECT_EQ(Pages(pdf), pages);

    const std::string again = m_folders.Root() / "command.pdf";
    printer.outputFile = again.c_str();
    m_dialogs.AnswerDialog(printer);
    m_station.View()->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(Pages(again), pages);
}

TEST_F(ReviewPrinting, TheCoverAndTheHeadersCarryTheStudysTexts)
{
    ShowStudy(kRecords);
    const std::string pdf = Print(true, true, 1, 21, "texts.pdf");
    const std::string text = testkit::ShellOutput("pdftotext -layout '" + pdf + "' -");
    for (const char* expected : { "Tarvic II 1.1.2 Lite", "ORLISK ver.1.0.", "Patient Information", "Record Information",
                                  "Loss of signal(%) : 0.0", "ID(Name) : P_1(Siobhan O'Brien)", "EDC :",
                                  "Record Start : 2024-03-05, 08:00:00", "Length : 00:20:50",
                                  "Printed Interval : 00:01:00~00:20:50" })
        EXPECT_NE(text.find(expected), std::string::npos) << expected;

    // The cover page as printed, for a person to look at.
    const std::string prefix = m_folders.Root() / "cover";
    ASSERT_EQ(std::system(("pdftoppm -r 50 -f 1 -l 1 -png '" + pdf + "' '" + prefix + "'").c_str()), 0);
    platform::Image picture;
    ASSERT_TRUE(picture.Load((prefix + "-1.png").c_str()));
    testkit::SaveForReview(picture, "tarlux_print_cover");
}

TEST_F(ReviewPrinting, TheExportSavesAJpegInTheMedicalRecordFolder)
{
    ShowStudy(kRecords);
    const CString folder = m_folders.Root().MakeDir("emr");
    tarlux::ReviewConfig().EMRDataPath = folder;
    const CString path = m_station.View()->ExportImage();
    ASSERT_FALSE(path.IsEmpty());
    EXPECT_TRUE(KTGF::IsFile(path));
    const std::string name = std::filesystem::path(path.GetString()).filename();
    EXPECT_EQ(name.rfind("P_1_O'BrienSiobhan_", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".JPG");
    auto boxes = m_dialogs.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Tarvic II");
    EXPECT_EQ(boxes[0].text, "File saved in following directory...\n(" + path + ")");

    // A folder that does not exist is told, with the path.
    tarlux::ReviewConfig().EMRDataPath = m_folders.Root().Path("missing");
    EXPECT_TRUE(m_station.View()->ExportImage().IsEmpty());
    boxes = m_dialogs.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.Find("JPG image cannot be created!\nImage save path not correct!\n("), 0);
    EXPECT_EQ(boxes[0].Icon(), static_cast<UINT>(MB_ICONERROR));
}

} // namespace
