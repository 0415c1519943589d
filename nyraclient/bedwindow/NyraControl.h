// NyraControl: the window that shows one bed. A client owns up to two: its tile in the bed grid
// and, while the bed is expanded, an enlarged window with live waves (DISPMODE_ENLARGE). The
// client drives them as NyraBedWindow; the manager makes them (MakeBedWindow), and TileOf and
// EnlargedOf give the rest of the station a client's windows as NyraControls.
//
// The window has a caption bar with command buttons (BedWindowCaption.cpp), a parameter panel
// with the numerics (BedWindowPanel.cpp), a trend area with its scroll bar for looking back
// (BedWindowTrend.cpp) and, enlarged, a wave area. It paints from two bitmaps of its own size:
// the background bitmap holds what changes only with size or settings (frame, grids, labels);
// the work bitmap is what the window shows, updated by the painters. The protocol side does not
// draw: it hands data over (PushWave, PushParam) and asks for repaints (UpdateParameter,
// UpdateCaption, RedrawControl).
//
// Three painter threads draw live data from their own threads: the wave painter (CWaveThread),
// the parameter painter (numerics and trend curves, CParamThread) and the alarm-caption painter
// (CAlarmThread). Each holds its painter lock for its life and draws through memory DCs of its
// own over the window's bitmaps. A rebuild of the bitmaps takes the redraw lock, stops the
// painters, waits for their ends and passes once through each painter lock, so no painter is
// inside its drawing when the bitmaps change; painters never take the redraw lock.
//
// Thread lock: guards the three painter pointers. PushWave and PushParam (which a demo bed's
// generator calls from its own thread) hand data to a painter under it; StartThread and
// StopThread change the pointers under it, so a painter handed data is always one that runs.
// It is never held while waiting for a painter's end.
//
// Locks, in their order: the redraw lock, then the thread lock, then a painter lock (only passed
// through). A painter's own locks are taken alone.
//
// Threads: RedrawControl and UpdateParameter called from another thread are posted to the
// window's thread (WM_BED_REDRAW).
//
// Lifetime: the client deletes a bed window through DeleteObjectWhenIdle, and the window's mouse
// and scroll handlers hold a NotifyScope, so a command that removes the bed (Close, or a monitor
// that leaves while a dialog opened from a click is up) never deletes the window inside its own
// handler.
#pragma once

#include "nyraclient/bedwindow/CAlarmThread.h"
#include "nyraclient/bedwindow/CParamThread.h"
#include "nyraclient/bedwindow/CWaveThread.h"
#include "nyraclient/bedwindow/CaptionLayout.h"
#include "nyraclient/bedwindow/PanelPicture.h"
#include "nyraclient/client/NyraBedWindow.h"
#include "nyraclient/display/CDisplayInfo.h"

#include "platform/core/Sync.h"
#include "platform/gdi/CDC.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/controls/ScrollBar.h"

#include <array>
#include <atomic>
#include <mutex>

class CSmartBuffer;
class NyraClientInfo;
struct PanelSnapshot;

// The wave state of one channel: its scales, set at every layout, and the trace's last point,
// kept by the wave painter.
struct WaveChannelScale
{
    double pixelsPerSample { 1.0 };
    double pixelsPerUnit { 1.0 };
    int lastX { 0 };
    int lastY { 0 };
    int penUp { 1 };
};

// Channels of the wave area, in the order of their scale records.
enum WAVE_CHANNEL : int
{
    WAVE_CHANNEL_ECG = 0,
    WAVE_CHANNEL_SPO2 = 1,
    WAVE_CHANNEL_FECG = 2,
    WAVE_CHANNEL_FSPO2 = 3,
};
constexpr int kWaveChannels = 4;

class NyraControl final : public NyraBedWindow
{
public:
    // What HitTest finds under a point.
    enum HIT
    {
        HIT_NONE = 0,
        HIT_CAPTION = 1,
        HIT_BUTTON = 2,   // value: the button's command
        HIT_TREND = 3,
        HIT_GRAPH = 4,    // value: the wave strip (GRAPHITEM)
        HIT_PARAMETER = 5,
    };

    static constexpr UINT kScrollBarID = 3888;
    static constexpr int kScrollBarHeight = 15;
    static constexpr UINT_PTR kTrendTimer = 1;
    static constexpr UINT kTrendTimerMs = 40;
    // The window's top: the caption strip's layout height.
    static constexpr int kCaptionHeight = 20;
    static constexpr COLORREF kCaptionTextColor = RGB(50, 50, 50);
    static constexpr const char* kClassName = "NyraControl";
    // Posted to the window by RedrawControl, UpdateParameter and PushParam called on another
    // thread; wParam says which.
    static constexpr UINT WM_BED_REDRAW = WM_APP + 0x1D1;
    enum : WPARAM { kRedrawParameter = 0, kRedrawWhole = 1, kRedrawTrendRange = 2 };

    // `tag` is stored for the caller and not used by the window. Creates no window.
    NyraControl(NyraClientInfo* client, int tag);
    ~NyraControl() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // The client's bed windows as NyraControls: its tile and its enlarged window (null when
    // it has none).
    static NyraControl* TileOf(const NyraClientInfo* client);
    static NyraControl* EnlargedOf(const NyraClientInfo* client);

    // Creates the window (the framework's default class, which takes double clicks).
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) override;
    // Registers the "NyraControl" class for `instance` once; raises the resource exception when
    // that fails.
    static int RegisterWindowClass(HINSTANCE instance);
    // Deletes the pen's previous object and makes a solid pen.
    static void CreatePen(CPen& pen, COLORREF color, int width);

    // ---- what the client and the manager call (user-interface thread) ----------------------------
    // Rebuilds both bitmaps and asks the painters to draw everything again. From another thread
    // the request is posted to the window's thread.
    void RedrawControl() override;
    // Draws the panel into the work bitmap and shows it (from another thread: posted).
    void UpdateParameter() override;
    // Draws the caption bar straight onto the window; also called by the alarm-caption painter.
    void UpdateCaption(int drawText, int drawButtons) override;
    // Draws the caption again after a change of the bed's state (a recording that began or
    // ended among them), and wakes the caption painter to look at it.
    void ResetIconStatus() override;
    // Takes over one reference of the buffer.
    void PushWave(CSmartBuffer* buffer) override;
    // New parameters have arrived (the buffer is not used and may be null).
    void PushParam(CSmartBuffer* buffer) override;
    // Any thread.
    void WakeCaptionPainter() override;
    void SetEnlargeMode(int bEnlarge) override;
    int GetEnlargeMode() const { return m_bEnlarge; }
    // Sets the mode without laying out under running painters; an existing window is then
    // rebuilt (which stops them first).
    void SetDisplayMode(DISPMODE mode) override;
    DISPMODE GetDisplayMode() const { return m_Layout.GetDisplayMode(); }
    // 1 in DISPMODE_ENLARGE for either wave strip.
    int IsVisible(GRAPHITEM item) const;

    NyraClientInfo* GetClient() const { return m_pClient; }
    int GetTag() const { return m_nTag; }

    // ---- layout ------------------------------------------------------------------------------------
    // The wave area, empty for an antepartum monitor or with the wave-graph flag off.
    CRect GetGraphRectAll() const;
    // The trend area; it reaches down over the wave area when there are no waves to show.
    CRect GetTrendRectAll() const;
    CRect GetParamRectAll() const { return m_Layout.GetParamRectAll(); }
    CDisplayInfo& GetLayout() { return m_Layout; }

    // ---- caption bar (BedWindowCaption.cpp) --------------------------------------------------------
    void CommandMapping();
    void DrawCaptionBar(CDC* dc, int drawText, int drawButtons);
    // The elapsed recording time at the right of the caption, its old text erased first.
    void DrawElapsedTime(CDC* dc);
    int HitTest(int x, int y, int& value) const;
    // The caption bar as last laid out (a copy: the alarm-caption painter lays it out too).
    CaptionLayout GetCaptionLayout() const;
    CRect GetCaptionRect() const { return GetCaptionLayout().caption; }
    CRect GetElapsedTimeRect() const { return GetCaptionLayout().elapsed; }
    CFont* GetCaptionFont() { return &m_CaptionFont; }

    // ---- parameter panel (BedWindowPanel.cpp) ------------------------------------------------------
    // Every visible item as it reads for one snapshot of the client (hidden ones stay empty).
    PanelPicture ComposePanel(const PanelSnapshot& snapshot) const;
    // The whole panel (background, group separators and items) into `dc`, in window
    // coordinates, from a snapshot of its own or from `snapshot`.
    void DrawParameter(CDC* dc);
    void DrawParameter(CDC* dc, const PanelSnapshot& snapshot);
    // One item over its box cleared to `background`; returns the box (empty for a hidden item).
    CRect DrawPanelItem(CDC* dc, PARAMITEM item, const PanelItem& shown, COLORREF background);
    // The text of a value item and whether it is in alarm; "---" and 1 for every item of a bed
    // whose connection timed out. Safe on the painter threads.
    void GetParamData(PARAMITEM item, CString& text, int& alarm) const;
    // What a panel item reads: its label, its value (GetParamData, with its alarm) or its unit.
    CString GetPanelText(PARAMITEM item, int& alarm) const;
    // The colour a panel item is drawn in: its colour setting, or the colour of its alarm's
    // level while the value is in alarm.
    COLORREF GetParamColor(PARAMITEM item, int alarm) const;

    // ---- trend area (BedWindowTrend.cpp) -----------------------------------------------------------
    void DrawTrend(CDC* dc);
    // The trend curves from entry `first` over the grids of the last DrawTrend (any thread).
    void DrawTrendCurves(CDC* dc, UINT first);
    void CalcTrendScrollRange();
    void SetScrollbarRange(UINT maximum, UINT position);
    int IsTrendReviewMode() const override { return m_bReview.load(); }
    UINT GetDrawFirstIndexOfTrend() const override;
    UINT GetDrawLastIndexOfTrend() const { return GetDrawFirstIndexOfTrend() + m_nVisibleTrend.load(); }
    // How many trend entries fit across the grid.
    UINT GetVisibleTrendCount() const { return m_nVisibleTrend.load(); }
    // The review position the parameter painter drew last.
    UINT GetLastDrawnReviewIndex() const { return m_nLastDrawnReview.load(); }
    // No review page drawn yet: the next review position differs from it.
    static constexpr UINT kNoReviewDrawn = 0xFFFFFFFFu;
    void SetLastDrawnReviewIndex(UINT index) { m_nLastDrawnReview.store(index); }
    CRect GetFHRTrendRect() const { return m_rcFHRTrend; }
    UINT GetTrendColumns() const { return m_nTrendColumns; }
    CRect GetUCTrendRect() const { return m_rcUCTrend; }
    CScrollBar& GetTrendScrollBar() { return m_ScrollBar; }

    // ---- what the painters read --------------------------------------------------------------------
    int IsPrepared() const { return m_bPrepared.load(); }
    // Select them into a memory DC of the painter's own; never into another thread's DC.
    CBitmap* GetBackBitmap() { return &m_BackBitmap; }
    CBitmap* GetWorkBitmap() { return &m_WorkBitmap; }
    WaveChannelScale& GetWaveScale(WAVE_CHANNEL channel) { return m_WaveScale[channel]; }
    CCriticalSection& GetWaveLock() { return m_WaveLock; }
    CCriticalSection& GetParamLock() { return m_ParamLock; }
    CCriticalSection& GetAlarmLock() { return m_AlarmLock; }
    // Copies `area` of the background bitmap onto `dc` at the same place through a DC of the
    // caller's own: FALSE when that failed.
    BOOL CopyFromBackground(CDC* dc, const CRect& area);

    // ---- painter state, for tests and benchmarks ---------------------------------------------
    BOOL IsPainterRunning() const;
    // Whether the parameter painter has a drawing still to do.
    BOOL IsParameterDrawPending() const;
    // Wave packets the wave painter has drawn since it started, and those waiting.
    unsigned GetDrawnWavePackets() const;
    std::size_t GetQueuedWavePackets() const;
    // Alarm-caption steps (text shown or hidden) and recording-time refreshes drawn, and how
    // often the caption painter looked at its bed.
    unsigned GetAlarmTextSteps() const;
    unsigned GetRecordingTimeRefreshes() const;
    unsigned GetCaptionPainterLooks() const;

    // Copies the work bitmap to `dc` and draws the caption bar over it. A copy that fails is
    // tried at most three times; then the area is left invalid for a later paint. FALSE then.
    BOOL DrawControl(CDC* dc, CRect rect);

    // ---- message handlers ---------------------------------------------------------------------------
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnTimer(UINT_PTR id);
    void OnHScroll(UINT code, UINT position, CWnd* scrollBar);
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    LRESULT OnRedrawRequest(WPARAM, LPARAM);

private:
    // ---- the rebuild (NyraControl.cpp) ----
    void CreateBackDC();
    void PrepareVariable();
    void PrepareGUI();
    void StartThread();
    void StopThread();
    // Copies `area` of the work bitmap onto the window.
    void ShowWorkArea(const CRect& area);
    // The layout rectangle of the window: one pixel of border on three sides, the caption above.
    CRect LayoutRect() const;
    CaptionState GetCaptionState() const;
    // The client's monitor layout (the monitor's own display mode, 0 to 3).
    BYTE MonitorLayout() const;

    // ---- panel (BedWindowPanel.cpp) ----
    void DrawPanelSeparators(CDC* dc, COLORREF color);

    // ---- frame and wave area (BedWindowFrame.cpp) ----
    void DrawWindowFrame(CDC* dc, const CRect& client);
    void DrawGraph(CDC* dc);
    void DrawWaveFurniture(CDC* dc);
    bool IsHighlighted() const;

    // ---- caption (BedWindowCaption.cpp) ----
    void DrawCaptionText(CDC* dc);
    void DrawCaptionButtons(CDC* dc);
    // The slot of the button under a point, or -1.
    int ButtonSlotAt(CPoint point) const;
    // Sends a per-bed command to the station.
    void SendCommand(int command);

    // Whether the caller runs on the window's thread.
    bool IsOnWindowThread() const;
    // Asks the parameter painter to draw the numerics and the trend again.
    void RequestParameterDraw();
    // Wakes the parameter painter to look at the review position.
    void WakeParameterPainter();

    // ---- trend (BedWindowTrend.cpp) ----
    // Enters review at the scroll bar's position as it reads back, held to the last whole page.
    void EnterReview();
    // Sets the scroll bar's position and returns what it reads back.
    int MoveScrollBar(int position);
    void BeginTrendDrag(CPoint point);
    void DragTrend(UINT flags, CPoint point);
    static void EndTrendDrag();

    NyraClientInfo* m_pClient;
    int m_nTag;
    int m_bEnlarge { 0 };

    // Caption lock: guards m_Caption, which the user-interface thread and the alarm-caption
    // painter both lay out. Taken alone, only to copy or store the layout.
    mutable std::mutex m_CaptionLock;
    CaptionLayout m_Caption;
    // The slot pressed by the last left button press (-1: none), and the command the last
    // release sent (-1: none), so that a double click on a toggling button does not undo itself.
    int m_nPressedSlot { -1 };
    bool m_bPressIsDoubleClick { false };
    int m_nLastSentCommand { -1 };

    // Thread lock (see the file comment) and the three painters.
    mutable std::mutex m_ThreadLock;
    NyraWorkerControl<CWaveThread> m_WaveThread;
    NyraWorkerControl<CParamThread> m_ParamThread;
    NyraWorkerControl<CAlarmThread> m_AlarmThread;
    // Painter locks: each painter holds its own for its life.
    CCriticalSection m_WaveLock;
    CCriticalSection m_ParamLock;
    CCriticalSection m_AlarmLock;
    // Redraw lock: held by RedrawControl around the rebuild of the bitmaps; before a painter lock.
    CCriticalSection m_RedrawLock;

    WaveChannelScale m_WaveScale[kWaveChannels];
    std::atomic<int> m_bPrepared { 0 };

    CDC m_BackDC;
    CBitmap m_BackBitmap;
    CDC m_WorkDC;
    CBitmap m_WorkBitmap;
    CFont m_CaptionFont;
    CDisplayInfo m_Layout;
    // Pixels per millimetre on the window, and the wave settings as PrepareVariable took them.
    double m_dPixelsPerMM { 96.0 / 25.4 };
    double m_dSweepSpeed { 25.0 };
    double m_dECGGain { 10.0 };
    double m_dFECGGain { 10.0 };

    // The trend area as DrawTrend last laid it out, and its state (read by the parameter painter).
    CRect m_rcFHRTrend { 0, 0, 0, 0 };
    CRect m_rcUCTrend { 0, 0, 0, 0 };
    UINT m_nTrendColumns { 0 };
    std::atomic<UINT> m_nVisibleTrend { 0 };
    CScrollBar m_ScrollBar;
    UINT m_nLiveCount { 0 };
    UINT m_nLivePosition { 0 };
    std::atomic<int> m_bReview { 0 };
    UINT m_nReviewIdleTicks { 0 };
    std::atomic<UINT> m_nReviewFirst { 0 };
    std::atomic<UINT> m_nLastDrawnReview { 0 };

    int m_bWaveGraph { 1 };
};
