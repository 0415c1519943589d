// Safe relative paths from archive entry names.
#include "ktutilex/zip/ZipEntryName.h"

#include "ktutilex/common/PathSegments.h"

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
    for (const std::string& segment : SplitSegments(text)) {
        if (segment == "..")
            return false;
        if (!segment.empty() && segment != ".") {
            if (!relative.empty())
                relative += '/';
            relative += segment;
        }
    }
    path.relative = CString(relative);
    path.isFolder = text.empty() || text.back() == '/' || relative.empty();
    return true;
}

} // namespace ktutilex::zip
