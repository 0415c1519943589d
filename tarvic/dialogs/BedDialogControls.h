// Helpers the per-bed dialogs share: drop-down lists whose items carry their values, texts of
// labels from the string table, and the message boxes of the station.
#pragma once

#include "nrdata/constmap/NRConstMap.h"

#include "platform/msg/Wnd.h"

#include <span>

namespace tarvic::bed {

// One label: a control id and the string id of its text; `colon` appends " : ".
struct LabelText
{
    int id;
    UINT stringId;
    bool colon;
};

// Sets every label of the table from the string table.
void SetLabelTexts(CWnd& dialog, std::span<const LabelText> labels);
// The text of `stringId`, with " : " when `colon` is set.
CString LoadText(UINT stringId, bool colon = false);

// Fills the list `id` with the entries of `map` (text, value as item data) and selects the
// entry holding `value`; with none, nothing is selected.
void FillMapList(CWnd& dialog, int id, NRConstMap::CMAP_TYPE map, long value);
// Fills the list `id` with "%d" of `first` to `last` (value = the number) and selects `value`.
void FillNumberList(CWnd& dialog, int id, int first, int last, long value);
// Fills the list `id` with the automatic recording periods: "Off" (0), then "5 (min)" to
// "120 (min)" in steps of 5 (value = the minutes), and selects `value`.
void FillPeriodList(CWnd& dialog, int id, long value);
// Adds one entry; returns its index.
int AddListEntry(CWnd& dialog, int id, const CString& text, long value);
// Selects the entry holding `value`; with none, no entry is selected.
void SelectListValue(CWnd& dialog, int id, long value);
// The value of the selected entry, or `keep` when no entry is selected (a list never turns a
// missing selection into a value of its own).
long SelectedListValue(CWnd& dialog, int id, long keep);

// Enables or disables each control of `ids`.
void EnableControls(CWnd& dialog, std::span<const int> ids, BOOL enable);

} // namespace tarvic::bed
