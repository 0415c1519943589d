// The review station's patient search. The typed filter texts never become SQL: each is
// trimmed, its quotes doubled and its LIKE wildcards ("%", "_") escaped, so a filter matches
// only as the text it is ("P_1" finds "P_1", not "PX1"). The name filter matches the first or
// the last name and is bracketed, so that it narrows the id filter instead of bypassing it.
#pragma once

#include "platform/core/CString.h"

#include <vector>

class KTAdo;

namespace tarlux {

// "<column> LIKE '%<text>%' ESCAPE '\'" with the text taken literally.
CString LikeContainsCondition(const char* column, const char* text);

// The search's conditions for the two filter texts (an empty or all-blank filter adds none).
std::vector<CString> PatientSearchConditions(const char* idFilter, const char* nameFilter);

// The ids of the patients the filters find, by last and first name; empty when the database
// cannot be asked.
std::vector<CString> SearchPatientIds(KTAdo* db, const char* idFilter, const char* nameFilter);

} // namespace tarlux
