// CBrokerClient: the viewing side of the broker link. It connects to a central station's broker
// port, cuts the stream into client lists and data packets, and mirrors the station's beds in
// its own client manager: a bed for every listed monitor it lacks, none for a monitor no longer
// listed, and each relayed monitor packet handed to its bed's packet handlers.
//
// Everything runs on the window's thread: a 1 ms timer takes one received block per tick. A
// list that cannot be followed (a bed that cannot be made) shows one box; the timer does not
// process more while it is open.
#pragma once

#include "nyraclient/broker/BrokerProtocol.h"

#include "platform/msg/Wnd.h"

#include <vector>

class CBrokerClientSock;
class NyraClientInfo;
class NyraClientManager;

// The window's control id, and its timer.
constexpr UINT IDC_BROKER_CLIENT = 3010;
constexpr UINT_PTR BROKER_CLIENT_TIMER = 3011;

class CBrokerClient : public CWnd
{
public:
    static constexpr UINT kTimerPeriodMs = 1;
    static constexpr int kReceiveBuffer = 64000;

    explicit CBrokerClient(CWnd* pParent);
    ~CBrokerClient() override;
    CBrokerClient(const CBrokerClient&) = delete;
    CBrokerClient& operator=(const CBrokerClient&) = delete;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void SetClientManager(NyraClientManager* pManager) { m_pManager = pManager; }
    // Where the connection's start and end are reported (wParam 0, lParam 0).
    void SetNotify(CWnd* pTarget, UINT nConnectedMsg, UINT nDisconnectedMsg);
    // Replaces any connection with a new one to host:port (its end is reported as usual).
    void Connect(const CString& host, UINT port);
    void Disconnect();
    CBrokerClientSock* GetSocket() const { return m_pSocket; }

    // Cuts `count` more bytes (after the kept ones) into packets and handles them; a packet not
    // yet complete is kept for the next call.
    void ProcessBytes(const BYTE* bytes, int count);
    int GetKeptCount() const { return static_cast<int>(m_Kept.size()); }

    void OnTimer(UINT_PTR nIDEvent);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();

private:
    void ProcessReceived();
    void HandleList(const BYTE* packet);
    void HandleData(const BYTE* packet);
    // The mirrored bed of the entry, matched by its link kind: network by its address, serial
    // by its port; null when there is none (or the kind is neither).
    NyraClientInfo* FindClient(const BYTE* entry) const;
    int FindIndex(const BYTE* entry) const;
    // Shows one box at a time.
    void ShowError(UINT textId);

    NyraClientManager* m_pManager { nullptr };
    std::vector<BYTE> m_Kept;
    CWnd* m_pNotify { nullptr };
    UINT m_nConnectedMsg { 0 };
    UINT m_nDisconnectedMsg { 0 };
    CBrokerClientSock* m_pSocket { nullptr };
    bool m_bProcessing { false };
};
