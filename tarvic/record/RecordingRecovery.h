// Completing at start-up the recordings that the station was writing when it last ended without
// stopping them (it was killed, it crashed, the machine lost its power).
//
// Every working file "<patient>_<study>.TMP" in the data folder's "Records" folder is finished
// as the end of a recording would have finished it: its committed copy ".FMF" is brought up to
// date with the whole, valid records that continue it (nyraclient/record/RecordRecovery.h), the
// study row takes the committed length and the signal loss (a row is added when the recording
// ended before its first commit), and the working file is deleted once the row is stored (rows
// the database refuses now wait in the view's StudyRowWriter). A working file that another
// running recording holds is left alone; one that cannot be read, or whose copy cannot be
// written now, stays where it is. The run log gets a line for each file, and the user one box
// that names them all.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

#include <vector>

class KTAdo;

namespace tarvic {

class StudyRowWriter;

struct RecoveredStudy
{
    CString patient; // as messages name a patient
    COleDateTime start;
    ULONGLONG records{0};
    BOOL rowStored{FALSE};
};

struct RecordingRecoveryReport
{
    std::vector<RecoveredStudy> completed;
    // File names of the working files left as they were (unreadable, or not committed now).
    std::vector<CString> kept;

    bool IsEmpty() const { return completed.empty() && kept.empty(); }
};

RecordingRecoveryReport CompleteInterruptedRecordings(KTAdo& database, StudyRowWriter& rows,
                                                      LPCTSTR dataFolder);

// One box that names what the report holds; nothing when it holds nothing.
void TellCompletedRecordings(const RecordingRecoveryReport& report);

} // namespace tarvic
