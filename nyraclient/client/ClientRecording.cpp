// NyraClientInfo and its recording: starting and stopping the file thread, feeding it the
// trend entries and the wave snapshot, and passing its progress on to the station.
//
// Recording files are never written over: when the ".TMP" or the ".FMF" of the study's name
// exists already (a restart within the same second), the study's start moves on by a second
// until the name is free; the station reads the study back from the client, so its row and the
// file keep the same key.
#include "nyraclient/client/NyraClientInfo.h"

#include "nyraclient/manager/NyraClientManager.h"
#include "nyraclient/startup/NyraRunLog.h"

#include "ktutil/KTGF.h"
#include "nrdata/buffer/CSmartBuffer.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/RecordFileStem.h"


#include <cstring>

namespace {

// How many later seconds are tried for a free file name.
constexpr int kNameAttempts = 3600;

constexpr char kLogNameTaken[] = "[ RECORD ] No free file name - %s";
constexpr char kLogWriteFailed[] = "[ RECORD ] Write error, recording stopped - %s: %s";

CString CreateRecordsFolder(const char* lpszDataPath)
{
    const CString folder = nrdata::record::RecordsFolderOf(lpszDataPath);
    KTGF::CreateDir(folder);
    return folder;
}

CString WorkingPathOf(const CString& folder, const TBLStudy& study)
{
    const CString name = MakeRecordFileStem(study.S_ID, study.S_STUDY_ID) + nrdata::record::kWorkingExtension;
    return KTGF::MakePath(folder, name);
}

bool IsNameTaken(const CString& workingPath)
{
    return KTGF::IsExist(workingPath) || KTGF::IsExist(nyraclient::record::CommittedPathOf(workingPath));
}

} // namespace

// ==== start and stop =============================================================================

void NyraClientInfo::RecordStart(const char* lpszDataPath, TBLStudy& study)
{
    if (m_bRecording)
        return;
    const CString folder = CreateRecordsFolder(lpszDataPath);
    CString path = WorkingPathOf(folder, study);
    for (int attempt = 0; IsNameTaken(path); ++attempt) {
        if (attempt == kNameAttempts ||
            !study.SetStartTime(study.S_START_TIME + COleDateTimeSpan(0, 0, 0, 1), 1)) {
            RunLog.Log(kLogNameTaken, static_cast<LPCTSTR>(path));
            ForEachBedWindow([](NyraControl* wnd) { wnd->ResetIconStatus(); });
            return;
        }
        path = WorkingPathOf(folder, study);
    }

    using namespace nrdata::record;
    // One start time for the study row, the file's header and the trend the pages print from.
    const HeaderBlock block1 = MakeHeaderBlock1(study.S_START_TIME, m_MonitorPacket.GetPacket());
    const HeaderBlock block2 = MakeHeaderBlock2(m_PatientPacket.GetPacket());
    if (m_FileThread.Start(path, block1, block2, m_bDemo, this, WM_RECORD_UPDATE)) {
        m_TrendStore.RequestClear(study.S_START_TIME);
        m_RecordLock.Lock();
        m_bRecording = 1;
        m_RecordLock.Unlock();
        {
            std::lock_guard lock(m_SettingsLock);
            m_Study = study;
        }
        m_strRecordPath = path;
        SetWaveSaveFlag();
    }
    ForEachBedWindow([](NyraControl* wnd) { wnd->ResetIconStatus(); });
}

void NyraClientInfo::RecordStop()
{
    if (!m_bRecording)
        return;
    m_RecordLock.Lock();
    m_bRecording = 0;
    m_RecordLock.Unlock();
    // A write error ends the recording too; the station tells why while it completes it.
    if (const nyraclient::record::CFileThread* thread = m_FileThread.Get();
        thread != nullptr && thread->HasFailed())
        m_RecordWriteError = thread->GetWriteError();
    // Returns when every queued record is written and both files are complete.
    m_FileThread.Stop();
    m_bSnapshotRequest = 0;
    m_nSnapshotFill = 0;
    SendMsgToParent(CLIENT_NOTIFY_RECORD_END, 0);
    m_RecordWriteError = {};
    {
        std::lock_guard lock(m_SettingsLock);
        m_Study = TBLStudy();
    }
    m_strRecordPath.Empty();
    ForEachBedWindow([](NyraControl* wnd) { wnd->ResetIconStatus(); });
    if (m_bRecordInterrupted) {
        m_RecordLock.Lock();
        m_bRecordInterrupted = 0;
        m_RecordLock.Unlock();
    }
}

LRESULT NyraClientInfo::OnRecordUpdate(WPARAM wParam, LPARAM)
{
    // The file thread may post its last progress after the recording stopped: that one is
    // stale and not passed on.
    if (!m_bRecording)
        return 0;
    if (wParam == nyraclient::record::kRecordWriteFailed) {
        // The disk refused a write: the recording ends with what is on disk.
        const nyraclient::record::CFileThread* thread = m_FileThread.Get();
        const nyraclient::record::RecordWriteError error =
            thread != nullptr ? thread->GetWriteError() : nyraclient::record::RecordWriteError{};
        RunLog.Log(kLogWriteFailed, static_cast<LPCTSTR>(m_strRecordPath),
                   static_cast<LPCTSTR>(error.Describe(m_strRecordPath)));
        RecordStop();
        return 0;
    }
    SendMsgToParent(CLIENT_NOTIFY_RECORD_UPDATE, 0);
    return 0;
}

// ==== feeding the file thread ====================================================================

void NyraClientInfo::SaveParameterToFile(const BYTE* data, int len)
{
    nyraclient::record::CFileThread* thread = m_FileThread.Get();
    if (!m_bRecording || thread == nullptr || data == nullptr || len <= 0)
        return;
    thread->AddParamData(CSmartBuffer::CreateBuffer(data, unsigned(len), 1, 1));
}

UINT NyraClientInfo::GetFileLength() const
{
    const nyraclient::record::CFileThread* thread = m_FileThread.Get();
    return thread != nullptr ? thread->GetFileLength() : 0;
}

// ==== the wave snapshot ==========================================================================

int NyraClientInfo::SetWaveSaveFlag()
{
    if (!IsEnableWaveSave())
        return 0;
    m_nSnapshotFill = 0;
    m_SnapshotTime = COleDateTime::GetCurrentTime();
    m_bSnapshotRequest = 1;
    return 1;
}

int NyraClientInfo::IsEnableWaveSave() const
{
    return m_bRecording && !m_bSnapshotRequest ? 1 : 0;
}

void NyraClientInfo::CollectSnapshot(const BYTE* data, int len)
{
    if (!m_bSnapshotRequest) {
        m_nSnapshotFill = 0;
        return;
    }
    if (m_nSnapshotFill + len > static_cast<int>(m_Snapshot.size()))
        return;
    std::memcpy(m_Snapshot.data() + m_nSnapshotFill, data, size_t(len));
    m_nSnapshotFill += len;
    // The 250th wave packet completes the snapshot: it goes to the file at once.
    if (m_nSnapshotFill == static_cast<int>(m_Snapshot.size())) {
        SaveWaveToFile();
        m_nSnapshotFill = 0;
        m_bSnapshotRequest = 0;
    }
}

void NyraClientInfo::SaveWaveToFile()
{
    nyraclient::record::CFileThread* thread = m_FileThread.Get();
    if (!m_bRecording || thread == nullptr)
        return;
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(m_Snapshot.data(), m_Snapshot.size(), 1, 1);
    if (buffer == nullptr)
        return;
    thread->SetECGLead(m_MonitorPacket.GetECGLead(), 0);
    thread->SetWaveTime(m_SnapshotTime);
    thread->AddWaveData(buffer);
}
