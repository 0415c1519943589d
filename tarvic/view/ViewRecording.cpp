// Recording: the start with its free-space check and its study, the study row while the file
// grows and when it ends, and the disk-space watch.
//
// Free space is measured on the file system that holds the data folder, in MB of 1,000,000
// bytes, whole numbers. The row is first written when the client's committed ".FMF" has been
// brought up to date for the first time, and completed from the ".FMF" at the end; the working
// ".TMP" is deleted only once the completed row is stored.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/record/CRecordFile.h"

#include "ktutil/KTGF.h"
#include "nrdata/record/RecordFileFormat.h"
#include "nrdata/table/TBLStudy.h"

#include "platform/core/File.h"
#include "platform/core/ModulePath.h"

namespace {

constexpr ULONGLONG kBytesPerMb = 1'000'000;

// The free MB of the file system holding `path`; FALSE
// when it cannot be measured, and then nothing is checked.
BOOL FreeMegabytes(const CString& path, ULONGLONG& megabytes)
{
    ULONGLONG total = 0;
    ULONGLONG freeBytes = 0;
    if (!KTGF::GetDriveFreeSpaceEx(path, total, freeBytes))
        return FALSE;
    megabytes = freeBytes / kBytesPerMb;
    return TRUE;
}

// A text of the table with its "%d" replaced by `number`. The text is not used as a printf
// format, so a language module's text can never read arguments that are not there.
CString TextWithNumber(UINT id, ULONGLONG number)
{
    CString text = tarvic::LoadText(id);
    CString value;
    value.Format("%llu", static_cast<unsigned long long>(number));
    text.Replace("%d", value);
    return text;
}

// The records of a committed file: what follows the head, in whole records.
LONG RecordCountOfFile(ULONGLONG length)
{
    using namespace nrdata::record;
    return length > kHeadSize ? static_cast<LONG>((length - kHeadSize) / kRecordSize) : 0;
}

} // namespace

// ==== start ======================================================================================

void CTarvicIIView::StartRecord(NyraClientInfo* pClient)
{
    // A bed without an admitted patient has nobody to record for; this also keeps a recording
    // that was interrupted from starting again once its patient was discharged.
    if (pClient == nullptr || !pClient->IsAdmitted())
        return;
    const CString dataPath = tarvic::DataFolder();
    if (dataPath.GetLength() < 2)
        return;
    ULONGLONG freeMb = 0;
    if (FreeMegabytes(dataPath, freeMb) && freeMb <= kRecordMinimumMb) {
        tarvic::StationMessageBox(TextWithNumber(tarvic::IDS_RECORD_NO_SPACE, freeMb), MB_OK | MB_ICONERROR,
                                  tarvic::IDS_MEMORY_INFORMATION);
        return;
    }
    TBLStudy study(&g_Database);
    study.S_ID = pClient->GetAdmittedPatient().P_ID;
    study.SetStartTime(COleDateTime::GetCurrentTime(), 1);
    study.S_DOCTOR_ID = pClient->m_strDoctorID;
    study.S_NURSE_ID = pClient->m_strNurseID;
    study.S_EDIT_DATE = study.S_START_TIME;
    study.S_LENGTH = 0;
    study.S_LOSS = 0;
    study.S_MEMB_STATUS = 0;
    // The client does nothing when it records already; no row is written until the first commit.
    pClient->RecordStart(dataPath, study);
}

// ==== the study row ==============================================================================

namespace {

// The row of the client's recording with `length` records and the client's current loss,
// doctor and nurse.
TBLStudyRow RowOf(NyraClientInfo* pClient, LONG length)
{
    TBLStudyRow row = static_cast<const TBLStudyRow&>(pClient->GetStudy());
    row.S_LENGTH = length;
    row.S_LOSS = static_cast<LONG>(pClient->GetSignalLossOfRecored());
    row.S_DOCTOR_ID = pClient->m_strDoctorID;
    row.S_NURSE_ID = pClient->m_strNurseID;
    return row;
}

// The length of a file; 0 when there is none.
ULONGLONG FileLengthOf(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) ? status.m_size : 0;
}

} // namespace

void CTarvicIIView::UpdateStudy(NyraClientInfo* pClient)
{
    // A row the database refuses now is written again at the next commit.
    if (pClient != nullptr)
        m_StudyRows.Store(RowOf(pClient, static_cast<LONG>(pClient->GetFileLength())));
}

void CTarvicIIView::EndRecord(NyraClientInfo* pClient)
{
    if (pClient == nullptr)
        return;
    // The client's own paths: its safe file name and, when the data folder was not usable, its
    // fallback folder.
    const CString working = pClient->GetRecordPath();
    if (working.IsEmpty())
        return;
    // The row holds what the committed copy holds. A copy that lacks records of the working file
    // (its last commit met a full disk) is brought up to date before the working file goes.
    using nrdata::record::WholeRecordLength;
    const ULONGLONG committed = FileLengthOf(nyraclient::record::CommittedPathOf(working));
    const BOOL commitMissing = WholeRecordLength(committed) < WholeRecordLength(FileLengthOf(working));
    m_StudyRows.Complete(RowOf(pClient, RecordCountOfFile(committed)), working, commitMissing);
    if (const nyraclient::record::RecordWriteError& error = pClient->GetRecordWriteError(); error.IsError())
        TellRecordingStopped(pClient, error);
}

void CTarvicIIView::TellRecordingStopped(NyraClientInfo* pClient,
                                         const nyraclient::record::RecordWriteError& error)
{
    CString bed;
    bed.Format("%d", int(pClient->GetMonitorPacket().GetMonitorNumber()));
    const CString cause =
        tarvic::LoadText(error.IsDiskFull() ? tarvic::IDS_CAUSE_DISK_FULL : tarvic::IDS_CAUSE_WRITE_FAILED);
    const CString patient = tarvic::PatientText(pClient->GetAdmittedPatient());
    tarvic::StationMessageBox(tarvic::FormatText(tarvic::IDS_RECORD_STOPPED, {bed, cause, patient}),
                              MB_OK | MB_ICONERROR);
}

// ==== the disk-space watch =======================================================================

void CTarvicIIView::CheckDiskSpace()
{
    // Without a data folder the home folder's file system is watched.
    const CString folder = tarvic::DataFolder();
    const CString dataPath = folder.GetLength() < 2 ? platform::GetHomeFolder() : folder;
    ULONGLONG freeMb = 0;
    if (!FreeMegabytes(dataPath, freeMb) || freeMb >= kWarnBelowMb)
        return;
    if (freeMb >= kStopBelowMb) {
        if (m_ClientManager.GetClientCount() <= 0 || m_bDiskWarning)
            return;
        CString text;
        text.Format("%s \n\n%s : %s , %s : %llu MB",
                    static_cast<LPCTSTR>(tarvic::LoadText(tarvic::IDS_DISK_LOW)),
                    static_cast<LPCTSTR>(tarvic::LoadText(tarvic::IDS_DRIVE)), static_cast<LPCTSTR>(dataPath),
                    static_cast<LPCTSTR>(tarvic::LoadText(tarvic::IDS_FREE_DISK)),
                    static_cast<unsigned long long>(freeMb));
        m_bDiskWarning = 1;
        tarvic::StationMessageBox(text, MB_OK | MB_ICONERROR, tarvic::IDS_MEMORY_INFORMATION);
        m_bDiskWarning = 0;
        return;
    }
    int stopped = 0;
    for (int i = 0; i < m_ClientManager.GetClientCount(); ++i) {
        NyraClientInfo* client = m_ClientManager.GetClient(i);
        if (client != nullptr && client->IsRecording()) {
            // Ends in EndRecord through the client's recording-ended event.
            client->RecordStop();
            ++stopped;
        }
    }
    if (stopped > 0)
        tarvic::StationMessageBox(TextWithNumber(tarvic::IDS_RECORD_ENDED_NO_SPACE, freeMb),
                                  MB_OK | MB_ICONERROR, tarvic::IDS_MEMORY_INFORMATION);
}
