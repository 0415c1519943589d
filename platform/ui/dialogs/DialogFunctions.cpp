// The "Dialog" window class (the dialog manager's default procedure), dialog creation from a
// template and keyboard navigation.
#include "platform/ui/dialogs/DialogFunctions.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ScrollBar.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace platform::ui {

namespace {

constexpr const char* kDialogClass = "Dialog";

class DialogWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    void AdoptFont(std::unique_ptr<CFont> font) { m_ownFont = std::move(font); }
    void SetDefaultId(int id) { m_defId = id; }
    void NoteFocus(HWND control) { m_lastFocus = control; }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_ERASEBKGND: {
            CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
            if (!dc)
                return FALSE;
            CRect client = Client();
            HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessage(m_hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(m_hwnd)));
            dc->FillRect(&client, CBrush::FromHandle(brush ? brush : GetSysColorBrush(COLOR_BTNFACE)));
            return TRUE;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(m_hwnd, &ps);
            EndPaint(m_hwnd, &ps);
            PaintFrame();
            return 0;
        }
        case WM_CLOSE:
            SendMessage(m_hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(m_hwnd, IDCANCEL)));
            return 0;
        case DM_GETDEFID: return MAKELONG(static_cast<WORD>(m_defId), DC_HASDEFID);
        case DM_SETDEFID: SetDefault(static_cast<int>(wParam)); return TRUE;
        case WM_SETFOCUS: {
            HWND target = IsWindow(m_lastFocus) && IsChild(m_hwnd, m_lastFocus) ? m_lastFocus : GetNextDlgTabItem(m_hwnd, nullptr, FALSE);
            if (target)
                SetDialogFocus(m_hwnd, target);
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(m_hwnd, focus))
                    m_lastFocus = focus;
                return 0;
            }
            SendMessage(m_hwnd, WM_SETFOCUS, 0, 0);
            return 0;
        case WM_NEXTDLGCTL: {
            HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(m_hwnd, GetFocus(), wParam != 0);
            if (target)
                SetDialogFocus(m_hwnd, target);
            return 0;
        }
        case WM_NCLBUTTONDOWN: TrackWindowScrollBar(m_hwnd, static_cast<LRESULT>(wParam), CPoint(lParam)); return 0;
        case WM_GETDLGCODE: return 0;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC: return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR: return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    // The default button look follows the default id.
    void SetDefault(int id)
    {
        for (int old : { m_defId, id }) {
            HWND button = GetDlgItem(m_hwnd, old);
            if (!button)
                continue;
            UINT code = static_cast<UINT>(SendMessage(button, WM_GETDLGCODE, 0, 0));
            if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
                SendMessage(button, BM_SETSTYLE, old == id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        }
        m_defId = id;
    }

    // A top-level dialog draws its own frame and caption bar (the host may draw its own instead).
    void PaintFrame()
    {
        DWORD style = Style();
        if (style & WS_CHILD) {
            PaintNonClient(m_hwnd);
            return;
        }
        HDC hdc = GetWindowDC(m_hwnd);
        if (CDC* dc = CDC::FromHandle(hdc)) {
            CRect window;
            GetWindowRect(m_hwnd, &window);
            CRect frame(0, 0, window.Width(), window.Height());
            POINT origin {};
            ClientToScreen(m_hwnd, &origin);
            int captionBottom = origin.y - window.top;
            dc->DrawEdge(&frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
            if ((style & WS_CAPTION) == WS_CAPTION) {
                CRect caption(frame.left, frame.top, frame.right, captionBottom - 1);
                dc->FillSolidRect(&caption, GetSysColor(GetActiveWindow() == m_hwnd ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
                int saved = dc->SaveDC();
                SelectFont(*dc);
                dc->SetBkMode(TRANSPARENT);
                dc->SetTextColor(GetSysColor(COLOR_CAPTIONTEXT));
                CRect text = caption;
                text.left += 4;
                dc->DrawText(Text(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
                dc->RestoreDC(saved);
            }
        }
        ReleaseDC(m_hwnd, hdc);
        PaintWindowScrollBars(m_hwnd);
    }

    std::unique_ptr<CFont> m_ownFont;
    int m_defId { IDOK };
    HWND m_lastFocus { nullptr };
};

void RegisterDialogClass() { RegisterControlClass<DialogWindow>(kDialogClass, CS_DBLCLKS | CS_SAVEBITS); }

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)); }
UINT CodeOf(HWND hwnd) { return static_cast<UINT>(SendMessage(hwnd, WM_GETDLGCODE, 0, 0)); }
bool Usable(HWND hwnd) { return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

bool IsControlParent(HWND hwnd) { return (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0; }

// The dialog's controls in tab order: children in z-order, with the controls of child dialogs
// (WS_EX_CONTROLPARENT) in their place. A control that hosts child dialogs of its own (a tab
// control with its pages) comes first, then the controls of its visible pages.
void CollectControls(HWND parent, std::vector<HWND>& out)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsControlParent(child)) {
            if (Usable(child))
                CollectControls(child, out);
            continue;
        }
        out.push_back(child);
        for (HWND inner = GetWindow(child, GW_CHILD); inner; inner = GetWindow(inner, GW_HWNDNEXT))
            if (IsControlParent(inner) && Usable(inner))
                CollectControls(inner, out);
    }
}

std::vector<HWND> Controls(HWND dialog)
{
    std::vector<HWND> controls;
    CollectControls(dialog, controls);
    return controls;
}

// The control of the dialog that holds `hwnd` (itself, or the ancestor that is a dialog control,
// for the edit of a combo box).
HWND ControlOfFocus(HWND dialog, HWND hwnd)
{
    auto controls = Controls(dialog);
    for (HWND h = hwnd; h && h != dialog; h = GetParent(h))
        if (std::find(controls.begin(), controls.end(), h) != controls.end())
            return h;
    return nullptr;
}

// The character after '&' in a label (lowercase), or 0.
char Mnemonic(HWND hwnd)
{
    char text[256] {};
    GetWindowText(hwnd, text, sizeof(text));
    for (const char* p = text; *p; ++p)
        if (*p == '&') {
            if (p[1] == '&') {
                ++p;
                continue;
            }
            return static_cast<char>(std::tolower(static_cast<unsigned char>(p[1])));
        }
    return 0;
}

bool HandleMnemonic(HWND dialog, char ch)
{
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    auto controls = Controls(dialog);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        HWND c = controls[i];
        if (!Usable(c) || Mnemonic(c) != ch)
            continue;
        UINT code = CodeOf(c);
        if (code & DLGC_STATIC) {
            // A label gives the focus to the next control that takes it.
            for (std::size_t k = i + 1; k < controls.size(); ++k)
                if (Usable(controls[k]) && !(CodeOf(controls[k]) & DLGC_STATIC)) {
                    SetDialogFocus(dialog, controls[k]);
                    return true;
                }
            return true;
        }
        if (code & DLGC_BUTTON) {
            if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
                SetDialogFocus(dialog, c);
            SendMessage(c, BM_CLICK, 0, 0);
            return true;
        }
        SetDialogFocus(dialog, c);
        return true;
    }
    return false;
}

void PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button))
        return; // a disabled default button does nothing
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

} // namespace

void SetDialogFocus(HWND dialog, HWND control)
{
    if (!control)
        return;
    if (auto* d = ControlAs<DialogWindow>(dialog))
        d->NoteFocus(control);
    SetFocus(control);
    if (CodeOf(control) & DLGC_HASSETSEL)
        SendMessage(control, EM_SETSEL, 0, -1);
}

HWND CreateDialogFromTemplate(const DialogTemplate& tmpl, HWND parent, CWnd* object, LPARAM initParam)
{
    RegisterStandardControls();
    RegisterDialogClass();
    auto font = std::make_unique<CFont>();
    font->CreatePointFont((tmpl.pointSize > 0 ? tmpl.pointSize : 8) * 10, tmpl.fontFace ? tmpl.fontFace : "MS Sans Serif");
    HFONT hfont = static_cast<HFONT>(*font);
    SIZE units = DialogBaseUnits(hfont);
    auto toX = [&](int v) { return v * units.cx / 4; };
    auto toY = [&](int v) { return v * units.cy / 8; };

    DWORD style = tmpl.style;
    bool child = (style & WS_CHILD) != 0;
    bool visible = (style & WS_VISIBLE) != 0;
    style &= ~WS_VISIBLE;
    DWORD exStyle = tmpl.exStyle | (child ? WS_EX_CONTROLPARENT : 0) | ((style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    CRect rect(0, 0, toX(tmpl.cx), toY(tmpl.cy));
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    int x = toX(tmpl.x), y = toY(tmpl.y);
    if (!child) {
        CRect around;
        if (parent)
            GetWindowRect(parent, &around);
        else
            around = CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        if ((style & DS_CENTER) || (tmpl.x == 0 && tmpl.y == 0)) {
            x = around.left + (around.Width() - rect.Width()) / 2;
            y = around.top + (around.Height() - rect.Height()) / 2;
        } else {
            POINT origin { 0, 0 };
            if (parent)
                ClientToScreen(parent, &origin);
            x += origin.x;
            y += origin.y;
        }
        x = std::max(0, x);
        y = std::max(0, y);
    }
    HWND hwnd = nullptr;
    if (object) {
        if (object->CreateEx(exStyle, kDialogClass, tmpl.caption ? tmpl.caption : "", style, x, y, rect.Width(), rect.Height(), parent,
                             nullptr, reinterpret_cast<LPVOID>(initParam)))
            hwnd = object->m_hWnd;
    } else {
        hwnd = CreateWindowEx(exStyle, kDialogClass, tmpl.caption ? tmpl.caption : "", style, x, y, rect.Width(), rect.Height(), parent,
                              nullptr, nullptr, reinterpret_cast<LPVOID>(initParam));
    }
    if (!hwnd)
        return nullptr;
    auto* dialog = ControlAs<DialogWindow>(hwnd);
    if (dialog)
        dialog->AdoptFont(std::move(font));
    SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(hfont), FALSE);
    for (const auto& item : tmpl.items) {
        DWORD itemStyle = item.style | WS_CHILD | WS_VISIBLE;
        auto id = static_cast<std::uintptr_t>(static_cast<WORD>(item.id));
        HWND control = CreateWindowEx(item.exStyle, item.className, item.text ? item.text : "", itemStyle, toX(item.x), toY(item.y),
                                      toX(item.cx), toY(item.cy), hwnd, reinterpret_cast<HMENU>(id), nullptr, nullptr);
        if (!control) {
            if (tmpl.style & DS_NOFAILCREATE)
                continue;
            DestroyWindow(hwnd);
            return nullptr;
        }
        SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(hfont), FALSE);
        if (dialog && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && (CodeOf(control) & DLGC_DEFPUSHBUTTON))
            dialog->SetDefaultId(item.id);
    }
    HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    if (SendMessage(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam) && IsWindow(hwnd) && first && IsWindow(first))
        SetDialogFocus(hwnd, first);
    if (IsWindow(hwnd) && child && visible)
        ShowWindow(hwnd, SW_SHOWNA);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

} // namespace platform::ui

using namespace platform::ui;

// ---- navigation ------------------------------------------------------------------------------------------

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    auto controls = Controls(dialog);
    int n = static_cast<int>(controls.size());
    if (n == 0)
        return nullptr;
    HWND from = control ? ControlOfFocus(dialog, control) : nullptr;
    int start = from ? static_cast<int>(std::find(controls.begin(), controls.end(), from) - controls.begin()) : (previous ? 0 : n - 1);
    for (int k = 1; k <= n; ++k) {
        int i = ((start + (previous ? -k : k)) % n + n) % n;
        HWND c = controls[i];
        if (Usable(c) && (StyleOf(c) & WS_TABSTOP))
            return c;
    }
    return from;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    auto controls = Controls(dialog);
    auto it = std::find(controls.begin(), controls.end(), ControlOfFocus(dialog, control));
    if (it == controls.end())
        return nullptr;
    // The group: from the last WS_GROUP control at or before this one to the next WS_GROUP,
    // never across into another child dialog or out of one.
    HWND home = GetParent(*it);
    auto first = it;
    while (first != controls.begin() && !(StyleOf(*first) & WS_GROUP) && GetParent(*(first - 1)) == home)
        --first;
    auto last = it + 1;
    while (last != controls.end() && !(StyleOf(*last) & WS_GROUP) && GetParent(*last) == home)
        ++last;
    std::vector<HWND> group(first, last);
    int n = static_cast<int>(group.size());
    int start = static_cast<int>(it - first);
    for (int k = 1; k <= n; ++k) {
        HWND c = group[((start + (previous ? -k : k)) % n + n) % n];
        if (Usable(c))
            return c;
    }
    return control;
}

BOOL IsDialogMessage(HWND dialog, MSG* msg)
{
    if (!msg || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
        return FALSE;
    UINT code = msg->hwnd ? static_cast<UINT>(SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg))) : 0;
    bool wantsAll = (code & DLGC_WANTALLKEYS) != 0;
    bool handled = false;
    if (msg->message == WM_KEYDOWN && !wantsAll) {
        bool shift = GetKeyState(VK_SHIFT) < 0;
        switch (static_cast<int>(msg->wParam)) {
        case VK_TAB:
            if (!(code & DLGC_WANTTAB)) {
                SetDialogFocus(dialog, GetNextDlgTabItem(dialog, GetFocus(), shift));
                handled = true;
            }
            break;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (!(code & DLGC_WANTARROWS)) {
                bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
                HWND next = GetNextDlgGroupItem(dialog, GetFocus(), back);
                if (next) {
                    SetDialogFocus(dialog, next);
                    // An automatic radio button is checked as the focus reaches it.
                    if ((CodeOf(next) & DLGC_RADIOBUTTON) && (StyleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                        SendMessage(next, BM_CLICK, 0, 0);
                }
                handled = true;
            }
            break;
        case VK_RETURN: {
            HWND focus = ControlOfFocus(dialog, GetFocus());
            int id = focus && (CodeOf(focus) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
                         ? GetDlgCtrlID(focus)
                         : LOWORD(static_cast<DWORD>(SendMessage(dialog, DM_GETDEFID, 0, 0)));
            PressButton(dialog, id);
            handled = true;
            break;
        }
        case VK_ESCAPE:
            PressButton(dialog, IDCANCEL);
            handled = true;
            break;
        default: break;
        }
    } else if (msg->message == WM_CHAR && !wantsAll) {
        // The characters of the keys handled above, and mnemonics typed where no text goes.
        if (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 0x1B)
            handled = true;
        else if (!(code & DLGC_WANTCHARS) && HandleMnemonic(dialog, static_cast<char>(msg->wParam)))
            handled = true;
    } else if (msg->message == WM_SYSCHAR) {
        handled = HandleMnemonic(dialog, static_cast<char>(msg->wParam));
    }
    if (!handled) {
        TranslateMessage(msg);
        DispatchMessage(msg);
    }
    return TRUE;
}
