// The framework's window-class helpers.
#include "platform/msg/WindowClass.h"

#include "platform/msg/WindowApi.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

BOOL CResourceException::GetErrorMessage(LPTSTR text, UINT maxLength, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!text || maxLength == 0)
        return FALSE;
    std::snprintf(text, maxLength, "%s", "A required resource was unavailable.");
    return TRUE;
}

void AfxThrowResourceException() { throw new CResourceException; }

void AfxThrowNotSupportedException() { throw new CNotSupportedException; }

BOOL AfxRegisterClass(WNDCLASS* wndClass)
{
    if (!wndClass || !wndClass->lpszClassName)
        return FALSE;
    WNDCLASS existing;
    if (GetClassInfo(wndClass->hInstance, wndClass->lpszClassName, &existing))
        return TRUE;
    // Another thread may register the same class between the two calls: that is success too.
    return RegisterClass(wndClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::mutex lock;
    static std::set<std::string> names; // node-based: the returned pointers stay valid
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    std::lock_guard guard(lock);
    auto [it, added] = names.insert(name);
    if (added) {
        WNDCLASS wc;
        wc.style = classStyle;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = it->c_str();
        if (!AfxRegisterClass(&wc)) {
            names.erase(it);
            AfxThrowResourceException();
        }
    }
    return it->c_str();
}
