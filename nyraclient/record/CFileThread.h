// CFileThread: the worker thread that writes one recording. The client queues every trend
// entry (108-byte parameter records) and every wave snapshot (14,000 bytes) as CSmartBuffer
// copies; the thread appends the records to the ".TMP", writes snapshots over its wave area
// and, every 10 records (1000 for a demo bed), brings the ".FMF" up to date and posts the
// notify message to the client's window (wParam kRecordProgress).
//
// Life: created suspended, OpenFile, resumed; the owner stops it through its stop flag and
// waits for the thread's end. The destructor (on the thread) writes every snapshot and record
// still queued, brings the ".FMF" up to date a last time and closes the file, so when the owner's
// wait returns the files are complete.
//
// A write error does not end the thread (its owner still holds it): the thread stops writing,
// cuts the ".TMP" back to its last whole record, commits what is on disk, posts the notify
// message with wParam kRecordWriteFailed so that the client stops the recording, and from
// then on releases what is queued without writing it.
#pragma once

#include "nyraclient/record/CRecordFile.h"
#include "nyraclient/thread/NyraWorkerThread.h"

#include "platform/core/OleDateTime.h"
#include "platform/msg/Messages.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

class CSmartBuffer;
class CWnd;

namespace nyraclient::record {

using nrdata::record::HeaderBlock;

// wParam of the notify message.
constexpr WPARAM kRecordProgress = 0;
constexpr WPARAM kRecordWriteFailed = 1;

class CFileThreadControl;

class CFileThread : public NyraWorkerThread<CFileThreadControl>
{
public:
    static constexpr int kExitCode = 0x1D06;
    static constexpr UINT kMirrorInterval = 10;
    static constexpr UINT kMirrorIntervalDemo = 1000;

    CFileThread() = default;
    ~CFileThread() override;

    // Creates the ".TMP" with the two header blocks and an empty wave area. On failure the
    // reason is shown to the user in a message box and the result is 0.
    int OpenFile(LPCTSTR lpszPath, const HeaderBlock& block1, const HeaderBlock& block2, int bDemo);
    int IsOpen() const { return m_file.IsOpen() ? 1 : 0; }

    // Take over one reference of the buffer; after Stop (or a write error) the reference is
    // released at once. A null buffer is ignored.
    void AddParamData(CSmartBuffer* buffer);
    // The snapshot takes the lead bytes and the time set last.
    void AddWaveData(CSmartBuffer* buffer);
    void SetECGLead(BYTE lead, BYTE second);
    void SetWaveTime(const COleDateTime& time);

    // Where progress goes; null: nowhere.
    void SetNotify(CWnd* pWnd, UINT nMsg);
    // Records written.
    UINT GetFileLength() const { return m_nRecords.load(); }
    int HasFailed() const { return m_bFailed.load(); }
    // What the failed write met; read only once HasFailed is 1.
    RecordWriteError GetWriteError() const { return m_writeError; }
    void Stop();

    BOOL InitInstance() override { return TRUE; }
    int Run() override;
    int ExitInstance() override;

private:
    struct Snapshot
    {
        CSmartBuffer* buffer;
        COleDateTime time;
        BYTE lead1;
        BYTE lead2;
    };

    bool HasWork();
    void WriteSnapshot();
    void WriteRecords();
    void WriteRecord(CSmartBuffer* buffer);
    void Fail();
    void Notify(WPARAM wParam);
    void ReleaseQueued();

    CRecordFile m_file;
    // Queue lock: guards both queues and the pending lead bytes and time; taken alone.
    std::mutex m_queueLock;
    std::condition_variable m_wake;
    std::deque<CSmartBuffer*> m_params;
    std::deque<Snapshot> m_waves;
    BYTE m_lead1{0};
    BYTE m_lead2{0};
    COleDateTime m_waveTime;

    // Written by the thread before it sets m_bFailed, read by the owner after seeing it set.
    RecordWriteError m_writeError;
    std::atomic<UINT> m_nRecords{0};
    std::atomic<int> m_bFailed{0};
    std::atomic<HWND> m_hNotify{nullptr};
    std::atomic<UINT> m_nNotifyMsg{0};
    UINT m_nMirrorInterval{kMirrorInterval};
};

} // namespace nyraclient::record

namespace nyraclient::record {

// The owner's side of one file thread: the thread is made suspended, its file created, and
// only then resumed; a file that cannot be created leaves no thread. Stop waits until the
// thread has written everything queued and closed the file. Used from one thread only.
class CFileThreadControl
{
public:
    CFileThreadControl() = default;
    CFileThreadControl(const CFileThreadControl&) = delete;
    CFileThreadControl& operator=(const CFileThreadControl&) = delete;
    ~CFileThreadControl() { Stop(); }

    // FALSE, with no thread left behind, when a thread runs already, the thread cannot be
    // made or the file cannot be created (the user was told why).
    BOOL Start(LPCTSTR path, const HeaderBlock& block1, const HeaderBlock& block2, int bDemo, CWnd* pNotify,
               UINT nMsg);
    // Progress stops being posted, then the thread is stopped and waited for.
    void Stop();
    // The running thread; null when none.
    CFileThread* Get() const { return m_pThread; }

private:
    CFileThread* m_pThread{nullptr};
    platform::WaitHandle m_end;
};

} // namespace nyraclient::record
