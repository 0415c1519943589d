// KTColorComboBox: an owner-drawn combo box of named colours. Each item shows a swatch in its
// left quarter and the colour's name beside it; the item data is the colour. A new control
// (created or subclassed) lists 16 default colours with the first selected. The combo box
// must have the styles CBS_OWNERDRAWFIXED and CBS_HASSTRINGS.
#pragma once

#include "ktctrl/basic/KTColorPopup.h"
#include "platform/ui/controls/ComboBox.h"

class KTColorComboBox : public CComboBox
{
public:
    // The 16 default colours; their names are in the library's string table under
    // IDS_KTCOLOR_COMBO_FIRST + index.
    static const COLORREF s_DefaultColors[16];

    // Empties the list and adds the default colours in order (as far as the control has room).
    virtual void Default();

    // Adds a colour that is not listed yet at the end: its index, -1 when the colour is
    // listed already, or the control's error code.
    int AddColor(COLORREF crColor, LPCTSTR lpszName);
    int AddColor(const __KTCOLOR_ENTRY& entry);
    // Removes the item and returns its colour.
    COLORREF RemoveColor(int nIndex);
    // Removes the first item of that colour: 1, or 0 when none has it.
    int RemoveColor(COLORREF crColor);
    void RemoveAllColor();
    // The first item of that colour, or -1.
    int FindColor(COLORREF crColor) const;
    COLORREF GetColor(int nIndex) const;
    // The selected item's colour; 0 when nothing is selected.
    COLORREF GetSelectedColor() const;
    // Selects the first item of that colour; an unlisted colour leaves the selection alone.
    void SetSelectedColor(COLORREF crColor);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void PreSubclassWindow() override;

private:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
};
