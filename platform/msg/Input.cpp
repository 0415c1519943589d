// Focus, activation, capture, key state, cursor and the routing of injected input.
#include "platform/msg/Input.h"

#include "platform/core/Clock.h"
#include "platform/msg/MessageQueue.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowInternal.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <vector>

using namespace platform::msg;

namespace {

// Guards the input state below. Never held while a message is sent; the window table's lock
// may be taken under it, never the reverse.
std::mutex s_inputLock;
HWND s_focus { nullptr };
HWND s_active { nullptr };
bool s_applicationActive { false };
HWND s_capture { nullptr };
HWND s_tracked { nullptr };        // TrackMouseEvent(TME_LEAVE)
HWND s_lastMouseWindow { nullptr };
HCURSOR s_cursor { nullptr };
POINT s_cursorPos { 0, 0 };
// The virtual screen, packed (width << 32 | height) so that it is read without a lock: the
// window table reads it under its own lock.
std::atomic<std::uint64_t> s_screen { (std::uint64_t(1920) << 32) | 1080 };
std::array<BYTE, 256> s_keys {};      // as messages are retrieved (GetKeyState)
std::array<BYTE, 256> s_asyncKeys {}; // as input arrives (GetAsyncKeyState)

// The classic double-click rule: same button, same window, within the double-click time and
// within a 4 x 4 pixel box around the first click.
struct ClickTracker
{
    HWND hwnd { nullptr };
    UINT button { 0 };
    DWORD time { 0 };
    POINT pt {};
    bool armed { false };
};
ClickTracker s_click;
constexpr UINT kDoubleClickMs = 500;
constexpr int kDoubleClickBox = 4;

// Which virtual keys a key message changes besides its own.
int GenericKey(int vk)
{
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return 0;
    }
}

void SetKey(std::array<BYTE, 256>& keys, int vk, bool down)
{
    auto apply = [&](int k) {
        if (k <= 0 || k > 255)
            return;
        if (down && !(keys[k] & 0x80))
            keys[k] ^= 0x01; // toggled on each press
        keys[k] = static_cast<BYTE>(down ? (keys[k] | 0x80) : (keys[k] & ~0x80));
    };
    apply(vk);
    apply(GenericKey(vk));
}

WPARAM MouseKeyFlags(const std::array<BYTE, 256>& keys)
{
    WPARAM flags = 0;
    if (keys[VK_LBUTTON] & 0x80)
        flags |= MK_LBUTTON;
    if (keys[VK_RBUTTON] & 0x80)
        flags |= MK_RBUTTON;
    if (keys[VK_MBUTTON] & 0x80)
        flags |= MK_MBUTTON;
    if (keys[VK_SHIFT] & 0x80)
        flags |= MK_SHIFT;
    if (keys[VK_CONTROL] & 0x80)
        flags |= MK_CONTROL;
    return flags;
}

bool IsMouseMessage(UINT m) { return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST && m != WM_MOUSEWHEEL; }

// ---- key to character --------------------------------------------------------------------------

struct KeyCharacter
{
    int vk;
    char plain;
    char shifted;
};
constexpr KeyCharacter kKeyCharacters[] = {
    { VK_SPACE, ' ', ' ' },      { VK_RETURN, '\r', '\r' },   { VK_BACK, '\b', '\b' },
    { VK_TAB, '\t', '\t' },      { VK_ESCAPE, 0x1B, 0x1B },   { '0', '0', ')' },
    { '1', '1', '!' },           { '2', '2', '@' },           { '3', '3', '#' },
    { '4', '4', '$' },           { '5', '5', '%' },           { '6', '6', '^' },
    { '7', '7', '&' },           { '8', '8', '*' },           { '9', '9', '(' },
    { VK_OEM_1, ';', ':' },      { VK_OEM_PLUS, '=', '+' },   { VK_OEM_COMMA, ',', '<' },
    { VK_OEM_MINUS, '-', '_' },  { VK_OEM_PERIOD, '.', '>' }, { VK_OEM_2, '/', '?' },
    { VK_MULTIPLY, '*', '*' },   { VK_ADD, '+', '+' },        { VK_SUBTRACT, '-', '-' },
    { VK_DECIMAL, '.', '.' },    { VK_DIVIDE, '/', '/' },
};

} // namespace

char platform::msg::CharacterForKey(int vk, bool shift)
{
    if (vk >= 'A' && vk <= 'Z')
        return static_cast<char>(shift ? vk : vk - 'A' + 'a');
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return static_cast<char>('0' + vk - VK_NUMPAD0);
    for (auto& k : kKeyCharacters)
        if (k.vk == vk)
            return shift ? k.shifted : k.plain;
    return 0;
}

// ---- internal hooks ------------------------------------------------------------------------------------

namespace platform::msg {

SIZE ScreenSize()
{
    auto packed = s_screen.load();
    return SIZE { static_cast<LONG>(packed >> 32), static_cast<LONG>(packed & 0xFFFFFFFFu) };
}

void SetScreenSize(SIZE size)
{
    if (size.cx > 0 && size.cy > 0)
        s_screen.store((std::uint64_t(size.cx) << 32) | std::uint64_t(size.cy));
}

POINT CurrentCursorPos()
{
    std::lock_guard lock(s_inputLock);
    return s_cursorPos;
}

HCURSOR CurrentCursor()
{
    std::lock_guard lock(s_inputLock);
    return s_cursor;
}

void NoteInputRetrieved(const MSG& msg)
{
    std::lock_guard lock(s_inputLock);
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: SetKey(s_keys, static_cast<int>(msg.wParam), true); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: SetKey(s_keys, static_cast<int>(msg.wParam), false); break;
    default:
        if (IsMouseMessage(msg.message)) {
            SetKey(s_keys, VK_LBUTTON, (msg.wParam & MK_LBUTTON) != 0);
            SetKey(s_keys, VK_RBUTTON, (msg.wParam & MK_RBUTTON) != 0);
            SetKey(s_keys, VK_MBUTTON, (msg.wParam & MK_MBUTTON) != 0);
        }
        break;
    }
}

void ForgetInputWindow(HWND hwnd, bool destroying)
{
    bool hadFocus = false, hadCapture = false;
    {
        std::lock_guard lock(s_inputLock);
        auto inside = [&](HWND w) { return w && (w == hwnd || IsChild(hwnd, w)); };
        hadFocus = inside(s_focus);
        hadCapture = inside(s_capture);
        if (destroying) {
            if (hadFocus)
                s_focus = nullptr;
            if (hadCapture)
                s_capture = nullptr;
            if (s_active == hwnd)
                s_active = nullptr;
        }
        if (inside(s_tracked))
            s_tracked = nullptr;
        if (inside(s_lastMouseWindow))
            s_lastMouseWindow = nullptr;
        if (inside(s_click.hwnd))
            s_click = ClickTracker {};
    }
    if (!destroying) {
        if (hadFocus)
            SetFocus(nullptr);
        if (hadCapture)
            ReleaseCapture();
    }
}

} // namespace platform::msg

// ---- focus and activation -------------------------------------------------------------------------------

namespace {

// Tells the calling thread's top-level windows that the program gained or lost activation.
void SendActivateApp(bool active)
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadMessageId(), [](HWND hwnd, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    for (HWND hwnd : windows)
        if (IsWindow(hwnd))
            SendMessage(hwnd, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

// Records the program's activation; true when it changed.
bool ChangeApplicationActive(bool active)
{
    std::lock_guard lock(s_inputLock);
    if (s_applicationActive == active)
        return false;
    s_applicationActive = active;
    return true;
}

HWND ActivateWindow(HWND hwnd, WORD how)
{
    if (hwnd) {
        hwnd = GetAncestor(hwnd, GA_ROOT);
        if (!hwnd || !IsWindowEnabled(hwnd) || (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD))
            return nullptr;
    }
    HWND old;
    {
        std::lock_guard lock(s_inputLock);
        old = s_active;
        if (old == hwnd)
            return old;
    }
    if (old && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
    }
    {
        std::lock_guard lock(s_inputLock);
        s_active = hwnd;
    }
    // The classic order: the program's activation before the window's, its deactivation after.
    if (ChangeApplicationActive(hwnd != nullptr))
        SendActivateApp(hwnd != nullptr);
    if (hwnd) {
        platform::msg::NoteActivePopup(hwnd);
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0), reinterpret_cast<LPARAM>(old));
    } else if (HWND focus = GetFocus()) {
        // Nothing active: nothing has the focus.
        (void)focus;
        SetFocus(nullptr);
    }
    return old;
}

} // namespace

HWND SetActiveWindow(HWND hwnd) { return ActivateWindow(hwnd, WA_ACTIVE); }

void platform::msg::SetApplicationActive(bool active)
{
    if (ChangeApplicationActive(active))
        SendActivateApp(active);
}

bool platform::msg::IsApplicationActive()
{
    std::lock_guard lock(s_inputLock);
    return s_applicationActive;
}

HWND GetActiveWindow()
{
    std::lock_guard lock(s_inputLock);
    return s_active;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return FALSE;
    SetActiveWindow(hwnd);
    return TRUE;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

HWND SetFocus(HWND hwnd)
{
    if (hwnd && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (hwnd) {
        HWND root = GetAncestor(hwnd, GA_ROOT);
        if (root != GetActiveWindow())
            ActivateWindow(root, WA_ACTIVE);
        // A window of a disabled top-level cannot take the focus.
        if (!IsWindowEnabled(root))
            return nullptr;
    }
    HWND old;
    {
        std::lock_guard lock(s_inputLock);
        old = s_focus;
    }
    if (old == hwnd)
        return old;
    if (old && IsWindow(old))
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    {
        std::lock_guard lock(s_inputLock);
        s_focus = hwnd && IsWindow(hwnd) ? hwnd : nullptr;
    }
    if (hwnd && IsWindow(hwnd))
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus()
{
    std::lock_guard lock(s_inputLock);
    return s_focus;
}

// ---- capture ----------------------------------------------------------------------------------------------

HWND SetCapture(HWND hwnd)
{
    HWND old;
    {
        std::lock_guard lock(s_inputLock);
        old = s_capture;
        s_capture = hwnd && IsWindow(hwnd) ? hwnd : nullptr;
    }
    if (old && old != hwnd && IsWindow(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture()
{
    HWND old;
    {
        std::lock_guard lock(s_inputLock);
        old = s_capture;
        s_capture = nullptr;
    }
    if (old && IsWindow(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    std::lock_guard lock(s_inputLock);
    return s_capture;
}

// ---- keys and cursor -----------------------------------------------------------------------------------------

SHORT GetKeyState(int vk)
{
    if (vk <= 0 || vk > 255)
        return 0;
    std::lock_guard lock(s_inputLock);
    BYTE k = s_keys[vk];
    return static_cast<SHORT>(((k & 0x80) ? 0xFF80 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk)
{
    if (vk <= 0 || vk > 255)
        return 0;
    std::lock_guard lock(s_inputLock);
    return static_cast<SHORT>((s_asyncKeys[vk] & 0x80) ? 0x8000 : 0);
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    *point = CurrentCursorPos();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    InjectMouseMove(POINT { x, y });
    return TRUE;
}

namespace {
std::atomic<void (*)(HCURSOR)> s_cursorListener { nullptr };
} // namespace

void platform::msg::SetCursorListener(void (*listener)(HCURSOR cursor))
{
    s_cursorListener.store(listener);
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR old;
    {
        std::lock_guard lock(s_inputLock);
        old = s_cursor;
        s_cursor = cursor;
    }
    // Told outside the lock: the host may ask for the cursor again.
    if (old != cursor)
        if (auto listener = s_cursorListener.load())
            listener(cursor);
    return old;
}

HCURSOR GetCursor() { return CurrentCursor(); }

UINT GetDoubleClickTime() { return kDoubleClickMs; }

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track || track->cbSize < sizeof(TRACKMOUSEEVENT))
        return FALSE;
    if (!(track->dwFlags & TME_LEAVE))
        return TRUE; // hover tracking is not needed by any caller
    bool leaveNow = false;
    {
        std::lock_guard lock(s_inputLock);
        if (track->dwFlags & TME_CANCEL) {
            if (s_tracked == track->hwndTrack)
                s_tracked = nullptr;
            return TRUE;
        }
        s_tracked = track->hwndTrack;
        leaveNow = s_lastMouseWindow != track->hwndTrack;
        if (leaveNow)
            s_tracked = nullptr;
    }
    // The mouse is not over the window: it has already left.
    if (leaveNow)
        PostMessage(track->hwndTrack, WM_MOUSELEAVE, 0, 0);
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    int vk = static_cast<int>(msg->wParam);
    char ch = 0;
    if (ctrl && vk >= 'A' && vk <= 'Z')
        ch = static_cast<char>(vk - 'A' + 1); // control characters
    else
        ch = CharacterForKey(vk, (vk >= 'A' && vk <= 'Z') ? (shift != caps) : shift);
    if (!ch)
        return FALSE;
    UINT charMessage = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    PostMessage(msg->hwnd, charMessage, static_cast<unsigned char>(ch), msg->lParam);
    return TRUE;
}

// ---- routing of injected input ---------------------------------------------------------------------------------
//
// Injection only records the event in the input queue of the thread whose window is likely to
// get it; the window and message are decided when the event is taken from the queue
// (RouteInput), as the classic system does when a thread reads its input. So a capture taken
// while a press is handled gets the release that was already waiting, and a key goes to the
// window that has the focus once the keys before it have been handled.

namespace {

struct ButtonMessages
{
    int vk;
    UINT down, up, dblclk, ncDown, ncUp, ncDblclk;
};
constexpr ButtonMessages kButtons[] = {
    { VK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK },
    { VK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK },
    { VK_MBUTTON, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, WM_NCMBUTTONDBLCLK },
};

struct MouseTarget
{
    HWND hwnd { nullptr };
    LRESULT hit { HTNOWHERE };
    bool captured { false };
};

MouseTarget FindMouseTarget(POINT screen)
{
    MouseTarget t;
    t.hwnd = GetCapture();
    if (t.hwnd) {
        t.captured = true;
        t.hit = HTCLIENT;
        return t;
    }
    t.hwnd = WindowAtPoint(screen, &t.hit);
    // Input to a disabled top-level (the owner of a modal window) goes nowhere.
    if (t.hwnd && !IsWindowEnabled(GetAncestor(t.hwnd, GA_ROOT)))
        t.hwnd = nullptr;
    return t;
}

// The client or non-client message for a mouse event at `screen` on the target.
MSG MouseMessage(const MouseTarget& t, UINT clientMessage, UINT ncMessage, const InputEvent& e)
{
    MSG msg { t.hwnd, 0, 0, 0, e.time, e.pt };
    if (t.hit == HTCLIENT) {
        POINT p = e.pt;
        ScreenToClient(t.hwnd, &p);
        msg.message = clientMessage;
        msg.wParam = e.keys;
        msg.lParam = MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    } else {
        msg.message = ncMessage;
        msg.wParam = static_cast<WPARAM>(t.hit);
        msg.lParam = MAKELPARAM(static_cast<WORD>(e.pt.x), static_cast<WORD>(e.pt.y));
    }
    return msg;
}

void UpdateMouseOver(HWND over, LRESULT hit)
{
    HWND leave = nullptr;
    {
        std::lock_guard lock(s_inputLock);
        s_lastMouseWindow = hit == HTCLIENT ? over : nullptr;
        if (s_tracked && s_tracked != s_lastMouseWindow) {
            leave = s_tracked;
            s_tracked = nullptr;
        }
    }
    if (leave)
        PostMessage(leave, WM_MOUSELEAVE, 0, 0);
}

// The classic double-click rule for a press: same button, same window, within the
// double-click time and within a 4 x 4 pixel box around the first click; non-client double
// clicks always count, client ones only for CS_DBLCLKS classes.
bool CompletesDoubleClick(const MouseTarget& t, UINT downMessage, const InputEvent& e)
{
    UINT classStyle = static_cast<UINT>(GetClassLongPtr(t.hwnd, GCL_STYLE));
    std::lock_guard lock(s_inputLock);
    const auto& c = s_click;
    bool isDouble = c.armed && c.hwnd == t.hwnd && c.button == downMessage && e.time - c.time <= kDoubleClickMs &&
                    std::abs(e.pt.x - c.pt.x) <= kDoubleClickBox / 2 && std::abs(e.pt.y - c.pt.y) <= kDoubleClickBox / 2;
    return isDouble && (t.hit != HTCLIENT || (classStyle & CS_DBLCLKS));
}

// The window that gets keys: the focus, or the active window when nothing has the focus.
HWND KeyTarget()
{
    std::lock_guard lock(s_inputLock);
    return s_focus ? s_focus : s_active;
}

std::shared_ptr<MessageQueue> QueueForInput(HWND likelyTarget)
{
    if (auto queue = likelyTarget ? QueueOfWindow(likelyTarget) : nullptr)
        return queue;
    return MessageQueue::Current();
}

void QueueMouseEvent(InputEvent event)
{
    event.time = static_cast<DWORD>(platform::MonotonicMs());
    {
        std::lock_guard lock(s_inputLock);
        s_cursorPos = event.pt;
        if (event.kind == InputEvent::Kind::MouseButton)
            SetKey(s_asyncKeys, kButtons[event.button].vk, event.down);
        event.keys = MouseKeyFlags(s_asyncKeys);
    }
    HWND likely = GetCapture();
    if (!likely)
        likely = event.kind == InputEvent::Kind::MouseWheel ? KeyTarget() : WindowFromPoint(event.pt);
    QueueForInput(likely)->PostInput(event);
}

} // namespace

bool platform::msg::RouteInput(const InputEvent& e, RoutedInput* routed)
{
    using Kind = InputEvent::Kind;
    switch (e.kind) {
    case Kind::MouseMove:
    case Kind::MouseButton: {
        MouseTarget t = FindMouseTarget(e.pt);
        if (!t.hwnd) {
            UpdateMouseOver(nullptr, HTNOWHERE); // the mouse left every window: leave tracking ends
            return false;
        }
        routed->hit = t.hit;
        routed->captured = t.captured;
        if (e.kind == Kind::MouseMove) {
            routed->msg = MouseMessage(t, WM_MOUSEMOVE, WM_NCMOUSEMOVE, e);
        } else {
            const auto& b = kButtons[e.button];
            routed->isDouble = e.down && CompletesDoubleClick(t, b.down, e);
            if (!e.down)
                routed->msg = MouseMessage(t, b.up, b.ncUp, e);
            else if (routed->isDouble)
                routed->msg = MouseMessage(t, b.dblclk, b.ncDblclk, e);
            else
                routed->msg = MouseMessage(t, b.down, b.ncDown, e);
        }
        return true;
    }
    case Kind::MouseWheel: {
        HWND target = KeyTarget();
        if (!target)
            return false;
        routed->msg = MSG { target, WM_MOUSEWHEEL,
                            MAKEWPARAM(static_cast<WORD>(e.keys), static_cast<WORD>(static_cast<short>(e.delta))),
                            MAKELPARAM(static_cast<WORD>(e.pt.x), static_cast<WORD>(e.pt.y)), e.time, e.pt };
        return true;
    }
    case Kind::Key: {
        HWND focus = GetFocus();
        HWND target = KeyTarget();
        if (!target)
            return false;
        // Alt combinations, and keys while no window has the focus, are system keys.
        bool system = (e.alt && !e.ctrl) || !focus;
        UINT message = e.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        std::uint32_t lParam = 1 | (e.alt ? (1u << 29) : 0) | (e.wasDown ? (1u << 30) : 0);
        if (!e.down)
            lParam |= (1u << 31) | (1u << 30);
        routed->msg = MSG { target, message, static_cast<WPARAM>(e.virtualKey), static_cast<LPARAM>(lParam), e.time, e.pt };
        return true;
    }
    case Kind::Character: {
        HWND focus = GetFocus();
        if (!focus)
            return false;
        routed->msg = MSG { focus, WM_CHAR, e.character, 1, e.time, e.pt };
        return true;
    }
    }
    return false;
}

bool platform::msg::CommitRoutedInput(const InputEvent& e, RoutedInput& routed)
{
    using Kind = InputEvent::Kind;
    if (e.kind != Kind::MouseMove && e.kind != Kind::MouseButton)
        return true;
    HWND hwnd = routed.msg.hwnd;
    UpdateMouseOver(hwnd, routed.hit);
    const bool press = e.kind == Kind::MouseButton && e.down;
    if (press) {
        // A press activates the window's top-level unless the window says otherwise.
        const auto& b = kButtons[e.button];
        HWND root = GetAncestor(hwnd, GA_ROOT);
        if (root != GetActiveWindow() && !(GetWindowLongPtr(root, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
            LRESULT how = SendMessage(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
                                      MAKELPARAM(static_cast<WORD>(routed.hit), static_cast<WORD>(b.down)));
            if (how != 3 && how != 4) // MA_NOACTIVATE, MA_NOACTIVATEANDEAT
                ActivateWindow(root, WA_CLICKACTIVE);
            if (how == 2 || how == 4) // ...ANDEAT: the click is swallowed
                return false;
        }
    }
    if (!IsWindow(hwnd))
        return false;
    // Moves and presses outside a capture ask the window for its cursor.
    if (!routed.captured && (e.kind == Kind::MouseMove || press)) {
        UINT mouseMessage = press ? kButtons[e.button].down : WM_MOUSEMOVE;
        SendMessage(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                    MAKELPARAM(static_cast<WORD>(routed.hit), static_cast<WORD>(mouseMessage)));
    }
    if (press) {
        std::lock_guard lock(s_inputLock);
        if (routed.isDouble)
            s_click = ClickTracker {}; // a third click starts a new pair
        else
            s_click = ClickTracker { hwnd, kButtons[e.button].down, e.time, e.pt, true };
    }
    return IsWindow(hwnd);
}

void platform::msg::InjectMouseMove(POINT screen)
{
    InputEvent event;
    event.kind = InputEvent::Kind::MouseMove;
    event.pt = screen;
    QueueMouseEvent(event);
}

void platform::msg::InjectMouseButton(MouseButton button, bool down, POINT screen)
{
    InputEvent event;
    event.kind = InputEvent::Kind::MouseButton;
    event.button = static_cast<int>(button);
    event.down = down;
    event.pt = screen;
    QueueMouseEvent(event);
}

void platform::msg::InjectMouseWheel(int delta, POINT screen)
{
    InputEvent event;
    event.kind = InputEvent::Kind::MouseWheel;
    event.delta = delta;
    event.pt = screen;
    QueueMouseEvent(event);
}

void platform::msg::InjectKey(int vk, bool down)
{
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.virtualKey = vk;
    event.down = down;
    event.time = static_cast<DWORD>(platform::MonotonicMs());
    {
        std::lock_guard lock(s_inputLock);
        event.wasDown = (s_asyncKeys[vk & 0xFF] & 0x80) != 0;
        SetKey(s_asyncKeys, vk, down);
        event.alt = (s_asyncKeys[VK_MENU] & 0x80) != 0 || vk == VK_MENU;
        event.ctrl = (s_asyncKeys[VK_CONTROL] & 0x80) != 0;
        event.pt = s_cursorPos;
    }
    HWND target = KeyTarget();
    if (!target)
        return; // no window of this process takes keys
    QueueForInput(target)->PostInput(event);
}

void platform::msg::InjectText(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : 4;
        length = std::min(length, text.size() - i);
        int vk = 0;
        bool shift = false;
        if (length == 1) {
            for (int k = 1; k < 256 && !vk; ++k) {
                if (CharacterForKey(k, false) == static_cast<char>(c))
                    vk = k;
                else if (CharacterForKey(k, true) == static_cast<char>(c))
                    vk = k, shift = true;
            }
        }
        if (vk) {
            bool shiftHeld = GetAsyncKeyState(VK_SHIFT) < 0;
            if (shift && !shiftHeld)
                InjectKey(VK_SHIFT, true);
            InjectKey(vk, true);
            InjectKey(vk, false);
            if (shift && !shiftHeld)
                InjectKey(VK_SHIFT, false);
        } else if (HWND focus = GetFocus()) {
            // A character the keyboard does not have arrives as its UTF-8 bytes, in turn with
            // the keys typed before and after it.
            auto queue = QueueForInput(focus);
            for (std::size_t j = 0; j < length; ++j) {
                InputEvent event;
                event.kind = InputEvent::Kind::Character;
                event.character = static_cast<unsigned char>(text[i + j]);
                event.time = static_cast<DWORD>(platform::MonotonicMs());
                event.pt = CurrentCursorPos();
                queue->PostInput(event);
            }
        }
        i += length;
    }
}
