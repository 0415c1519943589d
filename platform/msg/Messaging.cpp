// Sending, posting, retrieving and dispatching messages; timers; the default window procedure;
// modal loops.
#include "platform/core/Clock.h"
#include "platform/msg/MessageQueue.h"
#include "platform/msg/NonClientScrollBars.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowInternal.h"
#include "platform/msg/WindowSurfaceHooks.h"
#include "platform/msg/WindowTable.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

using namespace platform::msg;

namespace {

thread_local MSG t_lastMessage;
thread_local ThreadPreTranslate t_threadPreTranslate;
// The modal loops running on this thread, innermost last: how each is cancelled.
thread_local std::vector<const std::function<void()>*> t_modalLoops;

} // namespace

LRESULT platform::msg::SendAndWait(const std::shared_ptr<MessageQueue>& queue, const std::shared_ptr<SentMessage>& sent)
{
    auto self = MessageQueue::Current();
    sent->sender = self;
    if (!queue->EnqueueSent(sent))
        return 0;
    while (!sent->done.load(std::memory_order_acquire)) {
        self->ProcessIncomingSent();
        if (sent->done.load(std::memory_order_acquire))
            break;
        self->WaitForWake(-1);
    }
    return sent->result;
}

namespace platform::msg {

void NoteMessageRetrieved(const MSG& msg) { t_lastMessage = msg; }

void SetThreadPreTranslate(ThreadPreTranslate hook) { t_threadPreTranslate = std::move(hook); }

bool PumpMessage()
{
    MSG msg;
    if (!GetMessage(&msg, nullptr, 0, 0)) {
        // Leave the quit request for the outermost loop.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    bool consumed = t_threadPreTranslate ? t_threadPreTranslate(&msg) : WalkPreTranslateTree(nullptr, &msg);
    if (!consumed) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

// ---- modal loops ----------------------------------------------------------------------------------

bool IsModalLoopRunning(HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    return r && r->modalRunning;
}

ModalLoopScope::ModalLoopScope(std::function<void()> cancel)
    : m_cancel(std::move(cancel))
{
    t_modalLoops.push_back(&m_cancel);
}

ModalLoopScope::~ModalLoopScope()
{
    auto found = std::find(t_modalLoops.begin(), t_modalLoops.end(), &m_cancel);
    if (found != t_modalLoops.end())
        t_modalLoops.erase(found);
}

int ModalLoopDepth() { return static_cast<int>(t_modalLoops.size()); }

void CancelModalLoops()
{
    // Copies, innermost first: a cancel must not see the list change under it.
    std::vector<std::function<void()>> cancels;
    for (auto it = t_modalLoops.rbegin(); it != t_modalLoops.rend(); ++it)
        cancels.push_back(**it);
    for (const auto& cancel : cancels)
        if (cancel)
            cancel();
}

INT_PTR RunModalLoop(HWND hwnd, bool enterIdle)
{
    auto queue = MessageQueue::Current();
    const ModalLoopScope scope([hwnd] { EndDialog(hwnd, IDCANCEL); });
    bool wasRunning = false;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return -1;
        wasRunning = r->modalRunning;
        r->modalRunning = true;
    }
    INT_PTR result = -1;
    bool idleSent = false;
    for (;;) {
        {
            WindowTableLock table;
            auto* r = table.Find(hwnd);
            if (!r)
                break; // destroyed while modal: -1 unless it was ended first (handled below)
            if (r->modalEnd) {
                result = r->modalResult;
                r->modalEnd = false;
                r->modalRunning = wasRunning;
                return result;
            }
        }
        MSG peek;
        if (!PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (enterIdle && !idleSent) {
                idleSent = true;
                if (HWND owner = GetWindow(hwnd, GW_OWNER))
                    SendMessage(owner, WM_ENTERIDLE, 0 /* MSGF_DIALOGBOX */, reinterpret_cast<LPARAM>(hwnd));
                continue;
            }
            queue->WaitForWork();
            continue;
        }
        idleSent = false;
        if (!PumpMessage())
            break;
    }
    WindowTableLock table;
    if (auto* r = table.Find(hwnd)) {
        if (r->modalEnd)
            result = r->modalResult;
        r->modalEnd = false;
        r->modalRunning = wasRunning;
    }
    return result;
}

INT_PTR RunModal(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return -1;
    HWND owner = GetWindow(hwnd, GW_OWNER);
    bool disabledOwner = false;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner = true;
    }
    ShowWindow(hwnd, SW_SHOW);
    INT_PTR result = RunModalLoop(hwnd, true);
    // Enable the owner before the modal window goes, so that activation returns to it.
    if (disabledOwner && IsWindow(owner))
        EnableWindow(owner, TRUE);
    if (IsWindow(hwnd)) {
        if (owner && IsWindow(owner) && GetActiveWindow() == hwnd)
            SetActiveWindow(owner);
        ShowWindow(hwnd, SW_HIDE);
    }
    return result;
}

} // namespace platform::msg

BOOL EndDialog(HWND hwnd, INT_PTR result)
{
    std::shared_ptr<MessageQueue> queue;
    {
        LockedWindow window(hwnd);
        if (!window)
            return FALSE;
        window->modalEnd = true;
        window->modalResult = result;
        queue = window->queue;
    }
    if (queue)
        queue->Wake();
    return TRUE;
}

// ---- sending and posting ----------------------------------------------------------------------------

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // One look at the table finds the owner's queue and, for a window of this thread (the
    // common case: a dialog talking to its controls), the procedure to call at once.
    // The window's object, when the framework's procedure would look it up the same way.
    std::shared_ptr<MessageQueue> queue;
    WNDPROC proc = nullptr;
    CWnd* object = nullptr;
    bool here = false;
    {
        WindowTableLock table;
        if (auto* r = table.Find(hwnd)) {
            here = r->queue && r->queue->IsCurrentThread();
            if (here) {
                proc = r->proc;
                object = proc == FrameworkWndProc ? r->object : nullptr;
            } else {
                queue = r->queue;
            }
        }
    }
    if (object)
        return CallFrameworkObject(object, hwnd, message, wParam, lParam);
    if (here)
        return proc ? proc(hwnd, message, wParam, lParam) : ::DefWindowProc(hwnd, message, wParam, lParam);
    if (!queue) {
        if (hwnd == GetDesktopWindow())
            return 0;
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    return SendAndWait(queue, sent);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg { hwnd, message, wParam, lParam, static_cast<DWORD>(platform::MonotonicMs()), CurrentCursorPos() };
    std::shared_ptr<MessageQueue> queue = hwnd ? QueueOfWindow(hwnd) : MessageQueue::Current();
    if (!queue || !queue->Post(msg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto queue = MessageQueue::ForThread(threadId);
    MSG msg { nullptr, message, wParam, lParam, static_cast<DWORD>(platform::MonotonicMs()), CurrentCursorPos() };
    if (!queue || !queue->Post(msg)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

void PostQuitMessage(int exitCode) { MessageQueue::Current()->PostQuit(exitCode); }

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (!msg)
        return -1;
    if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    MessageQueue::Current()->Retrieve(msg, hwnd, filterMin, filterMax, PM_REMOVE, true);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    MSG scratch;
    return MessageQueue::Current()->Retrieve(msg ? msg : &scratch, hwnd, filterMin, filterMax, removeFlags, false)
               ? TRUE
               : FALSE;
}

BOOL WaitMessage()
{
    auto queue = MessageQueue::Current();
    if (!queue->HasPendingWork())
        queue->WaitForWork();
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(platform::MonotonicMs()));
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    if (msg->message == WM_PAINT) {
        // A paint handler that neither paints nor validates would be asked again at once;
        // what it left untouched is validated here.
        auto serial = PaintSerial(msg->hwnd);
        LRESULT result = CallWindowDirect(msg->hwnd, WM_PAINT, msg->wParam, msg->lParam);
        ValidateIfUnchanged(msg->hwnd, serial);
        return result;
    }
    return CallWindowDirect(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessagePos()
{
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(t_lastMessage.pt.x), static_cast<WORD>(t_lastMessage.pt.y)));
}

LONG GetMessageTime() { return static_cast<LONG>(t_lastMessage.time); }

BOOL InSendMessage() { return InSendMessageNow() ? TRUE : FALSE; }

DWORD GetCurrentThreadMessageId() { return CurrentThreadId(); }

UINT RegisterWindowMessage(LPCSTR name)
{
    static std::mutex lock;
    static std::map<std::string, UINT> numbers;
    static UINT next = 0xC000;
    if (!name || !*name)
        return 0;
    std::lock_guard guard(lock);
    auto [it, added] = numbers.emplace(ClassKey(name), next);
    if (added)
        ++next;
    return it->second;
}

// ---- timers ------------------------------------------------------------------------------------------

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    auto queue = hwnd ? QueueOfWindow(hwnd) : MessageQueue::Current();
    if (!queue) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return queue->SetTimer(hwnd, id, elapseMs, proc);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto queue = hwnd ? QueueOfWindow(hwnd) : MessageQueue::Current();
    return queue && queue->KillTimer(hwnd, id) ? TRUE : FALSE;
}

// ---- the default window procedure ----------------------------------------------------------------------

namespace {

LRESULT DefaultHitTest(HWND hwnd, POINT screen)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r)
        return HTNOWHERE;
    CRect window = WindowRectOnScreen(table, r);
    if (!window.PtInRect(screen))
        return HTNOWHERE;
    // Outside its region a shaped window lets the point through to what lies beneath.
    if (auto shape = platform::msg::GetWindowShapeTest();
        shape && !shape(hwnd, POINT { screen.x - window.left, screen.y - window.top }))
        return HTTRANSPARENT;
    POINT origin = ClientOriginOnScreen(table, r);
    CRect client(origin, r->client.Size());
    if (client.PtInRect(screen))
        return HTCLIENT;
    RECT in = NonClientInsets(r->style, r->exStyle, r->menu != nullptr, !r->parent);
    if ((r->style & WS_VSCROLL) && screen.x >= client.right && screen.y >= client.top && screen.y < client.bottom)
        return HTVSCROLL;
    if ((r->style & WS_HSCROLL) && screen.y >= client.bottom && screen.x >= client.left && screen.x < client.right)
        return HTHSCROLL;
    int frame = in.left;
    bool sizing = (r->style & WS_THICKFRAME) != 0;
    bool left = screen.x < window.left + frame, right = screen.x >= window.right - frame;
    bool top = screen.y < window.top + frame, bottom = screen.y >= window.bottom - frame;
    if (sizing && (left || right || top || bottom)) {
        if (top)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        return left ? HTLEFT : HTRIGHT;
    }
    if (left || right || top || bottom)
        return HTBORDER;
    if ((r->style & WS_CAPTION) == WS_CAPTION && screen.y < client.top)
        return HTCAPTION;
    return HTNOWHERE;
}

// A press on the caption area: the top-level window follows the pointer until the left button
// comes up or the capture goes elsewhere. Other messages are dispatched meanwhile.
void TrackCaptionMove(HWND hwnd)
{
    if (!(GetKeyState(VK_LBUTTON) & 0x8000))
        return;
    HWND top = GetAncestor(hwnd, GA_ROOT);
    CRect start;
    // The positions come from the messages, not from where the pointer is now: the rest of the
    // drag may already be waiting in the queue.
    DWORD pressedAt = GetMessagePos();
    POINT origin { GET_X_LPARAM(pressedAt), GET_Y_LPARAM(pressedAt) };
    if (!GetWindowRect(top, &start))
        return;
    SetCapture(hwnd);
    MSG msg {};
    while (GetCapture() == hwnd && GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            POINT now = msg.pt;
            if (IsWindow(top))
                SetWindowPos(top, nullptr, start.left + now.x - origin.x, start.top + now.y - origin.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (msg.message == WM_LBUTTONUP)
                break;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (msg.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(msg.wParam));
}

// Copies up to size-1 bytes without cutting a UTF-8 character in two.
int CopyText(const std::string& text, char* buffer, std::size_t size)
{
    if (!buffer || size == 0)
        return 0;
    std::size_t n = std::min(text.size(), size - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_NCCALCSIZE: {
        RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        RECT in {};
        {
            WindowTableLock table;
            auto* r = table.Find(hwnd);
            if (!r || !rect)
                return 0;
            in = NonClientInsets(r->style, r->exStyle, r->menu != nullptr, !r->parent && !r->messageOnly);
        }
        rect->left += in.left;
        rect->top += in.top;
        rect->right -= in.right;
        rect->bottom -= in.bottom;
        return 0;
    }
    case WM_NCHITTEST: return DefaultHitTest(hwnd, POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
    case WM_SETTEXT: {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return FALSE;
        r->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return TRUE;
    }
    case WM_GETTEXT: {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        return r ? CopyText(r->text, reinterpret_cast<char*>(lParam), wParam) : 0;
    }
    case WM_GETTEXTLENGTH: {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        return r ? static_cast<LRESULT>(r->text.size()) : 0;
    }
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!pos)
            return 0;
        CRect client;
        GetClientRect(hwnd, &client);
        DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
        if (!(pos->flags & 0x1000 /* no client move */)) {
            POINT origin {};
            ClientToScreen(hwnd, &origin);
            if (HWND parent = (style & WS_CHILD) ? GetAncestor(hwnd, GA_PARENT) : nullptr)
                ScreenToClient(parent, &origin);
            SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
        }
        if (!(pos->flags & 0x0800 /* no client size */)) {
            WPARAM type = (style & WS_MINIMIZE) ? SIZE_MINIMIZED : (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
            SendMessage(hwnd, WM_SIZE, type, MAKELPARAM(static_cast<WORD>(client.Width()), static_cast<WORD>(client.Height())));
        }
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH background = reinterpret_cast<HBRUSH>(GetClassLongPtr(hwnd, GCLP_HBRBACKGROUND));
        return EraseWithClassBackground(hwnd, reinterpret_cast<HDC>(wParam), background) ? TRUE : FALSE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETCURSOR: {
        HWND parent = (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) ? GetAncestor(hwnd, GA_PARENT) : nullptr;
        if (parent && SendMessage(parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
            if (auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtr(hwnd, GCLP_HCURSOR))) {
                SetCursor(cursor);
                return TRUE;
            }
        }
        return FALSE;
    }
    case WM_MOUSEACTIVATE: {
        HWND parent = (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) ? GetAncestor(hwnd, GA_PARENT) : nullptr;
        if (parent)
            if (LRESULT r = SendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam))
                return r;
        return 1; // MA_ACTIVATE
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU: {
        // Unhandled, they travel up to the parent.
        HWND parent = (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) ? GetAncestor(hwnd, GA_PARENT) : nullptr;
        return parent ? SendMessage(parent, message, message == WM_CONTEXTMENU ? reinterpret_cast<WPARAM>(hwnd) : wParam,
                                    lParam)
                      : 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd))
            SetFocus(hwnd);
        return 0;
    case WM_NCACTIVATE: return TRUE;
    case WM_NCPAINT: PaintNonClientScrollBars(hwnd); return 0;
    case WM_NCLBUTTONDOWN:
        if (static_cast<LRESULT>(wParam) == HTCAPTION) {
            TrackCaptionMove(hwnd);
            return 0;
        }
        [[fallthrough]];
    case WM_NCLBUTTONDBLCLK:
        TrackNonClientScrollBar(hwnd, static_cast<LRESULT>(wParam), POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_SETREDRAW: {
        // Classic meaning: the visible bit changes without showing, hiding or repainting.
        WindowTableLock table;
        if (auto* r = table.Find(hwnd))
            r->style = wParam ? (r->style | WS_VISIBLE) : (r->style & ~WS_VISIBLE);
        return 0;
    }
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessage(hwnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
        default: break;
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == static_cast<WPARAM>(VK_F4) && (lParam & (1 << 29)))
            PostMessage(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    default: return 0;
    }
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, message, wParam, lParam) : DefWindowProc(hwnd, message, wParam, lParam);
}

// ---- window shapes ----------------------------------------------------------------------------

namespace {
std::atomic<platform::msg::WindowShapeTest> s_shapeTest { nullptr };
} // namespace

void platform::msg::SetWindowShapeTest(WindowShapeTest test)
{
    s_shapeTest.store(test);
}

platform::msg::WindowShapeTest platform::msg::GetWindowShapeTest()
{
    return s_shapeTest.load();
}
