// NyraClientInfo: the station's picture of one bedside monitor (or demo bed). A hidden child
// window of the station's window, so that its socket, its serial link and its own watchdog
// timer reach it by window messages on the user-interface thread.
//
// It holds the link, the last packet of every kind, the alarm state, the bed windows, the
// waiting flags of settings sent to the monitor and the queue for the broker. The byte stream
// of the link is cut into packets here (ClientStream.cpp), each packet acknowledged and passed
// on (ClientHandlers.cpp); settings go out with ClientSend.cpp; the connection watchdog is in
// ClientWatchdog.cpp; the trend store, the recording and the demo generator are joined to the
// client in ClientTrend.cpp, ClientRecording.cpp and ClientDemo.cpp.
//
// Locks of the client, in their order: link lock, then the recorder's recording-state lock
// (inside the time-out only). The bed-window lock and the broker-queue lock are never held
// with another; the settings, parameter and NIBP locks are each taken alone.
#pragma once

#include "nyraclient/alarm/NyraAlarmManager.h"
#include "nyraclient/client/ClientMessages.h"
#include "nyraclient/client/NyraBedWindow.h"
#include "nyraclient/demo/CDemoThread.h"
#include "nyraclient/thread/SmartBufferQueue.h"
#include "nyraclient/record/CRecorder.h"
#include "nyraclient/trend/CTrendStore.h"

#include "nrdata/config/NyraConfig.h"
#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/packet/PKControl.h"
#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/packet/PKProtocolVer.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"

#include "platform/core/CheckedMutex.h"
#include "platform/core/Sync.h"
#include "platform/msg/Wnd.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <vector>

class CSmartBuffer;
class CUSerialEx;
class NyraClientOwner;
class NyraClientSock;

// The bed's last finished NIBP measurement, kept for the parameter panel between readings. A
// pressure that was not measured is kNone.
struct NIBPReading
{
    static constexpr WORD kNone = 0xFFFF;
    WORD systolic { kNone };
    WORD diastolic { kNone };
    WORD mean { kNone };
    COleDateTime time { NullDateTime() }; // local time of the measurement; null when none

    bool IsComplete() const { return systolic != kNone && diastolic != kNone && mean != kNone; }
    static COleDateTime NullDateTime()
    {
        COleDateTime none;
        none.SetStatus(COleDateTime::null);
        return none;
    }
};

// What a bed window's panel draws in one pass, copied from the client at once: the parameter
// packet (and how many were stored), the settings, the last NIBP reading, every alarm's value
// and level, and whether the link timed out. Every number of one drawing comes from one packet.
struct PanelSnapshot
{
    PKParam_v110 packet;
    unsigned generation { 0 };
    NyraConfig config;
    NIBPReading lastNIBP;
    BYTE alarmValues[ALARMTYPE_COUNT] {};
    BYTE alarmLevels[ALARMTYPE_COUNT] {};
    bool networkAlarm { false };
};

class NyraClientInfo : public CWnd,
                       private CTrendStoreOwner,
                       private nyraclient::record::CRecorderOwner,
                       private CDemoThreadOwner
{
public:
    // What a settings dialog waits for (IsWaitingAck).
    enum WAIT_ACK
    {
        WAIT_ACK_ADMIT = 0,
        WAIT_ACK_ALARM = 1,
        WAIT_ACK_MONITOR = 2,
        WAIT_ACK_PATIENT = 3,
    };

    // ---- stream constants ---------------------------------------------------------------
    static constexpr int kWorkBufferSize = 8192;
    static constexpr UINT kWatchdogTimer = 5;
    static constexpr UINT kWatchdogPeriodMs = 1000;
    static constexpr int kTimeOutLanMs = 15000;
    static constexpr int kTimeOutSerialMs = 30000;

    explicit NyraClientInfo(NyraClientOwner* pManager = nullptr, int bDemo = 0, int bAutoDelete = 1);
    ~NyraClientInfo() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void SetAutoDelete(int bAutoDelete) { m_bAutoDelete = bAutoDelete; }

    // ---- settings ----------------------------------------------------------------------
    // The bed's copy of the settings, written and read under the settings lock (painter
    // threads read it).
    void SetConfig(NyraConfig config, int bKeepRecordLimit);
    NyraConfig GetConfig() const;
    // The display flags of the bed's copy (which SetConfig keeps): the trend visibility that the
    // user chose for this bed.
    void SetDisplayFlags(const std::array<int, NyraConfig::kDisplayFlags>& flags);
    void UpdateConfig();
    // Only FM1 and FM2 from the monitor's fetal-movement setting, the other flags as they are.
    void UpdateFetalMovementFlags();
    int GetDisplayMode() const;
    void EnableAlarm(int bEnable);
    // The settings' "All Alarm Sound": 1 while the bed's alarm sound is on (any thread).
    int IsEnableAlarm() const;
    // Any thread (the alarm-sound thread asks), under the settings lock.
    int CanPlayAlarmSound() const;

    // ---- identity ----------------------------------------------------------------------
    void SetKey(int key);
    int GetKey() const { return m_nKey; }
    void Default();

    // ---- bed windows -------------------------------------------------------------------
    // The windows are made by the manager (NyraClientOwner::MakeBedWindow); a client without a
    // manager has none. The bed window code reaches the NyraControl of a client through
    // NyraControl::TileOf and EnlargedOf.
    int CreateComponent(CWnd* pParent, UINT nID);
    void DestroyComponent();
    int IsComponentExist() const { return m_pControl != nullptr; }
    int Expand(CWnd* pParent);
    void Collapse();
    void RedrawControl();
    void RefreshControl(int bCaption, int bParameter);
    NyraBedWindow* GetControl() const { return m_pControl; }
    NyraBedWindow* GetEnlargedControl() const { return m_pEnlargedControl; }
    int GetControlID() const { return m_nControlID; }

    // ---- admission ---------------------------------------------------------------------
    void Admit(TBLPatient& patient);
    void CancelWaitAdmit();
    void Discharge();
    int IsAdmitted() const { return m_bAdmitted; }
    // A copy of the admitted patient, for the painters (any thread).
    TBLPatientRow CopyAdmittedPatient() const;

    // ---- closing -----------------------------------------------------------------------
    void CloseClient();
    LRESULT SendMsgToParent(int nCode, DWORD dwValue);

    // ---- packet stream (ClientStream.cpp) ---------------------------------------------------
    LRESULT OnReceiveSocketData(WPARAM, LPARAM);
    LRESULT OnReceiveSerialData(WPARAM, LPARAM);
    // Cuts `count` new bytes (after the held tail) into packets of the TCP stream and hands
    // each to its handler; what is left becomes the tail. Any amount is taken: more than the
    // work buffer holds is worked through in buffer-sized steps. The TCP pass calls it after
    // its read; a recorded stream can be fed through it directly.
    void AssembleStream(const BYTE* bytes, int count);
    // The same for the serial stream of 110-byte frames.
    void AssembleSerialStream(const BYTE* bytes, int count);
    int GetTailCount() const { return m_nTailCount; }

    // ---- packet handlers (ClientHandlers.cpp) -----------------------------------------------
    void Receive_Control(BYTE* data, int len);
    void Receive_ProtocolVer(BYTE* data, int len);
    void Receive_Patient(BYTE* data, int len);
    void Receive_Alarm(BYTE* data, int len);
    void Receive_Monitor(BYTE* data, int len);
    void Receive_Wave(BYTE* data, int len);
    void Receive_Parameter(BYTE* data, int len);
    int IsPatientPacketChanged(BYTE* data, int len);
    int IsMonitorPacketChanged(BYTE* data, int len);

    // ---- broker queue -------------------------------------------------------------------
    // The most packets the broker queue holds: some 17 minutes of parameters (one a second).
    static constexpr std::size_t kBrokerQueueLimit = 1024;
    // Queues a copy for the broker while the manager reports a viewing station (nothing
    // otherwise); a full queue drops its oldest packet first.
    void AddBrokerSendData(BYTE* data, UINT len);
    CSmartBuffer* GetBrokerSendData();
    UINT GetBrokerSendDataSize();
    int IsBrokerEnable() const { return m_bBrokerEnable; }
    // Copies the stored packet of that kind (parameter, patient, alarm or monitor settings)
    // whole, under the settings lock: its length, or 0 for another kind or too small a room.
    int CopyStoredPacket(BYTE type, BYTE* out, int room) const;

    // ---- sending (ClientSend.cpp) -----------------------------------------------------------
    void SendPacket(BYTE* data, UINT len);
    void Send_Control(BYTE type, BYTE data);
    void Send_Patient(BYTE* data, UINT len);
    void Send_Alarm(BYTE* data, UINT len);
    void Send_Monitor(BYTE* data, UINT len);
    int IsWaitingAck(int kind) const;

    // ---- connection watchdog (ClientWatchdog.cpp) -------------------------------------------
    void OpenConnectionCheck();
    void ResetConnectionCheck();
    void CloseConnectionCheck();
    void OnTimer(UINT_PTR nIDEvent);
    void TimeOut();
    int IsNetworkAlarm() const { return m_bNetworkAlarm; }

    // ---- trend store (ClientTrend.cpp) ------------------------------------------------------
    // The trend store takes each accepted parameter packet here (and hands it to the
    // recording).
    int AddTrendData(const BYTE* data);
    int GetTrendFedCount() const { return m_nTrendFed; }
    const CTrendStore& GetTrendStore() const { return m_TrendStore; }
    UINT GetCountsOfTrendData() const { return m_TrendStore.GetCountsOfTrendData(); }
    // A copy of entry `index` (0 = oldest), taken under the store's lock; FALSE beyond the end.
    BOOL CopyTrendDataAtIndex(UINT index, BYTE* out) const { return m_TrendStore.CopyTrendDataAtIndex(index, out); }
    COleDateTime GetStartTimeOfTrend() const { return m_TrendStore.GetStartTimeOfTrend(); }
    UINT GetStartStampOfTrend() const { return m_TrendStore.GetStartStampOfTrend(); }
    UINT GetSignalLossOfRecored() const { return m_TrendStore.GetSignalLossOfRecored(); }
    void SetLockTrendDelete(int bLock) { m_TrendStore.SetLockTrendDelete(bLock); }
    void RemoveAllTrendData() { m_TrendStore.RemoveAllTrendData(); }
    int IsValidRange(int kind, UINT first, UINT count) const;
    // The first trend entry a bed window shows (the enlarged window's, else the tile's); 0
    // without a window.
    UINT GetTrendFirstIndexShown() const;
    // The last finished NIBP measurement (none after a monitor restart); any thread.
    NIBPReading GetLastNIBP() const;

    // ---- recording (ClientRecording.cpp) ----------------------------------------------------
    void RecordStart(const char* lpszDataPath, TBLStudy& study);
    void RecordStop();
    LRESULT OnRecordUpdate(WPARAM, LPARAM);
    int IsRecording() const { return m_Recorder.IsRecording(); }
    // The running recording's start (any thread; null when none runs).
    COleDateTime GetRecordStartTime() const;
    int IsRecordInterrupted() const { return m_Recorder.IsInterrupted(); }
    void SaveParameterToFile(const BYTE* data, int len) { m_Recorder.SaveParameter(data, len); }
    int SetWaveSaveFlag() { return m_Recorder.SetWaveSaveFlag(); }
    int IsEnableWaveSave() const { return m_Recorder.IsEnableWaveSave(); }
    void SaveWaveToFile() { m_Recorder.SaveWaveToFile(); }
    // Records written to the running recording (a count of records, not bytes).
    UINT GetFileLength() const { return m_Recorder.GetFileLength(); }
    // The running recording's study row. The reference is unguarded: only the user-interface
    // thread, which alone changes the study, may hold it (checked). Other threads ask
    // GetRecordStartTime.
    const TBLStudy& GetStudy() const;
    // The working file of the running recording; empty when none runs.
    const CString& GetRecordPath() const { return m_Recorder.GetPath(); }
    // Why the recording that is ending could not be written on (the disk is full, ...): set
    // while the recording-ended notification runs for a recording that a write error ended,
    // no error otherwise.
    const nyraclient::record::RecordWriteError& GetRecordWriteError() const { return m_Recorder.GetWriteError(); }

    // ---- demo bed (ClientDemo.cpp) ----------------------------------------------------------
    // Starts the generator thread (none when one runs); StopDemo stops it and waits for its
    // end, then drops what it left in the demo queue. Both on the user-interface thread.
    void StartDemo();
    void StopDemo();
    int IsDemoRunning() const { return m_DemoThread.IsStarted(); }
    // The generator thread's hand-over: a copy of the packet joins the demo queue (a full queue
    // drops its oldest packet); one that finds the queue empty posts WM_DEMO_DATA. Nothing is
    // queued once the client's window is gone.
    void PushDemoPacket(const BYTE* data, int len) override;
    // Hands the waiting demo packets, oldest first, to the packet handlers (user-interface thread).
    LRESULT OnDemoData(WPARAM, LPARAM);
    static constexpr std::size_t kDemoQueueLimit = 4096;

    // ---- state for the manager and the station ------------------------------------------
    NyraAlarmManager& GetAlarmManager() { return m_AlarmManager; }
    int IsDemo() const { return m_bDemo; }
    int IsConnected() const;
    int IsMonitorAccepted() const { return m_bMonitorAccepted; }
    int IsDisconnectRequested() const { return m_bDisconnectRequest; }

    const PKControl& GetControlPacket() const { return m_ControlPacket; }
    const PKProtocolVer& GetProtocolVerPacket() const { return m_ProtocolVerPacket; }
    const PKPatient_v110& GetPatientPacket() const { return m_PatientPacket; }
    const PKAlarm_v110& GetAlarmPacket() const { return m_AlarmPacket; }
    // A copy taken under the settings lock (the painters read it).
    PKMonitor_v110 GetMonitorPacket() const;
    // A copy of the last parameter packet, taken under the parameter lock (the painters read it
    // and blank it from their threads).
    PKParam_v110 GetParamPacket() const;
    // The panel's snapshot, taken under the parameter, settings and NIBP locks, one after the
    // other (each alone, as everywhere). Any thread.
    PanelSnapshot TakePanelSnapshot() const;
    // How many parameter packets were stored: a painter that blanks the numerics passes the
    // count it last saw, so that it never blanks a packet newer than its silence.
    unsigned GetParamGeneration() const { return m_nParamGeneration.load(); }
    // Replaces the stored packet by its no-data form unless a newer packet arrived since
    // `generation`. Any thread.
    BOOL BlankParamPacket(unsigned generation);
    // A settings dialog stores what the monitor acknowledged through these (settings lock).
    void SetAlarmPacket(const PKAlarm_v110& packet);
    void SetMonitorPacket(const PKMonitor_v110& packet);
    PKPatient_v110& PatientPacket() { return m_PatientPacket; }
    PKAlarm_v110& AlarmPacket() { return m_AlarmPacket; }
    PKMonitor_v110& MonitorPacket() { return m_MonitorPacket; }
    // The admitted patient, unguarded: only the user-interface thread, which alone changes it,
    // may hold the reference (checked). Other threads take CopyAdmittedPatient.
    const TBLPatientRow& GetAdmittedPatient() const;

    // ---- the link -----------------------------------------------------------------------
    // The manager hands the link over and changes it on the user-interface thread: before the
    // client joins the manager's array, or under the manager's client lock. So the link is read
    // on the user-interface thread, or on another thread (the broker's pass) only while that
    // thread holds the manager's client lock (checked). The address and the port stay as the
    // hand-over set them; the socket and the serial link change under the link lock too.
    NyraClientSock* GetSocket() const;
    CUSerialEx* GetSerial() const;
    const BYTE* GetLocalAddr() const;
    const BYTE* GetPeerAddr() const; // network order: a.b.c.d; zero for a serial bed
    UINT GetComPort() const;          // 0 for a network bed
    int GetTileID() const;            // the bed's tile on the current page, -1 when off it
    int IsLiveLink() const;

    // The texts of the user working on the bed, as the viewing side shows them.
    CString m_strDoctorID;
    CString m_strNurseID;

private:
    // The link's readers' rule (see GetSocket).
    bool MayReadLink() const;

    // The link, as the manager sets it (the manager's hand-over).
    NyraClientSock* m_pSocket { nullptr };
    BYTE m_LocalAddr[4] {};
    BYTE m_PeerAddr[4] {};
    CUSerialEx* m_pSerial { nullptr };
    UINT m_nComPort { 0 };
    int m_bConnected { 0 };
    int m_nTileID { -1 };
    int m_bLiveLink { 1 };
    // Link lock (see the file comment for the order): guards the socket and the serial link
    // against the time-out.
    CCriticalSection m_LinkLock;

    // The fetal-movement rule of UpdateConfig; the caller holds the settings lock (checked).
    void ApplyFetalMovementFlags();
    friend class NyraClientManager;

    void DropTail();
    void KeepTail(const BYTE* bytes, int count);
    int TakeTail(BYTE* buffer);
    // The held tail, then as many of the new bytes as fit, into the work buffer; the bytes
    // taken are consumed from `bytes`/`count`. Returns the fill level.
    int FillWorkBuffer(BYTE* buffer, const BYTE*& bytes, int& count);
    void DispatchPacket(BYTE* packet, int len);
    // Queues for the broker the settings the monitor acknowledged (ClientHandlers.cpp).
    void RelayAcknowledged(std::vector<BYTE>& sent, const PKBase& stored);
    void FinishPass();
    template <class Read, class Assemble>
    void RunPass(Read read, Assemble assemble);
    // The trend store's questions (ClientTrend.cpp).
    int IsTrendRecording() const override { return m_Recorder.IsRecording(); }
    void StopTrendRecording() override { RecordStop(); }
    void MarkRecordInterrupted() override { m_Recorder.MarkInterrupted(); }
    void OnTrendStarted() override;
    void OnTrendJumpedBack() override;
    void OnTrendEntry(const BYTE* entry, int len) override { SaveParameterToFile(entry, len); }
    // The generator's question (ClientDemo.cpp).
    int GetDemoKey() const override { return m_nKey; }
    // Keeps the packet's pressures as the bed's last reading when it ends a measurement.
    void KeepNIBPReading(const PKParam_v110& packet);
    int IsTrendReviewMode() const override;
    int GetRecordLimitMinutes() const override { return m_Config.RecordLimit; }
    // The recorder's questions (ClientRecording.cpp).
    BYTE GetRecordECGLead() const override;
    void OnRecordProgress() override;
    void OnRecordEnding() override;
    void OnRecordEnded() override;

    // A new bed window from the manager; none without a manager.
    NyraBedWindow* MakeBedWindow(int tag);
    // Calls fn on each bed window (normal, enlarged) whose window exists.
    template <class Fn>
    void ForEachBedWindow(Fn fn)
    {
        for (NyraBedWindow* wnd : { m_pControl, m_pEnlargedControl })
            if (wnd != nullptr && ::IsWindow(wnd->GetSafeHwnd()))
                fn(wnd);
    }

    NyraClientOwner* m_pManager;
    NyraConfig m_Config;
    NyraBedWindow* m_pControl { nullptr };
    NyraBedWindow* m_pEnlargedControl { nullptr };
    NyraAlarmManager m_AlarmManager;
    int m_nControlID { -1 };
    CCriticalSection m_ControlLock;   // bed-window lock
    // Read by the broker's pass on its own thread.
    std::atomic<int> m_bMonitorAccepted { 0 };
    CCriticalSection m_BrokerLock;    // broker-queue lock
    int m_bDemo;
    DWORD m_dwLastDataTick { 0 };
    std::atomic<int> m_bNetworkAlarm { 0 };
    int m_bDisconnectRequest { 0 };
    int m_nTailCount { 0 };
    std::vector<BYTE> m_Tail;
    int m_nKey { 0 };
    TBLPatientRow m_AdmitPatient;
    TBLPatientRow m_PendingPatient;
    std::atomic<int> m_bAdmitted { 0 };
    int m_bWaitAdmit { 0 };
    int m_bWaitAlarm { 0 };
    int m_bWaitMonitor { 0 };
    int m_bWaitPatient { 0 };
    PKControl m_ControlPacket;
    PKPatient_v110 m_PatientPacket;
    PKPatient_v110 m_SavedPatientPacket;
    PKAlarm_v110 m_AlarmPacket;
    PKMonitor_v110 m_MonitorPacket;
    PKParam_v110 m_ParamPacket;
    PKProtocolVer m_ProtocolVerPacket;
    // The settings last sent with Send_Alarm / Send_Monitor: what the monitor's ACK confirms,
    // and so what the broker relays then.
    std::vector<BYTE> m_SentAlarm;
    std::vector<BYTE> m_SentMonitor;
    // Settings lock: guards m_Config, m_AlarmPacket, m_MonitorPacket, m_PatientPacket (and its
    // saved copy), m_AdmitPatient and m_Study. They change on the user-interface thread under
    // it; other threads (painters, the broker's pass, the alarm-sound thread) read them only
    // under it, by copy. Taken alone.
    mutable platform::CheckedMutex m_SettingsLock;
    // Parameter lock: guards m_ParamPacket, written on the receiving thread and blanked by the
    // parameter painters. Taken alone.
    mutable platform::CheckedMutex m_ParamPacketLock;
    std::atomic<unsigned> m_nParamGeneration { 0 };
    // NIBP lock: guards m_LastNIBP, written on the user-interface thread and read by the
    // painters. Taken alone.
    mutable platform::CheckedMutex m_NIBPLock;
    NIBPReading m_LastNIBP;
    int m_bAutoDelete;
    int m_nTrendFed { 0 };
    CTrendStore m_TrendStore { *this };
    TBLStudy m_Study;
    nyraclient::record::CRecorder m_Recorder { *this };
    int m_bBrokerEnable { 1 };
    std::deque<CSmartBuffer*> m_BrokerQueue;
    NyraWorkerControl<CDemoThread> m_DemoThread;
    nyraclient::SmartBufferQueue m_DemoQueue { kDemoQueueLimit };
    // Depth of receive passes running on this client (a pass may nest through a modal loop).
    int m_nPassDepth { 0 };
};
