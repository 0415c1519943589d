// CProgressCtrl: a bar that shows a position within a range; steps wrap to the start when they
// pass the end, as the classic control does.
#pragma once

#include "platform/msg/Wnd.h"

constexpr DWORD PBS_SMOOTH = 0x01;
constexpr DWORD PBS_VERTICAL = 0x04;

constexpr UINT PBM_SETRANGE = WM_USER + 1;
constexpr UINT PBM_SETPOS = WM_USER + 2;
constexpr UINT PBM_DELTAPOS = WM_USER + 3;
constexpr UINT PBM_SETSTEP = WM_USER + 4;
constexpr UINT PBM_STEPIT = WM_USER + 5;
constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
constexpr UINT PBM_GETRANGE = WM_USER + 7;
constexpr UINT PBM_GETPOS = WM_USER + 8;
constexpr UINT PBM_SETBARCOLOR = WM_USER + 9;
constexpr UINT PBM_SETBKCOLOR = 0x2001;

struct PBRANGE
{
    int iLow { 0 };
    int iHigh { 0 };
};

class CProgressCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    int StepIt();
};

namespace platform::ui {
void RegisterProgressClass();
}
