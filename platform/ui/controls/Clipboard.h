// The text clipboard that the edit controls cut, copy and paste through. Process-wide; a
// window-system host may install a back end so that text travels to and from other programs.
#pragma once

#include "platform/core/CString.h"

#include <functional>

namespace platform::ui {

void SetClipboardText(const CString& text);
CString GetClipboardText();
bool ClipboardHasText();

// A host's clipboard: `put` publishes a text, `get` returns the current one (false: none).
struct ClipboardBackend
{
    std::function<void(const CString&)> put;
    std::function<bool(CString&)> get;
};
// An empty back end puts the in-process clipboard back.
void SetClipboardBackend(ClipboardBackend backend);

} // namespace platform::ui
