// KTButton: an owner-drawn push button with a flat, hover-tracking look, an optional icon or
// masked bitmap beside or above the caption ("in" and "out" images), four colours, a check-box
// mode, a transparent mode showing the parent's background, a tooltip, its own cursor,
// auto-repeat while held down, and a target opened through the shell when clicked.
//
// A parent may destroy the button in any notification it receives (its click, an auto-repeat
// command): the button checks that its window still exists before it touches itself again.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ToolTipCtrl.h"

class KTButton : public CButton
{
public:
    enum ColorStatus { BTNST_COLOR_BK_IN = 0, BTNST_COLOR_FG_IN, BTNST_COLOR_BK_OUT, BTNST_COLOR_FG_OUT, BTNST_MAX_COLORS };
    enum TextAlign { ST_ALIGN_HORIZ = 0, ST_ALIGN_VERT, ST_ALIGN_HORIZ_RIGHT };

    static constexpr DWORD BTNST_OK = 0;
    static constexpr DWORD BTNST_INVALIDRESOURCE = static_cast<DWORD>(-3006);
    static constexpr DWORD BTNST_FAILEDMASK = static_cast<DWORD>(-5001);
    static constexpr DWORD BTNST_INVALIDINDEX = static_cast<DWORD>(-4);

    KTButton();
    ~KTButton() override;

    DWORD SetIcon(HICON iconIn, HICON iconOut = nullptr);
    DWORD SetBitmaps(HBITMAP bitmapIn, COLORREF transparentIn, HBITMAP bitmapOut = nullptr, COLORREF transparentOut = 0);
    DWORD GetColor(int index, COLORREF* colour) const;
    DWORD SetColor(int index, COLORREF colour, int repaint = 1);
    DWORD SetDefaultColors(int repaint = 1);
    void SetAlign(int align);
    void SetFlat(int flat, int repaint = 1);
    void SetBorder(int border, int repaint = 1);
    void SetFlatFocus(int flatFocus, int repaint = 1);
    void SetTransparent(int transparent, int repaint = 1);
    void SetCheck(int check, int repaint = 1);
    int GetCheck() const { return m_bChecked; }
    int IsTransparent() const { return m_bTransparent; }
    int IsFlat() const { return m_bFlat; }
    int IsHover() const { return m_bHover; }
    void SetAutoRepeat(int on, DWORD delay = 100);
    void SetHyperLink(const char* target);
    void SetBtnCursor(HICON cursor);
    void SetTooltipText(const char* text, int activate = 1);
    void ActivateTooltip(int activate = 1);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    virtual DWORD OnDrawBackground(CDC* pDC, const RECT* pRect);
    virtual DWORD OnDrawBorder(CDC* pDC, const RECT* pRect);
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_bPressed { 0 };
    int m_bFocused { 0 };
    int m_bDisabled { 0 };

private:
    struct IconImage
    {
        HICON icon { nullptr };
        int width { 0 };
        int height { 0 };
    };
    struct BitmapImage
    {
        CBitmap bitmap;
        CBitmap mask;
        int width { 0 };
        int height { 0 };
        COLORREF transparent { 0 };
    };

    void FreeImages();
    void Repaint(int repaint);
    void DrawTransparentBackground(CDC* pDC, const CRect& rect);
    void DrawClassicEdge(CDC* pDC, const CRect& rect);
    // The image and caption areas for `item`, by the alignment.
    void PlaceImage(const CRect& item, bool hasCaption, CSize image, CRect& imageRect, CRect& captionRect) const;
    void DrawImage(CDC* pDC, const CRect& imageRect);
    void DrawCaption(CDC* pDC, CRect area);
    bool UseOutImage() const;
    void RunAutoRepeat();
    static BOOL MakeMask(BitmapImage& image);

    int OnCreate(LPCREATESTRUCT cs);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnEnable(BOOL bEnable);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSysColorChange();
    BOOL OnClicked();
    BOOL OnEraseBkgnd(CDC* pDC);
    void ClearHover();

    int m_bTransparent { 0 };
    int m_bHover { 0 };
    int m_bBorder { 1 };
    int m_bFlat { 1 };
    int m_bFlatFocus { 0 };
    int m_bAutoRepeat { 0 };
    int m_bDefault { 0 };
    int m_bCheckBox { 0 };
    int m_bChecked { 0 };
    CString m_strTarget;
    DWORD m_dwRepeatDelay { 100 };
    COLORREF m_crColors[BTNST_MAX_COLORS] {};
    int m_nAlign { ST_ALIGN_HORIZ };
    HICON m_hCursor { nullptr };
    CToolTipCtrl m_ToolTip;
    IconImage m_icons[2];
    BitmapImage m_bitmaps[2];
    CDC m_dcBk;
    CBitmap m_bmpBk;
    CBitmap* m_pbmpOldBk { nullptr };
};
