// TBLPatient: the patient table's columns and ids.
#include "nrdata/table/TBLPatient.h"

#include <array>

namespace {

using Row = TBLPatientRow;

constexpr std::array kColumns {
    TBLText("P_ID", &Row::P_ID, 30, TBLKey),
    TBLText("P_FIRST_NAME", &Row::P_FIRST_NAME, 30),
    TBLText("P_LAST_NAME", &Row::P_LAST_NAME, 30),
    TBLDate("P_REG_DATE", &Row::P_REG_DATE),
    TBLDate("P_BIRTHDAY", &Row::P_BIRTHDAY),
    TBLDouble("P_HEIGHT", &Row::P_HEIGHT),
    TBLDouble("P_WEIGHT", &Row::P_WEIGHT),
    TBLText("P_COMMENT", &Row::P_COMMENT, 255),
    TBLText("P_DOCTOR_ID", &Row::P_DOCTOR_ID, 30),
    TBLDate("P_LMP", &Row::P_LMP),
    TBLDate("P_EDC", &Row::P_EDC),
    TBLLong("P_GR", &Row::P_GR),
    TBLLong("P_PA", &Row::P_PA),
    TBLDate("P_EDIT_DATE", &Row::P_EDIT_DATE),
};

} // namespace

std::span<const TBLColumn<TBLPatientRow>> TBLPatientRow::Columns() { return kColumns; }

CString TBLPatient::GetUniqueId(KTAdo* db) { return UniqueDateId(db, kTableName, "P_ID"); }
