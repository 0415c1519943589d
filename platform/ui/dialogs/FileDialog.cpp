// CFileDialog on the common-dialog service.
#include "platform/ui/dialogs/FileDialog.h"

#include "platform/msg/CommonDialogService.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_fileName(lpszFileName), m_filter(lpszFilter), m_defExt(lpszDefExt),
      m_pParentWnd(pParentWnd)
{
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrFilter = lpszFilter ? m_filter.GetString() : nullptr;
    m_ofn.lpstrDefExt = lpszDefExt ? m_defExt.GetString() : nullptr;
}

INT_PTR CFileDialog::DoModal()
{
    platform::msg::CommonDialogRequest request;
    request.kind = m_bOpenFileDialog ? platform::msg::CommonDialogKind::OpenFile : platform::msg::CommonDialogKind::SaveFile;
    request.owner = m_ofn.hwndOwner ? m_ofn.hwndOwner : (m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr);
    request.title = m_ofn.lpstrTitle;
    request.initialFolder = m_ofn.lpstrInitialDir;
    request.fileName = m_fileName;
    request.filter = m_ofn.lpstrFilter;
    request.defaultExtension = m_ofn.lpstrDefExt;
    request.flags = m_ofn.Flags;
    platform::msg::CommonDialogAnswer answer = platform::msg::RunCommonDialog(request);
    if (!answer.accepted || answer.paths.empty())
        return IDCANCEL;
    m_paths = answer.paths;
    m_ofn.nFilterIndex = static_cast<DWORD>(answer.filterIndex);
    return IDOK;
}

CString CFileDialog::GetPathName() const { return m_paths.empty() ? m_fileName : m_paths.front(); }

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(path.ReverseFind('/') + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFolderPath() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind('/');
    return slash > 0 ? path.Left(slash) : (slash == 0 ? CString("/") : CString());
}

POSITION CFileDialog::GetStartPosition() const
{
    // A position is the index of the next path plus one, so that null ends the walk.
    return m_paths.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    auto index = static_cast<size_t>(reinterpret_cast<INT_PTR>(pos)) - 1;
    if (!pos || index >= m_paths.size()) {
        pos = nullptr;
        return {};
    }
    pos = index + 1 < m_paths.size() ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 2)) : nullptr;
    return m_paths[index];
}
