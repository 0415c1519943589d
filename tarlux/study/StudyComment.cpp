// Saving a study's comment.
#include "tarlux/study/StudyComment.h"

#include "nrdata/table/TBLStudy.h"

namespace tarlux {

int SaveStudyComment(KTAdo* db, const char* patientId, const char* studyId, const char* comment,
                     const COleDateTime& editDate)
{
    if (!db)
        return 0;
    TBLStudy study(db);
    study.S_ID = patientId;
    study.S_STUDY_ID = studyId;
    if (study.Get() != 1)
        return 0;
    study.S_COMMENT = comment ? comment : "";
    study.S_EDIT_DATE = editDate;
    return study.Update();
}

} // namespace tarlux
