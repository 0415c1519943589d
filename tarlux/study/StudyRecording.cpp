// The recording file of the current study.
#include "tarlux/study/StudyRecording.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"

#include "nrdata/config/NyraConfig.h"
#include "nrdata/record/RecordFilePath.h"

namespace tarlux {

CString StudyRecordingPath(LPCTSTR patientId, LPCTSTR studyId)
{
    return nrdata::record::RecordFilePathOf(ReviewConfig().DataPath, patientId, studyId,
                                            nrdata::record::kCommittedExtension);
}

BOOL LoadCurrentStudyRecording(CReviewContext& context)
{
    const CString studyId = context.GetStudyId();
    if (studyId.IsEmpty())
        return TRUE;
    return context.GetReader().Load(StudyRecordingPath(context.GetPatientId(), studyId)) ? TRUE : FALSE;
}

} // namespace tarlux
