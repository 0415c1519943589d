// The common controls' window classes: "SysListView32", "SysHeader32", "SysTreeView32" and
// "SysTabControl32". They are registered when the library loads, so that dialog templates can
// name them; InitCommonControls and InitCommonControlsEx remain for programs that call them.
#pragma once

#include "platform/core/Types.h"

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;

struct INITCOMMONCONTROLSEX
{
    DWORD dwSize { sizeof(INITCOMMONCONTROLSEX) };
    DWORD dwICC { ICC_WIN95_CLASSES };
};

void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

namespace platform::ui {
// Registers the four classes (once; safe from any thread).
void RegisterCommonControls();
}
