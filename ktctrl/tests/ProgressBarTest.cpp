// The painted progress bar and the disk-space bar: the texts for each text type and format,
// what the gradient puts where (plain and rubber), an empty range, the snake running out and
// coming back reversed, the bar's own messages, and the disk-space bar on a real folder and on
// a drive probe that reports fixed or zero sizes.
#include "ktctrl/composite/KTDiskSpaceCtrl.h"
#include "support/WindowPixels.h"
#include "platform/gdi/SysColors.h"
#include "testkit/ControlParent.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using ktctrl::test::ClientPixel;
using testkit::Pump;

namespace {

constexpr ULONGLONG kGB = 1073741824ull;

class KTProgressCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop(400, 200));
        Pump();
    }
    template <class Bar>
    std::unique_ptr<Bar> Make(int width = 200)
    {
        auto bar = std::make_unique<Bar>();
        EXPECT_TRUE(bar->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + width, 30), &parent, 720));
        Pump();
        return bar;
    }
    static int Grey(COLORREF c) { return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3; }

    testkit::ParentWnd parent;
};

TEST_F(KTProgressCtrlTest, TextFollowsTypeAndFormat)
{
    struct TextCase
    {
        int lower, upper, pos, type;
        const char* format;
        const char* expected;
    };
    const TextCase cases[] = {
        { 0, 200, 50, KTProgressCtrl::TEXT_PERCENT, "%d%%", "25%" },
        { 0, 200, 50, KTProgressCtrl::TEXT_POSITION, "%d", "50" },
        { 0, 200, 50, 7, "%d", "0" },
        { 0, 200, 50, KTProgressCtrl::TEXT_PERCENT, "", "" },
        { 0, 200, 50, KTProgressCtrl::TEXT_PERCENT, "%s", "" },   // never reads a string
        { 0, 200, 50, KTProgressCtrl::TEXT_PERCENT, "%d %d", "" },
        { 0, 200, 50, KTProgressCtrl::TEXT_PERCENT, "%n", "" },
        { 0, 200, 50, KTProgressCtrl::TEXT_PERCENT, "Done: %3d %%", "Done:  25 %" },
        { 5, 5, 5, KTProgressCtrl::TEXT_PERCENT, "%d%%", "0%" }, // an empty range divides by nothing
    };
    auto bar = Make<KTProgressCtrl>();
    for (const auto& c : cases) {
        bar->SetRange32(c.lower, c.upper);
        bar->SetPos(c.pos);
        bar->SetTextType(c.type);
        bar->SetTextFormat(c.format);
        EXPECT_STREQ(bar->GetShownText(), c.expected) << c.format;
        Pump(); // painting with that text
    }
}

TEST_F(KTProgressCtrlTest, TheGradientRunsOverTheWholeLengthOrOnlyTheBar)
{
    auto bar = Make<KTProgressCtrl>();
    bar->SetTextFormat("");
    bar->SetRange32(0, 100);
    bar->SetPos(100);
    Pump();
    EXPECT_GT(Grey(ClientPixel(*bar, 0, 10)), 245);  // white at the start
    EXPECT_LT(Grey(ClientPixel(*bar, 199, 10)), 10); // black at the full length
    bar->SetPos(50);
    Pump();
    EXPECT_NEAR(Grey(ClientPixel(*bar, 98, 10)), 128, 6);
    EXPECT_EQ(ClientPixel(*bar, 150, 10) & 0xFFFFFF, GetSysColor(COLOR_BTNFACE));
    bar->EnableRubber(TRUE);
    Pump();
    EXPECT_LT(Grey(ClientPixel(*bar, 98, 10)), 10); // the whole shade squeezed into the bar
    bar->EnableReverse(TRUE);
    Pump();
    EXPECT_GT(Grey(ClientPixel(*bar, 199, 10)), 245); // growing from the far end
    EXPECT_EQ(ClientPixel(*bar, 10, 10) & 0xFFFFFF, GetSysColor(COLOR_BTNFACE));
    // An empty range shows the background only.
    bar->SetRange32(20, 20);
    Pump();
    EXPECT_EQ(ClientPixel(*bar, 150, 10) & 0xFFFFFF, GetSysColor(COLOR_BTNFACE));
}

TEST_F(KTProgressCtrlTest, TheSnakeRunsOutAndComesBackReversed)
{
    auto bar = Make<KTProgressCtrl>();
    bar->SetRange32(0, 100);
    bar->SetPos(0);
    bar->EnableSnake(TRUE);
    bar->SetStep(10);
    for (int i = 1; i <= 14; ++i) {
        bar->StepIt();
        EXPECT_EQ(bar->GetSnakeStart(), std::max(0, 10 * i - 40)) << i;
        EXPECT_FALSE(bar->IsReverse());
    }
    EXPECT_EQ(bar->GetPos(), 100); // the common control stops at the end
    bar->StepIt();
    EXPECT_TRUE(bar->IsReverse());
    EXPECT_TRUE(bar->IsSnake());
    EXPECT_EQ(bar->GetPos(), 10);
    EXPECT_EQ(bar->GetSnakeStart(), 0);
    Pump();

    auto plain = Make<KTProgressCtrl>();
    plain->EnableSnake(FALSE);
    EXPECT_EQ(plain->GetStyle_KTPBS(), 0u);
    plain->SetStyle_KTPBS(KTPBS_TIED | KTPBS_RUBBER);
    plain->SetStyle_KTPBS(KTPBS_RUBBER, KTPBS_REVERSE);
    EXPECT_EQ(plain->GetStyle_KTPBS(), KTPBS_TIED | KTPBS_REVERSE);
}

TEST_F(KTProgressCtrlTest, ColourMessagesSetTheGradient)
{
    auto bar = Make<KTProgressCtrl>();
    EXPECT_EQ(static_cast<DWORD>(bar->SendMessage(PBM_SETBARCOLOR, RGB(0, 0, 255), RGB(255, 0, 0))), 0xFF000000u);
    ASSERT_EQ(bar->GetGradientColorCount(), 2);
    EXPECT_EQ(bar->GetGradientColor(0), RGB(255, 0, 0));
    EXPECT_EQ(bar->GetGradientColor(1), RGB(0, 0, 255));
    bar->SendMessage(PBM_SETBARCOLOR, 0, RGB(0, 128, 0));
    EXPECT_EQ(bar->GetGradientColorCount(), 1);
    EXPECT_EQ(bar->GetGradientColor(5), 0u);
    bar->SendMessage(PBM_SETBKCOLOR, 0, RGB(1, 2, 3));
    bar->SetGradientColor(3, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255));
    bar->SetRange32(0, 10);
    bar->SetPos(10);
    bar->SetTextFormat("");
    Pump();
    EXPECT_EQ(ClientPixel(*bar, 0, 10) & 0xFFFFFF, RGB(255, 0, 0));
    EXPECT_GT(GetGValue(ClientPixel(*bar, 99, 10)), 240);
    EXPECT_GT(GetBValue(ClientPixel(*bar, 199, 10)), 240);
}

// ---- the disk-space bar ------------------------------------------------------------------------------

TEST_F(KTProgressCtrlTest, DiskSpaceTextComesFromTheTemplate)
{
    auto disk = Make<KTDiskSpaceCtrl>(380);
    disk->SetDriveProbe([](LPCTSTR, ULONGLONG& total, ULONGLONG& freeBytes) {
        total = 100 * kGB;
        freeBytes = 25 * kGB;
        return TRUE;
    });
    ASSERT_TRUE(disk->SetDrive("C:\\"));
    EXPECT_STREQ(disk->GetShownText(), "C [75%] - Total: 100.0 G, Used: 75.0 G, Avaliable: 25.0 G");
    EXPECT_EQ(disk->GetPos(), 75);

    disk->SetFormat(KTDiskSpaceCtrl::SIZE_MB, "%.0f", "#PER# of #TOT# MB used, #AVA# MB free");
    disk->EnableComma(TRUE);
    EXPECT_STREQ(disk->GetShownText(), "75% of 102,400 MB used, 25,600 MB free");
    disk->SetFormat(KTDiskSpaceCtrl::SIZE_BYTE, "%d", "#USE#");
    EXPECT_STREQ(disk->GetShownText(), "80,530,636,800");
    disk->SetFormat(9, "%.1f", "[#TOT#]");
    EXPECT_STREQ(disk->GetShownText(), "[]");
    Pump();
}

TEST_F(KTProgressCtrlTest, ADriveOfSizeZeroShowsNothingUsed)
{
    auto disk = Make<KTDiskSpaceCtrl>(380);
    disk->SetDriveProbe([](LPCTSTR, ULONGLONG& total, ULONGLONG& freeBytes) {
        total = 0;
        freeBytes = 0;
        return TRUE;
    });
    ASSERT_TRUE(disk->SetDrive("/mnt/empty"));
    EXPECT_EQ(disk->GetUsedPercent(), 0);
    EXPECT_STREQ(disk->GetShownText(), "/ [0%] - Total: 0.0 G, Used: 0.0 G, Avaliable: 0.0 G");
    Pump();

    disk->SetDriveProbe([](LPCTSTR, ULONGLONG&, ULONGLONG&) { return FALSE; });
    EXPECT_FALSE(disk->SetDrive("/nowhere"));
    EXPECT_EQ(disk->GetTotalBytes(), 0u);
    EXPECT_EQ(disk->GetFreeBytes(), 0u);
    EXPECT_EQ(disk->GetUsedPercent(), 0);
    Pump();
}

TEST_F(KTProgressCtrlTest, DiskSpaceOfARealFolder)
{
    testkit::TempFolder folder;
    auto disk = Make<KTDiskSpaceCtrl>(380);
    ASSERT_TRUE(disk->SetDrive(folder.Dir().c_str()));
    EXPECT_GT(disk->GetTotalBytes(), 0u);
    EXPECT_LE(disk->GetFreeBytes(), disk->GetTotalBytes());
    const int percent = disk->GetUsedPercent();
    EXPECT_GE(percent, 0);
    EXPECT_LE(percent, 100);
    EXPECT_EQ(disk->GetPos(), percent);
    const CString text = disk->GetShownText();
    EXPECT_EQ(text.Left(1), "/");
    EXPECT_NE(text.Find("Total: "), -1);
}

} // namespace
