// Users in lists.
#include "tarvic/dialogs/UserLists.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/RecordLists.h"
#include "tarvic/res/UserDialogIds.h"

#include "nrdata/table/TBLUser.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"

#include <array>

namespace tarvic::records {

CString UserLevelText(long level)
{
    switch (level) {
    case kLevelSystem: return tarvic::bed::LoadText(IDS_SYSTEM);
    case kLevelNurse: return tarvic::bed::LoadText(IDS_NURSE);
    case kLevelDoctor: return tarvic::bed::LoadText(IDS_DOCTOR);
    default: return {};
    }
}

CString BuildUserSearchClause(CString id, CString name, long level)
{
    CString condition;
    auto add = [&condition](const CString& part) { condition += (condition.IsEmpty() ? "WHERE " : " AND ") + part; };
    KTGF::Trim(id);
    KTGF::Trim(name);
    if (!id.IsEmpty())
        add(FormatString("M_ID LIKE '%%%s%%'", KTAdo::EscapeString(id).GetString()));
    if (!name.IsEmpty())
        add(FormatString("M_NAME LIKE '%%%s%%'", KTAdo::EscapeString(name).GetString()));
    if (level >= 0 && level < kLevelAll)
        add(FormatString("M_LEVEL LIKE '%%%ld%%'", level));
    return condition;
}

int FillUserList(CListCtrl& list, const char* clause, UserColumns layout)
{
    list.SetRedraw(FALSE);
    list.DeleteAllItems();
    TBLUser cursor(&g_Database);
    const int count = cursor.CursorOpenEx(clause);
    int shown = 0;
    for (int i = 0; i < count; ++i) {
        // A row that cannot be read is skipped (the table has told the user); the cursor moves on.
        if (cursor.CursorGet() == 1) {
            const CString level = UserLevelText(cursor.M_LEVEL);
            const CString registered = DayText(cursor.M_REG_DATE);
            const std::array<CString, 5> texts =
                layout == UserColumns::Manager
                    ? std::array<CString, 5>{cursor.M_ID, cursor.M_NAME, level, registered, DayText(cursor.M_EDIT_DATE)}
                    : std::array<CString, 5>{cursor.M_ID, cursor.M_NAME, registered, level, DayText(cursor.M_EDIT_DATE)};
            const int item = list.InsertItem(shown, texts[0]);
            for (int column = 1; column < int(texts.size()); ++column)
                list.SetItemText(item, column, texts[size_t(column)]);
            ++shown;
        }
        cursor.CursorMove();
    }
    cursor.CursorClose();
    list.SetRedraw(TRUE);
    list.Invalidate(FALSE);
    return shown;
}

} // namespace tarvic::records
