// TabNotifyInfo: the record of every notification of the flat and side tab strips. All fields
// are zero unless set; with an index below 0 (a scroll button or nothing) only the header, the
// index and the point are filled. The text field is fixed in size: a text is cut at a
// character boundary to fit it, zero-terminated.
#pragma once

#include "platform/msg/Messages.h"

#include <cstddef>

// Notification codes.
constexpr UINT KTTAB_LBUTTONDOWN = 1;
constexpr UINT KTTAB_RBUTTONDOWN = 2;
constexpr UINT KTTAB_SELCHANGE = 3;
constexpr UINT KTTAB_HIGHLIGHTCHANGE = 4;
constexpr UINT KTTAB_ITEMMOVED = 5;
constexpr UINT KTTAB_ITEMCOPIED = 6;
constexpr UINT KTTAB_LABELEDIT = 7;
constexpr UINT KTTAB_OUTOFMEMORY = 8;

// Hit codes below 0.
constexpr int KTTAB_HIT_FIRST = -1;
constexpr int KTTAB_HIT_PREV = -2;
constexpr int KTTAB_HIT_NEXT = -3;
constexpr int KTTAB_HIT_LAST = -4;
constexpr int KTTAB_HIT_NOWHERE = -5;

// Results of the item operations.
constexpr int KTTAB_ERR_MEMORY = -1;
constexpr int KTTAB_ERR_INDEX = -2;
constexpr int KTTAB_ERR_NOEDIT = -3;
constexpr int KTTAB_ERR_NOHIGHLIGHT = -4;
constexpr int KTTAB_ERR_NOTCURRENT = -5;
constexpr int KTTAB_ERR_EDITOPEN = -6;
constexpr int KTTAB_ERR_TEXTLONG = -7;
constexpr int KTTAB_ERR_NOTOOLTIP = -8;
constexpr int KTTAB_ERR_TOOLTIPCREATE = -9;

// Style bits of the strips.
constexpr DWORD KTTAB_SAMEWIDTH = 0x0001;
constexpr DWORD KTTAB_FOURBUTTONS = 0x0002;
constexpr DWORD KTTAB_AUTOHIDEBUTTONS = 0x0004;
constexpr DWORD KTTAB_TOOLTIPS = 0x0008;
constexpr DWORD KTTAB_MULTIHIGHLIGHT = 0x0010;
constexpr DWORD KTTAB_EDITLABELS = 0x0020;
constexpr DWORD KTTAB_DRAGMOVE = 0x0040;
constexpr DWORD KTTAB_DRAGCOPY = 0x0080;
constexpr DWORD KTTAB_IMAGES = 0x0100;
constexpr DWORD KTTAB_BOTTOM = 0x0200;
constexpr DWORD KTTAB_RIGHTTOLEFT = 0x0400;

// The longest tab text, in characters.
constexpr int KTTAB_MAXTEXT = 49;

struct TabNotifyInfo
{
    NMHDR hdr;
    int nItem { 0 };
    char szText[52] {};
    DWORD dwData { 0 };
    RECT rcText {};
    int x { 0 };
    int y { 0 };
    int bCurrent { 0 };
    int bHighlighted { 0 };
};
// Everything after the header is laid out as on the classic platform (92 bytes).
static_assert(offsetof(TabNotifyInfo, bHighlighted) + sizeof(int) - offsetof(TabNotifyInfo, nItem) == 92);
