// The FTP session on libcurl: options common to every request, and the outcome of each.
#include "ktutilex/ftp/FtpSession.h"

#include <curl/curl.h>

#include <mutex>

namespace ktutilex::ftp {

namespace {

// Waits a session may spend before it gives up on a silent server.
constexpr long kConnectTimeoutS = 15;
constexpr long kResponseTimeoutS = 30;
constexpr long kAcceptTimeoutMs = 15000;  // the server's data connection in active mode
constexpr long kLowSpeedBytes = 1;        // a transfer slower than this ...
constexpr long kLowSpeedTimeS = 60;       // ... for this long is dropped

void InitOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURL* Handle(void* handle) { return static_cast<CURL*>(handle); }

size_t ReadThunk(char* buffer, size_t size, size_t count, void* user)
{
    const auto* request = static_cast<const FtpRequest*>(user);
    const long given = request->read(buffer, size * count);
    return given < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(given);
}

size_t WriteThunk(char* data, size_t size, size_t count, void* user)
{
    const auto* request = static_cast<const FtpRequest*>(user);
    if (!request->write)
        return size * count;
    return request->write(data, size * count) ? size * count : 0;
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

} // namespace

FtpSession::FtpSession()
{
    InitOnce();
    m_handle = curl_easy_init();
}

FtpSession::~FtpSession()
{
    if (m_handle)
        curl_easy_cleanup(Handle(m_handle));
}

void FtpSession::SetServer(const std::string& host, int port, const std::string& user, const std::string& password)
{
    Reset();
    m_host = host;
    m_port = port;
    m_user = user;
    m_password = password;
}

void FtpSession::Reset()
{
    if (!m_handle)
        return;
    // A fresh handle drops the kept control connection.
    curl_easy_cleanup(Handle(m_handle));
    m_handle = curl_easy_init();
}

std::string FtpSession::UrlPath(const std::string& absolutePath)
{
    // "%2F" makes the first folder absolute instead of relative to the login folder.
    std::string url = "/%2F";
    bool first = true;
    std::size_t start = 0;
    while (start < absolutePath.size()) {
        std::size_t end = absolutePath.find('/', start);
        if (end == std::string::npos)
            end = absolutePath.size();
        if (end > start) {
            char* escaped = curl_easy_escape(nullptr, absolutePath.data() + start, static_cast<int>(end - start));
            url += (first ? "" : "/") + std::string(escaped ? escaped : "");
            curl_free(escaped);
            first = false;
        }
        start = end + 1;
    }
    if (first || absolutePath.back() == '/')
        url += '/';
    return url;
}

std::string FtpSession::EntryPath()
{
    char* path = nullptr;
    if (!m_handle || curl_easy_getinfo(Handle(m_handle), CURLINFO_FTP_ENTRY_PATH, &path) != CURLE_OK || !path)
        return std::string();
    return path;
}

FtpOutcome FtpSession::Perform(const FtpRequest& request)
{
    m_lastError.clear();
    m_lastReplyCode = 0;
    if (!m_handle) {
        m_lastError = curl_easy_strerror(CURLE_FAILED_INIT);
        return FtpOutcome::Failed;
    }
    for (const std::string& command : request.commands)
        if (HasLineBreak(command))
            return FtpOutcome::Refused;

    CURL* curl = Handle(m_handle);
    curl_easy_reset(curl);
    char errorText[CURL_ERROR_SIZE] = {};
    const std::string url =
        "ftp://" + m_host + ":" + std::to_string(m_port) + (request.loginOnly ? std::string("/") : UrlPath(request.path));
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.empty() ? "anonymous" : m_user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.c_str());
    curl_easy_setopt(curl, CURLOPT_FTPPORT, "-"); // active mode, on the control connection's address
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutS);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, kResponseTimeoutS);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, kAcceptTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytes);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kLowSpeedTimeS);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteThunk);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &request);

    curl_slist* commands = nullptr;
    for (const std::string& command : request.commands)
        commands = curl_slist_append(commands, command.c_str());
    if (commands)
        curl_easy_setopt(curl, CURLOPT_QUOTE, commands);
    if (request.noBody)
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    if (!request.listCommand.empty())
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.listCommand.c_str());
    if (request.ascii)
        curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 1L);
    if (request.upload) {
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, &ReadThunk);
        curl_easy_setopt(curl, CURLOPT_READDATA, &request);
    }

    const CURLcode result = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &m_lastReplyCode);
    curl_slist_free_all(commands);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    if (result == CURLE_OK)
        return FtpOutcome::Done;
    m_lastError = errorText[0] ? errorText : curl_easy_strerror(result);
    switch (result) {
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_WRITE_ERROR:
        return request.upload || request.write ? FtpOutcome::Cancelled : FtpOutcome::Failed;
    case CURLE_REMOTE_ACCESS_DENIED:
        return FtpOutcome::NoSuchFolder;
    case CURLE_QUOTE_ERROR:
    case CURLE_UPLOAD_FAILED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
        return FtpOutcome::Refused;
    default:
        return FtpOutcome::Failed;
    }
}

} // namespace ktutilex::ftp
