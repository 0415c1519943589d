// KTTray: the icon's record, showing it again, and the notifications.
#include "ktutil/KTTray.h"

#include "ktutil/KTGF.h"
#include "platform/core/ResourceModule.h"
#include "platform/gdi/Icon.h"

#include <cstring>

namespace {

// Sent by the desktop when its notification area starts again: every icon must be added anew.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessage("TaskbarCreated");
    return message;
}

} // namespace

const platform::MessageMap* KTTray::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static const platform::MessageMapEntry kEntries[] = {
        Message<WM_TRAY_NOTIFY, &KTTray::OnTrayNotify>(),
        RegisteredMessage<&KTTray::OnTaskbarCreated>(TaskbarCreatedMessage()),
    };
    static const platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

KTTray::~KTTray()
{
    if (m_bShown)
        ktutil::RemoveTrayIcon(m_icon);
    if (m_hLoadedIcon)
        DestroyIcon(m_hLoadedIcon);
    if (GetSafeHwnd())
        DestroyWindow();
}

int KTTray::Create(CWnd* parent, UINT id)
{
    if (!CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent, id))
        return 0;
    m_icon.window = m_hWnd;
    m_icon.id = id;
    m_icon.callbackMessage = WM_TRAY_NOTIFY;
    return 1;
}

// ---- icon and tip ---------------------------------------------------------------------------------

void KTTray::ReAdd()
{
    if (m_bShown)
        m_bShown = !ktutil::RemoveTrayIcon(m_icon);
    if (!m_bShown)
        m_bShown = ktutil::AddTrayIcon(m_icon);
}

void KTTray::CopyTip(LPCTSTR tip)
{
    CString text = KTGF::CompleteString(tip ? tip : "", sizeof m_icon.tip - 1);
    std::memcpy(m_icon.tip, static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()) + 1);
}

int KTTray::SetTray(UINT iconId, LPCTSTR tip)
{
    CopyTip(tip);
    return SetTrayIcon(iconId);
}

int KTTray::SetTray(HICON icon, LPCTSTR tip)
{
    m_icon.icon = icon;
    return SetToolTip(tip);
}

// The icon this object loaded replaces the one it loaded before, which is destroyed only now
// that the record no longer names it.
int KTTray::UseLoadedIcon(HICON icon)
{
    if (!icon)
        return 0;
    if (m_hLoadedIcon)
        DestroyIcon(m_hLoadedIcon);
    m_hLoadedIcon = icon;
    return SetTrayIcon(icon);
}

int KTTray::SetTrayIcon(UINT iconId) { return UseLoadedIcon(LoadIcon(AfxGetInstanceHandle(), iconId)); }

int KTTray::SetStandareIcon(UINT systemIconId) { return UseLoadedIcon(LoadIcon(nullptr, systemIconId)); }

int KTTray::SetTrayIcon(HICON icon)
{
    m_icon.icon = icon;
    ReAdd();
    return 1;
}

int KTTray::SetToolTip(LPCTSTR tip)
{
    CopyTip(tip);
    ReAdd();
    return 1;
}

void KTTray::SetDefaultMenu(UINT menuId, int subMenu)
{
    m_nMenuId = menuId;
    m_nSubMenu = subMenu;
}

void KTTray::SetNotify(CWnd* window, UINT message)
{
    m_pNotify = window;
    if (window)
        m_nNotifyMessage = message;
}

// ---- notifications ----------------------------------------------------------------------------------

LRESULT KTTray::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    if (m_pNotify)
        return ktutil::SendToWindow(m_pNotify->GetSafeHwnd(), m_nNotifyMessage, wParam, lParam);

    const UINT event = LOWORD(static_cast<std::uintptr_t>(lParam));
    const bool altHeld = GetKeyState(VK_MENU) < 0;
    const bool asksForMenu = event == WM_RBUTTONUP || (event == WM_LBUTTONUP && altHeld);
    CWnd* parent = GetParent();
    if (!m_bPopup || !asksForMenu || m_nMenuId == 0 || !parent)
        return 0;

    // The owner comes to the front first, so the menu closes when the user clicks elsewhere;
    // the empty message afterwards lets the owner's loop notice that the menu has gone.
    parent->SetForegroundWindow();
    ktutil::ShowTrayMenu(parent->GetSafeHwnd(), m_nMenuId, m_nSubMenu);
    parent->PostMessage(WM_NULL);
    return 0;
}

LRESULT KTTray::OnTaskbarCreated(WPARAM, LPARAM)
{
    ReAdd();
    return 0;
}
