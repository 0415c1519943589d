// KTShade: a textured background in the system's 3-D colours. An 8-bit palette image whose
// values run from the button shadow through the face to the highlight colour, shaped by a
// shade type, roughened by noise and optionally tinted; a second copy with a lightened palette
// serves for a hovered state. Computed at the first draw and reused while the size stays.
#pragma once

#include "ktctrl/draw/KTDib.h"

class KTShade
{
public:
    enum ShadeType {
        SHADE_FLAT = 0,       // the face colour with noise
        SHADE_DIAGONAL = 1,   // a diagonal gradient
        SHADE_VERTICAL = 2,   // dark at the top to light at the bottom
        SHADE_HORIZONTAL = 3, // light at the left to dark at the right
        SHADE_VBUMP = 4,      // a bump along the rows
        SHADE_HBUMP = 5,      // a bump along the columns
        SHADE_SOFTBUMP = 6,   // both bumps together
        SHADE_HARDBUMP = 7,   // a vertical bump with bevelled side edges
        SHADE_STREAKS = 8,    // diagonal streaks over a soft gradient
    };

    KTShade() = default;
    virtual ~KTShade() = default;

    void SetShade(ShadeType type, BYTE granularity, BYTE highlight, BYTE coloringDepth, COLORREF blend);
    void SetType(ShadeType type);
    void SetGranularity(BYTE value);
    void SetHighlight(BYTE value);
    void SetColoringDepth(BYTE value);
    void SetBlendColor(COLORREF value);
    void UseHighlight(int use);
    ShadeType GetType() const { return m_type; }
    BYTE GetGranularity() const { return m_granularity; }
    BYTE GetHighlight() const { return m_highlight; }
    BYTE GetColoringDepth() const { return m_coloringDepth; }
    COLORREF GetBlendColor() const { return m_blendColor; }
    int IsUseHighlight() const { return m_useHighlight; }
    void SetModify(int modified) { m_modified = modified; }
    int IsModified() const { return m_modified; }

    void CreateShade(int width, int height);
    void DrawShade(CDC* dc, int x, int y, int width, int height);
    void DrawShade(CDC* dc, const RECT* rect);
    void DrawHightlightShade(CDC* dc, int x, int y, int width, int height);
    void DrawHightlightShade(CDC* dc, const RECT* rect);
    BOOL CopyShade(KTShade& source, int x, int y, int width, int height);
    BOOL CopyShade(KTShade& source, const RECT* rect);

    const KTDib& ShadeImage() const { return m_shade; }
    const KTDib& HighlightImage() const { return m_highlightImage; }

private:
    void BuildPalette();
    void BuildPixels(int width, int height);
    void BuildHighlight();
    int Random();
    int Noise();

    ShadeType m_type { SHADE_STREAKS };
    BYTE m_granularity { 10 };
    BYTE m_highlight { 10 };
    BYTE m_coloringDepth { 10 };
    COLORREF m_blendColor { 0 };
    int m_modified { 1 };
    KTDib m_shade;
    KTDib m_highlightImage;
    int m_useHighlight { 1 };
    unsigned m_seed { 1 };
};
