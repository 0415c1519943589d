#include "nyraclient/bedwindow/CParamThread.h"

#include "nyraclient/bedwindow/NyraControl.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "platform/core/Clock.h"
#include "platform/gdi/WindowDCs.h"

#include <algorithm>

CParamThread::CParamThread() : m_dwLastData(GetTickCount()) {}

CParamThread::~CParamThread()
{
    if (m_TrendDC.GetSafeHdc() != nullptr)
        m_TrendDC.DeleteDC();
    if (m_PanelDC.GetSafeHdc() != nullptr)
        m_PanelDC.DeleteDC();
}

// ==== requests (any thread) ======================================================================

void CParamThread::NewData(unsigned generation)
{
    if (!IsRunning())
        return;
    {
        std::lock_guard lock(m_DataLock);
        m_dwLastData = GetTickCount();
        m_nDataGeneration = generation;
    }
    m_nRequested.fetch_add(1);
    Wake();
}

void CParamThread::RedrawAll()
{
    {
        std::lock_guard lock(m_RedrawLock);
        m_bTrendBackground = true;
        m_bPanelBackground = true;
    }
    m_nRequested.fetch_add(1);
    Wake();
}

void CParamThread::Redraw()
{
    m_nRequested.fetch_add(1);
    Wake();
}

// ==== the loop ===================================================================================

int CParamThread::Run()
{
    NyraControl* owner = GetOwner();
    if (owner == nullptr)
        return kExitCode;
    // Held for the thread's life: the window passes through it after stopping the thread.
    CCriticalSection& lifeLock = owner->GetParamLock();
    lifeLock.Lock();
    // The silence is measured against the packet the client holds now: a painter started after
    // the data stopped blanks it too.
    if (owner->GetClient() != nullptr) {
        std::lock_guard lock(m_DataLock);
        m_nDataGeneration = std::max(m_nDataGeneration, owner->GetClient()->GetParamGeneration());
    }
    while (IsRunning()) {
        const bool ready = Pass(*owner);
        if (!ready)
            WaitForWork(INFINITE, kNotReadyLookMs);
        else if (IsDrawPending())
            WaitForWork(INFINITE, 1); // the rest of a drawing; a capture that keeps failing must not spin
        else
            WaitForWork(NextDeadline(*owner));
    }
    lifeLock.Unlock();
    return kExitCode;
}

DWORD CParamThread::NextDeadline(NyraControl& owner)
{
    DWORD deadline = INFINITE;
    const DWORD now = GetTickCount();
    if (owner.IsTrendReviewMode() && owner.GetDrawFirstIndexOfTrend() != owner.GetLastDrawnReviewIndex()) {
        // A page not yet drawn: at the next review slot.
        const DWORD since = now - m_dwLastReviewDraw;
        deadline = since < kReviewRedrawMs ? kReviewRedrawMs - since : 0;
    }
    if (!m_bBlanked) {
        std::lock_guard lock(m_DataLock);
        const DWORD silent = now - m_dwLastData;
        deadline = std::min(deadline, silent < kBlankAfterMs ? kBlankAfterMs - silent : 0);
    }
    // A deadline due now is met by the next pass; a ms later keeps a stalled drawing from spinning.
    return std::max<DWORD>(deadline, 1);
}

bool CParamThread::Pass(NyraControl& owner)
{
    // Most passes find nothing to draw: they only watch for the silence.
    if (!IsDrawPending() && !owner.IsTrendReviewMode()) {
        if (!owner.IsPrepared())
            return false;
        BlankWhenSilent(owner);
        return true;
    }
    // A window being made, or one whose rebuild found no DC yet: nothing to draw on.
    if (owner.GetSafeHwnd() == nullptr || !owner.IsPrepared() || owner.GetWorkBitmap()->GetSafeHandle() == nullptr)
        return false;
    CRect client;
    owner.GetClientRect(&client);
    if (client != m_rcClient) {
        RedrawAll();
        m_rcClient = client;
    }
    const unsigned request = m_nRequested.load();
    const DISPMODE mode = owner.GetDisplayMode();
    // A request is settled once the panel and, in a layout with one, the trend are drawn.
    bool trendDone = true;
    if (mode != DISPMODE_1CH && mode != DISPMODE_16CH) {
        bool recapture = false;
        {
            std::lock_guard lock(m_RedrawLock);
            recapture = m_bTrendBackground;
        }
        if (recapture) {
            m_rcTrend = owner.GetTrendRectAll();
            if (CaptureArea(owner, m_TrendDC, m_TrendBitmap, m_rcTrend)) {
                std::lock_guard lock(m_RedrawLock);
                m_bTrendBackground = false;
            }
        }
        if (!recapture || !m_bTrendBackground)
            DrawTrend(owner, request);
        trendDone = owner.IsTrendReviewMode() || m_rcTrend.IsRectEmpty() || m_nTrendDrawn == request;
    }
    BlankWhenSilent(owner);
    if (DrawPanel(owner, request) && trendDone)
        m_nDrawn.store(request);
    return true;
}

void CParamThread::BlankWhenSilent(NyraControl& owner)
{
    DWORD last = 0;
    unsigned generation = 0;
    {
        std::lock_guard lock(m_DataLock);
        last = m_dwLastData;
        generation = m_nDataGeneration;
    }
    if (GetTickCount() - last < kBlankAfterMs) {
        m_bBlanked = false;
        return;
    }
    if (m_bBlanked)
        return;
    m_bBlanked = true;
    // A packet that arrived meanwhile is newer than the silence: it stays, and its own request
    // draws it.
    if (owner.GetClient() != nullptr && owner.GetClient()->BlankParamPacket(generation))
        m_nRequested.fetch_add(1);
}

// ==== drawing ====================================================================================

BOOL CParamThread::CaptureArea(NyraControl& owner, CDC& dc, CBitmap& bitmap, const CRect& area)
{
    if (area.IsRectEmpty())
        return FALSE;
    CClientDC windowDC(&owner);
    if (windowDC.GetSafeHdc() == nullptr)
        return FALSE;
    if (dc.GetSafeHdc() != nullptr)
        dc.DeleteDC();
    bitmap.DeleteObject();
    if (!dc.CreateCompatibleDC(&windowDC) || !bitmap.CreateCompatibleBitmap(&windowDC, area.Width(), area.Height()))
        return FALSE;
    dc.SelectObject(&bitmap);
    // The window's own drawing code draws in window coordinates.
    dc.SetWindowOrg(area.left, area.top);
    return owner.CopyFromBackground(&dc, area);
}

void CParamThread::Show(NyraControl& owner, CDC& dc, const CRect& area)
{
    CDC work;
    CClientDC windowDC(&owner);
    if (windowDC.GetSafeHdc() == nullptr || !work.CreateCompatibleDC(&windowDC))
        return;
    CBitmap* old = work.SelectObject(owner.GetWorkBitmap());
    work.BitBlt(area.left, area.top, area.Width(), area.Height(), &dc, area.left, area.top, SRCCOPY);
    work.SelectObject(old);
    windowDC.BitBlt(area.left, area.top, area.Width(), area.Height(), &dc, area.left, area.top, SRCCOPY);
}

void CParamThread::DrawTrend(NyraControl& owner, unsigned request)
{
    if (m_TrendDC.GetSafeHdc() == nullptr || m_rcTrend.IsRectEmpty())
        return;
    const bool review = owner.IsTrendReviewMode() != 0;
    const UINT first = owner.GetDrawFirstIndexOfTrend();
    if (review) {
        // A review holds its page: new data leaves it, a new position is drawn at its slot.
        if (first == owner.GetLastDrawnReviewIndex()) {
            m_nTrendDrawn = request;
            return;
        }
        const DWORD now = GetTickCount();
        if (now - m_dwLastReviewDraw < kReviewRedrawMs)
            return;
        m_dwLastReviewDraw = now;
    } else if (request == m_nTrendDrawn) {
        return;
    }
    if (!owner.CopyFromBackground(&m_TrendDC, m_rcTrend))
        return; // the next pass tries again
    owner.DrawTrendCurves(&m_TrendDC, first);
    if (review)
        owner.SetLastDrawnReviewIndex(first);
    m_nTrendDrawn = request;
    Show(owner, m_TrendDC, m_rcTrend);
}

bool CParamThread::DrawPanel(NyraControl& owner, unsigned request)
{
    if (request == m_nPanelDrawn || owner.GetClient() == nullptr)
        return true;
    bool recapture = false;
    {
        std::lock_guard lock(m_RedrawLock);
        recapture = m_bPanelBackground;
    }
    if (recapture) {
        m_rcPanel = owner.GetParamRectAll();
        if (m_rcPanel.IsRectEmpty()) {
            m_nPanelDrawn = request; // a layout without a panel: nothing to draw
            return true;
        }
        if (!CaptureArea(owner, m_PanelDC, m_PanelBitmap, m_rcPanel))
            return false;
        std::lock_guard lock(m_RedrawLock);
        m_bPanelBackground = false;
    }
    // One snapshot for the whole drawing: every number comes from one packet.
    const PanelSnapshot snapshot = owner.GetClient()->TakePanelSnapshot();
    const PanelPicture picture = owner.ComposePanel(snapshot);
    if (recapture) {
        owner.DrawParameter(&m_PanelDC, snapshot);
        Show(owner, m_PanelDC, m_rcPanel);
    } else {
        // Only the items whose text or colour changed are drawn and shown.
        const COLORREF background = COLORREF(snapshot.config.ParamBackground);
        for (int i = 0; i < kParamItems; ++i) {
            if (picture[size_t(i)] == m_Shown[size_t(i)])
                continue;
            const CRect box = owner.DrawPanelItem(&m_PanelDC, static_cast<PARAMITEM>(i), picture[size_t(i)], background);
            if (!box.IsRectEmpty())
                Show(owner, m_PanelDC, box);
        }
    }
    m_Shown = picture;
    m_nPanelDrawn = request;
    return true;
}
