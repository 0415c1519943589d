// KTTray: an invisible child window that owns an icon in the desktop's notification area, with
// a tip, a popup menu and optional forwarding of the icon's mouse notifications.
//
// The notification area is the library's tray service (KTUtilPlatform.h); where the desktop has
// none the icon is simply not shown and everything else works.
#pragma once

#include "ktutil/KTUtilPlatform.h"
#include "platform/msg/Wnd.h"

class KTTray : public CWnd
{
public:
    // The icon's mouse notifications arrive as this message (WM_USER + 70000).
    static constexpr UINT WM_TRAY_NOTIFY = WM_USER + 70000;

    KTTray() = default;
    ~KTTray() override;

    // Creates the window (a visible child with an empty rectangle); 1, or 0.
    int Create(CWnd* parent, UINT id);
    int SetTray(UINT iconId, LPCTSTR tip);
    int SetTray(HICON icon, LPCTSTR tip);
    // Loads the icon from the program's module; 0 (the old icon kept) when it has none.
    int SetTrayIcon(UINT iconId);
    // One of the system's predefined icons, where the desktop layer has them.
    int SetStandareIcon(UINT systemIconId);
    int SetTrayIcon(HICON icon);
    // At most 63 bytes of the text, cut on a character boundary.
    int SetToolTip(LPCTSTR tip);
    void SetDefaultMenu(UINT menuId, int subMenu);
    // Every notification goes to the window as `message`; a null window ends the forwarding.
    void SetNotify(CWnd* window, UINT message);
    void EnablePopup(BOOL enable) { m_bPopup = enable; }
    BOOL IsShown() const { return m_bShown; }

    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    // Removes the icon when it is shown, then adds it when it is not.
    void ReAdd();
    // At most 63 bytes of the tip into the record, cut on a character boundary.
    void CopyTip(LPCTSTR tip);
    int UseLoadedIcon(HICON icon);

    ktutil::TrayIcon m_icon;
    CWnd* m_pNotify { nullptr };
    UINT m_nNotifyMessage { 0 };
    UINT m_nMenuId { 0 };
    int m_nSubMenu { 0 };
    HICON m_hLoadedIcon { nullptr };
    BOOL m_bShown { FALSE };
    BOOL m_bPopup { TRUE };
};
