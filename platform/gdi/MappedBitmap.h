// Colour-mapped bitmaps: a bitmap resource whose colours are replaced as it loads, so that
// toolbar and header pictures follow the system colours.
#pragma once

#include "platform/gdi/CBitmap.h"

struct COLORMAP
{
    COLORREF from;
    COLORREF to;
};
using LPCOLORMAP = COLORMAP*;

// `module` is accepted for the callers' sake: the bitmap is looked up along the resource
// modules as LoadBitmap does. Without a map, black becomes COLOR_BTNTEXT, dark grey (128)
// COLOR_BTNSHADOW, light grey (192) COLOR_BTNFACE and white COLOR_BTNHIGHLIGHT. Only exact
// matches change.
HBITMAP CreateMappedBitmap(HINSTANCE module, INT_PTR id, UINT flags, LPCOLORMAP colorMap, int mapSize);

// The same into a CBitmap object.
BOOL LoadMappedBitmap(CBitmap& bitmap, UINT id, UINT flags = 0, LPCOLORMAP colorMap = nullptr, int mapSize = 0);
