// The common dialogs (open and save file, choose folder, choose colour, print) as a
// replaceable service, like message boxes (MessageBoxService.h).
//
// The framework's dialog classes build a request and run it here. A host with native dialogs
// installs its service; the built-in one, used under the null host, shows nothing: it answers
// with the next scripted answer, or "cancelled" when none is scripted, and records the request.
#pragma once

#include "platform/core/CString.h"
#include "platform/msg/Messages.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform::msg {

enum class CommonDialogKind { OpenFile, SaveFile, Folder, Colour, Print };

struct CommonDialogRequest
{
    CommonDialogKind kind { CommonDialogKind::OpenFile };
    HWND owner { nullptr };
    CString title;
    CString initialFolder;
    CString fileName;         // proposed file name (file dialogs)
    CString filter;           // classic "Text files (*.txt)|*.txt|All files|*.*||"
    CString defaultExtension; // without the dot
    DWORD flags { 0 };        // the dialog's classic flags, passed through
    COLORREF colour { 0 };    // the initial colour (colour dialog)
};

struct CommonDialogAnswer
{
    bool accepted { false };      // false: the user cancelled
    std::vector<CString> paths;   // chosen files (several with multiple selection) or the folder
    int filterIndex { 1 };        // 1-based, as the classic dialogs count
    COLORREF colour { 0 };
    CString printer;              // chosen printer, or empty for printing to a file
    CString outputFile;           // print to file: the path
};

class CommonDialogService
{
public:
    virtual ~CommonDialogService() = default;
    virtual CommonDialogAnswer Show(const CommonDialogRequest& request) = 0;
};

// Installs a service; null puts the built-in one back.
void SetCommonDialogService(std::shared_ptr<CommonDialogService> service);
// Runs a common dialog on the calling thread; a request without an owner gets the safe owner
// (CWnd::GetSafeOwner).
CommonDialogAnswer RunCommonDialog(const CommonDialogRequest& request);

// ---- the test hook of the built-in service ----------------------------------------------------
void ScriptCommonDialogAnswer(CommonDialogAnswer answer);
void ScriptCommonDialogAnswer(std::function<CommonDialogAnswer(const CommonDialogRequest&)> answer);
std::vector<CommonDialogRequest> TakeShownCommonDialogs();
void ResetCommonDialogScript();

} // namespace platform::msg
