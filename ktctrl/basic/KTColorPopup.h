// KTColorPopup: the palette under a colour picker: 40 named colours in 8 columns, an optional
// "Default" cell above them and an optional "More Colours..." cell below that opens the
// system's colour dialog. It holds the mouse capture while open, follows the mouse and the
// arrow keys, and ends with OK (a click inside, Enter, Space) or cancel (a click outside,
// Escape, the program losing activation). Its one end message goes to the picker, by window
// handle only, so a picker that is gone by then is simply not told.
//
// A popup with a window lives on the heap and frees itself when its window is destroyed.
#pragma once

#include "ktctrl/basic/KTColorPickerMessages.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPalette.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/controls/ToolTipCtrl.h"

// One named colour, as a caller hands it to the colour combo box.
struct __KTCOLOR_ENTRY
{
    COLORREF crColour;
    char szName[20]; // zero-terminated
};
static_assert(sizeof(__KTCOLOR_ENTRY) == 24);

class KTColorPopup : public CWnd
{
public:
    // Cell numbers besides the colour cells 0 to 39 (row by row from the top left).
    static constexpr int DEFAULT_CELL = -3;
    static constexpr int CUSTOM_CELL = -2;
    static constexpr int NO_CELL = -1;
    static constexpr int COLOUR_COUNT = 40;
    static constexpr int COLUMN_COUNT = 8;

    // The palette, cell by cell: the colours, and their names in the library's string table.
    static const COLORREF m_crColors[COLOUR_COUNT];
    static CString GetColourName(int cell);

    // Without a window.
    KTColorPopup();
    // Opens the popup at once (see Create); when its window cannot be made the object stays
    // without one, and its maker deletes it.
    KTColorPopup(CPoint topLeft, COLORREF colour, CWnd* pPicker, LPCTSTR defaultText = nullptr,
                 LPCTSTR customText = nullptr, long id = 0);
    ~KTColorPopup() override = default;

    // Opens the visible popup at `topLeft` (screen), owned by the picker's window, for `colour`;
    // a null or empty text leaves its cell out. FALSE when the window cannot be made.
    BOOL Create(CPoint topLeft, COLORREF colour, CWnd* pPicker, LPCTSTR defaultText = nullptr,
                LPCTSTR customText = nullptr);

    // The highlighted cell and the cell of the colour it was opened with.
    int GetCurrentCell() const { return m_nCurrentSel; }
    int GetChosenCell() const { return m_nChosenColourSel; }
    // A cell's rectangle in client coordinates; empty for a cell that does not exist.
    CRect GetCellRect(int cell) const;

    // The cell an arrow key (VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT) moves to from `cell`, with or
    // without the "Default" and "More Colours..." cells.
    static int ArrowTarget(int cell, UINT key, BOOL hasDefault, BOOL hasCustom);
    // The cell marked as chosen for `colour`: the "Default" cell for CLR_DEFAULT, the first cell
    // of exactly that colour, else the "More Colours..." cell, else none.
    static int ChosenCellFor(COLORREF colour, BOOL hasDefault, BOOL hasCustom);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void PostNcDestroy() override { delete this; }

private:
    void Initialise();
    void SetWindowSize();
    void CreateToolTips();
    void ChangeSelection(int cell);
    void EndSelection(UINT message);
    int CellAt(CPoint point) const;
    bool HasDefault() const { return !m_strDefaultText.IsEmpty(); }
    bool HasCustom() const { return !m_strCustomText.IsEmpty(); }

    void DrawColourCell(CDC& dc, int cell);
    void DrawTextCell(CDC& dc, int cell);
    void DrawCellEdge(CDC& dc, const CRect& rect, int cell);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    LRESULT OnActivateApp(WPARAM wParam, LPARAM lParam);

    int m_nNumColours { COLOUR_COUNT };
    int m_nNumColumns { COLUMN_COUNT };
    int m_nNumRows { (COLOUR_COUNT + COLUMN_COUNT - 1) / COLUMN_COUNT };
    int m_nBoxSize { 18 };
    int m_nMargin { 2 };
    int m_nCurrentSel { NO_CELL };
    int m_nChosenColourSel { NO_CELL };
    CString m_strDefaultText;
    CString m_strCustomText;
    CRect m_CustomTextRect;
    CRect m_DefaultTextRect;
    CRect m_WindowRect; // screen
    int m_nCellTop { 0 }; // where the colour cells start below a "Default" cell
    CFont m_Font;
    CPalette m_Palette;
    COLORREF m_crInitialColour { 0 };
    COLORREF m_crColour { 0 };
    CToolTipCtrl m_ToolTip;
    HWND m_hPicker { nullptr };
    long m_nId { 0 };
    bool m_bEnding { false }; // the end message is on its way; a second ending is ignored
};
