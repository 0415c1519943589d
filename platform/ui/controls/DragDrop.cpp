// The drag loop and the registry of drop targets.
#include "platform/ui/controls/DragDrop.h"

#include "platform/gdi/Cursor.h"
#include "platform/msg/WindowApi.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// ---- registry of drop targets ----------------------------------------------------------------

struct Registration
{
    HWND hwnd;
    COleDropTarget* target;
};

// Guards the registrations; taken alone, never while a target's handler runs.
std::mutex s_registryLock;
std::vector<Registration> s_registry;

COleDropTarget* TargetOf(HWND hwnd)
{
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    std::lock_guard guard(s_registryLock);
    for (const Registration& r : s_registry)
        if (r.hwnd == hwnd)
            return r.target;
    return nullptr;
}

// The registered window that would take a drop at a screen point: the deepest window there or
// the nearest of its parents with a target, of this thread and enabled.
HWND DropWindowAt(POINT screen)
{
    HWND hwnd = WindowFromPoint(screen);
    if (!hwnd || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadMessageId())
        return nullptr;
    for (; hwnd && IsWindowEnabled(hwnd); hwnd = GetParent(hwnd)) {
        if (TargetOf(hwnd))
            return hwnd;
        if (!(GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD))
            break; // a pop-up's owner is not where it lies
    }
    return nullptr;
}

// ---- the drag ----------------------------------------------------------------------------------

constexpr UINT kRestTickMs = 50;
constexpr char kTrackerClass[] = "PlatformDragTracker";

LRESULT TrackerProc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    return DefWindowProc(hwnd, message, w, l);
}

// A hidden window that holds the capture while the drag runs, so that every mouse message comes
// to the loop in screen coordinates and the window the drag started from loses the capture as it
// would to the classic service.
class DragTracker
{
public:
    DragTracker()
    {
        WNDCLASS wc;
        if (!GetClassInfo(nullptr, kTrackerClass, &wc)) {
            wc = WNDCLASS {};
            wc.lpfnWndProc = TrackerProc;
            wc.lpszClassName = kTrackerClass;
            RegisterClass(&wc);
        }
        m_hwnd = CreateWindowEx(0, kTrackerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        if (m_hwnd)
            SetCapture(m_hwnd);
    }
    ~DragTracker()
    {
        if (m_hwnd && GetCapture() == m_hwnd)
            ReleaseCapture();
        if (m_hwnd)
            DestroyWindow(m_hwnd);
    }
    DragTracker(const DragTracker&) = delete;
    DragTracker& operator=(const DragTracker&) = delete;

    HWND Handle() const { return m_hwnd; }
    bool HoldsCapture() const { return m_hwnd && GetCapture() == m_hwnd; }
    POINT ScreenPoint(LPARAM l) const
    {
        POINT p { GET_X_LPARAM(l), GET_Y_LPARAM(l) };
        ClientToScreen(m_hwnd, &p);
        return p;
    }

private:
    HWND m_hwnd { nullptr };
};

DWORD KeyState()
{
    DWORD keys = MK_LBUTTON;
    if (GetKeyState(VK_CONTROL) < 0)
        keys |= MK_CONTROL;
    if (GetKeyState(VK_SHIFT) < 0)
        keys |= MK_SHIFT;
    return keys;
}

CPoint ClientPoint(HWND hwnd, POINT screen)
{
    ScreenToClient(hwnd, &screen);
    return CPoint(screen.x, screen.y);
}

void ShowFeedback(DROPEFFECT effect)
{
    using platform::DragFeedback;
    DragFeedback feedback = DragFeedback::NoDrop;
    if (effect & DROPEFFECT_MOVE)
        feedback = DragFeedback::Move;
    if (effect & DROPEFFECT_COPY)
        feedback = DragFeedback::Copy;
    SetCursor(platform::DragCursor(feedback));
}

// One drag: the window under the pointer that has a target, and what its target last answered.
class DragSession
{
public:
    DragSession(COleDataObject& data, DWORD allowed) : m_data(data), m_allowed(allowed) {}

    void Track(POINT screen)
    {
        m_last = screen;
        HWND now = DropWindowAt(screen);
        if (now != m_over) {
            Leave();
            m_over = now;
            if (COleDropTarget* target = TargetOf(m_over))
                m_effect = Allowed(target->OnDragEnter(CWnd::FromHandle(m_over), &m_data, KeyState(), ClientPoint(m_over, screen)));
        } else if (COleDropTarget* target = TargetOf(m_over)) {
            const DWORD keys = KeyState();
            const CPoint point = ClientPoint(m_over, screen);
            const DROPEFFECT scrolled = target->OnDragScroll(CWnd::FromHandle(m_over), keys, point);
            if (scrolled & DROPEFFECT_SCROLL)
                m_effect = Allowed(scrolled);
            else if ((target = TargetOf(m_over)) != nullptr)
                m_effect = Allowed(target->OnDragOver(CWnd::FromHandle(m_over), &m_data, keys, point));
        }
        if (!TargetOf(m_over)) {
            m_over = nullptr;
            m_effect = DROPEFFECT_NONE;
        }
        ShowFeedback(m_effect);
    }
    void Again() { Track(m_last); }

    void Leave()
    {
        if (COleDropTarget* target = TargetOf(m_over))
            target->OnDragLeave(CWnd::FromHandle(m_over));
        m_over = nullptr;
        m_effect = DROPEFFECT_NONE;
    }

    DROPEFFECT Drop(POINT screen)
    {
        Track(screen);
        COleDropTarget* target = TargetOf(m_over);
        if (!target || m_effect == DROPEFFECT_NONE) {
            Leave();
            return DROPEFFECT_NONE;
        }
        const DROPEFFECT effect = m_effect;
        const HWND over = m_over;
        m_over = nullptr;
        return target->OnDrop(CWnd::FromHandle(over), &m_data, effect, ClientPoint(over, screen)) ? effect : DROPEFFECT_NONE;
    }

private:
    // A target's answer as the drag may carry it out: one of the allowed effects, copy first.
    DROPEFFECT Allowed(DROPEFFECT answer) const
    {
        const DROPEFFECT effect = answer & m_allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE);
        return (effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : effect;
    }

    COleDataObject& m_data;
    DWORD m_allowed;
    HWND m_over { nullptr };
    DROPEFFECT m_effect { DROPEFFECT_NONE };
    POINT m_last {};
};

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }
bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

} // namespace

// ---- data ----------------------------------------------------------------------------------------

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format) const
{
    return format == CF_TEXT && m_pSource && m_pSource->HasText();
}

BOOL COleDataObject::GetText(CString& text) const
{
    if (!IsDataAvailable(CF_TEXT))
        return FALSE;
    text = m_pSource->Text();
    return TRUE;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD allowedEffects)
{
    DragTracker tracker;
    if (!tracker.HoldsCapture())
        return DROPEFFECT_NONE;
    COleDataObject data(this);
    DragSession session(data, allowedEffects);
    // Where the message that started the drag happened: input after it is still waiting.
    const DWORD at = GetMessagePos();
    session.Track(POINT { GET_X_LPARAM(at), GET_Y_LPARAM(at) });

    const UINT_PTR rest = SetTimer(nullptr, 0, kRestTickMs, nullptr);
    DROPEFFECT result = DROPEFFECT_NONE;
    bool ended = false;
    MSG msg {};
    BOOL got = TRUE;
    while (!ended && tracker.HoldsCapture() && (got = GetMessage(&msg, nullptr, 0, 0)) > 0) {
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == tracker.Handle()) {
            session.Track(tracker.ScreenPoint(msg.lParam));
        } else if (msg.message == WM_LBUTTONUP && msg.hwnd == tracker.Handle()) {
            result = session.Drop(tracker.ScreenPoint(msg.lParam));
            ended = true;
        } else if (IsMouseMessage(msg.message) && msg.message != WM_MOUSEWHEEL) {
            // Other buttons do nothing while dragging.
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            session.Leave();
            ended = true;
        } else if (IsKeyMessage(msg.message)) {
            session.Again(); // Ctrl or Shift may have changed what the drop would do
        } else if (msg.message == WM_TIMER && !msg.hwnd && msg.wParam == rest) {
            session.Again();
        } else {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    if (!ended)
        session.Leave(); // the capture went elsewhere or the program is quitting: cancelled
    KillTimer(nullptr, rest);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    if (got == 0)
        PostQuitMessage(static_cast<int>(msg.wParam));
    return result;
}

// ---- targets -------------------------------------------------------------------------------------

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* wnd)
{
    HWND hwnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    if (!hwnd || !IsWindow(hwnd) || m_hWnd)
        return FALSE;
    std::lock_guard guard(s_registryLock);
    // A handle whose window is gone is never reused, so its stale registration can go.
    std::erase_if(s_registry, [](const Registration& r) { return !IsWindow(r.hwnd); });
    if (std::any_of(s_registry.begin(), s_registry.end(), [&](const Registration& r) { return r.hwnd == hwnd; }))
        return FALSE;
    s_registry.push_back({ hwnd, this });
    m_hWnd = hwnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    std::lock_guard guard(s_registryLock);
    std::erase_if(s_registry, [this](const Registration& r) { return r.target == this; });
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}
