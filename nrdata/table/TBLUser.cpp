// TBLUser: the user table's columns, the name lookup and ids.
#include "nrdata/table/TBLUser.h"

#include "ktutilex/KTAdo.h"

#include <array>

namespace {

using Row = TBLUserRow;

constexpr std::array kColumns {
    TBLText("M_ID", &Row::M_ID, 50, TBLKey),
    TBLText("M_NAME", &Row::M_NAME, 50),
    TBLText("M_PASSWORD", &Row::M_PASSWORD, 50),
    TBLLong("M_LEVEL", &Row::M_LEVEL),
    TBLDate("M_REG_DATE", &Row::M_REG_DATE),
    TBLDate("M_EDIT_DATE", &Row::M_EDIT_DATE),
};

} // namespace

std::span<const TBLColumn<TBLUserRow>> TBLUserRow::Columns() { return kColumns; }

CString TBLUser::GetUserNameStringInDatabase(KTAdo* db, CString id)
{
    if (id.IsEmpty())
        return CString();
    // "=" and not LIKE: an id holding "_" or "%" names that one user and no other.
    TBLUser user(db);
    user.AddCondition(FormatString("M_ID='%s'", KTAdo::EscapeString(id).GetString()));
    CString name;
    if (user.CursorOpenCondition() > 0 && user.CursorGet())
        name = user.M_NAME + "(" + user.M_ID + ")";
    user.CursorClose();
    return name;
}

CString TBLUser::GetUniqueId(KTAdo* db) { return UniqueDateId(db, kTableName, "M_ID"); }
