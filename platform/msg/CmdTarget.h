// CCmdTarget: the base of everything that has a message map and takes part in command
// routing (windows, and in the framework documents and the application). CCmdUI: the state
// object that command-UI handlers set (enabled, checked, text) for a menu item, a toolbar
// button or a status-bar pane.
#pragma once

#include "platform/core/Object.h"
#include "platform/msg/MessageMap.h"

class CWnd;

class CCmdTarget : public CObject
{
public:
    static const platform::MessageMap* GetThisMessageMap();
    virtual const platform::MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

    // Routes a command, a command-UI update or a notification to a handler in this object's
    // map. nCode: CN_COMMAND or a control's notification code, CN_UPDATE_COMMAND_UI (pExtra
    // is the CCmdUI*), MAKELONG(code, WM_NOTIFY) (pExtra is an AFX_NOTIFY*), or the reflected
    // forms with WM_REFLECT_BASE + WM_COMMAND / WM_NOTIFY. With pHandlerInfo it only reports
    // whether a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
};

class CCmdUI
{
public:
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    // SetCheck(1) or SetCheck(0): a kind of item shows the radio state with its own SetCheck.
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks `pTarget` to update this item; without a handler and with `bDisableIfNoHandler`
    // the item is disabled unless some command handler exists. Returns whether a handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    UINT m_nID { 0 };
    UINT m_nIndex { 0 };
    UINT m_nIndexMax { 0 };
    CWnd* m_pOther { nullptr };
    BOOL m_bEnableChanged { FALSE };
    BOOL m_bContinueRouting { FALSE };
    // What the last calls set, for callers that read the state back.
    BOOL m_bEnabled { TRUE };
    int m_nCheck { 0 };
};
