// What the review station's dialogs share: label texts from the string table, drop-down lists
// filled from a value map, and the Enter and Escape keys that must not close a dialog that is
// part of the form or of the settings sheet.
#pragma once

#include "nrdata/constmap/NRConstMap.h"

#include "platform/msg/Wnd.h"

#include <span>

class CBrush;
class CComboBox;
class CDC;

namespace tarlux {

// One label: a control id and the string id of its text; `colon` appends " : ".
struct LabelText
{
    int id;
    UINT stringId;
    bool colon;
};

// The text of `stringId`, with " : " when `colon` is set.
CString LoadText(UINT stringId, bool colon = false);
// Sets every label of the table from the string table.
void SetLabelTexts(CWnd& dialog, std::span<const LabelText> labels);

// Empties the combo box, adds every entry of the map (its text, its value as item data) and
// selects the entry holding `value` (none when no entry holds it).
void FillMapCombo(CComboBox& combo, NRConstMap::CMAP_TYPE map, long value);
// The item data of the selection, or `keep` without a selection.
long SelectedItemData(const CComboBox& combo, long keep);

// Enables or disables each control of `ids`.
void EnableControls(CWnd& dialog, std::span<const int> ids, BOOL enable);

// The control-colour answer of a dialog painted in its own colour: for the dialog itself and the
// controls `ids`, a transparent text background and `brush`; null for any other control (the
// caller answers with the default then).
HBRUSH DialogBrushFor(const CBrush& brush, CDC* pDC, CWnd* pWnd, UINT nCtlColor, std::span<const int> ids);

// A key-down of Enter or Escape (the dialogs swallow it before dialog processing).
bool IsEnterOrEscape(const MSG* pMsg);

} // namespace tarlux
