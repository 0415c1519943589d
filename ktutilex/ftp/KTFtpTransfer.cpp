// KTFtp's transfers: uploads and downloads of files and folder trees, in 4096-byte blocks, with
// the progress record, the overwrite question and cancel.
#include "ktutilex/KTFtp.h"

#include "ktutilex/common/Progress.h"
#include "ktutilex/ftp/FtpNames.h"
#include "ktutilex/ftp/FtpSession.h"

#include "ktutil/KTGF.h"

#include "platform/core/File.h"

#include <atomic>
#include <filesystem>
#include <system_error>

#include <unistd.h>

using ktutilex::ftp::FtpOutcome;
using ktutilex::ftp::FtpRequest;
using ktutilex::ftp::IsValidRemoteName;

namespace {

constexpr std::size_t kBlockSize = 4096;

// The file a download writes into until it is complete; it then replaces the target.
CString PartialPath(const CString& localPath)
{
    static std::atomic<unsigned> s_counter { 0 };
    return KTGF::ExtractDir(localPath) + "." + KTGF::ExtractName(localPath) + "." +
           CString(std::to_string(getpid()) + "." + std::to_string(s_counter++)) + ".part";
}

} // namespace

// Raises the processing flag for one transfer and lowers it however the transfer ends.
class KTFtp::ProcessingScope
{
public:
    explicit ProcessingScope(KTFtp& ftp) : m_ftp(ftp) { m_ftp.m_bProcessing = 1; }
    ~ProcessingScope() { m_ftp.m_bProcessing = 0; }
    ProcessingScope(const ProcessingScope&) = delete;
    ProcessingScope& operator=(const ProcessingScope&) = delete;

private:
    KTFtp& m_ftp;
};

int KTFtp::ConfirmOverwrite(bool exists, KTCallBack* callback, __KTNotify& notify, ULONGLONG size)
{
    if (!exists)
        return KTFTP_DONE;
    if (!callback)
        return KTFTP_EXISTS;
    __KTNotify question { KTNOTIFY_FTP_CONFIRM, reinterpret_cast<KTNotifyProgress*>(this) };
    const LONG answer = callback->CallBack(&question);
    if (answer == KTFTP_ANSWER_CANCEL)
        return KTFTP_CANCELLED;
    if (answer != KTFTP_ANSWER_SKIP)
        return KTFTP_DONE;
    // A skipped file counts as done.
    if (notify.pProgress)
        ktutilex::AddProgressBlock(*notify.pProgress, size);
    callback->CallBack(&notify);
    return KTFTP_ANSWER_SKIP;
}

// ==== uploads =====================================================================================

int KTFtp::PutFile(LPCTSTR localPath, int confirm, KTCallBack* callback, unsigned long transferType)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!KTGF::IsFile(localPath))
        return KTFTP_NO_SOURCE;
    ProcessingScope processing(*this);
    KTNotifyProgress progress;
    progress.nFileCount = 1;
    progress.nTotalSize = static_cast<LONGLONG>(KTGF::GetFileSize(localPath, FALSE));
    __KTNotify notify { KTNOTIFY_FTP_PUT, &progress };
    return PutFile(localPath, confirm, callback, transferType, notify);
}

int KTFtp::PutFile(LPCTSTR localPath, int confirm, KTCallBack* callback, unsigned long transferType,
                   __KTNotify& notify)
{
    CFile file;
    if (!file.Open(localPath, CFile::modeRead | CFile::shareDenyWrite))
        return KTFTP_LOCAL_OPEN_FAILED;
    const CString name = KTGF::ExtractName(localPath);
    if (!IsValidRemoteName(name))
        return KTFTP_INVALID_NAME;
    const ULONGLONG size = file.GetLength();
    if (notify.pProgress)
        ktutilex::BeginProgressFile(*notify.pProgress, localPath, notify.pProgress->nFileNumber + 1, size);

    // Without knowing whether the file is there, nobody can be asked before it is overwritten.
    const int exists = confirm ? IsExist(name, KTFtpItem::File) : 0;
    if (exists < 0)
        return KTFTP_CURRENT_DIR_FAILED;
    if (const int asked = ConfirmOverwrite(exists == 1, callback, notify, size); asked != KTFTP_DONE)
        return asked == KTFTP_ANSWER_SKIP ? KTFTP_DONE : asked;

    bool readFailed = false;
    FtpRequest request;
    request.path = RemotePath(name).str();
    request.upload = true;
    request.ascii = transferType == FTP_TRANSFER_TYPE_ASCII;
    request.read = [&](char* buffer, std::size_t room) -> long {
        UINT read = 0;
        try {
            read = file.Read(buffer, static_cast<UINT>(std::min(room, kBlockSize)));
        } catch (CFileException* e) {
            e->Delete();
            readFailed = true;
            return -1;
        }
        if (callback) {
            if (notify.pProgress)
                ktutilex::AddProgressBlock(*notify.pProgress, read);
            if (callback->CallBack(&notify) == KTFTP_ANSWER_CANCEL)
                return -1;
        }
        KTGF::PeekMsg(nullptr);
        return static_cast<long>(read);
    };
    const FtpOutcome outcome = m_session->Perform(request);
    file.Close();
    if (outcome == FtpOutcome::Done)
        return KTFTP_DONE;
    if (outcome == FtpOutcome::Cancelled && !readFailed)
        return KTFTP_CANCELLED;
    ShowError();
    return KTFTP_FAILED;
}

int KTFtp::PutDir(LPCTSTR localFolder, int confirm, KTCallBack* callback, unsigned long transferType)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!KTGF::IsDir(localFolder))
        return KTFTP_NO_SOURCE;
    ProcessingScope processing(*this);

    CStringArray files;
    KTNotifyProgress progress;
    progress.nTotalSize = KTGF::GetDirInfo(localFolder, nullptr, nullptr, &files, TRUE);
    progress.nFileCount = static_cast<LONG>(files.GetSize());
    __KTNotify notify { KTNOTIFY_FTP_PUT, &progress };

    CString base(localFolder);
    KTGF::AddPathSep(base);
    const CString original = m_strRemoteDir;
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        // Only the base folder at the start of the path is replaced by the remote folder.
        CString relative = KTGF::ExtractDir(files[i]);
        if (relative.Left(base.GetLength()) == base)
            relative = relative.Mid(base.GetLength());
        const CString target = relative.IsEmpty() ? original : ResolveFolder(original + "/" + relative);
        const bool change = target != m_strRemoteDir;
        if (change) {
            if (target.IsEmpty() || !FolderExists(target))
                return KTFTP_CHANGE_DIR_FAILED;
            m_strRemoteDir = target;
        }
        const int result = PutFile(files[i], confirm, callback, transferType, notify);
        if (change)
            m_strRemoteDir = original;
        if (result != KTFTP_DONE)
            return result;
    }
    return KTFTP_DONE;
}

// ==== downloads ===================================================================================

int KTFtp::GetFile(LPCTSTR remoteName, LPCTSTR localPath, int confirm, KTCallBack* callback,
                   unsigned long transferType)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!IsValidRemoteName(remoteName) || !KTGF::IsValidPathName(localPath))
        return KTFTP_INVALID_NAME;
    if (const int found = Lookup(remoteName, KTFtpItem::File, KTFTP_DONE, KTFTP_NO_SOURCE); found != KTFTP_DONE)
        return found;
    ProcessingScope processing(*this);
    const DWORD size = GetFileSize(remoteName);
    KTNotifyProgress progress;
    progress.nFileCount = 1;
    progress.nTotalSize = size;
    __KTNotify notify { KTNOTIFY_FTP_GET, &progress };
    return GetFile(RemotePath(remoteName), size, localPath, confirm, callback, transferType, notify);
}

int KTFtp::GetFile(LPCTSTR remotePath, ULONGLONG size, LPCTSTR localPath, int confirm, KTCallBack* callback,
                   unsigned long transferType, __KTNotify& notify)
{
    if (notify.pProgress)
        ktutilex::BeginProgressFile(*notify.pProgress, remotePath, notify.pProgress->nFileNumber + 1, size);
    if (const int asked = ConfirmOverwrite(confirm && KTGF::IsFile(localPath), callback, notify, size);
        asked != KTFTP_DONE)
        return asked == KTFTP_ANSWER_SKIP ? KTFTP_DONE : asked;
    if (KTGF::CreateDir(KTGF::ExtractDir(localPath)) != 0)
        return KTFTP_LOCAL_DIR_FAILED;
    const CString partial = PartialPath(localPath);
    CFile file;
    if (!file.Open(partial, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return KTFTP_LOCAL_OPEN_FAILED;

    bool writeFailed = false;
    FtpRequest request;
    request.path = remotePath;
    request.ascii = transferType == FTP_TRANSFER_TYPE_ASCII;
    request.write = [&](const char* data, std::size_t length) {
        for (std::size_t done = 0; done < length;) {
            const std::size_t block = std::min(length - done, kBlockSize);
            try {
                file.Write(data + done, static_cast<UINT>(block));
            } catch (CFileException* e) {
                e->Delete();
                writeFailed = true;
                return false;
            }
            done += block;
            if (callback) {
                if (notify.pProgress)
                    ktutilex::AddProgressBlock(*notify.pProgress, block);
                if (callback->CallBack(&notify) == KTFTP_ANSWER_CANCEL)
                    return false;
            }
            KTGF::PeekMsg(nullptr);
        }
        return true;
    };
    const FtpOutcome outcome = m_session->Perform(request);
    file.Abort();
    std::error_code error;
    if (outcome == FtpOutcome::Done && !writeFailed) {
        std::filesystem::rename(partial.GetString(), localPath, error);
        if (!error)
            return KTFTP_DONE;
    }
    KTGF::DeleteFileA(partial, FALSE);
    if (outcome == FtpOutcome::Cancelled && !writeFailed)
        return KTFTP_CANCELLED;
    if (outcome != FtpOutcome::Done && !writeFailed)
        ShowError();
    return KTFTP_FAILED;
}

int KTFtp::GetDir(LPCTSTR remoteFolder, LPCTSTR localFolder, int confirm, KTCallBack* callback,
                  unsigned long transferType)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (KTGF::IsEmpty(localFolder) || KTGF::CreateDir(localFolder) != 0)
        return KTFTP_LOCAL_DIR_FAILED;
    const CString folder = ResolveFolder(remoteFolder);
    if (folder.IsEmpty() || !FolderExists(folder))
        return KTFTP_NO_SOURCE;
    ProcessingScope processing(*this);

    std::vector<std::pair<CString, ULONGLONG>> files;
    if (!CollectRemoteFiles(folder, 0, files))
        return KTFTP_FAILED;
    KTNotifyProgress progress;
    progress.nFileCount = static_cast<LONG>(files.size());
    for (const auto& file : files)
        progress.nTotalSize += static_cast<LONGLONG>(file.second);
    __KTNotify notify { KTNOTIFY_FTP_GET, &progress };

    const CString prefix = folder == "/" ? CString("/") : folder + "/";
    for (const auto& [path, size] : files) {
        const CString relative = path.Mid(prefix.GetLength());
        const int result =
            GetFile(path, size, KTGF::MakePath(localFolder, relative), confirm, callback, transferType, notify);
        if (result != KTFTP_DONE)
            return result;
    }
    return KTFTP_DONE;
}
