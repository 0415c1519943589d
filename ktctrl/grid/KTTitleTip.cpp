// The grid's title tip.
#include "ktctrl/grid/KTTitleTip.h"

#include "platform/core/ResourceModule.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/Cursor.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowClass.h"

namespace {

constexpr const char* kTipClass = "KTTitleTip";

} // namespace

KTTitleTip::KTTitleTip()
{
    for (HINSTANCE instance : { AfxGetInstanceHandle(), AfxGetResourceHandle() }) {
        WNDCLASS wc {};
        if (GetClassInfo(instance, kTipClass, &wc))
            continue;
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INFOBK + 1));
        wc.lpszClassName = kTipClass;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
}

KTTitleTip::~KTTitleTip()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL KTTitleTip::Create(CWnd* parent)
{
    m_pParentWnd = parent;
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTipClass, nullptr, WS_POPUP | WS_BORDER, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

void KTTitleTip::Show(CRect rectTitle, const char* text, int xOffset, const RECT* hoverRect, const LOGFONT* font)
{
    if (rectTitle.IsRectEmpty() || !GetSafeHwnd() || !m_pParentWnd)
        return;
    // Without a hover rectangle the pointer may move anywhere over the cell itself.
    CRect hoverOnScreen = hoverRect ? CRect(*hoverRect) : rectTitle;
    m_pParentWnd->ClientToScreen(&hoverOnScreen);
    m_rectHover = hoverOnScreen;
    ScreenToClient(&m_rectHover);
    if (IsWindowVisible() || !GetFocus())
        return;
    m_pParentWnd->ClientToScreen(&rectTitle);
    m_text = CString(" ") + (text ? text : "") + " ";
    m_hasFont = font != nullptr;
    if (font)
        m_font = *font;
    CClientDC dc(this);
    CFont made;
    CFont* use = nullptr;
    if (font && made.CreateFontIndirect(font))
        use = &made;
    else
        use = CFont::FromHandle(reinterpret_cast<HFONT>(m_pParentWnd->SendMessage(WM_GETFONT)));
    CFont* old = use ? dc.SelectObject(use) : nullptr;
    const int width = dc.GetTextExtent(m_text).cx;
    TEXTMETRIC tm {};
    dc.GetTextMetrics(&tm);
    if (old)
        dc.SelectObject(old);
    const int overhang = tm.tmOverhang;
    if (rectTitle.right - xOffset >= rectTitle.left + 2 * xOffset + width + overhang)
        return; // the text fits
    SetWindowPos(&wndTopMost, rectTitle.left + xOffset, rectTitle.top, xOffset + width + overhang + 2,
        rectTitle.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // The tip now covers the cell: the hover rectangle is re-expressed in its coordinates.
    m_rectHover = hoverOnScreen;
    ScreenToClient(&m_rectHover);
    Invalidate();
    SetCapture();
}

void KTTitleTip::Hide()
{
    if (!GetSafeHwnd())
        return;
    if (GetCapture() == this)
        ReleaseCapture();
    ShowWindow(SW_HIDE);
}

LRESULT KTTitleTip::OnPaintMsg(WPARAM, LPARAM)
{
    CPaintDC dc(this);
    CFont made;
    CFont* use = nullptr;
    if (m_hasFont && made.CreateFontIndirect(&m_font))
        use = &made;
    else if (m_pParentWnd)
        use = CFont::FromHandle(reinterpret_cast<HFONT>(m_pParentWnd->SendMessage(WM_GETFONT)));
    CFont* old = use ? dc.SelectObject(use) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
    dc.TextOut(0, 0, m_text);
    if (old)
        dc.SelectObject(old);
    return 0;
}

void KTTitleTip::Forward(UINT message, UINT ncMessage, WPARAM keys, POINT screen)
{
    CWnd* target = CWnd::FromHandle(::WindowFromPoint(screen));
    if (!target || target == this)
        target = m_pParentWnd;
    if (!target)
        return;
    const LRESULT hit = target->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT) {
        POINT client = screen;
        target->ScreenToClient(&client);
        target->PostMessage(message, keys, MAKELPARAM(client.x, client.y));
    } else {
        target->PostMessage(ncMessage, hit, MAKELPARAM(screen.x, screen.y));
    }
}

LRESULT KTTitleTip::OnMouseMoveMsg(WPARAM keys, LPARAM l)
{
    POINT point { static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)) };
    if (m_rectHover.PtInRect(point))
        return 0;
    Hide();
    ClientToScreen(&point);
    Forward(WM_MOUSEMOVE, WM_NCMOUSEMOVE, keys, point);
    return 0;
}

BOOL KTTitleTip::PreTranslateMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd)
            m_pParentWnd->PostMessage(msg->message, msg->wParam, msg->lParam);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        if (msg->hwnd != m_hWnd)
            break;
        POINT point { static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam)) };
        ClientToScreen(&point);
        const UINT nc = msg->message == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN
            : msg->message == WM_RBUTTONDOWN         ? WM_NCRBUTTONDOWN
                                                     : WM_NCMBUTTONDOWN;
        Hide();
        Forward(msg->message, nc, msg->wParam, point);
        return TRUE;
    }
    default:
        break;
    }
    if (!GetFocus()) {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

const platform::MessageMap* KTTitleTip::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static const platform::MessageMapEntry kEntries[] = {
        RegisteredMessage<&KTTitleTip::OnMouseMoveMsg>(WM_MOUSEMOVE),
        RegisteredMessage<&KTTitleTip::OnPaintMsg>(WM_PAINT),
    };
    static const platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}
