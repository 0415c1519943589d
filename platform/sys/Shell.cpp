// ShellExecute on posix_spawn: programs directly, everything else through xdg-open.
#include "platform/sys/Shell.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kStarted = 42; // any value above 32 means success to the callers

HINSTANCE Result(int code) { return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(code)); }

bool IsUrl(const std::string& text)
{
    auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    for (size_t i = 0; i < colon; ++i) {
        char c = text[i];
        bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+'
            || c == '-' || c == '.';
        if (!schemeChar)
            return false;
    }
    return text.compare(colon, 3, "://") == 0 || text.compare(0, colon, "mailto") == 0;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The first executable `name` on PATH; empty when there is none.
std::string FindOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

// A parameter text split into words; double quotes group words and are removed.
std::vector<std::string> SplitParameters(const char* text)
{
    std::vector<std::string> words;
    if (!text)
        return words;
    std::string word;
    bool inWord = false, quoted = false;
    for (const char* p = text; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((*p == ' ' || *p == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word.push_back(*p);
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

int CodeFromErrno(int err)
{
    switch (err) {
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case EACCES:
    case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOMEM:
    case EAGAIN: return SE_ERR_OOM;
    case ENOEXEC: return SE_ERR_BADFORMAT;
    default: return SE_ERR_NOASSOC;
    }
}

// Why `path` cannot be opened: its folder missing, or the file itself.
int MissingCode(const std::string& path)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0)
        return SE_ERR_FNF;
    struct stat st;
    std::string folder = path.substr(0, slash);
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? SE_ERR_FNF : SE_ERR_PNF;
}

int Spawn(const std::vector<std::string>& args, const char* directory)
{
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (directory && *directory)
        posix_spawn_file_actions_addchdir_np(&actions, directory);
    pid_t pid = 0;
    int err = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0)
        return CodeFromErrno(err);
    // Nobody waits for the started program; this reaps it when it ends.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return kStarted;
}

int Open(LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory)
{
    if (operation && *operation && ::strcasecmp(operation, "open") != 0)
        return SE_ERR_NOASSOC;
    if (!file || !*file)
        return SE_ERR_FNF;
    const std::string target = file;
    if (directory && *directory) {
        struct stat st;
        if (::stat(directory, &st) != 0 || !S_ISDIR(st.st_mode))
            return SE_ERR_PNF;
    }

    std::string program;
    if (!IsUrl(target)) {
        struct stat st;
        if (::stat(target.c_str(), &st) == 0) {
            if (IsExecutableFile(target))
                program = target.find('/') == std::string::npos ? "./" + target : target;
            else if (::access(target.c_str(), R_OK) != 0)
                return SE_ERR_ACCESSDENIED;
        } else if (errno == EACCES) {
            return SE_ERR_ACCESSDENIED;
        } else if (target.find('/') == std::string::npos) {
            program = FindOnPath(target);
            if (program.empty())
                return SE_ERR_FNF;
        } else {
            return MissingCode(target);
        }
    }

    if (!program.empty()) {
        std::vector<std::string> args { program };
        for (auto& word : SplitParameters(parameters))
            args.push_back(word);
        int code = Spawn(args, directory);
        // A document that merely carries an execute bit (files copied from a memory stick
        // often do) is no program: open it as a document.
        if (code != SE_ERR_BADFORMAT || args[0] == FindOnPath(target))
            return code;
    }
    std::string opener = FindOnPath("xdg-open");
    if (opener.empty())
        return SE_ERR_NOASSOC;
    return Spawn({ opener, target }, directory);
}

} // namespace

HINSTANCE ShellExecute(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT)
{
    return Result(Open(operation, file, parameters, directory));
}
