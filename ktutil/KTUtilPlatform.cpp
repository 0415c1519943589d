// Window-layer and desktop services of the library: the framework's message box (which tests
// script through the window layer's message-box hook), one step of the calling thread's message
// pump, a synchronous message, the desktop trash and the notification area.
#include "ktutil/KTUtilPlatform.h"

#include "platform/msg/MessageBoxService.h"
#include "platform/msg/WindowApi.h"
#include "platform/sys/RecycleBin.h"

#include <mutex>

namespace ktutil {

int AskYesNoCancel(LPCTSTR text) { return AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONQUESTION); }

void ShowError(LPCTSTR text) { AfxMessageBox(text, MB_OK); }

bool DispatchOneMessage(MSG& msg)
{
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    return true;
}

void DispatchOneMessage()
{
    MSG msg;
    DispatchOneMessage(msg);
}

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window))
        return 0;
    return SendMessage(window, message, wParam, lParam);
}

bool MoveToTrash(LPCTSTR path) { return path && platform::MoveToTrash(path) == 0; }

// ---- the notification area ----------------------------------------------------------------------

namespace {

// The installed tray service; guarded by s_trayLock (a leaf lock: held only to copy the pointer).
std::mutex s_trayLock;
std::shared_ptr<TrayArea> s_trayArea;

std::shared_ptr<TrayArea> CurrentTrayArea()
{
    std::lock_guard lock(s_trayLock);
    return s_trayArea;
}

} // namespace

void SetTrayArea(std::shared_ptr<TrayArea> area)
{
    std::lock_guard lock(s_trayLock);
    s_trayArea = std::move(area);
}

bool AddTrayIcon(const TrayIcon& icon)
{
    auto area = CurrentTrayArea();
    return area && area->AddIcon(icon);
}

bool RemoveTrayIcon(const TrayIcon& icon)
{
    auto area = CurrentTrayArea();
    return area && area->RemoveIcon(icon);
}

void ShowTrayMenu(HWND owner, UINT menuId, int subMenu)
{
    if (auto area = CurrentTrayArea())
        area->ShowMenu(owner, menuId, subMenu);
}

} // namespace ktutil
