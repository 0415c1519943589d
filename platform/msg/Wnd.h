// CWnd: a window object. It attaches to a window handle, receives the window's messages
// through its message map (see MessageMap.h) and wraps the window functions.
//
// Life: the object and the window are separate. A window created by CreateEx is attached to
// the object until WM_NCDESTROY; then the object is detached and PostNcDestroy runs, the
// last call the framework makes on it, so an override may `delete this`. Destroying the object
// first destroys its window.
#pragma once

#include "platform/core/CString.h"
#include "platform/msg/CmdTarget.h"
#include "platform/msg/MessageMap.h"
#include "platform/msg/ScrollInfo.h"
#include "platform/msg/WindowApi.h"

class CDC;
class CMenu;

// Flags of RunModalLoop.
constexpr DWORD MLF_NOIDLEMSG = 0x0001;

class CWnd : public CCmdTarget
{
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    HWND m_hWnd { nullptr };
    operator HWND() const { return m_hWnd; }

    // The insert-after places of SetWindowPos: SetWindowPos(&CWnd::wndTop, ...).
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    // Null for a null object too, as callers of the classic framework expect.
    HWND GetSafeHwnd() const;

    // ---- handles and objects ----------------------------------------------------------------
    // The object attached to `hwnd`, or a wrapper that lives as long as the window.
    static CWnd* FromHandle(HWND hwnd);
    // The object attached to `hwnd`, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Routes the messages of an existing window through this object (PreSubclassWindow first).
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // ---- creation ----------------------------------------------------------------------------------
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                          int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}

    // ---- message handling --------------------------------------------------------------------------
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    // The message being handled on this thread, passed on to the default procedure.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE) const;

    // ---- state -----------------------------------------------------------------------------------------
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);

    // ---- hierarchy -------------------------------------------------------------------------------------
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    // The window a modal window (dialog, message box, common dialog) of the calling code is to
    // be owned by, so that it shows above it and disables it: the top-level window of
    // `pParent` when one is given; otherwise the window the user works in, the last active
    // window of the active window's owned tree (of the thread's main window when nothing is
    // active), never a window beneath it. Null when there is none.
    static CWnd* GetSafeOwner(CWnd* pParent = nullptr);
    // Its handle; null when there is none.
    static HWND GetSafeOwnerHwnd(CWnd* pParent = nullptr);
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* ChildWindowFromPoint(POINT point) const;
    static CWnd* WindowFromPoint(POINT point);
    static CWnd* GetDesktopWindow();

    // ---- dialog items and window scroll bars -----------------------------------------------------------
    // One-line forwards to the dialog manager's and the scroll bars' functions, which belong to
    // the standard controls; defined there (platform/ui/WndItemsAndScrollBars.cpp).
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    // The first checked button of the range, 0 when none is.
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    // The largest position the bar takes: its maximum less a page.
    int GetScrollLimit(int nBar);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    // Shows or hides the window's own bar (SB_HORZ, SB_VERT or SB_BOTH).
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);

    // ---- geometry --------------------------------------------------------------------------------------
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void BringWindowToTop();
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // ---- focus, activation, capture --------------------------------------------------------------------
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    BOOL SetForegroundWindow();
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // ---- painting --------------------------------------------------------------------------------------
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    void UpdateWindow();
    // WM_SETREDRAW: drawing off hides the window from painting without hiding it.
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // The device contexts; null until the drawing module supplies them.
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);

    // ---- timers, modal loops, message boxes --------------------------------------------------------------
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // ---- typed handlers: each default passes the message to Default() --------------------------------------
    int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    void OnDestroy() { Default(); }
    void OnNcDestroy();
    void OnClose() { Default(); }
    void OnPaint() { Default(); }
    void OnNcPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    void OnSize(UINT, int, int) { Default(); }
    void OnSizing(UINT, LPRECT) { Default(); }
    void OnMove(int, int) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnShowWindow(BOOL, UINT) { Default(); }
    void OnEnable(BOOL) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    void OnWindowPosChanging(WINDOWPOS*) { Default(); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    void OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    BOOL OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
    int OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    void OnCaptureChanged(CWnd*) { Default(); }
    void OnCancelMode() { Default(); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnMouseLeave() { Default(); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }
    void OnRButtonUp(UINT, CPoint) { Default(); }
    void OnRButtonDblClk(UINT, CPoint) { Default(); }
    void OnMButtonDown(UINT, CPoint) { Default(); }
    void OnMButtonUp(UINT, CPoint) { Default(); }
    void OnMButtonDblClk(UINT, CPoint) { Default(); }
    void OnNcLButtonDown(UINT, CPoint) { Default(); }
    void OnNcLButtonUp(UINT, CPoint) { Default(); }
    void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
    void OnNcMouseMove(UINT, CPoint) { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    void OnKeyUp(UINT, UINT, UINT) { Default(); }
    void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    void OnSysChar(UINT, UINT, UINT) { Default(); }
    UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    void OnContextMenu(CWnd*, CPoint) { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
    void OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
    void OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
    void OnDeleteItem(int, DELETEITEMSTRUCT*) { Default(); }
    int OnCompareItem(int, COMPAREITEMSTRUCT*) { return static_cast<int>(Default()); }
    void OnHScroll(UINT, UINT, CWnd*) { Default(); }
    void OnVScroll(UINT, UINT, CWnd*) { Default(); }
    void OnParentNotify(UINT, LPARAM) { Default(); }
    void OnEnterIdle(UINT, CWnd*) { Default(); }
    void OnSysColorChange() { Default(); }
    void OnSettingChange(UINT, LPCTSTR) { Default(); }
    BOOL OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
    BOOL OnQueryEndSession() { return static_cast<BOOL>(Default()); }
    void OnEndSession(BOOL) { Default(); }

private:
    explicit CWnd(HWND special) : m_hWnd(special) {}

public:
    // The procedure that gets what this object leaves unhandled (the class's own procedure
    // of a subclassed window).
    WNDPROC m_pfnSuper { nullptr };
};

// The extra data of a reflected control-colour message.
struct AFX_CTLCOLOR
{
    HWND hWnd { nullptr };
    HDC hDC { nullptr };
    UINT nCtlType { 0 };
};
constexpr UINT WM_CTLCOLOR_REFLECT = WM_REFLECT_BASE + 0x0019;

// ---- typed window messages in message maps ---------------------------------------------------------------

namespace platform::msgmap {

namespace crack {

inline CPoint Point(LPARAM l) { return CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)); }
inline CWnd* Wnd(WPARAM w) { return CWnd::FromHandle(reinterpret_cast<HWND>(w)); }
inline CWnd* Wnd(LPARAM l) { return CWnd::FromHandle(reinterpret_cast<HWND>(l)); }
CDC* Dc(WPARAM w);

// How a message's parameters become the typed handler's arguments. The primary form is the
// raw one: LRESULT Handler(WPARAM, LPARAM).
template <UINT Msg>
struct Cracker
{
    template <auto F, class C>
    static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(w, l); }
};

template <UINT Msg>
struct VoidCracker // void Handler()
{
    template <auto F, class C>
    static LRESULT Call(C* s, WPARAM, LPARAM) { return (s->*F)(), 0; }
};
template <UINT Msg>
struct MouseCracker // void Handler(UINT nFlags, CPoint point)
{
    template <auto F, class C>
    static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<UINT>(w), Point(l)), 0; }
};
template <UINT Msg>
struct KeyCracker // void Handler(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    template <auto F, class C>
    static LRESULT Call(C* s, WPARAM w, LPARAM l)
    {
        return (s->*F)(static_cast<UINT>(w), LOWORD(static_cast<std::uintptr_t>(l)), HIWORD(static_cast<std::uintptr_t>(l))), 0;
    }
};
template <UINT Msg>
struct ScrollCracker // void Handler(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    template <auto F, class C>
    static LRESULT Call(C* s, WPARAM w, LPARAM l)
    {
        using Bar = std::remove_pointer_t<std::tuple_element_t<2, typename ArgsOf<decltype(F)>::type>>;
        return (s->*F)(LOWORD(w), static_cast<UINT>(static_cast<short>(HIWORD(w))),
                       static_cast<Bar*>(l ? CWnd::FromHandle(reinterpret_cast<HWND>(l)) : nullptr)), 0;
    }
    template <class T>
    struct ArgsOf;
    template <class R, class K, class... A>
    struct ArgsOf<R (K::*)(A...)>
    {
        using type = std::tuple<A...>;
    };
};
template <UINT Msg>
struct NcMouseCracker // void Handler(UINT nHitTest, CPoint point)
{
    template <auto F, class C>
    static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<UINT>(w), Point(l)), 0; }
};
template <UINT Msg>
struct CtlColorCracker // HBRUSH Handler(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    template <auto F, class C>
    static LRESULT Call(C* s, WPARAM w, LPARAM l)
    {
        return reinterpret_cast<LRESULT>((s->*F)(Dc(w), Wnd(l), Msg - WM_CTLCOLORMSGBOX));
    }
};

template <> struct Cracker<WM_CREATE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM l) { return (s->*F)(reinterpret_cast<LPCREATESTRUCT>(l)); } };
template <> struct Cracker<WM_DESTROY> : VoidCracker<WM_DESTROY> {};
template <> struct Cracker<WM_NCDESTROY> : VoidCracker<WM_NCDESTROY> {};
template <> struct Cracker<WM_CLOSE> : VoidCracker<WM_CLOSE> {};
template <> struct Cracker<WM_PAINT> : VoidCracker<WM_PAINT> {};
template <> struct Cracker<WM_NCPAINT> : VoidCracker<WM_NCPAINT> {};
template <> struct Cracker<WM_MOUSELEAVE> : VoidCracker<WM_MOUSELEAVE> {};
template <> struct Cracker<WM_CANCELMODE> : VoidCracker<WM_CANCELMODE> {};
template <> struct Cracker<WM_SYSCOLORCHANGE> : VoidCracker<WM_SYSCOLORCHANGE> {};
template <> struct Cracker<WM_ERASEBKGND> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM) { return (s->*F)(Dc(w)); } };
template <> struct Cracker<WM_SIZE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<UINT>(w), static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))), 0; } };
template <> struct Cracker<WM_SIZING> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<UINT>(w), reinterpret_cast<LPRECT>(l)), TRUE; } };
template <> struct Cracker<WM_MOVE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM l) { return (s->*F)(GET_X_LPARAM(l), GET_Y_LPARAM(l)), 0; } };
template <> struct Cracker<WM_TIMER> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM) { return (s->*F)(static_cast<UINT_PTR>(w)), 0; } };
template <> struct Cracker<WM_SHOWWINDOW> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<BOOL>(w), static_cast<UINT>(l)), 0; } };
template <> struct Cracker<WM_ENABLE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM) { return (s->*F)(static_cast<BOOL>(w)), 0; } };
template <> struct Cracker<WM_GETMINMAXINFO> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM l) { return (s->*F)(reinterpret_cast<MINMAXINFO*>(l)), 0; } };
template <> struct Cracker<WM_WINDOWPOSCHANGING> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM l) { return (s->*F)(reinterpret_cast<WINDOWPOS*>(l)), 0; } };
template <> struct Cracker<WM_WINDOWPOSCHANGED> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM l) { return (s->*F)(reinterpret_cast<WINDOWPOS*>(l)), 0; } };
template <> struct Cracker<WM_STYLECHANGED> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<int>(w), reinterpret_cast<LPSTYLESTRUCT>(l)), 0; } };
template <> struct Cracker<WM_ACTIVATE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(LOWORD(w), Wnd(l), static_cast<BOOL>(HIWORD(w))), 0; } };
template <> struct Cracker<WM_NCACTIVATE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM) { return (s->*F)(static_cast<BOOL>(w)); } };
template <> struct Cracker<WM_MOUSEACTIVATE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(Wnd(w), LOWORD(l), HIWORD(l)); } };
template <> struct Cracker<WM_SETFOCUS> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM) { return (s->*F)(Wnd(w)), 0; } };
template <> struct Cracker<WM_KILLFOCUS> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM) { return (s->*F)(Wnd(w)), 0; } };
template <> struct Cracker<WM_CAPTURECHANGED> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM l) { return (s->*F)(Wnd(l)), 0; } };
template <> struct Cracker<WM_NCHITTEST> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM l) { return static_cast<LRESULT>((s->*F)(Point(l))); } };
template <> struct Cracker<WM_SETCURSOR> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(Wnd(w), LOWORD(l), HIWORD(l)); } };
template <> struct Cracker<WM_MOUSEMOVE> : MouseCracker<WM_MOUSEMOVE> {};
template <> struct Cracker<WM_LBUTTONDOWN> : MouseCracker<WM_LBUTTONDOWN> {};
template <> struct Cracker<WM_LBUTTONUP> : MouseCracker<WM_LBUTTONUP> {};
template <> struct Cracker<WM_LBUTTONDBLCLK> : MouseCracker<WM_LBUTTONDBLCLK> {};
template <> struct Cracker<WM_RBUTTONDOWN> : MouseCracker<WM_RBUTTONDOWN> {};
template <> struct Cracker<WM_RBUTTONUP> : MouseCracker<WM_RBUTTONUP> {};
template <> struct Cracker<WM_RBUTTONDBLCLK> : MouseCracker<WM_RBUTTONDBLCLK> {};
template <> struct Cracker<WM_MBUTTONDOWN> : MouseCracker<WM_MBUTTONDOWN> {};
template <> struct Cracker<WM_MBUTTONUP> : MouseCracker<WM_MBUTTONUP> {};
template <> struct Cracker<WM_MBUTTONDBLCLK> : MouseCracker<WM_MBUTTONDBLCLK> {};
template <> struct Cracker<WM_NCMOUSEMOVE> : NcMouseCracker<WM_NCMOUSEMOVE> {};
template <> struct Cracker<WM_NCLBUTTONDOWN> : NcMouseCracker<WM_NCLBUTTONDOWN> {};
template <> struct Cracker<WM_NCLBUTTONUP> : NcMouseCracker<WM_NCLBUTTONUP> {};
template <> struct Cracker<WM_NCLBUTTONDBLCLK> : NcMouseCracker<WM_NCLBUTTONDBLCLK> {};
template <> struct Cracker<WM_MOUSEWHEEL> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(GET_KEYSTATE_WPARAM(w), GET_WHEEL_DELTA_WPARAM(w), Point(l)); } };
template <> struct Cracker<WM_KEYDOWN> : KeyCracker<WM_KEYDOWN> {};
template <> struct Cracker<WM_KEYUP> : KeyCracker<WM_KEYUP> {};
template <> struct Cracker<WM_SYSKEYDOWN> : KeyCracker<WM_SYSKEYDOWN> {};
template <> struct Cracker<WM_SYSKEYUP> : KeyCracker<WM_SYSKEYUP> {};
template <> struct Cracker<WM_CHAR> : KeyCracker<WM_CHAR> {};
template <> struct Cracker<WM_SYSCHAR> : KeyCracker<WM_SYSCHAR> {};
template <> struct Cracker<WM_GETDLGCODE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM) { return static_cast<LRESULT>((s->*F)()); } };
template <> struct Cracker<WM_CONTEXTMENU> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(Wnd(w), Point(l)), 0; } };
template <> struct Cracker<WM_SYSCOMMAND> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<UINT>(w), l), 0; } };
template <> struct Cracker<WM_DRAWITEM> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<int>(w), reinterpret_cast<LPDRAWITEMSTRUCT>(l)), TRUE; } };
template <> struct Cracker<WM_MEASUREITEM> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<int>(w), reinterpret_cast<LPMEASUREITEMSTRUCT>(l)), TRUE; } };
template <> struct Cracker<WM_DELETEITEM> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<int>(w), reinterpret_cast<DELETEITEMSTRUCT*>(l)), TRUE; } };
template <> struct Cracker<WM_COMPAREITEM> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<int>(w), reinterpret_cast<COMPAREITEMSTRUCT*>(l)); } };
template <> struct Cracker<WM_HSCROLL> : ScrollCracker<WM_HSCROLL> {};
template <> struct Cracker<WM_VSCROLL> : ScrollCracker<WM_VSCROLL> {};
template <> struct Cracker<WM_PARENTNOTIFY> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(LOWORD(w), l), 0; } };
template <> struct Cracker<WM_ENTERIDLE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<UINT>(w), Wnd(l)), 0; } };
template <> struct Cracker<WM_SETTINGCHANGE> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(static_cast<UINT>(w), reinterpret_cast<LPCTSTR>(l)), 0; } };
template <> struct Cracker<WM_COPYDATA> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM l) { return (s->*F)(Wnd(w), reinterpret_cast<COPYDATASTRUCT*>(l)); } };
template <> struct Cracker<WM_QUERYENDSESSION> { template <auto F, class C> static LRESULT Call(C* s, WPARAM, LPARAM) { return (s->*F)(); } };
template <> struct Cracker<WM_ENDSESSION> { template <auto F, class C> static LRESULT Call(C* s, WPARAM w, LPARAM) { return (s->*F)(static_cast<BOOL>(w)), 0; } };
template <> struct Cracker<WM_CTLCOLORMSGBOX> : CtlColorCracker<WM_CTLCOLORMSGBOX> {};
template <> struct Cracker<WM_CTLCOLOREDIT> : CtlColorCracker<WM_CTLCOLOREDIT> {};
template <> struct Cracker<WM_CTLCOLORLISTBOX> : CtlColorCracker<WM_CTLCOLORLISTBOX> {};
template <> struct Cracker<WM_CTLCOLORBTN> : CtlColorCracker<WM_CTLCOLORBTN> {};
template <> struct Cracker<WM_CTLCOLORDLG> : CtlColorCracker<WM_CTLCOLORDLG> {};
template <> struct Cracker<WM_CTLCOLORSCROLLBAR> : CtlColorCracker<WM_CTLCOLORSCROLLBAR> {};
template <> struct Cracker<WM_CTLCOLORSTATIC> : CtlColorCracker<WM_CTLCOLORSTATIC> {};

} // namespace crack

// A window message with its typed handler: Message<WM_SIZE, &CBedWnd::OnSize>(). Messages
// without a typed form (WM_USER + n, WM_APP + n, the system's own) take
// LRESULT Handler(WPARAM, LPARAM).
template <UINT Msg, auto F>
constexpr MessageMapEntry Message()
{
    return { EntryKind::Message, Msg, 0, 0, 0, [](CCmdTarget* t, MessageCall& c) {
                c.result = crack::Cracker<Msg>::template Call<F>(detail::Self<F>(t), c.wParam, c.lParam);
                return true;
            } };
}

// A message whose number is known only at run time (RegisterWindowMessage):
// LRESULT Handler(WPARAM, LPARAM). Use it in a `static const` table.
template <auto F>
MessageMapEntry RegisteredMessage(UINT message)
{
    return { EntryKind::Message, message, 0, 0, 0, [](CCmdTarget* t, MessageCall& c) {
                c.result = (detail::Self<F>(t)->*F)(c.wParam, c.lParam);
                return true;
            } };
}

// All seven control-colour messages: HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor).
template <auto F>
constexpr MessageMapEntry CtlColor()
{
    return { EntryKind::Message, WM_CTLCOLORMSGBOX, 0, WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC,
             [](CCmdTarget* t, MessageCall& c) {
                 c.result = reinterpret_cast<LRESULT>((detail::Self<F>(t)->*F)(
                     crack::Dc(c.wParam), crack::Wnd(c.lParam), c.message - WM_CTLCOLORMSGBOX));
                 return true;
             } };
}

// ---- reflected messages, in a control's own map --------------------------------------------------------

// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor); a null brush lets the parent answer.
template <auto F>
constexpr MessageMapEntry ReflectCtlColor()
{
    return { EntryKind::Message, WM_CTLCOLOR_REFLECT, 0, 0, 0, [](CCmdTarget* t, MessageCall& c) {
                auto* cc = reinterpret_cast<AFX_CTLCOLOR*>(c.lParam);
                c.result = reinterpret_cast<LRESULT>((detail::Self<F>(t)->*F)(crack::Dc(reinterpret_cast<WPARAM>(cc->hDC)), cc->nCtlType));
                return c.result != 0;
            } };
}

// void DrawItem(LPDRAWITEMSTRUCT)
template <auto F>
constexpr MessageMapEntry ReflectDrawItem()
{
    return { EntryKind::Message, WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, [](CCmdTarget* t, MessageCall& c) {
                (detail::Self<F>(t)->*F)(reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
                c.result = TRUE;
                return true;
            } };
}

// void MeasureItem(LPMEASUREITEMSTRUCT)
template <auto F>
constexpr MessageMapEntry ReflectMeasureItem()
{
    return { EntryKind::Message, WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, [](CCmdTarget* t, MessageCall& c) {
                (detail::Self<F>(t)->*F)(reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
                c.result = TRUE;
                return true;
            } };
}

// void HScroll(UINT nSBCode, UINT nPos) / void VScroll(UINT nSBCode, UINT nPos)
template <UINT Msg, auto F>
constexpr MessageMapEntry ReflectScroll()
{
    static_assert(Msg == WM_HSCROLL || Msg == WM_VSCROLL);
    return { EntryKind::Message, WM_REFLECT_BASE + Msg, 0, 0, 0, [](CCmdTarget* t, MessageCall& c) {
                (detail::Self<F>(t)->*F)(LOWORD(c.wParam), static_cast<UINT>(static_cast<short>(HIWORD(c.wParam))));
                return true;
            } };
}

} // namespace platform::msgmap

// Framework window class names registered by the layer.
constexpr const char* kFrameworkWindowClass = "AfxWnd";
