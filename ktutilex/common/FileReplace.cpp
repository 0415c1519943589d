// Whole-file replacement through a temporary file and a rename.
#include "ktutilex/common/FileReplace.h"

#include "ktutil/KTGF.h"

#include "platform/core/File.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace ktutilex {

namespace {

// Puts the file's data on the disk before the rename makes it the file.
bool SyncToDisk(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

} // namespace

bool ReplaceFileWith(const char* path, const std::function<bool(const char* temporaryPath)>& write)
{
    if (KTGF::IsEmpty(path) || KTGF::IsDir(path))
        return false;
    static std::atomic<unsigned> s_counter { 0 };
    const std::string temporary = (KTGF::ExtractDir(path) + "." + KTGF::ExtractName(path)).str() + "." +
                                  std::to_string(getpid()) + "." + std::to_string(s_counter++) + ".tmp";
    bool written = false;
    try {
        written = write(temporary.c_str()) && SyncToDisk(temporary);
    } catch (CFileException* e) {
        e->Delete();
    }
    std::error_code error;
    if (written)
        std::filesystem::rename(temporary, path, error);
    if (!written || error) {
        KTGF::DeleteFileA(temporary.c_str(), FALSE);
        return false;
    }
    return true;
}

bool ReplaceFileContents(const char* path, std::string_view bytes)
{
    return ReplaceFileWith(path, [bytes](const char* temporary) {
        CFile file;
        if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
            return false;
        for (std::size_t done = 0; done < bytes.size();) {
            const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 30);
            file.Write(bytes.data() + done, static_cast<UINT>(chunk));
            done += chunk;
        }
        file.Close();
        return true;
    });
}

} // namespace ktutilex
