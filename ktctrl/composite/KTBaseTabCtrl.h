// KTBaseTabCtrl: a tab control whose tabs (mode 1) or whole look (mode 2) a derived class paints
// through virtual hooks; the area around the tabs takes a background colour of its own. The
// base class's hooks draw nothing and give the system colours.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/ui/controls/TabCtrl.h"

class KTBaseTabCtrl : public CTabCtrl
{
public:
    enum { DRAW_PLATFORM = 0, DRAW_ITEMS = 1, DRAW_ALL = 2 };

    explicit KTBaseTabCtrl(int mode = DRAW_PLATFORM);
    ~KTBaseTabCtrl() override = default;

    BOOL EnableDraw(int mode);
    int GetDrawMode() const { return m_nDrawMode; }
    void SetBkgndColor(COLORREF colour);
    COLORREF GetBkgndColor() const { return m_crBack; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void DrawMainBorder(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void DrawItemBorder(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual COLORREF GetTabColor(int index);
    virtual COLORREF GetTabTextColor(int index);

    void PreSubclassWindow() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();

    COLORREF m_crBack { static_cast<COLORREF>(-1) };
    int m_nDrawMode { DRAW_PLATFORM };
};
