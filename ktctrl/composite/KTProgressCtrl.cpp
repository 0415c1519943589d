// The owner-painted progress bar.
#include "ktctrl/composite/KTProgressCtrl.h"

#include "ktctrl/basic/OffscreenDC.h"
#include "ktctrl/composite/SafeFormat.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>

KTProgressCtrl::KTProgressCtrl()
    : m_gradient { RGB(255, 255, 255), RGB(0, 0, 0) }
    , m_crBk(GetSysColor(COLOR_BTNFACE))
    , m_crText(GetSysColor(COLOR_CAPTIONTEXT))
    , m_crTextOnBk(GetSysColor(COLOR_BTNTEXT))
{
}

// ---- setters ---------------------------------------------------------------------------------

void KTProgressCtrl::Repaint()
{
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void KTProgressCtrl::SetBarColor(COLORREF colour)
{
    m_gradient = { colour };
    Repaint();
}

void KTProgressCtrl::SetGradientColor(int count, COLORREF colour, ...)
{
    m_gradient.clear();
    if (count > 0)
        m_gradient.push_back(colour);
    va_list args;
    va_start(args, colour);
    for (int i = 1; i < count; ++i)
        m_gradient.push_back(va_arg(args, COLORREF));
    va_end(args);
    Repaint();
}

void KTProgressCtrl::AddGradientColor(COLORREF colour)
{
    m_gradient.push_back(colour);
    Repaint();
}

COLORREF KTProgressCtrl::GetGradientColor(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_gradient.size()))
        return 0;
    return m_gradient[static_cast<size_t>(index)];
}

void KTProgressCtrl::SetBkColor(COLORREF colour) { m_crBk = colour; Repaint(); }
void KTProgressCtrl::SetTextColor(COLORREF colour) { m_crText = colour; Repaint(); }
void KTProgressCtrl::SetTextColorOnBk(COLORREF colour) { m_crTextOnBk = colour; Repaint(); }
void KTProgressCtrl::SetBarBrush(CBrush* brush) { m_pBarBrush = brush; Repaint(); }
void KTProgressCtrl::SetBkBrush(CBrush* brush) { m_pBkBrush = brush; Repaint(); }
void KTProgressCtrl::SetTextType(int type) { m_nTextType = type; Repaint(); }
void KTProgressCtrl::SetTextFormat(LPCTSTR format) { m_strFormat = format ? format : ""; Repaint(); }

void KTProgressCtrl::SetStyle_KTPBS(DWORD style)
{
    m_dwStyle = style;
    Repaint();
}

void KTProgressCtrl::SetStyle_KTPBS(DWORD remove, DWORD add)
{
    m_dwStyle = (m_dwStyle & ~remove) | add;
    Repaint();
}

void KTProgressCtrl::SetSnakeTailSize(int size)
{
    m_nTail = size;
    if (IsSnake())
        Repaint();
}

void KTProgressCtrl::SetBorders(int left, int top, int right, int bottom)
{
    m_rcBorders.SetRect(left, top, right, bottom);
    Repaint();
}

// ---- geometry ----------------------------------------------------------------------------------

__KTPROGRESS_DRAW_INFO KTProgressCtrl::ReadInfo(CDC* pDC)
{
    __KTPROGRESS_DRAW_INFO info;
    info.pDC = pDC;
    info.dwStyle = GetStyle();
    GetClientRect(&info.rcClient);
    info.rcClient.left += m_rcBorders.left;
    info.rcClient.top += m_rcBorders.top;
    info.rcClient.right -= m_rcBorders.right;
    info.rcClient.bottom -= m_rcBorders.bottom;
    info.nCurPos = GetPos();
    GetRange(info.nLower, info.nUpper);
    return info;
}

CRect KTProgressCtrl::ConvertToReal(const __KTPROGRESS_DRAW_INFO& info, const CRect& v) const
{
    const CRect& a = info.rcClient;
    const int w = v.right - v.left;
    CRect r;
    if (info.dwStyle & PBS_VERTICAL) {
        r.top = IsReverse() ? a.top + v.left : a.bottom - v.right;
        r.bottom = r.top + w;
        r.left = a.left;
        r.right = a.right;
    } else {
        r.left = IsReverse() ? a.right - v.right : a.left + v.left;
        r.right = r.left + w;
        r.top = a.top;
        r.bottom = a.bottom;
    }
    return r;
}

namespace {

int LengthAlong(const __KTPROGRESS_DRAW_INFO& info)
{
    return (info.dwStyle & PBS_VERTICAL) ? info.rcClient.Height() : info.rcClient.Width();
}

// L x (value - lower) / span; an empty range (upper equal to lower) shows nothing filled.
int Scaled(int length, int value, int lower, int upper)
{
    const long long span = static_cast<long long>(upper) - lower;
    if (span == 0)
        return 0;
    return static_cast<int>(static_cast<long long>(length) * (static_cast<long long>(value) - lower) / span);
}

} // namespace

// ---- painting ------------------------------------------------------------------------------------

void KTProgressCtrl::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* paintDC = BeginPaint(&ps);
    CRect client;
    GetClientRect(&client);
    {
        ktctrl::OffscreenDC dc(paintDC, client);
        if (m_pBkBrush)
            dc.FillRect(&client, m_pBkBrush);
        else
            dc.FillSolidRect(&client, m_crBk);
        __KTPROGRESS_DRAW_INFO info = ReadInfo(&dc);
        const int low = std::min(info.nLower, info.nUpper);
        const int high = std::max(info.nLower, info.nUpper);
        if (info.nCurPos >= low && info.nCurPos <= high) {
            const int length = LengthAlong(info);
            CRect bar(0, 0, Scaled(length, info.nCurPos, info.nLower, info.nUpper), 0);
            if (IsSnake())
                bar.left = Scaled(length, m_nSnakeStart, info.nLower, info.nUpper);
            bar.left = std::clamp(static_cast<int>(bar.left), 0, length);
            bar.right = std::clamp(static_cast<int>(bar.right), static_cast<int>(bar.left), length);
            if (m_pBarBrush) {
                CRect real = ConvertToReal(info, bar);
                dc.FillRect(&real, m_pBarBrush);
            } else {
                DrawMultiGradient(info, IsRubber() ? bar : CRect(0, 0, length, 0), bar);
            }
            DrawText(info, CRect(0, 0, length, 0), bar);
        }
    }
    EndPaint(&ps);
}

void KTProgressCtrl::DrawMultiGradient(const __KTPROGRESS_DRAW_INFO& info, const CRect& g, const CRect& k)
{
    const int n = static_cast<int>(m_gradient.size());
    if (n == 0 || k.right <= k.left)
        return;
    if (n == 1) {
        // One colour (SetBarColor) is a plain bar.
        DrawGradient(info, g, k, m_gradient[0], m_gradient[0]);
        return;
    }
    const double width = static_cast<double>(g.right - g.left) / (n - 1);
    for (int i = 0; i < n - 1; ++i) {
        CRect segment(g.left + static_cast<int>(std::trunc(i * width)), 0,
                      i == n - 2 ? g.right : g.left + static_cast<int>(std::trunc((i + 1) * width)), 0);
        if (segment.right < k.left)
            continue;
        CRect clipped(std::max(segment.left, k.left), 0, std::min(segment.right, k.right), 0);
        DrawGradient(info, segment, clipped, m_gradient[static_cast<size_t>(i)], m_gradient[static_cast<size_t>(i) + 1]);
        if (clipped.right >= k.right)
            break;
    }
}

void KTProgressCtrl::DrawGradient(const __KTPROGRESS_DRAW_INFO& info, const CRect& r, const CRect& k, COLORREF a,
                                  COLORREF b)
{
    const int width = r.right - r.left;
    if (width <= 0)
        return;
    const int dR = GetRValue(b) - GetRValue(a);
    const int dG = GetGValue(b) - GetGValue(a);
    const int dB = GetBValue(b) - GetBValue(a);
    int steps = std::max({ std::abs(dR), std::abs(dG), std::abs(dB) });
    steps = std::max(1, std::min(steps, width));
    CDC* dc = info.pDC;
    if (steps > 1 && dc->GetDeviceCaps(BITSPIXEL) * dc->GetDeviceCaps(PLANES) < 8)
        steps = 1;
    const double stepWidth = static_cast<double>(width) / steps;
    for (int i = 0; i < steps; ++i) {
        CRect band(r.left + static_cast<int>(std::trunc(i * stepWidth)), 0,
                   i == steps - 1 ? r.right : r.left + static_cast<int>(std::trunc((i + 1) * stepWidth)), 0);
        if (band.right < k.left)
            continue;
        band.left = std::max(band.left, k.left);
        band.right = std::min(band.right, k.right);
        const COLORREF colour = RGB((GetRValue(a) + i * dR / steps) & 0xFF, (GetGValue(a) + i * dG / steps) & 0xFF,
                                    (GetBValue(a) + i * dB / steps) & 0xFF);
        if (band.right > band.left) {
            CRect real = ConvertToReal(info, band);
            dc->FillSolidRect(&real, colour);
        }
        if (band.right >= k.right)
            break;
    }
}

CString KTProgressCtrl::GetShownText()
{
    CClientDC dc(this);
    __KTPROGRESS_DRAW_INFO info = ReadInfo(&dc);
    return MakeText(info);
}

CString KTProgressCtrl::MakeText(const __KTPROGRESS_DRAW_INFO& info)
{
    if (m_strFormat.IsEmpty())
        return {};
    long long value = 0;
    if (m_nTextType == TEXT_PERCENT) {
        const long long span = static_cast<long long>(info.nUpper) - info.nLower;
        value = span == 0 ? 0 : (static_cast<long long>(info.nCurPos) - info.nLower) * 100 / span;
    } else if (m_nTextType == TEXT_POSITION) {
        value = info.nCurPos;
    }
    return ktctrl::FormatInteger(m_strFormat, value);
}

void KTProgressCtrl::DrawText(const __KTPROGRESS_DRAW_INFO& info, const CRect& full, const CRect& bar)
{
    const CString text = MakeText(info);
    if (text.IsEmpty())
        return;
    CDC* dc = info.pDC;
    const int saved = dc->SaveDC();
    auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (font)
        dc->SelectObject(font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextAlign(TA_CENTER | TA_BOTTOM);

    LOGFONT lf {};
    if (font)
        ::GetObject(font, sizeof lf, &lf);
    const int escapement = ((lf.lfEscapement / 10) % 360 + 360) % 360;
    CSize extent = dc->GetTextExtent(text);
    const bool turned = escapement == 90 || escapement == 270;
    if (turned)
        std::swap(extent.cx, extent.cy);
    // The reference point's offset so that the text is centred on it at every escapement.
    CPoint offset(0, extent.cy);
    if (escapement == 90)
        offset = CPoint(extent.cx, 0);
    else if (escapement == 180)
        offset = CPoint(0, -extent.cy);
    else if (escapement == 270)
        offset = CPoint(-extent.cx, 0);

    const bool vertical = info.dwStyle & PBS_VERTICAL;
    if (IsTied()) {
        CRect real = ConvertToReal(info, bar);
        const int room = vertical ? real.Height() : real.Width();
        const int needed = vertical ? extent.cy : extent.cx;
        if (room >= needed && room > 0) {
            CPoint origin = real.CenterPoint() + CPoint(offset.x / 2, offset.y / 2);
            dc->SetTextColor(m_crText);
            DrawClippedText(info, bar, text, origin);
        }
    } else {
        CPoint origin = info.rcClient.CenterPoint() + CPoint(offset.x / 2, offset.y / 2);
        if (m_crText == m_crTextOnBk) {
            dc->SetTextColor(m_crText);
            DrawClippedText(info, full, text, origin);
        } else {
            if (bar.right > bar.left) {
                dc->SetTextColor(m_crText);
                DrawClippedText(info, bar, text, origin);
            }
            dc->SetTextColor(m_crTextOnBk);
            if (full.right > bar.right)
                DrawClippedText(info, CRect(bar.right, 0, full.right, 0), text, origin);
            if (bar.left > full.left)
                DrawClippedText(info, CRect(full.left, 0, bar.left, 0), text, origin);
        }
    }
    dc->RestoreDC(saved);
}

void KTProgressCtrl::DrawClippedText(const __KTPROGRESS_DRAW_INFO& info, const CRect& rect, const CString& text,
                                     const CPoint& origin)
{
    CDC* dc = info.pDC;
    CRect real = ConvertToReal(info, rect);
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&real);
    dc->TextOut(origin.x, origin.y, text);
    dc->RestoreDC(saved);
}

// ---- the snake -----------------------------------------------------------------------------------

BOOL KTProgressCtrl::SetSnakePos(int& previous, int pos, BOOL relative)
{
    if (!IsSnake())
        return FALSE;
    int lower = 0;
    int upper = 0;
    GetRange(lower, upper);
    if (relative) {
        int current = GetPos();
        if (current == upper && current - m_nSnakeStart < m_nTail)
            current = m_nSnakeStart + m_nTail;
        pos = current + std::abs(pos);
    }
    const int end = upper + m_nTail;
    if (pos > end) {
        pos = std::min(end, pos - end + lower);
        m_dwStyle ^= KTPBS_REVERSE;
    } else if (pos >= upper) {
        Repaint();
    }
    m_nSnakeStart = std::max(pos - m_nTail, lower);
    previous = static_cast<int>(CWnd::DefWindowProc(PBM_SETPOS, static_cast<WPARAM>(pos), 0));
    Repaint();
    return TRUE;
}

// ---- messages ------------------------------------------------------------------------------------

LRESULT KTProgressCtrl::OnSetBarColor(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        m_gradient = { static_cast<COLORREF>(lParam) };
    else
        m_gradient = { static_cast<COLORREF>(lParam), static_cast<COLORREF>(wParam) };
    Repaint();
    return static_cast<LRESULT>(0xFF000000);
}

LRESULT KTProgressCtrl::OnSetBkColor(WPARAM, LPARAM lParam)
{
    m_crBk = static_cast<COLORREF>(lParam);
    Repaint();
    return static_cast<LRESULT>(0xFF000000);
}

LRESULT KTProgressCtrl::OnSetStep(WPARAM wParam, LPARAM)
{
    m_nStep = static_cast<int>(wParam);
    return Default();
}

LRESULT KTProgressCtrl::OnSetPos(WPARAM wParam, LPARAM)
{
    int previous = 0;
    if (SetSnakePos(previous, static_cast<int>(wParam), FALSE))
        return previous;
    return Default();
}

LRESULT KTProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM)
{
    int previous = 0;
    if (SetSnakePos(previous, static_cast<int>(wParam), TRUE))
        return previous;
    return Default();
}

LRESULT KTProgressCtrl::OnStepIt(WPARAM, LPARAM)
{
    int previous = 0;
    if (SetSnakePos(previous, m_nStep, TRUE))
        return previous;
    return Default();
}

const platform::MessageMap* KTProgressCtrl::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &KTProgressCtrl::OnPaint>(),
        Message<WM_ERASEBKGND, &KTProgressCtrl::OnEraseBkgnd>(),
        Message<PBM_SETBARCOLOR, &KTProgressCtrl::OnSetBarColor>(),
        Message<PBM_SETBKCOLOR, &KTProgressCtrl::OnSetBkColor>(),
        Message<PBM_SETSTEP, &KTProgressCtrl::OnSetStep>(),
        Message<PBM_SETPOS, &KTProgressCtrl::OnSetPos>(),
        Message<PBM_DELTAPOS, &KTProgressCtrl::OnDeltaPos>(),
        Message<PBM_STEPIT, &KTProgressCtrl::OnStepIt>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}
