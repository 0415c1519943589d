// The pop-up tip text.
#include "ktctrl/composite/KTTipText.h"

#include "ktctrl/composite/ControlClass.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"

namespace {
constexpr UINT kClassStyles = 11; // CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS
}

KTTipText::KTTipText() : m_crBk(GetSysColor(COLOR_INFOBK)), m_crText(GetSysColor(COLOR_INFOTEXT))
{
    ktctrl::RegisterControlClass(kClassName, kClassStyles);
    DefaultFont();
}

KTTipText::~KTTipText()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL KTTipText::RegisterWindowClass(HINSTANCE instance)
{
    ktctrl::RegisterControlClass(kClassName, kClassStyles, instance);
    return TRUE;
}

BOOL KTTipText::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = kClassName;
    cs.style = WS_POPUP | WS_BORDER;
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    return TRUE;
}

BOOL KTTipText::Create(CPoint point, CWnd* parent, UINT)
{
    return CreateEx(0, kClassName, "", WS_POPUP | WS_BORDER, point.x, point.y, 0, 0,
                    parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

void KTTipText::ShowDelayed(UINT milliseconds)
{
    if (!GetSafeHwnd())
        return;
    if (milliseconds == 0) {
        OnTimer(kShowTimer);
        return;
    }
    SetTimer(kShowTimer, milliseconds);
}

void KTTipText::Cancel()
{
    if (!GetSafeHwnd())
        return;
    KillTimer(kShowTimer);
    ShowWindow(SW_HIDE);
}

void KTTipText::DefaultFont()
{
    m_font.DeleteObject();
    m_font.CreatePointFont(100, "Arial");
}

BOOL KTTipText::SetFont(CFont* font)
{
    if (!font || !font->GetSafeHandle())
        return FALSE;
    LOGFONT lf {};
    font->GetLogFont(&lf);
    m_font.DeleteObject();
    return m_font.CreateFontIndirect(&lf);
}

void KTTipText::SetMargin(int horizontal, int vertical)
{
    m_nMarginX = horizontal;
    m_nMarginY = vertical;
}

void KTTipText::DrawText(CDC* dc, LPCTSTR text, CRect rect, UINT format)
{
    if (!(format & DT_CALCRECT))
        dc->FillSolidRect(&rect, m_crBk);
    CFont* old = dc->SelectObject(&m_font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_crText);
    dc->DrawText(text, -1, &rect, format);
    dc->SelectObject(old);
}

LRESULT KTTipText::OnSetText(WPARAM, LPARAM lParam)
{
    const char* text = reinterpret_cast<const char*>(lParam);
    {
        CClientDC dc(this);
        CRect window;
        GetWindowRect(&window);
        CRect measured(0, 0, window.Width(), window.Height());
        CFont* old = dc.SelectObject(&m_font);
        dc.DrawText(text ? text : "", -1, &measured, DT_CALCRECT | DT_SINGLELINE);
        dc.SelectObject(old);
        measured.InflateRect(m_nMarginX, m_nMarginY);
        const int height = m_nMarginY != 0 ? measured.Height() : window.Height();
        SetWindowPos(nullptr, 0, 0, measured.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return Default();
}

void KTTipText::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    CRect client;
    GetClientRect(&client);
    CString text;
    GetWindowText(text);
    DrawText(dc, text, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(&ps);
}

void KTTipText::OnTimer(UINT_PTR)
{
    ShowWindow(SW_SHOWNOACTIVATE);
    Invalidate();
    UpdateWindow();
    KillTimer(kShowTimer);
}

const platform::MessageMap* KTTipText::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SETTEXT, &KTTipText::OnSetText>(),
        Message<WM_PAINT, &KTTipText::OnPaint>(),
        Message<WM_TIMER, &KTTipText::OnTimer>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}
