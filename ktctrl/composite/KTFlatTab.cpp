// The flat (horizontal) tab strip: trapezoid tabs and their drawing.
#include "ktctrl/composite/KTFlatTab.h"

#include "ktctrl/composite/ControlClass.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>

KTFlatTab::KTFlatTab()
    : KTTabStrip(kClassName)
    , m_crBack(GetSysColor(COLOR_BTNFACE))
    , m_crText(GetSysColor(COLOR_BTNTEXT))
    , m_crBackSel(GetSysColor(COLOR_WINDOW))
    , m_crTextSel(GetSysColor(COLOR_WINDOWTEXT))
    , m_crShadow(GetSysColor(COLOR_BTNSHADOW))
{
}

BOOL KTFlatTab::RegisterWindowClass(HINSTANCE instance)
{
    ktctrl::RegisterControlClass(kClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, instance);
    return TRUE;
}

std::unique_ptr<KTTabStripItem> KTFlatTab::NewItem(LPCTSTR text, DWORD data) const
{
    return std::make_unique<KTFlatTabItem>(text, data);
}

// ---- geometry -----------------------------------------------------------------------------------

int KTFlatTab::Across() const
{
    CRect client;
    GetClientRect(&client);
    return client.Height();
}

int KTFlatTab::ClientLength() const
{
    CRect client;
    GetClientRect(&client);
    return client.Width();
}

int KTFlatTab::TabLength(int textExtent) const
{
    const int h = Across();
    return textExtent + h + 4 + ((GetStyle() & KTTAB_IMAGES) ? h : 0);
}

int KTFlatTab::NextStart(int start, int length) const { return start + length - Across() / 2; }

CRect KTFlatTab::TabRect(int start, int length) const
{
    const int h = Across();
    if (GetStyle() & KTTAB_RIGHTTOLEFT) {
        const int w = ClientLength();
        return CRect(w - start - length, 1, w - start, h - 1);
    }
    return CRect(start, 1, start + length, h - 1);
}

CRect KTFlatTab::TextRect(const CRect& tab) const
{
    CRect text = tab;
    text.DeflateRect(tab.Height() / 2, 2);
    if (GetStyle() & KTTAB_IMAGES)
        text.left += Across();
    return text;
}

CRect KTFlatTab::ButtonSlotRect(int slot) const
{
    const int h = Across();
    const int edges[5] = { 0, h - 2, 2 * h - 5, 3 * h - 7, 4 * h - 9 };
    CRect r(edges[slot], 0, edges[slot + 1], h);
    if (GetStyle() & KTTAB_RIGHTTOLEFT) {
        const int w = ClientLength();
        r = CRect(w - r.right, r.top, w - r.left, r.bottom);
    }
    return r;
}

int KTFlatTab::ButtonAreaLength(int n) const { return n * (Across() - 3) + 3 + (n == 4 ? 2 : 0); }

int KTFlatTab::Along(CPoint point) const
{
    return (GetStyle() & KTTAB_RIGHTTOLEFT) ? ClientLength() - point.x : point.x;
}

int KTFlatTab::AlongOf(const CRect& rect, bool end) const
{
    if (GetStyle() & KTTAB_RIGHTTOLEFT)
        return ClientLength() - (end ? rect.left : rect.right);
    return end ? rect.right : rect.left;
}

int KTFlatTab::TextExtent(CDC& dc, const CString& text) const { return dc.GetTextExtent(text).cx; }

void KTFlatTab::BuildShape(KTTabStripItem& item, int kind)
{
    const CRect& r = item.m_rcTab;
    const int L = r.left, T = r.top, R = r.right, B = r.bottom, H = B - T;
    std::vector<POINT> p;
    switch (kind) {
    case 1: p = { { L, T }, { L, B }, { L + H / 2, T } }; break;
    case 2: p = { { L, T }, { L + H / 4, T + H / 2 }, { L, B } }; break;
    case 4:
        p = { { L, T }, { L + H / 2, B }, { R - H / 2, B }, { R - H / 4, T + H / 2 }, { R - H / 2, T }, { R - H / 2, T } };
        break;
    default: p = { { L, T }, { L + H / 2, B }, { R - H / 2, B }, { R, T } }; break;
    }
    while (p.size() < 6)
        p.push_back(p.back());
    const DWORD style = GetStyle();
    for (auto& point : p) {
        if (style & KTTAB_BOTTOM)
            point.y = T + (B + 1) - point.y;
        if (style & KTTAB_RIGHTTOLEFT)
            point.x = L + R - point.x;
    }
    item.m_nShape = kind;
    item.m_outline = p;
    item.m_rgn.DeleteObject();
    item.m_rgn.CreatePolygonRgn(p.data(), static_cast<int>(p.size()), WINDING);
}

// ---- painting --------------------------------------------------------------------------------------

void KTFlatTab::DrawItem(CDC& dc, KTTabStripItem& item)
{
    const bool selected = item.m_bCurrent || item.m_bHighlighted;
    CBrush fill(selected ? m_crBackSel : m_crBack);
    dc.FillRgn(&item.m_rgn, &fill);

    CPen outline(PS_SOLID, 1, m_crText);
    CPen* oldPen = dc.SelectObject(&outline);
    std::vector<POINT> line(item.m_outline.begin(), item.m_outline.end());
    if (item.m_nShape >= 3 && line.size() >= 4)
        line.resize(item.m_nShape == 3 ? 4 : 5);
    dc.Polyline(line.data(), static_cast<int>(line.size()));
    if (!item.m_bCurrent && line.size() >= 3) {
        // The shadow runs one pixel inside the tab's long edge.
        CPen shadow(PS_SOLID, 1, m_crShadow);
        dc.SelectObject(&shadow);
        const int inward = (GetStyle() & KTTAB_BOTTOM) ? 1 : -1;
        dc.MoveTo(line[1].x + 1, line[1].y + inward);
        dc.LineTo(line[2].x, line[2].y + inward);
        dc.SelectObject(&outline);
    }
    dc.SelectObject(oldPen);

    if ((GetStyle() & KTTAB_IMAGES) && m_pImages && item.m_nImage >= 0) {
        const CRect& r = item.m_rcTab;
        m_pImages->Draw(&dc, item.m_nImage, CPoint(r.left + r.Height() / 2 + 2, r.top + 2), ILD_TRANSPARENT);
    }
    dc.SelectObject((item.m_bCurrent || item.m_bHighlighted) ? &m_fontBold : &m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(item.m_bDisabled ? m_crShadow : (selected ? m_crTextSel : m_crText));
    CRect text = item.m_rcText;
    dc.DrawText(item.m_strText, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void KTFlatTab::DrawDropMarks(CDC& dc)
{
    if (!m_bDragging || m_nDrop < 0)
        return;
    int x = 0;
    if (auto* item = Item(m_nDrop))
        x = item->m_rcTab.left + item->m_rcTab.Height() / 4;
    else if (!m_items.empty())
        x = m_items.back()->m_rcTab.right - m_items.back()->m_rcTab.Height() / 4;
    const int h = Across();
    CPen pen(PS_SOLID, 1, m_crText);
    CPen* old = dc.SelectObject(&pen);
    for (int i = 0; i < 4; ++i) {
        const int half = 3 - i;
        dc.MoveTo(x - half, i);
        dc.LineTo(x + half + 1, i);
        dc.MoveTo(x - half, h - 1 - i);
        dc.LineTo(x + half + 1, h - 1 - i);
    }
    dc.SelectObject(old);
}

void KTFlatTab::PaintStrip(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_crBack);
    CFont* oldFont = dc.SelectObject(&m_font);
    for (int i = m_nFirst; i < GetItemCount(); ++i)
        if (i != m_nCurrent && Item(i)->m_bVisible)
            DrawItem(dc, *Item(i));
    if (auto* current = Item(m_nCurrent); current && current->m_bVisible)
        DrawItem(dc, *current);

    // The strip's edge, open under the current tab.
    const int y = (GetStyle() & KTTAB_BOTTOM) ? client.bottom - 1 : 1;
    const int start = m_bButtons ? ButtonAreaLength(ButtonCount()) : 0;
    CRect edge = (GetStyle() & KTTAB_RIGHTTOLEFT) ? CRect(0, y, client.right - start, y + 1)
                                                  : CRect(start, y, client.right, y + 1);
    CPen pen(PS_SOLID, 1, m_crText);
    CPen* oldPen = dc.SelectObject(&pen);
    auto* current = Item(m_nCurrent);
    if (current && current->m_bVisible && current->m_rcTab.right > edge.left && current->m_rcTab.left < edge.right) {
        dc.MoveTo(edge.left, y);
        dc.LineTo(std::max(edge.left, current->m_rcTab.left), y);
        dc.MoveTo(std::min(edge.right, current->m_rcTab.right), y);
        dc.LineTo(edge.right, y);
    } else {
        dc.MoveTo(edge.left, y);
        dc.LineTo(edge.right, y);
    }
    dc.SelectObject(oldPen);
    DrawDropMarks(dc);
    DrawScrollButtons(dc);
    dc.SelectObject(oldFont);
}
