// The hyperlink, the list box that tracks its extent and the sortable list control: the link's
// text and target, its size, hover underline, opening through the shell and the error texts;
// the list box's horizontal extent; sorting by clicked columns with the caller's data kept.
#include "ktctrl/link/KTHyperLink.h"
#include "ktctrl/lists/KTListBox.h"
#include "ktctrl/lists/KTListCtrl.h"
#include "platform/core/Clock.h"
#include "platform/gdi/CFont.h"
#include "platform/sys/Sound.h"
#include "testkit/ControlParent.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using platform::host::NullHost;
using testkit::Pump;

namespace {

class LinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::SetSoundSink(sound);
        ASSERT_TRUE(parent.CreateTop(CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE));
        Pump();
    }
    void TearDown() override { platform::SetSoundSink(nullptr); }

    void CreateLink(KTHyperLink& link, const char* text, CRect rect = CRect(10, 10, 200, 30))
    {
        ASSERT_TRUE(link.Create(text, WS_CHILD | WS_VISIBLE, rect, &parent, 500));
        Pump();
    }
    static CString Text(CWnd& wnd)
    {
        CString text;
        wnd.GetWindowText(text);
        return text;
    }
    static bool Underlined(CWnd& wnd)
    {
        LOGFONT lf {};
        CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(wnd.SendMessage(WM_GETFONT)));
        return font && font->GetLogFont(&lf) && lf.lfUnderline;
    }

    platform::ScopedTestClock clock { 10000 };
    std::shared_ptr<platform::FakeSoundSink> sound = std::make_shared<platform::FakeSoundSink>();
    testkit::ScriptedDialogs dialogs;
    testkit::RecordingWnd parent;
};

// ---- KTHyperLink --------------------------------------------------------------------------------------------

TEST_F(LinkTest, TextAndTargetStandInForEachOther)
{
    KTHyperLink shown;
    shown.SetURL("https://example.org/ward");
    CreateLink(shown, "");
    EXPECT_EQ(Text(shown), "https://example.org/ward") << "an empty text shows the URL";

    KTHyperLink named;
    CreateLink(named, "manual.pdf", CRect(10, 40, 200, 60));
    EXPECT_EQ(named.GetURL(), "manual.pdf") << "without a URL the text is opened";
    EXPECT_NE(named.GetStyle() & SS_NOTIFY, 0u);
    EXPECT_NE(named.GetLinkCursor(), nullptr) << "the hand cursor";
}

TEST_F(LinkTest, FitsItsWindowToTheTextUnlessAutoSizeIsOff)
{
    KTHyperLink fitted;
    CreateLink(fitted, "Open the ward manual", CRect(10, 10, 390, 60));
    CRect rect;
    fitted.GetWindowRect(&rect);
    EXPECT_LT(rect.Width(), 380);
    EXPECT_LT(rect.Height(), 50);
    EXPECT_EQ(rect.left, 110) << "the left edge stays";

    KTHyperLink fixed;
    fixed.SetAutoSize(0);
    CreateLink(fixed, "x", CRect(10, 70, 390, 120));
    fixed.SetURL("a much longer target than before");
    fixed.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(380, 50));
}

TEST_F(LinkTest, UnderlinesOnlyWhileThePointerIsOverIt)
{
    KTHyperLink link;
    CreateLink(link, "Ward manual");
    EXPECT_FALSE(Underlined(link));
    POINT over = testkit::ScreenPoint(link, 3, 3);
    NullHost::MoveMouse(over.x, over.y);
    Pump();
    EXPECT_TRUE(link.IsHover());
    EXPECT_TRUE(Underlined(link));
    EXPECT_EQ(::GetCursor(), link.GetLinkCursor());
    NullHost::MoveMouse(over.x + 300, over.y + 200);
    testkit::AdvancePumped(clock, 150, 50);
    EXPECT_FALSE(link.IsHover());
    EXPECT_FALSE(Underlined(link));

    link.SetUnderline(1);
    EXPECT_TRUE(Underlined(link)) << "mode 1: always";
}

TEST_F(LinkTest, ReportsAFailedOpenWithTheShellsReasonAndABeep)
{
    KTHyperLink link;
    link.SetURL("/no/such/folder/manual.pdf");
    CreateLink(link, "Manual");
    link.SetVisited(1);
    dialogs.AnswerBoxes({ IDOK });
    testkit::ClickPumped(testkit::ScreenPoint(link, 3, 3));
    auto boxes = dialogs.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::string(boxes[0].text.GetString()).rfind("Unable to open hyperlink:\n\n", 0), 0u);
    EXPECT_NE(boxes[0].type & MB_ICONEXCLAMATION, 0u);
    EXPECT_EQ(link.GetVisited(), 0) << "shown in the link colour again";
    EXPECT_EQ(sound->PlayCount(), 1);
}

TEST_F(LinkTest, ASuccessfulOpenMarksTheLinkVisited)
{
    KTHyperLink link;
    link.SetURL("/bin/true");
    CreateLink(link, "Run");
    testkit::ClickPumped(testkit::ScreenPoint(link, 3, 3));
    EXPECT_EQ(link.GetVisited(), 1);
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST(KTHyperLinkText, NamesEachShellErrorAndNumbersTheRest)
{
    struct { int result; const char* tail; } cases[] = {
        { 0, "The operating system is out\nof memory or resources." },
        { 2, "The specified file was not found." },
        { 26, "A sharing violation occurred. " },
        { 31, "There is no application associated\nwith the given filename extension." },
        { 4, "Unknown Error (4) occurred." },
        { 33, "Unknown Error (33) occurred." },
    };
    for (auto c : cases)
        EXPECT_EQ(KTHyperLink::ErrorText(c.result), CString("Unable to open hyperlink:\n\n") + c.tail) << c.result;
}

// ---- KTListBox ------------------------------------------------------------------------------------------------

TEST_F(LinkTest, TheListBoxExtentFollowsItsWidestString)
{
    KTListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED, CRect(10, 10, 110, 110), &parent, 600));
    EXPECT_EQ(list.GetStyle() & LBS_OWNERDRAWFIXED, 0u);
    const CString shortText = "bed 1", longText = "bed 2: a long entry that needs scrolling", middle = "bed 3: middling";
    list.AddString(shortText);
    EXPECT_EQ(list.GetHorizontalExtent(), list.TextWidth(shortText));
    list.AddString(longText);
    list.InsertString(0, middle);
    EXPECT_EQ(list.GetHorizontalExtent(), list.TextWidth(longText));
    EXPECT_NE(list.GetStyle() & WS_HSCROLL, 0u) << "the scroll bar shows when the extent needs it";
    list.DeleteString(2);
    EXPECT_EQ(list.GetHorizontalExtent(), list.TextWidth(middle)) << "shrinks to the next widest";
    list.ResetContent();
    EXPECT_EQ(list.GetHorizontalExtent(), 0);
}

// ---- KTListCtrl -------------------------------------------------------------------------------------------------

class ListCtrlTest : public LinkTest
{
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 390, 290), &parent, 700));
        list.InsertColumn(0, "Bed", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Patient", LVCFMT_LEFT, 150);
        const char* rows[][2] = { { "2", "Hana" }, { "1", "Carla" }, { "3", "Bea" } };
        for (int i = 0; i < 3; ++i) {
            list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, rows[i][0], 0, 0, 0, 100 + i);
            list.SetItemText(i, 1, rows[i][1]);
        }
        Pump();
    }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list.GetItemCount(); ++i)
            out.push_back(list.GetItemText(i, column).GetString());
        return out;
    }
    void ClickHeader(int column)
    {
        CRect rect;
        list.GetHeaderCtrl()->GetItemRect(column, &rect);
        clock.Advance(1000);
        testkit::ClickPumped(testkit::ScreenPoint(*list.GetHeaderCtrl(), rect.CenterPoint().x, rect.CenterPoint().y));
    }
    int HeaderImage(int column)
    {
        HDITEM item {};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        list.GetHeaderCtrl()->GetItem(column, &item);
        return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
    }

    KTListCtrl list;
};

TEST_F(ListCtrlTest, HeaderClicksSortAndAlternateTheDirectionWithArrows)
{
    ClickHeader(0);
    CImageList* arrows = list.GetHeaderCtrl()->GetImageList();
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->GetImageCount(), 2) << "ascending and descending";
    list.SortColumn(-1); // the next click on it sorts ascending
    struct { int column; std::vector<std::string> beds; int sorted; int image; } steps[] = {
        { 0, { "1", "2", "3" }, 1, 0 },
        { 0, { "3", "2", "1" }, -1, 1 },
        { 0, { "1", "2", "3" }, 1, 0 },
        { 1, { "3", "1", "2" }, 2, 0 },
    };
    for (auto& s : steps) {
        ClickHeader(s.column);
        EXPECT_EQ(Column(0), s.beds) << s.column;
        EXPECT_EQ(list.GetSortColumn(), s.sorted);
        EXPECT_EQ(HeaderImage(s.column), s.image);
        EXPECT_EQ(HeaderImage(1 - s.column), -1) << "only the sorted column has an arrow";
    }
}

TEST_F(ListCtrlTest, TheCallersDataSurvivesSortingAndDefaultsToZero)
{
    list.SortColumn(-2);
    EXPECT_EQ(Column(1), (std::vector<std::string> { "Hana", "Carla", "Bea" }));
    std::vector<DWORD> data;
    for (int i = 0; i < 3; ++i)
        data.push_back(list.GetItemData(i));
    EXPECT_EQ(data, (std::vector<DWORD> { 100, 101, 102 }));
    LVITEM item {};
    item.mask = LVIF_PARAM;
    item.iItem = 2;
    ASSERT_TRUE(list.GetItem(&item));
    EXPECT_EQ(item.lParam, 102);

    int added = list.InsertItem(3, "4");
    EXPECT_EQ(list.GetItemData(added), 0u) << "inserted without LVIF_PARAM";
    EXPECT_TRUE(list.SetItemData(added, 7));
    EXPECT_EQ(list.GetItemData(added), 7u);
    EXPECT_FALSE(list.SetItemData(99, 7)) << "no such item";
}

TEST_F(ListCtrlTest, WithAutoSortOffHeaderClicksChangeNothing)
{
    list.EnalbeAutoSort(0);
    ClickHeader(0);
    EXPECT_EQ(Column(0), (std::vector<std::string> { "2", "1", "3" }));
    EXPECT_EQ(list.GetSortColumn(), 0);
}

int ByDataDescending(LPARAM a, LPARAM b, LPARAM)
{
    return static_cast<int>(b) - static_cast<int>(a);
}

TEST_F(ListCtrlTest, AUserCallbackSortsByTheCallersData)
{
    list.SortItems(&ByDataDescending, 0);
    EXPECT_EQ(Column(0), (std::vector<std::string> { "3", "1", "2" }));
}

} // namespace
