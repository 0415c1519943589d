// CDisplayInfo: the layout of one bed window. From the window's client rectangle and the
// display mode it splits the window into the trend area, the wave area and the parameter panel,
// places every numeric box and wave strip from the fixed layout tables, and owns the 28 fonts
// of the numeric boxes (seven per monitor layout). It draws nothing itself; its two static
// members turn an area into trend paper (GetTrendRect) and draw a strip of trend onto it
// (DrawTrendGraph), without a layout object.
//
// The bed window lays out on its user-interface thread while its painter threads are stopped;
// the painters read rectangles and fonts, and draw with a font after they looked it up, so no
// lock would make a change safe. The window says when its painters run (SetReadersRunning), and
// every change of the layout or the fonts checks that they do not.
#pragma once

#include "nyraclient/display/DisplayTypes.h"
#include "nyraclient/display/PanelTextFit.h"

#include "platform/core/CString.h"
#include "platform/core/Geometry.h"
#include "platform/gdi/CFont.h"

#include <atomic>
#include <map>

class CDC;

namespace nrdata::trend {
class CTrendSource;
}

class CDisplayInfo
{
public:
    CDisplayInfo();
    virtual ~CDisplayInfo();
    CDisplayInfo(const CDisplayInfo&) = delete;
    CDisplayInfo& operator=(const CDisplayInfo&) = delete;

    // Whether threads other than the owner's read the layout now (the bed window's painters).
    void SetReadersRunning(bool running) { m_bReadersRunning = running; }

    // ---- display mode ---------------------------------------------------------------------
    // 0 (nothing changes) when `mode` is the current one; otherwise stores it, lays out again
    // on the stored window rectangle when `recalc` is non-zero, and returns 1.
    int SetDisplayMode(DISPMODE mode, int recalc);
    DISPMODE GetDisplayMode() const { return m_displayMode; }

    // ---- layout ---------------------------------------------------------------------------
    // Lays out the three areas inside `window` and re-creates the fonts; an empty rectangle
    // changes nothing.
    void Calculation(CRect window);
    // The face of every font; the fonts are re-created at once once a window was laid out.
    void SetFontName(const char* face);

    CRect GetTrendRectAll() const { return m_trendRect; }
    CRect GetGraphRectAll() const { return m_graphRect; }
    CRect GetParamRectAll() const { return m_paramRect; }

    // ---- items ----------------------------------------------------------------------------
    // The font [layout][slot]; the pointer stays valid until the fonts are re-created. Null
    // for a slot or layout out of range.
    CFont* GetFont(int slot, BYTE layout);
    CFont* GetFont(PARAMITEM item, BYTE layout);
    // The visibility, alignment and record of a numeric box in the current mode. Out of range
    // (or before a mode was set) a box is hidden, left-aligned and has no record.
    int IsVisible(PARAMITEM item, BYTE layout) const;
    UINT GetTextAlign(PARAMITEM item, BYTE layout) const;
    const __DISPLAY_ITEM* GetDisplayInfo(PARAMITEM item, BYTE layout) const;
    // A wave strip's visibility in the current mode; `layout` plays no part.
    int IsVisible(GRAPHITEM item, BYTE layout) const;
    // Item rectangles in window coordinates; (0, 0, 0, 0) for a hidden item.
    CRect GetItemRect(PARAMITEM item, BYTE layout) const;
    CRect GetItemRect(GRAPHITEM item, BYTE layout) const;

    // ---- legible numeric boxes (PanelTextFit.h) -------------------------------------------
    // Where a numeric box's text is drawn and its font: the table's box and font, fitted so that
    // every text the box may show stands inside it and is legible where the panel has the room.
    // Empty rectangle and null for a hidden item or one without text. The font pointer stays
    // valid until the fonts are re-created.
    CRect GetTextRect(PARAMITEM item, BYTE layout) const;
    CFont* GetTextFont(PARAMITEM item, BYTE layout);
    // The box of a whole numeric group [0..9] (label, value and unit together), empty when the
    // group is hidden.
    CRect GetGroupRect(int group, BYTE layout) const;

    // ---- trend paper ----------------------------------------------------------------------
    // Splits `area` less `margin` into the FHR grid (21 square rows) and the UC grid (10 rows,
    // on the bottom edge) with a whole multiple of 6 columns, centred. `columns` 0 on entry
    // lets the routine choose. An area too small for one cell gives empty grids and 0 columns.
    static void GetTrendRect(CRect area, CRect& fhr, CRect& uc, double fhrRatio, double ucRatio, CRect margin,
                             UINT& columns);
    // Draws one strip of trend paper for `source` (see TrendGraphRenderer.cpp). Returns 0 and
    // draws nothing without a drawing surface, without a source or with 0 columns.
    static int DrawTrendGraph(CDC* dc, CRect fhr, CRect uc, UINT columns, const nrdata::trend::CTrendSource* source,
                              UINT& index, int end, int speed, DRAW_MODE mode, int legend, int what);

protected:
    void CreateFonts();
    // Fits the numeric boxes' texts of every monitor layout (after the fonts were made).
    void FitTexts();

private:
    const __DISPLAY_ITEM* ParamRecord(int item, int layout) const;
    const __DISPLAY_ITEM* GraphRecord(int item) const;

    DISPMODE m_displayMode { static_cast<DISPMODE>(-1) };
    CRect m_windowRect { 0, 0, 0, 0 };
    CRect m_trendRect { 0, 0, 0, 0 };
    CRect m_graphRect { 0, 0, 0, 0 };
    CRect m_paramRect { 0, 0, 0, 0 };
    CString m_fontName { "Arial" };
    CFont m_fonts[kMonitorLayouts][kFontSlots];
    // The fitted texts and their fonts, one per height in use.
    nyraclient::display::PanelText m_texts[kMonitorLayouts][kParamItems] {};
    std::map<int, CFont> m_textFonts;
    std::atomic<bool> m_bReadersRunning { false };
};
