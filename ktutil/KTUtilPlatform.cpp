// Window-layer and desktop services for the file operations and the log. Until the window
// layer's message box and pump are linked in, questions are answered by the installed answer
// function (tests) or with Cancel, which changes nothing; errors go to the standard error.
// The trash is the platform's desktop trash.
#include "ktutil/KTUtilPlatform.h"

#include "platform/sys/RecycleBin.h"

#include <cstdio>

namespace ktutil {

namespace {
AnswerFunction g_answer = nullptr;
}

void SetAnswerFunction(AnswerFunction answer) { g_answer = answer; }

int AskYesNoCancel(LPCTSTR text) { return g_answer ? g_answer(text) : kAnswerCancel; }

void ShowError(LPCTSTR text)
{
    if (g_answer)
        g_answer(text);
    else
        std::fprintf(stderr, "%s\n", text ? text : "");
}

void DispatchOneMessage() {}

LRESULT SendToWindow(HWND, UINT, WPARAM, LPARAM) { return 0; }

bool MoveToTrash(LPCTSTR path) { return path && platform::MoveToTrash(path) == 0; }

} // namespace ktutil
