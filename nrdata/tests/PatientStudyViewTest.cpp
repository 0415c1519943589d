// The joined view of studies and their patients: every column of both tables, ordered by
// patient id and study id, orphan studies left out, conditions on either table combined before
// the ORDER BY, and one study found by its two ids.
#include "nrdata/table/TBLPatientStudy.h"
#include "support/StationDatabase.h"
#include "support/TableTraits.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace nrdata_test;

class PatientStudyView : public StationDatabase
{
protected:
    void AddPatient(const char* id, const char* lastName)
    {
        TBLPatient patient(&m_db);
        PatientTraits::Fill(patient);
        patient.P_ID = id;
        patient.P_LAST_NAME = lastName;
        ASSERT_EQ(patient.Add(), 1) << id;
    }
    void AddStudy(const char* patientId, const COleDateTime& start)
    {
        TBLStudy study(&m_db);
        StudyTraits::Fill(study);
        study.S_ID = patientId;
        ASSERT_EQ(study.SetStartTime(start, 1), 1);
        ASSERT_EQ(study.Add(), 1) << patientId;
    }
    // "patient/study" of every row the view gives.
    std::vector<std::string> Walk(TBLPatientStudy& view, int rows)
    {
        std::vector<std::string> keys;
        for (int i = 0; i < rows; ++i) {
            EXPECT_EQ(view.CursorGet(), 1);
            keys.push_back(view.P_ID.str() + "/" + view.S_STUDY_ID.str());
            EXPECT_EQ(view.P_ID, view.S_ID);
            view.CursorMove();
        }
        view.CursorClose();
        return keys;
    }
};

TEST_F(PatientStudyView, ReadsEveryColumnOfTheStudyAndItsPatient)
{
    TBLPatient patient(&m_db);
    PatientTraits::Fill(patient);
    ASSERT_EQ(patient.Add(), 1);
    TBLStudy study(&m_db);
    StudyTraits::Fill(study);
    ASSERT_EQ(study.Add(), 1);

    TBLPatientStudy view(&m_db);
    ASSERT_EQ(view.Get(study.S_ID, study.S_STUDY_ID), 1);
    PatientTraits::Table readPatient;
    static_cast<TBLPatientRow&>(readPatient) = view;
    PatientTraits::ExpectFilled(readPatient);
    StudyTraits::Table readStudy;
    static_cast<TBLStudyRow&>(readStudy) = view;
    StudyTraits::ExpectFilled(readStudy);

    EXPECT_EQ(view.Get(study.S_ID, "20000101000000"), 0);
    EXPECT_EQ(view.Get("nobody", study.S_STUDY_ID), 0);
}

TEST_F(PatientStudyView, RowsComeInPatientAndStudyOrderWithoutOrphans)
{
    AddPatient("p2", "Berg");
    AddPatient("p1", "Adams");
    AddStudy("p2", COleDateTime(2006, 3, 7, 9, 0, 0));
    AddStudy("p1", COleDateTime(2006, 3, 8, 9, 0, 0));
    AddStudy("p1", COleDateTime(2006, 3, 7, 9, 0, 0));
    AddStudy("orphan", COleDateTime(2006, 3, 7, 9, 0, 0));

    TBLPatientStudy view(&m_db);
    const int rows = view.CursorOpenCondition();
    ASSERT_EQ(rows, 3);
    EXPECT_EQ(Walk(view, rows), (std::vector<std::string> { "p1/20060307090000", "p1/20060308090000",
                                                             "p2/20060307090000" }));
    EXPECT_EQ(view.CursorOpenEx(nullptr), 3);
    view.CursorClose();
}

TEST_F(PatientStudyView, ConditionsOnBothTablesCombineBeforeTheOrder)
{
    AddPatient("p1", "Adams");
    AddPatient("p2", "Adamczyk");
    AddPatient("p3", "Berg");
    for (const char* id : { "p1", "p2", "p3" }) {
        AddStudy(id, COleDateTime(2006, 3, 6, 23, 0, 0));
        AddStudy(id, COleDateTime(2006, 3, 7, 12, 0, 0));
    }
    TBLPatientStudy view(&m_db);
    view.AddCondition("P_LAST_NAME LIKE '%adam%'");
    view.AddCondition("S_START_TIME>=#2006-03-07# AND S_START_TIME<#2006-03-08#");
    const int rows = view.CursorOpenCondition();
    ASSERT_EQ(rows, 2);
    EXPECT_EQ(Walk(view, rows), (std::vector<std::string> { "p1/20060307120000", "p2/20060307120000" }));
}

TEST_F(PatientStudyView, IdsWithQuotesAreFoundLikeAnyOther)
{
    AddPatient("O'Neil", "O'Neil");
    AddStudy("O'Neil", COleDateTime(2006, 3, 7, 9, 0, 0));
    TBLPatientStudy view(&m_db);
    ASSERT_EQ(view.Get("O'Neil", "20060307090000"), 1);
    EXPECT_EQ(view.P_LAST_NAME, "O'Neil");
    EXPECT_EQ(view.Get("O'Neil' OR '1'='1", "20060307090000"), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(PatientStudyView, ClearCloneAndAssignmentCopyTheColumnsOnly)
{
    TBLPatientStudy view(&m_db);
    view.P_ID = "p1";
    view.S_LENGTH = 7;
    view.AddCondition("1=1");
    std::unique_ptr<TBLPatientStudy> clone(view.Clone());
    EXPECT_EQ(clone->GetDataBase(), &m_db);
    EXPECT_EQ(clone->P_ID, "p1");
    EXPECT_EQ(clone->S_LENGTH, 7);
    EXPECT_EQ(clone->GetConditionString(0), "");

    view.Clear();
    EXPECT_EQ(view.P_ID, "");
    EXPECT_EQ(view.S_LENGTH, 0);
    EXPECT_EQ(view.S_START_TIME.GetStatus(), COleDateTime::null);
    EXPECT_EQ(view.GetConditionString(0), "");
}

} // namespace
