// The grid's sizes and geometry: row heights and column widths, auto-sizing, cells to pixels
// and back, visible ranges, scroll bars and the next-item search.
#include "ktctrl/grid/KTGrid.h"

#include "platform/gdi/CDC.h"
#include "platform/msg/ScrollInfo.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int KTGrid::GetRowHeight(int row) const
{
    return row >= 0 && row < m_nRows ? static_cast<int>(m_arRowHeights[row]) : -1;
}

int KTGrid::GetColumnWidth(int col) const
{
    return col >= 0 && col < m_nCols ? static_cast<int>(m_arColWidths[col]) : -1;
}

BOOL KTGrid::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_nRows || height < 0)
        return FALSE;
    m_arRowHeights[row] = height;
    ForgetLayout();
    return TRUE;
}

BOOL KTGrid::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_nCols || width < 0)
        return FALSE;
    m_arColWidths[col] = width;
    ForgetLayout();
    return TRUE;
}

int KTGrid::GetFixedRowHeight() const
{
    int h = 0;
    for (int i = 0; i < m_nFixedRows; ++i)
        h += m_arRowHeights[i];
    return h;
}

int KTGrid::GetFixedColumnWidth() const
{
    int w = 0;
    for (int i = 0; i < m_nFixedCols; ++i)
        w += m_arColWidths[i];
    return w;
}

long KTGrid::GetVirtualHeight() const
{
    long h = 0;
    for (UINT v : m_arRowHeights)
        h += v;
    return h;
}

long KTGrid::GetVirtualWidth() const
{
    long w = 0;
    for (UINT v : m_arColWidths)
        w += v;
    return w;
}

CSize KTGrid::GetTextExtent(const char* text, BOOL bold)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    LOGFONT lf = m_Logfont;
    if (bold)
        lf.lfWeight = 600;
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    CSize size = dc.GetTextExtent(text ? text : "", static_cast<int>(std::strlen(text ? text : "")));
    TEXTMETRIC tm {};
    dc.GetTextMetrics(&tm);
    size.cy = std::max<LONG>(size.cy, tm.tmHeight);
    dc.SelectObject(old);
    size.cx += 2 * m_nMargin;
    size.cy += 2 * m_nMargin;
    return size;
}

CSize KTGrid::GetCellExtent(int row, int col, CDC* dc)
{
    const KTGridCell* cell = GetCell(row, col);
    if (!cell || !dc)
        return CSize(0, 0);
    LOGFONT lf = cell->lfFont;
    if (IsCellFixed(row, col))
        lf.lfWeight = 600;
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = dc->SelectObject(&font);
    CSize text = dc->GetTextExtent(cell->szText);
    TEXTMETRIC tm {};
    dc->GetTextMetrics(&tm);
    text.cy = std::max<LONG>(text.cy, tm.tmHeight);
    dc->SelectObject(old);
    CSize image(0, 0);
    if (m_pImageList && cell->iImage >= 0 && cell->iImage < m_pImageList->GetImageCount()) {
        int cx = 0, cy = 0;
        m_pImageList->GetIconSize(&cx, &cy);
        image = CSize(cx, cy);
    }
    return CSize(text.cx + 4 * m_nMargin + image.cx, std::max<LONG>(text.cy + 2 * m_nMargin, image.cy));
}

BOOL KTGrid::AutoSizeColumn(int col)
{
    if (col < 0 || col >= m_nCols)
        return FALSE;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return FALSE;
    int width = 0;
    for (int row = 0; row < m_nRows; ++row)
        width = std::max<int>(width, GetCellExtent(row, col, &dc).cx);
    m_arColWidths[col] = width;
    ForgetLayout();
    ResetScrollBars();
    return TRUE;
}

BOOL KTGrid::AutoSizeRow(int row)
{
    if (row < 0 || row >= m_nRows)
        return FALSE;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return FALSE;
    int height = 0;
    for (int col = 0; col < m_nCols; ++col)
        height = std::max<int>(height, GetCellExtent(row, col, &dc).cy);
    m_arRowHeights[row] = height;
    ForgetLayout();
    ResetScrollBars();
    return TRUE;
}

void KTGrid::AutoSizeColumns()
{
    for (int col = 0; col < m_nCols; ++col)
        AutoSizeColumn(col);
}

void KTGrid::AutoSizeRows()
{
    for (int row = 0; row < m_nRows; ++row)
        AutoSizeRow(row);
}

void KTGrid::AutoSize()
{
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return;
    std::fill(m_arColWidths.begin(), m_arColWidths.end(), 0);
    std::fill(m_arRowHeights.begin(), m_arRowHeights.end(), 0);
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col) {
            CSize size = GetCellExtent(row, col, &dc);
            m_arColWidths[col] = std::max<UINT>(m_arColWidths[col], size.cx);
            m_arRowHeights[row] = std::max<UINT>(m_arRowHeights[row], size.cy);
        }
    ForgetLayout();
    ResetScrollBars();
    if (m_bAllowDraw && GetSafeHwnd())
        Invalidate();
}

namespace {

// Spreads `d` pixels over the sizes: each takes d / n, the first |d| mod n one more (or one
// less when shrinking); no size goes below 0.
void Spread(std::vector<UINT>& sizes, long d)
{
    const long n = static_cast<long>(sizes.size());
    if (n == 0)
        return;
    const long each = d / n;
    const long rest = std::labs(d) % n;
    for (long i = 0; i < n; ++i) {
        long size = static_cast<long>(sizes[i]) + each;
        if (i < rest)
            size += d > 0 ? 1 : -1;
        sizes[i] = static_cast<UINT>(std::max(0L, size));
    }
}

} // namespace

void KTGrid::ExpandColumnsToFit()
{
    if (m_nCols <= 0 || !GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    Spread(m_arColWidths, client.Width() - GetVirtualWidth());
    ForgetLayout();
    if (m_bAllowDraw)
        Invalidate();
}

void KTGrid::ExpandRowsToFit()
{
    if (m_nRows <= 0 || !GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    Spread(m_arRowHeights, client.Height() - GetVirtualHeight());
    ForgetLayout();
    if (m_bAllowDraw)
        Invalidate();
}

void KTGrid::ExpandToFit()
{
    ExpandColumnsToFit();
    ExpandRowsToFit();
    ExpandColumnsToFit();
}

void KTGrid::SetModified(BOOL modified, int row, int col)
{
    if (row <= 0 || col <= 0) {
        m_bModified = modified;
    } else if (KTGridCell* cell = GetCell(row, col)) {
        if (modified) {
            cell->state |= GVIS_MODIFIED;
            m_bModified = TRUE;
        } else {
            cell->state &= ~GVIS_MODIFIED;
        }
    }
    if (!m_bModified)
        for (auto& r : m_RowData)
            for (KTGridCell* cell : r)
                cell->state &= ~GVIS_MODIFIED;
}

BOOL KTGrid::GetModified(int row, int col) const
{
    if (row <= 0 || col <= 0)
        return m_bModified;
    return (GetItemState(row, col) & GVIS_MODIFIED) != 0;
}

BOOL KTGrid::IsCellEditable(int row, int col) const
{
    return m_bEditable && IsValid(row, col) && !(GetItemState(row, col) & GVIS_READONLY);
}

BOOL KTGrid::IsValid(const KTCellRange& range) const
{
    return range.IsValid() && range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols
        && range.GetMinRow() <= range.GetMaxRow() && range.GetMinCol() <= range.GetMaxCol();
}

// ---- geometry ----

KTCellID KTGrid::GetTopleftNonFixedCell()
{
    // Walks from where it was last found: scrolling by lines and pages stays cheap however
    // many rows the grid holds.
    auto walk = [](TopLeftCache& cache, const std::vector<UINT>& sizes, int first, int count, int pos) {
        if (cache.row < first || cache.row >= std::max(count, first + 1) || cache.pos < 0) {
            cache.row = first;
            cache.start = 0;
        }
        if (count <= first) {
            cache.pos = pos;
            return first;
        }
        int row = std::min(cache.row, count - 1);
        int start = cache.start;
        while (row > first && start > pos) {
            --row;
            start -= sizes[row];
        }
        while (row < count - 1 && start + static_cast<int>(sizes[row]) <= pos) {
            start += sizes[row];
            ++row;
        }
        cache = { pos, row, start };
        return row;
    };
    const int row = walk(m_vCache, m_arRowHeights, m_nFixedRows, m_nRows, m_nVScrollPos);
    const int col = walk(m_hCache, m_arColWidths, m_nFixedCols, m_nCols, m_nHScrollPos);
    return KTCellID(row, col);
}

BOOL KTGrid::GetCellOrigin(int row, int col, LPPOINT p)
{
    if (!IsValid(row, col))
        return FALSE;
    KTCellID topLeft;
    if (row >= m_nFixedRows || col >= m_nFixedCols)
        topLeft = GetTopleftNonFixedCell();
    if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col))
        return FALSE;
    p->x = 0;
    if (col < m_nFixedCols) {
        for (int i = 0; i < col; ++i)
            p->x += m_arColWidths[i];
    } else {
        p->x = GetFixedColumnWidth();
        for (int i = topLeft.col; i < col; ++i)
            p->x += m_arColWidths[i];
    }
    p->y = 0;
    if (row < m_nFixedRows) {
        for (int i = 0; i < row; ++i)
            p->y += m_arRowHeights[i];
    } else {
        p->y = GetFixedRowHeight();
        for (int i = topLeft.row; i < row; ++i)
            p->y += m_arRowHeights[i];
    }
    return TRUE;
}

BOOL KTGrid::GetCellRect(int row, int col, LPRECT rect)
{
    CPoint origin;
    if (!rect || !GetCellOrigin(row, col, &origin))
        return FALSE;
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + GetColumnWidth(col) - 1;
    rect->bottom = origin.y + GetRowHeight(row) - 1;
    return TRUE;
}

BOOL KTGrid::GetTextRect(int row, int col, LPRECT rect)
{
    if (!GetCellRect(row, col, rect))
        return FALSE;
    const int image = GetItemImage(row, col);
    if (m_pImageList && image >= 0 && image < m_pImageList->GetImageCount()) {
        int cx = 0, cy = 0;
        m_pImageList->GetIconSize(&cx, &cy);
        rect->left += cx + m_nMargin + 1;
    }
    return TRUE;
}

BOOL KTGrid::GetCellRangeRect(const KTCellRange& range, LPRECT rect)
{
    CPoint min, max;
    if (!rect || !GetCellOrigin(range.GetMinRow(), range.GetMinCol(), &min)
        || !GetCellOrigin(range.GetMaxRow(), range.GetMaxCol(), &max))
        return FALSE;
    rect->left = min.x;
    rect->top = min.y;
    rect->right = max.x + GetColumnWidth(range.GetMaxCol()) - 1;
    rect->bottom = max.y + GetRowHeight(range.GetMaxRow()) - 1;
    return TRUE;
}

KTCellID KTGrid::GetCellFromPt(CPoint point, BOOL allowFixed)
{
    KTCellID cell;
    KTCellID topLeft = GetTopleftNonFixedCell();
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    if (point.x < 0 || (!allowFixed && point.x < fixedWidth)) {
        cell.col = -1;
    } else if (point.x < fixedWidth) {
        int x = 0, col = 0;
        while (col < m_nFixedCols && (x += m_arColWidths[col]) <= point.x)
            ++col;
        cell.col = col < m_nFixedCols ? col : -1;
    } else {
        int x = fixedWidth, col = topLeft.col;
        while (col < m_nCols && (x += m_arColWidths[col]) <= point.x)
            ++col;
        cell.col = col < m_nCols ? col : -1;
    }
    if (point.y < 0 || (!allowFixed && point.y < fixedHeight)) {
        cell.row = -1;
    } else if (point.y < fixedHeight) {
        int y = 0, row = 0;
        while (row < m_nFixedRows && (y += m_arRowHeights[row]) <= point.y)
            ++row;
        cell.row = row < m_nFixedRows ? row : -1;
    } else {
        int y = fixedHeight, row = topLeft.row;
        while (row < m_nRows && (y += m_arRowHeights[row]) <= point.y)
            ++row;
        cell.row = row < m_nRows ? row : -1;
    }
    return cell;
}

KTCellRange KTGrid::GetVisibleNonFixedCellRange(LPRECT rect)
{
    CRect client(0, 0, 0, 0);
    if (GetSafeHwnd())
        GetClientRect(&client);
    KTCellID topLeft = GetTopleftNonFixedCell();
    int bottom = GetFixedRowHeight(), row = topLeft.row;
    for (; row < m_nRows; ++row) {
        bottom += m_arRowHeights[row];
        if (bottom >= client.bottom)
            break;
    }
    int right = GetFixedColumnWidth(), col = topLeft.col;
    for (; col < m_nCols; ++col) {
        right += m_arColWidths[col];
        if (right >= client.right)
            break;
    }
    const int maxRow = std::min(row, m_nRows - 1);
    const int maxCol = std::min(col, m_nCols - 1);
    if (rect) {
        rect->left = rect->top = 0;
        rect->right = std::min<int>(right, client.right);
        rect->bottom = std::min<int>(bottom, client.bottom);
    }
    return KTCellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

KTCellRange KTGrid::GetUnobstructedNonFixedCellRange()
{
    CRect client(0, 0, 0, 0);
    if (GetSafeHwnd())
        GetClientRect(&client);
    KTCellRange range = GetVisibleNonFixedCellRange();
    CRect rect;
    if (range.IsValid() && GetCellRect(range.GetMaxRow(), range.GetMaxCol(), &rect)) {
        if (rect.bottom >= client.bottom && range.GetMaxRow() > 0 && range.GetMaxRow() > range.GetMinRow())
            range.SetMaxRow(range.GetMaxRow() - 1);
        if (rect.right >= client.right && range.GetMaxCol() > 0 && range.GetMaxCol() > range.GetMinCol())
            range.SetMaxCol(range.GetMaxCol() - 1);
    }
    return range;
}

BOOL KTGrid::IsCellVisible(int row, int col)
{
    if (!GetSafeHwnd() || !IsValid(row, col))
        return FALSE;
    CPoint origin;
    if (!GetCellOrigin(row, col, &origin))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    return origin.x < client.right && origin.y < client.bottom;
}

void KTGrid::ResetScrollBars()
{
    if (!m_bAllowDraw || !GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int pageWidth = client.Width() - GetFixedColumnWidth();
    const int pageHeight = client.Height() - GetFixedRowHeight();
    const long bodyHeight = GetVirtualHeight() - GetFixedRowHeight();
    const long bodyWidth = GetVirtualWidth() - GetFixedColumnWidth();
    m_nVScrollMax = pageHeight > 0 && bodyHeight > pageHeight ? static_cast<int>(bodyHeight - 1) : 0;
    m_nHScrollMax = pageWidth > 0 && bodyWidth > pageWidth ? static_cast<int>(bodyWidth - 1) : 0;
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = m_nVScrollMax;
    info.nPage = m_nVScrollMax ? std::max(pageHeight, 1) : 0;
    m_nVScrollPos = std::clamp(m_nVScrollPos, 0, std::max(0, m_nVScrollMax - static_cast<int>(info.nPage) + 1));
    if (!m_nVScrollMax)
        m_nVScrollPos = 0;
    info.nPos = m_nVScrollPos;
    SetScrollInfo(SB_VERT, &info, TRUE);
    info.nMax = m_nHScrollMax;
    info.nPage = m_nHScrollMax ? std::max(pageWidth, 1) : 0;
    m_nHScrollPos = std::clamp(m_nHScrollPos, 0, std::max(0, m_nHScrollMax - static_cast<int>(info.nPage) + 1));
    if (!m_nHScrollMax)
        m_nHScrollPos = 0;
    info.nPos = m_nHScrollPos;
    SetScrollInfo(SB_HORZ, &info, TRUE);
}

void KTGrid::SetScrollPos32(int bar, int pos)
{
    int& current = bar == SB_HORZ ? m_nHScrollPos : m_nVScrollPos;
    current = std::max(0, pos);
    if (GetSafeHwnd())
        SetScrollPos(bar, current, TRUE);
}

// Works out the final scroll position at once: the cell's row and column are brought just
// inside the non-fixed area (the top or left edge when they lie before it, the bottom or right
// edge when after).
void KTGrid::EnsureVisible(int row, int col)
{
    if (!IsValid(row, col) || !GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    auto place = [](int& pos, const std::vector<UINT>& sizes, int fixed, int index, int page, int max) {
        if (index < fixed)
            return;
        long start = 0;
        for (int i = fixed; i < index; ++i)
            start += sizes[i];
        const long end = start + sizes[index];
        if (start < pos)
            pos = static_cast<int>(start);
        else if (end > pos + page)
            pos = static_cast<int>(std::min<long>(start, end - page));
        pos = std::clamp(pos, 0, std::max(0, max));
    };
    const int pageHeight = client.Height() - GetFixedRowHeight();
    const int pageWidth = client.Width() - GetFixedColumnWidth();
    const int oldV = m_nVScrollPos, oldH = m_nHScrollPos;
    place(m_nVScrollPos, m_arRowHeights, m_nFixedRows, row, pageHeight, m_nVScrollMax - pageHeight + 1);
    place(m_nHScrollPos, m_arColWidths, m_nFixedCols, col, pageWidth, m_nHScrollMax - pageWidth + 1);
    if (oldV != m_nVScrollPos || oldH != m_nHScrollPos) {
        SetScrollPos32(SB_VERT, m_nVScrollPos);
        SetScrollPos32(SB_HORZ, m_nHScrollPos);
        Invalidate();
    }
}

KTCellID KTGrid::GetNextItem(const KTCellID& cell, int flags) const
{
    const UINT stateBits = flags & 0xFF;
    auto matches = [&](int row, int col) { return (GetItemState(row, col) & stateBits) != 0; };
    const int firstRow = cell.row <= 0 ? m_nFixedRows : cell.row;
    const int firstCol = cell.col <= 0 ? m_nFixedCols : cell.col + 1;
    if ((flags & GVNI_ALL) == GVNI_ALL) {
        for (int row = firstRow; row < m_nRows; ++row)
            for (int col = row == firstRow ? firstCol : m_nFixedCols; col < m_nCols; ++col)
                if (matches(row, col))
                    return { row, col };
        return {};
    }
    if ((flags & GVNI_AREA) == GVNI_AREA) {
        for (int row = firstRow; row < m_nRows; ++row)
            for (int col = firstCol; col < m_nCols; ++col)
                if (matches(row, col))
                    return { row, col };
        return {};
    }
    if (flags & GVNI_ABOVE) {
        for (int row = cell.row - 1; row >= m_nFixedRows; --row)
            if (matches(row, cell.col))
                return { row, cell.col };
    } else if (flags & GVNI_BELOW) {
        for (int row = cell.row + 1; row < m_nRows; ++row)
            if (matches(row, cell.col))
                return { row, cell.col };
    } else if (flags & GVNI_TOLEFT) {
        for (int col = cell.col - 1; col >= m_nFixedCols; --col)
            if (matches(cell.row, col))
                return { cell.row, col };
    } else if (flags & GVNI_TORIGHT) {
        for (int col = cell.col + 1; col < m_nCols; ++col)
            if (matches(cell.row, col))
                return { cell.row, col };
    }
    return {};
}
