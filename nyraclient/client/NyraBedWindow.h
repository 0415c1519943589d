// NyraBedWindow: a bed's window as its client drives it. A client owns up to two (its tile in
// the bed grid and, while the bed is expanded, its enlarged window); it has them made by its
// owner (NyraClientOwner::MakeBedWindow), creates and destroys their windows, hands them the
// bed's live data and asks them to repaint. The window itself (NyraControl) is drawn and
// laid out above the client, in nyraclient/bedwindow/, and reads its client back; the client
// knows it only through this, so the client sits below its windows.
#pragma once

#include "nyraclient/display/DisplayTypes.h"

#include "platform/msg/Wnd.h"

class CSmartBuffer;

class NyraBedWindow : public CWnd
{
public:
    // Creates the window; the object exists before its window and after it.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) = 0;

    // ---- repaints (user-interface thread; from another thread they are posted) ----------------
    // Rebuilds the window's pictures and draws everything again.
    virtual void RedrawControl() = 0;
    // Draws the parameter panel again.
    virtual void UpdateParameter() = 0;
    // Draws the caption bar (its text, its buttons) straight onto the window.
    virtual void UpdateCaption(int drawText, int drawButtons) = 0;
    // Draws the caption's text and buttons again, after a change of the bed's state.
    virtual void ResetIconStatus() = 0;

    // ---- live data (any thread) -----------------------------------------------------------------
    // Takes over one reference of the buffer (a wave packet).
    virtual void PushWave(CSmartBuffer* buffer) = 0;
    // New parameters have arrived (the buffer is not used and may be null).
    virtual void PushParam(CSmartBuffer* buffer) = 0;
    // The bed's alarm values changed: the caption painter, asleep while the bed is quiet,
    // looks at once.
    virtual void WakeCaptionPainter() = 0;

    // ---- how it shows the bed ---------------------------------------------------------------------
    virtual void SetEnlargeMode(int bEnlarge) = 0;
    virtual void SetDisplayMode(DISPMODE mode) = 0;

    // ---- its trend, for the trend store -------------------------------------------------------------
    // 1 while the user looks back through the trend: the store keeps its old entries then.
    virtual int IsTrendReviewMode() const = 0;
    // The first trend entry the window shows.
    virtual UINT GetDrawFirstIndexOfTrend() const = 0;
};
