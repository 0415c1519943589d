// TBLPatientStudy: the joined view of studies and their patients.
#include "nrdata/table/TBLPatientStudy.h"

#include "ktutilex/KTAdo.h"

namespace {

constexpr const char* kJoin = "TBLStudy INNER JOIN TBLPatient ON TBLStudy.S_ID = TBLPatient.P_ID";
constexpr const char* kOrder = "ORDER BY S_ID, S_STUDY_ID";

} // namespace

TBLPatientStudy::TBLPatientStudy(KTAdo* db) : TBLBase(db) { Clear(); }

TBLFields TBLPatientStudy::Fields()
{
    TBLFields fields;
    TBLBindColumns<TBLPatientRow>(*this, TBLPatientRow::Columns(), fields);
    TBLBindColumns<TBLStudyRow>(*this, TBLStudyRow::Columns(), fields);
    return fields;
}

void TBLPatientStudy::Clear()
{
    ClearFields(Fields());
    ClearCondition();
}

TBLPatientStudy* TBLPatientStudy::Clone() const
{
    auto* copy = new TBLPatientStudy(GetDataBase());
    *copy = *this;
    return copy;
}

int TBLPatientStudy::CursorOpenEx(const char* clause)
{
    const CString from = clause && *clause ? FormatString("%s %s", kJoin, clause) : CString(kJoin);
    return CursorOpen(SelectText(from, kOrder), adOpenUnspecified, adLockUnspecified);
}

int TBLPatientStudy::CursorOpenCondition() { return CursorOpenEx(GetConditionString(0)); }

int TBLPatientStudy::CursorGet()
{
    Clear();
    if (!ReadFields(Fields())) {
        Clear();
        return 0;
    }
    return 1;
}

int TBLPatientStudy::Get(const char* patientId, const char* studyId)
{
    const CString clause = FormatString("WHERE S_ID='%s' AND S_STUDY_ID='%s' AND P_ID=S_ID",
                                        KTAdo::EscapeString(patientId).GetString(),
                                        KTAdo::EscapeString(studyId).GetString());
    int result = 0;
    if (CursorOpenEx(clause) > 0)
        result = CursorGet();
    CursorClose();
    return result;
}
