// NyraControl: construction, the window's life, the rebuild of its bitmaps, painting and the
// calls from the protocol side. The caption bar, the parameter panel, the trend area and the
// frame are in the BedWindow*.cpp files beside this one.
#include "nyraclient/bedwindow/NyraControl.h"

#include "nyraclient/bedwindow/BedArtwork.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "nrdata/buffer/CSmartBuffer.h"

#include "platform/core/Check.h"
#include "platform/core/ResourceModule.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowClass.h"

#include <array>

namespace {

// Sweep speeds in mm/s and ECG gains in mm/mV by setting value (index 0 is not a valid value).
constexpr std::array<double, 5> kSweepSpeeds { 0, 6.25, 12.5, 25, 50 };
constexpr std::array<double, 6> kGains { 0, 2.5, 5, 10, 20, 40 };
// The value an out-of-range sweep speed or gain is reset to.
constexpr int kDefaultWaveSetting = 3;
// How often DrawControl tries to copy the work bitmap before it leaves the area for a later
// paint.
constexpr int kCopyAttempts = 3;
// The pleth curves fill five sixths of the strip's height.
constexpr double kPlethShare = 0.8333333333333334;

// A setting's value in `table`, or the default after resetting the setting to it.
double WaveSetting(int& setting, const double* table, int size, bool& changed)
{
    if (setting < 1 || setting >= size) {
        setting = kDefaultWaveSetting;
        changed = true;
    }
    return table[setting];
}

} // namespace

const platform::MessageMap* NyraControl::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &NyraControl::OnCreate>(),
        Message<WM_DESTROY, &NyraControl::OnDestroy>(),
        Message<WM_SIZE, &NyraControl::OnSize>(),
        Message<WM_PAINT, &NyraControl::OnPaint>(),
        Message<WM_ERASEBKGND, &NyraControl::OnEraseBkgnd>(),
        Message<WM_TIMER, &NyraControl::OnTimer>(),
        Message<WM_HSCROLL, &NyraControl::OnHScroll>(),
        Message<WM_MOUSEMOVE, &NyraControl::OnMouseMove>(),
        Message<WM_MOUSEWHEEL, &NyraControl::OnMouseWheel>(),
        Message<WM_LBUTTONDOWN, &NyraControl::OnLButtonDown>(),
        Message<WM_LBUTTONUP, &NyraControl::OnLButtonUp>(),
        Message<WM_LBUTTONDBLCLK, &NyraControl::OnLButtonDblClk>(),
        Message<WM_BED_REDRAW, &NyraControl::OnRedrawRequest>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

// ==== life =======================================================================================

NyraControl::NyraControl(NyraClientInfo* client, int tag) : m_pClient(client), m_nTag(tag)
{
    RegisterWindowClass(AfxGetInstanceHandle());
    if (AfxGetResourceHandle() != AfxGetInstanceHandle())
        RegisterWindowClass(AfxGetResourceHandle());
    BedArtwork::Shared();
    if (m_pClient != nullptr)
        m_bWaveGraph = m_pClient->GetConfig().DisplayFlag[0];
}

NyraControl::~NyraControl()
{
    // While the object is whole, so that its own handlers stop the painters and the timer.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    // Painters started after the window's own stop (a late resize or redraw while it went) must
    // not outlive the object they draw for.
    StopThread();
}

NyraControl* NyraControl::TileOf(const NyraClientInfo* client)
{
    return dynamic_cast<NyraControl*>(client->GetControl());
}

NyraControl* NyraControl::EnlargedOf(const NyraClientInfo* client)
{
    return dynamic_cast<NyraControl*>(client->GetEnlargedControl());
}

BOOL NyraControl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    // The painters and every repaint copy whole areas onto the window: its trend scroll bar is
    // kept out of them, or a repaint would wipe the bar's pixels until the bar paints again.
    return CreateEx(0, nullptr, "", style | WS_CLIPCHILDREN, rect, parent, id);
}

int NyraControl::RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASS wc;
    if (GetClassInfo(instance, kClassName, &wc))
        return 1;
    wc = WNDCLASS {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClassName;
    if (!RegisterClass(&wc))
        AfxThrowResourceException();
    return 1;
}

void NyraControl::CreatePen(CPen& pen, COLORREF color, int width)
{
    pen.DeleteObject();
    pen.CreatePen(PS_SOLID, width, color);
}

int NyraControl::OnCreate(LPCREATESTRUCT)
{
    if (Default() == -1)
        return -1;
    // A bar that cannot be made leaves the window without one; the window itself still works.
    if (m_ScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, kScrollBarHeight), this, kScrollBarID))
        m_ScrollBar.EnableWindow(TRUE);
    return 0;
}

void NyraControl::OnDestroy()
{
    StopThread();
    if (m_ScrollBar.GetSafeHwnd() != nullptr)
        m_ScrollBar.DestroyWindow();
    EndTrendDrag();
    Default();
}

void NyraControl::OnSize(UINT, int, int)
{
    Default();
    RedrawControl();
}

// ==== the rebuild ================================================================================

void NyraControl::RedrawControl()
{
    if (GetSafeHwnd() != nullptr && !IsOnWindowThread()) {
        PostMessage(WM_BED_REDRAW, kRedrawWhole);
        return;
    }
    m_RedrawLock.Lock();
    CreateBackDC();
    m_RedrawLock.Unlock();
    {
        std::lock_guard lock(m_ThreadLock);
        if (CParamThread* painter = m_ParamThread.Get())
            painter->RedrawAll();
        if (CWaveThread* painter = m_WaveThread.Get())
            painter->ResetCanvas();
    }
    UpdateCaption(1, 1);
}

LRESULT NyraControl::OnRedrawRequest(WPARAM what, LPARAM)
{
    switch (what) {
    case kRedrawWhole: RedrawControl(); break;
    case kRedrawTrendRange:
        if (!m_bReview.load())
            CalcTrendScrollRange();
        break;
    default: UpdateParameter(); break;
    }
    return 0;
}

bool NyraControl::IsOnWindowThread() const
{
    return GetWindowThreadProcessId(GetSafeHwnd(), nullptr) == GetCurrentThreadMessageId();
}

CRect NyraControl::LayoutRect() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(1, kCaptionHeight, client.Width() - 1, client.Height() - 1);
}

BYTE NyraControl::MonitorLayout() const
{
    return m_pClient != nullptr ? static_cast<BYTE>(m_pClient->GetDisplayMode()) : 0;
}

void NyraControl::CreateBackDC()
{
    if (GetSafeHwnd() == nullptr || m_pClient == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    StopThread();
    m_bWaveGraph = m_pClient->GetConfig().DisplayFlag[0];

    CClientDC windowDC(this);
    if (windowDC.GetSafeHdc() == nullptr) {
        // The painters run and wait until the window can be drawn on, so the caption and the
        // numbers never stand still without a sign.
        StartThread();
        return;
    }
    PrepareVariable();
    PrepareGUI();
    m_Layout.Calculation(LayoutRect());

    for (auto [dc, bitmap] : { std::pair { &m_BackDC, &m_BackBitmap }, std::pair { &m_WorkDC, &m_WorkBitmap } }) {
        if (dc->GetSafeHdc() != nullptr)
            dc->DeleteDC();
        bitmap->DeleteObject();
        dc->CreateCompatibleDC(&windowDC);
        bitmap->CreateCompatibleBitmap(&windowDC, client.Width(), client.Height());
        dc->SelectObject(bitmap);
    }

    const NyraConfig config = m_pClient->GetConfig();
    m_BackDC.SetBkMode(TRANSPARENT);
    m_BackDC.SelectObject(&m_CaptionFont);
    m_BackDC.FillSolidRect(&client, COLORREF(config.GraphBackground));
    DrawWindowFrame(&m_BackDC, client);
    DrawTrend(&m_BackDC);
    DrawGraph(&m_BackDC);
    DrawParameter(&m_BackDC);
    if (GetDisplayMode() == DISPMODE_ENLARGE)
        DrawWaveFurniture(&m_BackDC);

    m_WorkDC.BitBlt(0, 0, client.Width(), client.Height(), &m_BackDC, 0, 0, SRCCOPY);
    windowDC.BitBlt(0, 0, client.Width(), client.Height(), &m_WorkDC, 0, 0, SRCCOPY);
    UpdateWindow();

    const CRect trend = GetTrendRectAll();
    if (!trend.IsRectEmpty()) {
        if (m_ScrollBar.GetSafeHwnd() != nullptr)
            m_ScrollBar.MoveWindow(trend.left, trend.bottom, trend.Width(), kScrollBarHeight, TRUE);
        // A rebuild ends a review at once: this pass counts the last idle tick, the one in
        // StartThread below finds the review idle.
        m_nReviewIdleTicks = 200;
        CalcTrendScrollRange();
    }
    if (m_ScrollBar.GetSafeHwnd() != nullptr)
        m_ScrollBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    StartThread();
}

void NyraControl::PrepareVariable()
{
    SetScrollbarRange(0, 0);
    m_Layout.Calculation(LayoutRect());
    CommandMapping();

    CClientDC dc(this);
    if (dc.GetSafeHdc() == nullptr || m_pClient == nullptr)
        return;
    m_dPixelsPerMM = dc.GetDeviceCaps(LOGPIXELSY) / 25.4;
    // Out-of-range wave settings are mended in the bed's copy of the settings, not in the file.
    NyraConfig config = m_pClient->GetConfig();
    bool changed = false;
    m_dSweepSpeed = WaveSetting(config.SweepSpeed, kSweepSpeeds.data(), int(kSweepSpeeds.size()), changed);
    m_dECGGain = WaveSetting(config.ECGGain, kGains.data(), int(kGains.size()), changed);
    m_dFECGGain = WaveSetting(config.FECGGain, kGains.data(), int(kGains.size()), changed);
    if (changed)
        m_pClient->SetConfig(config, 1);

    const double strip = m_Layout.GetItemRect(GRAPH_BOTTOM, MonitorLayout()).Height();
    const double pxmm = m_dPixelsPerMM;
    m_WaveScale[WAVE_CHANNEL_ECG].pixelsPerSample = pxmm * m_dSweepSpeed / 300;
    m_WaveScale[WAVE_CHANNEL_ECG].pixelsPerUnit = pxmm * m_dECGGain / 1000;
    m_WaveScale[WAVE_CHANNEL_SPO2].pixelsPerSample = pxmm * m_dSweepSpeed / 75;
    m_WaveScale[WAVE_CHANNEL_SPO2].pixelsPerUnit = strip / 120 * kPlethShare;
    m_WaveScale[WAVE_CHANNEL_FECG].pixelsPerSample = pxmm * m_dSweepSpeed / 300;
    m_WaveScale[WAVE_CHANNEL_FECG].pixelsPerUnit = pxmm * m_dFECGGain / 1000;
    m_WaveScale[WAVE_CHANNEL_FSPO2].pixelsPerSample = pxmm * m_dSweepSpeed / 75;
    m_WaveScale[WAVE_CHANNEL_FSPO2].pixelsPerUnit = strip / 120 * kPlethShare;
    m_bPrepared.store(1);
}

void NyraControl::PrepareGUI()
{
    m_CaptionFont.DeleteObject();
    m_CaptionFont.CreateFont(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
}

// ==== painters ===================================================================================

void NyraControl::StartThread()
{
    if (GetSafeHwnd() == nullptr)
        return;
    m_Layout.SetReadersRunning(true);
    {
        std::lock_guard lock(m_ThreadLock);
        m_WaveThread.Start(this);
        m_ParamThread.Start(this);
        m_AlarmThread.Start(this);
    }
    CalcTrendScrollRange();
}

void NyraControl::StopThread()
{
    if (GetSafeHwnd() != nullptr)
        KillTimer(kTrendTimer);
    {
        std::lock_guard lock(m_ThreadLock);
        m_AlarmThread.StopWithoutWaiting();
        m_ParamThread.StopWithoutWaiting();
        m_WaveThread.StopWithoutWaiting();
    }
    // Each painter's end is waited for first; passing through its lock then makes sure it has
    // left its drawing.
    m_AlarmThread.WaitForEnd();
    m_AlarmLock.Lock();
    m_AlarmLock.Unlock();
    m_ParamThread.WaitForEnd();
    m_ParamLock.Lock();
    m_ParamLock.Unlock();
    m_WaveThread.WaitForEnd();
    m_WaveLock.Lock();
    m_WaveLock.Unlock();
    m_Layout.SetReadersRunning(false);
}

void NyraControl::RequestParameterDraw()
{
    std::lock_guard lock(m_ThreadLock);
    if (CParamThread* painter = m_ParamThread.Get())
        painter->Redraw();
}

void NyraControl::WakeParameterPainter()
{
    std::lock_guard lock(m_ThreadLock);
    if (CParamThread* painter = m_ParamThread.Get())
        painter->Wake();
}

BOOL NyraControl::IsPainterRunning() const
{
    std::lock_guard lock(m_ThreadLock);
    return m_ParamThread.IsStarted();
}

BOOL NyraControl::IsParameterDrawPending() const
{
    std::lock_guard lock(m_ThreadLock);
    const CParamThread* painter = m_ParamThread.Get();
    return painter != nullptr && painter->IsDrawPending() ? TRUE : FALSE;
}

unsigned NyraControl::GetDrawnWavePackets() const
{
    std::lock_guard lock(m_ThreadLock);
    const CWaveThread* painter = m_WaveThread.Get();
    return painter != nullptr ? painter->GetDrawnCount() : 0;
}

std::size_t NyraControl::GetQueuedWavePackets() const
{
    std::lock_guard lock(m_ThreadLock);
    const CWaveThread* painter = m_WaveThread.Get();
    return painter != nullptr ? painter->GetQueuedCount() : 0;
}

unsigned NyraControl::GetAlarmTextSteps() const
{
    std::lock_guard lock(m_ThreadLock);
    const CAlarmThread* painter = m_AlarmThread.Get();
    return painter != nullptr ? painter->GetTextSteps() : 0;
}

unsigned NyraControl::GetRecordingTimeRefreshes() const
{
    std::lock_guard lock(m_ThreadLock);
    const CAlarmThread* painter = m_AlarmThread.Get();
    return painter != nullptr ? painter->GetTimeRefreshes() : 0;
}

unsigned NyraControl::GetCaptionPainterLooks() const
{
    std::lock_guard lock(m_ThreadLock);
    const CAlarmThread* painter = m_AlarmThread.Get();
    return painter != nullptr ? painter->GetLooks() : 0;
}

// ==== painting ===================================================================================

void NyraControl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawControl(&dc, client);
}

BOOL NyraControl::OnEraseBkgnd(CDC*)
{
    return TRUE; // the work bitmap covers everything
}

BOOL NyraControl::DrawControl(CDC* dc, CRect rect)
{
    if (m_WorkDC.GetSafeHdc() == nullptr || rect.IsRectEmpty())
        return TRUE;
    for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(1);
        // The painters keep the work bitmap up to date with all they draw: a repaint only
        // copies it and draws the caption bar over it.
        if (dc->BitBlt(0, 0, rect.Width(), rect.Height(), &m_WorkDC, 0, 0, SRCCOPY)) {
            DrawCaptionBar(dc, 1, 1);
            return TRUE;
        }
    }
    // Never wait on the user-interface thread: the next paint tries again.
    InvalidateRect(&rect, FALSE);
    return FALSE;
}

BOOL NyraControl::CopyFromBackground(CDC* dc, const CRect& area)
{
    if (m_BackBitmap.GetSafeHandle() == nullptr || area.IsRectEmpty())
        return FALSE;
    // A DC of the caller's own on the background bitmap: the caller may be a painter thread.
    CDC source;
    source.CreateCompatibleDC(dc);
    CBitmap* old = source.SelectObject(&m_BackBitmap);
    const BOOL copied = dc->BitBlt(area.left, area.top, area.Width(), area.Height(), &source, area.left, area.top, SRCCOPY);
    source.SelectObject(old);
    return copied;
}

void NyraControl::ShowWorkArea(const CRect& area)
{
    if (area.IsRectEmpty())
        return;
    CClientDC dc(this);
    dc.BitBlt(area.left, area.top, area.Width(), area.Height(), &m_WorkDC, area.left, area.top, SRCCOPY);
}

// ==== calls from the protocol side ===============================================================

void NyraControl::UpdateParameter()
{
    if (GetSafeHwnd() == nullptr)
        return;
    // The work DC belongs to the window's thread.
    if (!IsOnWindowThread()) {
        PostMessage(WM_BED_REDRAW, kRedrawParameter);
        return;
    }
    if (m_WorkDC.GetSafeHdc() == nullptr)
        return;
    DrawParameter(&m_WorkDC);
    ShowWorkArea(m_Layout.GetParamRectAll());
}

void NyraControl::UpdateCaption(int drawText, int drawButtons)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CClientDC dc(this);
    DrawCaptionBar(&dc, drawText, drawButtons);
}

void NyraControl::ResetIconStatus()
{
    UpdateCaption(1, 1);
    WakeCaptionPainter();
}

void NyraControl::WakeCaptionPainter()
{
    std::lock_guard lock(m_ThreadLock);
    m_AlarmThread.Wake();
}

void NyraControl::PushWave(CSmartBuffer* buffer)
{
    if (buffer == nullptr)
        return;
    std::unique_lock lock(m_ThreadLock);
    // Only an enlarged window draws waves: a tile's painter is not woken to drop them.
    CWaveThread* painter = GetDisplayMode() == DISPMODE_ENLARGE ? m_WaveThread.Get() : nullptr;
    if (painter != nullptr) {
        painter->AddData(buffer);
        return;
    }
    lock.unlock();
    // Without a wave painter (or without waves) nobody draws them: the reference goes back at once.
    buffer->RemoveRef(1);
}

void NyraControl::PushParam(CSmartBuffer*)
{
    // Any thread (a demo bed's packets come from its generator's thread).
    const unsigned generation = m_pClient != nullptr ? m_pClient->GetParamGeneration() : 0;
    {
        std::lock_guard lock(m_ThreadLock);
        if (CParamThread* painter = m_ParamThread.Get())
            painter->NewData(generation);
    }
    // The trend grew: in live mode the scroll bar follows it (a review's own timer does).
    if (GetSafeHwnd() == nullptr || m_bReview.load())
        return;
    if (IsOnWindowThread())
        CalcTrendScrollRange();
    else
        PostMessage(WM_BED_REDRAW, kRedrawTrendRange);
}

void NyraControl::SetEnlargeMode(int bEnlarge)
{
    WARD_CHECK_UI_THREAD();
    if (bEnlarge == m_bEnlarge)
        return;
    m_bEnlarge = bEnlarge;
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void NyraControl::SetDisplayMode(DISPMODE mode)
{
    WARD_CHECK_UI_THREAD();
    if (GetDisplayMode() == mode)
        return;
    // The painters read the mode: they stop before it changes, and the rebuild (which lays out
    // anew) starts them again.
    StopThread();
    if (m_Layout.SetDisplayMode(mode, 0) && GetSafeHwnd() != nullptr)
        RedrawControl();
}

int NyraControl::IsVisible(GRAPHITEM) const
{
    return GetDisplayMode() == DISPMODE_ENLARGE ? 1 : 0;
}

// ==== layout =====================================================================================

namespace {

// The monitor's display-mode byte of an antepartum monitor: it has no waves to show.
constexpr BYTE kAntepartumDisplayMode = 1;

} // namespace

CRect NyraControl::GetGraphRectAll() const
{
    const bool antepartum = m_pClient != nullptr && m_pClient->GetMonitorPacket().GetDisplayMode() == kAntepartumDisplayMode;
    if (antepartum || !m_bWaveGraph)
        return CRect(0, 0, 0, 0);
    return m_Layout.GetGraphRectAll();
}

CRect NyraControl::GetTrendRectAll() const
{
    CRect trend = m_Layout.GetTrendRectAll();
    const CRect graph = m_Layout.GetGraphRectAll();
    const bool antepartum = m_pClient != nullptr && m_pClient->GetMonitorPacket().GetDisplayMode() == kAntepartumDisplayMode;
    if (antepartum || (!m_bWaveGraph && !trend.IsRectEmpty() && !graph.IsRectEmpty()))
        trend.bottom += graph.Height();
    return trend;
}
