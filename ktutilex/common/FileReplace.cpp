// Whole-file replacement through a temporary file and a rename.
#include "ktutilex/common/FileReplace.h"

#include "ktutil/KTGF.h"

#include "platform/core/File.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace ktutilex {

bool ReplaceFileContents(const char* path, std::string_view bytes)
{
    if (KTGF::IsEmpty(path) || KTGF::IsDir(path))
        return false;
    static std::atomic<unsigned> s_counter { 0 };
    const CString folder = KTGF::ExtractDir(path);
    const std::string temporary = (folder + "." + KTGF::ExtractName(path)).str() + "." +
                                  std::to_string(getpid()) + "." + std::to_string(s_counter++) + ".tmp";
    CFile file;
    if (!file.Open(temporary.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return false;
    try {
        for (std::size_t done = 0; done < bytes.size();) {
            const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 30);
            file.Write(bytes.data() + done, static_cast<UINT>(chunk));
            done += chunk;
        }
        file.Flush();
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        file.Abort();
        KTGF::DeleteFileA(temporary.c_str(), FALSE);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        KTGF::DeleteFileA(temporary.c_str(), FALSE);
        return false;
    }
    return true;
}

} // namespace ktutilex
