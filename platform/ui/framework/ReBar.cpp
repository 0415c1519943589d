// CReBar: one band per bar, stacked top to bottom, over the background picture.
#include "platform/ui/framework/ReBar.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/ui/framework/FrameWnd.h"

#include <algorithm>

namespace {
constexpr int kBandMargin = 2;

// A copy of `source`'s pixels in a new bitmap owned by `copy`.
bool CopyBitmap(CBitmap& source, CBitmap& copy)
{
    BITMAP info {};
    if (!source.GetSafeHandle() || !source.GetBitmap(&info))
        return false;
    HDC screenHandle = ::GetDC(nullptr);
    CDC* screen = CDC::FromHandle(screenHandle);
    CDC from;
    CDC to;
    bool made = screen && from.CreateCompatibleDC(screen) && to.CreateCompatibleDC(screen)
                && copy.CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight);
    ::ReleaseDC(nullptr, screenHandle);
    if (!made)
        return false;
    CBitmap* oldFrom = from.SelectObject(&source);
    CBitmap* oldTo = to.SelectObject(&copy);
    to.BitBlt(0, 0, info.bmWidth, info.bmHeight, &from, 0, 0, SRCCOPY);
    from.SelectObject(oldFrom);
    to.SelectObject(oldTo);
    return true;
}
} // namespace

const platform::MessageMap* CReBar::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &CReBar::OnPaint>(),
        Message<WM_ERASEBKGND, &CReBar::OnEraseBkgnd>(),
        Message<WM_SIZE, &CReBar::OnSize>(),
    };
    static constexpr platform::MessageMap kMap { &CControlBar::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_ctrlStyle = dwCtrlStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    SetBorders(0, 0, 0, 0);
    // Without WS_CLIPCHILDREN: the window layer then repaints the bands' bars after the
    // background, which it does not clip away from them.
    DWORD windowStyle = ((dwStyle & ~CBRS_ALL) | WS_CHILD) & ~WS_CLIPCHILDREN;
    return CWnd::Create(nullptr, "", windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    if (!pBar || !pBar->GetSafeHwnd() || !m_hWnd)
        return FALSE;
    CWnd* frame = GetParent();
    pBar->SetParent(this);
    if (frame)
        pBar->SetOwner(frame);
    Band band;
    band.child = pBar->GetSafeHwnd();
    band.text = pszText ? pszText : "";
    band.style = dwStyle;
    if (pbmp) {
        m_background.DeleteObject();
        if (!CopyBitmap(*pbmp, m_background))
            return FALSE;
    }
    m_bands.push_back(band);
    LayoutBands();
    if (CFrameWnd* parentFrame = AfxGetParentFrame(this))
        parentFrame->RecalcLayout();
    return TRUE;
}

CWnd* CReBar::GetBandChild(int index) const
{
    return index >= 0 && index < GetBandCount() ? CWnd::FromHandle(m_bands[static_cast<size_t>(index)].child) : nullptr;
}

int CReBar::BandHeight(const Band& band) const
{
    if (!::IsWindow(band.child))
        return 0;
    if (auto* bar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(band.child)))
        return bar->CalcFixedLayout(FALSE, TRUE).cy;
    RECT r;
    ::GetWindowRect(band.child, &r);
    return r.bottom - r.top;
}

CSize CReBar::CalcFixedLayout(BOOL, BOOL)
{
    int height = 0;
    for (const Band& band : m_bands)
        if (!(band.style & RBBS_HIDDEN))
            height += BandHeight(band) + 2 * kBandMargin;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        height += 2;
    if (m_dwStyle & CBRS_BORDER_TOP)
        height += 2;
    return CSize(0, height);
}

void CReBar::LayoutBands()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    int y = (m_dwStyle & CBRS_BORDER_TOP) ? 2 : 0;
    for (const Band& band : m_bands) {
        if ((band.style & RBBS_HIDDEN) || !::IsWindow(band.child))
            continue;
        int height = BandHeight(band);
        // Without a gripper the child starts at the band's left edge.
        int left = (band.style & RBBS_NOGRIPPER) ? kBandMargin : kBandMargin + 8;
        ::MoveWindow(band.child, left, y + kBandMargin, std::max(0, client.Width() - left - kBandMargin), height, TRUE);
        // Painted again over the band's background (also when it kept its place).
        ::InvalidateRect(band.child, nullptr, TRUE);
        y += height + 2 * kBandMargin;
    }
}

void CReBar::OnSize(UINT, int, int) { LayoutBands(); }

void CReBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The bars in the bands refresh themselves (they get the idle message too).
}

void CReBar::PaintBackground(CDC& dc, const CRect& area)
{
    BITMAP info {};
    if (!m_background.GetSafeHandle() || !m_background.GetBitmap(&info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        dc.FillSolidRect(&area, GetSysColor(COLOR_BTNFACE));
        return;
    }
    CDC picture;
    if (!picture.CreateCompatibleDC(&dc)) {
        dc.FillSolidRect(&area, GetSysColor(COLOR_BTNFACE));
        return;
    }
    CBitmap* old = picture.SelectObject(&m_background);
    // Tiled from the rebar's corner, so that bands and transparent bars line up with it.
    for (int y = 0; y < area.bottom; y += info.bmHeight)
        for (int x = 0; x < area.right; x += info.bmWidth)
            dc.BitBlt(x, y, info.bmWidth, info.bmHeight, &picture, 0, 0, SRCCOPY);
    picture.SelectObject(old);
}

BOOL CReBar::OnEraseBkgnd(CDC* pDC)
{
    if (!pDC)
        return FALSE;
    CRect client;
    GetClientRect(&client);
    int saved = pDC->SaveDC();
    ExcludeBands(*pDC);
    PaintBackground(*pDC, client);
    pDC->RestoreDC(saved);
    return TRUE;
}

void CReBar::ExcludeBands(CDC& dc)
{
    // The bands' bars may have painted already: the background goes only around them.
    for (const Band& band : m_bands) {
        if (!::IsWindow(band.child) || !::IsWindowVisible(band.child))
            continue;
        CRect r;
        ::GetWindowRect(band.child, &r);
        ScreenToClient(&r);
        dc.ExcludeClipRect(&r);
    }
}

void CReBar::PaintBackgroundBehind(CDC& dc, CWnd& bar)
{
    // `dc` is the bar's: the picture is drawn shifted so that it lines up with the rebar's.
    CPoint origin(0, 0);
    bar.MapWindowPoints(this, &origin, 1);
    CRect client;
    GetClientRect(&client);
    int saved = dc.SaveDC();
    dc.OffsetViewportOrg(-origin.x, -origin.y);
    PaintBackground(dc, client);
    dc.RestoreDC(saved);
}

void CReBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    ExcludeBands(dc);
    PaintBackground(dc, client);
    CRect frame = client;
    DrawBorders(&dc, frame);
}
