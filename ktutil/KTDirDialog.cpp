// KTDirDialog over the window layer's common-dialog service (its folder kind). Under the null
// host the service answers from the test script; the gtk host shows its native folder chooser.
#include "ktutil/KTDirDialog.h"

#include "platform/msg/CommonDialogService.h"

CString KTDirDialog::m_strInitDir;

KTDirDialog::KTDirDialog(HWND owner, LPCTSTR title, LPCTSTR initialFolder, LPCTSTR rootFolder)
    : m_hOwner(owner), m_strTitle(title ? title : ""), m_strRoot(rootFolder ? rootFolder : "")
{
    m_strInitDir = initialFolder ? initialFolder : "";
}

int KTDirDialog::DoModal(UINT browseFlags)
{
    // The service has no notion of a namespace root: the picker starts at the initial folder
    // (nothing preselected when it is empty) and may browse the whole file system.
    platform::msg::CommonDialogRequest request;
    request.kind = platform::msg::CommonDialogKind::Folder;
    request.owner = m_hOwner;
    request.title = m_strTitle;
    request.initialFolder = m_strInitDir;
    request.flags = browseFlags;

    platform::msg::CommonDialogAnswer answer = platform::msg::RunCommonDialog(request);
    if (!answer.accepted)
        return IDCANCEL;
    m_strPath = answer.paths.empty() ? CString() : answer.paths.front();
    return IDOK;
}
