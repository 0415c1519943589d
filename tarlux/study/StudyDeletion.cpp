// Deleting a study: its row, then its recording.
#include "tarlux/study/StudyDeletion.h"

#include "tarlux/app/ReviewGlobals.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/TBLStudy.h"

namespace tarlux {

StudyDeleteResult DeleteStudy(KTAdo* db, const char* patientId, const char* studyId, CString* error)
{
    namespace record = nrdata::record;
    const CString dataPath = ReviewConfig().DataPath;
    if (KTGF::IsFile(record::RecordFilePathOf(dataPath, patientId, studyId, record::kWorkingExtension)))
        return StudyDeleteResult::InUse;

    TBLStudy study(db);
    study.S_ID = patientId;
    study.S_STUDY_ID = studyId;
    if (!db || !study.Delete()) {
        if (error)
            *error = db ? db->GetLastErrorString() : CString();
        return StudyDeleteResult::RowRefused;
    }
    const CString committed = record::RecordFilePathOf(dataPath, patientId, studyId, record::kCommittedExtension);
    if (KTGF::IsFile(committed))
        KTGF::DeleteFileA(committed, FALSE);
    return StudyDeleteResult::Deleted;
}

} // namespace tarlux
