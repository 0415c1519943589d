// Finishing a recording whose writer never completed it: the station was killed or lost its
// power while a bed recorded, or a commit met a full disk. The committed copy ".FMF" is
// brought up to date from the working file ".TMP" with the whole, valid records that continue
// it; nothing is deleted here (the working file goes only once the station has stored the
// study row).
//
// What is trusted of the working file: a head with the format's magic and version, then
// parameter records (kind byte 0xC1) whose sequence numbers rise by one from record to record,
// as the trend store writes them (gaps are filled with blank entries). The first record that
// breaks this, a torn record at the end included, and everything after it are left out.
//
// The committed copy is only ever appended to: its whole records must be the working file's
// first ones (its last whole record is compared), a torn record at its end (a commit cut off
// half-way) is cut away first, the head is written from the working file when it differs (a
// snapshot taken after the last commit), and a copy that already holds more than the working
// file's valid part is left as it is. The copy is flushed to the disk before the result says
// Finished.
//
// The working file is opened with the lock that a running recording holds, so the file of a
// recording that is still being written (by this station or another one) is refused as InUse.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

namespace nyraclient::record {

enum class RecoveryStatus
{
    Finished,     // the committed copy holds every valid record of the working file
    InUse,        // a running recording holds the working file: left alone
    Unreadable,   // no recording of this format, or the committed copy does not continue it
    NotCommitted, // the committed copy could not be written (a full disk): try again later
};

struct RecoveredRecording
{
    RecoveryStatus status{RecoveryStatus::Unreadable};
    // The committed copy's whole records afterwards.
    ULONGLONG records{0};
    // How many of them came from the working file now.
    ULONGLONG appended{0};
    // Blank entries (signal loss) among the committed records from `blanksFrom` on.
    ULONGLONG blanks{0};
    // What went wrong, for the run log; empty when Finished.
    CString problem;
};

RecoveredRecording FinishRecording(LPCTSTR workingPath, ULONGLONG blanksFrom = 0);

} // namespace nyraclient::record
