// One strip of trend paper: the FHR grid over the UC grid, their scales and unit captions, an
// optional legend, the curves of every visible parameter, fetal-movement and event marks, and
// time labels, for the screen (the settings' colours), a printout (black and white) or a JPEG
// page (colour curves on a white page), in the central or the review station's style.
//
// The renderer keeps nothing between calls and takes no lock: it copies the strip's entries
// from the trend source once and draws from the copies. Pens, brushes and fonts are made per
// call from the source's settings and go with the call; the device context's state is saved on
// entry and restored on return.
#include "nrdata/trend/TrendGraphRenderer.h"

#include "nrdata/trend/TrendRect.h"
#include "nrdata/trend/CTrendSource.h"
#include "nrdata/trend/TrendCurves.h"

#include "ktutil/KTGF.h"
#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/res/NRDataStrings.h"
#include "platform/gdi/CDC.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace nrdata::trend {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr int kFhrRows = 21;
constexpr int kUcRows = 10;
constexpr double kKiloPascalPerMmHg = 0.133322;
constexpr int kSamplesPerRecord = PKParam_v110::kSamples;

int Trunc(double v) { return static_cast<int>(v); }

// ---- geometry of one strip --------------------------------------------------------------------

struct Strip
{
    CRect fhr, uc;
    UINT columns;
    int cell;      // column width
    int fhrRow;    // FHR row height
    int ucRow;     // UC row height
    int leftLine;  // x of the left scale
    int rightCols; // columns in from the right edge of the right scale
    int rightLine; // x of the right scale
    int midLine;   // x of the temperature scale

    Strip(CRect f, CRect u, UINT c) : fhr(f), uc(u), columns(c)
    {
        cell = fhr.Width() / static_cast<int>(columns);
        fhrRow = fhr.Height() / kFhrRows;
        ucRow = uc.Height() / kUcRows;
        leftLine = fhr.left + 6 * cell;
        rightCols = static_cast<int>(columns % 6);
        if (rightCols <= 4)
            rightCols += 6;
        rightLine = fhr.right - rightCols * cell;
        midLine = uc.left + static_cast<int>(columns / 2) * cell;
    }
};

// ---- pens, brushes and fonts of one call ----------------------------------------------------------

// The style's smallest font height on `dc` (a printer's page has more pixels to an inch).
int MinFontHeight(CDC* dc, const TrendStyle& style)
{
    const int dpi = dc != nullptr && dc->GetSafeHdc() != nullptr ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
    return style.minFontHeight * std::max(dpi, 96) / 96;
}

// Four fifths of a column, not below the style's smallest height nor below one pixel (a height
// of 0 would ask for the font's default size).
int FontHeight(CDC* dc, int cell, const TrendStyle& style)
{
    return std::max({ Trunc(0.8 * cell), MinFontHeight(dc, style), 1 });
}

// Whether the scale numbers thin out to every 6th FHR and 5th UC row.
bool SparseScale(CDC* dc, int fontHeight, const TrendStyle& style)
{
    return !style.fixedScaleSteps && fontHeight == MinFontHeight(dc, style);
}

// The line height of a scale font.
int LineHeight(CDC* dc, CFont& font)
{
    CFont* old = dc->SelectObject(&font);
    const int height = dc->GetTextExtent("0", 1).cy;
    dc->SelectObject(old);
    return height;
}

struct Tools
{
    CPen gridInner, gridCentre, gridOuter;
    CPen curve[TREND_PEN_COUNT];
    CBrush fmd1, fmd2;
    CFont scaleFont, legendFont;
    int fontHeight;
    COLORREF text;     // scales and captions
    COLORREF zeroText; // zeroing marks
    COLORREF paper;    // what the paper shows behind its texts
    int lineHeight;    // of the scale font

    Tools(CDC* dc, const NyraConfig& cfg, DRAW_MODE mode, int cell, const TrendStyle& style)
        : fontHeight(FontHeight(dc, cell, style))
    {
        const bool screen = mode == DRAW_SCREEN;
        const bool print = mode == DRAW_PRINT;
        gridInner.CreatePen(cfg.GridInnerStyle, 1, screen ? cfg.GridInner : kGrey);
        gridCentre.CreatePen(cfg.GridCenterStyle, 1, screen ? cfg.GridCenter : kGrey);
        gridOuter.CreatePen(cfg.GridOuterStyle, 1, screen ? cfg.GridOuter : kBlack);
        for (int p = 0; p < TREND_PEN_COUNT; ++p) {
            const TrendPenSpec& spec = TrendPenOf(static_cast<TrendPen>(p));
            curve[p].CreatePen(PS_SOLID, print ? spec.printWidth : 1, print ? kBlack : cfg.*spec.colour);
        }
        fmd1.CreateSolidBrush(print ? kBlack : cfg.GraphFHR1);
        fmd2.CreateSolidBrush(print ? kBlack : cfg.GraphFHR2);
        for (CFont* font : { &scaleFont, &legendFont })
            font->CreateFont(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 2, 1, 0, 0, "Arial");
        text = screen ? cfg.GraphText : kBlack;
        zeroText = print ? kBlack : cfg.EventStimulator;
        paper = screen ? cfg.GraphBackground : RGB(255, 255, 255);
        lineHeight = LineHeight(dc, scaleFont);
    }

    CPen* GridPen(int line, bool sixes) const
    {
        CPen* pens[] = { const_cast<CPen*>(&gridOuter), const_cast<CPen*>(&gridCentre), const_cast<CPen*>(&gridInner) };
        if (sixes && line % 6 == 0)
            return pens[0];
        return line % 2 == 0 ? pens[1] : pens[2];
    }
};

// ---- text boxes ------------------------------------------------------------------------------

CString TrendSpeedCaption(int speed) { return NRConstMap::GetMapTextByConst(NRConstMap::CMAP_TREND_SPEED, speed); }

// A scale number in a box of its own size centred on (x, y), moved just inside `grid` where it
// would reach over the grid's frame, on the paper's colour so that no grid line crosses it.
void ScaleNumber(CDC* dc, const CString& text, int x, int y, const CRect& grid, COLORREF paper)
{
    const CSize size = dc->GetTextExtent(text);
    CRect box(x - size.cx / 2, y - size.cy / 2, 0, 0);
    box.right = box.left + size.cx;
    box.bottom = box.top + size.cy;
    if (box.top <= grid.top)
        box.OffsetRect(0, grid.top + 1 - box.top);
    if (box.bottom > grid.bottom)
        box.OffsetRect(0, grid.bottom - box.bottom);
    if (box.left <= grid.left)
        box.OffsetRect(grid.left + 1 - box.left, 0);
    if (box.right > grid.right)
        box.OffsetRect(grid.right - box.right, 0);
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(paper);
    dc->DrawText(text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    dc->SetBkMode(TRANSPARENT);
}

// Text in a box of its own size whose left edge is x and whose bottom edge is y.
void TextAbove(CDC* dc, const CString& text, int x, int y)
{
    const CSize size = dc->GetTextExtent(text);
    CRect box(x, y - size.cy, x + size.cx, y);
    dc->DrawText(text, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

// Text in a box of its own size whose top edge is y: centred on x, or starting at x.
CRect TextBelow(CDC* dc, const CString& text, int x, int y, bool centredOnX)
{
    const CSize size = dc->GetTextExtent(text);
    CRect box(centredOnX ? x - size.cx / 2 : x, y, 0, 0);
    box.right = box.left + size.cx;
    box.bottom = box.top + size.cy;
    dc->DrawText(text, &box, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
    return box;
}

// The band above the UC grid where the fetal-movement marks stand (FMD1 three eighths of an FHR
// row above it, FMD2 one eighth).
int FetalMovementBand(int fhrRow) { return 3 * (fhrRow / 8); }

CString Number(int v) { return FormatString("%d", v); }
CString Tenths(double v) { return FormatString("%.1lf", v); }
CString InParentheses(const CString& text) { return FormatString("(%s)", static_cast<const char*>(text)); }

// ---- 1. grid -------------------------------------------------------------------------------

void DrawGrid(CDC* dc, const Strip& s, const Tools& t)
{
    const int tick = Trunc(s.cell / 3.0);
    for (UINT i = 0; i <= s.columns; ++i) {
        const int x = s.fhr.left + static_cast<int>(i) * s.cell;
        dc->SelectObject(t.GridPen(static_cast<int>(i), true));
        dc->MoveTo(x, s.fhr.top);
        dc->LineTo(x, s.fhr.bottom);
        // The whole-minute lines run on below the UC grid as ticks.
        dc->MoveTo(x, s.uc.top);
        dc->LineTo(x, s.uc.bottom + (i % 6 == 0 ? tick : 0));
    }
    for (int j = 0; j <= kFhrRows; ++j) {
        const int y = s.fhr.top + j * s.fhrRow;
        dc->SelectObject(j % 4 == 0 ? const_cast<CPen*>(&t.gridOuter) : t.GridPen(j, false));
        dc->MoveTo(s.fhr.left, y);
        dc->LineTo(s.fhr.right, y);
    }
    for (int j = 0; j <= kUcRows; ++j) {
        const int y = s.uc.top + j * s.ucRow;
        dc->SelectObject(j % 2 == 0 ? const_cast<CPen*>(&t.gridOuter) : const_cast<CPen*>(&t.gridInner));
        dc->MoveTo(s.uc.left, y);
        dc->LineTo(s.uc.right, y);
    }
}

// ---- 2. scales and captions ------------------------------------------------------------------

CString PressureLabel(int mmHg, int nibpUnit)
{
    return nibpUnit == 2 ? Tenths(mmHg * kKiloPascalPerMmHg) : Number(mmHg);
}

// The first of `steps` (in rows) whose labels stand a line apart, else the last.
int LabelStep(std::initializer_list<int> steps, int rowHeight, int lineHeight)
{
    int step = 0;
    for (int candidate : steps) {
        step = candidate;
        if (candidate * rowHeight >= lineHeight + 2)
            break;
    }
    return step;
}

std::vector<TrendScaleLabel> ScaleLabels(const Strip& s, const NyraConfig& cfg, bool antepartum, bool sparse,
                                         int lineHeight)
{
    std::vector<TrendScaleLabel> labels;
    // Every 4th FHR and 2nd UC row, or every 6th and 5th, and fewer where a line would not fit.
    const int fhrStep = sparse ? LabelStep({ 6, 12 }, s.fhrRow, lineHeight) : LabelStep({ 4, 6, 12 }, s.fhrRow, lineHeight);
    const int ucStep = sparse ? LabelStep({ 5, 10 }, s.ucRow, lineHeight) : LabelStep({ 2, 5, 10 }, s.ucRow, lineHeight);
    for (int row = 0; row <= kFhrRows; row += fhrStep) {
        const int y = s.fhr.top + row * s.fhrRow;
        labels.push_back({ Number(240 - 10 * row), s.leftLine, y });
        labels.push_back({ antepartum ? Number(240 - 10 * row) : PressureLabel(300 - 15 * row, cfg.NIBPUnit),
                           s.rightLine, y });
    }
    for (int row = 0; row <= kUcRows; row += ucStep) {
        const int y = s.uc.top + row * s.ucRow;
        labels.push_back({ PressureLabel(100 - 10 * row, cfg.NIBPUnit), s.leftLine, y });
        if (antepartum) {
            labels.push_back({ PressureLabel(100 - 10 * row, cfg.NIBPUnit), s.rightLine, y });
            continue;
        }
        const int celsius = 45 - 3 * row;
        labels.push_back({ cfg.TempUnit == 2 ? Tenths(celsius * 9.0 / 5.0 + 32) : Number(celsius), s.midLine, y });
        labels.push_back({ Number(100 - 3 * row), s.rightLine, y });
    }
    return labels;
}

void DrawScales(CDC* dc, const Strip& s, Tools& t, const NyraConfig& cfg, bool antepartum, int speed,
                const TrendStyle& style)
{
    dc->SelectObject(&t.scaleFont);
    dc->SetTextColor(t.text);
    for (const TrendScaleLabel& label :
         ScaleLabels(s, cfg, antepartum, SparseScale(dc, t.fontHeight, style), t.lineHeight))
        ScaleNumber(dc, label.text, label.x, label.y, label.y >= s.uc.top ? s.uc : s.fhr, t.paper);

    const CString bpm = InParentheses(KTGF::GetString(IDS_BPM));
    const CString nibpUnit = InParentheses(NRConstMap::GetNIBPUnitText(cfg.NIBPUnit));
    const int rightCaption = s.fhr.right - (s.rightCols - 1) * s.cell;
    TextAbove(dc, bpm, s.fhr.left + 7 * s.cell, s.fhr.top);
    const int speedCaption = style.speedCaptionCentred ? s.fhr.left + static_cast<int>(s.columns / 2) * s.cell
                                                       : s.fhr.right;
    TextAbove(dc, TrendSpeedCaption(speed), speedCaption, s.fhr.top);
    // Beside the trend speed, which starts at the grid's right edge, the right caption ends a
    // little before it.
    const CString right = antepartum ? bpm : nibpUnit;
    const int rightEnd = style.speedCaptionCentred ? INT_MAX : s.fhr.right - t.lineHeight / 3;
    TextAbove(dc, right, std::min(rightCaption, rightEnd - dc->GetTextExtent(right).cx), s.fhr.top);
    // The UC grid's captions stand above the band of its fetal-movement marks.
    const int ucCaptions = s.uc.top - FetalMovementBand(s.fhrRow);
    TextAbove(dc, nibpUnit, s.uc.left + 7 * s.cell, ucCaptions);
    if (antepartum) {
        TextAbove(dc, nibpUnit, rightCaption, ucCaptions);
    } else {
        TextAbove(dc, InParentheses(NRConstMap::GetTempUnitText(cfg.TempUnit)), s.midLine + s.cell, ucCaptions);
        TextAbove(dc, InParentheses("%"), rightCaption, ucCaptions);
    }
}

// ---- 3. legend ------------------------------------------------------------------------------

struct LegendEntry
{
    int kind;
    UINT stringId;
    TrendPen pen; // colour and print width of the curve
    bool ucColumn;
};

constexpr LegendEntry kLegend[] = {
    { ParamKind::ECG, IDS_PARAM_MHR, PEN_HR, false },      { ParamKind::SpO2, IDS_PARAM_MSPO2, PEN_SPO2, false },
    { ParamKind::FECG, IDS_PARAM_FECG, PEN_FECG, false },   { ParamKind::FSpO2, IDS_PARAM_FSPO2, PEN_FSPO2, false },
    { ParamKind::FHR1, IDS_PARAM_FHR1, PEN_FHR1, false },   { ParamKind::FHR2, IDS_PARAM_FHR2, PEN_FHR2, false },
    { ParamKind::Temp, IDS_PARAM_TEMP, PEN_TEMP, true },    { ParamKind::UC, IDS_PARAM_UC, PEN_UC, true },
    { ParamKind::IUP, IDS_PARAM_IUP, PEN_UC, true },
};

void DrawLegend(CDC* dc, const Strip& s, Tools& t, const NyraConfig& cfg, const CTrendSource& source, UINT first,
                UINT records, DRAW_MODE mode)
{
    dc->SelectObject(&t.legendFont);
    int nextRow[2] = { s.fhr.top, s.uc.top };
    for (const LegendEntry& e : kLegend) {
        if (!source.IsValidRange(e.kind, first, records))
            continue;
        const CString name = KTGF::GetString(e.stringId);
        const CSize size = dc->GetTextExtent(name);
        const int h = size.cy;
        int& y = nextRow[e.ucColumn ? 1 : 0];
        CRect box(h, y, h + size.cx, y + h);
        dc->SetTextColor(mode == DRAW_PRINT ? kBlack : cfg.*TrendPenOf(e.pen).colour);
        dc->DrawText(name, &box, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
        if (mode == DRAW_PRINT) {
            dc->SelectObject(&t.curve[e.pen]);
            dc->MoveTo(box.left, box.bottom + h / 2);
            dc->LineTo(box.left + 2 * h, box.bottom + h / 2);
        }
        y += 2 * h;
    }
}

// The widest legend name in the legend font of cells `cell` pixels wide.
int LegendWidth(CDC* dc, int cell, const TrendStyle& style)
{
    CFont font;
    font.CreateFont(FontHeight(dc, cell, style), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 2, 1, 0, 0, "Arial");
    CFont* old = dc->SelectObject(&font);
    int widest = 0;
    for (const LegendEntry& e : kLegend)
        widest = std::max<int>(widest, dc->GetTextExtent(KTGF::GetString(e.stringId)).cx);
    dc->SelectObject(old);
    return widest;
}

// ---- 4. curves, marks and time labels ----------------------------------------------------------

// The strip's entries, copied once; a missing entry stays empty. Only entries the source holds
// are copied, so a strip far longer than the store costs no more than the store.
class StripEntries
{
public:
    StripEntries(const CTrendSource& source, uint64_t firstSample, uint64_t endSample)
        : m_firstRecord(firstSample / kSamplesPerRecord)
    {
        const uint64_t count = source.GetCountsOfTrendData();
        if (endSample <= firstSample || m_firstRecord >= count)
            return;
        const uint64_t lastRecord = std::min((endSample - 1) / kSamplesPerRecord, count - 1);
        m_entries.resize(static_cast<size_t>(lastRecord - m_firstRecord + 1));
        PKParam_v110 entry;
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (source.CopyTrendDataAtIndex(static_cast<UINT>(m_firstRecord + i), entry))
                m_entries[i] = entry;
    }

    // The entry of a sample, or null when the store had none.
    const PKParam_v110* OfSample(uint64_t sample) const
    {
        const uint64_t i = sample / kSamplesPerRecord - m_firstRecord;
        return i < m_entries.size() && m_entries[i] ? &*m_entries[i] : nullptr;
    }

private:
    uint64_t m_firstRecord;
    std::vector<std::optional<PKParam_v110>> m_entries;
};

struct Samples
{
    uint64_t first;    // S
    uint64_t end;      // E
    uint64_t limit;    // min(E, L)
    const Strip& strip;

    int X(uint64_t s) const
    {
        const uint64_t k = s - first;
        return strip.fhr.left + static_cast<int>(k == 0 ? 0 : strip.fhr.Width() * static_cast<int64_t>(k) / static_cast<int64_t>(end - first));
    }
};

// A curve as runs of points; a run ends where the pen is lifted. The buffer is sized once for
// the strip (at most kMaxPolylinePoints); a run that fills it is drawn and goes on from its
// last point, so the line stays unbroken and nothing is allocated while points are added.
class CurveRuns
{
public:
    CurveRuns(CDC* dc, TrendRenderStats* stats, uint64_t samples) : m_dc(dc), m_stats(stats)
    {
        m_points.reserve(static_cast<size_t>(std::min<uint64_t>(samples, kMaxPolylinePoints)));
    }
    ~CurveRuns() { Lift(); }

    void To(int x, int y)
    {
        if (m_points.size() == kMaxPolylinePoints) {
            const POINT last = m_points.back();
            Lift();
            m_points.push_back(last);
        }
        m_points.push_back(POINT { x, y });
    }
    void Lift()
    {
        if (m_points.size() >= 2) {
            m_dc->Polyline(m_points.data(), static_cast<int>(m_points.size()));
            if (m_stats) {
                m_stats->curveSegments += m_points.size() - 1;
                ++m_stats->polylines;
            }
        }
        m_points.clear();
    }

private:
    CDC* m_dc;
    TrendRenderStats* m_stats;
    std::vector<POINT> m_points;
};

// A curve over the strip's samples. Every curve starts the strip in a gap; an invalid sample
// lifts the pen. The jump test compares a valid sample with the previous valid one.
void DrawCurve(CDC* dc, const TrendCurve& curve, const StripEntries& entries, const Samples& span, Tools& t,
               const TrendStyle& style, TrendRenderStats* stats)
{
    const Strip& s = span.strip;
    const CRect& grid = curve.grid == TrendGrid::FHR ? s.fhr : s.uc;
    dc->SelectObject(&t.curve[curve.pen]);
    // A value off its scale stays off the paper: the curve is cut at the grid's frame, so it
    // never runs over the scales and captions around the grid.
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(grid.left, grid.top, grid.right + 1, grid.bottom + 1);
    struct Restore
    {
        CDC* dc;
        int saved;
        ~Restore() { dc->RestoreDC(saved); }
    } restore { dc, saved };
    CurveRuns runs(dc, stats, span.limit - span.first);
    bool inGap = true;
    bool havePrevious = false;
    int previous = 0;
    for (uint64_t smp = span.first; smp < span.limit; ++smp) {
        const PKParam_v110* entry = entries.OfSample(smp);
        const int i = static_cast<int>(smp % kSamplesPerRecord);
        if (!entry || !entry->IsValidData(curve.kind, i)) {
            runs.Lift();
            inGap = true;
            continue;
        }
        const int v = curve.value(*entry, i);
        const int compared = curve.jumpValue(v);
        const bool jump = curve.jumpLimit > 0 && havePrevious && std::abs(compared - previous) > curve.jumpLimit;
        previous = compared;
        havePrevious = true;
        if (jump) {
            runs.Lift();
            inGap = true;
        }
        const bool swallowed = inGap && style.gapSwallowsSample;
        inGap = false;
        if (jump && style.gapSwallowsSample) {
            inGap = true; // the jump itself is the gap; the next valid sample ends it
            continue;
        }
        if (swallowed)
            continue;
        runs.To(span.X(smp), grid.bottom - curve.height(v, grid.Height()));
    }
}

// The base line of the NIBP marks and the stimulator: the FHR grid's bottom edge, or the top of
// its bottom row.
int MarkBase(const Strip& s, const TrendStyle& style)
{
    return style.marksOnBottomRow ? s.fhr.bottom - s.cell : s.fhr.bottom;
}

void DrawNIBP(CDC* dc, const PKParam_v110& p, int x, const Strip& s, const TrendStyle& style)
{
    const int half = s.cell / 2;
    const int base = MarkBase(s, style);
    const int h = base - s.fhr.top;
    const int ys = base - NIBPHeight(p.GetNIBPSys(), h);
    const int ym = base - NIBPHeight(p.GetNIBPMean(), h);
    const int yd = base - NIBPHeight(p.GetNIBPDia(), h);
    for (int y : { ys, ym, yd }) {
        dc->MoveTo(x - half, y);
        dc->LineTo(x - half + s.cell, y);
    }
    dc->MoveTo(x, ys);
    dc->LineTo(x, yd);
}

void DrawMovementBox(CDC* dc, CBrush* brush, int x, int top, const Strip& s)
{
    const int width = s.cell / 6;
    const int height = s.fhrRow / 8;
    CRect box(x - width / 2, top, x - width / 2 + width, top + height);
    dc->FillRect(&box, brush);
}

void DrawMarker(CDC* dc, int x, const Strip& s, const TrendStyle& style)
{
    const int a = s.cell / 3;
    const int y = style.marksOnBottomRow ? s.fhr.bottom + a : s.fhr.bottom;
    dc->MoveTo(x - a, y + a);
    dc->LineTo(x, y);
    dc->LineTo(x + a, y + a);
    dc->MoveTo(x, y);
    dc->LineTo(x, y + Trunc(2.0 / 3.0 * s.cell));
}

void DrawStimulator(CDC* dc, int x, const Strip& s, const TrendStyle& style)
{
    const int y = MarkBase(s, style);
    const int q = s.cell / 5;
    dc->MoveTo(x + q, y);
    for (int step = 1; step <= 5; ++step)
        dc->LineTo(step % 2 ? x - q : x + q, y + step * q);
}

// The zeroing level: 0, 10, 20, -10 or -20 for the zeroing values 1 to 5.
const char* ZeroingLevel(int value)
{
    static constexpr const char* kLevels[] = { "0", "10", "20", "-10", "-20" };
    return value >= 1 && value <= 5 ? kLevels[value - 1] : nullptr;
}

void DrawZeroing(CDC* dc, const PKParam_v110& p, int x, const Strip& s, Tools& t)
{
    dc->SelectObject(&t.scaleFont);
    // On the paper's colour: the mark stands inside the UC grid.
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(t.paper);
    dc->SetTextColor(t.zeroText);
    // Just inside the UC grid's top frame.
    const CRect glyph = TextBelow(dc, "\u25BC", x, s.uc.top + 1, true);
    const int uc = p.GetUCZeroing();
    const char* level = ZeroingLevel(uc) ? ZeroingLevel(uc) : ZeroingLevel(p.GetIUPZeroing());
    if (level)
        TextBelow(dc, level, x, glyph.bottom, true);
    dc->SetBkMode(TRANSPARENT);
}

CString TimeLabelText(uint64_t sample, const COleDateTime& start)
{
    const uint64_t seconds = sample / kSamplesPerRecord;
    const long days = static_cast<long>(seconds / 86400);
    const int hours = static_cast<int>(seconds / 3600 % 24);
    const int minutes = static_cast<int>(seconds / 60 % 60);
    const COleDateTime when = start + COleDateTimeSpan(days, hours, minutes, 0);
    return when.Format("%Y-%m-%d %H:%M");
}

// A time label starting at x, when it ends by the grid's right edge (a label that would run
// past it is left out; the next page shows it), in the colour of the paper's other texts.
void DrawTimeLabel(CDC* dc, uint64_t sample, int x, const Strip& s, Tools& t, const COleDateTime& start)
{
    const CString text = TimeLabelText(sample, start);
    dc->SelectObject(&t.scaleFont);
    if (x + dc->GetTextExtent(text).cx > s.uc.right)
        return;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(t.text);
    TextBelow(dc, text, x, s.uc.bottom + Trunc(s.cell / 2), false);
}

// How many label places to step from one time label to the next: 1 where a label fits between
// two (12 columns), more where the columns are too narrow for it.
uint64_t TimeLabelStride(CDC* dc, const Strip& s, Tools& t, const COleDateTime& start)
{
    dc->SelectObject(&t.scaleFont);
    const int width = dc->GetTextExtent(TimeLabelText(0, start)).cx + t.lineHeight / 2;
    const int between = std::max(12 * s.cell, 1);
    return static_cast<uint64_t>((width + between - 1) / between);
}

void DrawMarksAndLabels(CDC* dc, const StripEntries& entries, const Samples& span, Tools& t, const NyraConfig& cfg,
                        const CTrendSource& source, int speed, const TrendStyle& style)
{
    const Strip& s = span.strip;
    const COleDateTime start = source.GetStartTimeOfTrend();
    const uint64_t labelEvery = TimeLabelInterval(speed) * TimeLabelStride(dc, s, t, start);
    const int fmdHeight = s.fhrRow / 8;
    for (uint64_t smp = span.first; smp < span.limit; ++smp) {
        const PKParam_v110* entry = entries.OfSample(smp);
        const bool label = labelEvery && smp % labelEvery == 0;
        if (!entry) {
            if (label && style.labelsWithoutData)
                DrawTimeLabel(dc, smp, span.X(smp), s, t, start);
            continue;
        }
        const PKParam_v110& p = *entry;
        const int i = static_cast<int>(smp % kSamplesPerRecord);
        const int x = span.X(smp);
        if (cfg.IsVisible(ParamKind::NIBP) && p.IsValidData(ParamKind::NIBP, i)) {
            dc->SelectObject(&t.curve[PEN_NIBP]);
            DrawNIBP(dc, p, x, s, style);
        }
        if (cfg.IsVisible(ParamKind::FMD1) && p.GetFMD1(i))
            DrawMovementBox(dc, &t.fmd1, x, s.uc.top - 3 * fmdHeight, s);
        if (cfg.IsVisible(ParamKind::FMD2) && p.GetFMD2(i))
            DrawMovementBox(dc, &t.fmd2, x, s.uc.top - fmdHeight, s);
        if (cfg.IsVisible(ParamKind::Marker) && p.IsValidData(ParamKind::Marker, i)) {
            dc->SelectObject(&t.curve[PEN_MARKER]);
            DrawMarker(dc, x, s, style);
        }
        if (cfg.IsVisible(ParamKind::Stimulator) && p.IsValidData(ParamKind::Stimulator, i)) {
            dc->SelectObject(&t.curve[PEN_STIMULATOR]);
            DrawStimulator(dc, x, s, style);
        }
        if (cfg.IsVisible(ParamKind::Zeroing) && p.IsValidData(ParamKind::Zeroing, i))
            DrawZeroing(dc, p, x, s, t);
        if (label)
            DrawTimeLabel(dc, smp, x, s, t, start);
    }
}

} // namespace

std::vector<TrendScaleLabel> TrendScaleLabels(CRect fhr, CRect uc, UINT columns, const NyraConfig& cfg,
                                              BYTE monitorLayout, const TrendStyle& style)
{
    if (columns == 0)
        return {};
    const Strip strip(fhr, uc, columns);
    // Measured as drawn on the screen.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const int fontHeight = FontHeight(&dc, strip.cell, style);
    return ScaleLabels(strip, cfg, monitorLayout == MONITOR_LAYOUT_ANTEPARTUM, SparseScale(&dc, fontHeight, style),
                       TrendTextHeight(&dc, strip.cell, style));
}

int TrendSpeedCaptionWidth(CDC* dc, int speed, int cell, const TrendStyle& style)
{
    CFont font;
    font.CreateFont(FontHeight(dc, cell, style), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 2, 1, 0, 0, "Arial");
    CFont* old = dc->SelectObject(&font);
    const int width = dc->GetTextExtent(TrendSpeedCaption(speed)).cx;
    dc->SelectObject(old);
    return width;
}

int TrendTextHeight(CDC* dc, int cell, const TrendStyle& style)
{
    CFont font;
    font.CreateFont(FontHeight(dc, cell, style), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 2, 1, 0, 0, "Arial");
    return LineHeight(dc, font);
}

void LayoutTrendPaper(CDC* dc, CRect area, CRect& fhr, CRect& uc, double fhrRatio, double ucRatio, CRect margin,
                      UINT& columns, int speed, const TrendStyle& style, bool legend)
{
    const UINT asked = columns;
    // The room the texts take depends on the cell, the cell on the room: a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        columns = asked;
        GetTrendRect(area, fhr, uc, fhrRatio, ucRatio, margin, columns);
        if (columns == 0)
            return;
        const int cell = fhr.Width() / static_cast<int>(columns);
        const int line = TrendTextHeight(dc, cell, style);
        bool changed = false;
        const auto atLeast = [&changed](LONG& value, int least) {
            if (value < least) {
                value = least;
                changed = true;
            }
        };
        atLeast(margin.top, line + 1);                 // the FHR grid's captions
        atLeast(margin.bottom, cell / 2 + line + 1);   // the time labels under the UC grid
        if (!style.speedCaptionCentred)                // the trend speed right of the FHR grid
            atLeast(margin.right, TrendSpeedCaptionWidth(dc, speed, cell, style) + 1);
        if (legend)                                    // the legend, a line from the page's left edge
            atLeast(margin.left, line + LegendWidth(dc, cell, style) + line / 2 - std::max<int>(area.left, 0));
        // The UC grid's captions and fetal-movement marks between the grids, a pixel clear of
        // the FHR grid's frame.
        const int inner = area.Height() - margin.top - margin.bottom;
        const int gap = line + 2 + FetalMovementBand(fhr.Height() / 21);
        if (uc.top - fhr.bottom < gap && inner > 0) {
            const double ucHeight = uc.Height();
            fhrRatio = std::max(0.0, (inner - ucHeight - gap) / inner);
            changed = true;
        }
        if (!changed)
            return;
    }
    columns = asked;
    GetTrendRect(area, fhr, uc, fhrRatio, ucRatio, margin, columns);
}

// ---- the strip -------------------------------------------------------------------------------------

int RenderTrendStrip(CDC* dc, CRect fhr, CRect uc, UINT columns, const CTrendSource* source, UINT& index, int end,
                     int speed, DRAW_MODE mode, int legend, int what, const TrendStyle& style,
                     TrendRenderStats* stats)
{
    if (!dc || !dc->GetSafeHdc() || columns == 0 || !source)
        return 0;
    const Strip strip(fhr, uc, columns);
    // Grids narrower than one pixel a column (a caller's own rectangles) have nothing to draw on.
    if (strip.cell <= 0)
        return 0;

    const NyraConfig cfg = source->GetTrendConfig();
    const bool antepartum = source->GetMonitorLayout() == MONITOR_LAYOUT_ANTEPARTUM;
    const UINT records = RecordsPerStrip(columns, speed);
    const int saved = dc->SaveDC();
    {
        Tools tools(dc, cfg, mode, strip.cell, style);
        if (what == TREND_DRAW_ALL || what == TREND_DRAW_GRID) {
            DrawGrid(dc, strip, tools);
            DrawScales(dc, strip, tools, cfg, antepartum, speed, style);
            if (legend)
                DrawLegend(dc, strip, tools, cfg, *source, index, records, mode);
        }
        if (what == TREND_DRAW_ALL || what == TREND_DRAW_CURVES) {
            const uint64_t first = static_cast<uint64_t>(index) * kSamplesPerRecord;
            const uint64_t stripEnd = (static_cast<uint64_t>(index) + records) * kSamplesPerRecord;
            const uint64_t limit = end >= 0 ? std::min<uint64_t>(stripEnd, static_cast<uint64_t>(end) * kSamplesPerRecord) : stripEnd;
            index += records;
            const Samples span { first, stripEnd, std::max(limit, first), strip };
            const StripEntries entries(*source, first, span.limit);
            for (const TrendCurve& curve : TrendCurves())
                if (cfg.IsVisible(curve.kind))
                    DrawCurve(dc, curve, entries, span, tools, style, stats);
            DrawMarksAndLabels(dc, entries, span, tools, cfg, *source, speed, style);
        }
        dc->RestoreDC(saved);
    }
    return 1;
}

} // namespace nrdata::trend
