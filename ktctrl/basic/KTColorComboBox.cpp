// The colour combo box.
#include "ktctrl/basic/KTColorComboBox.h"

#include "ktctrl/basic/OffscreenDC.h"
#include "ktctrl/res/KTCtrlStrings.h"
#include "ktutil/KTGF.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>
#include <cstring>

const COLORREF KTColorComboBox::s_DefaultColors[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, // Black ... Grey
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, // Silver ... White
};

const platform::MessageMap* KTColorComboBox::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &KTColorComboBox::OnCreate>(),
    };
    static constexpr platform::MessageMap kMap { &CComboBox::GetThisMessageMap, kEntries };
    return &kMap;
}

// A combo box being created has no items to show yet: this fills nothing then, and WM_CREATE
// fills it once the control exists.
void KTColorComboBox::PreSubclassWindow()
{
    Default();
    SetCurSel(0);
    CComboBox::PreSubclassWindow();
}

int KTColorComboBox::OnCreate(LPCREATESTRUCT)
{
    if (CWnd::Default() == -1)
        return -1;
    Default();
    SetCurSel(0);
    return 0;
}

// ---- the colours ---------------------------------------------------------------------------------

void KTColorComboBox::Default()
{
    CComboBox::ResetContent();
    for (int i = 0; i < 16; ++i) {
        int index = AddString(KTGF::GetString(ktctrl::IDS_KTCOLOR_COMBO_FIRST + static_cast<UINT>(i)));
        if (index == CB_ERRSPACE)
            break;
        SetItemData(index, s_DefaultColors[i]);
    }
}

int KTColorComboBox::AddColor(COLORREF crColor, LPCTSTR lpszName)
{
    if (FindColor(crColor) != -1)
        return -1;
    int index = InsertString(-1, lpszName);
    if (index >= 0)
        SetItemData(index, crColor);
    return index;
}

int KTColorComboBox::AddColor(const __KTCOLOR_ENTRY& entry)
{
    // The name is read only up to its field's end, terminated or not.
    return AddColor(entry.crColour, CString(entry.szName, static_cast<int>(strnlen(entry.szName, sizeof(entry.szName)))));
}

COLORREF KTColorComboBox::RemoveColor(int nIndex)
{
    COLORREF colour = GetColor(nIndex);
    DeleteString(static_cast<UINT>(nIndex));
    return colour;
}

int KTColorComboBox::RemoveColor(COLORREF crColor)
{
    int index = FindColor(crColor);
    if (index == -1)
        return 0;
    DeleteString(static_cast<UINT>(index));
    return 1;
}

void KTColorComboBox::RemoveAllColor() { CComboBox::ResetContent(); }

int KTColorComboBox::FindColor(COLORREF crColor) const
{
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (GetColor(i) == crColor)
            return i;
    return -1;
}

COLORREF KTColorComboBox::GetColor(int nIndex) const { return static_cast<COLORREF>(GetItemData(nIndex)); }

COLORREF KTColorComboBox::GetSelectedColor() const
{
    int index = GetCurSel();
    return index == CB_ERR ? 0 : GetColor(index);
}

void KTColorComboBox::SetSelectedColor(COLORREF crColor)
{
    int index = FindColor(crColor);
    if (index != -1)
        SetCurSel(index);
}

// ---- drawing ---------------------------------------------------------------------------------------

void KTColorComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!target)
        return;
    const CRect item = lpDrawItemStruct->rcItem;
    const UINT state = lpDrawItemStruct->itemState;
    ktctrl::OffscreenDC dc(target, item);
    dc.UseFontOf(m_hWnd);

    const bool selected = (state & ODS_SELECTED) != 0;
    COLORREF text = selected ? (~GetSysColor(COLOR_WINDOWTEXT) & 0x00FFFFFF) : GetSysColor(COLOR_WINDOWTEXT);
    dc.FillSolidRect(&item, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (state & ODS_FOCUS)
        dc.DrawFocusRect(&item);
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    if (index < 0)
        return;

    // The name is read for this item alone, into a text of its own.
    CString name;
    GetLBText(index, name);
    COLORREF swatchColour = static_cast<COLORREF>(lpDrawItemStruct->itemData);
    if (state & ODS_DISABLED)
        swatchColour = text = GetSysColor(COLOR_INACTIVECAPTIONTEXT);

    // The name 2 pixels below the item's top, higher where the item is too low for the font,
    // so that it is never cut off.
    const int quarter = item.Width() / 4;
    TEXTMETRIC metrics {};
    dc.GetTextMetrics(&metrics);
    const int textTop = item.top + std::clamp<int>((item.Height() - metrics.tmHeight) / 2, 0, 2);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text);
    dc.TextOut(item.left + quarter + 2, textTop, name);

    CRect swatch(item.left + 2, item.top + 2, quarter, item.bottom - 2);
    dc.FillSolidRect(&swatch, swatchColour);
    dc.FrameRect(&swatch, CBrush::FromHandle(reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
}
