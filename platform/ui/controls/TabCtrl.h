// CTabCtrl: a row of tabs above (or below, or beside) a display area. Tabs carry a text, an
// image from the control's image list and a pointer-sized value. A click or an arrow key asks
// the parent first (TCN_SELCHANGING: a non-zero answer refuses the change), then changes the
// current tab and tells it (TCN_SELCHANGE); SetCurSel changes it without asking. With
// TCS_OWNERDRAWFIXED the control draws the frame and asks its parent to draw each tab
// (WM_DRAWITEM, ODT_TAB), which a CTabCtrl-derived class gets as DrawItem. A derived class that
// paints itself can still call Default() for the standard look.
#pragma once

#include "platform/gdi/CImageList.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/controls/CommonNotify.h"

constexpr DWORD TCS_TABS = 0x0000;
constexpr DWORD TCS_BOTTOM = 0x0002;
constexpr DWORD TCS_RIGHT = 0x0002;
constexpr DWORD TCS_VERTICAL = 0x0080;
constexpr DWORD TCS_BUTTONS = 0x0100;
constexpr DWORD TCS_SINGLELINE = 0x0000;
constexpr DWORD TCS_MULTILINE = 0x0200;
constexpr DWORD TCS_FIXEDWIDTH = 0x0400;
constexpr DWORD TCS_FOCUSONBUTTONDOWN = 0x1000;
constexpr DWORD TCS_OWNERDRAWFIXED = 0x2000;
constexpr DWORD TCS_TOOLTIPS = 0x4000;
constexpr DWORD TCS_FOCUSNEVER = 0x8000;

constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETIMAGELIST = TCM_FIRST + 2;
constexpr UINT TCM_SETIMAGELIST = TCM_FIRST + 3;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_GETITEM = TCM_FIRST + 5;
constexpr UINT TCM_SETITEM = TCM_FIRST + 6;
constexpr UINT TCM_INSERTITEM = TCM_FIRST + 7;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
constexpr UINT TCM_SETITEMSIZE = TCM_FIRST + 41;
constexpr UINT TCM_SETPADDING = TCM_FIRST + 43;
constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;
constexpr UINT TCM_GETCURFOCUS = TCM_FIRST + 47;
constexpr UINT TCM_SETCURFOCUS = TCM_FIRST + 48;

constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCIF_STATE = 0x0010;

constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEMICON = 0x0002;
constexpr UINT TCHT_ONITEMLABEL = 0x0004;
constexpr UINT TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;

constexpr UINT TCN_FIRST = static_cast<UINT>(-550);
constexpr UINT TCN_KEYDOWN = TCN_FIRST - 0;
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

constexpr UINT ODT_TAB = 101;

struct TCITEM
{
    UINT mask { 0 };
    DWORD dwState { 0 };
    DWORD dwStateMask { 0 };
    LPSTR pszText { nullptr };
    int cchTextMax { 0 };
    int iImage { -1 };
    LPARAM lParam { 0 };
};
using LPTCITEM = TCITEM*;

struct TCHITTESTINFO
{
    POINT pt {};
    UINT flags { 0 };
};

struct NMTCKEYDOWN
{
    NMHDR hdr;
    WORD wVKey { 0 };
    UINT flags { 0 };
};

class CTabCtrl : public CWnd
{
public:
    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    int GetItemCount() const;
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    LONG InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    int GetCurSel() const;
    int SetCurSel(int nItem);
    int GetCurFocus() const;
    void SetCurFocus(int nItem);
    int HitTest(TCHITTESTINFO* pHitTestInfo) const;
    // bLarger FALSE: the display area of a window rectangle; TRUE: the window for a display area.
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size);
    int GetRowCount() const;

    // Owner-drawn tabs (TCS_OWNERDRAWFIXED), reflected from the parent.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};

namespace platform::ui {
constexpr const char* kTabControlClass = "SysTabControl32";
constexpr const char* kTabImageSlot = "platform.tab.images";
void RegisterTabControlClass();
}
