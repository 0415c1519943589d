// The common-dialog service and its built-in, recording implementation.
#include "platform/msg/CommonDialogService.h"

#include "platform/msg/ScriptedAnswers.h"
#include "platform/msg/Wnd.h"

namespace platform::msg {
namespace {

ScriptedAnswers<CommonDialogRequest, CommonDialogAnswer>& Script()
{
    static ScriptedAnswers<CommonDialogRequest, CommonDialogAnswer> script;
    return script;
}

// Without a host the built-in service answers "cancelled" unless a test scripted otherwise.
class RecordingService : public CommonDialogService
{
public:
    CommonDialogAnswer Show(const CommonDialogRequest& request) override { return Script().Next(request, {}); }
};

std::mutex s_lock; // guards s_service
std::shared_ptr<CommonDialogService> s_service;

} // namespace

void SetCommonDialogService(std::shared_ptr<CommonDialogService> service)
{
    std::lock_guard lock(s_lock);
    s_service = std::move(service);
}

CommonDialogAnswer RunCommonDialog(const CommonDialogRequest& request)
{
    std::shared_ptr<CommonDialogService> service;
    {
        std::lock_guard lock(s_lock);
        if (!s_service)
            s_service = std::make_shared<RecordingService>();
        service = s_service;
    }
    // A dialog asked for without an owner still belongs to the window the user works in, so
    // that it shows above it.
    if (!request.owner) {
        CommonDialogRequest owned = request;
        owned.owner = CWnd::GetSafeOwnerHwnd();
        return service->Show(owned);
    }
    return service->Show(request);
}

void ScriptCommonDialogAnswer(CommonDialogAnswer answer) { Script().Script(std::move(answer)); }
void ScriptCommonDialogAnswer(std::function<CommonDialogAnswer(const CommonDialogRequest&)> answer)
{
    Script().Script(std::move(answer));
}
std::vector<CommonDialogRequest> TakeShownCommonDialogs() { return Script().TakeShown(); }
void ResetCommonDialogScript() { Script().Reset(); }

} // namespace platform::msg
