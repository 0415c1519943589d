// KTGF copying, moving and deleting of files and folder trees, with progress and cancel.
//
// Guarantees beyond the classic behaviour:
//  - a copy is written beside its target and put in place only when complete, so a failed or
//    cancelled copy leaves no partial file and an old target survives a failure;
//  - a file is never copied onto itself (same file reached by two names): -2004;
//  - a move across file systems deletes the source only after its copy succeeded;
//  - a move never replaces an existing file by renaming onto it; Yes to "Overwrite ?" replaces
//    the target by copying over it, then deletes the source;
//  - percentages never divide by zero: an empty or growing file counts as 100 %;
//  - a cancel stops the whole operation.
#include "ktutil/KTGF.h"

#include "ktutil/KTCallBack.h"
#include "ktutil/KTUtilPlatform.h"
#include "platform/core/Collections.h"
#include "platform/core/FileSystem.h"
#include "platform/msg/Messages.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kBlockSize = 4096;
constexpr const char* kOverwriteQuestion = "Overwrite ?";

LONG Percent(LONGLONG done, LONGLONG total)
{
    if (total <= 0 || done >= total)
        return 100;
    return static_cast<LONG>(done * 100 / total);
}

CString WithoutSep(LPCTSTR path)
{
    CString text(path);
    KTGF::DelPathSep(text);
    return text;
}

ULONGLONG SizeOf(const CString& path)
{
    platform::FileInfo info;
    return platform::GetFileInfo(path, info) ? info.size : 0;
}

DWORD Size32(ULONGLONG size) { return static_cast<DWORD>(std::min<ULONGLONG>(size, 0xFFFFFFFFull)); }

// Two names of one file (same device and inode).
bool SameFile(const CString& a, const CString& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(a.GetString(), b.GetString(), ec) && !ec;
}

// The progress record of one operation and the target it is reported to.
class Progress
{
public:
    Progress(KTCallBack* target, LONG code, LONG fileCount, LONGLONG totalSize) : m_target(target)
    {
        m_notify.nCode = code;
        m_notify.pProgress = &m_record;
        m_record.nFileCount = fileCount;
        m_record.nTotalSize = totalSize;
    }

    // Reports the record; true when the target asks to cancel.
    bool Report() { return m_target && m_target->CallBack(&m_notify) == KTCALLBACK_CANCEL; }

    void StartFile(const CString& name, ULONGLONG size)
    {
        m_record.strFileName = name;
        m_record.nFileNumber += 1;
        m_record.nFileSize = Size32(size);
        m_record.nFileDone = 0;
        m_record.nFilePercent = 0;
    }

    void AddBytes(std::size_t bytes)
    {
        m_record.nTotalDone += static_cast<LONGLONG>(bytes);
        m_record.nFileDone += static_cast<DWORD>(bytes);
        m_record.nTotalPercent = Percent(m_record.nTotalDone, m_record.nTotalSize);
        m_record.nFilePercent = Percent(m_record.nFileDone, m_record.nFileSize);
    }

    // A whole file handled in one step (skipped, or moved by renaming); true on cancel.
    bool FileHandled(const CString& name, ULONGLONG size)
    {
        if (!m_target)
            return false;
        StartFile(name, size);
        m_record.nFileDone = Size32(size);
        m_record.nFilePercent = 100;
        m_record.nTotalDone += static_cast<LONGLONG>(size);
        m_record.nTotalPercent = Percent(m_record.nTotalDone, m_record.nTotalSize);
        return Report();
    }

    // One file of a deletion; true on cancel.
    bool FileDeleted(const CString& name)
    {
        if (!m_target)
            return false;
        m_record.strFileName = name;
        m_record.nFileNumber += 1;
        m_record.nTotalPercent = Percent(m_record.nFileNumber, m_record.nFileCount);
        return Report();
    }

private:
    KTCallBack* m_target { nullptr };
    KTNotifyProgress m_record;
    __KTNotify m_notify;
};

// A fresh name beside the target for the copy in progress, created exclusively.
std::FILE* OpenPartFile(const CString& target, CString& partName)
{
    const CString folder = KTGF::ExtractDir(target);
    const CString name = KTGF::ExtractName(target, TRUE);
    for (int attempt = 0; attempt < 100; ++attempt) {
        partName = folder + FormatString(".%s.%d-%d.part", name.GetString(), static_cast<int>(getpid()), attempt);
        if (std::FILE* file = std::fopen(partName, "wbx"))
            return file;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

// The source's times and read-only attribute onto the copy.
void CopyStatus(const CString& source, const CString& target)
{
    platform::FileInfo info;
    if (!platform::GetFileInfo(source, info))
        return;
    platform::SetFileTimes(target, &info.lastAccessTime, &info.lastWriteTime);
    if (info.attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributes(target, GetFileAttributes(target) | FILE_ATTRIBUTE_READONLY);
}

// Copies one file in blocks of 4096 bytes, reporting each block. Results: 0, 1 cancelled, -1 a
// read or write failed, -2004 target not created (or it is the source, or read-only), -2006
// source not opened. Nothing is left at the target unless the copy completed.
int BlockCopy(const CString& source, const CString& target, Progress& progress)
{
    if (SameFile(source, target))
        return KTGF_CREATE_FAILED;
    if (KTGF::IsReadOnly(target))
        return KTGF_CREATE_FAILED;
    progress.StartFile(source, SizeOf(source));
    std::FILE* in = std::fopen(source, "rb");
    if (!in)
        return KTGF_OPEN_FAILED;
    CString partName;
    std::FILE* out = OpenPartFile(target, partName);
    if (!out) {
        std::fclose(in);
        return KTGF_CREATE_FAILED;
    }
    auto abandon = [&](int result) {
        std::fclose(in);
        std::fclose(out);
        std::remove(partName);
        return result;
    };
    char block[kBlockSize];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, in);
        if (got > 0) {
            if (std::fwrite(block, 1, got, out) != got)
                return abandon(KTGF_FAILED);
            progress.AddBytes(got);
            if (progress.Report())
                return abandon(KTGF_CANCELLED);
        }
        if (got < sizeof block) {
            if (std::ferror(in))
                return abandon(KTGF_FAILED);
            break;
        }
        // Keeps the calling thread's windows alive during a long copy.
        ktutil::DispatchOneMessage();
    }
    std::fclose(in);
    if (std::fclose(out) != 0) {
        std::remove(partName);
        return KTGF_FAILED;
    }
    CopyStatus(source, partName);
    if (std::rename(partName, target) != 0) {
        std::remove(partName);
        return KTGF_CREATE_FAILED;
    }
    return KTGF_DONE;
}

// Deletes the source of a finished copy; -2005 when it stays.
int DeleteMovedSource(const CString& source)
{
    return KTGF::DeleteFileA(source, FALSE) == KTGF_DONE ? KTGF_DONE : KTGF_DELETE_FAILED;
}

// One gathered file of a multi-item operation and the folder its relative name falls back to.
struct GatheredFile
{
    CString path;
    CString itemParent;
};

// The path below the base folder (only as a leading prefix, at a folder boundary); otherwise
// below the folder that holds the list item it came from; otherwise its name.
CString RelativeName(const CString& path, CString base, const CString& itemParent)
{
    KTGF::AddPathSep(base);
    if (path.str().starts_with(base.str()))
        return path.Mid(base.GetLength());
    if (!itemParent.IsEmpty() && path.str().starts_with(itemParent.str()))
        return path.Mid(itemParent.GetLength());
    return KTGF::ExtractName(path, TRUE);
}

int TransferMulti(CStringArray& list, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* callback, bool move)
{
    if (list.GetSize() == 0)
        return KTGF_DONE;
    const CString targetDir = WithoutSep(target);
    if (!KTGF::IsValidPathName(targetDir) || KTGF::CreateDir(targetDir) < 0)
        return KTGF_INVALID_PATH;
    KTGF::SortString(list, TRUE);

    std::vector<GatheredFile> files;
    CStringArray folders;
    LONGLONG total = 0;
    CString base;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        const CString item = WithoutSep(list[i]);
        if (KTGF::IsFile(item)) {
            if (base.IsEmpty())
                base = KTGF::ExtractDir(item);
            files.push_back({ item, KTGF::ExtractDir(item) });
            total += static_cast<LONGLONG>(SizeOf(item));
        } else if (KTGF::IsDir(item)) {
            folders.Add(item);
            CStringArray found;
            const LONGLONG bytes = KTGF::GetDirInfo(item, pattern, nullptr, &found, TRUE);
            total += bytes > 0 ? bytes : 0;
            for (INT_PTR j = 0; j < found.GetSize(); ++j)
                files.push_back({ found[j], KTGF::ExtractDir(item) });
        }
    }
    if (files.empty() && folders.GetSize() == 0)
        return KTGF_DONE;
    if (base.IsEmpty())
        base = WithoutSep(list[0]);

    Progress progress(callback, move ? KTNOTIFY_MOVE : KTNOTIFY_COPY, static_cast<LONG>(files.size()), total);
    for (const GatheredFile& file : files) {
        const CString dest = KTGF::MakePath(targetDir, RelativeName(file.path, base, file.itemParent));
        const int made = KTGF::CreateDir(WithoutSep(KTGF::ExtractDir(dest)));
        if (made < 0)
            return made;
        bool replace = false;
        if (ask && KTGF::IsFile(dest)) {
            const int answer = ktutil::AskYesNoCancel(kOverwriteQuestion);
            if (answer == IDCANCEL)
                return KTGF_CANCELLED;
            if (answer == IDNO) {
                if (progress.FileHandled(file.path, SizeOf(file.path)))
                    return KTGF_CANCELLED;
                continue;
            }
            replace = true;
        }
        if (move && !replace) {
            if (SameFile(file.path, dest))
                return KTGF_CREATE_FAILED;
            if (platform::RenameNoReplace(file.path, dest)) {
                if (progress.FileHandled(file.path, SizeOf(dest)))
                    return KTGF_CANCELLED;
                continue;
            }
            if (errno != EXDEV)
                return KTGF_MOVE_FAILED;
        }
        const int copied = BlockCopy(file.path, dest, progress);
        if (copied != KTGF_DONE)
            return copied;
        if (move) {
            const int deleted = DeleteMovedSource(file.path);
            if (deleted != KTGF_DONE)
                return deleted;
        }
    }
    if (move)
        for (INT_PTR i = 0; i < folders.GetSize(); ++i)
            KTGF::DeleteDir(folders[i]); // a folder with files left (other patterns) stays
    return KTGF_DONE;
}

// The contents of a folder into another (made when missing).
int TransferDir(LPCTSTR source, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* callback, bool move)
{
    if (!KTGF::IsDir(source) || !KTGF::IsValidPathName(WithoutSep(target)))
        return KTGF_INVALID_PATH;
    const int made = KTGF::CreateDir(target);
    if (made < 0)
        return made;
    CStringArray list;
    list.Add(WithoutSep(source));
    return TransferMulti(list, target, pattern, ask, callback, move);
}

} // namespace

// ---- single files ---------------------------------------------------------------------------------

int KTGF::CopyFileA(LPCTSTR source, LPCTSTR target, BOOL ask, BOOL makeFolder, KTCallBack* callback)
{
    if (!IsFile(source) || !IsValidPathName(target))
        return KTGF_INVALID_PATH;
    const CString folder = WithoutSep(ExtractDir(target));
    if (!folder.IsEmpty() && !IsDir(folder)) {
        if (!makeFolder)
            return KTGF_NO_TARGET_DIR;
        const int made = CreateDir(folder);
        if (made < 0)
            return made;
    }
    if (SameFile(source, target))
        return KTGF_CREATE_FAILED;
    if (ask && IsFile(target)) {
        const int answer = ktutil::AskYesNoCancel(kOverwriteQuestion);
        if (answer == IDCANCEL)
            return KTGF_CANCELLED;
        if (answer == IDNO)
            return KTGF_NOT_OVERWRITTEN;
    }
    Progress progress(callback, KTNOTIFY_COPY, 1, static_cast<LONGLONG>(SizeOf(source)));
    return BlockCopy(source, target, progress);
}

int KTGF::MoveFileA(LPCTSTR source, LPCTSTR target, BOOL ask, KTCallBack* callback)
{
    if (!IsFile(source) || !IsValidPathName(target))
        return KTGF_INVALID_PATH;
    if (SameFile(source, target))
        return KTGF_CREATE_FAILED;
    if (ask && IsFile(target)) {
        const int answer = ktutil::AskYesNoCancel(kOverwriteQuestion);
        if (answer == IDCANCEL)
            return KTGF_CANCELLED;
        if (answer == IDNO)
            return KTGF_NOT_OVERWRITTEN;
        // Yes: replace the target by copying over it; the source goes once the copy is whole.
        const int copied = CopyFileA(source, target, FALSE, TRUE, callback);
        return copied == KTGF_DONE ? DeleteMovedSource(CString(source)) : copied;
    }
    const int made = CreateDir(WithoutSep(ExtractDir(target)));
    if (made < 0)
        return made;
    const ULONGLONG size = SizeOf(CString(source));
    if (platform::RenameNoReplace(source, target)) {
        Progress progress(callback, KTNOTIFY_MOVE, 1, static_cast<LONGLONG>(size));
        progress.FileHandled(CString(source), size);
        return KTGF_DONE;
    }
    if (errno != EXDEV)
        return KTGF_FAILED;
    // Another file system: copy, then delete the source only when the copy succeeded.
    const int copied = CopyFileA(source, target, FALSE, TRUE, callback);
    return copied == KTGF_DONE ? DeleteMovedSource(CString(source)) : copied;
}

// ---- several files and folder trees -----------------------------------------------------------------

int KTGF::CopyMulti(CStringArray& list, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* callback)
{
    return TransferMulti(list, target, pattern, ask, callback, false);
}

int KTGF::MoveMulti(CStringArray& list, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* callback)
{
    return TransferMulti(list, target, pattern, ask, callback, true);
}

int KTGF::DeleteMulti(CStringArray& list, LPCTSTR pattern, BOOL recycle, KTCallBack* callback)
{
    if (list.GetSize() == 0)
        return KTGF_DONE;
    CStringArray files;
    CStringArray folders;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        const CString item = WithoutSep(list[i]);
        if (IsFile(item)) {
            files.Add(item);
        } else if (IsDir(item)) {
            folders.Add(item);
            GetDirFiles(item, pattern, &files, TRUE);
        }
    }
    if (files.GetSize() == 0 && folders.GetSize() == 0)
        return KTGF_DONE;
    Progress progress(callback, KTNOTIFY_DELETE, static_cast<LONG>(files.GetSize()), 0);
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        if (DeleteFileA(files[i], recycle) != KTGF_DONE)
            return KTGF_DELETE_FAILED;
        if (progress.FileDeleted(files[i]))
            return KTGF_CANCELLED;
    }
    for (INT_PTR i = 0; i < folders.GetSize(); ++i)
        DeleteDir(folders[i]);
    for (INT_PTR i = 0; i < folders.GetSize(); ++i)
        if (IsDir(folders[i]))
            return KTGF_DELETE_FAILED;
    return KTGF_DONE;
}

int KTGF::CopyDir(LPCTSTR source, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* callback)
{
    return TransferDir(source, target, pattern, ask, callback, false);
}

int KTGF::MoveDir(LPCTSTR source, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* callback)
{
    return TransferDir(source, target, pattern, ask, callback, true);
}

int KTGF::DeleteDirFiles(LPCTSTR folder, LPCTSTR pattern, BOOL recycle, BOOL wholeFolder, BOOL withSubfolders,
                         KTCallBack* callback)
{
    if (!IsDir(folder))
        return KTGF_INVALID_PATH;
    CStringArray list;
    if (wholeFolder) {
        list.Add(WithoutSep(folder));
    } else {
        if (withSubfolders)
            GetSubDirList(folder, &list, FALSE);
        GetDirFiles(folder, pattern, &list, FALSE);
    }
    return DeleteMulti(list, pattern, recycle, callback);
}
