// TBLUser: the stations' users, doctors, nurses and system users (table TBLUser, key M_ID).
#pragma once

#include "nrdata/table/TBLTable.h"

// The columns of one user row. The members stand name first; the table's column order (the
// order of Columns()) begins with the id.
struct TBLUserRow
{
    static constexpr const char* kTableName = "TBLUser";
    static std::span<const TBLColumn<TBLUserRow>> Columns();

    CString M_NAME;
    CString M_ID;
    CString M_PASSWORD;       // as entered
    LONG M_LEVEL { 0 };       // 0 system, 1 nurse, 2 doctor
    COleDateTime M_REG_DATE;
    COleDateTime M_EDIT_DATE;
};

class TBLUser : public TBLTable<TBLUser, TBLUserRow>
{
public:
    explicit TBLUser(KTAdo* db = nullptr) : TBLTable(db) {}

    // "<name>(<id>)" of the user whose id is `id` (compared as a key, never as a pattern);
    // the empty text for an empty id or when no user has it.
    static CString GetUserNameStringInDatabase(KTAdo* db, CString id);
    // A user id that no row holds yet, as TBLPatient::GetUniqueId.
    static CString GetUniqueId(KTAdo* db);
};
