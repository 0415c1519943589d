// CRecorder: the recording of one bed, which the bed's client owns. It finds the recording's
// file name, runs the file thread (CFileThread) and feeds it the trend entries and the wave
// snapshot, and keeps the recording's state: whether it runs, whether a time-out or a trend
// that ended interrupted it, its working file and the cause of a write error.
//
// The recorder knows nothing of the client around it: what it needs from the bed (the ECG lead
// of the snapshot, telling the station and the bed windows) it asks through CRecorderOwner, the
// way the trend store asks its owner.
//
// Threads: starting, stopping, the file thread's updates, the snapshot, the path and the write
// error belong to the user-interface thread (checked); IsRecording, IsInterrupted and
// GetFileLength answer any thread. The recording-state lock guards the interrupted flag; the
// watchdog's time-out takes it inside the client's link lock, and nothing else is held with it.
#pragma once

#include "nyraclient/record/CFileThread.h"

#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/table/TBLStudy.h"

#include "platform/core/CString.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Sync.h"

#include <atomic>
#include <vector>

class CWnd;

namespace nyraclient::record {

// What the recorder asks of the bed it records. Every call comes on the user-interface thread.
class CRecorderOwner
{
public:
    virtual ~CRecorderOwner() = default;
    // The lead of the ECG wave that the snapshot holds.
    virtual BYTE GetRecordECGLead() const = 0;
    // The file thread brought the committed file up to date.
    virtual void OnRecordProgress() = 0;
    // The recording is ending: its files are complete, and its path and write error can still
    // be read. The station completes its study row now.
    virtual void OnRecordEnding() = 0;
    // The recording has ended (by Stop or by a write error): the bed forgets its study and its
    // windows show that none runs.
    virtual void OnRecordEnded() = 0;
};

class CRecorder
{
public:
    // Bytes of the wave snapshot: 250 wave packets.
    static constexpr int kSnapshotBytes = 14000;

    explicit CRecorder(CRecorderOwner& owner);
    CRecorder(const CRecorder&) = delete;
    CRecorder& operator=(const CRecorder&) = delete;

    // Starts a recording of `study` in the "Records" folder of `dataPath`. Files are never
    // written over: while the ".TMP" or the ".FMF" of the study's name exists (a restart within
    // the same second), the study's start moves on by a second until the name is free, so the
    // study's row and the file keep the same key. The headers come from the monitor's and the
    // patient's packets; the file thread posts `message` to `notify`. TRUE when it runs.
    BOOL Start(const char* dataPath, TBLStudy& study, const PKMonitor_v110& monitor,
               const PKPatient_v110& patient, int bDemo, CWnd* notify, UINT message);
    // Ends the running recording: returns when every queued record is written and both files
    // are complete, after OnRecordEnding and OnRecordEnded; the interrupted flag is cleared.
    void Stop();
    // The file thread's message: progress is passed on, a write error ends the recording, and
    // the last progress of a recording that already stopped is dropped.
    void OnFileThreadUpdate(WPARAM wParam);

    int IsRecording() const { return m_bRecording; }
    int IsInterrupted() const;
    // A trend that ended sets this; a time-out sets it while a recording runs.
    void MarkInterrupted();
    void MarkInterruptedIfRecording();

    // A trend entry for the file (nothing when no recording runs).
    void SaveParameter(const BYTE* data, int len);
    // Asks for a wave snapshot: 1 when one is now collected, 0 without a recording or while
    // one is being collected.
    int SetWaveSaveFlag();
    int IsEnableWaveSave() const;
    // A received wave packet towards the snapshot; the 250th completes it and sends it to the
    // file at once.
    void CollectSnapshot(const BYTE* data, int len);
    void SaveWaveToFile();

    // Records written to the running recording (a count of records, not bytes). Any thread.
    UINT GetFileLength() const;
    // The working file of the running recording; empty when none runs.
    const CString& GetPath() const;
    // Why the ending recording could not be written on; no error but while OnRecordEnding runs
    // for a recording that a write error ended.
    const RecordWriteError& GetWriteError() const;

private:
    CRecorderOwner& m_owner;
    CFileThreadControl m_FileThread;
    std::atomic<int> m_bRecording { 0 };
    // Recording-state lock: guards m_bInterrupted.
    mutable CCriticalSection m_StateLock;
    int m_bInterrupted { 0 };
    CString m_strPath;
    RecordWriteError m_WriteError;
    int m_bSnapshotRequest { 0 };
    int m_nSnapshotFill { 0 };
    std::vector<BYTE> m_Snapshot;
    COleDateTime m_SnapshotTime;
};

} // namespace nyraclient::record
