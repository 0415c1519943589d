// Trashing by the freedesktop.org trash layout: reserve the name with an exclusively
// created info file, then rename the item into files/. A rename never crosses file systems,
// so an item either lands whole in a trash or stays where it was.
#include "platform/sys/RecycleBin.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string Parent(const std::string& path)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// An absolute path with no trailing separator; the last component is not resolved (trashing
// a symbolic link trashes the link).
std::string Absolute(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (!path.empty() && path[0] == '/')
        return path;
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd))
        return {};
    return std::string(cwd) + "/" + path;
}

bool MakeFolder(const std::string& path, mode_t mode)
{
    if (::mkdir(path.c_str(), mode) == 0 || errno == EEXIST) {
        struct stat st;
        return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    return false;
}

bool MakeFolders(const std::string& path, mode_t mode)
{
    for (size_t i = 1; i < path.size(); ++i)
        if (path[i] == '/')
            MakeFolder(path.substr(0, i), mode);
    return MakeFolder(path, mode);
}

// The original path as the info file stores it: percent-encoded like a URL path.
std::string EncodePath(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
            || c == '.' || c == '~' || c == '/';
        if (plain) {
            out.push_back(char(c));
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        }
    }
    return out;
}

std::string DeletionDate()
{
    time_t now = ::time(nullptr);
    tm local {};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// "name", then "name.2.ext", "name.3.ext" ... for the n-th try.
std::string CandidateName(const std::string& name, int attempt)
{
    if (attempt == 1)
        return name;
    auto dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0)
        return name + "." + std::to_string(attempt);
    return name.substr(0, dot) + "." + std::to_string(attempt) + name.substr(dot);
}

// Moves `item` into the trash folder `trash` (which holds files/ and info/).
int TrashInto(const std::string& trash, const std::string& item)
{
    const std::string files = trash + "/files";
    const std::string info = trash + "/info";
    if (!MakeFolders(files, 0700) || !MakeFolder(info, 0700))
        return -1;
    const std::string name = BaseName(item);
    const std::string body = "[Trash Info]\nPath=" + EncodePath(item) + "\nDeletionDate=" + DeletionDate() + "\n";
    for (int attempt = 1; attempt < 10000; ++attempt) {
        std::string candidate = CandidateName(name, attempt);
        std::string infoPath = info + "/" + candidate + ".trashinfo";
        int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        bool written = ::write(fd, body.data(), body.size()) == ssize_t(body.size());
        ::close(fd);
        std::string target = files + "/" + candidate;
        struct stat st;
        if (!written || ::lstat(target.c_str(), &st) == 0) {
            ::unlink(infoPath.c_str()); // a stray item without info: leave it, try the next name
            if (!written)
                return -1;
            continue;
        }
        if (::rename(item.c_str(), target.c_str()) != 0) {
            ::unlink(infoPath.c_str());
            return -1;
        }
        return 0;
    }
    return -1;
}

// The top folder of the file system that holds `folder`.
std::string MountTop(const std::string& folder)
{
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0)
        return {};
    std::string top = folder;
    while (top != "/") {
        std::string up = Parent(top);
        struct stat upSt;
        if (::stat(up.c_str(), &upSt) != 0 || upSt.st_dev != st.st_dev)
            break;
        top = up;
    }
    return top;
}

// The trash of the file system topped at `top`: an administrator-made .Trash (a real,
// sticky folder) with a folder per user, else the user's own .Trash-<uid>.
std::string TopTrash(const std::string& top)
{
    const std::string base = top == "/" ? "" : top;
    const std::string uid = std::to_string(::getuid());
    struct stat st;
    std::string shared = base + "/.Trash";
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        std::string mine = shared + "/" + uid;
        if (MakeFolder(mine, 0700))
            return mine;
    }
    std::string own = base + "/.Trash-" + uid;
    if (MakeFolder(own, 0700) && ::lstat(own.c_str(), &st) == 0 && st.st_uid == ::getuid())
        return own;
    return {};
}

} // namespace

std::string HomeTrashFolder()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/')
        return std::string(dataHome) + "/Trash";
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return std::string(home) + "/.local/share/Trash";
}

int MoveToTrash(const std::string& path)
{
    if (path.empty())
        return -1;
    std::string item = Absolute(path);
    struct stat itemSt;
    if (item.empty() || item == "/" || ::lstat(item.c_str(), &itemSt) != 0)
        return -1;
    struct stat parentSt;
    if (::stat(Parent(item).c_str(), &parentSt) != 0)
        return -1;

    // The home trash takes everything on its own file system; only items elsewhere go to
    // the trash at the top of their file system.
    std::string home = HomeTrashFolder();
    if (home.empty())
        return -1;
    std::string existing = home;
    struct stat homeSt;
    while (::stat(existing.c_str(), &homeSt) != 0 && existing != "/")
        existing = Parent(existing);
    if (homeSt.st_dev == parentSt.st_dev)
        return TrashInto(home, item);
    std::string top = TopTrash(MountTop(Parent(item)));
    if (top.empty())
        return -1;
    return TrashInto(top, item);
}

} // namespace platform
