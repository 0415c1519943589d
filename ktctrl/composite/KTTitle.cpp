// The gradient title panel.
#include "ktctrl/composite/KTTitle.h"

#include "ktutil/KTGF.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/WindowDCs.h"

KTTitle::KTTitle() { SetDefaultFont(); }

void KTTitle::Repaint()
{
    if (GetSafeHwnd())
        Invalidate();
}

void KTTitle::SetTitle(UINT stringId)
{
    CString text = KTGF::GetString(stringId);
    if (GetSafeHwnd())
        SetWindowText(text);
}

void KTTitle::SetBkColor(COLORREF first, COLORREF second)
{
    m_crFirst = first;
    m_crSecond = second;
    RebuildBackground(TRUE);
    Repaint();
}

void KTTitle::SetLevel(int level)
{
    m_nLevel = level;
    RebuildBackground(TRUE);
    Repaint();
}

void KTTitle::SetTextColor(COLORREF colour)
{
    m_crText = colour;
    Repaint();
}

void KTTitle::SetTextAlign(UINT format)
{
    m_nFormat = format;
    Repaint();
}

void KTTitle::SetTextFont(LPCTSTR faceName, int height, int weight)
{
    m_font.DeleteObject();
    m_font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, 48, faceName);
    Repaint();
}

void KTTitle::SetTextFont(CFont* font)
{
    if (!font || !font->GetSafeHandle())
        return;
    LOGFONT lf {};
    font->GetLogFont(&lf);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    Repaint();
}

// ---- drawing ---------------------------------------------------------------------------------

void KTTitle::PaintRect(CDC* dc, int x, int y, int width, int height, COLORREF colour)
{
    CBrush brush(colour);
    CBrush* old = dc->SelectObject(&brush);
    dc->PatBlt(x, y, width, height, PATCOPY);
    dc->SelectObject(old);
}

void KTTitle::DrawGradientBox(CDC* dc, const CRect& rect, int level, COLORREF a, COLORREF b)
{
    // The classic panel divides by the level; a level of 0 or less paints the first colour only.
    if (level <= 0) {
        PaintRect(dc, rect.left, rect.top, rect.Width() + 1, rect.Height(), a);
        return;
    }
    const int n = level;
    int w = (rect.right - rect.left) / n;
    if (w < 2)
        w = 1;
    int k = n;
    int x = rect.right;
    auto channel = [n](int ca, int cb, int k) { return ca * (n - k) / n + cb * k / n; };
    while (x > rect.left) {
        x -= w;
        const COLORREF colour = RGB(channel(GetRValue(a), GetRValue(b), k), channel(GetGValue(a), GetGValue(b), k),
                                    channel(GetBValue(a), GetBValue(b), k));
        PaintRect(dc, x, rect.top, w, rect.Height(), colour);
        k = k > 0 ? k - 1 : 0;
    }
    PaintRect(dc, rect.left, rect.top, x + w + 1 - rect.left, rect.Height(), a);
}

void KTTitle::RebuildBackground(BOOL force)
{
    if (force)
        m_bitmap.DeleteObject();
    if (m_bitmap.GetSafeHandle() || !GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CClientDC windowDC(this);
    CDC memory;
    memory.CreateCompatibleDC(&windowDC);
    m_bitmap.CreateCompatibleBitmap(&windowDC, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&m_bitmap);
    DrawGradientBox(&memory, client, m_nLevel, m_crFirst, m_crSecond);
    memory.SelectObject(old);
}

// ---- messages ------------------------------------------------------------------------------------

LRESULT KTTitle::OnSetText(WPARAM, LPARAM)
{
    Default();
    Repaint();
    return 1;
}

void KTTitle::OnSize(UINT, int, int)
{
    Default();
    RebuildBackground(TRUE);
    Repaint();
}

BOOL KTTitle::OnEraseBkgnd(CDC* dc)
{
    if (!m_bitmap.GetSafeHandle())
        RebuildBackground(FALSE);
    if (!m_bitmap.GetSafeHandle())
        return static_cast<BOOL>(Default());
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(&m_bitmap);
    dc->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return TRUE;
}

void KTTitle::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    HFONT font = m_font.GetSafeHandle() ? static_cast<HFONT>(m_font) : nullptr;
    if (!font && GetParent())
        font = reinterpret_cast<HFONT>(GetParent()->SendMessage(WM_GETFONT));
    HFONT old = font ? dc->SelectObject(font) : nullptr;
    CString text;
    GetWindowText(text);
    CRect client;
    GetClientRect(&client);
    client.left += 5;
    dc->SetTextColor(m_crText);
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text, &client, m_nFormat);
    if (old)
        dc->SelectObject(old);
    EndPaint(&ps);
}

const platform::MessageMap* KTTitle::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SETTEXT, &KTTitle::OnSetText>(),
        Message<WM_SIZE, &KTTitle::OnSize>(),
        Message<WM_ERASEBKGND, &KTTitle::OnEraseBkgnd>(),
        Message<WM_PAINT, &KTTitle::OnPaint>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}
