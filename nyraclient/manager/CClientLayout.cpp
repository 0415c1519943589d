// CClientLayout: the arithmetic of the bed grid (integer division truncates throughout, as the
// tiles have always been placed).
#include "nyraclient/manager/CClientLayout.h"

#include "nyraclient/manager/NyraClientManager.h"

namespace {

// Tiles, columns and rows of the grid without an enlarged bed, by display mode.
struct GridShape
{
    int tiles;
    int cols;
    int rows;
};
constexpr GridShape kShapes[] = {
    { 16, 4, 4 }, // 0: one bed enlarged (its small tiles when none is)
    { 2, 1, 2 },  // 1
    { 4, 2, 2 },  // 2
    { 8, 4, 2 },  // 3
    { 16, 4, 4 }, // 4
};
constexpr int kModeCount = static_cast<int>(std::size(kShapes));

// With a bed enlarged: 6 columns of 8 rows.
constexpr int kEnlargedCols = 6;
constexpr int kEnlargedRows = 8;

// The cells of a cols x rows grid in a W x H area, with their margins.
struct Cells
{
    int w, h, mx, my;

    Cells(int width, int height, int cols, int rows)
    {
        constexpr int gap = CClientLayout::kGap;
        w = (width - gap * cols) / cols;
        h = (height - gap * rows) / rows;
        mx = (width - (w + gap) * cols) / 2;
        my = (height - (h + gap) * rows) / 2;
    }
    CRect Cell(int col, int row) const
    {
        constexpr int gap = CClientLayout::kGap;
        const int left = 2 + mx + col * (w + gap);
        const int top = 2 + my + row * (h + gap);
        return CRect(left, top, left + w, top + h);
    }
};

bool IsGridMode(int mode)
{
    return mode >= 0 && mode < kModeCount;
}

} // namespace

int CClientLayout::SetMode(DISPMODE mode, BOOL recalc)
{
    if (mode == m_Mode)
        return 0;
    m_Mode = mode;
    if (recalc)
        Recalc(m_Area.cx, m_Area.cy);
    return 1;
}

void CClientLayout::SetExpanded(BOOL on, BOOL recalc)
{
    m_bExpanded = on;
    if (recalc)
        Recalc(m_Area.cx, m_Area.cy);
}

int CClientLayout::GetPageSize() const
{
    return IsGridMode(m_Mode) ? kShapes[m_Mode].tiles : 0;
}

CRect CClientLayout::GetTileRect(int i) const
{
    if (i < 0 || i >= GetTileCount())
        return CRect();
    return m_Tiles[size_t(i)];
}

int CClientLayout::OwnerEntries() const
{
    return m_pOwner != nullptr ? m_pOwner->GetClientCount() : 0;
}

void CClientLayout::Recalc(int width, int height)
{
    m_Tiles.clear();
    if (width < 1 || height < 1)
        return;
    m_rcExpanded.SetRectEmpty();
    m_Area = CSize(width, height);

    if (!m_bExpanded) {
        if (!IsGridMode(m_Mode))
            return;
        const GridShape shape = kShapes[m_Mode];
        const Cells cells(width, height, shape.cols, shape.rows);
        for (int i = 0; i < shape.tiles; ++i)
            m_Tiles.push_back(cells.Cell(i % shape.cols, i / shape.cols));
        return;
    }

    const Cells cells(width, height, kEnlargedCols, kEnlargedRows);
    const int step = cells.w + kGap;
    const int left = 2 + cells.mx;
    const int top = 2 + cells.my;
    const int bottom = 2 + cells.my + height - kGap;
    const int entries = OwnerEntries();
    if (entries >= 9) {
        // Two columns of eight small tiles.
        m_rcExpanded = CRect(left, top, cells.mx + 4 * step, bottom);
        for (int i = 0; i < 16; ++i)
            m_Tiles.push_back(cells.Cell(4 + i / kEnlargedRows, i % kEnlargedRows));
    } else if (entries < 2) {
        // The enlarged bed alone: it spans the grid, its small tiles have no room.
        m_rcExpanded = CRect(left, top, kEnlargedCols * step, bottom);
        m_Tiles.assign(kEnlargedRows, CRect(0, 0, 0, 0));
    } else {
        // One column of eight small tiles.
        m_rcExpanded = CRect(left, top, cells.mx + 5 * step, bottom);
        for (int i = 0; i < kEnlargedRows; ++i)
            m_Tiles.push_back(cells.Cell(5, i));
    }
}
