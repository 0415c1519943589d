// The users as the user manager and the user list show them: the level texts, the search
// condition and the list's rows.
#pragma once

#include "platform/ui/controls/ListCtrl.h"

namespace tarvic::records {

// User levels (M_LEVEL).
constexpr long kLevelSystem = 0;
constexpr long kLevelNurse = 1;
constexpr long kLevelDoctor = 2;
// The user manager's "All" entry.
constexpr long kLevelAll = 3;
// User ids fit the doctor and nurse columns of the patient and study tables.
constexpr int kUserIdLimit = 30;

// "System", "Nurse" or "Doctor"; empty for any other level.
CString UserLevelText(long level);

// The condition of a user search ("WHERE ..." or empty for every user): the id and name texts
// (trimmed; quotes made harmless, the user's own wildcards kept) and a level below kLevelAll.
CString BuildUserSearchClause(CString id, CString name, long level);

// The order of the list's columns: the user manager shows the level before the dates, the user
// list after the registration date.
enum class UserColumns
{
    Manager, // id, name, level, registration date, edit date
    Picker,  // id, name, registration date, level, edit date
};
// Empties the list and fills it with the users of `clause`; returns how many rows it shows.
int FillUserList(CListCtrl& list, const char* clause, UserColumns layout);

} // namespace tarvic::records
