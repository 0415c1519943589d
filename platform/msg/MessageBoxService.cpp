// The message-box service and its built-in, recording implementation.
#include "platform/msg/MessageBoxService.h"

#include "platform/msg/ScriptedAnswers.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/Wnd.h"

#include <mutex>
#include <unistd.h>

namespace platform::msg {
namespace {

ScriptedAnswers<MessageBoxRequest, int>& Script()
{
    static ScriptedAnswers<MessageBoxRequest, int> script;
    return script;
}

// Guards everything below; never held while a service runs.
std::mutex s_lock;
std::shared_ptr<MessageBoxService> s_service;
CString s_defaultCaption;
bool s_haveDefaultCaption = false;

class RecordingService : public MessageBoxService
{
public:
    int Show(const MessageBoxRequest& request) override
    {
        return Script().Next(request, DefaultMessageBoxAnswer(request.type));
    }
};

std::shared_ptr<MessageBoxService> CurrentService()
{
    std::lock_guard lock(s_lock);
    if (!s_service)
        s_service = std::make_shared<RecordingService>();
    return s_service;
}

CString ProgramName()
{
    char path[4096];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return CString();
    path[n] = '\0';
    CString full(path);
    return full.Mid(full.ReverseFind('/') + 1);
}

} // namespace

void SetMessageBoxService(std::shared_ptr<MessageBoxService> service)
{
    std::lock_guard lock(s_lock);
    s_service = std::move(service);
}

int DefaultMessageBoxAnswer(UINT type)
{
    struct Buttons
    {
        UINT type;
        int answers[3];
    };
    static constexpr Buttons kButtons[] = {
        { MB_OK, { IDOK, IDOK, IDOK } },
        { MB_OKCANCEL, { IDOK, IDCANCEL, IDCANCEL } },
        { MB_ABORTRETRYIGNORE, { IDABORT, IDRETRY, IDIGNORE } },
        { MB_YESNOCANCEL, { IDYES, IDNO, IDCANCEL } },
        { MB_YESNO, { IDYES, IDNO, IDNO } },
        { MB_RETRYCANCEL, { IDRETRY, IDCANCEL, IDCANCEL } },
    };
    UINT defaultIndex = (type & MB_DEFMASK) >> 8;
    if (defaultIndex > 2)
        defaultIndex = 0;
    for (auto& b : kButtons)
        if (b.type == (type & MB_TYPEMASK))
            return b.answers[defaultIndex];
    return IDOK;
}

void SetDefaultMessageBoxCaption(const char* caption)
{
    std::lock_guard lock(s_lock);
    s_defaultCaption = caption ? caption : "";
    s_haveDefaultCaption = true;
}

CString DefaultMessageBoxCaption()
{
    {
        std::lock_guard lock(s_lock);
        if (s_haveDefaultCaption)
            return s_defaultCaption;
    }
    return ProgramName();
}

void ScriptMessageBoxAnswer(int answer) { Script().Script(answer); }
void ScriptMessageBoxAnswer(std::function<int(const MessageBoxRequest&)> answer) { Script().Script(std::move(answer)); }
std::vector<MessageBoxRequest> TakeShownMessageBoxes() { return Script().TakeShown(); }
void ResetMessageBoxScript() { Script().Reset(); }

} // namespace platform::msg

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    platform::msg::MessageBoxRequest request;
    request.owner = owner;
    request.text = text ? text : "";
    // The classic default caption of a message box without one is "Error".
    request.caption = caption ? caption : "Error";
    request.type = type;
    return platform::msg::CurrentService()->Show(request);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    CString caption = platform::msg::DefaultMessageBoxCaption();
    return MessageBox(CWnd::GetSafeOwnerHwnd(), lpszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, 0);
}
