// KTCtrlBase: a second base class that gives a standard control text, background and border
// colours and a border style (0 the control's normal look, 1 to 4 drawn borders), with a hook
// the control overrides to redraw when they change. KTEdit, KTComboBox and KTPrgListBox derive
// from their framework control first and from this second.
#pragma once

#include "platform/gdi/CDC.h"

class KTCtrlBase
{
public:
    explicit KTCtrlBase(UINT style);
    virtual ~KTCtrlBase() = default;

    virtual void SetKTStyle(UINT style);
    UINT GetKTStyle() const { return m_nStyle; }
    BOOL IsNormalStyle() const { return m_nStyle == 0; }

    // Text colours: all three; one of them (0 normal, 1 focused, 2 disabled); normal and focused.
    void SetTextCr(COLORREF normal, COLORREF focused, COLORREF disabled);
    void SetTextCr(COLORREF colour, UINT which);
    void SetTextCr(COLORREF colour);
    void SetBkCr(COLORREF normal, COLORREF focused, COLORREF disabled);
    void SetBkCr(COLORREF colour, UINT which);
    void SetBkCr(COLORREF colour);
    void SetBorderCr(COLORREF colour);
    void CopyBase(KTCtrlBase& other);
    void SetCurBkCr(COLORREF colour) { m_crCurBk = colour; }
    COLORREF GetCurBkCr() const { return m_crCurBk; }

    COLORREF GetTextCr(UINT which) const { return which < 3 ? m_crText[which] : m_crText[0]; }
    COLORREF GetBkCr(UINT which) const { return which < 3 ? m_crBk[which] : m_crBk[0]; }
    COLORREF GetBorderCr() const { return m_crBorder; }

protected:
    virtual void OnKTCtrlBaseChanged() = 0;
    void SetColours(COLORREF (&colours)[3], COLORREF normal, COLORREF focused, COLORREF disabled);
    void SetColour(COLORREF (&colours)[3], COLORREF colour, UINT which);
    // A solid brush of `colour`, made anew at each request.
    HBRUSH CreateBkBrush(COLORREF colour);
    // The border of the style over the whole window rectangle of `hwnd` (styles 1 to 4).
    void DrawKTBorder(HWND hwnd, BOOL disabled);

    UINT m_nStyle { 0 };
    COLORREF m_crText[3] {};
    COLORREF m_crBk[3] {};
    COLORREF m_crBorder { 0 };
    CBrush m_brBk;
    COLORREF m_crCurBk { 0 };
};
