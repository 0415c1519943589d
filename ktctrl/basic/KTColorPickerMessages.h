// What the colour picker and its palette popup tell each other and the picker's parent window:
// five messages, each sent with the colour as wParam and the picker's control id as lParam.
// CLR_DEFAULT stands for "the default colour".
#pragma once

#include "platform/gdi/CImageList.h" // CLR_DEFAULT
#include "platform/msg/Messages.h"

constexpr UINT CPM_SELCHANGE = WM_USER + 1001;    // the highlighted colour changed
constexpr UINT CPM_DROPDOWN = WM_USER + 1002;     // the popup has been opened (to the parent only)
constexpr UINT CPM_CLOSEUP = WM_USER + 1003;      // the popup has closed (to the parent only)
constexpr UINT CPM_SELENDOK = WM_USER + 1004;     // a colour was chosen
constexpr UINT CPM_SELENDCANCEL = WM_USER + 1005; // dismissed; wParam the colour it was opened with

static_assert(CPM_SELCHANGE == 0x7E9 && CPM_SELENDCANCEL == 0x7ED);
