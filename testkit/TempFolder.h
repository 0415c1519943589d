// A temporary folder for one test, removed with everything in it at the end, and small helpers
// to lay out files in it and read them back.
#pragma once

#include "platform/core/CString.h"

#include <string>
#include <vector>

namespace testkit {

class TempFolder
{
public:
    TempFolder();
    // A temporary folder inside `base` (for a second file system).
    explicit TempFolder(const std::string& base);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself (no trailing "/"), and a path inside it.
    const std::string& Dir() const { return m_root; }
    std::string operator/(const std::string& relative) const { return m_root + "/" + relative; }
    CString Root() const { return CString(m_root); }
    CString Path(const std::string& relative) const { return CString(m_root + "/" + relative); }

    // Writes a file (making its folders); returns its full path.
    CString Write(const std::string& relative, const std::string& content) const;
    // Makes a folder and its parents; returns its full path.
    CString MakeDir(const std::string& relative) const;
    // The content of a file; empty when it cannot be read.
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    // Every file below the folder, relative and sorted (folders end with "/").
    std::vector<std::string> Tree() const;

private:
    std::string m_root;
};

// A folder on another file system than the temporary folder (/dev/shm), or empty when there is
// none to use.
std::string OtherFileSystem();

// Writes a whole file (truncating it), and reads one back (empty when it cannot be read).
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);

// `n` bytes of a repeating pattern.
std::string PatternBytes(std::size_t n);

} // namespace testkit
