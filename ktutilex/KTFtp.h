// KTFtp: an FTP client that keeps the current remote folder and a cached list of its entries,
// creates, renames and deletes remote files and folders, and uploads and downloads files and
// folder trees with progress and cancel through a KTCallBack (an answer of 1 cancels).
//
// Names that reach the server are checked first: an empty name, one holding a character that
// no file name may hold, or a line break (which would start a second command) gives -2. A
// transfer is done (0) only when the server confirmed it.
//
// Folders are listed in the machine-readable form (MLSD) where the server offers it, else in
// the "ls -l" or DOS form of LIST. Whether a name exists is never guessed: when the folder
// cannot be listed (refused, or a reply in no known form), every operation that must know
// gives -4001 and changes nothing on the server. Remote folders compare exactly, as
// a Unix server's do. A call on an object that is already transferring (reached from a
// message pumped during the transfer) gives -1 and changes nothing.
//
// The server's refusal to open a connection or a remote file is shown to the user in a message
// box with the transfer library's own text, and gives -1.
//
// One object belongs to the thread that uses it.
#pragma once

#include "ktutil/KTCallBack.h"

#include "platform/core/CString.h"
#include "platform/core/Collections.h"
#include "platform/core/Object.h"
#include "platform/core/Time.h"

#include <memory>
#include <vector>

namespace ktutilex::ftp {
class FtpSession;
struct FtpRequest;
struct RemoteEntry;
} // namespace ktutilex::ftp

// Result codes.
constexpr int KTFTP_DONE = 0;
constexpr int KTFTP_CANCELLED = 1;
constexpr int KTFTP_FAILED = -1;
constexpr int KTFTP_INVALID_NAME = -2;
constexpr int KTFTP_NOT_CONNECTED = -5;
constexpr int KTFTP_LOCAL_OPEN_FAILED = -2010;
constexpr int KTFTP_LOCAL_DIR_FAILED = -2011;
constexpr int KTFTP_EXISTS = -2012;
constexpr int KTFTP_NO_SOURCE = -2013;
constexpr int KTFTP_CURRENT_DIR_FAILED = -4001;
constexpr int KTFTP_CHANGE_DIR_FAILED = -4002;
constexpr int KTFTP_NO_SESSION = -4004;

// Notify codes. KTNOTIFY_FTP_CONFIRM asks whether an existing file is overwritten; its record's
// progress pointer holds the KTFtp object instead of a progress record. Answers: 1 cancel,
// 2 skip the file, anything else overwrite.
constexpr LONG KTNOTIFY_FTP_CONFIRM = 0;
constexpr LONG KTNOTIFY_FTP_PUT = 1;
constexpr LONG KTNOTIFY_FTP_GET = 2;
constexpr LONG KTFTP_ANSWER_CANCEL = 1;
constexpr LONG KTFTP_ANSWER_SKIP = 2;

// Transfer types.
constexpr unsigned long FTP_TRANSFER_TYPE_ASCII = 1;
constexpr unsigned long FTP_TRANSFER_TYPE_BINARY = 2;

class KTFtpItem
{
public:
    enum Type { File = 1, Folder = 2 };

    KTFtpItem() = default;
    KTFtpItem(const KTFtpItem&) = default;
    KTFtpItem& operator=(const KTFtpItem&) = default;
    virtual ~KTFtpItem() = default;

    // Resets name, size and type.
    void Clear();

    CString m_strName;
    DWORD m_dwSize { 0 };
    int m_nType { 0 };
    CTime m_tmLastWrite { CTime::GetCurrentTime() };
};

class KTFtp : public CObject
{
public:
    KTFtp();
    ~KTFtp() override;
    KTFtp(const KTFtp&) = delete;
    KTFtp& operator=(const KTFtp&) = delete;

    // Connects (active mode) to the server of `url` ("ftp://host[/...]") on `port`: 0; -2 empty
    // address; -4004 no session or an address that is no URL; -1 (after telling the user) when
    // the server cannot be reached or refuses the login; -4001 when its folder cannot be read.
    // A folder the server takes becomes the current remote folder, else the login folder.
    int Connect(LPCTSTR url, LPCTSTR user, LPCTSTR password, LPCTSTR folder, int port);
    // Drops the connection and everything known of the server; nothing while a transfer runs.
    void Disconnect();
    int IsConnected() const { return m_bConnected; }
    int IsProcessing() const { return m_bProcessing; }
    CString GetServerName() const { return m_strServer; }
    CString GetRemoteDir() const { return m_strRemoteDir; }

    // Changes the current remote folder (absolute, or relative to the current one): 0; -5; -2
    // empty; -4002 when the server has no such folder. With load, reads the list of its entries.
    int SetRemoteDir(LPCTSTR folder, int load);
    // Reads the entries of the current folder unless they are loaded (force reads again): 0;
    // -5; -4001 when the folder cannot be listed.
    int LoadRemoteFiles(int force);
    int GetRemoteFileCount() const { return static_cast<int>(m_items.size()); }
    // The item at index 0 .. count - 1; null outside.
    KTFtpItem* GetRemoteFile(int index);
    // The index of the first item of that type whose name equals the name ignoring case; -1.
    int FindRemoteFile(LPCTSTR name, int type) const;

    // Operations on a name in the current remote folder: 0, -1, -2, -5, and -2012 (exists) or
    // -2013 (missing) as each needs; -4001 when the folder cannot be listed to tell which.
    int CreateFileA(LPCTSTR name, int overwrite);
    int DeleteFileA(LPCTSTR name);
    int RenameFile(LPCTSTR from, LPCTSTR to);
    int CreateDir(LPCTSTR name);
    int DeleteDir(LPCTSTR name);
    int RenameDir(LPCTSTR from, LPCTSTR to);

    // Uploads a local file into the current remote folder (notify code 1). With confirm, an
    // existing remote file is -2012 without a callback, else the callback is asked.
    int PutFile(LPCTSTR localPath, int confirm, KTCallBack* callback,
                unsigned long transferType = FTP_TRANSFER_TYPE_BINARY);
    // Uploads every file below a local folder into the same place below the current remote
    // folder. Remote sub-folders are not created: a missing one ends the upload with -4002.
    int PutDir(LPCTSTR localFolder, int confirm, KTCallBack* callback,
               unsigned long transferType = FTP_TRANSFER_TYPE_BINARY);
    // Downloads a file of the current remote folder (notify code 2); a cancelled or failed
    // download leaves no partial local file.
    int GetFile(LPCTSTR remoteName, LPCTSTR localPath, int confirm, KTCallBack* callback,
                unsigned long transferType = FTP_TRANSFER_TYPE_BINARY);
    // Downloads every file below a remote folder (relative to the current one) into the same
    // place below a local folder, creating local folders as needed.
    int GetDir(LPCTSTR remoteFolder, LPCTSTR localFolder, int confirm, KTCallBack* callback,
               unsigned long transferType = FTP_TRANSFER_TYPE_BINARY);

protected:
    // 1 when the folder is empty or is the current remote folder ("\" read as "/").
    int IsRootDir(LPCTSTR folder) const;
    // 1 when the current remote folder holds an entry of that name (exactly) and type, 0 when
    // it does not, -1 when the folder cannot be listed (so nobody can tell).
    int IsExist(LPCTSTR name, int type);
    void RemoveAllRemoteFiles();
    DWORD GetFileSize(LPCTSTR name);
    // Appends the full remote path of every file below the folder (recursive: at any depth);
    // the total size, or -1 when a folder cannot be read.
    LONGLONG GetDirFiles(LPCTSTR remoteFolder, CStringArray* files, int recursive);
    // The one-file steps of the transfers, with the operation's progress record.
    int PutFile(LPCTSTR localPath, int confirm, KTCallBack* callback, unsigned long transferType,
                __KTNotify& notify);
    int GetFile(LPCTSTR remotePath, ULONGLONG size, LPCTSTR localPath, int confirm, KTCallBack* callback,
                unsigned long transferType, __KTNotify& notify);

private:
    class ProcessingScope;

    // Checks common to every operation: -5 not connected, -1 busy, 0 go on.
    int CheckReady() const;
    // The absolute remote path of a name in the current folder, or of a folder text.
    CString RemotePath(LPCTSTR name) const;
    CString ResolveFolder(LPCTSTR folder) const;
    bool ListFolder(const CString& folder, std::vector<ktutilex::ftp::RemoteEntry>& entries);
    // Every file below the folder with its size, to a bounded depth; false when one cannot be read.
    bool CollectRemoteFiles(const CString& folder, int depth, std::vector<std::pair<CString, ULONGLONG>>& files);
    // True when the server has the folder (absolute path).
    bool FolderExists(const CString& folder);
    // For an operation that must know whether an entry is there: `ifThere` when it is,
    // `ifMissing` when not, -4001 when the folder cannot be listed.
    int Lookup(LPCTSTR name, int type, int ifThere, int ifMissing);
    int RunCommands(std::initializer_list<CString> commands);
    // For a target that exists: -2012 without a callback, else the callback's answer as
    // 1 cancelled, 2 skipped (counted as done) or 0 overwrite. 0 when it does not exist.
    int ConfirmOverwrite(bool exists, KTCallBack* callback, __KTNotify& notify, ULONGLONG size);
    void ShowError() const;

    std::unique_ptr<ktutilex::ftp::FtpSession> m_session;
    std::vector<std::unique_ptr<KTFtpItem>> m_items;
    CString m_strRemoteDir; // absolute, "/"-separated, without a trailing "/" (except the root)
    CString m_strServer;
    int m_bConnected { 0 };
    int m_bProcessing { 0 };
    int m_bListLoaded { 0 };
    int m_bListOnly { 0 }; // the server has refused MLSD: folders are listed with LIST
};
