// CParamThread: the parameter painter of one bed window. It draws the numerics of the parameter
// panel and the trend curves from its own thread whenever parameters have arrived (or a full
// redraw was asked for), and blanks the numerics once no parameter has come for 4 seconds of the
// tick clock.
//
// Each area is composed off-screen in a memory DC of the area's size, whose origin is placed at
// the area's top-left corner so that the window's own drawing code draws in window coordinates;
// what changed goes to the window's work bitmap (so a repaint keeps it) and onto the window: the
// trend area whole, of the panel only the items whose text or colour changed. The background
// comes from the window's background bitmap, through a DC of this thread's own. A pass draws
// from one snapshot of the client (PanelSnapshot), taken under its locks once.
//
// Requests (new data, redraw all) come from any thread and are counted: a drawing settles only
// the requests that were there when it began, so a packet that arrives while the panel is being
// drawn is never lost. Each request wakes the painter; between them it sleeps until its next
// deadline (the 4-s silence, a review page's slot), so an idle bed costs next to nothing.
#pragma once

#include "nyraclient/bedwindow/PanelPicture.h"
#include "nyraclient/thread/NyraWorkerThread.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

#include <atomic>
#include <mutex>

class NyraControl;

class CParamThread : public NyraWorkerThread<NyraControl>
{
public:
    static constexpr int kExitCode = 0x1D03;
    // Numerics go blank after this long without parameters (tick clock).
    static constexpr DWORD kBlankAfterMs = 4000;
    // In trend review the trend is drawn at most this often.
    static constexpr DWORD kReviewRedrawMs = 31;
    // The painter sleeps until it has work: a request wakes it, and the silence and a review
    // page are deadlines on the tick clock. Only a window not yet ready to be drawn on is
    // looked at this often.
    static constexpr DWORD kNotReadyLookMs = 50;

    CParamThread();
    ~CParamThread() override;

    BOOL InitInstance() override { return TRUE; }
    int Run() override;

    // Any thread: parameters arrived (ignored while the thread is stopping). `generation` is the
    // client's parameter count after the packet was stored.
    void NewData(unsigned generation);
    // Any thread: the window's bitmaps were rebuilt or repainted; both backgrounds are taken
    // again and everything is drawn.
    void RedrawAll();
    // Any thread: draw the numerics and the trend again (a repaint, a return to live mode).
    void Redraw();
    // Whether a drawing was asked for that has not been done yet.
    BOOL IsDrawPending() const { return m_nRequested.load() != m_nDrawn.load() ? TRUE : FALSE; }

private:
    // One pass of the loop; false when the owner cannot be drawn on yet.
    bool Pass(NyraControl& owner);
    // Tick milliseconds until the painter must look again without being woken: the end of the
    // silence, the next review slot; INFINITE when neither is due.
    DWORD NextDeadline(NyraControl& owner);
    void BlankWhenSilent(NyraControl& owner);
    // Makes `dc` a memory DC with a bitmap of `area`'s size, its origin at the area's corner,
    // filled from the window's background bitmap. FALSE when the area is empty or the copy failed.
    static BOOL CaptureArea(NyraControl& owner, CDC& dc, CBitmap& bitmap, const CRect& area);
    // Copies `area` of `dc` into the window's work bitmap and onto the window.
    static void Show(NyraControl& owner, CDC& dc, const CRect& area);
    void DrawTrend(NyraControl& owner, unsigned request);
    // True once the panel stands drawn for `request`.
    bool DrawPanel(NyraControl& owner, unsigned request);

    // Requests and what has been drawn of them (see the file comment).
    std::atomic<unsigned> m_nRequested { 1 };
    std::atomic<unsigned> m_nDrawn { 0 };
    // Data lock: guards the time and generation of the last data. Taken alone.
    mutable std::mutex m_DataLock;
    DWORD m_dwLastData { 0 };
    unsigned m_nDataGeneration { 0 };
    bool m_bBlanked { false };
    // Redraw lock (the thread's own, not the window's): guards the two background flags.
    std::mutex m_RedrawLock;
    bool m_bTrendBackground { true };
    bool m_bPanelBackground { true };

    // Only the thread touches these.
    CRect m_rcClient { 0, 0, 0, 0 };
    CRect m_rcTrend { 0, 0, 0, 0 };
    CRect m_rcPanel { 0, 0, 0, 0 };
    CDC m_TrendDC;
    CBitmap m_TrendBitmap;
    CDC m_PanelDC;
    CBitmap m_PanelBitmap;
    DWORD m_dwLastReviewDraw { 0 };
    unsigned m_nTrendDrawn { 0 };
    unsigned m_nPanelDrawn { 0 };
    // The panel's items as last shown.
    PanelPicture m_Shown {};
};
