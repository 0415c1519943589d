// CBitmap: a colour or monochrome bitmap. Colour bitmaps are 32-bit surfaces; a monochrome
// bitmap stores only black and white, and blits between it and a colour surface follow the
// classic text/background colour rules (masks).
#pragma once

#include "platform/gdi/CGdiObject.h"

class CDC;

class CBitmap : public CGdiObject
{
public:
    // bitsPixel 1 makes a monochrome bitmap; bits (optional) are rows padded to 2 bytes as the
    // classic call expects (1 bit) or 32-bit pixels 0x00RRGGBB.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits);
    BOOL CreateBitmapIndirect(const BITMAP* bitmap);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateDiscardableBitmap(CDC* dc, int width, int height) { return CreateCompatibleBitmap(dc, width, height); }
    // A bitmap from the current resource module's PNG of that id.
    BOOL LoadBitmap(UINT resourceId);
    BOOL LoadBitmap(LPCSTR resourceName);
    // A bitmap from PNG or JPEG data or a file.
    BOOL LoadImageData(const void* data, size_t size);
    BOOL LoadImageFile(LPCSTR path);
    int GetBitmap(BITMAP* info) const;
    CSize GetBitmapDimension() const;
    // 32-bit pixels 0x00RRGGBB, rows top-down.
    DWORD GetBitmapBits(DWORD count, void* bits) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);
    operator HBITMAP() const { return reinterpret_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP bitmap)
    {
        return static_cast<CBitmap*>(CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(bitmap)));
    }
};

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
