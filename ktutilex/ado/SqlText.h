// SQL texts of the system, made ready for SQLite.
//
// The system writes its SQL for the classic desktop engine. SQLite understands nearly all of it
// as it stands (bracketed names, INNER JOIN, LIKE with % and _); what it lacks is the date
// literal "#...#", which we turn into the day count a date column holds.
#pragma once

#include "platform/core/CString.h"

namespace ktado {

// Replaces every date literal "#yyyy-mm-dd#" (also "#yyyy/mm/dd#", "#m/d/yyyy#", each with an
// optional time "hh:mm[:ss]") outside quoted texts, quoted names and comments by its day count.
// A "#...#" that holds no date stays as it is, so the engine reports it as a syntax error.
CString TranslateDateLiterals(const char* sql);

// A table name as given by a caller ("TBLPatient" or "[TBLPatient]") as a quoted SQL name.
CString QuoteTableName(const char* name);

// The query with the row id of `table` added as its last column ("SELECT a, b, "T".rowid FROM
// T ..."), so that rows read through it can be written back. Empty when the query is no plain
// row-for-row SELECT of that table: DISTINCT, GROUP BY and compound queries give no row ids.
CString AddRowIdColumn(const char* sql, const char* table);

// A day count as an SQL number that reads back as the same double.
CString DayCountLiteral(double dayCount);

} // namespace ktado
