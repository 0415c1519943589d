#include "appcommon/MainToolBar.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"

using namespace platform::msgmap;

const platform::MessageMap* CMainToolBar::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_NCPAINT, &CMainToolBar::OnNcPaint>(),
        Message<WM_RBUTTONDOWN, &CMainToolBar::OnRButtonDown>(),
        Message<WM_RBUTTONUP, &CMainToolBar::OnRButtonUp>(),
        Message<WM_RBUTTONDBLCLK, &CMainToolBar::OnRButtonDblClk>(),
    };
    static constexpr platform::MessageMap kMap { &CToolBar::GetThisMessageMap, kEntries };
    return &kMap;
}

void CMainToolBar::OnNcPaint()
{
    // Everything outside the client area: the bar's borders on the window rectangle, the
    // background behind them, and the gripper.
    CWindowDC dc(this);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    CRect window;
    GetWindowRect(&window);
    client.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);

    window.OffsetRect(-window.left, -window.top);
    DrawBorders(&dc, window);
    dc.IntersectClipRect(&window);
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    dc.FillSolidRect(&window, GetSysColor(COLOR_BTNFACE));
    DrawGripper(&dc, window);
}

void CMainToolBar::OnRButtonDown(UINT, CPoint) {}
void CMainToolBar::OnRButtonUp(UINT, CPoint) {}
void CMainToolBar::OnRButtonDblClk(UINT, CPoint) {}
