// Printer DCs: pages at 300 dots per inch on a PDF printed to a file, checked with pdftoppm.
#include "platform/gdi/CDC.h"
#include "testkit/RunProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class GdiPrint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("gdi-print-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

void DrawPage(CDC& dc, int number)
{
    CFont font;
    font.CreatePointFont(120, "Arial", &dc);
    CFont* old = dc.SelectObject(&font);
    CString title;
    title.Format("Trend page %d", number);
    dc.TextOut(300, 300, title);
    CPen pen(PS_SOLID, 3, RGB(0, 0, 0));
    dc.SelectObject(&pen);
    dc.MoveTo(300, 600);
    for (int x = 0; x < 1800; x += 20)
        dc.LineTo(300 + x, 600 + (x / 20 % 7) * 40);
    dc.FillSolidRect(300, 1000, 600, 200, RGB(255, 0, 0));
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectObject(old);
}

TEST_F(GdiPrint, TwoPagesPrintedToAFileBecomeTwoPdfPages)
{
    CDC dc;
    ASSERT_TRUE(dc.CreatePrinterDC("", nullptr));
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 300);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 2480); // A4 portrait
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 3508);
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);

    std::string out = Path("report.pdf");
    DOCINFO info;
    info.lpszDocName = "Trend report";
    info.lpszOutput = out.c_str();
    ASSERT_GT(dc.StartDoc(&info), 0);
    for (int page = 1; page <= 2; ++page) {
        ASSERT_GT(dc.StartPage(), 0);
        DrawPage(dc, page);
        ASSERT_GT(dc.EndPage(), 0);
    }
    ASSERT_GT(dc.EndDoc(), 0);
    ASSERT_TRUE(fs::exists(out));

    std::string prefix = Path("page");
    testkit::ShellOutput("pdftoppm -r 30 -png '" + out + "' '" + prefix + "'");
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(m_dir))
        pages += entry.path().extension() == ".png" ? 1 : 0;
    EXPECT_EQ(pages, 2);
    std::string info2 = testkit::ShellOutput("pdfinfo '" + out + "'");
    EXPECT_NE(info2.find("Pages:"), std::string::npos) << info2;
    EXPECT_NE(info2.find(" 2\n", info2.find("Pages:")), std::string::npos) << info2;
    EXPECT_NE(info2.find("595.2 x 841.92"), std::string::npos) << info2; // A4 in points
}

TEST_F(GdiPrint, LandscapeSwapsThePageAndErrorsAreReported)
{
    CDC dc;
    DEVMODE mode;
    mode.dmFields = DM_ORIENTATION;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    ASSERT_TRUE(dc.CreatePrinterDC("", &mode));
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 3508);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 2480);

    // Drawing outside a page and ending a page that was not started are refused quietly.
    EXPECT_EQ(dc.StartPage(), SP_ERROR);
    dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 0));

    DOCINFO bad;
    std::string unwritable = Path("missing-folder/out.pdf");
    bad.lpszOutput = unwritable.c_str();
    EXPECT_EQ(dc.StartDoc(&bad), SP_ERROR);

    std::string out = Path("landscape.pdf");
    DOCINFO info;
    info.lpszOutput = out.c_str();
    ASSERT_GT(dc.StartDoc(&info), 0);
    ASSERT_GT(dc.StartPage(), 0);
    DrawPage(dc, 1);
    ASSERT_GT(dc.EndDoc(), 0); // ends the open page too
    std::string pdf = testkit::ShellOutput("pdfinfo '" + out + "'");
    EXPECT_NE(pdf.find("841.92 x 595.2"), std::string::npos) << pdf;
}

} // namespace
