// KTTreeCtrl: a tree view that can hold several selected items at once, chosen with Ctrl and
// Shift clicks, Shift with the arrow keys, or a rubber band dragged over empty space. The
// standard control knows one selection (the caret); this class keeps the others in the
// items' TVIS_SELECTED state and sends the parent the standard selection notifications for
// each item whose selection it changes. Without multi-selection it is the standard tree.
//
// The click and rubber-band loops dispatch messages: a parent may delete the control in a
// handler, so each loop checks that the window still exists before it touches the object.
#pragma once

#include "platform/ui/controls/TreeCtrl.h"

#include <vector>

class KTTreeCtrl : public CTreeCtrl
{
public:
    // The pseudo state of SetItemState and GetItemState that marks the caret.
    static constexpr UINT TVIS_FOCUSED = 1;

    int SetMultiSelect(int multi);
    int IsMultiSelect() const { return m_bMulti; }
    int SetBandingHit(int hit);

    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    BOOL SelectItem(HTREEITEM item) { return CTreeCtrl::Select(item, TVGN_CARET); }
    BOOL FocusItem(HTREEITEM item);

    HTREEITEM GetFirstSelectedItem() const;
    HTREEITEM GetNextSelectedItem(HTREEITEM item) const;
    UINT GetSelectedCount() const;
    void GetSelectedList(std::vector<HTREEITEM>& list) const;
    void SelectAll(int select = 1);
    void ClearSelection();
    void SelectRange(HTREEITEM a, HTREEITEM b, int exclusive = 1);
    BOOL SelectChildren(HTREEITEM item, int select = 1, int recurse = 1);
    BOOL IsSelected(HTREEITEM item) const { return (CTreeCtrl::GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED) != 0; }
    HTREEITEM GetFocusedItem() const { return GetSelectedItem(); }

    using CTreeCtrl::GetNextItem;
    // Depth first: the first child, else the next sibling, else the next sibling of the nearest
    // ancestor that has one, never climbing past `stop`.
    HTREEITEM GetNextItem(HTREEITEM item, HTREEITEM stop) const;
    HTREEITEM GetPrevItem(HTREEITEM item) const;
    HTREEITEM GetLastItem(HTREEITEM item) const;
    int GetChildItemCount(HTREEITEM item) const;
    HTREEITEM FindItem(const CString& text, int length, HTREEITEM start = nullptr) const;
    HTREEITEM FindItemWithDirection(const CString& text, int backwards, HTREEITEM start) const;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    static constexpr UINT kBandTimer = 1;

private:
    // Raw state changes, without notifications.
    void SetSelectedRaw(HTREEITEM item, bool selected);
    // Asks the parent and changes one item's selection; false when the parent refused.
    bool ChangeSelection(HTREEITEM item, bool selected);
    LRESULT SendTreeNotify(UINT code, HTREEITEM item, bool asNew, POINT point = {});
    void SendClickNotify(bool right);
    HTREEITEM NextVisible(HTREEITEM item) const { return CTreeCtrl::GetNextItem(item, TVGN_NEXTVISIBLE); }
    HTREEITEM FirstVisible() const { return CTreeCtrl::GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    // Visible items from the top, in order.
    std::vector<HTREEITEM> VisibleItems() const;

    void OnButtonDown(bool right, UINT flags, CPoint point);
    void PreSelect(bool right, UINT flags, HTREEITEM item);
    // False when the window went away meanwhile.
    bool ClickOrDrag(bool right, UINT flags, HTREEITEM item, CPoint point);
    void RubberBand(bool right, UINT flags, CPoint point);
    void UpdateBand(const CRect& band, UINT flags, const std::vector<HTREEITEM>& remembered);

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);

    int m_bMulti { 0 };
    HTREEITEM m_hSelectAnchor { nullptr };
    int m_bEmulated { 0 };
    int m_bBandingHit { 0 };
};
