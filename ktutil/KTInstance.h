// KTInstance: one running copy of a program per instance name.
//
// A name is claimed for the rest of the process's life (the platform's instance claim: a lock
// file held with flock, plus a listener for activation requests). The claiming copy marks its
// main window with a window property of the same name (value 1), so that its own code finds the
// window again. A second start tests the name and, since it cannot reach another process's
// windows, asks the holder to show and raise its main window through the platform's activation
// request (see GetInstanceWindow).
#pragma once

#include "platform/core/Types.h"

class KTInstance
{
public:
    virtual ~KTInstance() = default;

    // Claims the name: 1 when nobody (this process included) held it, and then the window is
    // marked and becomes the window that an activation request shows and raises. 0 when the name
    // was taken; nothing is claimed then.
    static int LockInstance(LPCTSTR name, HWND mainWindow);
    // 1 when some process (this one included) holds the name; the test claims nothing.
    static int IsInstanceExist(LPCTSTR name);
    // The first top-level window of this process, in z-order, marked with the name. When none is
    // and another process holds the name, that process is asked to show and raise its main
    // window (which is what a caller does with the window it finds); the result is then null.
    static HWND GetInstanceWindow(LPCTSTR name);
    static BOOL RegWindow(HWND window, LPCTSTR name);
    static void UnregWindow(HWND window, LPCTSTR name);
    // The claim lasts until the process ends; this only checks that the name is valid.
    static void UnlockInstance(LPCTSTR name);
    // Starts a program or opens a document with the shell's "open" verb.
    static BOOL RunInstance(LPCTSTR file, LPCTSTR parameters);
};
