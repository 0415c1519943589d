// CFileDialog: the open and save file dialogs of the host (the common-dialog service), with the
// classic filter text ("Recordings (*.fmf)|*.fmf|All files (*.*)|*.*||", and kProgramFilesPattern
// for programs), a default extension
// for names typed without one, and several files at once with OFN_ALLOWMULTISELECT. The caller
// may set m_ofn (initial folder, title, filter index) before DoModal; the texts it points to
// stay the caller's.
#pragma once

#include "platform/core/Collections.h"
#include "platform/msg/Wnd.h"

#include <vector>

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

// A filter pattern of this layer's own: the files the user may run (execute permission), since
// programs here carry no extension to match ("Programs|<programs>|All Files (*.*)|*.*||").
constexpr char kProgramFilesPattern[] = "<programs>";

struct OPENFILENAME
{
    DWORD lStructSize { sizeof(OPENFILENAME) };
    HWND hwndOwner { nullptr };
    LPCSTR lpstrFilter { nullptr };   // the classic "Name|pattern|...||" text
    DWORD nFilterIndex { 1 };         // 1-based, in and out
    LPCSTR lpstrInitialDir { nullptr };
    LPCSTR lpstrTitle { nullptr };
    LPCSTR lpstrDefExt { nullptr };   // without the dot
    DWORD Flags { 0 };
};

class CFileDialog
{
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete; // m_ofn points into the object's own texts
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK with the chosen file (or files), or IDCANCEL.
    virtual INT_PTR DoModal();

    // The first chosen file: its full path, its name, the name without its extension, its
    // extension (without the dot) and its folder.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileTitle() const;
    CString GetFileExt() const;
    CString GetFolderPath() const;
    // Every chosen file in turn (several with OFN_ALLOWMULTISELECT); null when none is left.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn;

private:
    BOOL m_bOpenFileDialog { TRUE };
    CString m_fileName;
    CString m_filter;
    CString m_defExt;
    CWnd* m_pParentWnd { nullptr };
    std::vector<CString> m_paths;
};
