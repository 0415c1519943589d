// CToolBarCtrl: the toolbar's button operations, as CToolBar::GetToolBarCtrl() hands them out
// (image lists, buttons, states). It works on the toolbar that made it.
#pragma once

#include "platform/gdi/CImageList.h"
#include "platform/msg/Wnd.h"

class CToolBar;
class CToolTipCtrl;

constexpr DWORD TBSTYLE_BUTTON = 0x0000;
constexpr DWORD TBSTYLE_SEP = 0x0001;
constexpr DWORD TBSTYLE_CHECK = 0x0002;
constexpr DWORD TBSTYLE_GROUP = 0x0004;
constexpr DWORD TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;
constexpr DWORD TBSTYLE_TRANSPARENT = 0x8000;

constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;

struct TBBUTTON
{
    int iBitmap { 0 };
    int idCommand { 0 };
    BYTE fsState { TBSTATE_ENABLED };
    BYTE fsStyle { 0 };
    DWORD_PTR dwData { 0 };
    INT_PTR iString { 0 };
};

class CToolBarCtrl
{
public:
    explicit CToolBarCtrl(CToolBar& bar) : m_bar(bar) {}

    HWND GetSafeHwnd() const;
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    CImageList* SetHotImageList(CImageList* pImageList);
    CImageList* GetHotImageList() const;
    CImageList* SetDisabledImageList(CImageList* pImageList);
    CImageList* GetDisabledImageList() const;
    int GetButtonCount() const;
    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
    int CommandToIndex(UINT nID) const;
    BOOL EnableButton(int nID, BOOL bEnable = TRUE);
    BOOL CheckButton(int nID, BOOL bCheck = TRUE);
    BOOL IsButtonEnabled(int nID) const;
    BOOL IsButtonChecked(int nID) const;
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL SetButtonSize(CSize size);
    CToolTipCtrl* GetToolTips() const;

private:
    CToolBar& m_bar;
};
