// KTFtp: the connection, the current remote folder, its list and the remote file operations.
#include "ktutilex/KTFtp.h"

#include "ktutilex/ftp/FtpNames.h"
#include "ktutilex/ftp/FtpSession.h"
#include "ktutilex/ftp/ListListing.h"
#include "ktutilex/ftp/MlsdListing.h"
#include "ktutilex/res/KTUtilExStrings.h"

#include "ktutil/KTGF.h"

#include "platform/msg/MessageBoxService.h"

#include <curl/curl.h>

#include <algorithm>
#include <ctime>

using ktutilex::ftp::FtpOutcome;
using ktutilex::ftp::FtpRequest;
using ktutilex::ftp::IsValidRemoteName;
using ktutilex::ftp::NormaliseRemoteFolder;
using ktutilex::ftp::RemoteEntry;

namespace {

// Folder trees deeper than this are not walked: a server whose links loop would never end.
constexpr int kMaxFolderDepth = 64;

// Replies by which a server says it does not know a command (rather than refusing it for the
// folder): not understood, bad syntax, not implemented.
bool IsUnknownCommandReply(long code) { return code == 500 || code == 501 || code == 502; }

// The host and scheme of an address that must be a URL ("localhost" alone is not).
bool ParseAddress(LPCTSTR url, std::string& scheme, std::string& host)
{
    CURLU* parsed = curl_url();
    if (!parsed)
        return false;
    bool ok = curl_url_set(parsed, CURLUPART_URL, url, CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK;
    char* part = nullptr;
    if (ok && curl_url_get(parsed, CURLUPART_SCHEME, &part, 0) == CURLUE_OK) {
        scheme = part;
        curl_free(part);
    }
    part = nullptr;
    if (ok && curl_url_get(parsed, CURLUPART_HOST, &part, 0) == CURLUE_OK) {
        host = part;
        curl_free(part);
    }
    curl_url_cleanup(parsed);
    return ok;
}

} // namespace

KTFtp::KTFtp() : m_session(std::make_unique<ktutilex::ftp::FtpSession>()) {}

KTFtp::~KTFtp()
{
    m_bProcessing = 0;
    Disconnect();
}

// ==== connection ==================================================================================

int KTFtp::CheckReady() const
{
    if (m_bProcessing)
        return KTFTP_FAILED;
    return m_bConnected ? KTFTP_DONE : KTFTP_NOT_CONNECTED;
}

void KTFtp::ShowError() const
{
    const CString text = FormatString(KTGF::GetString(IDS_KTUTILEX_FTP_ERROR).GetString(), m_strServer.GetString(),
                                      m_session->LastError().c_str());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

int KTFtp::Connect(LPCTSTR url, LPCTSTR user, LPCTSTR password, LPCTSTR folder, int port)
{
    if (m_bProcessing)
        return KTFTP_FAILED;
    if (KTGF::IsEmpty(url))
        return KTFTP_INVALID_NAME;
    if (!m_session->IsValid())
        return KTFTP_NO_SESSION;
    Disconnect();

    std::string scheme;
    std::string host;
    if (!ParseAddress(url, scheme, host) || host.empty() || port <= 0 || port > 65535)
        return KTFTP_NO_SESSION;
    m_strServer = CString(host);
    m_session->SetServer(host, port, user ? user : "", password ? password : "");

    FtpRequest login;
    login.loginOnly = true;
    login.noBody = true;
    if (m_session->Perform(login) != FtpOutcome::Done) {
        ShowError();
        Disconnect();
        return KTFTP_FAILED;
    }
    const CString entry = NormaliseRemoteFolder(CString(m_session->EntryPath()), "/");
    if (!KTGF::IsEmpty(folder)) {
        const CString wanted = NormaliseRemoteFolder(folder, entry.IsEmpty() ? CString("/") : entry);
        if (!wanted.IsEmpty() && FolderExists(wanted))
            m_strRemoteDir = wanted;
    }
    if (m_strRemoteDir.IsEmpty()) {
        if (m_session->EntryPath().empty()) {
            Disconnect();
            return KTFTP_CURRENT_DIR_FAILED;
        }
        m_strRemoteDir = entry;
    }
    m_bConnected = 1;
    return KTFTP_DONE;
}

void KTFtp::Disconnect()
{
    // The transfer in progress still uses the session.
    if (m_bProcessing)
        return;
    m_session->Reset();
    RemoveAllRemoteFiles();
    m_strRemoteDir.Empty();
    m_strServer.Empty();
    m_bConnected = 0;
    m_bListOnly = 0;
}

// ==== folders and the list ========================================================================

CString KTFtp::RemotePath(LPCTSTR name) const
{
    return m_strRemoteDir == "/" ? CString("/") + name : m_strRemoteDir + "/" + name;
}

CString KTFtp::ResolveFolder(LPCTSTR folder) const { return NormaliseRemoteFolder(folder, m_strRemoteDir); }

int KTFtp::IsRootDir(LPCTSTR folder) const
{
    if (KTGF::IsEmpty(folder))
        return 1;
    CString text(folder);
    text.Replace('\\', '/');
    return text == m_strRemoteDir || ResolveFolder(folder) == m_strRemoteDir ? 1 : 0;
}

bool KTFtp::FolderExists(const CString& folder)
{
    FtpRequest request;
    request.path = folder.str() + "/";
    request.noBody = true;
    return m_session->Perform(request) == FtpOutcome::Done;
}

bool KTFtp::ListFolder(const CString& folder, std::vector<RemoteEntry>& entries)
{
    std::string text;
    FtpRequest request;
    request.path = folder.str() + "/";
    request.write = [&text](const char* data, std::size_t size) {
        text.append(data, size);
        return true;
    };
    if (!m_bListOnly) {
        request.listCommand = "MLSD";
        if (m_session->Perform(request) == FtpOutcome::Done) {
            entries = ktutilex::ftp::ParseMlsd(text);
            return true;
        }
        if (!IsUnknownCommandReply(m_session->LastReplyCode()))
            return false;
        // A server of the older kind: it is asked with LIST from now on.
        m_bListOnly = 1;
        text.clear();
    }
    request.listCommand = "LIST";
    return m_session->Perform(request) == FtpOutcome::Done && ktutilex::ftp::ParseList(text, time(nullptr), entries);
}

int KTFtp::SetRemoteDir(LPCTSTR folder, int load)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (KTGF::IsEmpty(folder))
        return KTFTP_INVALID_NAME;
    if (IsRootDir(folder))
        return KTFTP_DONE;
    const CString target = ResolveFolder(folder);
    if (target.IsEmpty() || !FolderExists(target))
        return KTFTP_CHANGE_DIR_FAILED;
    m_strRemoteDir = target;
    // The list was the old folder's.
    RemoveAllRemoteFiles();
    return load ? LoadRemoteFiles(0) : KTFTP_DONE;
}

int KTFtp::LoadRemoteFiles(int force)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (m_bListLoaded && !force)
        return KTFTP_DONE;
    RemoveAllRemoteFiles();
    std::vector<RemoteEntry> entries;
    if (!ListFolder(m_strRemoteDir, entries))
        return KTFTP_CURRENT_DIR_FAILED;
    for (const RemoteEntry& entry : entries) {
        auto item = std::make_unique<KTFtpItem>();
        item->m_strName = CString(entry.name);
        item->m_dwSize = static_cast<DWORD>(std::min<std::uint64_t>(entry.size, 0xFFFFFFFFu));
        item->m_nType = entry.type;
        if (entry.modified != 0)
            item->m_tmLastWrite = CTime(entry.modified);
        m_items.push_back(std::move(item));
    }
    m_bListLoaded = 1;
    return KTFTP_DONE;
}

void KTFtp::RemoveAllRemoteFiles()
{
    m_items.clear();
    m_bListLoaded = 0;
}

KTFtpItem* KTFtp::GetRemoteFile(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

int KTFtp::FindRemoteFile(LPCTSTR name, int type) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->m_nType == type && m_items[i]->m_strName.CompareNoCase(name) == 0)
            return static_cast<int>(i);
    return -1;
}

int KTFtp::IsExist(LPCTSTR name, int type)
{
    if (!name)
        return 0;
    std::vector<RemoteEntry> entries;
    if (!ListFolder(m_strRemoteDir, entries))
        return -1;
    return std::any_of(entries.begin(), entries.end(),
                       [&](const RemoteEntry& e) { return e.type == type && e.name == name; })
               ? 1
               : 0;
}

int KTFtp::Lookup(LPCTSTR name, int type, int ifThere, int ifMissing)
{
    switch (IsExist(name, type)) {
    case 1:
        return ifThere;
    case 0:
        return ifMissing;
    default:
        return KTFTP_CURRENT_DIR_FAILED;
    }
}

DWORD KTFtp::GetFileSize(LPCTSTR name)
{
    std::vector<RemoteEntry> entries;
    if (!name || !ListFolder(m_strRemoteDir, entries))
        return 0;
    for (const RemoteEntry& entry : entries)
        if (entry.type == KTFtpItem::File && entry.name == name)
            return static_cast<DWORD>(std::min<std::uint64_t>(entry.size, 0xFFFFFFFFu));
    return 0;
}

bool KTFtp::CollectRemoteFiles(const CString& folder, int depth, std::vector<std::pair<CString, ULONGLONG>>& files)
{
    std::vector<RemoteEntry> entries;
    if (depth > kMaxFolderDepth || !ListFolder(folder, entries))
        return false;
    const CString prefix = folder == "/" ? CString("/") : folder + "/";
    for (const RemoteEntry& entry : entries) {
        // A name with a separator or ".." would lead a download out of its local folder.
        if (!IsValidRemoteName(entry.name.c_str()))
            continue;
        if (entry.type == KTFtpItem::File)
            files.emplace_back(prefix + entry.name.c_str(), entry.size);
        else if (depth >= 0 && !CollectRemoteFiles(prefix + entry.name.c_str(), depth + 1, files))
            return false;
    }
    return true;
}

LONGLONG KTFtp::GetDirFiles(LPCTSTR remoteFolder, CStringArray* files, int recursive)
{
    const CString folder = ResolveFolder(remoteFolder);
    std::vector<std::pair<CString, ULONGLONG>> found;
    // A negative depth lists one level only.
    if (folder.IsEmpty() || !CollectRemoteFiles(folder, recursive ? 0 : -1, found))
        return -1;
    LONGLONG total = 0;
    for (const auto& [path, size] : found) {
        if (files)
            files->Add(path);
        total += static_cast<LONGLONG>(size);
    }
    return total;
}

// ==== remote files and folders ====================================================================

int KTFtp::RunCommands(std::initializer_list<CString> commands)
{
    FtpRequest request;
    request.path = m_strRemoteDir.str() + "/";
    request.noBody = true;
    for (const CString& command : commands)
        request.commands.push_back(command.str());
    return m_session->Perform(request) == FtpOutcome::Done ? KTFTP_DONE : KTFTP_FAILED;
}

int KTFtp::CreateFileA(LPCTSTR name, int overwrite)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!IsValidRemoteName(name))
        return KTFTP_INVALID_NAME;
    if (!overwrite) {
        if (const int absent = Lookup(name, KTFtpItem::File, KTFTP_EXISTS, KTFTP_DONE); absent != KTFTP_DONE)
            return absent;
    }
    FtpRequest request;
    request.path = RemotePath(name).str();
    request.upload = true;
    request.ascii = true;
    request.read = [](char*, std::size_t) { return 0L; };
    if (m_session->Perform(request) != FtpOutcome::Done) {
        ShowError();
        return KTFTP_FAILED;
    }
    return KTFTP_DONE;
}

int KTFtp::DeleteFileA(LPCTSTR name)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!IsValidRemoteName(name))
        return KTFTP_INVALID_NAME;
    return RunCommands({ "DELE " + RemotePath(name) });
}

int KTFtp::RenameFile(LPCTSTR from, LPCTSTR to)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!IsValidRemoteName(from) || !IsValidRemoteName(to))
        return KTFTP_INVALID_NAME;
    if (const int found = Lookup(from, KTFtpItem::File, KTFTP_DONE, KTFTP_NO_SOURCE); found != KTFTP_DONE)
        return found;
    if (const int absent = Lookup(to, KTFtpItem::File, KTFTP_EXISTS, KTFTP_DONE); absent != KTFTP_DONE)
        return absent;
    return RunCommands({ "RNFR " + RemotePath(from), "RNTO " + RemotePath(to) });
}

int KTFtp::CreateDir(LPCTSTR name)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!IsValidRemoteName(name))
        return KTFTP_INVALID_NAME;
    if (const int absent = Lookup(name, KTFtpItem::Folder, KTFTP_EXISTS, KTFTP_DONE); absent != KTFTP_DONE)
        return absent;
    return RunCommands({ "MKD " + RemotePath(name) });
}

int KTFtp::DeleteDir(LPCTSTR name)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!IsValidRemoteName(name))
        return KTFTP_INVALID_NAME;
    if (const int found = Lookup(name, KTFtpItem::Folder, KTFTP_DONE, KTFTP_NO_SOURCE); found != KTFTP_DONE)
        return found;
    return RunCommands({ "RMD " + RemotePath(name) });
}

int KTFtp::RenameDir(LPCTSTR from, LPCTSTR to)
{
    if (const int ready = CheckReady(); ready != KTFTP_DONE)
        return ready;
    if (!IsValidRemoteName(from) || !IsValidRemoteName(to))
        return KTFTP_INVALID_NAME;
    if (const int found = Lookup(from, KTFtpItem::Folder, KTFTP_DONE, KTFTP_NO_SOURCE); found != KTFTP_DONE)
        return found;
    if (const int absent = Lookup(to, KTFtpItem::Folder, KTFTP_EXISTS, KTFTP_DONE); absent != KTFTP_DONE)
        return absent;
    return RunCommands({ "RNFR " + RemotePath(from), "RNTO " + RemotePath(to) });
}
