// The few window-layer and desktop services that the file operations and the log use: the
// message box, one step of message pumping, a synchronous message to a window and the trash. Kept in one place so the
// rest of the library does not depend on how the window layer spells them.
#pragma once

#include "platform/core/Types.h"

namespace ktutil {

// Answers of a message box (the classic values).
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

// Asks the user with Yes, No and Cancel and a question icon; one of the answers above.
int AskYesNoCancel(LPCTSTR text);
// Shows an error with an OK button.
void ShowError(LPCTSTR text);
// Removes, translates and dispatches one waiting message of the calling thread, if any.
void DispatchOneMessage();
// Sends a message to a window and waits for its answer; 0 when the window does not exist.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Moves a file into the desktop trash without asking; false when it could not.
bool MoveToTrash(LPCTSTR path);

// Answers questions and acknowledges errors in place of the user (tests); null restores the
// message box.
using AnswerFunction = int (*)(LPCTSTR text);
void SetAnswerFunction(AnswerFunction answer);

} // namespace ktutil
