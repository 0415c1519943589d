// How the grid paints: background areas, fixed and normal cells, grid lines, and redrawing
// single cells, rows and columns.
#include "ktctrl/grid/KTGrid.h"

#include "ktctrl/draw/KTMemDC.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"

#include <algorithm>
#include <cstring>

LRESULT KTGrid::OnPaintMsg(WPARAM, LPARAM)
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        KTMemDC memDC(&dc);
        OnDraw(&memDC);
    } else {
        OnDraw(&dc);
    }
    return 0;
}

void KTGrid::EraseBkgnd(CDC* dc)
{
    CRect clip;
    if (dc->GetClipBox(&clip) == ERROR)
        return;
    CRect visible;
    GetVisibleNonFixedCellRange(&visible);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    dc->FillSolidRect(CRect(0, clip.top, fixedWidth, visible.bottom), m_crFixedBkColour);
    dc->FillSolidRect(CRect(std::max(0, fixedWidth - 1), clip.top, visible.right, fixedHeight), m_crFixedBkColour);
    CRect body(fixedWidth, fixedHeight, visible.right, visible.bottom);
    CRect part;
    if (part.IntersectRect(&body, &clip))
        dc->FillSolidRect(&part, m_crTextBkColour);
    if (clip.right > visible.right)
        dc->FillSolidRect(CRect(visible.right, clip.top, clip.right, clip.bottom), m_crBkColour);
    if (clip.bottom > visible.bottom)
        dc->FillSolidRect(CRect(clip.left, visible.bottom, visible.right, clip.bottom), m_crBkColour);
}

void KTGrid::OnDraw(CDC* dc)
{
    CRect clip;
    if (dc->GetClipBox(&clip) == ERROR)
        return;
    EraseBkgnd(dc);
    CRect visibleRect;
    KTCellRange visible = GetVisibleNonFixedCellRange(&visibleRect);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();

    // Walks the rows (from `firstRow` at y = `top`) and columns against the clip box.
    auto paint = [&](int firstRow, int lastRow, int top, int firstCol, int lastCol, int left, bool normal) {
        CRect rect;
        rect.bottom = top - 1;
        for (int row = firstRow; row <= lastRow; ++row) {
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(row) - 1;
            if (rect.top > clip.bottom)
                break;
            if (rect.bottom < clip.top)
                continue;
            rect.right = left - 1;
            for (int col = firstCol; col <= lastCol; ++col) {
                rect.left = rect.right + 1;
                rect.right = rect.left + GetColumnWidth(col) - 1;
                if (rect.left > clip.right)
                    break;
                if (rect.right < clip.left)
                    continue;
                if (normal)
                    DrawCell(dc, row, col, rect);
                else
                    DrawFixedCell(dc, row, col, rect);
            }
        }
    };
    paint(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0, false);
    if (visible.IsValid() || m_nRows > m_nFixedRows || m_nCols > m_nFixedCols) {
        const int minRow = visible.GetMinRow(), maxRow = visible.GetMaxRow();
        const int minCol = visible.GetMinCol(), maxCol = visible.GetMaxCol();
        paint(minRow, maxRow, fixedHeight, 0, m_nFixedCols - 1, 0, false);
        paint(0, m_nFixedRows - 1, 0, minCol, maxCol, fixedWidth, false);
        paint(minRow, maxRow, fixedHeight, minCol, maxCol, fixedWidth, true);

        CPen pen;
        if (m_nGridLines != GVL_NONE && pen.CreatePen(PS_SOLID, 0, m_crGridColour)) {
            CPen* old = dc->SelectObject(&pen);
            if (m_nGridLines & GVL_VERT) {
                int x = fixedWidth;
                for (int col = minCol; col <= maxCol && col >= 0; ++col) {
                    x += GetColumnWidth(col);
                    dc->MoveTo(x - 1, fixedHeight);
                    dc->LineTo(x - 1, visibleRect.bottom);
                }
            }
            if (m_nGridLines & GVL_HORZ) {
                int y = fixedHeight;
                for (int row = minRow; row <= maxRow && row >= 0; ++row) {
                    y += GetRowHeight(row);
                    dc->MoveTo(fixedWidth, y - 1);
                    dc->LineTo(visibleRect.right, y - 1);
                }
            }
            dc->SelectObject(old);
        }
    }
}

// Font, margin, image and text of a cell inside `rect` (already inside its border).
void KTGrid::DrawCellBody(CDC* dc, const KTGridCell* cell, CRect rect, COLORREF text, BOOL bold)
{
    LOGFONT lf = cell->lfFont;
    if (bold)
        lf.lfWeight = 600;
    // Cells in the grid's own font share one font object; others get theirs made for them.
    CFont font;
    CFont* use = &font;
    if (!bold && std::memcmp(&lf, &m_Logfont, sizeof(LOGFONT)) == 0 && m_Font.GetSafeHandle())
        use = &m_Font;
    else
        font.CreateFontIndirect(&lf);
    CFont* oldFont = dc->SelectObject(use);
    dc->SetTextColor(text);
    dc->SetBkMode(TRANSPARENT);
    rect.DeflateRect(m_nMargin, 0);
    if (m_pImageList && cell->iImage >= 0 && cell->iImage < m_pImageList->GetImageCount()) {
        int cx = 0, cy = 0;
        m_pImageList->GetIconSize(&cx, &cy);
        m_pImageList->Draw(dc, cell->iImage, rect.TopLeft(), ILD_NORMAL);
        rect.left += cx + m_nMargin + 1;
    }
    dc->DrawText(cell->szText, &rect, cell->nFormat);
    dc->SelectObject(oldFont);
}

BOOL KTGrid::DrawFixedCell(CDC* dc, int row, int col, CRect rect, BOOL)
{
    const KTGridCell* cell = GetCell(row, col);
    if (!m_bAllowDraw || !cell)
        return FALSE;
    if (!dc->IsPrinting())
        dc->FillSolidRect(&rect, cell->crBkClr == CLR_GRID_DEFAULT ? m_crFixedBkColour : cell->crBkClr);
    const COLORREF text = cell->crFgClr == CLR_GRID_DEFAULT ? m_crFixedTextColour : cell->crFgClr;
    const int saved = dc->SaveDC();
    const bool onFocus = IsValid(m_idCurrentCell) && (row == m_idCurrentCell.row || col == m_idCurrentCell.col);
    if (!onFocus) {
        CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen dark(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
        CPen* old = dc->SelectObject(&light);
        dc->MoveTo(rect.right, rect.top);
        dc->LineTo(rect.left, rect.top);
        dc->LineTo(rect.left, rect.bottom);
        dc->SelectObject(&dark);
        dc->MoveTo(rect.right, rect.top);
        dc->LineTo(rect.right, rect.bottom);
        dc->LineTo(rect.left, rect.bottom);
        dc->SelectObject(old);
    } else {
        CRect edge(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        dc->DrawEdge(&edge, BDR_SUNKENINNER, BF_RECT);
    }
    rect.DeflateRect(1, 1);
    DrawCellBody(dc, cell, rect, text, onFocus);
    dc->RestoreDC(saved);
    return TRUE;
}

BOOL KTGrid::DrawCell(CDC* dc, int row, int col, CRect rect, BOOL)
{
    const KTGridCell* cell = GetCell(row, col);
    if (!m_bAllowDraw || !cell)
        return FALSE;
    const COLORREF back = cell->crBkClr == CLR_GRID_DEFAULT ? m_crTextBkColour : cell->crBkClr;
    COLORREF text = cell->crFgClr == CLR_GRID_DEFAULT ? m_crTextColour : cell->crFgClr;
    const int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);
    const CRect widened(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    const bool printing = dc->IsPrinting();
    if ((cell->state & GVIS_FOCUSED) && !printing) {
        dc->FillSolidRect(&widened, back);
        CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&widened);
        dc->SelectObject(oldPen);
        dc->SelectObject(oldBrush);
        rect.DeflateRect(1, 1);
    } else if ((cell->state & GVIS_SELECTED) && !printing) {
        dc->FillSolidRect(&widened, GetSysColor(COLOR_HIGHLIGHT));
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (!printing) {
        dc->FillSolidRect(&widened, back);
    }
    if ((cell->state & GVIS_DROPHILITED) && !printing) {
        CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&widened);
        dc->SelectObject(oldPen);
        dc->SelectObject(oldBrush);
    }
    DrawCellBody(dc, cell, rect, text, FALSE);
    dc->RestoreDC(saved);
    return TRUE;
}

void KTGrid::DrawGridLine(CDC* dc, int x1, int y1, int x2, int y2)
{
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 0, m_crGridColour))
        return;
    CPen* old = dc->SelectObject(&pen);
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
    dc->SelectObject(old);
}

BOOL KTGrid::RedrawCell(int row, int col, CDC* dc)
{
    if (!m_bAllowDraw || !GetSafeHwnd() || !IsCellVisible(row, col))
        return FALSE;
    CRect rect;
    if (!GetCellRect(row, col, &rect))
        return FALSE;
    CDC* own = nullptr;
    if (!dc) {
        own = GetDC();
        if (!own) {
            InvalidateRect(CRect(rect.left, rect.top, rect.right + 2, rect.bottom + 2), TRUE);
            return TRUE;
        }
        dc = own;
    }
    BOOL result;
    if (IsCellFixed(row, col)) {
        result = DrawFixedCell(dc, row, col, rect, TRUE);
    } else {
        result = DrawCell(dc, row, col, rect, TRUE);
        if (m_nGridLines & GVL_HORZ)
            DrawGridLine(dc, rect.left, rect.bottom, rect.right + 1, rect.bottom);
        if (m_nGridLines & GVL_VERT)
            DrawGridLine(dc, rect.right, rect.top, rect.right, rect.bottom + 1);
    }
    if (own)
        ReleaseDC(own);
    return result;
}

BOOL KTGrid::RedrawRow(int row)
{
    BOOL all = TRUE;
    CDC* dc = GetSafeHwnd() ? GetDC() : nullptr;
    for (int col = 0; col < m_nCols; ++col)
        all = RedrawCell(row, col, dc) && all;
    if (dc)
        ReleaseDC(dc);
    return all;
}

BOOL KTGrid::RedrawColumn(int col)
{
    BOOL all = TRUE;
    CDC* dc = GetSafeHwnd() ? GetDC() : nullptr;
    for (int row = 0; row < m_nRows; ++row)
        all = RedrawCell(row, col, dc) && all;
    if (dc)
        ReleaseDC(dc);
    return all;
}

void KTGrid::SetRedraw(BOOL allow, BOOL resetScrollBars)
{
    m_bAllowDraw = allow;
    if (allow && GetSafeHwnd()) {
        if (resetScrollBars)
            ResetScrollBars();
        Invalidate();
    }
}

BOOL KTGrid::InvalidateCellRect(const KTCellID& cell)
{
    if (!GetSafeHwnd() || !m_bAllowDraw || !IsCellVisible(cell.row, cell.col))
        return FALSE;
    CRect rect;
    if (!GetCellRect(cell.row, cell.col, &rect))
        return FALSE;
    InvalidateRect(CRect(rect.left, rect.top, rect.right + 2, rect.bottom + 2), TRUE);
    return TRUE;
}

BOOL KTGrid::InvalidateCellRect(const KTCellRange& range)
{
    if (!GetSafeHwnd() || !m_bAllowDraw)
        return FALSE;
    KTCellRange part = range.Intersect(GetVisibleNonFixedCellRange());
    CRect rect;
    if (!part.IsValid() || !GetCellRangeRect(part, &rect))
        return FALSE;
    InvalidateRect(CRect(rect.left, rect.top, rect.right + 2, rect.bottom + 2), TRUE);
    return TRUE;
}
