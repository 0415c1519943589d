// Browsing in the running station: the patient search with literal filter texts, choosing a
// patient, the patient's study history newest first with its loss shares, and deleting studies
// (the row first; a refused row keeps its study, its recording and its place in the list, and
// is told once).
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"

#include "platform/ui/controls/Button.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/TBLStudy.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace reviewtest;
using tarlux::CReviewContext;

namespace {

const COleDateTime kOlder(2024, 3, 5, 8, 0, 0);
const COleDateTime kNewer(2024, 3, 6, 9, 30, 0);

class Browsing : public testing::Test
{
protected:
    Browsing()
    {
        KTAdo& db = tarlux::ReviewDatabase();
        AddPatient(db, "P_1", "Siobhan", "O'Brien");
        AddPatient(db, "PX1", "Anna", "Kim");
        AddPatient(db, "120", "Mina", "Kim");
        AddPatient(db, "Q'7", "Grace", "Lee");
        AddStudy(db, "P_1", kOlder, 3725);
        AddStudy(db, "P_1", kNewer, 0);
        SetLoss(kOlder, 745);
    }

    tarlux::CPatientListDlg& List() { return m_station.View()->GetPatientList(); }
    tarlux::CPatientInfoDlg& Info() { return m_station.View()->GetPatientInfo(); }
    // The list's column texts, row by row.
    static std::vector<std::string> Column(CListCtrl& list, int column)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetItemCount(); ++i)
            texts.emplace_back(list.GetItemText(i, column).GetString());
        return texts;
    }
    std::vector<std::string> Search(const char* id, const char* name)
    {
        List().SetDlgItemText(tarlux::IDC_PLIST_ID, id);
        List().SetDlgItemText(tarlux::IDC_PLIST_NAME, name);
        List().SendMessage(WM_COMMAND, MAKEWPARAM(tarlux::IDC_PLIST_SEARCH, BN_CLICKED));
        return Column(List().GetList(), 0);
    }
    void ChoosePatient(const char* id)
    {
        CReviewContext::GetInstance()->SelectPatient(id);
        ReviewStation::Pump();
    }
    static void SetLoss(const COleDateTime& start, long loss)
    {
        TBLStudy study(&tarlux::ReviewDatabase());
        study.S_ID = "P_1";
        study.S_STUDY_ID = StudyIdOf(start);
        ASSERT_EQ(study.Get(), 1);
        study.S_LOSS = loss;
        ASSERT_EQ(study.Update(), 1);
    }
    static bool RowExists(const COleDateTime& start)
    {
        TBLStudy study(&tarlux::ReviewDatabase());
        study.S_ID = "P_1";
        study.S_STUDY_ID = StudyIdOf(start);
        return study.Get() == 1;
    }
    static CString RecordingOf(const COleDateTime& start)
    {
        return nrdata::record::RecordFilePathOf(tarlux::ReviewConfig().DataPath, "P_1", StudyIdOf(start),
                                                nrdata::record::kCommittedExtension);
    }
    void SelectAll()
    {
        CListCtrl& history = Info().GetHistory();
        for (int i = 0; i < history.GetItemCount(); ++i)
            history.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        history.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    }

    ReviewFolders m_folders;
    ReviewStation m_station;
    testkit::ScriptedDialogs m_dialogs;
};

// The filters match the texts as typed: quotes are no SQL and "_" is no wildcard; the name
// matches the first or the last name and narrows the id filter; blanks around a filter go.
TEST_F(Browsing, TheSearchTakesTheFilterTextsLiterally)
{
    using Ids = std::vector<std::string>;
    struct Case
    {
        const char* id;
        const char* name;
        Ids expected; // by name: last name first
    };
    for (const Case& c : { Case { "", "", { "PX1", "120", "Q'7", "P_1" } },
                           Case { "P_1", "", { "P_1" } },
                           Case { "  12 ", "", { "120" } },
                           Case { "", "o'brien", { "P_1" } },
                           Case { "Q'", "", { "Q'7" } },
                           Case { "X", "Kim", { "PX1" } },
                           Case { "' OR '1'='1", "", {} },
                           Case { "   ", "mina", { "120" } } })
        EXPECT_EQ(Search(c.id, c.name), c.expected) << c.id << " / " << c.name;
    // The "Name" column reads last name first; dates of the year 1000 stay empty.
    Search("P_1", "");
    EXPECT_EQ(List().GetList().GetItemText(0, 1), "O'Brien Siobhan");
    EXPECT_EQ(List().GetList().GetItemText(0, 3), "1990-06-15");
    EXPECT_EQ(List().GetList().GetItemText(0, 4), "");
    EXPECT_EQ(List().GetList().GetItemText(0, 9), "0.0 cm");
}

TEST_F(Browsing, TheHistoryListsTheStudiesNewestFirstWithTheirLoss)
{
    ChoosePatient("P_1");
    CString name;
    Info().GetDlgItem(tarlux::IDC_PINFO_NAME)->GetWindowText(name);
    EXPECT_EQ(name, "O'Brien Siobhan");
    CString gravida;
    Info().GetDlgItem(tarlux::IDC_PINFO_GR)->GetWindowText(gravida);
    EXPECT_EQ(gravida, ""); // -1: none chosen
    CListCtrl& history = Info().GetHistory();
    EXPECT_EQ(Column(history, 0), (std::vector<std::string> { StudyIdOf(kNewer).GetString(), StudyIdOf(kOlder).GetString() }));
    EXPECT_EQ(Column(history, 2), (std::vector<std::string> { "00:00:00", "01:02:05" }));
    EXPECT_EQ(Column(history, 3), (std::vector<std::string> { "0.0%", "20.0%" }));
    // A click on "Record Start" turns the order round.
    Info().SortByColumn(1);
    EXPECT_EQ(history.GetItemText(0, 0), StudyIdOf(kOlder));
}

TEST_F(Browsing, ARefusedDeleteKeepsTheStudyAndItsRecordingAndIsToldOnce)
{
    for (const COleDateTime& start : { kOlder, kNewer }) {
        RecordingContents contents;
        contents.start = start;
        WriteRecording(RecordingOf(start), contents);
    }
    ChoosePatient("P_1");
    ASSERT_TRUE(tarlux::ReviewDatabase().ExecuteSQL(
        "CREATE TRIGGER keep_old BEFORE DELETE ON TBLStudy WHEN OLD.S_STUDY_ID = '" + StudyIdOf(kOlder) +
        "' BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    SelectAll();
    m_dialogs.AnswerBoxes({ IDYES });
    Info().DeleteSelectedStudies();

    const auto boxes = m_dialogs.Boxes();
    ASSERT_EQ(boxes.size(), 2u); // the question, then the one refusal
    EXPECT_EQ(boxes[0].text, "Do you want to delete selected History Files(counts: 2)?");
    EXPECT_EQ(boxes[0].caption, "TarluxerII");
    EXPECT_TRUE(RowExists(kOlder));
    EXPECT_TRUE(KTGF::IsFile(RecordingOf(kOlder)));
    EXPECT_FALSE(RowExists(kNewer));
    EXPECT_FALSE(KTGF::IsFile(RecordingOf(kNewer)));
    EXPECT_EQ(Column(Info().GetHistory(), 0), std::vector<std::string> { StudyIdOf(kOlder).GetString() });

    // No, and nothing selected: nothing changes.
    m_dialogs.AnswerBoxes({ IDNO });
    Info().DeleteSelectedStudies();
    EXPECT_TRUE(RowExists(kOlder));
}

TEST_F(Browsing, AStudyBeingRecordedIsRefusedAsInUse)
{
    RecordingContents contents;
    contents.start = kNewer;
    CString working = RecordingOf(kNewer);
    working.Replace(".FMF", ".TMP");
    WriteRecording(working, contents);
    ChoosePatient("P_1");
    Info().GetHistory().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_dialogs.AnswerBoxes({ IDYES });
    Info().DeleteSelectedStudies();
    const auto texts = m_dialogs.BoxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "Cannot Delete!\nStudy File(File Name: " + std::string(RecordingOf(kNewer).GetString()) +
                            ") is being Used.");
    EXPECT_TRUE(RowExists(kNewer));
    EXPECT_EQ(Info().GetHistory().GetItemCount(), 2);
}

} // namespace
