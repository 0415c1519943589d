// The side (vertical) tab strip: stacked tabs with a slanted end, and turned texts.
#include "ktctrl/composite/KTSideTab.h"

#include "ktctrl/composite/ControlClass.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CPen.h"

#include <algorithm>

// ---- the item's outline -----------------------------------------------------------------------

void KTSideTabItem::CreateShape(BOOL rightSide, BOOL bottomEnd)
{
    m_rgn.DeleteObject();
    m_outline.clear();
    m_bevel.clear();
    if (m_nShape < 1 || m_nShape > 4 || m_rcTab.IsRectEmpty())
        return;
    const int L = m_rcTab.left, T = m_rcTab.top, R = m_rcTab.right, B = m_rcTab.bottom;
    const int W = R - L - 1;
    // The left-top form; the others are its mirror images.
    std::vector<POINT> region = { { L + 1, T }, { L + 1, B - W / 2 }, { R + 1, B + W / 2 }, { R + 1, T } };
    m_outline = { { R, T }, { L + 1, T }, { L + 1, B - W / 2 }, { R, B + W / 2 } };
    if (!m_bCurrent)
        m_bevel = { { R, T + 1 }, { L + 2, T + 1 }, { L + 2, B - W / 2 }, { R, B + W / 2 - 1 } };
    auto mirror = [&](std::vector<POINT>& points) {
        for (auto& p : points) {
            if (rightSide)
                p.x = L + R - p.x;
            if (bottomEnd)
                p.y = T + B - p.y;
        }
    };
    mirror(region);
    mirror(m_outline);
    mirror(m_bevel);
    m_rgn.CreatePolygonRgn(region.data(), static_cast<int>(region.size()), WINDING);
}

// ---- the strip ----------------------------------------------------------------------------------

KTSideTab::KTSideTab() : KTTabStrip(kClassName) { m_bVerticalGlyphs = TRUE; }

BOOL KTSideTab::RegisterWindowClass(HINSTANCE instance)
{
    ktctrl::RegisterControlClass(kClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, instance);
    return TRUE;
}

std::unique_ptr<KTTabStripItem> KTSideTab::NewItem(LPCTSTR text, DWORD data) const
{
    return std::make_unique<KTSideTabItem>(text, data);
}

int KTSideTab::Across() const
{
    CRect client;
    GetClientRect(&client);
    return client.Width();
}

int KTSideTab::ClientLength() const
{
    CRect client;
    GetClientRect(&client);
    return client.Height();
}

int KTSideTab::TabLength(int textExtent) const
{
    const int w = Across();
    return textExtent + w / 2 + 4 + ((GetStyle() & KTTAB_IMAGES) ? w : 0);
}

int KTSideTab::NextStart(int start, int length) const { return start + length; }

CRect KTSideTab::TabRect(int start, int length) const
{
    const int w = Across();
    if (GetStyle() & KTTAB_RIGHTTOLEFT) {
        const int h = ClientLength();
        return CRect(0, h - start - length, w - 1, h - start);
    }
    return CRect(0, start, w - 1, start + length);
}

CRect KTSideTab::TextRect(const CRect& tab) const
{
    const int w = Across();
    CRect text = tab;
    text.DeflateRect(2, 0);
    if (GetStyle() & KTTAB_RIGHTTOLEFT) {
        text.bottom -= w / 2 + 2;
        text.top += 2;
    } else {
        text.top += w / 2 + 2;
        text.bottom -= 2;
    }
    return text;
}

CRect KTSideTab::ButtonSlotRect(int slot) const
{
    const int w = Across();
    const int size = w - 3;
    CRect r(0, 2 + slot * size, w, 2 + (slot + 1) * size);
    if (GetStyle() & KTTAB_RIGHTTOLEFT) {
        const int h = ClientLength();
        r = CRect(r.left, h - r.bottom, r.right, h - r.top);
    }
    return r;
}

int KTSideTab::ButtonAreaLength(int n) const { return 2 + n * (Across() - 3); }

int KTSideTab::Along(CPoint point) const
{
    return (GetStyle() & KTTAB_RIGHTTOLEFT) ? ClientLength() - point.y : point.y;
}

int KTSideTab::AlongOf(const CRect& rect, bool end) const
{
    if (GetStyle() & KTTAB_RIGHTTOLEFT)
        return ClientLength() - (end ? rect.top : rect.bottom);
    return end ? rect.bottom : rect.top;
}

int KTSideTab::TextExtent(CDC& dc, const CString& text) const { return dc.GetTextExtent(text).cx; }

void KTSideTab::BuildShape(KTTabStripItem& item, int kind)
{
    auto& side = static_cast<KTSideTabItem&>(item);
    // Side tabs do not overlap: every visible tab has its whole form.
    (void)kind;
    side.m_nShape = 3;
    side.CreateShape((GetStyle() & KTTAB_BOTTOM) != 0, (GetStyle() & KTTAB_RIGHTTOLEFT) != 0);
}

// ---- painting ------------------------------------------------------------------------------------------

void KTSideTab::DrawItemText(CDC& dc, KTTabStripItem& item)
{
    CFont& base = (item.m_bCurrent || item.m_bHighlighted) ? m_fontBold : m_font;
    LOGFONT lf {};
    base.GetLogFont(&lf);
    lf.lfEscapement = lf.lfOrientation = TextEscapement();
    CFont turned;
    turned.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&turned);
    CFont* measure = dc.SelectObject(&base);
    const CSize extent = dc.GetTextExtent(item.m_strText);
    dc.SelectObject(&turned);
    (void)measure;

    CRect r = item.m_rcText;
    if ((GetStyle() & KTTAB_IMAGES) && !(GetStyle() & KTTAB_RIGHTTOLEFT))
        r.top += Across();
    else if (GetStyle() & KTTAB_IMAGES)
        r.bottom -= Across();
    dc.SetBkMode(TRANSPARENT);
    const bool selected = item.m_bCurrent || item.m_bHighlighted;
    dc.SetTextColor(item.m_bDisabled ? m_crInShadow : (selected ? m_crTextSel : m_crText));
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(&item.m_rcTab);
    if (TextEscapement() == 900) // reads upwards: the reference point is the text's lower left
        dc.TextOut(r.left + (r.Width() - extent.cy) / 2, r.top + (r.Height() + extent.cx) / 2, item.m_strText);
    else // reads downwards: the reference point is the text's upper right
        dc.TextOut(r.left + (r.Width() + extent.cy) / 2, r.top + (r.Height() - extent.cx) / 2, item.m_strText);
    dc.RestoreDC(saved);
    dc.SelectObject(old);
}

void KTSideTab::DrawItem(CDC& dc, KTTabStripItem& item)
{
    if (!item.m_rgn.GetSafeHandle())
        return;
    const bool selected = item.m_bCurrent || item.m_bHighlighted;
    CBrush fill(selected ? m_crItemSel : m_crItem);
    dc.FillRgn(&item.m_rgn, &fill);
    if (item.m_bevel.size() == 4) {
        CPen light(PS_SOLID, 1, m_crInHilight);
        CPen shade(PS_SOLID, 1, m_crInShadow);
        CPen* old = dc.SelectObject(&light);
        dc.Polyline(item.m_bevel.data(), 3);
        dc.SelectObject(&shade);
        dc.Polyline(item.m_bevel.data() + 2, 2);
        dc.SelectObject(old);
    }
    CPen outline(PS_SOLID, 1, m_crOutLine);
    CPen* old = dc.SelectObject(&outline);
    dc.Polyline(item.m_outline.data(), static_cast<int>(item.m_outline.size()));
    dc.SelectObject(old);
    if ((GetStyle() & KTTAB_IMAGES) && m_pImages && item.m_nImage >= 0) {
        const CRect& t = item.m_rcText;
        m_pImages->Draw(&dc, item.m_nImage, CPoint(t.left + 1, (GetStyle() & KTTAB_RIGHTTOLEFT) ? t.bottom - Across() + 2 : t.top + 2),
                        ILD_TRANSPARENT);
    }
    DrawItemText(dc, item);
}

void KTSideTab::DrawDropMarks(CDC& dc)
{
    if (!m_bDragging || m_nDrop < 0)
        return;
    int y = 0;
    if (auto* item = Item(m_nDrop))
        y = (GetStyle() & KTTAB_RIGHTTOLEFT) ? item->m_rcTab.bottom : item->m_rcTab.top;
    else if (!m_items.empty())
        y = (GetStyle() & KTTAB_RIGHTTOLEFT) ? m_items.back()->m_rcTab.top : m_items.back()->m_rcTab.bottom;
    const int w = Across();
    CPen pen(PS_SOLID, 1, m_crTextSel);
    CPen* old = dc.SelectObject(&pen);
    for (int i = 0; i < 4; ++i) {
        const int half = 3 - i;
        dc.MoveTo(i, y - half);
        dc.LineTo(i, y + half + 1);
        dc.MoveTo(w - 1 - i, y - half);
        dc.LineTo(w - 1 - i, y + half + 1);
    }
    dc.SelectObject(old);
}

void KTSideTab::PaintStrip(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_crBack);
    // From the last to the first, so that each tab's slanted end lies over the tab after it.
    for (int i = GetItemCount() - 1; i >= m_nFirst; --i)
        if (i != m_nCurrent && Item(i)->m_bVisible)
            DrawItem(dc, *Item(i));
    if (auto* current = Item(m_nCurrent); current && current->m_bVisible)
        DrawItem(dc, *current);
    DrawDropMarks(dc);
    DrawScrollButtons(dc);
}
