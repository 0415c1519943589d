// Message boxes as a replaceable service.
//
// Every message box of the process goes through one service: MessageBox, AfxMessageBox and
// CWnd::MessageBox, from any thread. The drawn message box of the standard controls installs
// itself with SetMessageBoxService; until then (and always under the null host) the built-in
// service answers without showing anything: with the next scripted answer when a test has
// scripted one, otherwise with the default button's answer. Either way it records what was
// asked (caption, text, buttons and icon), so a test can check it. It never blocks.
#pragma once

#include "platform/core/CString.h"
#include "platform/msg/Messages.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform::msg {

struct MessageBoxRequest
{
    HWND owner { nullptr };
    CString caption;
    CString text;
    UINT type { MB_OK };
    UINT Buttons() const { return type & MB_TYPEMASK; }
    UINT Icon() const { return type & MB_ICONMASK; }
};

class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    // Returns IDOK, IDCANCEL, IDYES, IDNO ...; called on the asking thread.
    virtual int Show(const MessageBoxRequest& request) = 0;
};

// Installs a service; null puts the built-in one back.
void SetMessageBoxService(std::shared_ptr<MessageBoxService> service);

// The answer of the default button (MB_DEFBUTTONn) for the buttons of `type`.
int DefaultMessageBoxAnswer(UINT type);

// The caption used when the caller gives none (the application's title).
void SetDefaultMessageBoxCaption(const char* caption);
CString DefaultMessageBoxCaption();

// ---- the test hook of the built-in service ------------------------------------------------------

// The next message box answers `answer`; answers queue up in order.
void ScriptMessageBoxAnswer(int answer);
// The next message box calls `answer` (which may pump messages, end a dialog, ...).
void ScriptMessageBoxAnswer(std::function<int(const MessageBoxRequest&)> answer);
// Every message box shown since the last call, oldest first.
std::vector<MessageBoxRequest> TakeShownMessageBoxes();
// Drops scripted answers and the record.
void ResetMessageBoxScript();

} // namespace platform::msg

// The framework's message box with the application's title as caption.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string `nIDPrompt` of the string table.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));
