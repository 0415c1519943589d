#include "nyraclient/bedwindow/CWaveThread.h"

#include "nyraclient/bedwindow/NyraControl.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "nrdata/buffer/CSmartBuffer.h"
#include "nrdata/packet/PKWave_v110.h"

#include "platform/gdi/WindowDCs.h"

#include <algorithm>

namespace {

// The four channels in drawing order, with their wave kind (the "Top Graph" / "Bottom Graph"
// value), sample count and pen colour setting.
struct WaveChannel
{
    int kind;
    int samples;
    int NyraSettings::*color;
};
constexpr WaveChannel kChannels[kWaveChannels] = {
    { WAVE_KIND_ECG, PKWave_v110::kECGSamples, &NyraSettings::GraphHR },
    { WAVE_KIND_SPO2, PKWave_v110::kSpO2Samples, &NyraSettings::GraphSpO2 },
    { WAVE_KIND_FECG, PKWave_v110::kECGSamples, &NyraSettings::GraphFECG },
    { WAVE_KIND_FSPO2, PKWave_v110::kSpO2Samples, &NyraSettings::GraphFSpO2 },
};

// The erase bar runs this many pixels ahead of the trace.
constexpr int kEraseAhead = 4;
// While the queue is drained in another layout, a breath after this many packets in a row.
constexpr int kDrainBurst = 10001;

int SampleValue(const PKWave_v110& wave, int kind, int i)
{
    switch (kind) {
    case WAVE_KIND_ECG: return wave.GetECG(i);
    case WAVE_KIND_SPO2: return wave.GetSpO2(i);
    case WAVE_KIND_FECG: return wave.GetFECG(i);
    default: return wave.GetFSpO2(i);
    }
}

} // namespace

CWaveThread::~CWaveThread()
{
    Drain();
    ReleaseWork();
    if (m_Canvas.GetSafeHdc() != nullptr)
        m_Canvas.DeleteDC();
    if (m_Background.GetSafeHdc() != nullptr)
        m_Background.DeleteDC();
}

// ==== the queue (any thread) =====================================================================

void CWaveThread::AddData(CSmartBuffer* packet)
{
    if (packet == nullptr)
        return;
    std::unique_lock lock(m_QueueLock);
    if (IsRunning() && packet->GetSize() == kPacketSize) {
        m_Queue.push_back(packet);
        lock.unlock();
        Wake();
        return;
    }
    lock.unlock();
    packet->RemoveRef(1);
}

void CWaveThread::ResetCanvas()
{
    {
        std::lock_guard lock(m_ResetLock);
        m_bCanvasReset = true;
    }
    Wake();
}

std::size_t CWaveThread::GetQueuedCount() const
{
    std::lock_guard lock(m_QueueLock);
    return m_Queue.size();
}

void CWaveThread::Drain()
{
    std::deque<CSmartBuffer*> dropped;
    {
        std::lock_guard lock(m_QueueLock);
        dropped.swap(m_Queue);
    }
    int inARow = 0;
    for (CSmartBuffer* packet : dropped) {
        packet->RemoveRef(1);
        if (++inARow == kDrainBurst) {
            inARow = 0;
            Sleep(1);
        }
    }
}

// ==== the loop ===================================================================================

int CWaveThread::Run()
{
    NyraControl* owner = GetOwner();
    if (owner == nullptr)
        return kExitCode;
    CreatePens(*owner);
    // Held for the thread's life: the window passes through it after stopping the thread.
    CCriticalSection& lifeLock = owner->GetWaveLock();
    lifeLock.Lock();
    while (IsRunning()) {
        if (!Pass(*owner)) {
            WaitForWork(INFINITE, kNotReadyLookMs);
            continue;
        }
        const std::size_t queued = GetQueuedCount();
        if (queued == 0)
            WaitForWork(INFINITE); // until a packet, a reset or the stop
        else
            PauseFor(queued > kCatchUpQueue ? 1 : kPassSleepMs);
    }
    // The window may rebuild its work bitmap once this thread has gone.
    ReleaseWork();
    lifeLock.Unlock();
    return kExitCode;
}

void CWaveThread::CreatePens(NyraControl& owner)
{
    if (owner.GetClient() == nullptr)
        return;
    const NyraConfig config = owner.GetClient()->GetConfig();
    for (int c = 0; c < kWaveChannels; ++c)
        NyraControl::CreatePen(m_Pens[size_t(c)], COLORREF(config.*kChannels[c].color), 1);
}

bool CWaveThread::Pass(NyraControl& owner)
{
    if (owner.GetSafeHwnd() == nullptr || !owner.IsPrepared() || owner.GetWorkBitmap()->GetSafeHandle() == nullptr)
        return false;
    CRect client;
    owner.GetClientRect(&client);
    if (client != m_rcClient) {
        ResetCanvas();
        m_rcClient = client;
    }
    if (owner.GetDisplayMode() != DISPMODE_ENLARGE) {
        Drain();
        return true;
    }
    bool reset = false;
    {
        std::lock_guard lock(m_ResetLock);
        reset = m_bCanvasReset;
    }
    if (!reset) {
        DrawOnePacket(owner);
        return true;
    }
    // A canvas that could not be made yet is tried again soon.
    return RebuildCanvas(owner);
}

bool CWaveThread::RebuildCanvas(NyraControl& owner)
{
    m_rcGraph = owner.GetGraphRectAll();
    Drain();
    if (m_rcGraph.IsRectEmpty())
        return true; // an enlarged window too small for waves: nothing to draw until it changes
    CClientDC windowDC(&owner);
    if (windowDC.GetSafeHdc() == nullptr)
        return false;
    const int w = m_rcGraph.Width(), h = m_rcGraph.Height();
    bool copied = true;
    for (auto [dc, bitmap] : { std::pair { &m_Canvas, &m_CanvasBitmap }, std::pair { &m_Background, &m_BackgroundBitmap } }) {
        if (dc->GetSafeHdc() != nullptr)
            dc->DeleteDC();
        bitmap->DeleteObject();
        dc->CreateCompatibleDC(&windowDC);
        bitmap->CreateCompatibleBitmap(&windowDC, w, h);
        dc->SelectObject(bitmap);
        // The wave area of the window's background bitmap, at the canvas's origin.
        dc->SetWindowOrg(m_rcGraph.left, m_rcGraph.top);
        copied = owner.CopyFromBackground(dc, m_rcGraph) && copied;
        dc->SetWindowOrg(0, 0);
    }
    if (!copied)
        return false;
    // The work bitmap stays in a DC of this thread's own until the next rebuild: every packet
    // copies its columns there.
    ReleaseWork();
    if (m_Work.CreateCompatibleDC(&windowDC))
        m_pOldWork = m_Work.SelectObject(owner.GetWorkBitmap());
    {
        std::lock_guard lock(m_ResetLock);
        m_bCanvasReset = false;
    }
    for (int c = 0; c < kWaveChannels; ++c)
        owner.GetWaveScale(static_cast<WAVE_CHANNEL>(c)).penUp = 1;
    m_nSweep = 0;
    return true;
}

void CWaveThread::Erase(int from, int to, int height)
{
    if (to > from)
        m_Canvas.BitBlt(from, 0, to - from, height, &m_Background, from, 0, SRCCOPY);
}

void CWaveThread::DrawOnePacket(NyraControl& owner)
{
    CSmartBuffer* head = nullptr;
    {
        std::lock_guard lock(m_QueueLock);
        if (m_Queue.empty())
            return;
        head = m_Queue.front();
    }
    PKWave_v110 wave;
    if (head->GetSize() != kPacketSize
        || !wave.SetPacket(static_cast<const BYTE*>(head->GetBuffer()), int(kPacketSize), 0)) {
        std::lock_guard lock(m_QueueLock);
        m_Queue.pop_front();
        head->RemoveRef(1);
        return;
    }
    const int w = m_rcGraph.Width(), h = m_rcGraph.Height();
    WaveChannelScale& ecg = owner.GetWaveScale(WAVE_CHANNEL_ECG);
    const int step = static_cast<int>(12.0 * ecg.pixelsPerSample + 0.5);
    int next = m_nSweep + step;
    if (next > w)
        next -= w;

    // The erase bar, in two pieces when the step wraps past the right edge.
    const int barEnd = m_nSweep + step + kEraseAhead;
    Erase(std::min(m_nSweep + 1, w), std::min(barEnd, w), h);
    if (barEnd > w)
        Erase(0, std::min(barEnd - w, w), h);

    const NyraConfig config = owner.GetClient()->GetConfig();
    const int saved = m_Canvas.SaveDC();
    const int top = h / 2 - h / 14, bottom = h - h / 14;
    for (int c = 0; c < kWaveChannels; ++c) {
        const int kind = kChannels[c].kind;
        if (config.TopGraph != kind && config.BottomGraph != kind)
            continue;
        m_Canvas.SelectObject(&m_Pens[size_t(c)]);
        DrawChannel(wave, c, owner.GetWaveScale(static_cast<WAVE_CHANNEL>(c)), config.TopGraph == kind ? top : bottom);
    }
    m_Canvas.RestoreDC(saved);
    const int drawnFrom = m_nSweep;
    m_nSweep = next;
    ShowColumns(owner, drawnFrom, step);

    // Counted before it leaves the queue: whoever sees the queue empty sees the count too.
    m_nDrawn.fetch_add(1);
    {
        std::lock_guard lock(m_QueueLock);
        m_Queue.pop_front();
    }
    head->RemoveRef(1);
}

void CWaveThread::ShowColumns(NyraControl& owner, int sweep, int step)
{
    // The columns this packet changed: the lines from the previous packet's last points (at
    // most a step back) to the new ones, and the erase bar ahead; in two pieces across the
    // right edge.
    const int w = m_rcGraph.Width(), h = m_rcGraph.Height();
    if (w <= 0)
        return;
    const int from = sweep - step - 2;
    const int to = sweep + step + kEraseAhead + 2;
    std::array<std::pair<int, int>, 2> pieces {};
    int count = 0;
    if (to - from >= w) {
        pieces[count++] = { 0, w };
    } else {
        const int a = ((from % w) + w) % w;
        const int b = a + (to - from);
        pieces[count++] = { a, std::min(b, w) };
        if (b > w)
            pieces[count++] = { 0, b - w };
    }
    // Onto the window and into its work bitmap, so that a repaint keeps the waves.
    CClientDC windowDC(&owner);
    if (windowDC.GetSafeHdc() == nullptr)
        return;
    const bool haveWork = m_Work.GetSafeHdc() != nullptr;
    for (int i = 0; i < count; ++i) {
        const auto [x0, x1] = pieces[size_t(i)];
        windowDC.BitBlt(m_rcGraph.left + x0, m_rcGraph.top, x1 - x0, h, &m_Canvas, x0, 0, SRCCOPY);
        if (haveWork)
            m_Work.BitBlt(m_rcGraph.left + x0, m_rcGraph.top, x1 - x0, h, &m_Canvas, x0, 0, SRCCOPY);
    }
}

void CWaveThread::ReleaseWork()
{
    if (m_Work.GetSafeHdc() == nullptr)
        return;
    m_Work.SelectObject(m_pOldWork);
    m_pOldWork = nullptr;
    m_Work.DeleteDC();
}

void CWaveThread::DrawChannel(const PKWave_v110& wave, int channel, WaveChannelScale& scale, int baseline)
{
    const int w = m_rcGraph.Width();
    const int kind = kChannels[channel].kind;
    bool edgeDone = false;
    for (int i = 0; i < kChannels[channel].samples; ++i) {
        int x = m_nSweep + static_cast<int>(i * scale.pixelsPerSample);
        const bool valid = wave.IsValidData(kind, i) != 0;
        const int y = static_cast<int>(baseline - SampleValue(wave, kind, i) * scale.pixelsPerUnit);
        if (scale.penUp) {
            if (valid) {
                scale.lastX = x % std::max(w, 1);
                scale.lastY = y;
                scale.penUp = 0;
            }
            continue;
        }
        if (!valid) {
            scale.penUp = 1;
            continue;
        }
        if (!edgeDone && (x >= w || scale.lastX + scale.pixelsPerSample >= w)) {
            // The trace reaches the right edge and goes on from the left.
            m_Canvas.MoveTo(scale.lastX, scale.lastY);
            m_Canvas.LineTo(w, y);
            scale.lastX = 0;
            edgeDone = true;
        }
        if (w > 0)
            x %= w;
        m_Canvas.MoveTo(scale.lastX, scale.lastY);
        m_Canvas.LineTo(x, y);
        scale.lastX = x;
        scale.lastY = y;
    }
}
