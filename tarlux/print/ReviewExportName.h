// Names and texts the review station's printing and picture export share: the exported
// picture's file name, made from patient texts the way recording file stems are (no character a
// file name may not hold, no ".."), and durations as "hh:mm:ss".
#pragma once

#include "platform/core/CString.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

namespace tarlux {

// "<patient id>_<last name><first name>_<yyyymmddhhmmss>.JPG", each patient text made safe.
CString ExportImageFileName(LPCTSTR patientId, LPCTSTR lastName, LPCTSTR firstName, const COleDateTime& when);

// A count of seconds as "%02d:%02d:%02d" (hours may pass 99); a negative count reads as 0.
CString DurationText(int seconds);

} // namespace tarlux
