// KTGrid: a spreadsheet-like grid of text cells. The first rows and columns may be fixed
// (headings that do not scroll). Each cell has its own text, format, image, colours, font,
// state bits and a caller value. The grid draws itself off screen, selects by mouse and keys,
// edits a cell in place, cuts, copies and pastes as tab-separated text, drags its selection to
// another grid (or itself) and takes drops, prints over as many pages as its rows need and saves
// and loads comma-separated files.
//
// Sizes and scroll positions are pixels. The owner (or the parent) hears of focus changes and
// edits through WM_NOTIFY with a GridNotifyInfo.
#pragma once

#include "ktctrl/grid/KTGridCell.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CImageList.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/controls/DragDrop.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class CDC;
class KTGridDropTarget;
class KTTitleTip;

constexpr UINT GVL_NONE = 0;
constexpr UINT GVL_HORZ = 1;
constexpr UINT GVL_VERT = 2;
constexpr UINT GVL_BOTH = 3;

// Grid notification codes (WM_NOTIFY code of a GridNotifyInfo).
constexpr UINT GVN_ITEMCHANGING = static_cast<UINT>(-100);
constexpr UINT GVN_ITEMCHANGED = static_cast<UINT>(-101);
constexpr UINT GVN_BEGINLABELEDIT = static_cast<UINT>(-105);
constexpr UINT GVN_ENDLABELEDIT = static_cast<UINT>(-106);
constexpr UINT GVN_BEGINDRAG = static_cast<UINT>(-109);

// The in-place edit's control id.
constexpr UINT IDC_INPLACE_EDIT = 8;

// Mouse modes.
enum
{
    MOUSE_NOTHING = 0,
    MOUSE_SELECT_ALL = 1,
    MOUSE_SELECT_COL = 2,
    MOUSE_SELECT_ROW = 3,
    MOUSE_SELECT_CELLS = 4,
    MOUSE_OVER_ROW_DIVIDE = 6,
    MOUSE_SIZING_ROW = 7,
    MOUSE_OVER_COL_DIVIDE = 8,
    MOUSE_SIZING_COL = 9,
    MOUSE_PREPARE_EDIT = 10,
    MOUSE_PREPARE_DRAG = 11,
    MOUSE_DRAGGING = 12,
};

class KTGrid : public CWnd
{
public:
    using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

    explicit KTGrid(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~KTGrid() override;

    BOOL Create(const RECT& rect, CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    BOOL SubclassWindow(HWND hwnd);
    static BOOL RegisterWindowClass();

    // ---- counts and structure ----
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows = 10);
    BOOL SetColumnCount(int nCols = 10);
    BOOL SetFixedRowCount(int nFixedRows = 1);
    BOOL SetFixedColumnCount(int nFixedCols = 1);
    int InsertRow(const char* heading, int before = -1);
    int InsertColumn(const char* heading, UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int before = -1);
    BOOL DeleteRow(int row);
    BOOL DeleteColumn(int col);
    BOOL DeleteNonFixedRows();
    BOOL DeleteAllItems();
    BOOL SortTextItems(int col, BOOL ascending);
    BOOL SortItems(PFNLVCOMPARE compare, int col, BOOL ascending, LPARAM data = 0);

    // ---- colours and flags ----
    void SetTextColor(COLORREF c) { m_crTextColour = c; }
    COLORREF GetTextColor() const { return m_crTextColour; }
    void SetTextBkColor(COLORREF c) { m_crTextBkColour = c; }
    COLORREF GetTextBkColor() const { return m_crTextBkColour; }
    void SetBkColor(COLORREF c) { m_crBkColour = c; }
    COLORREF GetBkColor() const { return m_crBkColour; }
    void SetFixedTextColor(COLORREF c) { m_crFixedTextColour = c; }
    COLORREF GetFixedTextColor() const { return m_crFixedTextColour; }
    void SetFixedBkColor(COLORREF c) { m_crFixedBkColour = c; }
    COLORREF GetFixedBkColor() const { return m_crFixedBkColour; }
    void SetGridColor(COLORREF c) { m_crGridColour = c; }
    COLORREF GetGridColor() const { return m_crGridColour; }
    void SetGridLines(int lines)
    {
        m_nGridLines = lines;
        if (GetSafeHwnd())
            Invalidate();
    }
    int GetGridLines() const { return m_nGridLines; }
    void SetEditable(BOOL b = TRUE) { m_bEditable = b; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetListMode(BOOL b = TRUE) { m_bListMode = b; }
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL b = TRUE) { m_bSingleRowSelection = b; }
    BOOL GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void EnableSelection(BOOL b = TRUE)
    {
        ResetSelectedRange();
        m_bEnableSelection = b;
        ResetSelectedRange();
    }
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void EnableDragAndDrop(BOOL b = TRUE) { m_bAllowDragAndDrop = b; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetRowResize(BOOL b = TRUE) { m_bAllowRowResize = b; }
    BOOL GetRowResize() const { return m_bAllowRowResize; }
    void SetColumnResize(BOOL b = TRUE) { m_bAllowColumnResize = b; }
    BOOL GetColumnResize() const { return m_bAllowColumnResize; }
    void SetHeaderSort(BOOL b = TRUE) { m_bSortOnClick = b; }
    BOOL GetHeaderSort() const { return m_bSortOnClick; }
    void SetHandleTabKey(BOOL b = TRUE) { m_bHandleTabKey = b; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(BOOL b = TRUE) { m_bDoubleBuffer = b; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(BOOL b = TRUE) { m_bTitleTips = b; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void SetImageList(CImageList* list) { m_pImageList = list; }
    CImageList* GetImageList() const { return m_pImageList; }
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    KTCellID GetFocusCell() const { return m_idCurrentCell; }
    int GetMouseMode() const { return m_MouseMode; }
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL GetSortAscending() const { return m_bAscending; }

    // ---- cells ----
    virtual CString GetItemText(int row, int col);
    BOOL SetItemText(int row, int col, const char* text);
    BOOL SetItemData(int row, int col, LPARAM data);
    LPARAM GetItemData(int row, int col) const;
    BOOL SetItemImage(int row, int col, int image);
    int GetItemImage(int row, int col) const;
    BOOL SetItemState(int row, int col, UINT state);
    UINT GetItemState(int row, int col) const;
    BOOL SetItemFormat(int row, int col, UINT format);
    UINT GetItemFormat(int row, int col) const;
    BOOL SetItemBkColour(int row, int col, COLORREF c = CLR_GRID_DEFAULT);
    COLORREF GetItemBkColour(int row, int col) const;
    BOOL SetItemFgColour(int row, int col, COLORREF c = CLR_GRID_DEFAULT);
    COLORREF GetItemFgColour(int row, int col) const;
    BOOL SetItemFont(int row, int col, const LOGFONT* font);
    const LOGFONT* GetItemFont(int row, int col) const;
    BOOL SetItem(const GV_ITEM* item);
    BOOL GetItem(GV_ITEM* item);

    // ---- sizes ----
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    BOOL SetRowHeight(int row, int height);
    BOOL SetColumnWidth(int col, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualHeight() const;
    long GetVirtualWidth() const;
    BOOL AutoSizeRow(int row);
    BOOL AutoSizeColumn(int col);
    void AutoSizeRows();
    void AutoSizeColumns();
    void AutoSize();
    void ExpandColumnsToFit();
    void ExpandRowsToFit();
    void ExpandToFit();
    CSize GetTextExtent(const char* text, BOOL bold = TRUE);
    virtual CSize GetCellExtent(int row, int col, CDC* dc);

    // ---- geometry ----
    BOOL IsValid(int row, int col) const { return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols; }
    BOOL IsValid(const KTCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const KTCellRange& range) const;
    BOOL IsCellFixed(int row, int col) const { return row < m_nFixedRows || col < m_nFixedCols; }
    BOOL IsCellEditable(int row, int col) const;
    BOOL IsCellVisible(int row, int col);
    BOOL IsCellVisible(KTCellID cell) { return IsCellVisible(cell.row, cell.col); }
    BOOL GetCellOrigin(int row, int col, LPPOINT p);
    BOOL GetCellRect(int row, int col, LPRECT rect);
    BOOL GetCellRect(const KTCellID& cell, LPRECT rect) { return GetCellRect(cell.row, cell.col, rect); }
    BOOL GetTextRect(int row, int col, LPRECT rect);
    KTCellRange GetCellRange() const { return { 0, 0, m_nRows - 1, m_nCols - 1 }; }
    KTCellID GetCellFromPt(CPoint point, BOOL allowFixed = TRUE);
    KTCellID GetTopleftNonFixedCell();
    KTCellRange GetVisibleNonFixedCellRange(LPRECT rect = nullptr);
    KTCellRange GetUnobstructedNonFixedCellRange();
    BOOL GetCellRangeRect(const KTCellRange& range, LPRECT rect);
    void EnsureVisible(int row, int col);
    void EnsureVisible(const KTCellID& cell) { EnsureVisible(cell.row, cell.col); }
    void SetModified(BOOL modified = TRUE, int row = -1, int col = -1);
    BOOL GetModified(int row = -1, int col = -1) const;
    KTCellID GetNextItem(const KTCellID& cell, int flags) const;

    // ---- selection ----
    void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRedraw = FALSE);
    void SetSelectedRange(const KTCellRange& range, BOOL forceRedraw = FALSE)
    {
        SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), forceRedraw);
    }
    KTCellRange GetSelectedCellRange() const;
    int GetSelectedRow() const { return GetSelectedCellRange().GetMaxRow(); }
    int GetSelectedCol() const { return GetSelectedCellRange().GetMaxCol(); }
    KTCellID SetFocusCell(int row, int col) { return SetFocusCell(KTCellID(row, col)); }
    KTCellID SetFocusCell(KTCellID cell);

    // ---- drawing ----
    BOOL RedrawCell(int row, int col, CDC* dc = nullptr);
    BOOL RedrawCell(const KTCellID& cell, CDC* dc = nullptr) { return RedrawCell(cell.row, cell.col, dc); }
    BOOL RedrawRow(int row);
    BOOL RedrawColumn(int col);
    void SetRedraw(BOOL allow, BOOL resetScrollBars = FALSE);
    virtual void OnDraw(CDC* dc);
    virtual BOOL DrawFixedCell(CDC* dc, int row, int col, CRect rect, BOOL eraseBk = FALSE);
    virtual BOOL DrawCell(CDC* dc, int row, int col, CRect rect, BOOL eraseBk = FALSE);

    // ---- clipboard and files ----
    virtual void CutSelectedText();
    // The copied text of the selected range; false when the range is not valid.
    virtual BOOL CopyTextFromGrid(CString& text);
    virtual BOOL PasteTextToGrid(KTCellID cell, const CString& text);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void SelectAllCells();
    BOOL CanCopy() const;
    BOOL CanCut() const { return CanCopy() && m_bEditable; }
    BOOL CanPaste() const;
    // The command states of the four edit commands, for the framework's menus and toolbars.
    void OnUpdateEditCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(CanCopy()); }
    void OnUpdateEditCut(CCmdUI* pCmdUI) { pCmdUI->Enable(CanCut()); }
    void OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(CanPaste()); }
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnableSelection); }
    BOOL Save(const char* path);
    BOOL Load(const char* path);

    // ---- drag and drop ----
    // Drags the selection (from a press on a selected cell); a move empties the source cells
    // once the drop has taken them.
    void OnBeginDrag();
    DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    void OnDragLeave();
    BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);
    // Scrolls a line toward an edge of the cells while a drag rests near it.
    void DragScroll(CPoint point);
    // The focus cell as a picture (one masked image, the text background as mask colour); the
    // caller owns it. Null when the cell has no rectangle.
    virtual CImageList* CreateDragImage(CPoint* size);

    // ---- printing ----
    // Prints through the print dialog; PrintTo prints on a device context made by the caller
    // (document and pages started and ended here).
    void Print();
    BOOL PrintTo(CDC* dc);
    int GetPrintPageCount() const { return m_nPrintPages; }
    virtual void OnBeginPrinting(CDC* dc);
    virtual void OnPrint(CDC* dc, int page);
    virtual void OnEndPrinting(CDC* dc);
    virtual void PrintColumnHeadings(CDC* dc);
    void PrintCellLines(CDC* dc, const CRect& rect, int row, int col, int verticalTop);
    virtual void PrintHeader(CDC* dc, CRect rect);
    virtual void PrintFooter(CDC* dc, CRect rect, int page);

    // ---- editing ----
    virtual void OnEditCell(int row, int col, UINT firstChar);
    virtual void OnEndEditCell(int row, int col, CString text);
    virtual void CreateInPlaceEditControl(CRect& rect, DWORD style, UINT id, int row, int col, const char* text, int firstChar);

    BOOL PreTranslateMessage(MSG* msg) override;
    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    virtual KTGridCell* CreateCell(int row, int col);
    virtual void EmptyCell(KTGridCell* cell, int row, int col);
    KTGridCell* GetCell(int row, int col) const;
    BOOL SetCell(int row, int col, KTGridCell* cell);
    int SetMouseMode(int mode)
    {
        int old = m_MouseMode;
        m_MouseMode = mode;
        return old;
    }
    void ResetSelectedRange();
    void ResetScrollBars();
    BOOL InvalidateCellRect(const KTCellID& cell);
    BOOL InvalidateCellRect(const KTCellRange& range);
    void EraseBkgnd(CDC* dc);
    LRESULT SendMessageToParent(int row, int col, int code);

    void SelectColumns(KTCellID cell);
    void SelectRows(KTCellID cell);
    void SelectCells(KTCellID cell);
    void OnSelecting(const KTCellID& cell);
    virtual void OnFixedRowClick(KTCellID& cell);
    virtual void OnFixedColumnClick(KTCellID& cell);
    BOOL MouseOverRowResizeArea(CPoint& point);
    BOOL MouseOverColumnResizeArea(CPoint& point);
    int GetScrollPos32(int bar) const { return bar == SB_HORZ ? m_nHScrollPos : m_nVScrollPos; }
    void SetScrollPos32(int bar, int pos);

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PreSubclassWindow() override;

private:
    void RegisterDropTarget();
    friend class KTGridDropTarget;
    void SetDefaults();
    void ApplyFont(const LOGFONT& font);
    void DeleteCells(int row);
    void ReorderRows(const std::vector<int>& order);
    void DrawGridLine(CDC* dc, int x1, int y1, int x2, int y2);
    void DrawCellBody(CDC* dc, const KTGridCell* cell, CRect rect, COLORREF text, BOOL fixedFocus);
    int RowTop(int row);   // y of a row counted from the first non-fixed row's origin (no scroll)
    int ColumnLeft(int col);
    void Keys(UINT key);
    void InvertBar(int at, bool vertical);
    void ScrollLines(int bar, int code, int trackPos = 0, bool takeFocus = true);
    void UpdateSystemColours();
    int PrintRowsOnPage(int page, int& first) const;

    LRESULT OnPaintMsg(WPARAM, LPARAM);
    LRESULT OnEraseBkgndMsg(WPARAM, LPARAM) { return 1; }
    LRESULT OnSetFontMsg(WPARAM, LPARAM);
    LRESULT OnGetFontMsg(WPARAM, LPARAM);
    LRESULT OnSizeMsg(WPARAM, LPARAM);
    LRESULT OnLButtonDownMsg(WPARAM, LPARAM);
    LRESULT OnLButtonUpMsg(WPARAM, LPARAM);
    LRESULT OnLButtonDblClkMsg(WPARAM, LPARAM);
    LRESULT OnMouseMoveMsg(WPARAM, LPARAM);
    LRESULT OnMouseWheelMsg(WPARAM, LPARAM);
    LRESULT OnTimerMsg(WPARAM, LPARAM);
    LRESULT OnCaptureChangedMsg(WPARAM, LPARAM);
    LRESULT OnSetCursorMsg(WPARAM, LPARAM);
    LRESULT OnHScrollMsg(WPARAM, LPARAM);
    LRESULT OnVScrollMsg(WPARAM, LPARAM);
    LRESULT OnKeyDownMsg(WPARAM, LPARAM);
    LRESULT OnCharMsg(WPARAM, LPARAM);
    LRESULT OnGetDlgCodeMsg(WPARAM, LPARAM);
    LRESULT OnSysColorChangeMsg(WPARAM, LPARAM);
    LRESULT OnContinueEditMsg(WPARAM, LPARAM);

    COLORREF m_crTextColour {}, m_crTextBkColour {}, m_crBkColour {}, m_crFixedTextColour {}, m_crFixedBkColour {},
        m_crGridColour {};
    COLORREF m_crWindowText {}, m_crWindowColour {}, m_cr3DFace {}, m_crShadow {};
    int m_nGridLines { GVL_BOTH };
    BOOL m_bEditable { 1 }, m_bModified { 0 }, m_bListMode { 0 }, m_bAllowDragAndDrop { 0 }, m_bSingleRowSelection { 0 },
        m_bAllowDraw { 1 }, m_bEnableSelection { 1 }, m_bAllowRowResize { 1 }, m_bAllowColumnResize { 1 },
        m_bSortOnClick { 1 }, m_bHandleTabKey { 1 }, m_bDoubleBuffer { 1 }, m_bTitleTips { 1 }, m_bAscending { 1 };
    int m_nSortColumn { -1 };
    int m_nRows { 0 }, m_nFixedRows { 0 }, m_nCols { 0 }, m_nFixedCols { 0 };
    std::vector<UINT> m_arRowHeights, m_arColWidths;
    int m_nDefCellHeight { 10 }, m_nDefCellWidth { 30 }, m_nMargin { 0 };
    int m_nVScrollMax { 0 }, m_nHScrollMax { 0 }, m_nVScrollPos { 0 }, m_nHScrollPos { 0 };
    LOGFONT m_Logfont {};
    CFont m_Font;
    std::vector<std::vector<KTGridCell*>> m_RowData;
    std::unordered_map<std::uint64_t, KTCellID> m_SelectedCellMap, m_PrevSelectedCellMap;
    KTCellID m_LeftClickDownCell, m_SelectionStartCell, m_idCurrentCell, m_idLastDragOverCell;
    CPoint m_LeftClickDownPoint, m_LastMousePoint;
    int m_MouseMode { MOUSE_NOTHING };
    UINT_PTR m_nTimerID { 0 };
    int m_nTimerInterval { 25 };
    int m_nResizeCaptureRange { 3 };
    int m_nRowsPerWheelNotch { 3 };
    int m_nSizingIndex { -1 };
    CImageList* m_pImageList { nullptr };
    std::unique_ptr<KTTitleTip> m_pTitleTip;
    std::unique_ptr<KTGridDropTarget> m_pDropTarget;
    // A drag resting near an edge scrolls once this tick has come (armed when it arrives there).
    bool m_bDragScrollArmed { false };
    DWORD m_dwDragScrollDue { 0 };
    bool m_bInSize { false };
    // Printing state.
    CFont m_PrinterFont;
    CSize m_CharSize;
    int m_nPageWidth { 0 }, m_nPageHeight { 0 }, m_nPageBody { 0 }, m_nPrintPages { 0 };
    int m_nPrintResX { 300 }, m_nPrintResY { 300 };
    // Where the top-left non-fixed cell was last found, so that scrolling walks from there.
    struct TopLeftCache
    {
        int pos { -1 }, row { -1 }, start { 0 };
    } m_vCache, m_hCache;
    void ForgetLayout() { m_vCache = {}; m_hCache = {}; }
};

// Subclasses the dialog's control `id` with the grid when it has no window yet.
void DDX_GridControl(class CDataExchange* dx, int id, KTGrid& grid);
