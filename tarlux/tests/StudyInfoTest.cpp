// The study information in the running station: the study's fields with the length read from
// its recording, editing the comment (Save touches only that study's comment and edit date,
// Cancel brings the stored text back), switching between the trend and the wave page, and the
// wave page's paper, header and time marks scrolling together.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"

#include "platform/ui/controls/Button.h"
#include "tarlux/study/StudyRecording.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/table/TBLStudy.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/WindowDCs.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace reviewtest;
using tarlux::CReviewContext;
using tarlux::CStudyInfoDlg;

namespace {

const COleDateTime kFirst(2024, 3, 5, 8, 0, 0);
const COleDateTime kSecond(2024, 3, 6, 9, 30, 0);

class StudyInfo : public testing::Test
{
protected:
    StudyInfo()
    {
        KTAdo& db = tarlux::ReviewDatabase();
        AddPatient(db, "P_1", "Siobhan", "O'Brien");
        AddStudy(db, "P_1", kFirst, 3725);
        AddStudy(db, "P_1", kSecond, 60);
        SetComment(kFirst, "first");
        SetComment(kSecond, "second");
        RecordingContents contents;
        contents.start = kFirst;
        contents.records = MakeRecords(3725, [](PKParam_v110& p, unsigned int) { p.SetFHR1(0, 140); });
        WriteRecording(tarlux::StudyRecordingPath("P_1", StudyIdOf(kFirst)), contents);
        Context().SelectPatient("P_1");
        Context().SelectStudy(StudyIdOf(kFirst));
        ReviewStation::Pump();
    }

    static CReviewContext& Context() { return *CReviewContext::GetInstance(); }
    CStudyInfoDlg& Dialog() { return m_station.View()->GetStudyInfo(); }
    CString Text(int id)
    {
        CString text;
        Dialog().GetDlgItem(id)->GetWindowText(text);
        return text;
    }
    void Click(int id)
    {
        Dialog().SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(Dialog().GetDlgItem(id)->m_hWnd));
        ReviewStation::Pump();
    }
    static void SetComment(const COleDateTime& start, const char* comment)
    {
        TBLStudy study(&tarlux::ReviewDatabase());
        study.S_ID = "P_1";
        study.S_STUDY_ID = StudyIdOf(start);
        ASSERT_EQ(study.Get(), 1);
        study.S_COMMENT = comment;
        ASSERT_EQ(study.Update(), 1);
    }
    static TBLStudy Row(const COleDateTime& start)
    {
        TBLStudy study(&tarlux::ReviewDatabase());
        study.S_ID = "P_1";
        study.S_STUDY_ID = StudyIdOf(start);
        EXPECT_EQ(study.Get(), 1);
        return study;
    }

    ReviewFolders m_folders;
    ReviewStation m_station;
};

TEST_F(StudyInfo, FieldsOfTheStudyAndTheLengthOfItsRecording)
{
    EXPECT_EQ(Text(tarlux::IDC_STUDY_START), "2024-03-05 08:00:00");
    EXPECT_EQ(Text(tarlux::IDC_STUDY_LENGTH), "01:02:05");
    EXPECT_EQ(Text(tarlux::IDC_STUDY_COMMENT), "first");
    EXPECT_TRUE(Dialog().GetDlgItem(tarlux::IDC_STUDY_EDIT)->IsWindowEnabled());
    EXPECT_FALSE(Dialog().GetDlgItem(tarlux::IDC_STUDY_COMMENT)->IsWindowEnabled());
    EXPECT_TRUE(ReviewStation::Boxes().empty());
}

TEST_F(StudyInfo, SaveChangesOnlyTheCommentAndEditDateOfThatStudy)
{
    const TBLStudy before = Row(kFirst);
    Click(tarlux::IDC_STUDY_EDIT);
    ASSERT_EQ(Dialog().GetEditMode(), 1);
    EXPECT_EQ(Text(tarlux::IDC_STUDY_EDIT), "Save");
    EXPECT_TRUE(Dialog().GetDlgItem(tarlux::IDC_STUDY_COMMENT)->IsWindowEnabled());
    Dialog().SetDlgItemText(tarlux::IDC_STUDY_COMMENT, "late decelerations, O'Brien's \"note\"");
    Click(tarlux::IDC_STUDY_EDIT);

    EXPECT_EQ(Dialog().GetEditMode(), 0);
    EXPECT_EQ(Text(tarlux::IDC_STUDY_EDIT), "Edit");
    const TBLStudy after = Row(kFirst);
    EXPECT_EQ(after.S_COMMENT, "late decelerations, O'Brien's \"note\"");
    EXPECT_NE(after.S_EDIT_DATE, before.S_EDIT_DATE);
    EXPECT_EQ(after.S_START_TIME, before.S_START_TIME);
    EXPECT_EQ(after.S_LENGTH, before.S_LENGTH);
    EXPECT_EQ(Row(kSecond).S_COMMENT, "second");
    EXPECT_EQ(Text(tarlux::IDC_STUDY_COMMENT), "late decelerations, O'Brien's \"note\"");
}

TEST_F(StudyInfo, CancelRestoresTheStoredComment)
{
    Click(tarlux::IDC_STUDY_EDIT);
    Dialog().SetDlgItemText(tarlux::IDC_STUDY_COMMENT, "typed and dropped");
    Click(tarlux::IDC_STUDY_CANCEL);
    EXPECT_EQ(Dialog().GetEditMode(), 0);
    EXPECT_EQ(Text(tarlux::IDC_STUDY_COMMENT), "first");
    EXPECT_EQ(Row(kFirst).S_COMMENT, "first");
    EXPECT_FALSE(Dialog().GetDlgItem(tarlux::IDC_STUDY_CANCEL)->IsWindowEnabled());
}

TEST_F(StudyInfo, TheTabsSwitchBetweenTrendAndWavePage)
{
    EXPECT_TRUE(Dialog().GetTrendPage().IsWindowVisible());
    EXPECT_FALSE(Dialog().GetWavePage().IsWindowVisible());
    Dialog().SelectPage(CStudyInfoDlg::kWavePage);
    EXPECT_FALSE(Dialog().GetTrendPage().IsWindowVisible());
    EXPECT_TRUE(Dialog().GetWavePage().IsWindowVisible());
    EXPECT_EQ(Dialog().GetTabCtrl().GetPreviousSelection(), CStudyInfoDlg::kTrendPage);
    // No visual style here: the tab control paints plainly.
    EXPECT_EQ(Dialog().GetTabCtrl().IsThemed(), 0);

    // A study whose file is missing is told once and shows its row all the same.
    Context().SelectStudy(StudyIdOf(kSecond));
    ReviewStation::Pump();
    EXPECT_EQ(ReviewStation::Boxes().size(), 1u);
    EXPECT_EQ(Text(tarlux::IDC_STUDY_COMMENT), "second");
    EXPECT_EQ(Text(tarlux::IDC_STUDY_LENGTH), "00:00:00");
}

// Rolling the wheel over the wave page moves the whole strip up, the sweep speed, the record
// start and the time marks with the paper, so no grid line runs through them; so it stays after
// the user switches to the trend page and back.
TEST_F(StudyInfo, TheWavePageScrollsItsHeaderAndTimeMarksWithThePaper)
{
    RecordingContents contents;
    contents.start = kSecond;
    contents.records = MakeRecords(60, [](PKParam_v110& p, unsigned int) { p.SetFHR1(0, 140); });
    contents.waves = ScriptedWaves();
    contents.hasWaveTime = true;
    contents.waveTime = COleDateTime(2024, 3, 6, 9, 31, 10);
    WriteRecording(tarlux::StudyRecordingPath("P_1", StudyIdOf(kSecond)), contents);
    Context().SelectStudy(StudyIdOf(kSecond));
    ReviewStation::Pump();

    tarlux::CThemeTabCtrl& tabs = Dialog().GetTabCtrl();
    const auto clickTab = [&](int tab) {
        CRect item;
        tabs.GetItemRect(tab, &item);
        tabs.ClientToScreen(&item);
        testkit::ClickPumped(item.CenterPoint());
    };
    tarlux::CWaveViewCtrl& view = Dialog().GetWavePage().GetWaveView();
    // What the view shows against the whole strip drawn unscrolled: the pixels that differ.
    const auto strayPixels = [&](int vpos) {
        ReviewStation::Pump();
        const platform::Image shown = testkit::Capture(view.m_hWnd);
        CRect window;
        view.GetWindowRect(&window);
        CPoint origin(0, 0);
        view.ClientToScreen(&origin);
        CRect client;
        view.GetClientRect(&client);
        CClientDC screen(&view);
        CDC paper;
        CBitmap bitmap;
        const CRect canvas = view.GetCanvasRect();
        EXPECT_TRUE(paper.CreateCompatibleDC(&screen));
        EXPECT_TRUE(bitmap.CreateCompatibleBitmap(&screen, canvas.Width(), canvas.Height()));
        paper.SelectObject(&bitmap);
        view.DrawView(&paper, canvas, 0, 0);
        int stray = 0;
        for (int y = 0; y < client.Height() && y + vpos < canvas.Height(); ++y)
            for (int x = 0; x < client.Width(); ++x) {
                const COLORREF drawn = paper.GetPixel(x, y + vpos);
                const std::uint32_t rgb = (GetRValue(drawn) << 16) | (GetGValue(drawn) << 8) | GetBValue(drawn);
                if ((shown.Pixel(x + origin.x - window.left, y + origin.y - window.top) & 0xFFFFFF) != rgb)
                    ++stray;
            }
        return stray;
    };

    clickTab(CStudyInfoDlg::kWavePage);
    ASSERT_TRUE(view.IsWindowVisible());
    CRect screen;
    view.GetWindowRect(&screen);
    testkit::ClickPumped(screen.CenterPoint());
    platform::host::NullHost::Wheel(-1, screen.CenterPoint().x, screen.CenterPoint().y);
    ReviewStation::Pump();
    ASSERT_EQ(view.GetScrollPos(SB_VERT), tarlux::CWaveViewCtrl::kScrollPage);
    EXPECT_EQ(strayPixels(tarlux::CWaveViewCtrl::kScrollPage), 0);
    testkit::SaveForReview(testkit::Capture(view.m_hWnd), "tarlux_wave_scrolled");

    clickTab(CStudyInfoDlg::kTrendPage);
    clickTab(CStudyInfoDlg::kWavePage);
    EXPECT_EQ(view.GetScrollPos(SB_VERT), tarlux::CWaveViewCtrl::kScrollPage);
    EXPECT_EQ(strayPixels(view.GetScrollPos(SB_VERT)), 0);
    testkit::SaveForReview(testkit::Capture(view.m_hWnd), "tarlux_wave_scrolled_after_tabs");
}

} // namespace
