// KTColorPicker: a push button that shows a colour as its face (or as the colour of its
// caption) with a drop-down arrow at its right end. A click opens the palette popup
// (KTColorPopup) under it; the picker takes the popup's answer and reports to its parent with
// CPM_DROPDOWN, CPM_SELCHANGE, CPM_CLOSEUP, CPM_SELENDOK and CPM_SELENDCANCEL (wParam the
// colour, lParam the picker's control id). The settings pages set and read it with SetColour
// and GetColour and react to CPM_SELENDOK.
//
// The picker sizes itself when it is created or subclassed: its height fits the arrow, its
// width at least two arrows.
#pragma once

#include "ktctrl/basic/KTColorPickerMessages.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/dialogs/DataExchange.h"

class KTColorPicker : public CButton
{
public:
    KTColorPicker();
    ~KTColorPicker() override;

    // The picked colour: the text colour in selection mode 1, else the background colour.
    COLORREF GetColour() const;
    void SetColour(COLORREF crColour);
    // Store the colour and repaint at once when the window exists.
    void SetBkColour(COLORREF crColourBk);
    COLORREF GetBkColour() const { return m_crColourBk; }
    void SetTextColour(COLORREF crColourText);
    COLORREF GetTextColour() const { return m_crColourText; }

    // The popup's two text cells; a null or empty text leaves that cell out.
    void SetDefaultText(LPCTSTR szDefaultText);
    void SetCustomText(LPCTSTR szCustomText);
    CString GetDefaultText() const { return m_strDefaultText; }
    CString GetCustomText() const { return m_strCustomText; }

    // With track selection every colour highlighted in the open popup is applied at once.
    void SetTrackSelection(int bTracking) { m_bTrackSelection = bTracking; }
    int GetTrackSelection() const { return m_bTrackSelection; }
    // 1 picks the text colour; anything else the background colour.
    void SetSelectionMode(UINT nMode) { m_nSelectionMode = nMode; }
    UINT GetSelectionMode() const { return m_nSelectionMode; }

    // The drop-down arrow, in client coordinates.
    CRect GetArrowRect() const { return m_ArrowRect; }
    // Whether the popup is open (the button is drawn pressed).
    BOOL IsActive() const { return m_bActive; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    static constexpr UINT SELECTION_MODE_TEXT = 1;
    static constexpr UINT SELECTION_MODE_BACKGROUND = 2;

protected:
    void PreSubclassWindow() override;

private:
    void SetWindowSize();
    void Repaint();
    // Sends the parent `message` with the colour and the control id; touches nothing of this
    // object afterwards (the parent may destroy the picker in its handler).
    void NotifyParent(std::initializer_list<UINT> messages, COLORREF colour);

    void OnClicked();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    LRESULT OnSelChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelEndOK(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelEndCancel(WPARAM wParam, LPARAM lParam);

    int m_bActive { FALSE };
    int m_bTrackSelection { FALSE };
    COLORREF m_crColourBk { 0 };
    COLORREF m_crColourText { 0 };
    UINT m_nSelectionMode { SELECTION_MODE_BACKGROUND };
    CRect m_ArrowRect;
    CString m_strDefaultText;
    CString m_strCustomText;
    HWND m_hPopup { nullptr }; // the open popup, closed with the picker
};

// Dialog data exchange of a picker's colour.
void DDX_ColourPicker(CDataExchange* pDX, int nIDC, COLORREF& crColour);
