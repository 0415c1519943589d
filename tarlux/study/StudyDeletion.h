// Deleting one study of the review station. The database row goes first; only when that
// succeeded is the committed recording (".FMF") removed, so a refused delete leaves the row and
// its recording together. A study whose working recording (".TMP") exists is still being
// recorded by the central station and is refused as in use, with nothing changed.
#pragma once

#include "platform/core/CString.h"

class KTAdo;

namespace tarlux {

enum class StudyDeleteResult
{
    Deleted,     // row and recording gone (a missing recording counts as gone)
    InUse,       // the central station is recording it; nothing changed
    RowRefused,  // the database did not delete the row; nothing changed
};

// Deletes the study's row and recording under the settings' data folder. `error` (when given)
// receives the database's error text for RowRefused.
StudyDeleteResult DeleteStudy(KTAdo* db, const char* patientId, const char* studyId, CString* error = nullptr);

} // namespace tarlux
