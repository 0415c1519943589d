// The DCs a paint handler or a drawing helper opens on a window: CPaintDC (BeginPaint/EndPaint
// around a WM_PAINT), CClientDC (the client area, GetDC/ReleaseDC) and CWindowDC (the whole
// window, GetWindowDC). A null window gives the screen's DC.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/msg/Messages.h"

class CWnd;

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd { nullptr };
};

class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd { nullptr };
};

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps {};

protected:
    HWND m_hWnd { nullptr };
};
