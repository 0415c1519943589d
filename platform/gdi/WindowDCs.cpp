// CClientDC, CWindowDC and CPaintDC over the window layer's DC functions.
#include "platform/gdi/WindowDCs.h"

#include "platform/msg/Wnd.h"

namespace {

HWND HandleOf(CWnd* wnd)
{
    return wnd ? wnd->GetSafeHwnd() : nullptr;
}

} // namespace

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(HandleOf(wnd))
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(HandleOf(wnd))
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(HandleOf(wnd))
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}
