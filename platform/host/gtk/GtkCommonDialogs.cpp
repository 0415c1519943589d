// The common dialogs as GTK dialogs: open and save file (with the classic filters and the
// programs pattern), choose folder, choose colour, print (printer or file).
//
// A dialog runs modal to its owner like the layer's own dialogs: it is transient for the owner's
// window (so it shows above it, also above a full-screen station), the owner is disabled, and the
// calling thread pumps its own message loop until the user answers, so timers, sockets and
// messages from other threads keep arriving while the dialog is open. A WM_QUIT that arrives
// meanwhile cancels the dialog and is posted again for the outer loop; so does the thread's
// request to end its modal loops (CancelModalLoops).
#include "platform/host/gtk/GtkHostInternal.h"
#include "platform/msg/CommonDialogService.h"
#include "platform/msg/MessageQueue.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/dialogs/FileDialog.h"

#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>

#include <string>
#include <vector>

namespace platform::host::gtk {

namespace {

// Classic flags the dialogs honour.
constexpr DWORD kOpenAllowMultiSelect = 0x00000200; // open file: several files
constexpr DWORD kOpenOverwritePrompt = 0x00000002;  // save file: ask before replacing
constexpr DWORD kColourFullOpen = 0x00000002;       // colour: the custom-colour editor open

struct DialogRun
{
    bool done { false };
    int response { GTK_RESPONSE_CANCEL };
};

void OnResponse(GtkDialog*, gint response, gpointer data)
{
    auto* run = static_cast<DialogRun*>(data);
    run->done = true;
    run->response = response;
    // Wakes the loop below, which waits for messages.
    PostThreadMessage(msg::CurrentThreadId(), WM_NULL, 0, 0);
}

// The window a dialog is modal to, for the dialog's life: it is disabled (with the owner's own
// top-level, when that is a pop-up such as a colour palette) and enabled again afterwards; the
// dialog is transient for it, so it shows above it.
class ModalOwner
{
public:
    explicit ModalOwner(HWND owner)
    {
        HWND ownerRoot = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
        m_window = TransientOwnerOf(owner);
        for (HWND hwnd : { ownerRoot, m_window })
            if (hwnd && IsWindowEnabled(hwnd)) {
                EnableWindow(hwnd, FALSE);
                m_disabled.push_back(hwnd);
            }
    }
    ~ModalOwner()
    {
        for (HWND hwnd : m_disabled)
            if (IsWindow(hwnd))
                EnableWindow(hwnd, TRUE);
    }
    ModalOwner(const ModalOwner&) = delete;
    ModalOwner& operator=(const ModalOwner&) = delete;

    // The GTK window to be transient for; null when there is none.
    GtkWindow* Parent() const
    {
        GtkWidget* widget = m_window ? NativeWindowOf(m_window) : nullptr;
        return widget ? GTK_WINDOW(widget) : nullptr;
    }

private:
    HWND m_window { nullptr };
    std::vector<HWND> m_disabled;
};

// Shows the dialog modal to the owner and pumps until it is answered; the GTK response.
int RunDialog(GtkWidget* dialog, HWND owner)
{
    ModalOwner modalOwner(owner);
    if (GtkWindow* parent = modalOwner.Parent())
        gtk_window_set_transient_for(GTK_WINDOW(dialog), parent);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);

    DialogRun run;
    gulong handler = g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), &run);
    gtk_widget_show(dialog);
    gtk_window_present(GTK_WINDOW(dialog));
    const auto cancel = [&run] {
        run.response = GTK_RESPONSE_CANCEL;
        run.done = true;
    };
    const msg::ModalLoopScope scope(cancel);
    while (!run.done)
        if (!msg::PumpMessage())
            cancel(); // WM_QUIT: PumpMessage posted it again
    g_signal_handler_disconnect(dialog, handler);
    gtk_widget_hide(dialog);
    return run.response;
}

std::string Text(const CString& text) { return std::string(static_cast<const char*>(text)); }

// ---- files and folders ---------------------------------------------------------------------------

// Files the user may run: what the programs pattern lets through.
gboolean IsProgramFile(const GtkFileFilterInfo* info, gpointer)
{
    return info->filename && g_file_test(info->filename, G_FILE_TEST_IS_EXECUTABLE)
        && !g_file_test(info->filename, G_FILE_TEST_IS_DIR);
}

// The classic filter text "Name|*.a;*.b|Name2|*.*||" as GTK filters, in order.
std::vector<GtkFileFilter*> MakeFilters(const std::string& classic)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < classic.size()) {
        size_t bar = classic.find('|', start);
        if (bar == std::string::npos)
            bar = classic.size();
        parts.push_back(classic.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<GtkFileFilter*> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty())
            break; // the closing "||"
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, parts[i].c_str());
        size_t from = 0;
        const std::string& patterns = parts[i + 1];
        while (from <= patterns.size()) {
            size_t semicolon = patterns.find(';', from);
            if (semicolon == std::string::npos)
                semicolon = patterns.size();
            std::string pattern = patterns.substr(from, semicolon - from);
            if (pattern == "*.*")
                pattern = "*"; // "all files" includes names without a dot
            if (pattern == kProgramFilesPattern)
                gtk_file_filter_add_custom(filter, GTK_FILE_FILTER_FILENAME, IsProgramFile, nullptr, nullptr);
            else if (!pattern.empty())
                gtk_file_filter_add_pattern(filter, pattern.c_str());
            from = semicolon + 1;
        }
        filters.push_back(filter);
    }
    return filters;
}

std::string WithDefaultExtension(std::string path, const std::string& extension)
{
    if (extension.empty())
        return path;
    size_t slash = path.rfind('/');
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.find('.') == std::string::npos)
        path += "." + extension;
    return path;
}

msg::CommonDialogAnswer ShowFileDialog(const msg::CommonDialogRequest& request)
{
    msg::CommonDialogAnswer answer;
    GtkFileChooserAction action = request.kind == msg::CommonDialogKind::SaveFile ? GTK_FILE_CHOOSER_ACTION_SAVE
                                  : request.kind == msg::CommonDialogKind::Folder ? GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER
                                                                                  : GTK_FILE_CHOOSER_ACTION_OPEN;
    const char* accept = action == GTK_FILE_CHOOSER_ACTION_SAVE ? "_Save" : action == GTK_FILE_CHOOSER_ACTION_OPEN ? "_Open" : "_Select";
    std::string title = Text(request.title);
    if (title.empty())
        title = action == GTK_FILE_CHOOSER_ACTION_SAVE ? "Save As" : action == GTK_FILE_CHOOSER_ACTION_OPEN ? "Open" : "Select Folder";
    GtkWidget* dialog = gtk_file_chooser_dialog_new(title.c_str(), nullptr, action, "_Cancel", GTK_RESPONSE_CANCEL, accept,
                                                    GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    if (!request.initialFolder.IsEmpty())
        gtk_file_chooser_set_current_folder(chooser, request.initialFolder);
    if (action == GTK_FILE_CHOOSER_ACTION_SAVE) {
        gtk_file_chooser_set_do_overwrite_confirmation(chooser, (request.flags & kOpenOverwritePrompt) != 0);
        if (!request.fileName.IsEmpty())
            gtk_file_chooser_set_current_name(chooser, request.fileName);
    } else if (action == GTK_FILE_CHOOSER_ACTION_OPEN) {
        gtk_file_chooser_set_select_multiple(chooser, (request.flags & kOpenAllowMultiSelect) != 0);
        if (!request.fileName.IsEmpty() && g_file_test(request.fileName, G_FILE_TEST_EXISTS))
            gtk_file_chooser_set_filename(chooser, request.fileName);
    }
    std::vector<GtkFileFilter*> filters;
    if (action != GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER)
        filters = MakeFilters(Text(request.filter));
    for (GtkFileFilter* f : filters)
        gtk_file_chooser_add_filter(chooser, f); // the chooser owns them from here
    if (!filters.empty())
        gtk_file_chooser_set_filter(chooser, filters.front());

    if (RunDialog(dialog, request.owner) == GTK_RESPONSE_ACCEPT) {
        GSList* names = gtk_file_chooser_get_filenames(chooser);
        for (GSList* n = names; n; n = n->next) {
            std::string path = static_cast<const char*>(n->data);
            if (action == GTK_FILE_CHOOSER_ACTION_SAVE)
                path = WithDefaultExtension(path, Text(request.defaultExtension));
            answer.paths.emplace_back(path.c_str());
        }
        g_slist_free_full(names, g_free);
        answer.accepted = !answer.paths.empty();
        GtkFileFilter* chosen = gtk_file_chooser_get_filter(chooser);
        for (size_t i = 0; i < filters.size(); ++i)
            if (filters[i] == chosen)
                answer.filterIndex = static_cast<int>(i) + 1;
    }
    gtk_widget_destroy(dialog);
    return answer;
}

// ---- colour ----------------------------------------------------------------------------------------

msg::CommonDialogAnswer ShowColourDialog(const msg::CommonDialogRequest& request)
{
    msg::CommonDialogAnswer answer;
    std::string title = request.title.IsEmpty() ? std::string("Color") : Text(request.title);
    GtkWidget* dialog = gtk_color_chooser_dialog_new(title.c_str(), nullptr);
    GtkColorChooser* chooser = GTK_COLOR_CHOOSER(dialog);
    gtk_color_chooser_set_use_alpha(chooser, FALSE);
    GdkRGBA start { GetRValue(request.colour) / 255.0, GetGValue(request.colour) / 255.0,
                    GetBValue(request.colour) / 255.0, 1.0 };
    gtk_color_chooser_set_rgba(chooser, &start);
    if (request.flags & kColourFullOpen)
        g_object_set(dialog, "show-editor", TRUE, nullptr);
    if (RunDialog(dialog, request.owner) == GTK_RESPONSE_OK) {
        GdkRGBA chosen;
        gtk_color_chooser_get_rgba(chooser, &chosen);
        auto channel = [](double v) { return static_cast<BYTE>(v <= 0 ? 0 : v >= 1 ? 255 : v * 255.0 + 0.5); };
        answer.colour = RGB(channel(chosen.red), channel(chosen.green), channel(chosen.blue));
        answer.accepted = true;
    }
    gtk_widget_destroy(dialog);
    return answer;
}

// ---- print -------------------------------------------------------------------------------------------

// GTK's print dialog through a print operation that stops once the user has chosen: the
// choice (a printer, or a file) is what the printer DC needs; the pages are rendered by the
// drawing module.
struct PrintChoice
{
    DialogRun run;
    CString printer;
    CString outputFile;
    bool preview { false };
};

// The dialog's own Preview would run GTK's previewer on pages this operation never draws, and its
// end would read as a choice to print: the programs' previews are their own, so the button is
// taken out of the dialog, and a preview that still starts is a cancel.
gboolean OnPreview(GtkPrintOperation*, GtkPrintOperationPreview*, GtkPrintContext*, GtkWindow*, gpointer data)
{
    static_cast<PrintChoice*>(data)->preview = true;
    return FALSE;
}

void LeavePreviewOutOfPrintDialogs()
{
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next)
        if (GTK_IS_PRINT_UNIX_DIALOG(w->data)) {
            GtkPrintUnixDialog* dialog = GTK_PRINT_UNIX_DIALOG(w->data);
            gtk_print_unix_dialog_set_manual_capabilities(
                dialog, GtkPrintCapabilities(gtk_print_unix_dialog_get_manual_capabilities(dialog)
                                             & ~GTK_PRINT_CAPABILITY_PREVIEW));
        }
    g_list_free(windows);
}

// The print dialog answered Cancel, as its own button would: the operation then ends.
void CancelPrintDialogs()
{
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next)
        if (GTK_IS_PRINT_UNIX_DIALOG(w->data) && gtk_widget_get_visible(GTK_WIDGET(w->data)))
            gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_CANCEL);
    g_list_free(windows);
}

void OnBeginPrint(GtkPrintOperation* operation, GtkPrintContext*, gpointer data)
{
    auto* choice = static_cast<PrintChoice*>(data);
    if (choice->preview) {
        gtk_print_operation_cancel(operation);
        return;
    }
    GtkPrintSettings* settings = gtk_print_operation_get_print_settings(operation);
    if (settings) {
        const gchar* uri = gtk_print_settings_get(settings, GTK_PRINT_SETTINGS_OUTPUT_URI);
        gchar* file = uri ? g_filename_from_uri(uri, nullptr, nullptr) : nullptr;
        if (file) {
            choice->outputFile = file;
            g_free(file);
        } else if (const gchar* printer = gtk_print_settings_get_printer(settings)) {
            choice->printer = printer;
        }
    }
    choice->run.response = GTK_RESPONSE_ACCEPT;
    gtk_print_operation_cancel(operation);
}

void OnPrintDone(GtkPrintOperation*, GtkPrintOperationResult, gpointer data)
{
    auto* choice = static_cast<PrintChoice*>(data);
    choice->run.done = true;
    PostThreadMessage(msg::CurrentThreadId(), WM_NULL, 0, 0);
}

msg::CommonDialogAnswer ShowPrintDialog(const msg::CommonDialogRequest& request)
{
    msg::CommonDialogAnswer answer;
    GtkPrintOperation* operation = gtk_print_operation_new();
    gtk_print_operation_set_allow_async(operation, TRUE);
    gtk_print_operation_set_n_pages(operation, 1);
    PrintChoice choice;
    g_signal_connect(operation, "begin-print", G_CALLBACK(OnBeginPrint), &choice);
    g_signal_connect(operation, "done", G_CALLBACK(OnPrintDone), &choice);
    g_signal_connect(operation, "preview", G_CALLBACK(OnPreview), &choice);
    {
        // GTK makes its print dialog modal and transient for the parent given here.
        ModalOwner modalOwner(request.owner);
        GtkPrintOperationResult result =
            gtk_print_operation_run(operation, GTK_PRINT_OPERATION_ACTION_PRINT_DIALOG, modalOwner.Parent(), nullptr);
        if (result == GTK_PRINT_OPERATION_RESULT_IN_PROGRESS) {
            LeavePreviewOutOfPrintDialogs();
            const auto cancel = [&choice, operation] {
                choice.run.response = GTK_RESPONSE_CANCEL;
                choice.run.done = true;
                CancelPrintDialogs();
                gtk_print_operation_cancel(operation);
            };
            const msg::ModalLoopScope scope(cancel);
            while (!choice.run.done)
                if (!msg::PumpMessage()) {
                    cancel(); // WM_QUIT: PumpMessage posted it again
                    break;
                }
        }
    }
    if (choice.run.response == GTK_RESPONSE_ACCEPT) {
        answer.accepted = true;
        answer.printer = choice.printer;
        answer.outputFile = choice.outputFile;
    }
    g_signal_handlers_disconnect_by_data(operation, &choice);
    g_object_unref(operation);
    return answer;
}

class GtkCommonDialogService : public msg::CommonDialogService
{
public:
    msg::CommonDialogAnswer Show(const msg::CommonDialogRequest& request) override
    {
        // GTK lives on the host thread; another thread's request is answered "cancelled".
        if (!IsHostThread())
            return {};
        switch (request.kind) {
        case msg::CommonDialogKind::OpenFile:
        case msg::CommonDialogKind::SaveFile:
        case msg::CommonDialogKind::Folder: return ShowFileDialog(request);
        case msg::CommonDialogKind::Colour: return ShowColourDialog(request);
        case msg::CommonDialogKind::Print: return ShowPrintDialog(request);
        }
        return {};
    }
};

} // namespace

void InstallCommonDialogs() { msg::SetCommonDialogService(std::make_shared<GtkCommonDialogService>()); }

} // namespace platform::host::gtk
