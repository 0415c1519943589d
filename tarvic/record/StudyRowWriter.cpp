// Writing the study rows of the recordings without holding up the station.
#include "tarvic/record/StudyRowWriter.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "nyraclient/record/RecordRecovery.h"
#include "nyraclient/startup/NyraRunLog.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"

#include "platform/core/Check.h"
#include "platform/core/Clock.h"

namespace tarvic {

namespace {

constexpr char kLogNotStored[] = "[ RECORD ] Study row not stored - %s %s: %s";
constexpr char kLogStoredAgain[] = "[ RECORD ] Study rows are stored again";
constexpr char kLogCommitted[] = "[ RECORD ] Committed copy brought up to date - %s: %llu records";
constexpr char kLogNotCommitted[] = "[ RECORD ] Committed copy not brought up to date - %s: %s";
constexpr char kLogLeft[] = "[ RECORD ] Left for the next start - %s";

// Every write waits only briefly for another program's lock; the connection's own wait is back
// once the write is done.
class QuickWrites
{
public:
    explicit QuickWrites(KTAdo& db) : m_db(db) { m_db.SetBusyTimeout(StudyRowWriter::kQuickBusyMs); }
    ~QuickWrites() { m_db.SetBusyTimeout(AdoConnection::kBusyTimeoutMs); }
    QuickWrites(const QuickWrites&) = delete;
    QuickWrites& operator=(const QuickWrites&) = delete;

private:
    KTAdo& m_db;
};

// The whole text on one line of the run log.
CString OneLine(CString text)
{
    text.Replace("\r", "");
    text.Replace("\n", " ");
    text.Replace("\t", " ");
    return text;
}

} // namespace

// ==== writing a row ==============================================================================

BOOL StudyRowWriter::Store(const TBLStudyRow& row)
{
    WARD_CHECK_UI_THREAD();
    const BOOL stored = Write(row);
    TellWhenDue();
    return stored;
}

BOOL StudyRowWriter::Write(const TBLStudyRow& row)
{
    QuickWrites quick(m_db);
    TBLStudy study(&m_db);
    study.SetShowErrors(0);
    static_cast<TBLStudyRow&>(study) = row;
    // Get leaves the members as they are when no row holds the key; a row that exists keeps
    // what others edited in it (the review station's comment).
    const int exists = study.Get();
    study.S_LENGTH = row.S_LENGTH;
    study.S_LOSS = row.S_LOSS;
    study.S_DOCTOR_ID = row.S_DOCTOR_ID;
    study.S_NURSE_ID = row.S_NURSE_ID;
    if (exists ? study.Update() : study.Add()) {
        NoteSuccess();
        return TRUE;
    }
    NoteFailure(row, study.GetLastError().IsEmpty() ? m_db.GetLastErrorString() : study.GetLastError());
    return FALSE;
}

void StudyRowWriter::NoteFailure(const TBLStudyRow& row, const CString& error)
{
    if (m_failingSince)
        return;
    m_failingSince = GetTickCount64();
    RunLog.Log(kLogNotStored, static_cast<LPCTSTR>(row.S_ID), static_cast<LPCTSTR>(row.S_STUDY_ID),
               static_cast<LPCTSTR>(OneLine(error)));
}

void StudyRowWriter::NoteSuccess()
{
    if (!m_failingSince)
        return;
    m_failingSince.reset();
    m_told = false;
    RunLog.Log(kLogStoredAgain);
}

void StudyRowWriter::TellWhenDue()
{
    if (!m_failingSince || m_told || m_telling || m_retrying ||
        GetTickCount64() - *m_failingSince < kTellAfterMs)
        return;
    m_told = true;
    m_telling = true;
    StationMessageBox(LoadText(IDS_STUDY_NOT_STORED) + "\n\n" + LoadText(IDS_DATABASE_UNWRITABLE),
                      MB_OK | MB_ICONERROR);
    m_telling = false;
}

// ==== completing a recording =====================================================================

BOOL StudyRowWriter::Complete(const TBLStudyRow& row, const CString& workingPath, BOOL commitMissing)
{
    WARD_CHECK_UI_THREAD();
    Pending pending{row, workingPath, commitMissing};
    const BOOL done = TryComplete(pending);
    if (!done)
        m_pending.push_back(pending);
    TellWhenDue();
    return done;
}

BOOL StudyRowWriter::TryComplete(Pending& pending)
{
    using namespace nyraclient::record;
    if (pending.commitMissing) {
        const RecoveredRecording committed = FinishRecording(pending.workingPath);
        if (committed.status == RecoveryStatus::Finished) {
            pending.row.S_LENGTH = static_cast<LONG>(committed.records);
            pending.commitMissing = FALSE;
            RunLog.Log(kLogCommitted, static_cast<LPCTSTR>(pending.workingPath),
                       static_cast<unsigned long long>(committed.records));
        } else {
            if (!pending.toldWhy)
                RunLog.Log(kLogNotCommitted, static_cast<LPCTSTR>(pending.workingPath),
                           static_cast<LPCTSTR>(OneLine(committed.problem)));
            pending.toldWhy = TRUE;
            // A working file that cannot be trusted is left for the next start to name.
            if (committed.status == RecoveryStatus::Unreadable) {
                pending.commitMissing = FALSE;
                pending.keepWorking = TRUE;
            }
        }
    }
    // The row shows what the committed copy holds, also while its last records wait.
    if (!Write(pending.row) || pending.commitMissing)
        return FALSE;
    if (!pending.keepWorking)
        KTGF::DeleteFileA(pending.workingPath, FALSE);
    return TRUE;
}

void StudyRowWriter::RetryPending()
{
    WARD_CHECK_UI_THREAD();
    if (m_retrying || m_pending.empty())
        return;
    m_retrying = true;
    std::vector<Pending> waiting;
    waiting.swap(m_pending);
    std::vector<Pending> still;
    for (Pending& pending : waiting)
        if (!TryComplete(pending))
            still.push_back(pending);
    // Completions that came in meanwhile stay after the older ones.
    still.insert(still.end(), m_pending.begin(), m_pending.end());
    m_pending.swap(still);
    m_retrying = false;
    TellWhenDue();
}

void StudyRowWriter::LeavePending()
{
    for (const Pending& pending : m_pending)
        RunLog.Log(kLogLeft, static_cast<LPCTSTR>(pending.workingPath));
    m_pending.clear();
}

} // namespace tarvic
