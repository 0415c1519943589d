// The window functions with their classic names and meaning: classes, windows, messages,
// timers, focus and capture, painting. Windows belong to the thread that created them; the
// functions that read a window's state may be called from any thread, the ones that send
// messages follow the rules of SendMessage (see MessageQueue.h).
#pragma once

#include "platform/msg/Messages.h"

// ---- window classes ------------------------------------------------------------------------------
// Classes are process-wide and found by name (case-insensitive); the instance handle is ignored.
ATOM RegisterClass(const WNDCLASS* wndClass);
ATOM RegisterClassEx(const WNDCLASSEX* wndClass);
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
// The "already registered" query: TRUE and the class's data when the class exists.
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASS* wndClass);
int GetClassName(HWND hwnd, LPSTR buffer, int bufferSize);
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);

// ---- creation and destruction --------------------------------------------------------------------
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param);
inline HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param)
{
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId, instance, param);
}
// Destroys the window, its children and the windows it owns. From a thread other than the
// owner's, the destruction runs on the owner's thread (the call waits like SendMessage).
BOOL DestroyWindow(HWND hwnd);
// True while `hwnd` names a live window; a destroyed window's handle stays invalid for good.
BOOL IsWindow(HWND hwnd);
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---- state -----------------------------------------------------------------------------------------
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline LONG GetWindowLong(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtr(hwnd, index)); }
inline LONG SetWindowLong(HWND hwnd, int index, LONG value)
{
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, value));
}
BOOL SetWindowText(HWND hwnd, LPCSTR text);
int GetWindowText(HWND hwnd, LPSTR buffer, int bufferSize);
int GetWindowTextLength(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable); // returns whether it was disabled before
BOOL IsWindowEnabled(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int command); // returns whether it was visible before
BOOL IsWindowVisible(HWND hwnd);         // the window and all its ancestors are visible
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data);
HANDLE GetProp(HWND hwnd, LPCSTR name);
HANDLE RemoveProp(HWND hwnd, LPCSTR name);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);

// ---- hierarchy -------------------------------------------------------------------------------------
HWND GetParent(HWND hwnd); // the parent of a child, the owner of a pop-up, else null
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT command);
HWND GetTopWindow(HWND hwnd); // the top child (null: the top top-level window)
HWND GetDesktopWindow();
BOOL IsChild(HWND parent, HWND hwnd); // any descendant
HWND GetDlgItem(HWND parent, int id);  // the first child (in z-order) with that id
int GetDlgCtrlID(HWND hwnd);
// Enumerates all descendants, depth first in z-order; stops when the callback returns FALSE.
BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam); // top-level windows
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM lParam);
HWND FindWindow(LPCSTR className, LPCSTR windowName);

// ---- geometry --------------------------------------------------------------------------------------
BOOL GetWindowRect(HWND hwnd, RECT* rect); // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect); // (0, 0, width, height)
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
HWND WindowFromPoint(POINT screenPoint);
HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

// ---- messages --------------------------------------------------------------------------------------
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax); // FALSE for WM_QUIT, -1 on error
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
DWORD GetMessagePos();
LONG GetMessageTime();
BOOL InSendMessage();
DWORD GetCurrentThreadMessageId(); // the calling thread's id as GetWindowThreadProcessId gives it
UINT RegisterWindowMessage(LPCSTR name);

// ---- timers ----------------------------------------------------------------------------------------
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---- focus, activation, capture, keys, cursor --------------------------------------------------------
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
// The window of `hwnd`'s owned tree (its owned windows, theirs ...) that was active last, when
// it is still there and shown; otherwise `hwnd` itself.
HWND GetLastActivePopup(HWND hwnd);
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
SHORT GetKeyState(int virtualKey);      // high bit: down; low bit: toggled
SHORT GetAsyncKeyState(int virtualKey); // the state of the input as injected, not yet dispatched
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
UINT GetDoubleClickTime();

// ---- painting ----------------------------------------------------------------------------------------
// The update area of a window is kept as one bounding rectangle in client coordinates.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

// ---- modal loops -------------------------------------------------------------------------------------
// Ends the modal loop that runs on `hwnd` with `result`; callable from any thread.
BOOL EndDialog(HWND hwnd, INT_PTR result);

// ---- message boxes -----------------------------------------------------------------------------------
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
