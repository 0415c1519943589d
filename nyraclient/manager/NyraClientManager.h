// NyraClientManager: the one object through which the central station reaches every bedside
// monitor. It owns one NyraClientInfo per bed (TCP, serial, a bed listed by another station,
// or a demo bed), decides whether a new monitor is taken (two beds at most), hands out keys
// from its pool, re-attaches a monitor that comes back, removes beds and carries every
// notification to the station's window (WM_CLIENT_NOTIFY).
//
// Locks, in their order: the sound lock, then the client lock (guards the client array; it
// is re-entrant), then a client's link lock. Everything but GetClient and CanPalyAlarmSound
// runs on the user-interface thread, the only thread that changes the array.
#pragma once

#include "nyraclient/client/ClientMessages.h"
#include "nyraclient/key/CClientKeyPool.h"
#include "nyraclient/manager/AlarmSoundNotice.h"
#include "nyraclient/manager/CAlarmSoundThread.h"
#include "nyraclient/thread/NyraWorkerThread.h"

#include "nrdata/config/NyraConfig.h"

#include "platform/core/Geometry.h"
#include "platform/core/Sync.h"

#include <array>
#include <atomic>
#include <vector>

class CUSerialEx;
class CWnd;
class NyraClientInfo;
class NyraClientSock;
class TBLPatient;

class NyraClientManager
{
public:
    static constexpr int kMaxBeds = 2;
    static constexpr int kMaxListedBedsFixed = 4;
    static constexpr int kKeyCount = 2;
    static constexpr int kMaxMonitorNumber = 16;

    explicit NyraClientManager(CWnd* pParent = nullptr);
    virtual ~NyraClientManager();
    NyraClientManager(const NyraClientManager&) = delete;
    NyraClientManager& operator=(const NyraClientManager&) = delete;

    // ---- settings ------------------------------------------------------------------------
    void SetParent(CWnd* pParent) { m_pParent = pParent; }
    CWnd* GetParent() const { return m_pParent; }
    void SetConfig(NyraConfig config, BOOL bKeepRecordLimit);
    NyraConfig GetConfig() const { return m_Config; }
    void SetDataDir(const CString& path) { m_strDataDir = path; }
    CString GetDataDir() const { return m_strDataDir; }
    CRect GetClientRect() const { return m_rcClient; }

    // ---- accepting monitors: the key, -1 refused, -2 out of memory -------------------------
    int Connected(NyraClientSock* pSock);
    int Connected(CUSerialEx* pSerial);
    int ConnectedAsLan(BYTE a, BYTE b, BYTE c, BYTE d, int key);
    int ConnectedAsSerial(UINT port, int key);

    // ---- finding beds: an index into the array or -1 ---------------------------------------
    int PeerCheck(BYTE a, BYTE b, BYTE c, BYTE d);
    int PeerCheck(UINT port);
    int FindClient(NyraClientInfo* pClient, int start);
    int FindClient(NyraClientSock* pSock, int start);
    int FindClient(CUSerialEx* pSerial, int start);
    NyraClientInfo* GetClient(int index);
    int GetClientCount() const { return static_cast<int>(m_Clients.size()); }
    NyraClientInfo* GetFirstValidClient();
    int CheckAdmitInfoInUse(const CString& patientId);
    int IsEnableMonitor(int number);

    // ---- re-attaching and removing ----------------------------------------------------------
    void ReConnected(NyraClientSock* pSock, int index);
    void ReConnected(CUSerialEx* pSerial, int index);
    void Disconnected(NyraClientInfo* pClient);
    void Disconnected(NyraClientSock* pSock);
    void Disconnected(CUSerialEx* pSerial);
    void RemoveClient(NyraClientInfo* pClient, BOOL bForce);
    void ClearAll();

    // ---- per-bed pass-throughs --------------------------------------------------------------
    void Admit(NyraClientInfo* pClient, TBLPatient& patient);
    void Discharge(NyraClientInfo* pClient);
    void RefreshClient(NyraClientInfo* pClient);
    int CanPalyAlarmSound();

    // ---- grid and enlarged bed ---------------------------------------------------------------
    // Lays the grid out again: every bed without a tile gets a free tile id and its bed window.
    void ResetLayout();
    void Sort(BOOL bRedraw);
    int ExpandClient(NyraClientInfo* pClient);
    void CollapseClient(BOOL bRedraw);
    NyraClientInfo* GetExpandedClient() const { return m_pExpandedClient; }
    int IsTileIdUsed(int index) const { return m_TileUsed[size_t(index)]; }

    // ---- display mode, pages, alarm sound, demo beds (NyraClientManagerPages.cpp) ------------
    // The station's view drives these. Until the paged grid, the alarm-sound thread and the demo
    // source are in, they keep the mode and the grid rectangle, show every bed on one page,
    // and refuse demo beds.
    void SetDisplayMode(int mode, BOOL bApply);
    int GetDisplayMode() const { return m_nDisplayMode; }
    void ResetLayout(int x, int y, int width, int height);
    void ShowPage(int page);
    void ShowNextPage();
    void ShowPrevPage();
    BOOL CanNext() const;
    BOOL CanPrev() const;
    // Starts the alarm-sound thread (none when one runs already), which plays the alarm sound
    // every 3 seconds while a bed wants it. StopAlarm asks it to end and does not wait; the
    // destructor stops it and waits for its end. Both on the user-interface thread.
    void StartAlarm();
    void StopAlarm();
    // The new demo bed's key, or -1 when refused.
    int AddDemoClient();
    int ExpandClient(NyraClientInfo* pClient, BOOL bRelayout);

    // ---- notifications --------------------------------------------------------------------------
    LRESULT SendMsgToParent(NyraClientInfo* pClient, int nCode, DWORD dwValue);

    // ---- viewing stations -------------------------------------------------------------------------
    // The broker server tells the manager how many viewing stations it serves, whenever one
    // connects or goes (any thread). It starts at 0: with no broker, or no viewer connected,
    // the clients queue nothing for the broker, so their queues cannot grow unread.
    void SetViewerCount(int count) { m_nViewerCount.store(count > 0 ? count : 0); }
    int GetViewerCount() const { return m_nViewerCount.load(); }

    CClientKeyPool& GetKeyPool() { return m_KeyPool; }

    // ---- what the alarm-sound thread calls ----------------------------------------------------
    CCriticalSection& GetSoundLock() { return m_SoundLock; }
    // Whether a sound could be started; the first failure after a played sound asks the
    // user-interface thread for the box "Can't play alarm sound" (any thread, never waits).
    void AlarmSoundPlayed(bool played) { m_SoundNotice.Report(played); }
    // How many boxes the sound thread asked for (tests).
    int AlarmSoundBoxRequests() const { return m_SoundNotice.RequestCount(); }

private:
    int CountBeds() const;
    int ListedBedLimit() const;
    // Makes a client with its hidden window: 0, or the refusal (-1 no window, -2 no memory).
    int CreateClient(NyraClientInfo*& client);
    // Keys the new client, logs it, gives it the settings and appends it to the grid.
    void AppendClient(NyraClientInfo* client, int key, bool startWatchdog);
    void RemoveAt(int index);
    void FreeTile(NyraClientInfo* pClient);
    void HandConnectNotice(NyraClientInfo* pClient);

    std::vector<NyraClientInfo*> m_Clients;
    NyraClientInfo* m_pExpandedClient { nullptr };
    CWnd* m_pParent;
    std::array<int, BED_TILE_COUNT> m_TileUsed {};
    int m_nDisplayMode { 0 };
    int m_nCurrentPage { 0 };
    int m_nPageCount { 0 };
    // Sound lock: held by the alarm-sound thread for its whole life; first in the lock order.
    CCriticalSection m_SoundLock;
    AlarmSoundNotice m_SoundNotice;
    NyraWorkerControl<CAlarmSoundThread> m_SoundThread;
    CCriticalSection m_ClientLock;
    CString m_strDataDir;
    CRect m_rcClient;
    CClientKeyPool m_KeyPool;
    NyraConfig m_Config;
    std::atomic<int> m_nViewerCount { 0 };
};
