// The study history of a patient on the patient information page: every study of the patient
// (matched by id with "=", never as a pattern), newest first, with its texts as listed.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/OleDateTime.h"

#include <vector>

class KTAdo;

namespace tarlux {

struct StudyHistoryItem
{
    CString studyId;
    COleDateTime start;
    CString startText;  // "%Y-%m-%d %H:%M:%S"
    CString lengthText; // "hh:mm:ss"
    CString lossText;   // lost records as a share of the length, "12.5%"
    CString doctorId;
    CString nurseId;
    long membraneStatus = 0;
    CString editDateText; // "%Y-%m-%d"
    CString comment;
};

// Lost records as a percentage of the recorded ones, "%.1f%%"; "0.0%" for no length.
CString LossPercentText(long loss, long length);

// The patient's studies, newest first; empty without a database. A row that cannot be read
// (shown to the user once) ends the list.
std::vector<StudyHistoryItem> LoadStudyHistory(KTAdo* db, const char* patientId);

} // namespace tarlux
