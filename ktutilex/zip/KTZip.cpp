// KTZip: packing files into an archive and unpacking it, with progress and cancel.
#include "ktutilex/KTZip.h"

#include "ktutilex/common/PathSegments.h"
#include "ktutilex/common/Progress.h"
#include "ktutilex/zip/CZipReader.h"
#include "ktutilex/zip/CZipWriter.h"
#include "ktutilex/zip/ZipEntryName.h"
#include "ktutilex/zip/ZipRecords.h"

#include "ktutil/KTGF.h"

#include "platform/core/FileSystem.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace {

constexpr UINT kBlockSize = 131072;

// ---- packing ----------------------------------------------------------------------------------

struct SourceFile
{
    CString path;
    ULONGLONG size { 0 };
};

bool SameFile(const CString& a, const CString& b)
{
    // Only a file of the same name can be the same file; that spares the file system a look.
    if (KTGF::ExtractName(a) != KTGF::ExtractName(b))
        return false;
    std::error_code error;
    if (std::filesystem::equivalent(a.GetString(), b.GetString(), error) && !error)
        return true;
    // The archive may not exist yet: then only an equal path names it.
    const auto normalA = std::filesystem::weakly_canonical(a.GetString(), error);
    const auto normalB = std::filesystem::weakly_canonical(b.GetString(), error);
    return !error && normalA == normalB;
}

// Every file the paths name, the archive itself left out. False when one cannot be packed
// (4 GiB or more) or there are more than the format's 65,535 entries.
bool CollectFiles(const CStringArray& paths, const CString& archivePath, std::vector<SourceFile>& files,
                  LONGLONG& total)
{
    CStringArray found;
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        if (KTGF::IsDir(paths[i]))
            KTGF::GetDirInfo(paths[i], nullptr, nullptr, &found, TRUE);
        else if (KTGF::IsFile(paths[i]))
            found.Add(paths[i]);
    }
    for (INT_PTR i = 0; i < found.GetSize(); ++i) {
        platform::FileInfo info;
        if (!platform::GetFileInfo(found[i], info) || info.isDirectory || SameFile(found[i], archivePath))
            continue;
        if (info.size > ktutilex::zip::kMaxSize)
            return false;
        files.push_back({ found[i], info.size });
        total += static_cast<LONGLONG>(info.size);
    }
    return files.size() <= ktutilex::zip::kMaxEntries;
}

// The entry name: the path below the base folder, or the whole path without its leading "/".
CString EntryName(const CString& path, const CString& baseFolder)
{
    CString name = path;
    if (!baseFolder.IsEmpty() && name.Left(baseFolder.GetLength()) == baseFolder)
        name = name.Mid(baseFolder.GetLength());
    name.TrimLeft('/');
    return name;
}

// Deletes the unfinished archive whatever ends the packing early, unless told it is done.
class ArchiveGuard
{
public:
    ArchiveGuard(CZipWriter& writer, const CString& path) : m_writer(writer), m_path(path) {}
    ~ArchiveGuard()
    {
        if (m_done)
            return;
        m_writer.Abort();
        KTGF::DeleteFileA(m_path, FALSE);
    }
    void Done() { m_done = true; }

private:
    CZipWriter& m_writer;
    CString m_path;
    bool m_done { false };
};

enum class PackResult { Packed, Cancelled, SourceFailed };

PackResult PackFile(CZipWriter& writer, const SourceFile& file, const CString& name, int level,
                    KTCallBack* callback, __KTNotify& notify, std::vector<BYTE>& block)
{
    CFile source;
    if (!source.Open(file.path, CFile::modeRead | CFile::shareDenyWrite))
        return PackResult::SourceFailed;
    CFileStatus status;
    source.GetStatus(status);
    writer.OpenNewFile(name, { status.m_mtime, status.m_attribute }, level);
    for (;;) {
        const UINT read = source.Read(block.data(), kBlockSize);
        writer.WriteNewFile(block.data(), read);
        if (callback != nullptr) {
            ktutilex::AddProgressBlock(*notify.pProgress, read);
            if (callback->CallBack(&notify) == KTZIP_CANCEL)
                return PackResult::Cancelled;
        }
        KTGF::PeekMsg(nullptr);
        if (read < kBlockSize)
            break;
    }
    writer.CloseNewFile();
    return PackResult::Packed;
}

// ---- unpacking --------------------------------------------------------------------------------

// True when `path` (to be created) stays inside `root`, following any link on the way, and is
// not itself a link that a write would follow.
bool StaysInside(const CString& path, const std::filesystem::path& root)
{
    std::error_code error;
    if (std::filesystem::is_symlink(path.GetString(), error))
        return false;
    const auto folder = std::filesystem::canonical(std::filesystem::path(path.GetString()).parent_path(), error);
    if (error)
        return false;
    auto rootPart = root.begin();
    for (auto part = folder.begin(); rootPart != root.end(); ++part, ++rootPart)
        if (part == folder.end() || *part != *rootPart)
            return false;
    return true;
}

// Makes the folders of `relative` ("/"-separated, no "." or "..") below `root` one at a time,
// refusing to pass through a link or a file: a link already in the target could lead a folder
// chain out of it before the file's own place is checked.
bool MakeFoldersInside(const std::filesystem::path& root, const std::string& relative)
{
    std::filesystem::path at = root;
    for (const std::string& segment : ktutilex::SplitSegments(relative)) {
        if (segment.empty())
            continue;
        at /= segment;
        std::error_code error;
        const auto status = std::filesystem::symlink_status(at, error);
        if (status.type() == std::filesystem::file_type::not_found) {
            if (!std::filesystem::create_directory(at, error) || error)
                return false;
        } else if (error || status.type() != std::filesystem::file_type::directory) {
            return false;
        }
    }
    return true;
}

enum class UnpackResult { Unpacked, Cancelled, TargetFailed };

UnpackResult UnpackEntry(CZipReader& reader, const CZipEntryInfo& info, const CString& target,
                         CStringArray* extracted, KTCallBack* callback, __KTNotify& notify,
                         std::vector<BYTE>& block)
{
    CFile output;
    if (!output.Open(target, CFile::modeCreate | CFile::modeWrite))
        return UnpackResult::TargetFailed;
    if (extracted)
        extracted->Add(target);
    reader.OpenCurrentFile();
    for (;;) {
        const UINT read = reader.ReadCurrentFile(block.data(), kBlockSize);
        output.Write(block.data(), read);
        if (callback != nullptr) {
            ktutilex::AddProgressBlock(*notify.pProgress, read);
            if (callback->CallBack(&notify) == KTZIP_CANCEL) {
                output.Close();
                return UnpackResult::Cancelled;
            }
        }
        KTGF::PeekMsg(nullptr);
        if (read < kBlockSize)
            break;
    }
    reader.CloseCurrentFile();
    output.Close();

    CFileStatus status;
    status.m_mtime = info.GetTime();
    // Attributes are the classic ones only when the archive was made that way; an archive
    // from elsewhere keeps the new file's own.
    status.m_attribute = static_cast<BYTE>((info.versionMadeBy >> 8) == 0 ? (info.externalAttributes & 0xFF) : 0);
    CFile::SetStatus(target, status);
    return UnpackResult::Unpacked;
}

} // namespace

// ==== Zip =========================================================================================

int KTZip::Zip(CStringArray& paths, LPCTSTR archivePath, int level, KTCallBack* callback)
{
    if (KTGF::IsEmpty(archivePath) || !KTGF::IsValidPathName(archivePath))
        return -1;
    std::vector<SourceFile> files;
    LONGLONG total = 0;
    if (!CollectFiles(paths, archivePath, files, total))
        return -1;
    if (files.empty())
        return 0;

    CString baseFolder = KTGF::ExtractDir(files.front().path);
    if (!baseFolder.IsEmpty())
        KTGF::AddPathSep(baseFolder);

    KTNotifyProgress progress;
    progress.nFileCount = static_cast<LONG>(files.size());
    progress.nTotalSize = total;
    __KTNotify notify { KTNOTIFY_ZIP, &progress };
    std::vector<BYTE> block(kBlockSize);

    CZipWriter writer;
    writer.Open(archivePath);
    ArchiveGuard guard(writer, archivePath);
    try {
        for (std::size_t i = 0; i < files.size(); ++i) {
            ktutilex::BeginProgressFile(progress, files[i].path, static_cast<LONG>(i), files[i].size);
            switch (PackFile(writer, files[i], EntryName(files[i].path, baseFolder), level, callback, notify, block)) {
            case PackResult::Cancelled:
                return 0;
            case PackResult::SourceFailed:
                return -1;
            case PackResult::Packed:
                break;
            }
        }
        writer.Close();
    } catch (CZipException* e) {
        // Data the classic format cannot hold is refused, not written as a broken archive.
        if (e->m_iZipError != ZIP_TOOLARGE)
            throw;
        e->Delete();
        return -1;
    }
    guard.Done();
    return 1;
}

// ==== UnZip =======================================================================================

int KTZip::UnZip(LPCTSTR archivePath, LPCTSTR targetFolder, CStringArray* extracted, KTCallBack* callback)
{
    CString target = targetFolder ? CString(targetFolder) : CString();
    KTGF::DelPathSep(target);
    if (KTGF::IsEmpty(archivePath) || !KTGF::IsValidPathName(archivePath) || KTGF::IsEmpty(target) ||
        (target != "/" && !KTGF::IsValidPathName(target)))
        return -1;

    CZipReader reader;
    reader.Open(archivePath);

    // First pass: the total, and every name checked before anything is written.
    LONGLONG total = 0;
    LONG count = 0;
    std::vector<ktutilex::zip::EntryPath> entryPaths;
    for (bool more = reader.GoToFirstFile(); more; more = reader.GoToNextFile()) {
        CZipEntryInfo info;
        CString name;
        reader.GetCurrentFileInfo(info, &name);
        ktutilex::zip::EntryPath entryPath;
        if (!ktutilex::zip::MakeEntryPath(name, entryPath))
            return -1;
        entryPaths.push_back(entryPath);
        total += info.uncompressedSize;
        ++count;
        KTGF::PeekMsg(nullptr);
    }
    if (count == 0)
        return 0;

    if (KTGF::CreateDir(target) != 0)
        return -1;
    std::error_code error;
    const auto root = std::filesystem::canonical(target.GetString(), error);
    if (error)
        return -1;

    KTNotifyProgress progress;
    progress.nFileCount = count;
    progress.nTotalSize = total;
    __KTNotify notify { KTNOTIFY_ZIP, &progress };
    std::vector<BYTE> block(kBlockSize);

    std::size_t index = 0;
    for (bool more = reader.GoToFirstFile(); more; more = reader.GoToNextFile(), ++index) {
        CZipEntryInfo info;
        reader.GetCurrentFileInfo(info);
        const ktutilex::zip::EntryPath& entryPath = entryPaths[index];
        const CString path = KTGF::MakePath(target, entryPath.relative);
        if (entryPath.isFolder) {
            if (!MakeFoldersInside(root, entryPath.relative.str()))
                return -1;
            continue;
        }
        if (!MakeFoldersInside(root, KTGF::ExtractDir(entryPath.relative).str()) || !StaysInside(path, root))
            return -1;
        ktutilex::BeginProgressFile(progress, path, static_cast<LONG>(index + 1), info.uncompressedSize);
        switch (UnpackEntry(reader, info, path, extracted, callback, notify, block)) {
        case UnpackResult::TargetFailed:
            return -1;
        case UnpackResult::Cancelled:
            return 0;
        case UnpackResult::Unpacked:
            break;
        }
    }
    reader.Close();
    return 1;
}
