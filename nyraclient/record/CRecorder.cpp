#include "nyraclient/record/CRecorder.h"

#include "nyraclient/startup/NyraRunLog.h"

#include "ktutil/KTGF.h"
#include "nrdata/buffer/CSmartBuffer.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/RecordFileStem.h"
#include "platform/core/Check.h"

#include <cstring>

namespace nyraclient::record {

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
    return KTGF::IsExist(workingPath) || KTGF::IsExist(CommittedPathOf(workingPath));
}

} // namespace

CRecorder::CRecorder(CRecorderOwner& owner) : m_owner(owner), m_Snapshot(kSnapshotBytes, 0) {}

// ==== start and stop =============================================================================

BOOL CRecorder::Start(const char* dataPath, TBLStudy& study, const PKMonitor_v110& monitor,
                      const PKPatient_v110& patient, int bDemo, CWnd* notify, UINT message)
{
    WARD_CHECK_UI_THREAD();
    if (m_bRecording)
        return FALSE;
    const CString folder = CreateRecordsFolder(dataPath);
    CString path = WorkingPathOf(folder, study);
    for (int attempt = 0; IsNameTaken(path); ++attempt) {
        if (attempt == kNameAttempts ||
            !study.SetStartTime(study.S_START_TIME + COleDateTimeSpan(0, 0, 0, 1), 1)) {
            RunLog.Log(kLogNameTaken, static_cast<LPCTSTR>(path));
            return FALSE;
        }
        path = WorkingPathOf(folder, study);
    }

    using namespace nrdata::record;
    // One start time for the study row, the file's header and the trend the pages print from.
    const HeaderBlock block1 = MakeHeaderBlock1(study.S_START_TIME, monitor.GetPacket());
    const HeaderBlock block2 = MakeHeaderBlock2(patient.GetPacket());
    if (!m_FileThread.Start(path, block1, block2, bDemo, notify, message))
        return FALSE;
    m_StateLock.Lock();
    m_bRecording = 1;
    m_StateLock.Unlock();
    m_strPath = path;
    return TRUE;
}

void CRecorder::Stop()
{
    WARD_CHECK_UI_THREAD();
    if (!m_bRecording)
        return;
    m_StateLock.Lock();
    m_bRecording = 0;
    m_StateLock.Unlock();
    // A write error ends the recording too; the station tells why while it completes it.
    if (const CFileThread* thread = m_FileThread.Get(); thread != nullptr && thread->HasFailed())
        m_WriteError = thread->GetWriteError();
    // Returns when every queued record is written and both files are complete.
    m_FileThread.Stop();
    m_bSnapshotRequest = 0;
    m_nSnapshotFill = 0;
    m_owner.OnRecordEnding();
    m_WriteError = {};
    m_strPath.Empty();
    m_owner.OnRecordEnded();
    m_StateLock.Lock();
    m_bInterrupted = 0;
    m_StateLock.Unlock();
}

void CRecorder::OnFileThreadUpdate(WPARAM wParam)
{
    WARD_CHECK_UI_THREAD();
    // The file thread may post its last progress after the recording stopped: that one is
    // stale and not passed on.
    if (!m_bRecording)
        return;
    if (wParam == kRecordWriteFailed) {
        // The disk refused a write: the recording ends with what is on disk.
        const CFileThread* thread = m_FileThread.Get();
        const RecordWriteError error = thread != nullptr ? thread->GetWriteError() : RecordWriteError{};
        RunLog.Log(kLogWriteFailed, static_cast<LPCTSTR>(m_strPath), static_cast<LPCTSTR>(error.Describe(m_strPath)));
        Stop();
        return;
    }
    m_owner.OnRecordProgress();
}

// ==== the interrupted flag =======================================================================

int CRecorder::IsInterrupted() const
{
    CSingleLock lock(&m_StateLock, TRUE);
    return m_bInterrupted;
}

void CRecorder::MarkInterrupted()
{
    m_StateLock.Lock();
    m_bInterrupted = 1;
    m_StateLock.Unlock();
}

void CRecorder::MarkInterruptedIfRecording()
{
    m_StateLock.Lock();
    if (m_bRecording)
        m_bInterrupted = 1;
    m_StateLock.Unlock();
}

// ==== feeding the file thread ====================================================================

void CRecorder::SaveParameter(const BYTE* data, int len)
{
    CFileThread* thread = m_FileThread.Get();
    if (!m_bRecording || thread == nullptr || data == nullptr || len <= 0)
        return;
    thread->AddParamData(CSmartBuffer::CreateBuffer(data, unsigned(len), 1, 1));
}

UINT CRecorder::GetFileLength() const
{
    const CFileThread* thread = m_FileThread.Get();
    return thread != nullptr ? thread->GetFileLength() : 0;
}

const CString& CRecorder::GetPath() const
{
    WARD_CHECK_UI_THREAD();
    return m_strPath;
}

const RecordWriteError& CRecorder::GetWriteError() const
{
    WARD_CHECK_UI_THREAD();
    return m_WriteError;
}

// ==== the wave snapshot ==========================================================================

int CRecorder::SetWaveSaveFlag()
{
    WARD_CHECK_UI_THREAD();
    if (!IsEnableWaveSave())
        return 0;
    m_nSnapshotFill = 0;
    m_SnapshotTime = COleDateTime::GetCurrentTime();
    m_bSnapshotRequest = 1;
    return 1;
}

int CRecorder::IsEnableWaveSave() const { return m_bRecording && !m_bSnapshotRequest ? 1 : 0; }

void CRecorder::CollectSnapshot(const BYTE* data, int len)
{
    WARD_CHECK_UI_THREAD();
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

void CRecorder::SaveWaveToFile()
{
    CFileThread* thread = m_FileThread.Get();
    if (!m_bRecording || thread == nullptr)
        return;
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(m_Snapshot.data(), m_Snapshot.size(), 1, 1);
    if (buffer == nullptr)
        return;
    thread->SetECGLead(m_owner.GetRecordECGLead(), 0);
    thread->SetWaveTime(m_SnapshotTime);
    thread->AddWaveData(buffer);
}

} // namespace nyraclient::record
