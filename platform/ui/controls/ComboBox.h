// CComboBox: drop-down combo boxes (with an edit child, id 1001) and drop-down lists, optionally
// owner-drawn with fixed item height and strings. The drop-down list is a real pop-up list window
// ("ComboLBox") that a derived class can find with GetComboBoxInfo, subclass and colour
// (WM_CTLCOLORLISTBOX reaches the combo box's parent with the combo box as the control).
//
// Notifications to the parent: CBN_DROPDOWN before the list opens; CBN_SELCHANGE when the user
// changes the selection; when the list closes CBN_SELENDOK (an item was chosen) or
// CBN_SELENDCANCEL, then CBN_CLOSEUP; CBN_SETFOCUS / CBN_KILLFOCUS; CBN_EDITUPDATE and
// CBN_EDITCHANGE for typing in the edit.
#pragma once

#include "platform/msg/Wnd.h"
#include "platform/ui/controls/ListBox.h"

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;
constexpr DWORD CBS_DISABLENOSCROLL = 0x0800;
constexpr DWORD CBS_UPPERCASE = 0x2000;
constexpr DWORD CBS_LOWERCASE = 0x4000;

constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_DIR = 0x0145;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr UINT CB_GETDROPPEDWIDTH = 0x015F;
constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;
constexpr UINT CB_GETCOMBOBOXINFO = 0x0164;

constexpr int CB_OKAY = 0;
constexpr int CB_ERR = -1;
constexpr int CB_ERRSPACE = -2;

constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_DBLCLK = 2;
constexpr UINT CBN_SETFOCUS = 3;
constexpr UINT CBN_KILLFOCUS = 4;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT CBN_EDITUPDATE = 6;
constexpr UINT CBN_DROPDOWN = 7;
constexpr UINT CBN_CLOSEUP = 8;
constexpr UINT CBN_SELENDOK = 9;
constexpr UINT CBN_SELENDCANCEL = 10;

// The item state of the selection field of an owner-drawn combo box.
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

// The id of a drop-down combo box's edit child.
constexpr int kComboEditId = 1001;

struct COMBOBOXINFO
{
    DWORD cbSize { sizeof(COMBOBOXINFO) };
    RECT rcItem {};
    RECT rcButton {};
    DWORD stateButton { 0 };
    HWND hwndCombo { nullptr };
    HWND hwndItem { nullptr };
    HWND hwndList { nullptr };
};
BOOL GetComboBoxInfo(HWND combo, COMBOBOXINFO* info);

class CComboBox : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int AddString(LPCTSTR lpszString);
    int InsertString(int nIndex, LPCTSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszString);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* pData);
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(LPRECT lprect) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    int GetItemHeight(int nIndex) const;
    BOOL LimitText(int nMaxChars);
    DWORD GetEditSel() const;
    BOOL SetEditSel(int nStartChar, int nEndChar);
    int SetDroppedWidth(UINT nWidth);
    int GetDroppedWidth() const;
    int Dir(UINT attr, LPCTSTR lpszWildCard);
    BOOL GetComboBoxInfo(COMBOBOXINFO* pcbi) const;

    // Owner-drawn combo boxes override these; they are reflected from the parent.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnReflectDrawItem(LPDRAWITEMSTRUCT p) { DrawItem(p); }
    void OnReflectMeasureItem(LPMEASUREITEMSTRUCT p) { MeasureItem(p); }
};

namespace platform::ui {
void RegisterComboBoxClass();
}
