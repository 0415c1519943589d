// The few window-layer and desktop services that the file operations and the log use: the
// message box, one step of message pumping, a synchronous message to a window and the trash.
// Kept in one place so the rest of the library does not depend on how the layer spells them.
#pragma once

#include "platform/core/Types.h"

struct MSG;

namespace ktutil {

// Asks the user with Yes, No and Cancel and a question icon: IDYES, IDNO or IDCANCEL.
int AskYesNoCancel(LPCTSTR text);
// Shows an error with an OK button.
void ShowError(LPCTSTR text);
// Removes, translates and dispatches one waiting message of the calling thread, if any (into
// `msg`); never waits. True when one was dispatched.
bool DispatchOneMessage(MSG& msg);
void DispatchOneMessage();
// Sends a message to a window and waits for its answer; 0 when the window does not exist.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Moves a file into the desktop trash without asking; false when it could not.
bool MoveToTrash(LPCTSTR path);

} // namespace ktutil
