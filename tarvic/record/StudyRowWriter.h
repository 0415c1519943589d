// StudyRowWriter: the study rows of the station's recordings, written so that the user-interface
// thread never waits on the database for more than a moment.
//
// Another program may hold the database's write lock for a while (a backup, the review station
// saving a long edit), or the database may sit on a disk that is full. Every write here gives
// up after kQuickBusyMs instead of the connection's usual ten seconds:
//  - the row of a running recording is simply written again at its next commit;
//  - the completed row of a recording that ended waits here and is tried again every
//    kRetryPeriodMs (the view's timer); its working file ".TMP" is deleted only once that row
//    is stored, and a committed copy ".FMF" that lacks records of the working file (a commit a
//    full disk refused) is brought up to date first;
//  - what still waits when the station ends stays for the next start, which completes every
//    interrupted recording (RecordingRecovery.h).
// A failure is not shown by itself: the database's own text goes to the run log at the first
// failure of a streak, and only a database that stays unwritable for kTellAfterMs is told to the
// user, once, until a row is stored again.
//
// Used on the user-interface thread only. A message box may run a nested message loop, so every
// entry point may be called again while another is still running; the list of waiting rows is
// never walked while a box is open.
#pragma once

#include "nrdata/table/TBLStudy.h"

#include "platform/core/CString.h"

#include <optional>
#include <vector>

class KTAdo;

namespace tarvic {

class StudyRowWriter
{
public:
    // How long one write waits for another program's lock.
    static constexpr int kQuickBusyMs = 250;
    // How long rows may fail before the user is told.
    static constexpr ULONGLONG kTellAfterMs = 60000;
    // How often waiting rows are tried again.
    static constexpr UINT kRetryPeriodMs = 5000;

    explicit StudyRowWriter(KTAdo& database) : m_db(database) {}

    // Writes a recording's row: length, signal loss, doctor and nurse into the row of its key,
    // or the whole row when no row holds the key yet. TRUE when it is stored.
    BOOL Store(const TBLStudyRow& row);
    // A recording has ended with `row` complete: the row is stored and then `workingPath` is
    // deleted. When the committed copy lacks records of the working file (`commitMissing`) they
    // are committed first and the row takes the committed length. TRUE when all of it is done
    // now; otherwise the rest waits and is tried again by RetryPending.
    BOOL Complete(const TBLStudyRow& row, const CString& workingPath, BOOL commitMissing);
    // Tries the waiting completions again.
    void RetryPending();
    size_t GetPendingCount() const { return m_pending.size(); }
    // The station ends: what still waits is left to the next start (the run log names it).
    void LeavePending();

private:
    struct Pending
    {
        TBLStudyRow row;
        CString workingPath;
        BOOL commitMissing{FALSE};
        // The working file cannot be committed (it does not continue its copy): it stays.
        BOOL keepWorking{FALSE};
        // Whether the run log has been told why the commit waits.
        BOOL toldWhy{FALSE};
    };

    // One attempt at a completion: TRUE when nothing of it is left to do.
    BOOL TryComplete(Pending& pending);
    BOOL Write(const TBLStudyRow& row);
    void NoteFailure(const TBLStudyRow& row, const CString& error);
    void NoteSuccess();
    // Shows the unwritable database's box when it is due and no walk of the list runs.
    void TellWhenDue();

    KTAdo& m_db;
    std::vector<Pending> m_pending;
    // Tick of the first failure of the current streak; none while rows are stored.
    std::optional<ULONGLONG> m_failingSince;
    bool m_told{false};
    bool m_telling{false};
    bool m_retrying{false};
};

} // namespace tarvic
