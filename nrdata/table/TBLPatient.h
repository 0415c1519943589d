// TBLPatient: the stations' patients (table TBLPatient, key P_ID).
#pragma once

#include "nrdata/table/TBLTable.h"

// The columns of one patient row, in the table's column order.
struct TBLPatientRow
{
    static constexpr const char* kTableName = "TBLPatient";
    static std::span<const TBLColumn<TBLPatientRow>> Columns();

    CString P_ID;
    CString P_FIRST_NAME;
    CString P_LAST_NAME;
    COleDateTime P_REG_DATE;
    COleDateTime P_BIRTHDAY;
    double P_HEIGHT { 0.0 };
    double P_WEIGHT { 0.0 };
    CString P_COMMENT;
    CString P_DOCTOR_ID;    // an M_ID of the user table
    COleDateTime P_LMP;     // last menstrual period
    COleDateTime P_EDC;     // expected date of confinement
    LONG P_GR { 0 };        // gravida
    LONG P_PA { 0 };        // para
    COleDateTime P_EDIT_DATE;
};

class TBLPatient : public TBLTable<TBLPatient, TBLPatientRow>
{
public:
    explicit TBLPatient(KTAdo* db = nullptr) : TBLTable(db) {}

    // A patient id that no row holds yet: today's date and a number, "yyyymmdd-nnn"; the
    // empty text without a connection or when the database cannot be asked.
    static CString GetUniqueId(KTAdo* db);
};
