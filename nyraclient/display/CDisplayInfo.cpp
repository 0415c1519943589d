// The layout of a bed window: its three areas, its numeric boxes, its wave strips and its fonts,
// and the split of an area into the two grids of trend paper.
#include "nyraclient/display/CDisplayInfo.h"

#include "nyraclient/display/DisplayLayoutTables.h"

#include "ktutil/KTGF.h"
#include "nrdata/trend/TrendGraphRenderer.h"
#include "nrdata/trend/TrendRect.h"
#include "platform/core/Check.h"

#include <cmath>

using namespace nyraclient::display;

namespace {

// Share of the window's height that ends the trend area, per mode; 0 for modes without one.
constexpr double kTrendShare[kDisplayModes] = { 0, 0.9, 0.85, 0.75, 0, 0.7 };
// Share of the window's height given to the wave area below it.
constexpr double kGraphShare[kDisplayModes] = { 0, 0, 0, 0, 0, 0.2 };
// The gap between the trend area and what lies below it, where the scroll bar sits.
constexpr int kTrendGap = 15;

int Trunc(double v) { return static_cast<int>(v); }

// A font slot's cell height on a panel `panelHeight` pixels high.
int SlotHeight(int panelHeight, int layout, int mode, int slot)
{
    return Trunc(panelHeight * FontSizePercent(layout, mode, slot) * 0.01 * 0.9);
}

// A percentage (numeric boxes) or a fraction (wave strips) of a length, rounded to whole pixels;
// the products are taken in this order so that halves round the same way every time.
int Percent(int length, double percent) { return Trunc(length * percent * 0.01 + 0.5); }
int Fraction(int length, double fraction) { return Trunc(length * fraction + 0.5); }

// An item's rectangle inside its area, its coordinates scaled by `scale`.
CRect PlaceInArea(const CRect& area, const __DISPLAY_ITEM& item, int (*scale)(int, double))
{
    CRect r;
    r.left = area.left + scale(area.Width(), item.x);
    r.top = area.top + scale(area.Height(), item.y);
    r.right = r.left + scale(area.Width(), item.w);
    r.bottom = r.top + scale(area.Height(), item.h);
    return r;
}

} // namespace

CDisplayInfo::CDisplayInfo() = default;

CDisplayInfo::~CDisplayInfo()
{
    WARD_CHECK(!m_bReadersRunning);
    for (auto& layoutFonts : m_fonts)
        for (CFont& font : layoutFonts)
            font.DeleteObject();
}

// ---- display mode ---------------------------------------------------------------------------

int CDisplayInfo::SetDisplayMode(DISPMODE mode, int recalc)
{
    if (mode == m_displayMode)
        return 0;
    WARD_CHECK(!m_bReadersRunning);
    m_displayMode = mode;
    if (recalc)
        Calculation(m_windowRect);
    return 1;
}

// ---- layout -------------------------------------------------------------------------------

void CDisplayInfo::Calculation(CRect window)
{
    if (window.IsRectEmpty())
        return;
    WARD_CHECK(!m_bReadersRunning);
    // Without a mode there is nothing to lay out against.
    if (!IsDisplayMode(m_displayMode))
        return;

    const int height = window.Height();
    m_trendRect = window;
    m_graphRect = window;
    m_paramRect = window;

    const int mode = m_displayMode;
    if (kTrendShare[mode] == 0) {
        m_trendRect = CRect(0, 0, 0, 0);
        m_graphRect = CRect(0, 0, 0, 0);
        m_paramRect.DeflateRect(2, 2, 2, 2);
    } else {
        // Counted from y = 0 of the window, not from the top of `window`: the caption above
        // does not shift where the trend area ends.
        m_trendRect.bottom = Trunc(height * kTrendShare[mode]) - kTrendGap;
        m_graphRect.top = m_trendRect.bottom + kTrendGap;
        m_graphRect.bottom = Trunc(height * kGraphShare[mode] + m_graphRect.top);
        m_paramRect.top = m_graphRect.bottom;
        m_trendRect.DeflateRect(2, 2, 2, 0);
        if (mode == DISPMODE_ENLARGE)
            m_graphRect.DeflateRect(2, 0, 2, 0);
        m_paramRect.DeflateRect(2, 0, 2, 2);
    }

    CreateFonts();
    m_windowRect = window;
}

void CDisplayInfo::SetFontName(const char* face)
{
    WARD_CHECK(!m_bReadersRunning);
    m_fontName = face ? face : "";
    if (!m_windowRect.IsRectEmpty())
        CreateFonts();
}

void CDisplayInfo::CreateFonts()
{
    if (!IsDisplayMode(m_displayMode))
        return;
    const int panelHeight = m_paramRect.Height();
    for (int layout = 0; layout < kMonitorLayouts; ++layout) {
        for (int slot = 0; slot < kFontSlots; ++slot) {
            CFont& font = m_fonts[layout][slot];
            font.DeleteObject();
            font.CreateFont(SlotHeight(panelHeight, layout, m_displayMode, slot), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, 0, 0, 0, 0, m_fontName);
        }
    }
    FitTexts();
}

void CDisplayInfo::FitTexts()
{
    m_textFonts.clear();
    for (int layout = 0; layout < kMonitorLayouts; ++layout) {
        std::array<PanelBox, kParamItems> boxes;
        for (int item = 0; item < kParamItems; ++item) {
            const __DISPLAY_ITEM* record = ParamRecord(item, layout);
            PanelBox& box = boxes[size_t(item)];
            if (record == nullptr || GetItemRect(static_cast<PARAMITEM>(item), BYTE(layout)).IsRectEmpty())
                continue;
            // The table's box with its far edges rounded from the panel's corner, so that boxes
            // the table puts side by side meet without a pixel of overlap.
            const CRect& p = m_paramRect;
            box.cell = CRect(p.left + Percent(p.Width(), record->x), p.top + Percent(p.Height(), record->y),
                             p.left + Percent(p.Width(), record->x + record->w),
                             p.top + Percent(p.Height(), record->y + record->h));
            box.cell.DeflateRect(2, 0, 2, 0);
            box.fontHeight = SlotHeight(m_paramRect.Height(), layout, m_displayMode, record->font);
            box.align = record->textAlign;
            const ParamGroupTexts& texts = ParamGroupTextsOf(item / 3);
            switch (item % 3) {
            case 0: box.texts = { KTGF::GetString(texts.label) }; break;
            case 1: box.texts = { CString(texts.widestValue) }; break;
            default:
                for (UINT unit : texts.units)
                    if (unit != 0)
                        box.texts.push_back(KTGF::GetString(unit));
                break;
            }
        }
        const auto fitted = FitPanelTexts(boxes, m_paramRect, m_fontName);
        for (int item = 0; item < kParamItems; ++item) {
            m_texts[layout][item] = fitted[size_t(item)];
            const int height = fitted[size_t(item)].fontHeight;
            if (height > 0 && m_textFonts.find(height) == m_textFonts.end())
                m_textFonts[height].CreateFont(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                                               0, m_fontName);
        }
    }
}

CRect CDisplayInfo::GetTextRect(PARAMITEM item, BYTE layout) const
{
    if (!IsMonitorLayout(layout) || item < 0 || item >= kParamItems || !IsVisible(item, layout))
        return CRect(0, 0, 0, 0);
    const PanelText& text = m_texts[layout][item];
    return text.fontHeight > 0 ? text.rect : CRect(0, 0, 0, 0);
}

CFont* CDisplayInfo::GetTextFont(PARAMITEM item, BYTE layout)
{
    if (!IsMonitorLayout(layout) || item < 0 || item >= kParamItems)
        return nullptr;
    const auto found = m_textFonts.find(m_texts[layout][item].fontHeight);
    return found != m_textFonts.end() ? &found->second : nullptr;
}

CRect CDisplayInfo::GetGroupRect(int group, BYTE layout) const
{
    CRect united(0, 0, 0, 0);
    for (int item = group * 3; item < group * 3 + 3 && item < kParamItems; ++item) {
        const CRect r = GetTextRect(static_cast<PARAMITEM>(item), layout);
        if (!r.IsRectEmpty())
            united = united.IsRectEmpty() ? r : (united | r);
    }
    return united;
}

// ---- items --------------------------------------------------------------------------------

const __DISPLAY_ITEM* CDisplayInfo::ParamRecord(int item, int layout) const
{
    if (!IsDisplayMode(m_displayMode) || !IsMonitorLayout(layout) || item < 0 || item >= kParamItems)
        return nullptr;
    return &ParamItemRecord(layout, m_displayMode, item);
}

const __DISPLAY_ITEM* CDisplayInfo::GraphRecord(int item) const
{
    if (!IsDisplayMode(m_displayMode) || item < 0 || item >= kGraphItems)
        return nullptr;
    return &GraphItemRecord(m_displayMode, item);
}

CFont* CDisplayInfo::GetFont(int slot, BYTE layout)
{
    if (!IsMonitorLayout(layout) || slot < 0 || slot >= kFontSlots)
        return nullptr;
    return &m_fonts[layout][slot];
}

CFont* CDisplayInfo::GetFont(PARAMITEM item, BYTE layout)
{
    const __DISPLAY_ITEM* record = ParamRecord(item, layout);
    return record ? GetFont(record->font, layout) : nullptr;
}

int CDisplayInfo::IsVisible(PARAMITEM item, BYTE layout) const
{
    const __DISPLAY_ITEM* record = ParamRecord(item, layout);
    return record ? record->visible : 0;
}

UINT CDisplayInfo::GetTextAlign(PARAMITEM item, BYTE layout) const
{
    const __DISPLAY_ITEM* record = ParamRecord(item, layout);
    return record ? record->textAlign : 0;
}

const __DISPLAY_ITEM* CDisplayInfo::GetDisplayInfo(PARAMITEM item, BYTE layout) const
{
    return ParamRecord(item, layout);
}

int CDisplayInfo::IsVisible(GRAPHITEM item, BYTE) const
{
    const __DISPLAY_ITEM* record = GraphRecord(item);
    return record ? record->visible : 0;
}

CRect CDisplayInfo::GetItemRect(PARAMITEM item, BYTE layout) const
{
    const __DISPLAY_ITEM* record = ParamRecord(item, layout);
    if (!record || !record->visible)
        return CRect(0, 0, 0, 0);
    CRect r = PlaceInArea(m_paramRect, *record, Percent);
    r.DeflateRect(2, 0, 2, 0);
    return r;
}

CRect CDisplayInfo::GetItemRect(GRAPHITEM item, BYTE) const
{
    const __DISPLAY_ITEM* record = GraphRecord(item);
    if (!record || !record->visible)
        return CRect(0, 0, 0, 0);
    CRect r = PlaceInArea(m_graphRect, *record, Fraction);
    // One pixel short at the bottom, so the two strips never share a row.
    r.bottom -= 1;
    return r;
}

// ---- trend paper ----------------------------------------------------------------------------

void CDisplayInfo::GetTrendRect(CRect area, CRect& fhr, CRect& uc, double fhrRatio, double ucRatio, CRect margin,
                                UINT& columns)
{
    nrdata::trend::GetTrendRect(area, fhr, uc, fhrRatio, ucRatio, margin, columns);
}

int CDisplayInfo::DrawTrendGraph(CDC* dc, CRect fhr, CRect uc, UINT columns, const nrdata::trend::CTrendSource* source,
                                 UINT& index, int end, int speed, DRAW_MODE mode, int legend, int what)
{
    return nrdata::trend::RenderTrendStrip(dc, fhr, uc, columns, source, index, end, speed, mode, legend, what,
                                           nrdata::trend::kCentralTrendStyle, nullptr);
}
