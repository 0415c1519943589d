// The line-style list box and the line drawing it shares with the combo box.
#include "ktctrl/basic/KTLineListBox.h"

#include "ktctrl/basic/OffscreenDC.h"
#include "platform/gdi/SysColors.h"

namespace {

constexpr int kNumberBoxWidth = 16; // the box the width is written in, left of the lines
constexpr int kLineInset = 2;       // the lines keep this far from either side

} // namespace

void KTLineListBox::DrawLineItem(LPDRAWITEMSTRUCT lpDrawItemStruct, const LineStyleItem* item, int showWidth)
{
    CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!target)
        return;
    const CRect rect = lpDrawItemStruct->rcItem;
    ktctrl::OffscreenDC dc(target, rect);
    dc.UseFontOf(lpDrawItemStruct->hwndItem);
    dc.SetBkMode(TRANSPARENT);
    dc.FillSolidRect(&rect, GetSysColor(COLOR_WINDOW));
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    if (static_cast<int>(lpDrawItemStruct->itemID) < 0)
        return; // an empty combo box's field

    const int width = item ? item->m_nWidth : 0;
    if (width > 0) {
        CPen pen(item->m_nStyle, 1, GetSysColor(COLOR_WINDOWTEXT));
        CPen* oldPen = dc.SelectObject(&pen);
        int x = rect.left;
        if (showWidth) {
            CString number;
            number.Format("%d", width);
            CRect box(rect.left, rect.top, rect.left + kNumberBoxWidth, rect.bottom);
            dc.DrawText(number, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            x += kNumberBoxWidth;
        }
        x += kLineInset;
        // A band of `width` lines about the middle; lines beyond the item would not show.
        const int first = rect.top + (rect.Height() - width) / 2;
        for (int y = std::max<int>(first, rect.top); y < first + width && y < rect.bottom; ++y) {
            dc.MoveTo(x, y);
            dc.LineTo(rect.right - kLineInset, y);
        }
        dc.SelectObject(oldPen);
    }
    if (lpDrawItemStruct->itemState & ODS_SELECTED)
        dc.DrawFocusRect(&rect);
}

void KTLineListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const DWORD_PTR data = lpDrawItemStruct->itemData;
    const LineStyleItem* item = m_itemOf ? m_itemOf(data) : reinterpret_cast<const LineStyleItem*>(data);
    DrawLineItem(lpDrawItemStruct, item, m_bShowWidth);
}
