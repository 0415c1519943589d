// The patient search's conditions and query.
#include "tarlux/patient/PatientSearch.h"

#include "nrdata/table/TBLPatient.h"

#include "ktutilex/KTAdo.h"

namespace tarlux {

CString LikeContainsCondition(const char* column, const char* text)
{
    CString literal = text ? text : "";
    literal.Replace("\\", "\\\\");
    literal.Replace("%", "\\%");
    literal.Replace("_", "\\_");
    CString condition;
    condition.Format("%s LIKE '%%%s%%' ESCAPE '\\'", column, KTAdo::EscapeString(literal).GetString());
    return condition;
}

std::vector<CString> PatientSearchConditions(const char* idFilter, const char* nameFilter)
{
    std::vector<CString> conditions;
    CString id = idFilter ? idFilter : "";
    id.Trim();
    if (!id.IsEmpty())
        conditions.push_back(LikeContainsCondition("P_ID", id));
    CString name = nameFilter ? nameFilter : "";
    name.Trim();
    if (!name.IsEmpty())
        conditions.push_back("(" + LikeContainsCondition("P_FIRST_NAME", name) + " OR " +
                             LikeContainsCondition("P_LAST_NAME", name) + ")");
    return conditions;
}

std::vector<CString> SearchPatientIds(KTAdo* db, const char* idFilter, const char* nameFilter)
{
    std::vector<CString> ids;
    if (!db)
        return ids;
    TBLPatient patients(db);
    for (const CString& condition : PatientSearchConditions(idFilter, nameFilter))
        patients.AddCondition(condition);
    const CString clause = patients.GetConditionString(0) + " ORDER BY P_LAST_NAME, P_FIRST_NAME";
    const int rows = patients.CursorOpenEx(clause);
    // A row that cannot be read has been shown to the user once; the listing ends there.
    for (int row = 0; row < rows && patients.CursorGet(); ++row) {
        ids.push_back(patients.P_ID);
        patients.CursorMove();
    }
    patients.CursorClose();
    return ids;
}

} // namespace tarlux
