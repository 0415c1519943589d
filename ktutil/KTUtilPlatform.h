// The few window-layer and desktop services that the library uses: the message box, one step of
// message pumping, a synchronous message to a window, the trash and the notification area.
// Kept in one place so the rest of the library does not depend on how the layer spells them.
#pragma once

#include "platform/core/Types.h"

#include <memory>

struct MSG;

namespace ktutil {

// Asks the user with Yes, No and Cancel and a question icon: IDYES, IDNO or IDCANCEL.
int AskYesNoCancel(LPCTSTR text);
// Shows an error with an OK button.
void ShowError(LPCTSTR text);
// Removes, translates and dispatches one waiting message of the calling thread, if any (into
// `msg`); never waits. True when one was dispatched.
bool DispatchOneMessage(MSG& msg);
void DispatchOneMessage();
// Sends a message to a window and waits for its answer; 0 when the window does not exist.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Moves a file into the desktop trash without asking; false when it could not.
bool MoveToTrash(LPCTSTR path);

// ---- the notification area (tray) ---------------------------------------------------------------
//
// The desktop layer offers no notification area yet, so by default an icon cannot be added
// (the calls report failure) and no tray menu is shown. A tray service installed here takes over:
// tests install a recording one, and a host that gains a notification area can install its own.

// One icon in the notification area: it reports mouse events to `window` with `callbackMessage`.
struct TrayIcon
{
    HWND window { nullptr };
    UINT id { 0 };
    UINT callbackMessage { 0 };
    HICON icon { nullptr };
    char tip[64] {};
};

class TrayArea
{
public:
    virtual ~TrayArea() = default;
    virtual bool AddIcon(const TrayIcon& icon) = 0;
    virtual bool RemoveIcon(const TrayIcon& icon) = 0;
    // Shows the sub-menu of the menu resource at the pointer; its commands go to `owner`.
    virtual void ShowMenu(HWND owner, UINT menuId, int subMenu) = 0;
};

// Installs a tray service; null goes back to none.
void SetTrayArea(std::shared_ptr<TrayArea> area);
bool AddTrayIcon(const TrayIcon& icon);
bool RemoveTrayIcon(const TrayIcon& icon);
void ShowTrayMenu(HWND owner, UINT menuId, int subMenu);

} // namespace ktutil
