// CSpinButtonCtrl: the up-down control. Its arrows move the position toward the upper or the
// lower end of the range (the classic default range is 100 to 0, so "up" counts down until a
// range is set), asking the parent first with UDN_DELTAPOS (a non-zero answer refuses the step),
// then writing the number into the buddy window (UDS_SETBUDDYINT) and sending WM_VSCROLL
// (WM_HSCROLL with UDS_HORZ) SB_THUMBPOSITION, and SB_ENDSCROLL when the button is released.
#pragma once

#include "platform/msg/Wnd.h"

constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;
constexpr UINT UDM_SETBUDDY = WM_USER + 105;
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr UINT UDM_SETBASE = WM_USER + 109;
constexpr UINT UDM_GETBASE = WM_USER + 110;
constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
constexpr UINT UDM_SETPOS32 = WM_USER + 113;
constexpr UINT UDM_GETPOS32 = WM_USER + 114;

constexpr UINT UDN_DELTAPOS = static_cast<UINT>(-722);

struct NMUPDOWN
{
    NMHDR hdr;
    int iPos { 0 };
    int iDelta { 0 };
};
using LPNMUPDOWN = NMUPDOWN*;

class CSpinButtonCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetPos() const;
    int SetPos(int nPos);
    int GetPos32(BOOL* lpbError = nullptr) const;
    int SetPos32(int nPos);
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    DWORD GetRange() const;
    void GetRange32(int& nLower, int& nUpper) const;
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    int SetBase(int nBase);
};

namespace platform::ui {
void RegisterSpinClass();
}
