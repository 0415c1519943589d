// KTSkinButton: an owner-drawn button painted entirely from bitmaps: normal, pressed,
// disabled, hovered and focused skins, and a mask bitmap from which the window's visible shape
// is cut. It acts as a push button, a check box or a radio button; radio buttons of one dialog
// group uncheck each other with a private message.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ToolTipCtrl.h"

class KTSkinButton : public CButton
{
public:
    enum SkinSlot { SKIN_NORMAL = 0, SKIN_PRESSED = 1, SKIN_UNUSED = 2, SKIN_DISABLED = 3, SKIN_HOVER = 4,
                    SKIN_FOCUS = 5, SKIN_MASK = 6, SKIN_SLOTS = 7 };
    // Sent to the other radio buttons of the group when one becomes checked.
    static constexpr UINT WM_KTSKIN_UNCHECK = WM_USER + 1004;

    KTSkinButton();
    ~KTSkinButton() override;

    void SetSkin(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask);
    BOOL SetSkinEx(UINT resourceId, int slot, CRect part);
    // Slots listed after the id, ended by a negative value: the bitmap is cut into as many
    // equal-width pieces, given left to right.
    void SetSkinAll(UINT resourceId, ...);
    void SetSkinMask(UINT resourceId);
    void SetDrawInfo(int mode, int showText, int margin);
    COLORREF SetTextColor(COLORREF colour);
    COLORREF SetMaskColor(COLORREF colour);
    void SetToolTipText(const CString& text);

    int IsHover() const { return m_bHover; }
    int IsChecked() const { return m_bChecked; }
    BOOL HasSkin(int slot) const { return slot >= 0 && slot < SKIN_SLOTS && m_skins[slot].GetSafeHandle() != nullptr; }
    HRGN GetRegion() const { return m_hRgn; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The region of every pixel of `bitmap` whose colour differs from `maskColour`.
    static HRGN RegionFromBitmap(CBitmap& bitmap, COLORREF maskColour);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void PreSubclassWindow() override;

private:
    void FreeSkins();
    void ApplyMask();
    void DrawSkin(CDC* pDC, CBitmap& skin, const CRect& rect);
    bool PointOver(CPoint point) const;

    int OnCreate(LPCREATESTRUCT cs);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);
    void OnMouseLeave();
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnUncheck(WPARAM wParam, LPARAM lParam);

    // The button kind it was made as (push, check box, radio button): the window itself is
    // owner-drawn from then on.
    DWORD m_dwKind { 0 };
    int m_bHover { 0 };
    int m_bPressed { 0 };
    int m_bChecked { 0 };
    int m_bShowText { 1 };
    int m_nDrawMode { 0 };
    int m_nMargin { 0 };
    COLORREF m_crText { 0 };
    COLORREF m_crMask { 0 };
    HRGN m_hRgn { nullptr };
    CToolTipCtrl m_ToolTip;
    CBitmap m_skins[SKIN_SLOTS];
};
