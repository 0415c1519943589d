// Windows: creation and destruction, state, hierarchy and geometry.
#include "platform/core/Clock.h"
#include "platform/msg/MessageQueue.h"
#include "platform/msg/NonClientMetrics.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowInternal.h"
#include "platform/msg/WindowSurfaceHooks.h"
#include "platform/msg/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unistd.h>

using namespace platform::msg;

namespace {

// SetWindowPos flags the layer adds for DefWindowProc's WM_WINDOWPOSCHANGED.
constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;

constexpr const auto& kMetrics = platform::msg::kNonClientMetrics;

thread_local int t_cascade = 0;

} // namespace

namespace platform::msg {

POINT ClientOriginOnScreen(const WindowTableLock& table, const WindowRecord* r)
{
    POINT p { 0, 0 };
    while (r) {
        p.x += r->rect.left + r->client.left;
        p.y += r->rect.top + r->client.top;
        r = r->parent ? table.Find(r->parent) : nullptr;
    }
    return p;
}

// The window rectangle in screen coordinates.
CRect WindowRectOnScreen(const WindowTableLock& table, const WindowRecord* r)
{
    CRect rect = r->rect;
    if (r->parent)
        if (auto* parent = table.Find(r->parent)) {
            auto origin = ClientOriginOnScreen(table, parent);
            rect.OffsetRect(origin.x, origin.y);
        }
    return rect;
}

} // namespace platform::msg

namespace {

// Moves a window in its siblings' z-order.
void ApplyZOrder(WindowTableLock& table, WindowRecord* r, HWND insertAfter);

std::vector<HWND>* SiblingList(WindowTableLock& table, WindowRecord* r)
{
    if (r->messageOnly || r->hwnd == table.Desktop())
        return nullptr;
    if (r->parent) {
        auto* parent = table.Find(r->parent);
        return parent ? &parent->children : nullptr;
    }
    return &table.TopLevels();
}

// Descendants in pre-order (parents before children), z-order within a level.
void CollectDescendants(const WindowTableLock& table, HWND hwnd, std::vector<HWND>& out)
{
    auto* r = table.Find(hwnd);
    if (!r)
        return;
    for (HWND child : r->children) {
        out.push_back(child);
        CollectDescendants(table, child, out);
    }
}

bool IsTopLevelRecord(const WindowRecord& r) { return !r.parent && !r.messageOnly; }

// Frees one record after its WM_NCDESTROY.
void FreeRecord(HWND hwnd)
{
    std::shared_ptr<MessageQueue> queue;
    std::shared_ptr<void> surface;
    std::shared_ptr<CWnd> temporary;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return;
        if (auto* siblings = SiblingList(table, r))
            std::erase(*siblings, hwnd);
        // Children that survived (windows of ended threads) lose their parent with it.
        for (HWND child : r->children)
            if (auto* c = table.Find(child))
                c->parent = nullptr;
        queue = std::move(r->queue);
        surface = std::move(r->surface);
        temporary = std::move(r->temporary);
        table.Remove(hwnd);
    }
    if (queue) {
        queue->RemoveWindow(hwnd);
        queue->KillTimersOf(hwnd);
    }
    DropTemporaryObject(hwnd);
}

void InvalidateParentArea(HWND parent, const CRect& rectInParentClient)
{
    if (parent && !rectInParentClient.IsRectEmpty())
        InvalidateRect(parent, &rectInParentClient, TRUE);
}

} // namespace

// ---- internal helpers -------------------------------------------------------------------------------

namespace platform::msg {

bool IsLiveWindow(HWND hwnd)
{
    WindowTableLock table;
    return table.Find(hwnd) != nullptr;
}

std::shared_ptr<MessageQueue> QueueOfWindow(HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    return r ? r->queue : nullptr;
}

bool MatchesWindowFilter(HWND msgHwnd, HWND filter)
{
    if (!filter)
        return true;
    if (filter == reinterpret_cast<HWND>(-1))
        return msgHwnd == nullptr;
    return msgHwnd == filter || IsChild(filter, msgHwnd);
}

bool IsVisibleChain(HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r)
        return false;
    while (r) {
        if (!(r->style & WS_VISIBLE))
            return false;
        r = r->parent ? table.Find(r->parent) : nullptr;
    }
    return true;
}

LRESULT CallWindowDirect(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC proc = nullptr;
    {
        LockedWindow window(hwnd);
        if (!window)
            return 0;
        proc = window->proc;
    }
    return proc ? proc(hwnd, message, wParam, lParam) : ::DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT RunOnOwnerThread(HWND hwnd, std::function<LRESULT()> call)
{
    auto queue = QueueOfWindow(hwnd);
    if (!queue || queue->IsCurrentThread())
        return call();
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->call = std::move(call);
    return SendAndWait(queue, sent);
}

RECT NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu, bool topLevel)
{
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = kMetrics.sizingFrame;
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        frame = kMetrics.dialogFrame;
    else if (style & WS_BORDER)
        frame = kMetrics.border;
    if (exStyle & WS_EX_CLIENTEDGE)
        frame += kMetrics.clientEdge;
    if (exStyle & WS_EX_STATICEDGE)
        frame += kMetrics.staticEdge;
    RECT insets { frame, frame, frame, frame };
    if ((style & WS_CAPTION) == WS_CAPTION)
        insets.top += (exStyle & WS_EX_TOOLWINDOW) ? kMetrics.toolCaption : kMetrics.caption;
    if (hasMenu && topLevel)
        insets.top += kMetrics.menuBar;
    if (style & WS_VSCROLL)
        insets.right += kMetrics.scrollBar;
    if (style & WS_HSCROLL)
        insets.bottom += kMetrics.scrollBar;
    return insets;
}

void FreeWindowsOfEndedThread(const std::vector<HWND>& windows)
{
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        bool topLevel = false;
        {
            WindowTableLock table;
            auto* r = table.Find(*it);
            if (!r)
                continue;
            topLevel = IsTopLevelRecord(*r);
        }
        ForgetInputWindow(*it, true);
        if (topLevel)
            NotifyTopLevel(*it, TopLevelEvent::Destroyed);
        FreeRecord(*it);
    }
}

} // namespace platform::msg

// ---- creation -------------------------------------------------------------------------------------

namespace {

void ComputeClientRect(HWND hwnd)
{
    CRect windowRect;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return;
        windowRect = r->rect;
    }
    RECT calc = windowRect;
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc));
    WindowTableLock table;
    if (auto* r = table.Find(hwnd)) {
        CRect client(calc);
        client.OffsetRect(-windowRect.left, -windowRect.top);
        if (client.right < client.left)
            client.right = client.left;
        if (client.bottom < client.top)
            client.bottom = client.top;
        r->client = client;
    }
}

WPARAM SizeType(DWORD style)
{
    if (style & WS_MINIMIZE)
        return SIZE_MINIMIZED;
    if (style & WS_MAXIMIZE)
        return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

// WM_GETMINMAXINFO with the screen's defaults filled in.
MINMAXINFO AskMinMaxInfo(HWND hwnd)
{
    SIZE screen = ScreenSize();
    MINMAXINFO info;
    info.ptMaxSize = POINT { screen.cx, screen.cy };
    info.ptMaxPosition = POINT { 0, 0 };
    info.ptMinTrackSize = POINT { 0, 0 };
    info.ptMaxTrackSize = POINT { screen.cx, screen.cy };
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

void SendSizeAndMove(HWND hwnd)
{
    CRect client, rect;
    DWORD style = 0;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return;
        client = r->client;
        rect = r->rect;
        style = r->style;
    }
    SendMessage(hwnd, WM_SIZE, SizeType(style),
                MAKELPARAM(static_cast<WORD>(client.Width()), static_cast<WORD>(client.Height())));
    SendMessage(hwnd, WM_MOVE, 0,
                MAKELPARAM(static_cast<WORD>(rect.left + client.left), static_cast<WORD>(rect.top + client.top)));
}

} // namespace

namespace {

// Makes the record of a new window; null (with the last error set) when the arguments are bad.
HWND AddWindowRecord(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, const std::shared_ptr<MessageQueue>& queue)
{
    auto record = std::make_unique<WindowRecord>();
    WindowTableLock table;
    auto cls = table.Classes().find(ClassKey(className));
    if (cls == table.Classes().end()) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    record->windowClass = cls->second;
    record->proc = cls->second->proc;
    record->extra.assign((std::max(cls->second->cbWndExtra, 0) + sizeof(LONG_PTR) - 1) / sizeof(LONG_PTR), 0);

    if (parent == HWND_MESSAGE) {
        record->messageOnly = true;
        parent = nullptr;
        style &= ~WS_CHILD;
    } else if (parent == table.Desktop()) {
        parent = nullptr;
    } else if (parent && !table.Find(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if ((style & WS_CHILD) && !parent && !record->messageOnly) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    const bool topLevel = !(style & WS_CHILD) && !record->messageOnly;
    if (style & WS_CHILD) {
        record->parent = parent;
        record->id = reinterpret_cast<UINT_PTR>(menuOrId);
    } else {
        // A top-level window's "parent" argument names its owner, which is always a top-level.
        HWND owner = parent;
        while (owner) {
            auto* o = table.Find(owner);
            if (!o || !o->parent)
                break;
            owner = o->parent;
        }
        record->owner = owner;
        record->menu = menuOrId;
        if (!(style & WS_POPUP) && topLevel)
            style |= WS_CAPTION | WS_CLIPSIBLINGS;
    }
    record->style = style & ~WS_VISIBLE;
    record->exStyle = exStyle;
    record->text = windowName ? windowName : "";
    record->queue = queue;
    record->threadId = queue->ThreadId();

    if (topLevel) {
        SIZE screen = ScreenSize();
        if (x == CW_USEDEFAULT) {
            int step = 26 * (t_cascade++ % 8);
            x = step;
            y = step;
        }
        if (width == CW_USEDEFAULT) {
            width = screen.cx * 3 / 4;
            height = screen.cy * 3 / 4;
        }
    } else {
        if (x == CW_USEDEFAULT)
            x = y = 0;
        if (width == CW_USEDEFAULT)
            width = height = 0;
    }
    record->rect = CRect(x, y, x + std::max(width, 0), y + std::max(height, 0));
    record->normalRect = record->rect;
    record->client = CRect(0, 0, record->rect.Width(), record->rect.Height());

    auto& added = table.Add(std::move(record));
    if (added.parent)
        table.Find(added.parent)->children.push_back(added.hwnd); // a new child goes below its siblings
    else if (topLevel)
        ApplyZOrder(table, &added, (added.exStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_TOP);
    return added.hwnd;
}

template <class F>
void WithRecordLocked(HWND hwnd, F&& f)
{
    WindowTableLock table;
    if (auto* r = table.Find(hwnd))
        f(*r);
}

} // namespace

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param)
{
    auto queue = MessageQueue::Current();
    HWND hwnd = AddWindowRecord(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId, queue);
    if (!hwnd)
        return nullptr;
    queue->AddWindow(hwnd);
    AttachCreatingObject(hwnd);

    CREATESTRUCT cs;
    bool topLevel = false;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        cs.lpCreateParams = param;
        cs.hInstance = instance;
        cs.hMenu = menuOrId;
        cs.hwndParent = r->parent ? r->parent : r->owner;
        cs.x = r->rect.left;
        cs.y = r->rect.top;
        cs.cx = r->rect.Width();
        cs.cy = r->rect.Height();
        cs.style = static_cast<LONG>(style);
        cs.lpszName = windowName;
        cs.lpszClass = className;
        cs.dwExStyle = exStyle;
        topLevel = IsTopLevelRecord(*r);
        parent = r->parent;
    }
    if (topLevel) {
        // A new top-level window starts within the track sizes its handler gives.
        MINMAXINFO info = AskMinMaxInfo(hwnd);
        int cx = std::clamp<int>(cs.cx, info.ptMinTrackSize.x, std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x));
        int cy = std::clamp<int>(cs.cy, info.ptMinTrackSize.y, std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y));
        if (cx != cs.cx || cy != cs.cy) {
            cs.cx = cx, cs.cy = cy;
            WithRecordLocked(hwnd, [&](WindowRecord& r) { r.rect = r.normalRect = CRect(r.rect.TopLeft(), CSize(cx, cy)); });
        }
    }
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        SendMessage(hwnd, WM_NCDESTROY, 0, 0);
        FreeRecord(hwnd);
        return nullptr;
    }
    ComputeClientRect(hwnd);
    if (topLevel)
        NotifyTopLevel(hwnd, TopLevelEvent::Created);
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    SendSizeAndMove(hwnd);
    if (parent && !(exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(GetDlgCtrlID(hwnd))),
                    reinterpret_cast<LPARAM>(hwnd));
    if ((style & WS_VISIBLE) && IsWindow(hwnd))
        ShowWindow(hwnd, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

// ---- destruction -------------------------------------------------------------------------------------

BOOL DestroyWindow(HWND hwnd)
{
    auto queue = QueueOfWindow(hwnd);
    if (!queue || hwnd == GetDesktopWindow()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!queue->IsCurrentThread())
        return static_cast<BOOL>(RunOnOwnerThread(hwnd, [hwnd] { return static_cast<LRESULT>(DestroyWindow(hwnd)); }));

    std::vector<HWND> owned;
    std::vector<HWND> tree { hwnd };
    HWND parent = nullptr, owner = nullptr;
    CRect rectInParent;
    bool wasVisible = false, topLevel = false;
    DWORD exStyle = 0;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return FALSE;
        if (r->destroying)
            return TRUE; // already on its way out; the outer destruction finishes it
        CollectDescendants(table, hwnd, tree);
        for (HWND h : tree)
            if (auto* d = table.Find(h))
                d->destroying = true;
        table.ForEach([&](WindowRecord& w) {
            if (w.owner == hwnd && !w.destroying)
                owned.push_back(w.hwnd);
        });
        parent = r->parent;
        owner = r->owner;
        rectInParent = r->rect;
        wasVisible = (r->style & WS_VISIBLE) != 0;
        topLevel = IsTopLevelRecord(*r);
        exStyle = r->exStyle;
        // A destroyed window disappears at once, without messages.
        r->style &= ~WS_VISIBLE;
    }
    for (HWND w : owned)
        DestroyWindow(w);
    if (wasVisible && parent)
        InvalidateParentArea(parent, rectInParent);
    if (topLevel && wasVisible)
        NotifyTopLevel(hwnd, TopLevelEvent::Hidden);

    bool wasActive = GetActiveWindow() == hwnd;
    for (HWND h : tree)
        ForgetInputWindow(h, true);
    if (wasActive && owner && IsWindow(owner) && IsWindowVisible(owner) && IsWindowEnabled(owner))
        SetActiveWindow(owner);
    else if (wasActive)
        SetApplicationActive(false); // no window of the program is active any more

    if (parent && !(exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(GetDlgCtrlID(hwnd))),
                    reinterpret_cast<LPARAM>(hwnd));
    // WM_DESTROY goes to the window before its children, WM_NCDESTROY to the children first.
    for (HWND h : tree)
        if (IsWindow(h))
            SendMessage(h, WM_DESTROY, 0, 0);
    for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
        HWND h = *it;
        if (!IsWindow(h))
            continue;
        if (h == hwnd && topLevel)
            NotifyTopLevel(h, TopLevelEvent::Destroyed);
        SendMessage(h, WM_NCDESTROY, 0, 0);
        FreeRecord(h);
    }
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return IsLiveWindow(hwnd) ? TRUE : FALSE; }

// ---- state ---------------------------------------------------------------------------------------------

namespace {
template <class T, class F>
T WithRecord(HWND hwnd, T fallback, F&& f)
{
    LockedWindow window(hwnd);
    if (!window)
        return fallback;
    return f(*window);
}
} // namespace

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    return WithRecord<LONG_PTR>(hwnd, 0, [&](WindowRecord& r) -> LONG_PTR {
        switch (index) {
        case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(r.proc);
        case GWLP_HINSTANCE: return 0;
        case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(r.parent ? r.parent : r.owner);
        case GWLP_ID: return static_cast<LONG_PTR>(r.id);
        case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(r.style));
        case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(r.exStyle));
        case GWLP_USERDATA: return r.userData;
        default:
            if (index >= 0 && static_cast<std::size_t>(index) / sizeof(LONG_PTR) < r.extra.size())
                return r.extra[index / sizeof(LONG_PTR)];
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
    });
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        STYLESTRUCT ss;
        ss.styleOld = static_cast<DWORD>(GetWindowLongPtr(hwnd, index));
        ss.styleNew = static_cast<DWORD>(value);
        if (!IsWindow(hwnd))
            return 0;
        SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
        WithRecord<int>(hwnd, 0, [&](WindowRecord& r) {
            (index == GWL_STYLE ? r.style : r.exStyle) = ss.styleNew;
            return 0;
        });
        SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
        return static_cast<LONG_PTR>(static_cast<LONG>(ss.styleOld));
    }
    return WithRecord<LONG_PTR>(hwnd, 0, [&](WindowRecord& r) -> LONG_PTR {
        LONG_PTR old = 0;
        switch (index) {
        case GWLP_WNDPROC:
            old = reinterpret_cast<LONG_PTR>(r.proc);
            r.proc = reinterpret_cast<WNDPROC>(value);
            return old;
        case GWLP_HWNDPARENT:
            old = reinterpret_cast<LONG_PTR>(r.owner);
            if (!r.parent)
                r.owner = reinterpret_cast<HWND>(value);
            return old;
        case GWLP_ID:
            old = static_cast<LONG_PTR>(r.id);
            r.id = static_cast<UINT_PTR>(value);
            return old;
        case GWLP_USERDATA:
            old = r.userData;
            r.userData = value;
            return old;
        default:
            if (index >= 0 && static_cast<std::size_t>(index) / sizeof(LONG_PTR) < r.extra.size()) {
                old = r.extra[index / sizeof(LONG_PTR)];
                r.extra[index / sizeof(LONG_PTR)] = value;
                return old;
            }
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
    });
}

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return static_cast<BOOL>(SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

int GetWindowText(HWND hwnd, LPSTR buffer, int bufferSize)
{
    if (!buffer || bufferSize <= 0)
        return 0;
    buffer[0] = '\0';
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(bufferSize), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    bool wasDisabled = false, changed = false;
    WithRecord<int>(hwnd, 0, [&](WindowRecord& r) {
        wasDisabled = (r.style & WS_DISABLED) != 0;
        changed = wasDisabled == static_cast<bool>(enable);
        if (changed)
            r.style = enable ? (r.style & ~WS_DISABLED) : (r.style | WS_DISABLED);
        return 0;
    });
    if (changed) {
        if (!enable)
            ForgetInputWindow(hwnd, false);
        SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    return WithRecord<BOOL>(hwnd, FALSE, [](WindowRecord& r) { return (r.style & WS_DISABLED) ? FALSE : TRUE; });
}

BOOL IsWindowVisible(HWND hwnd) { return IsVisibleChain(hwnd) ? TRUE : FALSE; }

BOOL IsIconic(HWND hwnd)
{
    return WithRecord<BOOL>(hwnd, FALSE, [](WindowRecord& r) { return (r.style & WS_MINIMIZE) ? TRUE : FALSE; });
}

BOOL IsZoomed(HWND hwnd)
{
    return WithRecord<BOOL>(hwnd, FALSE, [](WindowRecord& r) { return (r.style & WS_MAXIMIZE) ? TRUE : FALSE; });
}

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data)
{
    return WithRecord<BOOL>(hwnd, FALSE, [&](WindowRecord& r) {
        r.props[name ? name : ""] = data;
        return TRUE;
    });
}

HANDLE GetProp(HWND hwnd, LPCSTR name)
{
    return WithRecord<HANDLE>(hwnd, nullptr, [&](WindowRecord& r) -> HANDLE {
        auto it = r.props.find(std::string_view(name ? name : ""));
        return it == r.props.end() ? nullptr : it->second;
    });
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name)
{
    return WithRecord<HANDLE>(hwnd, nullptr, [&](WindowRecord& r) -> HANDLE {
        auto it = r.props.find(std::string_view(name ? name : ""));
        if (it == r.props.end())
            return nullptr;
        HANDLE data = it->second;
        r.props.erase(it);
        return data;
    });
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
    if (processId)
        *processId = static_cast<DWORD>(::getpid());
    return WithRecord<DWORD>(hwnd, 0, [](WindowRecord& r) { return r.threadId; });
}

// ---- hierarchy -------------------------------------------------------------------------------------------

HWND GetParent(HWND hwnd)
{
    return WithRecord<HWND>(hwnd, nullptr, [](WindowRecord& r) -> HWND {
        if (r.parent)
            return r.parent;
        return (r.style & WS_POPUP) ? r.owner : nullptr;
    });
}

HWND SetParent(HWND hwnd, HWND newParent)
{
    HWND old = nullptr;
    bool ok = false;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (newParent == table.Desktop())
            newParent = nullptr;
        auto* p = newParent ? table.Find(newParent) : nullptr;
        if (!r || (newParent && !p) || r->messageOnly || hwnd == table.Desktop()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        // A window cannot become its own descendant.
        for (auto* a = p; a; a = a->parent ? table.Find(a->parent) : nullptr)
            if (a->hwnd == hwnd) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return nullptr;
            }
        old = r->parent ? r->parent : table.Desktop();
        if (auto* siblings = SiblingList(table, r))
            std::erase(*siblings, hwnd);
        r->parent = newParent;
        if (p) {
            p->children.insert(p->children.begin(), hwnd);
            r->owner = nullptr;
        } else {
            table.TopLevels().insert(table.TopLevels().begin(), hwnd);
        }
        ok = true;
    }
    if (ok)
        InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r || hwnd == table.Desktop())
        return nullptr;
    switch (flags) {
    case GA_PARENT: return r->parent ? r->parent : table.Desktop();
    case GA_ROOT:
    case GA_ROOTOWNER:
        while (r->parent)
            r = table.Find(r->parent);
        if (flags == GA_ROOTOWNER)
            while (r->owner && table.Find(r->owner) && (r->style & WS_POPUP))
                r = table.Find(r->owner);
        return r->hwnd;
    default: return nullptr;
    }
}

namespace {

// Bounds a walk up a chain of owners, which a careless SetWindowLongPtr could make a loop.
constexpr int kMaxOwnerChain = 64;

// The top of `r`'s chain of owners (r itself when it has none). Top-levels only.
platform::msg::WindowRecord* TopOwner(const platform::msg::WindowTableLock& table, platform::msg::WindowRecord* r)
{
    for (int step = 0; step < kMaxOwnerChain && r->owner; ++step) {
        auto* owner = table.Find(r->owner);
        if (!owner)
            break;
        r = owner;
    }
    return r;
}

} // namespace

void platform::msg::NoteActivePopup(HWND active)
{
    WindowTableLock table;
    auto* r = table.Find(active);
    if (r && !r->parent)
        TopOwner(table, r)->lastActivePopup = active;
}

HWND GetLastActivePopup(HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r || r->parent)
        return hwnd;
    auto* last = table.Find(TopOwner(table, r)->lastActivePopup);
    if (!last || last->destroying || !(last->style & WS_VISIBLE))
        return hwnd;
    // Only a window of hwnd's own owned tree counts.
    auto* w = last;
    for (int step = 0; w && step <= kMaxOwnerChain; ++step) {
        if (w == r)
            return last->hwnd;
        w = w->owner ? table.Find(w->owner) : nullptr;
    }
    return hwnd;
}

HWND GetWindow(HWND hwnd, UINT command)
{
    LockedWindow window(hwnd);
    if (!window)
        return nullptr;
    if (command == GW_CHILD) {
        if (hwnd == window.Desktop())
            return window.TopLevels().empty() ? nullptr : window.TopLevels().front();
        return window->children.empty() ? nullptr : window->children.front();
    }
    if (command == GW_OWNER)
        return window->owner;
    auto* siblings = SiblingList(window, window.Record());
    if (!siblings || siblings->empty())
        return nullptr;
    auto it = std::find(siblings->begin(), siblings->end(), hwnd);
    switch (command) {
    case GW_HWNDFIRST: return siblings->front();
    case GW_HWNDLAST: return siblings->back();
    case GW_HWNDNEXT: return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == siblings->end() || it == siblings->begin()) ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    if (!hwnd)
        hwnd = GetDesktopWindow();
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() { return WindowTableLock().Desktop(); }

BOOL IsChild(HWND parent, HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r || !parent)
        return FALSE;
    while (r && r->parent) {
        if (r->parent == parent)
            return TRUE;
        r = table.Find(r->parent);
    }
    return FALSE;
}

HWND GetDlgItem(HWND parent, int id)
{
    WindowTableLock table;
    auto* r = table.Find(parent);
    if (!r) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (HWND child : r->children)
        if (auto* c = table.Find(child); c && static_cast<int>(c->id) == id)
            return child;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    return WithRecord<int>(hwnd, 0, [](WindowRecord& r) { return r.parent ? static_cast<int>(r.id) : 0; });
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lParam)
{
    std::vector<HWND> all;
    {
        WindowTableLock table;
        if (!parent || parent == table.Desktop()) {
            for (HWND top : table.TopLevels()) {
                all.push_back(top);
                CollectDescendants(table, top, all);
            }
        } else {
            CollectDescendants(table, parent, all);
        }
    }
    for (HWND h : all)
        if (IsWindow(h) && !callback(h, lParam))
            return FALSE;
    return TRUE;
}

namespace {
BOOL EnumTopLevels(WNDENUMPROC callback, LPARAM lParam, DWORD threadId)
{
    std::vector<HWND> tops;
    {
        WindowTableLock table;
        for (HWND h : table.TopLevels())
            if (auto* r = table.Find(h); r && (!threadId || r->threadId == threadId))
                tops.push_back(h);
    }
    for (HWND h : tops)
        if (IsWindow(h) && !callback(h, lParam))
            return FALSE;
    return TRUE;
}
} // namespace

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) { return EnumTopLevels(callback, lParam, 0); }
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM lParam)
{
    return EnumTopLevels(callback, lParam, threadId ? threadId : 0xFFFFFFFFu);
}

HWND FindWindow(LPCSTR className, LPCSTR windowName)
{
    WindowTableLock table;
    auto key = ClassKey(className);
    for (HWND h : table.TopLevels()) {
        auto* r = table.Find(h);
        if (!r)
            continue;
        if (className && r->windowClass && ClassKey(r->windowClass->name.c_str()) != key)
            continue;
        if (windowName && r->text != windowName)
            continue;
        return h;
    }
    return nullptr;
}

// ---- geometry ------------------------------------------------------------------------------------------------

namespace {
BOOL RectOfWindow(HWND hwnd, RECT* rect, bool clientArea)
{
    if (!rect)
        return FALSE;
    LockedWindow window(hwnd);
    if (!window)
        return FALSE;
    if (hwnd == window.Desktop()) {
        SIZE s = ScreenSize();
        *rect = CRect(0, 0, s.cx, s.cy);
    } else {
        *rect = clientArea ? CRect(0, 0, window->client.Width(), window->client.Height()) : WindowRectOnScreen(window, window.Record());
    }
    return TRUE;
}
} // namespace

BOOL GetWindowRect(HWND hwnd, RECT* rect) { return RectOfWindow(hwnd, rect, false); }
BOOL GetClientRect(HWND hwnd, RECT* rect) { return RectOfWindow(hwnd, rect, true); }

namespace {
bool ClientOrigin(HWND hwnd, POINT* origin)
{
    LockedWindow window(hwnd);
    if (!window)
        return false;
    *origin = hwnd == window.Desktop() ? POINT {} : ClientOriginOnScreen(window, window.Record());
    return true;
}
} // namespace

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    POINT origin;
    if (!point || !ClientOrigin(hwnd, &origin))
        return FALSE;
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    POINT origin;
    if (!point || !ClientOrigin(hwnd, &origin))
        return FALSE;
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
    POINT a {}, b {};
    if ((from && !ClientOrigin(from, &a)) || (to && !ClientOrigin(to, &b)))
        return 0;
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < count; ++i)
        points[i].x += dx, points[i].y += dy;
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect)
        return FALSE;
    RECT in = NonClientInsets(style, exStyle, menu != FALSE, !(style & WS_CHILD));
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

namespace {

void ApplyZOrder(WindowTableLock& table, WindowRecord* r, HWND insertAfter)
{
    auto* siblings = SiblingList(table, r);
    if (!siblings)
        return;
    if (insertAfter == HWND_TOPMOST)
        r->exStyle |= WS_EX_TOPMOST;
    else if (insertAfter == HWND_NOTOPMOST)
        r->exStyle &= ~WS_EX_TOPMOST;
    std::erase(*siblings, r->hwnd);
    // Top-level windows keep the topmost ones above all others.
    auto isTopmost = [&](HWND h) {
        auto* w = table.Find(h);
        return w && !w->parent && (w->exStyle & WS_EX_TOPMOST);
    };
    auto firstOfLayer = siblings->begin();
    if (!r->parent && !(r->exStyle & WS_EX_TOPMOST))
        firstOfLayer = std::find_if_not(siblings->begin(), siblings->end(), isTopmost);
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)
        siblings->insert(firstOfLayer, r->hwnd);
    else if (insertAfter == HWND_BOTTOM)
        siblings->push_back(r->hwnd);
    else {
        auto it = std::find(siblings->begin(), siblings->end(), insertAfter);
        siblings->insert(it == siblings->end() ? firstOfLayer : std::max(it + 1, firstOfLayer), r->hwnd);
    }
}

} // namespace

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    auto queue = QueueOfWindow(hwnd);
    if (!queue || hwnd == GetDesktopWindow()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!queue->IsCurrentThread())
        return static_cast<BOOL>(RunOnOwnerThread(
            hwnd, [=] { return static_cast<LRESULT>(SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags)); }));

    WINDOWPOS pos { hwnd, insertAfter, x, y, cx, cy, flags };
    CRect oldRect;
    HWND parent = nullptr;
    bool wasVisible = false, topLevel = false;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        oldRect = r->rect;
        parent = r->parent;
        wasVisible = (r->style & WS_VISIBLE) != 0;
        topLevel = IsTopLevelRecord(*r);
    }
    if (flags & SWP_NOMOVE)
        pos.x = oldRect.left, pos.y = oldRect.top;
    if (flags & SWP_NOSIZE)
        pos.cx = oldRect.Width(), pos.cy = oldRect.Height();
    if (!(flags & SWP_NOSENDCHANGING))
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!IsWindow(hwnd))
        return FALSE;

    CRect newRect(pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0));
    const bool sized = newRect.Size() != oldRect.Size();
    const bool moved = newRect.TopLeft() != oldRect.TopLeft();
    bool nowVisible = wasVisible;
    CRect oldClient;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        oldClient = r->client;
        r->rect = newRect;
        if (!(r->style & (WS_MAXIMIZE | WS_MINIMIZE)))
            r->normalRect = newRect;
        if (!(pos.flags & SWP_NOZORDER))
            ApplyZOrder(table, r, pos.hwndInsertAfter);
        if (pos.flags & SWP_SHOWWINDOW)
            r->style |= WS_VISIBLE;
        if (pos.flags & SWP_HIDEWINDOW)
            r->style &= ~WS_VISIBLE;
        nowVisible = (r->style & WS_VISIBLE) != 0;
    }
    if (sized || (pos.flags & SWP_FRAMECHANGED))
        ComputeClientRect(hwnd);
    CRect newClient;
    DWORD classStyle = 0;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return FALSE;
        newClient = r->client;
        classStyle = r->windowClass ? r->windowClass->style : 0;
    }

    // Repaint: a child that moves or changes exposes its old place in the parent; its own
    // pixels are not copied, so it paints again wherever it moved.
    if (!(pos.flags & SWP_NOREDRAW)) {
        if (parent && wasVisible && (moved || sized || !nowVisible))
            InvalidateParentArea(parent, oldRect);
        if (nowVisible) {
            if (!wasVisible || (parent && moved) || (pos.flags & SWP_FRAMECHANGED) ||
                (sized && (classStyle & (CS_HREDRAW | CS_VREDRAW))))
                RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            else if (sized) {
                // Only the newly exposed part of the client area needs painting.
                CRect grown(0, 0, newClient.Width(), newClient.Height());
                CRect kept(0, 0, oldClient.Width(), oldClient.Height());
                if (grown.Width() > kept.Width() || grown.Height() > kept.Height()) {
                    CRect right(kept.right, 0, grown.right, grown.bottom);
                    CRect bottom(0, kept.bottom, grown.right, grown.bottom);
                    if (!right.IsRectEmpty())
                        InvalidateRect(hwnd, &right, TRUE);
                    if (!bottom.IsRectEmpty())
                        InvalidateRect(hwnd, &bottom, TRUE);
                }
            }
        }
    }

    if (newClient.Size() == oldClient.Size())
        pos.flags |= SWP_NOCLIENTSIZE;
    if (newRect.left + newClient.left == oldRect.left + oldClient.left &&
        newRect.top + newClient.top == oldRect.top + oldClient.top)
        pos.flags |= SWP_NOCLIENTMOVE;
    pos.x = newRect.left, pos.y = newRect.top, pos.cx = newRect.Width(), pos.cy = newRect.Height();
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));

    if (topLevel) {
        if (sized)
            NotifyTopLevel(hwnd, TopLevelEvent::Resized);
        if (nowVisible != wasVisible)
            NotifyTopLevel(hwnd, nowVisible ? TopLevelEvent::Shown : TopLevelEvent::Hidden);
    }
    if (!nowVisible && wasVisible)
        ForgetInputWindow(hwnd, false);
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command)
{
    auto queue = QueueOfWindow(hwnd);
    if (!queue) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!queue->IsCurrentThread())
        return static_cast<BOOL>(RunOnOwnerThread(hwnd, [=] { return static_cast<LRESULT>(ShowWindow(hwnd, command)); }));

    bool wasVisible = false, topLevel = false;
    DWORD style = 0;
    CRect normal;
    HWND parent = nullptr;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        wasVisible = (r->style & WS_VISIBLE) != 0;
        topLevel = IsTopLevelRecord(*r);
        style = r->style;
        normal = r->normalRect;
        parent = r->parent;
    }
    const bool activate = topLevel && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                          command != SW_HIDE && command != SW_MINIMIZE && command != SW_SHOWMINNOACTIVE;
    auto setStateBits = [&](DWORD set, DWORD clear) {
        WithRecord<int>(hwnd, 0, [&](WindowRecord& r) {
            r.style = (r.style & ~clear) | set;
            return 0;
        });
    };

    switch (command) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (GetActiveWindow() == hwnd) {
            HWND owner = GetWindow(hwnd, GW_OWNER);
            SetActiveWindow(owner && IsWindowVisible(owner) ? owner : nullptr);
        }
        return TRUE;
    case SW_MAXIMIZE: {
        CRect area;
        if (parent) {
            GetClientRect(parent, &area);
        } else {
            // A top-level window may choose its maximized place and size.
            MINMAXINFO info = AskMinMaxInfo(hwnd);
            area = CRect(info.ptMaxPosition, CSize(info.ptMaxSize.x, info.ptMaxSize.y));
        }
        setStateBits(WS_MAXIMIZE, WS_MINIMIZE);
        if (!wasVisible)
            SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        SetWindowPos(hwnd, HWND_TOP, area.left, area.top, area.Width(), area.Height(),
                     SWP_SHOWWINDOW | SWP_FRAMECHANGED | (activate ? 0u : SWP_NOACTIVATE));
        {
            // The size type changed even if the size did not.
            CRect client;
            GetClientRect(hwnd, &client);
            SendMessage(hwnd, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(client.Width(), client.Height()));
        }
        break;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        setStateBits(WS_MINIMIZE, WS_MAXIMIZE);
        if (!wasVisible)
            SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        if (GetActiveWindow() == hwnd)
            SetActiveWindow(nullptr);
        return wasVisible ? TRUE : FALSE;
    default: {
        const bool restore = (command == SW_RESTORE || command == SW_SHOWNORMAL) && (style & (WS_MINIMIZE | WS_MAXIMIZE));
        if (!wasVisible)
            SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        if (restore) {
            setStateBits(0, WS_MINIMIZE | WS_MAXIMIZE);
            SetWindowPos(hwnd, nullptr, normal.left, normal.top, normal.Width(), normal.Height(),
                         SWP_SHOWWINDOW | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
            CRect client;
            GetClientRect(hwnd, &client);
            SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
        } else if (!wasVisible) {
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    }
    }
    if (activate && IsWindow(hwnd) && IsWindowEnabled(hwnd) && !(GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE))
        SetActiveWindow(hwnd);
    return wasVisible ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// ---- hit testing -----------------------------------------------------------------------------------------------
//
// The classic search for the window under a point: the children of a window are tried in
// z-order (top first) before the window itself, and hidden and disabled windows are skipped with
// everything inside them. A window of the calling thread is asked WM_NCHITTEST; one that answers
// HTTRANSPARENT (a group box, a plain label, a shaped window outside its region) lets the search
// go on with the next sibling beneath it and then with its parent. Windows of other threads are
// not asked (they count as HTCLIENT), so the search never waits for another thread.

namespace {
// A shaped window (SetWindowRgn) is under a point of its parent's client area only inside its
// region.
bool InsideShape(const WindowRecord* child, POINT parentPoint)
{
    auto shape = platform::msg::GetWindowShapeTest();
    return !shape || shape(child->hwnd, POINT { parentPoint.x - child->rect.left, parentPoint.y - child->rect.top });
}

// The children of `parent` under the screen point, in z-order; none when the point is outside
// the parent's client area.
std::vector<HWND> ChildrenUnder(HWND parent, POINT screen)
{
    std::vector<HWND> under;
    WindowTableLock table;
    auto* r = table.Find(parent);
    if (!r)
        return under;
    POINT origin = ClientOriginOnScreen(table, r);
    POINT local { screen.x - origin.x, screen.y - origin.y };
    if (!CRect(0, 0, r->client.Width(), r->client.Height()).PtInRect(local))
        return under;
    for (HWND child : r->children) {
        auto* c = table.Find(child);
        if (c && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED) && c->rect.PtInRect(local) && InsideShape(c, local))
            under.push_back(child);
    }
    return under;
}

HWND SearchAt(HWND hwnd, POINT screen, LRESULT* hit)
{
    for (HWND child : ChildrenUnder(hwnd, screen))
        if (HWND found = SearchAt(child, screen, hit))
            return found;
    if (!IsWindow(hwnd))
        return nullptr;
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadMessageId()) {
        *hit = HTCLIENT;
        return hwnd;
    }
    LRESULT answer = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    if (answer == HTTRANSPARENT || !IsWindow(hwnd))
        return nullptr;
    *hit = answer;
    return hwnd;
}
} // namespace

HWND platform::msg::WindowAtPoint(POINT screen, LRESULT* hit)
{
    std::vector<HWND> tops;
    {
        WindowTableLock table;
        for (HWND top : table.TopLevels()) {
            auto* r = table.Find(top);
            if (r && (r->style & WS_VISIBLE) && !(r->style & WS_MINIMIZE) && r->rect.PtInRect(screen))
                tops.push_back(top);
        }
    }
    LRESULT ignored = HTNOWHERE;
    for (HWND top : tops)
        if (HWND found = SearchAt(top, screen, hit ? hit : &ignored))
            return found;
    return nullptr;
}

HWND WindowFromPoint(POINT screenPoint)
{
    return platform::msg::WindowAtPoint(screenPoint, nullptr);
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint)
{
    WindowTableLock table;
    auto* r = table.Find(parent);
    if (!r)
        return nullptr;
    for (HWND child : r->children)
        if (auto* c = table.Find(child); c && c->rect.PtInRect(clientPoint))
            return child;
    return CRect(0, 0, r->client.Width(), r->client.Height()).PtInRect(clientPoint) ? parent : nullptr;
}
