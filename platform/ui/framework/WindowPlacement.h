// Window placement and monitors for frames: a window's normal (restored) rectangle with its
// show state, and the monitor nearest a window with its rectangle and work area. The hosts offer
// one monitor, the virtual screen; its work area is the whole screen.
#pragma once

#include "platform/msg/Messages.h"

constexpr UINT WPF_SETMINPOSITION = 0x0001;
constexpr UINT WPF_RESTORETOMAXIMIZED = 0x0002;

struct WINDOWPLACEMENT
{
    UINT length { sizeof(WINDOWPLACEMENT) };
    UINT flags { 0 };
    UINT showCmd { SW_SHOWNORMAL };
    POINT ptMinPosition {};
    POINT ptMaxPosition {};
    RECT rcNormalPosition {};
};
using LPWINDOWPLACEMENT = WINDOWPLACEMENT*;

constexpr DWORD MONITOR_DEFAULTTONULL = 0x00000000;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 0x00000001;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 0x00000002;
constexpr DWORD MONITORINFOF_PRIMARY = 0x00000001;

struct MONITORINFO
{
    DWORD cbSize { sizeof(MONITORINFO) };
    RECT rcMonitor {};
    RECT rcWork {};
    DWORD dwFlags { 0 };
};
using LPMONITORINFO = MONITORINFO*;

// The window's show state and its normal rectangle (in screen coordinates for a top-level
// window, in its parent's client coordinates for a child). FALSE for a window that is gone.
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
// Gives the window that normal rectangle and shows it in that state.
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info);
