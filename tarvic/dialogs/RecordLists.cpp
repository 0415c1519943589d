// The record managers' list helpers.
#include "tarvic/dialogs/RecordLists.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"

#include "platform/ui/controls/Edit.h"

#include <algorithm>
#include <ctime>

namespace tarvic::records {

void SetUpReportList(CListCtrl& list, std::span<const ListColumn> columns)
{
    int index = 0;
    for (const ListColumn& column : columns)
        list.InsertColumn(index++, tarvic::bed::LoadText(column.header), LVCFMT_LEFT, column.width);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

int SelectedFocusedRow(const CListCtrl& list) { return list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED); }

std::vector<ChosenRow> SelectedRows(const CListCtrl& list)
{
    std::vector<ChosenRow> rows;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
        rows.push_back({i, list.GetItemText(i, 0)});
    return rows;
}

void RemoveRows(CListCtrl& list, const std::vector<int>& positions)
{
    for (auto it = positions.rbegin(); it != positions.rend(); ++it)
        list.DeleteItem(*it);
}

void SelectRowExclusively(CListCtrl& list, int row)
{
    list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(row, FALSE);
}

bool SelectNearestRow(CListCtrl& list, int row)
{
    row = std::min(row, list.GetItemCount() - 1);
    if (row < 0)
        return false;
    SelectRowExclusively(list, row);
    return true;
}

CString DayText(const COleDateTime& date)
{
    struct tm parts {};
    if (date.GetStatus() != COleDateTime::valid || !date.GetAsTm(parts))
        return {};
    return DayText(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
}

CString DayText(int year, int month, int day)
{
    char text[16];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = static_cast<char>('0' + value % 10);
    };
    if (year < 0 || year > 9999)
        return {};
    put(0, year, 4);
    text[4] = '-';
    put(5, month, 2);
    text[7] = '-';
    put(8, day, 2);
    return CString(text, 10);
}

int InsertRow(CListCtrl& list, int index, std::span<const CString> texts)
{
    if (texts.empty())
        return -1;
    const int item = list.InsertItem(index, texts[0]);
    for (size_t column = 1; column < texts.size(); ++column)
        if (!texts[column].IsEmpty())
            list.SetItemText(item, static_cast<int>(column), texts[column]);
    return item;
}

void RefuseInput(CDialog& dialog, UINT textId, int editId)
{
    StationMessageBox(textId, MB_OK | MB_ICONSTOP);
    if (CWnd* edit = dialog.GetDlgItem(editId)) {
        dialog.GotoDlgCtrl(edit);
        edit->SendMessage(EM_SETSEL, 0, -1);
    }
}

void MakeUpperCase(CWnd& dialog, int editId)
{
    CString text;
    dialog.GetDlgItemText(editId, text);
    CString upper = text;
    upper.MakeUpper();
    if (upper != text)
        dialog.SetDlgItemText(editId, upper);
}

} // namespace tarvic::records
