// NyraClientInfo: construction and destruction, settings, identity, bed windows, admission,
// closing and the broker queue. The trend store and the recording are in nyraclient/trend/ and
// nyraclient/record/.
#include "nyraclient/client/NyraClientInfo.h"

#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientOwner.h"
#include "nyraclient/client/NyraClientSock.h"
#include "nyraclient/link/CUSerialEx.h"

#include "ktutil/KTGF.h"
#include "nrdata/buffer/CSmartBuffer.h"
#include "platform/core/Check.h"

#include <array>

const platform::MessageMap* NyraClientInfo::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_RECEIVE_SOCKET_DATA, &NyraClientInfo::OnReceiveSocketData>(),
        Message<WM_RECEIVE_SERIAL_DATA, &NyraClientInfo::OnReceiveSerialData>(),
        Message<WM_RECORD_UPDATE, &NyraClientInfo::OnRecordUpdate>(),
        Message<WM_DEMO_DATA, &NyraClientInfo::OnDemoData>(),
        Message<WM_TIMER, &NyraClientInfo::OnTimer>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

// ==== life =======================================================================================

NyraClientInfo::NyraClientInfo(NyraClientOwner* pManager, int bDemo, int bAutoDelete)
    : m_pManager(pManager), m_bDemo(bDemo), m_bAutoDelete(bAutoDelete)
{
    Default();
    m_ProtocolVerPacket.SetVersion(1, 0);
    m_ParamPacket.Clear(0xFF);
    m_AlarmPacket.Clear(0);
    // Alarm values are written on this client's thread, where its windows are known.
    m_AlarmManager.SetChangeHook([this] { ForEachBedWindow([](NyraBedWindow* wnd) { wnd->WakeCaptionPainter(); }); });
    CWnd* parent = m_pManager != nullptr ? m_pManager->GetParent() : nullptr;
    // A child of the station's window when there is one; a hidden top-level otherwise, so
    // that a manager without a window (tests, tools) still gets its clients' messages.
    const DWORD style = parent != nullptr && parent->GetSafeHwnd() != nullptr ? WS_CHILD : WS_POPUP;
    CreateEx(0, nullptr, "", style, CRect(0, 0, 0, 0), style == WS_CHILD ? parent : nullptr, IDC_CLIENT_MESSAGE_WND);
    OpenConnectionCheck();
}

NyraClientInfo::~NyraClientInfo()
{
    StopDemo();
    CloseConnectionCheck();
    m_BrokerLock.Lock();
    for (CSmartBuffer* buffer : m_BrokerQueue)
        buffer->RemoveRef(1);
    m_BrokerQueue.clear();
    m_BrokerLock.Unlock();
    if (m_bAutoDelete) {
        CloseClient();
        DestroyComponent();
    }
    DropTail();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void NyraClientInfo::Default()
{
    m_bConnected = 0;
    m_pSocket = nullptr;
    m_pSerial = nullptr;
    m_nComPort = 0;
    std::fill(std::begin(m_PeerAddr), std::end(m_PeerAddr), BYTE(0));
    std::fill(std::begin(m_LocalAddr), std::end(m_LocalAddr), BYTE(0));
    m_pControl = nullptr;
    m_pEnlargedControl = nullptr;
    m_nControlID = -1;
    std::lock_guard lock(m_SettingsLock);
    m_AdmitPatient = TBLPatientRow();
}

// ==== settings ===================================================================================

void NyraClientInfo::SetConfig(NyraConfig config, int bKeepRecordLimit)
{
    bool soundOn = false;
    {
        std::lock_guard lock(m_SettingsLock);
        if (bKeepRecordLimit)
            config.RecordLimit = m_Config.RecordLimit;
        soundOn = config.AllAlarmSound != 0 && m_Config.AllAlarmSound == 0;
        m_Config = config;
    }
    // Alarms already there may sound now.
    if (soundOn)
        m_AlarmManager.WakeSound();
}

void NyraClientInfo::SetDisplayFlags(const std::array<int, NyraConfig::kDisplayFlags>& flags)
{
    std::lock_guard lock(m_SettingsLock);
    m_Config.DisplayFlag = flags;
}

NyraConfig NyraClientInfo::GetConfig() const
{
    std::lock_guard lock(m_SettingsLock);
    return m_Config;
}

void NyraClientInfo::SetAlarmPacket(const PKAlarm_v110& packet)
{
    std::lock_guard lock(m_SettingsLock);
    m_AlarmPacket.CopyPacket(&packet);
}

void NyraClientInfo::SetMonitorPacket(const PKMonitor_v110& packet)
{
    std::lock_guard lock(m_SettingsLock);
    m_MonitorPacket.CopyPacket(&packet);
}

namespace {

// The display flags that a monitor layout sets: flag index and its value in display modes
// 1 Antepartum, 2 Mother / Fetal, 3 Intrapartum, 4 Mother Only.
struct LayoutFlag
{
    int flag;
    std::array<int, 4> value;
};
constexpr int kFlagFM1 = 13;
constexpr int kFlagFM2 = 14;
constexpr LayoutFlag kLayoutFlags[] = {
    { 0, { 0, 1, 1, 1 } },                                                 // bed window's waves
    { 1, { 0, 1, 1, 1 } }, { 2, { 0, 1, 1, 1 } }, { 3, { 0, 1, 1, 1 } },   // ECG HR, SpO2, rate
    { 4, { 0, 1, 1, 1 } }, { 5, { 0, 1, 1, 1 } },                         // temperature, NIBP
    { 6, { 1, 1, 1, 0 } },                                                 // UC
    { 7, { 0, 0, 1, 0 } }, { 8, { 0, 0, 1, 0 } },                          // IUP, FECG
    { 11, { 0, 0, 1, 0 } }, { 12, { 0, 0, 1, 0 } },                        // FSpO2, its rate
    { 9, { 1, 1, 1, 0 } }, { 10, { 1, 1, 1, 0 } },                         // FHR1, FHR2
    { kFlagFM1, { 1, 1, 1, 0 } }, { kFlagFM2, { 1, 1, 1, 0 } },            // FM1, FM2
    { 15, { 1, 1, 1, 0 } }, { 16, { 1, 1, 1, 0 } },                        // marker, stimulator
};

} // namespace

void NyraClientInfo::UpdateConfig()
{
    // The painter threads read the settings copy under this lock.
    std::lock_guard lock(m_SettingsLock);
    const int mode = m_MonitorPacket.GetDisplayMode();
    if (mode < 1 || mode > 4)
        return;
    for (const LayoutFlag& entry : kLayoutFlags)
        m_Config.DisplayFlag[size_t(entry.flag)] = entry.value[size_t(mode - 1)];
    ApplyFetalMovementFlags();
}

void NyraClientInfo::UpdateFetalMovementFlags()
{
    std::lock_guard lock(m_SettingsLock);
    ApplyFetalMovementFlags();
}

void NyraClientInfo::ApplyFetalMovementFlags()
{
    WARD_CHECK(m_SettingsLock.IsHeldByThisThread());
    // Mother Only (4) and unknown modes show no fetal movement whatever the monitor says.
    const int mode = m_MonitorPacket.GetDisplayMode();
    if (mode < 1 || mode > 3)
        return;
    if (m_MonitorPacket.GetFetalMovement() == 0) {
        m_Config.DisplayFlag[kFlagFM1] = 0;
        m_Config.DisplayFlag[kFlagFM2] = 0;
    } else if (m_Config.DisplayFlag[kFlagFM1] == 0 && m_Config.DisplayFlag[kFlagFM2] == 0) {
        m_Config.DisplayFlag[kFlagFM1] = 1;
        m_Config.DisplayFlag[kFlagFM2] = 1;
    }
}

int NyraClientInfo::GetDisplayMode() const
{
    int mode = 0;
    {
        std::lock_guard lock(m_SettingsLock);
        mode = m_MonitorPacket.GetDisplayMode();
    }
    return mode >= 1 && mode <= 4 ? mode - 1 : 0;
}

void NyraClientInfo::EnableAlarm(int bEnable)
{
    {
        std::lock_guard lock(m_SettingsLock);
        if (m_Config.AllAlarmSound == bEnable)
            return;
        m_Config.AllAlarmSound = bEnable;
    }
    if (bEnable)
        m_AlarmManager.WakeSound();
    ForEachBedWindow([](NyraBedWindow* wnd) { wnd->ResetIconStatus(); });
}

int NyraClientInfo::IsEnableAlarm() const
{
    std::lock_guard lock(m_SettingsLock);
    return m_Config.AllAlarmSound;
}

int NyraClientInfo::CanPlayAlarmSound() const
{
    return IsEnableAlarm() != 0 && m_AlarmManager.GetAlarmCount() >= 1 ? 1 : 0;
}

PKMonitor_v110 NyraClientInfo::GetMonitorPacket() const
{
    std::lock_guard lock(m_SettingsLock);
    return m_MonitorPacket;
}

PKParam_v110 NyraClientInfo::GetParamPacket() const
{
    std::lock_guard lock(m_ParamPacketLock);
    return m_ParamPacket;
}

PanelSnapshot NyraClientInfo::TakePanelSnapshot() const
{
    PanelSnapshot snapshot;
    {
        std::lock_guard lock(m_ParamPacketLock);
        snapshot.packet = m_ParamPacket;
        snapshot.generation = m_nParamGeneration.load();
    }
    {
        std::lock_guard lock(m_SettingsLock);
        snapshot.config = m_Config;
    }
    snapshot.lastNIBP = GetLastNIBP();
    for (int t = 0; t < ALARMTYPE_COUNT; ++t) {
        snapshot.alarmValues[t] = m_AlarmManager.GetAlarm(static_cast<ALARMTYPE>(t));
        snapshot.alarmLevels[t] = m_AlarmManager.GetAlarmLevel(static_cast<ALARMTYPE>(t));
    }
    snapshot.networkAlarm = m_bNetworkAlarm != 0;
    return snapshot;
}

BOOL NyraClientInfo::BlankParamPacket(unsigned generation)
{
    std::lock_guard lock(m_ParamPacketLock);
    if (m_nParamGeneration.load() != generation)
        return FALSE;
    m_ParamPacket.SetNullData();
    return TRUE;
}

TBLPatientRow NyraClientInfo::CopyAdmittedPatient() const
{
    std::lock_guard lock(m_SettingsLock);
    return m_AdmitPatient;
}

// ==== the link ===================================================================================

bool NyraClientInfo::MayReadLink() const
{
    return platform::IsUserInterfaceThread() ||
           (m_pManager != nullptr && m_pManager->HoldsClientLock());
}

NyraClientSock* NyraClientInfo::GetSocket() const
{
    WARD_CHECK(MayReadLink());
    return m_pSocket;
}

CUSerialEx* NyraClientInfo::GetSerial() const
{
    WARD_CHECK(MayReadLink());
    return m_pSerial;
}

const BYTE* NyraClientInfo::GetLocalAddr() const
{
    WARD_CHECK(MayReadLink());
    return m_LocalAddr;
}

const BYTE* NyraClientInfo::GetPeerAddr() const
{
    WARD_CHECK(MayReadLink());
    return m_PeerAddr;
}

UINT NyraClientInfo::GetComPort() const
{
    WARD_CHECK(MayReadLink());
    return m_nComPort;
}

int NyraClientInfo::GetTileID() const
{
    WARD_CHECK(MayReadLink());
    return m_nTileID;
}

int NyraClientInfo::IsLiveLink() const
{
    WARD_CHECK(MayReadLink());
    return m_bLiveLink;
}

int NyraClientInfo::IsConnected() const
{
    WARD_CHECK(MayReadLink());
    return m_bConnected;
}

// ==== the admitted patient and the study =========================================================

const TBLPatientRow& NyraClientInfo::GetAdmittedPatient() const
{
    WARD_CHECK_UI_THREAD();
    return m_AdmitPatient;
}

const TBLStudy& NyraClientInfo::GetStudy() const
{
    WARD_CHECK_UI_THREAD();
    return m_Study;
}

COleDateTime NyraClientInfo::GetRecordStartTime() const
{
    std::lock_guard lock(m_SettingsLock);
    return m_Study.S_START_TIME;
}

// ==== identity ===================================================================================

void NyraClientInfo::SetKey(int key)
{
    m_nKey = key;
    const BYTE keyByte = LOBYTE(static_cast<unsigned>(key));
    m_ControlPacket.SetKey(keyByte);
    {
        std::lock_guard lock(m_SettingsLock); // the broker copies them whole
        m_PatientPacket.SetKey(keyByte);
        m_AlarmPacket.SetKey(keyByte);
        m_MonitorPacket.SetKey(keyByte);
    }
    {
        std::lock_guard lock(m_ParamPacketLock);
        m_ParamPacket.SetKey(keyByte);
    }
    m_ProtocolVerPacket.SetKey(keyByte);
}

// ==== bed windows ================================================================================

NyraBedWindow* NyraClientInfo::MakeBedWindow(int tag)
{
    return m_pManager != nullptr ? m_pManager->MakeBedWindow(this, tag) : nullptr;
}

int NyraClientInfo::CreateComponent(CWnd* pParent, UINT nID)
{
    if (m_pControl != nullptr)
        return 0;
    NyraBedWindow* control = MakeBedWindow(m_bDemo);
    if (control == nullptr)
        return 0;
    if (!control->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID)) {
        delete control;
        return 0;
    }
    m_pControl = control;
    m_nControlID = static_cast<int>(nID);
    return 1;
}

void NyraClientInfo::DestroyComponent()
{
    m_ControlLock.Lock();
    NyraBedWindow* control = m_pControl;
    m_pControl = nullptr;
    m_nControlID = -1;
    m_ControlLock.Unlock();
    if (control != nullptr && control->GetSafeHwnd() != nullptr) {
        control->ShowWindow(SW_HIDE);
        control->DestroyWindow();
    }
    // A click on the window may be what removes the bed: the object goes once its handler
    // has returned.
    nyraclient::DeleteObjectWhenIdle(control);
}

int NyraClientInfo::Expand(CWnd* pParent)
{
    m_ControlLock.Lock();
    if (m_pEnlargedControl == nullptr) {
        NyraBedWindow* control = MakeBedWindow(0);
        if (control == nullptr) {
            m_ControlLock.Unlock();
            return 0;
        }
        control->SetEnlargeMode(1);
        if (!control->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, IDC_ENLARGED_BED)) {
            delete control;
            m_ControlLock.Unlock();
            return 0;
        }
        control->SetDisplayMode(DISPMODE_ENLARGE);
        m_pEnlargedControl = control;
    }
    m_ControlLock.Unlock();
    RedrawControl();
    return 1;
}

void NyraClientInfo::Collapse()
{
    m_ControlLock.Lock();
    NyraBedWindow* control = m_pEnlargedControl;
    m_pEnlargedControl = nullptr;
    m_ControlLock.Unlock();
    if (control != nullptr) {
        if (control->GetSafeHwnd() != nullptr)
            control->DestroyWindow();
        nyraclient::DeleteObjectWhenIdle(control);
    }
    RedrawControl();
}

void NyraClientInfo::RedrawControl()
{
    ForEachBedWindow([](NyraBedWindow* wnd) { wnd->RedrawControl(); });
}

void NyraClientInfo::RefreshControl(int bCaption, int bParameter)
{
    ForEachBedWindow([&](NyraBedWindow* wnd) {
        if (bCaption)
            wnd->UpdateCaption(1, 1);
        if (bParameter)
            wnd->UpdateParameter();
    });
}

// ==== admission ==================================================================================

namespace {

// The year the database stores for a date never entered, and the packet's "no data" values.
constexpr int kNoDateYear = 1000;
constexpr int kNoDataYear = 0xFFFF;
constexpr int kNoDataByte = 0xFF;

} // namespace

void NyraClientInfo::Admit(TBLPatient& patient)
{
    m_bAdmitted = 0;
    m_bWaitAdmit = 1;
    m_PendingPatient = static_cast<const TBLPatientRow&>(patient);

    // The packet is made whole before it replaces the stored one: the broker copies the stored
    // packet from its own thread and must never see it half written.
    const TBLPatientRow& row = m_PendingPatient;
    PKPatient_v110 packet;
    packet.SetPatientId(row.P_ID);
    packet.SetFirstName(row.P_FIRST_NAME);
    packet.SetLastName(row.P_LAST_NAME);
    packet.SetGender(0);
    // A birthday never entered (year 1000, or no valid date) goes out as "no data", never as
    // year 1000 with an age wrapped into a byte.
    const bool noBirthday = row.P_BIRTHDAY.GetStatus() != COleDateTime::valid || row.P_BIRTHDAY.GetYear() <= kNoDateYear;
    if (noBirthday) {
        packet.SetYear(kNoDataYear);
        packet.SetMonth(kNoDataByte);
        packet.SetDay(kNoDataByte);
        packet.SetAge(kNoDataByte);
    } else {
        packet.SetYear(row.P_BIRTHDAY.GetYear());
        packet.SetMonth(row.P_BIRTHDAY.GetMonth());
        packet.SetDay(row.P_BIRTHDAY.GetDay());
        const int age = KTGF::CalcAge(row.P_BIRTHDAY, 1);
        packet.SetAge(age >= 0 && age < kNoDataByte ? static_cast<BYTE>(age) : BYTE(kNoDataByte));
    }
    packet.SetHeight(row.P_HEIGHT);
    packet.SetWeight(row.P_WEIGHT);
    packet.SetKey(LOBYTE(static_cast<unsigned>(m_nKey)));
    {
        std::lock_guard lock(m_SettingsLock);
        m_SavedPatientPacket = m_PatientPacket;
        m_PatientPacket.Clear();
        m_PatientPacket.CopyPacket(&packet);
    }
    Send_Patient(nullptr, 0);
}

void NyraClientInfo::CancelWaitAdmit()
{
    if (!m_bWaitAdmit)
        return;
    m_bWaitAdmit = 0;
    // The patient packet that was sent is withdrawn: a late acknowledgement must not admit it.
    m_bWaitPatient = 0;
    std::lock_guard lock(m_SettingsLock);
    m_PatientPacket = m_SavedPatientPacket;
}

void NyraClientInfo::Discharge()
{
    RecordStop();
    m_bAdmitted = 0;
    {
        std::lock_guard lock(m_SettingsLock);
        m_AdmitPatient = TBLPatientRow();
        m_PatientPacket.Clear();
    }
    RedrawControl();
}

// ==== closing ====================================================================================

void NyraClientInfo::CloseClient()
{
    if (m_pSocket != nullptr) {
        if (!m_bDisconnectRequest)
            Send_Control(PK_CONTROL_DISCONNECT, 0);
        Sleep(1);
        m_pSocket->SetNotify(nullptr, WM_RECEIVE_SOCKET_DATA, 0);
        m_pSocket->Close();
        nyraclient::DeleteObjectWhenIdle(m_pSocket);
    }
    m_pSocket = nullptr;
    std::fill(std::begin(m_PeerAddr), std::end(m_PeerAddr), BYTE(0));
    if (m_pSerial != nullptr) {
        if (!m_bDisconnectRequest) {
            Send_Control(PK_CONTROL_DISCONNECT, 0);
            Sleep(10);
        }
        m_pSerial->CentralDisconnected();
        m_pSerial->SetNotify(nullptr, WM_RECEIVE_SERIAL_DATA);
        nyraclient::DeleteObjectWhenIdle(m_pSerial);
    }
    m_pSerial = nullptr;
    m_nComPort = 0;
    m_bConnected = 0;
    RecordStop();
}

LRESULT NyraClientInfo::SendMsgToParent(int nCode, DWORD dwValue)
{
    if (m_pManager == nullptr)
        return 0;
    return m_pManager->SendMsgToParent(this, nCode, dwValue);
}

// ==== broker queue ===============================================================================

void NyraClientInfo::AddBrokerSendData(BYTE* data, UINT len)
{
    // Nothing is queued while no viewing station is there to read it.
    if (m_pManager == nullptr || m_pManager->GetViewerCount() == 0)
        return;
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(data, len, 1, 1);
    if (buffer == nullptr)
        return;
    CSmartBuffer* dropped = nullptr;
    m_BrokerLock.Lock();
    // A queue that nobody drains loses its oldest whole packet rather than grow without end.
    if (m_BrokerQueue.size() >= kBrokerQueueLimit) {
        dropped = m_BrokerQueue.front();
        m_BrokerQueue.pop_front();
    }
    m_BrokerQueue.push_back(buffer);
    m_BrokerLock.Unlock();
    if (dropped != nullptr)
        dropped->RemoveRef(1);
}

int NyraClientInfo::CopyStoredPacket(BYTE type, BYTE* out, int room) const
{
    const PKBase* packet = nullptr;
    switch (type) {
    case PK_TYPE_PARAM: packet = &m_ParamPacket; break;
    case PK_TYPE_PATIENT: packet = &m_PatientPacket; break;
    case PK_TYPE_ALARM: packet = &m_AlarmPacket; break;
    case PK_TYPE_MONITOR: packet = &m_MonitorPacket; break;
    default: return 0;
    }
    // The parameter packet has a lock of its own (the painters copy it many times a second).
    std::lock_guard lock(type == PK_TYPE_PARAM ? m_ParamPacketLock : m_SettingsLock);
    const int size = packet->GetPacketSize();
    if (out == nullptr || size > room)
        return 0;
    std::copy(packet->GetPacket(), packet->GetPacket() + size, out);
    return size;
}

CSmartBuffer* NyraClientInfo::GetBrokerSendData()
{
    m_BrokerLock.Lock();
    CSmartBuffer* buffer = nullptr;
    if (!m_BrokerQueue.empty()) {
        buffer = m_BrokerQueue.front();
        m_BrokerQueue.pop_front();
    }
    m_BrokerLock.Unlock();
    return buffer;
}

UINT NyraClientInfo::GetBrokerSendDataSize()
{
    m_BrokerLock.Lock();
    const UINT size = static_cast<UINT>(m_BrokerQueue.size());
    m_BrokerLock.Unlock();
    return size;
}
