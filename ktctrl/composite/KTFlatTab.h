// KTFlatTab: a horizontal strip of trapezoid tabs in its own window class "KTFlatTab". Tabs
// overlap by half their height; the current tab is drawn on top in the selected colours and a
// bold font; scroll buttons move through tabs that do not fit. Everything the user does reaches
// the parent as WM_NOTIFY with a TabNotifyInfo (see KTTabStrip for the shared behaviour).
#pragma once

#include "ktctrl/composite/KTTabStrip.h"

class KTFlatTabItem : public KTTabStripItem
{
public:
    using KTTabStripItem::KTTabStripItem;
};

class KTFlatTab : public KTTabStrip
{
public:
    static constexpr LPCTSTR kClassName = "KTFlatTab";

    KTFlatTab();
    ~KTFlatTab() override = default;

    static BOOL RegisterWindowClass(HINSTANCE instance);

    void SetBackColor(COLORREF colour) { m_crBack = colour; Invalidate(FALSE); }
    void SetBackColorSel(COLORREF colour) { m_crBackSel = colour; Invalidate(FALSE); }
    void SetTextColor(COLORREF colour) { m_crText = colour; Invalidate(FALSE); }
    void SetTextColorSel(COLORREF colour) { m_crTextSel = colour; Invalidate(FALSE); }
    void SetShadowColor(COLORREF colour) { m_crShadow = colour; Invalidate(FALSE); }

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
    void DrawDropMarks(CDC& dc);

    COLORREF m_crBack;
    COLORREF m_crText;
    COLORREF m_crBackSel;
    COLORREF m_crTextSel;
    COLORREF m_crShadow;
};
