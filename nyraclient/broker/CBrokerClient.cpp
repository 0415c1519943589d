#include "nyraclient/broker/CBrokerClient.h"

#include "nyraclient/broker/CBrokerClientSock.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/manager/NyraClientManager.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "nrdata/buffer/CSmartBuffer.h"
#include "platform/msg/MessageBoxService.h"

#include <algorithm>
#include <cstring>

using namespace nyraclient::broker;

namespace {

// The packet handler and fixed length of each relayed monitor packet kind.
struct Receiver
{
    BYTE type;
    int length;
    void (NyraClientInfo::*handler)(BYTE*, int);
};
constexpr Receiver kReceivers[] = {
    { PK_TYPE_PROTOCOL_VER, PKProtocolVer::kSize, &NyraClientInfo::Receive_ProtocolVer },
    { PK_TYPE_PATIENT, PKPatient_v110::kSize, &NyraClientInfo::Receive_Patient },
    { PK_TYPE_ALARM, PKAlarm_v110::kSize, &NyraClientInfo::Receive_Alarm },
    { PK_TYPE_MONITOR, PKMonitor_v110::kSize, &NyraClientInfo::Receive_Monitor },
    { PK_TYPE_WAVE, PKWave_v110::kSize, &NyraClientInfo::Receive_Wave },
    { PK_TYPE_PARAM, PKParam_v110::kSize, &NyraClientInfo::Receive_Parameter },
};

bool IsSerialClient(const NyraClientInfo& client)
{
    const BYTE* a = client.GetPeerAddr();
    return a[0] == 0 && a[1] == 0 && a[2] == 0 && a[3] == 0;
}

// Whether the mirrored bed is the one the entry names (same link kind, same address or port).
bool Matches(const NyraClientInfo& client, const BYTE* entry)
{
    if (entry[0] == kLinkNetwork)
        return !IsSerialClient(client) && std::equal(entry + 1, entry + 5, client.GetPeerAddr());
    if (entry[0] == kLinkSerial)
        return IsSerialClient(client) && client.GetComPort() == entry[1];
    return false;
}

} // namespace

const platform::MessageMap* CBrokerClient::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &CBrokerClient::OnCreate>(),
        Message<WM_DESTROY, &CBrokerClient::OnDestroy>(),
        Message<WM_TIMER, &CBrokerClient::OnTimer>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

CBrokerClient::CBrokerClient(CWnd* pParent)
{
    CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), pParent, IDC_BROKER_CLIENT);
}

CBrokerClient::~CBrokerClient()
{
    Disconnect();
    m_Kept.clear();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

int CBrokerClient::OnCreate(LPCREATESTRUCT)
{
    SetTimer(BROKER_CLIENT_TIMER, kTimerPeriodMs);
    return 0;
}

void CBrokerClient::OnDestroy()
{
    KillTimer(BROKER_CLIENT_TIMER);
}

void CBrokerClient::SetNotify(CWnd* pTarget, UINT nConnectedMsg, UINT nDisconnectedMsg)
{
    m_pNotify = pTarget;
    m_nConnectedMsg = nConnectedMsg;
    m_nDisconnectedMsg = nDisconnectedMsg;
}

void CBrokerClient::Connect(const CString& host, UINT port)
{
    Disconnect();
    auto* sock = new CBrokerClientSock;
    if (!sock->Create(0, SOCK_STREAM, FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE)) {
        delete sock;
        return;
    }
    const int receiveBuffer = kReceiveBuffer;
    sock->SetSockOpt(SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    m_pSocket = sock;
    m_Kept.clear();
    if (!sock->Connect(host, port) && CAsyncSocket::GetLastError() != 10035)
        sock->SetStatus(CBrokerClientSock::STATUS_FAILED);
}

void CBrokerClient::Disconnect()
{
    if (m_pSocket == nullptr)
        return;
    m_pSocket->Close();
    delete m_pSocket;
    m_pSocket = nullptr;
}

// ==== the timer ==================================================================================

void CBrokerClient::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != BROKER_CLIENT_TIMER || m_pSocket == nullptr || m_bProcessing)
        return;
    auto notify = [this](UINT message) {
        if (m_pNotify != nullptr && message != 0 && ::IsWindow(m_pNotify->GetSafeHwnd()))
            m_pNotify->SendMessage(message, 0, 0);
    };
    switch (m_pSocket->GetStatus()) {
    case CBrokerClientSock::STATUS_CONNECTED:
        m_pSocket->SetStatus(CBrokerClientSock::STATUS_RUNNING);
        notify(m_nConnectedMsg);
        break;
    case CBrokerClientSock::STATUS_RUNNING:
        ProcessReceived();
        break;
    case CBrokerClientSock::STATUS_CLOSED:
    case CBrokerClientSock::STATUS_FAILED:
        m_pSocket->SetStatus(CBrokerClientSock::STATUS_IDLE);
        notify(m_nDisconnectedMsg);
        break;
    default: break;
    }
}

void CBrokerClient::ProcessReceived()
{
    CSmartBuffer* buffer = m_pSocket->GetData();
    if (buffer == nullptr)
        return;
    ProcessBytes(static_cast<const BYTE*>(buffer->GetBuffer()), static_cast<int>(buffer->GetSize()));
    buffer->RemoveRef(1);
}

// ==== the stream =================================================================================

void CBrokerClient::ProcessBytes(const BYTE* bytes, int count)
{
    if (m_bProcessing)
        return;
    m_bProcessing = true;
    std::vector<BYTE> work;
    work.swap(m_Kept);
    if (bytes != nullptr && count > 0)
        work.insert(work.end(), bytes, bytes + count);
    std::size_t at = 0;
    while (at < work.size()) {
        const std::size_t left = work.size() - at;
        const BYTE* p = work.data() + at;
        if (p[0] == kListStart) {
            if (left < std::size_t(kListPacketSize))
                break;
            if (p[kListPacketSize - 1] == kListEnd) {
                HandleList(p);
                at += kListPacketSize;
            } else {
                ++at;
            }
        } else if (p[0] == kDataStart) {
            if (left < std::size_t(kDataPacketSize))
                break;
            if (p[kDataPacketSize - 1] == kDataEnd) {
                HandleData(p);
                at += kDataPacketSize;
            } else {
                ++at;
            }
        } else {
            ++at; // noise between packets
        }
    }
    m_Kept.assign(work.begin() + std::ptrdiff_t(at), work.end());
    m_bProcessing = false;
}

int CBrokerClient::FindIndex(const BYTE* entry) const
{
    if (m_pManager == nullptr)
        return -1;
    for (int i = 0; i < m_pManager->GetClientCount(); ++i) {
        NyraClientInfo* client = m_pManager->GetClient(i);
        if (client != nullptr && Matches(*client, entry))
            return i;
    }
    return -1;
}

NyraClientInfo* CBrokerClient::FindClient(const BYTE* entry) const
{
    const int index = FindIndex(entry);
    return index >= 0 ? m_pManager->GetClient(index) : nullptr;
}

void CBrokerClient::ShowError(UINT textId)
{
    // m_bProcessing is set: the timer leaves the stream alone while the box is open.
    CString text;
    text.LoadString(textId);
    AfxMessageBox(text, MB_OK);
}

void CBrokerClient::HandleList(const BYTE* packet)
{
    if (m_pManager == nullptr)
        return;
    const int count = packet[1];
    if (count > kMaxListed)
        return; // not a list this station can have sent
    const BYTE* entries = packet + 2;
    auto listed = [&](const NyraClientInfo& client) {
        for (int i = 0; i < count; ++i)
            if (Matches(client, entries + kEntrySize * i))
                return true;
        return false;
    };
    // Beds no longer listed: collected first, since each removal reorders the array.
    std::vector<NyraClientInfo*> gone;
    for (int i = 0; i < m_pManager->GetClientCount(); ++i) {
        NyraClientInfo* client = m_pManager->GetClient(i);
        if (client != nullptr && !listed(*client))
            gone.push_back(client);
    }
    for (NyraClientInfo* client : gone)
        m_pManager->RemoveClient(client, TRUE);

    for (int i = 0; i < count; ++i) {
        const BYTE* entry = entries + kEntrySize * i;
        if (entry[0] != kLinkNetwork && entry[0] != kLinkSerial)
            continue;
        if (FindIndex(entry) >= 0)
            continue;
        const int key = entry[5];
        if (entry[0] == kLinkNetwork) {
            m_pManager->ConnectedAsLan(entry[1], entry[2], entry[3], entry[4], key);
            if (FindIndex(entry) < 0) {
                ShowError(nyraclient::IDS_CONNECTED_AS_LAN_ERROR);
                return;
            }
        } else {
            m_pManager->ConnectedAsSerial(entry[1], key);
            if (FindIndex(entry) < 0) {
                ShowError(nyraclient::IDS_CONNECTED_AS_SERIAL_ERROR);
                return;
            }
        }
    }
}

void CBrokerClient::HandleData(const BYTE* packet)
{
    NyraClientInfo* client = FindClient(packet + 1);
    if (client == nullptr)
        return;
    const BYTE type = packet[kDataOffset];
    for (const Receiver& receiver : kReceivers) {
        if (receiver.type != type)
            continue;
        BYTE bytes[kMaxRelayed];
        std::memcpy(bytes, packet + kDataOffset, size_t(receiver.length));
        (client->*receiver.handler)(bytes, receiver.length);
        return;
    }
}
