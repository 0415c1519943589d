// Safe relative paths from archive entry names.
#include "ktutilex/zip/ZipEntryName.h"

#include <cctype>
#include <string>

namespace ktutilex::zip {

bool MakeEntryPath(const CString& name, EntryPath& path)
{
    std::string text = name.str();
    for (char& ch : text)
        if (ch == '\\')
            ch = '/';
    if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':')
        text.erase(0, 2);

    std::string relative;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string segment = text.substr(start, end - start);
        if (segment == "..")
            return false;
        if (!segment.empty() && segment != ".") {
            if (!relative.empty())
                relative += '/';
            relative += segment;
        }
        start = end + 1;
    }
    path.relative = CString(relative);
    path.isFolder = text.empty() || text.back() == '/' || relative.empty();
    return true;
}

} // namespace ktutilex::zip
