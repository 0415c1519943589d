// KTBmpUtil: loading a picture file into a bitmap and drawing a bitmap whole.
//
// Picture files are PNG or JPEG (the formats the drawing module reads). Drawing does nothing
// for a null bitmap or one that holds no picture.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"

class CBitmap;
class CDC;

class KTBmpUtil
{
public:
    virtual ~KTBmpUtil() = default;

    // 1 when the file was read: the bitmap's previous picture is deleted and the new one
    // attached. 0 leaves the bitmap as it was.
    static int LoadBitmapA(LPCTSTR file, CBitmap& bitmap);
    static void DrawBitmap(CBitmap* bitmap, CDC* dc, int x, int y);
    static void DrawBitmapStrected(CBitmap* bitmap, CDC* dc, int x, int y, int width, int height);
    // Centred in the rectangle: left = (left + right) / 2 - width / 2, top likewise.
    static void DrawBitmapCenter(CBitmap* bitmap, CDC* dc, const CRect& rect);
};
