// CBrush: solid, hatched, pattern and null brushes.
#pragma once

#include "platform/gdi/CGdiObject.h"

class CBitmap;

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    BOOL CreatePatternBrush(CBitmap* bitmap);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    BOOL CreateSysColorBrush(int index);
    int GetLogBrush(LOGBRUSH* logBrush) const;
    operator HBRUSH() const { return reinterpret_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH brush)
    {
        return static_cast<CBrush*>(CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(brush)));
    }
};

HBRUSH CreateSolidBrush(COLORREF color);
