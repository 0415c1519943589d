// Walking a dialog with the mouse and the Tab key (DialogInputWalk.h).
#include "testkit/DialogInputWalk.h"

#include "platform/core/ResourceModule.h"
#include "platform/host/null/NullHost.h"
#include "platform/msg/CommonDialogService.h"
#include "platform/msg/MessageBoxService.h"
#include "platform/msg/MessageQueue.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/TabCtrl.h"
#include "platform/ui/dialogs/Dialog.h"
#include "platform/ui/dialogs/DialogTemplate.h"
#include "platform/ui/framework/FormView.h"
#include "testkit/Pump.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

using platform::host::NullHost;

namespace testkit {

namespace {

// ---- looking at windows ----------------------------------------------------------------------------

std::string ClassOf(HWND hwnd)
{
    char name[128]{};
    ::GetClassName(hwnd, name, sizeof(name));
    return name;
}

std::string TextOf(HWND hwnd)
{
    char text[128]{};
    ::GetWindowText(hwnd, text, sizeof(text));
    return text;
}

DWORD StyleOf(HWND hwnd)
{
    return static_cast<DWORD>(::GetWindowLongPtr(hwnd, GWL_STYLE));
}

int IdOf(HWND hwnd)
{
    return static_cast<int>(static_cast<short>(::GetDlgCtrlID(hwnd)));
}

bool Usable(HWND hwnd)
{
    return ::IsWindow(hwnd) && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd);
}

bool IsSelfOrInside(HWND outer, HWND inner)
{
    return inner && (inner == outer || ::IsChild(outer, inner));
}

// A window that holds controls of its own: a dialog (a page, a child dialog) rather than a
// control.
bool IsContainer(HWND hwnd)
{
    return (::GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0 || DialogTemplateOf(hwnd) != 0;
}

bool IsTabControl(HWND hwnd)
{
    return ClassOf(hwnd) == platform::ui::kTabControlClass;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> out;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        out.push_back(child);
    return out;
}

std::string Describe(HWND hwnd)
{
    if (!::IsWindow(hwnd))
        return "nothing";
    std::ostringstream out;
    out << ClassOf(hwnd) << ' ' << IdOf(hwnd);
    if (const UINT tmpl = DialogTemplateOf(hwnd))
        out << " (template " << tmpl << ')';
    const std::string text = TextOf(hwnd);
    if (!text.empty() && !IsContainer(hwnd))
        out << " \"" << text << '"';
    return out.str();
}

CPoint CentreOf(HWND hwnd)
{
    CRect rect;
    ::GetWindowRect(hwnd, &rect);
    return rect.CenterPoint();
}

// What shows that a click reached a control of this kind; nullopt: not clicked (labels, group
// boxes, frames).
std::optional<Takes> TakesByKind(HWND hwnd)
{
    const std::string cls = ClassOf(hwnd);
    const DWORD style = StyleOf(hwnd);
    if (cls == "Button") {
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            return std::nullopt;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return Takes::Check;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return Takes::Radio;
        default:
            return Takes::Command;
        }
    }
    if (cls == "Static")
        return (style & SS_NOTIFY) ? std::optional(Takes::Command) : std::nullopt;
    if (cls == "ComboBox")
        return (style & 3) == CBS_DROPDOWNLIST ? Takes::DropDown : Takes::Focus;
    return Takes::Focus;
}

const char* NameOf(Takes takes)
{
    switch (takes) {
    case Takes::Focus:
        return "take the focus";
    case Takes::Check:
        return "change its check";
    case Takes::Radio:
        return "become the checked radio button with the focus";
    case Takes::DropDown:
        return "open its list";
    case Takes::Command:
        return "send its command";
    case Takes::Popup:
        return "open its own window";
    default:
        return "react";
    }
}

std::set<HWND> VisibleTopLevels()
{
    std::set<HWND> tops;
    ::EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            if (::IsWindowVisible(hwnd))
                reinterpret_cast<std::set<HWND>*>(param)->insert(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tops));
    return tops;
}

void ClickAt(CPoint point)
{
    NullHost::MoveMouse(point.x, point.y);
    NullHost::MouseDown(point.x, point.y);
    Pump();
    NullHost::MouseUp(point.x, point.y);
    Pump();
}

// ---- listening to a control's parent -----------------------------------------------------------------

// The controls whose WM_COMMAND reached a window while this lives, heard in the window's
// procedure ahead of the dialog's own, which handles every message as before.
class ParentSpy
{
public:
    explicit ParentSpy(HWND target) : m_target(target)
    {
        m_original = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(target, GWLP_WNDPROC));
        Spies()[target] = this;
        ::SetWindowLongPtr(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    }
    ~ParentSpy()
    {
        if (::IsWindow(m_target) &&
            reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_target, GWLP_WNDPROC)) == &Proc)
            ::SetWindowLongPtr(m_target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
        Spies().erase(m_target);
    }
    ParentSpy(const ParentSpy&) = delete;
    ParentSpy& operator=(const ParentSpy&) = delete;

    // A WM_COMMAND from `control` arrived.
    bool HeardCommandFrom(HWND control) const
    {
        return std::any_of(m_commands.begin(), m_commands.end(), [&](HWND from) { return from == control; });
    }

private:
    static std::map<HWND, ParentSpy*>& Spies()
    {
        static std::map<HWND, ParentSpy*> spies;
        return spies;
    }
    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto it = Spies().find(hwnd);
        if (it == Spies().end())
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        ParentSpy* spy = it->second;
        if (message == WM_COMMAND)
            spy->m_commands.push_back(reinterpret_cast<HWND>(lParam));
        const WNDPROC original = spy->m_original;
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            Spies().erase(it);
            spy->m_target = nullptr;
        }
        return ::CallWindowProc(original, hwnd, message, wParam, lParam);
    }

    HWND m_target;
    WNDPROC m_original{nullptr};
    std::vector<HWND> m_commands;
};

// ---- what a click opens --------------------------------------------------------------------------------

// While it lives: a modal dialog that a click opens is closed again with its close box once its
// loop waits, message boxes get the answer that changes nothing, common dialogs are cancelled.
class OpenedWindows
{
public:
    OpenedWindows() : m_before(VisibleTopLevels())
    {
        platform::msg::ResetMessageBoxScript();
        platform::msg::ResetCommonDialogScript();
        for (int i = 0; i < 16; ++i)
            platform::msg::ScriptMessageBoxAnswer([](const platform::msg::MessageBoxRequest& box) {
                switch (box.Buttons()) {
                case MB_YESNO:
                    return IDNO;
                case MB_OK:
                    return IDOK;
                default:
                    return IDCANCEL;
                }
            });
        m_timer.CreateTop(CRect(0, 0, 1, 1), WS_POPUP);
        m_timer.onMessage = [this](UINT message, WPARAM, LPARAM, LRESULT& result) {
            if (message != WM_TIMER)
                return false;
            CloseModal();
            result = 0;
            return true;
        };
        m_timer.SetTimer(1, 10);
    }
    ~OpenedWindows()
    {
        m_timer.KillTimer(1);
        m_timer.DestroyWindow();
        platform::msg::ResetMessageBoxScript();
        platform::msg::ResetCommonDialogScript();
    }
    OpenedWindows(const OpenedWindows&) = delete;
    OpenedWindows& operator=(const OpenedWindows&) = delete;

    // The top-level windows the click showed that are still shown (lists, palettes).
    std::vector<HWND> Popups() const
    {
        std::vector<HWND> popups;
        for (HWND top : VisibleTopLevels())
            if (!m_before.count(top) && top != m_timer.GetSafeHwnd())
                popups.push_back(top);
        return popups;
    }

private:
    void CloseModal()
    {
        HWND active = ::GetActiveWindow();
        if (!active || m_before.count(active) || !platform::msg::IsModalLoopRunning(active))
            return;
        if (m_closing != active) {
            m_closing = active;
            m_tries = 0;
        }
        // The close box first; a dialog that ignores it is ended.
        if (++m_tries < 5)
            ::PostMessage(active, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            ::EndDialog(active, IDCANCEL);
    }

    std::set<HWND> m_before;
    RecordingWnd m_timer;
    HWND m_closing{nullptr};
    int m_tries{0};
};

// ---- the walk ----------------------------------------------------------------------------------------

// One step from a window to one of its children: a child dialog by its template (or its id when
// it has none), a control by its id; for a tab control, the tab to choose.
struct Step
{
    bool dialog{false};
    UINT dialogTemplate{0};
    int id{0};
    int tab{-1};

    bool Matches(HWND child) const
    {
        if (dialog != IsContainer(child))
            return false;
        return dialog && dialogTemplate ? DialogTemplateOf(child) == dialogTemplate : IdOf(child) == id;
    }
    bool operator==(const Step&) const = default;
};
using Path = std::vector<Step>;

struct Control
{
    Path path;
    UINT dialogTemplate{0}; // of the dialog it sits in
    int id{0};
    int tab{-1}; // a tab of a tab control: clicked on that tab
};

class Walker
{
public:
    explicit Walker(const DialogWalk& walk) : m_walk(walk) {}

    WalkFigures Run()
    {
        if (!Open())
            return std::move(m_figures);
        Discover(m_root, {});
        // Controls that a click enables (a row chosen enables Edit) join the walk.
        for (size_t i = 0; i < m_controls.size(); ++i) {
            const Control control = m_controls[i];
            Click(control);
            if (control.tab < 0)
                AddEnabledControls(control, i + 1);
        }
        for (const Control& tabs : m_tabControls)
            for (int tab = 0; tab < TabCount(tabs); ++tab)
                if (HWND tabControl = Resolve(tabs.path); tabControl && ChooseTab(tabControl, tab))
                    TabRounds();
        if (m_tabControls.empty() && Resolve({}))
            TabRounds();
        if (m_walk.close)
            m_walk.close();
        Pump();
        return std::move(m_figures);
    }

private:
    void Fault(const std::string& text) { m_figures.faults.push_back(m_walk.name + ": " + text); }

    bool Open()
    {
        m_root = m_walk.open ? m_walk.open() : nullptr;
        Pump();
        if (!::IsWindow(m_root)) {
            Fault("does not open");
            return false;
        }
        return true;
    }

    bool RootOpen() const { return ::IsWindow(m_root) && ::IsWindowVisible(m_root); }

    // The window at the end of `path`, the dialog opened again when a click closed it and each
    // tab on the way chosen by a click.
    HWND Resolve(const Path& path)
    {
        if (!RootOpen()) {
            if (m_walk.close)
                m_walk.close();
            Pump();
            if (!Open())
                return nullptr;
        }
        HWND at = m_root;
        for (const Step& step : path) {
            HWND next = nullptr;
            for (HWND child : Children(at))
                if (step.Matches(child)) {
                    next = child;
                    break;
                }
            if (!next)
                return nullptr;
            if (step.tab >= 0 && !ChooseTab(next, step.tab))
                return nullptr;
            at = next;
        }
        return at;
    }

    int TabCount(const Control& tabs)
    {
        HWND tabControl = Resolve(tabs.path);
        return tabControl ? static_cast<int>(::SendMessage(tabControl, TCM_GETITEMCOUNT, 0, 0)) : 0;
    }

    CPoint TabCentre(HWND tabControl, int tab)
    {
        CRect item;
        ::SendMessage(tabControl, TCM_GETITEMRECT, WPARAM(tab), reinterpret_cast<LPARAM>(&item));
        CPoint centre = item.CenterPoint();
        ::ClientToScreen(tabControl, &centre);
        return centre;
    }

    // Chooses tab `tab` by a click on it, when it is not chosen.
    bool ChooseTab(HWND tabControl, int tab)
    {
        if (::SendMessage(tabControl, TCM_GETCURSEL, 0, 0) == tab)
            return true;
        ClickAt(TabCentre(tabControl, tab));
        if (::SendMessage(tabControl, TCM_GETCURSEL, 0, 0) != tab) {
            Fault("a click on tab " + std::to_string(tab) + " of " + Describe(tabControl) +
                  " does not choose it (" + Describe(::WindowFromPoint(TabCentre(tabControl, tab))) +
                  " is there)");
            return false;
        }
        return true;
    }

    // The controls to click, in z-order: those of child dialogs in their place, the tabs of a tab
    // control followed by the controls of each tab's pages.
    void Discover(HWND container, const Path& path)
    {
        if (const UINT tmpl = DialogTemplateOf(container))
            m_figures.templates.insert(tmpl);
        std::map<int, int> ids;
        for (HWND child : Children(container)) {
            if (!::IsWindowVisible(child))
                continue;
            if (IsContainer(child)) {
                Path inner = path;
                inner.push_back({true, DialogTemplateOf(child), IdOf(child), -1});
                Discover(child, inner);
                continue;
            }
            const int id = IdOf(child);
            if (id != IDC_STATIC && ++ids[id] == 2)
                Fault("two controls of " + Describe(container) + " have the id " + std::to_string(id));
            Path here = path;
            here.push_back({false, 0, id, -1});
            if (IsTabControl(child)) {
                m_tabControls.push_back({here, DialogTemplateOf(container), id, -1});
                const int count = static_cast<int>(::SendMessage(child, TCM_GETITEMCOUNT, 0, 0));
                const int chosen = static_cast<int>(::SendMessage(child, TCM_GETCURSEL, 0, 0));
                for (int tab = 0; tab < count; ++tab) {
                    // The first tab to visit is clicked too, from another one.
                    m_controls.push_back({path, DialogTemplateOf(container), id, tab});
                    if (!ChooseTab(child, tab))
                        continue;
                    Path page = here;
                    page.back().tab = tab;
                    for (HWND inner : Children(child))
                        if (IsContainer(inner) && ::IsWindowVisible(inner)) {
                            Path innerPath = page;
                            innerPath.push_back({true, DialogTemplateOf(inner), IdOf(inner), -1});
                            Discover(inner, innerPath);
                        }
                }
                if (count > 0 && chosen >= 0)
                    ChooseTab(child, chosen);
                continue;
            }
            if (!::IsWindowEnabled(child) || !TakesByKind(child))
                continue;
            m_controls.push_back({path, DialogTemplateOf(container), id, -1});
        }
    }

    // The controls beside `clicked` that its click made usable and the walk does not hold yet,
    // clicked next, while what enabled them holds.
    void AddEnabledControls(const Control& clicked, size_t at)
    {
        if (!RootOpen())
            return;
        HWND container = Resolve(clicked.path);
        if (!container)
            return;
        for (HWND child : Children(container)) {
            if (IsContainer(child) || IsTabControl(child) || !Usable(child) || !TakesByKind(child))
                continue;
            Control control{clicked.path, clicked.dialogTemplate, IdOf(child), -1};
            const bool known = std::any_of(m_controls.begin(), m_controls.end(), [&](const Control& c) {
                return c.tab < 0 && c.id == control.id && c.path == control.path;
            });
            if (!known)
                m_controls.insert(m_controls.begin() + static_cast<std::ptrdiff_t>(at++), control);
        }
    }

    const char* WhyNotClicked(const Control& control) const
    {
        for (const NotClicked& rule : m_walk.notClicked)
            if (rule.id == control.id &&
                (rule.dialogTemplate == 0 || rule.dialogTemplate == control.dialogTemplate))
                return rule.why;
        return nullptr;
    }

    void Click(const Control& control)
    {
        if (WhyNotClicked(control))
            return;
        HWND container = Resolve(control.path);
        if (!container) {
            Fault("the dialog that holds control " + std::to_string(control.id) + " of template " +
                  std::to_string(control.dialogTemplate) + " cannot be reached again");
            return;
        }
        if (control.tab >= 0) {
            ClickTab(container, control);
            return;
        }
        HWND hwnd = nullptr;
        for (HWND child : Children(container))
            if (IdOf(child) == control.id && !IsContainer(child)) {
                hwnd = child;
                break;
            }
        if (!Usable(hwnd)) {
            Fault("control " + std::to_string(control.id) + " of template " +
                  std::to_string(control.dialogTemplate) +
                  " is no longer there to click at its turn: an earlier click disabled or hid it");
            return;
        }
        ClickControl(hwnd);
    }

    void ClickTab(HWND container, const Control& control)
    {
        HWND tabControl = ::GetDlgItem(container, control.id);
        if (!Usable(tabControl))
            return;
        // From another tab, so that the click changes something.
        const int count = static_cast<int>(::SendMessage(tabControl, TCM_GETITEMCOUNT, 0, 0));
        if (count > 1 && ::SendMessage(tabControl, TCM_GETCURSEL, 0, 0) == control.tab)
            ChooseTab(tabControl, (control.tab + 1) % count);
        ++m_figures.clicked;
        if (!ChooseTab(tabControl, control.tab))
            ++m_figures.missed;
        else if (!IsSelfOrInside(tabControl, ::GetFocus()))
            Fault("a click on tab " + std::to_string(control.tab) + " of " + Describe(tabControl) +
                  " does not give the tab control the focus");
    }

    void ClickControl(HWND hwnd)
    {
        Takes takes = m_walk.takes ? m_walk.takes(hwnd) : Takes::Auto;
        if (takes == Takes::Auto)
            takes = TakesByKind(hwnd).value_or(Takes::Focus);
        const std::string what = Describe(hwnd) + " on " + Describe(::GetParent(hwnd));
        const CPoint centre = CentreOf(hwnd);
        const bool button = ClassOf(hwnd) == "Button";
        const LRESULT checkBefore = button ? ::SendMessage(hwnd, BM_GETCHECK, 0, 0) : 0;
        HWND radioBefore = takes == Takes::Radio ? CheckedRadioOfGroup(hwnd) : nullptr;

        bool took = false;
        bool closedDialog = false;
        {
            ParentSpy spy(::GetParent(hwnd));
            OpenedWindows opened;
            ++m_figures.clicked;
            ClickAt(centre);
            closedDialog = !RootOpen();
            const bool focused = ::IsWindow(hwnd) && IsSelfOrInside(hwnd, ::GetFocus());
            switch (takes) {
            case Takes::Focus:
                took = focused;
                break;
            case Takes::Check:
                took = ::IsWindow(hwnd) && ::SendMessage(hwnd, BM_GETCHECK, 0, 0) != checkBefore;
                break;
            case Takes::Radio:
                took = focused && ::SendMessage(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
                break;
            case Takes::DropDown:
                took = ::IsWindow(hwnd) && ::SendMessage(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
                break;
            case Takes::Command:
                took = spy.HeardCommandFrom(hwnd);
                break;
            case Takes::Popup:
                took = !opened.Popups().empty();
                break;
            default:
                break;
            }
            if (!took) {
                ++m_figures.missed;
                Fault(what + ": a click at its centre does not " + NameOf(takes) + " (it went to " +
                      Describe(::WindowFromPoint(centre)) + ", the focus is on " + Describe(::GetFocus()) +
                      ')');
            }
            CloseTheOpenedWindows(opened, what);
        }
        if (took && !closedDialog && ::IsWindow(hwnd))
            PutBack(hwnd, takes, checkBefore, radioBefore, centre);
    }

    // Lists and palettes that a click opened hold the mouse: a click outside closes them.
    void CloseTheOpenedWindows(const OpenedWindows& opened, const std::string& what)
    {
        for (HWND popup : opened.Popups()) {
            if (!::IsWindowVisible(popup))
                continue;
            CRect rect;
            ::GetWindowRect(popup, &rect);
            const CPoint outside(rect.left > 10 ? rect.left - 6 : rect.right + 6,
                                 rect.top > 10 ? rect.top - 6 : rect.bottom + 6);
            HWND capture = ::GetCapture();
            if (capture && IsSelfOrInside(popup, capture))
                ClickAt(outside);
            else {
                NullHost::PressKey(VK_ESCAPE);
                Pump();
            }
            if (::IsWindow(popup) && ::IsWindowVisible(popup)) {
                Fault(what + ": " + Describe(popup) + " that the click opened does not close");
                ::DestroyWindow(popup);
                Pump();
            }
        }
    }

    // A check box clicked back, the radio button that was checked clicked again.
    void PutBack(HWND hwnd, Takes takes, LRESULT checkBefore, HWND radioBefore, CPoint centre)
    {
        if (takes == Takes::Check) {
            // Beside the first click, so that the two are not taken for a double click.
            CRect rect;
            ::GetWindowRect(hwnd, &rect);
            if (::SendMessage(hwnd, BM_GETCHECK, 0, 0) != checkBefore)
                ClickAt(CPoint(centre.x + (rect.Width() > 24 ? 8 : 0), centre.y));
        } else if (takes == Takes::Radio && radioBefore && radioBefore != hwnd && Usable(radioBefore)) {
            ClickAt(CentreOf(radioBefore));
        }
    }

    static bool IsRadio(HWND hwnd)
    {
        const DWORD type = StyleOf(hwnd) & BS_TYPEMASK;
        return ClassOf(hwnd) == "Button" && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
    }

    // The checked radio button of the group `radio` belongs to.
    static HWND CheckedRadioOfGroup(HWND radio)
    {
        std::vector<HWND> siblings = Children(::GetParent(radio));
        auto at = std::find(siblings.begin(), siblings.end(), radio);
        auto first = at;
        while (first != siblings.begin() && !(StyleOf(*first) & WS_GROUP))
            --first;
        for (auto it = first; it != siblings.end(); ++it) {
            if (it != first && (StyleOf(*it) & WS_GROUP))
                break;
            if (IsRadio(*it) && ::SendMessage(*it, BM_GETCHECK, 0, 0) == BST_CHECKED)
                return *it;
        }
        return nullptr;
    }

    // ---- Tab ----

    // The tab stops in the order the dialog manager walks them: controls in z-order, those of
    // usable child dialogs in their place, a tab control followed by its shown pages.
    static void CollectStops(HWND container, std::vector<HWND>& stops)
    {
        for (HWND child : Children(container)) {
            if (IsContainer(child)) {
                if (Usable(child))
                    CollectStops(child, stops);
                continue;
            }
            if (Usable(child) && (StyleOf(child) & WS_TABSTOP))
                stops.push_back(child);
            if (IsTabControl(child))
                for (HWND inner : Children(child))
                    if (IsContainer(inner) && Usable(inner))
                        CollectStops(inner, stops);
        }
    }

    // A round of Tab and one of Shift+Tab from the first stop.
    void TabRounds()
    {
        std::vector<HWND> stops;
        CollectStops(m_root, stops);
        if (stops.empty())
            return;
        m_figures.tabStops += static_cast<int>(stops.size());
        TabRound(stops, false);
        TabRound(stops, true);
    }

    void TabRound(const std::vector<HWND>& stops, bool backwards)
    {
        ::SetFocus(stops.front());
        Pump();
        std::map<HWND, int> visits;
        std::vector<std::string> strays;
        for (size_t press = 0; press < stops.size(); ++press) {
            if (backwards)
                NullHost::PressKeyWith(VK_TAB, {VK_SHIFT});
            else
                NullHost::PressKey(VK_TAB);
            Pump();
            if (!RootOpen()) {
                Fault("Tab closes the dialog");
                return;
            }
            // The stop that holds the focus (the combo box of its edit), the nearest one: a tab
            // control holds its pages too.
            HWND focus = ::GetFocus();
            HWND stop = focus;
            while (stop && std::find(stops.begin(), stops.end(), stop) == stops.end())
                stop = ::GetParent(stop);
            if (!stop)
                strays.push_back(Describe(focus));
            else
                ++visits[stop];
        }
        std::string never;
        std::string twice;
        for (HWND stop : stops) {
            if (visits[stop] == 0)
                never += (never.empty() ? "" : ", ") + Describe(stop);
            else if (visits[stop] > 1)
                twice += (twice.empty() ? "" : ", ") + Describe(stop) + " x" + std::to_string(visits[stop]);
        }
        const std::string round = std::string(backwards ? "a round of Shift+Tab" : "a round of Tab") +
                                  " through " + std::to_string(stops.size()) + " stops";
        if (!never.empty())
            Fault(round + " never reaches " + never);
        if (!twice.empty())
            Fault(round + " reaches more than once " + twice);
        for (const std::string& stray : strays)
            Fault(round + " puts the focus on " + stray);
    }

    const DialogWalk& m_walk;
    HWND m_root{nullptr};
    std::vector<Control> m_controls;
    std::vector<Control> m_tabControls;
    WalkFigures m_figures;
};

} // namespace

UINT DialogTemplateOf(HWND hwnd)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (auto* dialog = dynamic_cast<CDialog*>(wnd))
        return dialog->m_nIDTemplate;
    if (auto* form = dynamic_cast<CFormView*>(wnd))
        return form->m_nIDTemplate;
    return 0;
}

std::set<UINT> RegisteredDialogTemplates()
{
    std::set<UINT> ids;
    platform::SearchResourceModules(
        [&](const platform::ResourceTables& tables) {
            if (tables.dialogs)
                for (const platform::DialogTemplate& tmpl : tables.dialogs->templates)
                    ids.insert(tmpl.id);
            return false;
        },
        AfxGetInstanceHandle());
    return ids;
}

WalkFigures WalkDialog(const DialogWalk& walk)
{
    return Walker(walk).Run();
}

void WalkEveryDialog(const std::string& program, const std::vector<DialogWalk>& walks,
                     const std::set<UINT>& walkedElsewhere)
{
    WalkFigures all;
    for (const DialogWalk& walk : walks) {
        SCOPED_TRACE(walk.name);
        const WalkFigures figures = WalkDialog(walk);
        for (const std::string& fault : figures.faults)
            ADD_FAILURE() << fault;
        all.clicked += figures.clicked;
        all.missed += figures.missed;
        all.tabStops += figures.tabStops;
        all.templates.insert(figures.templates.begin(), figures.templates.end());
    }
    std::cout << program << ": " << walks.size() << " dialogs opened (" << all.templates.size()
              << " templates with their pages and child dialogs), " << all.clicked << " controls clicked ("
              << all.missed << " did not take the click), " << all.tabStops << " tab stops walked\n";
    std::set<UINT> expected = RegisteredDialogTemplates();
    for (UINT elsewhere : walkedElsewhere)
        expected.erase(elsewhere);
    EXPECT_EQ(all.templates, expected) << "a dialog template that no walk reaches, or one that is gone";
}

} // namespace testkit
