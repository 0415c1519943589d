// CWnd and CCmdTarget: message maps, routing, reflection and the window wrappers.
#include "platform/msg/Wnd.h"

#include "platform/core/WinThread.h"
#include "platform/msg/MessageQueue.h"
#include "platform/msg/WindowInternal.h"
#include "platform/msg/WindowSurfaceHooks.h"
#include "platform/msg/WindowTable.h"

#include <vector>

using namespace platform;
using namespace platform::msg;

namespace {

thread_local CWnd* t_creating = nullptr;
thread_local const MSG* t_currentMessage = nullptr;

std::once_flag s_classOnce;
void RegisterFrameworkClass()
{
    std::call_once(s_classOnce, [] {
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.lpszClassName = kFrameworkWindowClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(5 + 1)); // COLOR_WINDOW + 1
        ::RegisterClass(&wc);
    });
}

// Attaches `wnd` to `hwnd` and routes the window's messages through it.
void AttachAndSubclass(CWnd* wnd, HWND hwnd, WNDPROC* super)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r)
        return;
    r->object = wnd;
    wnd->m_hWnd = hwnd;
    if (r->proc != FrameworkWndProc) {
        *super = r->proc;
        r->proc = FrameworkWndProc;
    }
}

} // namespace

// ---- message maps ---------------------------------------------------------------------------------------

const MessageMapEntry* platform::FindCommandEntry(const MessageMap* map, EntryKind kind, UINT code, UINT id)
{
    for (; map; map = map->base ? map->base() : nullptr)
        for (auto& e : map->entries)
            if (e.kind == kind && e.code == code && id >= e.idFirst && id <= e.idLast)
                return &e;
    return nullptr;
}

const MessageMapEntry* platform::FindMessageEntry(const MessageMap* map, UINT message)
{
    for (; map; map = map->base ? map->base() : nullptr)
        for (auto& e : map->entries) {
            if (e.kind != EntryKind::Message)
                continue;
            if (e.idLast ? (message >= e.idFirst && message <= e.idLast) : e.message == message)
                return &e;
        }
    return nullptr;
}

// ---- CCmdTarget ----------------------------------------------------------------------------------------------

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static constexpr MessageMap kMap { nullptr, {} };
    return &kMap;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    EntryKind kind = EntryKind::Command;
    UINT code = static_cast<UINT>(nCode);
    UINT family = HIWORD(static_cast<std::uintptr_t>(static_cast<UINT>(nCode)));
    if (nCode == CN_UPDATE_COMMAND_UI)
        kind = EntryKind::UpdateCommandUI;
    else if (family == WM_NOTIFY)
        kind = EntryKind::Notify, code = LOWORD(static_cast<UINT>(nCode));
    else if (family == WM_REFLECT_BASE + WM_NOTIFY)
        kind = EntryKind::ReflectedNotify, code = LOWORD(static_cast<UINT>(nCode));
    else if (family == WM_REFLECT_BASE + WM_COMMAND)
        kind = EntryKind::ReflectedCommand, code = LOWORD(static_cast<UINT>(nCode));
    else if (nCode < 0 || family != 0)
        return FALSE;

    // A notification code is a 16-bit value in WM_NOTIFY; compare the same way.
    const MessageMapEntry* entry = nullptr;
    for (auto* map = GetMessageMap(); map && !entry; map = map->base ? map->base() : nullptr)
        for (auto& e : map->entries) {
            UINT entryCode = (kind == EntryKind::Notify || kind == EntryKind::ReflectedNotify ||
                              kind == EntryKind::ReflectedCommand)
                                 ? LOWORD(e.code)
                                 : e.code;
            if (e.kind == kind && entryCode == code && nID >= e.idFirst && nID <= e.idLast) {
                entry = &e;
                break;
            }
        }
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        return TRUE;
    }
    MessageCall call;
    call.id = nID;
    call.extra = pExtra;
    return entry->thunk(this, call) ? TRUE : FALSE;
}

// ---- CCmdUI ---------------------------------------------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) { m_nCheck = nCheck; }
// A radio item is an item checked or not: every kind of item shows it through its SetCheck.
void CCmdUI::SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }
void CCmdUI::SetText(LPCTSTR) {}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!pTarget)
        return FALSE;
    m_bEnableChanged = FALSE;
    m_bContinueRouting = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

// ---- the framework's window procedure ---------------------------------------------------------------------

LRESULT CallFrameworkWindow(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG current { hwnd, message, wParam, lParam, 0, {} };
    const MSG* saved = t_currentMessage;
    t_currentMessage = &current;
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    // `wnd` may be gone now (PostNcDestroy may have deleted it): only locals from here on.
    t_currentMessage = saved;
    if (message == WM_NCDESTROY) {
        // A handler that took WM_NCDESTROY without calling the base still gets the object
        // detached and PostNcDestroy called, so that the object never outlives its handle
        // attached to it.
        bool stillAttached = false;
        {
            WindowTableLock table;
            auto* r = table.Find(hwnd);
            stillAttached = r && r->object == wnd;
        }
        if (stillAttached)
            wnd->OnNcDestroy();
    }
    return result;
}

namespace platform::msg {

LRESULT FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = nullptr;
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        wnd = r ? r->object : nullptr;
    }
    if (!wnd)
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    return CallFrameworkWindow(wnd, hwnd, message, wParam, lParam);
}

LRESULT CallFrameworkObject(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallFrameworkWindow(wnd, hwnd, message, wParam, lParam);
}

void AttachCreatingObject(HWND hwnd)
{
    CWnd* wnd = t_creating;
    if (!wnd || !hwnd)
        return;
    t_creating = nullptr;
    AttachAndSubclass(wnd, hwnd, &wnd->m_pfnSuper);
    // As for a subclassed window, the object sees its window before the first message.
    wnd->PreSubclassWindow();
}

void DropTemporaryObject(HWND) {}

} // namespace platform::msg

// ---- CWnd: handles and objects ----------------------------------------------------------------------------

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        DestroyWindow();
        // Deleted while an ancestor is being destroyed (a parent's WM_DESTROY deletes its
        // children's objects): the window goes later with that ancestor and must not call into
        // this object then. It goes back to its class's own procedure, which must still see its
        // end: a control frees its per-window state in WM_NCDESTROY.
        if (m_hWnd)
            UnsubclassWindow();
    }
}

HWND CWnd::GetSafeHwnd() const
{
    const CWnd* self = this;
    asm("" : "+r"(self)); // the classic framework lets callers ask a null object
    return self ? self->m_hWnd : nullptr;
}

const MessageMap* CWnd::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr MessageMapEntry kEntries[] = {
        Message<WM_NCDESTROY, &CWnd::OnNcDestroy>(),
    };
    static constexpr MessageMap kMap { &CCmdTarget::GetThisMessageMap, kEntries };
    return &kMap;
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    return r ? r->object : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r)
        return nullptr;
    if (r->object)
        return r->object;
    if (!r->temporary) {
        // A wrapper that lives with the window; it never destroys the window it wraps.
        auto* wrapper = new CWnd;
        wrapper->m_hWnd = hwnd;
        r->temporary = std::shared_ptr<CWnd>(wrapper, [](CWnd* w) {
            w->m_hWnd = nullptr;
            delete w;
        });
    }
    return r->temporary.get();
}

BOOL CWnd::Attach(HWND hwnd)
{
    WindowTableLock table;
    auto* r = table.Find(hwnd);
    if (!r || r->object)
        return FALSE;
    r->object = this;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    {
        WindowTableLock table;
        if (auto* r = table.Find(hwnd); r && r->object == this)
            r->object = nullptr;
    }
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    {
        WindowTableLock table;
        auto* r = table.Find(hwnd);
        if (!r)
            return FALSE;
        if (r->proc != FrameworkWndProc) {
            m_pfnSuper = r->proc;
            r->proc = FrameworkWndProc;
        }
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND child = pParent ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
    return child ? SubclassWindow(child) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    {
        WindowTableLock table;
        if (auto* r = table.Find(m_hWnd); r && r->proc == FrameworkWndProc && m_pfnSuper)
            r->proc = m_pfnSuper;
    }
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- CWnd: creation --------------------------------------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        RegisterFrameworkClass();
        cs.lpszClass = kFrameworkWindowClass;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    t_creating = this;
    HWND hwnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (t_creating == this) {
        // The window was never made (bad class or parent): nothing was attached.
        t_creating = nullptr;
        PostNcDestroy();
        return FALSE;
    }
    // On failure the object went through OnNcDestroy already; it must not be touched.
    return hwnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::OnNcDestroy()
{
    HWND hwnd = m_hWnd;
    // The class's own procedure sees the end too.
    if (m_pfnSuper)
        ::CallWindowProc(m_pfnSuper, hwnd, WM_NCDESTROY, 0, 0);
    {
        WindowTableLock table;
        if (auto* r = table.Find(hwnd); r && r->object == this) {
            r->object = nullptr;
            if (r->proc == FrameworkWndProc && m_pfnSuper)
                r->proc = m_pfnSuper;
        }
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    // The end of a thread's main window ends the thread's message loop.
    if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    PostNcDestroy(); // may delete this: the last thing done with the object
}

// ---- CWnd: message handling ----------------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG* m = t_currentMessage;
    if (!m)
        return 0;
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

const MSG* CWnd::GetCurrentMessage() { return t_currentMessage; }

namespace {

// The child window a parent notification is about, for reflection.
HWND NotifyingChild(HWND self, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return mis && mis->CtlType != ODT_MENU ? ::GetDlgItem(self, static_cast<int>(mis->CtlID)) : nullptr;
    }
    case WM_DELETEITEM: {
        auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
        return d && d->CtlType != ODT_MENU ? d->hwndItem : nullptr;
    }
    case WM_COMPAREITEM: {
        auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        return c ? c->hwndItem : nullptr;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: return reinterpret_cast<HWND>(lParam);
    case WM_PARENTNOTIFY:
        return (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) ? reinterpret_cast<HWND>(lParam) : nullptr;
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return reinterpret_cast<HWND>(lParam);
        return nullptr;
    }
}

} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT scratch = 0;
    if (!pResult)
        pResult = &scratch;
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result)) {
            *pResult = result;
            return TRUE;
        }
        return FALSE;
    }
    // Notifications about a child go to the child's own object first.
    if (HWND child = NotifyingChild(m_hWnd, message, wParam, lParam); child && child != m_hWnd)
        if (ReflectLastMsg(child, pResult))
            return TRUE;

    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message);
    if (!entry)
        return FALSE;
    MessageCall call;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    bool handled = entry->thunk(this, call);
    // No member may be read here: the handler may have destroyed and deleted this object.
    if (handled)
        *pResult = call.result;
    return handled ? TRUE : FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (control) {
        if (ReflectLastMsg(control))
            return TRUE; // the control handled its own notification
        if (id == 0)
            return FALSE;
    } else {
        // A menu command or an accelerator: only when its command UI leaves it enabled.
        code = CN_COMMAND;
        struct TestCmdUI : CCmdUI
        {
        } state;
        state.m_nID = id;
        if (OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) && !state.m_bEnabled)
            return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    if (header->hwndFrom && ReflectLastMsg(header->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify { pResult, header };
    return OnCmdMsg(static_cast<UINT>(header->idFrom), static_cast<int>(MAKELONG(static_cast<WORD>(header->code), WM_NOTIFY)),
                    &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND: {
        int code = static_cast<int>(MAKELONG(HIWORD(wParam), static_cast<WORD>(WM_REFLECT_BASE + WM_COMMAND)));
        if (CCmdTarget::OnCmdMsg(0, code, nullptr, nullptr)) {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT scratch = 0;
        AFX_NOTIFY notify { pResult ? pResult : &scratch, header };
        int code = static_cast<int>(MAKELONG(static_cast<WORD>(header->code), static_cast<WORD>(WM_REFLECT_BASE + WM_NOTIFY)));
        return CCmdTarget::OnCmdMsg(0, code, &notify, nullptr);
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY: return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            AFX_CTLCOLOR ctl { m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX };
            return CWnd::OnWndMsg(WM_CTLCOLOR_REFLECT, 0, reinterpret_cast<LPARAM>(&ctl), pResult);
        }
        return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    return child ? child->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* m = t_currentMessage;
    if (!m)
        return FALSE;
    return OnChildNotify(m->message, m->wParam, m->lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    return platform::msg::WalkPreTranslateTree(hWndStop, pMsg) ? TRUE : FALSE;
}

bool platform::msg::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND h = msg ? msg->hwnd : nullptr; h && h != stop; h = ::GetParent(h)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(h))
            if (wnd->PreTranslateMessage(msg))
                return true;
    }
    return false;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) const
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessage(child, message, wParam, lParam);
        if (bDeep)
            if (CWnd* c = FromHandle(child))
                c->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

// ---- CWnd: state and hierarchy ---------------------------------------------------------------------------------

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }

namespace {
BOOL ModifyStyleOf(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongPtr(hwnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtr(hwnd, index, static_cast<LONG>(changed));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyleOf(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyleOf(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags); }
void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount); }

void CWnd::GetWindowText(CString& rString) const
{
    int length = ::GetWindowTextLength(m_hWnd);
    int copied = ::GetWindowText(m_hWnd, rString.GetBuffer(length), length + 1);
    rString.ReleaseBuffer(copied);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWLP_ID, nID)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return FromHandle(owner ? owner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* pOwnerWnd) { ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }

CWnd* CWnd::GetSafeOwner(CWnd* pParent)
{
    // A pop-up cannot be owned by a child window.
    if (HWND parent = pParent ? pParent->GetSafeHwnd() : nullptr)
        return FromHandle(::GetAncestor(parent, GA_ROOT));
    HWND start = ::GetActiveWindow();
    if (!start)
        if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd)
            start = thread->m_pMainWnd->GetSafeHwnd();
    if (!start)
        return nullptr;
    return FromHandle(::GetLastActivePopup(::GetAncestor(start, GA_ROOTOWNER)));
}

HWND CWnd::GetSafeOwnerHwnd(CWnd* pParent)
{
    CWnd* owner = GetSafeOwner(pParent);
    return owner ? owner->m_hWnd : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetNextWindow(UINT nFlag) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd ? ::IsChild(m_hWnd, pWnd->m_hWnd) : FALSE; }
CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }

// ---- CWnd: geometry -----------------------------------------------------------------------------------------------

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, reinterpret_cast<POINT*>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    HWND after = pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr;
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CRect area;
    HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        center = ::GetAncestor(m_hWnd, GA_PARENT);
    if (center && ::IsWindowVisible(center) && !::IsIconic(center))
        ::GetWindowRect(center, &area);
    else
        ::GetWindowRect(::GetDesktopWindow(), &area);
    CRect rect;
    GetWindowRect(&rect);
    POINT topLeft { area.left + (area.Width() - rect.Width()) / 2, area.top + (area.Height() - rect.Height()) / 2 };
    if (GetStyle() & WS_CHILD)
        ::ScreenToClient(::GetAncestor(m_hWnd, GA_PARENT), &topLeft);
    ::SetWindowPos(m_hWnd, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- CWnd: focus, activation, capture -------------------------------------------------------------------------------

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

// ---- CWnd: painting --------------------------------------------------------------------------------------------------

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) { return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags); }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return DcObjectFromHandle(::BeginPaint(m_hWnd, lpPaint)); }
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
CDC* CWnd::GetDC() { return DcObjectFromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return DcObjectFromHandle(::GetWindowDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* pDC)
{
    // The drawing module's CDC knows its handle; it releases through the hook it registered.
    return pDC ? ::ReleaseDC(m_hWnd, DcHandleOfObject(pDC)) : 0;
}

// ---- CWnd: timers, modal loops, message boxes ----------------------------------------------------------------------------

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

int CWnd::RunModalLoop(DWORD dwFlags)
{
    return static_cast<int>(platform::msg::RunModalLoop(m_hWnd, !(dwFlags & MLF_NOIDLEMSG)));
}

BOOL CWnd::ContinueModal() { return IsModalLoopRunning(m_hWnd) ? TRUE : FALSE; }
void CWnd::EndModalLoop(int nResult) { ::EndDialog(m_hWnd, nResult); }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

// ---- crackers ---------------------------------------------------------------------------------------------------------------

CDC* platform::msgmap::crack::Dc(WPARAM w) { return DcObjectFromHandle(reinterpret_cast<HDC>(w)); }
