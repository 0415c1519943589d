// NyraClientManager: accepting, re-attaching and removing beds, finding them, the grid's tile
// ids and the notifications to the station's window.
#include "nyraclient/manager/NyraClientManager.h"

#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/client/NyraClientSock.h"
#include "nyraclient/link/CUSerialEx.h"
#include "nyraclient/res/NyraClientStrings.h"
#include "nyraclient/startup/NyraRunLog.h"

#include "platform/core/Check.h"
#include "platform/msg/MessageBoxService.h"

#include <algorithm>
#include <new>

using namespace nyraclient::runlog;

namespace {

// A text of the library's string table.
CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

// ==== life =======================================================================================

NyraClientManager::NyraClientManager(CWnd* pParent) : m_pParent(pParent)
{
    m_KeyPool.Init(kKeyCount);
    m_Layout.SetOwner(this);
}

NyraClientManager::~NyraClientManager()
{
    // The sound thread asks the clients whether to play: it ends before they go. Its pause
    // watches the stop flag, so this wait is short.
    {
        std::lock_guard lock(m_SoundWakeLock);
        m_SoundThread.StopWithoutWaiting();
    }
    m_SoundThread.WaitForEnd();
    ClearAll();
    // A thread let go by StopAlarm holds the sound lock for the rest of its life: passing
    // through it waits for that thread's end too.
    m_SoundLock.Lock();
    m_SoundLock.Unlock();
}

void NyraClientManager::SetConfig(NyraConfig config, BOOL bKeepRecordLimit)
{
    WARD_CHECK_UI_THREAD();
    m_Config = config;
    std::vector<CUSerialEx*> unconfigured;
    for (NyraClientInfo* client : m_Clients) {
        if (client == nullptr || client->m_pSerial == nullptr)
            continue;
        const auto& ports = m_Config.SerialName;
        if (std::find(ports.begin(), ports.end(), int(client->m_nComPort)) == ports.end())
            unconfigured.push_back(client->m_pSerial);
    }
    for (CUSerialEx* link : unconfigured)
        Disconnected(link);
    if (!m_Clients.empty())
        Sort(TRUE);
    m_ClientLock.Lock();
    for (NyraClientInfo* client : m_Clients) {
        if (client == nullptr)
            continue;
        client->SetConfig(m_Config, bKeepRecordLimit);
        client->RedrawControl();
    }
    m_ClientLock.Unlock();
}

// ==== accepting ==================================================================================

int NyraClientManager::CountBeds() const
{
    WARD_CHECK_UI_THREAD();
    return static_cast<int>(std::count_if(m_Clients.begin(), m_Clients.end(), [](auto* c) { return c != nullptr; }));
}

// Beds listed by another station: the limit counts the beds present, not empty places.
int NyraClientManager::ListedBedLimit() const
{
    WARD_CHECK_UI_THREAD();
    return m_Config.DevicePositionFix ? kMaxListedBedsFixed : kMaxBeds;
}

int NyraClientManager::CreateClient(NyraClientInfo*& client)
{
    WARD_CHECK_UI_THREAD();
    client = new (std::nothrow) NyraClientInfo(this, 0, 1);
    if (client == nullptr)
        return -2;
    if (client->GetSafeHwnd() == nullptr) {
        delete client;
        client = nullptr;
        return -1;
    }
    return 0;
}

void NyraClientManager::AppendClient(NyraClientInfo* client, int key, bool startWatchdog)
{
    WARD_CHECK_UI_THREAD();
    client->m_nTileID = -1;
    client->m_bLiveLink = 1;
    client->m_bAdmitted = 0;
    client->m_bConnected = 1;
    client->SetKey(key);
    if (client->m_nComPort != 0 && client->m_PeerAddr[0] == 0)
        LogConnectedSerial(RunLog, int(client->m_nComPort), key);
    else
        LogConnected(RunLog, client->m_PeerAddr, key);
    client->SetConfig(m_Config, FALSE);
    client->m_AlarmManager.SetSoundHook([this] { WakeAlarmSound(); });
    if (startWatchdog)
        client->ResetConnectionCheck();
    m_ClientLock.Lock();
    m_Clients.push_back(client);
    m_ClientLock.Unlock();
    WakeAlarmSound();
    ResetLayout();
}

int NyraClientManager::Connected(NyraClientSock* pSock)
{
    WARD_CHECK_UI_THREAD();
    if (pSock == nullptr || CountBeds() >= kMaxBeds)
        return -1;
    NyraClientInfo* client = nullptr;
    if (const int refused = CreateClient(client))
        return refused;
    client->m_pSocket = pSock;
    pSock->GetSockAddress(client->m_LocalAddr);
    pSock->GetPeerAddress(client->m_PeerAddr);
    pSock->SetNotify(client, WM_RECEIVE_SOCKET_DATA, 0);
    int key = 0;
    m_KeyPool.Alloc(key, client);
    AppendClient(client, key, true);
    return key;
}

void NyraClientManager::HandConnectNotice(NyraClientInfo* pClient)
{
    WARD_CHECK_UI_THREAD();
    PKControl notice;
    notice.SetType(PK_CONTROL_CONNECT);
    notice.SetData(0);
    pClient->Receive_Control(notice.GetPacket(), notice.GetPacketSize());
}

int NyraClientManager::Connected(CUSerialEx* pSerial)
{
    WARD_CHECK_UI_THREAD();
    if (pSerial == nullptr || CountBeds() >= kMaxBeds)
        return -1;
    NyraClientInfo* client = nullptr;
    if (const int refused = CreateClient(client))
        return refused;
    client->m_pSocket = nullptr;
    client->m_pSerial = pSerial;
    client->m_nComPort = pSerial->GetPort();
    pSerial->SetNotify(client, WM_RECEIVE_SERIAL_DATA);
    pSerial->ClearRx();
    int key = 0;
    m_KeyPool.Alloc(key, client);
    AppendClient(client, key, true);
    HandConnectNotice(client);
    return key;
}

int NyraClientManager::ConnectedAsLan(BYTE a, BYTE b, BYTE c, BYTE d, int key)
{
    WARD_CHECK_UI_THREAD();
    if (CountBeds() >= ListedBedLimit())
        return -1;
    NyraClientInfo* client = nullptr;
    if (const int refused = CreateClient(client))
        return refused;
    const BYTE local[4] = { 127, 0, 0, 1 };
    std::copy(local, local + 4, client->m_LocalAddr);
    const BYTE peer[4] = { a, b, c, d };
    std::copy(peer, peer + 4, client->m_PeerAddr);
    AppendClient(client, key, false);
    return key;
}

int NyraClientManager::ConnectedAsSerial(UINT port, int key)
{
    WARD_CHECK_UI_THREAD();
    if (CountBeds() >= ListedBedLimit())
        return -1;
    NyraClientInfo* client = nullptr;
    if (const int refused = CreateClient(client))
        return refused;
    client->m_nComPort = port;
    AppendClient(client, key, false);
    return key;
}

int NyraClientManager::AddDemoClient()
{
    WARD_CHECK_UI_THREAD();
    if (CountBeds() >= kMaxBeds) {
        AfxMessageBox(LoadText(nyraclient::IDS_NO_MORE_CLIENT), MB_OK | MB_ICONSTOP);
        return 0;
    }
    auto* client = new (std::nothrow) NyraClientInfo(this, 1, 1);
    if (client == nullptr)
        return 0;
    client->m_nTileID = -1;
    client->m_bLiveLink = 0;
    client->m_bAdmitted = 0;
    int key = 0;
    m_KeyPool.Alloc(key, client);
    client->SetKey(key);
    // A demo bed is its own monitor: number = key, layout by the key, lead II.
    PKMonitor_v110& monitor = client->MonitorPacket();
    monitor.SetUnitName("ICU");
    monitor.SetMonitorNumber(static_cast<BYTE>(key));
    monitor.SetDisplayMode(static_cast<BYTE>(key % 4 + 1));
    monitor.SetECGLead(2);
    const CString demoName = LoadText(nyraclient::IDS_DEMO_NAME);
    client->PatientPacket().SetFirstName(demoName);
    client->PatientPacket().SetLastName(demoName);
    client->m_bMonitorAccepted = 1;
    client->SetConfig(m_Config, FALSE);
    client->m_AlarmManager.SetSoundHook([this] { WakeAlarmSound(); });
    m_ClientLock.Lock();
    m_Clients.push_back(client);
    m_ClientLock.Unlock();
    WakeAlarmSound();
    Sort(TRUE);
    client->StartDemo();
    return 1;
}

// ==== finding ====================================================================================

int NyraClientManager::PeerCheck(BYTE a, BYTE b, BYTE c, BYTE d)
{
    WARD_CHECK_UI_THREAD();
    for (size_t i = 0; i < m_Clients.size(); ++i) {
        const NyraClientInfo* client = m_Clients[i];
        if (client != nullptr && client->m_PeerAddr[0] == a && client->m_PeerAddr[1] == b
            && client->m_PeerAddr[2] == c && client->m_PeerAddr[3] == d)
            return static_cast<int>(i);
    }
    return -1;
}

int NyraClientManager::PeerCheck(UINT port)
{
    WARD_CHECK_UI_THREAD();
    for (size_t i = 0; i < m_Clients.size(); ++i)
        if (m_Clients[i] != nullptr && m_Clients[i]->m_nComPort == port)
            return static_cast<int>(i);
    return -1;
}

int NyraClientManager::FindClient(NyraClientInfo* pClient, int start)
{
    WARD_CHECK_UI_THREAD();
    for (int i = std::max(start, 0); i < GetClientCount(); ++i)
        if (pClient != nullptr && m_Clients[size_t(i)] == pClient)
            return i;
    return -1;
}

int NyraClientManager::FindClient(NyraClientSock* pSock, int start)
{
    WARD_CHECK_UI_THREAD();
    for (int i = std::max(start, 0); i < GetClientCount(); ++i)
        if (pSock != nullptr && m_Clients[size_t(i)] != nullptr && m_Clients[size_t(i)]->m_pSocket == pSock)
            return i;
    return -1;
}

int NyraClientManager::FindClient(CUSerialEx* pSerial, int start)
{
    WARD_CHECK_UI_THREAD();
    for (int i = std::max(start, 0); i < GetClientCount(); ++i)
        if (pSerial != nullptr && m_Clients[size_t(i)] != nullptr && m_Clients[size_t(i)]->m_pSerial == pSerial)
            return i;
    return -1;
}

NyraClientInfo* NyraClientManager::GetClient(int index)
{
    m_ClientLock.Lock();
    NyraClientInfo* client = index >= 0 && index < GetClientCount() ? m_Clients[size_t(index)] : nullptr;
    m_ClientLock.Unlock();
    return client;
}

NyraClientInfo* NyraClientManager::GetFirstValidClient()
{
    WARD_CHECK_UI_THREAD();
    for (NyraClientInfo* client : m_Clients)
        if (client != nullptr)
            return client;
    return nullptr;
}

int NyraClientManager::CheckAdmitInfoInUse(const CString& patientId)
{
    WARD_CHECK_UI_THREAD();
    // The admitted record's whole id: the patient packet holds only its first 20 bytes.
    for (NyraClientInfo* client : m_Clients)
        if (client != nullptr && client->IsAdmitted() && client->GetAdmittedPatient().P_ID == patientId)
            return 1;
    return 0;
}

int NyraClientManager::IsEnableMonitor(int number)
{
    WARD_CHECK_UI_THREAD();
    if (!m_Config.DevicePositionFix)
        return 1;
    return number >= 1 && number <= kMaxMonitorNumber ? 1 : 0;
}

// ==== re-attaching ===============================================================================

void NyraClientManager::ReConnected(NyraClientSock* pSock, int index)
{
    WARD_CHECK_UI_THREAD();
    m_ClientLock.Lock();
    NyraClientInfo* client = GetClient(index);
    if (client == nullptr || pSock == nullptr || client->m_pSocket == pSock) {
        m_ClientLock.Unlock();
        return;
    }
    const BYTE* peer = client->m_PeerAddr;
    if (!client->m_bNetworkAlarm) {
        RunLog.Log(kReconnectedLan, peer[0], peer[1], peer[2], peer[3]);
        if (client->m_pSocket != nullptr) {
            client->m_pSocket->SetNotify(nullptr, WM_RECEIVE_SOCKET_DATA, 0);
            client->m_pSocket->Close();
        }
    } else {
        RunLog.Log(kReconnectedLanAfterTimeOut, peer[0], peer[1], peer[2], peer[3]);
    }
    // The time-out closed the old socket but kept the object: it goes now in either case.
    nyraclient::DeleteObjectWhenIdle(client->m_pSocket);
    client->m_pSocket = pSock;
    pSock->SetNotify(client, WM_RECEIVE_SOCKET_DATA, 0);
    // A new link starts a new stream: bytes kept from the old one would only confuse it.
    client->DropTail();
    client->m_bDisconnectRequest = 0;
    client->m_AlarmManager.SetAlarm(ALARMTYPE_NETWORK, 0);
    client->m_bConnected = 1;
    client->ResetConnectionCheck();
    m_ClientLock.Unlock();
    ResetLayout();
}

void NyraClientManager::ReConnected(CUSerialEx* pSerial, int index)
{
    WARD_CHECK_UI_THREAD();
    m_ClientLock.Lock();
    NyraClientInfo* client = GetClient(index);
    if (client == nullptr || pSerial == nullptr || client->m_pSerial == pSerial) {
        m_ClientLock.Unlock();
        return;
    }
    client->m_LinkLock.Lock();
    RunLog.Log(client->m_bNetworkAlarm ? kReconnectedSerialAfterTimeOut : kReconnectedSerial, int(client->m_nComPort));
    if (client->m_pSerial != nullptr) {
        client->m_pSerial->SetNotify(nullptr, WM_RECEIVE_SERIAL_DATA);
        nyraclient::DeleteObjectWhenIdle(client->m_pSerial);
        client->m_pSerial = nullptr;
    }
    client->m_bDisconnectRequest = 0;
    client->m_AlarmManager.SetAlarm(ALARMTYPE_NETWORK, 0);
    client->m_pSerial = pSerial;
    pSerial->SetNotify(client, WM_RECEIVE_SERIAL_DATA);
    pSerial->ClearRx();
    client->DropTail();
    client->m_bConnected = 1;
    client->ResetConnectionCheck();
    client->m_LinkLock.Unlock();
    m_ClientLock.Unlock();
    ResetLayout();
    HandConnectNotice(client);
}

// ==== removing ===================================================================================

void NyraClientManager::RemoveAt(int index)
{
    WARD_CHECK_UI_THREAD();
    m_ClientLock.Lock();
    m_Clients.erase(m_Clients.begin() + index);
    m_ClientLock.Unlock();
}

void NyraClientManager::FreeTile(NyraClientInfo* pClient)
{
    WARD_CHECK_UI_THREAD();
    const int tile = pClient->m_nTileID;
    if (tile >= 0 && tile < BED_TILE_COUNT)
        m_TileUsed[size_t(tile)] = 0;
    pClient->m_nTileID = -1;
}

void NyraClientManager::Disconnected(NyraClientInfo* pClient)
{
    WARD_CHECK_UI_THREAD();
    const int index = FindClient(pClient, 0);
    if (index < 0)
        return;
    RemoveAt(index);
    LogDisconnected(RunLog, pClient->m_PeerAddr, int(pClient->m_nComPort), pClient->GetKey());
    if (m_pParent != nullptr)
        SendMsgToParent(pClient, CLIENT_NOTIFY_DISCONNECTED, 0);
    pClient->CloseClient();
    FreeTile(pClient);
    if (pClient == m_pExpandedClient)
        CollapseClient(FALSE);
    if (pClient->IsAdmitted())
        pClient->Discharge();
    pClient->DestroyComponent();
    m_KeyPool.Release(pClient->GetKey(), pClient);
    // The client may be inside its own receive pass: it goes once that has returned.
    nyraclient::DeleteObjectWhenIdle(pClient);
    Sort(TRUE);
}

void NyraClientManager::Disconnected(NyraClientSock* pSock)
{
    WARD_CHECK_UI_THREAD();
    const int index = FindClient(pSock, 0);
    if (index >= 0)
        Disconnected(m_Clients[size_t(index)]);
}

void NyraClientManager::Disconnected(CUSerialEx* pSerial)
{
    WARD_CHECK_UI_THREAD();
    const int index = FindClient(pSerial, 0);
    if (index >= 0)
        Disconnected(m_Clients[size_t(index)]);
}

void NyraClientManager::RemoveClient(NyraClientInfo* pClient, BOOL bForce)
{
    WARD_CHECK_UI_THREAD();
    const int index = FindClient(pClient, 0);
    if (index < 0)
        return;
    if (!bForce) {
        if (pClient->m_bNetworkAlarm) {
            if (AfxMessageBox(LoadText(nyraclient::IDS_CLIENT_WILL_DISCONNECT), MB_OKCANCEL) != IDOK)
                return;
        } else {
            AfxMessageBox(LoadText(nyraclient::IDS_CLIENT_CANT_DISCONNECT), MB_OK);
            return;
        }
    }
    RemoveAt(index);
    if (pClient->IsDemo())
        pClient->StopDemo();
    FreeTile(pClient);
    if (pClient == m_pExpandedClient)
        CollapseClient(FALSE);
    m_KeyPool.Release(pClient->GetKey(), pClient);
    pClient->DestroyComponent();
    nyraclient::DeleteObjectWhenIdle(pClient);
    Sort(TRUE);
}

void NyraClientManager::ClearAll()
{
    WARD_CHECK_UI_THREAD();
    if (m_pExpandedClient != nullptr) {
        m_pExpandedClient->Collapse();
        m_pExpandedClient = nullptr;
        m_Layout.SetExpanded(FALSE, FALSE);
    }
    m_ClientLock.Lock();
    while (!m_Clients.empty()) {
        NyraClientInfo* client = m_Clients.front();
        m_Clients.erase(m_Clients.begin());
        if (client == nullptr)
            continue;
        if (client->IsDemo())
            client->StopDemo();
        else
            client->CloseClient();
        client->DestroyComponent();
        nyraclient::DeleteObjectWhenIdle(client);
    }
    m_TileUsed.fill(0);
    m_ClientLock.Unlock();
    m_KeyPool.Init(kKeyCount);
}

// ==== pass-throughs ==============================================================================

void NyraClientManager::Admit(NyraClientInfo* pClient, TBLPatient& patient)
{
    WARD_CHECK_UI_THREAD();
    if (pClient == nullptr)
        return;
    pClient->Admit(patient);
    Sort(TRUE);
}

void NyraClientManager::Discharge(NyraClientInfo* pClient)
{
    WARD_CHECK_UI_THREAD();
    if (pClient != nullptr)
        pClient->Discharge();
}

void NyraClientManager::RefreshClient(NyraClientInfo* pClient)
{
    WARD_CHECK_UI_THREAD();
    if (pClient != nullptr)
        pClient->RefreshControl(TRUE, TRUE);
}

int NyraClientManager::CanPalyAlarmSound()
{
    m_ClientLock.Lock();
    int result = 0;
    for (int i = 0; i < GetClientCount() && !result; ++i) {
        NyraClientInfo* client = GetClient(i);
        if (client != nullptr && client->CanPlayAlarmSound())
            result = 1;
    }
    m_ClientLock.Unlock();
    return result;
}

// ==== notifications ==============================================================================

LRESULT NyraClientManager::SendMsgToParent(NyraClientInfo* pClient, int nCode, DWORD dwValue)
{
    WARD_CHECK_UI_THREAD();
    if (m_pParent == nullptr || !::IsWindow(m_pParent->GetSafeHwnd()))
        return 0;
    _CLIENT_NOTIFY notify { nCode, dwValue };
    return m_pParent->SendMessage(WM_CLIENT_NOTIFY, reinterpret_cast<WPARAM>(pClient), reinterpret_cast<LPARAM>(&notify));
}
