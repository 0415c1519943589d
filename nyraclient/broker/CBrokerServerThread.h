// CBrokerServerThread: every 10 ms while a viewing station is served (it sleeps while none
// is), one pass over the client manager's beds for the viewing stations: the client list (to a new viewer at once, then at least every 4 seconds), a new
// viewer's first picture of every accepted bed (its current parameter, patient, alarm and
// monitor packets), and the packets the beds queued for the broker since the last pass.
//
// A pass holds the viewer-list lock and the manager's client lock throughout, so no bed leaves
// the array while the pass reads it; a bed's stored packets are copied under the bed's own
// settings lock, so no packet reaches a viewer half written. Lock order: viewer-list lock,
// client lock, a bed's settings or broker-queue lock, a viewer's queue lock.
//
// Only one viewing station is served at a time; a second one is refused.
#pragma once

#include "nyraclient/broker/BrokerProtocol.h"
#include "nyraclient/broker/CBrokerViewer.h"
#include "nyraclient/thread/NyraWorkerThread.h"

#include "platform/core/Sync.h"

#include <memory>
#include <vector>

class NyraClientManager;
class NyraClientSock;

class CBrokerServerThread : public NyraWorkerThread<NyraClientManager>
{
public:
    static constexpr int kExitCode = 1;
    static constexpr DWORD kPassIntervalMs = 10;
    static constexpr DWORD kListIntervalMs = 4000;
    static constexpr int kMaxViewers = 1;

    CBrokerServerThread() = default;
    ~CBrokerServerThread() override;

    BOOL InitInstance() override { return TRUE; }
    int Run() override;

    void SetClientManager(NyraClientManager* pManager) { SetOwner(pManager); }

    // The user-interface thread's side. AddViewer: 1 when a viewer thread now serves the
    // socket, 0 when refused (one is served already, or no socket).
    int AddViewer(NyraClientSock* pSock);
    void RemoveViewer(NyraClientSock* pSock);
    // Takes the viewer out of the list, then stops its thread and waits for its end.
    void ViewerRemoveAt(int index);
    int ViewerGetSize();
    NyraClientSock* ViewerSocketAt(int index);

private:
    struct Viewer
    {
        NyraClientSock* sock { nullptr };
        std::unique_ptr<NyraWorkerControl<CBrokerViewer>> thread;
        CBrokerViewer* Get() const { return thread->Get(); }
    };

    // The pass's steps: the caller holds the viewer-list lock and the manager's client lock
    // (checked in the two that read the beds).
    void SendClientLists(NyraClientManager& manager);
    void SendClientSync(NyraClientManager& manager, CBrokerViewer& viewer);
    void SendClientData(NyraClientManager& manager);
    void TellViewerCount();

    // Viewer-list lock: guards m_Viewers; first in the broker's lock order.
    CCriticalSection m_ViewerLock;
    std::vector<Viewer> m_Viewers;
};
