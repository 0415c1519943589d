// Saving the comment edited on the study information page: only the comment and the edit date
// of that one study's row change; the row is read again first, so values another station wrote
// since the page was filled are kept.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/OleDateTime.h"

class KTAdo;

namespace tarlux {

// 1 when the row was found and written, else 0 (nothing changed).
int SaveStudyComment(KTAdo* db, const char* patientId, const char* studyId, const char* comment,
                     const COleDateTime& editDate);

} // namespace tarlux
