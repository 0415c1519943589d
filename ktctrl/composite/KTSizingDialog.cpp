// The sizing dialog's layout rules.
#include "ktctrl/composite/KTSizingDialog.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/msg/WindowApi.h"

#include <cmath>

// ---- rules -------------------------------------------------------------------------------------

void KTSizingDialog::SetControlInfo(int id, DWORD flags)
{
    if ((flags & 0xFFFF) == 0)
        return;
    auto info = std::make_unique<__KTSIZINGDLG_INFO>();
    info->nType = __KTSIZINGDLG_INFO::TYPE_FLAGS;
    info->nID = id;
    info->wFlags = static_cast<WORD>(flags);
    m_rules.push_back(std::move(info));
}

void KTSizingDialog::SetControlInfoPercent(int id, int moveX, int moveY, int growX, int growY, int reserved1,
                                           int reserved2)
{
    SetControlInfoRatio(id, 100, 100, moveX, moveY, growX, growY, reserved1, reserved2);
}

void KTSizingDialog::SetControlInfoRatio(int id, int denominatorX, int denominatorY, int moveX, int moveY, int growX,
                                         int growY, int reserved1, int reserved2)
{
    auto info = std::make_unique<__KTSIZINGDLG_INFO>();
    info->nType = __KTSIZINGDLG_INFO::TYPE_RATIO;
    info->nID = id;
    info->pRatio = std::make_unique<__KTSIZINGDLG_RATIO>();
    *info->pRatio = { reserved1, reserved2, denominatorX, denominatorY, moveX, moveY, growX, growY, 0, 0 };
    m_rules.push_back(std::move(info));
}

void KTSizingDialog::SetControlInfoAll(BOOL all, DWORD flags)
{
    m_bAll = all;
    m_wAllFlags = static_cast<WORD>(flags);
}

int KTSizingDialog::FindControlInfo(int id) const
{
    for (size_t i = 0; i < m_rules.size(); ++i)
        if (m_rules[i]->nID == id)
            return static_cast<int>(i);
    return -1;
}

BOOL KTSizingDialog::RemoveControlInfo(int id)
{
    int index = FindControlInfo(id);
    if (index < 0)
        return FALSE;
    m_rules.erase(m_rules.begin() + index);
    return TRUE;
}

void KTSizingDialog::ShowGripper(BOOL show)
{
    m_bGripper = show;
    if (GetSafeHwnd())
        Invalidate();
}

// ---- layout ------------------------------------------------------------------------------------

namespace {

CRect ClientRectOf(HWND control, HWND dialog)
{
    CRect r;
    ::GetWindowRect(control, &r);
    POINT corners[2] = { { r.left, r.top }, { r.right, r.bottom } };
    ::ScreenToClient(dialog, &corners[0]);
    ::ScreenToClient(dialog, &corners[1]);
    return CRect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
}

} // namespace

void KTSizingDialog::ApplyFlags(HWND control, WORD flags, int cx, int cy)
{
    const int dx = cx - m_previous.cx;
    const int dy = cy - m_previous.cy;
    const int hx = (cx - m_nBaseX) / 2;
    const int hy = (cy - m_nBaseY) / 2;
    CRect r = ClientRectOf(control, m_hWnd);
    if (flags & KTSIZE_SIZEX) {
        r.right += dx;
    } else if (flags & KTSIZE_HALFX) {
        r.right += hx;
        if (flags & KTSIZE_MOVEX)
            r.OffsetRect(hx, 0);
    } else if (flags & KTSIZE_MOVEX) {
        r.OffsetRect(dx, 0);
    } else if (flags & KTSIZE_CENTERX) {
        r.OffsetRect(hx, 0);
    }
    if (flags & KTSIZE_SIZEY) {
        r.bottom += dy;
    } else if (flags & KTSIZE_HALFY) {
        r.bottom += hy;
        if (flags & KTSIZE_MOVEY)
            r.OffsetRect(0, hy);
    } else if (flags & KTSIZE_MOVEY) {
        r.OffsetRect(0, dy);
    } else if (flags & KTSIZE_CENTERY) {
        r.OffsetRect(0, hy);
    }
    ::MoveWindow(control, r.left, r.top, r.Width(), r.Height(), TRUE);
}

void KTSizingDialog::ApplyRatio(HWND control, __KTSIZINGDLG_RATIO& ratio, int cx, int cy)
{
    if (ratio.nBaseWidth == 0)
        ratio.nBaseWidth = m_previous.cx;
    if (ratio.nBaseHeight == 0)
        ratio.nBaseHeight = m_previous.cy;
    // A denominator of 0 holds that direction still (the classic layout divided by it).
    const int h = ratio.nDenominatorX == 0
        ? 0
        : static_cast<int>(static_cast<double>(cx - ratio.nBaseWidth) / ratio.nDenominatorX + 0.5);
    const int m = ratio.nDenominatorY == 0
        ? 0
        : static_cast<int>(static_cast<double>(cy - ratio.nBaseHeight) / ratio.nDenominatorY + 0.5);
    CRect r = ClientRectOf(control, m_hWnd);
    if (ratio.nMoveX > 0)
        r.OffsetRect(h * ratio.nMoveX, 0);
    if (ratio.nMoveY > 0)
        r.OffsetRect(0, m * ratio.nMoveY);
    if (ratio.nGrowX > 0)
        r.right += h * ratio.nGrowX;
    if (ratio.nGrowY > 0)
        r.bottom += m * ratio.nGrowY;
    ::MoveWindow(control, r.left, r.top, r.Width(), r.Height(), TRUE);
    ratio.nBaseWidth += h * ratio.nDenominatorX;
    ratio.nBaseHeight += m * ratio.nDenominatorY;
}

int KTSizingDialog::OnCreate(LPCREATESTRUCT cs)
{
    if (Default() == -1)
        return -1;
    m_minTrack = CSize(cs->cx, cs->cy);
    m_nBaseX = cs->cx & ~1;
    m_nBaseY = cs->cy & ~1;
    return 0;
}

void KTSizingDialog::OnSize(UINT type, int cx, int cy)
{
    Default();
    if (type == SIZE_MINIMIZED)
        return;
    if (m_previous.cx != 0) {
        if (m_bAll) {
            for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                ApplyFlags(child, m_wAllFlags, cx, cy);
        } else {
            for (size_t i = 0; i < m_rules.size();) {
                auto& rule = *m_rules[i];
                std::vector<HWND> targets;
                if (rule.nID == -1) {
                    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                        if (::GetDlgCtrlID(child) == -1)
                            targets.push_back(child);
                } else if (HWND control = ::GetDlgItem(m_hWnd, rule.nID)) {
                    targets.push_back(control);
                } else {
                    m_rules.erase(m_rules.begin() + static_cast<std::ptrdiff_t>(i));
                    continue;
                }
                for (HWND control : targets) {
                    if (rule.nType == __KTSIZINGDLG_INFO::TYPE_RATIO && rule.pRatio)
                        ApplyRatio(control, *rule.pRatio, cx, cy);
                    else
                        ApplyFlags(control, rule.wFlags, cx, cy);
                }
                ++i;
            }
        }
    }
    m_previous = CSize(cx, cy);
    m_nBaseX += 2 * ((cx - m_nBaseX) / 2);
    m_nBaseY += 2 * ((cy - m_nBaseY) / 2);
    if (m_bGripper) {
        CRect square = GripperSquare();
        InvalidateRect(&m_rcGripper);
        InvalidateRect(&square);
    }
}

void KTSizingDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (m_minTrack.cx != 0 || m_minTrack.cy != 0)
        info->ptMinTrackSize = CPoint(m_minTrack.cx, m_minTrack.cy);
    else
        Default();
}

CRect KTSizingDialog::GripperSquare() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(client.right - GetSystemMetrics(SM_CXHSCROLL), client.bottom - GetSystemMetrics(SM_CYVSCROLL),
                 client.right, client.bottom);
}

LRESULT KTSizingDialog::OnNcHitTest(CPoint point)
{
    LRESULT hit = Default();
    if (hit == HTCLIENT && m_bGripper) {
        CPoint client = point;
        ScreenToClient(&client);
        if (GripperSquare().PtInRect(client))
            return HTBOTTOMRIGHT;
    }
    return hit;
}

void KTSizingDialog::OnPaint()
{
    Default();
    if (!m_bGripper)
        return;
    m_rcGripper = GripperSquare();
    CDC* dc = GetDC();
    CRect grip = m_rcGripper;
    dc->DrawFrameControl(&grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    ReleaseDC(dc);
}

void KTSizingDialog::OnLButtonDown(UINT, CPoint)
{
    SetFocus();
    Default();
}

const platform::MessageMap* KTSizingDialog::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &KTSizingDialog::OnCreate>(),
        Message<WM_SIZE, &KTSizingDialog::OnSize>(),
        Message<WM_GETMINMAXINFO, &KTSizingDialog::OnGetMinMaxInfo>(),
        Message<WM_NCHITTEST, &KTSizingDialog::OnNcHitTest>(),
        Message<WM_PAINT, &KTSizingDialog::OnPaint>(),
        Message<WM_LBUTTONDOWN, &KTSizingDialog::OnLButtonDown>(),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}
