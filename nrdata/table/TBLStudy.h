// TBLStudy: the recordings of the stations (table TBLStudy, key S_ID and S_STUDY_ID).
//
// One row per recording of a patient. Its recording file is named from the key; see
// RecordFileStem.h.
#pragma once

#include "nrdata/table/TBLTable.h"

// The columns of one study row, in the table's column order.
struct TBLStudyRow
{
    static constexpr const char* kTableName = "TBLStudy";
    static std::span<const TBLColumn<TBLStudyRow>> Columns();

    CString S_ID;             // the patient's P_ID
    CString S_STUDY_ID;       // the start time as "%Y%m%d%H%M%S"
    COleDateTime S_START_TIME;
    LONG S_LENGTH { 0 };      // parameter records recorded
    LONG S_LOSS { 0 };        // parameter records lost
    CString S_DOCTOR_ID;
    CString S_NURSE_ID;
    CString S_COMMENT;
    LONG S_MEMB_STATUS { 0 };
    COleDateTime S_EDIT_DATE;
};

class TBLStudy : public TBLTable<TBLStudy, TBLStudyRow>
{
public:
    explicit TBLStudy(KTAdo* db = nullptr) : TBLTable(db) {}

    // Sets the start time and, with makeId, the study id from it: 1, or 0 with nothing changed
    // when the time is not valid.
    int SetStartTime(const COleDateTime& time, int makeId);
};
