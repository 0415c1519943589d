// KTSideTab: the vertical form of the flat tab strip, in its own window class "KTSideTab". The
// tabs are stacked down the window with their far end cut at 45 degrees, the text runs
// vertically (turned by 90 degrees, or 270 for tabs on the right side), the scroll buttons point
// up and down, and tabs are drawn with an outline and an inner bevel in colours of their own.
#pragma once

#include "ktctrl/composite/KTTabStrip.h"

class KTSideTabItem : public KTTabStripItem
{
public:
    using KTTabStripItem::KTTabStripItem;

    // The outline in one of four forms: tabs on the left or right side, stacked from the top
    // or the bottom. Shape kinds outside 1 to 4 give an empty shape.
    void CreateShape(BOOL rightSide, BOOL bottomEnd);
    BOOL HitTest(CPoint point) const
    {
        return m_bVisible && m_rgn.GetSafeHandle() && m_rgn.PtInRegion(point);
    }
};

class KTSideTab : public KTTabStrip
{
public:
    static constexpr LPCTSTR kClassName = "KTSideTab";

    KTSideTab();
    ~KTSideTab() override = default;

    static BOOL RegisterWindowClass(HINSTANCE instance);

    void SetBackColor(COLORREF colour) { m_crBack = colour; Invalidate(FALSE); }
    void SetItemColor(COLORREF colour) { m_crItem = colour; Invalidate(FALSE); }
    void SetItemColorSel(COLORREF colour) { m_crItemSel = colour; Invalidate(FALSE); }
    void SetTextColor(COLORREF colour) { m_crText = colour; Invalidate(FALSE); }
    void SetTextColorSel(COLORREF colour) { m_crTextSel = colour; Invalidate(FALSE); }
    void SetOutLineColor(COLORREF colour) { m_crOutLine = colour; Invalidate(FALSE); }
    void SetInLineShadowColor(COLORREF colour) { m_crInShadow = colour; Invalidate(FALSE); }
    void SetInLineHilightColor(COLORREF colour) { m_crInHilight = colour; Invalidate(FALSE); }

    // The angle the tab texts are turned by, in tenths of a degree.
    int TextEscapement() const { return (GetStyle() & KTTAB_BOTTOM) ? 2700 : 900; }

protected:
    std::unique_ptr<KTTabStripItem> NewItem(LPCTSTR text, DWORD data) const override;
    int Across() const override;
    int ClientLength() const override;
    int TabLength(int textExtent) const override;
    int NextStart(int start, int length) const override;
    CRect TabRect(int start, int length) const override;
    CRect TextRect(const CRect& tab) const override;
    CRect ButtonSlotRect(int slot) const override;
    int ButtonAreaLength(int n) const override;
    void BuildShape(KTTabStripItem& item, int kind) override;
    void PaintStrip(CDC& dc) override;
    int Along(CPoint point) const override;
    int AlongOf(const CRect& rect, bool end) const override;
    int TextExtent(CDC& dc, const CString& text) const override;

    void DrawItem(CDC& dc, KTTabStripItem& item);
    void DrawItemText(CDC& dc, KTTabStripItem& item);
    void DrawDropMarks(CDC& dc);

    COLORREF m_crBack { RGB(101, 104, 114) };
    COLORREF m_crItem { RGB(153, 153, 165) };
    COLORREF m_crItemSel { RGB(194, 194, 204) };
    COLORREF m_crText { RGB(0, 0, 0) };
    COLORREF m_crTextSel { RGB(255, 255, 255) };
    COLORREF m_crOutLine { RGB(0, 0, 0) };
    COLORREF m_crInShadow { RGB(180, 180, 186) };
    COLORREF m_crInHilight { RGB(214, 214, 223) };
};
