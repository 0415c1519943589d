// CFileFind: one readdir pass per search, filtered by the wildcard and sorted by name.
#include "platform/core/FileFind.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace {

// Folder part (absolute) and pattern part of a search name.
void SplitSearch(const CString& search, CString& folder, CString& pattern)
{
    const int slash = search.ReverseFind('/');
    if (slash < 0) {
        folder = ".";
        pattern = search;
    } else {
        folder = slash == 0 ? CString("/") : search.Left(slash);
        pattern = search.Mid(slash + 1);
    }
    if (folder.GetAt(0) != '/') {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd)) {
            CString base(cwd);
            folder = folder == "." ? base : (base == "/" ? base : base + "/") + folder;
        }
    }
}

} // namespace

BOOL CFileFind::FindFile(LPCTSTR name, DWORD)
{
    Close();
    CString pattern;
    SplitSearch(name ? CString(name) : CString("*.*"), m_root, pattern);
    if (pattern.IsEmpty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    DIR* dir = opendir(m_root);
    if (!dir) {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
        return FALSE;
    }
    const int fd = dirfd(dir);
    while (const dirent* d = readdir(dir)) {
        if (!platform::MatchesWildcard(d->d_name, pattern))
            continue;
        Entry entry{d->d_name, {}};
        if (!platform::GetFileInfoAt(fd, d->d_name, entry.info))
            continue; // vanished meanwhile
        m_entries.push_back(std::move(entry));
    }
    closedir(dir);
    std::sort(m_entries.begin(), m_entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    if (m_entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_index + 1 >= static_cast<int>(m_entries.size()))
        return FALSE;
    ++m_index;
    return m_index + 1 < static_cast<int>(m_entries.size());
}

void CFileFind::Close()
{
    m_entries.clear();
    m_index = -1;
    m_root.Empty();
}

const CFileFind::Entry* CFileFind::Current() const
{
    return m_index >= 0 && m_index < static_cast<int>(m_entries.size()) ? &m_entries[m_index] : nullptr;
}

ULONGLONG CFileFind::GetLength() const
{
    return Current() ? Current()->info.size : 0;
}
CString CFileFind::GetFileName() const
{
    return Current() ? Current()->name : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!Current())
        return CString();
    return (m_root == "/" ? m_root : m_root + "/") + Current()->name;
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const
{
    return m_root;
}

BOOL CFileFind::GetLastWriteTime(CTime& time) const
{
    if (!Current())
        return FALSE;
    time = Current()->info.lastWriteTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& time) const
{
    if (!Current())
        return FALSE;
    time = Current()->info.lastAccessTime;
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& time) const
{
    if (!Current())
        return FALSE;
    time = Current()->info.creationTime;
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD mask) const
{
    return Current() && (Current()->info.attributes & mask) != 0;
}

BOOL CFileFind::IsDots() const
{
    return Current() && Current()->info.isDirectory && (Current()->name == "." || Current()->name == "..");
}
