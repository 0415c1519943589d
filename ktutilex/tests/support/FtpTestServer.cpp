// The loopback FTP server for the tests.
#include "support/FtpTestServer.h"

#include "support/PythonScript.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ktutilex_test {

namespace {

// Prints the port it listens on (or "missing" without pyftpdlib), then serves until killed.
constexpr const char* kServerScript = R"PY(
import logging, sys
try:
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
except ImportError:
    print("missing", flush=True)
    sys.exit(3)
logging.disable(logging.CRITICAL)
root = sys.argv[1]
authorizer = DummyAuthorizer()
authorizer.add_user("writer", "write-secret", root, perm="elradfmwMT")
authorizer.add_user("reader", "read-secret", root, perm="elr")
authorizer.add_user("blind", "blind-secret", root, perm="eadfmwMT")
class Handler(FTPHandler):
    pass
if sys.argv[2] == "list-only":
    # A server of the older kind: folders are listed only in the "ls -l" form.
    Handler.proto_cmds = {name: info for name, info in FTPHandler.proto_cmds.items()
                          if name not in ("MLSD", "MLST")}
Handler.authorizer = authorizer
server = FTPServer(("127.0.0.1", 0), Handler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever()
)PY";

} // namespace

FtpTestServer::FtpTestServer(const std::string& root, Listing listing)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        m_problem = "no pipe";
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const std::string python = PythonInterpreter();
    std::vector<std::string> args = { python, "-c", kServerScript, root,
                                      listing == Listing::ListOnly ? "list-only" : "mlsd" };
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawnp(&m_pid, python.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        m_pid = -1;
        m_missing = true;
        m_problem = "python3 cannot be started";
        close(pipeFds[0]);
        return;
    }
    std::string line;
    for (;;) {
        pollfd pfd { pipeFds[0], POLLIN, 0 };
        if (poll(&pfd, 1, 20000) <= 0)
            break;
        char ch = 0;
        if (read(pipeFds[0], &ch, 1) != 1 || ch == '\n')
            break;
        line += ch;
    }
    close(pipeFds[0]);
    if (line == "missing") {
        m_missing = true;
        m_problem = "python3-pyftpdlib is not installed";
        return;
    }
    m_port = std::atoi(line.c_str());
    if (m_port <= 0)
        m_problem = "the FTP server did not start: '" + line + "'";
}

FtpTestServer::~FtpTestServer()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace ktutilex_test
