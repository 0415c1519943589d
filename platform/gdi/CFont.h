// CFont: a font from a LOGFONT. Face names resolve through fontconfig ("Arial", "MS Sans Serif",
// "Tahoma" to Liberation Sans; "Times New Roman" to Liberation Serif; "Courier New" to Liberation
// Mono). A positive height is the cell height, a negative one the character height, in logical
// units at 96 dots per inch; 0 takes the dialog default. Escapement turns text by quarter turns.
#pragma once

#include "platform/gdi/CGdiObject.h"

class CDC;

class CFont : public CGdiObject
{
public:
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCSTR faceName);
    // Size in tenths of a point at the device's vertical resolution (96 dpi without a DC).
    BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc = nullptr);
    int GetLogFont(LOGFONT* logFont) const;
    operator HFONT() const { return reinterpret_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT font)
    {
        return static_cast<CFont*>(CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(font)));
    }
};

HFONT CreateFontIndirect(const LOGFONT* logFont);
