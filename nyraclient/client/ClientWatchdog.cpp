// The connection watchdog: a one-second timer on the client's hidden window compares the time
// since the last good packet with the limit (15 s on TCP, 30 s on a serial link). On time-out
// the link is released, the network alarm raised and the bed kept, so that the monitor can come
// back to the same client.
#include "nyraclient/client/NyraClientInfo.h"

#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientSock.h"
#include "nyraclient/link/CUSerialEx.h"
#include "nyraclient/startup/NyraRunLog.h"

#include "platform/core/Clock.h"

#include <cstdint>
#include <cstdlib>

void NyraClientInfo::OpenConnectionCheck()
{
    m_dwLastDataTick = GetTickCount();
    if (GetSafeHwnd() != nullptr)
        SetTimer(kWatchdogTimer, kWatchdogPeriodMs);
}

void NyraClientInfo::ResetConnectionCheck() { m_dwLastDataTick = GetTickCount(); }

void NyraClientInfo::CloseConnectionCheck()
{
    if (GetSafeHwnd() != nullptr)
        KillTimer(kWatchdogTimer);
}

void NyraClientInfo::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kWatchdogTimer) {
        // The difference modulo 2^32 as a signed number: the tick counter's wrap-around is
        // not a time-out.
        const auto elapsed = static_cast<std::int32_t>(GetTickCount() - m_dwLastDataTick);
        const int limit = m_pSerial != nullptr ? kTimeOutSerialMs : kTimeOutLanMs;
        if (std::abs(static_cast<long long>(elapsed)) >= limit)
            TimeOut();
    }
    // The framework's default handling (the client's own Default() resets its link state).
    CWnd::Default();
}

void NyraClientInfo::TimeOut()
{
    using namespace nyraclient::runlog;
    m_LinkLock.Lock();
    if (m_bNetworkAlarm) {
        m_LinkLock.Unlock();
        return;
    }
    if (m_pSerial != nullptr)
        RunLog.Log(kNotCompleteSerial, int(m_nComPort));
    else
        RunLog.Log(kNotCompleteLan, m_PeerAddr[0], m_PeerAddr[1], m_PeerAddr[2], m_PeerAddr[3]);
    m_bMonitorAccepted = 0;
    m_Recorder.MarkInterruptedIfRecording();
    if (m_pSocket != nullptr) {
        m_pSocket->SetNotify(nullptr, WM_RECEIVE_SOCKET_DATA, 0);
        m_pSocket->Close();
    }
    if (m_pSerial != nullptr) {
        RunLog.Log(kTimeOutSerialStart, int(m_nComPort));
        m_pSerial->SetNotify(nullptr, WM_RECEIVE_SERIAL_DATA);
        m_pSerial->CentralDisconnected();
        nyraclient::DeleteObjectWhenIdle(m_pSerial);
        m_pSerial = nullptr;
        RunLog.Log(kTimeOutSerialEnd, int(m_nComPort));
    }
    DropTail();
    m_AlarmManager.RemoveAlarmAll();
    m_AlarmManager.SetAlarm(ALARMTYPE_NETWORK, 1);
    m_bNetworkAlarm = 1;
    m_bConnected = 0;
    m_LinkLock.Unlock();
    RedrawControl();
}
