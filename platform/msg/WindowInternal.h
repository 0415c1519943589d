// Functions shared between the files of the window layer. Not for use outside platform/msg.
#pragma once

#include "platform/msg/Input.h"
#include "platform/msg/Messages.h"
#include "platform/msg/WindowSurfaceHooks.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform::msg {

class MessageQueue;

// Calls the window's procedure on the calling thread (no thread check).
LRESULT CallWindowDirect(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Does `msg` (addressed to `msgHwnd`) pass the retrieval filter `filter`?
bool MatchesWindowFilter(HWND msgHwnd, HWND filter);
bool IsLiveWindow(HWND hwnd);
// The owning queue of a window; null when the handle is stale.
std::shared_ptr<MessageQueue> QueueOfWindow(HWND hwnd);
// Frees the windows of a thread that has ended, without messages.
void FreeWindowsOfEndedThread(const std::vector<HWND>& windows);
// Visible with all its ancestors.
bool IsVisibleChain(HWND hwnd);
// Paint bookkeeping for the paint message made by the queue.
std::uint32_t PaintSerial(HWND hwnd);
void ValidateIfUnchanged(HWND hwnd, std::uint32_t serial);
bool NeedsPaint(HWND hwnd);
void NotifyTopLevel(HWND topLevel, TopLevelEvent event);
// Updates the key state that GetKeyState reports, as an input message is retrieved.
void NoteInputRetrieved(const MSG& msg);
// The last message retrieved on this thread (GetMessagePos, GetMessageTime).
void NoteMessageRetrieved(const MSG& msg);
// The cursor position for a posted message's pt.
POINT CurrentCursorPos();

} // namespace platform::msg

namespace platform::msg {

// True while the calling thread handles a message sent by another thread.
bool InSendMessageNow();
// Blocks until the thread of `target` has handled `sent`, handling meanwhile what other
// threads send to the calling thread (so two threads sending to each other never deadlock).
LRESULT SendAndWait(const std::shared_ptr<MessageQueue>& target, const std::shared_ptr<struct SentMessage>& sent);
// Runs `call` on the thread that owns `hwnd` and waits for it, like SendMessage; direct when
// the calling thread owns the window.
LRESULT RunOnOwnerThread(HWND hwnd, std::function<LRESULT()> call);
// Attaches the CWnd that CWnd::CreateEx is creating on this thread to its new window.
void AttachCreatingObject(HWND hwnd);
// The framework's part of freeing a window: drops FromHandle's wrapper.
void DropTemporaryObject(HWND hwnd);
// Non-client insets of a window with these styles (border, caption, menu bar, scroll bars).
RECT NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu, bool topLevel);
// Focus, capture, activation and mouse tracking forget a window that goes away or is disabled.
void ForgetInputWindow(HWND hwnd, bool destroying);

} // namespace platform::msg

namespace platform::msg {
// The default WM_ERASEBKGND: the registered eraser, or "not erased".
bool EraseWithClassBackground(HWND hwnd, HDC dc, HBRUSH background);
} // namespace platform::msg
