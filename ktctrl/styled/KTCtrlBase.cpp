// The colour and border base of the styled controls.
#include "ktctrl/styled/KTCtrlBase.h"

#include "ktutil/KTGF.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/Wnd.h"
#include "platform/msg/WindowApi.h"

KTCtrlBase::KTCtrlBase(UINT style) : m_nStyle(style)
{
    m_crText[0] = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crText[1] = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crText[2] = ::GetSysColor(COLOR_GRAYTEXT);
    m_crBk[0] = ::GetSysColor(COLOR_WINDOW);
    m_crBk[1] = ::GetSysColor(COLOR_WINDOW);
    m_crBk[2] = ::GetSysColor(COLOR_BTNFACE);
    m_crBorder = ::GetSysColor(COLOR_BTNSHADOW);
    m_crCurBk = ::GetSysColor(COLOR_WINDOW);
}

void KTCtrlBase::SetKTStyle(UINT style)
{
    m_nStyle = style;
    OnKTCtrlBaseChanged();
}

// The three forms of the text and background setters share these: all three colours, one
// of them (an index past the three is ignored), or normal and focused together.
void KTCtrlBase::SetColours(COLORREF (&colours)[3], COLORREF normal, COLORREF focused, COLORREF disabled)
{
    colours[0] = normal;
    colours[1] = focused;
    colours[2] = disabled;
    OnKTCtrlBaseChanged();
}

void KTCtrlBase::SetColour(COLORREF (&colours)[3], COLORREF colour, UINT which)
{
    if (which < 3)
        colours[which] = colour;
    OnKTCtrlBaseChanged();
}

void KTCtrlBase::SetTextCr(COLORREF normal, COLORREF focused, COLORREF disabled) { SetColours(m_crText, normal, focused, disabled); }
void KTCtrlBase::SetTextCr(COLORREF colour, UINT which) { SetColour(m_crText, colour, which); }
void KTCtrlBase::SetTextCr(COLORREF colour) { SetColours(m_crText, colour, colour, m_crText[2]); }
void KTCtrlBase::SetBkCr(COLORREF normal, COLORREF focused, COLORREF disabled) { SetColours(m_crBk, normal, focused, disabled); }
void KTCtrlBase::SetBkCr(COLORREF colour, UINT which) { SetColour(m_crBk, colour, which); }
void KTCtrlBase::SetBkCr(COLORREF colour) { SetColours(m_crBk, colour, colour, m_crBk[2]); }

void KTCtrlBase::SetBorderCr(COLORREF colour)
{
    m_crBorder = colour;
    OnKTCtrlBaseChanged();
}

void KTCtrlBase::CopyBase(KTCtrlBase& other)
{
    m_nStyle = other.m_nStyle;
    for (int i = 0; i < 3; ++i) {
        m_crText[i] = other.m_crText[i];
        m_crBk[i] = other.m_crBk[i];
    }
    m_crBorder = other.m_crBorder;
    OnKTCtrlBaseChanged();
}

HBRUSH KTCtrlBase::CreateBkBrush(COLORREF colour)
{
    m_brBk.DeleteObject();
    m_brBk.CreateSolidBrush(colour);
    return reinterpret_cast<HBRUSH>(m_brBk.GetSafeHandle());
}

void KTCtrlBase::DrawKTBorder(HWND hwnd, BOOL disabled)
{
    if (m_nStyle == 0 || !::IsWindow(hwnd))
        return;
    CWindowDC dc(CWnd::FromHandle(hwnd));
    CRect rect;
    ::GetWindowRect(hwnd, &rect);
    rect.OffsetRect(-rect.left, -rect.top);
    COLORREF border = disabled ? ::GetSysColor(COLOR_BTNSHADOW) : m_crBorder;
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    switch (m_nStyle) {
    case 2:
        dc.Draw3dRect(&rect, border, border);
        dc.Draw3dRect(&inner, border, border);
        break;
    case 3:
        KTGF::Draw3DFrame(&dc, rect, TRUE, FALSE);
        dc.Draw3dRect(&inner, m_crCurBk, m_crCurBk);
        break;
    default: // 1 and 4
        dc.Draw3dRect(&rect, border, border);
        dc.Draw3dRect(&inner, m_crCurBk, m_crCurBk);
        break;
    }
}
