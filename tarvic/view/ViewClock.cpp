// The clock in the top-right corner of the main frame: the date and the time, redrawn every
// 50 ms over a copy of the frame's own pixels under it (the toolbar band), so nothing flickers.
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

    m_pClockDC->BitBlt(0, 0, clock.Width(), clock.Height(), m_pClockBackDC.get(), 0, 0, SRCCOPY);
    const COleDateTime now = tarvic::StationClockNow();
    if (m_ClockFont.GetSafeHandle() == nullptr)
        m_ClockFont.CreatePointFont(kClockFontPoints, kClockFont, m_pClockDC.get());
    CFont* oldFont = m_pClockDC->SelectObject(&m_ClockFont);
    m_pClockDC->SetTextColor(RGB(0, 0, 0));
    m_pClockDC->SetBkMode(TRANSPARENT);
    m_pClockDC->TextOut(kDateAt.x, kDateAt.y, now.Format("%b. %d, %Y"));
    m_pClockDC->TextOut(kTimeAt.x, kTimeAt.y, now.Format("%I:%M:%S %p"));
    m_pClockDC->SelectObject(oldFont);
    frameDC.BitBlt(clock.left, clock.top, clock.Width(), clock.Height(), m_pClockDC.get(), 0, 0, SRCCOPY);
}
