// Dragging the grid's selection and dropping text on its cells. The dragged text is what copy
// puts on the clipboard; a drop pastes it at the cell under the pointer as paste does, so cells
// that may not be edited keep their text there too.
#include "ktctrl/grid/KTGrid.h"

#include "platform/core/Clock.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/ScrollInfo.h"
#include "platform/msg/WindowApi.h"

#include <memory>

namespace {

// How near an edge of the cells a resting drag scrolls, how long it rests there first and how
// often it scrolls on.
constexpr int kDragScrollInset = 11;
constexpr DWORD kDragScrollDelayMs = 50;
constexpr DWORD kDragScrollIntervalMs = 50;

DROPEFFECT EffectOfKeys(DWORD keyState)
{
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

} // namespace

// ---- the source ----------------------------------------------------------------------------------

void KTGrid::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop || !GetSafeHwnd())
        return;
    CString text;
    if (!CopyTextFromGrid(text))
        return;
    COleDataSource source;
    source.CacheText(text);
    const KTCellRange range = GetSelectedCellRange();
    const HWND self = m_hWnd;
    SendMessageToParent(range.GetMinRow(), range.GetMinCol(), GVN_BEGINDRAG);
    if (!::IsWindow(self))
        return;
    // The drag holds the mouse from here; losing it must not end the dragging mode.
    if (GetCapture() == this)
        ReleaseCapture();
    m_MouseMode = MOUSE_DRAGGING;
    const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (!::IsWindow(self))
        return; // the grid went while the drag ran
    // The release ended the drag inside its loop, so no button-up comes here to end the mode.
    m_MouseMode = MOUSE_NOTHING;
    if (effect & DROPEFFECT_MOVE)
        CutSelectedText();
}

CImageList* KTGrid::CreateDragImage(CPoint* size)
{
    CRect rect;
    if (!GetSafeHwnd() || !GetCellRect(m_idCurrentCell, &rect) || rect.IsRectEmpty())
        return nullptr;
    rect.OffsetRect(-rect.left, -rect.top);
    if (size) {
        size->x = rect.right;
        size->y = rect.bottom;
    }
    CClientDC screen(this);
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, rect.Width(), rect.Height()))
        return nullptr;
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(&rect, m_crTextBkColour);
    DrawCell(&memory, m_idCurrentCell.row, m_idCurrentCell.col, rect, TRUE);
    memory.SelectObject(old);
    auto list = std::make_unique<CImageList>();
    if (!list->Create(rect.Width(), rect.Height(), ILC_MASK, 1, 1) || list->Add(&bitmap, m_crTextBkColour) < 0)
        return nullptr;
    return list.release();
}

// ---- the target ----------------------------------------------------------------------------------

DROPEFFECT KTGrid::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point)
{
    if (!data || !data->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    m_idLastDragOverCell = GetCellFromPt(point, FALSE);
    if (!IsCellEditable(m_idLastDragOverCell.row, m_idLastDragOverCell.col))
        return DROPEFFECT_NONE;
    SetItemState(m_idLastDragOverCell.row, m_idLastDragOverCell.col,
                 GetItemState(m_idLastDragOverCell.row, m_idLastDragOverCell.col) | GVIS_DROPHILITED);
    RedrawCell(m_idLastDragOverCell);
    return EffectOfKeys(keyState);
}

DROPEFFECT KTGrid::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point)
{
    if (!m_bEditable || !data || !data->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    const KTCellID cell = GetCellFromPt(point, FALSE);
    if (cell == m_idLastDragOverCell)
        return IsCellEditable(cell.row, cell.col) ? EffectOfKeys(keyState) : DROPEFFECT_NONE;
    // The highlight follows the pointer; over no cell or a read-only one nothing is highlighted,
    // so it never shows a cell that would not take the drop.
    OnDragLeave();
    m_idLastDragOverCell = cell;
    if (!IsCellEditable(cell.row, cell.col))
        return DROPEFFECT_NONE;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
    RedrawCell(cell);
    return EffectOfKeys(keyState);
}

void KTGrid::OnDragLeave()
{
    m_bDragScrollArmed = false;
    const KTCellID cell = m_idLastDragOverCell;
    if (!IsValid(cell) || !(GetItemState(cell.row, cell.col) & GVIS_DROPHILITED))
        return;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_DROPHILITED);
    RedrawCell(cell);
}

BOOL KTGrid::OnDrop(COleDataObject* data, DROPEFFECT, CPoint)
{
    // Whatever the answer, the highlight goes.
    OnDragLeave();
    const KTCellID cell = m_idLastDragOverCell;
    m_idLastDragOverCell = KTCellID();
    CString text;
    if (!IsCellEditable(cell.row, cell.col) || !data || !data->GetText(text))
        return FALSE;
    m_MouseMode = MOUSE_NOTHING;
    return PasteTextToGrid(cell, text);
}

void KTGrid::DragScroll(CPoint point)
{
    CRect client;
    if (!GetSafeHwnd())
        return;
    GetClientRect(&client);
    int vertical = -1, horizontal = -1;
    if (point.y < GetFixedRowHeight() + kDragScrollInset && m_nVScrollPos > 0)
        vertical = SB_LINEUP;
    else if (point.y >= client.bottom - kDragScrollInset && m_nVScrollPos < m_nVScrollMax)
        vertical = SB_LINEDOWN;
    if (point.x < GetFixedColumnWidth() + kDragScrollInset && m_nHScrollPos > 0)
        horizontal = SB_LINELEFT;
    else if (point.x >= client.right - kDragScrollInset && m_nHScrollPos < m_nHScrollMax)
        horizontal = SB_LINERIGHT;
    if (vertical < 0 && horizontal < 0) {
        m_bDragScrollArmed = false;
        return;
    }
    const DWORD now = GetTickCount();
    if (!m_bDragScrollArmed) {
        m_bDragScrollArmed = true;
        m_dwDragScrollDue = now + kDragScrollDelayMs;
        return;
    }
    if (static_cast<LONG>(now - m_dwDragScrollDue) < 0)
        return;
    m_dwDragScrollDue = now + kDragScrollIntervalMs;
    // A drag passing over does not take the keyboard focus from where it started.
    if (vertical >= 0)
        ScrollLines(SB_VERT, vertical, 0, false);
    if (horizontal >= 0)
        ScrollLines(SB_HORZ, horizontal, 0, false);
}
