// Remote names and folders.
#include "ktutilex/ftp/FtpNames.h"

#include "ktutilex/common/PathSegments.h"

#include "ktutil/KTGF.h"

#include <string>
#include <vector>

namespace ktutilex::ftp {

namespace {

bool HasLineBreak(const char* text) { return text && std::string(text).find_first_of("\r\n") != std::string::npos; }

} // namespace

bool IsValidRemoteName(LPCTSTR name)
{
    return name && !KTGF::IsEmpty(name) && KTGF::IsValidFileName(name) && !HasLineBreak(name) &&
           std::string(name) != "." && std::string(name) != "..";
}

CString NormaliseRemoteFolder(LPCTSTR folder, const CString& current)
{
    std::string text = folder ? folder : "";
    if (HasLineBreak(text.c_str()))
        return CString();
    for (char& ch : text)
        if (ch == '\\')
            ch = '/';
    if (text.empty() || text.front() != '/')
        text = current.str() + "/" + text;
    std::vector<std::string> segments;
    for (const std::string& segment : SplitSegments(text)) {
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
    }
    std::string result;
    for (const std::string& segment : segments)
        result += "/" + segment;
    return CString(result.empty() ? std::string("/") : result);
}

} // namespace ktutilex::ftp
