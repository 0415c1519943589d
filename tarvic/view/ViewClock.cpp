// The clock in the top-right corner of the main frame: the date and the time over a copy of the
// frame's own pixels under it (the toolbar band), so nothing flickers. It is looked at every
// 50 ms but drawn only when its text changed or (looked at once a second) the band was painted
// over it, so an idle station does next to nothing.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/view/StationClock.h"

#include "platform/gdi/CFont.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/ui/framework/FrameWnd.h"

namespace {

constexpr int kClockFontPoints = 140; // tenths of a point
constexpr char kClockFont[] = "arial";
constexpr POINT kDateAt{0, 8};
constexpr POINT kTimeAt{0, 32};
// Ticks of the 50-ms timer between two looks at the frame's pixels under the clock.
constexpr unsigned kClockLookTicks = 20;

} // namespace

void CTarvicIIView::DrawClock()
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
        m_pClockCheckDC.reset();
        m_bmClockCheck.DeleteObject();
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
    // The time changes every second; in between, a look at the frame's pixels once a second
    // finds a clock the band was painted over.
    const bool look = ++m_nClockLooks % kClockLookTicks == 0;
    if (date == m_strClockDate && time == m_strClockTime && (!look || ClockIsShown(frameDC)))
        return;
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

bool CTarvicIIView::ClockIsShown(CDC& frameDC)
{
    // What the frame shows under the clock, against the picture drawn there last.
    const CSize size = m_rcClock.Size();
    if (m_bmClockCheck.GetSafeHandle() == nullptr) {
        m_bmClockCheck.CreateCompatibleBitmap(&frameDC, size.cx, size.cy);
        m_pClockCheckDC = std::make_unique<CDC>();
        m_pClockCheckDC->CreateCompatibleDC(&frameDC);
        m_pClockCheckDC->SelectObject(&m_bmClockCheck);
    }
    m_pClockCheckDC->BitBlt(0, 0, size.cx, size.cy, &frameDC, m_rcClock.left, m_rcClock.top, SRCCOPY);
    const DWORD bytes = DWORD(size.cx) * DWORD(size.cy) * 4;
    m_ClockShown.resize(bytes);
    m_ClockDrawn.resize(bytes);
    return m_bmClockCheck.GetBitmapBits(bytes, m_ClockShown.data()) == bytes &&
           m_bmClock.GetBitmapBits(bytes, m_ClockDrawn.data()) == bytes && m_ClockShown == m_ClockDrawn;
}
