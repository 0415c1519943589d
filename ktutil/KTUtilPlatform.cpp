// Window-layer and desktop services for the file operations and the log: the framework's
// message box (which tests script through the window layer's message-box hook), one step of
// the calling thread's message pump, a synchronous message and the desktop trash.
#include "ktutil/KTUtilPlatform.h"

#include "platform/msg/MessageBoxService.h"
#include "platform/msg/WindowApi.h"
#include "platform/sys/RecycleBin.h"

namespace ktutil {

int AskYesNoCancel(LPCTSTR text) { return AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONQUESTION); }

void ShowError(LPCTSTR text) { AfxMessageBox(text, MB_OK); }

bool DispatchOneMessage(MSG& msg)
{
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    return true;
}

void DispatchOneMessage()
{
    MSG msg;
    DispatchOneMessage(msg);
}

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window))
        return 0;
    return SendMessage(window, message, wParam, lParam);
}

bool MoveToTrash(LPCTSTR path) { return path && platform::MoveToTrash(path) == 0; }

} // namespace ktutil
