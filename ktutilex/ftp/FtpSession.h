// One FTP session over libcurl: the server, the login and a transfer handle whose control
// connection is kept between requests. Requests name remote paths absolutely ("/a/b"), so no
// server-side current folder has to be tracked.
//
// Names reach the server only inside paths that are percent-encoded into the request, or in
// commands that the caller has checked for line breaks; the session refuses a command that
// still holds one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ktutilex::ftp {

struct FtpRequest
{
    std::string path;          // absolute remote path; a folder when it ends with "/"
    bool loginOnly { false };  // only log in (and learn the login folder); the path is unused
    std::vector<std::string> commands; // raw commands sent before the request (QUOTE)
    bool noBody { false };     // no transfer: only the folder change and the commands
    std::string listCommand;   // a listing command instead of a transfer ("MLSD", "LIST")
    bool upload { false };
    bool ascii { false };
    // Upload: fills the buffer, returns the bytes given (0 at the end), or -1 to cancel.
    std::function<long(char* buffer, std::size_t size)> read;
    // Download and listings: takes the bytes; false cancels.
    std::function<bool(const char* data, std::size_t size)> write;
};

enum class FtpOutcome
{
    Done,          // the server confirmed the request
    Cancelled,     // a callback asked to stop
    NoSuchFolder,  // the folder of the path could not be entered
    Refused,       // the server refused a command or the transfer
    Failed,        // connection, login or transfer failure
};

class FtpSession
{
public:
    FtpSession();
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    bool IsValid() const { return m_handle != nullptr; }

    // Remembers the server and the login; no connection is made.
    void SetServer(const std::string& host, int port, const std::string& user, const std::string& password);
    // Closes the control connection.
    void Reset();

    FtpOutcome Perform(const FtpRequest& request);
    // The server's folder after the login, known after the first request; empty when not told.
    std::string EntryPath();
    // Why the last request failed, in the transfer library's words.
    const std::string& LastError() const { return m_lastError; }
    // The server's last reply code of the last request (500 "not understood" ...); 0 when none.
    long LastReplyCode() const { return m_lastReplyCode; }

    // Encodes each segment of an absolute path for a request ("/a b/" -> "/%2Fa%20b/").
    static std::string UrlPath(const std::string& absolutePath);

private:
    void* m_handle { nullptr }; // CURL*
    std::string m_host;
    int m_port { 21 };
    std::string m_user;
    std::string m_password;
    std::string m_lastError;
    long m_lastReplyCode { 0 };
};

} // namespace ktutilex::ftp
