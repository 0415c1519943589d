// CPen: a pen of a style, a width and a colour. Dashed styles apply at width 1 only; a wider
// dashed pen draws solid.
#pragma once

#include "platform/gdi/CGdiObject.h"

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    int GetLogPen(LOGPEN* logPen) const;
    operator HPEN() const { return reinterpret_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN pen) { return static_cast<CPen*>(CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(pen))); }
};

HPEN CreatePen(int style, int width, COLORREF color);
