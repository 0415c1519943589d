// The cells of KTGrid and the small records that name them: a cell's contents, a cell's
// address, a rectangle of addresses and the item record that moves fields in and out by mask.
#pragma once

#include "platform/core/CString.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/msg/Messages.h"

// Cell state bits.
constexpr UINT GVIS_FOCUSED = 0x01;
constexpr UINT GVIS_SELECTED = 0x02;
constexpr UINT GVIS_DROPHILITED = 0x04;
constexpr UINT GVIS_READONLY = 0x08;
constexpr UINT GVIS_MODIFIED = 0x20;

// Item record mask bits.
constexpr UINT GVIF_TEXT = 0x01;
constexpr UINT GVIF_IMAGE = 0x02;
constexpr UINT GVIF_PARAM = 0x04;
constexpr UINT GVIF_STATE = 0x08;
constexpr UINT GVIF_BKCLR = 0x10;
constexpr UINT GVIF_FGCLR = 0x20;
constexpr UINT GVIF_FORMAT = 0x40;
constexpr UINT GVIF_FONT = 0x80;

// Search directions of GetNextItem.
constexpr int GVNI_ABOVE = 0x100;
constexpr int GVNI_BELOW = 0x200;
constexpr int GVNI_TOLEFT = 0x400;
constexpr int GVNI_TORIGHT = 0x800;
constexpr int GVNI_ALL = GVNI_BELOW | GVNI_TOLEFT | GVNI_TORIGHT;
constexpr int GVNI_AREA = GVNI_BELOW | GVNI_TORIGHT;

// Colour meaning "the grid's own colour".
constexpr COLORREF CLR_GRID_DEFAULT = 0xFF000000;

class KTGridCell
{
public:
    virtual ~KTGridCell() = default;

    UINT state { 0 };
    UINT nFormat { 0 };
    CString szText;
    int iImage { -1 };
    COLORREF crBkClr { CLR_GRID_DEFAULT };
    COLORREF crFgClr { CLR_GRID_DEFAULT };
    LOGFONT lfFont {};
    LPARAM lParam { 0 };
};

struct KTCellID
{
    int row { -1 };
    int col { -1 };

    KTCellID() = default;
    KTCellID(int r, int c) : row(r), col(c) {}
    int IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const KTCellID& other) const { return row == other.row && col == other.col; }
    bool operator!=(const KTCellID& other) const { return !(*this == other); }
};

class KTCellRange
{
public:
    KTCellRange(int minRow = -1, int minCol = -1, int maxRow = -1, int maxCol = -1)
        : m_nMinRow(minRow), m_nMinCol(minCol), m_nMaxRow(maxRow), m_nMaxCol(maxCol)
    {
    }

    int IsValid() const { return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0; }
    int InRange(int row, int col) const
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    int Count() const { return (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1); }
    KTCellID GetTopLeft() const { return { m_nMinRow, m_nMinCol }; }
    KTCellRange Intersect(const KTCellRange& other) const
    {
        return { std::max(m_nMinRow, other.m_nMinRow), std::max(m_nMinCol, other.m_nMinCol),
            std::min(m_nMaxRow, other.m_nMaxRow), std::min(m_nMaxCol, other.m_nMaxCol) };
    }
    bool operator==(const KTCellRange& o) const
    {
        return m_nMinRow == o.m_nMinRow && m_nMinCol == o.m_nMinCol && m_nMaxRow == o.m_nMaxRow
            && m_nMaxCol == o.m_nMaxCol;
    }

    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMinRow(int v) { m_nMinRow = v; }
    void SetMinCol(int v) { m_nMinCol = v; }
    void SetMaxRow(int v) { m_nMaxRow = v; }
    void SetMaxCol(int v) { m_nMaxCol = v; }

private:
    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};

struct __GV_ITEM
{
    int row { 0 };
    int col { 0 };
    UINT mask { 0 };
    UINT state { 0 };
    UINT nFormat { 0 };
    CString szText;
    int iImage { -1 };
    COLORREF crBkClr { CLR_GRID_DEFAULT };
    COLORREF crFgClr { CLR_GRID_DEFAULT };
    LPARAM lParam { 0 };
    LOGFONT lfFont {};
};
using GV_ITEM = __GV_ITEM;

// What the grid sends its owner with every WM_NOTIFY.
struct GridNotifyInfo
{
    NMHDR hdr;
    int iRow;
    int iColumn;
};

// The in-place edit's end-of-edit record.
struct GV_DISPINFO
{
    NMHDR hdr;
    GV_ITEM item;
};
