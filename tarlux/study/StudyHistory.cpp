// A patient's study history.
#include "tarlux/study/StudyHistory.h"

#include "tarlux/print/ReviewExportName.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/table/TBLStudy.h"

namespace tarlux {

CString LossPercentText(long loss, long length)
{
    CString text;
    text.Format("%.1f%%", length > 0 ? static_cast<double>(loss) / length * 100.0 : 0.0);
    return text;
}

std::vector<StudyHistoryItem> LoadStudyHistory(KTAdo* db, const char* patientId)
{
    std::vector<StudyHistoryItem> items;
    if (!db)
        return items;
    CString id = patientId ? patientId : "";
    id.Trim();
    TBLStudy studies(db);
    const CString clause = "WHERE S_ID='" + KTAdo::EscapeString(id) + "' ORDER BY S_START_TIME DESC";
    const int rows = studies.CursorOpenEx(clause);
    for (int row = 0; row < rows && studies.CursorGet(); ++row) {
        StudyHistoryItem item;
        item.studyId = studies.S_STUDY_ID;
        item.start = studies.S_START_TIME;
        item.startText = studies.S_START_TIME.Format("%Y-%m-%d %H:%M:%S");
        item.lengthText = DurationText(studies.S_LENGTH);
        item.lossText = LossPercentText(studies.S_LOSS, studies.S_LENGTH);
        item.doctorId = studies.S_DOCTOR_ID;
        item.nurseId = studies.S_NURSE_ID;
        item.membraneStatus = studies.S_MEMB_STATUS;
        item.editDateText = studies.S_EDIT_DATE.Format("%Y-%m-%d");
        item.comment = studies.S_COMMENT;
        items.push_back(item);
        studies.CursorMove();
    }
    studies.CursorClose();
    return items;
}

} // namespace tarlux
