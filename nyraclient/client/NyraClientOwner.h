// NyraClientOwner: what a bed's client asks of the manager that owns it (NyraClientManager).
// The client knows its manager only through this, so the client sits below the manager.
#pragma once

#include "platform/core/Types.h"

class CWnd;
class NyraBedWindow;
class NyraClientInfo;

class NyraClientOwner
{
public:
    virtual ~NyraClientOwner() = default;

    // The station's window: the parent of the client's hidden window.
    virtual CWnd* GetParent() const = 0;
    // A new bed window of the client, its window not yet created; the client owns it. `tag` is
    // kept for the client and not used by the window.
    virtual NyraBedWindow* MakeBedWindow(NyraClientInfo* pClient, int tag) = 0;
    // Whether a monitor with this number may be taken now.
    virtual int IsEnableMonitor(int number) = 0;
    // Orders the beds by monitor number again (a monitor's number changed).
    virtual void Sort(BOOL bRelayout) = 0;
    // The client's link closed.
    virtual void Disconnected(NyraClientInfo* pClient) = 0;
    // Carries a notification of the client to the station's window (WM_CLIENT_NOTIFY).
    virtual LRESULT SendMsgToParent(NyraClientInfo* pClient, int nCode, DWORD dwValue) = 0;
    // How many viewing stations the broker serves (any thread).
    virtual int GetViewerCount() const = 0;
    // Whether the calling thread holds the manager's client lock, under which other threads
    // read the clients' links.
    virtual bool HoldsClientLock() const = 0;
};
