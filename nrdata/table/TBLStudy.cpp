// TBLStudy: the study table's columns and start time.
#include "nrdata/table/TBLStudy.h"

#include <array>

namespace {

using Row = TBLStudyRow;

constexpr std::array kColumns {
    TBLText("S_ID", &Row::S_ID, 30, TBLKey),
    TBLText("S_STUDY_ID", &Row::S_STUDY_ID, 30, TBLKey),
    TBLDate("S_START_TIME", &Row::S_START_TIME),
    TBLLong("S_LENGTH", &Row::S_LENGTH),
    TBLLong("S_LOSS", &Row::S_LOSS),
    TBLText("S_DOCTOR_ID", &Row::S_DOCTOR_ID, 30),
    TBLText("S_NURSE_ID", &Row::S_NURSE_ID, 30),
    TBLText("S_COMMENT", &Row::S_COMMENT, 255),
    TBLLong("S_MEMB_STATUS", &Row::S_MEMB_STATUS),
    TBLDate("S_EDIT_DATE", &Row::S_EDIT_DATE),
};

} // namespace

std::span<const TBLColumn<TBLStudyRow>> TBLStudyRow::Columns() { return kColumns; }

int TBLStudy::SetStartTime(const COleDateTime& time, int makeId)
{
    if (time.GetStatus() != COleDateTime::valid)
        return 0;
    S_START_TIME = time;
    if (makeId)
        S_STUDY_ID = time.Format("%Y%m%d%H%M%S");
    return 1;
}
