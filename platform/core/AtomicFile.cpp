// Locked read-change-rename updates of small files.
#include "platform/core/AtomicFile.h"

#include "platform/core/Types.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

// Holds a descriptor and closes it at the end of the scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

bool Fail(int err)
{
    SetLastError(ErrorFromErrno(err));
    errno = err;
    return false;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool ReadWholeFile(const char* path, std::string& text)
{
    text.clear();
    Descriptor fd(open(path, O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd.get(), buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
}

bool UpdateFileLocked(const char* path, const std::function<bool(std::string& text, bool exists)>& change)
{
    if (!path || !*path)
        return Fail(ENOENT);
    std::string target(path);
    char resolved[PATH_MAX];
    if (realpath(path, resolved))
        target = resolved;
    const size_t slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);

    Descriptor lock(open((folder + "/." + name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (lock.get() < 0)
        return Fail(errno);
    while (flock(lock.get(), LOCK_EX) != 0)
        if (errno != EINTR)
            return Fail(errno);

    struct stat st
    {
    };
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists && (st.st_mode & S_IWUSR) == 0)
        return Fail(EACCES);
    std::string text;
    if (exists && !ReadWholeFile(target.c_str(), text))
        return Fail(errno);
    if (!change(text, exists)) {
        SetLastError(ERROR_SUCCESS);
        return true;
    }

    // O_EXCL with mode 0666 lets the umask shape a new file's permissions; an old file keeps
    // its own.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "/." + name + ".new-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return Fail(errno);
    }
    if (fd < 0)
        return Fail(EEXIST);
    Descriptor out(fd);
    const mode_t mode = exists ? st.st_mode & 07777 : 0;
    // No fdatasync: settings are written one key at a time, and a sync per key made a full settings
    // save stall the window for a second. The file system orders the data of a file replaced by
    // rename before the rename itself, so a crash leaves the old or the new file, not a torn one.
    const bool written = WriteAll(out.get(), text) && (!exists || fchmod(out.get(), mode) == 0);
    const int err = errno;
    if (close(out.release()) != 0 || !written || rename(temp.c_str(), target.c_str()) != 0) {
        const int failure = written ? errno : err;
        unlink(temp.c_str());
        return Fail(failure);
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

} // namespace platform
