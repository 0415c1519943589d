// The "msctls_progress32" window class and CProgressCtrl.
#include "platform/ui/controls/ProgressCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ControlWindow.h"

#include <algorithm>

namespace platform::ui {

namespace {

class ProgressWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case PBM_SETRANGE: return SetRange(LOWORD(lParam), HIWORD(lParam));
        case PBM_SETRANGE32: return SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
        case PBM_GETRANGE:
            if (lParam) {
                auto* range = reinterpret_cast<PBRANGE*>(lParam);
                range->iLow = m_low;
                range->iHigh = m_high;
            }
            return wParam ? m_low : m_high;
        case PBM_SETPOS: return Move(static_cast<int>(wParam));
        case PBM_DELTAPOS: return Move(m_pos + static_cast<int>(wParam));
        case PBM_GETPOS: return m_pos;
        case PBM_SETSTEP: {
            int old = m_step;
            m_step = static_cast<int>(wParam);
            return old;
        }
        case PBM_STEPIT: {
            int next = m_pos + m_step;
            // Past the end the bar starts over from the beginning.
            if (next > m_high && m_high > m_low)
                next = m_low + (next - m_high);
            else if (next < m_low && m_high > m_low)
                next = m_high - (m_low - next);
            return Move(next);
        }
        case PBM_SETBARCOLOR: {
            COLORREF old = m_bar;
            m_bar = static_cast<COLORREF>(lParam);
            Redraw();
            return static_cast<LRESULT>(old);
        }
        case PBM_SETBKCOLOR: {
            COLORREF old = m_background;
            m_background = static_cast<COLORREF>(lParam);
            Redraw();
            return static_cast<LRESULT>(old);
        }
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    static constexpr COLORREF kDefault = 0xFF000000; // CLR_DEFAULT

    LRESULT SetRange(int low, int high)
    {
        LRESULT old = MAKELONG(static_cast<WORD>(m_low), static_cast<WORD>(m_high));
        m_low = low;
        m_high = high;
        m_pos = std::clamp(m_pos, std::min(low, high), std::max(low, high));
        Redraw();
        return old;
    }

    LRESULT Move(int pos)
    {
        int old = m_pos;
        pos = std::clamp(pos, std::min(m_low, m_high), std::max(m_low, m_high));
        if (pos != m_pos) {
            m_pos = pos;
            Redraw();
        }
        return old;
    }

    void Paint(CDC& dc) override
    {
        CRect client = Client();
        dc.FillSolidRect(&client, m_background == kDefault ? GetSysColor(COLOR_BTNFACE) : m_background);
        dc.DrawEdge(&client, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        client.DeflateRect(1, 1);
        if (m_high == m_low)
            return;
        bool vertical = (Style() & PBS_VERTICAL) != 0;
        int length = vertical ? client.Height() : client.Width();
        int filled = static_cast<int>(static_cast<long long>(length) * (m_pos - m_low) / (m_high - m_low));
        COLORREF bar = m_bar == kDefault ? GetSysColor(COLOR_HIGHLIGHT) : m_bar;
        if (Style() & PBS_SMOOTH) {
            CRect r = vertical ? CRect(client.left, client.bottom - filled, client.right, client.bottom)
                               : CRect(client.left, client.top, client.left + filled, client.bottom);
            dc.FillSolidRect(&r, bar);
            return;
        }
        // Blocks two thirds of the bar's thickness long, two pixels apart.
        int block = std::max(2, (vertical ? client.Width() : client.Height()) * 2 / 3);
        for (int at = 0; at < filled; at += block + 2) {
            int end = std::min(at + block, length);
            CRect r = vertical ? CRect(client.left, client.bottom - end, client.right, client.bottom - at)
                               : CRect(client.left + at, client.top, client.left + end, client.bottom);
            dc.FillSolidRect(&r, bar);
        }
    }

    int m_low { 0 };
    int m_high { 100 };
    int m_pos { 0 };
    int m_step { 10 };
    COLORREF m_bar { kDefault };
    COLORREF m_background { kDefault };
};

} // namespace

void RegisterProgressClass() { RegisterControlClass<ProgressWindow>("msctls_progress32"); }

} // namespace platform::ui

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("msctls_progress32", "", dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(nLower), static_cast<WORD>(nUpper)));
}
void CProgressCtrl::SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range;
    SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}
int CProgressCtrl::GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
int CProgressCtrl::SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos))); }
int CProgressCtrl::OffsetPos(int nPos) { return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(nPos))); }
int CProgressCtrl::SetStep(int nStep) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(nStep))); }
int CProgressCtrl::StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
