// TBLPatientStudy: studies read together with their patients, for the review station's study
// lists and searches. Read-only: the join of TBLStudy and TBLPatient on S_ID = P_ID, ordered by
// S_ID, then S_STUDY_ID. A study whose patient row is missing does not appear.
#pragma once

#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"

class TBLPatientStudy : public TBLBase, public TBLPatientRow, public TBLStudyRow
{
public:
    explicit TBLPatientStudy(KTAdo* db = nullptr);

    // The 24 column members cleared (texts empty, dates null, numbers 0) and no conditions.
    void Clear();
    // A new object on the same connection holding this row; the caller deletes it.
    TBLPatientStudy* Clone() const;

    // The joined query with the clause before its ORDER BY: the number of rows, or -1.
    int CursorOpenEx(const char* clause);
    int CursorOpenCondition();
    // Reads the patient columns, then the study columns: 1, or 0 (shown to the user) cleared.
    int CursorGet();
    // Loads the study of the two ids with its patient: 1, or 0 when there is none.
    int Get(const char* patientId, const char* studyId);

private:
    TBLFields Fields();
};
