// CWaveThread: the wave painter of one bed window. While the window shows the enlarged layout it
// draws the client's wave packets as sweeping traces into the two wave strips, an erase bar
// running just ahead of the trace; in every other layout it drops the packets as they come.
//
// Packets come from the client's wave handler (through NyraControl::PushWave) on any thread and
// wait in a queue, each holding one reference of its buffer, released exactly once (dropped,
// drained, drawn or left at the end). At most one packet is drawn per pass. A packet wakes the
// painter; while more wait it paces itself, 30 ms between passes, 1 ms while more than 25
// packets wait, so it keeps up with a monitor's 25 packets a second and catches up after a
// stall. With nothing queued it sleeps until a packet, a reset or the stop.
//
// The traces are drawn on a canvas of the wave area's size; a clean copy of the area (the
// background) is what the erase bar restores. The columns each drawn packet changed go from the
// canvas to the window's work bitmap (so a repaint keeps the waves) and onto the window; the
// work bitmap stays selected in a DC of the painter's own while it runs, so a packet makes no DC
// but the window's.
//
// Every channel's trace runs on across packets, the fetal SpO2 pleth too: a trace breaks only
// where a sample has no data.
#pragma once

#include "nyraclient/thread/NyraWorkerThread.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"

#include <array>
#include <deque>
#include <mutex>

class CSmartBuffer;
class NyraControl;
class PKWave_v110;
struct WaveChannelScale;

class CWaveThread : public NyraWorkerThread<NyraControl>
{
public:
    static constexpr int kExitCode = 0x1D02;
    static constexpr unsigned long kPacketSize = 56;
    // Pass pacing: the normal sleep, and the short one while the queue is longer than this.
    static constexpr DWORD kPassSleepMs = 30;
    static constexpr std::size_t kCatchUpQueue = 25;
    // How often a window not yet ready to be drawn on is looked at.
    static constexpr DWORD kNotReadyLookMs = 50;

    CWaveThread() = default;
    ~CWaveThread() override;

    BOOL InitInstance() override { return TRUE; }
    int Run() override;

    // Any thread; takes over the caller's reference. Dropped while the thread stops, and when
    // it is not a whole wave packet.
    void AddData(CSmartBuffer* packet);
    // Any thread: rebuild the canvas and start every trace again at the left edge.
    void ResetCanvas();
    // For tests and benchmarks: packets drawn so far, packets waiting.
    unsigned GetDrawnCount() const { return m_nDrawn.load(); }
    std::size_t GetQueuedCount() const;

private:
    // One pass; false when the window cannot be drawn on yet.
    bool Pass(NyraControl& owner);
    void Drain();
    // False when the canvas could not be made (no DC, no background yet).
    bool RebuildCanvas(NyraControl& owner);
    void DrawOnePacket(NyraControl& owner);
    // Restores columns [from, to) of the canvas from the background, full height.
    void Erase(int from, int to, int height);
    void DrawChannel(const PKWave_v110& wave, int channel, WaveChannelScale& scale, int baseline);
    // Copies the columns a packet drawn from `sweep` on changed onto the window and into its
    // work bitmap.
    void ShowColumns(NyraControl& owner, int sweep, int step);
    // Takes the window's work bitmap out of this thread's DC.
    void ReleaseWork();
    void CreatePens(NyraControl& owner);

    // Queue lock: guards the queue. Taken alone.
    mutable std::mutex m_QueueLock;
    std::deque<CSmartBuffer*> m_Queue;
    // Reset lock: guards the canvas-reset flag. Taken alone.
    std::mutex m_ResetLock;
    bool m_bCanvasReset { true };

    // Only the thread touches these.
    CRect m_rcClient { 0, 0, 0, 0 };
    CRect m_rcGraph { 0, 0, 0, 0 };
    CDC m_Canvas;
    CBitmap m_CanvasBitmap;
    CDC m_Background;
    CBitmap m_BackgroundBitmap;
    // The window's work bitmap, selected from a rebuild of the canvas to the next one or the end.
    CDC m_Work;
    CBitmap* m_pOldWork { nullptr };
    int m_nSweep { 0 };
    std::array<CPen, 4> m_Pens;
    std::atomic<unsigned> m_nDrawn { 0 };
};
