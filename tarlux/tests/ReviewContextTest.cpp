// The review context: the messages it posts to the view for each choice (in order, and a study
// loaded once per choice), the study row it reads for the current choice (ids matched exactly
// and escaped), and the view's loading of a chosen study, whose error message never opens a
// second one from inside it.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewDatabase.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/table/TBLPatientStudy.h"
#include "platform/msg/Wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace reviewtest;
using tarlux::CReviewContext;

namespace {

// What the view got: each message with the context's ids when it was dispatched.
struct Received
{
    UINT message;
    std::string patient;
    std::string study;
    bool operator==(const Received&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Received& r)
{
    return out << "0x" << std::hex << r.message << std::dec << " (" << r.patient << ", " << r.study << ")";
}

// A window standing in for the view: it records the context's messages and, like the view,
// tells the context when it takes a study change.
class RecordingView : public CWnd
{
public:
    RecordingView() { CreateEx(0, nullptr, "view", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
    ~RecordingView() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= tarlux::WM_PATIENT_CHANGED && message <= tarlux::WM_SETTINGS_CHANGED) {
            CReviewContext& context = *CReviewContext::GetInstance();
            if (message == tarlux::WM_STUDY_CHANGED)
                context.OnStudyChangedTaken();
            received.push_back({ message, context.GetPatientId().str(), context.GetStudyId().str() });
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<Received> Take()
    {
        ReviewStation::Pump();
        return std::exchange(received, {});
    }

    std::vector<Received> received;
};

constexpr UINT kPatient = tarlux::WM_PATIENT_CHANGED;
constexpr UINT kStudy = tarlux::WM_STUDY_CHANGED;
constexpr UINT kList = tarlux::WM_PATIENT_LIST_REFRESH;
constexpr UINT kInfo = tarlux::WM_PATIENT_INFO_REFRESH;

class ReviewContext : public testing::Test
{
protected:
    ReviewContext() : context(*CReviewContext::GetInstance()) { context.SetView(view.m_hWnd); }
    ~ReviewContext() override { CReviewContext::DeleteInstance(); }

    RecordingView view;
    CReviewContext& context;
};

// ---- messages ------------------------------------------------------------------------------------------

TEST_F(ReviewContext, ChoosingAPatientClearsTheStudyFirst)
{
    context.SetPatient("A");
    context.SetStudy("S1");
    view.Take();
    context.SelectPatient("B");
    // The study page empties (no study) before the new patient is shown, twice over.
    EXPECT_EQ(view.Take(), (std::vector<Received> { { kStudy, "B", "" }, { kPatient, "B", "" }, { kPatient, "B", "" } }));
}

// Choosing a study clears the old one and sets the new one; the view is told once and loads
// the new study once.
TEST_F(ReviewContext, ChoosingAStudyIsOneStudyChange)
{
    context.SetPatient("A");
    context.SetStudy("S1");
    view.Take();
    context.SelectStudy("S2");
    EXPECT_EQ(view.Take(), (std::vector<Received> { { kStudy, "A", "S2" } }));
    // The study already shown: loaded again, and the patient information refreshed.
    context.SelectStudy("S2");
    EXPECT_EQ(view.Take(), (std::vector<Received> { { kStudy, "A", "S2" }, { kInfo, "A", "S2" } }));
    // Until the view has taken a change, further changes post nothing more: it loads whatever
    // study is current when it takes the one message.
    context.SelectStudy("S3");
    context.SelectStudy("S4");
    context.ClearStudy();
    context.SetStudy("S5");
    EXPECT_EQ(view.Take(), (std::vector<Received> { { kStudy, "A", "S5" } }));
}

TEST_F(ReviewContext, RequestsAndDeletionsPostWhatTheyConcern)
{
    context.SetPatient("A");
    context.SetStudy("S1");
    view.Take();
    context.RefreshPatientList();
    context.RefreshPatientInfo();
    EXPECT_EQ(view.Take(), (std::vector<Received> { { kList, "A", "S1" }, { kInfo, "A", "S1" } }));

    CStringArray others;
    others.Add("S7");
    context.OnStudiesDeleted(others);
    EXPECT_TRUE(view.Take().empty()) << "another study was deleted";
    CStringArray withCurrent;
    withCurrent.Add("S7");
    withCurrent.Add("S1");
    context.OnStudiesDeleted(withCurrent);
    EXPECT_EQ(view.Take(), (std::vector<Received> { { kStudy, "A", "" } }));
}

TEST_F(ReviewContext, WithoutAViewTheIdsChangeAndNothingIsPosted)
{
    context.SetView(nullptr);
    context.SelectPatient("A");
    context.SelectStudy("S1");
    context.RefreshPatientList();
    EXPECT_TRUE(view.Take().empty());
    EXPECT_EQ(context.GetPatientId(), "A");
    EXPECT_EQ(context.GetStudyId(), "S1");
    context.ClearPatient();
    EXPECT_EQ(context.GetPatientId(), "");
    EXPECT_EQ(context.GetStudyId(), "");
}

// ---- the study row -------------------------------------------------------------------------------------

class StudyRow : public ReviewContext
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(tarlux::ConnectReviewDatabase(), 1);
        KTAdo& db = tarlux::ReviewDatabase();
        // "P_1" and "PX1" share a study id; LIKE 'P_1' would find both.
        AddPatient(db, "P_1", "Siobhan", "O'Brien");
        AddPatient(db, "PX1", "Decoy", "Lee");
        AddPatient(db, "O'Hara", "Aoife", "O'Hara");
        AddStudy(db, "P_1", kStart, 60);
        AddStudy(db, "PX1", kStart, 60);
        AddStudy(db, "O'Hara", kOther, 60);
    }
    void TearDown() override { tarlux::ReviewDatabase().Disconnect(); }

    const COleDateTime kStart { 2024, 3, 5, 8, 0, 0 };
    const COleDateTime kOther { 2024, 3, 6, 9, 0, 0 };
    ReviewFolders folders;
};

TEST_F(StudyRow, IdsAreMatchedExactlyAndQuotesStayInsideTheirValues)
{
    const struct
    {
        const char* patient;
        CString study;
        int found;
        const char* lastName;
    } cases[] = {
        { "P_1", StudyIdOf(kStart), 1, "O'Brien" },
        { "PX1", StudyIdOf(kStart), 1, "Lee" },
        { " P_1 ", StudyIdOf(kStart), 1, "O'Brien" }, // surrounding blanks are trimmed
        { "O'Hara", StudyIdOf(kOther), 1, "O'Hara" },
        { "O'Hara", "", 1, "O'Hara" },                // the patient's one study
        { "P%", StudyIdOf(kStart), 0, "" },          // no pattern
        { "", StudyIdOf(kStart), 0, "" },            // two patients share the id
        { "P_1", StudyIdOf(kOther), 0, "" },
        { "x' OR '1'='1", "", 0, "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.patient) + " / " + c.study.str());
        context.SetPatient(c.patient);
        context.SetStudy(c.study);
        TBLPatientStudy row;
        EXPECT_EQ(context.LoadStudyRow(row), c.found);
        EXPECT_EQ(row.P_LAST_NAME, c.lastName);
    }
    // Both ids empty: the whole joined view, which holds three studies.
    context.ClearPatient();
    TBLPatientStudy row;
    EXPECT_EQ(context.LoadStudyRow(row), 0);
    EXPECT_TRUE(ReviewStation::Boxes().empty());
}

// ---- loading a chosen study in the view ------------------------------------------------------------

// Two studies without recording files are chosen, the second while the first one's message is
// still open: the second message waits until the first is closed, never opens inside it.
TEST(StudyLoading, AnErrorMessageNeverOpensASecondOneFromInsideIt)
{
    ReviewFolders folders;
    ReviewStation station;
    ASSERT_TRUE(station.Started());
    CReviewContext& context = *CReviewContext::GetInstance();
    ASSERT_TRUE(ReviewStation::Boxes().empty());

    int open = 0;
    int deepest = 0;
    int shown = 0;
    const auto answer = [&](const platform::msg::MessageBoxRequest& request) {
        EXPECT_EQ(request.text, "Can not open Record File!!!");
        EXPECT_EQ(request.caption, tarlux::kProgramName);
        ++open;
        ++shown;
        deepest = std::max(deepest, open);
        if (shown == 1) {
            // The user cannot reach the patient information behind the message; the test
            // chooses the next study all the same and lets the message loop run.
            context.SelectStudy("20240306090000");
            ReviewStation::Pump();
            ReviewStation::Pump();
        }
        --open;
        return IDOK;
    };
    platform::msg::ScriptMessageBoxAnswer(answer);
    platform::msg::ScriptMessageBoxAnswer(answer);
    context.SelectPatient("P_1");
    context.SelectStudy("20240305080000");
    ReviewStation::Pump();
    ReviewStation::Pump();
    EXPECT_EQ(shown, 2) << "each chosen study is loaded and reported once";
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(context.GetStudyId(), "20240306090000");
    EXPECT_EQ(context.GetReader().GetRecordCount(), 0);
}

} // namespace
