// Instance claims: flock on a lock file, activation requests over a local socket.
#include "platform/sys/SingleInstance.h"

#include "platform/msg/MessageQueue.h"
#include "platform/msg/WindowApi.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr char kRequest[] = "ACTIVATE\n";
constexpr char kAnswer[] = "OK\n";
// How long a second start waits for the holder's answer: a holder that is alive answers at
// once; one that hangs must not keep the second start from ending.
constexpr int kAnswerWaitMs = 5000;

// The claims of this process (name to lock descriptor) and the activation handlers. Never
// destroyed: listener threads may still read them while the process exits. Guarded by
// ClaimsLock(); a handler is copied out before it runs.
std::map<std::string, int>& Claims()
{
    static auto* claims = new std::map<std::string, int>();
    return *claims;
}

std::map<std::string, std::function<void()>>& Handlers()
{
    static auto* handlers = new std::map<std::string, std::function<void()>>();
    return *handlers;
}

std::mutex& ClaimsLock()
{
    static auto* lock = new std::mutex();
    return *lock;
}

// A name as a file name: path separators would leave the runtime folder.
std::string FileStem(const std::string& name)
{
    std::string stem = name;
    for (char& c : stem)
        if (c == '/' || c == '\0')
            c = '_';
    return stem.empty() ? std::string("_") : stem;
}

std::string LockPath(const std::string& name) { return InstanceRuntimeFolder() + "/" + FileStem(name) + ".lock"; }

bool SocketAddress(const std::string& name, sockaddr_un& address)
{
    std::string path = InstanceRuntimeFolder() + "/" + FileStem(name) + ".sock";
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void ServeRequests(std::string name, int listener)
{
    for (;;) {
        int peer = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        char request[sizeof kRequest] = {};
        pollfd pfd { peer, POLLIN, 0 };
        ssize_t n = ::poll(&pfd, 1, kAnswerWaitMs) > 0 ? ::recv(peer, request, sizeof request - 1, 0) : -1;
        if (n == ssize_t(sizeof kRequest - 1) && std::memcmp(request, kRequest, size_t(n)) == 0) {
            std::function<void()> handler;
            {
                std::lock_guard guard(ClaimsLock());
                auto it = Handlers().find(name);
                if (it != Handlers().end())
                    handler = it->second;
            }
            if (handler)
                handler();
            ::send(peer, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL);
        }
        ::close(peer);
    }
}

// Listens for activation requests for `name`; a stale socket of a holder that died is
// replaced (the flock already proves nobody else holds the name).
void StartListener(const std::string& name)
{
    sockaddr_un address;
    if (!SocketAddress(name, address))
        return;
    int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0)
        return;
    ::unlink(address.sun_path);
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener, 4) != 0) {
        ::close(listener);
        return;
    }
    std::thread(ServeRequests, name, listener).detach();
}

} // namespace

std::string InstanceRuntimeFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        struct stat st;
        if (*runtime && ::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode))
            return runtime;
    }
    std::string folder = "/tmp/ward-runtime-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

bool ClaimInstance(const std::string& name)
{
    std::lock_guard guard(ClaimsLock());
    if (Claims().count(name))
        return false;
    int fd = ::open(LockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    // The holder's process id, for whoever looks at the folder.
    std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0)
        [[maybe_unused]] ssize_t w = ::pwrite(fd, pid.data(), pid.size(), 0);
    Claims()[name] = fd;
    StartListener(name);
    return true;
}

bool IsInstanceClaimed(const std::string& name)
{
    {
        std::lock_guard guard(ClaimsLock());
        if (Claims().count(name))
            return true;
    }
    int fd = ::open(LockPath(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false; // no lock file: nobody ever claimed it here
    bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // also drops the lock this test may have taken
    return held;
}

void SetInstanceActivationHandler(const std::string& name, std::function<void()> handler)
{
    std::lock_guard guard(ClaimsLock());
    Handlers()[name] = std::move(handler);
}

void SetInstanceActivationWindow(const std::string& name, HWND mainWindow)
{
    SetInstanceActivationHandler(name, [mainWindow] {
        if (!IsWindow(mainWindow))
            return;
        platform::msg::RunOnOwnerThread(mainWindow, [mainWindow] {
            ShowWindow(mainWindow, SW_SHOWNORMAL);
            SetForegroundWindow(mainWindow);
            return LRESULT(0);
        });
    });
}

bool RequestInstanceActivation(const std::string& name)
{
    sockaddr_un address;
    if (!SocketAddress(name, address))
        return false;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool taken = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) == ssize_t(sizeof kRequest - 1)) {
        char answer[sizeof kAnswer] = {};
        pollfd pfd { fd, POLLIN, 0 };
        if (::poll(&pfd, 1, kAnswerWaitMs) > 0) {
            ssize_t n = ::recv(fd, answer, sizeof answer - 1, MSG_WAITALL);
            taken = n == ssize_t(sizeof kAnswer - 1) && std::memcmp(answer, kAnswer, size_t(n)) == 0;
        }
    }
    ::close(fd);
    return taken;
}

} // namespace platform
