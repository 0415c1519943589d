// The clock in the top-right corner of the main frame: the date and the time over a copy of the
// frame's own pixels under it (the toolbar band), so nothing flickers. Its timer fires just after
// each whole second, and the band tells it when it painted over the clock, so an idle station
// wakes once a second for it.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/view/StationClock.h"

#include "platform/gdi/CFont.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/ui/framework/FrameWnd.h"

#include <chrono>

namespace {

constexpr int kClockFontPoints = 140; // tenths of a point
constexpr char kClockFont[] = "arial";
constexpr POINT kDateAt{0, 8};
constexpr POINT kTimeAt{0, 32};
// How late after a whole second the clock ticks: the new second is surely there.
constexpr UINT kClockLateMs = 20;

} // namespace

UINT CTarvicIIView::ClockDelayMs()
{
    using namespace std::chrono;
    const auto intoSecond = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 1000;
    return UINT(1000 - intoSecond) + kClockLateMs;
}

void CTarvicIIView::DrawClock(bool repaint)
{
    CFrameWnd* frame = GetParentFrame();
    if (frame == nullptr || !::IsWindow(frame->GetSafeHwnd()))
        return;
    CClientDC frameDC(frame);
    if (frameDC.GetSafeHdc() == nullptr)
        return;
    CRect client;
    frame->GetClientRect(&client);
    const CRect clock(client.right - kClockWidth, client.top, client.right, client.top + kClockHeight);

    if (m_pClockDC == nullptr || clock != m_rcClock) {
        m_strClockTime.Empty();
        m_pClockDC.reset();
        m_pClockBackDC.reset();
        m_bmClock.DeleteObject();
        m_bmClockBack.DeleteObject();
        m_pClockBackDC = std::make_unique<CDC>();
        m_pClockDC = std::make_unique<CDC>();
        m_pClockBackDC->CreateCompatibleDC(&frameDC);
        m_pClockDC->CreateCompatibleDC(&frameDC);
        m_bmClockBack.CreateCompatibleBitmap(&frameDC, clock.Width(), clock.Height());
        m_bmClock.CreateCompatibleBitmap(&frameDC, clock.Width(), clock.Height());
        m_pClockBackDC->SelectObject(&m_bmClockBack);
        m_pClockDC->SelectObject(&m_bmClock);
        m_pClockBackDC->BitBlt(0, 0, clock.Width(), clock.Height(), &frameDC, clock.left, clock.top, SRCCOPY);
        m_rcClock = clock;
    }

    const COleDateTime now = tarvic::StationClockNow();
    const CString date = now.Format("%b. %d, %Y");
    const CString time = now.Format("%I:%M:%S %p");
    if (date == m_strClockDate && time == m_strClockTime) {
        // The band was painted over an unchanged clock: its last picture goes back.
        if (repaint)
            frameDC.BitBlt(clock.left, clock.top, clock.Width(), clock.Height(), m_pClockDC.get(), 0, 0, SRCCOPY);
        return;
    }
    m_strClockDate = date;
    m_strClockTime = time;
    m_pClockDC->BitBlt(0, 0, clock.Width(), clock.Height(), m_pClockBackDC.get(), 0, 0, SRCCOPY);
    if (m_ClockFont.GetSafeHandle() == nullptr)
        m_ClockFont.CreatePointFont(kClockFontPoints, kClockFont, m_pClockDC.get());
    CFont* oldFont = m_pClockDC->SelectObject(&m_ClockFont);
    m_pClockDC->SetTextColor(RGB(0, 0, 0));
    m_pClockDC->SetBkMode(TRANSPARENT);
    m_pClockDC->TextOut(kDateAt.x, kDateAt.y, date);
    m_pClockDC->TextOut(kTimeAt.x, kTimeAt.y, time);
    m_pClockDC->SelectObject(oldFont);
    frameDC.BitBlt(clock.left, clock.top, clock.Width(), clock.Height(), m_pClockDC.get(), 0, 0, SRCCOPY);
}
