// Colour-mapped bitmaps.
#include "platform/gdi/MappedBitmap.h"

#include "platform/gdi/SysColors.h"

#include <vector>

BOOL LoadMappedBitmap(CBitmap& bitmap, UINT id, UINT, LPCOLORMAP colorMap, int mapSize)
{
    bitmap.DeleteObject();
    if (!bitmap.LoadBitmap(id))
        return FALSE;
    COLORMAP standard[] = {
        { RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT) },
        { RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW) },
        { RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE) },
        { RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT) },
    };
    if (!colorMap || mapSize <= 0) {
        colorMap = standard;
        mapSize = static_cast<int>(std::size(standard));
    }
    BITMAP info {};
    bitmap.GetBitmap(&info);
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    DWORD bytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    bitmap.GetBitmapBits(bytes, pixels.data());
    // Pixels are 0x00RRGGBB; colour references 0x00BBGGRR.
    auto pixelOf = [](COLORREF c) { return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c); };
    for (DWORD& p : pixels)
        for (int i = 0; i < mapSize; ++i)
            if ((p & 0xFFFFFF) == pixelOf(colorMap[i].from)) {
                p = (p & 0xFF000000u) | pixelOf(colorMap[i].to);
                break;
            }
    bitmap.SetBitmapBits(bytes, pixels.data());
    return TRUE;
}

HBITMAP CreateMappedBitmap(HINSTANCE, INT_PTR id, UINT flags, LPCOLORMAP colorMap, int mapSize)
{
    CBitmap bitmap;
    if (!LoadMappedBitmap(bitmap, static_cast<UINT>(id), flags, colorMap, mapSize))
        return nullptr;
    return reinterpret_cast<HBITMAP>(bitmap.Detach());
}
