// The colour picker's palette popup.
#include "ktctrl/basic/KTColorPopup.h"

#include "ktctrl/basic/OffscreenDC.h"
#include "ktctrl/res/KTCtrlStrings.h"
#include "ktutil/KTGF.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/SystemParameters.h"
#include "platform/msg/WindowClass.h"
#include "platform/ui/dialogs/ColorDialog.h"

#include <algorithm>
#include <vector>

// The names are in the string table under IDS_KTCOLOR_PALETTE_FIRST + cell.
const COLORREF KTColorPopup::m_crColors[COLOUR_COUNT] = {
    0x000000, 0x002AA5, 0x404000, 0x005500, 0x5E0000, 0x8B0000, 0x82004B, 0x282828, // Black ... Dark grey
    0x00008B, 0x2068FF, 0x008B8B, 0x009300, 0x8E8E38, 0xFF0000, 0xC07B7B, 0x666666, // Dark red ... Grey - 40
    0x0000FF, 0x5BADFF, 0x32CD32, 0x71B33C, 0xD4FF7F, 0xC09E7D, 0x800080, 0x7F7F7F, // Red ... Grey - 50
    0xCBC0FF, 0x00D7FF, 0x00FFFF, 0x00FF00, 0xD0E040, 0xFFFFC0, 0x480048, 0xC0C0C0, // Pink ... Light grey
    0xE1E4FF, 0x8CB4D2, 0xE0FFFF, 0x98FB98, 0xEEEEAF, 0x8B8368, 0xFAE6E6, 0xFFFFFF, // Rose ... White
};

CString KTColorPopup::GetColourName(int cell)
{
    if (cell < 0 || cell >= COLOUR_COUNT)
        return {};
    return KTGF::GetString(ktctrl::IDS_KTCOLOR_PALETTE_FIRST + static_cast<UINT>(cell));
}

// ---- cell tables ------------------------------------------------------------------------------

int KTColorPopup::ChosenCellFor(COLORREF colour, BOOL hasDefault, BOOL hasCustom)
{
    if (colour == CLR_DEFAULT && hasDefault)
        return DEFAULT_CELL;
    for (int i = 0; i < COLOUR_COUNT; ++i)
        if (m_crColors[i] == colour)
            return i;
    return hasCustom ? CUSTOM_CELL : NO_CELL;
}

int KTColorPopup::ArrowTarget(int cell, UINT key, BOOL hasDefault, BOOL hasCustom)
{
    constexpr int last = COLOUR_COUNT - 1;
    constexpr int columns = COLUMN_COUNT;
    // Where a walk leaves the colour cells forwards (down, right) and backwards (up, left).
    const int afterLast = hasCustom ? CUSTOM_CELL : (hasDefault ? DEFAULT_CELL : 0);
    const int beforeFirst = hasDefault ? DEFAULT_CELL : (hasCustom ? CUSTOM_CELL : last);
    const bool colourCell = cell >= 0 && cell <= last;
    switch (key) {
    case VK_DOWN:
    case VK_RIGHT: {
        if (cell == DEFAULT_CELL)
            return 0;
        if (cell == CUSTOM_CELL)
            return hasDefault ? DEFAULT_CELL : 0;
        int next = !colourCell ? COLOUR_COUNT : cell + (key == VK_DOWN ? columns : 1);
        return next <= last ? next : afterLast;
    }
    case VK_UP:
    case VK_LEFT: {
        if (cell == DEFAULT_CELL)
            return hasCustom ? CUSTOM_CELL : last;
        if (cell == CUSTOM_CELL)
            return last;
        int previous = !colourCell ? -1 : cell - (key == VK_UP ? columns : 1);
        return previous >= 0 ? previous : beforeFirst;
    }
    default: return cell;
    }
}

// ---- life -----------------------------------------------------------------------------------------

KTColorPopup::KTColorPopup() { Initialise(); }

KTColorPopup::KTColorPopup(CPoint topLeft, COLORREF colour, CWnd* pPicker, LPCTSTR defaultText, LPCTSTR customText,
                           long id)
    : m_nId(id)
{
    Initialise();
    m_strDefaultText = defaultText;
    m_strCustomText = customText;
    Create(topLeft, colour, pPicker, defaultText, customText);
}

void KTColorPopup::Initialise()
{
    m_nBoxSize = std::max(18, 2 * GetSystemMetrics(SM_CXEDGE) + 7);
    m_nMargin = GetSystemMetrics(SM_CXEDGE);

    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_Font.CreateFontIndirect(&metrics.lfMessageFont);

    // A logical palette of the table's colours, for a palette device.
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + (COLOUR_COUNT - 1) * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = COLOUR_COUNT;
    for (int i = 0; i < COLOUR_COUNT; ++i)
        palette->palPalEntry[i] = PALETTEENTRY { GetRValue(m_crColors[i]), GetGValue(m_crColors[i]), GetBValue(m_crColors[i]), 0 };
    m_Palette.CreatePalette(palette);
}

BOOL KTColorPopup::Create(CPoint topLeft, COLORREF colour, CWnd* pPicker, LPCTSTR defaultText, LPCTSTR customText)
{
    m_hPicker = pPicker ? pPicker->GetSafeHwnd() : nullptr;
    m_crInitialColour = m_crColour = colour;
    LPCTSTR className = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW, nullptr,
                                            GetSysColorBrush(COLOR_BTNFACE));
    if (!m_hPicker || !CreateEx(0, className, "", WS_POPUP | WS_VISIBLE, topLeft.x, topLeft.y, 100, 100, m_hPicker, nullptr))
        return FALSE;
    if (defaultText)
        m_strDefaultText = defaultText;
    if (customText)
        m_strCustomText = customText;
    SetWindowSize();
    CreateToolTips();
    m_nChosenColourSel = ChosenCellFor(colour, HasDefault(), HasCustom());
    SetCapture();
    return TRUE;
}

// ---- layout ---------------------------------------------------------------------------------------

void KTColorPopup::SetWindowSize()
{
    CSize textBox(0, 0);
    if (HasDefault() || HasCustom()) {
        CDC* dc = GetDC();
        CFont* oldFont = dc->SelectObject(&m_Font);
        CSize extent(0, 0);
        for (const CString* text : { &m_strDefaultText, &m_strCustomText }) {
            CSize size = dc->GetTextExtent(*text);
            extent.cx = std::max(extent.cx, size.cx);
            extent.cy = std::max(extent.cy, size.cy);
        }
        dc->SelectObject(oldFont);
        ReleaseDC(dc);
        textBox = CSize(extent.cx + 2 * m_nMargin, extent.cy + 4 * m_nMargin + 2);
    }

    CRect window;
    GetWindowRect(&window);
    m_WindowRect = CRect(window.TopLeft(), CSize(m_nNumColumns * m_nBoxSize + 2 * m_nMargin, m_nNumRows * m_nBoxSize + 2 * m_nMargin));
    m_nCellTop = 0;
    if (HasDefault()) {
        m_WindowRect.right = std::max<LONG>(m_WindowRect.right, m_WindowRect.left + textBox.cx);
        m_DefaultTextRect = CRect(m_nMargin, m_nMargin, m_WindowRect.Width() - m_nMargin, textBox.cy + 2 * m_nMargin);
        m_WindowRect.bottom += textBox.cy + 3 * m_nMargin;
        m_nCellTop = textBox.cy + 2 * m_nMargin;
    }
    if (HasCustom()) {
        m_WindowRect.right = std::max<LONG>(m_WindowRect.right, m_WindowRect.left + textBox.cx);
        int top = m_WindowRect.Height();
        m_CustomTextRect = CRect(m_nMargin, top, m_WindowRect.Width() - m_nMargin, top + m_nMargin + textBox.cy);
        m_WindowRect.bottom += textBox.cy + 3 * m_nMargin;
    }

    // On the screen: moved left to fit, never off the left edge, and above the picker when it
    // would pass the bottom.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (m_WindowRect.right > screenWidth)
        m_WindowRect.OffsetRect(screenWidth - m_WindowRect.right, 0);
    if (m_WindowRect.left < 0)
        m_WindowRect.OffsetRect(-m_WindowRect.left, 0);
    if (m_WindowRect.bottom > screenHeight) {
        CRect picker;
        ::GetWindowRect(m_hPicker, &picker);
        m_WindowRect.OffsetRect(0, -(m_WindowRect.Height() + picker.Height()));
    }
    MoveWindow(&m_WindowRect, TRUE);
}

CRect KTColorPopup::GetCellRect(int cell) const
{
    if (cell == DEFAULT_CELL)
        return HasDefault() ? m_DefaultTextRect : CRect();
    if (cell == CUSTOM_CELL)
        return HasCustom() ? m_CustomTextRect : CRect();
    if (cell < 0 || cell >= m_nNumColours)
        return CRect();
    int row = cell / m_nNumColumns;
    int column = cell % m_nNumColumns;
    CPoint topLeft(column * m_nBoxSize + m_nMargin, row * m_nBoxSize + m_nMargin + m_nCellTop);
    return CRect(topLeft, CSize(m_nBoxSize, m_nBoxSize));
}

// The cell under a client point, tested against the cells as they are drawn; NO_CELL between
// and outside them.
int KTColorPopup::CellAt(CPoint point) const
{
    for (int cell : { CUSTOM_CELL, DEFAULT_CELL })
        if (GetCellRect(cell).PtInRect(point))
            return cell;
    CPoint grid(point.x - m_nMargin, point.y - m_nMargin - m_nCellTop);
    if (grid.x < 0 || grid.y < 0)
        return NO_CELL;
    int column = grid.x / m_nBoxSize;
    int row = grid.y / m_nBoxSize;
    if (column >= m_nNumColumns || row >= m_nNumRows)
        return NO_CELL;
    int cell = row * m_nNumColumns + column;
    return cell < m_nNumColours ? cell : NO_CELL;
}

void KTColorPopup::CreateToolTips()
{
    if (!m_ToolTip.Create(this))
        return;
    for (int cell = 0; cell < m_nNumColours; ++cell) {
        CRect rect = GetCellRect(cell);
        m_ToolTip.AddTool(this, GetColourName(cell), &rect, static_cast<UINT_PTR>(cell + 1));
    }
}

BOOL KTColorPopup::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.GetSafeHwnd())
        m_ToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

// ---- selection --------------------------------------------------------------------------------------

void KTColorPopup::ChangeSelection(int cell)
{
    if (m_nCurrentSel != NO_CELL) {
        CRect old = GetCellRect(m_nCurrentSel);
        InvalidateRect(&old, FALSE);
    }
    m_nCurrentSel = cell;
    CRect now = GetCellRect(cell);
    InvalidateRect(&now, FALSE);

    COLORREF reported = m_crInitialColour; // the "More Colours..." cell leaves the colour as it is
    if (cell == DEFAULT_CELL)
        reported = m_crColour = CLR_DEFAULT;
    else if (cell >= 0 && cell < m_nNumColours)
        reported = m_crColour = m_crColors[cell];
    if (::IsWindow(m_hPicker))
        ::SendMessage(m_hPicker, CPM_SELCHANGE, reported, m_nId);
}

void KTColorPopup::EndSelection(UINT message)
{
    if (m_bEnding)
        return;
    m_bEnding = true;
    ReleaseCapture();
    // Everything the end needs is copied first: the colour dialog below and the picker's
    // handling of the end message may run messages that destroy this popup.
    const HWND self = m_hWnd;
    const HWND picker = m_hPicker;
    const long id = m_nId;
    COLORREF colour = m_crColour;
    if (message == CPM_SELENDOK && m_nCurrentSel == CUSTOM_CELL) {
        CColorDialog dialog(m_crInitialColour, CC_FULLOPEN | CC_ANYCOLOR, this);
        INT_PTR answer = dialog.DoModal();
        if (!::IsWindow(self))
            return; // destroyed (and deleted) while the dialog was open
        if (answer == IDOK)
            colour = m_crColour = dialog.GetColor();
        else
            message = CPM_SELENDCANCEL;
    }
    if (message == CPM_SELENDCANCEL)
        colour = m_crColour = m_crInitialColour;
    if (::IsWindow(picker))
        ::SendMessage(picker, message, colour, id);
    if (::IsWindow(self))
        ::DestroyWindow(self);
}

// ---- messages ------------------------------------------------------------------------------------------

const platform::MessageMap* KTColorPopup::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &KTColorPopup::OnPaint>(),
        Message<WM_ERASEBKGND, &KTColorPopup::OnEraseBkgnd>(),
        Message<WM_MOUSEMOVE, &KTColorPopup::OnMouseMove>(),
        Message<WM_LBUTTONUP, &KTColorPopup::OnLButtonUp>(),
        Message<WM_KEYDOWN, &KTColorPopup::OnKeyDown>(),
        Message<WM_KILLFOCUS, &KTColorPopup::OnKillFocus>(),
        Message<WM_ACTIVATEAPP, &KTColorPopup::OnActivateApp>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

void KTColorPopup::OnMouseMove(UINT, CPoint point)
{
    int cell = CellAt(point);
    if (cell != NO_CELL && cell != m_nCurrentSel)
        ChangeSelection(cell);
}

void KTColorPopup::OnLButtonUp(UINT, CPoint point)
{
    ClientToScreen(&point);
    CRect window;
    GetWindowRect(&window);
    EndSelection(window.PtInRect(point) ? CPM_SELENDOK : CPM_SELENDCANCEL);
}

void KTColorPopup::OnKeyDown(UINT nChar, UINT, UINT)
{
    switch (nChar) {
    case VK_RETURN:
    case VK_SPACE: EndSelection(CPM_SELENDOK); return;
    case VK_ESCAPE:
        m_crColour = m_crInitialColour;
        EndSelection(CPM_SELENDCANCEL);
        return;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: ChangeSelection(ArrowTarget(m_nCurrentSel, nChar, HasDefault(), HasCustom())); return;
    default: Default(); return;
    }
}

void KTColorPopup::OnKillFocus(CWnd*)
{
    Default();
    ReleaseCapture();
}

LRESULT KTColorPopup::OnActivateApp(WPARAM wParam, LPARAM)
{
    Default();
    if (!wParam)
        EndSelection(CPM_SELENDCANCEL);
    return 0;
}

// ---- drawing ------------------------------------------------------------------------------------------

BOOL KTColorPopup::OnEraseBkgnd(CDC*) { return TRUE; } // the paint covers every pixel

void KTColorPopup::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* target = BeginPaint(&ps);
    if (!target)
        return;
    CRect client;
    GetClientRect(&client);
    {
        ktctrl::OffscreenDC dc(target, client);
        dc.FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
        if (HasDefault())
            DrawTextCell(dc, DEFAULT_CELL);
        for (int cell = 0; cell < m_nNumColours; ++cell)
            DrawColourCell(dc, cell);
        if (HasCustom())
            DrawTextCell(dc, CUSTOM_CELL);
        dc.DrawEdge(&client, EDGE_RAISED, BF_RECT);
    }
    EndPaint(&ps);
}

// The current cell stands out, else the chosen one sinks in.
void KTColorPopup::DrawCellEdge(CDC& dc, const CRect& rect, int cell)
{
    CRect edge = rect;
    if (m_nCurrentSel == cell)
        dc.DrawEdge(&edge, BDR_RAISEDINNER, BF_RECT);
    else if (m_nChosenColourSel == cell)
        dc.DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
}

void KTColorPopup::DrawColourCell(CDC& dc, int cell)
{
    CRect rect = GetCellRect(cell);
    CPalette* oldPalette = nullptr;
    const bool palette = (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    if (palette) {
        oldPalette = dc.SelectPalette(&m_Palette, FALSE);
        dc.RealizePalette();
    }
    const bool chosenOnly = m_nChosenColourSel == cell && m_nCurrentSel != cell;
    dc.FillSolidRect(&rect, GetSysColor(chosenOnly ? COLOR_3DHILIGHT : COLOR_3DFACE));
    DrawCellEdge(dc, rect, cell);

    CRect swatch = rect;
    swatch.DeflateRect(m_nMargin + 1, m_nMargin + 1);
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
    // A true-colour surface shows the exact colour, which is what a palette-relative colour
    // resolves to on a palette device.
    CBrush brush(m_crColors[cell]);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(&swatch);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    if (palette)
        dc.SelectPalette(oldPalette, FALSE);
}

void KTColorPopup::DrawTextCell(CDC& dc, int cell)
{
    const bool custom = cell == CUSTOM_CELL;
    CRect button = GetCellRect(cell);
    if (custom) {
        // A separator across the popup above the "More Colours..." button.
        const CRect& r = m_CustomTextRect;
        button.top += 2 * m_nMargin;
        dc.FillSolidRect(&button, GetSysColor(COLOR_3DFACE));
        dc.FillSolidRect(r.left + 2 * m_nMargin, r.top, r.Width() - 4 * m_nMargin, 1, GetSysColor(COLOR_3DSHADOW));
        dc.FillSolidRect(r.left + 2 * m_nMargin, r.top + 1, r.Width() - 4 * m_nMargin, 1, GetSysColor(COLOR_3DHILIGHT));
    } else {
        dc.FillSolidRect(&button, GetSysColor(COLOR_3DFACE));
    }
    button.DeflateRect(1, 1);
    const bool chosenOnly = m_nChosenColourSel == cell && m_nCurrentSel != cell;
    dc.FillSolidRect(&button, GetSysColor(chosenOnly ? COLOR_3DLIGHT : COLOR_3DFACE));
    if (!custom) {
        CRect inner = button;
        inner.DeflateRect(2 * m_nMargin, 2 * m_nMargin);
        CPen pen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
        CPen* oldPen = dc.SelectObject(&pen);
        CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(&inner);
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);
    }
    DrawCellEdge(dc, button, cell);

    CFont* oldFont = dc.SelectObject(&m_Font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc.DrawText(custom ? m_strCustomText : m_strDefaultText, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(oldFont);
}
