// Packet handlers: each loads one whole packet into the client's stored packet of its kind,
// answers the monitor (ACK 0xF1 / NAK 0xF0 with the kind answered) and passes the content on
// to the bed windows, the alarm manager, the trend store and the broker queue.
//
// Answer table:
//   kind   loaded with key check   success          failure
//   0xA0   own rule (connect any)  by control code  NAK A0 (length) / NAK code (key)
//   0xB0   yes                     ACK B0           NAK B0
//   0xB1   yes                     ACK B1           NAK B1
//   0xB2   yes                     ACK B2           NAK B2
//   0xB3   yes                     ACK B3 when the  NAK B3
//                                  number is taken,
//                                  else no answer
//   0xC0   last byte = key         none             NAK C0
//   0xC1   yes                     ACK C1           NAK C1
// A failed load changes no stored packet and does not reset the watchdog.
#include "nyraclient/client/NyraClientInfo.h"

#include "nyraclient/client/NyraClientOwner.h"
#include "nyraclient/link/CUSerialEx.h"

#include "nrdata/buffer/CSmartBuffer.h"

#include <cstring>

namespace {

constexpr int kWaveLength = 56;

} // namespace

// ==== control ====================================================================================

void NyraClientInfo::Receive_Control(BYTE* data, int len)
{
    PKControl packet;
    if (!packet.SetPacket(data, len, 0)) {
        Send_Control(PK_CONTROL_NAK, PK_TYPE_CONTROL);
        return;
    }
    const BYTE code = packet.GetType();
    if (code == PK_CONTROL_CONNECT) {
        // A connect notice is taken whatever key it carries: it is how a monitor that
        // restarted, or a link the station attached anew, finds its client again.
        packet.SetKey(m_ControlPacket.GetKey());
        ResetConnectionCheck();
        if (m_bNetworkAlarm) {
            m_bNetworkAlarm = 0;
            m_AlarmManager.SetAlarm(ALARMTYPE_NETWORK, 0);
            m_bConnected = 1;
        }
    }
    if (m_ControlPacket.GetKey() != packet.GetKey()) {
        Send_Control(PK_CONTROL_NAK, code);
        return;
    }
    m_ControlPacket.CopyPacket(&packet);

    switch (code) {
    case PK_CONTROL_DISCONNECT:
        m_bDisconnectRequest = 1;
        if (m_pSerial != nullptr)
            m_pSerial->SetNotify(nullptr, WM_RECEIVE_SERIAL_DATA);
        Send_Control(PK_CONTROL_ACK, PK_CONTROL_DISCONNECT);
        break;
    case PK_CONTROL_CONNECT:
        Send_Control(PK_CONTROL_ACK, PK_CONTROL_CONNECT);
        break;
    case PK_CONTROL_NAK:
        // The monitor refused settings: the waiting flag stays and the dialog's wait runs out.
        break;
    case PK_CONTROL_ACK:
        switch (packet.GetData()) {
        case PK_TYPE_PATIENT:
            if (m_bWaitAdmit) {
                m_bWaitAdmit = 0;
                m_bAdmitted = 1;
            }
            if (m_bWaitPatient) {
                m_bWaitPatient = 0;
                std::lock_guard lock(m_SettingsLock);
                m_AdmitPatient = m_PendingPatient;
            }
            if (m_bBrokerEnable)
                AddBrokerSendData(m_PatientPacket.GetPacket(), UINT(m_PatientPacket.GetPacketSize()));
            break;
        case PK_TYPE_ALARM:
            m_bWaitAlarm = 0;
            RelayAcknowledged(m_SentAlarm, m_AlarmPacket);
            break;
        case PK_TYPE_MONITOR:
            m_bWaitMonitor = 0;
            RelayAcknowledged(m_SentMonitor, m_MonitorPacket);
            break;
        default: break;
        }
        ForEachBedWindow([](NyraBedWindow* wnd) { wnd->ResetIconStatus(); });
        break;
    default:
        Send_Control(PK_CONTROL_NAK, code);
        break;
    }
}

// ==== settings and identity ======================================================================

void NyraClientInfo::RelayAcknowledged(std::vector<BYTE>& sent, const PKBase& stored)
{
    // What the monitor confirmed is what was sent: the dialog stores it only after the ACK,
    // so the stored packet may still be the old one here.
    if (m_bBrokerEnable) {
        if (!sent.empty())
            AddBrokerSendData(sent.data(), UINT(sent.size()));
        else
            AddBrokerSendData(const_cast<BYTE*>(stored.GetPacket()), UINT(stored.GetPacketSize()));
    }
    sent.clear();
}

void NyraClientInfo::Receive_ProtocolVer(BYTE* data, int len)
{
    if (!m_ProtocolVerPacket.SetPacket(data, len, 1)) {
        Send_Control(PK_CONTROL_NAK, PK_TYPE_PROTOCOL_VER);
        return;
    }
    ResetConnectionCheck();
    Send_Control(PK_CONTROL_ACK, PK_TYPE_PROTOCOL_VER);
}

int NyraClientInfo::IsPatientPacketChanged(BYTE* data, int len)
{
    PKPatient_v110 packet;
    packet.SetKey(LOBYTE(static_cast<unsigned>(m_nKey)));
    if (!packet.SetPacket(data, len, 1))
        return 0;
    return packet.GetPatientId() != m_PatientPacket.GetPatientId()
            || packet.GetFirstName() != m_PatientPacket.GetFirstName()
            || packet.GetLastName() != m_PatientPacket.GetLastName()
        ? 1
        : 0;
}

int NyraClientInfo::IsMonitorPacketChanged(BYTE* data, int len)
{
    PKMonitor_v110 packet;
    packet.SetKey(LOBYTE(static_cast<unsigned>(m_nKey)));
    if (!packet.SetPacket(data, len, 1))
        return 0;
    return packet.GetUnitName() != m_MonitorPacket.GetUnitName()
            || packet.GetMonitorNumber() != m_MonitorPacket.GetMonitorNumber()
            || packet.GetDisplayMode() != m_MonitorPacket.GetDisplayMode()
            || packet.GetECGLead() != m_MonitorPacket.GetECGLead()
        ? 1
        : 0;
}

void NyraClientInfo::Receive_Patient(BYTE* data, int len)
{
    const int changed = IsPatientPacketChanged(data, len);
    // The stored packet is loaded through a copy, so that a refused packet leaves it whole.
    PKPatient_v110 packet(m_PatientPacket);
    if (!packet.SetPacket(data, len, 1)) {
        Send_Control(PK_CONTROL_NAK, PK_TYPE_PATIENT);
        return;
    }
    {
        std::lock_guard lock(m_SettingsLock); // the broker copies it whole
        m_PatientPacket.SetPacket(data, len, 1);
    }
    ResetConnectionCheck();
    if (changed)
        RefreshControl(1, 1);
    Send_Control(PK_CONTROL_ACK, PK_TYPE_PATIENT);
}

void NyraClientInfo::Receive_Alarm(BYTE* data, int len)
{
    PKAlarm_v110 packet(m_AlarmPacket);
    if (!packet.SetPacket(data, len, 1)) {
        Send_Control(PK_CONTROL_NAK, PK_TYPE_ALARM);
        return;
    }
    {
        std::lock_guard lock(m_SettingsLock); // the broker copies it whole
        m_AlarmPacket.SetPacket(data, len, 1);
    }
    ResetConnectionCheck();
    AddBrokerSendData(data, UINT(len));
    Send_Control(PK_CONTROL_ACK, PK_TYPE_ALARM);
}

void NyraClientInfo::Receive_Monitor(BYTE* data, int len)
{
    const int changed = IsMonitorPacketChanged(data, len);
    const BYTE previousMode = m_MonitorPacket.GetDisplayMode();
    const BYTE previousMovement = m_MonitorPacket.GetFetalMovement();
    PKMonitor_v110 packet(m_MonitorPacket);
    if (!packet.SetPacket(data, len, 1)) {
        Send_Control(PK_CONTROL_NAK, PK_TYPE_MONITOR);
        return;
    }
    {
        std::lock_guard lock(m_SettingsLock); // the broker copies it whole
        m_MonitorPacket.SetPacket(data, len, 1);
    }
    ResetConnectionCheck();
    const int accepted = m_pManager != nullptr ? m_pManager->IsEnableMonitor(m_MonitorPacket.GetMonitorNumber()) : 1;
    if (!accepted)
        return; // no answer: the monitor's waves and parameters stay gated off
    m_bMonitorAccepted = 1;
    if (changed && m_pManager != nullptr) {
        m_pManager->Sort(TRUE);
        RedrawControl();
    }
    // The layout's display flags replace the user's trend choices only when the monitor changes
    // its display mode: a monitor resends its settings packet, and a resent one keeps them. A
    // fetal-movement switch in the same mode shows or hides FM1 and FM2 alone.
    if (m_MonitorPacket.GetDisplayMode() != previousMode)
        UpdateConfig();
    else if (m_MonitorPacket.GetFetalMovement() != previousMovement)
        UpdateFetalMovementFlags();
    AddBrokerSendData(data, UINT(len));
    Send_Control(PK_CONTROL_ACK, PK_TYPE_MONITOR);
}

// ==== live data ==================================================================================

void NyraClientInfo::Receive_Wave(BYTE* data, int len)
{
    // Only a whole wave packet is taken: any other length would overrun the snapshot and
    // the drawing threads' buffers.
    if (len != kWaveLength || data[len - 1] != LOBYTE(static_cast<unsigned>(m_nKey))) {
        Send_Control(PK_CONTROL_NAK, PK_TYPE_WAVE);
        return;
    }
    ResetConnectionCheck();
    m_Recorder.CollectSnapshot(data, len);
    if (m_pControl != nullptr && ::IsWindow(m_pControl->GetSafeHwnd())) {
        CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(data, unsigned(len), 1, 1);
        if (buffer == nullptr)
            return;
        m_pControl->PushWave(buffer);
    }
    m_ControlLock.Lock();
    if (m_pEnlargedControl != nullptr && ::IsWindow(m_pEnlargedControl->GetSafeHwnd())) {
        CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(data, unsigned(len), 1, 1);
        if (buffer != nullptr)
            m_pEnlargedControl->PushWave(buffer);
    }
    m_ControlLock.Unlock();
}

void NyraClientInfo::Receive_Parameter(BYTE* data, int len)
{
    PKParam_v110 packet = GetParamPacket();
    if (!packet.SetPacket(data, len, 1)) {
        Send_Control(PK_CONTROL_NAK, PK_TYPE_PARAM);
        return;
    }
    {
        std::lock_guard lock(m_ParamPacketLock);
        m_ParamPacket.CopyPacket(&packet);
        m_nParamGeneration.fetch_add(1);
    }
    ResetConnectionCheck();
    AddTrendData(data);
    KeepNIBPReading(packet);
    // The painters draw the packet with its alarms: they are told once both are stored.
    m_AlarmManager.SetAlarm(packet, m_AlarmPacket);
    ForEachBedWindow([](NyraBedWindow* wnd) { wnd->PushParam(nullptr); });
    AddBrokerSendData(data, UINT(len));
    Send_Control(PK_CONTROL_ACK, PK_TYPE_PARAM);
}
