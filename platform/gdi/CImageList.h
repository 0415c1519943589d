// CImageList: a row of same-sized images with optional masks, drawn normally (over the list's
// background colour) or transparently (masked pixels leave the destination alone).
#pragma once

#include "platform/gdi/CBitmap.h"

#include <memory>

class CDC;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

namespace platform::gdi {
struct ImageListData;
}

class CImageList
{
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList { nullptr };
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // From a bitmap resource split into images `cx` wide; `mask` is the transparent colour
    // (CLR_NONE for none).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL DeleteImageList();
    // Splits the bitmap into images of the list's width. With a mask colour, pixels of that
    // colour become transparent. Returns the index of the first new image, or -1.
    int Add(CBitmap* bitmap, COLORREF maskColor);
    // A monochrome mask: white pixels are transparent.
    int Add(CBitmap* bitmap, CBitmap* mask);
    BOOL Remove(int index); // -1 removes all
    int GetImageCount() const;
    BOOL GetIconSize(int* cx, int* cy) const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    BOOL Draw(CDC* dc, int image, POINT point, UINT style);
};
