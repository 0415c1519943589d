// The grid's object, cells, rows and columns, sizes, sorting and geometry.
#include "ktctrl/grid/KTGrid.h"

#include "ktctrl/grid/KTGridDropTarget.h"
#include "ktctrl/grid/KTTitleTip.h"
#include "platform/core/Registry.h"
#include "platform/core/ResourceModule.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/Cursor.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/SystemParameters.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowClass.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr const char* kGridClass = "KTGrid";

std::uint64_t SelectionKey(int row, int col)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) | static_cast<std::uint32_t>(col);
}

// Rows per wheel notch from the desktop settings; 3 when they cannot be read.
int ReadWheelScrollLines()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 3;
    char buffer[64] {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    LONG rc = RegQueryValueEx(key, "WheelScrollLines", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return 3;
    return static_cast<int>(std::strtol(buffer, nullptr, 10));
}

} // namespace

BOOL KTGrid::RegisterWindowClass()
{
    for (HINSTANCE instance : { AfxGetInstanceHandle(), AfxGetResourceHandle() }) {
        WNDCLASS wc {};
        if (GetClassInfo(instance, kGridClass, &wc))
            continue;
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
        wc.lpszClassName = kGridClass;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
    return TRUE;
}

KTGrid::KTGrid(int nRows, int nCols, int nFixedRows, int nFixedCols)
{
    RegisterWindowClass();
    m_nRowsPerWheelNotch = ReadWheelScrollLines();
    NONCLIENTMETRICS metrics {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    ApplyFont(metrics.lfMessageFont);
    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
    m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = GetSysColor(COLOR_WINDOW);
    m_cr3DFace = GetSysColor(COLOR_3DFACE);
    m_crShadow = GetSysColor(COLOR_3DSHADOW);
    m_crTextColour = m_crWindowText;
    m_crTextBkColour = m_crWindowColour;
    m_crBkColour = m_crShadow;
    m_crFixedTextColour = m_crWindowText;
    m_crFixedBkColour = m_cr3DFace;
    m_crGridColour = RGB(192, 192, 192);
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
}

KTGrid::~KTGrid()
{
    if (m_pDropTarget)
        m_pDropTarget->Revoke();
    DeleteAllItems();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL KTGrid::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style)
{
    if (!CWnd::Create(kGridClass, nullptr, style, rect, parent, id))
        return FALSE;
    RegisterDropTarget();
    if (m_bTitleTips && !m_pTitleTip) {
        m_pTitleTip = std::make_unique<KTTitleTip>();
        m_pTitleTip->Create(this);
    }
    m_arRowHeights.assign(m_nRows, m_nDefCellHeight);
    m_arColWidths.assign(m_nCols, m_nDefCellWidth);
    ForgetLayout();
    ResetScrollBars();
    return TRUE;
}

BOOL KTGrid::SubclassWindow(HWND hwnd)
{
    if (!CWnd::SubclassWindow(hwnd))
        return FALSE;
    RegisterDropTarget();
    if (m_bTitleTips && !m_pTitleTip) {
        m_pTitleTip = std::make_unique<KTTitleTip>();
        m_pTitleTip->Create(this);
    }
    return TRUE;
}

void KTGrid::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    HFONT font = reinterpret_cast<HFONT>(::SendMessage(::GetParent(m_hWnd), WM_GETFONT, 0, 0));
    if (font) {
        LOGFONT lf {};
        if (CFont* f = CFont::FromHandle(font); f && f->GetLogFont(&lf))
            ApplyFont(lf);
    }
    RegisterDropTarget();
    ResetScrollBars();
}

// Once per grid, for its own window: a drop on it goes to this grid only.
void KTGrid::RegisterDropTarget()
{
    if (!m_pDropTarget)
        m_pDropTarget = std::make_unique<KTGridDropTarget>();
    if (m_pDropTarget->IsRegistered() && m_pDropTarget->GetRegisteredWindow() != m_hWnd)
        m_pDropTarget->Revoke(); // the grid has a new window
    if (!m_pDropTarget->IsRegistered())
        m_pDropTarget->Register(this);
}

void KTGrid::ApplyFont(const LOGFONT& font)
{
    m_Logfont = font;
    for (auto& row : m_RowData)
        for (KTGridCell* cell : row)
            cell->lfFont = font;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(&m_Logfont);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(&m_Font);
    TEXTMETRIC tm {};
    dc.GetTextMetrics(&tm);
    m_nMargin = dc.GetTextExtent(" ", 1).cx;
    dc.SelectObject(old);
    m_nDefCellHeight = tm.tmHeight + tm.tmExternalLeading + 2 * m_nMargin;
    m_nDefCellWidth = 2 * (6 * tm.tmAveCharWidth + m_nMargin);
}

LRESULT KTGrid::OnSetFontMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(wParam));
    LOGFONT lf {};
    if (font && font->GetLogFont(&lf))
        ApplyFont(lf);
    if (lParam && GetSafeHwnd())
        Invalidate();
    return result;
}

LRESULT KTGrid::OnGetFontMsg(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_Font.GetSafeHandle());
}

// ---- cells ----

KTGridCell* KTGrid::CreateCell(int row, int col)
{
    auto* cell = new KTGridCell;
    cell->lfFont = m_Logfont;
    if (row > 0 && col < m_nCols && row - 1 < static_cast<int>(m_RowData.size())
        && col < static_cast<int>(m_RowData[row - 1].size()) && m_RowData[row - 1][col])
        cell->nFormat = m_RowData[row - 1][col]->nFormat;
    return cell;
}

void KTGrid::EmptyCell(KTGridCell* cell, int, int)
{
    cell->state = 0;
    cell->szText.Empty();
}

KTGridCell* KTGrid::GetCell(int row, int col) const
{
    if (!IsValid(row, col))
        return nullptr;
    return m_RowData[row][col];
}

BOOL KTGrid::SetCell(int row, int col, KTGridCell* cell)
{
    if (!IsValid(row, col))
        return FALSE;
    m_RowData[row][col] = cell;
    return TRUE;
}

CString KTGrid::GetItemText(int row, int col)
{
    KTGridCell* cell = GetCell(row, col);
    return cell ? cell->szText : CString();
}

BOOL KTGrid::SetItemText(int row, int col, const char* text)
{
    KTGridCell* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    cell->szText = text ? text : "";
    return TRUE;
}

#define KTGRID_FIELD(Set, Get, Type, field, fallback)       \
    BOOL KTGrid::Set(int row, int col, Type value)          \
    {                                                       \
        KTGridCell* cell = GetCell(row, col);               \
        if (!cell)                                          \
            return FALSE;                                   \
        cell->field = value;                                \
        return TRUE;                                        \
    }                                                       \
    Type KTGrid::Get(int row, int col) const                \
    {                                                       \
        const KTGridCell* cell = GetCell(row, col);         \
        return cell ? cell->field : static_cast<Type>(fallback); \
    }

KTGRID_FIELD(SetItemData, GetItemData, LPARAM, lParam, 0)
KTGRID_FIELD(SetItemImage, GetItemImage, int, iImage, -1)
KTGRID_FIELD(SetItemFormat, GetItemFormat, UINT, nFormat, 0)
KTGRID_FIELD(SetItemBkColour, GetItemBkColour, COLORREF, crBkClr, 0)
KTGRID_FIELD(SetItemFgColour, GetItemFgColour, COLORREF, crFgClr, 0)
#undef KTGRID_FIELD

UINT KTGrid::GetItemState(int row, int col) const
{
    const KTGridCell* cell = GetCell(row, col);
    return cell ? cell->state : 0;
}

BOOL KTGrid::SetItemState(int row, int col, UINT state)
{
    KTGridCell* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    // The selected-cell map follows the selected bit.
    const std::uint64_t key = SelectionKey(row, col);
    if ((state & GVIS_SELECTED) && !(cell->state & GVIS_SELECTED))
        m_SelectedCellMap[key] = KTCellID(row, col);
    else if (!(state & GVIS_SELECTED) && (cell->state & GVIS_SELECTED))
        m_SelectedCellMap.erase(key);
    cell->state = state;
    return TRUE;
}

BOOL KTGrid::SetItemFont(int row, int col, const LOGFONT* font)
{
    KTGridCell* cell = GetCell(row, col);
    if (!cell || !font)
        return FALSE;
    cell->lfFont = *font;
    return TRUE;
}

const LOGFONT* KTGrid::GetItemFont(int row, int col) const
{
    const KTGridCell* cell = GetCell(row, col);
    return cell ? &cell->lfFont : &m_Logfont;
}

BOOL KTGrid::SetItem(const GV_ITEM* item)
{
    if (!item || !GetCell(item->row, item->col))
        return FALSE;
    KTGridCell* cell = GetCell(item->row, item->col);
    if (item->mask & GVIF_TEXT)
        SetItemText(item->row, item->col, item->szText);
    if (item->mask & GVIF_PARAM)
        cell->lParam = item->lParam;
    if (item->mask & GVIF_IMAGE)
        cell->iImage = item->iImage;
    if (item->mask & GVIF_STATE)
        SetItemState(item->row, item->col, item->state);
    if (item->mask & GVIF_FORMAT)
        cell->nFormat = item->nFormat;
    if (item->mask & GVIF_BKCLR)
        cell->crBkClr = item->crBkClr;
    if (item->mask & GVIF_FGCLR)
        cell->crFgClr = item->crFgClr;
    if (item->mask & GVIF_FONT)
        cell->lfFont = item->lfFont;
    return TRUE;
}

BOOL KTGrid::GetItem(GV_ITEM* item)
{
    if (!item || !GetCell(item->row, item->col))
        return FALSE;
    const KTGridCell* cell = GetCell(item->row, item->col);
    if (item->mask & GVIF_TEXT)
        item->szText = GetItemText(item->row, item->col);
    if (item->mask & GVIF_PARAM)
        item->lParam = cell->lParam;
    if (item->mask & GVIF_IMAGE)
        item->iImage = cell->iImage;
    if (item->mask & GVIF_STATE)
        item->state = cell->state;
    if (item->mask & GVIF_FORMAT)
        item->nFormat = cell->nFormat;
    if (item->mask & GVIF_BKCLR)
        item->crBkClr = cell->crBkClr;
    if (item->mask & GVIF_FGCLR)
        item->crFgClr = cell->crFgClr;
    if (item->mask & GVIF_FONT)
        item->lfFont = cell->lfFont;
    return TRUE;
}

// ---- structure ----

void KTGrid::DeleteCells(int row)
{
    for (int col = 0; col < static_cast<int>(m_RowData[row].size()); ++col) {
        if (KTGridCell* cell = m_RowData[row][col]) {
            EmptyCell(cell, row, col);
            delete cell;
        }
    }
}

BOOL KTGrid::SetRowCount(int nRows)
{
    if (nRows < 0 || nRows == m_nRows)
        return nRows >= 0;
    if (m_nFixedRows > nRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        m_idCurrentCell = KTCellID();
    for (int row = nRows; row < m_nRows; ++row) {
        for (int col = 0; col < m_nCols; ++col)
            m_SelectedCellMap.erase(SelectionKey(row, col));
        DeleteCells(row);
    }
    const int old = m_nRows;
    m_RowData.resize(nRows);
    m_arRowHeights.resize(nRows, m_nDefCellHeight);
    m_nRows = nRows;
    for (int row = old; row < nRows; ++row) {
        m_RowData[row].resize(m_nCols);
        for (int col = 0; col < m_nCols; ++col)
            m_RowData[row][col] = CreateCell(row, col);
    }
    ForgetLayout();
    if (GetSafeHwnd() && m_bAllowDraw) {
        ResetScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL KTGrid::SetColumnCount(int nCols)
{
    if (nCols < 0 || nCols == m_nCols)
        return nCols >= 0;
    if (m_nFixedCols > nCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        m_idCurrentCell = KTCellID();
    const int old = m_nCols;
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = nCols; col < old; ++col) {
            m_SelectedCellMap.erase(SelectionKey(row, col));
            EmptyCell(m_RowData[row][col], row, col);
            delete m_RowData[row][col];
        }
        m_RowData[row].resize(nCols);
    }
    m_arColWidths.resize(nCols, m_nDefCellWidth);
    m_nCols = nCols;
    for (int row = 0; row < m_nRows; ++row)
        for (int col = old; col < nCols; ++col)
            m_RowData[row][col] = CreateCell(row, col);
    ForgetLayout();
    if (GetSafeHwnd() && m_bAllowDraw) {
        ResetScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL KTGrid::SetFixedRowCount(int n)
{
    if (n < 0)
        return FALSE;
    if (n > m_nRows && !SetRowCount(n))
        return FALSE;
    if (m_idCurrentCell.row < n)
        SetFocusCell(-1, -1);
    m_nFixedRows = n;
    ForgetLayout();
    if (GetSafeHwnd() && m_bAllowDraw)
        Invalidate();
    return TRUE;
}

BOOL KTGrid::SetFixedColumnCount(int n)
{
    if (n < 0)
        return FALSE;
    if (n > m_nCols && !SetColumnCount(n))
        return FALSE;
    if (m_idCurrentCell.col < n)
        SetFocusCell(-1, -1);
    m_nFixedCols = n;
    ForgetLayout();
    if (GetSafeHwnd() && m_bAllowDraw)
        Invalidate();
    return TRUE;
}

int KTGrid::InsertRow(const char* heading, int before)
{
    if (before >= m_nRows)
        return -1;
    ResetSelectedRange();
    if (m_nCols == 0)
        SetColumnCount(1);
    const int row = before < 0 ? m_nRows : before;
    m_RowData.insert(m_RowData.begin() + row, std::vector<KTGridCell*>(m_nCols));
    m_arRowHeights.insert(m_arRowHeights.begin() + row, m_nDefCellHeight);
    ++m_nRows;
    for (int col = 0; col < m_nCols; ++col)
        m_RowData[row][col] = CreateCell(row, col);
    SetItemText(row, 0, heading);
    m_arRowHeights[row] = GetTextExtent(heading ? heading : "", TRUE).cy;
    ForgetLayout();
    ResetScrollBars();
    return row;
}

int KTGrid::InsertColumn(const char* heading, UINT format, int before)
{
    if (before >= m_nCols)
        return -1;
    ResetSelectedRange();
    if (m_nRows == 0)
        SetRowCount(1);
    const int col = before < 0 ? m_nCols : before;
    for (int row = 0; row < m_nRows; ++row)
        m_RowData[row].insert(m_RowData[row].begin() + col, nullptr);
    m_arColWidths.insert(m_arColWidths.begin() + col, m_nDefCellWidth);
    ++m_nCols;
    for (int row = 0; row < m_nRows; ++row) {
        m_RowData[row][col] = CreateCell(row, col);
        m_RowData[row][col]->nFormat = format;
    }
    SetItemText(0, col, heading);
    m_arColWidths[col] = GetTextExtent(heading ? heading : "", TRUE).cx;
    ForgetLayout();
    ResetScrollBars();
    return col;
}

BOOL KTGrid::DeleteRow(int row)
{
    if (row < 0 || row >= m_nRows)
        return FALSE;
    // The selection goes; the focus goes with its row, and one below moves up with it.
    KTCellID focus = m_idCurrentCell;
    SetSelectedRange(-1, -1, -1, -1);
    m_PrevSelectedCellMap.clear();
    DeleteCells(row);
    m_RowData.erase(m_RowData.begin() + row);
    m_arRowHeights.erase(m_arRowHeights.begin() + row);
    --m_nRows;
    if (row < m_nFixedRows)
        --m_nFixedRows;
    if (focus.row == row)
        m_idCurrentCell = KTCellID();
    else if (focus.row > row)
        m_idCurrentCell.row = focus.row - 1;
    ForgetLayout();
    ResetScrollBars();
    return TRUE;
}

BOOL KTGrid::DeleteColumn(int col)
{
    if (col < 0 || col >= m_nCols)
        return FALSE;
    ResetSelectedRange();
    for (int row = 0; row < m_nRows; ++row) {
        EmptyCell(m_RowData[row][col], row, col);
        delete m_RowData[row][col];
        m_RowData[row].erase(m_RowData[row].begin() + col);
    }
    m_arColWidths.erase(m_arColWidths.begin() + col);
    --m_nCols;
    if (col < m_nFixedCols)
        --m_nFixedCols;
    ForgetLayout();
    ResetScrollBars();
    return TRUE;
}

BOOL KTGrid::DeleteNonFixedRows()
{
    if (m_nRows <= m_nFixedRows)
        return TRUE;
    // All at once: the rows go from the last up, and the scroll state is worked out once.
    ResetSelectedRange();
    for (int row = m_nRows - 1; row >= m_nFixedRows; --row)
        DeleteCells(row);
    m_RowData.resize(m_nFixedRows);
    m_arRowHeights.resize(m_nFixedRows);
    m_nRows = m_nFixedRows;
    ForgetLayout();
    ResetScrollBars();
    return TRUE;
}

BOOL KTGrid::DeleteAllItems()
{
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
    m_arRowHeights.clear();
    m_arColWidths.clear();
    for (int row = 0; row < static_cast<int>(m_RowData.size()); ++row)
        DeleteCells(row);
    m_RowData.clear();
    m_idCurrentCell = KTCellID();
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    m_nVScrollPos = m_nHScrollPos = 0;
    ForgetLayout();
    ResetScrollBars();
    return TRUE;
}

// ---- sorting ----

// Moves the non-fixed rows into `order` (row indices); each row keeps its cells and height.
void KTGrid::ReorderRows(const std::vector<int>& order)
{
    // Follows the permutation's cycles, swapping whole rows in place.
    const int lo = m_nFixedRows;
    std::vector<char> placed(order.size(), 0);
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start])
            continue;
        size_t at = start;
        while (true) {
            placed[at] = 1;
            const size_t from = static_cast<size_t>(order[at] - lo);
            if (from == start)
                break;
            std::swap(m_RowData[lo + at], m_RowData[lo + from]);
            std::swap(m_arRowHeights[lo + at], m_arRowHeights[lo + from]);
            at = from;
        }
    }
    ForgetLayout();
}

// Sorts (text, row) pairs: a strict order over the rows being sorted, so no comparison reads
// outside them and equal texts keep their order.
BOOL KTGrid::SortTextItems(int col, BOOL ascending)
{
    if (col < 0 || col >= m_nCols || m_nRows - m_nFixedRows < 2)
        return FALSE;
    ResetSelectedRange();
    std::vector<std::pair<std::string_view, int>> keys;
    keys.reserve(m_nRows - m_nFixedRows);
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        const CString& text = m_RowData[row][col]->szText;
        keys.emplace_back(std::string_view(text.GetString(), text.GetLength()), row);
    }
    // Equal texts keep their order: the row index breaks ties.
    if (ascending)
        std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
            const int c = a.first.compare(b.first);
            return c < 0 || (c == 0 && a.second < b.second);
        });
    else
        std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
            const int c = a.first.compare(b.first);
            return c > 0 || (c == 0 && a.second < b.second);
        });
    std::vector<int> order(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].second;
    ReorderRows(order);
    return TRUE;
}

BOOL KTGrid::SortItems(PFNLVCOMPARE compare, int col, BOOL ascending, LPARAM data)
{
    if (!compare || col < 0 || col >= m_nCols || m_nRows - m_nFixedRows < 2)
        return FALSE;
    ResetSelectedRange();
    std::vector<std::pair<LPARAM, int>> keys;
    keys.reserve(m_nRows - m_nFixedRows);
    for (int row = m_nFixedRows; row < m_nRows; ++row)
        keys.emplace_back(m_RowData[row][col]->lParam, row);
    std::stable_sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        const int c = compare(a.first, b.first, data);
        return ascending ? c < 0 : c > 0;
    });
    std::vector<int> order(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].second;
    ReorderRows(order);
    return TRUE;
}
