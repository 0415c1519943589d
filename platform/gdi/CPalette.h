// CPalette: palettes do not exist on a true-colour surface; creating and selecting one succeeds
// and changes nothing.
#pragma once

#include "platform/gdi/CGdiObject.h"

struct PALETTEENTRY
{
    BYTE peRed { 0 };
    BYTE peGreen { 0 };
    BYTE peBlue { 0 };
    BYTE peFlags { 0 };
};

struct LOGPALETTE
{
    WORD palVersion { 0x300 };
    WORD palNumEntries { 0 };
    PALETTEENTRY palPalEntry[1];
};

class CPalette : public CGdiObject
{
public:
    BOOL CreatePalette(const LOGPALETTE* logPalette);
    BOOL CreateHalftonePalette(class CDC* dc);
    operator HPALETTE() const { return reinterpret_cast<HPALETTE>(m_hObject); }
};
