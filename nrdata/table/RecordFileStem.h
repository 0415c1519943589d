// The name stem of a study's recording file: the patient id, an underscore and the study id.
// The recording is written as "<stem>.TMP" and committed as "<stem>.FMF" in the "Records"
// folder below the data folder; the central and the review station both name it here.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

// Every character that a file name may not hold (\ / : * ? " < > | and control characters) and
// every ".." is replaced by "_", so that no id can lead the name out of the "Records" folder.
// Ids made of letters, digits, "-" and "." (and the 14-digit study ids) come through unchanged.
CString MakeRecordFileStem(LPCTSTR patientId, LPCTSTR studyId);

// One part of a file name made safe by the same rule (a capture's patient id and names).
CString MakeSafeFileNamePart(LPCTSTR text);
