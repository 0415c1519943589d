// Loading the chosen study's recording: the committed file the central station wrote for the
// study, found the way it names it (the data folder of the settings, its "Records" folder, the
// safe name stem of the two ids), read into the review context's reader.
#pragma once

#include "platform/core/CString.h"

namespace tarlux {

class CReviewContext;

// The committed recording file (".FMF") of a study under the settings' data folder.
CString StudyRecordingPath(LPCTSTR patientId, LPCTSTR studyId);

// Loads the context's current study into its reader: TRUE when there is no study to load or
// its file was read; FALSE when the file cannot be opened (the reader is then empty).
BOOL LoadCurrentStudyRecording(CReviewContext& context);

} // namespace tarlux
