// CHeaderCtrl: the row of column titles above a report list. Each item has a text, a width, a
// format (justification, image, image on the right), an image from the header's image list and
// a pointer-sized value. A click on an item tells the parent with HDN_ITEMCLICK.
#pragma once

#include "platform/core/CString.h"
#include "platform/gdi/CImageList.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/controls/CommonNotify.h"

constexpr DWORD HDS_HORZ = 0x0000;
constexpr DWORD HDS_BUTTONS = 0x0002;

constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
constexpr UINT HDM_INSERTITEM = HDM_FIRST + 1;
constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;
constexpr UINT HDM_GETITEM = HDM_FIRST + 3;
constexpr UINT HDM_SETITEM = HDM_FIRST + 4;
constexpr UINT HDM_LAYOUT = HDM_FIRST + 5;
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
constexpr UINT HDM_SETIMAGELIST = HDM_FIRST + 8;
constexpr UINT HDM_GETIMAGELIST = HDM_FIRST + 9;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_HEIGHT = HDI_WIDTH;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr UINT HDI_IMAGE = 0x0020;
constexpr UINT HDI_ORDER = 0x0080;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_SORTDOWN = 0x0200;
constexpr int HDF_SORTUP = 0x0400;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_BITMAP_ON_RIGHT = 0x1000;
constexpr int HDF_BITMAP = 0x2000;
constexpr int HDF_STRING = 0x4000;
constexpr int HDF_OWNERDRAW = 0x8000;

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;

constexpr UINT HDN_FIRST = static_cast<UINT>(-300);
constexpr UINT HDN_ITEMCHANGED = HDN_FIRST - 1;
constexpr UINT HDN_ITEMCLICK = HDN_FIRST - 2;

struct HDITEM
{
    UINT mask { 0 };
    int cxy { 0 };
    LPSTR pszText { nullptr };
    HBITMAP hbm { nullptr };
    int cchTextMax { 0 };
    int fmt { 0 };
    LPARAM lParam { 0 };
    int iImage { 0 };
    int iOrder { 0 };
};
using LPHDITEM = HDITEM*;

struct HDLAYOUT
{
    RECT* prc { nullptr };
    WINDOWPOS* pwpos { nullptr };
};

struct HDHITTESTINFO
{
    POINT pt {};
    UINT flags { 0 };
    int iItem { -1 };
};

struct NMHEADER
{
    NMHDR hdr;
    int iItem { -1 };
    int iButton { 0 };
    HDITEM* pitem { nullptr };
};

class CHeaderCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const;
    int InsertItem(int nPos, HDITEM* phdi);
    BOOL DeleteItem(int nPos);
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEM* pHeaderItem);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL Layout(HDLAYOUT* pHeaderLayout);
    int HitTest(HDHITTESTINFO* pHeaderHitTestInfo);
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
};

namespace platform::ui {
constexpr const char* kHeaderClass = "SysHeader32";
constexpr const char* kHeaderImageSlot = "platform.header.images";
void RegisterHeaderClass();
// The height of a header row in the default control font.
int HeaderHeight();
}
