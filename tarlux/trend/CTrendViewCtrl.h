// CTrendViewCtrl: the window that shows the loaded recording's trend one page at a time. It
// draws through the review trend renderer into an off-screen bitmap, copies that bitmap on
// paint, and moves through the recording with its horizontal scroll bar, the mouse wheel and by
// dragging the chart sideways. One scroll unit is one record (one second of recording); every
// rebuild (a resize, a study loaded) goes back to the start of the recording.
//
// The control is the custom control "CTrendViewCtrl" of the trend page dialog, attached by data
// exchange; it registers its window class when constructed (the framework's resource exception
// when it cannot). Everything runs on the user-interface thread.
#pragma once

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/msg/Wnd.h"

namespace tarlux {

class CTrendViewCtrl : public CWnd
{
public:
    static constexpr char kClassName[] = "CTrendViewCtrl";
    // A wheel notch (WHEEL_DELTA) moves this many records.
    static constexpr int kWheelRecords = 30;
    // A drag stops when the pointer comes this close to the control's edge.
    static constexpr int kDragEdge = 10;

    CTrendViewCtrl();
    ~CTrendViewCtrl() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Registers the window class (once); 1, or the framework's resource exception.
    static BOOL RegisterWindowClass(HINSTANCE instance);

    // Rebuilds the bitmap, the layout, the scroll bar and the picture for the current size,
    // settings and recording, and returns to the first page.
    void ResetView();
    void UpdateScrollBar();
    // Draws the page at the scroll position and shows it.
    void DrawView();

    // The layout of the last rebuild (for the page's owner and the tests).
    int GetPageRecords() const { return m_nPageRecords; }
    UINT GetColumns() const { return m_nColumns; }
    CRect GetUpperRect() const { return m_rcUpper; }
    CRect GetLowerRect() const { return m_rcLower; }

    void OnPaint();
    void OnDestroy();
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);

private:
    void FreeBitmap();
    // Sets the position (the bar keeps it within its range less a page) and draws the page.
    void MoveTo(int position);

    CDC m_dcMem;
    CBitmap m_bmpMem;
    CBitmap* m_pOldBitmap { nullptr };
    int m_nTrendSpeed { 0 };
    int m_nPageRecords { 0 };
    UINT m_nColumns { 0 };
    CRect m_rcClient { 0, 0, 0, 0 };
    CRect m_rcUpper { 0, 0, 0, 0 };
    CRect m_rcLower { 0, 0, 0, 0 };
    CRect m_rcMargin { 0, 0, 0, 0 };

    // The drag: where the left button went down and the scroll position then.
    bool m_bDragging { false };
    CPoint m_ptDragStart { 0, 0 };
    int m_nDragStartPos { 0 };
};

} // namespace tarlux
