// KTLineListBox: an owner-drawn list box of line samples. Each item's data is a LineStyleItem
// that whoever fills the list supplies and keeps; the list draws it as that many one-pixel lines
// in that pen style, banded about the item's middle, optionally with the number in front.
// The line-style combo box embeds one for its drop-down list.
#pragma once

#include "ktctrl/basic/LineStyleItem.h"
#include "platform/ui/controls/ListBox.h"

#include <functional>

class KTLineListBox : public CListBox
{
public:
    // Draws one line item (the same in the list and in the combo box); an item without its
    // LineStyleItem draws no line.
    static void DrawLineItem(LPDRAWITEMSTRUCT lpDrawItemStruct, const LineStyleItem* item, int showWidth);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int m_bShowWidth { 0 };
    // When set, how an item's data becomes its LineStyleItem (the combo box recognises only
    // the items it made); unset, the data is taken to be one.
    std::function<const LineStyleItem*(DWORD_PTR)> m_itemOf;
};
