// CWaveViewCtrl: the stored wave snapshot of the loaded recording (250 wave packets, 10 seconds)
// drawn to physical scale on millimetre paper: maternal ECG, maternal SpO2 pleth, FECG and fetal
// SpO2 pleth, with the sweep speed, the snapshot's start and time marks, gain texts, calibration
// pulses, channel names and leads. The strip is usually larger than the window, so both scroll
// bars move over it (in pixels). Every paint draws the whole visible part again off screen, with
// the scale taken from the device's resolution and the settings of the moment.
//
// The control is the custom control "CWaveViewCtrl" of the wave page dialog, attached by data
// exchange; it registers its window class when constructed (the framework's resource exception
// when it cannot). Everything runs on the user-interface thread.
#pragma once

#include "tarlux/wave/WaveLayout.h"

#include "platform/core/CString.h"
#include "platform/msg/Wnd.h"

class CDC;

namespace tarlux {

class CRecordReader;

class CWaveViewCtrl : public CWnd
{
public:
    static constexpr char kClassName[] = "CWaveViewCtrl";
    // A scroll page and a wheel notch, in pixels.
    static constexpr int kScrollPage = 100;
    // The smallest cell height of the page's font: capitals of about 9.5 pixels.
    static constexpr int kLegibleTextHeight = 15;

    CWaveViewCtrl();
    ~CWaveViewCtrl() override = default;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    static BOOL RegisterWindowClass(HINSTANCE instance);

    // Sets the scroll bars for the current size and settings and draws again.
    void ResetView();
    void UpdateScrollBars();
    // The layout the device and the settings give now.
    void CalcScale();
    const WaveLayout& GetLayout() const { return m_layout; }
    CRect GetCanvasRect() const { return CRect(0, 0, m_layout.CanvasWidth(), m_layout.CanvasHeight()); }

    // Draws the paper, texts and traces of the visible part (`clip` in client coordinates) with
    // the strip moved by the scroll positions. Nothing but the background without a context.
    void DrawView(CDC* pDC, const CRect& clip, int hpos, int vpos);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnLButtonDown(UINT nFlags, CPoint point);

private:
    void DrawGrid(CDC* pDC, const CRect& clip, int hpos, int vpos, const CRecordReader& reader);
    void DrawFineGrid(CDC* pDC, const CRect& clip, int x0, int y0);
    void DrawCoarseGrid(CDC* pDC, const CRect& clip, int x0, int y0);
    void DrawTexts(CDC* pDC, const CRect& clip, int x0, int y0, const CRecordReader& reader);
    void DrawCalibrationPulses(CDC* pDC, int y0);
    void DrawChannelNames(CDC* pDC, int vpos, const CRecordReader& reader);
    void DrawWaves(CDC* pDC, int x0, int y0, const CRecordReader& reader);
    void Scroll(int nBar, UINT nSBCode);

    WaveLayout m_layout;
    CString m_channelNames[kWaveChannelCount];
};

} // namespace tarlux
