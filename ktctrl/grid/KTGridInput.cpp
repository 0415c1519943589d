// How the user moves through the grid: focus, selection, mouse, keys, scrolling, and the
// in-place edit with its notifications to the owner.
#include "ktctrl/grid/KTGrid.h"

#include "ktctrl/grid/KTTitleTip.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/Cursor.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/msg/Input.h"
#include "platform/msg/ScrollInfo.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/framework/FrameworkIds.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kAutoScrollTimer = 513;
// Posted to itself when an edit ended with a key that moves on to the next cell.
constexpr UINT kContinueEdit = WM_USER + 0x7E0;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The edit laid over a cell while it is edited. It reports the end to the grid and deletes
// itself when its window goes.
class KTInPlaceEdit : public CEdit
{
public:
    KTInPlaceEdit(CWnd* grid, CRect& rect, DWORD style, UINT id, int row, int col, const CString& text, UINT firstChar)
        : m_nRow(row), m_nCol(col), m_sInitText(text), m_bExitOnArrows(firstChar != VK_LBUTTON), m_Rect(rect)
    {
        m_pGrid = grid;
        if (!Create(style | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, grid, id))
            return;
        SendMessage(WM_SETFONT, grid->SendMessage(WM_GETFONT), 0);
        SetWindowText(text);
        SetFocus();
        const int length = text.GetLength();
        switch (firstChar) {
        case VK_LBUTTON:
        case VK_RETURN:
            SetSel(length, -1);
            break;
        case VK_BACK:
            SetSel(length, -1);
            SendMessage(WM_CHAR, VK_BACK, 0);
            break;
        case VK_TAB: case VK_SPACE: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
            SetSel(0, -1);
            break;
        default:
            SetSel(0, -1);
            SendMessage(WM_CHAR, firstChar, 0);
            break;
        }
    }

    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static const platform::MessageMapEntry kEntries[] = {
            RegisteredMessage<&KTInPlaceEdit::OnKeyDownMsg>(WM_KEYDOWN),
            RegisteredMessage<&KTInPlaceEdit::OnCharMsg>(WM_CHAR),
            RegisteredMessage<&KTInPlaceEdit::OnKillFocusMsg>(WM_KILLFOCUS),
            RegisteredMessage<&KTInPlaceEdit::OnGetDlgCodeMsg>(WM_GETDLGCODE),
        };
        static const platform::MessageMap kMap { &CEdit::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_SYSCHAR)
            return TRUE;
        return CEdit::PreTranslateMessage(msg);
    }

protected:
    void PostNcDestroy() override { delete this; }

private:
    void EndToGrid(UINT key)
    {
        m_nLastChar = key;
        m_pGrid->SetFocus();
    }

    LRESULT OnKeyDownMsg(WPARAM w, LPARAM)
    {
        const UINT key = static_cast<UINT>(w);
        if ((key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN)
            && (m_bExitOnArrows || KeyDown(VK_CONTROL))) {
            EndToGrid(key);
            return 0;
        }
        return Default();
    }

    LRESULT OnCharMsg(WPARAM w, LPARAM)
    {
        const UINT ch = static_cast<UINT>(w);
        if (ch == VK_TAB || ch == VK_RETURN) {
            EndToGrid(ch);
            return 0;
        }
        if (ch == VK_ESCAPE) {
            SetWindowText(m_sInitText);
            EndToGrid(VK_ESCAPE);
            return 0;
        }
        LRESULT result = Default();
        // Grows to show the text, but not past the grid's right edge.
        CString text;
        GetWindowText(text);
        CDC* dc = GetDC();
        if (dc) {
            CFont* old = dc->SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))));
            const int width = dc->GetTextExtent(text + "  ").cx;
            dc->SelectObject(old);
            ReleaseDC(dc);
            CRect gridClient;
            m_pGrid->GetClientRect(&gridClient);
            if (width > m_Rect.Width()) {
                m_Rect.right = std::min<int>(m_Rect.left + width, gridClient.right);
                MoveWindow(&m_Rect);
            }
        }
        return result;
    }

    LRESULT OnKillFocusMsg(WPARAM, LPARAM)
    {
        LRESULT result = Default();
        if (m_bEnded)
            return result;
        m_bEnded = true;
        CString text;
        GetWindowText(text);
        GV_DISPINFO info {};
        info.hdr.hwndFrom = GetSafeHwnd();
        info.hdr.idFrom = GetDlgCtrlID();
        info.hdr.code = GVN_ENDLABELEDIT;
        info.item.mask = GVIF_TEXT | GVIF_PARAM;
        info.item.row = m_nRow;
        info.item.col = m_nCol;
        info.item.szText = text;
        info.item.lParam = m_nLastChar;
        CWnd* owner = GetOwner() ? GetOwner() : GetParent();
        if (owner)
            owner->SendMessage(WM_NOTIFY, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&info));
        PostMessage(WM_CLOSE);
        return result;
    }

    LRESULT OnGetDlgCodeMsg(WPARAM, LPARAM) { return DLGC_WANTALLKEYS; }

    CWnd* m_pGrid { nullptr };
    int m_nRow;
    int m_nCol;
    CString m_sInitText;
    UINT m_nLastChar { 0 };
    BOOL m_bExitOnArrows;
    CRect m_Rect;
    bool m_bEnded { false };
};

} // namespace

// ---- notifications ----

LRESULT KTGrid::SendMessageToParent(int row, int col, int code)
{
    if (!GetSafeHwnd())
        return 0;
    GridNotifyInfo info {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = GetDlgCtrlID();
    info.hdr.code = static_cast<UINT>(code);
    info.iRow = row;
    info.iColumn = col;
    CWnd* owner = GetOwner();
    if (!owner)
        owner = GetParent();
    if (!owner)
        return 0;
    return owner->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

// ---- focus and selection ----

KTCellID KTGrid::SetFocusCell(KTCellID cell)
{
    const KTCellID old = m_idCurrentCell;
    if (cell == old)
        return old;
    m_idCurrentCell = cell;
    if (IsValid(old)) {
        SendMessageToParent(old.row, old.col, GVN_ITEMCHANGING);
        SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~GVIS_FOCUSED);
        RedrawCell(old);
        if (old.col != cell.col)
            for (int row = 0; row < m_nFixedRows; ++row)
                RedrawCell(row, old.col);
        if (old.row != cell.row)
            for (int col = 0; col < m_nFixedCols; ++col)
                RedrawCell(old.row, col);
    }
    if (IsValid(cell)) {
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_FOCUSED);
        RedrawCell(cell);
        if (old.col != cell.col)
            for (int row = 0; row < m_nFixedRows; ++row)
                RedrawCell(row, cell.col);
        if (old.row != cell.row)
            for (int col = 0; col < m_nFixedCols; ++col)
                RedrawCell(cell.row, col);
        SendMessageToParent(cell.row, cell.col, GVN_ITEMCHANGED);
    }
    return old;
}

void KTGrid::ResetSelectedRange()
{
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}

void KTGrid::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRedraw)
{
    if (!m_bEnableSelection)
        return;
    CDC* dc = forceRedraw && GetSafeHwnd() ? GetDC() : nullptr;
    auto refresh = [&](int row, int col) {
        if (dc)
            RedrawCell(row, col, dc);
        else
            InvalidateCellRect(KTCellID(row, col));
    };
    const KTCellRange range(minRow, minCol, maxRow, maxCol);
    const bool valid = minRow >= 0 && minCol >= 0 && maxRow < m_nRows && maxCol < m_nCols && minRow <= maxRow
        && minCol <= maxCol;
    const auto selected = m_SelectedCellMap;
    for (const auto& [key, cell] : selected) {
        if (!IsValid(cell))
            continue;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_SELECTED);
        if (!valid || !range.InRange(cell.row, cell.col))
            refresh(cell.row, cell.col);
    }
    if (!m_bSingleRowSelection)
        for (const auto& [key, cell] : m_PrevSelectedCellMap) {
            if (!IsValid(cell))
                continue;
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_SELECTED);
            refresh(cell.row, cell.col);
        }
    if (valid)
        for (int row = minRow; row <= maxRow; ++row)
            for (int col = minCol; col <= maxCol; ++col) {
                const UINT state = GetItemState(row, col);
                if (!(state & GVIS_SELECTED)) {
                    SetItemState(row, col, state | GVIS_SELECTED);
                    refresh(row, col);
                }
            }
    if (dc)
        ReleaseDC(dc);
}

KTCellRange KTGrid::GetSelectedCellRange() const
{
    KTCellRange range(m_nRows, m_nCols, -1, -1);
    for (const auto& [key, cell] : m_SelectedCellMap) {
        range.SetMinRow(std::min(range.GetMinRow(), cell.row));
        range.SetMinCol(std::min(range.GetMinCol(), cell.col));
        range.SetMaxRow(std::max(range.GetMaxRow(), cell.row));
        range.SetMaxCol(std::max(range.GetMaxCol(), cell.col));
    }
    return range;
}

void KTGrid::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void KTGrid::SelectColumns(KTCellID cell)
{
    if (!m_bEnableSelection || !IsValid(cell) || cell.col < m_nFixedCols)
        return;
    SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, cell.col), m_nRows - 1,
        std::max(m_SelectionStartCell.col, cell.col));
}

void KTGrid::SelectRows(KTCellID cell)
{
    if (!m_bEnableSelection || !IsValid(cell) || cell.row < m_nFixedRows)
        return;
    if (m_bListMode && m_bSingleRowSelection)
        SetSelectedRange(cell.row, m_nFixedCols, cell.row, m_nCols - 1);
    else
        SetSelectedRange(std::min(m_SelectionStartCell.row, cell.row), m_nFixedCols,
            std::max(m_SelectionStartCell.row, cell.row), m_nCols - 1);
}

void KTGrid::SelectCells(KTCellID cell)
{
    if (!m_bEnableSelection || !IsValid(cell) || IsCellFixed(cell.row, cell.col))
        return;
    SetSelectedRange(std::min(m_SelectionStartCell.row, cell.row), std::min(m_SelectionStartCell.col, cell.col),
        std::max(m_SelectionStartCell.row, cell.row), std::max(m_SelectionStartCell.col, cell.col));
}

void KTGrid::OnSelecting(const KTCellID& cell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL: SelectAllCells(); break;
    case MOUSE_SELECT_COL: SelectColumns(cell); break;
    case MOUSE_SELECT_ROW: SelectRows(cell); break;
    case MOUSE_SELECT_CELLS: SelectCells(cell); break;
    default: break;
    }
}

void KTGrid::OnFixedRowClick(KTCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (!m_bListMode) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
        return;
    }
    OnSelecting(KTCellID());
    SetSelectedRange(-1, -1, -1, -1);
    SendMessageToParent(-1, -1, GVN_ITEMCHANGED);
    if (m_bSortOnClick) {
        if (cell.col == m_nSortColumn) {
            m_bAscending = !m_bAscending;
        } else {
            m_nSortColumn = cell.col;
            m_bAscending = TRUE;
        }
        SortTextItems(m_nSortColumn, m_bAscending);
        Invalidate();
    }
}

void KTGrid::OnFixedColumnClick(KTCellID& cell)
{
    if (!IsValid(cell))
        return;
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
}

// ---- mouse ----

BOOL KTGrid::MouseOverColumnResizeArea(CPoint& point)
{
    if (point.y >= GetFixedRowHeight())
        return FALSE;
    KTCellID cell = GetCellFromPt(point);
    CPoint origin;
    if (!GetCellOrigin(cell.row, cell.col, &origin))
        return FALSE;
    const int right = origin.x + GetColumnWidth(cell.col);
    return (cell.col > 0 && point.x - origin.x < m_nResizeCaptureRange) || right - point.x < m_nResizeCaptureRange;
}

BOOL KTGrid::MouseOverRowResizeArea(CPoint& point)
{
    if (point.x >= GetFixedColumnWidth())
        return FALSE;
    KTCellID cell = GetCellFromPt(point);
    CPoint origin;
    if (!GetCellOrigin(cell.row, cell.col, &origin))
        return FALSE;
    const int bottom = origin.y + GetRowHeight(cell.row);
    return (cell.row > 0 && point.y - origin.y < m_nResizeCaptureRange) || bottom - point.y < m_nResizeCaptureRange;
}

void KTGrid::InvertBar(int at, bool vertical)
{
    CDC* dc = GetDC();
    if (!dc)
        return;
    CRect client;
    GetClientRect(&client);
    CRect bar = vertical ? CRect(at, 0, at + 2, client.bottom) : CRect(0, at, client.right, at + 2);
    dc->InvertRect(&bar);
    ReleaseDC(dc);
}

LRESULT KTGrid::OnLButtonDownMsg(WPARAM keys, LPARAM l)
{
    CPoint point(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    const bool hadFocus = GetFocus() == this;
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = GetCellFromPt(point);
    if (!IsValid(m_LeftClickDownCell))
        return 0;
    m_SelectionStartCell = (keys & MK_SHIFT) ? m_idCurrentCell : m_LeftClickDownCell;
    SetFocus();
    if (m_LeftClickDownCell == m_idCurrentCell) {
        m_MouseMode = MOUSE_PREPARE_EDIT;
        return 0;
    }
    if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        SetFocusCell(-1, -1);
        SetFocusCell(std::max(m_LeftClickDownCell.row, m_nFixedRows), std::max(m_LeftClickDownCell.col, m_nFixedCols));
    }
    if (m_bAllowDragAndDrop && hadFocus && (GetItemState(m_LeftClickDownCell.row, m_LeftClickDownCell.col) & GVIS_SELECTED)) {
        // Held so that a quick move out of the grid still starts the drag and the release of a
        // press that never became one still comes here.
        SetCapture();
        m_MouseMode = MOUSE_PREPARE_DRAG;
        return 0;
    }
    SetCapture();
    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point))
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        else if (m_bAllowRowResize && MouseOverRowResizeArea(point))
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
    }
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        m_MouseMode = MOUSE_SIZING_COL;
        CPoint origin;
        GetCellOrigin(0, m_LeftClickDownCell.col, &origin);
        m_nSizingIndex = m_LeftClickDownCell.col;
        if (point.x - origin.x < m_nResizeCaptureRange && m_nSizingIndex > 0)
            --m_nSizingIndex;
        InvertBar(point.x, true);
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        m_MouseMode = MOUSE_SIZING_ROW;
        CPoint origin;
        GetCellOrigin(m_LeftClickDownCell.row, 0, &origin);
        m_nSizingIndex = m_LeftClickDownCell.row;
        if (point.y - origin.y < m_nResizeCaptureRange && m_nSizingIndex > 0)
            --m_nSizingIndex;
        InvertBar(point.y, false);
    } else {
        m_PrevSelectedCellMap.clear();
        if (keys & MK_CONTROL)
            m_PrevSelectedCellMap = m_SelectedCellMap;
        if (m_LeftClickDownCell.row < m_nFixedRows) {
            OnFixedRowClick(m_LeftClickDownCell);
        } else if (m_LeftClickDownCell.col < m_nFixedCols) {
            OnFixedColumnClick(m_LeftClickDownCell);
        } else {
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            OnSelecting(m_LeftClickDownCell);
        }
        m_nTimerID = SetTimer(kAutoScrollTimer, m_nTimerInterval);
    }
    m_LastMousePoint = point;
    return 0;
}

LRESULT KTGrid::OnMouseMoveMsg(WPARAM keys, LPARAM l)
{
    CPoint point(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING && m_MouseMode != MOUSE_PREPARE_DRAG
        && m_MouseMode != MOUSE_SIZING_COL && m_MouseMode != MOUSE_SIZING_ROW)
        return 0;
    if (!(keys & MK_LBUTTON) || m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point))
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        else if (m_bAllowRowResize && MouseOverRowResizeArea(point))
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        else if (m_MouseMode != MOUSE_NOTHING)
            m_MouseMode = MOUSE_NOTHING;
        if (m_MouseMode == MOUSE_NOTHING && m_bTitleTips && m_pTitleTip) {
            KTCellID cell = GetCellFromPt(point);
            CRect text, rect;
            if (IsValid(cell) && GetTextRect(cell.row, cell.col, &text) && GetCellRect(cell.row, cell.col, &rect))
                m_pTitleTip->Show(text, GetItemText(cell.row, cell.col), 0, &rect, GetItemFont(cell.row, cell.col));
        }
        m_LastMousePoint = point;
        return 0;
    }
    if (!IsValid(m_LeftClickDownCell)) {
        m_LastMousePoint = point;
        return 0;
    }
    switch (m_MouseMode) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
        KTCellID cell = GetCellFromPt(point);
        if (IsValid(cell) && cell != m_idCurrentCell) {
            OnSelecting(cell);
            if (!IsCellFixed(cell.row, cell.col))
                SetFocusCell(cell);
        }
        break;
    }
    case MOUSE_SIZING_ROW:
        InvertBar(m_LastMousePoint.y, false);
        InvertBar(point.y, false);
        break;
    case MOUSE_SIZING_COL:
        InvertBar(m_LastMousePoint.x, true);
        InvertBar(point.x, true);
        break;
    case MOUSE_PREPARE_DRAG: {
        // A press that wanders within the drag distance is still a click.
        if (std::abs(point.x - m_LeftClickDownPoint.x) > GetSystemMetrics(SM_CXDRAG)
            || std::abs(point.y - m_LeftClickDownPoint.y) > GetSystemMetrics(SM_CYDRAG)) {
            const HWND self = m_hWnd;
            OnBeginDrag();
            if (!::IsWindow(self))
                return 0;
        }
        break;
    }
    default:
        break;
    }
    m_LastMousePoint = point;
    return 0;
}

LRESULT KTGrid::OnLButtonUpMsg(WPARAM, LPARAM l)
{
    CPoint point(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    Default();
    if (GetCapture() == this) {
        ReleaseCapture();
        KillTimer(kAutoScrollTimer);
        m_nTimerID = 0;
    }
    const int mode = m_MouseMode;
    m_MouseMode = MOUSE_NOTHING;
    if (mode == MOUSE_PREPARE_EDIT) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, VK_LBUTTON);
    } else if (mode == MOUSE_PREPARE_DRAG) {
        ResetSelectedRange();
    } else if (mode == MOUSE_SIZING_COL) {
        InvertBar(m_LastMousePoint.x, true);
        CPoint origin;
        if (point != m_LeftClickDownPoint && GetCellOrigin(0, m_nSizingIndex, &origin)) {
            // A divider dragged past the column's left edge leaves it 0 wide, never less.
            SetColumnWidth(m_nSizingIndex, std::max(0, static_cast<int>(point.x - origin.x)));
            ResetScrollBars();
            Invalidate();
        }
    } else if (mode == MOUSE_SIZING_ROW) {
        InvertBar(m_LastMousePoint.y, false);
        CPoint origin;
        if (point != m_LeftClickDownPoint && GetCellOrigin(m_nSizingIndex, 0, &origin)) {
            SetRowHeight(m_nSizingIndex, std::max(0, static_cast<int>(point.y - origin.y)));
            ResetScrollBars();
            Invalidate();
        }
    }
    if (IsValid(m_LeftClickDownCell)) {
        CWnd* owner = GetOwner() ? GetOwner() : GetParent();
        if (owner)
            owner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
    }
    return 0;
}

LRESULT KTGrid::OnLButtonDblClkMsg(WPARAM, LPARAM l)
{
    CPoint point(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    // The release before a double click ended any mode; no move need come between, so the
    // divider under the point is looked for again.
    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point))
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        else if (m_bAllowRowResize && MouseOverRowResizeArea(point))
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
    }
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        KTCellID cell = GetCellFromPt(point);
        CPoint origin;
        if (GetCellOrigin(0, cell.col, &origin)) {
            int col = cell.col;
            if (point.x - origin.x < m_nResizeCaptureRange && col > 0)
                --col;
            AutoSizeColumn(col);
            Invalidate();
        }
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        KTCellID cell = GetCellFromPt(point);
        CPoint origin;
        if (GetCellOrigin(cell.row, 0, &origin)) {
            int row = cell.row;
            if (point.y - origin.y < m_nResizeCaptureRange && row > 0)
                --row;
            AutoSizeRow(row);
            Invalidate();
        }
    } else if (m_MouseMode == MOUSE_NOTHING) {
        if (IsValid(m_LeftClickDownCell) && !IsCellFixed(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
            OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, VK_LBUTTON);
        } else if (m_bListMode) {
            KTCellID cell = GetCellFromPt(point);
            if (IsValid(cell) && cell.row >= m_nFixedRows && cell.col < m_nFixedCols)
                OnEditCell(cell.row, cell.col, VK_LBUTTON);
        }
    }
    return Default();
}

LRESULT KTGrid::OnTimerMsg(WPARAM id, LPARAM)
{
    if (id != kAutoScrollTimer)
        return 0;
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    const CPoint origin = cursor;
    const int x = std::clamp<int>(origin.x, 0, client.right);
    const int y = std::clamp<int>(origin.y, 0, client.bottom);
    if (origin.y > client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        OnSelecting(GetCellFromPt(CPoint(x, client.bottom)));
    } else if (origin.y < GetFixedRowHeight()) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        OnSelecting(GetCellFromPt(CPoint(x, GetFixedRowHeight() + 1)));
    }
    if (origin.x > client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        OnSelecting(GetCellFromPt(CPoint(client.right, y)));
    } else if (origin.x < GetFixedColumnWidth()) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        OnSelecting(GetCellFromPt(CPoint(GetFixedColumnWidth() + 1, y)));
    }
    return 0;
}

LRESULT KTGrid::OnCaptureChangedMsg(WPARAM, LPARAM l)
{
    if (reinterpret_cast<HWND>(l) != m_hWnd) {
        if (m_nTimerID) {
            KillTimer(kAutoScrollTimer);
            m_nTimerID = 0;
        }
        if (m_MouseMode == MOUSE_DRAGGING)
            m_MouseMode = MOUSE_NOTHING;
    }
    return 0;
}

LRESULT KTGrid::OnSetCursorMsg(WPARAM, LPARAM l)
{
    if (LOWORD(l) != HTCLIENT)
        return Default();
    if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE || m_MouseMode == MOUSE_SIZING_ROW)
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
    else if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_SIZING_COL)
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    else if (m_MouseMode != MOUSE_DRAGGING)
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT KTGrid::OnMouseWheelMsg(WPARAM w, LPARAM)
{
    const int delta = GET_WHEEL_DELTA_WPARAM(w);
    if (m_nRowsPerWheelNotch == -1) {
        for (int notches = std::abs(delta) / 120; notches > 0; --notches)
            PostMessage(WM_VSCROLL, delta > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    } else {
        const int lines = m_nRowsPerWheelNotch * delta / 120;
        for (int i = 0; i < std::abs(lines); ++i)
            PostMessage(WM_VSCROLL, lines > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    return 0;
}

// ---- scrolling ----

void KTGrid::ScrollLines(int bar, int code, int trackPos, bool takeFocus)
{
    if (takeFocus && GetFocus() != this)
        SetFocus();
    if (m_pTitleTip)
        m_pTitleTip->Hide();
    const bool horz = bar == SB_HORZ;
    int& pos = horz ? m_nHScrollPos : m_nVScrollPos;
    CRect client;
    GetClientRect(&client);
    const int page = horz ? client.Width() - GetFixedColumnWidth() : client.Height() - GetFixedRowHeight();
    const int max = std::max(0, (horz ? m_nHScrollMax : m_nVScrollMax) - page + 1);
    const KTCellID topLeft = GetTopleftNonFixedCell();
    const int first = horz ? topLeft.col : topLeft.row;
    const int fixed = horz ? m_nFixedCols : m_nFixedRows;
    const int old = pos;
    switch (code) {
    case SB_LINEUP:
        if (pos > 0 && first > fixed)
            pos = std::max(0, pos - (horz ? GetColumnWidth(first - 1) : GetRowHeight(first - 1)));
        else
            pos = 0;
        break;
    case SB_LINEDOWN:
        if (pos < max && first >= 0)
            pos = std::min(max, pos + (horz ? GetColumnWidth(first) : GetRowHeight(first)));
        break;
    case SB_PAGEUP: pos = std::max(0, pos - page); break;
    case SB_PAGEDOWN: pos = std::min(max, pos + page); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = max; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = std::clamp(trackPos, 0, max); break;
    default: return;
    }
    if (pos != old) {
        SetScrollPos(bar, pos, TRUE);
        Invalidate();
    }
}

LRESULT KTGrid::OnHScrollMsg(WPARAM w, LPARAM)
{
    int track = static_cast<short>(HIWORD(w));
    if (LOWORD(w) == SB_THUMBTRACK || LOWORD(w) == SB_THUMBPOSITION) {
        SCROLLINFO info { sizeof(SCROLLINFO), SIF_TRACKPOS };
        if (GetScrollInfo(SB_HORZ, &info, SIF_TRACKPOS))
            track = info.nTrackPos;
    }
    ScrollLines(SB_HORZ, LOWORD(w), track);
    return 0;
}

LRESULT KTGrid::OnVScrollMsg(WPARAM w, LPARAM)
{
    int track = static_cast<short>(HIWORD(w));
    if (LOWORD(w) == SB_THUMBTRACK || LOWORD(w) == SB_THUMBPOSITION) {
        SCROLLINFO info { sizeof(SCROLLINFO), SIF_TRACKPOS };
        if (GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS))
            track = info.nTrackPos;
    }
    ScrollLines(SB_VERT, LOWORD(w), track);
    return 0;
}

LRESULT KTGrid::OnSizeMsg(WPARAM, LPARAM)
{
    if (m_bInSize)
        return 0;
    m_bInSize = true;
    Default();
    ResetScrollBars();
    m_bInSize = false;
    return 0;
}

void KTGrid::UpdateSystemColours()
{
    auto follow = [](COLORREF& working, COLORREF old, COLORREF now) {
        if (working == old)
            working = now;
    };
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), window = GetSysColor(COLOR_WINDOW);
    const COLORREF face = GetSysColor(COLOR_3DFACE), shadow = GetSysColor(COLOR_3DSHADOW);
    follow(m_crTextColour, m_crWindowText, text);
    follow(m_crFixedTextColour, m_crWindowText, text);
    follow(m_crTextBkColour, m_crWindowColour, window);
    follow(m_crBkColour, m_crShadow, shadow);
    follow(m_crFixedBkColour, m_cr3DFace, face);
    m_crWindowText = text;
    m_crWindowColour = window;
    m_cr3DFace = face;
    m_crShadow = shadow;
}

LRESULT KTGrid::OnSysColorChangeMsg(WPARAM, LPARAM)
{
    Default();
    UpdateSystemColours();
    return 0;
}

// ---- keys ----

LRESULT KTGrid::OnGetDlgCodeMsg(WPARAM, LPARAM)
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && !KeyDown(VK_CONTROL))
        code |= DLGC_WANTTAB;
    return code;
}

LRESULT KTGrid::OnKeyDownMsg(WPARAM w, LPARAM)
{
    // Keys come to the grid while its tip is up; the tip goes before the key acts.
    if (m_pTitleTip)
        m_pTitleTip->Hide();
    if (!IsValid(m_idCurrentCell))
        return Default();
    const UINT key = static_cast<UINT>(w);
    if (KeyDown(VK_CONTROL)) {
        switch (key) {
        case 'A': SelectAllCells(); return 0;
        case 'C': OnEditCopy(); return 0;
        case 'V': OnEditPaste(); return 0;
        case 'X': OnEditCut(); return 0;
        default: break;
        }
    }
    const bool shift = KeyDown(VK_SHIFT);
    KTCellID next = m_idCurrentCell;
    bool wrapped = false;
    const int firstRow = m_nFixedRows, lastRow = m_nRows - 1, firstCol = m_nFixedCols, lastCol = m_nCols - 1;
    switch (key) {
    case VK_TAB:
        if (!m_bHandleTabKey)
            return Default();
        if (shift) {
            if (next.col > firstCol) {
                --next.col;
            } else if (next.row > firstRow) {
                --next.row;
                next.col = lastCol;
                wrapped = true;
            } else {
                return Default();
            }
        } else if (next.col < lastCol) {
            ++next.col;
        } else if (next.row < lastRow) {
            ++next.row;
            next.col = firstCol;
            wrapped = true;
        } else {
            return Default();
        }
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        const int before = GetTopleftNonFixedCell().row;
        ScrollLines(SB_VERT, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
        const int moved = GetTopleftNonFixedCell().row - before;
        if (moved != 0)
            next.row = std::clamp(next.row + moved, firstRow, lastRow);
        else
            next.row = key == VK_PRIOR ? firstRow : lastRow;
        break;
    }
    case VK_END:
        ScrollLines(SB_VERT, SB_BOTTOM);
        next.row = lastRow;
        break;
    case VK_HOME:
        ScrollLines(SB_VERT, SB_TOP);
        next.row = firstRow;
        break;
    case VK_LEFT: next.col = std::max(firstCol, next.col - 1); break;
    case VK_RIGHT: next.col = std::min(lastCol, next.col + 1); break;
    case VK_UP: next.row = std::max(firstRow, next.row - 1); break;
    case VK_DOWN: next.row = std::min(lastRow, next.row + 1); break;
    case VK_DELETE:
        if (IsCellEditable(m_idCurrentCell.row, m_idCurrentCell.col)) {
            SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_BEGINLABELEDIT);
            SetItemText(m_idCurrentCell.row, m_idCurrentCell.col, "");
            SetModified(TRUE, m_idCurrentCell.row, m_idCurrentCell.col);
            SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_ENDLABELEDIT);
            RedrawCell(m_idCurrentCell);
        }
        return 0;
    default:
        return Default();
    }
    if (next != m_idCurrentCell) {
        if (m_MouseMode == MOUSE_NOTHING) {
            m_PrevSelectedCellMap.clear();
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            if (!shift || key == VK_TAB)
                m_SelectionStartCell = next;
            OnSelecting(next);
            m_MouseMode = MOUSE_NOTHING;
        }
        SetFocusCell(next);
        if (!IsCellVisible(next) || !IsCellVisible(next.row, next.col)) {
            EnsureVisible(next);
            if (key == VK_TAB && wrapped)
                SetScrollPos32(SB_HORZ, shift ? std::max(0, m_nHScrollMax) : 0);
        }
        EnsureVisible(next);
        Invalidate();
    }
    return 0;
}

LRESULT KTGrid::OnCharMsg(WPARAM w, LPARAM)
{
    const UINT ch = static_cast<UINT>(w);
    if (!KeyDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && !(ch == VK_TAB && m_bHandleTabKey))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, ch);
    return Default();
}

BOOL KTGrid::PreTranslateMessage(MSG* msg)
{
    return CWnd::PreTranslateMessage(msg);
}

// ---- in-place editing ----

void KTGrid::OnEditCell(int row, int col, UINT firstChar)
{
    EnsureVisible(row, col);
    CRect rect;
    if (!IsValid(row, col) || !IsCellEditable(row, col) || !IsCellVisible(row, col) || !GetCellRect(row, col, &rect))
        return;
    SendMessageToParent(row, col, GVN_BEGINLABELEDIT);
    const UINT format = GetItemFormat(row, col);
    const DWORD style = (format & DT_RIGHT) ? ES_RIGHT : (format & DT_CENTER) ? ES_CENTER : ES_LEFT;
    CreateInPlaceEditControl(rect, style, IDC_INPLACE_EDIT, row, col, GetItemText(row, col), firstChar);
}

void KTGrid::CreateInPlaceEditControl(CRect& rect, DWORD style, UINT id, int row, int col, const char* text, int firstChar)
{
    new KTInPlaceEdit(this, rect, style, id, row, col, text, static_cast<UINT>(firstChar));
}

void KTGrid::OnEndEditCell(int row, int col, CString text)
{
    if (text != GetItemText(row, col)) {
        SetModified(TRUE, row, col);
        SetItemText(row, col, text);
    }
}

BOOL KTGrid::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || wParam != IDC_INPLACE_EDIT || header->code != GVN_ENDLABELEDIT)
        return CWnd::OnNotify(wParam, lParam, result);
    if (result)
        *result = 0;
    if (!GetSafeHwnd())
        return TRUE;
    const GV_ITEM& item = reinterpret_cast<GV_DISPINFO*>(lParam)->item;
    OnEndEditCell(item.row, item.col, item.szText);
    InvalidateCellRect(KTCellID(item.row, item.col));
    SendMessageToParent(item.row, item.col, GVN_ENDLABELEDIT);
    const UINT key = static_cast<UINT>(item.lParam);
    switch (key) {
    case VK_TAB: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
        // Editing goes on in the next cell once the focus has settled on the grid: an edit
        // opened inside this focus change would lose the focus to the grid at once.
        PostMessage(kContinueEdit, key, 0);
        break;
    default:
        break;
    }
    return TRUE;
}

LRESULT KTGrid::OnContinueEditMsg(WPARAM key, LPARAM)
{
    OnKeyDownMsg(key, 0);
    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, static_cast<UINT>(key));
    return 0;
}

// ---- message map ----


const platform::MessageMap* KTGrid::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static const platform::MessageMapEntry kEntries[] = {
        RegisteredMessage<&KTGrid::OnPaintMsg>(WM_PAINT),
        RegisteredMessage<&KTGrid::OnEraseBkgndMsg>(WM_ERASEBKGND),
        RegisteredMessage<&KTGrid::OnSetFontMsg>(WM_SETFONT),
        RegisteredMessage<&KTGrid::OnGetFontMsg>(WM_GETFONT),
        RegisteredMessage<&KTGrid::OnSizeMsg>(WM_SIZE),
        RegisteredMessage<&KTGrid::OnLButtonDownMsg>(WM_LBUTTONDOWN),
        RegisteredMessage<&KTGrid::OnLButtonUpMsg>(WM_LBUTTONUP),
        RegisteredMessage<&KTGrid::OnLButtonDblClkMsg>(WM_LBUTTONDBLCLK),
        RegisteredMessage<&KTGrid::OnMouseMoveMsg>(WM_MOUSEMOVE),
        RegisteredMessage<&KTGrid::OnMouseWheelMsg>(WM_MOUSEWHEEL),
        RegisteredMessage<&KTGrid::OnTimerMsg>(WM_TIMER),
        RegisteredMessage<&KTGrid::OnCaptureChangedMsg>(WM_CAPTURECHANGED),
        RegisteredMessage<&KTGrid::OnSetCursorMsg>(WM_SETCURSOR),
        RegisteredMessage<&KTGrid::OnHScrollMsg>(WM_HSCROLL),
        RegisteredMessage<&KTGrid::OnVScrollMsg>(WM_VSCROLL),
        RegisteredMessage<&KTGrid::OnKeyDownMsg>(WM_KEYDOWN),
        RegisteredMessage<&KTGrid::OnCharMsg>(WM_CHAR),
        RegisteredMessage<&KTGrid::OnGetDlgCodeMsg>(WM_GETDLGCODE),
        RegisteredMessage<&KTGrid::OnSysColorChangeMsg>(WM_SYSCOLORCHANGE),
        RegisteredMessage<&KTGrid::OnContinueEditMsg>(kContinueEdit),
        Command<&KTGrid::OnEditCopy>(ID_EDIT_COPY),
        Command<&KTGrid::OnEditCut>(ID_EDIT_CUT),
        Command<&KTGrid::OnEditPaste>(ID_EDIT_PASTE),
        Command<&KTGrid::SelectAllCells>(ID_EDIT_SELECT_ALL),
        UpdateUI<&KTGrid::OnUpdateEditCopy>(ID_EDIT_COPY),
        UpdateUI<&KTGrid::OnUpdateEditCut>(ID_EDIT_CUT),
        UpdateUI<&KTGrid::OnUpdateEditPaste>(ID_EDIT_PASTE),
        UpdateUI<&KTGrid::OnUpdateEditSelectAll>(ID_EDIT_SELECT_ALL),
    };
    static const platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}
