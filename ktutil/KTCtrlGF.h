// KTCtrlGF: the small recurring jobs of dialog code on standard controls: check buttons, find
// combo-box and list-box entries, find, select and copy list-view items, the tree's selection,
// focus an edit, enable, move and resize a control, and show a number as window text.
//
// Buttons, edits, trees and the window members come in two forms: on the control object, and on
// a parent window plus the control's id; the list members take the control object only. A control counts as valid when the object is not null and has a
// live window; every member checks that first and gives its failure value otherwise.
#pragma once

#include "platform/core/Types.h"

class CComboBox;
class CListBox;
class CListCtrl;
class CWnd;

class KTCtrlGF
{
public:
    virtual ~KTCtrlGF() = default;

    static BOOL IsValidWnd(const CWnd* window);
    // The child control with that id; null when the parent is not valid or has none.
    static CWnd* GetWnd(const CWnd* parent, UINT id);

    // Width and height changed by dx and dy; position and z-order kept.
    static void ResizeWnd(CWnd* control, int dx, int dy);
    static void ResizeWnd(const CWnd* parent, UINT id, int dx, int dy);
    // Moved by dx and dy within the parent's client area; size and z-order kept.
    static void MoveWnd(CWnd* control, int dx, int dy);
    static void MoveWnd(const CWnd* parent, UINT id, int dx, int dy);
    static void SetWndNum(CWnd* control, int value);
    static void SetWndNum(const CWnd* parent, UINT id, int value);
    // The leading decimal number of the window text ("12ab" gives 12); 0 when it has none.
    static int GetWndNum(const CWnd* control);
    static int GetWndNum(const CWnd* parent, UINT id);
    static void EnableWnd(CWnd* control, BOOL enable);
    static void EnableWnd(const CWnd* parent, UINT id, BOOL enable);

    // Gives the edit the focus; with selectAll its whole text is selected and the caret scrolled
    // into view.
    static void EDT_SetFocus(CWnd* edit, BOOL selectAll);
    static void EDT_SetFocus(const CWnd* parent, UINT id, BOOL selectAll);
    // 0 unchecked, 1 checked, 2 indeterminate.
    static int BTN_GetCheck(const CWnd* button);
    static int BTN_GetCheck(const CWnd* parent, UINT id);
    static void BTN_SetCheck(CWnd* button, int state);
    static void BTN_SetCheck(const CWnd* parent, UINT id, int state);

    // Index of the first entry equal to the text (byte-exact with the flag, ignoring case
    // without); -1 when none.
    static int CBO_FindString(const CComboBox* combo, LPCTSTR text, BOOL caseSensitive);
    // Index of the first entry whose item data is the value; -1 when none.
    static int CBO_FindData(const CComboBox* combo, DWORD data);
    static int LB_FindString(const CListBox* list, LPCTSTR text, BOOL caseSensitive);

    // ---- list views ----
    // The first selected item; with focusedOnly the first selected item that also has the focus.
    // -1 when there is none.
    static int LST_GetSelectedIndex(const CListCtrl* list, BOOL focusedOnly);
    static int LST_GetCheckedCount(const CListCtrl* list);
    // The first item whose text in the column equals the text (as CBO_FindString); -1 when none.
    static int LST_FindString(const CListCtrl* list, int column, LPCTSTR text, BOOL caseSensitive);
    // The item at the index gets the selected and focused states; with `exclusive` every other
    // item loses both. The list is not scrolled. 1 (also for an empty list or an index beyond
    // the items), 0 for an invalid list.
    static int LST_SelectItem(CListCtrl* list, int index, BOOL exclusive);
    // Copies every item (texts of all columns and item data) to the same index of the target,
    // which is emptied first with `clear`. 0 when either list is invalid or their column counts
    // differ.
    static int LST_CopyItemAll(const CListCtrl* source, CListCtrl* target, BOOL clear);
    // Copies one item; a target index outside the target's items appends. The index used, or -1
    // (invalid lists, different column counts, no such source item).
    static int LST_CopyItem(const CListCtrl* source, CListCtrl* target, int sourceIndex, int targetIndex);

    // ---- trees ----
    // The tree's caret (selected) item; null when none or the tree is not valid.
    static HTREEITEM TRE_GetSelectedItem(const CWnd* tree);
    static HTREEITEM TRE_GetSelectedItem(const CWnd* parent, UINT id);
    // The caret item loses its selected state and the item gets it (the caret itself does not
    // move); the result of the last state change, 0 for an invalid tree.
    static BOOL TRE_SetSelectedItem(CWnd* tree, HTREEITEM item);
    static BOOL TRE_SetSelectedItem(const CWnd* parent, UINT id, HTREEITEM item);
};
