// What the record dialogs (patients and users) do alike: report lists with columns from the
// string table, the rows chosen for a delete, removing them and selecting the nearest row that
// is left; refusing an input.
#pragma once

#include "platform/ui/controls/ListCtrl.h"
#include "platform/core/OleDateTime.h"
#include "platform/ui/dialogs/Dialog.h"

#include <span>
#include <vector>

namespace tarvic::records {

struct ListColumn
{
    UINT header;
    int width;
};

// Inserts the columns (left-aligned) and switches grid lines and full-row selection on.
void SetUpReportList(CListCtrl& list, std::span<const ListColumn> columns);

// One row chosen for a delete: its position and the key in its first column.
struct ChosenRow
{
    int position;
    CString id;
};

// The first row that is both selected and focused, or -1.
int SelectedFocusedRow(const CListCtrl& list);
// The selected rows, in list order.
std::vector<ChosenRow> SelectedRows(const CListCtrl& list);
// Removes the rows at `positions` (ascending), last first, so that the positions stay valid.
void RemoveRows(CListCtrl& list, const std::vector<int>& positions);
// Selects and focuses `row` alone, limited to the last row; false when the list is empty or no
// row was remembered (row < 0), so that the caller disables what needs a row.
bool SelectNearestRow(CListCtrl& list, int row);
// Selects and focuses `row` alone.
void SelectRowExclusively(CListCtrl& list, int row);

// A date as "%Y-%m-%d"; empty for a null date.
CString DayText(const COleDateTime& date);
// The day `year`-`month`-`day` as "%04d-%02d-%02d", made by hand (lists of thousands of rows).
CString DayText(int year, int month, int day);

// Appends a row at `index`: its first text as the item, the others into their columns (a new
// item's columns are empty, so only texts there are are set). Returns the item's index.
int InsertRow(CListCtrl& list, int index, std::span<const CString> texts);

// Refuses an input: the text `textId` with the stop icon, then the focus to the edit `editId`
// with its whole text selected.
void RefuseInput(CDialog& dialog, UINT textId, int editId);

// The upper-case text of the edit `editId`, written back (when the focus leaves a key edit).
void MakeUpperCase(CWnd& dialog, int editId);

} // namespace tarvic::records
