// The dialog manager's functions: creating a dialog from a template, keyboard navigation
// (IsDialogMessage: Tab and Shift+Tab through the tab stops, arrows within a group and its radio
// buttons, Enter for the default button, Escape for Cancel, mnemonics of labels and buttons,
// each control's WM_GETDLGCODE respected). The item helpers come with the window layer
// (platform/msg/DialogItems.h).
#pragma once

#include "platform/msg/DialogItems.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/dialogs/DialogTemplate.h"

// Dialog messages.
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;

BOOL IsDialogMessage(HWND dialog, MSG* msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

namespace platform::ui {

// Creates the dialog window of `tmpl` with its controls (hidden until the caller shows it; a
// child template's WS_VISIBLE stands) and sends WM_INITDIALOG. With `object`, the window is
// created through CWnd::CreateEx, so the object gets every message from WM_NCCREATE on. The
// dialog's font is owned by the window. Null when the window or a control cannot be made.
HWND CreateDialogFromTemplate(const DialogTemplate& tmpl, HWND parent, CWnd* object, LPARAM initParam = 0);

// Moves the focus the way the dialog manager does (selecting an edit's text).
void SetDialogFocus(HWND dialog, HWND control);

} // namespace platform::ui
