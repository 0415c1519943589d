// Deleting a patient with its studies and recordings.
#include "tarvic/dialogs/PatientDeletion.h"

#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"

#include <vector>

namespace tarvic::records {

namespace {

std::vector<CString> StudyIdsOf(KTAdo* db, const CString& patientId)
{
    std::vector<CString> ids;
    TBLStudy study(db);
    study.AddCondition(FormatString("S_ID='%s'", KTAdo::EscapeString(patientId).GetString()));
    const int count = study.CursorOpenCondition();
    for (int i = 0; i < count; ++i) {
        if (study.CursorGet() == 1)
            ids.push_back(study.S_STUDY_ID);
        study.CursorMove();
    }
    study.CursorClose();
    return ids;
}

} // namespace

PatientDeleteResult DeletePatientWithStudies(KTAdo* db, LPCTSTR dataPath, const CString& patientId)
{
    TBLPatient patient(db);
    patient.P_ID = patientId;
    if (patient.Delete() != 1)
        return PatientDeleteResult::RowRefused;
    PatientDeleteResult result = PatientDeleteResult::Deleted;
    for (const CString& studyId : StudyIdsOf(db, patientId)) {
        TBLStudy study(db);
        study.S_ID = patientId;
        study.S_STUDY_ID = studyId;
        if (study.Delete() != 1) {
            result = PatientDeleteResult::StudiesLeft;
            continue;
        }
        const CString file =
            nrdata::record::RecordFilePathOf(dataPath, patientId, studyId, nrdata::record::kCommittedExtension);
        if (KTGF::IsFile(file))
            KTGF::DeleteFileA(file, FALSE);
    }
    return result;
}

} // namespace tarvic::records
