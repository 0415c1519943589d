// CStatic: labels (left, centred, right, vertically centred, notifying), frames and rectangles,
// etched lines, bitmaps and icons.
#pragma once

#include "platform/msg/Wnd.h"

constexpr DWORD SS_LEFT = 0x00;
constexpr DWORD SS_CENTER = 0x01;
constexpr DWORD SS_RIGHT = 0x02;
constexpr DWORD SS_ICON = 0x03;
constexpr DWORD SS_BLACKRECT = 0x04;
constexpr DWORD SS_GRAYRECT = 0x05;
constexpr DWORD SS_WHITERECT = 0x06;
constexpr DWORD SS_BLACKFRAME = 0x07;
constexpr DWORD SS_GRAYFRAME = 0x08;
constexpr DWORD SS_WHITEFRAME = 0x09;
constexpr DWORD SS_SIMPLE = 0x0B;
constexpr DWORD SS_LEFTNOWORDWRAP = 0x0C;
constexpr DWORD SS_OWNERDRAW = 0x0D;
constexpr DWORD SS_BITMAP = 0x0E;
constexpr DWORD SS_ETCHEDHORZ = 0x10;
constexpr DWORD SS_ETCHEDVERT = 0x11;
constexpr DWORD SS_ETCHEDFRAME = 0x12;
constexpr DWORD SS_TYPEMASK = 0x1F;
constexpr DWORD SS_NOPREFIX = 0x80;
constexpr DWORD SS_NOTIFY = 0x100;
constexpr DWORD SS_CENTERIMAGE = 0x200;
constexpr DWORD SS_SUNKEN = 0x1000;

constexpr UINT STM_SETICON = 0x0170;
constexpr UINT STM_GETICON = 0x0171;
constexpr UINT STM_SETIMAGE = 0x0172;
constexpr UINT STM_GETIMAGE = 0x0173;

constexpr UINT STN_CLICKED = 0;
constexpr UINT STN_DBLCLK = 1;

class CStatic : public CWnd
{
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
};

namespace platform::ui {
void RegisterStaticClass();
}
