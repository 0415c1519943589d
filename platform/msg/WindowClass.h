// The framework's window-class helpers and its resource exception.
#pragma once

#include "platform/core/FileException.h"
#include "platform/msg/Messages.h"

// Thrown (by pointer, like every framework exception) when a window class or another
// resource cannot be made.
class CResourceException : public CException
{
public:
    BOOL GetErrorMessage(LPTSTR text, UINT maxLength, UINT* helpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowResourceException();

// Thrown when an operation cannot be done on what it was given (a control that cannot be
// subclassed, for example).
class CNotSupportedException : public CException
{
};

[[noreturn]] void AfxThrowNotSupportedException();

// Registers the class unless a class of that name exists already; TRUE in both cases.
BOOL AfxRegisterClass(WNDCLASS* wndClass);

// A class with these attributes and the default window procedure, registered once and named
// after them; the name stays valid for the life of the process. Throws CResourceException
// when the class cannot be registered.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
