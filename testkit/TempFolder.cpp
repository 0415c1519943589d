#include "testkit/TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testkit {

TempFolder::TempFolder() : TempFolder(fs::temp_directory_path().string()) {}

TempFolder::TempFolder(const std::string& base)
{
    std::string pattern = (fs::path(base) / "ward-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("no temporary folder");
    m_root = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    // Read-only files and folders made by a test must not stop the clean-up.
    for (auto it = fs::recursive_directory_iterator(m_root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_root, ec);
}

CString TempFolder::Write(const std::string& relative, const std::string& content) const
{
    const fs::path path = fs::path(m_root) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return CString(path.string());
}

CString TempFolder::MakeDir(const std::string& relative) const
{
    const fs::path path = fs::path(m_root) / relative;
    fs::create_directories(path);
    return CString(path.string());
}

std::string TempFolder::Read(const std::string& relative) const
{
    std::ifstream in(fs::path(m_root) / relative, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool TempFolder::Exists(const std::string& relative) const { return fs::exists(fs::path(m_root) / relative); }

std::vector<std::string> TempFolder::Tree() const
{
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(m_root)) {
        std::string rel = fs::relative(entry.path(), m_root).string();
        if (entry.is_directory())
            rel += "/";
        entries.push_back(rel);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string OtherFileSystem()
{
    struct stat temp {}, shm {};
    if (stat(fs::temp_directory_path().c_str(), &temp) != 0 || stat("/dev/shm", &shm) != 0)
        return {};
    if (temp.st_dev == shm.st_dev || access("/dev/shm", W_OK) != 0)
        return {};
    return "/dev/shm";
}

std::string PatternBytes(std::size_t n)
{
    std::string out(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<char>('a' + i % 23);
    return out;
}

} // namespace testkit
