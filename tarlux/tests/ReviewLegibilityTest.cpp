// The review station's trend and wave pages legible: the station filling a 1920 x 1080 and a
// 1280 x 1024 screen, a study with an hour of every kind of trend and a wave snapshot chosen, the
// trend page drawn again and then the wave page (opened by clicking its tab) painted, while a
// text recorder watches. No text may overlap another, leave its page, cross a trend grid's frame
// or be crossed by its lines, or hardly show on the trend's paper, and every capital letter is
// at least 9 pixels high.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/study/StudyRecording.h"

#include "nrdata/config/NyraConfig.h"
#include "platform/gdi/TextRecorder.h"
#include "platform/host/null/NullHost.h"
#include "testkit/Golden.h"
#include "testkit/TextLayout.h"

#include <gtest/gtest.h>

#include <limits>

using namespace reviewtest;
using platform::host::NullHost;
using tarlux::CReviewContext;

namespace {

const COleDateTime kStart(2024, 3, 5, 8, 0, 0);

struct Screen
{
    int width;
    int height;
};

class ReviewLegibility : public testing::TestWithParam<Screen>
{
protected:
    void SetUp() override
    {
        NullHost::SetScreenSize(GetParam().width, GetParam().height);
        m_folders = std::make_unique<ReviewFolders>();
        m_station = std::make_unique<ReviewStation>();
        ASSERT_TRUE(m_station->Started());
        m_station->Frame()->MoveWindow(0, 0, GetParam().width, GetParam().height);
        KTAdo& db = tarlux::ReviewDatabase();
        AddPatient(db, "P_1", "Siobhan", "O'Brien");
        AddStudy(db, "P_1", kStart, 3600);
        RecordingContents contents;
        contents.start = kStart;
        contents.records = ScriptedTrend(3600);
        contents.waves = ScriptedWaves();
        contents.hasWaveTime = true;
        contents.waveTime = COleDateTime(2024, 3, 5, 8, 12, 30);
        contents.ecgLead1 = 2;
        WriteRecording(tarlux::StudyRecordingPath("P_1", StudyIdOf(kStart)), contents);
        CReviewContext& context = *CReviewContext::GetInstance();
        context.RefreshPatientList();
        context.SelectPatient("P_1");
        ReviewStation::Pump();
        context.SelectStudy(StudyIdOf(kStart));
        ReviewStation::Pump();
        ASSERT_TRUE(m_station->Boxes().empty());
    }
    void TearDown() override
    {
        m_station.reset();
        CReviewContext::DeleteInstance();
        m_folders.reset();
        NullHost::SetScreenSize(1920, 1080);
    }

    tarlux::CStudyInfoDlg& StudyInfo() { return m_station->View()->GetStudyInfo(); }

    void Report(const char* page, const std::vector<std::string>& problems)
    {
        for (const std::string& problem : problems)
            ADD_FAILURE() << GetParam().width << 'x' << GetParam().height << ' ' << page << ": " << problem;
    }

    std::string PictureName(const char* page) const
    {
        return std::string("ReviewLegibility-") + std::to_string(GetParam().width) + "x" +
               std::to_string(GetParam().height) + "-" + page;
    }

    std::unique_ptr<ReviewFolders> m_folders;
    std::unique_ptr<ReviewStation> m_station;
};

TEST_P(ReviewLegibility, TheTrendAndWavePagesStandApartAndAreLargeEnough)
{
    tarlux::CTrendViewCtrl& trend = StudyInfo().GetTrendPage().GetTrendView();
    {
        platform::TextRecorder recorder;
        trend.ResetView();
        testkit::TextRules rules;
        trend.GetClientRect(&rules.bounds);
        rules.frames = { trend.GetUpperRect(), trend.GetLowerRect() };
        rules.papers = { { rules.bounds, COLORREF(tarlux::ReviewConfig().GraphBackground) } };
        Report("trend page", testkit::TextProblems(testkit::DistinctTexts(recorder.Texts()), rules));
    }
    testkit::SaveForReview(testkit::Capture(m_station->Frame()->GetSafeHwnd()), PictureName("Trend"));

    // The wave page, as a nurse opens it: a click on its tab.
    CTabCtrl& tabs = StudyInfo().GetTabCtrl();
    CRect tab;
    tabs.GetItemRect(1, &tab);
    tabs.ClientToScreen(&tab);
    NullHost::Click(tab.CenterPoint().x, tab.CenterPoint().y);
    ReviewStation::Pump();
    tarlux::CWaveViewCtrl& wave = StudyInfo().GetWavePage().GetWaveView();
    ASSERT_TRUE(wave.IsWindowVisible());
    {
        platform::TextRecorder recorder;
        wave.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        testkit::TextRules rules;
        wave.GetClientRect(&rules.bounds);
        // The paper scrolls up and down: a channel below the window's edge is scrolled to, not cut.
        SCROLLINFO vertical {};
        vertical.cbSize = sizeof vertical;
        vertical.fMask = SIF_RANGE | SIF_PAGE;
        if (wave.GetScrollInfo(SB_VERT, &vertical) && vertical.nMax - vertical.nMin + 1 > int(vertical.nPage))
            rules.bounds.bottom = std::numeric_limits<int>::max() / 2;
        Report("wave page", testkit::TextProblems(testkit::DistinctTexts(recorder.Texts()), rules));
    }
    testkit::SaveForReview(testkit::Capture(m_station->Frame()->GetSafeHwnd()), PictureName("Wave"));
}

INSTANTIATE_TEST_SUITE_P(Screens, ReviewLegibility, ::testing::Values(Screen { 1920, 1080 }, Screen { 1280, 1024 }),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

} // namespace
