// KTTitle: a caption panel with a horizontal colour gradient (cached in a bitmap of the client
// size) and a one-line title on it.
#pragma once

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/msg/Wnd.h"

class KTTitle : public CWnd
{
public:
    KTTitle();
    ~KTTitle() override = default;

    void SetTitle(UINT stringId);
    void SetBkColor(COLORREF first, COLORREF second);
    void SetLevel(int level);
    void SetTextColor(COLORREF colour);
    void SetTextAlign(UINT format);
    void SetTextFont(LPCTSTR faceName, int height, int weight);
    void SetTextFont(CFont* font);
    void SetDefaultFont() { SetTextFont("Arial", 16, 700); }

    // The gradient: `level` bands from `second` at the right edge towards `first`, then the
    // rest at the left edge in `first`. A level of 0 or less draws one band (the whole
    // rectangle in `first`).
    static void DrawGradientBox(CDC* dc, const CRect& rect, int level, COLORREF first, COLORREF second);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    static void PaintRect(CDC* dc, int x, int y, int width, int height, COLORREF colour);
    void RebuildBackground(BOOL force);
    void Repaint();

    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();

    CFont m_font;
    COLORREF m_crFirst { RGB(0, 0, 0) };
    COLORREF m_crSecond { RGB(255, 255, 255) };
    COLORREF m_crText { RGB(255, 255, 255) };
    CBitmap m_bitmap;
    UINT m_nFormat { DT_SINGLELINE | DT_VCENTER | DT_LEFT };
    int m_nLevel { 128 };
};
