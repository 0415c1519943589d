// KTGF file and folder members: tests, sizes, listings, creating, renaming and deleting.
// Everything goes through the platform's file-system layer or the standard library; results are
// the KTGF_ codes of KTGF.h.
#include "ktutil/KTGF.h"

#include "ktutil/KTUtilPlatform.h"
#include "platform/core/Collections.h"
#include "platform/core/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Entry
{
    CString path;
    bool isFolder { false };
    ULONGLONG size { 0 };
};

// The entries of a folder whose names match the pattern, in name order; false when the folder
// does not exist. Symbolic links to folders and special files are left out.
bool ListFolder(const CString& folder, LPCTSTR pattern, std::vector<Entry>& entries)
{
    if (!KTGF::IsDir(folder))
        return false;
    const char* wildcard = KTGF::IsEmpty(pattern) ? "*.*" : pattern;
    std::error_code ec;
    for (fs::directory_iterator it(folder.GetString(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name == "." || name == ".." || !platform::MatchesWildcard(name.c_str(), wildcard))
            continue;
        std::error_code statEc;
        const fs::file_status own = it->symlink_status(statEc);
        const fs::file_status target = it->status(statEc);
        Entry entry;
        entry.path = KTGF::MakePath(folder, name.c_str());
        if (fs::is_directory(own)) {
            entry.isFolder = true;
        } else if (fs::is_regular_file(target)) {
            std::error_code sizeEc;
            const auto size = fs::file_size(it->path(), sizeEc);
            entry.size = sizeEc ? 0 : static_cast<ULONGLONG>(size);
        } else {
            continue;
        }
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.path < b.path; });
    return true;
}

// A path with one trailing separator removed ("/" itself stays).
CString WithoutSep(LPCTSTR path)
{
    CString text(path);
    KTGF::DelPathSep(text);
    return text;
}

// The result code of a failed rename from its errno.
int RenameResult(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case EINVAL: return KTGF_INVALID_PATH;
    case EACCES:
    case EPERM:
    case EROFS: return KTGF_OPEN_FAILED;
    case EEXIST:
    case ENOTEMPTY: return KTGF_EXISTS;
    default: return KTGF_RENAME_FAILED;
    }
}

int RenameEntry(const CString& from, const CString& parent, LPCTSTR newName)
{
    // A bare name stays in the current folder rather than moving to the program folder.
    const CString to = parent.IsEmpty() ? CString(newName) : KTGF::MakePath(parent, newName);
    if (!platform::RenameNoReplace(from, to))
        return RenameResult(errno);
    return KTGF_DONE;
}

// Mounted file systems as /proc/self/mounts lists them: mount folder and type.
std::vector<std::pair<std::string, std::string>> Mounts()
{
    std::vector<std::pair<std::string, std::string>> mounts;
    std::ifstream in("/proc/self/mounts");
    std::string device, folder, type, rest;
    while (in >> device >> folder >> type && std::getline(in, rest))
        mounts.emplace_back(folder, type);
    return mounts;
}

bool IsDiscType(const std::string& type) { return type == "iso9660" || type == "udf"; }

} // namespace

// ---- tests -----------------------------------------------------------------------------------------

BOOL KTGF::IsFile(LPCTSTR path)
{
    if (IsEmpty(path))
        return FALSE;
    platform::FileInfo info;
    return platform::GetFileInfo(path, info) && !info.isDirectory;
}

BOOL KTGF::IsDir(LPCTSTR path)
{
    if (IsEmpty(path))
        return FALSE;
    platform::FileInfo info;
    return platform::GetFileInfo(path, info) && info.isDirectory;
}

BOOL KTGF::IsExist(LPCTSTR path) { return IsFile(path) || IsDir(path); }

BOOL KTGF::IsDirEmpty(LPCTSTR folder) { return GetDirFiles(folder, nullptr, nullptr, TRUE) == 0; }

BOOL KTGF::IsDriveRoot(LPCTSTR path)
{
    if (!IsDir(path))
        return FALSE;
    std::error_code ec;
    const fs::path canonical = fs::canonical(path, ec);
    if (ec)
        return FALSE;
    for (const auto& mount : Mounts())
        if (fs::path(mount.first) == canonical)
            return TRUE;
    return canonical == "/";
}

BOOL KTGF::IsCDRomDrive(LPCTSTR path)
{
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(path ? path : "", ec);
    if (ec || IsEmpty(path))
        return FALSE;
    // The mount that holds the path is the one with the longest folder that contains it.
    std::size_t best = 0;
    bool disc = false;
    const std::string p = canonical.string();
    for (const auto& [folder, type] : Mounts()) {
        const bool contains = p == folder || folder == "/" || p.rfind(folder + "/", 0) == 0;
        if (contains && folder.size() >= best) {
            best = folder.size();
            disc = IsDiscType(type);
        }
    }
    return disc;
}

BOOL KTGF::IsReadOnly(LPCTSTR path)
{
    if (IsEmpty(path))
        return FALSE;
    const DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

CString KTGF::GetCDROMDrive(SHORT index)
{
    if (index < 0)
        return CString();
    int found = 0;
    for (const auto& [folder, type] : Mounts()) {
        if (!IsDiscType(type))
            continue;
        if (found++ == index) {
            CString root(folder);
            AddPathSep(root);
            return root;
        }
    }
    return CString();
}

int KTGF::SetReadOnly(LPCTSTR path, BOOL readOnly)
{
    if (!IsExist(path))
        return KTGF_INVALID_PATH;
    const DWORD attributes = GetFileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return KTGF_DONE;
    const DWORD wanted = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
    if (wanted != attributes)
        SetFileAttributes(path, wanted);
    return KTGF_DONE;
}

int KTGF::SetReadOnlyDir(LPCTSTR folder, BOOL readOnly, BOOL includeFolder)
{
    if (!IsDir(folder))
        return KTGF_INVALID_PATH;
    CStringArray files;
    GetDirInfo(folder, nullptr, nullptr, &files, TRUE);
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        const int result = SetReadOnly(files[i], readOnly);
        if (result < 0)
            return result;
    }
    if (includeFolder)
        return SetReadOnly(folder, readOnly);
    return KTGF_DONE;
}

// ---- sizes -----------------------------------------------------------------------------------------

DWORD KTGF::GetFileSize(LPCTSTR path, BOOL inKB)
{
    platform::FileInfo info;
    if (IsEmpty(path) || !platform::GetFileInfo(path, info) || info.isDirectory)
        return 0;
    const ULONGLONG size = inKB ? info.size >> 10 : info.size;
    return static_cast<DWORD>(std::min<ULONGLONG>(size, 0xFFFFFFFFull));
}

LONGLONG KTGF::GetDirInfo(LPCTSTR folder, LPCTSTR pattern, CStringArray* folders, CStringArray* files, BOOL recurse)
{
    std::vector<Entry> entries;
    if (!ListFolder(CString(folder), pattern, entries))
        return -1;
    LONGLONG total = 0;
    for (const Entry& entry : entries) {
        if (entry.isFolder) {
            if (folders)
                folders->Add(entry.path);
            if (recurse) {
                const LONGLONG below = GetDirInfo(entry.path, pattern, folders, files, TRUE);
                if (below > 0)
                    total += below;
            }
        } else {
            if (files)
                files->Add(entry.path);
            total += static_cast<LONGLONG>(entry.size);
        }
    }
    return total;
}

LONGLONG KTGF::GetDirSize(LPCTSTR folder, BOOL inKB, BOOL recurse)
{
    const LONGLONG total = GetDirInfo(folder, nullptr, nullptr, nullptr, recurse);
    return inKB && total > 0 ? total / 1024 : total;
}

LONGLONG KTGF::GetDriveFreeSpace(LPCTSTR path, BOOL inKB)
{
    ULARGE_INTEGER available {};
    if (!GetDiskFreeSpaceEx(IsEmpty(path) ? nullptr : path, &available, nullptr, nullptr))
        return -1;
    const auto bytes = static_cast<LONGLONG>(available.QuadPart);
    return inKB ? bytes / 1024 : bytes;
}

BOOL KTGF::GetDriveFreeSpaceEx(LPCTSTR path, ULONGLONG& total, ULONGLONG& freeBytes)
{
    ULARGE_INTEGER available {};
    ULARGE_INTEGER size {};
    if (!GetDiskFreeSpaceEx(IsEmpty(path) ? nullptr : path, &available, &size, nullptr))
        return FALSE;
    total = size.QuadPart;
    freeBytes = available.QuadPart;
    return TRUE;
}

// ---- listings --------------------------------------------------------------------------------------

int KTGF::GetDirFiles(LPCTSTR folder, LPCTSTR pattern, CStringArray* files, BOOL subfolders)
{
    std::vector<Entry> entries;
    if (!ListFolder(CString(folder), pattern, entries))
        return -1;
    int count = 0;
    for (const Entry& entry : entries) {
        if (!entry.isFolder) {
            if (files)
                files->Add(entry.path);
            ++count;
        } else if (subfolders) {
            std::vector<Entry> inner;
            ListFolder(entry.path, pattern, inner);
            for (const Entry& file : inner) {
                if (file.isFolder)
                    continue;
                if (files)
                    files->Add(file.path);
                ++count;
            }
        }
    }
    return count;
}

int KTGF::GetSubDirList(LPCTSTR folder, CStringArray* folders, BOOL recurse)
{
    std::vector<Entry> entries;
    if (!ListFolder(CString(folder), nullptr, entries))
        return -1;
    int count = 0;
    for (const Entry& entry : entries) {
        if (!entry.isFolder)
            continue;
        if (folders)
            folders->Add(entry.path);
        ++count;
        if (recurse)
            count += std::max(0, GetSubDirList(entry.path, folders, TRUE));
    }
    return count;
}

// ---- creating ----------------------------------------------------------------------------------------

int KTGF::CreateFileA(LPCTSTR path, BOOL makeFolder, BOOL overwrite)
{
    if (!IsValidPathName(path))
        return KTGF_INVALID_PATH;
    if (!overwrite && IsFile(path))
        return KTGF_EXISTS;
    if (makeFolder) {
        const int result = CreateDir(WithoutSep(ExtractDir(path)));
        if (result < 0)
            return result;
    }
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        ktutil::ShowError(FormatMsg(ErrorFromErrno(errno)));
        return KTGF_CREATE_FAILED;
    }
    std::fclose(file);
    return KTGF_DONE;
}

int KTGF::CreateDir(LPCTSTR path)
{
    const CString folder = WithoutSep(path);
    if (IsDir(folder))
        return KTGF_DONE;
    if (!IsValidPathName(folder))
        return KTGF_INVALID_PATH;
    CStringArray parts;
    SplitText(folder, "/", TRUE, parts);
    CString current = folder[0] == '/' ? CString("/") : CString();
    for (INT_PTR i = 0; i < parts.GetSize(); ++i) {
        current += parts[i];
        CreateDirectory(current); // an existing level is fine
        current += '/';
    }
    return IsDir(folder) ? KTGF_DONE : KTGF_FAILED;
}

// ---- renaming ------------------------------------------------------------------------------------------

int KTGF::RenameFile(LPCTSTR path, LPCTSTR newName)
{
    if (!IsFile(path) || !IsValidFileName(newName))
        return KTGF_INVALID_PATH;
    return RenameEntry(CString(path), ExtractDir(path), newName);
}

int KTGF::RenameDir(LPCTSTR folder, LPCTSTR newName)
{
    if (!IsDir(folder) || !IsValidFileName(newName))
        return KTGF_INVALID_PATH;
    const CString from = WithoutSep(folder);
    return RenameEntry(from, ExtractDir(from), newName);
}

// ---- deleting ------------------------------------------------------------------------------------------

int KTGF::DeleteFileA(LPCTSTR path, BOOL recycle)
{
    if (IsEmpty(path))
        return KTGF_FAILED;
    if (recycle)
        return ktutil::MoveToTrash(path) ? KTGF_DONE : KTGF_FAILED;
    return DeleteFile(path) ? KTGF_DONE : KTGF_FAILED;
}

int KTGF::DeleteDir(LPCTSTR folder)
{
    if (!IsDir(folder) || !IsDirEmpty(folder))
        return KTGF_INVALID_PATH;
    CStringArray subfolders;
    GetSubDirList(folder, &subfolders, FALSE);
    for (INT_PTR i = 0; i < subfolders.GetSize(); ++i)
        if (DeleteDir(subfolders[i]) != KTGF_DONE)
            return KTGF_DELETE_FAILED;
    return RemoveDirectory(folder) ? KTGF_DONE : KTGF_DELETE_FAILED;
}
