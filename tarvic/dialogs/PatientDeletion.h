// Deleting a patient for good: the patient's row, then each of its studies, every study row
// before its committed recording (".FMF"). A recording still being written (".TMP") is never
// touched. Nothing goes when the patient's row stays, and a recording stays when its study row
// stays, so the database never names a file that is gone nor hides one that is left.
#pragma once

#include "platform/core/CString.h"

class KTAdo;

namespace tarvic::records {

enum class PatientDeleteResult
{
    Deleted,     // the row, its studies and their recordings are gone
    RowRefused,  // the database kept the patient's row: nothing was deleted
    StudiesLeft, // the row is gone, but a study row (and so its recording) stayed
};

PatientDeleteResult DeletePatientWithStudies(KTAdo* db, LPCTSTR dataPath, const CString& patientId);

} // namespace tarvic::records
