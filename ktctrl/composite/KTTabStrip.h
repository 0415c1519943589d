// KTTabStrip: what the flat (horizontal) and side (vertical) tab strips share: the items, the
// current item and highlights, scrolling with the scroll buttons, hit testing, the mouse
// (clicks, auto-repeat, dragging to move or copy), label editing, tooltips and the
// notifications to the parent. The strips themselves lay the tabs out along their own axis and
// paint them. Internal to the library: programs use KTFlatTab and KTSideTab.
//
// Every notification is sent while the strip is in a consistent state, and nothing held from
// before a notification (an item, an index) is used after it without being looked up again:
// the parent may add, delete or move items, or destroy the strip, while it handles one.
#pragma once

#include "ktctrl/composite/TabNotifyInfo.h"
#include "ktutil/KTWinTheme.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/CRgn.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ToolTipCtrl.h"

#include <memory>
#include <vector>

// One tab of a strip.
class KTTabStripItem
{
public:
    KTTabStripItem() = default;
    KTTabStripItem(LPCTSTR text, DWORD data) : m_strText(text ? text : ""), m_dwData(data) {}
    virtual ~KTTabStripItem() = default;
    // Copies text, data, flags, both rectangles and the image; the shape is rebuilt by layout.
    KTTabStripItem(const KTTabStripItem& other) { *this = other; }
    KTTabStripItem& operator=(const KTTabStripItem& other);

    CString m_strText;
    CString m_strTooltip;
    DWORD m_dwData { 0 };
    CRect m_rcTab { 0, 0, 0, 0 };
    CRect m_rcText { 0, 0, 0, 0 };
    CRgn m_rgn;
    std::vector<POINT> m_outline;
    std::vector<POINT> m_bevel;
    int m_nShape { 3 };
    BOOL m_bVisible { TRUE };
    BOOL m_bCurrent { FALSE };
    BOOL m_bDisabled { FALSE };
    BOOL m_bHighlighted { FALSE };
    BOOL m_bHighlightChanged { FALSE };
    int m_nImage { -1 };
    // Layout along the strip, before scrolling.
    int m_nStart { 0 };
    int m_nLength { 0 };
};

class KTTabStrip : public CWnd
{
public:
    enum BTNSTATUS { BTN_HIDDEN = 0, BTN_NORMAL = 1, BTN_HOT = 2, BTN_PRESSED = 3 };
    enum LayoutKind {
        LAYOUT_BACK = 0, LAYOUT_FORWARD = 1, LAYOUT_SHOW = 2, LAYOUT_VALIDATE = 3, LAYOUT_FIRST = 4,
        LAYOUT_LAST = 5, LAYOUT_EDIT = 6
    };
    static constexpr UINT WM_THEMECHANGED_KT = WM_USER + 1000;
    static constexpr UINT_PTR kRepeatTimer = 1;
    static constexpr UINT_PTR kDragTimer = 2;
    static constexpr UINT kLabelEditId = 1;

    ~KTTabStrip() override;

    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void PreSubclassWindow() override;

    // ---- items ----
    int InsertItem(int index, LPCTSTR text, int image = -1, long data = 0);
    int DeleteItem(int index);
    void DeleteAllItems();
    int MoveItem(int from, int to) { return MoveItem(from, to, FALSE); }
    int CopyItem(int from, int to) { return CopyItem(from, to, FALSE); }
    BOOL SetItemText(int index, LPCTSTR text);
    BOOL SetItemData(int index, DWORD data);
    int SetItemTooltipText(int index, LPCTSTR text);
    CString GetItemText(int index) const;
    DWORD GetItemData(int index) const;
    BOOL GetItemRect(int index, LPRECT rect) const;
    CRect GetItemTextRect(int index) const;
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    BOOL IsItemHighlighted(int index) const;
    BOOL IsItemEnabled(int index) const;
    BOOL IsItemVisible(int index) const;
    int EnableItem(int index, BOOL enable, BOOL redraw = TRUE);

    // ---- selection ----
    int SetCurSel(int index);
    int GetCurSel() const { return m_nCurrent; }
    int HighlightItem(int index, BOOL highlight);
    int HitTest(CPoint point) const;
    int EditLabel(int index);
    BOOL IsEditing() const { return m_edit.GetSafeHwnd() != nullptr; }
    CEdit* GetLabelEdit() { return &m_edit; }
    // Ends an open label edit: accepted (the parent may refuse through KTTAB_LABELEDIT) or
    // cancelled (the old text comes back). FALSE when the edit stays open.
    BOOL EndLabelEdit(BOOL accept);

    // ---- scrolling ----
    int GetFirstVisible() const { return m_nFirst; }
    int GetButtonState(int hitCode) const;
    BOOL ButtonsShown() const { return m_bButtons; }
    CRect GetButtonRect(int hitCode) const;
    void RecalcLayout(int kind, int index = 0);

    // ---- appearance ----
    void SetFont(CFont& font, BOOL redraw = TRUE);
    void SetFont(const LOGFONT& font, BOOL redraw = TRUE);
    void DefaultFont(BOOL redraw = TRUE);
    void SetImageList(CImageList* images) { m_pImages = images; Invalidate(FALSE); }
    void SetDragCursors(HICON move, HICON copy);
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    void Invalidate(BOOL erase = TRUE);
    CToolTipCtrl* GetToolTip() { return m_tooltip.GetSafeHwnd() ? &m_tooltip : nullptr; }
    // Whether the scroll buttons are drawn in the desktop's visual style.
    BOOL IsThemed() const { return m_theme.IsThemeOpen(); }

    BOOL PreTranslateMessage(MSG* msg) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    explicit KTTabStrip(LPCTSTR className);

    // ---- what each strip defines ----
    virtual std::unique_ptr<KTTabStripItem> NewItem(LPCTSTR text, DWORD data) const = 0;
    // The size across the strip (height of the flat strip, width of the side strip) and along it.
    virtual int Across() const = 0;
    virtual int ClientLength() const = 0;
    // The length of a tab whose text is `textExtent` long.
    virtual int TabLength(int textExtent) const = 0;
    // Where the next tab starts after one at `start` of `length`.
    virtual int NextStart(int start, int length) const = 0;
    // A tab's rectangle and text rectangle for a span along the strip (already scrolled).
    virtual CRect TabRect(int start, int length) const = 0;
    virtual CRect TextRect(const CRect& tab) const = 0;
    // The scroll buttons: the rectangle of button slot `slot` and the length of `n` buttons.
    virtual CRect ButtonSlotRect(int slot) const = 0;
    virtual int ButtonAreaLength(int n) const = 0;
    virtual void BuildShape(KTTabStripItem& item, int kind) = 0;
    virtual void PaintStrip(CDC& dc) = 0;
    // The coordinate along the strip of a point, from the leading edge.
    virtual int Along(CPoint point) const = 0;
    virtual int AlongOf(const CRect& rect, bool end) const = 0;
    // The text's extent along the strip.
    virtual int TextExtent(CDC& dc, const CString& text) const = 0;

    // ---- helpers for the strips ----
    KTTabStripItem* Item(int index) const;
    int ButtonCount() const { return (GetStyle() & KTTAB_FOURBUTTONS) ? 4 : 2; }
    int ButtonHitCode(int slot) const;
    void RecalcRectangles();
    void RecalcOffset();
    BOOL LastFullyVisible() const;
    void RefreshTooltips();
    // Sends `code` about item `index` (or a hit code below 0); FALSE when the strip was
    // destroyed while the parent handled it. `answer` gets the parent's result.
    BOOL Notify(UINT code, int index, CPoint point = CPoint(0, 0), LRESULT* answer = nullptr);
    BOOL NotifyHighlightChanges();
    void ClearHighlightChanges();
    void SetHighlight(KTTabStripItem& item, BOOL highlight);
    void MakeCurrent(int index, BOOL fromMouse);
    int MoveItem(int from, int to, BOOL notify);
    int CopyItem(int from, int to, BOOL notify);
    CString CopyName(const CString& text) const;
    void ScrollStep(int hitCode);
    void EndDrag();
    BOOL CtrlDown() const;
    void DrawGlyph(CDC& dc, const CRect& rect, int glyph, COLORREF colour) const;
    void DrawScrollButtons(CDC& dc);
    void PlaceLabelEdit();

    // ---- messages ----
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    void OnTimer(UINT_PTR id);
    void OnLabelUpdate();
    LRESULT OnThemeChanged(WPARAM, LPARAM);

    // The label edit: Enter accepts, Escape cancels, losing the focus accepts.
    class LabelEdit : public CEdit
    {
    public:
        KTTabStrip* m_pStrip { nullptr };
        static const platform::MessageMap* GetThisMessageMap();
        const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
        void OnKeyDown(UINT key, UINT repeat, UINT flags);
        void OnKillFocus(CWnd* newFocus);
        UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    };

    LPCTSTR m_className;
    std::vector<std::unique_ptr<KTTabStripItem>> m_items;
    int m_nCurrent { -1 };
    int m_nFirst { 0 };
    int m_nPress { KTTAB_HIT_NOWHERE };
    int m_nDrop { -1 };
    BOOL m_bDragging { FALSE };
    BOOL m_bDragCopy { FALSE };
    CFont m_font;
    CFont m_fontBold;
    HICON m_hMoveCursor { nullptr };
    HICON m_hCopyCursor { nullptr };
    int m_btnState[4] { BTN_HIDDEN, BTN_HIDDEN, BTN_HIDDEN, BTN_HIDDEN };
    BOOL m_bButtons { FALSE };
    CToolTipCtrl m_tooltip;
    CString m_buttonTips[4];
    std::vector<UINT_PTR> m_tools;
    LabelEdit m_edit;
    int m_nEditItem { -1 };
    CString m_strEditOld;
    BOOL m_bEditClosing { FALSE };
    CImageList* m_pImages { nullptr };
    DWORD m_dwLastStep { 0 };
    BOOL m_bTracking { FALSE };
    BOOL m_bLayoutReady { FALSE };
    // The side strip's buttons point up and down: its glyphs are drawn transposed.
    BOOL m_bVerticalGlyphs { FALSE };
    // The desktop's arrow buttons (theme class "SPIN") when a visual style draws them.
    KTWinTheme m_theme;

    // Four 8 x 7 glyphs (first, previous, next, last) side by side, one row of 32 bits per line.
    static const DWORD s_GlyphBits[7];
};
