// The text clipboard: in-process unless a host installs its own.
#include "platform/ui/controls/Clipboard.h"

#include <mutex>
#include <optional>

namespace platform::ui {

namespace {
// Guards the text and the back end; a leaf lock.
std::mutex s_lock;
std::optional<CString> s_text;
ClipboardBackend s_backend;
} // namespace

void SetClipboardText(const CString& text)
{
    std::unique_lock lock(s_lock);
    if (s_backend.put) {
        auto put = s_backend.put;
        lock.unlock();
        put(text);
        return;
    }
    s_text = text;
}

CString GetClipboardText()
{
    std::unique_lock lock(s_lock);
    if (s_backend.get) {
        auto get = s_backend.get;
        lock.unlock();
        CString text;
        return get(text) ? text : CString();
    }
    return s_text.value_or(CString());
}

bool ClipboardHasText()
{
    std::unique_lock lock(s_lock);
    if (s_backend.get) {
        auto get = s_backend.get;
        lock.unlock();
        CString text;
        return get(text);
    }
    return s_text.has_value();
}

void SetClipboardBackend(ClipboardBackend backend)
{
    std::lock_guard lock(s_lock);
    s_backend = std::move(backend);
}

} // namespace platform::ui
