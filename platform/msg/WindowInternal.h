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
struct InputEvent;

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

// The window under a screen point by the classic search (children before their parent, hidden
// and disabled windows skipped, HTTRANSPARENT passing the point on to the window beneath), and
// the hit-test code it answered. Sends WM_NCHITTEST to the calling thread's windows only.
HWND WindowAtPoint(POINT screen, LRESULT* hit);

// Raw input turned into a message for a window, as the queue takes it.
struct RoutedInput
{
    MSG msg {};
    LRESULT hit { HTNOWHERE }; // mouse: the hit-test code of the target
    bool captured { false };   // mouse: the target has the capture
    bool isDouble { false };   // button press: completes a double click
};
// Decides the window and message of `event` now (capture, hit test, focus); false when the
// event reaches no window. Sends WM_NCHITTEST but changes no input state.
bool RouteInput(const InputEvent& event, RoutedInput* routed);
// What taking the routed message changes: mouse-over and leave tracking, activation by a
// click (WM_MOUSEACTIVATE), the cursor (WM_SETCURSOR), the double-click pair. False when the
// message is not to be delivered (a click eaten by activation, the window gone).
bool CommitRoutedInput(const InputEvent& event, RoutedInput& routed);

} // namespace platform::msg

namespace platform::msg {

// True while the calling thread handles a message sent by another thread.
bool InSendMessageNow();
// Blocks until the thread of `target` has handled `sent`, handling meanwhile what other
// threads send to the calling thread (so two threads sending to each other never deadlock).
LRESULT SendAndWait(const std::shared_ptr<MessageQueue>& target, const std::shared_ptr<struct SentMessage>& sent);
// Attaches the CWnd that CWnd::CreateEx is creating on this thread to its new window.
void AttachCreatingObject(HWND hwnd);
// The framework's part of freeing a window: drops FromHandle's wrapper.
void DropTemporaryObject(HWND hwnd);
// Non-client insets of a window with these styles (border, caption, menu bar, scroll bars).
RECT NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu, bool topLevel);
// Remembers `active` as the last active window of its root owner's tree (GetLastActivePopup).
void NoteActivePopup(HWND active);
// Focus, capture, activation and mouse tracking forget a window that goes away or is disabled.
void ForgetInputWindow(HWND hwnd, bool destroying);

} // namespace platform::msg

namespace platform::msg {
// The default WM_ERASEBKGND: the registered eraser, or "not erased".
bool EraseWithClassBackground(HWND hwnd, HDC dc, HBRUSH background);
} // namespace platform::msg
