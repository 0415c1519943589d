// The split layout's panes.
#include "ktctrl/composite/KTSplitPane.h"

#include <algorithm>

// ---- life --------------------------------------------------------------------------------------

KTSplitPane::~KTSplitPane() { DeleteChildren(); }

KTSplitPane::KTSplitPane(const KTSplitPane& other) { CopyFrom(other); }

KTSplitPane& KTSplitPane::operator=(const KTSplitPane& other)
{
    if (this != &other) {
        DeleteChildren();
        CopyFrom(other);
    }
    return *this;
}

void KTSplitPane::CopyFrom(const KTSplitPane& other)
{
    m_left = other.m_left;
    m_right = other.m_right;
    if (m_left.pPane)
        m_left.pPane = new KTSplitPane(*other.m_left.pPane);
    if (m_right.pPane)
        m_right.pPane = new KTSplitPane(*other.m_right.pPane);
    m_nOrientation = other.m_nOrientation;
    m_nSize = other.m_nSize;
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_nX = other.m_nX;
    m_nY = other.m_nY;
    m_bVisible = other.m_bVisible;
    m_nSavedLeft = other.m_nSavedLeft;
    m_rcSplitter = other.m_rcSplitter;
    m_bSplitter = other.m_bSplitter;
}

void KTSplitPane::DeleteChildren()
{
    delete m_left.pPane;
    delete m_right.pPane;
    m_left.pPane = m_right.pPane = nullptr;
}

void KTSplitPane::SetSidePane(int side, KTSplitPane* pane)
{
    Side& s = side == SIDE_LEFT ? m_left : m_right;
    if (s.pPane != pane)
        delete s.pPane;
    s = Side {};
    s.nKind = pane ? ITEM_PANE : ITEM_NONE;
    s.pPane = pane;
}

void KTSplitPane::SetSideWnd(int side, CWnd* wnd, int minWidth, int minHeight)
{
    Side& s = side == SIDE_LEFT ? m_left : m_right;
    delete s.pPane;
    s = Side {};
    s.nKind = wnd ? ITEM_WND : ITEM_NONE;
    s.pWnd = wnd;
    s.nMinWidth = minWidth;
    s.nMinHeight = minHeight;
    s.bVisible = TRUE;
}

// ---- visibility ----------------------------------------------------------------------------------

BOOL KTSplitPane::IsSideVisible(const Side& side)
{
    switch (side.nKind) {
    case ITEM_WND: return side.bVisible;
    case ITEM_PANE: return side.pPane->m_bVisible;
    default: return FALSE;
    }
}

void KTSplitPane::ShowSide(Side& side, BOOL show)
{
    side.bVisible = show;
    if (side.nKind == ITEM_WND && side.pWnd && side.pWnd->GetSafeHwnd())
        side.pWnd->ShowWindow(show ? SW_SHOW : SW_HIDE);
    else if (side.nKind == ITEM_PANE)
        side.pPane->Show(show);
}

void KTSplitPane::Show(BOOL show)
{
    m_bVisible = show;
    ShowSide(m_left, show);
    ShowSide(m_right, show);
}

void KTSplitPane::ShowLeft(BOOL show) { ShowSide(m_left, show); }

void KTSplitPane::ShowRight(BOOL show)
{
    if ((IsSideVisible(m_right) != FALSE) == (show != FALSE))
        return;
    const bool sideBySide = m_nOrientation == SIDE_BY_SIDE;
    if (!show)
        m_nSavedLeft = sideBySide ? GetLeftWidth() : GetLeftHeight();
    ShowSide(m_right, show);
    if (show && m_nSavedLeft > 0) {
        if (sideBySide)
            SetLeftWidth(m_nSavedLeft);
        else
            SetLeftHeight(m_nSavedLeft);
    }
}

// ---- sizes ---------------------------------------------------------------------------------------

CWnd* KTSplitPane::LeftmostWindow() const
{
    const KTSplitPane* pane = this;
    while (pane) {
        if (pane->m_left.nKind == ITEM_WND)
            return pane->m_left.pWnd;
        pane = pane->m_left.nKind == ITEM_PANE ? pane->m_left.pPane : nullptr;
    }
    return nullptr;
}

int KTSplitPane::GetLeftWidth() const
{
    CWnd* wnd = LeftmostWindow();
    if (!wnd || !wnd->GetSafeHwnd())
        return 0;
    CRect r;
    wnd->GetWindowRect(&r);
    return r.Width();
}

int KTSplitPane::GetLeftHeight() const
{
    CWnd* wnd = LeftmostWindow();
    if (!wnd || !wnd->GetSafeHwnd())
        return 0;
    CRect r;
    wnd->GetWindowRect(&r);
    return r.Height();
}

namespace {

CRect RectInParent(CWnd* wnd)
{
    CRect r;
    wnd->GetWindowRect(&r);
    if (CWnd* parent = wnd->GetParent())
        parent->ScreenToClient(&r);
    return r;
}

} // namespace

void KTSplitPane::SetLeftWidth(int width)
{
    KTSplitPane* pane = this;
    while (pane) {
        if (pane->m_left.nKind == ITEM_WND) {
            CWnd* wnd = pane->m_left.pWnd;
            if (wnd && wnd->GetSafeHwnd()) {
                CRect r = RectInParent(wnd);
                wnd->MoveWindow(r.left, r.top, width, r.Height());
            }
            return;
        }
        if (pane->m_left.nKind != ITEM_PANE)
            return;
        pane = pane->m_left.pPane;
        pane->m_nWidth = width;
    }
}

void KTSplitPane::SetLeftHeight(int height)
{
    KTSplitPane* pane = this;
    while (pane) {
        if (pane->m_left.nKind == ITEM_WND) {
            CWnd* wnd = pane->m_left.pWnd;
            if (wnd && wnd->GetSafeHwnd()) {
                CRect r = RectInParent(wnd);
                wnd->MoveWindow(r.left, r.top, r.Width(), height);
            }
            return;
        }
        if (pane->m_left.nKind != ITEM_PANE)
            return;
        pane = pane->m_left.pPane;
        pane->m_nHeight = height;
    }
}

BOOL KTSplitPane::GetWndSize(CSize& size, int side) const
{
    const Side& s = side == SIDE_LEFT ? m_left : m_right;
    if (s.nKind != ITEM_WND || !s.pWnd || !s.pWnd->GetSafeHwnd())
        return FALSE;
    CRect r;
    s.pWnd->GetWindowRect(&r);
    size = CSize(r.Width(), r.Height());
    if (side == SIDE_LEFT && !IsSideVisible(m_right)) {
        if (m_nOrientation == SIDE_BY_SIDE)
            size.cx = m_nSavedLeft;
        else
            size.cy = m_nSavedLeft;
    }
    return TRUE;
}

int KTSplitPane::SideMinWidth(const Side& side)
{
    if (side.nKind == ITEM_WND)
        return side.nMinWidth;
    if (side.nKind == ITEM_PANE)
        return side.pPane->GetMinWidth();
    return 0;
}

int KTSplitPane::SideMinHeight(const Side& side)
{
    if (side.nKind == ITEM_WND)
        return side.nMinHeight;
    if (side.nKind == ITEM_PANE)
        return side.pPane->GetMinHeight();
    return 0;
}

int KTSplitPane::GetMinWidth() const
{
    const int l = SideMinWidth(m_left);
    const int r = SideMinWidth(m_right);
    return (m_nOrientation == SIDE_BY_SIDE ? l + r : std::max(l, r)) + kSplitterSize;
}

int KTSplitPane::GetMinHeight() const
{
    const int l = SideMinHeight(m_left);
    const int r = SideMinHeight(m_right);
    return (m_nOrientation == STACKED ? l + r : std::max(l, r)) + kSplitterSize;
}

// ---- layout ----------------------------------------------------------------------------------------

namespace {

void PlaceWindow(CWnd* wnd, const CRect& r)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return;
    wnd->MoveWindow(r.left, r.top, r.Width(), r.Height(), FALSE);
    wnd->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

} // namespace

void KTSplitPane::MovePane(int width, int height)
{
    if (width == -1 && height == -1)
        MovePane(m_nX, m_nY, m_nWidth, m_nHeight);
    else
        MovePane(m_nX, m_nY, width, height);
}

void KTSplitPane::MovePane(int x, int y, int width, int height)
{
    // The area is kept even while nothing is shown, so that a later layout has it.
    m_nX = x;
    m_nY = y;
    m_nWidth = std::max(width, GetMinWidth());
    m_nHeight = std::max(height, GetMinHeight());
    KTSplitPane* pane = this;
    while (pane && (IsSideVisible(pane->m_left) || IsSideVisible(pane->m_right))) {
        width = std::max(width, pane->GetMinWidth());
        height = std::max(height, pane->GetMinHeight());
        pane->m_nX = x;
        pane->m_nY = y;
        pane->m_nWidth = width;
        pane->m_nHeight = height;

        const bool leftShown = IsSideVisible(pane->m_left);
        const bool rightShown = IsSideVisible(pane->m_right);
        CRect leftArea(x, y, x + width, y + height);
        CRect rightArea = leftArea;
        CRect splitter(0, 0, 0, 0);
        if (pane->m_nOrientation == SIDE_BY_SIDE) {
            int a = std::min(pane->GetLeftWidth(), width - pane->GetRightMinWidth() - kSplitterSize);
            a = std::max(a, 0);
            if (leftShown && rightShown) {
                leftArea.right = x + a;
                rightArea.left = x + a + kSplitterSize;
                splitter.SetRect(x + a, y, x + a + kSplitterSize, y + height);
            }
        } else {
            int b = std::min(pane->GetLeftHeight(), height - pane->GetRightMinHeight() - kSplitterSize);
            b = std::max(b, 0);
            if (leftShown && rightShown) {
                leftArea.bottom = y + b;
                rightArea.top = y + b + kSplitterSize;
                splitter.SetRect(x, y + b, x + width, y + b + kSplitterSize);
            }
        }
        pane->m_rcSplitter = (leftShown && rightShown && pane->m_bSplitter) ? splitter : CRect(0, 0, 0, 0);

        if (leftShown) {
            if (pane->m_left.nKind == ITEM_PANE)
                pane->m_left.pPane->MovePane(leftArea.left, leftArea.top, leftArea.Width(), leftArea.Height());
            else
                PlaceWindow(pane->m_left.pWnd, leftArea);
        }
        if (!rightShown)
            break;
        if (pane->m_right.nKind == ITEM_WND) {
            PlaceWindow(pane->m_right.pWnd, rightArea);
            break;
        }
        pane = pane->m_right.pPane;
        x = rightArea.left;
        y = rightArea.top;
        width = rightArea.Width();
        height = rightArea.Height();
    }
}

KTSplitPane* KTSplitPane::IsPointInSplitter(CPoint point, int* cursor)
{
    KTSplitPane* found = nullptr;
    if (!m_rcSplitter.IsRectEmpty() && m_rcSplitter.PtInRect(point))
        found = this;
    if (!found && m_left.nKind == ITEM_PANE)
        found = m_left.pPane->IsPointInSplitter(point, nullptr);
    if (!found && m_right.nKind == ITEM_PANE)
        found = m_right.pPane->IsPointInSplitter(point, nullptr);
    if (cursor)
        *cursor = !found ? 0 : (found->m_nOrientation == STACKED ? kCursorSizeNS : kCursorSizeWE);
    return found;
}

void KTSplitPane::MoveSplitter(CPoint point)
{
    if (m_nOrientation == STACKED) {
        int top = std::clamp(static_cast<int>(point.y), m_nY + GetLeftMinHeight(),
                             std::max(m_nY + GetLeftMinHeight(), m_nY + m_nHeight - GetRightMinHeight() - kSplitterSize));
        SetLeftHeight(top - m_nY);
    } else {
        int left = std::clamp(static_cast<int>(point.x), m_nX + GetLeftMinWidth(),
                              std::max(m_nX + GetLeftMinWidth(), m_nX + m_nWidth - GetRightMinWidth() - kSplitterSize));
        SetLeftWidth(left - m_nX);
    }
    MovePane(-1, -1);
}
