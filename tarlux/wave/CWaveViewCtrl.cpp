// The wave page control: scale, scroll bars and the paper, texts and traces of the snapshot.
#include "tarlux/wave/CWaveViewCtrl.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/common/ReviewControlClass.h"
#include "tarlux/common/ReviewScroll.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"

#include "ktutil/KTGF.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/packet/PKWave_v110.h"
#include "nrdata/record/RecordFileFormat.h"

#include "platform/core/ResourceModule.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowClass.h"

#include <algorithm>
#include <cstdint>

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr UINT kChannelNameIds[kWaveChannelCount] = { IDS_PARAM_ECG, IDS_PARAM_MSPO2, IDS_PARAM_FECG, IDS_PARAM_FSPO2 };
constexpr int kWaveKinds[kWaveChannelCount] = { WAVE_KIND_ECG, WAVE_KIND_SPO2, WAVE_KIND_FECG, WAVE_KIND_FSPO2 };
// The channel boundaries of the strip, drawn with the heavy pen.
constexpr int kChannelRows[] = { 0, 10, 18, 28, 36 };
// The ECG and FECG baselines carry the calibration pulses and the gain texts.
constexpr int kEcgBaselineRow = 7;
constexpr int kFecgBaselineRow = 25;
// The "Record Start" text stands this far right of the sweep speed.
constexpr int kRecordStartX = 500;
// The lead text stands this far right of the channel name's box.
constexpr int kLeadOffset = 180;

int Trunc(double v) { return static_cast<int>(v); }

COLORREF Colour(int value) { return static_cast<COLORREF>(value); }

int SampleOf(const PKWave_v110& wave, int channel, int i)
{
    switch (channel) {
    case kWaveECG: return wave.GetECG(i);
    case kWaveSpO2: return wave.GetSpO2(i);
    case kWaveFECG: return wave.GetFECG(i);
    default: return wave.GetFSpO2(i);
    }
}

// The snapshot exists and its time can be shown.
bool HasSnapshotTime(const CRecordReader& reader)
{
    return reader.GetWaveCount() > 0 && reader.GetSnapshotTime().GetStatus() == COleDateTime::valid;
}

} // namespace

CWaveViewCtrl::CWaveViewCtrl()
{
    RegisterWindowClass(AfxGetInstanceHandle());
    RegisterWindowClass(AfxGetResourceHandle());
    for (int channel = 0; channel < kWaveChannelCount; ++channel)
        m_channelNames[channel] = KTGF::GetString(kChannelNameIds[channel]);
}

const platform::MessageMap* CWaveViewCtrl::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &CWaveViewCtrl::OnPaint>(),
        Message<WM_ERASEBKGND, &CWaveViewCtrl::OnEraseBkgnd>(),
        Message<WM_HSCROLL, &CWaveViewCtrl::OnHScroll>(),
        Message<WM_VSCROLL, &CWaveViewCtrl::OnVScroll>(),
        Message<WM_MOUSEWHEEL, &CWaveViewCtrl::OnMouseWheel>(),
        Message<WM_LBUTTONDOWN, &CWaveViewCtrl::OnLButtonDown>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CWaveViewCtrl::RegisterWindowClass(HINSTANCE instance)
{
    return RegisterReviewControlClass(instance, kClassName);
}

// ---- scale and scroll bars -----------------------------------------------------------------------------

void CWaveViewCtrl::CalcScale()
{
    int dpi = 96;
    if (::IsWindow(m_hWnd)) {
        CClientDC dc(this);
        dpi = dc.GetDeviceCaps(LOGPIXELSY);
    }
    const NyraConfig& config = ReviewConfig();
    m_layout = MakeWaveLayout(dpi, config.ReviewSweepSpeed, config.ReviewECGGain, config.ReviewFECGGain);
}

void CWaveViewCtrl::ResetView()
{
    if (!::IsWindow(m_hWnd))
        return;
    UpdateScrollBars();
    Invalidate(TRUE);
}

void CWaveViewCtrl::UpdateScrollBars()
{
    if (!::IsWindow(m_hWnd))
        return;
    CalcScale();
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    const int border = client.left - window.left;
    const int width = window.Width() - 2 * border;
    const int height = window.Height() - 2 * border;
    const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    const int cw = m_layout.CanvasWidth();
    const int ch = m_layout.CanvasHeight();

    bool horizontal = false;
    bool vertical = false;
    if (width >= cw) {
        vertical = height < ch;
        horizontal = vertical && width - barWidth < cw;
    } else {
        horizontal = true;
        vertical = height - barHeight < ch;
    }
    int overflow[2] = { 0, 0 };
    if (horizontal && vertical) {
        overflow[0] = cw - (width - barWidth);
        overflow[1] = ch - (height - barHeight);
    } else if (horizontal) {
        overflow[0] = cw - width;
    } else if (vertical) {
        overflow[1] = ch - height;
    }

    const struct
    {
        int bar;
        bool shown;
        int overflow;
    } bars[] = { { SB_HORZ, horizontal, overflow[0] }, { SB_VERT, vertical, overflow[1] } };
    for (const auto& b : bars) {
        const int previous = GetScrollPos(b.bar);
        ShowScrollBar(b.bar, b.shown ? TRUE : FALSE);
        SCROLLINFO info {};
        info.cbSize = sizeof(info);
        if (b.shown) {
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.nMin = 0;
            info.nMax = b.overflow + kScrollPage - 1;
            info.nPage = kScrollPage;
            info.nPos = 0;
            SetScrollInfo(b.bar, &info, TRUE);
            SetScrollPos(b.bar, std::min(previous, info.nMax), TRUE);
        } else {
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            SetScrollInfo(b.bar, &info, TRUE);
            SetScrollPos(b.bar, 0, TRUE);
        }
    }
}

// ---- painting ------------------------------------------------------------------------------------------

BOOL CWaveViewCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CWaveViewCtrl::OnPaint()
{
    CPaintDC dc(this);
    const int saved = dc.SaveDC();
    CalcScale();
    const int hpos = GetScrollPos(SB_HORZ);
    const int vpos = GetScrollPos(SB_VERT);
    CRect client;
    GetClientRect(&client);
    CDC mem;
    CBitmap bitmap;
    if (mem.CreateCompatibleDC(&dc) && bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
        CBitmap* oldBitmap = mem.SelectObject(&bitmap);
        DrawView(&mem, client, hpos, vpos);
        dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(oldBitmap);
    }
    dc.RestoreDC(saved);
}

void CWaveViewCtrl::DrawView(CDC* pDC, const CRect& clip, int hpos, int vpos)
{
    pDC->SetBkMode(TRANSPARENT);
    HGDIOBJ oldFont = nullptr;
    if (CWnd* parent = GetParent())
        if (const auto font = reinterpret_cast<HGDIOBJ>(parent->SendMessage(WM_GETFONT)))
            oldFont = pDC->SelectObject(font);
    // The page's texts in the parent's face, but never smaller than a nurse reads at a glance.
    CFont legible;
    TEXTMETRIC metrics {};
    if (pDC->GetTextMetrics(&metrics) && metrics.tmHeight < kLegibleTextHeight) {
        char face[LF_FACESIZE] {};
        pDC->GetTextFace(LF_FACESIZE, face);
        legible.CreateFont(kLegibleTextHeight, 0, 0, 0, metrics.tmWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                           0, face);
        HGDIOBJ previous = pDC->SelectObject(legible.GetSafeHandle());
        if (oldFont == nullptr)
            oldFont = previous;
    }
    pDC->FillSolidRect(&clip, Colour(ReviewConfig().GraphBackground));
    if (CReviewContext::HasInstance()) {
        const CRecordReader& reader = CReviewContext::GetInstance()->GetReader();
        DrawGrid(pDC, clip, hpos, vpos, reader);
        DrawWaves(pDC, m_layout.offset + m_layout.OriginX() - hpos, m_layout.offset + m_layout.OriginY() - vpos,
                  reader);
    }
    if (oldFont)
        pDC->SelectObject(oldFont);
}

void CWaveViewCtrl::DrawGrid(CDC* pDC, const CRect& clip, int hpos, int vpos, const CRecordReader& reader)
{
    const int x0 = m_layout.offset + m_layout.OriginX() - hpos;
    const int y0 = m_layout.offset + m_layout.OriginY() - vpos;
    DrawFineGrid(pDC, clip, x0, y0);
    DrawCoarseGrid(pDC, clip, x0, y0);
    DrawTexts(pDC, clip, x0, y0, reader);
    DrawCalibrationPulses(pDC, y0);
    DrawChannelNames(pDC, vpos, reader);
}

// The 1-mm lines, only behind the two ECG channels.
void CWaveViewCtrl::DrawFineGrid(CDC* pDC, const CRect& clip, int x0, int y0)
{
    const int grid = m_layout.grid;
    const int mm = m_layout.mm;
    CPen pen(PS_SOLID, 1, Colour(ReviewConfig().GridInner));
    CPen* oldPen = pDC->SelectObject(&pen);
    int top = 0;
    for (int channel = 0; channel < kWaveChannelCount; ++channel) {
        const WaveChannelInfo& info = WaveChannelOf(channel);
        const int first = top;
        top += info.heightGrids;
        if (!info.fineGrid)
            continue;
        for (int row = first; row < top; ++row) {
            const int sy = y0 + row * grid;
            if (sy + grid < clip.top)
                continue;
            if (sy > clip.bottom)
                break;
            for (int col = 0; col < m_layout.widthGrids; ++col) {
                const int sx = x0 + col * grid;
                if (sx + grid < clip.left)
                    continue;
                if (sx > clip.right)
                    break;
                for (int k = 1; k < 5; ++k) {
                    pDC->MoveTo(sx + k * mm, sy);
                    pDC->LineTo(sx + k * mm, std::min(sy + grid, static_cast<int>(clip.bottom)));
                    pDC->MoveTo(sx, sy + k * mm);
                    pDC->LineTo(std::min(sx + grid, static_cast<int>(clip.right)), sy + k * mm);
                }
            }
        }
    }
    pDC->SelectObject(oldPen);
}

// The 5-mm lines; every fifth column and the channel boundaries heavy, reaching into the margin.
void CWaveViewCtrl::DrawCoarseGrid(CDC* pDC, const CRect& clip, int x0, int y0)
{
    const int grid = m_layout.grid;
    const int mm = m_layout.mm;
    const int bottom = y0 + m_layout.heightGrids * grid;
    const int right = x0 + m_layout.widthGrids * grid;
    CPen thin(PS_SOLID, 1, Colour(ReviewConfig().GridOuter));
    CPen thick(PS_SOLID, 2, Colour(ReviewConfig().GridOuter));
    CPen* oldPen = pDC->SelectObject(&thin);
    for (int i = 0; i <= m_layout.widthGrids; ++i) {
        const int x = x0 + i * grid;
        if (x < clip.left - 2)
            continue;
        if (x > clip.right)
            break;
        const bool heavy = i % 5 == 0;
        pDC->SelectObject(heavy ? &thick : &thin);
        pDC->MoveTo(x, heavy ? y0 - 2 * mm : y0);
        pDC->LineTo(x, std::min(bottom, static_cast<int>(clip.bottom)));
    }
    for (int row = 0; row <= m_layout.heightGrids; ++row) {
        const int y = y0 + row * grid;
        if (y < clip.top - 2)
            continue;
        if (y > clip.bottom)
            break;
        const bool heavy = std::find(std::begin(kChannelRows), std::end(kChannelRows), row) != std::end(kChannelRows);
        pDC->SelectObject(heavy ? &thick : &thin);
        pDC->MoveTo(heavy ? x0 - 2 * mm : x0, y);
        pDC->LineTo(std::min(right, static_cast<int>(clip.right)), y);
    }
    pDC->SelectObject(oldPen);
}

void CWaveViewCtrl::DrawTexts(CDC* pDC, const CRect& clip, int x0, int y0, const CRecordReader& reader)
{
    const NyraConfig& config = ReviewConfig();
    const int grid = m_layout.grid;
    const int offset = m_layout.offset;
    pDC->SetTextColor(Colour(config.GraphText));

    // The header and the time marks stand above the paper and scroll up and down with it, so the
    // grid never runs through them; sideways only the time marks move.
    const int top = y0 - m_layout.OriginY();
    CString text;
    text.Format("%s: %s", KTGF::GetString(IDS_SWEEP_SPEED).GetString(),
                NRConstMap::GetMapTextByConst(NRConstMap::CMAP_ECG_SPEED, m_layout.sweepSpeed).GetString());
    pDC->TextOut(offset, top, text);

    if (HasSnapshotTime(reader)) {
        const COleDateTime snapshot = reader.GetSnapshotTime();
        text.Format("%s: %s", KTGF::GetString(IDS_RECORD_START).GetString(),
                    snapshot.Format("%Y-%m-%d %H:%M:%S").GetString());
        pDC->TextOut(offset + kRecordStartX, top, text);
        for (int k = 0; k * m_layout.markStep < m_layout.widthGrids; ++k) {
            CRect box(x0 + m_layout.mm + k * m_layout.markStep * grid, top, 0, 0);
            box.right = box.left + 5 * grid;
            box.bottom = box.top + 2 * grid - m_layout.mm;
            if (box.left > clip.right)
                break;
            if (box.right < clip.left)
                continue;
            const COleDateTime mark = snapshot + COleDateTimeSpan(0, 0, 0, k * m_layout.secondsPerMark);
            CString markText = mark.Format("%H:%M:%S");
            pDC->DrawText(markText, &box, DT_SINGLELINE | DT_BOTTOM | DT_LEFT);
        }
    }

    const struct
    {
        int row;
        int gain;
    } gains[] = { { kEcgBaselineRow, config.ReviewECGGain }, { kFecgBaselineRow, config.ReviewFECGGain } };
    for (const auto& g : gains) {
        CRect box(offset, y0 + g.row * grid, offset + 20 * grid, y0 + (g.row + 2) * grid);
        CString gainText =
            NRConstMap::GetMapTextByConst(NRConstMap::CMAP_ECG_GAIN, WaveGainOrDefault(g.gain));
        pDC->DrawText(gainText, &box, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
}

// 1 mV for 200 ms on the ECG and FECG baselines, in the margin.
void CWaveViewCtrl::DrawCalibrationPulses(CDC* pDC, int y0)
{
    const int mm = m_layout.mm;
    CPen pen(PS_SOLID, 1, Colour(ReviewConfig().GraphText));
    CPen* oldPen = pDC->SelectObject(&pen);
    const int rows[2] = { kEcgBaselineRow, kFecgBaselineRow };
    for (int i = 0; i < 2; ++i) {
        int x = m_layout.offset + m_layout.grid - 2 * mm;
        const int base = y0 + rows[i] * m_layout.grid;
        const int top = base - m_layout.pulseHeight[i];
        pDC->MoveTo(x, base);
        x += 2 * mm;
        pDC->LineTo(x, base);
        pDC->LineTo(x, top);
        x += m_layout.pulseWidth;
        pDC->LineTo(x, top);
        pDC->LineTo(x, base);
        pDC->LineTo(x + 2 * mm, base);
    }
    pDC->SelectObject(oldPen);
}

void CWaveViewCtrl::DrawChannelNames(CDC* pDC, int vpos, const CRecordReader& reader)
{
    const int grid = m_layout.grid;
    CRect box;
    box.right = m_layout.offset + m_layout.labelGrids * grid + Trunc(0.5 * grid);
    box.left = box.right - 10 * grid;
    box.top = m_layout.offset + 2 * grid - vpos;
    box.bottom = box.top + 5 * grid;
    box.DeflateRect(grid, grid);
    for (int channel = 0; channel < kWaveChannelCount; ++channel) {
        CString name = m_channelNames[channel];
        pDC->DrawText(name, &box, DT_SINGLELINE | DT_TOP | DT_RIGHT);
        CString lead;
        if (channel == kWaveECG)
            lead = reader.GetECGLead1Text();
        else if (channel == kWaveFECG)
            lead = reader.GetECGLead2Text();
        if (!lead.IsEmpty()) {
            CRect leadBox = box;
            leadBox.OffsetRect(kLeadOffset, 0);
            pDC->DrawText(lead, &leadBox, DT_SINGLELINE | DT_TOP | DT_LEFT);
        }
        box.OffsetRect(0, WaveChannelOf(channel).heightGrids * grid);
    }
}

// Each trace follows its valid samples: a stretch without data lifts the pen and closes up, so
// the trace never leaves a blank.
void CWaveViewCtrl::DrawWaves(CDC* pDC, int x0, int y0, const CRecordReader& reader)
{
    const NyraConfig& config = ReviewConfig();
    const int colours[kWaveChannelCount] = { config.GraphHR, config.GraphSpO2, config.GraphFECG, config.GraphFSpO2 };
    PKWave_v110 wave;
    for (int channel = 0; channel < kWaveChannelCount; ++channel) {
        const WaveChannelInfo& info = WaveChannelOf(channel);
        CPen pen(PS_SOLID, 1, Colour(colours[channel]));
        CPen* oldPen = pDC->SelectObject(&pen);
        const double baseline = y0 + info.baselineRow * m_layout.grid;
        bool penDown = false;
        int n = 0;
        for (int p = 0; p < static_cast<int>(nrdata::record::kWavePacketCount); ++p) {
            const BYTE* bytes = reader.GetWave(p);
            if (!bytes)
                break;
            wave.SetPacket(bytes, static_cast<int>(nrdata::record::kWavePacketSize), 0);
            for (int i = 0; i < info.samplesPerPacket; ++i) {
                if (!wave.IsValidData(kWaveKinds[channel], i)) {
                    penDown = false;
                    continue;
                }
                const int x = x0 + Trunc(n * m_layout.xScale[channel] + 0.5);
                const int y = Trunc(baseline - SampleOf(wave, channel, i) * m_layout.yScale[channel] + 0.5);
                ++n;
                if (penDown) {
                    pDC->LineTo(x, y);
                } else {
                    pDC->MoveTo(x, y);
                    penDown = true;
                }
            }
        }
        pDC->SelectObject(oldPen);
    }
}

// ---- scrolling -----------------------------------------------------------------------------------------

void CWaveViewCtrl::Scroll(int nBar, UINT nSBCode)
{
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(nBar, &info, SIF_ALL);
    const int position = ScrolledPosition(info, nSBCode);
    if (nSBCode == SB_ENDSCROLL)
        SetFocus();
    SetScrollPos(nBar, position, TRUE);
    Invalidate(TRUE);
}

void CWaveViewCtrl::OnHScroll(UINT nSBCode, UINT, CWnd*)
{
    Scroll(SB_HORZ, nSBCode);
    Default();
}

void CWaveViewCtrl::OnVScroll(UINT nSBCode, UINT, CWnd*)
{
    Scroll(SB_VERT, nSBCode);
    Default();
}

BOOL CWaveViewCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    int minimum = 0;
    int maximum = 0;
    GetScrollRange(SB_VERT, &minimum, &maximum);
    const int position = GetScrollPos(SB_VERT);
    SetScrollPos(SB_VERT, zDelta >= 0 ? std::max(minimum, position - kScrollPage)
                                      : std::min(std::max(minimum, maximum), position + kScrollPage),
                 TRUE);
    Invalidate(TRUE);
    Default();
    return TRUE;
}

void CWaveViewCtrl::OnLButtonDown(UINT, CPoint)
{
    SetFocus();
    Default();
}

} // namespace tarlux
