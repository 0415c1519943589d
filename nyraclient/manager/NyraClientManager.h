// NyraClientManager: the one object through which the central station reaches every bedside
// monitor. It owns one NyraClientInfo per bed (TCP, serial, a bed listed by another station,
// or a demo bed), decides whether a new monitor is taken (two beds at most), hands out keys
// from its pool, re-attaches a monitor that comes back, removes beds and carries every
// notification to the station's window (WM_CLIENT_NOTIFY).
//
// Locks, in their order: the sound lock, then the client lock (guards the client array; it
// is re-entrant), then a client's link lock. Everything but GetClient, CanPalyAlarmSound and
// WakeAlarmSound runs on the user-interface thread, the only thread that changes the array.
#pragma once

#include "nyraclient/client/ClientMessages.h"
#include "nyraclient/client/NyraClientOwner.h"
#include "nyraclient/key/CClientKeyPool.h"
#include "nyraclient/manager/CClientLayout.h"
#include "nyraclient/manager/AlarmSoundNotice.h"
#include "nyraclient/manager/CAlarmSoundThread.h"
#include "nyraclient/thread/NyraWorkerThread.h"

#include "nrdata/config/NyraConfig.h"

#include "platform/core/Geometry.h"
#include "platform/core/Sync.h"

#include <array>
#include <mutex>
#include <atomic>
#include <vector>

class CUSerialEx;
class CDC;
class CRgn;
class CWnd;
class NyraClientInfo;
class NyraClientSock;
class TBLPatient;

class NyraClientManager : public NyraClientOwner
{
public:
    static constexpr int kMaxBeds = 2;
    static constexpr int kMaxListedBedsFixed = 4;
    static constexpr int kKeyCount = 2;
    static constexpr int kMaxMonitorNumber = 16;

    explicit NyraClientManager(CWnd* pParent = nullptr);
    ~NyraClientManager() override;
    NyraClientManager(const NyraClientManager&) = delete;
    NyraClientManager& operator=(const NyraClientManager&) = delete;

    // ---- settings ------------------------------------------------------------------------
    void SetParent(CWnd* pParent) { m_pParent = pParent; }
    CWnd* GetParent() const override { return m_pParent; }
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
    int IsEnableMonitor(int number) override;

    // ---- re-attaching and removing ----------------------------------------------------------
    void ReConnected(NyraClientSock* pSock, int index);
    void ReConnected(CUSerialEx* pSerial, int index);
    void Disconnected(NyraClientInfo* pClient) override;
    void Disconnected(NyraClientSock* pSock);
    void Disconnected(CUSerialEx* pSerial);
    void RemoveClient(NyraClientInfo* pClient, BOOL bForce);
    void ClearAll();

    // ---- per-bed pass-throughs --------------------------------------------------------------
    void Admit(NyraClientInfo* pClient, TBLPatient& patient);
    void Discharge(NyraClientInfo* pClient);
    void RefreshClient(NyraClientInfo* pClient);
    int CanPalyAlarmSound();

    // ---- grid, pages and the enlarged bed (NyraClientManagerPages.cpp) ---------------------
    // The grid's display mode (0 one bed enlarged, 1 two, 2 four, 3 eight, 4 sixteen beds; any
    // other value shows mode 0); with bApply the tiles take the new mode at once.
    void SetDisplayMode(int mode, BOOL bApply);
    int GetDisplayMode() const { return static_cast<int>(m_Layout.GetMode()); }
    // Lays the grid out in that rectangle of the parent: the beds of the current page get their
    // tile windows (the others lose theirs) and go to their tiles. The second form repeats it
    // with the stored rectangle.
    void ResetLayout(int x, int y, int width, int height);
    void ResetLayout();
    int GetPageSize() const;
    // Pages of the array (empty places count); 0 while no display mode is set.
    int GetTotalPageCount() const;
    int GetCurrentPage() const { return m_nCurrentPage; }
    void ShowPage(int page);
    void ShowNextPage();
    void ShowPrevPage();
    BOOL CanNext() const;
    BOOL CanPrev() const;
    // Orders the beds by monitor number (or at their numbers' places with "Device Position Fix").
    void Sort(BOOL bRelayout) override;
    // Shows the bed enlarged (switching the grid to mode 0): 1 when it is the enlarged bed.
    int ExpandClient(NyraClientInfo* pClient);
    int ExpandClient(NyraClientInfo* pClient, BOOL bRelayout);
    void CollapseClient(BOOL bRelayout);
    NyraClientInfo* GetExpandedClient() const { return m_pExpandedClient; }
    BOOL IsEnlargeMode() const { return m_pExpandedClient != nullptr ? TRUE : FALSE; }
    const CClientLayout& GetLayout() const { return m_Layout; }
    int IsTileIdUsed(int index) const { return m_TileUsed[size_t(index)]; }
    // The first free tile id index (0 to 15), -1 when all are in use.
    int GetUsableCustomId() const;
    // The region of the tiles and the enlarged bed of the current page; FALSE when no bed is on it.
    BOOL CreateClientsRegion(CRgn& region, int width, int height);
    // A bed window (NyraControl) for the client's tile or enlarged window.
    NyraBedWindow* MakeBedWindow(NyraClientInfo* pClient, int tag) override;
    // Fills the grid rectangle outside the beds.
    void EraseBkgnd(CDC* pDC, COLORREF colour);

    // ---- alarm sound and demo beds ---------------------------------------------------------
    // Starts the alarm-sound thread (none when one runs already), which plays the alarm sound
    // every 3 seconds while a bed wants it. StopAlarm asks it to end and does not wait; the
    // destructor stops it and waits for its end. Both on the user-interface thread.
    void StartAlarm();
    void StopAlarm();
    // Any thread (a bed's alarm manager calls it when its alarms begin): the alarm-sound thread
    // looks at the beds again.
    void WakeAlarmSound();
    // Adds a demo bed: 1, or 0 when refused (two beds already: a box says so) or out of memory.
    int AddDemoClient();

    // ---- notifications --------------------------------------------------------------------------
    LRESULT SendMsgToParent(NyraClientInfo* pClient, int nCode, DWORD dwValue) override;

    // ---- viewing stations -------------------------------------------------------------------------
    // The broker server tells the manager how many viewing stations it serves, whenever one
    // connects or goes (any thread). It starts at 0: with no broker, or no viewer connected,
    // the clients queue nothing for the broker, so their queues cannot grow unread.
    void SetViewerCount(int count) { m_nViewerCount.store(count > 0 ? count : 0); }
    int GetViewerCount() const override { return m_nViewerCount.load(); }

    CClientKeyPool& GetKeyPool() { return m_KeyPool; }
    // The client lock, for the broker's pass, which holds it while it reads the beds.
    CCriticalSection& GetClientLock() { return m_ClientLock; }
    bool HoldsClientLock() const override { return m_ClientLock.IsHeldByThisThread(); }

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
    // First and last array index of the current page; false when the array is empty.
    bool PageRange(int& first, int& last) const;
    void UpdateTileWindows(int first, int last);
    void CreateTile(NyraClientInfo* client);
    void PlaceTiles(int first, int last);

    std::vector<NyraClientInfo*> m_Clients;
    NyraClientInfo* m_pExpandedClient { nullptr };
    CWnd* m_pParent;
    std::array<int, BED_TILE_COUNT> m_TileUsed {};
    CClientLayout m_Layout;
    int m_nCurrentPage { 0 };
    int m_nPageCount { 0 };
    // Sound lock: held by the alarm-sound thread for its whole life; first in the lock order.
    CCriticalSection m_SoundLock;
    AlarmSoundNotice m_SoundNotice;
    NyraWorkerControl<CAlarmSoundThread> m_SoundThread;
    // Sound wake lock: guards the sound thread's control against wakes from other threads (a
    // demo bed's generator). Taken alone.
    std::mutex m_SoundWakeLock;
    CCriticalSection m_ClientLock;
    CString m_strDataDir;
    CRect m_rcClient;
    CClientKeyPool m_KeyPool;
    NyraConfig m_Config;
    std::atomic<int> m_nViewerCount { 0 };
};
