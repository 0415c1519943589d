// The numbers the application framework shares with the programs: standard command ids, the
// ids of the frame's standard child windows, the framework's private messages and the styles of
// frames and control bars. All have their classic values, since the programs' own tables (toolbar
// layouts, message maps, string tables) name them.
#pragma once

#include "platform/msg/Messages.h"

// ---- standard commands ----------------------------------------------------------------------------
constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT ID_FILE_OPEN = 0xE101;
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;
constexpr UINT ID_FILE_PAGE_SETUP = 0xE105;
constexpr UINT ID_FILE_PRINT_SETUP = 0xE106;
constexpr UINT ID_FILE_PRINT = 0xE107;
constexpr UINT ID_FILE_PRINT_DIRECT = 0xE108;
constexpr UINT ID_FILE_PRINT_PREVIEW = 0xE109;
constexpr UINT ID_EDIT_CLEAR = 0xE120;
constexpr UINT ID_EDIT_CLEAR_ALL = 0xE121;
constexpr UINT ID_EDIT_COPY = 0xE122;
constexpr UINT ID_EDIT_CUT = 0xE123;
constexpr UINT ID_EDIT_FIND = 0xE124;
constexpr UINT ID_EDIT_PASTE = 0xE125;
constexpr UINT ID_EDIT_SELECT_ALL = 0xE12A;
constexpr UINT ID_EDIT_UNDO = 0xE12B;
constexpr UINT ID_APP_ABOUT = 0xE140;
constexpr UINT ID_APP_EXIT = 0xE141;
constexpr UINT ID_VIEW_TOOLBAR = 0xE800;
constexpr UINT ID_VIEW_STATUS_BAR = 0xE801;
constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_INDICATOR_EXT = 0xE700;
constexpr UINT ID_INDICATOR_CAPS = 0xE701;
constexpr UINT ID_INDICATOR_NUM = 0xE702;
constexpr UINT ID_INDICATOR_SCRL = 0xE703;

// The print-preview window's own commands.
constexpr UINT AFX_ID_PREVIEW_CLOSE = 0xE300;
constexpr UINT AFX_ID_PREVIEW_NEXT = 0xE301;
constexpr UINT AFX_ID_PREVIEW_PREV = 0xE302;
constexpr UINT AFX_ID_PREVIEW_PRINT = 0xE303;

// ---- the frame's standard children ---------------------------------------------------------------
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_REBAR = 0xE804;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

// The status bar's idle text.
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;

// ---- framework messages ------------------------------------------------------------------------
constexpr UINT WM_SETMESSAGESTRING = 0x0362;
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363; // wParam: disable items without a handler
constexpr UINT WM_INITIALUPDATE = 0x0364;

// ---- frame styles ---------------------------------------------------------------------------------
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000;

// ---- control-bar styles -----------------------------------------------------------------------------
constexpr DWORD CBRS_NOALIGN = 0x00000000;
constexpr DWORD CBRS_HIDE_INPLACE = 0x00000008;
constexpr DWORD CBRS_TOOLTIPS = 0x00000010;
constexpr DWORD CBRS_FLYBY = 0x00000020;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x00000040;
constexpr DWORD CBRS_SIZE_FIXED = 0x00000080;
constexpr DWORD CBRS_BORDER_LEFT = 0x00000100;
constexpr DWORD CBRS_BORDER_TOP = 0x00000200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x00000400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x00000800;
constexpr DWORD CBRS_BORDER_ANY = 0x00000F00;
constexpr DWORD CBRS_ALIGN_LEFT = 0x00001000;
constexpr DWORD CBRS_ALIGN_TOP = 0x00002000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x00004000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x00008000;
constexpr DWORD CBRS_ALIGN_ANY = 0x0000F000;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
