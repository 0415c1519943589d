// CToolTipCtrl: tips for tools (a window, or a rectangle of a window under an id). The owner
// relays its mouse messages (RelayEvent); resting on a tool for the initial delay shows the tip
// below the pointer, a button press or leaving the tool hides it, and it hides by itself after
// the auto-pop delay. A tool's text can be a callback (LPSTR_TEXTCALLBACK, asked with
// TTN_GETDISPINFO). Delays run on timers, so tests drive them with the test clock.
#pragma once

#include "platform/msg/Wnd.h"

constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRANSPARENT = 0x0100;

constexpr UINT TTM_ACTIVATE = WM_USER + 1;
constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
constexpr UINT TTM_ADDTOOL = WM_USER + 4;
constexpr UINT TTM_DELTOOL = WM_USER + 5;
constexpr UINT TTM_NEWTOOLRECT = WM_USER + 6;
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
constexpr UINT TTM_GETTOOLINFO = WM_USER + 8;
constexpr UINT TTM_SETTOOLINFO = WM_USER + 9;
constexpr UINT TTM_GETTEXT = WM_USER + 11;
constexpr UINT TTM_UPDATETIPTEXT = WM_USER + 12;
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
constexpr UINT TTM_POP = WM_USER + 28;

constexpr DWORD TTDT_AUTOMATIC = 0;
constexpr DWORD TTDT_RESHOW = 1;
constexpr DWORD TTDT_AUTOPOP = 2;
constexpr DWORD TTDT_INITIAL = 3;

constexpr UINT TTN_GETDISPINFO = static_cast<UINT>(-520);
constexpr UINT TTN_NEEDTEXT = TTN_GETDISPINFO;
constexpr UINT TTN_SHOW = static_cast<UINT>(-521);
constexpr UINT TTN_POP = static_cast<UINT>(-522);

inline LPSTR const LPSTR_TEXTCALLBACK = reinterpret_cast<LPSTR>(static_cast<std::intptr_t>(-1));

struct TOOLINFO
{
    UINT cbSize { sizeof(TOOLINFO) };
    UINT uFlags { 0 };
    HWND hwnd { nullptr };
    UINT_PTR uId { 0 };
    RECT rect {};
    HINSTANCE hinst { nullptr };
    LPSTR lpszText { nullptr };
    LPARAM lParam { 0 };
};
using LPTOOLINFO = TOOLINFO*;

struct NMTTDISPINFO
{
    NMHDR hdr;
    LPSTR lpszText { nullptr };
    char szText[80] {};
    HINSTANCE hinst { nullptr };
    UINT uFlags { 0 };
    LPARAM lParam { 0 };
};

class CToolTipCtrl : public CWnd
{
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // Without a rectangle the tool is the whole window (TTF_IDISHWND).
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const;
    void RelayEvent(LPMSG lpMsg);
    void Activate(BOOL bActivate);
    void SetDelayTime(UINT nDelay);
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    int SetMaxTipWidth(int iWidth);
    int GetMaxTipWidth() const;
    void Pop();
};

namespace platform::ui {
void RegisterToolTipClass();
}
