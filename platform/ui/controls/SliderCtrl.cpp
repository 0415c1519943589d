// The "msctls_trackbar32" window class and CSliderCtrl.
#include "platform/ui/controls/SliderCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlWindow.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform::ui {

namespace {

constexpr int kThumbLength = 11; // along the channel
constexpr int kThumbThickness = 21;
constexpr int kMargin = 8;       // channel ends inside the control

class SliderWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case TBM_GETPOS: return m_pos;
        case TBM_SETPOS: SetPos(static_cast<int>(lParam)); return 0;
        case TBM_GETRANGEMIN: return m_min;
        case TBM_GETRANGEMAX: return m_max;
        case TBM_SETRANGE: SetRange(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return 0;
        case TBM_SETRANGEMIN: SetRange(static_cast<int>(lParam), m_max); return 0;
        case TBM_SETRANGEMAX: SetRange(m_min, static_cast<int>(lParam)); return 0;
        case TBM_SETPAGESIZE: return std::exchange(m_page, static_cast<int>(lParam));
        case TBM_GETPAGESIZE: return m_page;
        case TBM_SETLINESIZE: return std::exchange(m_line, static_cast<int>(lParam));
        case TBM_GETLINESIZE: return m_line;
        case TBM_SETTICFREQ: m_frequency = std::max(1, static_cast<int>(wParam)); Redraw(); return 0;
        case TBM_SETTIC:
            if (lParam < m_min || lParam > m_max)
                return FALSE;
            m_tics.push_back(static_cast<int>(lParam));
            Redraw();
            return TRUE;
        case TBM_CLEARTICS: m_tics.clear(); Redraw(); return 0;
        case TBM_GETTHUMBRECT: *reinterpret_cast<RECT*>(lParam) = ThumbRect(); return 0;
        case TBM_GETCHANNELRECT: *reinterpret_cast<RECT*>(lParam) = ChannelRect(); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN: MouseDown(CPoint(lParam)); return 0;
        case WM_MOUSEMOVE:
            if (m_dragging)
                Drag(CPoint(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (m_dragging) {
                m_dragging = false;
                ReleaseCapture();
                Send(TB_THUMBPOSITION, m_pos);
                Send(TB_ENDTRACK, 0);
            }
            return 0;
        case WM_CAPTURECHANGED: m_dragging = false; return 0;
        case WM_KEYDOWN: Key(static_cast<int>(wParam)); return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Redraw(); return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    bool Vertical() const { return (Style() & TBS_VERT) != 0; }

    void SetRange(int low, int high)
    {
        m_min = low;
        m_max = std::max(low, high);
        SetPos(m_pos);
        Redraw();
    }

    void SetPos(int pos)
    {
        pos = std::clamp(pos, m_min, m_max);
        if (pos == m_pos)
            return;
        m_pos = pos;
        Redraw();
    }

    CRect ChannelRect() const
    {
        CRect c = Client();
        if (Vertical()) {
            int x = c.left + c.Width() / 2;
            return CRect(x - 2, c.top + kMargin, x + 2, c.bottom - kMargin);
        }
        int y = c.top + std::min(c.Height() / 2, kThumbThickness / 2 + 2);
        return CRect(c.left + kMargin, y - 2, c.right - kMargin, y + 2);
    }

    // The pixel offset along the channel of position `pos`.
    int Offset(int pos) const
    {
        CRect ch = ChannelRect();
        int length = (Vertical() ? ch.Height() : ch.Width()) - 1;
        return m_max > m_min ? static_cast<int>(static_cast<long long>(length) * (pos - m_min) / (m_max - m_min)) : 0;
    }

    int PositionAt(CPoint p) const
    {
        CRect ch = ChannelRect();
        int length = (Vertical() ? ch.Height() : ch.Width()) - 1;
        int at = (Vertical() ? p.y - ch.top : p.x - ch.left);
        if (length <= 0)
            return m_min;
        long long span = m_max - m_min;
        return m_min + static_cast<int>(std::clamp<long long>((at * span + length / 2) / length, 0, span));
    }

    CRect ThumbRect() const
    {
        CRect ch = ChannelRect();
        int center = (Vertical() ? ch.top : ch.left) + Offset(m_pos);
        if (Vertical()) {
            int mid = ch.left + ch.Width() / 2;
            return CRect(mid - kThumbThickness / 2, center - kThumbLength / 2, mid + kThumbThickness / 2 + 1, center + kThumbLength / 2 + 1);
        }
        int mid = ch.top + ch.Height() / 2;
        return CRect(center - kThumbLength / 2, mid - kThumbThickness / 2, center + kThumbLength / 2 + 1, mid + kThumbThickness / 2 + 1);
    }

    void Send(UINT code, int pos) const
    {
        if (HWND parent = Parent())
            SendMessage(parent, Vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                        reinterpret_cast<LPARAM>(m_hwnd));
    }

    // Moves by a user action and tells the parent.
    void Step(UINT code, int pos)
    {
        SetPos(pos);
        Send(code, 0);
        Send(TB_ENDTRACK, 0);
    }

    void MouseDown(CPoint p)
    {
        SetFocus(m_hwnd);
        if (ThumbRect().PtInRect(p)) {
            m_dragging = true;
            m_grab = (Vertical() ? p.y - ThumbRect().CenterPoint().y : p.x - ThumbRect().CenterPoint().x);
            SetCapture(m_hwnd);
            return;
        }
        int at = Vertical() ? p.y : p.x;
        int thumb = Vertical() ? ThumbRect().CenterPoint().y : ThumbRect().CenterPoint().x;
        if (at < thumb)
            Step(TB_PAGEUP, m_pos - m_page);
        else
            Step(TB_PAGEDOWN, m_pos + m_page);
    }

    void Drag(CPoint p)
    {
        CPoint at = p;
        (Vertical() ? at.y : at.x) -= m_grab;
        int pos = PositionAt(at);
        if (pos == m_pos)
            return;
        SetPos(pos);
        Send(TB_THUMBTRACK, m_pos);
    }

    void Key(int vk)
    {
        switch (vk) {
        case VK_LEFT:
        case VK_UP: Step(TB_LINEUP, m_pos - m_line); break;
        case VK_RIGHT:
        case VK_DOWN: Step(TB_LINEDOWN, m_pos + m_line); break;
        case VK_PRIOR: Step(TB_PAGEUP, m_pos - m_page); break;
        case VK_NEXT: Step(TB_PAGEDOWN, m_pos + m_page); break;
        case VK_HOME: Step(TB_TOP, m_min); break;
        case VK_END: Step(TB_BOTTOM, m_max); break;
        default: break;
        }
    }

    void Paint(CDC& dc) override
    {
        CRect client = Client();
        HBRUSH background = AskColors(dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE);
        dc.FillRect(&client, CBrush::FromHandle(background));
        CRect channel = ChannelRect();
        dc.DrawEdge(&channel, EDGE_SUNKEN, BF_RECT);
        if (!(Style() & TBS_NOTICKS))
            PaintTicks(dc);
        if (!(Style() & TBS_NOTHUMB)) {
            CRect thumb = ThumbRect();
            dc.FillSolidRect(&thumb, GetSysColor(COLOR_BTNFACE));
            dc.DrawEdge(&thumb, EDGE_RAISED, BF_RECT);
        }
        if (HasFocus()) {
            CRect focus = client;
            dc.DrawFocusRect(&focus);
        }
    }

    void PaintTicks(CDC& dc)
    {
        CRect ch = ChannelRect();
        COLORREF ink = GetSysColor(COLOR_BTNTEXT);
        auto tick = [&](int pos, int length) {
            int at = (Vertical() ? ch.top : ch.left) + Offset(pos);
            if (Vertical())
                dc.FillSolidRect(ch.right + kThumbThickness / 2, at, length, 1, ink);
            else
                dc.FillSolidRect(at, ch.top + kThumbThickness / 2 + 2, 1, length, ink);
        };
        tick(m_min, 4);
        tick(m_max, 4);
        if (Style() & TBS_AUTOTICKS)
            for (int pos = m_min + m_frequency; pos < m_max; pos += m_frequency)
                tick(pos, 3);
        for (int pos : m_tics)
            tick(pos, 3);
    }

    int m_min { 0 };
    int m_max { 100 };
    int m_pos { 0 };
    int m_page { 20 };
    int m_line { 1 };
    int m_frequency { 1 };
    std::vector<int> m_tics;
    bool m_dragging { false };
    int m_grab { 0 };
};

} // namespace

void RegisterSliderClass() { RegisterControlClass<SliderWindow>("msctls_trackbar32"); }

} // namespace platform::ui

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("msctls_trackbar32", "", dwStyle, rect, pParentWnd, nID);
}

int CSliderCtrl::GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
void CSliderCtrl::SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
void CSliderCtrl::GetRange(int& nMin, int& nMax) const
{
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}
int CSliderCtrl::GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
int CSliderCtrl::GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
    SendMessage(TBM_SETRANGEMAX, static_cast<WPARAM>(bRedraw), nMax);
}
void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw) { SendMessage(TBM_SETRANGEMIN, static_cast<WPARAM>(bRedraw), nMin); }
void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw) { SendMessage(TBM_SETRANGEMAX, static_cast<WPARAM>(bRedraw), nMax); }
int CSliderCtrl::SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
int CSliderCtrl::GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
int CSliderCtrl::SetLineSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, nSize)); }
int CSliderCtrl::GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }
void CSliderCtrl::SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(nFreq)); }
BOOL CSliderCtrl::SetTic(int nTic) { return static_cast<BOOL>(SendMessage(TBM_SETTIC, 0, nTic)); }
void CSliderCtrl::ClearTics(BOOL bRedraw) { SendMessage(TBM_CLEARTICS, static_cast<WPARAM>(bRedraw)); }
void CSliderCtrl::GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(lprc)); }
void CSliderCtrl::GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(lprc)); }
