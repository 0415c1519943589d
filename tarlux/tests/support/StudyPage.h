// A page of the study window (the trend page, the wave page) in a window of its own, `size`
// pixels, with a pixel of the parent showing round it, on the review context of a database
// holding one study of patient "P_1" that started at kStudyStart. Record writes the study's
// recording, loads it and rebuilds the page.
#pragma once

#include "support/ReviewStation.h"

#include "tarlux/app/ReviewDatabase.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/study/StudyRecording.h"

#include "ktutilex/KTAdo.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

#include <utility>

namespace reviewtest {

inline const COleDateTime kStudyStart(2024, 3, 5, 8, 0, 0);

template <class Page>
class StudyPage : public testing::Test
{
protected:
    explicit StudyPage(CSize size, ReviewFolders::Options options = {}) : m_folders(std::move(options))
    {
        EXPECT_EQ(tarlux::ConnectReviewDatabase(), 1);
        AddPatient(tarlux::ReviewDatabase(), "P_1", "Siobhan", "O'Brien");
        AddStudy(tarlux::ReviewDatabase(), "P_1", kStudyStart, 0);
        m_context.SetPatient("P_1");
        m_context.SetStudy(StudyIdOf(kStudyStart));
        m_parent.CreateTop(size.cx + 2, size.cy + 2);
        EXPECT_TRUE(m_page.Create(&m_parent));
        m_page.MoveWindow(1, 1, size.cx, size.cy);
        m_page.ShowWindow(SW_SHOW);
        ReviewStation::Pump();
    }
    ~StudyPage() override
    {
        m_page.DestroyWindow();
        m_parent.DestroyWindow();
        tarlux::CReviewContext::DeleteInstance();
        tarlux::ReviewDatabase().Disconnect();
    }

    // Writes the study's recording (its start is the study's), loads it and rebuilds the page.
    void Record(RecordingContents contents)
    {
        contents.start = kStudyStart;
        WriteRecording(tarlux::StudyRecordingPath("P_1", StudyIdOf(kStudyStart)), contents);
        ASSERT_TRUE(tarlux::LoadCurrentStudyRecording(m_context));
        m_page.Refresh();
        ReviewStation::Pump();
    }

    ReviewFolders m_folders;
    tarlux::CReviewContext& m_context { *tarlux::CReviewContext::GetInstance() };
    testkit::ParentWnd m_parent;
    Page m_page;
};

} // namespace reviewtest
