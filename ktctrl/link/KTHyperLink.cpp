// The hyperlink.
#include "ktctrl/link/KTHyperLink.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/Cursor.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"
#include "platform/sys/MessageBeep.h"
#include "platform/sys/Shell.h"

namespace {

struct ShellError
{
    int result;
    const char* text;
};

constexpr ShellError kShellErrors[] = {
    { 0, "The operating system is out\nof memory or resources." },
    { 2, "The specified file was not found." },
    { 3, "The specified path was not found." },
    { 5, "The operating system denied\naccess to the specified file." },
    { 8, "There was not enough memory to complete the operation." },
    { 11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)." },
    { 26, "A sharing violation occurred. " },
    { 27, "The filename association is\nincomplete or invalid." },
    { 28, "The DDE transaction could not\nbe completed because the request timed out." },
    { 29, "The DDE transaction failed." },
    { 30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed." },
    { 31, "There is no application associated\nwith the given filename extension." },
    { 32, "The specified dynamic-link library was not found." },
};

} // namespace

KTHyperLink::~KTHyperLink()
{
    m_UnderlineFont.DeleteObject();
    m_StdFont.DeleteObject();
}

// ---- settings --------------------------------------------------------------------------------------

void KTHyperLink::SetURL(const char* url)
{
    m_strURL = url ? url : "";
    if (!::IsWindow(m_hWnd))
        return;
    PositionWindow();
    if (::IsWindow(m_ToolTip.m_hWnd))
        m_ToolTip.UpdateTipText(m_strURL, this, 1);
}

void KTHyperLink::SetColors(COLORREF link, COLORREF visited, COLORREF hover)
{
    m_crLink = link;
    m_crVisited = visited;
    m_crHover = hover == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_HIGHLIGHT) : hover;
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void KTHyperLink::SetVisited(int visited)
{
    if (m_bVisited == visited)
        return;
    m_bVisited = visited;
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void KTHyperLink::SetLinkCursor(HICON cursor)
{
    m_hLinkCursor = cursor;
    if (!m_hLinkCursor)
        SetDefaultCursor();
}

void KTHyperLink::SetDefaultCursor()
{
    // The desktop's own hand shape.
    if (!m_hLinkCursor)
        m_hLinkCursor = ::LoadCursor(nullptr, IDC_HAND);
}

void KTHyperLink::SelectLinkFont(bool underlined)
{
    CFont& font = underlined ? m_UnderlineFont : m_StdFont;
    if (font.GetSafeHandle())
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
}

void KTHyperLink::SetUnderline(int mode)
{
    if (mode != m_nUnderline && ::IsWindow(m_hWnd)) {
        SelectLinkFont(mode == 1);
        Invalidate();
    }
    m_nUnderline = mode;
}

void KTHyperLink::SetAutoSize(int autoSize)
{
    m_bAdjustToFit = autoSize;
    if (::IsWindow(m_hWnd))
        PositionWindow();
}

// ---- window ------------------------------------------------------------------------------------------

void KTHyperLink::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    CString text;
    GetWindowText(text);
    if (m_strURL.IsEmpty())
        m_strURL = text;
    if (text.IsEmpty())
        SetWindowText(m_strURL);

    HFONT current = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
    if (!current)
        current = reinterpret_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!current)
        current = reinterpret_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    LOGFONT lf {};
    if (CFont* font = CFont::FromHandle(current))
        font->GetLogFont(&lf);
    m_StdFont.CreateFontIndirect(&lf);
    lf.lfUnderline = TRUE;
    m_UnderlineFont.CreateFontIndirect(&lf);
    SelectLinkFont(m_nUnderline == 1);

    PositionWindow();
    SetDefaultCursor();
    m_ToolTip.Create(this);
    CRect client;
    GetClientRect(&client);
    m_ToolTip.AddTool(this, m_strURL, &client, 1);
    CStatic::PreSubclassWindow();
}

BOOL KTHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (::IsWindow(m_ToolTip.m_hWnd))
        m_ToolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void KTHyperLink::PositionWindow()
{
    if (!::IsWindow(m_hWnd) || !m_bAdjustToFit)
        return;
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    CWnd* parent = GetParent();
    if (parent)
        parent->ScreenToClient(&window);
    CString text;
    GetWindowText(text);
    CClientDC dc(this);
    CFont* old = m_UnderlineFont.GetSafeHandle() ? dc.SelectObject(&m_UnderlineFont) : nullptr;
    CSize extent = dc.GetTextExtent(text);
    if (old)
        dc.SelectObject(old);
    // The border stays: the new size is the text plus what lies between window and client.
    extent.cx += window.Width() - client.Width();
    extent.cy += window.Height() - client.Height();
    DWORD style = GetStyle();
    int top = (style & SS_CENTERIMAGE) ? window.top + (window.Height() - extent.cy) / 2 : window.top;
    int left = window.left;
    if ((style & SS_TYPEMASK) == SS_CENTER)
        left = window.left + (window.Width() - extent.cx) / 2;
    else if ((style & SS_TYPEMASK) == SS_RIGHT)
        left = window.right - extent.cx;
    SetWindowPos(nullptr, left, top, extent.cx, extent.cy, SWP_NOZORDER);
}

void KTHyperLink::OnDestroy()
{
    KillTimer(m_nTimerID);
    Default();
}

BOOL KTHyperLink::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

HBRUSH KTHyperLink::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_bOverControl ? m_crHover : (m_bVisited ? m_crVisited : m_crLink));
    pDC->SetBkMode(TRANSPARENT);
    return reinterpret_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

// ---- pointer ----------------------------------------------------------------------------------------

void KTHyperLink::OnMouseMove(UINT, CPoint)
{
    if (!m_bOverControl) {
        m_bOverControl = 1;
        if (m_nUnderline == -1)
            SelectLinkFont(true);
        Invalidate();
        SetTimer(m_nTimerID, 100, nullptr);
    }
    Default();
}

void KTHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nTimerID) {
        Default();
        return;
    }
    DWORD pos = ::GetMessagePos();
    CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point))
        return;
    m_bOverControl = 0;
    KillTimer(m_nTimerID);
    if (m_nUnderline != 1)
        SelectLinkFont(false);
    client.bottom += 10;
    InvalidateRect(&client);
}

BOOL KTHyperLink::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_hLinkCursor) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

// ---- click ----------------------------------------------------------------------------------------

HINSTANCE KTHyperLink::GotoURL(const char* target, int showCommand)
{
    return ::ShellExecute(nullptr, "open", target, nullptr, nullptr, showCommand);
}

CString KTHyperLink::ErrorText(int result)
{
    CString text = "Unable to open hyperlink:\n\n";
    for (const ShellError& e : kShellErrors)
        if (e.result == result)
            return text + e.text;
    CString unknown;
    unknown.Format("Unknown Error (%d) occurred.", result);
    return text + unknown;
}

void KTHyperLink::OnClicked()
{
    m_bOverControl = 0;
    int result = platform::ShellResultCode(GotoURL(m_strURL, SW_SHOW));
    if (result > 32) {
        SetVisited(1);
        return;
    }
    SetVisited(0);
    ::MessageBeep(MB_ICONEXCLAMATION);
    HWND self = m_hWnd;
    CString text = ErrorText(result);
    ::MessageBox(self, text, "", MB_ICONEXCLAMATION | MB_OK);
}

const platform::MessageMap* KTHyperLink::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_DESTROY, &KTHyperLink::OnDestroy>(),
        Message<WM_ERASEBKGND, &KTHyperLink::OnEraseBkgnd>(),
        Message<WM_MOUSEMOVE, &KTHyperLink::OnMouseMove>(),
        Message<WM_SETCURSOR, &KTHyperLink::OnSetCursor>(),
        Message<WM_TIMER, &KTHyperLink::OnTimer>(),
        ReflectCommand<&KTHyperLink::OnClicked>(STN_CLICKED),
        ReflectCtlColor<&KTHyperLink::CtlColor>(),
    };
    static constexpr platform::MessageMap kMap { &CStatic::GetThisMessageMap, kEntries };
    return &kMap;
}
