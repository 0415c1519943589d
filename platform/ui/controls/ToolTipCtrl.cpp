// The "tooltips_class32" window class and CToolTipCtrl.
#include "platform/ui/controls/ToolTipCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ControlWindow.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace platform::ui {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr int kPadding = 3;
constexpr int kBelowPointer = 20;

struct Tool
{
    UINT flags { 0 };
    HWND hwnd { nullptr };
    UINT_PTR id { 0 };
    RECT rect {};
    bool callback { false };
    std::string text;
    LPARAM lParam { 0 };
};

class ToolTipWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_NCHITTEST: return HTTRANSPARENT;
        case TTM_ACTIVATE:
            m_active = wParam != 0;
            if (!m_active)
                Hide();
            return 0;
        case TTM_SETDELAYTIME: SetDelay(static_cast<DWORD>(wParam), static_cast<int>(static_cast<short>(LOWORD(lParam)))); return 0;
        case TTM_GETDELAYTIME:
            return wParam == TTDT_INITIAL ? m_initial : wParam == TTDT_AUTOPOP ? m_autopop : m_reshow;
        case TTM_ADDTOOL: return AddTool(*reinterpret_cast<const TOOLINFO*>(lParam));
        case TTM_DELTOOL: {
            auto* info = reinterpret_cast<const TOOLINFO*>(lParam);
            std::erase_if(m_tools, [&](const Tool& t) { return Same(t, *info); });
            if (m_shown && !Find(m_current))
                Hide();
            return 0;
        }
        case TTM_NEWTOOLRECT:
        case TTM_SETTOOLINFO:
        case TTM_UPDATETIPTEXT: {
            auto* info = reinterpret_cast<const TOOLINFO*>(lParam);
            for (auto& t : m_tools)
                if (Same(t, *info)) {
                    if (message == TTM_NEWTOOLRECT || message == TTM_SETTOOLINFO)
                        t.rect = info->rect;
                    if (message != TTM_NEWTOOLRECT)
                        SetText(t, info->lpszText);
                }
            if (m_shown)
                Show();
            return 0;
        }
        case TTM_GETTEXT:
        case TTM_GETTOOLINFO: {
            auto* info = reinterpret_cast<TOOLINFO*>(lParam);
            for (const auto& t : m_tools)
                if (Same(t, *info)) {
                    if (message == TTM_GETTOOLINFO) {
                        info->uFlags = t.flags;
                        info->rect = t.rect;
                        info->lParam = t.lParam;
                    }
                    if (info->lpszText && info->lpszText != LPSTR_TEXTCALLBACK) {
                        std::size_t size = wParam ? static_cast<std::size_t>(wParam) : 80;
                        std::string text = t.text.substr(0, size - 1);
                        std::memcpy(info->lpszText, text.c_str(), text.size() + 1);
                    }
                    return TRUE;
                }
            return FALSE;
        }
        case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(m_tools.size());
        case TTM_RELAYEVENT: Relay(*reinterpret_cast<const MSG*>(lParam)); return 0;
        case TTM_SETMAXTIPWIDTH: return std::exchange(m_maxWidth, static_cast<int>(lParam));
        case TTM_GETMAXTIPWIDTH: return m_maxWidth;
        case TTM_POP: Hide(); return 0;
        case WM_TIMER:
            if (wParam == kShowTimer) {
                KillTimer(m_hwnd, kShowTimer);
                if (m_pending.hwnd)
                    ShowFor(m_pending);
            } else if (wParam == kPopTimer) {
                Hide();
            }
            return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    struct Key
    {
        HWND hwnd { nullptr };
        UINT_PTR id { 0 };
    };

    static bool Same(const Tool& t, const TOOLINFO& info) { return t.hwnd == info.hwnd && t.id == info.uId; }

    Tool* Find(const Key& key)
    {
        for (auto& t : m_tools)
            if (t.hwnd == key.hwnd && t.id == key.id)
                return &t;
        return nullptr;
    }

    void SetText(Tool& t, LPSTR text)
    {
        t.callback = text == LPSTR_TEXTCALLBACK;
        t.text = (!t.callback && text) ? text : "";
    }

    LRESULT AddTool(const TOOLINFO& info)
    {
        Tool t;
        t.flags = info.uFlags;
        t.hwnd = info.hwnd;
        t.id = info.uId;
        t.rect = info.rect;
        t.lParam = info.lParam;
        SetText(t, info.lpszText);
        std::erase_if(m_tools, [&](const Tool& old) { return Same(old, info); });
        m_tools.push_back(std::move(t));
        return TRUE;
    }

    void SetDelay(DWORD which, int ms)
    {
        int initial = ms < 0 ? static_cast<int>(GetDoubleClickTime()) : ms;
        switch (which) {
        case TTDT_INITIAL: m_initial = initial; break;
        case TTDT_AUTOPOP: m_autopop = ms < 0 ? 10 * static_cast<int>(GetDoubleClickTime()) : ms; break;
        case TTDT_RESHOW: m_reshow = ms < 0 ? static_cast<int>(GetDoubleClickTime()) / 5 : ms; break;
        default: // the automatic setting derives all three from one value
            m_initial = initial;
            m_autopop = initial * 10;
            m_reshow = initial / 5;
            break;
        }
    }

    // The tool under a point of a relayed mouse message.
    const Tool* ToolAt(HWND hwnd, POINT point) const
    {
        for (const auto& t : m_tools) {
            if (t.flags & TTF_IDISHWND) {
                if (reinterpret_cast<HWND>(t.id) == hwnd)
                    return &t;
            } else if (t.hwnd == hwnd && CRect(t.rect).PtInRect(point)) {
                return &t;
            }
        }
        return nullptr;
    }

    void Relay(const MSG& msg)
    {
        if (!m_active)
            return;
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            const Tool* tool = ToolAt(msg.hwnd, CPoint(msg.lParam));
            Key key = tool ? Key { tool->hwnd, tool->id } : Key {};
            if (m_shown && key.hwnd == m_current.hwnd && key.id == m_current.id)
                return;
            bool wasShown = m_shown;
            if (m_shown)
                Hide();
            m_pending = key;
            if (!tool) {
                KillTimer(m_hwnd, kShowTimer);
                return;
            }
            // Moving from one tip to the next tool shows the next one sooner.
            SetTimer(m_hwnd, kShowTimer, static_cast<UINT>(wasShown ? m_reshow : m_initial), nullptr);
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_MOUSELEAVE:
            KillTimer(m_hwnd, kShowTimer);
            m_pending = {};
            Hide();
            return;
        default: return;
        }
    }

    std::string TextOf(const Tool& t)
    {
        if (!t.callback)
            return t.text;
        NMTTDISPINFO info;
        info.hdr.hwndFrom = m_hwnd;
        info.hdr.idFrom = t.id;
        info.hdr.code = TTN_GETDISPINFO;
        info.uFlags = t.flags;
        info.lParam = t.lParam;
        SendMessage(t.hwnd, WM_NOTIFY, static_cast<WPARAM>(t.id), reinterpret_cast<LPARAM>(&info));
        if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK)
            return info.lpszText;
        return info.szText;
    }

    UINT Format() const
    {
        UINT format = (Style() & TTS_NOPREFIX) ? DT_NOPREFIX : 0;
        return m_maxWidth > 0 ? format | DT_WORDBREAK : format | DT_SINGLELINE;
    }

    void ShowFor(const Key& key)
    {
        Tool* tool = Find(key);
        if (!tool)
            return;
        m_text = TextOf(*tool);
        m_current = key;
        if (m_text.empty())
            return;
        Show();
    }

    void Show()
    {
        CRect text(0, 0, m_maxWidth > 0 ? m_maxWidth : 2000, 0);
        HDC hdc = GetDC(nullptr);
        if (CDC* dc = CDC::FromHandle(hdc)) {
            int saved = dc->SaveDC();
            SelectFont(*dc);
            dc->DrawText(CString(m_text), &text, Format() | DT_CALCRECT);
            dc->RestoreDC(saved);
        }
        ReleaseDC(nullptr, hdc);
        POINT cursor {};
        GetCursorPos(&cursor);
        int width = text.Width() + 2 * kPadding + 2, height = text.Height() + 2 * kPadding + 2;
        int x = std::min<int>(cursor.x, GetSystemMetrics(SM_CXSCREEN) - width);
        int y = cursor.y + kBelowPointer;
        if (y + height > GetSystemMetrics(SM_CYSCREEN))
            y = cursor.y - height - 2;
        SetWindowPos(m_hwnd, HWND_TOPMOST, std::max(0, x), std::max(0, y), width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        m_shown = true;
        Redraw();
        NotifyTool(TTN_SHOW);
        SetTimer(m_hwnd, kPopTimer, static_cast<UINT>(m_autopop), nullptr);
    }

    void Hide()
    {
        KillTimer(m_hwnd, kPopTimer);
        if (!m_shown)
            return;
        m_shown = false;
        ShowWindow(m_hwnd, SW_HIDE);
        NotifyTool(TTN_POP);
    }

    void NotifyTool(UINT code)
    {
        NMHDR hdr;
        hdr.hwndFrom = m_hwnd;
        hdr.idFrom = m_current.id;
        hdr.code = code;
        if (IsWindow(m_current.hwnd))
            SendMessage(m_current.hwnd, WM_NOTIFY, static_cast<WPARAM>(m_current.id), reinterpret_cast<LPARAM>(&hdr));
    }

    void Paint(CDC& dc) override
    {
        CRect c = Client();
        dc.FillSolidRect(&c, GetSysColor(COLOR_INFOBK));
        dc.FrameRect(&c, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOWFRAME)));
        SelectFont(dc);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
        c.DeflateRect(kPadding + 1, kPadding + 1);
        dc.DrawText(CString(m_text), &c, Format());
    }

    std::vector<Tool> m_tools;
    bool m_active { true };
    bool m_shown { false };
    Key m_pending;
    Key m_current;
    std::string m_text;
    int m_initial { static_cast<int>(GetDoubleClickTime()) };
    int m_autopop { 10 * static_cast<int>(GetDoubleClickTime()) };
    int m_reshow { static_cast<int>(GetDoubleClickTime()) / 5 };
    int m_maxWidth { -1 };
};

} // namespace

void RegisterToolTipClass() { RegisterControlClass<ToolTipWindow>("tooltips_class32", CS_SAVEBITS); }

} // namespace platform::ui

// ---- CToolTipCtrl ------------------------------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    platform::ui::RegisterStandardControls();
    return CWnd::CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "tooltips_class32", "", WS_POPUP | dwStyle, 0, 0, 0, 0,
                          pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

namespace {
TOOLINFO Info(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO info;
    info.hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    info.uId = nIDTool;
    return info;
}
} // namespace

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd)
        return FALSE;
    TOOLINFO info = Info(pWnd, nIDTool);
    info.lpszText = const_cast<LPSTR>(lpszText);
    if (lpRectTool) {
        info.rect = *lpRectTool;
    } else {
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
    }
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, text.GetString(), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO info = Info(pWnd, nIDTool);
    if (pWnd && nIDTool == 0)
        info.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd); // a whole-window tool
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
    info.uId = nIDTool;
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO info = Info(pWnd, nIDTool);
    info.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
    if (pWnd && nIDTool == 0) {
        info.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
        SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO info = Info(pWnd, nIDTool);
    if (lpRect)
        info.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    char buffer[1024] {};
    TOOLINFO info = Info(pWnd, nIDTool);
    info.lpszText = buffer;
    if (!SendMessage(TTM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(&info)) && pWnd) {
        info.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
        SendMessage(TTM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
    }
    str = buffer;
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    if (m_hWnd && lpMsg)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}
void CToolTipCtrl::Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
void CToolTipCtrl::SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(static_cast<WORD>(nDelay), 0)); }
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(static_cast<WORD>(iTime), 0));
}
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, dwDuration)); }
int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }
int CToolTipCtrl::GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
void CToolTipCtrl::Pop() { SendMessage(TTM_POP); }
