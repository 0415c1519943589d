// A real FTP server on loopback for the FTP client's tests: pyftpdlib serving a temporary
// folder on a free port, with a user who may write ("writer"), one who may only read and list
// ("reader"), and one who may write but neither list nor read ("blind"). The server lists
// folders in both forms (MLSD and LIST), or, as older servers do, only with LIST. The server
// ends with the object.
#pragma once

#include <string>

#include <sys/types.h>

namespace ktutilex_test {

class FtpTestServer
{
public:
    static constexpr const char* kWriter = "writer";
    static constexpr const char* kWriterPassword = "write-secret";
    static constexpr const char* kReader = "reader";
    static constexpr const char* kReaderPassword = "read-secret";
    static constexpr const char* kBlind = "blind";
    static constexpr const char* kBlindPassword = "blind-secret";

    enum class Listing { MlsdAndList, ListOnly };

    // Starts the server on `root`; Running() tells whether it came up, Problem() why not.
    explicit FtpTestServer(const std::string& root, Listing listing = Listing::MlsdAndList);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool Running() const { return m_port > 0; }
    // True when the server could not start because python3 or pyftpdlib is missing.
    bool Missing() const { return m_missing; }
    const std::string& Problem() const { return m_problem; }
    int Port() const { return m_port; }

private:
    pid_t m_pid { -1 };
    int m_port { 0 };
    bool m_missing { false };
    std::string m_problem;
};

} // namespace ktutilex_test
