// NyraClientInfo and its recording: the recorder (nyraclient/record/CRecorder.h) runs the file
// thread; the client starts and stops it, feeds it, and answers its questions.
#include "nyraclient/client/NyraClientInfo.h"

#include "platform/core/Check.h"

// ==== start and stop =============================================================================

void NyraClientInfo::RecordStart(const char* lpszDataPath, TBLStudy& study)
{
    WARD_CHECK_UI_THREAD();
    if (m_Recorder.IsRecording())
        return;
    if (m_Recorder.Start(lpszDataPath, study, m_MonitorPacket, m_PatientPacket, m_bDemo, this, WM_RECORD_UPDATE)) {
        m_TrendStore.RequestClear(study.S_START_TIME);
        {
            std::lock_guard lock(m_SettingsLock);
            m_Study = study;
        }
        m_Recorder.SetWaveSaveFlag();
    }
    ForEachBedWindow([](NyraBedWindow* wnd) { wnd->ResetIconStatus(); });
}

void NyraClientInfo::RecordStop() { m_Recorder.Stop(); }

LRESULT NyraClientInfo::OnRecordUpdate(WPARAM wParam, LPARAM)
{
    m_Recorder.OnFileThreadUpdate(wParam);
    return 0;
}

// ==== the recorder's questions ===================================================================

BYTE NyraClientInfo::GetRecordECGLead() const { return m_MonitorPacket.GetECGLead(); }

void NyraClientInfo::OnRecordProgress() { SendMsgToParent(CLIENT_NOTIFY_RECORD_UPDATE, 0); }

void NyraClientInfo::OnRecordEnding() { SendMsgToParent(CLIENT_NOTIFY_RECORD_END, 0); }

void NyraClientInfo::OnRecordEnded()
{
    {
        std::lock_guard lock(m_SettingsLock);
        m_Study = TBLStudy();
    }
    ForEachBedWindow([](NyraBedWindow* wnd) { wnd->ResetIconStatus(); });
}
