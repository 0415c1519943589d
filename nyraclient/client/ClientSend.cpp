// Sending to the monitor: acknowledgements, the station's disconnect notice and settings whose
// acknowledgement a dialog waits for. A TCP packet goes out bare in one call; a serial packet
// goes out in its 110-byte frame.
#include "nyraclient/client/NyraClientInfo.h"

#include "nyraclient/client/NyraClientSock.h"
#include "nyraclient/link/CUSerialEx.h"
#include "nyraclient/link/SerialFrame.h"

void NyraClientInfo::SendPacket(BYTE* data, UINT len)
{
    if (data == nullptr || len == 0)
        return;
    if (m_pSocket != nullptr) {
        m_pSocket->Send(data, static_cast<int>(len), 0);
        return;
    }
    if (m_pSerial != nullptr) {
        // A packet longer than a frame's payload cannot be framed and is not sent.
        BYTE frame[SERIAL_FRAME_SIZE];
        if (MakeSerialFrame(data, static_cast<int>(len), frame))
            m_pSerial->Put(frame, SERIAL_FRAME_SIZE);
    }
}

void NyraClientInfo::Send_Control(BYTE type, BYTE data)
{
    PKControl packet;
    packet.SetType(type);
    packet.SetData(data);
    packet.SetKey(LOBYTE(static_cast<unsigned>(m_nKey)));
    SendPacket(packet.GetPacket(), UINT(packet.GetPacketSize()));
}

void NyraClientInfo::Send_Patient(BYTE* data, UINT len)
{
    m_bWaitPatient = 1;
    if (data == nullptr)
        SendPacket(m_PatientPacket.GetPacket(), UINT(m_PatientPacket.GetPacketSize()));
    else
        SendPacket(data, len);
}

void NyraClientInfo::Send_Alarm(BYTE* data, UINT len)
{
    m_bWaitAlarm = 1;
    if (data == nullptr) {
        m_SentAlarm.clear();
        SendPacket(m_AlarmPacket.GetPacket(), UINT(m_AlarmPacket.GetPacketSize()));
    } else {
        m_SentAlarm.assign(data, data + len);
        SendPacket(data, len);
    }
}

void NyraClientInfo::Send_Monitor(BYTE* data, UINT len)
{
    m_bWaitMonitor = 1;
    if (data == nullptr) {
        m_SentMonitor.clear();
        SendPacket(m_MonitorPacket.GetPacket(), UINT(m_MonitorPacket.GetPacketSize()));
    } else {
        m_SentMonitor.assign(data, data + len);
        SendPacket(data, len);
    }
}

int NyraClientInfo::IsWaitingAck(int kind) const
{
    switch (kind) {
    case WAIT_ACK_ADMIT: return m_bWaitAdmit;
    case WAIT_ACK_ALARM: return m_bWaitAlarm;
    case WAIT_ACK_MONITOR: return m_bWaitMonitor;
    case WAIT_ACK_PATIENT: return m_bWaitPatient;
    default: return 0;
    }
}
