// KTDirDialog: the desktop's folder picker; gives the chosen folder's path.
//
// The initial folder is class-wide: every construction sets it for all pickers, and the next
// picker shown preselects it.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

class KTDirDialog
{
public:
    KTDirDialog(HWND owner, LPCTSTR title, LPCTSTR initialFolder, LPCTSTR rootFolder);
    KTDirDialog(const KTDirDialog&) = default;
    KTDirDialog& operator=(const KTDirDialog&) = default;
    virtual ~KTDirDialog() = default;

    // Shows the picker (the browse flags go to the picker unchanged): IDOK (1) with the chosen
    // path kept, IDCANCEL (2) when the user cancelled. A chosen item without a folder path gives
    // IDOK and an empty path.
    int DoModal(UINT browseFlags);
    CString GetPathName() const { return m_strPath; }

    static CString m_strInitDir;

private:
    HWND m_hOwner { nullptr };
    CString m_strTitle;
    CString m_strRoot;
    CString m_strPath;
};
