#include "nyraclient/broker/CBrokerServerThread.h"

#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/manager/NyraClientManager.h"

#include "nrdata/buffer/CSmartBuffer.h"
#include "platform/core/Check.h"
#include "platform/core/Clock.h"

#include <cstdlib>

using namespace nyraclient::broker;

CBrokerServerThread::~CBrokerServerThread()
{
    while (ViewerGetSize() > 0)
        ViewerRemoveAt(0);
}

// ==== viewers (user-interface thread) ============================================================

int CBrokerServerThread::AddViewer(NyraClientSock* pSock)
{
    WARD_CHECK_UI_THREAD();
    if (pSock == nullptr || ViewerGetSize() >= kMaxViewers)
        return 0;
    Viewer viewer;
    viewer.sock = pSock;
    viewer.thread = std::make_unique<NyraWorkerControl<CBrokerViewer>>();
    if (!viewer.thread->Start(pSock))
        return 0;
    m_ViewerLock.Lock();
    m_Viewers.push_back(std::move(viewer));
    m_ViewerLock.Unlock();
    TellViewerCount();
    // The pass sleeps while nobody watches.
    Wake();
    return 1;
}

void CBrokerServerThread::RemoveViewer(NyraClientSock* pSock)
{
    WARD_CHECK_UI_THREAD();
    m_ViewerLock.Lock();
    int index = -1;
    for (size_t i = 0; i < m_Viewers.size() && index < 0; ++i)
        if (m_Viewers[i].sock == pSock)
            index = static_cast<int>(i);
    m_ViewerLock.Unlock();
    if (index >= 0)
        ViewerRemoveAt(index);
}

void CBrokerServerThread::ViewerRemoveAt(int index)
{
    m_ViewerLock.Lock();
    if (index < 0 || index >= static_cast<int>(m_Viewers.size())) {
        m_ViewerLock.Unlock();
        return;
    }
    Viewer viewer = std::move(m_Viewers[size_t(index)]);
    m_Viewers.erase(m_Viewers.begin() + index);
    m_ViewerLock.Unlock();
    TellViewerCount();
    // Outside the lock: the pass may be waiting for it.
    viewer.thread->Stop();
}

int CBrokerServerThread::ViewerGetSize()
{
    m_ViewerLock.Lock();
    const int size = static_cast<int>(m_Viewers.size());
    m_ViewerLock.Unlock();
    return size;
}

NyraClientSock* CBrokerServerThread::ViewerSocketAt(int index)
{
    m_ViewerLock.Lock();
    NyraClientSock* sock = index >= 0 && index < static_cast<int>(m_Viewers.size()) ? m_Viewers[size_t(index)].sock : nullptr;
    m_ViewerLock.Unlock();
    return sock;
}

void CBrokerServerThread::TellViewerCount()
{
    if (NyraClientManager* manager = GetOwner())
        manager->SetViewerCount(ViewerGetSize());
}

// ==== the pass (this thread) =====================================================================

int CBrokerServerThread::Run()
{
    while (IsRunning()) {
        // Without a viewing station there is nothing to relay (the beds queue nothing): the
        // pass sleeps until one comes.
        if (ViewerGetSize() == 0) {
            WaitForWork(INFINITE);
            continue;
        }
        if (NyraClientManager* manager = GetOwner()) {
            m_ViewerLock.Lock();
            CCriticalSection& clientLock = manager->GetClientLock();
            clientLock.Lock();
            SendClientLists(*manager);
            SendClientData(*manager);
            clientLock.Unlock();
            m_ViewerLock.Unlock();
        }
        Sleep(kPassIntervalMs);
    }
    return kExitCode;
}

void CBrokerServerThread::SendClientLists(NyraClientManager& manager)
{
    WARD_CHECK(m_ViewerLock.IsHeldByThisThread() && manager.GetClientLock().IsHeldByThisThread());
    AddressEntry entries[kMaxListed];
    int count = 0;
    for (int i = 0; i < manager.GetClientCount() && count < kMaxListed; ++i)
        if (const NyraClientInfo* client = manager.GetClient(i))
            entries[count++] = MakeAddressEntry(*client);
    const ListPacket list = MakeListPacket(entries, count);
    const DWORD now = GetTickCount();
    for (const Viewer& entry : m_Viewers) {
        CBrokerViewer* viewer = entry.Get();
        if (viewer == nullptr)
            continue;
        if (viewer->m_bListSent) {
            if (DWORD(std::abs(static_cast<long long>(now) - static_cast<long long>(viewer->m_dwListTick))) >= kListIntervalMs) {
                viewer->m_dwListTick = now;
                viewer->PushData(list.data(), UINT(list.size()));
            }
            continue;
        }
        viewer->m_dwListTick = now;
        viewer->m_bListSent = 1;
        viewer->PushData(list.data(), UINT(list.size()));
        SendClientSync(manager, *viewer);
    }
}

void CBrokerServerThread::SendClientSync(NyraClientManager& manager, CBrokerViewer& viewer)
{
    static constexpr BYTE kSyncKinds[] = { PK_TYPE_PARAM, PK_TYPE_PATIENT, PK_TYPE_ALARM, PK_TYPE_MONITOR };
    for (int i = 0; i < manager.GetClientCount(); ++i) {
        const NyraClientInfo* client = manager.GetClient(i);
        if (client == nullptr || !client->IsMonitorAccepted())
            continue;
        const AddressEntry entry = MakeAddressEntry(*client);
        for (const BYTE kind : kSyncKinds) {
            BYTE bytes[kMaxRelayed];
            const int len = client->CopyStoredPacket(kind, bytes, kMaxRelayed);
            DataPacket packet;
            if (MakeDataPacket(entry, bytes, len, packet))
                viewer.PushData(packet.data(), UINT(packet.size()));
        }
        Sleep(1);
    }
}

void CBrokerServerThread::SendClientData(NyraClientManager& manager)
{
    WARD_CHECK(m_ViewerLock.IsHeldByThisThread() && manager.GetClientLock().IsHeldByThisThread());
    for (int i = 0; i < manager.GetClientCount(); ++i) {
        NyraClientInfo* client = manager.GetClient(i);
        if (client == nullptr)
            continue;
        const AddressEntry entry = MakeAddressEntry(*client);
        while (CSmartBuffer* buffer = client->GetBrokerSendData()) {
            DataPacket packet;
            const bool made = MakeDataPacket(entry, static_cast<const BYTE*>(buffer->GetBuffer()),
                                             static_cast<int>(buffer->GetSize()), packet);
            buffer->RemoveRef(1);
            if (!made)
                continue;
            for (const Viewer& viewer : m_Viewers)
                if (CBrokerViewer* thread = viewer.Get())
                    thread->PushData(packet.data(), UINT(packet.size()));
        }
    }
}
