// KTSplitPane: one node of a split layout. It divides its area between a left (top) and a right
// (bottom) side, side by side or stacked, with a 5-pixel splitter between them; each side is a
// window or another pane. A pane owns its child panes, never its windows.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/msg/Wnd.h"

class KTSplitPane
{
public:
    enum { ITEM_NONE = 0, ITEM_PANE = 1, ITEM_WND = 2 };
    enum { SIDE_LEFT = 1, SIDE_RIGHT = 2 };
    enum { STACKED = 0, SIDE_BY_SIDE = 1 };
    static constexpr int kSplitterSize = 5;
    // The cursors a splitter shows: north-south for stacked panes, west-east side by side.
    static constexpr int kCursorSizeNS = 32645;
    static constexpr int kCursorSizeWE = 32644;

    struct Side
    {
        int nKind { ITEM_NONE };
        KTSplitPane* pPane { nullptr };
        CWnd* pWnd { nullptr };
        int nMinWidth { 0 };
        int nMinHeight { 0 };
        BOOL bVisible { TRUE };
    };

    KTSplitPane() = default;
    virtual ~KTSplitPane();
    // A copy carries copies of the child panes, so each pane still has one owner.
    KTSplitPane(const KTSplitPane& other);
    KTSplitPane& operator=(const KTSplitPane& other);

    void SetOrientation(int orientation) { m_nOrientation = orientation; }
    int GetOrientation() const { return m_nOrientation; }
    // Makes the pane or window the given side (a pane becomes this pane's to delete).
    void SetSidePane(int side, KTSplitPane* pane);
    void SetSideWnd(int side, CWnd* wnd, int minWidth, int minHeight);
    const Side& GetSide(int side) const { return side == SIDE_LEFT ? m_left : m_right; }
    void EnableSplitter(BOOL enable) { m_bSplitter = enable; }

    void Show(BOOL show);
    void ShowLeft(BOOL show);
    void ShowRight(BOOL show);
    BOOL IsLeftVisible() const { return IsSideVisible(m_left); }
    BOOL IsRightVisible() const { return IsSideVisible(m_right); }
    BOOL IsVisible() const { return m_bVisible; }

    int GetLeftWidth() const;
    int GetLeftHeight() const;
    void SetLeftWidth(int width);
    void SetLeftHeight(int height);
    BOOL GetWndSize(CSize& size, int side) const;

    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetLeftMinWidth() const { return SideMinWidth(m_left); }
    int GetLeftMinHeight() const { return SideMinHeight(m_left); }
    int GetRightMinWidth() const { return SideMinWidth(m_right); }
    int GetRightMinHeight() const { return SideMinHeight(m_right); }

    // The pane whose splitter holds the point (this one or a descendant), or null; `cursor`
    // gets the cursor to show.
    KTSplitPane* IsPointInSplitter(CPoint point, int* cursor = nullptr);
    void MoveSplitter(CPoint point);
    void MovePane(int width, int height);
    void MovePane(int x, int y, int width, int height);

    CRect GetPaneRect() const { return CRect(m_nX, m_nY, m_nX + m_nWidth, m_nY + m_nHeight); }
    CRect GetSplitterRect() const { return m_rcSplitter; }

private:
    static BOOL IsSideVisible(const Side& side);
    static int SideMinWidth(const Side& side);
    static int SideMinHeight(const Side& side);
    static void ShowSide(Side& side, BOOL show);
    void CopyFrom(const KTSplitPane& other);
    void DeleteChildren();
    CWnd* LeftmostWindow() const;

    Side m_left;
    Side m_right;
    int m_nOrientation { SIDE_BY_SIDE };
    int m_nSize { 20 };
    int m_nWidth { 0 };
    int m_nHeight { 0 };
    int m_nX { 0 };
    int m_nY { 0 };
    BOOL m_bVisible { TRUE };
    int m_nSavedLeft { 0 };
    CRect m_rcSplitter { 0, 0, 0, 0 };
    BOOL m_bSplitter { TRUE };
};
