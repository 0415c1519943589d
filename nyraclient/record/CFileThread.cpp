// The recording's writer thread.
#include "nyraclient/record/CFileThread.h"

#include "nrdata/buffer/CSmartBuffer.h"

#include "platform/msg/MessageBoxService.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/Wnd.h"

#include <chrono>

namespace nyraclient::record {

using namespace nrdata::record;

namespace {

// How long the loop waits for work before it looks at its stop flag again.
constexpr auto kIdleWait = std::chrono::milliseconds(20);

} // namespace

// ==== set-up (owner's thread, before the thread runs) ============================================

int CFileThread::OpenFile(LPCTSTR lpszPath, const HeaderBlock& block1, const HeaderBlock& block2, int bDemo)
{
    m_file.Close();
    CFileException error;
    if (!m_file.Create(lpszPath, block1, block2, &error)) {
        char text[512]{};
        error.GetErrorMessage(text, sizeof text);
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    m_nMirrorInterval = bDemo ? kMirrorIntervalDemo : kMirrorInterval;
    return 1;
}

void CFileThread::SetNotify(CWnd* pWnd, UINT nMsg)
{
    m_nNotifyMsg.store(nMsg);
    m_hNotify.store(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr);
}

// ==== queueing (owner's thread) ==================================================================

void CFileThread::AddParamData(CSmartBuffer* buffer)
{
    if (buffer == nullptr)
        return;
    {
        std::lock_guard lock(m_queueLock);
        if (GetStopFlag() == 0 && m_bFailed.load() == 0) {
            m_params.push_back(buffer);
            buffer = nullptr;
        }
    }
    if (buffer != nullptr)
        buffer->RemoveRef(1);
    else
        m_wake.notify_one();
}

void CFileThread::AddWaveData(CSmartBuffer* buffer)
{
    if (buffer == nullptr)
        return;
    {
        std::lock_guard lock(m_queueLock);
        if (GetStopFlag() == 0 && m_bFailed.load() == 0) {
            m_waves.push_back({buffer, m_waveTime, m_lead1, m_lead2});
            buffer = nullptr;
        }
    }
    if (buffer != nullptr)
        buffer->RemoveRef(1);
    else
        m_wake.notify_one();
}

void CFileThread::SetECGLead(BYTE lead, BYTE second)
{
    std::lock_guard lock(m_queueLock);
    m_lead1 = lead;
    m_lead2 = second;
}

void CFileThread::SetWaveTime(const COleDateTime& time)
{
    std::lock_guard lock(m_queueLock);
    m_waveTime = time;
}

void CFileThread::Stop()
{
    // Under the queue lock: once the flag is seen the thread may end and delete this object,
    // and its destructor takes the same lock first, so the wake-up below is done by then.
    std::lock_guard lock(m_queueLock);
    SetStopFlag(1);
    m_wake.notify_one();
}

// ==== the loop (file thread) =====================================================================

int CFileThread::ExitInstance()
{
    SetStopFlag(1);
    return CWinThread::ExitInstance();
}

int CFileThread::Run()
{
    while (IsRunning() && m_file.IsOpen()) {
        if (m_bFailed.load()) {
            ReleaseQueued();
        } else {
            WriteSnapshot();
            WriteRecords();
        }
        std::unique_lock lock(m_queueLock);
        m_wake.wait_for(lock, kIdleWait,
                        [this] { return !IsRunning() || !m_params.empty() || !m_waves.empty(); });
    }
    return kExitCode;
}

void CFileThread::WriteSnapshot()
{
    Snapshot snapshot{};
    {
        std::lock_guard lock(m_queueLock);
        if (m_waves.empty())
            return;
        snapshot = m_waves.front();
        m_waves.pop_front();
    }
    const bool whole = snapshot.buffer->GetSize() == kWaveAreaSize;
    const BOOL written = whole && m_file.WriteSnapshot(static_cast<const BYTE*>(snapshot.buffer->GetBuffer()),
                                                       snapshot.time, snapshot.lead1, snapshot.lead2);
    snapshot.buffer->RemoveRef(1);
    if (whole && !written)
        Fail();
}

void CFileThread::WriteRecords()
{
    size_t count;
    {
        std::lock_guard lock(m_queueLock);
        count = m_params.size();
    }
    for (size_t i = 0; i < count && m_bFailed.load() == 0; ++i) {
        CSmartBuffer* buffer;
        {
            std::lock_guard lock(m_queueLock);
            buffer = m_params.front();
            m_params.pop_front();
        }
        WriteRecord(buffer);
        if (m_bFailed.load() == 0 && m_nRecords.load() % m_nMirrorInterval == 0 &&
            m_hNotify.load() != nullptr) {
            m_file.UpdateFMF();
            Notify(kRecordProgress);
        }
    }
}

void CFileThread::WriteRecord(CSmartBuffer* buffer)
{
    // Only whole records go into the file: anything else would shift every record after it.
    if (buffer->GetSize() == kRecordSize) {
        if (m_file.AppendRecord(static_cast<const BYTE*>(buffer->GetBuffer())))
            ++m_nRecords;
        else
            Fail();
    }
    buffer->RemoveRef(1);
}

void CFileThread::Fail()
{
    m_writeError = m_file.GetWriteError();
    m_bFailed.store(1);
    ReleaseQueued();
    m_file.UpdateFMF();
    Notify(kRecordWriteFailed);
}

void CFileThread::Notify(WPARAM wParam)
{
    const HWND hwnd = m_hNotify.load();
    if (hwnd != nullptr && ::IsWindow(hwnd))
        ::PostMessage(hwnd, m_nNotifyMsg.load(), wParam, 0);
}

void CFileThread::ReleaseQueued()
{
    std::deque<CSmartBuffer*> params;
    std::deque<Snapshot> waves;
    {
        std::lock_guard lock(m_queueLock);
        params.swap(m_params);
        waves.swap(m_waves);
    }
    for (CSmartBuffer* buffer : params)
        buffer->RemoveRef(1);
    for (const Snapshot& snapshot : waves)
        snapshot.buffer->RemoveRef(1);
}

// ==== the end (file thread, after the loop) ======================================================

CFileThread::~CFileThread()
{
    std::deque<CSmartBuffer*> params;
    std::deque<Snapshot> waves;
    {
        std::lock_guard lock(m_queueLock);
        params.swap(m_params);
        waves.swap(m_waves);
    }
    // A snapshot still queued is written too: the user asked for it, and the loop may have
    // been stopped before it came to it.
    for (const Snapshot& snapshot : waves) {
        if (m_file.IsOpen() && m_bFailed.load() == 0 && snapshot.buffer->GetSize() == kWaveAreaSize)
            m_file.WriteSnapshot(static_cast<const BYTE*>(snapshot.buffer->GetBuffer()), snapshot.time,
                                 snapshot.lead1, snapshot.lead2);
        snapshot.buffer->RemoveRef(1);
    }
    for (CSmartBuffer* buffer : params) {
        if (m_file.IsOpen() && m_bFailed.load() == 0)
            WriteRecord(buffer);
        else
            buffer->RemoveRef(1);
    }
    if (m_file.IsOpen()) {
        m_file.UpdateFMF();
        Notify(kRecordProgress);
        m_file.Close();
    }
}

} // namespace nyraclient::record

namespace nyraclient::record {

// ==== the owner's side ===========================================================================

BOOL CFileThreadControl::Start(LPCTSTR path, const HeaderBlock& block1, const HeaderBlock& block2, int bDemo,
                               CWnd* pNotify, UINT nMsg)
{
    if (m_pThread != nullptr)
        return FALSE;
    CFileThread* thread = AfxBeginThread<CFileThread>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == nullptr)
        return FALSE;
    if (!thread->OpenFile(path, block1, block2, bDemo)) {
        // Never resumed: deleting it ends its thread without running.
        delete thread;
        return FALSE;
    }
    thread->SetNotify(pNotify, nMsg);
    m_end = platform::WaitHandle(thread->m_hThread);
    m_pThread = thread;
    thread->ResumeThread();
    return TRUE;
}

void CFileThreadControl::Stop()
{
    CFileThread* thread = m_pThread;
    if (thread == nullptr)
        return;
    m_pThread = nullptr;
    // The thread runs until its stop flag is seen, so it still exists here.
    thread->SetNotify(nullptr, 0);
    thread->Stop();
    m_end.Wait(INFINITE);
    m_end.reset();
}

} // namespace nyraclient::record
