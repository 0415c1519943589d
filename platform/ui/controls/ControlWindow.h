// ControlWindow: the window-side half of every standard control. A standard control is a
// registered window class ("Button", "Edit", "ComboBox" ...) whose procedure keeps one
// ControlWindow object per window; the framework classes (CButton, CEdit ...) are thin CWnd
// wrappers that send the control's messages, so a derived class can subclass a control made
// from a dialog template and fall back to the class procedure with Default().
//
// Controls draw with the layer's device contexts through the one style painter of the drawing
// module (DrawEdge, DrawFrameControl, system colours); none keeps its own copy of a 3-D edge.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"

namespace platform::ui {

class ControlWindow
{
public:
    explicit ControlWindow(HWND hwnd) : m_hwnd(hwnd) {}
    virtual ~ControlWindow() = default;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    // The control's own messages; what it leaves goes to DefWindowProc.
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Hwnd() const { return m_hwnd; }

protected:
    // Draws the whole control; the paint cycle calls it with the paint DC.
    virtual void Paint(CDC&) {}

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE)); }
    int Id() const { return GetDlgCtrlID(m_hwnd); }
    // The window that gets notifications and colour requests: the parent, or for a pop-up
    // that belongs to a control (a combo box's list) that control.
    HWND Parent() const { return m_notifyParent ? m_notifyParent : ::GetParent(m_hwnd); }
    CRect Client() const;
    bool Enabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    bool HasFocus() const { return GetFocus() == m_hwnd; }
    CString Text() const;
    // WM_COMMAND with `code` to the parent (to the owner of a pop-up).
    void Notify(WORD code) const;
    // The parent's WM_CTLCOLORxxx answer: sets up `dc` and returns the background brush
    // (the system colour `defaultBackground` when the parent does not answer).
    HBRUSH AskColors(CDC& dc, UINT ctlColorMessage, int defaultBackground) const;
    // Selects the control's font into `dc`.
    void SelectFont(CDC& dc) const;
    HFONT Font() const;
    // Hidden (or with redraw off) there is nothing to invalidate.
    void Redraw() const
    {
        if (::IsWindowVisible(m_hwnd))
            InvalidateRect(m_hwnd, nullptr, FALSE);
    }

    HWND m_hwnd { nullptr };
    HFONT m_font { nullptr };
    HWND m_notifyParent { nullptr };
};

// Draws the window's border, client edge and window scroll bars (the window layer leaves the
// non-client area to its windows).
void PaintNonClient(HWND hwnd);

// The default font of controls and dialogs: "MS Sans Serif" 8 point.
HFONT DefaultControlFont();

// Registers the standard control classes once (called by every control wrapper and dialog
// before it creates a window; safe from any thread).
void RegisterStandardControls();

namespace detail {
ControlWindow* ControlOf(HWND hwnd);
void AttachControl(HWND hwnd, ControlWindow* control);
LRESULT ControlProcTail(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, ControlWindow* control);
} // namespace detail

// The window procedure of a control class whose windows each keep one `Impl`.
template <class Impl>
LRESULT ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ControlWindow* control = detail::ControlOf(hwnd);
    if (!control && message == WM_NCCREATE) {
        control = new Impl(hwnd);
        detail::AttachControl(hwnd, control);
    }
    return detail::ControlProcTail(hwnd, message, wParam, lParam, control);
}

// Registers `name` with the procedure of `Impl` (once).
template <class Impl>
void RegisterControlClass(const char* name, UINT classStyle = CS_DBLCLKS)
{
    WNDCLASS wc;
    if (GetClassInfo(nullptr, name, &wc))
        return;
    wc = WNDCLASS {};
    wc.style = classStyle;
    wc.lpfnWndProc = &ControlProc<Impl>;
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

// The control object of a window of class `Impl` (null for another class).
template <class Impl>
Impl* ControlAs(HWND hwnd)
{
    return dynamic_cast<Impl*>(detail::ControlOf(hwnd));
}

} // namespace platform::ui
