// The clipboard text of the desktop: what the edit controls copy reaches other programs, and
// what other programs copied can be pasted. GTK is only used on the host thread; another
// thread's copy is handed to it, and another thread's paste sees the last text the host
// thread published or read.
#include "platform/host/gtk/GtkHostInternal.h"
#include "platform/ui/controls/Clipboard.h"

#include <gtk/gtk.h>

#include <mutex>

namespace platform::host::gtk {

namespace {

std::mutex s_lock; // guards s_lastText
CString s_lastText;

GtkClipboard* Clipboard() { return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD); }

void Put(const CString& text)
{
    {
        std::lock_guard lock(s_lock);
        s_lastText = text;
    }
    std::string copy(static_cast<const char*>(text));
    RunOnHostThread([copy] { gtk_clipboard_set_text(Clipboard(), copy.c_str(), static_cast<gint>(copy.size())); });
}

bool Get(CString& text)
{
    if (IsHostThread()) {
        // Asks the owner of the clipboard, running the main loop until it answers.
        gchar* owned = gtk_clipboard_wait_for_text(Clipboard());
        if (!owned)
            return false;
        text = owned;
        g_free(owned);
        std::lock_guard lock(s_lock);
        s_lastText = text;
        return true;
    }
    std::lock_guard lock(s_lock);
    text = s_lastText;
    return !text.IsEmpty();
}

} // namespace

void InstallClipboard() { platform::ui::SetClipboardBackend(platform::ui::ClipboardBackend { Put, Get }); }

} // namespace platform::host::gtk
